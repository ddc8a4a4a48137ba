#include "common/options_art.h"

#include <cmath>

#include "common/canvas.h"
#include "common/skin_art.h"

namespace {

using art::argb;

uint32_t pixel_of(unsigned rgb) { return argb(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

// A folder on a button face; state 0 normal, 1 hover, 2 pressed, 3 disabled.
rt::Picture folder_button(int state) {
  art::Canvas c(22, 20, pixel_of(kSkinBodyColor));
  const uint32_t face_top[] = {argb(252, 250, 244), argb(255, 255, 255), argb(220, 210, 186), argb(236, 236, 236)};
  const uint32_t face_bottom[] = {argb(226, 212, 178), argb(240, 228, 196), argb(246, 238, 220), argb(220, 220, 220)};
  for (int y = 1; y < 19; ++y)
    for (int x = 1; x < 21; ++x) c.set(x, y, art::mix(face_top[state], face_bottom[state], (y - 1) / 17.0));
  uint32_t frame = state == 3 ? argb(170, 170, 170) : art::kBorder;
  c.rect(0, 0, 21, 19, frame);
  const int d = state == 2 ? 1 : 0;
  uint32_t back = state == 3 ? argb(200, 200, 200) : argb(214, 160, 60);
  uint32_t front = state == 3 ? argb(225, 225, 225) : argb(246, 200, 92);
  uint32_t edge = state == 3 ? argb(160, 160, 160) : argb(150, 100, 30);
  // The tab and back of the folder, then its front leaning forward.
  c.fill(4 + d, 5 + d, 9 + d, 6 + d, back);
  c.fill(4 + d, 6 + d, 17 + d, 15 + d, back);
  c.rect(4 + d, 6 + d, 17 + d, 15 + d, edge);
  for (int y = 9; y <= 15; ++y) c.hline(5 + d + (15 - y) / 3, 17 + d - (15 - y) / 4, y + d, front);
  c.hline(5 + d, 17 + d, 15 + d, edge);
  return c.picture();
}

}  // namespace

const rt::Picture& options_window_icon_picture() {
  static const rt::Picture icon = [] {
    art::Canvas c(16, 16, pixel_of(kSkinBodyColor));
    const uint32_t metal = argb(92, 112, 138), light = argb(170, 190, 212);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        double dx = x + 0.5 - 8, dy = y + 0.5 - 8;
        double r = std::hypot(dx, dy);
        double a = std::atan2(dy, dx);
        // Eight teeth around a ring with a hole.
        double tooth = std::cos(a * 8) > 0.2 ? 7.4 : 5.6;
        if (r <= tooth && r > 2.2) c.set(x, y, r < 4.6 ? light : metal);
      }
    return c.picture();
  }();
  return icon;
}

const std::array<rt::Picture, 4>& folder_button_pictures() {
  static const std::array<rt::Picture, 4> pictures{folder_button(0), folder_button(1), folder_button(2),
                                                   folder_button(3)};
  return pictures;
}
