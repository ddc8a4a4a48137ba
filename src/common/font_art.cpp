#include "common/font_art.h"

#include "common/canvas.h"
#include "common/skin_art.h"

namespace {

using art::argb;

uint32_t pixel_of(unsigned rgb) { return argb(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

}  // namespace

const rt::Picture& font_window_icon_picture() {
  static const rt::Picture icon = [] {
    art::Canvas c(16, 16, pixel_of(kSkinBodyColor));
    // The letter: two strokes meeting at the top and the bar between them.
    c.line(2.0, 11.0, 6.5, 1.0, art::kGlyph);
    c.line(7.0, 1.0, 11.5, 11.0, art::kGlyph);
    c.hline(5, 9, 7, art::kGlyph);
    c.hline(5, 9, 8, art::kGlyph);
    // The colour bar under it, in the editor's default colours and two more.
    const uint32_t bar[] = {argb(0, 128, 0), argb(204, 232, 207), argb(200, 40, 40), argb(40, 80, 200)};
    for (int i = 0; i < 4; ++i) c.fill(1 + i * 3, 13, 3 + i * 3, 15, bar[i]);
    c.rect(1, 13, 12, 15, art::kBorder);
    return c.picture();
  }();
  return icon;
}
