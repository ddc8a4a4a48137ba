#include "app/tray_menu.h"

#include "app/command_items.h"
#include "forms/main_window_form.h"
#include "runtime/mouse_input.h"

namespace {

constexpr const char* kTrayMenu = "托盘菜单(&T)";

rt::MenuItem* tray_menu() { return main_window().超级菜单.menu(kTrayMenu); }

}  // namespace

void set_item_visible_with_separator(rt::MenuItem& menu, Command command, bool visible) {
  rt::MenuItem* before = nullptr;
  for (rt::MenuItem& item : menu.items()) {
    if (!item.is_separator() && item.command == static_cast<int>(command)) {
      item.hidden = !visible;
      if (before && before->is_separator()) before->hidden = !visible;
      return;
    }
    before = &item;
  }
}

void set_tray_read_aloud_item_visible(bool visible) {
  if (rt::MenuItem* menu = tray_menu()) set_item_visible_with_separator(*menu, Command::ReadAloudFromTray, visible);
}

void set_tray_normal_mode_item_visible(bool visible) {
  if (rt::MenuItem* menu = tray_menu()) set_item_visible_with_separator(*menu, Command::LeaveMiniMode, visible);
}

void popup_tray_menu_at_cursor() {
  rt::MenuItem* menu = tray_menu();
  if (!menu) return;
  rt::Point p = rt::cursor_position();
  popup_main_window_menu(*menu, p.x, p.y);
}
