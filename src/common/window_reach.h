#pragma once
// The main window and the tool windows stay where their caption can be reached on the screens
// there are now (the rule in common/window_rules.h): a stored place, a drag by any part of the
// window, a change of the screens.
#include <functional>
#include <vector>

#include "common/window_rules.h"
#include "runtime/window.h"

// The least part of a caption's grip that stays on a screen.
constexpr int kReachableGrip = 40;

// The work areas of the screens now, the primary one first.
std::vector<Edges> screen_work_areas();
// The work area of the screen the rectangle belongs to (nearest_area).
Edges work_area_of(const Edges& rect);
// The window's rectangle by its edges.
Edges window_edges(const rt::Window& window);

// Where the window's caption can be reached from that rectangle (the rectangle itself when it
// can be).
Edges reachable_place(const Edges& rect, const CaptionGrip& grip);
// Moves the loaded window there, when it is not there already.
void keep_window_reachable(rt::Window& window, const CaptionGrip& grip);
// The same with the grip its layer knows (below); nothing for a window without the layer.
void keep_window_reachable(rt::Window& window);

// A layer of the window, once per window and gone with it: the rectangle a drag proposes (a move
// by the caption, the status line or a frame strip) is kept where the caption can be reached,
// after the other layers have placed it, and a change of the screens puts the window back within
// reach. The grip is asked for each time, as the window's layout may have changed it.
void keep_reachable_while_moved(rt::Window& window, std::function<CaptionGrip()> grip);
