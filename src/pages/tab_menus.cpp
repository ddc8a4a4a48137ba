#include "pages/tab_menus.h"

#include "app/commands.h"
#include "app/globals.h"
#include "app/shortcuts.h"
#include "documents/open_files.h"
#include "documents/save_files.h"
#include "forms/main_window_form.h"
#include "forms/tab_menus_form.h"
#include "pages/page_model.h"
#include "pages/tab_commands.h"
#include "runtime/files.h"
#include "runtime/gbk_text.h"

TabMenuItemState TabMenuStates::operator[](const std::string& caption) const {
  auto it = items.find(caption);
  return it == items.end() ? TabMenuItemState{} : it->second;
}

TabMenuStates current_tab_menu_states() {
  MainWindowForm& w = main_window();
  rt::TabControl& tabs = w.高级选择夹_标签;
  rt::EditBox& box = w.编辑框_文本类容;
  TabMenuStates s;
  int count = tabs.count(), cur = tabs.current();
  if (!page_exists(cur)) return s;
  const PageRecord& page = g_pages[cur];
  auto enable = [&s](const char* caption, bool on) { s.items[caption].enabled = on; };
  auto show = [&s](const char* caption, bool on) { s.items[caption].shown = on; };
  std::string extension = rt::to_lower_ascii(page.extension);

  bool lyrics = false;
  if (extension == "lrc") {
    std::string text = box.text();
    lyrics = rt::find_text(text, "[00:") > 0 && rt::find_text(text, "]") > 0;
  }
  show("取纯歌词(&C)", lyrics);
  // It replaces the page's text, as the restore below does.
  enable("取纯歌词(&C)", !open_busy());
  bool batch = extension == "cmd" || extension == "bat";
  show("运行批处理", batch);
  if (batch) s.batch_caption = extension == "cmd" ? "运行CMD(&F5)   Ctrl+F5" : "运行BAT(&F5)   Ctrl+F5";
  s.batch_separator = lyrics || batch;

  // The forced save's backup, or one named path + ".BAK".
  bool backup = !page.path.empty() && (rt::file_exists(backup_name(page.path)) || rt::file_exists(page.path + ".BAK"));
  show("恢复备份(&H)", backup);
  enable("恢复备份(&H)", !open_busy());
  s.restore_separator = backup;

  enable("跳转页面(&M)    Ctrl+D", count >= 10);
  // Tab 0 as a placeholder cannot be selected: tab 1 is then the first.
  bool at_first = cur == 0 || (cur == 1 && g_tab0_placeholder);
  bool at_last = cur == count - 1;
  enable("向前滚动(&Q)", !at_first);
  enable("向后滚动(&H)", !at_last);
  bool several = count > 1;
  // During an open run no page is closed, and saving all (which makes a page) waits too.
  bool busy = open_busy();
  for (const char* caption : {"关闭本页(&W)    Ctrl+W", "全部关闭(&G)    Ctrl+G", "全部保存(&Q)"})
    enable(caption, several && !busy);
  enable("跳到最前(&T)", several && !at_first);
  enable("跳到中间(&Z)", count >= 3 && cur != middle_tab_index(count));
  enable("跳到最后(&H)", several && !at_last);

  bool has_path = !page.path.empty();
  bool file = has_path && rt::file_exists(page.path);
  show("文件操作(&J)", has_path);
  for (const char* caption : {"复制文件路径(&L)", "所在目录(&M)", "复制文件MD5(&D)", "复制文件SHA1(&S)",
                              "复制文件CRC32(&C)", "保存到保存标签(&K)", "复制文件到...(&F)", "移动文件到...(&Y)",
                              "重命名文件(&C)", "删除到回收站(&D)", "用记事本打开...(&N)", "文件属性(&S)"})
    enable(caption, file);
  // Recycling the file closes its page.
  enable("删除到回收站(&D)", file && !open_busy());

  bool has_text = box.text_length() > 0;
  enable("复制文件类容(&N)", has_text);
  enable("打印文件(&P)    Ctrl+P", has_text);
  // As the main menu's save item, which follows the toolbar's save button.
  enable("保存文件(&S)", !(w.工具条_工具栏.state(kButtonSave) & rt::Toolbar::kDisabled));
  return s;
}

TabMenuStates other_tab_menu_states(int index) {
  TabMenuStates s;
  bool file = page_exists(index) && !g_pages[index].path.empty() && rt::file_exists(g_pages[index].path);
  s.items["所在目录(&M)"].enabled = file;
  s.items["文件属性(&S)"].enabled = file;
  s.items["关闭标签(&B)"].enabled = !open_busy();
  // A placeholder tab 0 cannot be selected.
  s.items["跳到标签(&T)"].enabled = !main_window().高级选择夹_标签.tab_disabled(index);
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
  for (const auto& [caption, state] : states.items) {
    if (rt::MenuItem* item = caption == "运行批处理" ? menus.batch : menu.find(caption)) {
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
