// While an open run is busy (its worker held back here, so the run stays busy as long as the
// test wants), every command that would make, close, re-queue or re-order pages, or replace the
// current page's text, is refused: its menu item is shown disabled, and the command itself,
// reached by a key, a button or the item's handler, does nothing. Against the real main window
// under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/drops.h"
#include "app/menu_bar.h"
#include "app/shortcuts.h"
#include "app/shutdown.h"
#include "app/tray.h"
#include "common/message_box.h"
#include "documents/open_files.h"
#include "forms/main_window_form.h"
#include "common/message_box_form.h"
#include "app/tab_menu_items.h"
#include "options/option_values.h"
#include "pages/page_model.h"
#include "pages/tab_commands.h"
#include "pages/tab_menus.h"
#include "program_test.h"
#include "runtime/files.h"
#include "runtime/popup_menu.h"
#include "runtime/seams.h"
#include "ui_test.h"

namespace {

// Every conversion of the Extra menu would change it.
const char kLyrics[] = "[00:01]first 第一句\r\n  [00:02]第二句 12 ";

// What the user has in front of him: every page's caption, text and modified flag, the files.
struct Snapshot {
  std::vector<std::string> pages;
  std::string lyrics_file, backup_file;
  bool operator==(const Snapshot&) const = default;
};

class OpenRunBusyTest : public ProgramTest {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir_ = std::string(temp) + "velmora_busy_" + std::to_string(GetTickCount()) + "\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
    ProgramTest::SetUp();
    ended_ = -1;
    rt::seams::end_process_hook() = [this](int code) { ended_ = code; };
    rt::seams::record_launches(true);
    rt::seams::launches().clear();
    // Tab 0 modified; tab 1 a lyrics file with a backup beside it, current, so that every item
    // of its menus would be offered.
    set_option(&OptionValues::open_in_thread, 0);
    editor().set_text("零\r\n第二行 34");
    ASSERT_TRUE(rt::write_file_safely(dir_ + "song.lrc", kLyrics));
    ASSERT_TRUE(rt::write_file_safely(dir_ + "song.BAK", "备份"));
    set_open_queue({dir_ + "song.lrc"});
    open_files();
    ASSERT_EQ(tabs().count(), 2);
    tabs().set_current(1);
    ASSERT_TRUE(rt::write_file_safely(dir_ + "arriving.txt", "到了"));
    // The run: its worker waits until the test lets it go.
    set_option(&OptionValues::open_in_thread, 1);
    rt::seams::hold_workers(true);
    set_open_queue({dir_ + "arriving.txt"});
    open_files();
    ASSERT_TRUE(open_busy());
  }
  void TearDown() override {
    rt::seams::hold_workers(false);
    ui_test::wait_for([] { return !open_busy(); }, 20000);
    rt::seams::set_modal_hook(nullptr);
    rt::seams::set_menu_hook(nullptr);
    rt::seams::end_process_hook() = nullptr;
    rt::seams::record_launches(false);
    ProgramTest::TearDown();
    for (const std::string& n : rt::find_files(dir_ + "*")) DeleteFileA((dir_ + n).c_str());
    RemoveDirectoryA(dir_.c_str());
  }
  Snapshot snapshot() {
    Snapshot s;
    for (int i = 0; i < tabs().count(); ++i)
      s.pages.push_back(tabs().caption(i) + "|" + page_content(i) + "|" + std::to_string(pages()[i].modified));
    s.lyrics_file = rt::read_file(dir_ + "song.lrc").value_or("<missing>");
    s.backup_file = rt::read_file(dir_ + "song.BAK").value_or("<missing>");
    return s;
  }
  std::string dir_;
  int ended_ = -1;
};

// Opens a menu with `pop_up` and reads whether the item (in the submenu `sub` when given) is
// shown disabled; the menu is then closed.
bool shown_disabled(const std::function<void()>& pop_up, const std::string& caption, const std::string& sub = {}) {
  bool found = false, disabled = false;
  rt::seams::set_menu_hook([&](rt::PopupMenu& m) {
    for (const auto& item : m.shown_items(sub))
      if (item.caption == caption) found = true, disabled = item.disabled;
    m.close();
  });
  pop_up();
  rt::seams::set_menu_hook(nullptr);
  EXPECT_TRUE(found) << caption;
  return disabled;
}

void file_menu() { ui_test::click(main_window().图形按钮_文件_菜单); }
void extra_menu() { ui_test::click(main_window().图形按钮_附加_菜单); }
void program_menu() { ui_test::click(main_window().图形按钮_程序图标); }
void tray_menu() { popup_tray_menu_at_cursor(); }
void tab_menu_of(int tab) {
  rt::Rect r = tabs().tab_rect(tab);
  ui_test::right_click(tabs(), r.left + r.width / 2, r.height / 2);
}
void current_tab_menu() { tab_menu_of(1); }
void other_tab_menu() { tab_menu_of(0); }

TEST_F(OpenRunBusyTest, TheMenusShowTheCommandsThatWouldMakeCloseOrReplacePagesDisabled) {
  struct Case {
    void (*pop_up)();
    const char* caption;
    const char* sub;
  };
  const Case cases[] = {
      {file_menu, "新建文件(&N)    Ctrl+N", ""},
      {file_menu, "自定新建(&Z)    Ctrl+B", ""},
      {file_menu, "打开文件(&O)    Ctrl+O", ""},
      {file_menu, "全部保存(&Q)    Ctrl+Q", ""},
      {file_menu, "关闭本页(&W)    Ctrl+W", ""},
      {file_menu, "全部关闭(&G)    Ctrl+G", ""},
      {file_menu, "重启程序(&R)", ""},
      {file_menu, "退出程序(&E)    Alt+F4", ""},
      {extra_menu, "段落排版(&D)", ""},
      {extra_menu, "格式转换(&N)", ""},
      {extra_menu, "取纯中文文本(&Z)", ""},
      {extra_menu, "删除全部空格(&F)    Ctrl+F6", ""},
      {extra_menu, "替换为换行符(&L)", ""},
      {extra_menu, "换行符替换为(&E)", ""},
      {extra_menu, "取中间文本(&I)", ""},
      {extra_menu, "数字连续替换(&V)", ""},
      {extra_menu, "取纯歌词文本(&R)", ""},
      {extra_menu, "保存打开标签(&B)", ""},
      {program_menu, "关闭程序(&C)    Alt+F4", ""},
      {tray_menu, "重启程序(&R)", ""},
      {tray_menu, "退出程序(&T)", ""},
      {current_tab_menu, "关闭本页(&W)    Ctrl+W", ""},
      {current_tab_menu, "全部关闭(&G)    Ctrl+G", ""},
      {current_tab_menu, "全部保存(&Q)", ""},
      {current_tab_menu, "取纯歌词(&C)", ""},
      {current_tab_menu, "恢复备份(&H)", ""},
      {current_tab_menu, "删除到回收站(&D)", "文件操作(&J)"},
      {other_tab_menu, "关闭标签(&B)", ""},
  };
  for (const Case& c : cases) EXPECT_TRUE(shown_disabled(c.pop_up, c.caption, c.sub)) << c.caption;
  // What stays offered: saving the page, its file operations, moving between tabs.
  EXPECT_FALSE(shown_disabled(file_menu, "另存文件(&K)    Ctrl+K"));
  EXPECT_FALSE(shown_disabled(current_tab_menu, "复制文件到...(&F)", "文件操作(&J)"));
  EXPECT_FALSE(shown_disabled(other_tab_menu, "跳到标签(&T)"));
  // Once the run has ended they are offered again.
  rt::seams::hold_workers(false);
  ASSERT_TRUE(ui_test::wait_for([] { return !open_busy(); }, 20000));
  tabs().set_current(1);
  for (const Case& c : cases) EXPECT_FALSE(shown_disabled(c.pop_up, c.caption, c.sub)) << c.caption;
}

// A menu item's own handler, as a menu that was open when the run began would run it.
void run_item(rt::MenuItem* menu, const char* caption) {
  rt::MenuItem* item = menu ? menu->find(caption) : nullptr;
  ASSERT_NE(item, nullptr) << caption;
  ASSERT_TRUE(item->on_click) << caption;
  item->on_click();
}
rt::MenuItem* bar_menu(const char* caption) { return main_window().超级菜单.menu(caption); }

TEST_F(OpenRunBusyTest, TheCommandsThemselvesDoNothingByKeyButtonOrItem) {
  struct Case {
    const char* name;
    std::function<void()> act;
  };
  auto key = [](int vk, int modifiers) { return [=] { ui_test::press_key(editor(), vk, modifiers); }; };
  auto item = [](const char* menu, const char* caption) { return [=] { run_item(bar_menu(menu), caption); }; };
  auto tab_item = [](const char* caption) { return [=] { run_item(tab_menu_items().current, caption); }; };
  const Case cases[] = {
      {"Ctrl+N", key('N', rt::kCtrl)},
      {"Ctrl+B", key('B', rt::kCtrl)},
      {"Ctrl+O", key('O', rt::kCtrl)},
      {"Ctrl+W", key('W', rt::kCtrl)},
      {"Ctrl+G", key('G', rt::kCtrl)},
      {"Ctrl+Q", key('Q', rt::kCtrl)},
      {"Ctrl+F6", key(VK_F6, rt::kCtrl)},
      {"the new button", [] { on_toolbar_button(kButtonNew); }},
      {"the open button", [] { on_toolbar_button(kButtonOpen); }},
      {"the close-page button", [] { on_toolbar_button(kButtonClosePage); }},
      {"the tab's close button", [] { ui_test::click(w().图形按钮_关闭本页); }},
      {"the window's close button", [] { ui_test::click(w().图形按钮_关闭); }},
      {"a right click on the window's close button", [] { ui_test::right_click(w().图形按钮_关闭); }},
      {"a double click on the icon",
       [] {
         rt::seams::set_menu_hook([](rt::PopupMenu& m) { m.close(); });
         ui_test::double_click(w().图形按钮_程序图标);
         rt::seams::set_menu_hook(nullptr);
       }},
      {"the system's close request", [] { w().close(); }},
      {"Ctrl and a double click on the tab strip", [] { ui_test::double_click(tabs(), 3, 3, rt::kCtrl); }},
      {"a dropped file", [] { rt::seams::drop_files(editor(), {"C:\\windows\\win.ini"}); }},
      {"新建文件", item("文件(&F)", "新建文件(&N)    Ctrl+N")},
      {"自定新建", item("文件(&F)", "自定新建(&Z)    Ctrl+B")},
      {"打开文件", item("文件(&F)", "打开文件(&O)    Ctrl+O")},
      {"全部保存", item("文件(&F)", "全部保存(&Q)    Ctrl+Q")},
      {"关闭本页", item("文件(&F)", "关闭本页(&W)    Ctrl+W")},
      {"全部关闭", item("文件(&F)", "全部关闭(&G)    Ctrl+G")},
      {"重启程序", item("文件(&F)", "重启程序(&R)")},
      {"退出程序", item("文件(&F)", "退出程序(&E)    Alt+F4")},
      {"去除段落首尾空", item("附加(&I)", "去除段落首尾空(&O)")},
      {"标出段落数", item("附加(&I)", "标出段落数-半角(&J)")},
      {"全内容到大写", item("附加(&I)", "全内容到大写(&D)")},
      {"URL编码", item("附加(&I)", "URL编码(&U)")},
      {"取纯中文文本", item("附加(&I)", "取纯中文文本(&Z)")},
      {"删除全部空格", item("附加(&I)", "删除全部空格(&F)    Ctrl+F6")},
      {"替换为换行符", item("附加(&I)", "替换为换行符(&L)")},
      {"换行符替换为", item("附加(&I)", "换行符替换为(&E)")},
      {"取中间文本", item("附加(&I)", "取中间文本(&I)")},
      {"数字连续替换", item("附加(&I)", "数字连续替换(&V)")},
      {"取纯歌词文本", item("附加(&I)", "取纯歌词文本(&R)")},
      {"保存打开标签", item("附加(&I)", "保存打开标签(&B)")},
      {"关闭程序", item("程序右键菜单(&C)", "关闭程序(&C)    Alt+F4")},
      {"the tray's 重启程序", item("托盘菜单(&T)", "重启程序(&R)")},
      {"the tray's 退出程序", item("托盘菜单(&T)", "退出程序(&T)")},
      {"the tab's 关闭本页", tab_item("关闭本页(&W)    Ctrl+W")},
      {"the tab's 全部关闭", tab_item("全部关闭(&G)    Ctrl+G")},
      {"the tab's 全部保存", tab_item("全部保存(&Q)")},
      {"the tab's 取纯歌词", tab_item("取纯歌词(&C)")},
      {"the tab's 恢复备份", tab_item("恢复备份(&H)")},
      {"the tab's 删除到回收站", tab_item("删除到回收站(&D)")},
      {"the other tab's 关闭标签",
       [] {
         remember_menu_tab(0);
         run_item(tab_menu_items().other, "关闭标签(&B)");
       }},
  };
  // A box a command should not have shown is counted and declined (No or Cancel where it
  // offers them), so that a command that was not refused ends instead of asking again.
  int boxes = 0;
  rt::seams::set_modal_hook([&](rt::Window& box) {
    ++boxes;
    MessageBoxForm& f = message_box_form();
    if (&box != &f) {
      box.close();
      return;
    }
    for (int code : {kBoxCancel, kBoxNo, kBoxOk})
      if (f.answer_button(code)->visible()) return ui_test::click(*f.answer_button(code));
  });
  rt::seams::dialog_requests().clear();
  const Snapshot before = snapshot();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.act();
    ui_test::settle(30);
    EXPECT_TRUE(open_busy());
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(boxes, 0);
    EXPECT_TRUE(rt::seams::dialog_requests().empty());
    EXPECT_TRUE(rt::seams::launches().empty());
    EXPECT_EQ(ended_, -1);
    EXPECT_TRUE(w().visible());
    EXPECT_EQ(restart_pending(), 0);
  }
  // The run then ends as it would have: its file in a page of its own, nothing else changed.
  rt::seams::hold_workers(false);
  ASSERT_TRUE(ui_test::wait_for([] { return !open_busy(); }, 20000));
  ASSERT_EQ(tabs().count(), 3);
  EXPECT_EQ(page_content(2), "到了");
  EXPECT_EQ(page_content(1), kLyrics);
  // And the commands work again.
  ui_test::press_key(editor(), 'N', rt::kCtrl);
  EXPECT_EQ(tabs().count(), 4);
}

}  // namespace
