// The jump-to-page window against the real main window under Wine: its start from the
// configuration, the two modes, jumps by number and by name (tab 0 as a placeholder included),
// the reports, the exit check, the input box, Ctrl+D and the shutdown.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/shutdown.h"
#include "common/control_routines.h"
#include "common/jump_art.h"
#include "common/skin_art.h"
#include "common/window_fade.h"
#include "forms/jump_window_form.h"
#include "layout_check.h"
#include "options/config.h"
#include "options/option_values.h"
#include "pages/jump_to_page.h"
#include "pages/page_model.h"
#include "program_test.h"
#include "recorded_boxes.h"
#include "runtime/tooltip.h"
#include "ui_test.h"

namespace {

JumpWindowForm& jw() { return jump_window(); }
rt::EditBox& input() { return jump_window().编辑框_标识; }

class JumpTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    record_message_boxes(&boxes, std::vector<int>(50, kBoxOk));
  }
  void TearDown() override {
    rt::seams::set_modal_hook(nullptr);
    jw().destroy();
    ProgramTest::TearDown();
  }
  static void make_tabs(int n) {
    while (tabs().count() < n) new_page_command();
  }
  static void name_tab(int i, const std::string& name) {
    tabs().set_caption(i, name);
    tabs().set_tooltip(i, make_tab_tooltip(name));
  }
  // Opens the window as the menu does and waits until it has been shown.
  static void open_window() {
    open_jump_window();
    ASSERT_TRUE(ui_test::wait_for([] { return jw().loaded() && jw().alpha() == options().window_alpha; }));
    ui_test::settle();
  }
  static void jump(const std::string& typed) {
    input().set_text(typed);
    ui_test::click(jw().图形按钮_跳转);
  }
  static bool in_name_mode() {
    return radio_button_state(jw().超级按钮_按照页面名称跳转, ButtonOp::Query) == 1 &&
           radio_button_state(jw().超级按钮_按照页面跳转, ButtonOp::Query) == 0;
  }
  static bool in_number_mode() {
    return radio_button_state(jw().超级按钮_按照页面跳转, ButtonOp::Query) == 1 &&
           radio_button_state(jw().超级按钮_按照页面名称跳转, ButtonOp::Query) == 0;
  }
  void expect_report(const std::string& text) {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "没有此页面！");
    EXPECT_EQ(boxes[0].text, text);
    EXPECT_EQ(boxes[0].icon, 16);
    EXPECT_EQ(boxes[0].text_color, 0xFFu);
    EXPECT_EQ(boxes[0].title_color, 0xFF00FFu);
    EXPECT_EQ(boxes[0].owner, jw().handle());
    EXPECT_EQ(boxes[0].buttons, (std::vector<int>{kBoxOk}));
    boxes.clear();
  }
  static std::string number_report(int largest, const std::string& typed) {
    return "  当前最大页数：" + std::to_string(largest) + "页。\r\n你输入的页面：" + typed +
           "页。\r\n  对不起！没有此页面，输入页面超出了最大页面数！";
  }
  static std::string name_report(const std::string& typed) {
    return "  对不起！没有找到含有\"" + typed + "\"的页面!请确认是否有此页面。\r\n";
  }

  std::vector<RecordedBox> boxes;
};

TEST_F(JumpTest, TheWindowStartsInNumberMode) {
  open_window();
  EXPECT_EQ(jw().caption(), "Velmora_跳转页面");
  EXPECT_EQ(GetWindow(static_cast<HWND>(jw().handle()), GW_OWNER), static_cast<HWND>(w().handle()));
  EXPECT_TRUE(in_number_mode());
  EXPECT_EQ(check_button_state(jw().超级按钮_按跳转完毕后退出, ButtonOp::Query), 0);
  EXPECT_EQ(jw().标签_上中.text(), "   跳转页面—按照页面页数跳转！");
  EXPECT_EQ(jw().透明标签_说明.text(), "请输入要跳转的页面：");
  EXPECT_EQ(jw().超级按钮_按照页面跳转.caption(), "按照页面跳转");
  EXPECT_EQ(jw().超级按钮_按照页面名称跳转.caption(), "按照页面名称跳转");
  EXPECT_EQ(jw().超级按钮_按跳转完毕后退出.caption(), "跳转完毕后退出");
  EXPECT_TRUE(input().digits_only());
  EXPECT_EQ(input().text(), "");
  EXPECT_TRUE(jw().图形按钮_跳转.disabled());
  EXPECT_TRUE(jw().图形按钮_程序图标.normal_picture().same_image(jump_window_icon_picture()));
  EXPECT_TRUE(jw().图形按钮_关闭小.normal_picture().same_image(close_button_pictures()[0]));
  EXPECT_EQ(rt::tooltip_text(jw().图形按钮_关闭小), "关闭跳转窗口");
  EXPECT_EQ(rt::tooltip_text(jw().透明标签_说明), "请输入要跳转到的页面数");
  EXPECT_EQ(rt::tooltip_text(jw().超级按钮_按跳转完毕后退出), "跳转完毕后关闭本窗口");
  // Centred over the main window, the input box focused.
  EXPECT_NEAR(jw().left() + jw().width() / 2, w().left() + w().width() / 2, 1);
  EXPECT_NEAR(jw().top() + jw().height() / 2, w().top() + w().height() / 2, 1);
  EXPECT_TRUE(input().has_focus());
}

TEST_F(JumpTest, TheConfigurationCanStartItInNameModeWithTheExitCheckOn) {
  config_set_flag(cfg::页面跳转设置::默认按照页面名称跳转, true);
  config_set_flag(cfg::页面跳转设置::页面跳转完毕后退出, true);
  open_window();
  EXPECT_TRUE(in_name_mode());
  EXPECT_EQ(check_button_state(jw().超级按钮_按跳转完毕后退出, ButtonOp::Query), 1);
  EXPECT_EQ(jw().标签_上中.text(), "   跳转页面—按照页面名称跳转！");
  EXPECT_EQ(jw().透明标签_说明.text(), "请输入要跳转的页面名称：");
  EXPECT_EQ(rt::tooltip_text(jw().透明标签_说明), "请输入要跳转到的页面名，或者包含该名称");
  EXPECT_FALSE(input().digits_only());
  // Toggling the check in the window changes only the window.
  ui_test::click(jw().超级按钮_按跳转完毕后退出);
  EXPECT_EQ(check_button_state(jw().超级按钮_按跳转完毕后退出, ButtonOp::Query), 0);
  EXPECT_TRUE(config_flag(cfg::页面跳转设置::页面跳转完毕后退出));
}

TEST_F(JumpTest, TheRadiosSwitchTheModeAndEmptyTheInput) {
  open_window();
  ui_test::type_text(input(), "a1b2");
  EXPECT_EQ(input().text(), "12") << "number mode takes digits only";
  EXPECT_EQ(rt::tooltip_text(jw().图形按钮_跳转), "跳转页面到第：12页");
  ui_test::click(jw().超级按钮_按照页面名称跳转);
  EXPECT_TRUE(in_name_mode());
  EXPECT_EQ(input().text(), "");
  EXPECT_TRUE(jw().图形按钮_跳转.disabled());
  EXPECT_TRUE(input().has_focus());
  EXPECT_EQ(jw().标签_上中.text(), "   跳转页面—按照页面名称跳转！");
  EXPECT_EQ(jw().透明标签_说明.text(), "请输入要跳转的页面名称：");
  ui_test::type_text(input(), "中a1");
  EXPECT_EQ(input().text(), "中a1");
  EXPECT_EQ(rt::tooltip_text(jw().图形按钮_跳转), "搜索标题含有：\"中a1\"的页面");
  // The radio that is already on changes nothing.
  ui_test::click(jw().超级按钮_按照页面名称跳转);
  EXPECT_TRUE(in_name_mode());
  EXPECT_EQ(input().text(), "中a1");
  ui_test::click(jw().超级按钮_按照页面跳转);
  EXPECT_TRUE(in_number_mode());
  EXPECT_EQ(input().text(), "");
  EXPECT_TRUE(input().digits_only());
  EXPECT_EQ(jw().标签_上中.text(), "   跳转页面—按照页面页数跳转！");
  EXPECT_EQ(jw().透明标签_说明.text(), "请输入要跳转的页面：");
  EXPECT_EQ(rt::tooltip_text(jw().透明标签_说明), "请输入要跳转到的页面数");
  ui_test::click(jw().超级按钮_按照页面跳转);
  EXPECT_TRUE(in_number_mode());
}

TEST_F(JumpTest, NumbersSelectTheirTabAndOutOfRangeOnesAreReported) {
  make_tabs(5);
  tabs().set_current(0);
  open_window();
  jump("5");
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(tabs().current(), 4);
  EXPECT_TRUE(input().has_focus());
  EXPECT_TRUE(jw().loaded());
  for (std::string typed : {"6", "0", "4294967297", "99999999999999999999"}) {
    SCOPED_TRACE(typed);
    jump(typed);
    expect_report(number_report(5, typed));
    EXPECT_EQ(tabs().current(), 4);
    EXPECT_EQ(input().text(), typed) << "the window keeps its input";
    EXPECT_TRUE(input().has_focus());
  }
  // A pasted text that is no number at all.
  jump("abc");
  expect_report(number_report(5, "abc"));
  jump("1");
  EXPECT_EQ(tabs().current(), 0);
  // Enter jumps as the button does.
  input().set_text("3");
  ui_test::press_key(input(), VK_RETURN);
  EXPECT_EQ(tabs().current(), 2);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(JumpTest, NumbersSkipTab0WhileItIsAPlaceholder) {
  make_tabs(4);
  close_page_at(0);
  ASSERT_EQ(tab0_placeholder(), 1);
  ASSERT_EQ(tabs().count(), 4);
  tabs().set_current(2);
  open_window();
  jump("1");
  EXPECT_EQ(tabs().current(), 1);
  jump("3");
  EXPECT_EQ(tabs().current(), 3);
  jump("4");
  expect_report(number_report(3, "4"));
  EXPECT_EQ(tabs().current(), 3);
}

TEST_F(JumpTest, AnEmptyInputDisablesTheJumpAndEnterDoesNothing) {
  make_tabs(3);
  open_window();
  ui_test::type_text(input(), "2");
  EXPECT_FALSE(jw().图形按钮_跳转.disabled());
  ui_test::type_text(input(), "\b");
  EXPECT_EQ(input().text(), "");
  EXPECT_TRUE(jw().图形按钮_跳转.disabled());
  int before = tabs().current();
  ui_test::press_key(input(), VK_RETURN);
  EXPECT_EQ(tabs().current(), before);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(JumpTest, NamesAreSearchedInEveryOtherTabFromTheNextOneOn) {
  make_tabs(5);
  const char* names[] = {"新建文档 1", "readme", "笔记", "Readme2", "notes"};
  for (int i = 1; i < 5; ++i) name_tab(i, names[i]);
  tabs().set_current(0);
  config_set_flag(cfg::页面跳转设置::默认按照页面名称跳转, true);
  open_window();
  struct Step {
    int from;
    std::string typed;
    int to;  // -1: reported, the tab unchanged
  };
  const Step steps[] = {
      {0, "eadme", 1},   {1, "eadme", 3}, {3, "eadme", 1},  // past the last tab it goes on at the first
      {4, "readme", 1},                                     // with the last tab current too
      {2, "笔记", -1},                                      // only the current page holds it
      {0, "README", -1},                                    // case is kept
      {0, "记", 2},      {2, "新建", 0},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.typed + " from " + std::to_string(s.from));
    tabs().set_current(s.from);
    jump(s.typed);
    if (s.to < 0) {
      expect_report(name_report(s.typed));
      EXPECT_EQ(tabs().current(), s.from);
      EXPECT_TRUE(input().has_focus());
    } else {
      EXPECT_TRUE(boxes.empty());
      EXPECT_EQ(tabs().current(), s.to);
    }
    // Both are usable again after the search.
    EXPECT_FALSE(input().disabled());
    EXPECT_FALSE(jw().图形按钮_跳转.disabled());
  }
}

TEST_F(JumpTest, TheNameSearchSkipsAPlaceholderTab0) {
  make_tabs(3);
  name_tab(1, "甲");
  name_tab(2, "乙");
  close_page_at(0);
  ASSERT_EQ(tab0_placeholder(), 1);
  config_set_flag(cfg::页面跳转设置::默认按照页面名称跳转, true);
  tabs().set_current(1);
  open_window();
  jump("新建文档");  // only the placeholder has such a name
  expect_report(name_report("新建文档"));
  jump("乙");
  EXPECT_EQ(tabs().current(), 2);
}

TEST_F(JumpTest, WithTheExitCheckOnASuccessfulJumpClosesTheWindow) {
  make_tabs(3);
  open_window();
  ui_test::click(jw().超级按钮_按跳转完毕后退出);
  EXPECT_EQ(check_button_state(jw().超级按钮_按跳转完毕后退出, ButtonOp::Query), 1);
  jump("9");
  expect_report(number_report(3, "9"));
  EXPECT_TRUE(jw().loaded());
  jump("2");
  EXPECT_EQ(tabs().current(), 1);
  EXPECT_FALSE(jw().loaded());
  // Not remembered: the next window starts with it off.
  open_window();
  EXPECT_EQ(check_button_state(jw().超级按钮_按跳转完毕后退出, ButtonOp::Query), 0);
}

TEST_F(JumpTest, TheFirstClickIntoTheInputSelectsAllOfIt) {
  open_window();
  input().set_text("123");
  jw().set_focus();
  ui_test::click(input(), 2, 5);
  EXPECT_EQ(input().selection_start(), 0);
  EXPECT_EQ(input().selection_length(), 3);
  ui_test::click(input(), 2, 5);
  EXPECT_EQ(input().selection_length(), 0);
  jw().set_focus();
  EXPECT_EQ(jump_select_all_once(), 0);
  ui_test::click(input(), 2, 5);
  EXPECT_EQ(input().selection_length(), 3);
}

TEST_F(JumpTest, TheMouseOverTheInputShowsItsText) {
  open_window();
  input().set_text("42");
  SendMessageW(static_cast<HWND>(input().handle()), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(rt::tooltip_text(input()), "42");
}

TEST_F(JumpTest, CtrlDOpensTheWindowOnlyWithMoreThanNineTabs) {
  make_tabs(9);
  editor().set_text("");
  ui_test::press_key(editor(), 'D', rt::kCtrl);
  ui_test::settle(100);
  EXPECT_FALSE(jw().loaded());
  EXPECT_EQ(editor().text(), "") << "the key is consumed";
  make_tabs(10);
  ui_test::press_key(editor(), 'D', rt::kCtrl);
  ASSERT_TRUE(ui_test::wait_for([] { return jw().loaded() && jw().alpha() == options().window_alpha; }));
  // Again while it is open: the same window comes forward.
  rt::WindowHandle first = jw().handle();
  ui_test::press_key(editor(), 'D', rt::kCtrl);
  EXPECT_EQ(jw().handle(), first);
}

TEST_F(JumpTest, TheCloseButtonFadesOutAndDestroys) {
  set_option(&OptionValues::fade_enabled, 1);
  open_window();
  ui_test::click(jw().图形按钮_关闭小);
  EXPECT_FALSE(jw().loaded());
  open_window();
  EXPECT_TRUE(jw().visible());
  EXPECT_TRUE(in_number_mode());
}

TEST_F(JumpTest, ShutdownFadesTheWindowOut) {
  open_window();
  release_main_window();
  EXPECT_FALSE(jw().visible() && jw().alpha() > 0);
}

TEST_F(JumpTest, Screenshot) {
  make_tabs(12);
  editor().set_text("跳转页面示例\r\n输入页面数后按回车，或者点击“跳转”按钮。\r\n");
  open_window();
  ui_test::type_text(input(), "7");
  ui_test::screenshot("jump_window");
  EXPECT_TRUE(ui_test::layout_is_sound(jw()));
}

}  // namespace
