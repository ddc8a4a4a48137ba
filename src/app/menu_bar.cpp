#include "app/menu_bar.h"

#include "app/commands.h"
#include "app/shortcuts.h"
#include "documents/open_files.h"
#include "forms/main_window_form.h"
#include "pages/page_display.h"
#include "pages/page_store.h"
#include "runtime/app.h"
#include "runtime/clipboard.h"
#include "runtime/files.h"
#include "runtime/gbk_text.h"
#include "runtime/mouse_input.h"
#include "runtime/system.h"

namespace {

// The bar's menu that is open: kNoMenu, kFileMenu .. kHelpMenu.
int g_open_menu = kNoMenu;

constexpr int kHoverInterval = 200;

rt::GraphicButton* bar_button(int menu) {
  MainWindowForm& w = main_window();
  switch (menu) {
    case kFileMenu:
      return &w.图形按钮_文件_菜单;
    case kEditMenu:
      return &w.图形按钮_编辑_菜单;
    case kExtraMenu:
      return &w.图形按钮_附加_菜单;
    case kSettingsMenu:
      return &w.图形按钮_设置_菜单;
    case kHelpMenu:
      return &w.图形按钮_帮助_菜单;
    default:
      return nullptr;
  }
}

const char* menu_caption(int menu) {
  static const char* const captions[] = {"", "文件(&F)", "编辑(&B)", "附加(&I)", "设置(&S)", "帮助(&H)"};
  return menu >= kFileMenu && menu <= kHelpMenu ? captions[menu] : "";
}

// The saved-tab item says what it will do: save the open tabs, or load the saved ones.
void set_saved_tab_item() {
  rt::MenuItem* item = find_command_item(Command::SaveOrLoadTabs);
  if (!item) return;
  std::string tab_set = rt::read_file(rt::program_directory() + "Velmora_保存标签.ini").value_or("");
  bool some_path = false;
  for (const PageRecord& p : pages()) some_path = some_path || !p.path.empty();
  SavedTabItemState s = saved_tab_item_state(tab_set, some_path);
  item->caption = s.caption;
  // An open run keeps it disabled until the run ends.
  item->disabled = !s.enabled || open_busy();
}

void open_bar_menu(int menu, void (*prepare)() = nullptr) {
  MainWindowForm& w = main_window();
  rt::MenuItem* items = w.超级菜单.menu(menu_caption(menu));
  if (!items || w.超级菜单.is_open()) return;
  g_open_menu = menu;
  rt::GraphicButton& button = *bar_button(menu);
  swap_button_pictures(button);
  apply_enabling_rules(*items);
  if (prepare) prepare();
  w.时钟_菜单显示.set_interval(kHoverInterval);
  rt::Rect r = w.rect();
  popup_main_window_menu(*items, r.left + button.left(), r.top + button.top() + button.height() - 1);
}

}  // namespace

int open_menu() { return g_open_menu; }

void reset_menu_bar() { g_open_menu = kNoMenu; }

void open_file_menu() { open_bar_menu(kFileMenu); }
void open_edit_menu() { open_bar_menu(kEditMenu); }
void open_extra_menu() { open_bar_menu(kExtraMenu, set_saved_tab_item); }
void open_settings_menu() { open_bar_menu(kSettingsMenu); }
void open_help_menu() { open_bar_menu(kHelpMenu); }

void swap_button_pictures(rt::GraphicButton& button) {
  rt::Picture normal = button.normal_picture();
  button.set_normal_picture(button.pressed_picture());
  button.set_pressed_picture(normal);
}

void track_menu_bar_hover() {
  MainWindowForm& w = main_window();
  rt::Point p = rt::cursor_position();
  rt::Rect r = w.rect();
  int menu = menu_bar_menu_at(p.x, p.y, r.left, r.top, w.图形按钮_文件_菜单.left(), w.图形按钮_文件_菜单.top());
  if (menu == kNoMenu || menu == g_open_menu) return;
  // The click closes the open menu and lands on the other button, which opens its own.
  simulate_mouse(p.x, p.y, 0);
}

void simulate_mouse(int x, int y, int action) {
  constexpr unsigned kMoveAbsolute = 0x8001;
  rt::mouse_input(kMoveAbsolute, absolute_mouse_coordinate(x, rt::screen_width()),
                  absolute_mouse_coordinate(y, rt::screen_height()));
  for (unsigned flags : mouse_action_flags(action)) rt::mouse_input(flags, 0, 0);
}

void on_menu_closed() {
  MainWindowForm& w = main_window();
  w.时钟_菜单显示.set_interval(0);
  if (rt::GraphicButton* button = bar_button(g_open_menu)) swap_button_pictures(*button);
  g_open_menu = kNoMenu;
  update_title_and_status(w.高级选择夹_标签.current());
}

void popup_program_menu_under_icon() {
  MainWindowForm& w = main_window();
  rt::Rect r = w.rect();
  if (rt::MenuItem* menu = w.超级菜单.menu("程序右键菜单(&C)"))
    popup_main_window_menu(*menu, r.left, r.top + w.图形按钮_程序图标.height());
}

void popup_program_menu_at(int x, int y) {
  MainWindowForm& w = main_window();
  if (rt::MenuItem* menu = w.超级菜单.menu("程序右键菜单(&C)")) popup_main_window_menu(*menu, x, y);
}

void popup_program_menu_at_cursor() {
  rt::Point p = rt::cursor_position();
  popup_program_menu_at(p.x, p.y);
}

bool text_has_no_digit() { return text_has_no_digit(main_window().编辑框_文本类容.text()); }

void show_menu_item_hint(rt::MenuItem& item) { main_window().透明标签_标签状态.set_text(menu_item_hint(item.caption)); }

void bind_menu_bar(MainWindowForm& w) {
  w.图形按钮_文件_菜单.on_click = open_file_menu;
  w.图形按钮_编辑_菜单.on_click = open_edit_menu;
  w.图形按钮_附加_菜单.on_click = open_extra_menu;
  w.图形按钮_设置_菜单.on_click = open_settings_menu;
  w.图形按钮_帮助_菜单.on_click = open_help_menu;
  w.时钟_菜单显示.on_tick = track_menu_bar_hover;
  w.超级菜单.on_closed = on_menu_closed;
  w.超级菜单.on_highlighted = show_menu_item_hint;
  w.图形按钮_程序图标.on_click = popup_program_menu_under_icon;
  w.图形按钮_程序图标.on_right_up = [](int, int, int) {
    popup_program_menu_under_icon();
    return true;
  };
  w.标签_上中.on_right_up = [](int x, int y, int) {
    // Where the button went up: the pointer may have moved on by the time the message is read.
    MainWindowForm& m = main_window();
    rt::Rect r = m.rect();
    popup_program_menu_at(r.left + m.标签_上中.left() + x, r.top + m.标签_上中.top() + y);
    return true;
  };
}
