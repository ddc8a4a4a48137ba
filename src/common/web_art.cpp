#include "common/web_art.h"

#include "common/canvas.h"
#include "common/menu_art.h"
#include "common/skin_art.h"

namespace {

using art::argb;

uint32_t pixel_of(unsigned rgb) { return argb(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

}  // namespace

const rt::Picture& update_window_icon_picture() {
  static const rt::Picture icon = [] {
    art::Canvas c(16, 16, pixel_of(kSkinBodyColor));
    // The globe.
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        double dx = x - 6.5, dy = y - 8.5, d2 = dx * dx + dy * dy;
        if (d2 <= 36) c.set(x, y, d2 >= 25 ? art::kGlyph : argb(120, 180, 230));
      }
    c.vline(6, 3, 14, art::kGlyph);
    c.hline(1, 12, 8, art::kGlyph);
    // The arrow coming down at the right.
    const uint32_t green = argb(60, 150, 80);
    c.fill(12, 0, 13, 9, green);
    for (int i = 0; i <= 3; ++i) c.hline(9 + i, 16 - i, 9 + i, green);
    return c.picture();
  }();
  return icon;
}

const rt::Picture& about_window_icon_picture() {
  static const rt::Picture icon = menu_image_on(kImageAbout, kSkinBodyColor);
  return icon;
}

const rt::Picture& translation_window_icon_picture() {
  static const rt::Picture icon = menu_image_on(kImageTranslate, kSkinBodyColor);
  return icon;
}

const rt::Picture& web_waiting_picture() {
  static const rt::Picture bar = [] {
    constexpr int w = 180, h = 8;
    art::Canvas c(w, h, pixel_of(kSkinBodyColor));
    c.rect(0, 0, w - 1, h - 1, art::kBorder);
    // Blocks fading from the right: the moment of a moving bar.
    for (int i = 0; i < 14; ++i) {
      int x0 = 3 + i * 12;
      double t = i / 13.0;
      c.fill(x0, 2, x0 + 8, h - 3, art::mix(argb(240, 230, 205), argb(58, 140, 200), t));
    }
    return c.picture();
  }();
  return bar;
}
