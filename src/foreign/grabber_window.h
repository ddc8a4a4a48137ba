#pragma once
// The reader window "取窗口组件内容": the user presses a mouse button on the finder, drags the
// pointer over a window of any program and lets go. Meanwhile the window under the pointer is
// outlined by a flashing frame and read: with the left button its contents by its class, with
// the right button the menu bar of its parent (or its own, for a top-level window). A handle
// typed into the handle box is read with Enter; F5 in the text box writes the text back into
// the window of that handle.
#include <string>

#include "runtime/app.h"

namespace rt {
class PopupMenu;
}

// The window's state; handles are 0 while the window has not been activated once.
struct GrabberState {
  rt::WindowHandle grabber_window = nullptr;
  rt::WindowHandle finder_picture = nullptr;
  unsigned grab_frame_colour = 0xFF0000;  // Windows RGB; 0xFF0000 is blue
  int grab_frame_width = 2;
  int grab_flash_ms = 250;
  int grab_menu_mode = 0;  // 1 while a right-button pick lists menu texts
  int grab_capturing = 0;  // 1 while a pick holds the mouse
  // The window last read during a pick; the frame outlines it.
  rt::WindowHandle grab_target = nullptr;
};
const GrabberState& grabber_state();
// A fresh start: no window read, the standard frame.
void reset_grabber_window();

// The command of "复制组件标题(&O)": loads the window over the main window, or brings it forward.
void open_grabber_window();
// The close button and the may-close handler (also run at shutdown): ends a pick under way,
// fades the window out and destroys it at once.
void close_grabber_window();
void fade_out_grabber_window();

// The window's events.
void on_grabber_window_created();
void on_grabber_first_activation();
void start_control_grab();
void start_menu_grab();
void on_finder_mouse_move();
void end_finder_grab();
void end_finder_grab_right();
// Enter (13) in the handle box reads the window of the typed handle; other keys do nothing.
void read_entered_handle(int key);
// F5 (116) in the text box sends its text to the window of the handle box; other keys do nothing.
void write_text_to_target(int key);
void show_grabber_text_menu();
void drag_grabber_window();
// The items of the text box's edit menu 右键菜单, bound to their commands.
void build_grabber_text_menu(rt::PopupMenu& menus);
void grabber_text_undo();
void grabber_text_delete();
void grabber_text_cut();
void grabber_text_copy();
void grabber_text_paste();
void grabber_text_select_all();

// The frame's style: the two handles and the colour; width 0 gives 2, flash 0 gives 250 ms.
void set_finder_frame_style(rt::WindowHandle window, rt::WindowHandle finder, unsigned colour, int width = 0,
                            int flash = 0);
// Starts the frame timer (450 ms) and gives the mouse to the finder; and the reverse.
void begin_finder_capture();
void release_finder_capture();
// One flash: the frame around g_grab_target is drawn, stays g_grab_flash_ms, and is erased.
void flash_target_frame();
// The frame's rectangle on the screen for a window: its rectangle, with a left or top off the
// screen brought to 0.
struct GrabFrame {
  int left = 0, top = 0, right = 0, bottom = 0;
};
GrabFrame grab_frame_of(rt::WindowHandle window);
rt::WindowHandle window_under_cursor();
// The window's menu bar as lines: each top-level item, then the items of its submenu after a
// full-width space (one level). "" for a window without a menu bar.
std::string read_window_menu_texts(rt::WindowHandle window);
void set_grab_target(rt::WindowHandle window);
