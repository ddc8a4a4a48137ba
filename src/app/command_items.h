#pragma once
// The main window's menu items by the command they show, and the keyboard's way back to the page
// after a command. Needs nothing of the command table: the pieces that keep a command's items
// disabled or ticked use this.
#include <vector>

#include "app/command_ids.h"
#include "runtime/popup_menu.h"

// The first item of the main window's menus that shows the command, or null; every one of them.
rt::MenuItem* find_command_item(Command id);
std::vector<rt::MenuItem*> find_command_items(Command id);
void set_command_disabled(Command id, bool disabled);

// After a command: the keyboard goes back to the page, unless the command left another window
// active (a tool window it opened) or the main window is not in front to take it.
void give_focus_back_to_page();
// A menu of the main window, popped up at the screen point; when it closes, its item has run and
// the keyboard goes back to the page.
void popup_main_window_menu(rt::MenuItem& menu, int screen_x, int screen_y);
