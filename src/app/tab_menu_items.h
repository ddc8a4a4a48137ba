#pragma once
// The main window's two menus of a tab, "标签菜单" (the current tab) and "标签菜单_不是当前标签"
// (another tab), in its popup-menu unit 超级菜单: their items, captions and commands.
#include "runtime/popup_menu.h"

class MainWindowForm;

struct TabMenuItems {
  rt::MenuItem* current = nullptr;  // "标签菜单"
  rt::MenuItem* other = nullptr;    // "标签菜单_不是当前标签"
  // The batch item, whose caption names the kind of batch file, and the separators above it
  // and above "恢复备份(&H)".
  rt::MenuItem* batch = nullptr;
  rt::MenuItem* batch_separator = nullptr;
  rt::MenuItem* restore_separator = nullptr;
};

// Adds both menus to 超级菜单 (the unit starts without menus at each load of the window).
void build_tab_menus(MainWindowForm& w);
// The items of the menus the last build made.
TabMenuItems& tab_menu_items();
