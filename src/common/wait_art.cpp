#include "common/wait_art.h"

#include "common/canvas.h"

namespace {

using art::argb;

rt::Picture draw_waiting_picture() {
  const int w = 176, h = 16;
  const uint32_t back = argb(0xD9, 0xE4, 0xEE);  // the main window's background
  art::Canvas c(w, h, back);
  art::Canvas light(w, h, back), dark(w, h, back);
  light.vertical_gradient(argb(0xF4, 0xF9, 0xFD), argb(0xC9, 0xDD, 0xEC));
  dark.vertical_gradient(argb(0x8C, 0xBA, 0xDD), argb(0x45, 0x7B, 0x9D));
  // Stripes 8 pixels wide leaning to the right.
  for (int y = 1; y < h - 1; ++y)
    for (int x = 1; x < w - 1; ++x) {
      bool stripe = ((x + y) / 8) % 2 == 0;
      size_t at = static_cast<size_t>(y) * w + x;
      c.set(x, y, stripe ? dark.px[at] : light.px[at]);
    }
  c.rect(0, 0, w - 1, h - 1, art::kBorder);
  // Rounded corners: the background shows through.
  for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}) c.set(x, y, back);
  return c.picture();
}

}  // namespace

const rt::Picture& waiting_picture() {
  static const rt::Picture picture = draw_waiting_picture();
  return picture;
}
