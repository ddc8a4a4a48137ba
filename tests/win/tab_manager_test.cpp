// The tab manager against the real main window, real files, the real message box and menus
// under Wine: the open pages as rows kept in step with the pages, switching to and closing
// pages, copying and showing their files, keeping them in the saved set; the saved set as rows
// read from, changed in and written back to its file; the busy state; the exit.
#include "options/option_values.h"
#include "pages/closing.h"
#include "pages/tab_manager.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/menu_bar.h"
#include "app/shutdown.h"
#include "common/window_fade.h"
#include "documents/open_files.h"
#include "documents/save_files.h"
#include "forms/tab_manager_form.h"
#include "layout_check.h"
#include "pages/page_model.h"
#include "pages/tab_set.h"
#include "program_test.h"
#include "recorded_boxes.h"
#include "runtime/app.h"
#include "runtime/files.h"
#include "runtime/seams.h"
#include "ui_test.h"

namespace {

using Texts = std::vector<std::string>;
using rt::seams::DialogKind;

TabManagerForm& tm() { return tab_manager_window(); }
rt::ListView& open_list() { return tm().超级列表框_打开的文件; }
rt::ListView& saved_list() { return tm().超级列表框_保存标签; }

Texts row_of(rt::ListView& list, int row) {
  Texts cells;
  for (int c = 0; c < list.column_count(); ++c) cells.push_back(list.cell(row, c));
  return cells;
}

Texts column_of(rt::ListView& list, int column) {
  Texts cells;
  for (int r = 0; r < list.row_count(); ++r) cells.push_back(list.cell(r, column));
  return cells;
}

void select_rows(rt::ListView& list, const std::vector<int>& rows) {
  list.set_all_selected(false);
  for (int r : rows) list.set_selected(r, true);
}

int row_y(rt::ListView& list, int row) {
  rt::Rect r = list.row_rect(row);
  return r.top + r.height / 2;
}

// What a right click on a list showed, and the item picked in it (or none).
struct ShownMenu {
  std::string caption;
  std::vector<rt::PopupMenu::ShownItem> items;
  bool disabled(const std::string& item) const {
    for (const auto& i : items)
      if (i.caption == item) return i.disabled;
    ADD_FAILURE() << "no item " << item;
    return false;
  }
};

// A right click at a height in the list (row -1: below the last row).
ShownMenu right_click_row(rt::ListView& list, int row, const std::string& choose = {}) {
  int y = row >= 0 ? row_y(list, row) : (list.row_count() > 0 ? row_y(list, list.row_count() - 1) + 60 : 60);
  ShownMenu shown;
  rt::seams::set_menu_hook([&](rt::PopupMenu& menu) {
    shown.caption = menu.open_menu()->caption;
    shown.items = menu.shown_items();
    if (choose.empty() || !menu.choose(choose)) menu.close();
  });
  ui_test::right_click_queued(list, 30, y);
  rt::seams::set_menu_hook(nullptr);
  return shown;
}

class TabManagerTest : public ProgramTest {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir_ = std::string(temp) + "velmora_tabmanager_" + std::to_string(GetTickCount()) + "\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
    DeleteFileA(tab_set_file_path().c_str());
    ProgramTest::SetUp();
  }
  void TearDown() override {
    rt::seams::set_modal_hook(nullptr);
    rt::seams::set_menu_hook(nullptr);
    rt::seams::record_launches(false);
    rt::seams::launches().clear();
    tm().destroy();
    ProgramTest::TearDown();
    DeleteFileA(tab_set_file_path().c_str());
    remove_tree(dir_);
  }
  static void remove_tree(const std::string& dir) {
    for (const std::string& name : rt::find_files(dir + "*", 0x16)) {
      std::string p = dir + name;
      if (rt::is_directory(p)) {
        remove_tree(p + "\\");
        continue;
      }
      rt::set_file_attributes(p, 0x80);
      DeleteFileA(p.c_str());
    }
    RemoveDirectoryA(dir.c_str());
  }
  std::string file(const std::string& name, const std::string& bytes) {
    std::string p = dir_ + name;
    EXPECT_TRUE(rt::write_file_safely(p, bytes));
    return p;
  }
  // Opens the files as the command line does and waits for the run to end.
  static void open_pages(std::vector<std::string> paths) {
    set_open_queue(std::move(paths));
    open_files();
    ASSERT_TRUE(ui_test::wait_for([] { return !open_busy() && open_queue().empty(); }, 20000));
  }
  // Opens the window as its menu item does and waits until it is shown and both lists filled.
  static void open_manager() {
    main_menu_item("标签管理(&B)")->on_click();
    ASSERT_TRUE(ui_test::wait_for(
        [] { return tm().loaded() && tm().alpha() == options().window_alpha && !tab_manager_busy(); }));
  }
  static void close_by_button() {
    ui_test::click(tm().图形按钮_关闭小);
    ASSERT_TRUE(ui_test::wait_for([] { return !tm().loaded(); }));
  }
  static void wait_idle() { ASSERT_TRUE(ui_test::wait_for([] { return !tab_manager_busy(); })); }
  static void show_saved_tab() { tm().高级选择夹_标签管理.set_current(1); }
  static std::string stored() { return rt::read_file(tab_set_file_path()).value_or("<missing>"); }
  static void store(const std::string& bytes) { ASSERT_TRUE(rt::write_file_safely(tab_set_file_path(), bytes)); }

  std::string dir_;
  std::vector<RecordedBox> boxes_;
};

TEST_F(TabManagerTest, TheMenuItemOpensTheWindowListingThePagesWithTheirFiles) {
  std::string kb = file("一点五.txt", std::string(1536, 'a'));
  std::string under = file("under.txt", std::string(1000, 'b'));
  ASSERT_TRUE(rt::set_file_attributes(under, 1 | 32));  // read-only, archive
  open_pages({kb, under});
  new_page_command();
  open_manager();
  EXPECT_EQ(tm().caption(), "Velmora_标签管理");
  EXPECT_EQ(tm().height(), 403);
  EXPECT_EQ(tm().标签_上中.text(), "   对当前打开的标签进行管理……");
  EXPECT_FALSE(tm().图形按钮_关闭小.disabled());
  EXPECT_EQ(column_of(open_list(), 0).size(), 3u);
  Texts captions;
  for (int c = 0; c < open_list().column_count(); ++c) captions.push_back(open_list().column_caption(c));
  EXPECT_EQ(captions, (Texts{"文件名称", "文件大小", "只读", "隐藏", "系统", "存档", "文件路径"}));
  EXPECT_EQ(row_of(open_list(), 0), (Texts{"一点五", "1.5KB", "×", "×", "×", "√", kb}));
  EXPECT_EQ(row_of(open_list(), 1), (Texts{"under", "0.977KB", "√", "×", "×", "√", under}));
  EXPECT_EQ(row_of(open_list(), 2), (Texts{"新建文档 2", "", "×", "×", "×", "×", "(此文件尚未保存过！)"}));
  // The menu item only brings a loaded window forward.
  main_menu_item("标签管理(&B)")->on_click();
  EXPECT_EQ(rt::Window::find_loaded("Velmora_标签管理"), &tm());
}

TEST_F(TabManagerTest, TheTabsShowOneListEachAndNameItInTheTitleStrip) {
  open_manager();
  show_saved_tab();
  EXPECT_EQ(tm().标签_上中.text(), "   对保存的标签进行管理……");
  EXPECT_TRUE(saved_list().visible());
  EXPECT_TRUE(tm().编辑框_类容摘要.visible());
  EXPECT_FALSE(open_list().visible());
  tm().高级选择夹_标签管理.set_current(0);
  EXPECT_EQ(tm().标签_上中.text(), "   对当前打开的标签进行管理……");
  EXPECT_TRUE(open_list().visible());
  EXPECT_FALSE(saved_list().visible());
}

TEST_F(TabManagerTest, RowsFollowThePagesAndAPlaceholderTab0IsLeftOut) {
  editor().set_text("一");
  std::string second = "第二页", third = "第三页";
  create_page(second);
  create_page(third);
  close_page_at(0);
  ASSERT_EQ(tab0_placeholder(), 1);
  open_manager();
  EXPECT_EQ(column_of(open_list(), 0), (Texts{"第二页", "第三页"}));
  // Double-clicking the first row selects tab 1.
  tabs().set_current(2);
  ui_test::double_click(open_list(), 30, row_y(open_list(), 0));
  EXPECT_EQ(tabs().current(), 1);
  // New pages add their rows, closed pages take theirs away.
  std::string fourth = "第四页";
  create_page(fourth);
  EXPECT_EQ(column_of(open_list(), 0), (Texts{"第二页", "第三页", "第四页"}));
  EXPECT_EQ(row_of(open_list(), 2)[6], "(此文件尚未保存过！)");
  close_page_at(2);
  EXPECT_EQ(column_of(open_list(), 0), (Texts{"第二页", "第四页"}));
  // The last closes bring tab 0 back: its row is listed again.
  close_page_at(2);
  close_page_at(1);
  ASSERT_EQ(tab0_placeholder(), 0);
  EXPECT_EQ(column_of(open_list(), 0), (Texts{page_name(0)}));
  // Reset as the only page, tab 0 keeps a row, under its new name.
  close_page_at(0);
  EXPECT_EQ(column_of(open_list(), 0), (Texts{page_name(0)}));
}

TEST_F(TabManagerTest, ASelectedPageThatGoesUnderAQuestionIsNotClosedInAnotherPagesPlace) {
  for (std::string name : {"甲页", "乙页", "丙页"}) {
    create_page(name);
    editor().set_text("改了" + name);  // modified
  }
  open_manager();
  int boxes = 0;
  // The question about 乙页 is open when 甲页 goes; then No closes 乙页, and 丙页, which is
  // now where 乙页 was, was never selected.
  rt::seams::set_modal_hook([&](rt::Window& box) {
    if (&box != &message_box_form()) return;
    if (++boxes == 1) close_page_at(1);
    ui_test::click(*message_box_form().answer_button(kBoxNo));
  });
  select_rows(open_list(), {1, 2});
  ui_test::press_key(open_list(), VK_DELETE);
  ASSERT_TRUE(ui_test::wait_for([] { return tabs().count() == 2 && !tab_manager_busy(); }));
  ui_test::settle(100);
  EXPECT_EQ(boxes, 1);
  ASSERT_EQ(tabs().count(), 2);
  EXPECT_EQ(page_name(1), "丙页");
  EXPECT_EQ(pages()[1].modified, 1);
}

TEST_F(TabManagerTest, DeleteClosesTheSelectedPagesHighestFirstEachWithItsQuestion) {
  for (std::string name : {"甲页", "乙页", "丙页"}) {
    create_page(name);
    editor().set_text("改了" + name);  // modified
  }
  set_page_modified(2, 0);  // 乙页 closes without a question
  open_manager();
  ASSERT_EQ(open_list().row_count(), 4);
  record_message_boxes(&boxes_, {kBoxNo, kBoxCancel});
  select_rows(open_list(), {1, 2, 3});
  ui_test::press_key(open_list(), VK_DELETE);
  ASSERT_TRUE(ui_test::wait_for([] { return open_list().row_count() == 2 && !tab_manager_busy(); }));
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_NE(boxes_[0].text.find("[丙页...]"), std::string::npos) << boxes_[0].text;
  EXPECT_NE(boxes_[1].text.find("[甲页...]"), std::string::npos) << boxes_[1].text;
  // No closes 丙页 unsaved, 乙页 needs no question, Cancel keeps 甲页.
  ASSERT_EQ(tabs().count(), 2);
  EXPECT_EQ(page_name(1), "甲页");
  EXPECT_EQ(column_of(open_list(), 0), (Texts{"新建文档 1", "甲页"}));
  EXPECT_EQ(bulk_close_running(), 0);
  EXPECT_EQ(editor().text(), page_content(tabs().current()));
}

TEST_F(TabManagerTest, TheKeysSelectAllInvertAndRefresh) {
  for (std::string name : {"甲", "乙", "丙"}) create_page(name);
  open_manager();
  rt::ListView& l = open_list();
  ui_test::press_key(l, 'A', rt::kCtrl);
  EXPECT_EQ(l.selected_rows(), (std::vector<int>{0, 1, 2, 3}));
  select_rows(l, {0, 2});
  ui_test::press_key(l, 'F', rt::kCtrl);
  EXPECT_EQ(l.selected_rows(), (std::vector<int>{1, 3}));
  // A renamed tab keeps its old row until F5.
  tabs().set_tooltip(1, make_tab_tooltip("改名"));
  EXPECT_EQ(l.cell(1, 0), "甲");
  ui_test::press_key(l, VK_F5, rt::kShift);
  wait_idle();
  EXPECT_EQ(l.cell(1, 0), "改名");
}

TEST_F(TabManagerTest, WhileAListIsFilledTheWindowIsBusyAndRefuses) {
  std::string a = file("a.txt", "A"), b = file("b.txt", "B");
  open_pages({a});
  new_page_command();
  store(a + "|");
  open_manager();
  show_saved_tab();
  // A refill of the open pages is running: its keys do nothing, the window stays.
  refresh_tab_manager_list();
  EXPECT_TRUE(tab_manager_busy());
  EXPECT_TRUE(tm().图形按钮_关闭小.disabled());
  select_rows(open_list(), {1});
  EXPECT_TRUE(on_open_pages_key_down(VK_DELETE, 0));
  close_tab_manager();
  tm().close();
  EXPECT_TRUE(tm().loaded());
  wait_idle();
  ui_test::settle(50);
  EXPECT_EQ(tabs().count(), 2) << "the Delete refused while busy closed nothing";
  EXPECT_FALSE(tm().图形按钮_关闭小.disabled());
  // The saved list is being filled again: what would save or replace its rows is refused.
  reload_tab_set_file();
  EXPECT_TRUE(saved_list_filling());
  add_dropped_files_to_saved_list({b});
  store("x|");
  save_tab_set_file();
  on_saved_list_key_down('S', rt::kCtrl);
  select_rows(saved_list(), {0});
  on_saved_list_key_down(VK_DELETE, 0);
  EXPECT_EQ(stored(), "x|");
  wait_idle();
  EXPECT_FALSE(saved_list_filling());
  EXPECT_EQ(column_of(saved_list(), 2), (Texts{a}));
}

TEST_F(TabManagerTest, TheOpenPagesMenuFollowsTheSelection) {
  std::string a = file("a.txt", "A");
  open_pages({a});
  new_page_command();
  open_manager();
  select_rows(open_list(), {1});  // the page never saved
  ShownMenu m = right_click_row(open_list(), 1);
  EXPECT_EQ(m.caption, "打开标签_右键菜单");
  EXPECT_TRUE(m.disabled("保存到标签(&B)"));
  EXPECT_TRUE(m.disabled("文件复制到(&C)"));
  EXPECT_TRUE(m.disabled("文件属性(&P)"));
  EXPECT_FALSE(m.disabled("关闭标签(&D)    Del"));
  EXPECT_FALSE(m.disabled("打开文件(&O)    Ctrl+O"));
  EXPECT_FALSE(m.disabled("刷新显示(&F5)    F5"));
  m = right_click_row(open_list(), 0);  // the right click selects the saved page's row
  EXPECT_EQ(open_list().selected_rows(), (std::vector<int>{0}));
  for (const char* item : {"保存到标签(&B)", "文件复制到(&C)", "文件属性(&P)", "关闭标签(&D)    Del"})
    EXPECT_FALSE(m.disabled(item)) << item;
  // "关闭标签(&D)    Del" as Delete: tab 0 becomes the placeholder, its row goes.
  right_click_row(open_list(), 0, "关闭标签(&D)    Del");
  ASSERT_TRUE(ui_test::wait_for([] { return tab0_placeholder() == 1; }));
  EXPECT_EQ(column_of(open_list(), 0), (Texts{"新建文档 2"}));
}

TEST_F(TabManagerTest, CloseAllLeavesTheListShowingTheFreshPage) {
  for (std::string name : {"甲", "乙"}) create_page(name);
  open_manager();
  // Cancelled: the pages and their rows stay.
  record_message_boxes(&boxes_, {kBoxCancel});
  right_click_row(open_list(), 0, "全部关闭(&Q)");
  EXPECT_EQ(open_list().row_count(), 3);
  record_message_boxes(&boxes_, {kBoxOk});
  right_click_row(open_list(), 0, "全部关闭(&Q)");
  ASSERT_EQ(tabs().count(), 1);
  wait_idle();
  EXPECT_EQ(column_of(open_list(), 0), (Texts{page_name(0)}));
}

TEST_F(TabManagerTest, SelectedPagesGoToTheSavedSetAndItsFile) {
  std::string a = file("a.txt", std::string(2048, 'a')), b = file("b.txt", "b");
  open_pages({a, b});
  new_page_command();
  store("x|");
  open_manager();
  select_rows(open_list(), {0, 1, 2});  // a, b, and the page never saved (skipped)
  right_click_row(open_list(), 2, "保存到标签(&B)");
  EXPECT_EQ(stored(), "x||" + a + "|" + b);
  EXPECT_EQ(row_of(saved_list(), 0), (Texts{"a.txt", "2KB", a}));
  EXPECT_EQ(row_of(saved_list(), 1), (Texts{"b.txt", "0.001KB", b}));
  // The list changed here: the close button writes it back in its own form.
  close_by_button();
  EXPECT_EQ(stored(), a + "|" + b + "|");
}

TEST_F(TabManagerTest, CopyToFolderCopiesTheSelectedPagesFiles) {
  std::string a = file("a.txt", "new a"), b = file("b.txt", "new b");
  open_pages({a, b});
  new_page_command();
  std::string target = dir_ + "目标\\";
  CreateDirectoryA(target.c_str(), nullptr);
  ASSERT_TRUE(rt::write_file_safely(target + "a.txt", "old a"));
  open_manager();
  select_rows(open_list(), {0, 1, 2});
  rt::seams::dialog_requests().clear();
  rt::seams::script_dialog({DialogKind::Folder, true, {target}});
  right_click_row(open_list(), 2, "文件复制到(&C)");
  wait_idle();
  ASSERT_FALSE(rt::seams::dialog_requests().empty());
  EXPECT_EQ(rt::seams::dialog_requests().back().title, "请选择要复制到的目录……");
  EXPECT_EQ(rt::seams::dialog_requests().back().folder, "D:\\");
  EXPECT_EQ(rt::read_file(target + "a.txt").value_or(""), "new a");
  EXPECT_EQ(rt::read_file(target + "b.txt").value_or(""), "new b");
  EXPECT_EQ(rt::find_files(target + "*").size(), 2u);
  // Cancelled: nothing is copied and the window is not left busy.
  rt::seams::script_dialog({DialogKind::Folder, false, {}});
  copy_selected_pages_to_folder();
  EXPECT_FALSE(tab_manager_busy());
}

TEST_F(TabManagerTest, PropertiesAreShownForEachSelectedFile) {
  std::string a = file("a.txt", "A"), b = file("b.txt", "B");
  open_pages({a, b});
  new_page_command();
  open_manager();
  rt::seams::record_launches(true);
  select_rows(open_list(), {0, 1, 2});
  right_click_row(open_list(), 0, "文件属性(&P)");
  ASSERT_EQ(rt::seams::launches().size(), 2u);
  EXPECT_EQ(rt::seams::launches()[0].verb, "properties");
  EXPECT_EQ(rt::seams::launches()[0].file, a);
  EXPECT_EQ(rt::seams::launches()[1].file, b);
  EXPECT_FALSE(tab_manager_busy());
}

TEST_F(TabManagerTest, ASaveUnderANewNameShowsTheNewFileInItsRow) {
  std::string a = file("a.txt", "A");
  open_pages({a});
  open_manager();
  std::string b = dir_ + "新名.txt";
  rt::seams::script_dialog({DialogKind::Save, true, {b}});
  editor().set_text(std::string(1024, 'z'));
  save_current_page_as();
  EXPECT_EQ(row_of(open_list(), 0), (Texts{"新名", "1KB", "×", "×", "×", "√", b}));
}

TEST_F(TabManagerTest, TheSavedSetIsReadIntoRowsAndTheFirstRowPreviewed) {
  std::string text = std::string(748, 'a') + "中文" + "after";
  std::string a = file("a.txt", text), b = file("b.txt", std::string("b\0hidden", 8));
  ASSERT_TRUE(rt::set_file_attributes(a, 1));  // read-only files preview too
  store(a + "|" + dir_ + "gone.txt||" + b + "|");
  open_manager();
  show_saved_tab();
  Texts captions;
  for (int c = 0; c < saved_list().column_count(); ++c) captions.push_back(saved_list().column_caption(c));
  EXPECT_EQ(captions, (Texts{"文件名称", "文件大小", "文件路径"}));
  EXPECT_EQ(column_of(saved_list(), 2), (Texts{a, b}));
  EXPECT_EQ(row_of(saved_list(), 0), (Texts{"a.txt", "0.739KB", a}));
  EXPECT_EQ(saved_list().selected_rows(), (std::vector<int>{0}));
  // At most 750 bytes, cut before a character that would be split.
  EXPECT_EQ(tm().编辑框_类容摘要.text(), std::string(748, 'a') + "中");
  // Another row made current by the user: its file, up to its zero byte.
  ui_test::click(saved_list(), 30, row_y(saved_list(), 1));
  EXPECT_EQ(tm().编辑框_类容摘要.text(), "b");
  // Closing without changing the list leaves the file alone, unreachable paths included.
  close_by_button();
  EXPECT_EQ(stored(), a + "|" + dir_ + "gone.txt||" + b + "|");
}

TEST_F(TabManagerTest, DeletingEverySavedRowAndClosingDeletesTheFile) {
  std::string a = file("a.txt", "A"), b = file("b.txt", "B");
  store(a + "|" + b + "|");
  open_manager();
  show_saved_tab();
  ui_test::press_key(saved_list(), 'A', rt::kCtrl);
  ui_test::press_key(saved_list(), VK_DELETE);
  EXPECT_EQ(saved_list().row_count(), 0);
  EXPECT_EQ(stored(), a + "|" + b + "|") << "only the close button or Ctrl+S writes";
  close_by_button();
  EXPECT_FALSE(rt::file_exists(tab_set_file_path()));
}

TEST_F(TabManagerTest, SavedRowsAreDeletedInvertedSavedAndReloaded) {
  std::string a = file("a.txt", "A"), b = file("b.txt", "B"), c = file("c.txt", "C");
  store(a + "|" + b + "|" + c);
  open_manager();
  show_saved_tab();
  rt::ListView& l = saved_list();
  select_rows(l, {1});
  ui_test::press_key(l, 'F', rt::kCtrl);
  EXPECT_EQ(l.selected_rows(), (std::vector<int>{0, 2}));
  ui_test::press_key(l, VK_BACK);
  EXPECT_EQ(column_of(l, 2), (Texts{b}));
  ui_test::press_key(l, 'S', rt::kCtrl);
  EXPECT_EQ(stored(), b + "|");
  // F5 reads the file again and replaces the rows.
  store(c + "|" + a);
  ui_test::press_key(l, VK_F5);
  wait_idle();
  EXPECT_EQ(column_of(l, 2), (Texts{c, a}));
  // The menu: nothing selected disables opening and deleting; "全部删除(&Q)" empties the list.
  ShownMenu m = right_click_row(l, -1);  // below the rows: nothing selected
  EXPECT_EQ(m.caption, "保存标签_右键菜单");
  EXPECT_TRUE(m.disabled("打开到程序(&B)"));
  EXPECT_TRUE(m.disabled("删除选中(&D)    Del"));
  EXPECT_FALSE(m.disabled("保存标签(&S)    Ctrl+S"));
  right_click_row(l, -1, "全部删除(&Q)");
  EXPECT_EQ(l.row_count(), 0);
  m = right_click_row(l, -1);
  EXPECT_TRUE(m.disabled("保存标签(&S)    Ctrl+S"));
  EXPECT_EQ(stored(), c + "|" + a) << "clearing is saved only on request";
}

TEST_F(TabManagerTest, DroppedAndChosenFilesBecomeRowsMissingOnesDoNot) {
  std::string a = file("a.txt", "A"), b = file("b.txt", "B"), c = file("c.txt", "C");
  store(a + "|");
  open_manager();
  show_saved_tab();
  ASSERT_TRUE(rt::seams::drop_files(saved_list(), {b, dir_ + "gone.txt"}));
  wait_idle();
  EXPECT_EQ(column_of(saved_list(), 2), (Texts{a, b}));
  rt::seams::dialog_requests().clear();
  rt::seams::script_dialog({DialogKind::Open, true, {c}});
  right_click_row(saved_list(), 0, "加入文件(&O)    Ctrl+O");
  wait_idle();
  EXPECT_EQ(column_of(saved_list(), 2), (Texts{a, b, c}));
  ASSERT_FALSE(rt::seams::dialog_requests().empty());
  EXPECT_EQ(rt::seams::dialog_requests().back().title, "请选择要打开的文件，支持多选……");
  close_by_button();
  EXPECT_EQ(stored(), a + "|" + b + "|" + c + "|");
}

TEST_F(TabManagerTest, DoubleClickingSavedRowsOpensThem) {
  std::string a = file("a.txt", "甲的内容"), b = file("b.txt", "乙的内容");
  store(a + "|" + b + "|");
  open_manager();
  show_saved_tab();
  saved_list().set_selected(1, true);
  ui_test::double_click(saved_list(), 30, row_y(saved_list(), 0));
  ASSERT_TRUE(ui_test::wait_for([] { return !open_busy() && tabs().count() == 1 && !pages()[0].path.empty(); }, 20000));
  EXPECT_EQ(pages()[0].path, a);
  EXPECT_EQ(page_content(0), "甲的内容");
  // Through the menu, both selected rows: a opens a second time, as a page of its own.
  saved_list().set_all_selected(true);
  right_click_row(saved_list(), 0, "打开到程序(&B)");
  ASSERT_TRUE(ui_test::wait_for([] { return !open_busy() && tabs().count() == 3; }, 20000));
  EXPECT_EQ(pages()[2].path, b);
}

TEST_F(TabManagerTest, TheExitFadesTheWindowOut) {
  open_manager();
  release_main_window();
  EXPECT_FALSE(tm().visible() && tm().alpha() > 0);
}

TEST_F(TabManagerTest, Screenshot) {
  std::string a = file("说明.txt", "这是一个说明文件。\r\n第二行。"), b = file("readme.log", std::string(3000, 'x'));
  open_pages({a, b});
  new_page_command();
  store(a + "|" + b + "|");
  open_manager();
  select_rows(open_list(), {1});
  ui_test::screenshot("tab_manager_open_pages");
  EXPECT_TRUE(ui_test::layout_is_sound(tm()));
  show_saved_tab();
  ui_test::screenshot("tab_manager_saved_tabs");
  EXPECT_TRUE(ui_test::layout_is_sound(tm()));
}

}  // namespace
