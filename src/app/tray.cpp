#include "app/tray.h"

#include "app/commands.h"
#include "app/edge_hide.h"
#include "common/frame_art.h"
#include "forms/main_window_form.h"
#include "runtime/mouse_input.h"

namespace {

constexpr const char* kTrayMenu = "托盘菜单(&T)";

rt::MenuItem* tray_menu() { return main_window().超级菜单.menu(kTrayMenu); }

}  // namespace

bool mini_mode_loaded() { return rt::Window::find_loaded("Velmora_迷你模式") != nullptr; }

bool add_tray_icon() { return main_window().托盘图标.add(program_icon_picture(), kTrayTip); }

void remove_tray_icon() { main_window().托盘图标.remove(); }

void on_tray_event(int type) {
  MainWindowForm& w = main_window();
  leave_edge_hide();
  bool mini = mini_mode_loaded();
  if (!mini) w.set_visible(true);
  switch (type) {
    case 1:
    case 2:
      // Back from the task bar to the state it had; a window that is not minimized keeps its
      // state (a maximized one stays maximized), and mini mode keeps it hidden.
      if (!mini) w.restore_if_minimized();
      break;
    case 3:
      popup_tray_menu_at_cursor();
      break;
    default:
      break;
  }
}

void popup_tray_menu_at_cursor() {
  rt::MenuItem* menu = tray_menu();
  if (!menu) return;
  rt::Point p = rt::cursor_position();
  popup_main_window_menu(*menu, p.x, p.y);
}

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
