#pragma once
// Window snapping: the frameless main window snaps to the screen's edges while it is dragged by
// its caption, tool windows snap to the main window or are kept inside it, and the tool windows
// follow the main window when it moves. Each is a hook layer of its own on the window's moving
// messages, removed on its own.
#include "runtime/window.h"

// Snaps the window to the screen's edges and the work area's bottom while it is dragged by its
// caption, within distance pixels. A second call for the same window replaces the first.
void enable_window_snapping(rt::Window& window, int distance);
// Removes that snapping layer; the window's other layers stay.
void disable_window_snapping(rt::Window& window);
// Keeps the child inside the anchor while the child is dragged.
void confine_child_window(rt::Window& child, rt::Window& anchor);
// Snaps the child to the anchor's edges, from outside and inside, while the child is dragged.
// Each child keeps its own anchor and distance.
void snap_child_window(rt::Window& child, rt::Window& anchor, int distance);

// The typing-output window's place: at the main window's right edge, just under its caption, so
// that the clock and the caption's buttons stay in sight (and within reach on the screens).
void place_by_main_caption_buttons(rt::Window& window);

