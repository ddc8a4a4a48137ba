#include "common/cloud_art.h"

#include <cmath>

#include "common/canvas.h"
#include "common/skin_art.h"

namespace {

using art::argb;

bool in_disc(double x, double y, double cx, double cy, double r) { return std::hypot(x - cx, y - cy) <= r; }

// A cloud of three puffs on a flat base, in the colour, with a darker rim.
art::Canvas cloud(uint32_t color) {
  art::Canvas c(16, 16, art::from_rgb(kSkinBodyColor));
  auto inside = [](double x, double y, double grow) {
    return in_disc(x, y, 5.0, 9.5, 3.2 + grow) || in_disc(x, y, 8.8, 7.0, 4.2 + grow) ||
           in_disc(x, y, 12.0, 9.8, 2.9 + grow) || (y >= 9.0 && y <= 12.5 + grow && x >= 4.5 && x <= 12.5);
  };
  const uint32_t rim = art::mix(color, argb(0, 0, 0), 0.35);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      double px = x + 0.5, py = y + 0.5;
      if (inside(px, py, 0))
        c.set(x, y, art::mix(color, argb(255, 255, 255), py < 8 ? 0.3 : 0.0));
      else if (inside(px, py, 0.9))
        c.set(x, y, rim);
    }
  return c;
}

rt::Picture qq_pinyin_icon() { return cloud(argb(58, 140, 200)).picture(); }

rt::Picture qq_wubi_icon() {
  art::Canvas c = cloud(argb(60, 150, 80));
  // Two strokes of a character across the cloud.
  c.hline(5, 11, 8, argb(255, 255, 255));
  c.hline(4, 12, 11, argb(255, 255, 255));
  c.vline(8, 8, 11, argb(255, 255, 255));
  return c.picture();
}

}  // namespace

rt::Picture baidu_icon_over(uint32_t background) {
  art::Canvas c(16, 16, background);
  const uint32_t paw = argb(45, 80, 200);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      double px = x + 0.5, py = y + 0.5;
      bool toe = in_disc(px, py, 3.0, 7.0, 1.7) || in_disc(px, py, 6.2, 3.6, 1.8) || in_disc(px, py, 9.8, 3.6, 1.8) ||
                 in_disc(px, py, 13.0, 7.0, 1.7);
      bool pad = std::hypot((px - 8.0) / 4.2, (py - 11.2) / 3.6) <= 1.0;
      if (toe || pad) c.set(x, y, paw);
    }
  return c.picture();
}

rt::Picture sogou_icon_over(uint32_t background) {
  art::Canvas c(16, 16, background);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      double d = std::hypot(x + 0.5 - 8.0, y + 0.5 - 8.0);
      if (d <= 7.5) c.set(x, y, d > 6.6 ? argb(190, 90, 20) : argb(245, 130, 40));
    }
  // The S, from the top right to the bottom left.
  const uint32_t white = argb(255, 255, 255);
  c.line(10.5, 4.0, 6.0, 4.0, white);
  c.line(5.0, 4.5, 5.0, 6.5, white);
  c.line(5.5, 7.0, 10.0, 8.5, white);
  c.line(10.5, 9.0, 10.5, 11.0, white);
  c.line(10.0, 11.8, 5.0, 11.8, white);
  return c.picture();
}

namespace {

// The skin's button face: a light gradient in a rounded border.
art::Canvas face(int w, int h, int state) {
  const uint32_t tops[] = {argb(252, 246, 232), argb(255, 250, 240), argb(232, 214, 176), argb(236, 232, 226)};
  const uint32_t bottoms[] = {argb(232, 212, 170), argb(244, 226, 188), argb(248, 236, 210), argb(214, 210, 204)};
  art::Canvas c(w, h, art::from_rgb(kSkinBodyColor));
  art::Canvas body(w, h, 0);
  body.vertical_gradient(tops[state], bottoms[state]);
  const uint32_t border = state == 3 ? argb(170, 170, 170) : art::kBorder;
  for (int y = 1; y < h - 1; ++y)
    for (int x = 1; x < w - 1; ++x) c.set(x, y, body.px[static_cast<size_t>(y) * w + x]);
  c.hline(2, w - 3, 0, border);
  c.hline(2, w - 3, h - 1, border);
  c.vline(0, 2, h - 3, border);
  c.vline(w - 1, 2, h - 3, border);
  c.set(1, 1, border);
  c.set(w - 2, 1, border);
  c.set(1, h - 2, border);
  c.set(w - 2, h - 2, border);
  return c;
}

// A filled triangle pointing up or down, centred at (cx, cy).
void triangle(art::Canvas& c, int cx, int cy, bool down, uint32_t color) {
  for (int row = 0; row < 5; ++row) {
    // The point is the narrow row.
    int y = down ? cy + 2 - row : cy - 2 + row;
    c.hline(cx - row, cx + row, y, color);
  }
}

// Two chevrons pointing right or left, centred at (cx, cy).
void chevrons(art::Canvas& c, int cx, int cy, bool right, uint32_t color) {
  for (int k = 0; k < 2; ++k) {
    int x0 = cx - 3 + k * 4;
    for (int i = 0; i <= 3; ++i) {
      int x = right ? x0 + i : x0 + 3 - i;
      c.set(x, cy - 3 + i, color);
      c.set(x, cy + 3 - i, color);
    }
  }
}

}  // namespace

rt::Picture cloud_input_icon(int index) {
  static const rt::Picture icons[] = {qq_pinyin_icon(), qq_wubi_icon(), baidu_icon_over(art::from_rgb(kSkinBodyColor)),
                                      sogou_icon_over(art::from_rgb(kSkinBodyColor))};
  if (index < 0 || index >= static_cast<int>(std::size(icons))) return {};
  return icons[index];
}

const std::array<rt::Picture, 3>& cloud_settings_button_pictures(bool open) {
  static const auto make = [](bool pointing_left) {
    std::array<rt::Picture, 3> pictures;
    for (int state = 0; state < 3; ++state) {
      art::Canvas c = face(60, 24, state);
      const uint32_t glyph = state == 1 ? argb(200, 90, 30) : art::kGlyph;
      if (pointing_left)
        chevrons(c, 9, 12, false, glyph);
      else
        chevrons(c, 50, 12, true, glyph);
      pictures[static_cast<size_t>(state)] = c.picture();
    }
    return pictures;
  };
  static const std::array<rt::Picture, 3> closed = make(false), opened = make(true);
  return open ? opened : closed;
}

const std::array<rt::Picture, 4>& cloud_page_button_pictures(bool next) {
  static const auto make = [](bool down) {
    std::array<rt::Picture, 4> pictures;
    for (int state = 0; state < 4; ++state) {
      art::Canvas c = face(24, 24, state);
      const uint32_t glyph =
          state == 3 ? argb(170, 170, 170) : state == 1 ? argb(200, 90, 30) : art::kGlyph;
      triangle(c, 12, 12, down, glyph);
      pictures[static_cast<size_t>(state)] = c.picture();
    }
    return pictures;
  };
  static const std::array<rt::Picture, 4> up = make(false), down = make(true);
  return next ? down : up;
}
