#include "pages/tab_menus.h"

#include "app/command_items.h"
#include "app/tab_menu_items.h"
#include "common/toolbar_art.h"
#include "documents/open_files.h"
#include "documents/save_files.h"
#include "forms/main_window_form.h"
#include "pages/page_model.h"
#include "pages/tab_commands.h"
#include "runtime/files.h"
#include "runtime/gbk_text.h"

namespace {

using C = Command;

// The items of a tab menu (and its submenus) that show the command.
std::vector<rt::MenuItem*> items_of(rt::MenuItem& menu, Command command) {
  std::vector<rt::MenuItem*> found;
  for (rt::MenuItem& item : menu.items()) {
    if (item.command == static_cast<int>(command)) found.push_back(&item);
    for (rt::MenuItem* below : items_of(item, command)) found.push_back(below);
  }
  return found;
}

}  // namespace

TabMenuItemState TabMenuStates::operator[](Command command) const {
  auto it = items.find(command);
  return it == items.end() ? TabMenuItemState{} : it->second;
}

TabMenuStates current_tab_menu_states() {
  MainWindowForm& w = main_window();
  rt::TabControl& tabs = w.高级选择夹_标签;
  rt::EditBox& box = w.编辑框_文本类容;
  TabMenuStates s;
  int count = tabs.count(), cur = tabs.current();
  if (!page_exists(cur)) return s;
  const PageRecord& page = pages()[cur];
  auto enable = [&s](Command command, bool on) { s.items[command].enabled = on; };
  auto show = [&s](Command command, bool on) { s.items[command].shown = on; };
  std::string extension = rt::to_lower_ascii(page.extension);

  bool lyrics = false;
  if (extension == "lrc") {
    std::string text = box.text();
    lyrics = rt::find_text(text, "[00:") > 0 && rt::find_text(text, "]") > 0;
  }
  show(C::StripLyrics, lyrics);
  // It replaces the page's text, as the restore below does.
  enable(C::StripLyrics, !open_busy());
  bool batch = extension == "cmd" || extension == "bat";
  show(C::RunBatch, batch);
  if (batch) s.batch_caption = extension == "cmd" ? "运行CMD(&F5)   Ctrl+F5" : "运行BAT(&F5)   Ctrl+F5";
  s.batch_separator = lyrics || batch;

  // The forced save's backup, or one named path + ".BAK".
  bool backup = !page.path.empty() && (rt::file_exists(backup_name(page.path)) || rt::file_exists(page.path + ".BAK"));
  show(C::RestoreBackup, backup);
  enable(C::RestoreBackup, !open_busy());
  s.restore_separator = backup;

  enable(C::JumpWindow, count >= 10);
  // Tab 0 as a placeholder cannot be selected: tab 1 is then the first.
  bool at_first = cur == 0 || (cur == 1 && tab0_placeholder());
  bool at_last = cur == count - 1;
  enable(C::ScrollTabsTowardsFirst, !at_first);
  enable(C::ScrollTabsTowardsLast, !at_last);
  bool several = count > 1;
  // During an open run no page is closed, and saving all (which makes a page) waits too.
  bool busy = open_busy();
  for (Command caption : {C::ClosePage, C::CloseAll, C::SaveAll})
    enable(caption, several && !busy);
  enable(C::JumpToFirstTab, several && !at_first);
  enable(C::JumpToMiddleTab, count >= 3 && cur != middle_tab_index(count));
  enable(C::JumpToLastTab, several && !at_last);

  bool has_path = !page.path.empty();
  bool file = has_path && rt::file_exists(page.path);
  show(C::TabFileMenu, has_path);
  for (Command caption : {C::CopyPagePath, C::RevealFile, C::CopyFileMd5, C::CopyFileSha1,
                              C::CopyFileCrc32, C::AppendToTabSet, C::CopyFileTo, C::MoveFileTo,
                              C::RenameFile, C::RecycleFile, C::OpenInNotepad, C::FileProperties})
    enable(caption, file);
  // Recycling the file closes its page.
  enable(C::RecycleFile, file && !open_busy());

  bool has_text = box.text_length() > 0;
  enable(C::CopyPageText, has_text);
  enable(C::PrintFromTabMenu, has_text);
  // As the main menu's save item, which follows the toolbar's save button.
  enable(C::Save, !(w.工具条_工具栏.state(kButtonSave) & rt::Toolbar::kDisabled));
  return s;
}

TabMenuStates other_tab_menu_states(int index) {
  TabMenuStates s;
  bool file = page_exists(index) && !pages()[index].path.empty() && rt::file_exists(pages()[index].path);
  s.items[C::RevealRememberedFile].enabled = file;
  s.items[C::RememberedFileProperties].enabled = file;
  s.items[C::CloseRememberedTab].enabled = !open_busy();
  // A placeholder tab 0 cannot be selected.
  s.items[C::JumpToRememberedTab].enabled = !main_window().高级选择夹_标签.tab_disabled(index);
  return s;
}

void on_tab_right_click(int index, int screen_x, int screen_y) {
  MainWindowForm& w = main_window();
  rt::TabControl& tabs = w.高级选择夹_标签;
  TabMenuItems& menus = tab_menu_items();
  if (index < 0 || index >= tabs.count() || !menus.current || w.超级菜单.is_open()) return;
  bool current = index == tabs.current();
  rt::MenuItem& menu = current ? *menus.current : *menus.other;
  if (!current) remember_menu_tab(index);
  TabMenuStates states = current ? current_tab_menu_states() : other_tab_menu_states(index);
  for (const auto& [command, state] : states.items) {
    for (rt::MenuItem* item : items_of(menu, command)) {
      item->hidden = !state.shown;
      item->disabled = !state.enabled;
    }
  }
  if (current) {
    if (!states.batch_caption.empty()) menus.batch->caption = states.batch_caption;
    menus.batch_separator->hidden = !states.batch_separator;
    menus.restore_separator->hidden = !states.restore_separator;
  }
  popup_main_window_menu(menu, screen_x, screen_y);
}
