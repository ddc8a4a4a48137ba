#pragma once
// The main window's own frame: sizing and moving from the drawn frame, maximize and restore,
// half-screen docking, and the layout on every resize.
#include "common/window_rules.h"
#include "runtime/window.h"

class MainWindowForm;

// The main window is maximized (by toggle_maximize).
bool main_window_maximized();
// The frame's labels move the window (not while it is maximized).
bool frame_drag_enabled();
void enable_frame_drag(bool on);
// Whether leaving the maximized state puts back the place kept before it (docking says no).
void set_restore_on_unmaximize(bool on);
// The place the window goes back to when it leaves the maximized state.
void set_restore_rect(int width, int height, int left, int top);
// A fresh start: not maximized, not docked, no drags, the default place to go back to.
void reset_main_frame();

void bind_frame_events(MainWindowForm& w);
void layout_main_window();
// The main window's moved event: the cloud input window stays at the caret, the message box and
// (unless the option keeps them) the tool windows are centred over the main window again, the
// typing-output window goes to its place by the caption's buttons, and the position is
// remembered.
void on_main_window_moved();
// Hides or shows the toolbar; the tab strip and the edit box move up into its place or back
// below it.
void set_toolbar_hidden(bool hidden);
void toggle_maximize();
// The maximize button's tip names what a click does now: "最大化程序", or "还原" while maximized.
void set_maximize_button_tip();
// The part of the caption a press moves the main window by: from the program icon to the clock
// (to the buttons without it), at the window's width now.
CaptionGrip main_caption_grip();
// Store: the window's rectangle into the record; else back to it, kept where the caption can
// be reached on the screens there are now.
void keep_restore_rect(bool store);
void keep_dock_rect(bool store);
void enable_resize_labels(bool on);
// Ctrl+Alt+Left (to_left) and Ctrl+Alt+Right: dock to a screen half, or undock.
void dock_half_screen(bool to_left);
// Ctrl+Down: restore when maximized, undock when docked, otherwise minimize.
void restore_or_minimize();
void minimize_main_window();
// The main window's size limits: at least min_w x min_h, at most its screen's work area, which
// it fills maximized.
void confine_min_max_size(rt::Window& window, int min_w, int min_h);
// The rectangle the window fills maximized: the work area of the screen it is on (without the
// taskbar wherever that lies), as the system tells it now.
Edges maximized_area(const rt::Window& window);
