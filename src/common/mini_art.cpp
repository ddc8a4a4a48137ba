#include "common/mini_art.h"

#include <cmath>

#include "common/canvas.h"
#include "common/cloud_art.h"
#include "common/frame_art.h"
#include "common/skin_art.h"

namespace {

using art::argb;

constexpr uint32_t kClockInk = argb(28, 62, 96);

std::vector<uint32_t> body_rows(int height) { return std::vector<uint32_t>(height, art::from_rgb(kSkinBodyColor)); }

std::vector<uint32_t> strip_rows() {
  std::vector<uint32_t> rows;
  for (int y = 0; y < kClockHeight; ++y) rows.push_back(title_strip_pixel(kMiniSmallClockTop + y));
  return rows;
}

// Pixel centres within the ring of radius r around (cx, cy), `half` either side of it.
bool on_ring(int x, int y, double cx, double cy, double r, double half) {
  return std::abs(std::hypot(x + 0.5 - cx, y + 0.5 - cy) - r) <= half;
}

rt::Picture soso_icon() {
  art::Canvas c(16, 16, 0u);
  const uint32_t glass = argb(20, 130, 190), rim = argb(10, 90, 150);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      if (on_ring(x, y, 6.5, 6.5, 4.6, 1.1)) c.set(x, y, rim);
      if (std::hypot(x + 0.5 - 6.5, y + 0.5 - 6.5) < 3.4) c.set(x, y, argb(200, 232, 248));
    }
  c.set(5, 4, argb(255, 255, 255));
  c.set(4, 5, argb(255, 255, 255));
  for (int i = 0; i < 5; ++i) {
    c.set(10 + i, 10 + i, glass);
    c.set(11 + i, 10 + i, glass);
    c.set(10 + i, 11 + i, glass);
  }
  return c.picture();
}

rt::Picture google_icon() {
  art::Canvas c(16, 16, 0u);
  const double pi = std::acos(-1.0);
  const uint32_t blue = argb(66, 133, 244), red = argb(234, 67, 53), yellow = argb(251, 188, 5),
                 green = argb(52, 168, 83);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      if (!on_ring(x, y, 8, 8, 5.6, 1.3)) continue;
      // Degrees counter-clockwise from the right, y up; the G's mouth is open at the right top.
      double a = std::atan2(8 - (y + 0.5), x + 0.5 - 8) * 180 / pi;
      if (a < 0) a += 360;
      if (a > 10 && a < 50) continue;
      c.set(x, y, a >= 50 && a < 150 ? red : a >= 150 && a < 210 ? yellow : a >= 210 && a < 320 ? green : blue);
    }
  c.fill(8, 7, 13, 8, blue);
  return c.picture();
}

}  // namespace

const std::vector<rt::Picture>& mini_big_clock_digits() {
  static const std::vector<rt::Picture> strip =
      seven_segment_digits(kMiniBigDigitWidth, 3, body_rows(kMiniBigClockHeight), kClockInk);
  return strip;
}

const rt::Picture& mini_big_clock_colon() {
  static const rt::Picture colon =
      seven_segment_colon(kMiniBigColonWidth, 3, body_rows(kMiniBigClockHeight), kClockInk);
  return colon;
}

const std::vector<rt::Picture>& mini_small_clock_digits() {
  static const std::vector<rt::Picture> strip = seven_segment_digits(kClockDigitWidth, 2, strip_rows(), kClockInk);
  return strip;
}

const rt::Picture& mini_small_clock_colon() {
  static const rt::Picture colon = seven_segment_colon(kClockSeparatorWidth, 2, strip_rows(), kClockInk);
  return colon;
}

rt::Picture search_engine_icon(int index) {
  static const rt::Picture icons[] = {baidu_icon_over(0), soso_icon(), sogou_icon_over(0), google_icon()};
  if (index < 0 || index >= static_cast<int>(std::size(icons))) return {};
  return icons[index];
}

rt::Picture keyword_field_picture(int width, int height) {
  art::Canvas c(width, height, art::from_rgb(kSkinBodyColor));
  c.fill(1, 0, width - 2, height - 1, art::kBorder);
  c.fill(0, 1, width - 1, height - 2, art::kBorder);
  c.fill(1, 1, width - 2, height - 2, art::from_rgb(kKeywordFieldColor));
  return c.picture();
}

const std::array<rt::Picture, 3>& dropdown_arrow_pictures() {
  static const std::array<rt::Picture, 3> pictures = [] {
    std::array<rt::Picture, 3> v;
    const uint32_t inks[] = {argb(90, 120, 145), argb(30, 100, 170), argb(20, 70, 120)};
    for (int state = 0; state < 3; ++state) {
      art::Canvas c(9, 18, art::from_rgb(kKeywordFieldColor));
      // A small triangle pointing down, one pixel lower while pressed.
      const int top = 7 + (state == 2 ? 1 : 0);
      for (int row = 0; row < 4; ++row) c.hline(1 + row, 7 - row, top + row, inks[state]);
      v[static_cast<size_t>(state)] = c.picture();
    }
    return v;
  }();
  return pictures;
}
