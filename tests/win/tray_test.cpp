// The tray icon, its menu, the caption clock, the working-set trim and the program's pointers,
// against the real main window under Wine: the icon goes to Wine's notification area and its
// events come back from there as the shell sends them.
#include "app/tray.h"

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/housekeeping.h"
#include "app/main_frame.h"
#include "app/shutdown.h"
#include "common/frame_art.h"
#include "common/icon_file.h"
#include "common/menu_art.h"
#include "common/skin_art.h"
#include "layout_check.h"
#include "options/config.h"
#include "pages/page_store.h"
#include "program_test.h"
#include "runtime/clock.h"
#include "runtime/hooks.h"
#include "runtime/seams.h"
#include "runtime/system.h"
#include "ui_test.h"

namespace {

HWND hw(rt::WindowHandle h) { return static_cast<HWND>(h); }
using Shown = rt::PopupMenu::ShownItem;

POINT find_our_icon() {
  rt::Point p = ui_test::find_tray_icon(w());
  return {p.x, p.y};
}

// A stand-in for the mini-mode window: the program knows it by its caption.
class MiniModeStandIn : public rt::Window {
 public:
  MiniModeStandIn() : rt::Window("VelmoraTestMini", "Velmora_迷你模式", {10, 10, 120, 40}) {}

 protected:
  void build() override {}
};

class TrayTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    ended_ = -1;
    rt::seams::end_process_hook() = [this](int code) { ended_ = code; };
  }
  void TearDown() override {
    rt::seams::set_menu_hook(nullptr);
    rt::seams::end_process_hook() = nullptr;
    rt::seams::record_launches(false);
    rt::seams::set_clock(nullptr);
    mini_.destroy();
    ProgramTest::TearDown();
  }

  // The user's mouse on the icon in Wine's taskbar, which tells the icon's window.
  static void mouse_on(POINT icon, UINT message) { ui_test::mouse_on_tray_icon({icon.x, icon.y}, message); }
  // The tray menu as it opens from a right click on the icon; `then` acts inside it.
  std::vector<Shown> tray_menu(POINT icon, const std::function<void(rt::PopupMenu&)>& then = {}) {
    return ui_test::tray_icon_menu(w().超级菜单, {icon.x, icon.y}, [&](rt::PopupMenu& m) {
      EXPECT_EQ(m.open_menu()->caption, "托盘菜单(&T)");
      if (then)
        then(m);
      else
        m.press_key(VK_ESCAPE);
    });
  }

  int ended_ = -1;
  MiniModeStandIn mini_;
};

TEST_F(TrayTest, TheIconComesAtTheFirstActivationWithItsTipAndGoesAtTheExit) {
  EXPECT_TRUE(w().托盘图标.shown());
  EXPECT_EQ(w().托盘图标.id(), 100u);
  EXPECT_EQ(w().托盘图标.tip(), "名称:Velmora\r\n版本:1.0.0.1\r\n更新时间:2026年12月10日");
  ASSERT_GE(find_our_icon().x, 0) << "Wine's notification area shows no icon of ours";
  exit_program();
  EXPECT_EQ(ended_, 0);
  EXPECT_FALSE(w().托盘图标.shown());
  EXPECT_LT(find_our_icon().x, 0);
  // Removing it again finds nothing to remove.
  EXPECT_FALSE(w().托盘图标.remove());
}

TEST_F(TrayTest, TheIconIsAddedAgainWhenTheTaskbarIsMadeAnew) {
  const UINT taskbar_created = RegisterWindowMessageW(L"TaskbarCreated");
  // As after a restart of the shell, which lost the icon.
  Shell_NotifyIconA(NIM_DELETE, [] {
    static NOTIFYICONDATAA d{};
    d.cbSize = sizeof d;
    d.hWnd = hw(w().handle());
    d.uID = 100;
    return &d;
  }());
  ASSERT_LT(find_our_icon().x, 0);
  SendMessageW(hw(w().handle()), taskbar_created, 0, 0);
  EXPECT_TRUE(w().托盘图标.shown());
  EXPECT_GE(find_our_icon().x, 0);
  // A taskbar that still has it keeps it.
  SendMessageW(hw(w().handle()), taskbar_created, 0, 0);
  EXPECT_TRUE(w().托盘图标.shown());
  EXPECT_GE(find_our_icon().x, 0);
}

TEST_F(TrayTest, ATipIsCutAtAWholeCharacterWithin62Bytes) {
  std::string tip;
  for (int i = 0; i < 40; ++i) tip += "名";  // 80 bytes
  ASSERT_TRUE(w().托盘图标.add(program_icon_picture(), "a" + tip));
  EXPECT_EQ(w().托盘图标.tip(), "a" + tip.substr(0, 60));  // 61 bytes: a 62nd would split a character
  ASSERT_TRUE(w().托盘图标.add(program_icon_picture(), tip));
  EXPECT_EQ(w().托盘图标.tip(), tip.substr(0, 62));
}

TEST_F(TrayTest, ALeftClickOrDoubleClickBringsTheWindowBackAsItWas) {
  POINT icon = find_our_icon();
  ASSERT_GE(icon.x, 0);
  struct Case {
    UINT message;
    bool maximized;
  };
  for (Case c : {Case{WM_LBUTTONUP, false}, Case{WM_LBUTTONDBLCLK, false}, Case{WM_LBUTTONUP, true}}) {
    SCOPED_TRACE(std::to_string(c.message) + (c.maximized ? " maximized" : ""));
    if (c.maximized) toggle_maximize();
    w().minimize();
    ASSERT_TRUE(ui_test::wait_for([] { return w().minimized(); }));
    mouse_on(icon, c.message);
    EXPECT_TRUE(ui_test::wait_for([] { return !w().minimized(); }));
    // Back to the state before minimizing: a maximized window stays maximized.
    EXPECT_EQ(w().maximized(), c.maximized);
    EXPECT_TRUE(w().visible());
    if (c.maximized) toggle_maximize();
  }
  // A click on a window that is not minimized leaves its state alone.
  toggle_maximize();
  mouse_on(icon, WM_LBUTTONUP);
  EXPECT_TRUE(w().maximized());
  toggle_maximize();
  // A hidden window (the boss key hid it) is shown again.
  w().set_visible(false);
  mouse_on(icon, WM_LBUTTONUP);
  EXPECT_TRUE(w().visible());
  // The pointer passing over the icon is no event.
  w().set_visible(false);
  mouse_on(icon, WM_MOUSEMOVE);
  mouse_on(icon, WM_LBUTTONDOWN);
  EXPECT_FALSE(w().visible());
  w().set_visible(true);
}

TEST_F(TrayTest, InMiniModeATrayClickLeavesTheMainWindowHidden) {
  POINT icon = find_our_icon();
  ASSERT_GE(icon.x, 0);
  ASSERT_TRUE(mini_.load());
  w().set_visible(false);
  mouse_on(icon, WM_LBUTTONUP);
  mouse_on(icon, WM_LBUTTONDBLCLK);
  EXPECT_FALSE(w().visible());
  EXPECT_FALSE(w().minimized());
  mini_.destroy();
  mouse_on(icon, WM_LBUTTONUP);
  EXPECT_TRUE(w().visible());
}

TEST_F(TrayTest, ARightClickPopsTheTrayMenuWithItsHiddenItems) {
  POINT icon = find_our_icon();
  ASSERT_GE(icon.x, 0);
  auto captions = [](const std::vector<Shown>& items) {
    std::vector<std::string> c;
    for (const Shown& s : items) c.push_back(s.separator ? "-" : s.caption);
    return c;
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(captions(tray_menu(icon)),
            (V{"关于程序(&I)", "-", "软件主页(&H)", "-", "检查更新(&N)", "-", "重启程序(&R)", "-", "退出程序(&T)"}));
  // The read-aloud window hidden to the tray, then mini mode: each item with the separator above it.
  set_tray_read_aloud_item_visible(true);
  EXPECT_EQ(captions(tray_menu(icon)), (V{"关于程序(&I)", "-", "软件主页(&H)", "-", "检查更新(&N)", "-", "语音朗读(&Y)",
                                          "-", "重启程序(&R)", "-", "退出程序(&T)"}));
  set_tray_normal_mode_item_visible(true);
  set_tray_read_aloud_item_visible(false);
  EXPECT_EQ(captions(tray_menu(icon)), (V{"关于程序(&I)", "-", "软件主页(&H)", "-", "检查更新(&N)", "-", "正常模式(&Z)",
                                          "-", "重启程序(&R)", "-", "退出程序(&T)"}));
  set_tray_normal_mode_item_visible(false);
  // The menu opens at the pointer.
  POINT at{};
  RECT shown{};
  tray_menu(icon, [&](rt::PopupMenu& m) {
    GetCursorPos(&at);
    if (HWND popup = FindWindowW(L"#32768", nullptr)) GetWindowRect(popup, &shown);
    m.press_key(VK_ESCAPE);
  });
  // A corner of it lies at the pointer, or, near the screen's edges, the menu is moved just inside
  // the screen, as the system does with every menu.
  const int cx = rt::screen_width(), cy = rt::screen_height();
  EXPECT_TRUE(shown.left == at.x || shown.right == at.x || (shown.right == cx && shown.left < at.x))
      << shown.left << ".." << shown.right << " " << at.x;
  EXPECT_TRUE(shown.top == at.y || shown.bottom == at.y || (shown.bottom == cy && shown.top < at.y))
      << shown.top << ".." << shown.bottom << " " << at.y;
}

TEST_F(TrayTest, TheTrayMenuRestartsAndEndsTheProgram) {
  POINT icon = find_our_icon();
  ASSERT_GE(icon.x, 0);
  rt::seams::record_launches(true);
  rt::seams::launches().clear();
  tray_menu(icon, [](rt::PopupMenu& m) { EXPECT_TRUE(m.choose("重启程序(&R)")); });
  ASSERT_EQ(rt::seams::launches().size(), 1u);
  EXPECT_EQ(rt::seams::launches()[0].file, "\"" + rt::program_path() + "\"");
  EXPECT_EQ(ended_, 0);
  EXPECT_FALSE(w().托盘图标.shown());
  reset_shutdown();
}

TEST_F(TrayTest, TheTrayMenuExitEndsTheProgram) {
  POINT icon = find_our_icon();
  ASSERT_GE(icon.x, 0);
  tray_menu(icon, [](rt::PopupMenu& m) { EXPECT_TRUE(m.choose("退出程序(&T)")); });
  EXPECT_EQ(ended_, 0);
  EXPECT_FALSE(w().托盘图标.shown());
}

// ---- The clock ----

rt::DateTime at(int hour, int minute, int second, int ms = 0) {
  rt::DateTime t;
  t.year = 2026;
  t.month = 12;
  t.day = 10;
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  t.millisecond = ms;
  return t;
}

// The digits the six digit units show, left to right; -1 for a picture that is no digit.
std::vector<int> clock_shows() {
  std::vector<int> digits;
  for (rt::GraphicButton* u : {&w().图形按钮_时_个位, &w().图形按钮_时_十位, &w().图形按钮_分_个位,
                               &w().图形按钮_分_十位, &w().图形按钮_秒_个位, &w().图形按钮_秒_十位}) {
    int d = -1;
    for (int i = 0; i < 10; ++i)
      if (u->normal_picture().same_image(clock_digit_strip()[i])) d = i;
    digits.push_back(d);
  }
  return digits;
}

TEST_F(TrayTest, TheClockShowsTheTimeInTheCaption) {
  using V = std::vector<int>;
  struct Case {
    rt::DateTime time;
    V digits;
  };
  for (const Case& c : {Case{at(9, 5, 7), V{0, 9, 0, 5, 0, 7}}, Case{at(23, 59, 58), V{2, 3, 5, 9, 5, 8}},
                        Case{at(0, 0, 0), V{0, 0, 0, 0, 0, 0}}, Case{at(10, 30, 45), V{1, 0, 3, 0, 4, 5}}}) {
    rt::seams::set_clock([t = c.time] { return t; });
    update_clock_digits();
    EXPECT_EQ(clock_shows(), c.digits);
  }
  // One reading per tick: a clock read again later in the same tick could mix 09:59:59 and 10:00:00.
  int readings = 0;
  rt::seams::set_clock([&] { return ++readings == 1 ? at(9, 59, 59, 999) : at(10, 0, 0); });
  update_clock_digits();
  EXPECT_EQ(readings, 1);
  EXPECT_EQ(clock_shows(), (V{0, 9, 5, 9, 5, 9}));
  // Both colons, in the caption left of the caption buttons, in order.
  for (rt::GraphicButton* colon : {&w().图形按钮_时到分_分隔, &w().图形按钮_分到秒_分隔})
    EXPECT_TRUE(colon->normal_picture().same_image(clock_separator_picture()));
  std::vector<rt::GraphicButton*> row = {&w().图形按钮_时_个位, &w().图形按钮_时_十位, &w().图形按钮_时到分_分隔,
                                         &w().图形按钮_分_个位, &w().图形按钮_分_十位, &w().图形按钮_分到秒_分隔,
                                         &w().图形按钮_秒_个位, &w().图形按钮_秒_十位};
  for (size_t i = 1; i < row.size(); ++i) EXPECT_EQ(row[i]->left(), row[i - 1]->left() + row[i - 1]->width());
  EXPECT_LT(row.back()->left() + row.back()->width(), w().图形按钮_迷你模式.left());
  EXPECT_GT(row.front()->left(), w().标签_上中.left());
  for (rt::GraphicButton* u : row) EXPECT_TRUE(u->visible());
  // The timer ticks every second.
  EXPECT_EQ(w().时钟_显示时间.interval(), 1000);
  rt::seams::set_clock([] { return at(12, 34, 56); });
  EXPECT_TRUE(ui_test::wait_for([] { return clock_shows() == V{1, 2, 3, 4, 5, 6}; }, 3000));
}

TEST_F(TrayTest, TheClockOptionHidesTheClockAndStopsItsTimer) {
  w().destroy();
  init_globals();
  config_write("程序设置", "主界面不显示时间", "真");
  ASSERT_TRUE(w().load());
  ASSERT_TRUE(ui_test::wait_for([] { return !pages().empty() && editor().has_focus(); }));
  EXPECT_EQ(w().时钟_显示时间.interval(), 0);
  for (rt::GraphicButton* u :
       {&w().图形按钮_时_个位, &w().图形按钮_时_十位, &w().图形按钮_时到分_分隔, &w().图形按钮_分_个位,
        &w().图形按钮_分_十位, &w().图形按钮_分到秒_分隔, &w().图形按钮_秒_个位, &w().图形按钮_秒_十位})
    EXPECT_FALSE(u->visible());
  show_main_clock(true);
  EXPECT_EQ(w().时钟_显示时间.interval(), 1000);
  EXPECT_TRUE(w().图形按钮_秒_十位.visible());
  EXPECT_TRUE(w().图形按钮_分到秒_分隔.normal_picture().same_image(clock_separator_picture()));
}

TEST_F(TrayTest, Screenshots) {
  // The clock in the caption and the icon in Wine's taskbar, then the tray menu open over it.
  rt::seams::set_clock([] { return at(9, 5, 7); });
  update_clock_digits();
  POINT icon = find_our_icon();
  ASSERT_GE(icon.x, 0);
  ui_test::screenshot("main_window_clock_and_tray");
  EXPECT_TRUE(ui_test::layout_is_sound(w()));
  set_tray_read_aloud_item_visible(true);
  // The pointer on the icon, where the user's right click would be.
  POINT on_screen = icon;
  ClientToScreen(FindWindowW(L"Shell_TrayWnd", nullptr), &on_screen);
  SetCursorPos(on_screen.x, on_screen.y);
  tray_menu(icon, [](rt::PopupMenu& m) {
    ui_test::screenshot("tray_menu");
    m.press_key(VK_ESCAPE);
  });
}

// ---- The working-set trim ----

TEST_F(TrayTest, TheTrimMenuItemSwitchesTrimmingAndTwiceReturnsToTheStart) {
  auto item = [] {
    rt::MenuItem* i = w().超级菜单.find("取消优化(&N)");
    return i ? i : w().超级菜单.find("开启优化(&N)");
  };
  ASSERT_NE(item(), nullptr);
  EXPECT_EQ(item()->caption, "取消优化(&N)");
  EXPECT_EQ(item()->image, kImageTick);
  EXPECT_EQ(w().时钟_内存优化.interval(), 200);
  // Chosen in the Settings menu, as the user does.
  auto choose = [](const char* caption) {
    rt::seams::set_menu_hook([caption](rt::PopupMenu& m) { EXPECT_TRUE(m.choose(caption)); });
    ui_test::click(w().图形按钮_设置_菜单);
    rt::seams::set_menu_hook(nullptr);
  };
  choose("取消优化(&N)");
  EXPECT_EQ(item()->caption, "开启优化(&N)");
  EXPECT_EQ(item()->image, kImageTrimOff);
  EXPECT_EQ(w().时钟_内存优化.interval(), 0);
  choose("开启优化(&N)");
  EXPECT_EQ(item()->caption, "取消优化(&N)");
  EXPECT_EQ(item()->image, kImageTick);
  EXPECT_EQ(w().时钟_内存优化.interval(), 200);
  // The menu is not stored.
  EXPECT_EQ(config_read("程序设置", "关闭内存优化功能"), "");
}

TEST_F(TrayTest, TheTrimOptionSwitchesTrimmingOffAtStartUp) {
  w().destroy();
  init_globals();
  config_write("程序设置", "关闭内存优化功能", "真");
  ASSERT_TRUE(w().load());
  ASSERT_TRUE(ui_test::wait_for([] { return !pages().empty() && editor().has_focus(); }));
  EXPECT_EQ(w().时钟_内存优化.interval(), 0);
  ASSERT_NE(w().超级菜单.find("开启优化(&N)"), nullptr);
  // A tick trims and the program goes on.
  trim_working_set();
  EXPECT_TRUE(w().loaded());
}

// ---- The pointers ----

SIZE icon_size(HICON icon) {
  ICONINFO info{};
  SIZE s{0, 0};
  if (!GetIconInfo(icon, &info)) return s;
  BITMAP bm{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
  s = {bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return s;
}

// The colour (0xRRGGBB) at a quarter of the icon's width and height.
uint32_t quarter_colour(const rt::Cursor& icon) {
  ICONINFO info{};
  if (icon.empty() || !GetIconInfo(static_cast<HICON>(icon.handle()), &info) || !info.hbmColor) return 0xFFFFFFFFu;
  BITMAP bm{};
  GetObjectW(info.hbmColor, sizeof bm, &bm);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<uint32_t> px(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, info.hbmColor, 0, bm.bmHeight, px.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return px[static_cast<size_t>(bm.bmHeight / 4) * bm.bmWidth + bm.bmWidth / 4] & 0xFFFFFF;
}

TEST_F(TrayTest, TheEditBoxClassShowsTheProgramsTextCursor) {
  HCURSOR class_cursor = reinterpret_cast<HCURSOR>(GetClassLongPtrW(hw(editor().handle()), GCLP_HCURSOR));
  ASSERT_NE(class_cursor, nullptr);
  EXPECT_NE(class_cursor, LoadCursorW(nullptr, IDC_IBEAM));
  SIZE s = icon_size(class_cursor);
  EXPECT_EQ(s.cx, 32);
  EXPECT_EQ(s.cy, 32);
  // Every window of the class: another edit box of the process shows it too.
  HWND other = CreateWindowExW(0, L"Edit", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrW(other, GCLP_HCURSOR)), class_cursor);
  DestroyWindow(other);
  // The program's pointer over the main window's units.
  for (rt::Unit* u :
       std::initializer_list<rt::Unit*>{&w(), &w().高级选择夹_标签, &w().图形按钮_关闭, &w().工具条_工具栏}) {
    SendMessageW(hw(u->handle()), WM_SETCURSOR, reinterpret_cast<WPARAM>(u->handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), program_pointer_cursor().handle());
  }
}

TEST_F(TrayTest, AnIconIsMadeOfTheFirst16PixelImageElseTheFirst) {
  // A file of a 32-pixel image then a 16-pixel one, both from the program's pictures.
  std::string big = text_cursor_file();
  std::vector<uint32_t> px(16 * 16, 0xFF336699u);
  std::string small = cursor_file_bytes(16, 16, px, 0, 0);
  auto image_of = [](const std::string& f) { return f.substr(22); };
  std::string both = std::string("\0\0\2\0\2\0", 6) + big.substr(6, 16) + small.substr(6, 16);
  size_t first = both.size() + 0, second = first + image_of(big).size();
  auto put32 = [&](size_t at, size_t v) {
    for (int i = 0; i < 4; ++i) both[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  both += image_of(big) + image_of(small);
  put32(6 + 12, first);
  put32(6 + 16 + 12, second);
  // The icon shows the 16-pixel image (the system sizes it): the solid colour where the text
  // cursor is clear.
  EXPECT_EQ(quarter_colour(icon_from_bytes(both)), 0x336699u);
  // All 32 pixels wide: the first, the text cursor.
  SIZE s = icon_size(static_cast<HICON>(icon_from_bytes(big).handle()));
  EXPECT_EQ(s.cx, 32);
  EXPECT_NE(quarter_colour(icon_from_bytes(big)), 0x336699u);
  EXPECT_TRUE(icon_from_bytes("no icon file").empty());
}

}  // namespace
