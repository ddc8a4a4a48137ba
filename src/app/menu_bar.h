#pragma once
// The graphic menu bar: five picture buttons under the caption that pop up the main window's
// menus, the hover tracking that slides from menu to menu, the program menu of the icon and the
// caption, and the status-line hint of the highlighted item.
#include <string_view>

#include "app/menu_rules.h"
#include "runtime/graphic_button.h"
#include "runtime/popup_menu.h"

class MainWindowForm;

// The bar's menu that is open: kNoMenu, kFileMenu .. kHelpMenu.
int open_menu();
// A fresh start: no menu open.
void reset_menu_bar();

void open_file_menu();
void open_edit_menu();
void open_extra_menu();
void open_settings_menu();
void open_help_menu();
// Exchanges the button's normal and pressed pictures (the button shows pressed while its menu
// is open).
void swap_button_pictures(rt::GraphicButton& button);
// Tick of 时钟_菜单显示: a pointer over another button of the bar clicks there.
void track_menu_bar_hover();
// Synthetic mouse input at a screen point; action as in mouse_action_flags.
void simulate_mouse(int x, int y, int action);
// The popup-menu unit's closed event, for every menu of the window.
void on_menu_closed();
void popup_program_menu_under_icon();
void popup_program_menu_at_cursor();
// The program menu at a screen point (a right button released on the caption).
void popup_program_menu_at(int x, int y);
// True when the edit box's text holds none of the characters 0 to 9.
bool text_has_no_digit();
// The item-highlighted event: the item's caption up to "(" into the status label.
void show_menu_item_hint(rt::MenuItem& item);

void bind_menu_bar(MainWindowForm& w);
