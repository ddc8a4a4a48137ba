#include "common/find_art.h"

#include <cmath>

#include "common/canvas.h"
#include "common/skin_art.h"

namespace {

using art::argb;

uint32_t pixel_of(unsigned rgb) { return argb(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

}  // namespace

const rt::Picture& find_window_icon_picture() {
  static const rt::Picture icon = [] {
    art::Canvas c(16, 16, pixel_of(kSkinBodyColor));
    // The page, with three lines of text.
    c.fill(1, 1, 10, 14, argb(255, 255, 255));
    c.rect(1, 1, 10, 14, art::kBorder);
    for (int y : {4, 7, 10}) c.hline(3, 8, y, argb(150, 170, 190));
    // The lens: a ring with a light glass, and its handle towards the bottom right.
    const double cx = 8.5, cy = 7.5;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
        if (d <= 3.0)
          c.set(x, y, argb(214, 236, 250));
        else if (d <= 4.3)
          c.set(x, y, art::kGlyph);
      }
    c.line(11.2, 10.2, 13.6, 12.6, argb(150, 90, 40));
    c.line(11.6, 11.2, 13.8, 13.4, argb(150, 90, 40));
    return c.picture();
  }();
  return icon;
}
