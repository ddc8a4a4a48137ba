// Edge auto-hide against the real main window: the pointer is moved through the system's input
// queue and the three timers run for real (waits are bounded).
#include "app/edge_hide.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/globals.h"
#include "app/hand_over_rules.h"
#include "app/main_frame.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "app/tray.h"
#include "documents/open_files.h"
#include "forms/main_window_form.h"
#include "forms/options_window_form.h"
#include "options/option_values.h"
#include "options/options_window.h"
#include "pages/page_model.h"
#include "runtime/files.h"
#include "runtime/seams.h"
#include "runtime/system.h"
#include "ui_test.h"

namespace {

std::string config_file() { return rt::program_directory() + "Config_Vel.ini"; }

std::string ini(const char* section, const char* key) {
  char value[64] = {};
  GetPrivateProfileStringA(section, key, "", value, sizeof value, config_file().c_str());
  return value;
}

MainWindowForm& w() { return main_window(); }

// A stand-in for the mini-mode window: the program knows it by its caption.
class MiniModeStandIn : public rt::Window {
 public:
  MiniModeStandIn() : rt::Window("VelmoraTestMini", "Velmora_迷你模式", {10, 10, 120, 40}) {}

 protected:
  void build() override {}
};

class EdgeHideTest : public ::testing::Test {
 protected:
  // Starts the program with a configuration file of these lines ("section|key|value").
  void start_with(const std::vector<std::string>& lines) {
    main_window().destroy();
    DeleteFileA(config_file().c_str());
    for (const std::string& l : lines) {
      size_t a = l.find('|'), b = l.find('|', a + 1);
      WritePrivateProfileStringA(l.substr(0, a).c_str(), l.substr(a + 1, b - a - 1).c_str(),
                                 l.substr(b + 1).c_str(), config_file().c_str());
    }
    init_globals();
    rt::seams::set_command_line({});
    ASSERT_TRUE(main_window().load());
    ASSERT_TRUE(ui_test::wait_for([] { return main_window().编辑框_文本类容.has_focus(); }));
    w().move(200, 150, kWidth, kHeight);
  }
  // Edge hiding on, with this many seconds of delay stored.
  void start_hiding(const char* seconds) {
    std::vector<std::string> lines{"程序设置|开启靠边自动隐藏|真"};
    if (*seconds) lines.push_back(std::string("程序设置|自动隐藏时间|") + seconds);
    start_with(lines);
  }
  void TearDown() override {
    mini_.destroy();
    main_window().destroy();
    DeleteFileA(config_file().c_str());
  }

  // The pointer at the screen's corner farthest from the window.
  static void pointer_away() {
    rt::Rect r = w().rect();
    bool left_half = r.left + r.width / 2 < rt::screen_width() / 2;
    bool top_half = r.top + r.height / 2 < rt::screen_height() / 2;
    ui_test::move_pointer(left_half ? rt::screen_width() - 20 : 20, top_half ? rt::screen_height() - 20 : 20);
  }
  static bool slid_out() { return edge_hidden() == 1; }

  static constexpr int kWidth = 700, kHeight = 500;
  MiniModeStandIn mini_;
};

TEST_F(EdgeHideTest, StartUpTakesTheStoredDelayAndStartsThePoll) {
  struct Case {
    const char* seconds;
    int delay;
  };
  for (const Case& c : {Case{"", 250}, Case{"0", 250}, Case{"2", 2000}, Case{"3", 3000}}) {
    SCOPED_TRACE(c.seconds);
    start_hiding(c.seconds);
    EXPECT_EQ(options().edge_hide_enabled, 1);
    EXPECT_EQ(options().edge_hide_delay, c.delay);
    EXPECT_EQ(w().时钟_显示出来.interval(), 250);
  }
  // The pointer leaving a window at an edge arms the delay with its interval.
  w().move(0, 150, kWidth, kHeight);
  pointer_away();
  EXPECT_TRUE(ui_test::wait_for([] { return w().时钟_真正显示.interval() == 3000; }));
  EXPECT_EQ(edge_hidden(), 0);

  start_with({});
  EXPECT_EQ(options().edge_hide_enabled, 0);
  EXPECT_FALSE(w().时钟_显示出来.running());
}

TEST_F(EdgeHideTest, AWindowAtTheLeftEdgeSlidesOutAndComesBackUnderThePointer) {
  start_hiding("0");
  w().move(0, 120, kWidth, kHeight);
  pointer_away();
  ASSERT_TRUE(ui_test::wait_for(slid_out, 3000));
  EXPECT_EQ(w().left(), -kWidth + 2);
  EXPECT_EQ(w().top(), 120);
  EXPECT_EQ(edge_hide_left(), 0);
  EXPECT_EQ(edge_hide_top(), 120);
  // The pointer on the 2-pixel sliver.
  ui_test::move_pointer(1, 300);
  ASSERT_TRUE(ui_test::wait_for([] { return edge_hidden() == 0; }, 3000));
  EXPECT_EQ(w().left(), 0);
  EXPECT_EQ(w().top(), 120);
  EXPECT_TRUE(w().visible());
}

TEST_F(EdgeHideTest, EachEdgeHasItsSlideAndAWindowHalfOffTheLeftSlidesLeft) {
  start_hiding("0");
  struct Case {
    const char* name;
    int left, top;
    int out_left, out_top;
  };
  const int sw = rt::screen_width();
  const Case cases[] = {
      {"half off the left", -300, 100, -kWidth + 2, 100},
      {"right", sw - kWidth, 100, sw - 2, 100},
      {"top", 300, 0, 300, -kHeight + 2},
      {"bottom of the work area", 300, work_height() - kHeight, 300, work_height() - 2},
      // A corner: sideways.
      {"top-left corner", 0, 0, -kWidth + 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    w().move(c.left, c.top, kWidth, kHeight);
    pointer_away();
    ASSERT_TRUE(ui_test::wait_for(slid_out, 3000));
    EXPECT_EQ(w().left(), c.out_left);
    EXPECT_EQ(w().top(), c.out_top);
    EXPECT_EQ(edge_hide_left(), c.left);
    EXPECT_EQ(edge_hide_top(), c.top);
    // Back, and the pause after it over at once.
    leave_edge_hide();
    EXPECT_EQ(w().left(), c.left);
    EXPECT_EQ(w().top(), c.top);
    on_delayed_task_timer();
  }
}

TEST_F(EdgeHideTest, AWindowTouchingNoEdgeNeverSlides) {
  start_hiding("0");
  w().move(200, 150, kWidth, kHeight);
  pointer_away();
  // The delay runs and re-checks, and nothing moves.
  ASSERT_TRUE(ui_test::wait_for([] { return w().时钟_真正显示.running(); }, 2000));
  ui_test::settle(800);
  EXPECT_EQ(edge_hidden(), 0);
  EXPECT_EQ(w().left(), 200);
  EXPECT_EQ(w().top(), 150);
}

TEST_F(EdgeHideTest, ThePointerComingBackWithinTheDelayLeavesTheWindowInPlace) {
  start_hiding("1");
  w().move(0, 150, kWidth, kHeight);
  pointer_away();
  ASSERT_TRUE(ui_test::wait_for([] { return w().时钟_真正显示.running(); }, 2000));
  ui_test::move_pointer(300, 300);
  // The delay still ends, finds the pointer over the window and leaves it.
  ASSERT_TRUE(ui_test::wait_for([] { return !w().时钟_真正显示.running(); }, 3000));
  ui_test::settle(100);
  EXPECT_EQ(edge_hidden(), 0);
  EXPECT_EQ(w().left(), 0);
  EXPECT_TRUE(w().时钟_显示出来.running());
}

TEST_F(EdgeHideTest, TheTrayBringsTheWindowBackAndItStaysForThePause) {
  start_hiding("0");
  w().move(0, 150, kWidth, kHeight);
  pointer_away();
  ASSERT_TRUE(ui_test::wait_for(slid_out, 3000));
  // The pointer rests on the sliver (its delay counts down) when the tray icon is clicked.
  ui_test::move_pointer(1, 300);
  ASSERT_TRUE(ui_test::wait_for([] { return w().时钟_真正显示.running(); }, 2000));
  on_tray_event(1);
  EXPECT_EQ(edge_hidden(), 0);
  EXPECT_EQ(w().left(), 0);
  EXPECT_FALSE(w().时钟_显示出来.running());
  EXPECT_FALSE(w().时钟_真正显示.running());
  EXPECT_EQ(w().时钟_延迟执行任务.interval(), 3500);
  pointer_away();
  ui_test::settle(1500);
  EXPECT_EQ(edge_hidden(), 0);
  EXPECT_EQ(w().left(), 0);
  // After the pause the poll runs again and the window slides out.
  ASSERT_TRUE(ui_test::wait_for(slid_out, 6000));
  EXPECT_FALSE(w().时钟_延迟执行任务.running());
}

TEST_F(EdgeHideTest, OpeningFilesBringsASlidOutWindowBack) {
  start_hiding("0");
  std::string file = rt::program_directory() + "edge_hide_open.txt";
  ASSERT_TRUE(rt::write_file_safely(file, "opened"));
  w().move(0, 150, kWidth, kHeight);
  pointer_away();
  ASSERT_TRUE(ui_test::wait_for(slid_out, 3000));
  set_open_queue({file});
  open_files();
  ASSERT_TRUE(ui_test::wait_for([&file] { return !open_busy() && pages()[0].path == file; }));
  EXPECT_EQ(edge_hidden(), 0);
  EXPECT_EQ(w().left(), 0);
  DeleteFileA(file.c_str());
}

TEST_F(EdgeHideTest, AHandOverFromASecondStartBringsASlidOutWindowBack) {
  std::string file = rt::program_directory() + "edge_hide_hand_over.txt";
  ASSERT_TRUE(rt::write_file_safely(file, "handed over"));
  // What a second start writes into the box: a request to come forward, or its files.
  for (const std::string& request : {std::string(kHandOverFocusRequest), file + "|"}) {
    SCOPED_TRACE(request);
    start_hiding("0");
    w().move(0, 150, kWidth, kHeight);
    pointer_away();
    ASSERT_TRUE(ui_test::wait_for(slid_out, 3000));
    w().编辑框_进程通信.set_text(request);
    ASSERT_TRUE(ui_test::wait_for([] { return w().编辑框_进程通信.text() == kHandOverIdleText; }, 2000));
    EXPECT_EQ(edge_hidden(), 0);
    EXPECT_EQ(w().left(), 0);
    EXPECT_EQ(w().时钟_延迟执行任务.interval(), 3500);
    ASSERT_TRUE(ui_test::wait_for([] { return !open_busy(); }));
  }
  EXPECT_EQ(pages()[0].path, file);
  DeleteFileA(file.c_str());
}

TEST_F(EdgeHideTest, WhileMaximizedNothingSlides) {
  start_hiding("1");
  w().move(0, 150, kWidth, kHeight);
  pointer_away();
  // A delay under way when the window is maximized does not slide it out.
  ASSERT_TRUE(ui_test::wait_for([] { return w().时钟_真正显示.running(); }, 2000));
  toggle_maximize();
  EXPECT_FALSE(w().时钟_显示出来.running());
  ui_test::settle(1500);
  EXPECT_EQ(edge_hidden(), 0);
  EXPECT_EQ(w().left(), rt::work_area().left);
  EXPECT_FALSE(w().时钟_显示出来.running());
  toggle_maximize();
  EXPECT_TRUE(w().时钟_显示出来.running());
  // Without the option, restoring does not start the poll.
  start_with({});
  toggle_maximize();
  toggle_maximize();
  EXPECT_FALSE(w().时钟_显示出来.running());
}

TEST_F(EdgeHideTest, BringingForwardRestoresTheStateBeforeMinimizing) {
  start_with({});
  toggle_maximize();
  w().minimize();
  ASSERT_TRUE(ui_test::wait_for([] { return w().minimized(); }));
  bring_main_window_forward();
  ASSERT_TRUE(ui_test::wait_for([] { return !w().minimized(); }));
  EXPECT_TRUE(w().maximized());
  EXPECT_EQ(main_window_maximized(), 1);
  EXPECT_FALSE(w().topmost());
  // A normal window comes to the top without becoming always-on-top, and keeps that setting
  // when it has it.
  toggle_maximize();
  bring_main_window_forward();
  EXPECT_FALSE(w().topmost());
  w().set_topmost(true);
  bring_main_window_forward();
  EXPECT_TRUE(w().topmost());
  EXPECT_TRUE(w().编辑框_文本类容.has_focus());
}

TEST_F(EdgeHideTest, BringingForwardInMiniModeLeavesTheWindowHidden) {
  start_with({});
  ASSERT_TRUE(mini_.load());
  w().set_visible(false);
  bring_main_window_forward();
  EXPECT_FALSE(w().visible());
  EXPECT_EQ(GetFocus(), static_cast<HWND>(w().编辑框_文本类容.handle()));
  mini_.destroy();
  bring_main_window_forward();
  EXPECT_TRUE(w().visible());
}

TEST_F(EdgeHideTest, ExitWhileSlidOutRemembersThePlaceBeforeTheSlide) {
  start_hiding("0");
  const int left = rt::screen_width() - kWidth;
  w().move(left, 140, kWidth, kHeight);
  pointer_away();
  ASSERT_TRUE(ui_test::wait_for(slid_out, 3000));
  ASSERT_EQ(w().left(), rt::screen_width() - 2);
  on_main_window_query_close();
  EXPECT_EQ(ini("程序设置", "窗口左边"), std::to_string(left));
  EXPECT_EQ(ini("程序设置", "窗口顶边"), "140");
}

TEST_F(EdgeHideTest, SwitchingTheOptionOnUsesTheDelayItsBoxShows) {
  start_with({});
  w().move(0, 150, kWidth, kHeight);
  open_options_window();
  ASSERT_TRUE(ui_test::wait_for([] { return options_window().loaded(); }));
  ui_test::click(options_window().超级按钮_开启靠边自动隐藏);
  EXPECT_EQ(options().edge_hide_enabled, 1);
  EXPECT_EQ(options().edge_hide_delay, 250);  // "0秒"
  EXPECT_EQ(w().时钟_显示出来.interval(), 250);
  options_window().destroy();
  pointer_away();
  EXPECT_TRUE(ui_test::wait_for(slid_out, 3000));
}

TEST_F(EdgeHideTest, APressOnATabEndsTheTabScrollAnimation) {
  start_with({});
  new_page_command();
  w().时钟_滚动标签.set_interval(500);
  rt::Rect tab = w().高级选择夹_标签.tab_rect(0);
  ui_test::click(w().高级选择夹_标签, tab.left + 5, tab.top + 5);
  EXPECT_EQ(w().时钟_滚动标签.interval(), options().autosave_interval);
  EXPECT_FALSE(w().时钟_滚动标签.running());
}

}  // namespace
