#include "documents/save_files.h"

#include <vector>

#include "common/message_box.h"
#include "common/messages.h"
#include "common/text_routines.h"
#include "documents/open_files.h"
#include "forms/main_window_form.h"
#include "options/option_values.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "pages/page_pickers.h"
#include "pages/tab_manager.h"
#include "runtime/files.h"
#include "runtime/gbk_text.h"
#include "runtime/shell.h"
#include "texttools/typing_output.h"

namespace {

int g_tab_scroll_direction = 0;

constexpr unsigned kRed = 0xFF, kGreen = 0x8000, kMagenta = 0xFF00FF, kSavedTitle = 0xFF0000;

bool valid_tab(int tab) { return tab >= 0 && tab < page_count(); }

// A page whose text would not give its file back whole (cut at a zero byte when opened, or
// characters the edit box could not keep) is written over that file only on an explicit Yes;
// without asking (auto-save) it is not written at all.
bool page_may_be_written(int tab, const std::string& path, bool ask, const std::string& word) {
  const PageRecord& p = pages()[tab];
  bool cut = p.shorter_than_file && rt::to_upper_ascii(path) == rt::to_upper_ascii(p.path);
  if (!cut && !p.lost_characters) return true;
  if (!ask) return false;
  // The questions are modal and pages come and go under them: the page is found again by its id.
  const int id = page_id(tab);
  const std::string caption = main_window().高级选择夹_标签.caption(tab);
  if (cut && tell_user(4, 48, "文件没有完整打开！", kMagenta,
                       "  [" + caption + "...]打开时读到文件中的零字节就停止了，页面比文件短。" + word +
                           "会用页面替换整个文件，零字节和它之后的内容将全部丢失！请问是否仍然" + word + "？",
                       kRed) != kBoxYes)
    return false;
  tab = find_page_by_id(id);
  if (tab >= 0 && pages()[tab].lost_characters &&
      tell_user(4, 48, "部分字符无法保存！", kMagenta,
                "  [" + caption +
                    "...]中有无法保存的字符（例如只剩半个的表情符号），它们将作为替换符号写入文件。请问是否仍然" +
                    word + "？",
                kRed) != kBoxYes)
    return false;
  return find_page_by_id(id) >= 0;
}

void after_successful_write(int tab, const std::string& path, const std::string& bytes, bool save_as) {
  MainWindowForm& w = main_window();
  // A tool window may have changed the page while a question was open: what the file does not
  // hold yet is still to be saved.
  if (page_content(tab) == bytes) set_page_modified(tab, 0);
  set_page_shorter_than_file(tab, false);  // the file now holds the page's text, no more
  set_page_lost_characters(tab, false);
  w.标签_上中.set_text_color(kSavedTitle);
  if (save_as) page_follows_file(tab, path);
  if (pages()[tab].path.empty()) {
    std::string path_copy = path, extension;
    split_file_name(path_copy, extension);
    std::string old_path = pages()[tab].path;
    set_page_file(tab, path, extension);
    if (options().prevent_double_open) update_open_path_list(old_path, false, true, tab, path);
    // The name stays; the lists show that the page has its file now.
    update_tab_manager_row(tab);
    rename_page_in_pickers(tab);
  }
  show_current_page();
}

// The save dialog for the page of tab. The dialog is modal, but pages come and go under it:
// tab_after is where the page is when it has been answered; false when it was cancelled or the
// page has gone.
bool choose_save_path(int tab, const char* title_end, std::string& chosen, int& tab_after) {
  MainWindowForm& w = main_window();
  const int id = page_id(tab);
  std::string name = page_name(tab);
  w.通用对话框.title = "请选择 " + name + title_end;
  w.通用对话框.kind = rt::CommonDialog::Kind::Save;
  w.通用对话框.file_name = name;
  w.通用对话框.owner = w.handle();
  if (!w.通用对话框.run()) return false;
  chosen = w.通用对话框.file_name;
  tab_after = find_page_by_id(id);
  return tab_after >= 0;
}

}  // namespace

void set_tab_scroll_direction(int direction) { g_tab_scroll_direction = direction; }

void page_follows_file(int tab, const std::string& path) {
  MainWindowForm& w = main_window();
  std::string old_path = pages()[tab].path, path_copy = path, extension;
  std::string name = split_file_name(path_copy, extension);
  set_page_file(tab, path, extension);
  w.高级选择夹_标签.set_caption(tab, rt::cut_on_char_boundary(name, 12));
  w.高级选择夹_标签.set_tooltip(tab, make_tab_tooltip(name));
  // The open-path list stays true, or the saved file could be opened into a second page.
  if (options().prevent_double_open) update_open_path_list(old_path, false, true, tab, path);
  update_tab_manager_row(tab);
  rename_page_in_pickers(tab);
}

std::string backup_name(const std::string& path) {
  std::string upper = rt::to_upper_ascii(path);
  if (upper.size() >= 4 && upper.compare(upper.size() - 4, 4, ".BAK") == 0) return path + ".BAK";
  int slash = find_last_char(path, '\\');
  int dot = find_last_char(path, '.');
  if (dot <= slash) return path + ".BAK";
  return path.substr(0, static_cast<size_t>(dot)) + "BAK";
}

bool write_page_file(std::string path, const std::string& bytes, int tab, bool save_as) {
  if (!valid_tab(tab)) return false;
  {
    const int id = page_id(tab);
    if (!page_may_be_written(tab, path, true, save_as ? "另存文件" : "保存文件")) return false;
    tab = find_page_by_id(id);
    if (tab < 0) return false;
  }
  if (rt::write_file_safely(path, bytes)) {
    after_successful_write(tab, path, bytes, save_as);
    return true;
  }
  // Pages come and go while the questions below are open: each answer is about this page,
  // found again by its id; a page that has gone is not written for.
  const int id = page_id(tab);
  const std::string word = save_as ? "另存文件" : "保存文件";
  const std::string caption = main_window().高级选择夹_标签.caption(tab);
  int answer = tell_user(1, 48, word + "失败，请确定文件的可写性！", kRed,
                         "  " + word + "[" + caption +
                             "...]失败！请问是否强制写到此文件？强制写到文件一般去掉目标文件的只读属性，再尝试保存。",
                         kRed);
  if (answer != 0 || find_page_by_id(id) < 0) return false;
  rt::run_hidden_and_wait("ATTRIB -r \"" + path + "\"");
  // The old file goes to the backup only when it could be read, and an empty old file never
  // replaces a backup that holds something.
  bool backup_written = false;
  if (auto old = rt::read_file(path)) {
    std::string backup = backup_name(path);
    if (!old->empty() || rt::file_size(backup) <= 0) backup_written = static_cast<bool>(rt::write_file_safely(backup, *old));
  }
  if (!rt::write_file_safely(path, bytes)) {
    tell_user(0, 48, "强制" + word + "失败！", kRed,
              "  强制" + word + "[" + caption + "...]失败！请确定目标目录是否可写！", kRed);
    return false;
  }
  tell_user(0, 48, "强制" + word + "成功！", kGreen,
            "  强制" + word + "[" + caption + "...]成功！" +
                (backup_written ? "并且在保存目录成功备份原文件！这样你可以随时恢复！" : ""),
            kMagenta);
  tab = find_page_by_id(id);
  if (tab >= 0) after_successful_write(tab, path, bytes, save_as);
  return true;
}

bool save_page(int tab) {
  if (!valid_tab(tab)) return false;
  if (!pages()[tab].path.empty()) return write_page_file(pages()[tab].path, page_content(tab), tab, false);
  std::string chosen;
  if (!choose_save_path(tab, " 的保存目录！", chosen, tab)) return false;
  return write_page_file(chosen, page_content(tab), tab, false);
}

bool save_page_as(int tab) {
  if (!valid_tab(tab)) return false;
  std::string chosen;
  if (!choose_save_path(tab, " 的另存目录！", chosen, tab)) return false;
  return write_page_file(chosen, page_content(tab), tab, true);
}

bool save_current_page() { return save_page(main_window().高级选择夹_标签.current()); }
bool save_current_page_as() { return save_page_as(main_window().高级选择夹_标签.current()); }

void save_all_command() {
  // The list page it makes would come between the pages of an open run.
  if (open_busy()) return;
  confirm_save_all();
}

std::string list_modified_pages() {
  MainWindowForm& w = main_window();
  w.进度条.set_position(0);
  w.进度条.set_visible(true);
  w.进度条.set_maximum(page_count());
  std::string list;
  for (size_t i = 0; i < pages().size(); ++i) {
    if (pages()[i].modified) {
      const std::string& path = pages()[i].path;
      list += w.高级选择夹_标签.caption(static_cast<int>(i)) + "...(" + (path.empty() ? "尚未保存过!" : path) + ")\r\n";
    }
    w.进度条.set_position(static_cast<int>(i) + 1);
  }
  w.进度条.set_visible(false);
  return list;
}

void save_modified_pages() {
  MainWindowForm& w = main_window();
  set_open_busy(true);
  // Each save may open a dialog or a question, under which pages come and go: the pages are
  // taken by id, in tab order as they were, and each is saved where it is then.
  std::vector<int> ids;
  for (const PageRecord& p : pages()) ids.push_back(p.id);
  w.进度条.set_maximum(static_cast<int>(ids.size()));
  for (size_t i = 0; i < ids.size(); ++i) {
    int tab = find_page_by_id(ids[i]);
    if (tab >= 0 && pages()[static_cast<size_t>(tab)].modified) save_page(tab);
    w.进度条.set_position(static_cast<int>(i) + 1);
  }
  set_open_busy(false);
}

void confirm_save_all() {
  MainWindowForm& w = main_window();
  std::string list = list_modified_pages();
  if (list.empty()) {
    tell_user(4, 48, "无可保存对象！", kMagenta,
              "  当前打开文件无可保存对象，可能你已经保存了或者没有对文档做任何修改？", kGreen);
    return;
  }
  if (typing_window_loaded()) stop_typing_output();
  int remembered = current_page_id();
  {
    ModifiedListPage page(list);
    int answer = tell_user(4, 32, "你确定全部保存吗？", kMagenta,
                           "  当前标签内的所有文件均为已经被修改的文件，请问是否全部保存呢？", kRed);
    if (answer == 5) save_modified_pages();
  }
  int tab = find_page_by_id(remembered);
  if (tab >= 0) w.高级选择夹_标签.set_current(tab);
}

ModifiedListPage::ModifiedListPage(const std::string& list) {
  rt::EditBox& box = main_window().编辑框_文本类容;
  colour_ = box.text_color();
  rt::Font font = box.font();
  font_size_ = font.size;
  font.size = 11;
  box.set_font(font);
  std::string name = "被修改文档";
  int tab = create_page(name);
  if (tab < 0) return;  // the question is asked without the list
  id_ = page_id(tab);
  box.set_text_color(kRed);
  set_page_text_color(tab, kRed);
  set_page_content(tab, "以下为被修改的文件列表：\r\n" + list + "你确定全部保存吗？");
  show_current_page();
  set_page_modified(tab, 0);
}

ModifiedListPage::~ModifiedListPage() {
  rt::EditBox& box = main_window().编辑框_文本类容;
  box.set_text_color(colour_);
  // Pages may have come before it while the question was open: the list page goes, no other.
  int tab = find_page_by_id(id_);
  if (tab >= 0) close_page_at(tab);
  rt::Font font = box.font();
  font.size = font_size_;
  box.set_font(font);
}

void scroll_or_autosave_tick() {
  MainWindowForm& w = main_window();
  rt::TabControl& tabs = w.高级选择夹_标签;
  if (w.时钟_滚动标签.interval() == 500) {
    int cur = tabs.current();
    if (g_tab_scroll_direction == 1) {
      tabs.set_current(cur + 1);
      if (tabs.current() >= tabs.count() - 1) w.时钟_滚动标签.set_interval(options().autosave_interval);
    } else {
      tabs.set_current(cur - 1);
      if (tabs.current() <= (tab0_placeholder() ? 1 : 0)) w.时钟_滚动标签.set_interval(options().autosave_interval);
    }
    return;
  }
  int i = tabs.current();
  if (!valid_tab(i) || !pages()[i].modified || pages()[i].path.empty()) return;
  // Silent; the flag is cleared only when the page really reached the disk. A page that would
  // not give its file back whole waits for a save that asks.
  if (!page_may_be_written(i, pages()[i].path, false, "")) return;
  if (rt::write_file_safely(pages()[i].path, page_content(i))) set_page_modified(i, 0);
}
