#include "common/skin_art.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

// Shapes are point tests in pixel space: pixel (i, j) covers [i, i+1) x [j, j+1).
using Shape = std::function<bool(double x, double y)>;
using Paint = std::function<uint32_t(double x, double y)>;

constexpr uint32_t kBorder = 0xFF457B9D;
constexpr uint32_t kSeparator = 0xFF9CCBE3;
constexpr uint32_t kBody = 0xFFB3E2F4;  // kSkinBodyColor as a pixel
constexpr uint32_t kHighlight = 0xFFD3EFFA;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kInk = 0xFF1B3B5A;

uint32_t mix(uint32_t a, uint32_t b, double t) {
  auto ch = [&](int shift) {
    double va = (a >> shift) & 0xFF, vb = (b >> shift) & 0xFF;
    return static_cast<uint32_t>(std::lround(va + (vb - va) * t)) << shift;
  };
  return ch(24) | ch(16) | ch(8) | ch(0);
}

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

Paint solid(uint32_t c) {
  return [c](double, double) { return c; };
}
Paint vertical(uint32_t top, uint32_t bottom, double y0, double y1) {
  return [=](double, double y) { return mix(top, bottom, std::clamp((y - y0) / (y1 - y0), 0.0, 1.0)); };
}

struct Canvas {
  int w, h;
  std::vector<uint32_t> px;
  Canvas(int width, int height, uint32_t fill) : w(width), h(height), px(static_cast<size_t>(width) * height, fill) {}
  Canvas(int width, int height, const Paint& back) : Canvas(width, height, 0u) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) px[static_cast<size_t>(y) * w + x] = back(x + 0.5, y + 0.5);
  }
  // Edges are smoothed by 4 x 4 samples per pixel.
  void fill(const Shape& shape, const Paint& paint) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        int hits = 0;
        for (int sy = 0; sy < 4; ++sy)
          for (int sx = 0; sx < 4; ++sx) hits += shape(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4);
        if (hits) {
          uint32_t& p = px[static_cast<size_t>(y) * w + x];
          p = over(p, paint(x + 0.5, y + 0.5), hits / 16.0);
        }
      }
  }
  void fill(const Shape& shape, uint32_t c) { fill(shape, solid(c)); }
  rt::Picture picture() const { return rt::Picture::from_pixels(w, h, px); }
};

double segment_distance(double px, double py, double ax, double ay, double bx, double by) {
  double dx = bx - ax, dy = by - ay;
  double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

Shape rounded_rect(double x0, double y0, double x1, double y1, double r) {
  return [=](double x, double y) {
    if (x < x0 || x > x1 || y < y0 || y > y1) return false;
    double cx = std::clamp(x, x0 + r, x1 - r), cy = std::clamp(y, y0 + r, y1 - r);
    return std::hypot(x - cx, y - cy) <= r;
  };
}
Shape circle(double cx, double cy, double r) {
  return [=](double x, double y) { return std::hypot(x - cx, y - cy) <= r; };
}
struct Point {
  double x, y;
};
// The points' bounding box grown by reach and a hair more: a point outside it lies further than
// reach from every point and segment, so the distances need not be measured there (they are
// what costs: the pointer's three fills take 49 152 samples).
struct Reach {
  double x0, y0, x1, y1;
  Reach(const std::vector<Point>& pts, double reach) : x0(1e9), y0(1e9), x1(-1e9), y1(-1e9) {
    for (Point p : pts) x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    const double r = std::max(reach, 0.0) + 1e-6;
    x0 -= r, y0 -= r, x1 += r, y1 += r;
  }
  bool outside(double x, double y) const { return x < x0 || x > x1 || y < y0 || y > y1; }
};
// A stroke along the points, half_width either side, with round ends and joints.
Shape stroke(std::vector<Point> pts, double half_width) {
  const Reach reach(pts, half_width);
  return [=](double x, double y) {
    if (reach.outside(x, y)) return false;
    for (size_t i = 0; i + 1 < pts.size(); ++i)
      if (segment_distance(x, y, pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y) <= half_width) return true;
    return false;
  };
}
bool inside_polygon(const std::vector<Point>& pts, double x, double y) {
  bool in = false;
  for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++)
    if ((pts[i].y > y) != (pts[j].y > y) &&
        x < (pts[j].x - pts[i].x) * (y - pts[i].y) / (pts[j].y - pts[i].y) + pts[i].x)
      in = !in;
  return in;
}
double edge_distance(const std::vector<Point>& pts, double x, double y) {
  double d = 1e9;
  for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++)
    d = std::min(d, segment_distance(x, y, pts[j].x, pts[j].y, pts[i].x, pts[i].y));
  return d;
}
// The polygon grown by r with round corners (r 0: the polygon itself); shrunk when r < 0.
Shape polygon(std::vector<Point> pts, double r = 0) {
  const Reach reach(pts, r);
  return [=](double x, double y) {
    if (reach.outside(x, y)) return false;
    bool in = inside_polygon(pts, x, y);
    // Inside a grown polygon, or outside a shrunk one, the edges' distance does not matter.
    if (r >= 0 ? in : !in) return in;
    double d = edge_distance(pts, x, y);
    return r >= 0 ? d <= r : d >= -r;
  };
}

// ---- The frame ----

uint32_t strip_color(int y) {
  if (y <= 0) return kBorder;
  if (y >= kTitleStripHeight - 1) return kSeparator;
  return mix(0xFFF4FAFD, 0xFFC8E8F6, (y - 1) / double(kTitleStripHeight - 3));
}
Paint strip_from(int offset) {
  return [offset](double, double y) { return strip_color(static_cast<int>(y) + offset); };
}

// The frame of a whole window, from which the eight pieces are cut: the pieces along an edge
// repeat one row or column, so the labels can stretch them.
constexpr int kVirtual = 64;
constexpr int kCorner = 4, kSide = 2;
// The top-left piece is wider: the title after its three spaces clears a 20-pixel icon at 3.
constexpr int kTitleCorner = 18;

uint32_t virtual_frame_pixel(int x, int y) {
  const double n = kVirtual;
  Shape inner = rounded_rect(1, 1, n - 1, n - 1, 1.5), inner2 = rounded_rect(2, 2, n - 2, n - 2, 1);
  auto coverage = [](const Shape& s, int x, int y) {
    int hits = 0;
    for (int sy = 0; sy < 4; ++sy)
      for (int sx = 0; sx < 4; ++sx) hits += s(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4);
    return hits / 16.0;
  };
  uint32_t content = y < kTitleStripHeight ? strip_color(y) : kBody;
  if (y >= kTitleStripHeight) content = mix(kHighlight, content, coverage(inner2, x, y));
  // Outside the inner line everything is line: the window's region cuts the corners off.
  return mix(kBorder, content, coverage(inner, x, y));
}

rt::Picture cut(int x0, int y0, int w, int h) {
  std::vector<uint32_t> px;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) px.push_back(virtual_frame_pixel(x, y));
  return rt::Picture::from_pixels(w, h, px);
}

std::array<rt::Picture, 8> make_frame() {
  const int n = kVirtual, s = kTitleStripHeight, mid = n / 2;
  return {cut(0, 0, kTitleCorner, s),      cut(mid, 0, 1, s),
          cut(n - kCorner, 0, kCorner, s), cut(0, mid, kSide, 1),
          cut(n - kSide, mid, kSide, 1),   cut(0, n - kCorner, kCorner, kCorner),
          cut(mid, n - kSide, 1, kSide),   cut(n - kCorner, n - kCorner, kCorner, kCorner)};
}

// ---- The buttons of the title strip ----

// The close button turns red under the pointer, the others take a light face.
rt::Picture title_button_picture(TitleGlyph glyph, int state) {
  Canvas c(21, 20, strip_from(2));
  const bool close = glyph == TitleGlyph::Close;
  uint32_t ink = 0xFF3F6482;
  if (state == 1 || state == 2) {
    if (close) {
      c.fill(rounded_rect(1, 1, 20, 19, 3), state == 1 ? 0xFFE5484D : 0xFFC42B31);
      ink = state == 1 ? kWhite : 0xFFF6DCDC;
    } else {
      c.fill(rounded_rect(1, 1, 20, 19, 3), state == 1 ? 0xFF7FB3D5 : 0xFF4F8DB8);
      c.fill(rounded_rect(2, 2, 19, 18, 2),
             state == 1 ? vertical(kWhite, 0xFFD3EAF7, 2, 18) : vertical(0xFFB9DAF0, 0xFFDCEEF9, 2, 18));
      ink = 0xFF23455F;
    }
  } else if (state == 3) {
    ink = 0xFFA7C3D3;
  }
  switch (glyph) {
    case TitleGlyph::Close:
      c.fill(stroke({{6.9, 6.4}, {14.1, 13.6}}, 0.85), ink);
      c.fill(stroke({{14.1, 6.4}, {6.9, 13.6}}, 0.85), ink);
      break;
    case TitleGlyph::NormalMode:
      // A window with its caption: the editor's own size again.
      c.fill(stroke({{5.5, 6}, {15.5, 6}, {15.5, 14.5}, {5.5, 14.5}, {5.5, 6}}, 0.6), ink);
      c.fill(stroke({{5.5, 7.6}, {15.5, 7.6}}, 0.9), ink);
      break;
    case TitleGlyph::PinOff:
    case TitleGlyph::PinOn: {
      // A pin: upright when the window stays on top, leaning otherwise.
      const double lean = glyph == TitleGlyph::PinOn ? 0 : 2.5;
      c.fill(rounded_rect(7.5 + lean, 4.5, 13.5 + lean, 9.5, 1), ink);
      c.fill(stroke({{6 + lean, 10.2}, {15 + lean, 10.2}}, 0.8), ink);
      c.fill(stroke({{10.5 + lean / 2, 10.5}, {10.5 - lean / 2, 16}}, 0.7), ink);
      break;
    }
  }
  return c.picture();
}

std::array<rt::Picture, 4> title_button_strip(TitleGlyph glyph) {
  return {title_button_picture(glyph, 0), title_button_picture(glyph, 1), title_button_picture(glyph, 2),
          title_button_picture(glyph, 3)};
}

// ---- The message-box icons ----

rt::Picture icon_picture(int icon) {
  Canvas c(20, 20, strip_from(3));
  auto disc = [&](uint32_t light, uint32_t dark) { c.fill(circle(10, 10, 8.6), vertical(light, dark, 1.4, 18.6)); };
  switch (icon) {
    case 8:
      disc(0xFF4CC777, 0xFF23964F);
      c.fill(stroke({{5.9, 10.2}, {8.8, 13.1}, {14.2, 7.3}}, 1.15), kWhite);
      break;
    case 16:
      disc(0xFFF0625A, 0xFFC9302C);
      c.fill(stroke({{6.9, 6.9}, {13.1, 13.1}}, 1.15), kWhite);
      c.fill(stroke({{13.1, 6.9}, {6.9, 13.1}}, 1.15), kWhite);
      break;
    case 32: {
      disc(0xFF4A9BE8, 0xFF1F6FC4);
      std::vector<Point> hook;
      const double pi = std::acos(-1.0), r = 2.8, cx = 10, cy = 7.7;
      for (double a = 160; a >= -55; a -= 15)
        hook.push_back({cx + r * std::cos(a * pi / 180), cy - r * std::sin(a * pi / 180)});
      hook.push_back({10, 11.2});
      hook.push_back({10, 11.9});
      c.fill(stroke(hook, 1.1), kWhite);
      c.fill(circle(10, 14.9, 1.25), kWhite);
      break;
    }
    case 48: {
      std::vector<Point> tri{{10, 3.6}, {17.1, 16.3}, {2.9, 16.3}};
      c.fill(polygon(tri, 1.5), vertical(0xFFFFC25A, 0xFFEE8A10, 2, 18));
      c.fill(stroke({{10, 7.6}, {10, 11.4}}, 1.1), kWhite);
      c.fill(circle(10, 14.2, 1.2), kWhite);
      break;
    }
    case 64:
      disc(0xFF3DA5F0, 0xFF1B74C9);
      c.fill(circle(10, 5.8, 1.35), kWhite);
      c.fill(stroke({{10, 8.9}, {10, 14.4}}, 1.15), kWhite);
      break;
    default:
      return {};
  }
  return c.picture();
}

// ---- The message-box buttons ----

rt::Picture button_picture(int state) {
  struct Look {
    uint32_t border, top, bottom;
  };
  static const Look looks[4] = {{0xFF6A9BBE, 0xFFFFFFFF, 0xFFE2F1FA},
                                {0xFF3C82BE, 0xFFF7FCFF, 0xFFCBE6F8},
                                {0xFF2E6A9E, 0xFFB9DAF0, 0xFFD9EDF9},
                                {0xFFA9C2D0, 0xFFF1F5F7, 0xFFE4EAED}};
  const Look& l = looks[state];
  Canvas c(47, 23, kBody);
  c.fill(rounded_rect(0, 0, 47, 23, 3.5), l.border);
  c.fill(rounded_rect(1, 1, 46, 22, 2.5), vertical(l.top, l.bottom, 1, 22));
  return c.picture();
}

// ---- The pointers ----

CursorArt make_pointer() {
  std::vector<Point> arrow{{1, 1}, {1, 20.5}, {5.6, 16.4}, {8.9, 23.6}, {12.1, 22.2}, {8.9, 15.2}, {15, 15.2}};
  std::vector<Point> shadow;
  for (Point p : arrow) shadow.push_back({p.x + 1.2, p.y + 1.2});
  Canvas c(32, 32, 0u);
  c.fill(polygon(shadow, 0.6), 0x46000000);
  c.fill(polygon(arrow, 0.6), kInk);
  c.fill(polygon(arrow, -0.9), kWhite);
  return {32, 32, 1, 1, c.px};
}

CursorArt make_text_cursor() {
  Canvas c(32, 32, 0u);
  // On pixel centres, so that the thin strokes stay sharp.
  std::vector<std::vector<Point>> beam{
      {{15.5, 7}, {15.5, 25}}, {{12.5, 6.5}, {18.5, 6.5}}, {{12.5, 25.5}, {18.5, 25.5}}};
  for (const auto& s : beam) c.fill(stroke(s, 1.7), 0xE6FFFFFF);
  for (const auto& s : beam) c.fill(stroke(s, 0.6), kInk);
  return {32, 32, 15, 16, c.px};
}

}  // namespace

std::array<rt::Picture, 3> tool_window_bottom_pictures(int height) {
  const int n = kVirtual, mid = n / 2;
  const int h = std::clamp(height, kCorner, n - kTitleStripHeight);
  return {cut(0, n - h, kCorner, h), cut(mid, n - h, 1, h), cut(n - kCorner, n - h, kCorner, h)};
}

const std::array<rt::Picture, 8>& tool_window_frame_pictures() {
  static const std::array<rt::Picture, 8> pictures = make_frame();
  return pictures;
}

const std::array<rt::Picture, 4>& close_button_pictures() { return title_button_pictures(TitleGlyph::Close); }

const std::array<rt::Picture, 4>& title_button_pictures(TitleGlyph glyph) {
  static const std::array<std::array<rt::Picture, 4>, 4> strips{
      title_button_strip(TitleGlyph::Close), title_button_strip(TitleGlyph::NormalMode),
      title_button_strip(TitleGlyph::PinOff), title_button_strip(TitleGlyph::PinOn)};
  return strips[static_cast<size_t>(glyph)];
}

uint32_t title_strip_pixel(int y) { return strip_color(y); }

rt::Picture message_box_icon(int icon) {
  static const std::array<rt::Picture, 5> pictures{icon_picture(8), icon_picture(16), icon_picture(32),
                                                   icon_picture(48), icon_picture(64)};
  switch (icon) {
    case 8:
      return pictures[0];
    case 16:
      return pictures[1];
    case 32:
      return pictures[2];
    case 48:
      return pictures[3];
    case 64:
      return pictures[4];
    default:
      return {};
  }
}

const std::array<rt::Picture, 4>& message_box_button_pictures() {
  static const std::array<rt::Picture, 4> pictures{button_picture(0), button_picture(1), button_picture(2),
                                                   button_picture(3)};
  return pictures;
}

rt::Cursor cursor_from_art(const CursorArt& art) {
  return rt::Cursor::from_pixels(art.width, art.height, art.pixels, art.hot_x, art.hot_y);
}

const CursorArt& pointer_cursor_art() {
  static const CursorArt art = make_pointer();
  return art;
}

const CursorArt& text_cursor_art() {
  static const CursorArt art = make_text_cursor();
  return art;
}

const rt::Cursor& program_pointer_cursor() {
  static const rt::Cursor cursor = cursor_from_art(pointer_cursor_art());
  return cursor;
}

const rt::Cursor& program_text_cursor() {
  static const rt::Cursor cursor = cursor_from_art(text_cursor_art());
  return cursor;
}
