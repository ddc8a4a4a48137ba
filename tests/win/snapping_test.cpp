// Window snapping and child-window confinement, by real drags through the system's own move
// and sizing loops: the pointer is placed and the button pressed and released as a user does,
// from a second thread while the test's thread runs the loop.
#include "app/snapping.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "app/startup.h"
#include "common/message_box.h"
#include "common/messages.h"
#include "common/skin.h"
#include "forms/jump_window_form.h"
#include "forms/main_window_form.h"
#include "common/message_box_form.h"
#include "forms/options_window_form.h"
#include "options/option_values.h"
#include "options/options_window.h"
#include "pages/jump_to_page.h"
#include "program_test.h"
#include "runtime/hooks.h"
#include "runtime/seams.h"
#include "runtime/system.h"
#include "ui_test.h"

namespace {

std::string ini(const char* section, const char* key) {
  char value[64] = {};
  GetPrivateProfileStringA(section, key, "", value, sizeof value, (rt::program_directory() + "Config_Vel.ini").c_str());
  return value;
}

// Drags the main window by its caption so that its top-left corner ends at (left, top).
void drag_main_window_to(int left, int top) { ui_test::drag(w().标签_上中, left - w().left(), top - w().top()); }

// A tool window of the test's own, dragged by its title strip as the program's are.
class ToolStandIn : public rt::Window {
 public:
  ToolStandIn(const char* caption, rt::Rect r) : rt::Window("VelmoraTestTool", caption, r) {}
  rt::Label title;

 protected:
  void build() override {
    title.create(*this, {0, 0, width(), 24}, "   stand-in");
    title.on_left_down = [this](int, int, int) {
      move_window_by_title(*this);
      return true;
    };
  }
};

// Drags the stand-in by its title so that its top-left corner ends at (left, top).
void drag_tool_to(ToolStandIn& tool, int left, int top) { ui_test::drag(tool.title, left - tool.left(), top - tool.top()); }

class SnappingTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    w().move(200, 150, 700, 500);
    ui_test::settle(50);
  }
  void TearDown() override {
    for (ToolStandIn* t : {&cloud_, &typing_, &other_}) t->destroy();
    ProgramTest::TearDown();
  }
  ToolStandIn cloud_{"Velmora_云输入法", {300, 300, 200, 90}};
  ToolStandIn typing_{"Velmora_屏幕输出效果", {300, 300, 180, 120}};
  ToolStandIn other_{"VelmoraTestOther", {300, 300, 160, 80}};
};

TEST_F(SnappingTest, TheMainWindowSnapsToTheLeftAndTopEdgesWithinElevenPixels) {
  drag_main_window_to(10, 150);
  EXPECT_EQ(w().left(), 0);
  EXPECT_EQ(w().top(), 150);
  drag_main_window_to(11, 150);
  EXPECT_EQ(w().left(), 11);
  drag_main_window_to(300, 6);
  EXPECT_EQ(w().left(), 300);
  EXPECT_EQ(w().top(), 0);
  // Leaving an edge: the window follows the pointer again once it is 11 pixels away.
  drag_main_window_to(300, 40);
  EXPECT_EQ(w().top(), 40);
  // The position is remembered as the window moves.
  EXPECT_EQ(ini("程序设置", "窗口顶边"), "40");
}

TEST_F(SnappingTest, TheMainWindowSnapsToTheRightEdgeAndTheBottoms) {
  const int W = w().width(), H = w().height();
  drag_main_window_to(rt::screen_width() - W - 7, 150);
  EXPECT_EQ(w().left(), rt::screen_width() - W);
  rt::Rect area = rt::work_area();
  const int work_bottom = area.top + area.height;
  drag_main_window_to(200, work_bottom - H + 5);
  EXPECT_EQ(w().top(), work_bottom - H);
  if (work_bottom < rt::screen_height() - 11) {
    // Behind the taskbar: the screen's own bottom.
    drag_main_window_to(200, rt::screen_height() - H - 4);
    EXPECT_EQ(w().top(), rt::screen_height() - H);
  }
}

TEST_F(SnappingTest, ResizingBelowTheLeastSizeIsRefusedBySizingLoop) {
  ui_test::drag(w().标签_右下, -600, -400);
  EXPECT_EQ(w().width(), 320);
  EXPECT_EQ(w().height(), 336);
}

TEST_F(SnappingTest, SwitchingSnappingOffRemovesOnlyItsOwnLayer) {
  int moving_seen = 0;
  // A layer above the snapping, as later layers of the window (the hotkeys, the dialog
  // placement) are.
  rt::HookId watcher = rt::add_hook(w().handle(), [&moving_seen](rt::Message& m) {
    if (m.msg == WM_MOVING) ++moving_seen;
    return m.next();
  });
  open_options_window();
  ASSERT_TRUE(ui_test::wait_for([] { return options_window().loaded(); }));
  ui_test::click(options_window().超级按钮_吸附效果);  // "关闭窗口吸附效果" on
  EXPECT_EQ(ini("程序设置", "关闭窗口吸附效果"), "真");
  options_window().destroy();
  drag_main_window_to(10, 150);
  EXPECT_EQ(w().left(), 10);
  EXPECT_GT(moving_seen, 0);

  // Back on: snapping is there again, and the watcher still hears the drags.
  open_options_window();
  ASSERT_TRUE(ui_test::wait_for([] { return options_window().loaded(); }));
  ui_test::click(options_window().超级按钮_吸附效果);
  EXPECT_EQ(ini("程序设置", "关闭窗口吸附效果"), "");
  options_window().destroy();
  moving_seen = 0;
  drag_main_window_to(8, 150);
  EXPECT_EQ(w().left(), 0);
  EXPECT_GT(moving_seen, 0);
  rt::remove_hook(w().handle(), watcher);
}

TEST_F(SnappingTest, AConfinedToolWindowIsPutBackInsideTheMainWindow) {
  ASSERT_TRUE(cloud_.load(&w()));
  confine_child_window(cloud_, w());
  snap_child_window(cloud_, w(), 11);
  cloud_.move(w().left() + 100, w().top() + 100, cloud_.width(), cloud_.height());
  // Half out at the right: back inside, on the main window's right edge.
  drag_tool_to(cloud_, w().left() + w().width() - cloud_.width() / 2, w().top() + 120);
  EXPECT_EQ(cloud_.left(), w().left() + w().width() - cloud_.width());
  EXPECT_EQ(cloud_.top(), w().top() + 120);
  // Out over the top-left corner: back at that corner.
  drag_tool_to(cloud_, w().left() - 50, w().top() - 30);
  EXPECT_EQ(cloud_.left(), w().left());
  EXPECT_EQ(cloud_.top(), w().top());
}

TEST_F(SnappingTest, EachSnappedToolWindowKeepsItsOwnDistance) {
  ASSERT_TRUE(cloud_.load(&w()));
  ASSERT_TRUE(typing_.load(&w()));
  snap_child_window(cloud_, w(), 11);
  snap_child_window(typing_, w(), 8);
  const int right = w().left() + w().width();
  // Ten pixels right of the main window: the window with distance 11 snaps to its side, the one
  // with distance 8 stays where it was put.
  drag_tool_to(cloud_, right + 10, w().top() + 200);
  EXPECT_EQ(cloud_.left(), right);
  drag_tool_to(typing_, right + 10, w().top() + 200);
  EXPECT_EQ(typing_.left(), right + 10);
  drag_tool_to(typing_, right + 6, w().top() + 200);
  EXPECT_EQ(typing_.left(), right);
}

TEST_F(SnappingTest, ToolWindowsFollowTheMainWindowUnlessTheOptionKeepsThem) {
  open_jump_window();
  ASSERT_TRUE(ui_test::wait_for([] { return jump_window().loaded() && jump_window().visible(); }));
  ASSERT_TRUE(cloud_.load(&w()));
  ASSERT_TRUE(typing_.load(&w()));
  ASSERT_TRUE(other_.load(&w()));
  const rt::Rect other_before = other_.rect();
  auto centred = [](rt::Window& t) {
    return t.left() == static_cast<int>(w().left() + w().width() / 2.0 - t.width() / 2.0) &&
           t.top() == static_cast<int>(w().top() + w().height() / 2.0 - t.height() / 2.0);
  };
  editor().set_focus();
  w().move(260, 180, w().width(), w().height());
  ui_test::settle(50);
  EXPECT_TRUE(centred(jump_window()));
  // At the right edge under the caption, where it hides none of its buttons.
  EXPECT_EQ(typing_.left(), w().left() + w().width() - typing_.width());
  EXPECT_EQ(typing_.top(), w().top() + w().标签_上中.height());
  // Not a window that follows.
  EXPECT_EQ(other_.left(), other_before.left);
  // The cloud input window stays by the caret.
  rt::Point caret = rt::caret_screen_position();
  int font = editor().font().size;
  EXPECT_EQ(cloud_.left(), caret.x + font);
  EXPECT_EQ(cloud_.top(), caret.y + cloud_.height() / 2 + font);

  set_option(&OptionValues::children_stay, 1);
  const rt::Rect jump_before = jump_window().rect(), typing_before = typing_.rect();
  w().move(150, 120, w().width(), w().height());
  ui_test::settle(50);
  EXPECT_EQ(jump_window().left(), jump_before.left);
  EXPECT_EQ(jump_window().top(), jump_before.top);
  EXPECT_EQ(typing_.left(), typing_before.left);
  // The cloud input window still follows the caret.
  caret = rt::caret_screen_position();
  EXPECT_EQ(cloud_.left(), caret.x + font);
  EXPECT_EQ(ini("程序设置", "窗口左边"), "150");
  jump_window().destroy();
}

TEST_F(SnappingTest, TheMessageBoxIsCentredAgainWhenTheMainWindowMoves) {
  set_option(&OptionValues::children_stay, 1);
  bool centred = false;
  rt::seams::set_modal_hook([&centred](rt::Window& box) {
    if (&box != &message_box_form()) return;
    w().move(90, 70, w().width(), w().height());
    ui_test::settle(50);
    centred = box.left() == static_cast<int>(w().left() + w().width() / 2.0 - box.width() / 2.0) &&
              box.top() == static_cast<int>(w().top() + w().height() / 2.0 - box.height() / 2.0);
    ui_test::click(message_box_form().图形按钮_关闭_信息框);
  });
  tell_user(0, 64, "标题", 0xFF, "  内容", 0x8000);
  rt::seams::set_modal_hook(nullptr);
  EXPECT_TRUE(centred);
}

}  // namespace
