#include "common/frame_art.h"

#include <algorithm>
#include <map>

#include "common/canvas.h"
#include "common/frame_jpeg.inc"

namespace {

using art::argb;
using art::Canvas;
using art::kBorder;
using art::kGlyph;
using art::mix;

const uint32_t kCaptionTop = argb(240, 246, 250), kCaptionBottom = argb(212, 226, 237);

void draw_glyph(Canvas& c, CaptionGlyph g, uint32_t ink) {
  const double cx = c.w / 2.0 - 1, cy = c.h / 2.0 - 1;
  switch (g) {
    case CaptionGlyph::Close:
      c.line(cx - 4, cy - 4, cx + 4, cy + 4, ink);
      c.line(cx - 4, cy + 4, cx + 4, cy - 4, ink);
      break;
    case CaptionGlyph::Maximize:
      c.rect(int(cx - 5), int(cy - 4), int(cx + 5), int(cy + 5), ink);
      c.hline(int(cx - 5), int(cx + 5), int(cy - 3), ink);
      break;
    case CaptionGlyph::Restore:
      c.rect(int(cx - 2), int(cy - 5), int(cx + 6), int(cy + 2), ink);
      c.fill(int(cx - 6), int(cy - 2), int(cx + 2), int(cy + 5), 0);
      c.rect(int(cx - 6), int(cy - 2), int(cx + 2), int(cy + 5), ink);
      break;
    case CaptionGlyph::Minimize:
      c.fill(int(cx - 5), int(cy + 3), int(cx + 5), int(cy + 4), ink);
      break;
    case CaptionGlyph::TopmostOff:
    case CaptionGlyph::TopmostOn: {
      // A pin: upright when on, leaning when off.
      double lean = g == CaptionGlyph::TopmostOn ? 0 : 3;
      c.fill(int(cx - 3 + lean), int(cy - 6), int(cx + 3 + lean), int(cy - 1), ink);
      c.hline(int(cx - 5 + lean), int(cx + 5 + lean), int(cy), ink);
      c.line(cx + lean / 2, cy, cx - lean / 2, cy + 6, ink);
      break;
    }
    case CaptionGlyph::MiniMode:
      c.rect(int(cx - 6), int(cy - 4), int(cx + 6), int(cy + 4), ink);
      c.fill(int(cx + 1), int(cy), int(cx + 5), int(cy + 3), ink);
      break;
    case CaptionGlyph::Left:
      c.line(cx + 2, cy - 5, cx - 3, cy, ink);
      c.line(cx - 3, cy, cx + 2, cy + 5, ink);
      break;
    case CaptionGlyph::Right:
      c.line(cx - 2, cy - 5, cx + 3, cy, ink);
      c.line(cx + 3, cy, cx - 2, cy + 5, ink);
      break;
    case CaptionGlyph::ClosePage:
      c.line(cx - 3, cy - 3, cx + 3, cy + 3, ink);
      c.line(cx - 3, cy + 3, cx + 3, cy - 3, ink);
      break;
    case CaptionGlyph::Grip:
      // The grip's right 4 pixels lie past the window's edge, where the frame places it.
      for (int i = 0; i < 3; ++i)
        for (int j = 0; j <= i; ++j)
          c.fill(c.w - 8 - 3 * j, c.h - 4 - 3 * (i - j), c.w - 7 - 3 * j, c.h - 3 - 3 * (i - j), ink);
      break;
  }
}

std::vector<rt::Picture> make_strip(CaptionGlyph g) {
  bool small = g == CaptionGlyph::Left || g == CaptionGlyph::Right || g == CaptionGlyph::Grip;
  int w = small ? 16 : kCaptionButtonWidth, h = small ? (g == CaptionGlyph::Grip ? 12 : 22) : kCaptionButtonHeight;
  if (g == CaptionGlyph::ClosePage) w = h = 14;
  std::vector<rt::Picture> strip;
  for (int state = 0; state < 3; ++state) {
    Canvas c(w, h, 0);
    c.vertical_gradient(kCaptionTop, kCaptionBottom);
    uint32_t ink = kGlyph;
    if (state > 0) {
      bool danger = g == CaptionGlyph::Close || g == CaptionGlyph::ClosePage;
      uint32_t top = danger ? argb(232, 96, 86) : argb(255, 255, 255);
      uint32_t bottom = danger ? argb(200, 56, 48) : argb(196, 220, 238);
      if (state == 2) std::swap(top, bottom);
      c.vertical_gradient(top, bottom);
      c.rect(0, 0, w - 1, h - 1, danger ? argb(160, 40, 36) : kBorder);
      if (danger) ink = argb(255, 255, 255);
    }
    // The glyph's inner white of the restore picture is the button's own background.
    if (g == CaptionGlyph::Restore) {
      Canvas back = c;
      draw_glyph(c, g, ink);
      for (size_t i = 0; i < c.px.size(); ++i)
        if (c.px[i] == 0) c.px[i] = back.px[i];
    } else {
      draw_glyph(c, g, ink);
    }
    strip.push_back(c.picture());
  }
  return strip;
}

// The caption behind the clock: the rows of the caption's gradient the clock covers.
std::vector<uint32_t> clock_background() {
  std::vector<uint32_t> rows;
  for (int y = 0; y < kClockHeight; ++y)
    rows.push_back(mix(kCaptionTop, kCaptionBottom, double(kClockTop + y) / (kCaptionHeight - 1)));
  return rows;
}

Canvas over_rows(int width, const std::vector<uint32_t>& rows) {
  Canvas c(width, static_cast<int>(rows.size()), 0);
  for (int y = 0; y < c.h; ++y) c.hline(0, width - 1, y, rows[static_cast<size_t>(y)]);
  return c;
}

// Seven segments: a (top), b, c (right), d (bottom), e, f (left), g (middle).
rt::Picture seven_segment_digit(int digit, int width, int k, const std::vector<uint32_t>& rows, uint32_t ink) {
  static const char* const kSegments[] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                          "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
  const int h = static_cast<int>(rows.size());
  const int l = 1, r = width - 2, t = 0, m = (h - k) / 2, b = h - k;
  struct Box {
    int x0, y0, x1, y1;
  };
  const Box boxes[] = {{l + 1, t, r - 1, t + k - 1}, {r - k + 1, t + 1, r, m}, {r - k + 1, m + 1, r, b},
                       {l + 1, b, r - 1, b + k - 1}, {l, m + 1, l + k - 1, b}, {l, t + 1, l + k - 1, m},
                       {l + 1, m, r - 1, m + k - 1}};
  Canvas c = over_rows(width, rows);
  for (const char* s = kSegments[digit]; *s; ++s) {
    const Box& x = boxes[*s - 'a'];
    c.fill(x.x0, x.y0, x.x1, x.y1, ink);
  }
  return c.picture();
}

}  // namespace

std::vector<rt::Picture> seven_segment_digits(int width, int thickness, const std::vector<uint32_t>& rows,
                                              uint32_t ink) {
  std::vector<rt::Picture> v;
  for (int d = 0; d < 10; ++d) v.push_back(seven_segment_digit(d, width, thickness, rows, ink));
  return v;
}

rt::Picture seven_segment_colon(int width, int thickness, const std::vector<uint32_t>& rows, uint32_t ink) {
  const int h = static_cast<int>(rows.size()), k = thickness;
  const int x = (width - k) / 2, y = (h * 3 + 8) / 16, y2 = h - y - k - 1;
  Canvas c = over_rows(width, rows);
  c.fill(x, y, x + k - 1, y + k - 1, ink);
  c.fill(x, y2, x + k - 1, y2 + k - 1, ink);
  return c.picture();
}

const std::vector<rt::Picture>& clock_digit_strip() {
  static const std::vector<rt::Picture> strip = seven_segment_digits(kClockDigitWidth, 2, clock_background(), kGlyph);
  return strip;
}

const rt::Picture& clock_separator_picture() {
  static const rt::Picture colon = seven_segment_colon(kClockSeparatorWidth, 2, clock_background(), kGlyph);
  return colon;
}

const std::vector<rt::Picture>& main_frame_pictures() {
  // The frame is kept as JPEG pictures (tools/make_frame_jpeg.sh makes them).
  static const std::vector<rt::Picture> pictures = [] {
    std::vector<rt::Picture> v;
    for (const FrameJpeg& j : kFrameJpegs)
      v.push_back(rt::Picture::from_jpeg(std::string_view(reinterpret_cast<const char*>(j.data), j.size)));
    return v;
  }();
  return pictures;
}

const std::vector<rt::Picture>& caption_button_strip(CaptionGlyph glyph) {
  static std::map<CaptionGlyph, std::vector<rt::Picture>> strips;
  auto it = strips.find(glyph);
  if (it == strips.end()) it = strips.emplace(glyph, make_strip(glyph)).first;
  return it->second;
}

const rt::Picture& program_icon_picture() {
  static const rt::Picture icon = [] {
    Canvas c(24, 24, 0);
    c.vertical_gradient(kCaptionTop, kCaptionBottom);
    // A page with a folded corner and three lines of text.
    c.fill(5, 3, 16, 20, argb(255, 255, 255));
    c.rect(5, 3, 18, 20, kBorder);
    c.fill(16, 3, 18, 5, kCaptionTop);
    c.line(15, 3, 18, 6, kBorder);
    for (int y : {8, 11, 14, 17}) c.hline(8, y == 17 ? 12 : 15, y, argb(80, 150, 90));
    return c.picture();
  }();
  return icon;
}
