// The reader window "取窗口组件内容" under Wine: picks with the real mouse (synthetic input the
// system treats as the user's) over another program's controls and over windows with menu
// bars, the handle box, writing back, the text box's menu, closing during a pick, and the exit.
#include "foreign/grabber_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "app/menu_bar.h"
#include "app/shutdown.h"
#include "common/grabber_art.h"
#include "common/window_fade.h"
#include "foreign/reader_rules.h"
#include "foreign/text_reader.h"
#include "foreign_target_process.h"
#include "forms/grabber_window_form.h"
#include "layout_check.h"
#include "options/option_values.h"
#include "program_test.h"
#include "runtime/clipboard.h"
#include "runtime/seams.h"
#include "runtime/tooltip.h"
#include "ui_test.h"

namespace {

namespace ft = foreign_target;
using std::string;

GrabberWindowForm& gw() { return grabber_window(); }
rt::EditBox& text_box() { return grabber_window().超级编辑框; }
rt::EditBox& handle_box() { return grabber_window().编辑框_句柄; }

// A point of the bare desktop: buttons let go there reach no window (a control would answer a
// right button with its context menu).
constexpr POINT kNowhere{1275, 5};

string decimal(HWND h) { return std::to_string(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(h))); }

// A point of the window that shows on the screen (the window under it is the window itself).
bool visible_point(HWND h, POINT& out) {
  RECT r;
  if (!GetWindowRect(h, &r)) return false;
  for (int y = (r.top + r.bottom) / 2; y < r.bottom; ++y)
    for (int x = (r.left + r.right) / 2; x < r.right; ++x)
      if (WindowFromPoint({x, y}) == h) {
        out = {x, y};
        return true;
      }
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (WindowFromPoint({x, y}) == h) {
        out = {x, y};
        return true;
      }
  return false;
}

// The mouse at a point of the screen with the given button flags, as the user moves it.
void mouse(POINT p, DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(p.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = MulDiv(p.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
  SendInput(1, &in, sizeof in);
}

class GrabberTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    // Out of the way of the windows the tests pick.
    w().move(1000, 100, 788, 597);
    open_window();
  }
  void TearDown() override {
    rt::seams::set_menu_hook(nullptr);
    mouse(kNowhere, MOUSEEVENTF_LEFTUP | MOUSEEVENTF_RIGHTUP);
    ui_test::settle();
    gw().destroy();
    for (HWND h : made_) DestroyWindow(h);
    ProgramTest::TearDown();
  }
  static void open_window() {
    main_menu_item("复制组件标题(&O)")->on_click();
    ASSERT_TRUE(ui_test::wait_for([] { return gw().loaded() && gw().alpha() == options().window_alpha; }));
    ui_test::settle();
    gw().move(1015, 620, gw().width(), gw().height());
    ui_test::settle();
  }
  // Presses the button on the finder and waits until the pick holds the mouse.
  void press_finder(DWORD down) {
    POINT p;
    ASSERT_TRUE(visible_point(static_cast<HWND>(gw().图片框_获取.handle()), p));
    here_ = p;
    mouse(p, 0);
    ui_test::settle();
    mouse(p, down);
    ASSERT_TRUE(ui_test::wait_for(
        [] { return grabber_state().grab_capturing == 1 && GetCapture() == gw().图片框_获取.handle(); }));
  }
  // Drags the pointer onto the window and waits until the handle box shows the expected target.
  void drag_onto(HWND over, HWND expected_target) {
    POINT p;
    ASSERT_TRUE(visible_point(over, p)) << "the window shows nowhere";
    // A few steps on the way, as a hand moves.
    for (int i = 1; i <= 4; ++i) {
      mouse({here_.x + (p.x - here_.x) * i / 4, here_.y + (p.y - here_.y) * i / 4}, 0);
      ui_test::settle(20);
    }
    here_ = p;
    // The hand rests there, trembling by a pixel: the pointer's place may reach the system after
    // the move that brought it.
    bool shown = false;
    for (int i = 0; i < 50 && !shown; ++i) {
      mouse({p.x + i % 2, p.y}, 0);
      shown = rt::pump_until([&] { return handle_box().text() == decimal(expected_target); }, 100);
    }
    ASSERT_TRUE(shown) << "handle box: " << handle_box().text();
  }
  void release(DWORD up) {
    mouse(here_, up);
    ASSERT_TRUE(ui_test::wait_for([] { return grabber_state().grab_capturing == 0; }));
  }
  // A top-level window of this program with a menu bar: an edit box on it, and a panel (no
  // menu) holding another edit box.
  struct MenuTarget {
    HWND top, edit, panel, nested;
  };
  MenuTarget make_menu_target() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"VelmoraMenuTarget";
    RegisterClassW(&wc);
    HMENU recent = CreatePopupMenu();
    AppendMenuW(recent, MF_STRING, 3, L"旧文件");
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 1, L"新建(&N)\tCtrl+N");
    AppendMenuW(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), L"最近(&R)");
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"文件(&F)");
    AppendMenuW(bar, MF_STRING, 4, L"帮助(&H)");
    MenuTarget t{};
    t.top = CreateWindowExW(0, L"VelmoraMenuTarget", L"menu target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 720, 420,
                            280, nullptr, bar, nullptr, nullptr);
    t.edit = CreateWindowExW(0, L"Edit", L"on the window", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 160, 24, t.top,
                             nullptr, nullptr, nullptr);
    t.panel = CreateWindowExW(0, L"VelmoraMenuTarget", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 200, 10, 180, 120, t.top,
                              nullptr, nullptr, nullptr);
    t.nested = CreateWindowExW(0, L"Edit", L"in the panel", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 150, 24, t.panel,
                               nullptr, nullptr, nullptr);
    made_.push_back(t.top);
    UpdateWindow(t.top);
    ui_test::settle(200);
    return t;
  }

  POINT here_{};
  std::vector<HWND> made_;
};

// What a pick reads from the other program's list view: the 64-bit build of the tests (for
// machines that run no 32-bit code) has 64-bit programs only, whose lists are refused, the
// readers' records being 32-bit layouts.
const string kListRead = sizeof(void*) == 4 ? string("N\t\r\nX\tY\t\r\n") : string(kOtherBitnessRefusal);

TEST_F(GrabberTest, TheWindowAsCreated) {
  EXPECT_EQ(gw().caption(), "取窗口组件内容");
  EXPECT_EQ(gw().height(), 392);
  EXPECT_EQ(grabber_state().grabber_window, gw().handle());
  EXPECT_EQ(grabber_state().finder_picture, gw().图片框_获取.handle());
  EXPECT_EQ(grabber_state().grab_frame_colour, 0xFF0000u);
  EXPECT_EQ(grabber_state().grab_frame_width, 2);
  EXPECT_EQ(grabber_state().grab_flash_ms, 250);
  EXPECT_EQ(grabber_state().grab_capturing, 0);
  EXPECT_TRUE(gw().图片框_获取.picture().same_image(finder_idle_picture()));
  EXPECT_EQ(rt::tooltip_text(gw().编辑框_句柄), "输入控件的句柄后回车进行探测");
  EXPECT_EQ(rt::tooltip_text(gw().标签_说明), "按F5键可以向目标句柄投递文本内容");
  // The menu item brings a loaded window forward instead of making a second one.
  rt::WindowHandle loaded = gw().handle();
  main_menu_item("复制组件标题(&O)")->on_click();
  EXPECT_EQ(gw().handle(), loaded);
}

TEST_F(GrabberTest, ALeftPickReadsTheControlsUnderThePointerAndKeepsTheLast) {
  ForeignTargetProcess other;
  ASSERT_TRUE(other.start());
  ui_test::settle(300);
  press_finder(MOUSEEVENTF_LEFTDOWN);
  EXPECT_TRUE(gw().图片框_获取.picture().same_image(finder_picking_picture()));
  EXPECT_EQ(gw().时钟_闪烁边框.interval(), 450);
  HWND edit = other.control(ft::kEdit), list = other.control(ft::kListView);
  drag_onto(edit, edit);
  EXPECT_EQ(text_box().text(), "单行 edit text");
  EXPECT_EQ(grabber_state().grab_target, edit);
  drag_onto(list, list);
  EXPECT_EQ(text_box().text(), kListRead);
  EXPECT_EQ(grabber_state().grab_target, list);
  release(MOUSEEVENTF_LEFTUP);
  // The pick is over; what it read stays.
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(gw().时钟_闪烁边框.interval(), 0);
  EXPECT_EQ(grabber_state().grab_menu_mode, 0);
  EXPECT_TRUE(gw().图片框_获取.picture().same_image(finder_idle_picture()));
  EXPECT_EQ(text_box().text(), kListRead);
  EXPECT_EQ(handle_box().text(), decimal(list));
  EXPECT_EQ(grabber_state().grab_target, list);
  // Moves after the pick read nothing.
  mouse({here_.x + 5, here_.y + 5}, 0);
  ui_test::settle(200);
  EXPECT_EQ(handle_box().text(), decimal(list));
}

TEST_F(GrabberTest, AListOfA64BitProgramIsRefusedInTheTextBox) {
  ForeignTargetProcess other;
  ASSERT_TRUE(other.start());
  HWND list = other.control(ft::kListView);
  DWORD id = 0;
  GetWindowThreadProcessId(list, &id);
  rt::seams::tell_process_bits(id, 64);  // what a 64-bit system says of a 64-bit program
  ui_test::settle(300);
  press_finder(MOUSEEVENTF_LEFTDOWN);
  drag_onto(list, list);
  EXPECT_EQ(text_box().text(), kOtherBitnessRefusal);
  EXPECT_EQ(handle_box().text(), decimal(list));
  release(MOUSEEVENTF_LEFTUP);
  text_box().set_text("");
  ui_test::press_key(handle_box(), VK_RETURN);
  EXPECT_TRUE(ui_test::wait_for([] { return text_box().text() == kOtherBitnessRefusal; }));
  rt::seams::forget_told_process_bits();
}

TEST_F(GrabberTest, ARightPickListsTheMenuBarOfTheParent) {
  MenuTarget t = make_menu_target();
  const string top_menu = "文件(&F)\r\n　新建(&N)\tCtrl+N\r\n　最近(&R)\r\n帮助(&H)\r\n";
  struct Case {
    const char* what;
    HWND over, target;
    string text;
  } cases[] = {
      {"a control on a window with a menu bar", t.edit, t.top, top_menu},
      {"a control inside a panel: the panel has no menu", t.nested, t.panel, ""},
      {"the top-level window itself", t.top, t.top, top_menu},
  };
  press_finder(MOUSEEVENTF_RIGHTDOWN);
  EXPECT_EQ(grabber_state().grab_menu_mode, 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    text_box().set_text("before");
    drag_onto(c.over, c.target);
    EXPECT_EQ(text_box().text(), c.text);
    EXPECT_EQ(grabber_state().grab_target, c.target);
  }
  release(MOUSEEVENTF_RIGHTUP);
  EXPECT_EQ(grabber_state().grab_menu_mode, 0);
}

TEST_F(GrabberTest, APickEndsOnTheReleaseOfEitherButton) {
  MenuTarget t = make_menu_target();
  const struct {
    DWORD down, up;
    int mode;
  } cases[] = {{MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_LEFTUP, 1}, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTUP, 0}};
  for (const auto& c : cases) {
    press_finder(c.down);
    EXPECT_EQ(grabber_state().grab_menu_mode, c.mode);
    drag_onto(t.edit, c.mode ? t.top : t.edit);
    release(c.up);
    EXPECT_EQ(grabber_state().grab_menu_mode, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(gw().时钟_闪烁边框.interval(), 0);
    // The other button is still down as far as the system knows: let it go.
    mouse(kNowhere, c.down == MOUSEEVENTF_LEFTDOWN ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP);
    ui_test::settle(100);
    EXPECT_EQ(grabber_state().grab_capturing, 0);
  }
}

TEST_F(GrabberTest, TheHandleBoxReadsWithEnterAndF5WritesBack) {
  ForeignTargetProcess other;
  ASSERT_TRUE(other.start());
  HWND list = other.control(ft::kListView), typing = other.control(ft::kTypingEdit);
  set_grab_target(nullptr);
  handle_box().set_text(decimal(list));
  ui_test::press_key(handle_box(), VK_RETURN);
  EXPECT_TRUE(ui_test::wait_for([] { return text_box().text() == kListRead; }));
  EXPECT_EQ(grabber_state().grab_target, nullptr);  // the frame does not move
  // Other keys read nothing; a text that is no number reads handle 0.
  text_box().set_text("kept");
  ui_test::press_key(handle_box(), VK_SPACE);
  EXPECT_EQ(text_box().text(), "kept");
  handle_box().set_text("不是数字");
  ui_test::press_key(handle_box(), VK_RETURN);
  EXPECT_EQ(text_box().text(), "");

  // F5 writes the text box into the window of the handle; with no handle nothing happens.
  text_box().set_text("写回的文字\r\n第二行");
  handle_box().set_text("");
  ui_test::press_key(text_box(), VK_F5);
  handle_box().set_text(decimal(typing));
  ui_test::press_key(text_box(), VK_F4);
  EXPECT_EQ(read_window_text_by_class(typing), "");
  ui_test::press_key(text_box(), VK_F5);
  EXPECT_EQ(read_window_text_by_class(typing), "写回的文字\r\n第二行");
}

TEST_F(GrabberTest, AHungTargetDoesNotHangTheWindow) {
  ForeignTargetProcess other;
  ASSERT_TRUE(other.start());
  HWND edit = other.control(ft::kEdit);
  SendMessageTimeoutA(other.window(), ft::kHangMessage, 4000, 0, SMTO_BLOCK, 100, nullptr);
  handle_box().set_text(decimal(edit));
  DWORD start = GetTickCount();
  ui_test::press_key(handle_box(), VK_RETURN);
  ui_test::press_key(text_box(), VK_F5);
  EXPECT_LT(GetTickCount() - start, 3500u);
}

TEST_F(GrabberTest, ClosingDuringAPickEndsItFirst) {
  MenuTarget t = make_menu_target();
  const struct {
    const char* what;
    void (*close)();
  } closes[] = {{"the close button", [] { ui_test::click(gw().图形按钮_关闭小); }},
                {"the exit", [] { release_main_window(); }}};
  for (const auto& c : closes) {
    SCOPED_TRACE(c.what);
    press_finder(MOUSEEVENTF_RIGHTDOWN);
    drag_onto(t.edit, t.top);
    c.close();
    EXPECT_FALSE(gw().loaded());
    EXPECT_EQ(grabber_state().grab_capturing, 0);
    EXPECT_EQ(grabber_state().grab_menu_mode, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    mouse(kNowhere, MOUSEEVENTF_RIGHTUP);
    ui_test::settle(100);
    open_window();
  }
  // A window that went some other way during a pick (its owner going): the next one starts
  // without a pick.
  press_finder(MOUSEEVENTF_LEFTDOWN);
  gw().destroy();
  mouse(kNowhere, MOUSEEVENTF_LEFTUP);
  ui_test::settle(100);
  open_window();
  EXPECT_EQ(grabber_state().grab_capturing, 0);
  EXPECT_EQ(grabber_state().grab_menu_mode, 0);
  text_box().set_text("unchanged");
  POINT p;
  ASSERT_TRUE(visible_point(static_cast<HWND>(gw().图片框_获取.handle()), p));
  mouse(p, 0);
  mouse({p.x + 3, p.y + 3}, 0);
  ui_test::settle(200);
  EXPECT_EQ(text_box().text(), "unchanged");
}

TEST(GrabberFrame, AWindowPartlyOffTheScreenIsFramedFromTheScreenEdge) {
  struct Case {
    RECT place;
    GrabFrame frame;
  } cases[] = {
      {{-40, -30, 160, 70}, {0, 0, 160, 70}},
      {{-40, 50, 160, 150}, {0, 50, 160, 150}},
      {{30, 40, 230, 140}, {30, 40, 230, 140}},
  };
  for (const Case& c : cases) {
    HWND h = CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE, c.place.left, c.place.top,
                             c.place.right - c.place.left, c.place.bottom - c.place.top, nullptr, nullptr, nullptr,
                             nullptr);
    GrabFrame g = grab_frame_of(h);
    EXPECT_EQ(g.left, c.frame.left);
    EXPECT_EQ(g.top, c.frame.top);
    EXPECT_EQ(g.right, c.frame.right);
    EXPECT_EQ(g.bottom, c.frame.bottom);
    DestroyWindow(h);
  }
  // No target (before the first move, or gone): an empty rectangle.
  GrabFrame none = grab_frame_of(nullptr);
  EXPECT_EQ(none.right - none.left, 0);
}

TEST_F(GrabberTest, TheTextMenuFollowsTheTextBox) {
  struct Shown {
    std::map<string, bool> disabled;
  };
  auto menu = [](const string& choose) {
    Shown shown;
    bool opened = false;
    rt::seams::set_menu_hook([&](rt::PopupMenu& m) {
      opened = true;
      for (const auto& item : m.shown_items())
        if (!item.separator) shown.disabled[item.caption] = item.disabled;
      if (choose.empty() || !m.choose(choose)) m.close();
    });
    ui_test::right_click(text_box(), 10, 10);
    rt::seams::set_menu_hook(nullptr);
    EXPECT_TRUE(opened);
    ui_test::settle();
    return shown;
  };
  const string undo = "撤消(&Z)    Ctrl+Z", del = "删除(&D)    Del", cut = "剪切(&X)    Ctrl+X",
               copy = "复制(&C)    Ctrl+C", paste = "粘贴(&V)    Ctrl+V", all = "全选(&A)    Ctrl+A";
  text_box().set_text("");
  rt::set_clipboard_text("剪贴板");
  Shown empty = menu("");
  EXPECT_EQ(empty.disabled.size(), 6u);
  EXPECT_TRUE(empty.disabled[undo]);
  for (const string& c : {del, cut, copy, all}) EXPECT_TRUE(empty.disabled[c]) << c;
  EXPECT_FALSE(empty.disabled[paste]);

  text_box().set_text("abc def");
  text_box().select(0, 3);
  Shown selected = menu(copy);
  for (const string& c : {del, cut, copy, all}) EXPECT_FALSE(selected.disabled[c]) << c;
  EXPECT_EQ(rt::clipboard_text(), "abc");
  text_box().select(4, 3);
  menu(cut);
  EXPECT_EQ(text_box().text(), "abc ");
  EXPECT_FALSE(menu(undo).disabled[undo]);
  EXPECT_EQ(text_box().text(), "abc def");
  text_box().select(0, 0);
  menu(all);
  EXPECT_EQ(text_box().selection_length(), 7);
  menu(del);
  EXPECT_EQ(text_box().text(), "");
  menu(paste);
  EXPECT_EQ(text_box().text(), "def");  // what the cut took
}

TEST_F(GrabberTest, TheExitFadesTheWindowOutAndDestroysIt) {
  release_main_window();
  EXPECT_FALSE(gw().loaded());
}

// Samples a pixel of the screen on another thread (the window's thread sleeps while the frame
// shows) and counts the samples that differ from the colour it had at the start.
class PixelWatch {
 public:
  PixelWatch(int x, int y, COLORREF usual) : x_(x), y_(y), usual_(usual), thread_([this] { run(); }) {}
  ~PixelWatch() { stop(); }
  int stop() {
    done_ = true;
    if (thread_.joinable()) thread_.join();
    return changed_;
  }

 private:
  void run() {
    HDC dc = GetDC(nullptr);
    for (; !done_; Sleep(10))
      if (GetPixel(dc, x_, y_) != usual_) ++changed_;
    ReleaseDC(nullptr, dc);
  }
  int x_, y_;
  COLORREF usual_;
  std::atomic<bool> done_{false};
  std::atomic<int> changed_{0};
  std::thread thread_;
};

COLORREF screen_pixel(int x, int y) {
  HDC dc = GetDC(nullptr);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(nullptr, dc);
  return c;
}

TEST_F(GrabberTest, TheFrameFlashesAroundThePickedWindowWhileThePickLasts) {
  ForeignTargetProcess other;
  ASSERT_TRUE(other.start());
  HWND edit = other.control(ft::kEdit);
  RECT r;
  GetWindowRect(edit, &r);
  // A point of the frame's top edge.
  const int x = r.left + 30, y = r.top;
  const COLORREF usual = screen_pixel(x, y);
  press_finder(MOUSEEVENTF_LEFTDOWN);
  drag_onto(edit, edit);
  PixelWatch during(x, y, usual);
  ui_test::settle(1500);
  EXPECT_GT(during.stop(), 0) << "no frame showed";
  release(MOUSEEVENTF_LEFTUP);
  // Erased, and not drawn again.
  ui_test::settle(500);
  EXPECT_EQ(screen_pixel(x, y), usual);
  PixelWatch after(x, y, usual);
  ui_test::settle(1000);
  EXPECT_EQ(after.stop(), 0);
}

TEST_F(GrabberTest, Screenshot) {
  ForeignTargetProcess other;
  ASSERT_TRUE(other.start());
  press_finder(MOUSEEVENTF_LEFTDOWN);
  HWND list = other.control(ft::kListViewBig);
  drag_onto(list, list);
  release(MOUSEEVENTF_LEFTUP);
  gw().move(560, 240, gw().width(), gw().height());
  ui_test::settle(300);
  ui_test::screenshot("grabber_window");
  EXPECT_TRUE(ui_test::layout_is_sound(gw()));
}

}  // namespace
