#include "app/tab_menu_items.h"

#include "app/commands.h"
#include "forms/main_window_form.h"

namespace {

using rt::MenuItem;
using C = Command;

TabMenuItems g_items;

MenuItem sep() { return MenuItem::separator(); }
// The tab menus show no images; a few items say their caption their own way (form 1).
MenuItem item(Command id, int caption_form = 0) { return command_item(id, caption_form, false); }
MenuItem submenu(Command id, std::initializer_list<MenuItem> items) {
  MenuItem m(item(id).caption, -1, items);
  m.command = static_cast<int>(id);
  return m;
}

}  // namespace

void build_tab_menus(MainWindowForm& w) {
  rt::PopupMenu& menus = w.超级菜单;
  MenuItem& current = menus.add_menu(MenuItem(
      "标签菜单", -1,
      {submenu(C::TabFindMenu, {item(C::JumpWindow), sep(), item(C::ScrollTabsTowardsFirst),
                                item(C::ScrollTabsTowardsLast), sep(), item(C::JumpToFirstTab),
                                item(C::JumpToMiddleTab), item(C::JumpToLastTab)}),
       sep(),
       submenu(C::TabPageInfoMenu,
               {item(C::RenameTab), sep(), item(C::CopyPageName), sep(), item(C::CopyPagePath), sep(),
                item(C::CopyPageText), sep(), item(C::CopyFileMd5), sep(), item(C::CopyFileSha1), sep(),
                item(C::CopyFileCrc32), sep(), item(C::AppendToTabSet), sep(), item(C::Snapshot)}),
       submenu(C::TabFileMenu, {item(C::CopyFileTo), sep(), item(C::MoveFileTo), sep(), item(C::RenameFile), sep(),
                                item(C::RecycleFile), sep(), item(C::OpenInNotepad), sep(), item(C::FileProperties)}),
       sep(),
       item(C::RunBatch),  // its caption is set when it is shown
       item(C::StripLyrics),
       sep(),
       item(C::RestoreBackup),
       sep(),
       item(C::ClosePage),
       item(C::CloseAll),
       sep(),
       item(C::Save, 1),
       item(C::SaveAs, 1),
       item(C::SaveAll, 1),
       sep(),
       item(C::FileInfo),
       item(C::RevealFile),
       sep(),
       item(C::PrintFromTabMenu)}));
  MenuItem& other = menus.add_menu(MenuItem(
      "标签菜单_不是当前标签", -1,
      {item(C::JumpToRememberedTab), sep(), item(C::CloseRememberedTab), sep(), item(C::RevealRememberedFile), sep(),
       item(C::RememberedFileProperties)}));
  g_items = {&current, &other};
  MenuItem* previous = nullptr;
  for (MenuItem& entry : current.items()) {
    if (entry.command == static_cast<int>(C::RunBatch)) {
      g_items.batch = &entry;
      g_items.batch_separator = previous;
    } else if (entry.command == static_cast<int>(C::RestoreBackup)) {
      g_items.restore_separator = previous;
    }
    previous = &entry;
  }
}

TabMenuItems& tab_menu_items() { return g_items; }
