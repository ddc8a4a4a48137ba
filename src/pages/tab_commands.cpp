#include "pages/tab_commands.h"

#include "common/messages.h"
#include "documents/open_files.h"
#include "documents/save_files.h"
#include "forms/main_window_form.h"
#include "options/option_values.h"
#include "pages/closing.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "runtime/clipboard.h"
#include "runtime/gbk_text.h"

namespace {

constexpr int kScrollStep = 500;  // ms per tab of the scroll animation
constexpr int kCaptionBytes = 12;

rt::TabControl& tabs() { return main_window().高级选择夹_标签; }

void select_tab(int index) {
  if (index >= 0 && index < tabs().count()) tabs().set_current(index);
}

void start_tab_scroll(int direction) {
  set_tab_scroll_direction(direction);
  main_window().时钟_滚动标签.set_interval(kScrollStep);
}

}  // namespace

int middle_tab_index(int count) { return (count - 1) / 2; }

void jump_to_first_tab() { select_tab(tab0_placeholder() ? 1 : 0); }
void jump_to_middle_tab() { select_tab(middle_tab_index(tabs().count())); }
void jump_to_last_tab() { select_tab(tabs().count() - 1); }

void scroll_tabs_towards_first() { start_tab_scroll(0); }
void scroll_tabs_towards_last() { start_tab_scroll(1); }

void select_previous_tab() {
  int cur = tabs().current();
  if (cur > 0) select_tab(cur - 1);
}

void select_next_tab() { select_tab(tabs().current() + 1); }

void on_tab_strip_double_click(int modifiers) {
  // Pages come and go only between open runs: a run inserts its tabs at fixed places.
  if (open_busy()) return;
  if (modifiers & rt::kCtrl)
    new_page_command();
  else if (modifiers & rt::kShift)
    custom_new_page_command();
}

void copy_page_name() { rt::set_clipboard_text(page_name(tabs().current())); }

void copy_page_path() {
  int i = tabs().current();
  if (page_exists(i)) rt::set_clipboard_text(pages()[i].path);
}

void copy_page_text() { rt::set_clipboard_text(main_window().编辑框_文本类容.text()); }

void rename_current_tab() {
  int i = tabs().current();
  if (!page_exists(i)) return;
  const int id = page_id(i);
  std::string name;
  ask_user_text("请输入标签名称！",
                "  由于程序把标签提示名称当作文件名称的，所以，用户只能自定义标签名，提示不会变的。"
                "当然未保存的文件不受此规则限制！",
                name, tabs().caption(i), true);
  name = rt::replace_text(strip_invalid_filename_chars(name), "\r\n", "");
  // The box is modal, but the scroll timer may have moved on and pages may have come and gone
  // meanwhile: the page asked about is renamed wherever it is now, and none when it has gone.
  i = find_page_by_id(id);
  if (name.empty() || i < 0) return;
  tabs().set_caption(i, rt::cut_on_char_boundary(name, kCaptionBytes));
  // A saved page keeps naming its file.
  if (pages()[i].path.empty()) tabs().set_tooltip(i, make_tab_tooltip(name));
  if (i == tabs().current()) {
    update_title_and_status(i);
    // The tab's width follows its caption.
    if (options().tab_close_button) place_tab_close_button();
  }
}

void remember_menu_tab(int index) { main_window().图片框_读取网页.tag = std::to_string(index); }

int remembered_menu_tab() {
  const std::string& tag = main_window().图片框_读取网页.tag;
  if (tag.empty()) return -1;
  int index = static_cast<int>(rt::text_to_number(tag));
  // Pages may have closed since the menu remembered the tab.
  return page_exists(index) && index < tabs().count() ? index : -1;
}

void close_remembered_tab() {
  int index = remembered_menu_tab();
  if (index >= 0) close_page_with_prompt(index);
}

void jump_to_remembered_tab() { select_tab(remembered_menu_tab()); }
