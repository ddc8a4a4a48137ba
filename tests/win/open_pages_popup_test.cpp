// The open-pages popup "Velmora_打开文件列表" through its real list box and the main window's
// real units.
#include "options/option_values.h"
#include "pages/open_pages_popup.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/edge_hide.h"
#include "app/main_frame.h"
#include "common/window_fade.h"
#include "forms/main_window_form.h"
#include "forms/open_pages_popup_form.h"
#include "layout_check.h"
#include "pages/page_model.h"
#include "program_test.h"
#include "runtime/seams.h"
#include "ui_test.h"

namespace {

OpenPagesPopupForm& popup() { return open_pages_popup(); }
rt::ListBox& list() { return open_pages_popup().列表框_打开文件列表; }

std::vector<std::string> entries() {
  std::vector<std::string> out;
  for (int i = 0; i < list().count(); ++i) out.push_back(list().item(i));
  return out;
}

// The real mouse: a left click at a screen point.
void click_at(int x, int y) {
  ui_test::move_pointer(x, y);
  ui_test::settle(50);
  for (DWORD flag : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flag;
    SendInput(1, &in, sizeof in);
  }
}

// A double click on entry k of the list, as the user makes it.
void double_click_entry(int k) {
  RECT r{};
  SendMessageW(static_cast<HWND>(list().handle()), LB_GETITEMRECT, static_cast<WPARAM>(k),
               reinterpret_cast<LPARAM>(&r));
  ui_test::double_click(list(), r.left + 5, (r.top + r.bottom) / 2);
}

class OpenPagesPopupTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    w().move(150, 100, 760, 560);
  }
  void TearDown() override {
    rt::seams::hold_workers(false);
    popup().destroy();
    ProgramTest::TearDown();
  }
  // Opens the popup as the user does and waits for its list.
  static void open_by_bottom_label() {
    ui_test::right_click(w().标签_底);
    ASSERT_TRUE(ui_test::wait_for([] { return popup().loaded() && popup().visible() && list().count() > 0; }));
  }
  // Three pages, the second modified, the third current.
  static void three_pages() {
    new_page_command();
    ui_test::type_text(editor(), "changed");
    new_page_command();
    ASSERT_EQ(tabs().count(), 3);
    ASSERT_EQ(pages()[1].modified, 1);
  }
};

TEST_F(OpenPagesPopupTest, ItListsThePagesAlongTheRightEdgeWithTheModifiedOneMarked) {
  three_pages();
  open_by_bottom_label();
  EXPECT_EQ(entries(), (std::vector<std::string>{"新建文档 1...", "*新建文档 2...", "新建文档 3..."}));
  EXPECT_EQ(list().current(), 2);
  // Between the caption strip and the status line, at the right edge, its list 5 pixels short.
  const int strip = w().图形按钮_迷你模式.height();
  EXPECT_EQ(popup().left(), w().left() + w().width() - popup().width());
  EXPECT_EQ(popup().top(), w().top() + strip + 1);
  EXPECT_EQ(popup().height(), w().height() - strip - w().透明标签_文件路径.height() - 1);
  EXPECT_EQ(list().height(), popup().height() - 5);
  EXPECT_EQ(popup().alpha(), options().window_alpha);
}

TEST_F(OpenPagesPopupTest, ScreenshotOfThePopupOverTheMainWindow) {
  three_pages();
  std::string name = "读书笔记";
  ASSERT_GE(create_page(name), 0);
  ui_test::type_text(editor(), "Velmora：右击状态栏下沿打开文件列表。\r\n");
  open_by_bottom_label();
  ui_test::screenshot("open_pages_popup");
  EXPECT_TRUE(ui_test::layout_is_sound(popup()));
}

TEST_F(OpenPagesPopupTest, TheMiniModeButtonOpensItTooAndCaptionsAreTheTabs) {
  std::string name = "一二三四五六七八";  // 16 bytes: the tab shows 12
  ASSERT_GE(create_page(name), 0);
  ui_test::right_click(w().图形按钮_迷你模式);
  ASSERT_TRUE(ui_test::wait_for([] { return popup().loaded() && list().count() == 2; }));
  EXPECT_EQ(list().item(1), tabs().caption(1) + "...");
  EXPECT_EQ(list().item(1), "一二三四五六...");
}

TEST_F(OpenPagesPopupTest, ADoubleClickSwitchesToThePage) {
  three_pages();
  open_by_bottom_label();
  double_click_entry(0);
  EXPECT_EQ(tabs().current(), 0);
  double_click_entry(1);
  EXPECT_EQ(tabs().current(), 1);
  EXPECT_EQ(editor().text(), "changed");
}

TEST_F(OpenPagesPopupTest, WithTab0APlaceholderEntryKStandsForPageKPlus1) {
  three_pages();
  close_page_at(0);
  ASSERT_EQ(tab0_placeholder(), 1);
  open_by_bottom_label();
  EXPECT_EQ(list().count(), 2);
  EXPECT_EQ(list().item(0), "*新建文档 2...");
  tabs().set_current(2);
  double_click_entry(0);
  EXPECT_EQ(tabs().current(), 1);
}

TEST_F(OpenPagesPopupTest, APageWithAnEmptyCaptionKeepsItsEntry) {
  three_pages();
  tabs().set_caption(1, "");  // a file named ".txt"
  open_by_bottom_label();
  EXPECT_EQ(entries(), (std::vector<std::string>{"新建文档 1...", "*...", "新建文档 3..."}));
  tabs().set_current(0);
  // The last entry is still the last page.
  double_click_entry(2);
  EXPECT_EQ(tabs().current(), 2);
}

TEST_F(OpenPagesPopupTest, ADoubleClickWithoutAnEntrySwitchesNothing) {
  three_pages();
  open_by_bottom_label();
  list().set_current(-1);
  switch_to_popup_page();
  EXPECT_EQ(tabs().current(), 2);
}

TEST_F(OpenPagesPopupTest, ClickingOutsideClosesIt) {
  open_by_bottom_label();
  rt::Point inside = ui_test::point_on(editor());
  click_at(inside.x, inside.y);
  EXPECT_TRUE(ui_test::wait_for([] { return !popup().loaded(); }));
  EXPECT_TRUE(w().loaded());
  // A second right click opens it again.
  open_by_bottom_label();
  EXPECT_TRUE(popup().loaded());
}

TEST_F(OpenPagesPopupTest, MaximizingOrSlidingOutClosesIt) {
  open_by_bottom_label();
  toggle_maximize();
  EXPECT_FALSE(popup().loaded());
  toggle_maximize();
  open_by_bottom_label();
  w().move(0, 100, w().width(), w().height());
  toggle_edge_slide();
  EXPECT_EQ(edge_hidden(), 1);
  EXPECT_FALSE(popup().loaded());
  toggle_edge_slide();
  EXPECT_EQ(w().left(), 0);
}

TEST_F(OpenPagesPopupTest, TheListArrivesFromItsWorkerAndNotAfterThePopupClosed) {
  three_pages();
  rt::seams::hold_workers(true);
  ui_test::right_click(w().标签_底);
  ASSERT_TRUE(ui_test::wait_for([] { return popup().loaded() && rt::seams::held_worker_count() == 1; }));
  EXPECT_EQ(list().count(), 0);
  ASSERT_TRUE(rt::seams::release_held_worker());
  EXPECT_TRUE(ui_test::wait_for([] { return list().count() == 3; }));

  // Closed before its worker answered: the answer goes nowhere.
  popup().destroy();
  ui_test::right_click(w().标签_底);
  ASSERT_TRUE(ui_test::wait_for([] { return popup().loaded() && rt::seams::held_worker_count() == 1; }));
  popup().destroy();
  ui_test::right_click(w().标签_底);
  ASSERT_TRUE(ui_test::wait_for([] { return popup().loaded() && rt::seams::held_worker_count() == 2; }));
  ASSERT_TRUE(rt::seams::release_held_worker());  // the closed popup's
  ui_test::settle(200);
  EXPECT_EQ(list().count(), 0);
  ASSERT_TRUE(rt::seams::release_held_worker());
  EXPECT_TRUE(ui_test::wait_for([] { return list().count() == 3; }));
}

}  // namespace
