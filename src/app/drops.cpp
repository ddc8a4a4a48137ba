#include "app/drops.h"

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
int g_accept_drops = 0;

}  // namespace

bool drops_accepted() { return g_accept_drops != 0; }

void accept_drops(bool on) { g_accept_drops = on ? 1 : 0; }

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
  if (!drops_accepted() || paths.empty()) return;
  set_open_queue(paths);
  if (open_queue().size() == 1) {
    std::string path = open_queue()[0], extension;
    split_file_name(path, extension);
    extension = rt::to_lower_ascii(extension);
    // Neither file becomes a page; the queue must not keep it for the next open command,
    // which would then open it instead of asking.
    if (extension == "url") {
      clear_open_queue();
      std::string bytes = rt::read_file(path).value_or("");
      fetch_url_into_page_thread(text_between(bytes.substr(0, bytes.find('\0')), "URL=", "\r\n"));
      return;
    }
    if (extension == "lnk") {
      clear_open_queue();
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
  if (!drops_accepted()) return;
  std::string name = kReceivedHtml;
  int i = create_page(name);
  if (page_exists(i)) {
    set_page_content(i, html);
    set_page_modified(i, 1);
  }
  show_current_page();
}

void on_url_dropped(const std::string& address) {
  if (drops_accepted()) fetch_url_into_page_thread(address);
}
