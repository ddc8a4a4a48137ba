#pragma once
// Helpers for interface tests: real windows, real messages, bounded waits.
#include <functional>
#include <string>

#include "runtime/app.h"
#include "runtime/popup_menu.h"
#include "runtime/system.h"
#include "runtime/unit.h"
#include "runtime/window.h"

namespace ui_test {

// Dispatches messages until done() holds; fails the test after timeout_ms.
bool wait_for(const std::function<bool()>& done, int timeout_ms = 5000);
// Lets pending messages run for a moment.
void settle(int ms = 50);

// The user's mouse and keyboard, as messages to the unit's real window.
void click(rt::Unit& unit, int x = 3, int y = 3);
// Modifiers (rt::kCtrl, kShift) are held during the double click.
void double_click(rt::Unit& unit, int x = 3, int y = 3, int modifiers = 0);
void right_click(rt::Unit& unit, int x = 3, int y = 3);
// A right click on a control that follows the mouse itself until the next button message (the
// list view looks for a drag that way): the release is queued before the press is handled.
void right_click_queued(rt::Unit& unit, int x = 3, int y = 3);
// A key pressed while the unit has the focus (modifiers: rt::kCtrl, kShift, kAlt).
void press_key(rt::Unit& unit, int virtual_key, int modifiers = 0);
// Types GBK text as characters into the unit.
void type_text(rt::Unit& unit, const std::string& text);
// The user's keyboard, through the system's input queue: the key goes wherever the keyboard
// focus is now (nowhere when no window has it), as a real key does. Modifiers as above.
void key_from_keyboard(int virtual_key, int modifiers = 0);
// The same key queued without handling any message: for a loop of the system's own that takes
// it there (an open menu, from inside the menu hook).
void queue_key_from_keyboard(int virtual_key, int modifiers = 0);
// ASCII letters, digits and spaces typed on that keyboard.
void type_from_keyboard(const std::string& text);

// The real mouse, through the system's input queue: the pointer goes to the screen point and
// stays there (each event carries its place, and a move undone by an earlier warp is made again).
void move_pointer(int x, int y);
// The user's left click through the system's input queue, where the unit shows under the
// pointer (its window is activated as a real click activates it).
void click_with_pointer(rt::Unit& unit);
// The same with the right button.
void right_click_with_pointer(rt::Unit& unit);
// A screen point of the unit where it is the window under the pointer (the test fails when it
// shows nowhere).
rt::Point point_on(rt::Unit& unit);
// The user's drag of a unit with the left button, by (dx, dy) in steps: its window comes to the
// front, the button goes down on the unit and, once the system's move or sizing loop runs (the
// press starts it inside this thread's messages), the pointer moves and the button comes up.
// Returns when the loop has ended (bounded).
void drag(rt::Unit& unit, int dx, int dy, int steps = 6);
// The same from a screen point where the unit shows (its part still on the screen, say).
void drag_from(rt::Unit& unit, rt::Point from, int dx, int dy, int steps = 6);

// The user's mouse on a tray icon of the owner window in Wine's notification area: where the
// icon lies there (a point of the taskbar window, found by pointing at each place in turn until
// the owner hears of its icon; x < 0 when the shell shows none), and a mouse message on it as the
// shell gets it (WM_LBUTTONUP, WM_RBUTTONUP, ...).
rt::Point find_tray_icon(rt::Window& owner);
void mouse_on_tray_icon(rt::Point icon, unsigned message);
// The owner's menu that a right click on the icon pops up: the items it showed; `then` acts
// inside it (without it the menu is closed by Esc).
std::vector<rt::PopupMenu::ShownItem> tray_icon_menu(rt::PopupMenu& menus, rt::Point icon,
                                                     const std::function<void(rt::PopupMenu&)>& then = {});
// The colour (Windows RGB) the unit's window shows at (x, y) of its client area once it has
// painted itself anew.
unsigned drawn_pixel(rt::Unit& unit, int x, int y);

// The class name and caption of a window handle (GBK).
std::string class_name(rt::WindowHandle h);
std::string window_text(rt::WindowHandle h);
// Child windows of h with the given class, in Z order.
std::vector<rt::WindowHandle> children_of_class(rt::WindowHandle h, const std::string& cls);

// Answers the program's own message boxes from now on, one code per box in order (0 OK,
// 1 Cancel, 2 Abort, 3 Retry, 4 Ignore, 5 Yes, 6 No) by clicking the real button; a box beyond
// the list is answered with its close button. Counts the boxes in *shown when given. An empty
// list stops answering.
void answer_message_boxes(std::vector<int> codes, int* shown = nullptr);

// When VELMORA_SHOTS names a folder, writes the screen there as NAME.bmp (tools/shots.sh
// turns them into PNG files); otherwise does nothing.
void screenshot(const std::string& name);

}  // namespace ui_test
