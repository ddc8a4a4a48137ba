#include "app/commands.h"

#include "forms/main_window_form.h"

void give_focus_back_to_page() {
  MainWindowForm& w = main_window();
  rt::EditBox& editor = w.编辑框_文本类容;
  // A prompt's or a dialog's end activates the main window again, but gives the keyboard back to
  // whatever unit had it before: a menu button or the File button, where typing goes nowhere.
  if (!w.loaded() || !w.visible() || w.minimized() || w.disabled() || !w.is_active()) return;
  if (!editor.visible() || editor.disabled() || editor.has_focus()) return;
  editor.set_focus();
}

void popup_main_window_menu(rt::MenuItem& menu, int screen_x, int screen_y) {
  main_window().超级菜单.popup(menu, screen_x, screen_y);
  give_focus_back_to_page();
}
