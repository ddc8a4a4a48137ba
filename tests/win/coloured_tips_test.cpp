// The coloured tips of every window that has them, as the user sees them: the pointer rests on the
// unit until its tip shows, and the tip's runs are read as it drew them (their text and colour):
// the tagged runs in their colours, no tag shown.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/mini_mode.h"
#include "common/window_fade.h"
#include "documents/file_info.h"
#include "fake_voice.h"
#include "forms/about_window_form.h"
#include "forms/cloud_input_window_form.h"
#include "forms/crypt_window_form.h"
#include "forms/custom_open_window_form.h"
#include "forms/file_info_window_form.h"
#include "forms/find_window_form.h"
#include "forms/font_window_form.h"
#include "forms/grabber_window_form.h"
#include "forms/jump_window_form.h"
#include "forms/mini_window_form.h"
#include "forms/options_window_form.h"
#include "forms/read_aloud_window_form.h"
#include "forms/simp_trad_window_form.h"
#include "forms/translation_window_form.h"
#include "forms/update_window_form.h"
#include "options/option_values.h"
#include "runtime/tooltip.h"
#include "ui_test.h"
#include "web_test.h"

namespace {

constexpr unsigned kRed = 0x0000FF, kBlue = 0xFF0000;

// A run as the test expects it; colour 0xFFFFFFFF: the tip's own text colour.
struct SeenRun {
  std::string text;
  unsigned color;
};
constexpr unsigned kOwn = 0xFFFFFFFF;

std::string describe(const std::vector<rt::DrawnTipRun>& runs) {
  std::string s;
  for (const rt::DrawnTipRun& r : runs) {
    char colour[16];
    std::snprintf(colour, sizeof colour, "%06X", r.color);
    s += "[" + r.text + " " + colour + "]";
  }
  return s;
}

// Rests the pointer on the unit (at the screen point, when given) until its tip has shown and
// drawn itself; what it drew.
std::vector<rt::DrawnTipRun> tip_seen_on(rt::Unit& unit, std::optional<rt::Point> point = {}) {
  const rt::Point at = point ? *point : ui_test::point_on(unit);
  ui_test::move_pointer(at.x, at.y);
  ui_test::move_pointer(at.x + 1, at.y);
  bool drawn = ui_test::wait_for([&unit] { return !rt::drawn_tooltip(unit).empty(); }, 5000);
  std::vector<rt::DrawnTipRun> runs = rt::drawn_tooltip(unit);
  EXPECT_TRUE(drawn) << "no tip showed";
  // Away, for the next one.
  ui_test::move_pointer(at.x, at.y + 400 < rt::screen_height() ? at.y + 400 : at.y - 400);
  return runs;
}

void wait_shown(rt::Window& window, const std::function<bool()>& ready = {}) {
  ASSERT_TRUE(ui_test::wait_for(
      [&] { return window.loaded() && window.visible() && window.alpha() == options().window_alpha && (!ready || ready()); },
      15000))
      << window.caption();
  ui_test::settle(100);
}

std::string language_page() {
  return "<html><form><select name=sl><option value=auto>检测语言</option></select>"
         "<label>目标语言：<select name=tl><option value=x>英语</option></select></label>"
         "<input type=submit value=\"翻译\"></form></html>";
}

class ColouredTipsTest : public WebTest {
 protected:
  void SetUp() override {
    use_fake_speech({"Microsoft Lili"});
    WebTest::SetUp();
  }
  void TearDown() override {
    if (mini_window().loaded()) leave_mini_mode();
    for (rt::Window* w : rt::Window::loaded_windows())
      if (w != &main_window()) w->destroy();
    WebTest::TearDown();
    stop_fake_speech();
  }
  void expect_runs(rt::Unit& unit, const std::vector<SeenRun>& expected, std::optional<rt::Point> at = {}) {
    const unsigned own = GetSysColor(COLOR_INFOTEXT);
    const std::vector<rt::DrawnTipRun> runs = tip_seen_on(unit, at);
    std::vector<rt::DrawnTipRun> want;
    for (const SeenRun& r : expected) want.push_back({r.text, r.color == kOwn ? own : r.color, {}});
    ASSERT_EQ(runs.size(), want.size()) << describe(runs);
    for (size_t i = 0; i < runs.size(); ++i) {
      EXPECT_EQ(runs[i].text, want[i].text) << describe(runs);
      EXPECT_EQ(runs[i].color, want[i].color) << describe(runs);
      EXPECT_EQ(runs[i].text.find('<'), std::string::npos) << "a tag shows: " << describe(runs);
    }
  }
};

TEST_F(ColouredTipsTest, TheMainWindowsTipsDrawTheirRunsInTheirColours) {
  expect_runs(w().图形按钮_关闭, {{"关闭本程序", kRed}});
  expect_runs(w().图形按钮_最小化, {{"最小化程序", kOwn}});
  expect_runs(w().标签_底, {{"双击此处将编辑框光标移动到最前", kOwn}, {"右击此处打开文件列表窗口", kOwn}});
  // A long tip wraps: its lines together are its text.
  const std::vector<rt::DrawnTipRun> arrow = tip_seen_on(w().图形按钮_向左);
  std::string whole;
  for (const rt::DrawnTipRun& r : arrow) whole += r.text;
  EXPECT_EQ(whole, "向前翻动一个标签，或者使用快捷键'Alt+←'或'Shift+滚轮前滚'");
  // A tab's tip in the tab strip's colours.
  const rt::Rect strip = w().rect();
  expect_runs(tabs(), {{"新建文档 1", kBlue}},
              rt::Point{strip.left + tabs().left() + 20, strip.top + tabs().top() + tabs().height() / 2});
}

TEST_F(ColouredTipsTest, EveryToolWindowsCloseTipIsRedAndShowsNoTags) {
  struct Case {
    const char* name;
    Command command;
    rt::Window& (*window)();
    rt::Unit& (*close)();
    const char* text;
    unsigned color;
    std::function<bool()> ready;
  };
  const Case cases[] = {
      {"find", Command::FindWindow, [] () -> rt::Window& { return find_window(); },
       [] () -> rt::Unit& { return find_window().图形按钮_关闭小; }, "关闭寻找替换窗口", kOwn, {}},
      {"jump", Command::JumpWindow, [] () -> rt::Window& { return jump_window(); },
       [] () -> rt::Unit& { return jump_window().图形按钮_关闭小; }, "关闭跳转窗口", kRed, {}},
      {"file information", Command::FileInfo, [] () -> rt::Window& { return file_info_window(); },
       [] () -> rt::Unit& { return file_info_window().图形按钮_关闭小; }, "关闭文件信息窗口", kRed,
       [] { return !file_info_window_busy(); }},
      {"font", Command::Font, [] () -> rt::Window& { return font_window(); },
       [] () -> rt::Unit& { return font_window().图形按钮_关闭小; }, "关闭字体设置窗口", kRed, {}},
      {"simplified and traditional", Command::SimpTrad, [] () -> rt::Window& { return simp_trad_window(); },
       [] () -> rt::Unit& { return simp_trad_window().图形按钮_关闭小; }, "关闭文本简繁互转窗口", kRed, {}},
      {"encryption", Command::Crypt, [] () -> rt::Window& { return crypt_window(); },
       [] () -> rt::Unit& { return crypt_window().图形按钮_关闭小; }, "关闭加密解密窗口", kRed, {}},
      {"read aloud", Command::ReadAloud, [] () -> rt::Window& { return read_aloud_window(); },
       [] () -> rt::Unit& { return read_aloud_window().图形按钮_关闭小; }, "关闭语音朗读窗口", kRed, {}},
      {"reader", Command::Grabber, [] () -> rt::Window& { return grabber_window(); },
       [] () -> rt::Unit& { return grabber_window().图形按钮_关闭小; }, "关闭取窗口组件标题窗口", kRed, {}},
      {"custom open", Command::CustomOpen, [] () -> rt::Window& { return custom_open_window(); },
       [] () -> rt::Unit& { return custom_open_window().图形按钮_关闭小; }, "关闭打开文件窗口", kRed, {}},
      {"options", Command::Options, [] () -> rt::Window& { return options_window(); },
       [] () -> rt::Unit& { return options_window().图形按钮_关闭小; }, "关闭设置窗口", kRed, {}},
      {"cloud input", Command::CloudInput, [] () -> rt::Window& { return cloud_input_window(); },
       [] () -> rt::Unit& { return cloud_input_window().图形按钮_关闭小; }, "关闭云输入法窗口", kRed, {}},
      {"translation", Command::Translate, [] () -> rt::Window& { return translation_window(); },
       [] () -> rt::Unit& { return translation_window().图形按钮_关闭小; }, "关闭谷歌翻译窗口", kRed,
       [] { return !translation_window().图形按钮_关闭小.disabled(); }},
      {"update", Command::Update, [] () -> rt::Window& { return update_window(); },
       [] () -> rt::Unit& { return update_window().图形按钮_关闭小; }, "关闭更新窗口", kRed,
       [] { return !update_window().图形按钮_关闭小.disabled(); }},
      {"about", Command::About, [] () -> rt::Window& { return about_window(); },
       [] () -> rt::Unit& { return about_window().图形按钮_关闭小; }, "关闭关于窗口", kRed, {}},
  };
  server_.set_reply(ok(language_page(), true));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    run_command(c.command, Source::Menu);
    wait_shown(c.window(), c.ready);
    expect_runs(c.close(), {{c.text, c.color}});
    c.window().destroy();
  }
}

TEST_F(ColouredTipsTest, TheMiniBarsCloseTipIsRed) {
  ui_test::click(w().图形按钮_迷你模式);
  wait_shown(mini_window());
  expect_runs(mini_window().图形按钮_关闭, {{"关闭整个程序", kRed}});
}

TEST_F(ColouredTipsTest, ScreenshotsOfTheCloseTipAndATabsTip) {
  const rt::Rect r = w().rect();
  const struct {
    rt::Unit* unit;
    rt::Point at;
    const char* name;
  } shots[] = {
      {&w().图形按钮_关闭, ui_test::point_on(w().图形按钮_关闭), "coloured_tip"},
      {&tabs(), {r.left + tabs().left() + 20, r.top + tabs().top() + tabs().height() / 2}, "coloured_tab_tip"},
  };
  for (const auto& s : shots) {
    ui_test::move_pointer(s.at.x, s.at.y);
    ui_test::move_pointer(s.at.x - 1, s.at.y);
    ASSERT_TRUE(ui_test::wait_for([&s] { return !rt::drawn_tooltip(*s.unit).empty(); }));
    ui_test::settle(100);
    ui_test::screenshot(s.name);
    ui_test::move_pointer(s.at.x, s.at.y + 300);
    ui_test::settle(300);
  }
}

}  // namespace
