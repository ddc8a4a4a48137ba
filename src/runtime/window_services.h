#pragma once
// Operations on any window by its handle, ours or another program's.
#include <string>
#include <string_view>
#include <vector>

#include "runtime/app.h"
#include "runtime/unit.h"

namespace rt {

// Child windows of parent with the class and, when given, the title (FindWindowEx order).
std::vector<WindowHandle> find_child_windows(WindowHandle parent, std::string_view cls, std::string_view title = {});
// Sends WM_CLOSE.
void close_window(WindowHandle window);
std::string window_class_name(WindowHandle window);
std::string window_text(WindowHandle window);
bool window_exists(WindowHandle window);
// MoveWindow: the window's place and size on the screen (a top-level window) or in its parent;
// false when the system refused it.
bool move_window(WindowHandle window, int left, int top, int width, int height, bool repaint = true);
// The window's rectangle on the screen, frame included; empty when there is no such window.
Rect window_rect(WindowHandle window);
// Whether the user can size the window by its frame (a sizing border): a window without one
// lays its controls out for its own size and takes no other.
bool window_has_sizing_border(WindowHandle window);
// The window made layered with the opacity 0..255.
void set_window_alpha(WindowHandle window, int alpha);
// SendMessage, for the few places where the program speaks to a window in its own words.
intptr_t send_message(WindowHandle window, unsigned msg, uintptr_t wparam, intptr_t lparam);
// SetCapture: the window gets the mouse's messages wherever the pointer goes, until released.
void capture_mouse(WindowHandle window);
void release_mouse_capture();
// What the window shows on the screen now, frame included, as the bytes of a BMP file (24 bits
// per pixel); "" when it has no size or cannot be read.
std::string window_picture_bmp(WindowHandle window);
// Fills the MINMAXINFO a WM_GETMINMAXINFO message carries.
struct Size {
  int width = 0, height = 0;
};
struct Position {
  int left = 0, top = 0;
};
void set_min_max_info(intptr_t lparam, Size min_track, Size max_track, Position max_position, Size max_size);
// The rectangle a WM_MOVING or WM_SIZING message carries, in screen pixels (right and bottom
// just past the window), read and written back.
struct MessageRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};
MessageRect read_message_rect(intptr_t lparam);
void write_message_rect(intptr_t lparam, const MessageRect& r);

}  // namespace rt
