#include "pages/page_model.h"

#include "common/messages.h"
#include "common/text_routines.h"
#include "common/toolbar_art.h"
#include "documents/open_files.h"
#include "forms/main_window_form.h"
#include "options/option_values.h"
#include "pages/open_path_list.h"
#include "pages/page_display.h"
#include "pages/page_pickers.h"
#include "pages/tab_manager.h"
#include "runtime/gbk_text.h"

namespace {

constexpr int kCaptionBytes = 12;
const char kAutomaticName[] = "新建文档 ";  // 9 bytes, ends in a blank

// What the edit box could not give back of the page it shows stays the page's concern until
// the page is written.
void take_editor_losses(int index) {
  if (page_exists(index) && pages()[static_cast<size_t>(index)].id == editor_page_id() &&
      main_window().编辑框_文本类容.take_lost_characters())
    set_page_lost_characters(index, true);
}

}  // namespace

int current_page_id() { return page_id(main_window().高级选择夹_标签.current()); }

std::string page_content(int index) {
  if (!page_exists(index)) return {};
  const PageRecord& p = pages()[static_cast<size_t>(index)];
  if (p.text_in_editor && p.id == editor_page_id()) store_page_text(index, main_window().编辑框_文本类容.text());
  take_editor_losses(index);
  return p.content;
}

void set_page_content(int index, std::string text) {
  if (!page_exists(index)) return;
  take_editor_losses(index);  // the new text may have been made from the edit box's
  store_page_text(index, std::move(text));
  if (page_id(index) == editor_page_id()) set_editor_page_id(0);  // the edit box no longer shows it
}

void sync_current_page_from_editor() { page_content(main_window().高级选择夹_标签.current()); }

void settle_editor_losses() {
  for (int i = 0; i < page_count(); ++i) take_editor_losses(i);
  main_window().编辑框_文本类容.take_lost_characters();
}

std::string make_tab_tooltip(const std::string& name) {
  return "<color=16711680>" + name + "<Backcolor=16048819><bordercolor=9795920>";
}

std::string page_name(int index) {
  return text_between(main_window().高级选择夹_标签.tooltip(index), ">", "<Backcolor=");
}

std::string strip_invalid_filename_chars(const std::string& text) {
  static const std::string_view invalid = "\\/\":?|*<>";
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    size_t n = rt::char_size_at(text, i);
    if (n == 1 && invalid.find(text[i]) != std::string_view::npos) {
      ++i;
      continue;
    }
    out.append(text, i, n);
    i += n;
  }
  return out;
}

int create_page(std::string& name) {
  MainWindowForm& w = main_window();
  PageRecord record = make_page_record();
  const int number = count_new_page();
  if (name.empty()) name = kAutomaticName + std::to_string(number);
  int tab = w.高级选择夹_标签.insert(rt::cut_on_char_boundary(name, kCaptionBytes));
  if (tab < 0) {
    tell_user(0, 48, "创建新文档失败！", 0xFF00FF, "  对不起！创建新的标签失败！你可以重新创建新的标签……", 0xFF);
    take_back_page_number();
    return -1;
  }
  w.工具条_工具栏.remove_state(kButtonClosePage, rt::Toolbar::kDisabled);
  record.back_color = options().default_colors[1];
  record.text_color = options().default_colors[0];
  if (options().per_page_font) record.font = options().default_font;
  if (options().prevent_double_open) update_open_path_list(" ", false, false, 0, "");
  add_page(std::move(record));
  w.高级选择夹_标签.set_tooltip(tab, make_tab_tooltip(name));
  w.高级选择夹_标签.set_current(tab);
  add_page_to_pickers(name);
  add_page_to_tab_manager(name);
  return tab;
}

void activate_page_of_path(const std::string& path) {
  int index = open_path_index(open_paths(), path);
  if (index >= 0) main_window().高级选择夹_标签.set_current(index);
}

void close_page_at(int index) {
  MainWindowForm& w = main_window();
  rt::TabControl& tabs = w.高级选择夹_标签;
  const bool placeholder_before = tab0_placeholder();
  if (index > 0) {
    if (index >= tabs.count()) return;
    int n = tabs.count();
    if (n <= 5) {
      w.工具条_工具栏.add_state(kButtonBack5, rt::Toolbar::kDisabled);
      w.工具条_工具栏.add_state(kButtonForward5, rt::Toolbar::kDisabled);
    }
    if (n == 2) {
      set_tab0_placeholder(false);
      tabs.set_tab_disabled(0, false);
    }
    if (options().prevent_double_open && page_exists(index))
      update_open_path_list(pages()[index].path, false, true, index, "");
    remove_page(index);
    tabs.remove(index);
  } else if (index == 0) {
    if (page_count() == 0) add_page(make_page_record());
    std::string old_path = pages()[0].path;
    set_page_content(0, "");
    renew_page(0);
    // Only the page shown in the edit box may lose the edit box's text.
    if (tabs.current() == 0) w.编辑框_文本类容.set_text("");
    std::string name = kAutomaticName + std::to_string(count_new_page());
    tabs.set_caption(0, name);
    tabs.set_tooltip(0, make_tab_tooltip(name));
    if (tabs.count() >= 2) {
      set_tab0_placeholder(true);
      tabs.set_tab_disabled(0, true);
    }
    if (options().prevent_double_open) update_open_path_list(old_path, false, true, 0, " ");
  } else {
    return;
  }
  if (tabs.count() == 1 && pages()[0].path.empty() && tabs.caption(0).compare(0, 9, kAutomaticName) == 0)
    w.工具条_工具栏.add_state(kButtonClosePage, rt::Toolbar::kDisabled);
  show_current_page();
  relist_page_pickers();
  remove_page_from_tab_manager(index, placeholder_before);
}

void new_page_command() {
  // An open run puts its pages at fixed places: no page comes between meanwhile.
  if (open_busy()) return;
  std::string name;
  create_page(name);
}

void custom_new_page_command() {
  if (open_busy()) return;
  std::string name;
  ask_user_text("请输入要新建标签的名称！",
                "  请输入要新建的标签名称，标签名称不允许含有：\\/|:*?< >\""
                "这些特殊字符！如果含有的话，程序会自动去除。",
                name, kAutomaticName + std::to_string(new_page_counter() + 1), true);
  if (open_busy()) return;  // a run began while the box was open
  name = rt::replace_text(strip_invalid_filename_chars(name), "\r\n", "");
  if (rt::remove_blanks(name).empty()) return;
  if (create_page(name) < 0)
    tell_user(0, 16, "新建标签错误！", 0xFF,
              "  在新建标签的时候发生错误，如果你不知道具体的错误原因，请联系作者一起解决！", 0xFF00FF);
}
