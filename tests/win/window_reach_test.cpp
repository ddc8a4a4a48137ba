// The main window and the tool windows stay where the user can reach their caption on the screens
// there are: after a drag by any part of them, at a start from a stored place, when undocked or
// restored to a place kept earlier, and when the screens change.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/globals.h"
#include "app/main_frame.h"
#include "common/window_fade.h"
#include "forms/grabber_window_form.h"
#include "forms/main_window_form.h"
#include "foreign/grabber_window.h"
#include "options/config.h"
#include "options/option_values.h"
#include "program_test.h"
#include "runtime/seams.h"
#include "runtime/system.h"
#include "ui_test.h"

namespace {

HWND hw(rt::WindowHandle h) { return static_cast<HWND>(h); }

bool on_a_work_area(POINT p) {
  for (const rt::Screen& s : rt::screens())
    if (p.x >= s.work.left && p.x < s.work.left + s.work.width && p.y >= s.work.top && p.y < s.work.top + s.work.height)
      return true;
  return false;
}

// Whether the user can take the caption: along its middle row at least 20 pixels lie on a work
// area and show the caption there, not a button over it; the first of them, when they do.
bool caption_within_reach(rt::Unit& caption, POINT* where = nullptr) {
  RECT r{};
  GetWindowRect(hw(caption.handle()), &r);
  const int y = (r.top + r.bottom) / 2;
  int shown = 0;
  for (int x = r.left; x < r.right; ++x) {
    const POINT p{x, y};
    if (!on_a_work_area(p) || WindowFromPoint(p) != hw(caption.handle())) continue;
    if (shown++ == 0 && where) *where = p;
  }
  return shown >= 20;
}

std::string placed(const rt::Window& window) {
  const rt::Rect r = window.rect();
  return "the window at " + std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.width) +
         "x" + std::to_string(r.height);
}

class WindowReachTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    w().move(240, 160, 788, 597);
    ui_test::settle(50);
  }
  void TearDown() override {
    rt::seams::set_screens({});
    grabber_window().destroy();
    ProgramTest::TearDown();
  }
};

TEST_F(WindowReachTest, ADragByAnyPartOfTheMainWindowLeavesItsCaptionWithinReach) {
  struct Case {
    const char* name;
    rt::Unit* unit;
    int dx, dy;
  };
  const Case cases[] = {
      // The pointer stops at the screen's edge: the window above it goes as far as its press.
      {"the status line beside the size grip, up", &w().透明标签_文件路径, 0, -2000},
      {"the status line, up and left", &w().透明标签_文件路径, -2000, -2000},
      {"the page count of the status line, up and right", &w().透明标签_标签状态, 2000, -2000},
      {"the left side, left", &w().标签_左中, -2000, 0},
      {"the caption, down and right", &w().标签_上中, 2000, 2000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    w().move(240, 160, 788, 597);
    ui_test::settle(50);
    ui_test::drag(*c.unit, c.dx, c.dy);
    POINT grip{};
    ASSERT_TRUE(caption_within_reach(w().标签_上中, &grip)) << placed(w());
    // And the user takes it back by it.
    const rt::Rect before = w().rect();
    ui_test::drag_from(w().标签_上中, {grip.x, grip.y}, 400 - grip.x, 300 - grip.y);
    EXPECT_NE(w().rect().left, before.left);
    EXPECT_TRUE(caption_within_reach(w().标签_上中)) << placed(w());
  }
}

TEST_F(WindowReachTest, UndockingAndRestoringGoBackToAPlaceWithinReach) {
  struct Case {
    const char* name;
    int keys_there, key_there, keys_back, key_back;
  };
  const Case cases[] = {
      {"docked with Ctrl+Alt+Left, undocked with Ctrl+Down", rt::kCtrl | rt::kAlt, VK_LEFT, rt::kCtrl, VK_DOWN},
      {"docked with Ctrl+Alt+Right, undocked with Ctrl+Alt+Right", rt::kCtrl | rt::kAlt, VK_RIGHT,
       rt::kCtrl | rt::kAlt, VK_RIGHT},
      {"maximized with Ctrl+Up, restored with Ctrl+Down", rt::kCtrl, VK_UP, rt::kCtrl, VK_DOWN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Left off the screen where an earlier arrangement of the screens had it.
    w().move(-333, -464, 788, 597);
    ui_test::settle(50);
    ASSERT_FALSE(caption_within_reach(w().标签_上中));
    ui_test::press_key(editor(), c.key_there, c.keys_there);
    ui_test::settle(50);
    ASSERT_TRUE(caption_within_reach(w().标签_上中));
    ui_test::press_key(editor(), c.key_back, c.keys_back);
    ui_test::settle(50);
    EXPECT_EQ(main_window_maximized(), 0);
    EXPECT_EQ(w().width(), 788);
    EXPECT_TRUE(caption_within_reach(w().标签_上中)) << placed(w());
  }
}

TEST_F(WindowReachTest, AToolWindowDraggedByItsBottomEdgeKeepsItsTitleWithinReach) {
  open_grabber_window();
  GrabberWindowForm& g = grabber_window();
  ASSERT_TRUE(ui_test::wait_for([&g] { return g.loaded() && g.alpha() == options().window_alpha; }));
  for (auto [dx, dy] : {std::pair{0, -2000}, std::pair{-2000, -2000}, std::pair{2000, 2000}}) {
    SCOPED_TRACE(std::to_string(dx) + "," + std::to_string(dy));
    // Beside the main window, not over it.
    w().move(0, 0, 788, 597);
    g.move(820, 500, g.width(), g.height());
    ui_test::settle(50);
    ui_test::drag(g.标签_下中, dx, dy);
    EXPECT_TRUE(caption_within_reach(g.标签_上中)) << placed(g);
  }
}

TEST_F(WindowReachTest, WhenAScreenGoesItsWindowsComeOverToTheOnesThatStay) {
  const rt::Screen primary{{0, 0, rt::screen_width(), rt::screen_height()}, rt::work_area()};
  const rt::Screen second{{primary.whole.width, 0, 1024, 768}, {primary.whole.width, 0, 1024, 728}};
  rt::seams::set_screens({primary, second});
  open_grabber_window();
  GrabberWindowForm& g = grabber_window();
  ASSERT_TRUE(ui_test::wait_for([&g] { return g.loaded() && g.alpha() == options().window_alpha; }));
  // Both on the second screen, which is theirs to stay on while it is there.
  w().move(second.whole.left + 100, 80, 788, 597);
  g.move(second.whole.left + 300, 200, g.width(), g.height());
  ui_test::settle(50);
  for (HWND h : {hw(w().handle()), hw(g.handle())}) SendMessageW(h, WM_DISPLAYCHANGE, 24, MAKELPARAM(1280, 1024));
  ui_test::settle(100);
  EXPECT_EQ(w().left(), second.whole.left + 100);
  EXPECT_EQ(g.left(), second.whole.left + 300);
  // The second screen is unplugged.
  rt::seams::set_screens({primary});
  for (HWND h : {hw(w().handle()), hw(g.handle())}) SendMessageW(h, WM_DISPLAYCHANGE, 24, MAKELPARAM(1280, 1024));
  ASSERT_TRUE(ui_test::wait_for([&] { return w().left() < primary.whole.width && g.left() < primary.whole.width; }, 2000))
      << placed(w()) << "; " << placed(g);
  EXPECT_TRUE(caption_within_reach(w().标签_上中)) << placed(w());
  EXPECT_TRUE(caption_within_reach(g.标签_上中)) << placed(g);
  EXPECT_EQ(w().width(), 788);
}

// A start from a place the configuration kept (the program ended there, or on screens since
// gone).
class StoredPlaceTest : public ::testing::Test {
 protected:
  void TearDown() override {
    main_window().destroy();
    DeleteFileA(config_file().c_str());
  }
  static std::string config_file() { return rt::program_directory() + "Config_Vel.ini"; }
};

TEST_F(StoredPlaceTest, AStartFromAStoredPlaceOffTheScreenShowsTheCaptionWithinReach) {
  struct Case {
    int left, top;
  };
  // Right of the screen with the icon alone showing, below it with half the caption, both.
  for (const Case& c : {Case{1250, 300}, Case{300, 1000}, Case{1250, 1000}, Case{-333, -464}}) {
    SCOPED_TRACE(std::to_string(c.left) + "," + std::to_string(c.top));
    DeleteFileA(config_file().c_str());
    const std::string file = config_file();
    WritePrivateProfileStringA("程序设置", "窗口左边", std::to_string(c.left).c_str(), file.c_str());
    WritePrivateProfileStringA("程序设置", "窗口顶边", std::to_string(c.top).c_str(), file.c_str());
    WritePrivateProfileStringA("程序设置", "窗口宽度", "788", file.c_str());
    WritePrivateProfileStringA("程序设置", "窗口高度", "597", file.c_str());
    init_globals();
    rt::seams::set_command_line({});
    ASSERT_TRUE(main_window().load());
    ASSERT_TRUE(ui_test::wait_for([] { return main_window().编辑框_文本类容.has_focus(); }));
    EXPECT_TRUE(caption_within_reach(main_window().标签_上中)) << placed(main_window());
    EXPECT_EQ(main_window().width(), 788);
    main_window().destroy();
  }
}

}  // namespace
