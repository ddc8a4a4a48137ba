#include "forms/tab_menus_form.h"

#include "documents/file_info.h"
#include "documents/file_operations.h"
#include "documents/save_files.h"
#include "forms/main_window_form.h"
#include "pages/closing.h"
#include "pages/jump_to_page.h"
#include "pages/tab_commands.h"
#include "pages/tab_set.h"
#include "texttools/conversion_commands.h"
#include "texttools/file_digests.h"
#include "texttools/printing.h"

namespace {

using rt::MenuItem;

TabMenuItems g_items;

MenuItem sep() { return MenuItem::separator(); }

void close_current_page() { close_page_with_prompt(main_window().高级选择夹_标签.current()); }
void close_every_page() { close_all_pages(false); }
void save_current() { save_current_page(); }
void save_current_as() { save_current_page_as(); }
void copy_page_file() { copy_or_move_page_file(false); }
void move_page_file() { copy_or_move_page_file(true); }

}  // namespace

// Items without a command belong to windows the program does not have yet: they are shown and
// enabled as the states say, and do nothing.
void build_tab_menus(MainWindowForm& w) {
  rt::PopupMenu& menus = w.超级菜单;
  MenuItem& current = menus.add_menu(MenuItem(
      "标签菜单", -1,
      {MenuItem("查找页面(&Y)", -1,
                {MenuItem("跳转页面(&M)    Ctrl+D", -1, open_jump_window),
                 sep(), MenuItem("向前滚动(&Q)", -1, scroll_tabs_towards_first),
                 MenuItem("向后滚动(&H)", -1, scroll_tabs_towards_last), sep(),
                 MenuItem("跳到最前(&T)", -1, jump_to_first_tab), MenuItem("跳到中间(&Z)", -1, jump_to_middle_tab),
                 MenuItem("跳到最后(&H)", -1, jump_to_last_tab)}),
       sep(),
       MenuItem(
           "页面信息(&F)", -1,
           {MenuItem("重命名标签名(&B)", -1, rename_current_tab), sep(),
            MenuItem("复制文件名称(&M)", -1, copy_page_name), sep(), MenuItem("复制文件路径(&L)", -1, copy_page_path),
            sep(), MenuItem("复制文件类容(&N)", -1, copy_page_text), sep(),
            MenuItem("复制文件MD5(&D)", -1, copy_file_md5), sep(), MenuItem("复制文件SHA1(&S)", -1, copy_file_sha1),
            sep(), MenuItem("复制文件CRC32(&C)", -1, copy_file_crc32), sep(),
            MenuItem("保存到保存标签(&K)", -1, append_page_to_tab_set),
            sep(), MenuItem("对当前页截图(&X)", -1, save_page_snapshot)}),
       MenuItem("文件操作(&J)", -1,
                {MenuItem("复制文件到...(&F)", -1, copy_page_file), sep(),
                 MenuItem("移动文件到...(&Y)", -1, move_page_file), sep(),
                 MenuItem("重命名文件(&C)", -1, rename_page_file), sep(),
                 MenuItem("删除到回收站(&D)", -1, recycle_page_file), sep(),
                 MenuItem("用记事本打开...(&N)", -1, open_in_system_notepad), sep(),
                 MenuItem("文件属性(&S)", -1, show_current_file_properties)}),
       sep(),
       MenuItem("运行批处理", -1, run_page_as_batch),  // its caption is set when it is shown
       MenuItem("取纯歌词(&C)", -1, strip_lyrics_in_editor),
       sep(),
       MenuItem("恢复备份(&H)", -1, restore_page_backup),
       sep(),
       MenuItem("关闭本页(&W)    Ctrl+W", -1, close_current_page),
       MenuItem("全部关闭(&G)    Ctrl+G", -1, close_every_page),
       sep(),
       MenuItem("保存文件(&S)", -1, save_current),
       MenuItem("另存文件(&L)", -1, save_current_as),
       MenuItem("全部保存(&Q)", -1, save_all_command),
       sep(),
       MenuItem("文件信息(&W)", -1, open_file_info_window),
       MenuItem("所在目录(&M)", -1, reveal_current_file),
       sep(),
       MenuItem("打印文件(&P)    Ctrl+P", -1, print_from_tab_menu)}));
  MenuItem& other = menus.add_menu(MenuItem(
      "标签菜单_不是当前标签", -1,
      {MenuItem("跳到标签(&T)", -1, jump_to_remembered_tab), sep(), MenuItem("关闭标签(&B)", -1, close_remembered_tab),
       sep(), MenuItem("所在目录(&M)", -1, reveal_remembered_file), sep(),
       MenuItem("文件属性(&S)", -1, show_remembered_file_properties)}));
  g_items = {&current, &other};
  MenuItem* previous = nullptr;
  for (MenuItem& item : current.items()) {
    if (item.caption == "运行批处理") {
      g_items.batch = &item;
      g_items.batch_separator = previous;
    } else if (item.caption == "恢复备份(&H)") {
      g_items.restore_separator = previous;
    }
    previous = &item;
  }
}

TabMenuItems& tab_menu_items() { return g_items; }
