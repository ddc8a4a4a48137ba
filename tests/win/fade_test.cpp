// Window fade and centring, against real windows under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/globals.h"
#include "app/main_frame.h"
#include "app/topmost.h"
#include "common/window_fade.h"
#include "forms/main_window_form.h"
#include "options/config.h"
#include "options/option_values.h"
#include "runtime/clock.h"
#include "runtime/seams.h"
#include "runtime/timer.h"
#include "ui_test.h"

namespace {

class ToolForm : public rt::Window {
 public:
  explicit ToolForm(std::string caption = "Velmora_寻找替换")
      : rt::Window("VelmoraTool", caption, {10, 10, 300, 200}) {}
  rt::Timer timer;

 protected:
  void build() override { timer.create(*this); }
};

class FadeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteFileA((rt::program_directory() + "Config_Vel.ini").c_str());
    init_globals();
    ASSERT_TRUE(main_window().load());
    ui_test::settle();
    main_window().move(200, 150, 788, 597);
    set_not_win9x(1);
  }
  void TearDown() override {
    rt::seams::set_clock(nullptr);
    main_window().destroy();
    DeleteFileA((rt::program_directory() + "Config_Vel.ini").c_str());
  }
  static rt::Rect centred(const rt::Window& w) {
    rt::Rect m = main_window().rect();
    return {m.left + m.width / 2 - w.width() / 2, m.top + m.height / 2 - w.height() / 2, w.width(), w.height()};
  }
};

TEST_F(FadeTest, WithoutFadingAWindowIsShownCentredAtTheConfiguredAlphaOrHidden) {
  set_option(&OptionValues::fade_enabled, 0);
  set_option(&OptionValues::window_alpha, 200);
  ToolForm tool;
  ASSERT_TRUE(tool.load(&main_window()));
  show_window_faded(tool, true);
  EXPECT_TRUE(tool.visible());
  EXPECT_EQ(tool.alpha(), 200);
  EXPECT_EQ(tool.rect().left, centred(tool).left);
  EXPECT_EQ(tool.rect().top, centred(tool).top);
  EXPECT_FALSE(main_window().disabled());
  show_window_faded(tool, false);
  EXPECT_FALSE(tool.visible());
  tool.move(5, 6, 300, 200);
  show_window_faded(tool, true, true);  // keep position
  EXPECT_EQ(tool.rect().left, 5);
}

TEST_F(FadeTest, FadingEndsAtTheAlphaAndTheSlideComesBack) {
  set_option(&OptionValues::fade_enabled, 1);
  set_option(&OptionValues::window_alpha, 200);
  ToolForm tool;
  ASSERT_TRUE(tool.load(&main_window()));
  bool main_disabled_during = false;
  tool.timer.on_tick = [&] { main_disabled_during |= main_window().disabled(); };
  tool.timer.set_interval(20);
  show_window_faded(tool, true);
  EXPECT_TRUE(main_disabled_during);
  EXPECT_FALSE(main_window().disabled());
  EXPECT_EQ(tool.alpha(), 200);
  rt::Rect place = tool.rect();
  EXPECT_EQ(place.left, centred(tool).left);
  show_window_faded(tool, false);
  EXPECT_EQ(tool.alpha(), 0);
  EXPECT_FALSE(tool.disabled());
  EXPECT_EQ(tool.rect().left, place.left - 45);  // a tool window drifts 45 pixels per hide
  show_window_faded(tool, true, true);
  EXPECT_EQ(tool.rect().left, place.left - 45);
  EXPECT_EQ(tool.alpha(), 200);

  rt::Rect main_place = main_window().rect();
  show_window_faded(main_window(), false);
  show_window_faded(main_window(), true);
  EXPECT_EQ(main_window().rect().left, main_place.left);  // the main window does not drift
  EXPECT_EQ(main_window().alpha(), 200);
}

TEST_F(FadeTest, WindowsHiddenTogetherFadeInTheSameStepsAndOnlyThoseThatShowFade) {
  set_option(&OptionValues::fade_enabled, 1);
  set_option(&OptionValues::window_alpha, 200);
  ToolForm a("Velmora_加密解密"), b("Velmora_简繁转换"), hidden("Velmora_语音朗读"), clear("Velmora_字体设置");
  for (ToolForm* t : {&a, &b, &hidden, &clear}) {
    ASSERT_TRUE(t->load(&main_window()));
    show_window_faded(*t, true);
  }
  hidden.set_visible(false);
  clear.set_alpha(0);
  const int a_left = a.left(), b_left = b.left(), hidden_left = hidden.left(), clear_left = clear.left();
  // Read at every pause of the fade: the two that show are at the same step all along.
  int pauses = 0, apart = 0;
  a.timer.on_tick = [&] {
    ++pauses;
    if (a.alpha() != b.alpha()) ++apart;
  };
  a.timer.set_interval(5);
  hide_windows_faded_together({&a, &hidden, &b, &clear});
  a.timer.set_interval(0);
  EXPECT_GT(pauses, 0);
  EXPECT_EQ(apart, 0);
  for (ToolForm* t : {&a, &b}) {
    EXPECT_EQ(t->alpha(), 0);
    EXPECT_FALSE(t->disabled());
  }
  EXPECT_EQ(a.left(), a_left - 45);
  EXPECT_EQ(b.left(), b_left - 45);
  // Neither of the others had anything to fade: each stays where it is, transparent.
  EXPECT_EQ(hidden.left(), hidden_left);
  EXPECT_EQ(clear.left(), clear_left);
  EXPECT_EQ(hidden.alpha(), 0);
  EXPECT_FALSE(hidden.visible());
  // Hidden alone, as a tool window's close does at the exit after the common fade: the same.
  show_window_faded(a, false);
  show_window_faded(hidden, false);
  EXPECT_EQ(a.left(), a_left - 45);
  EXPECT_EQ(hidden.left(), hidden_left);
}

TEST_F(FadeTest, FadesNestAndSurviveTheirWindowsDestruction) {
  set_option(&OptionValues::fade_enabled, 1);
  set_option(&OptionValues::window_alpha, 255);
  ToolForm outer("Velmora_语音朗读"), inner("Velmora_简繁转换");
  ASSERT_TRUE(outer.load(&main_window()));
  ASSERT_TRUE(inner.load(&main_window()));
  int ticks = 0;
  outer.timer.on_tick = [&] {
    if (++ticks == 2) {
      outer.timer.set_interval(0);
      show_window_faded(inner, true);  // a second fade inside the first one's waits
      outer.destroy();                 // and the first fade's window goes meanwhile
    }
  };
  outer.timer.set_interval(15);
  show_window_faded(outer, true);
  EXPECT_FALSE(outer.loaded());
  EXPECT_EQ(inner.alpha(), 255);
  // Both show fades have ended: the main window is usable again.
  EXPECT_FALSE(main_window().disabled());
  inner.destroy();
}

TEST_F(FadeTest, AModalWindowOpenedDuringAFadeKeepsTheMainWindowDisabled) {
  set_option(&OptionValues::fade_enabled, 1);
  ToolForm tool, modal("Velmora_信息框");
  ASSERT_TRUE(tool.load(&main_window()));
  bool disabled_inside_modal_after_fade = false;
  tool.timer.on_tick = [&] {
    tool.timer.set_interval(0);
    rt::seams::set_modal_hook([&](rt::Window& box) {
      // The fade ends while the modal window is open.
      ui_test::settle(400);
      disabled_inside_modal_after_fade = main_window().disabled();
      box.destroy();
    });
    modal.load_modal(&main_window());
    rt::seams::set_modal_hook(nullptr);
  };
  tool.timer.set_interval(15);
  show_window_faded(tool, true);
  ui_test::wait_for([&] { return !modal.loaded(); });
  EXPECT_TRUE(disabled_inside_modal_after_fade);
  EXPECT_FALSE(main_window().disabled());
  tool.destroy();
}

TEST_F(FadeTest, SlowFadeRuleSwitchesFadingOffOnlyWhenForced) {
  set_option(&OptionValues::fade_enabled, 1);
  ToolForm tool;
  ASSERT_TRUE(tool.load(&main_window()));
  for (bool forced : {false, true}) {
    if (forced) config_write("程序设置", "强制淡进淡出", "真");
    int reading = 0;
    // Each reading of the clock is three seconds later: the fade took three seconds.
    rt::seams::set_clock([&] { return rt::DateTime{2026, 12, 10, 9, 0, 10 + 3 * reading++, 0, 4}; });
    show_window_faded(tool, true);
    EXPECT_EQ(options().fade_enabled, forced ? 0 : 1);
    EXPECT_EQ(config_read("程序设置", "关闭淡入淡出效果"), forced ? "真" : "");
    set_option(&OptionValues::fade_enabled, 1);
  }
  tool.destroy();
}

TEST_F(FadeTest, TopmostFollowsTheMainWindowInTheToolWindows) {
  ToolForm listed("Velmora_字体设置"), not_listed("Velmora_标签管理");
  ASSERT_TRUE(listed.load(&main_window()));
  ASSERT_TRUE(not_listed.load(&main_window()));
  for (bool expected : {true, false}) {
    toggle_topmost();
    EXPECT_EQ(main_window().topmost(), expected);
    EXPECT_EQ(listed.topmost(), expected);
    EXPECT_FALSE(not_listed.topmost());
  }
}

}  // namespace
