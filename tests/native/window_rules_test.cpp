// Where the main window slides out at a screen edge, and where dragged windows snap.
#include "common/window_rules.h"

#include <gtest/gtest.h>

#include <ostream>

std::ostream& operator<<(std::ostream& os, const Edges& r) {
  return os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace {

constexpr int kScreenW = 1920, kScreenH = 1080, kWorkH = 1040;

Edges at(int left, int top, int w, int h) { return {left, top, left + w, top + h}; }

TEST(EdgeSlide, TheFirstEdgeTheWindowTouchesDecidesAndTwoPixelsStay) {
  struct Case {
    const char* name;
    int left, top;
    bool slides;
    int to_left, to_top;
  };
  const int W = 800, H = 600;
  const Case cases[] = {
      {"left edge", 0, 100, true, -W + 2, 100},
      {"half off the left edge", -300, 100, true, -W + 2, 100},
      {"right edge", kScreenW - W, 100, true, kScreenW - 2, 100},
      {"past the right edge", kScreenW - W + 40, 100, true, kScreenW - 2, 100},
      {"top edge", 300, 0, true, 300, -H + 2},
      {"bottom of the work area", 300, kWorkH - H, true, 300, kWorkH - 2},
      // In a corner the window goes sideways: left and right come before top and bottom.
      {"top-left corner", 0, 0, true, -W + 2, 0},
      {"bottom-right corner", kScreenW - W, kWorkH - H, true, kScreenW - 2, kWorkH - H},
      {"no edge", 1, 1, false, 1, 1},
      {"one pixel from the right", kScreenW - W - 1, 300, false, kScreenW - W - 1, 300},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EdgeSlide s = edge_slide_out(c.left, c.top, W, H, kScreenW, kWorkH);
    EXPECT_EQ(s.slides, c.slides);
    EXPECT_EQ(s.left, c.to_left);
    EXPECT_EQ(s.top, c.to_top);
  }
}

TEST(EdgeSlide, ThePointerOverTheWindowCountsBothEnds) {
  EXPECT_TRUE(point_over_window({100, 50}, 100, 50, 10, 20));
  EXPECT_TRUE(point_over_window({110, 70}, 100, 50, 10, 20));  // just past right and bottom
  EXPECT_FALSE(point_over_window({111, 60}, 100, 50, 10, 20));
  EXPECT_FALSE(point_over_window({99, 60}, 100, 50, 10, 20));
  EXPECT_FALSE(point_over_window({105, 71}, 100, 50, 10, 20));
  // The sliver of a window slid out to the left.
  EXPECT_TRUE(point_over_window({1, 300}, -798, 100, 800, 600));
}

TEST(EdgeSlide, TheHideDelayAtStartAndAfterAChoice) {
  EXPECT_EQ(edge_hide_delay_at_start(0), 250);
  EXPECT_EQ(edge_hide_delay_at_start(2), 2000);
  EXPECT_EQ(edge_hide_delay_at_start(3), 3000);
  EXPECT_EQ(edge_hide_delay_at_start(1.5), 1500);
  EXPECT_EQ(edge_hide_delay_at_start(-2), 250);
  EXPECT_EQ(edge_hide_delay_chosen(0), 250);
  EXPECT_EQ(edge_hide_delay_chosen(2), 1750);
  EXPECT_EQ(edge_hide_delay_chosen(3), 2750);
}

TEST(Snapping, TheDraggedWindowFollowsThePointerAtItsGrabOffset) {
  // Whatever the system proposes, only its size counts.
  Edges r = follow_pointer(at(5, 5, 300, 200), {410, 320}, {10, 20});
  EXPECT_EQ(r, at(400, 300, 300, 200));
}

TEST(Snapping, TheMainWindowSnapsWithinTheDistanceOfTheScreenEdges) {
  const int D = 11, W = 800, H = 600, work_bottom = kWorkH;
  struct Case {
    const char* name;
    Edges dragged, snapped;
  };
  const Case cases[] = {
      {"10 from the left", at(10, 200, W, H), at(0, 200, W, H)},
      {"11 from the left stays", at(11, 200, W, H), at(11, 200, W, H)},
      {"10 past the left", at(-10, 200, W, H), at(0, 200, W, H)},
      {"near the top", at(300, 7, W, H), at(300, 0, W, H)},
      {"near the right", at(kScreenW - W - 5, 200, W, H), at(kScreenW - W, 200, W, H)},
      {"near the work area's bottom", at(300, work_bottom - H + 4, W, H), at(300, work_bottom - H, W, H)},
      {"near the screen's bottom behind the taskbar", at(300, kScreenH - H - 6, W, H), at(300, kScreenH - H, W, H)},
      {"in a corner", at(-3, 4, W, H), at(0, 0, W, H)},
      {"in the middle", at(300, 200, W, H), at(300, 200, W, H)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(snap_to_screen(c.dragged, D, kScreenW, kScreenH, work_bottom), c.snapped);
  }
}

TEST(Snapping, AToolWindowSnapsToTheAnchorFromOutsideAndInside) {
  const int D = 11, w = 200, h = 100;
  const Edges anchor = at(500, 300, 800, 600);  // right 1300, bottom 900
  struct Case {
    const char* name;
    Edges dragged, snapped;
  };
  const Case cases[] = {
      {"right of the anchor", at(1305, 450, w, h), at(1300, 450, w, h)},
      {"left of the anchor", at(500 - w - 8, 450, w, h), at(300, 450, w, h)},
      {"above the anchor", at(700, 300 - h + 6, w, h), at(700, 200, w, h)},
      {"below the anchor", at(700, 905, w, h), at(700, 900, w, h)},
      {"inside at its left", at(509, 450, w, h), at(500, 450, w, h)},
      {"inside at its top", at(700, 295, w, h), at(700, 300, w, h)},
      {"inside at its right", at(1300 - w - 3, 450, w, h), at(1100, 450, w, h)},
      {"inside at its bottom", at(700, 900 - h + 10, w, h), at(700, 800, w, h)},
      {"far away", at(40, 40, w, h), at(40, 40, w, h)},
      {"11 off stays", at(1311, 450, w, h), at(1311, 450, w, h)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(snap_to_anchor(c.dragged, D, anchor), c.snapped);
  }
}

TEST(Snapping, AConfinedToolWindowIsPutBackInsideItsAnchor) {
  const Edges anchor = at(500, 300, 800, 600);
  struct Case {
    const char* name;
    Edges dragged, kept;
  };
  const Case cases[] = {
      {"out at the left", at(450, 400, 200, 100), at(500, 400, 200, 100)},
      {"out at the top", at(600, 250, 200, 100), at(600, 300, 200, 100)},
      {"out at the right", at(1200, 400, 200, 100), at(1100, 400, 200, 100)},
      {"out at the bottom", at(600, 850, 200, 100), at(600, 800, 200, 100)},
      {"out at a corner", at(1250, 880, 200, 100), at(1100, 800, 200, 100)},
      {"inside", at(600, 400, 200, 100), at(600, 400, 200, 100)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(confine_to_anchor(c.dragged, 200, 100, anchor), c.kept);
  }
}

TEST(MiniBar, AMovedBarSnapsToTheScreenEdgesAndOntoTheTaskbar) {
  const int W = 305, H = 48, w = 100, h = 21;
  struct Case {
    const char* name;
    Edges moved, snapped;
  };
  const Case cases[] = {
      {"11 from the left", at(11, 300, W, H), at(0, 300, W, H)},
      {"12 from the left stays", at(12, 300, W, H), at(12, 300, W, H)},
      {"11 past the left", at(-11, 300, W, H), at(0, 300, W, H)},
      {"near the right", at(kScreenW - W - 11, 300, W, H), at(kScreenW - W, 300, W, H)},
      {"past the right", at(kScreenW - W + 7, 300, W, H), at(kScreenW - W, 300, W, H)},
      {"near the top", at(500, -9, W, H), at(500, 0, W, H)},
      {"its bottom near the work area's", at(500, kWorkH - H - 11, W, H), at(500, kWorkH - H, W, H)},
      {"in a corner", at(8, 6, W, H), at(0, 0, W, H)},
      // The compact clock dragged onto the taskbar sits on the work area's bottom.
      {"the clock onto the taskbar", at(500, kWorkH + 4, w, h), at(500, kWorkH, w, h)},
      {"the clock just above the taskbar", at(500, kWorkH - 5, w, h), at(500, kWorkH, w, h)},
      {"the clock at the screen's bottom", at(500, kScreenH - h - 3, w, h), at(500, kScreenH - h, w, h)},
      {"the clock in the middle of the taskbar", at(500, kWorkH + 9, w, h), at(500, kWorkH + 9, w, h)},
      {"in the middle", at(500, 300, W, H), at(500, 300, W, H)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Edges once = snap_mini_bar(c.moved, kScreenW, kScreenH, kWorkH);
    EXPECT_EQ(once, c.snapped);
    // The moved event corrects the place it moved the bar to again: nothing more moves.
    EXPECT_EQ(snap_mini_bar(once, kScreenW, kScreenH, kWorkH), once);
  }
}

TEST(MiniBar, ASwitchOfFormKeepsTheBarOnTheScreen) {
  struct Case {
    const char* name;
    int left, width;
    bool full;
    int kept;
  };
  const Case cases[] = {
      {"the clock off the left", -5, 100, false, 0},
      {"the bar off the left", -5, 305, true, 0},
      {"the bar past the right", kScreenW - 200, 305, true, kScreenW - 305},
      {"the bar just inside", kScreenW - 305, 305, true, kScreenW - 305},
      {"the clock past the right stays", kScreenW - 60, 100, false, kScreenW - 60},
      {"in the middle", 700, 305, true, 700},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(mini_bar_left_after_switch(c.left, c.width, c.full, kScreenW), c.kept);
  }
  EXPECT_EQ(mini_bar_top_after_switch(kWorkH + 5, 48, kWorkH), kWorkH - 48);
  EXPECT_EQ(mini_bar_top_after_switch(kWorkH, 48, kWorkH), kWorkH);  // on the bottom, not below it
  EXPECT_EQ(mini_bar_top_after_switch(300, 21, kWorkH), 300);
}

TEST(CaptionReach, AWindowIsKeptWhereItsCaptionCanBeGrabbed) {
  // The work area above a taskbar, and a second screen 60 pixels to its right (its taskbar on
  // its left side).
  const std::vector<Edges> one = {at(0, 0, kScreenW, kWorkH)};
  const std::vector<Edges> two = {one[0], at(kScreenW + 60, 0, 1220, 1024)};
  const int W = 788, H = 597, least = 40;
  const CaptionGrip grip{28, W - 230, 32};
  struct Case {
    const char* name;
    const std::vector<Edges>* areas;
    Edges window, kept;
  };
  const Case cases[] = {
      {"inside", &one, at(300, 200, W, H), at(300, 200, W, H)},
      {"partly off the left, the grip still shown", &one, at(-500, 200, W, H), at(-500, 200, W, H)},
      {"off the left and the top", &one, at(-333, -464, W, H), at(-333, 0, W, H)},
      {"far off the left", &one, at(-3000, 200, W, H), at(least - (W - 230), 200, W, H)},
      {"only its buttons on the screen", &one, at(kScreenW - 50, 200, W, H), at(kScreenW - least - 28, 200, W, H)},
      {"above the screen", &one, at(300, -20, W, H), at(300, 0, W, H)},
      {"its caption behind the taskbar", &one, at(300, kWorkH - 10, W, H), at(300, kWorkH - 32, W, H)},
      {"far below", &one, at(300, 3000, W, H), at(300, kWorkH - 32, W, H)},
      {"on the second screen", &two, at(kScreenW + 300, 100, W, H), at(kScreenW + 300, 100, W, H)},
      {"over both screens", &two, at(kScreenW - 400, 100, W, H), at(kScreenW - 400, 100, W, H)},
      {"above the second screen", &two, at(kScreenW + 300, -200, W, H), at(kScreenW + 300, 0, W, H)},
      {"past the second screen", &two, at(kScreenW + 1330, 100, W, H), at(kScreenW + 1280 - least - 28, 100, W, H)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Edges kept = keep_caption_reachable(c.window, grip, *c.areas, least);
    EXPECT_EQ(kept, c.kept);
    EXPECT_EQ(keep_caption_reachable(kept, grip, *c.areas, least), kept);  // nothing more moves
  }
  // A grip narrower than the least part needs all of itself; a caption taller than the area
  // begins at its top; without screens nothing moves.
  EXPECT_EQ(keep_caption_reachable(at(-150, 10, 200, 100), {20, 30, 24}, one, least), at(-20, 10, 200, 100));
  EXPECT_EQ(keep_caption_reachable(at(10, 50, 200, 100), {0, 200, 60}, {at(0, 0, 800, 40)}, least),
            at(10, 0, 200, 100));
  EXPECT_EQ(keep_caption_reachable(at(-900, -900, 200, 100), grip, {}, least), at(-900, -900, 200, 100));
}

TEST(CaptionReach, AWindowBelongsToTheScreenItSharesMostWith) {
  const std::vector<Edges> areas = {at(0, 0, 1280, 1024), at(1280, 0, 1280, 1024)};
  EXPECT_EQ(nearest_area(at(100, 100, 300, 200), areas), 0);
  EXPECT_EQ(nearest_area(at(1200, 100, 300, 200), areas), 1);   // more of it on the second
  EXPECT_EQ(nearest_area(at(3000, 100, 300, 200), areas), 1);   // off both: the nearer
  EXPECT_EQ(nearest_area(at(-900, -900, 300, 200), areas), 0);
  EXPECT_EQ(nearest_area(at(0, 0, 10, 10), {}), -1);
}

TEST(MiniBar, TheSuggestionPopupGoesUnderTheBoxWhenThereIsRoom) {
  const int popup = 150, box = 15;
  EXPECT_EQ(place_suggestion_popup(136, 100, box, popup, kScreenH), (PopupPlace{136, 115, -1}));
  // Exactly the popup's height left below.
  EXPECT_EQ(place_suggestion_popup(136, kScreenH - popup - box, box, popup, kScreenH),
            (PopupPlace{136, kScreenH - popup, -1}));
  EXPECT_EQ(place_suggestion_popup(136, kScreenH - popup - box + 1, box, popup, kScreenH),
            (PopupPlace{136, kScreenH - 2 * popup - box + 1, 1}));
}

}  // namespace
