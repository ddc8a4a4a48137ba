#include "common/custom_open_art.h"

#include <cmath>
#include <utility>

#include "common/canvas.h"
#include "common/menu_art.h"
#include "common/skin_art.h"

namespace {

using art::argb;

struct Ink {
  uint32_t line, paper, text, folder, folder_dark, glass, handle;
};

Ink ink_for(int state) {
  if (state == 3)
    return {argb(160, 160, 160), argb(240, 240, 240), argb(190, 190, 190), argb(215, 215, 215),
            argb(170, 170, 170), argb(230, 230, 230), argb(170, 170, 170)};
  return {art::kGlyph,         argb(255, 255, 255), argb(150, 170, 190), argb(240, 200, 100),
          argb(160, 110, 30),  argb(214, 236, 250), argb(150, 90, 40)};
}

void page(art::Canvas& c, int x, int y, const Ink& k) {
  c.fill(x, y, x + 12, y + 16, k.paper);
  c.rect(x, y, x + 12, y + 16, k.line);
  for (int ty = y + 4; ty <= y + 13; ty += 3) c.hline(x + 3, x + 9, ty, k.text);
}

void folder(art::Canvas& c, int x, int y, const Ink& k) {
  c.fill(x, y, x + 8, y + 3, k.folder_dark);
  c.fill(x, y + 3, x + 21, y + 18, k.folder);
  c.rect(x, y + 3, x + 21, y + 18, k.folder_dark);
  c.hline(x + 1, x + 20, y + 6, k.folder_dark);
}

void magnifier(art::Canvas& c, double cx, double cy, const Ink& k) {
  for (int y = 0; y < c.h; ++y)
    for (int x = 0; x < c.w; ++x) {
      double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      if (d <= 4.0)
        c.set(x, y, k.glass);
      else if (d <= 5.6)
        c.set(x, y, k.line);
    }
  c.line(cx + 4, cy + 4, cx + 7, cy + 7, k.handle);
  c.line(cx + 4.5, cy + 5, cx + 7.5, cy + 8, k.handle);
}

rt::Picture button_picture(OpenWay way, int state) {
  struct Look {
    uint32_t border, top, bottom;
  };
  // Normal, hover, pressed, disabled: the faces of the program's other action buttons.
  static const Look looks[4] = {{argb(0xBE, 0x9B, 0x6A), argb(255, 255, 255), argb(0xFA, 0xF1, 0xE2)},
                                {argb(0xBE, 0x82, 0x3C), argb(0xFF, 0xFC, 0xF7), argb(0xF8, 0xE6, 0xCB)},
                                {argb(0x9E, 0x6A, 0x2E), argb(0xF0, 0xDA, 0xB9), argb(0xF9, 0xED, 0xD9)},
                                {argb(0xD0, 0xC2, 0xA9), argb(0xF7, 0xF5, 0xF1), argb(0xED, 0xEA, 0xE4)}};
  const Look& l = looks[state];
  const int w = kOpenWayButtonWidth, h = kOpenWayButtonHeight;
  const uint32_t body = art::from_rgb(kSkinBodyColor);
  art::Canvas c(w, h, body);
  for (int y = 1; y < h - 1; ++y) c.hline(1, w - 2, y, art::mix(l.top, l.bottom, double(y - 1) / (h - 3)));
  c.rect(0, 0, w - 1, h - 1, l.border);
  for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}) c.set(x, y, body);
  // The glyph's place at the left, with a thin rule after it.
  c.vline(40, 6, h - 7, art::mix(l.border, l.bottom, 0.5));
  const Ink k = ink_for(state);
  const int s = state == 2 ? 1 : 0;  // pressed: the glyph sinks by a pixel
  switch (way) {
    case OpenWay::kChosenFiles:
      page(c, 8 + s, 5 + s, k);
      page(c, 16 + s, 15 + s, k);
      break;
    case OpenWay::kFolder:
      folder(c, 9 + s, 10 + s, k);
      break;
    case OpenWay::kSearch:
      folder(c, 6 + s, 8 + s, k);
      magnifier(c, 23.5 + s, 22.5 + s, k);
      break;
  }
  return c.picture();
}

}  // namespace

const rt::Picture& custom_open_window_icon_picture() {
  static const rt::Picture icon = menu_image_on(kImageCustomOpen, kSkinBodyColor);
  return icon;
}

const std::array<rt::Picture, 4>& open_way_button_pictures(OpenWay way) {
  static const std::array<std::array<rt::Picture, 4>, 3> strips = [] {
    std::array<std::array<rt::Picture, 4>, 3> all;
    for (OpenWay wy : {OpenWay::kChosenFiles, OpenWay::kFolder, OpenWay::kSearch})
      for (int state = 0; state < 4; ++state) all[static_cast<size_t>(wy)][state] = button_picture(wy, state);
    return all;
  }();
  return strips[static_cast<size_t>(way)];
}
