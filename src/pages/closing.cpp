#include "pages/closing.h"

#include "common/message_box.h"
#include "common/messages.h"
#include "common/toolbar_art.h"
#include "documents/open_files.h"
#include "documents/save_files.h"
#include "forms/main_window_form.h"
#include "options/option_values.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "pages/page_pickers.h"
#include "texttools/typing_output.h"

namespace {

constexpr unsigned kRed = 0xFF, kMagenta = 0xFF00FF;
int g_bulk_close = 0;

struct Answer {
  int code;
  bool without_button;
};

Answer ask(int buttons, int icon, const std::string& title, const std::string& text) {
  bool without_button = false;
  int code = tell_user(buttons, icon, title, kMagenta, text, kRed, &without_button);
  return {code, without_button};
}

}  // namespace

bool bulk_close_running() { return g_bulk_close != 0; }

void set_bulk_close(bool on) { g_bulk_close = on ? 1 : 0; }

void close_page_with_prompt(int index) {
  if (open_busy() || index < 0 || index >= page_count()) return;
  MainWindowForm& w = main_window();
  if (pages()[index].modified) {
    // The question and the save's dialogs are modal, but pages come and go under them: the
    // page asked about is found again by its id, and nothing is closed when it has gone.
    const int id = page_id(index);
    Answer a =
        ask(3, 48, "检测到文件被修改!是否保存？",
            "  检测到文件[" + w.高级选择夹_标签.caption(index) + "...]内容已经被修改，请问是否将更改保存到该文件？");
    index = find_page_by_id(id);
    if (index < 0 || open_busy()) return;
    if (a.code == kBoxYes) {
      save_page(index);
      // Only a page that reached its file goes; a cancelled or failed save keeps it.
      index = find_page_by_id(id);
      if (index < 0 || pages()[index].modified) return;
    } else if (a.code != kBoxNo || a.without_button) {
      return;
    }
  }
  close_page_at(index);
}

void place_tab_close_button() {
  MainWindowForm& w = main_window();
  rt::TabControl& tabs = w.高级选择夹_标签;
  rt::GraphicButton& b = w.图形按钮_关闭本页;
  rt::Rect r = tabs.tab_rect(tabs.current());
  // Only over a tab that shows whole: the strip's end lies under the scroll buttons.
  bool shown = options().tab_close_button && r.width > 0 && r.left + r.width <= tabs.strip_room();
  b.set_visible(shown);
  if (!shown) return;
  b.move(tabs.left() + r.left + r.width - b.width() - 2, tabs.top() + r.top + (r.height - b.height()) / 2, b.width(),
         b.height());
}

void close_current_page_by_button() {
  if (main_window().工具条_工具栏.state(kButtonClosePage) & rt::Toolbar::kDisabled) return;
  close_page_with_prompt(main_window().高级选择夹_标签.current());
}

void remove_all_pages() {
  MainWindowForm& w = main_window();
  set_open_busy(true);
  int count = page_count();
  w.进度条.set_maximum(count);
  set_bulk_close(true);
  for (int i = 0; i < count; ++i) {
    if (w.高级选择夹_标签.count() > 1) {
      if (page_count() > 1) remove_page(1);
      w.高级选择夹_标签.remove(1);
    }
    w.进度条.set_position(i + 1);
  }
  set_bulk_close(false);
  close_page_at(0);
  w.高级选择夹_标签.set_tab_disabled(0, false);
  w.高级选择夹_标签.set_current(0);
  set_open_busy(false);
  set_tab0_placeholder(false);
  show_current_page();
  w.工具条_工具栏.add_state(kButtonClosePage, rt::Toolbar::kDisabled);
  refresh_loaded_page_pickers();
  restart_open_paths();
}

bool close_all_pages(bool exit_mode) {
  if (!exit_mode && open_busy()) return false;
  std::string list = list_modified_pages();
  if (list.empty()) {
    if (exit_mode) return true;
    Answer a = ask(1, 32, "你确定全部关闭吗？", "  经过检测无文件被修改，你真的确认关闭全部打开文件吗？");
    // A run that began while the question was open keeps its pages.
    if (a.code != kBoxOk || a.without_button || open_busy()) return false;
    remove_all_pages();
    return true;
  }
  if (typing_window_loaded()) stop_typing_output();
  Answer a{};
  {
    ModifiedListPage page(list);
    // At the exit too a user may take the exit back: Cancel, the close button, Esc and Alt+F4
    // on the box all keep the program with its pages as they were.
    a = ask(3, 32, "在全部关闭之前请处理此任务？", "  当前标签内的所有文件均为已经被修改的文件，请问是否全部保存呢？");
    if (a.code == kBoxYes) save_modified_pages();
  }
  if (a.code == kBoxCancel || a.without_button) return false;
  // Pages whose save failed or was cancelled stay; at the exit they keep the program too.
  if (a.code == kBoxYes && !list_modified_pages().empty()) return false;
  if (exit_mode) return true;
  if (open_busy()) return false;
  remove_all_pages();
  return true;
}
