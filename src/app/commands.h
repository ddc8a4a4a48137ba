#pragma once
// What every command of the main window shares, whichever source ran it.
#include "runtime/popup_menu.h"

// After a command: the keyboard goes back to the page, unless the command left another window
// active (a tool window it opened) or the main window is not in front to take it.
void give_focus_back_to_page();
// A menu of the main window, popped up at the screen point; when it closes, its item has run and
// the keyboard goes back to the page.
void popup_main_window_menu(rt::MenuItem& menu, int screen_x, int screen_y);
