#pragma once
// Drawing the program's own pictures pixel by pixel.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "runtime/picture.h"

namespace art {

using Pixels = std::vector<uint32_t>;

inline constexpr uint32_t argb(int r, int g, int b) {
  return 0xFF000000u | (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}
// A Windows RGB value (red in the low byte) as an opaque pixel.
inline constexpr uint32_t from_rgb(unsigned rgb) { return argb(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }
inline constexpr uint32_t kBorder = argb(69, 123, 157);
inline constexpr uint32_t kGlyph = argb(40, 72, 96);

inline uint32_t mix(uint32_t a, uint32_t b, double t) {
  auto ch = [&](int shift) {
    double x = ((a >> shift) & 0xFF) * (1 - t) + ((b >> shift) & 0xFF) * t;
    return static_cast<uint32_t>(std::lround(x)) << shift;
  };
  return 0xFF000000u | ch(16) | ch(8) | ch(0);
}

struct Canvas {
  int w, h;
  Pixels px;
  Canvas(int width, int height, uint32_t fill) : w(width), h(height), px(static_cast<size_t>(width) * height, fill) {}
  void set(int x, int y, uint32_t c) {
    if (x >= 0 && y >= 0 && x < w && y < h) px[static_cast<size_t>(y) * w + x] = c;
  }
  void vertical_gradient(uint32_t top, uint32_t bottom) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) set(x, y, mix(top, bottom, h > 1 ? double(y) / (h - 1) : 0));
  }
  void hline(int x0, int x1, int y, uint32_t c) {
    for (int x = x0; x <= x1; ++x) set(x, y, c);
  }
  void vline(int x, int y0, int y1, uint32_t c) {
    for (int y = y0; y <= y1; ++y) set(x, y, c);
  }
  void rect(int x0, int y0, int x1, int y1, uint32_t c) {
    hline(x0, x1, y0, c);
    hline(x0, x1, y1, c);
    vline(x0, y0, y1, c);
    vline(x1, y0, y1, c);
  }
  void fill(int x0, int y0, int x1, int y1, uint32_t c) {
    for (int y = y0; y <= y1; ++y) hline(x0, x1, y, c);
  }
  // A line two pixels wide, for glyphs.
  void line(double x0, double y0, double x1, double y1, uint32_t c) {
    int steps = static_cast<int>(std::max(std::abs(x1 - x0), std::abs(y1 - y0)) * 2) + 1;
    for (int i = 0; i <= steps; ++i) {
      double t = double(i) / steps;
      int x = static_cast<int>(std::lround(x0 + (x1 - x0) * t)), y = static_cast<int>(std::lround(y0 + (y1 - y0) * t));
      set(x, y, c);
      set(x + 1, y, c);
    }
  }
  rt::Picture picture() const { return rt::Picture::from_pixels(w, h, px); }
};

}  // namespace art
