#include "pages/tab_set.h"

#include <vector>

#include "common/message_box.h"
#include "common/skin_art.h"
#include "common/window_fade.h"
#include "documents/open_files.h"
#include "forms/main_window_form.h"
#include "options/option_values.h"
#include "pages/page_store.h"
#include "pages/tab_set_text.h"
#include "runtime/app.h"
#include "runtime/files.h"

namespace {

constexpr unsigned kGreen = 0x8000, kMagenta = 0xFF00FF;

bool some_page_has_a_path() {
  for (const PageRecord& p : pages())
    if (!p.path.empty()) return true;
  return false;
}

// A set that holds nothing but separators and blanks is no set.
void delete_blank_tab_set_file() {
  if (tab_set_is_blank(read_tab_set_file())) rt::delete_file(tab_set_file_path());
}

void save_open_tabs() {
  std::vector<std::string> paths;
  for (const PageRecord& p : pages()) paths.push_back(p.path);
  write_tab_set_file(open_tabs_text(paths));
  delete_blank_tab_set_file();
}

enum class LoadAnswer { Load, SaveInstead, Nothing };

LoadAnswer ask_to_load() {
  MessageBoxRequest r;
  r.owner = &main_window();
  r.button_set = 3;  // Yes, No, Cancel
  r.button_row_top = 105;
  r.icon = 32;
  r.title = "是否载入上一次保存标签？";
  r.title_color = kMagenta;
  r.text =
      "  由于你保存过标签，请问你是否立即载入上一次保存的标签。\r\n  选择[是]立即载入！\r\n  选择[否]取消载入！\r\n"
      "  选择[取消]重新保存当前打开的标签！";
  r.text_color = kGreen;
  r.box_cursor = program_pointer_cursor();
  r.fade = options().fade_enabled;
  bool without_button = false;
  r.closed_without_button = &without_button;
  int answer = show_message_box(r);
  // Only the 取消 button itself overwrites the stored set; a box closed any other way keeps it.
  if (without_button) return LoadAnswer::Nothing;
  if (answer == kBoxYes) return LoadAnswer::Load;
  if (answer == kBoxCancel) return LoadAnswer::SaveInstead;
  return LoadAnswer::Nothing;
}

void load_saved_tabs() {
  switch (ask_to_load()) {
    case LoadAnswer::Load:
      // The box may have let an open run start meanwhile; its queue is not ours to replace.
      if (open_busy()) return;
      set_open_queue(tab_set_paths(read_tab_set_file()));
      start_open_run();
      delete_blank_tab_set_file();
      return;
    case LoadAnswer::SaveInstead:
      save_open_tabs();
      return;
    case LoadAnswer::Nothing:
      return;
  }
}

}  // namespace

std::string tab_set_file_path() { return rt::program_directory() + std::string(kTabSetFileName); }

std::string read_tab_set_file() { return tab_set_text_of_bytes(rt::read_file(tab_set_file_path()).value_or("")); }

void write_tab_set_file(const std::string& text) {
  if (text.empty())
    rt::delete_file(tab_set_file_path());
  else
    rt::write_file_safely(tab_set_file_path(), text);
}

TabSetMenuItem tab_set_menu_item() {
  std::string_view caption = tab_set_menu_caption(read_tab_set_file());
  bool can = caption == kLoadSavedTabsCaption || some_page_has_a_path();
  return {std::string(caption), can && !open_busy()};
}

void save_or_load_open_tabs() {
  // Loading re-queues pages; an open run that is busy keeps its queue.
  if (open_busy()) return;
  if (tab_set_menu_caption(read_tab_set_file()) == kSaveOpenTabsCaption)
    save_open_tabs();
  else
    load_saved_tabs();
}

void append_page_to_tab_set() {
  int i = main_window().高级选择夹_标签.current();
  if (i < 0 || i >= page_count() || pages()[i].path.empty()) return;
  std::string bytes = rt::read_file(tab_set_file_path()).value_or("");
  rt::write_file_safely(tab_set_file_path(), tab_set_with_path(bytes, pages()[i].path));
}
