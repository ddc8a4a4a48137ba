#include "common/file_info_art.h"

#include <cmath>

#include "common/canvas.h"
#include "common/skin_art.h"

namespace {

using art::argb;

}  // namespace

const rt::Picture& file_info_window_icon_picture() {
  static const rt::Picture icon = [] {
    art::Canvas c(16, 16, art::from_rgb(kSkinBodyColor));
    // The page with its corner folded.
    c.fill(2, 0, 13, 15, argb(255, 255, 255));
    c.rect(2, 0, 13, 15, art::kBorder);
    for (int i = 0; i < 4; ++i) c.hline(10 + i, 13, i, art::from_rgb(kSkinBodyColor));
    c.line(10.0, 0.0, 13.0, 3.0, art::kBorder);
    // The "i" in a blue disc.
    const double cx = 7.5, cy = 9.0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= 4.6) c.set(x, y, argb(40, 100, 200));
    c.fill(7, 5, 8, 6, argb(255, 255, 255));
    c.fill(7, 8, 8, 12, argb(255, 255, 255));
    return c.picture();
  }();
  return icon;
}
