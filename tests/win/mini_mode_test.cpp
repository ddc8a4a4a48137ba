// Mini mode against the real windows under Wine: entering from the main window's button and
// leaving from the bar's button and from the tray's menu (the tool windows closed, the main
// window's timers stopped and brought back), both forms and their clocks, the bar's snapping
// and the memory of its place, drops on the bar, the hand-over that waits, and the close button
// that asks the exit question first.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/drops.h"
#include "app/housekeeping.h"
#include "app/shutdown.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "common/control_routines.h"
#include "common/frame_art.h"
#include "common/menu_art.h"
#include "common/mini_art.h"
#include "common/skin_art.h"
#include "documents/open_files.h"
#include "fake_voice.h"
#include "foreign/grabber_window.h"
#include "forms/find_window_form.h"
#include "forms/grabber_window_form.h"
#include "forms/read_aloud_window_form.h"
#include "forms/simp_trad_window_form.h"
#include "layout_check.h"
#include "mini_test.h"
#include "options/config.h"
#include "options/option_values.h"
#include "pages/page_model.h"
#include "recorded_boxes.h"
#include "runtime/clock.h"
#include "runtime/files.h"
#include "runtime/system.h"
#include "runtime/tooltip.h"
#include "texttools/find_replace.h"
#include "texttools/read_aloud.h"
#include "texttools/simp_trad_window.h"
#include "texttools/typing_output.h"

namespace {

namespace 迷你 = cfg::迷你模式设置;

HWND hw(rt::WindowHandle h) { return static_cast<HWND>(h); }

int work_bottom() { return rt::screen_height() - taskbar_height(); }

rt::DateTime at(int hour, int minute, int second) { return {2026, 12, 10, hour, minute, second}; }

// The clock shows h, m, s: each unit its digit, the colons between.
void expect_clock(const MiniWindowForm::ClockUnits& units, const std::vector<rt::Picture>& digits,
                  const rt::Picture& colon, int h, int m, int s) {
  const int shown[] = {h / 10, h % 10, -1, m / 10, m % 10, -1, s / 10, s % 10};
  for (size_t i = 0; i < units.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(units[i]->normal_picture().same_image(shown[i] < 0 ? colon : digits[static_cast<size_t>(shown[i])]));
  }
}

// The second press of a double click, as the window under it gets it.
void second_press(rt::Unit& unit) { SendMessageW(hw(unit.handle()), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3)); }

class MiniModeTestWithFiles : public MiniModeTest {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir_ = std::string(temp) + "velmora_mini_" + std::to_string(GetTickCount()) + "\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
    MiniModeTest::SetUp();
  }
  void TearDown() override {
    MiniModeTest::TearDown();
    for (const std::string& n : rt::find_files(dir_ + "*")) DeleteFileA((dir_ + n).c_str());
    RemoveDirectoryA(dir_.c_str());
  }
  std::string file(const std::string& name, const std::string& text) {
    rt::write_file_safely(dir_ + name, text);
    return dir_ + name;
  }
  // The page of a file, -1 when none.
  static int page_of(const std::string& path) {
    for (size_t i = 0; i < pages().size(); ++i)
      if (pages()[i].path == path) return static_cast<int>(i);
    return -1;
  }
  std::string dir_;
};

TEST_F(MiniModeTest, EnteringClosesTheToolWindowsAndLeavingBringsTheMainWindowBack) {
  FakeSpeech& speech = use_fake_speech({"Test Voice"});
  // Normal mode as it runs: auto-save and edge hide on, tool windows of each kind open.
  set_option(&OptionValues::autosave_interval, 120000);
  w().时钟_滚动标签.set_interval(options().autosave_interval);
  set_option(&OptionValues::edge_hide_enabled, 1);
  w().时钟_显示出来.set_interval(250);
  open_find_window();
  open_simp_trad_window();
  open_typing_window();
  open_grabber_window();
  open_read_aloud_window();
  ASSERT_TRUE(ui_test::wait_for([] {
    return find_window().loaded() && simp_trad_window().loaded() && typing_window_loaded() &&
           grabber_window().loaded() && read_aloud_window().loaded() &&
           read_aloud_window().alpha() == options().window_alpha;
  }));

  enter();
  EXPECT_FALSE(find_window().loaded());
  EXPECT_FALSE(simp_trad_window().loaded());
  EXPECT_FALSE(typing_window_loaded());
  // The reader of other programs stays; the read-aloud window waits in the tray.
  EXPECT_TRUE(grabber_window().loaded());
  EXPECT_TRUE(read_aloud_window().loaded());
  EXPECT_FALSE(read_aloud_window().visible());
  EXPECT_TRUE(item_shown("语音朗读(&Y)"));
  EXPECT_TRUE(item_shown("正常模式(&Z)"));
  EXPECT_FALSE(w().visible());
  for (rt::Timer* t :
       {&w().时钟_显示时间, &w().时钟_滚动标签, &w().时钟_监视程序, &w().时钟_显示出来, &w().时钟_真正显示})
    EXPECT_EQ(t->interval(), 0);
  EXPECT_EQ(drops_accepted(), 0);

  MiniWindowForm& m = mini();
  EXPECT_EQ(m.caption(), "Velmora_迷你模式");
  EXPECT_EQ(GetWindow(hw(m.handle()), GW_OWNER), hw(w().handle()));
  EXPECT_EQ(GetWindow(hw(popup().handle()), GW_OWNER), hw(m.handle()));
  EXPECT_FALSE(popup().visible());
  EXPECT_EQ(m.width(), 305);
  EXPECT_EQ(m.height(), 48);
  EXPECT_EQ(m.标签_上中.text(), "  Velmora迷你模式");
  EXPECT_TRUE(m.topmost());
  EXPECT_EQ(rt::tooltip_text(m.图形按钮_最前), "取消最前");
  EXPECT_EQ(rt::tooltip_text(m.图形按钮_正常模式), "还原到正常模式");
  EXPECT_EQ(rt::tooltip_text(m.图形按钮_关闭), "关闭整个程序");
  EXPECT_TRUE(m.图形按钮_程序图标.normal_picture().same_image(w().超级菜单.image_on(kImageMiniMode, kSkinBodyColor)));
  // Never placed before: centred at the top of the screen.
  EXPECT_EQ(m.left(), rt::screen_width() / 2 - 305 / 2);
  EXPECT_EQ(m.top(), 0);
  // The pin: off and on again.
  ui_test::click(m.图形按钮_最前);
  EXPECT_FALSE(m.topmost());
  EXPECT_EQ(rt::tooltip_text(m.图形按钮_最前), "窗口最前");
  EXPECT_TRUE(m.图形按钮_最前.normal_picture().same_image(title_button_pictures(TitleGlyph::PinOff)[0]));
  ui_test::click(m.图形按钮_最前);
  EXPECT_TRUE(m.topmost());

  // The bar's button: everything comes back as it ran.
  ui_test::click(m.图形按钮_正常模式);
  EXPECT_FALSE(m.loaded());
  EXPECT_FALSE(popup().loaded());
  EXPECT_TRUE(w().visible());
  EXPECT_EQ(w().alpha(), options().window_alpha);
  EXPECT_EQ(w().时钟_显示时间.interval(), 1000);
  EXPECT_EQ(w().时钟_滚动标签.interval(), 120000);
  EXPECT_EQ(w().时钟_监视程序.interval(), kHandOverPollMs);
  EXPECT_EQ(w().时钟_显示出来.interval(), 250);
  EXPECT_EQ(drops_accepted(), 1);
  EXPECT_TRUE(read_aloud_window().visible());
  EXPECT_FALSE(item_shown("语音朗读(&Y)"));
  EXPECT_FALSE(item_shown("正常模式(&Z)"));
  EXPECT_TRUE(editor().has_focus());
  set_option(&OptionValues::edge_hide_enabled, 0);
  w().时钟_显示出来.set_interval(0);

  // The tray: a click leaves the main window hidden, the menu's item leaves mini mode.
  rt::Point icon = ui_test::find_tray_icon(w());
  ASSERT_GE(icon.x, 0) << "Wine's notification area shows no icon of ours";
  enter();
  ui_test::mouse_on_tray_icon(icon, WM_LBUTTONUP);
  EXPECT_FALSE(w().visible());
  EXPECT_TRUE(mini().loaded());
  ui_test::tray_icon_menu(w().超级菜单, icon, [](rt::PopupMenu& menu) { EXPECT_TRUE(menu.choose("正常模式(&Z)")); });
  EXPECT_FALSE(mini().loaded());
  EXPECT_TRUE(w().visible());
  EXPECT_EQ(w().时钟_监视程序.interval(), kHandOverPollMs);
  EXPECT_FALSE(item_shown("正常模式(&Z)"));

  grabber_window().destroy();
  read_aloud_window().destroy();
  (void)speech;
  stop_fake_speech();
}

TEST_F(MiniModeTest, TheBarSwitchesBetweenItsTwoFormsAndShowsTheTime) {
  rt::seams::set_clock([] { return at(9, 5, 7); });
  enter();
  MiniWindowForm& m = mini();
  expect_clock(m.small_clock(), mini_small_clock_digits(), mini_small_clock_colon(), 9, 5, 7);
  EXPECT_EQ(m.时钟_显示时间_小.interval(), 1000);
  EXPECT_EQ(m.时钟_显示时间.interval(), 0);
  for (rt::GraphicButton* u : m.big_clock()) EXPECT_FALSE(u->visible());

  struct Step {
    const char* name;
    void (*act)();
  };
  // Each of these switches the form: a double click on the bar or its title, a right click on
  // the bar, its title or its clock.
  const Step steps[] = {
      {"double click on the title", [] { second_press(mini().标签_上中); }},
      {"right click on the big clock", [] { ui_test::right_click(*mini().big_clock()[4]); }},
      {"double click on the bar", [] { second_press(mini()); }},
      {"double click on the big clock", [] { second_press(*mini().big_clock()[0]); }},
      {"right click on the title", [] { ui_test::right_click(mini().标签_上中); }},
      {"right click on the bar", [] { ui_test::right_click(mini()); }},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    const bool was_full = m.full_form();
    s.act();
    if (was_full) {
      EXPECT_EQ(m.width(), 100);
      EXPECT_EQ(m.height(), 21);
      EXPECT_EQ(m.标签_上中.text(), "");
      for (rt::GraphicButton* b : m.full_form_buttons()) EXPECT_FALSE(b->visible());
      for (rt::GraphicButton* u : m.big_clock()) EXPECT_TRUE(u->visible());
      for (rt::Label* l : m.frame_labels()) EXPECT_FALSE(l->visible());
      expect_clock(m.big_clock(), mini_big_clock_digits(), mini_big_clock_colon(), 9, 5, 7);
      EXPECT_EQ(m.时钟_显示时间.interval(), 1000);
      EXPECT_EQ(m.时钟_显示时间_小.interval(), 0);
    } else {
      EXPECT_EQ(m.width(), 305);
      EXPECT_EQ(m.height(), 48);
      EXPECT_EQ(m.标签_上中.text(), "  Velmora迷你模式");
      for (rt::GraphicButton* b : m.full_form_buttons()) EXPECT_TRUE(b->visible());
      for (rt::GraphicButton* u : m.big_clock()) EXPECT_FALSE(u->visible());
      for (rt::Label* l : m.frame_labels()) EXPECT_TRUE(l->visible());
      EXPECT_EQ(m.时钟_显示时间.interval(), 0);
      EXPECT_EQ(m.时钟_显示时间_小.interval(), 1000);
    }
  }

  // The big clock ticks with one reading of the time.
  second_press(m);
  ASSERT_FALSE(m.full_form());
  rt::seams::set_clock([] { return at(23, 59, 58); });
  ASSERT_TRUE(
      ui_test::wait_for([&] { return m.big_clock()[7]->normal_picture().same_image(mini_big_clock_digits()[8]); }));
  expect_clock(m.big_clock(), mini_big_clock_digits(), mini_big_clock_colon(), 23, 59, 58);

  // Coming back to the full form near the right edge keeps the whole bar on the screen; a form
  // below the work area's bottom comes up to end there.
  const int sw = rt::screen_width();
  move_bar(sw - 150, 300);
  ASSERT_EQ(m.left(), sw - 150);
  second_press(m);
  EXPECT_EQ(m.left(), sw - 305);
  EXPECT_EQ(m.top(), 300);
  if (taskbar_height() > 20) {
    second_press(m);
    move_bar(500, work_bottom() + 9);
    ASSERT_EQ(m.top(), work_bottom() + 9);
    second_press(m);
    EXPECT_EQ(m.top(), work_bottom() - 48);
  }
}

TEST_F(MiniModeTest, StartsCompactWhenTheOptionAsks) {
  config_set_flag(迷你::自动进入时间模式, true);
  enter();
  EXPECT_EQ(mini().width(), 100);
  EXPECT_EQ(mini().height(), 21);
  EXPECT_EQ(mini().时钟_显示时间.interval(), 1000);
  EXPECT_FALSE(mini().图形按钮_正常模式.visible());
  // Centred for its own width.
  EXPECT_EQ(mini().left(), rt::screen_width() / 2 - 100 / 2);
}

TEST_F(MiniModeTest, TheBarRemembersItsPlaceAndSnapsToTheScreenEdges) {
  enter();
  MiniWindowForm& m = mini();
  move_bar(200, 300);
  EXPECT_EQ(config_read("迷你模式设置", "窗口左边"), "200");
  EXPECT_EQ(config_read("迷你模式设置", "窗口顶边"), "300");
  // Within 11 pixels of an edge it sits on it, and that place is the one kept.
  move_bar(rt::screen_width() - 305 - 9, 300);
  EXPECT_EQ(m.left(), rt::screen_width() - 305);
  move_bar(8, 300);
  EXPECT_EQ(m.left(), 0);
  EXPECT_EQ(config_read("迷你模式设置", "窗口左边"), "0");
  move_bar(120, 6);
  EXPECT_EQ(m.top(), 0);
  move_bar(120, 300);

  // The fades in and out do not move it: the bar comes back exactly where it was left.
  ui_test::click(m.图形按钮_正常模式);
  EXPECT_EQ(config_read("迷你模式设置", "窗口左边"), "120");
  EXPECT_EQ(config_read("迷你模式设置", "窗口顶边"), "300");
  enter();
  EXPECT_EQ(m.left(), 120);
  EXPECT_EQ(m.top(), 300);

  // The compact clock dragged by the user onto the taskbar sits on the work area's bottom.
  second_press(m);
  ASSERT_FALSE(m.full_form());
  if (taskbar_height() > 6) {
    ui_test::drag(*m.big_clock()[3], 0, work_bottom() + 3 - m.top());
    EXPECT_EQ(m.top(), work_bottom());
    EXPECT_EQ(config_read("迷你模式设置", "窗口顶边"), std::to_string(work_bottom()));
  }
  second_press(m);
  ui_test::click(m.图形按钮_正常模式);

  // With the option on the bar always opens centred at the top, and moves are not kept.
  config_set_flag(迷你::取消纪录窗口位置, true);
  enter();
  EXPECT_EQ(m.left(), rt::screen_width() / 2 - 305 / 2);
  EXPECT_EQ(m.top(), 0);
  const std::string kept = config_read("迷你模式设置", "窗口左边");
  move_bar(333, 444);
  EXPECT_EQ(config_read("迷你模式设置", "窗口左边"), kept);
  EXPECT_EQ(mini_remember_position(), 0);
}

TEST_F(MiniModeTestWithFiles, ShortTextsBecomeTheKeywordAndLongTextsAndFilesGoBackToTheEditor) {
  ui_test::type_text(editor(), "abc");
  struct Case {
    const char* name;
    std::string text;
    bool keyword;
  };
  const std::string cjk33 = [] {
    std::string t;
    for (int i = 0; i < 33; ++i) t += "字";
    return t;
  }();
  const Case cases[] = {
      {"67 bytes", cjk33 + "a", true},
      {"68 bytes", cjk33 + "ab", false},
      // The bar takes no web addresses: a long link comes in as its text.
      {"a long link", "http://www.example.com/" + std::string(45, 'x'), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    enter();
    const std::string before = editor().text();
    ASSERT_TRUE(rt::seams::drop_text(mini(), c.text));
    EXPECT_FALSE(mini().标签_提示搜索引擎.visible());
    if (c.keyword) {
      EXPECT_EQ(keyword().text(), c.text);
      EXPECT_TRUE(mini().loaded());
      EXPECT_FALSE(w().visible());
      EXPECT_EQ(editor().text(), before);
      ui_test::click(mini().图形按钮_正常模式);
    } else {
      EXPECT_FALSE(mini().loaded());
      EXPECT_TRUE(w().visible());
      EXPECT_EQ(editor().text(), before + c.text);
    }
  }

  // Files dropped on the main window wait; files dropped on the bar are opened and the main
  // window comes back.
  const std::string a = file("a.txt", "from the bar"), b = file("b.txt", "not while mini");
  enter();
  rt::seams::drop_files(editor(), {b});
  ui_test::settle(300);
  EXPECT_EQ(page_of(b), -1);
  ASSERT_TRUE(rt::seams::drop_files(mini(), {a}));
  ASSERT_TRUE(ui_test::wait_for([&] { return page_of(a) >= 0 && !open_busy(); }));
  EXPECT_EQ(page_content(page_of(a)), "from the bar");
  EXPECT_FALSE(mini().loaded());
  EXPECT_TRUE(w().visible());
}

TEST_F(MiniModeTestWithFiles, AfterAFileDropTheHandOverAndDropsWaitForTheOpenRun) {
  const std::string a = file("a.txt", "a");
  enter();
  rt::seams::hold_workers(true);
  ASSERT_TRUE(rt::seams::drop_files(mini(), {a}));
  ASSERT_TRUE(open_busy());
  EXPECT_FALSE(mini().loaded());
  // The run may still fill the current page: its end gives both back, not the leaving.
  EXPECT_EQ(drops_accepted(), 0);
  EXPECT_EQ(w().时钟_监视程序.interval(), 0);
  rt::seams::hold_workers(false);
  ASSERT_TRUE(ui_test::wait_for([&] { return !open_busy() && page_of(a) >= 0; }));
  EXPECT_EQ(drops_accepted(), 1);
  EXPECT_EQ(w().时钟_监视程序.interval(), kHandOverPollMs);
}

TEST_F(MiniModeTestWithFiles, AHandOverWaitsUntilMiniModeEnds) {
  const std::string a = file("handed.txt", "handed over");
  enter();
  const std::string request = a + "|";
  w().编辑框_进程通信.set_text(request);
  ui_test::settle(1200);
  EXPECT_EQ(w().编辑框_进程通信.text(), request);
  EXPECT_EQ(page_of(a), -1);
  ui_test::click(mini().图形按钮_正常模式);
  ASSERT_TRUE(ui_test::wait_for([&] { return page_of(a) >= 0 && !open_busy(); }));
  EXPECT_EQ(w().编辑框_进程通信.text(), "｛[(进程通信编辑框_Kestrune)]｝");
}

TEST_F(MiniModeTestWithFiles, TheCloseButtonAsksTheExitQuestionFirst) {
  set_option(&OptionValues::remember_position, 1);
  set_option(&OptionValues::open_in_thread, 0);
  const std::string path = file("exit.txt", "e");
  set_open_queue({path});
  open_files();
  ASSERT_GE(page_of(path), 0);
  tabs().set_current(page_of(path));
  ui_test::type_text(editor(), "+");
  enter();
  int boxes = 0;
  rt::seams::set_modal_hook([&](rt::Window& box) {
    if (&box != &message_box_form()) return;
    ++boxes;
    // While the question is open the bar's buttons wait for the end it leads to.
    ui_test::click(mini().图形按钮_关闭);
    ui_test::click(mini().图形按钮_正常模式);
    second_press(mini());
    EXPECT_TRUE(mini().full_form());
    EXPECT_FALSE(w().visible());
    ui_test::click(*message_box_form().answer_button(kBoxYes));
  });
  ui_test::click(mini().图形按钮_关闭);
  rt::seams::set_modal_hook(nullptr);
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(rt::read_file(path).value_or(""), "+e");
  EXPECT_EQ(ended_, 0);
  // Released, but the main window's place is not written.
  EXPECT_FALSE(w().托盘图标.shown());
  EXPECT_EQ(config_read("程序设置", "进程通信钥匙"), "");
  EXPECT_EQ(config_read("程序设置", "窗口左边"), "");
  EXPECT_FALSE(popup().visible());
  EXPECT_FALSE(mini().visible() && mini().alpha() > 0);
}

TEST_F(MiniModeTest, AnExitWhoseSaveIsCancelledKeepsTheProgramInMiniMode) {
  // A new page never saved: Yes asks for a file, and the dialog is cancelled.
  ui_test::type_text(editor(), "unsaved");
  int tab = tabs().current();
  enter();
  std::vector<RecordedBox> boxes;
  record_message_boxes(&boxes, {kBoxYes});
  ui_test::click(mini().图形按钮_关闭);
  rt::seams::set_modal_hook(nullptr);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(ended_, -1);
  EXPECT_TRUE(mini().visible());
  EXPECT_TRUE(w().托盘图标.shown());
  ASSERT_TRUE(page_exists(tab));
  EXPECT_EQ(pages()[tab].modified, 1);
  // The bar still works: back to the main window and the page.
  ui_test::click(mini().图形按钮_正常模式);
  ASSERT_TRUE(ui_test::wait_for([] { return w().visible(); }));
  EXPECT_EQ(page_content(tab), "unsaved");
}

TEST_F(MiniModeTestWithFiles, AClosedBarEndsTheProgramAsItsCloseButtonDoes) {
  set_option(&OptionValues::open_in_thread, 0);
  const std::string path = file("close.txt", "c");
  set_open_queue({path});
  open_files();
  tabs().set_current(page_of(path));
  ui_test::type_text(editor(), "+");
  enter();
  std::vector<RecordedBox> boxes;
  record_message_boxes(&boxes, {kBoxNo});
  // The system's close of the bar (Alt+F4).
  mini().close();
  rt::seams::set_modal_hook(nullptr);
  ASSERT_EQ(boxes.size(), 1u);
  // The exit question, with 取消 beside 是 and 否.
  EXPECT_EQ(boxes[0].buttons, (std::vector<int>{kBoxCancel, kBoxYes, kBoxNo}));
  EXPECT_EQ(rt::read_file(path).value_or(""), "c");
  EXPECT_EQ(ended_, 0);
}

TEST_F(MiniModeTest, TheTrayExitInMiniModeFadesTheBarOut) {
  set_option(&OptionValues::remember_position, 1);
  rt::Point icon = ui_test::find_tray_icon(w());
  ASSERT_GE(icon.x, 0);
  enter();
  ui_test::tray_icon_menu(w().超级菜单, icon, [](rt::PopupMenu& menu) { EXPECT_TRUE(menu.choose("退出程序(&T)")); });
  EXPECT_EQ(ended_, 0);
  EXPECT_FALSE(popup().visible());
  EXPECT_FALSE(mini().visible() && mini().alpha() > 0);
  // The main window's own exit writes its place, hidden or not.
  EXPECT_EQ(config_read("程序设置", "窗口左边"), std::to_string(w().left()));
}

TEST_F(MiniModeTest, Screenshot) {
  rt::seams::set_clock([] { return at(20, 26, 8); });
  enter();
  move_bar(400, 200);
  keyword().set_text("天气预报");
  ui_test::settle(300);
  ui_test::screenshot("mini_mode_bar");
  EXPECT_TRUE(ui_test::layout_is_sound(mini()));
  second_press(mini());
  ui_test::settle(200);
  ui_test::screenshot("mini_mode_clock");
  EXPECT_TRUE(ui_test::layout_is_sound(mini()));
}

}  // namespace
