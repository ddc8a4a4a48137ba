#pragma once
// Where the main window slides at a screen edge and where a dragged window snaps: rules over
// rectangles in screen pixels, without windows.
#include <vector>

// A window's rectangle by its four edges; right and bottom lie just past the window.
struct Edges {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const Edges&) const = default;
};

struct ScreenPoint {
  int x = 0, y = 0;
};

// Whether the point lies over the window, both ends counted: the pixel just past the right and
// the bottom edge is inside too.
bool point_over_window(ScreenPoint p, int left, int top, int width, int height);

// Where a window that is shown slides out: the first edge it touches (left, right, top, bottom in
// that order, so a window in a corner goes sideways), leaving 2 pixels on the screen. The bottom
// edge is the work area's (work_height). slides is false when it touches no edge.
struct EdgeSlide {
  bool slides = false;
  int left = 0, top = 0;
};
EdgeSlide edge_slide_out(int left, int top, int width, int height, int screen_width, int work_height);

// The hide delay in ms for the stored seconds: at start-up the seconds × 1000, and after a choice
// in the options window the seconds × 1000 − 250; either way 250 for 0 (and for nonsense below).
int edge_hide_delay_at_start(double seconds);
int edge_hide_delay_chosen(int seconds);

// A window dragged by its caption, rebuilt from the pointer: its top-left corner is the pointer
// minus the grab offset (where the pointer was in the window when the drag started), its size
// the proposed one's.
Edges follow_pointer(const Edges& proposed, ScreenPoint pointer, ScreenPoint grab);

// The main window's snapping while dragged: within distance (an absolute difference below it)
// of the screen's left and top, of its right edge, of the work area's bottom and of the screen's
// bottom it sits on that edge; the later rules win.
Edges snap_to_screen(const Edges& dragged, int distance, int screen_width, int screen_height, int work_bottom);

// A tool window's snapping to its anchor (the main window): it lines up with the anchor's outer
// edges from outside (right of, left of, above, below) and with its edges from inside; the later
// rules win.
Edges snap_to_anchor(const Edges& dragged, int distance, const Edges& anchor);

// A tool window kept inside its anchor: an edge that crosses the anchor's is put back on it,
// with the child's real width and height.
Edges confine_to_anchor(const Edges& dragged, int child_width, int child_height, const Edges& anchor);

// The mini-mode bar after a move, in this order: within 11 pixels (both ends counted) of the
// screen's left, of its right, of its top and of the work area's bottom it sits on that edge;
// then a top within 6 pixels of the work area's bottom goes onto it (the bar lies on the
// taskbar's area), and a bottom within 6 pixels of the screen's bottom sits on that.
Edges snap_mini_bar(const Edges& moved, int screen_width, int screen_height, int work_bottom);

// The bar's left after it changed form to `width`: never off the screen's left, and for the
// full bar not past its right either.
int mini_bar_left_after_switch(int left, int width, bool full, int screen_width);
// Its top then: a top below the work area's bottom comes up so that the bar ends there.
int mini_bar_top_after_switch(int top, int height, int work_bottom);

// The part of a window's caption a press moves it by (the title strip without the buttons over
// it), in the window's own pixels: from x `from` to x `to`, `height` pixels from the top.
struct CaptionGrip {
  int from = 0, to = 0, height = 0;
};

// The screen a window belongs to among the work areas: the one it shares most pixels with, or,
// sharing none, the nearest one. -1 without any.
int nearest_area(const Edges& window, const std::vector<Edges>& areas);

// A window whose caption can be reached: on one of the work areas the grip's whole height lies
// inside it and at least `least` pixels of the grip's width (all of a narrower grip) do. Such a
// window stays where it is; any other goes the shortest way to where that holds on the area it
// belongs to (nearest_area), its size kept.
Edges keep_caption_reachable(const Edges& window, const CaptionGrip& grip, const std::vector<Edges>& areas, int least);

// Where the suggestion popup goes by the keyword box (the box's screen rectangle): under it
// when the screen has room for the whole popup there, above it otherwise. The list inside lies
// one pixel over the popup's edge that meets the box (top -1 under the box, 1 above it).
struct PopupPlace {
  int left = 0, top = 0, list_top = 0;
  bool operator==(const PopupPlace&) const = default;
};
PopupPlace place_suggestion_popup(int box_left, int box_top, int box_height, int popup_height, int screen_height);
