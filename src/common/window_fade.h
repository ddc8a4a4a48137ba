#pragma once
// Showing and hiding every window of the program, with a fade and slide when fading is on.
#include <functional>
#include <vector>

#include "runtime/window.h"

// Whether the system can fade windows at all (every system but the 9x line, told at start-up).
void set_not_win9x(int not_win9x);

// Shows (show = true) or hides a loaded window; a window being shown is centred over the main
// window unless keep_position.
// Hiding a window that does not show (invisible, or transparent already) has nothing to fade:
// it is made transparent at once, where it is.
void show_window_faded(rt::Window& window, bool show, bool keep_position = false);
// Runs work now, or, while the main window fades in (disabled, its waits dispatching whatever
// comes), hands it to the UI thread once the window stands.
void after_main_window_fade_in(std::function<void()> work);
// The main window counts as fading in while one of these lives: its show fade holds one, and so
// does a way back to it that fades another window out first (leaving mini mode).
class MainWindowFadingIn {
 public:
  MainWindowFadingIn();
  ~MainWindowFadingIn();
  MainWindowFadingIn(const MainWindowFadingIn&) = delete;
  MainWindowFadingIn& operator=(const MainWindowFadingIn&) = delete;
};
// Hides the loaded windows in one fade, all at the same steps, as show_window_faded hides one:
// the time of a single fade however many there are.
void hide_windows_faded_together(const std::vector<rt::Window*>& windows);
void set_tool_windows_topmost(bool on);
// MoveWindow: 1 on success.
int move_window(rt::Window& window, int left, int top, int width, int height, bool repaint = true);
int move_window(rt::WindowHandle window, int left, int top, int width, int height, bool repaint = true);
// The placement show_window_faded gives a window over the main window.
void centre_over_main_window(rt::Window& window);
