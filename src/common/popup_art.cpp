#include "common/popup_art.h"

#include "common/canvas.h"

namespace {

using art::argb;

constexpr uint32_t kOuter = art::kBorder;
constexpr uint32_t kInner = argb(176, 204, 226);

// A square of the frame cut from a drawn 8 x 8 frame: the outer line, then the inner one.
art::Canvas drawn_frame() {
  constexpr int n = 8;
  art::Canvas c(n, n, argb(255, 255, 255));
  c.rect(0, 0, n - 1, n - 1, kOuter);
  c.rect(1, 1, n - 2, n - 2, kInner);
  return c;
}

rt::Picture cut(const art::Canvas& from, int x, int y, int w, int h) {
  art::Canvas c(w, h, 0);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) c.set(i, j, from.px[static_cast<size_t>(y + j) * from.w + x + i]);
  return c.picture();
}

}  // namespace

const std::array<rt::Picture, 8>& open_pages_popup_frame_pictures() {
  static const std::array<rt::Picture, 8> pictures = [] {
    const art::Canvas f = drawn_frame();
    const int n = f.w, k = kPopupFrameCorner, e = kPopupFrameEdge, mid = n / 2;
    return std::array<rt::Picture, 8>{cut(f, 0, 0, k, k),         cut(f, mid, 0, 1, e),
                                      cut(f, n - k, 0, k, k),     cut(f, 0, mid, e, 1),
                                      cut(f, n - e, mid, e, 1),   cut(f, 0, n - k, k, k),
                                      cut(f, mid, n - e, 1, e),   cut(f, n - k, n - k, k, k)};
  }();
  return pictures;
}
