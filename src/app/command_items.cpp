#include "app/command_items.h"

#include "forms/main_window_form.h"

namespace {

void collect(rt::MenuItem& menu, int id, std::vector<rt::MenuItem*>& found) {
  for (rt::MenuItem& item : menu.items()) {
    if (item.command == id) found.push_back(&item);
    collect(item, id, found);
  }
}

}  // namespace

std::vector<rt::MenuItem*> find_command_items(Command id) {
  std::vector<rt::MenuItem*> found;
  for (rt::MenuItem& menu : main_window().超级菜单.menus()) {
    if (menu.command == static_cast<int>(id)) found.push_back(&menu);
    collect(menu, static_cast<int>(id), found);
  }
  return found;
}

rt::MenuItem* find_command_item(Command id) {
  std::vector<rt::MenuItem*> found = find_command_items(id);
  return found.empty() ? nullptr : found.front();
}

void set_command_disabled(Command id, bool disabled) {
  for (rt::MenuItem* item : find_command_items(id)) item->disabled = disabled;
}

void give_focus_back_to_page() {
  MainWindowForm& m = main_window();
  rt::EditBox& box = m.编辑框_文本类容;
  // A prompt's or a dialog's end activates the main window again, but gives the keyboard back to
  // whatever unit had it before: a menu button or the File button, where typing goes nowhere.
  if (!m.loaded() || !m.visible() || m.minimized() || m.disabled() || !m.is_active()) return;
  if (!box.visible() || box.disabled() || box.has_focus()) return;
  box.set_focus();
}

void popup_main_window_menu(rt::MenuItem& menu, int screen_x, int screen_y) {
  main_window().超级菜单.popup(menu, screen_x, screen_y);
  give_focus_back_to_page();
}
