#include "app/menu_bar.h"

#include "app/commands.h"
#include "app/globals.h"
#include "app/shortcuts.h"
#include "documents/open_files.h"
#include "forms/main_window_form.h"
#include "pages/page_display.h"
#include "runtime/app.h"
#include "runtime/clipboard.h"
#include "runtime/files.h"
#include "runtime/gbk_text.h"
#include "runtime/mouse_input.h"
#include "runtime/system.h"

int g_open_menu = kNoMenu;

namespace {

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

// The saved-tab item of the Extra menu, whichever caption it shows now.
rt::MenuItem* saved_tab_item() {
  rt::MenuItem* item = main_menu_item("保存打开标签(&B)");
  return item ? item : main_menu_item("载入保存标签(&B)");
}

void set_file_item_states() {
  MainWindowForm& w = main_window();
  bool one_tab = w.高级选择夹_标签.count() == 1;
  // Saving all makes a page of its own, and closing removes pages: neither during an open run.
  bool busy = open_busy();
  set_menu_item_disabled("全部保存(&Q)    Ctrl+Q", one_tab || busy);
  set_menu_item_disabled("打印文件(&P)    Ctrl+P", w.编辑框_文本类容.text_length() == 0);
  set_menu_item_disabled("关闭本页(&W)    Ctrl+W",
                         busy || w.工具条_工具栏.state(kButtonClosePage) == rt::Toolbar::kDisabled);
  set_menu_item_disabled("全部关闭(&G)    Ctrl+G", one_tab || busy);
}

void set_edit_item_states() {
  rt::EditBox& editor = main_window().编辑框_文本类容;
  bool empty = editor.text_length() == 0;
  for (const char* c : {"文本全选(&A)    Ctrl+A", "寻找替换(&F)    Ctrl+F"}) set_menu_item_disabled(c, empty);
  bool nothing_selected = empty || editor.selection_length() == 0;
  for (const char* c : {"删除选中(&D)    Del", "剪切选中(&X)    Ctrl+X", "复制选中(&C)    Ctrl+C"})
    set_menu_item_disabled(c, nothing_selected);
  for (const char* c : {"找上一个(&E)    Ctrl+E", "找下一个(&R)    Ctrl+R"})
    set_menu_item_disabled(c, g_search_text.empty());
  set_menu_item_disabled("粘贴内容(&V)    Ctrl+V", !rt::clipboard_has_text());
}

void set_extra_item_states() {
  std::string text = main_window().编辑框_文本类容.text();
  bool empty = text.empty();
  // These replace the page's text as a whole: not while an open run may still fill the page.
  bool busy = open_busy();
  for (const char* c : {"段落排版(&D)", "格式转换(&N)", "取纯中文文本(&Z)", "删除全部空格(&F)    Ctrl+F6",
                        "替换为换行符(&L)", "取中间文本(&I)"})
    set_menu_item_disabled(c, empty || busy);
  set_menu_item_disabled("数字连续替换(&V)", empty || busy || text_has_no_digit(text));
  set_menu_item_disabled("换行符替换为(&E)", busy || rt::find_text(text, "\r\n") < 1);
  if (rt::MenuItem* item = saved_tab_item()) {
    std::string tab_set = rt::read_file(rt::program_directory() + "Velmora_保存标签.ini").value_or("");
    bool some_path = false;
    for (const PageRecord& p : g_pages) some_path = some_path || !p.path.empty();
    SavedTabItemState s = saved_tab_item_state(tab_set, some_path);
    item->caption = s.caption;
    // An open run keeps it disabled until the run ends.
    item->disabled = !s.enabled || open_busy();
  }
}

void open_bar_menu(int menu, void (*set_item_states)()) {
  MainWindowForm& w = main_window();
  rt::MenuItem* items = w.超级菜单.menu(menu_caption(menu));
  if (!items || w.超级菜单.is_open()) return;
  g_open_menu = menu;
  rt::GraphicButton& button = *bar_button(menu);
  swap_button_pictures(button);
  if (set_item_states) set_item_states();
  w.时钟_菜单显示.set_interval(kHoverInterval);
  rt::Rect r = w.rect();
  popup_main_window_menu(*items, r.left + button.left(), r.top + button.top() + button.height() - 1);
}

}  // namespace

rt::MenuItem* main_menu_item(std::string_view caption) { return main_window().超级菜单.find(caption); }

void set_menu_item_disabled(std::string_view caption, bool disabled) {
  for (rt::MenuItem* item : main_window().超级菜单.find_all(caption)) item->disabled = disabled;
}

void open_file_menu() { open_bar_menu(kFileMenu, set_file_item_states); }
void open_edit_menu() { open_bar_menu(kEditMenu, set_edit_item_states); }
void open_extra_menu() { open_bar_menu(kExtraMenu, set_extra_item_states); }
void open_settings_menu() { open_bar_menu(kSettingsMenu, nullptr); }
void open_help_menu() { open_bar_menu(kHelpMenu, nullptr); }

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
