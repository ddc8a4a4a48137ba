#include "common/tool_art.h"

#include <cmath>

#include "common/canvas.h"
#include "common/skin_art.h"

namespace {

using art::argb;

uint32_t pixel_of(unsigned rgb) { return argb(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

// A padlock whose body's top-left corner is (x, y): body 10 x 7, a shackle above it; open, the
// shackle is lifted and its right leg stands free.
void padlock(art::Canvas& c, int x, int y, bool open, uint32_t metal, uint32_t body, uint32_t dark) {
  const double cx = x + 5, arc_y = y - 4.0 - (open ? 2 : 0);
  for (int py = y - 10; py < y; ++py)
    for (int px = x; px < x + 10; ++px) {
      double dx = px + 0.5 - cx, yy = py + 0.5;
      bool on;
      if (yy < arc_y) {
        double d = std::hypot(dx, yy - arc_y);
        on = d >= 2.0 && d <= 3.6;
      } else {
        on = std::abs(dx) >= 2.0 && std::abs(dx) <= 3.6;
        if (open && dx > 0) on = on && yy < arc_y + 1.5;
      }
      if (on) c.set(px, py, metal);
    }
  c.fill(x, y, x + 9, y + 6, body);
  c.rect(x, y, x + 9, y + 6, dark);
  // The keyhole.
  c.vline(x + 4, y + 2, y + 4, dark);
  c.vline(x + 5, y + 2, y + 4, dark);
}

rt::Picture action_picture(int state, bool decrypt) {
  art::Canvas c = tool_button_face(100, 26, state);
  bool grey = state == 3;
  uint32_t metal = grey ? argb(170, 170, 170) : argb(120, 130, 145);
  uint32_t body = grey ? argb(215, 215, 215) : (decrypt ? argb(120, 200, 120) : argb(235, 180, 60));
  uint32_t dark = grey ? argb(150, 150, 150) : art::kGlyph;
  int shift = state == 2 ? 1 : 0;
  padlock(c, 9 + shift, 12 + shift, decrypt, metal, body, dark);
  return c.picture();
}

}  // namespace

art::Canvas tool_button_face(int w, int h, int state) {
  struct Look {
    uint32_t border, top, bottom;
  };
  static const Look looks[4] = {{argb(0xBE, 0x9B, 0x6A), argb(255, 255, 255), argb(0xFA, 0xF1, 0xE2)},
                                {argb(0xBE, 0x82, 0x3C), argb(0xFF, 0xFC, 0xF7), argb(0xF8, 0xE6, 0xCB)},
                                {argb(0x9E, 0x6A, 0x2E), argb(0xF0, 0xDA, 0xB9), argb(0xF9, 0xED, 0xD9)},
                                {argb(0xD0, 0xC2, 0xA9), argb(0xF7, 0xF5, 0xF1), argb(0xED, 0xEA, 0xE4)}};
  const Look& l = looks[state];
  art::Canvas c(w, h, pixel_of(kSkinBodyColor));
  art::Canvas face(w - 2, h - 2, l.top);
  face.vertical_gradient(l.top, l.bottom);
  for (int y = 1; y < h - 1; ++y)
    for (int x = 1; x < w - 1; ++x) c.set(x, y, face.px[static_cast<size_t>(y - 1) * (w - 2) + (x - 1)]);
  c.rect(0, 0, w - 1, h - 1, l.border);
  // Rounded corners: the body colour shows through.
  for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}) c.set(x, y, pixel_of(kSkinBodyColor));
  return c;
}

const rt::Picture& simp_trad_window_icon_picture() {
  static const rt::Picture icon = [] {
    art::Canvas c(16, 16, pixel_of(kSkinBodyColor));
    // A page with few strokes and a page with many, one behind the other.
    c.fill(0, 0, 8, 10, argb(255, 255, 255));
    c.rect(0, 0, 8, 10, art::kBorder);
    for (int y : {3, 6}) c.hline(2, 6, y, argb(150, 170, 190));
    c.fill(7, 5, 15, 15, argb(255, 255, 255));
    c.rect(7, 5, 15, 15, art::kBorder);
    for (int y : {7, 9, 11, 13}) c.hline(9, 13, y, art::kGlyph);
    c.vline(11, 7, 13, art::kGlyph);
    // The arrows both ways, at the bottom left and the top right.
    uint32_t arrow = argb(200, 80, 40);
    c.hline(1, 5, 13, arrow);
    c.set(2, 12, arrow);
    c.set(2, 14, arrow);
    c.hline(10, 14, 2, arrow);
    c.set(13, 1, arrow);
    c.set(13, 3, arrow);
    return c.picture();
  }();
  return icon;
}

const rt::Picture& crypt_window_icon_picture() {
  static const rt::Picture icon = [] {
    art::Canvas c(16, 16, pixel_of(kSkinBodyColor));
    padlock(c, 3, 8, false, argb(120, 130, 145), argb(235, 180, 60), art::kGlyph);
    return c.picture();
  }();
  return icon;
}

const std::array<rt::Picture, 8>& crypt_action_button_strip() {
  static const std::array<rt::Picture, 8> strip{
      action_picture(0, false), action_picture(1, false), action_picture(2, false), action_picture(3, false),
      action_picture(0, true),  action_picture(1, true),  action_picture(2, true),  action_picture(3, true)};
  return strip;
}
