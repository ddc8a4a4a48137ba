#include "app/drops.h"

#include "app/globals.h"
#include "common/path_routines.h"
#include "common/text_routines.h"
#include "documents/open_files.h"
#include "forms/main_window_form.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "runtime/files.h"
#include "runtime/gbk_text.h"
#include "runtime/shell.h"
#include "web/dropped_url.h"

namespace {

const char kReceivedHtml[] = "收到的超文本";

}  // namespace

void append_dropped_text(const std::string& text) {
  // The caret goes after the text, as typing it there would leave it.
  rt::EditBox& box = main_window().编辑框_文本类容;
  int end = box.text_length();
  box.select(end, 0);
  box.replace_selection(text);
}

void attach_main_window_drops() {
  MainWindowForm& w = main_window();
  w.拖放对象.attach(w);
  w.拖放对象.attach(w.编辑框_文本类容);
}

void on_files_dropped(const std::vector<std::string>& paths) {
  if (!g_accept_drops || paths.empty()) return;
  g_open_queue = paths;
  if (g_open_queue.size() == 1) {
    std::string path = g_open_queue[0], extension;
    split_file_name(path, extension);
    extension = rt::to_lower_ascii(extension);
    // Neither file becomes a page; the queue must not keep it for the next open command,
    // which would then open it instead of asking.
    if (extension == "url") {
      g_open_queue.clear();
      std::string bytes = rt::read_file(path).value_or("");
      fetch_url_into_page_thread(text_between(bytes.substr(0, bytes.find('\0')), "URL=", "\r\n"));
      return;
    }
    if (extension == "lnk") {
      g_open_queue.clear();
      std::string target = rt::shortcut_target(path);
      if (!target.empty()) reveal_in_explorer(target);
      return;
    }
  }
  open_files();
}

void on_text_dropped(const std::string& text) {
  // A dragged link arrives as a web address too, and is fetched as such.
  if (main_window().编辑框_文本类容.text_length() > 0 && rt::to_upper_ascii(rt::left_text(text, 7)) == "HTTP://")
    return;
  append_dropped_text(text);
}

void on_html_dropped(const std::string& html) {
  MainWindowForm& w = main_window();
  rt::TabControl& tabs = w.高级选择夹_标签;
  if (w.编辑框_文本类容.text_length() == 0) {
    append_dropped_text(html);
    int i = tabs.current();
    if (tabs.caption(i).compare(0, 9, "新建文档 ") == 0) {
      tabs.set_caption(i, kReceivedHtml);
      tabs.set_tooltip(i, make_tab_tooltip(kReceivedHtml));
      update_title_and_status(i);
    }
    return;
  }
  if (!g_accept_drops) return;
  std::string name = kReceivedHtml;
  int i = create_page(name);
  if (page_exists(i)) {
    set_page_content(i, html);
    g_pages[static_cast<size_t>(i)].modified = 1;
  }
  show_current_page();
}
