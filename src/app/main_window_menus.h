#pragma once
// The main window's menus: every item with its caption, image and command, in one place.
class MainWindowForm;

// Fills 超级菜单 with the menu bar's five menus and the program menu.
void build_main_window_menus(MainWindowForm& w);
