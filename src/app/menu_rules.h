#pragma once
// The rules of the graphic menu bar that need no window: which menu lies under the pointer,
// what a simulated click sends, the hint of a menu item and the states of some items.
#include <string>
#include <string_view>
#include <vector>

// The bar's buttons: 1 File, 2 Edit, 3 Extra, 4 Settings, 5 Help; 0 none.
enum MenuBarMenu : int { kNoMenu = 0, kFileMenu = 1, kEditMenu, kExtraMenu, kSettingsMenu, kHelpMenu };
// Width and height of one bar button; the row ends 239 pixels right of the window's left edge.
constexpr int kMenuBarButtonWidth = 47, kMenuBarButtonHeight = 23, kMenuBarRight = 239;

// The menu whose button lies under the screen point (x, y), for a window at (window_left,
// window_top) whose File button is at (bar_left, bar_top) in it; kNoMenu outside the strip.
int menu_bar_menu_at(int x, int y, int window_left, int window_top, int bar_left, int bar_top);

// A screen coordinate as mouse_event's absolute coordinate (0..65535 across the screen).
int absolute_mouse_coordinate(int value, int screen_size);
// The mouse_event flags a simulated action sends after moving the pointer, in order: -1 none,
// 0 and 1 one and two left clicks, 2 and 3 one and two right clicks, 4 and 5 one and two middle
// clicks, 6/7 left down/up, 8/9 right down/up, 10/11 middle down/up, any other one left click.
std::vector<unsigned> mouse_action_flags(int action);

// The status-line hint of a menu item: its caption up to the first "(" (stepping over double-
// byte characters); empty when the caption has none.
std::string menu_item_hint(std::string_view caption);

// True when none of the characters 0 to 9 occurs in the text.
bool text_has_no_digit(std::string_view text);

// The Extra menu's saved-tab item, from the saved tab set's text: "保存打开标签(&B)" while the
// set is empty, enabled when some open page has a path to save; "载入保存标签(&B)" while it
// holds text, enabled.
struct SavedTabItemState {
  std::string caption;
  bool enabled = false;
};
SavedTabItemState saved_tab_item_state(std::string_view tab_set_text, bool some_page_has_path);
