#include "common/jump_art.h"

#include "common/canvas.h"
#include "common/skin_art.h"

namespace {

using art::argb;

uint32_t pixel_of(unsigned rgb) { return argb(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

}  // namespace

const rt::Picture& jump_window_icon_picture() {
  static const rt::Picture icon = [] {
    art::Canvas c(16, 16, pixel_of(kSkinBodyColor));
    // Two tabs behind, the target page in front with three lines of text.
    c.fill(3, 1, 7, 3, argb(214, 226, 236));
    c.rect(3, 1, 7, 3, art::kBorder);
    c.fill(9, 1, 13, 3, argb(255, 236, 190));
    c.rect(9, 1, 13, 3, art::kBorder);
    c.fill(6, 4, 15, 15, argb(255, 255, 255));
    c.rect(6, 4, 15, 15, art::kBorder);
    for (int y : {7, 10, 13}) c.hline(10, 13, y, argb(150, 170, 190));
    // The arrow: a shaft from the left edge and its head pointing at the page's text.
    const uint32_t arrow = argb(58, 140, 200);
    c.fill(0, 9, 6, 10, arrow);
    for (int i = 0; i <= 3; ++i) c.vline(6 + i, 6 + i, 13 - i, arrow);
    return c.picture();
  }();
  return icon;
}
