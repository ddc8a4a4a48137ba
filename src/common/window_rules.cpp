#include "common/window_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kSliver = 2;  // pixels of a slid-out window left on the screen
constexpr int kShortestDelay = 250;

bool within(int a, int b, int distance) { return std::abs(a - b) < distance; }

void put_left(Edges& r, int left, int w) {
  r.left = left;
  r.right = left + w;
}

void put_top(Edges& r, int top, int h) {
  r.top = top;
  r.bottom = top + h;
}

}  // namespace

bool point_over_window(ScreenPoint p, int left, int top, int width, int height) {
  return p.x >= left && p.x <= left + width && p.y >= top && p.y <= top + height;
}

EdgeSlide edge_slide_out(int left, int top, int width, int height, int screen_width, int work_height) {
  if (left <= 0) return {true, -width + kSliver, top};
  if (left >= screen_width - width) return {true, screen_width - kSliver, top};
  if (top <= 0) return {true, left, -height + kSliver};
  if (top >= work_height - height) return {true, left, work_height - kSliver};
  return {false, left, top};
}

int edge_hide_delay_at_start(double seconds) {
  double ms = std::trunc(seconds * 1000);
  return ms > 0 && ms < 1e9 ? static_cast<int>(ms) : kShortestDelay;
}

int edge_hide_delay_chosen(int seconds) { return seconds > 0 ? seconds * 1000 - 250 : kShortestDelay; }

Edges follow_pointer(const Edges& proposed, ScreenPoint pointer, ScreenPoint grab) {
  const int w = proposed.width(), h = proposed.height();
  Edges r;
  put_left(r, pointer.x - grab.x, w);
  put_top(r, pointer.y - grab.y, h);
  return r;
}

Edges snap_to_screen(const Edges& dragged, int distance, int screen_width, int screen_height, int work_bottom) {
  const int w = dragged.width(), h = dragged.height();
  Edges r = dragged;
  if (within(r.left, 0, distance)) put_left(r, 0, w);
  if (within(r.top, 0, distance)) put_top(r, 0, h);
  if (within(r.right, screen_width, distance)) put_left(r, screen_width - w, w);
  if (within(r.bottom, work_bottom, distance)) put_top(r, work_bottom - h, h);
  if (within(r.bottom, screen_height, distance)) put_top(r, screen_height - h, h);
  return r;
}

Edges snap_to_anchor(const Edges& dragged, int distance, const Edges& anchor) {
  const int w = dragged.width(), h = dragged.height();
  const int al = anchor.left, at = anchor.top, ar = anchor.right, ab = anchor.bottom;
  Edges r = dragged;
  if (within(r.left, ar, distance)) put_left(r, ar, w);      // right of the anchor
  if (within(r.left, al - w, distance)) put_left(r, al - w, w);  // left of it
  if (within(r.top, at - h, distance)) put_top(r, at - h, h);   // above it
  if (within(r.top, ab, distance)) put_top(r, ab, h);           // below it
  if (within(r.left, al, distance)) put_left(r, al, w);
  if (within(r.top, at, distance)) put_top(r, at, h);
  if (within(r.right, ar, distance)) put_left(r, ar - w, w);
  if (within(r.bottom, ab, distance)) put_top(r, ab - h, h);
  return r;
}

Edges confine_to_anchor(const Edges& dragged, int child_width, int child_height, const Edges& anchor) {
  Edges r = dragged;
  if (r.left < anchor.left) put_left(r, anchor.left, child_width);
  if (r.top < anchor.top) put_top(r, anchor.top, child_height);
  if (r.right > anchor.right) put_left(r, anchor.right - child_width, child_width);
  if (r.bottom > anchor.bottom) put_top(r, anchor.bottom - child_height, child_height);
  return r;
}

Edges snap_mini_bar(const Edges& moved, int screen_width, int screen_height, int work_bottom) {
  constexpr int kEdge = 11, kTaskbar = 6;
  const int w = moved.width(), h = moved.height();
  auto near = [](int a, int b, int distance) { return std::abs(a - b) <= distance; };
  Edges r = moved;
  if (near(r.left, 0, kEdge)) put_left(r, 0, w);
  if (near(r.right, screen_width, kEdge)) put_left(r, screen_width - w, w);
  if (near(r.top, 0, kEdge)) put_top(r, 0, h);
  if (near(r.bottom, work_bottom, kEdge)) put_top(r, work_bottom - h, h);
  if (near(r.top, work_bottom, kTaskbar)) put_top(r, work_bottom, h);
  if (near(r.bottom, screen_height, kTaskbar)) put_top(r, screen_height - h, h);
  return r;
}

int mini_bar_left_after_switch(int left, int width, bool full, int screen_width) {
  if (left < 0) return 0;
  if (full && left + width > screen_width) return screen_width - width;
  return left;
}

int mini_bar_top_after_switch(int top, int height, int work_bottom) {
  return top > work_bottom ? work_bottom - height : top;
}

namespace {

long long shared_pixels(const Edges& a, const Edges& b) {
  const long long w = std::min(a.right, b.right) - std::max(a.left, b.left);
  const long long h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// The gap between two rectangles, squared; 0 when they touch or overlap.
long long gap(const Edges& a, const Edges& b) {
  const long long dx = std::max({0, b.left - a.right, a.left - b.right});
  const long long dy = std::max({0, b.top - a.bottom, a.top - b.bottom});
  return dx * dx + dy * dy;
}

int least_of(const CaptionGrip& grip, int least) { return std::max(0, std::min(least, grip.to - grip.from)); }

bool reachable_on(const Edges& window, const CaptionGrip& grip, const Edges& area, int least) {
  if (window.top < area.top || window.top + grip.height > area.bottom) return false;
  const int shown = std::min(window.left + grip.to, area.right) - std::max(window.left + grip.from, area.left);
  return shown >= least_of(grip, least);
}

}  // namespace

int nearest_area(const Edges& window, const std::vector<Edges>& areas) {
  int best = -1;
  long long most = 0, nearest = 0;
  for (int i = 0; i < static_cast<int>(areas.size()); ++i) {
    const long long shared = shared_pixels(window, areas[i]);
    if (shared > most) {
      most = shared;
      best = i;
    }
  }
  if (best >= 0) return best;
  for (int i = 0; i < static_cast<int>(areas.size()); ++i) {
    const long long g = gap(window, areas[i]);
    if (best < 0 || g < nearest) {
      nearest = g;
      best = i;
    }
  }
  return best;
}

Edges keep_caption_reachable(const Edges& window, const CaptionGrip& grip, const std::vector<Edges>& areas, int least) {
  for (const Edges& area : areas)
    if (reachable_on(window, grip, area, least)) return window;
  const int i = nearest_area(window, areas);
  if (i < 0) return window;
  const Edges& a = areas[i];
  const int w = window.width(), h = window.height(), n = least_of(grip, least);
  Edges r = window;
  // The top last: a caption taller than the area starts at its top.
  put_top(r, std::max(a.top, std::min(r.top, a.bottom - grip.height)), h);
  put_left(r, std::min(std::max(r.left, a.left + n - grip.to), a.right - n - grip.from), w);
  return r;
}

PopupPlace place_suggestion_popup(int box_left, int box_top, int box_height, int popup_height, int screen_height) {
  const int below = box_top + box_height;
  if (screen_height - below >= popup_height) return {box_left, below, -1};
  return {box_left, box_top - popup_height, 1};
}
