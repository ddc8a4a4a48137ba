#include "texttools/simp_trad_window.h"

#include "common/balloon_tip.h"
#include "common/os_version.h"
#include "common/skin.h"
#include "common/skin_art.h"
#include "common/tool_art.h"
#include "common/tool_window.h"
#include "common/window_fade.h"
#include "forms/main_window_form.h"
#include "forms/simp_trad_window_form.h"
#include "pages/page_model.h"
#include "pages/page_pickers.h"
#include "runtime/chinese_conversion.h"
#include "runtime/clipboard.h"
#include "runtime/files.h"
#include "runtime/tooltip.h"

namespace {

constexpr unsigned kEditBorderColor = 0x9D7B45;
constexpr int kWindows7 = 9;

SimpTradWindowForm& f() { return simp_trad_window(); }
rt::EditBox& editor() { return main_window().编辑框_文本类容; }

void convert_work_text(int type) {
  rt::EditBox& box = f().编辑框_操作类容;
  box.set_focus();
  box.set_text(rt::convert_chinese(box.text(), type));
}

void convert_page(int type) {
  rt::EditBox& e = editor();
  // Through the edit box's changed event: the page takes the text and is marked modified.
  e.set_text(rt::convert_chinese(e.text(), type));
}

std::string initial_work_text() {
  if (os_version_code() == kWindows7) return rt::clipboard_text();
  std::string selected = editor().selected_text();
  return selected.empty() ? rt::clipboard_text() : selected;
}

}  // namespace

void open_simp_trad_window() { open_tool_window(f()); }

void convert_to_simplified() { convert_work_text(rt::kChineseToSimplified); }
void convert_to_traditional() { convert_work_text(rt::kChineseToTraditional); }

void copy_work_text() {
  rt::EditBox& box = f().编辑框_操作类容;
  box.set_focus();
  box.select(0, box.text_length());
  rt::set_clipboard_text(box.text());
}

void clear_work_text() {
  rt::EditBox& box = f().编辑框_操作类容;
  box.set_focus();
  box.set_text("");
}

void convert_page_to_simplified() { convert_page(rt::kChineseToSimplified); }
void convert_page_to_traditional() { convert_page(rt::kChineseToTraditional); }

void copy_current_page_text() {
  rt::EditBox& e = editor();
  if (e.text_length() == 0) return;
  e.set_focus();
  e.select(0, e.text_length());
  rt::set_clipboard_text(e.text());
}

PagePicker& chinese_page_picker() {
  static PagePicker picker(2, f(), f().组合框_打开文件_简繁转换, f().图形按钮_关闭小, fill_chinese_page_picker_thread,
                           on_chinese_page_picked);
  return picker;
}

void fill_chinese_page_picker() { chinese_page_picker().fill(); }
void fill_chinese_page_picker_thread() { fill_chinese_page_picker(); }

void on_chinese_page_picked() {
  PagePicker& picker = chinese_page_picker();
  int page = picker.selected_page();
  if (page < 0) return;
  std::string text = page_content(page);
  if (!text.empty()) f().编辑框_操作类容.set_text(text);
  picker.show_balloon(f().组合框_打开文件_简繁转换.text());
}

void append_dropped_text_to_work_box(const std::string& text) {
  rt::EditBox& box = f().编辑框_操作类容;
  box.set_text(box.text() + text);
}

void load_dropped_file_into_work_box(const std::string& path) {
  std::optional<std::string> content = rt::read_file(path);
  if (content) f().编辑框_操作类容.set_text(*content);
}

void on_simp_trad_window_created() {
  SimpTradWindowForm& w = f();
  dress_tool_window(w, w.frame_labels(), w.图形按钮_程序图标, simp_trad_window_icon_picture(), w.图形按钮_关闭小);
  rt::Unit* pointed[] = {&w,
                         &w.图形按钮_关闭小,
                         &w.组合框_打开文件_简繁转换,
                         &w.图形按钮_转为简体,
                         &w.图形按钮_转为繁体,
                         &w.图形按钮_复制所有,
                         &w.图形按钮_清空类容,
                         &w.图形按钮_转为简体_当前页,
                         &w.图形按钮_转为繁体_当前页,
                         &w.图形按钮_复制所有_当前页};
  for (rt::Unit* u : pointed) u->set_mouse_pointer(program_pointer_cursor().handle());
  w.编辑框_操作类容.set_mouse_pointer(program_text_cursor().handle());
  struct Twin {
    rt::GraphicButton &page, &box;
  };
  for (const Twin& t :
       {Twin{w.图形按钮_转为简体_当前页, w.图形按钮_转为简体}, Twin{w.图形按钮_转为繁体_当前页, w.图形按钮_转为繁体},
        Twin{w.图形按钮_复制所有_当前页, w.图形按钮_复制所有}}) {
    t.page.set_normal_picture(t.box.normal_picture());
    t.page.set_hover_picture(t.box.hover_picture());
    t.page.set_pressed_picture(t.box.pressed_picture());
  }
  w.拖放对象.attach(w.编辑框_操作类容);
  w.编辑框_操作类容.set_text(initial_work_text());
  update_simp_trad_buttons();
  install_colored_border(w.编辑框_操作类容.handle(), kEditBorderColor);
  rt::set_tooltip(w.图形按钮_转为简体, "将当前内容转换为简体");
  rt::set_tooltip(w.图形按钮_转为繁体, "将当前内容转换为繁体");
  rt::set_tooltip(w.图形按钮_清空类容, "将当前内容清空");
  rt::set_tooltip(w.图形按钮_复制所有, "将当前内容复制到剪切板");
  rt::set_tooltip(w.图形按钮_复制所有_当前页, "将当前标签内容复制到剪切板");
  rt::set_tooltip(w.图形按钮_转为繁体_当前页, "将当前标签内容转换为繁体");
  rt::set_tooltip(w.图形按钮_转为简体_当前页, "将当前标签内容转换为简体");
  set_balloon_tip(w.图形按钮_关闭小, "<font color=red>关闭文本简繁互转窗口");
  // Last: the fill's choice then loads the current page over the start text.
  PagePicker& picker = chinese_page_picker();
  picker.window_created();
  picker.start_refresh();
}

void on_simp_trad_window_first_activation() { fade_in_after_first_activation(f()); }

void update_simp_trad_buttons() {
  SimpTradWindowForm& w = f();
  bool empty = w.编辑框_操作类容.text_length() == 0;
  for (rt::GraphicButton* b : {&w.图形按钮_转为简体, &w.图形按钮_转为繁体, &w.图形按钮_复制所有, &w.图形按钮_清空类容})
    b->set_disabled(empty);
}

bool on_work_box_key_down(int key, int modifiers) { return select_all_on_ctrl_a(f().编辑框_操作类容, key, modifiers); }

void move_simp_trad_window_by_title() { move_window_by_title(f()); }

void close_simp_trad_window() {
  if (chinese_page_picker().busy()) return;
  f().close();
}

bool may_close_simp_trad_window() {
  if (chinese_page_picker().busy()) return false;
  fade_out_simp_trad_window();
  return true;
}

void fade_out_simp_trad_window() {
  SimpTradWindowForm& w = f();
  if (w.loaded()) show_window_faded(w, false);
}

void bind_simp_trad_window(SimpTradWindowForm& f) {
  f.on_created = on_simp_trad_window_created;
  f.on_first_activation = on_simp_trad_window_first_activation;
  f.on_may_close = may_close_simp_trad_window;
  f.图形按钮_关闭小.on_click = close_simp_trad_window;
  f.标签_上中.on_left_down = [](int, int, int) {
    move_simp_trad_window_by_title();
    return true;
  };
  f.组合框_打开文件_简繁转换.on_changed = on_chinese_page_picked;
  f.编辑框_操作类容.on_changed = update_simp_trad_buttons;
  f.编辑框_操作类容.on_key_down = on_work_box_key_down;
  f.图形按钮_转为简体.on_click = convert_to_simplified;
  f.图形按钮_转为繁体.on_click = convert_to_traditional;
  f.图形按钮_复制所有.on_click = copy_work_text;
  f.图形按钮_清空类容.on_click = clear_work_text;
  f.图形按钮_转为简体_当前页.on_click = convert_page_to_simplified;
  f.图形按钮_转为繁体_当前页.on_click = convert_page_to_traditional;
  f.图形按钮_复制所有_当前页.on_click = copy_current_page_text;
  f.拖放对象.on_text = append_dropped_text_to_work_box;
  f.拖放对象.on_files = [](const std::vector<std::string>& paths) { load_dropped_file_into_work_box(paths.front()); };
}
