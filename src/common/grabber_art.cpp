#include "common/grabber_art.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

namespace {

// Shapes are point tests in pixel space: pixel (i, j) covers [i, i+1) x [j, j+1).
using Shape = std::function<bool(double x, double y)>;

constexpr uint32_t kInk = 0xFF1B3B5A;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kSight = 0xFF2E6A9E;
constexpr uint32_t kSightCentre = 0xFFD23C28;
constexpr uint32_t kFrameDark = 0xFF457B9D;
constexpr uint32_t kFrameLight = 0xFFFFFFFF;
constexpr uint32_t kWell = 0xFFF3F8FB;
constexpr uint32_t kBody = 0xFFB3E2F4;  // kSkinBodyColor as a pixel

// Straight-alpha "over".
uint32_t over(uint32_t dst, uint32_t src, double coverage) {
  double sa = ((src >> 24) / 255.0) * coverage, da = (dst >> 24) / 255.0;
  double oa = sa + da * (1 - sa);
  if (oa <= 0) return 0;
  auto ch = [&](int shift) {
    double s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
    return static_cast<uint32_t>(std::lround((s * sa + d * da * (1 - sa)) / oa)) << shift;
  };
  return (static_cast<uint32_t>(std::lround(oa * 255)) << 24) | ch(16) | ch(8) | ch(0);
}

struct Canvas {
  int w, h;
  std::vector<uint32_t> px;
  Canvas(int width, int height, uint32_t fill) : w(width), h(height), px(static_cast<size_t>(width) * height, fill) {}
  // Edges smoothed by 4 x 4 samples per pixel.
  void fill(const Shape& shape, uint32_t color) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        int hits = 0;
        for (int sy = 0; sy < 4; ++sy)
          for (int sx = 0; sx < 4; ++sx) hits += shape(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4);
        if (hits) {
          uint32_t& p = px[static_cast<size_t>(y) * w + x];
          p = over(p, color, hits / 16.0);
        }
      }
  }
  void box(int x0, int y0, int x1, int y1, uint32_t color) {
    fill([=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; }, color);
  }
};

Shape ring(double cx, double cy, double inner, double outer) {
  return [=](double x, double y) {
    double d = std::hypot(x - cx, y - cy);
    return d >= inner && d <= outer;
  };
}

Shape disc(double cx, double cy, double r) { return ring(cx, cy, 0, r); }

// The sight's cross: four arms from the ring inwards, leaving the centre free.
Shape cross(double cx, double cy, double reach, double gap, double half_width) {
  return [=](double x, double y) {
    double dx = std::abs(x - cx), dy = std::abs(y - cy);
    return (dx <= half_width && dy >= gap && dy <= reach) || (dy <= half_width && dx >= gap && dx <= reach);
  };
}

// The round sight centred at (cx, cy) with outer radius r, outlined in white for any background.
void sight(Canvas& c, double cx, double cy, double r) {
  double stroke = std::max(1.0, r / 6);
  c.fill(ring(cx, cy, r - stroke - 0.8, r + 0.8), 0xC0FFFFFF);
  c.fill(cross(cx, cy, r + 0.8, r * 0.3 - 0.8, stroke / 2 + 0.8), 0xC0FFFFFF);
  c.fill(ring(cx, cy, r - stroke, r), kSight);
  c.fill(cross(cx, cy, r, r * 0.3, stroke / 2), kSight);
  c.fill(disc(cx, cy, std::max(1.0, r / 7)), kSightCentre);
}

// The sunken square the finder sits in.
Canvas finder_square() {
  Canvas c(32, 32, kBody);
  c.box(1, 1, 31, 31, kWell);
  c.box(1, 1, 31, 2, kFrameDark);
  c.box(1, 1, 2, 31, kFrameDark);
  c.box(1, 30, 31, 31, kFrameLight);
  c.box(30, 1, 31, 31, kFrameLight);
  c.box(0, 0, 32, 1, kFrameDark);
  c.box(0, 31, 32, 32, kFrameDark);
  c.box(0, 0, 1, 32, kFrameDark);
  c.box(31, 0, 32, 32, kFrameDark);
  return c;
}

using Outline = std::vector<std::pair<double, double>>;

bool inside(const Outline& p, double x, double y) {
  bool in = false;
  for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
    auto [xi, yi] = p[i];
    auto [xj, yj] = p[j];
    if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
  }
  return in;
}

double edge_distance(const Outline& p, double x, double y) {
  double best = 1e9;
  for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
    auto [ax, ay] = p[j];
    auto [bx, by] = p[i];
    double vx = bx - ax, vy = by - ay;
    double t = std::clamp(((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
    best = std::min(best, std::hypot(x - (ax + t * vx), y - (ay + t * vy)));
  }
  return best;
}

// The outline grown (grow > 0) or shrunk (grow < 0) by that many pixels.
Shape polygon(Outline p, double grow) {
  return [p = std::move(p), grow](double x, double y) {
    bool in = inside(p, x, y);
    if (grow >= 0) return in || edge_distance(p, x, y) <= grow;
    return in && edge_distance(p, x, y) >= -grow;
  };
}

CursorArt make_arrow() {
  // The tip lies on the hot spot (9, 5).
  const Outline shape{{0, 0}, {0, 19.5}, {4.6, 15.4}, {7.9, 22.6}, {11.1, 21.2}, {7.9, 14.2}, {14, 14.2}};
  auto placed = [&](double dx, double dy) {
    Outline p;
    for (auto [x, y] : shape) p.push_back({x + 9 + dx, y + 5 + dy});
    return p;
  };
  Canvas c(32, 32, 0u);
  c.fill(polygon(placed(1.2, 1.2), 0.6), 0x46000000);
  c.fill(polygon(placed(0, 0), 0.6), kInk);
  c.fill(polygon(placed(0, 0), -0.9), kWhite);
  return {32, 32, 9, 5, c.px};
}

CursorArt make_sight_cursor() {
  Canvas c(32, 32, 0u);
  sight(c, 8.5, 6.5, 6);
  return {32, 32, 8, 6, c.px};
}

}  // namespace

const rt::Picture& finder_idle_picture() {
  static const rt::Picture picture = [] {
    Canvas c = finder_square();
    sight(c, 16, 16, 11);
    return rt::Picture::from_pixels(c.w, c.h, c.px);
  }();
  return picture;
}

const rt::Picture& finder_picking_picture() {
  static const rt::Picture picture = [] {
    Canvas c = finder_square();
    return rt::Picture::from_pixels(c.w, c.h, c.px);
  }();
  return picture;
}

const rt::Picture& grabber_window_icon_picture() {
  static const rt::Picture picture = [] {
    Canvas c(16, 16, kBody);
    // A small window with its title bar, the sight over its lower right.
    c.box(0, 1, 12, 12, kFrameDark);
    c.box(1, 4, 11, 11, kWhite);
    c.box(1, 2, 11, 3, 0xFF7FB2D6);
    sight(c, 10.5, 10.5, 5.2);
    return rt::Picture::from_pixels(c.w, c.h, c.px);
  }();
  return picture;
}

const CursorArt& grabber_arrow_cursor_art() {
  static const CursorArt art = make_arrow();
  return art;
}

const CursorArt& finder_cursor_art() {
  static const CursorArt art = make_sight_cursor();
  return art;
}

const rt::Cursor& grabber_arrow_cursor() {
  static const rt::Cursor cursor = cursor_from_art(grabber_arrow_cursor_art());
  return cursor;
}

const rt::Cursor& finder_cursor() {
  static const rt::Cursor cursor = cursor_from_art(finder_cursor_art());
  return cursor;
}
