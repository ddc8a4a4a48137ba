#pragma once
// The two right-click menus of a tab: "标签菜单" for the current tab and "标签菜单_不是当前标签"
// for another one, and the states of their items.
#include <map>
#include <string>

#include "app/command_ids.h"

struct TabMenuItemState {
  bool shown = true;
  bool enabled = true;
};

// The states of the items that depend on the pages, by command; an item not listed is shown
// and enabled.
struct TabMenuStates {
  std::map<Command, TabMenuItemState> items;
  // The batch item "运行批处理" takes this caption when it is shown.
  std::string batch_caption;
  // The separators above the batch and lyrics items and above "恢复备份(&H)".
  bool batch_separator = false;
  bool restore_separator = false;

  TabMenuItemState operator[](Command command) const;
};

// The item states of "标签菜单" for the current tab, from the pages, the files and the edit box.
TabMenuStates current_tab_menu_states();
// The item states of "标签菜单_不是当前标签" for tab index.
TabMenuStates other_tab_menu_states(int index);

// The tab control's right click on the tab at index: the menu of that tab, its items set to
// their states, at the mouse's screen position.
void on_tab_right_click(int index, int screen_x, int screen_y);
