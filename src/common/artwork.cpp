#include "common/artwork.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr int kSize = 16;
// Around the box and the circle the button's background shows through.
constexpr uint32_t kClear = 0x00000000;

struct Palette {
  uint32_t frame, fill, mark;
};
// normal, hover, disabled
const Palette kPalettes[3] = {
    {0xFF457B9D, 0xFFFFFFFF, 0xFF1D5A85},
    {0xFF1D5A85, 0xFFE6F0F8, 0xFF0F3F63},
    {0xFFA0A0A0, 0xFFF0F0F0, 0xFFA0A0A0},
};

std::vector<uint32_t> check_box(const Palette& p, bool on) {
  std::vector<uint32_t> px(kSize * kSize, kClear);
  for (int y = 1; y < kSize - 1; ++y)
    for (int x = 1; x < kSize - 1; ++x)
      px[y * kSize + x] = (x == 1 || y == 1 || x == kSize - 2 || y == kSize - 2) ? p.frame : p.fill;
  if (on) {
    // A tick: down from (4,8) to (7,11), then up to (12,4), two pixels thick.
    auto dot = [&](int x, int y) {
      for (int dy = 0; dy < 2; ++dy) px[(y + dy) * kSize + x] = p.mark;
    };
    for (int i = 0; i <= 3; ++i) dot(4 + i, 7 + i);
    for (int i = 0; i <= 5; ++i) dot(7 + i, 10 - i);
  }
  return px;
}

std::vector<uint32_t> radio_button(const Palette& p, bool on) {
  std::vector<uint32_t> px(kSize * kSize, kClear);
  const double c = (kSize - 1) / 2.0;
  constexpr double kOuter = 6.6, kInner = 5.4, kMark = 2.9;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      double d = std::sqrt((x - c) * (x - c) + (y - c) * (y - c));
      uint32_t& out = px[y * kSize + x];
      if (d <= kOuter)
        out = d >= kInner ? p.frame : p.fill;
      else if (d < kOuter + 1)  // the rim fades into what lies behind the button
        out = (static_cast<uint32_t>((kOuter + 1 - d) * 255) << 24) | (p.frame & 0xFFFFFF);
      if (on && d <= kMark) out = p.mark;
    }
  return px;
}

template <typename Draw>
std::vector<rt::Picture> strip(Draw draw) {
  std::vector<rt::Picture> out;
  for (bool on : {false, true})
    for (const Palette& p : kPalettes) out.push_back(rt::Picture::from_pixels(kSize, kSize, draw(p, on)));
  return out;
}

}  // namespace

const std::vector<rt::Picture>& check_box_strip() {
  static const std::vector<rt::Picture> pictures = strip(check_box);
  return pictures;
}

const std::vector<rt::Picture>& radio_button_strip() {
  static const std::vector<rt::Picture> pictures = strip(radio_button);
  return pictures;
}
