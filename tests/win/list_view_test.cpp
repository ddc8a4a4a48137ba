// The list-view unit against the real control under Wine: columns, rows of GBK texts, check
// boxes, the selection, the user's clicks and keys as events, and writes from code that raise
// nothing.
#include "runtime/list_view.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/window.h"
#include "ui_test.h"

namespace {

class ListForm : public rt::Window {
 public:
  ListForm() : rt::Window("VelmoraListViewTest", "列表测试", {100, 100, 420, 260}) {}
  rt::ListView list;

 protected:
  void build() override {
    list.create(*this, {10, 10, 400, 240});
    list.add_column("文件名称", 120);
    list.add_column("文件大小", 80);
    list.add_column("文件路径", 180);
  }
};

// What the events reported, in order.
struct Heard {
  std::vector<std::string> events;
  void listen(rt::ListView& list) {
    list.on_item_clicked = [this](int row) { events.push_back("click " + std::to_string(row)); };
    list.on_item_double_clicked = [this](int row) { events.push_back("double " + std::to_string(row)); };
    list.on_item_right_clicked = [this](int row, int, int) { events.push_back("right " + std::to_string(row)); };
    list.on_current_changed = [this](int row) { events.push_back("current " + std::to_string(row)); };
    list.on_check_changed = [this](int row, bool on) {
      events.push_back("check " + std::to_string(row) + (on ? " on" : " off"));
    };
  }
};

class ListViewTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(form.load()); }
  void TearDown() override { form.destroy(); }
  void three_rows() {
    list().add_row({"甲.txt", "1KB", "C:\\甲.txt"});
    list().add_row({"乙.txt", "2KB", "C:\\乙.txt"});
    list().add_row({"丙.txt", "3KB", "C:\\丙.txt"});
  }
  rt::ListView& list() { return form.list; }
  // The middle of a row, in the control's client area.
  int row_y(int row) {
    rt::Rect r = list().row_rect(row);
    return r.top + r.height / 2;
  }
  ListForm form;
};

TEST_F(ListViewTest, ColumnsRowsAndCellsHoldGbkTexts) {
  rt::ListView& l = list();
  EXPECT_EQ(l.column_count(), 3);
  EXPECT_EQ(l.column_caption(0), "文件名称");
  EXPECT_EQ(l.column_caption(2), "文件路径");
  EXPECT_EQ(l.column_caption(3), "");
  three_rows();
  EXPECT_EQ(l.row_count(), 3);
  EXPECT_EQ(l.cell(1, 0), "乙.txt");
  EXPECT_EQ(l.cell(2, 2), "C:\\丙.txt");
  // Inserted before a row, and appended for -1 or past the end.
  EXPECT_EQ(l.insert_row("首", 0), 0);
  EXPECT_EQ(l.insert_row("尾", 99), 4);
  EXPECT_EQ(l.insert_row("末"), 5);
  EXPECT_EQ(l.cell(1, 0), "甲.txt");
  EXPECT_EQ(l.cell(0, 1), "");
  // A text longer than the first buffer comes back whole.
  std::string long_text(2000, 'x');
  long_text += "中文";
  l.set_cell(0, 2, long_text);
  EXPECT_EQ(l.cell(0, 2), long_text);
  l.remove_row(0);
  l.remove_row(42);
  EXPECT_EQ(l.row_count(), 5);
  EXPECT_EQ(l.cell(0, 0), "甲.txt");
  // Out of range reads nothing, writes do nothing.
  EXPECT_EQ(l.cell(9, 0), "");
  EXPECT_EQ(l.cell(0, 7), "");
  l.set_cell(9, 0, "不在");
  l.clear();
  EXPECT_EQ(l.row_count(), 0);
  EXPECT_EQ(l.add_row({}), 0);
}

TEST_F(ListViewTest, SelectionAndTheCurrentRowFromCodeRaiseNothing) {
  rt::ListView& l = list();
  Heard heard;
  heard.listen(l);
  three_rows();
  EXPECT_EQ(l.first_selected(), -1);
  EXPECT_EQ(l.current(), -1);
  l.set_selected(2, true);
  l.set_selected(0, true);
  EXPECT_EQ(l.selected_rows(), (std::vector<int>{0, 2}));
  EXPECT_EQ(l.selected_count(), 2);
  EXPECT_EQ(l.first_selected(), 0);
  EXPECT_TRUE(l.selected(2));
  EXPECT_FALSE(l.selected(1));
  l.set_all_selected(true);
  EXPECT_EQ(l.selected_rows(), (std::vector<int>{0, 1, 2}));
  l.set_current(1);
  EXPECT_EQ(l.selected_rows(), (std::vector<int>{1}));
  EXPECT_EQ(l.current(), 1);
  l.set_current(-1);
  EXPECT_EQ(l.selected_count(), 0);
  l.set_selected(1, true);
  // Removing a selected row and inserting before it keep the rest of the selection in step.
  l.insert_row("新", 0);
  EXPECT_EQ(l.selected_rows(), (std::vector<int>{2}));
  l.remove_row(0);
  EXPECT_EQ(l.selected_rows(), (std::vector<int>{1}));
  l.clear();
  EXPECT_TRUE(l.selected_rows().empty());
  EXPECT_TRUE(heard.events.empty()) << heard.events.front();
}

TEST_F(ListViewTest, TheUsersClicksAndKeysAreEvents) {
  rt::ListView& l = list();
  three_rows();
  Heard heard;
  heard.listen(l);
  ui_test::click(l, 30, row_y(1));
  EXPECT_EQ(l.selected_rows(), (std::vector<int>{1}));
  EXPECT_EQ(l.current(), 1);
  EXPECT_EQ(heard.events, (std::vector<std::string>{"current 1", "click 1"}));
  heard.events.clear();
  // The same row again: it stays current.
  ui_test::click(l, 30, row_y(1));
  EXPECT_EQ(heard.events, (std::vector<std::string>{"click 1"}));
  heard.events.clear();
  ui_test::double_click(l, 30, row_y(2));
  EXPECT_EQ(l.current(), 2);
  ASSERT_FALSE(heard.events.empty());
  EXPECT_EQ(heard.events.front(), "current 2");
  EXPECT_EQ(heard.events.back(), "double 2");
  heard.events.clear();
  // Below the last row: no row.
  ui_test::right_click_queued(l, 30, row_y(2) + 100);
  ASSERT_FALSE(heard.events.empty());
  EXPECT_EQ(heard.events.back(), "right -1");
  heard.events.clear();
  ui_test::right_click_queued(l, 30, row_y(0));
  ASSERT_FALSE(heard.events.empty());
  EXPECT_EQ(heard.events.back(), "right 0");
  heard.events.clear();
  // The arrow key moves the current row; a key handler sees the key and can swallow it.
  std::vector<int> keys;
  l.on_key_down = [&](int key, int) {
    keys.push_back(key);
    return key != VK_END;
  };
  l.set_current(0);
  ui_test::press_key(l, VK_DOWN);
  EXPECT_EQ(l.current(), 1);
  EXPECT_EQ(heard.events, (std::vector<std::string>{"current 1"}));
  ui_test::press_key(l, VK_END);
  EXPECT_EQ(l.current(), 1);
  EXPECT_EQ(keys, (std::vector<int>{VK_DOWN, VK_END}));
}

TEST_F(ListViewTest, CheckBoxesAreSwitchedByCodeQuietlyAndByTheUserAsEvents) {
  rt::ListView& l = list();
  EXPECT_FALSE(l.check_boxes());
  l.set_check_boxes(true);
  EXPECT_TRUE(l.check_boxes());
  three_rows();
  Heard heard;
  heard.listen(l);
  EXPECT_FALSE(l.checked(0));
  l.set_checked(0, true);
  l.set_checked(2, true);
  EXPECT_TRUE(l.checked(0));
  EXPECT_FALSE(l.checked(1));
  EXPECT_TRUE(l.checked(2));
  l.set_checked(0, false);
  EXPECT_FALSE(l.checked(0));
  EXPECT_TRUE(heard.events.empty());
  // The space bar switches the current row's box.
  l.set_current(1);
  ui_test::press_key(l, VK_SPACE);
  EXPECT_TRUE(l.checked(1));
  EXPECT_EQ(heard.events, (std::vector<std::string>{"check 1 on"}));
  // A click on the box itself.
  heard.events.clear();
  rt::Rect r = l.row_rect(2);
  ui_test::click(l, r.left + 8, row_y(2));
  EXPECT_FALSE(l.checked(2));
  EXPECT_NE(std::find(heard.events.begin(), heard.events.end(), "check 2 off"), heard.events.end());
  // Without check boxes nothing is checked.
  l.set_check_boxes(false);
  EXPECT_FALSE(l.checked(1));
}

TEST_F(ListViewTest, AUnitOfAClosedWindowIsInert) {
  three_rows();
  list().set_current(0);
  form.destroy();
  EXPECT_EQ(list().row_count(), 0);
  EXPECT_EQ(list().cell(0, 0), "");
  EXPECT_EQ(list().selected_rows(), std::vector<int>{});
  EXPECT_EQ(list().current(), -1);
  EXPECT_EQ(list().insert_row("x"), -1);
  list().set_cell(0, 0, "y");
  list().clear();
}

}  // namespace
