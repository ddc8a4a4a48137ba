// The main window's own frame: layout, maximize and restore, docking, sizing and moving.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "app/main_frame.h"
#include "app/startup.h"
#include "common/frame_art.h"
#include "common/messages.h"
#include "common/window_fade.h"
#include "documents/open_files.h"
#include "forms/main_window_form.h"
#include "common/message_box_form.h"
#include "layout_check.h"
#include "pages/page_store.h"
#include "program_test.h"
#include "runtime/hooks.h"
#include "runtime/seams.h"
#include "runtime/files.h"
#include "runtime/system.h"
#include "runtime/tooltip.h"
#include "ui_test.h"

namespace {


class FrameTest : public ProgramTest {
 protected:
  void TearDown() override {
    rt::seams::set_screens({});
    ProgramTest::TearDown();
  }
  static bool same(const rt::Rect& a, const rt::Rect& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
  }
};

TEST_F(FrameTest, TheLayoutPlacesTheFrameAfterAResize) {
  for (auto [width, height] : {std::pair{900, 650}, std::pair{500, 400}}) {
    w().move(60, 40, width, height);
    ui_test::settle(20);
    const int W = width, H = height;
    EXPECT_EQ(w().标签_右上.left(), W - w().标签_右上.width());
    EXPECT_EQ(w().标签_上中.left(), w().标签_左上.width());
    EXPECT_EQ(w().标签_上中.width(), w().标签_右上.left() - w().标签_左上.width());
    EXPECT_EQ(w().标签_左下.top(), H - w().标签_左下.height());
    EXPECT_EQ(w().标签_左中.height(), w().标签_左下.top() - w().标签_左上.height());
    EXPECT_EQ(w().标签_右中.left(), W - w().标签_右中.width());
    EXPECT_EQ(w().标签_右中.height(), w().标签_左中.height());
    EXPECT_EQ(w().标签_右下.left(), W - w().标签_右下.width());
    EXPECT_EQ(w().标签_右下.top(), w().标签_左下.top());
    EXPECT_EQ(w().标签_下中.top(), w().标签_左下.top());
    EXPECT_EQ(w().标签_下中.width(), w().标签_右下.left() - w().标签_左下.width());
    EXPECT_EQ(w().图形按钮_移动.left(), w().标签_右下.left() - 4);
    EXPECT_EQ(w().图形按钮_移动.top(), w().标签_右下.top() + 8);
    // Caption buttons right to left without gaps.
    EXPECT_EQ(w().图形按钮_关闭.left(), w().标签_右上.left() - w().图形按钮_关闭.width() + 4);
    EXPECT_EQ(w().图形按钮_最大化.left(), w().图形按钮_关闭.left() - w().图形按钮_最大化.width());
    EXPECT_EQ(w().图形按钮_迷你模式.left(), w().图形按钮_最前.left() - w().图形按钮_迷你模式.width());
    EXPECT_EQ(w().高级选择夹_标签.width(), w().标签_右中.left() - w().标签_左中.width() + 2);
    EXPECT_EQ(w().编辑框_文本类容.width(), w().高级选择夹_标签.width());
    EXPECT_EQ(w().编辑框_文本类容.top() + w().编辑框_文本类容.height(), w().标签_下中.top());
    EXPECT_EQ(w().透明标签_文件路径.left(), w().透明标签_文件标题.left() + w().透明标签_文件标题.width());
    EXPECT_EQ(w().透明标签_文件路径.width(), W - w().透明标签_文件路径.left() - 8);
    EXPECT_EQ(w().透明标签_标签状态.top(), w().标签_下中.top());
    EXPECT_EQ(w().进度条.top(), w().标签_下中.top() - 1);
    EXPECT_EQ(w().图形按钮_向右.left(),
              w().高级选择夹_标签.left() + w().高级选择夹_标签.width() - w().图形按钮_向右.width() + 1);
    EXPECT_EQ(w().透明标签_右.left(), W - 2);
    EXPECT_EQ(w().透明标签_右.height(), w().透明标签_左.height() + 24);
    EXPECT_EQ(w().透明标签_下.top(), H - 2);
    EXPECT_EQ(w().标签_底.width(), W);
  }
  // The remembered size follows the window.
  EXPECT_EQ(GetPrivateProfileIntA("程序设置", "窗口宽度", 0, (rt::program_directory() + "Config_Vel.ini").c_str()),
            500);
}

TEST_F(FrameTest, AMinimizedWindowKeepsItsLayout) {
  int right_before = w().标签_右上.left();
  w().minimize();
  ui_test::settle(50);
  layout_main_window();
  EXPECT_EQ(w().标签_右上.left(), right_before);
  w().restore_if_minimized();
}

TEST_F(FrameTest, MaximizeAndRestoreRoundTrip) {
  w().move(70, 50, 700, 500);
  rt::Rect before = w().rect();
  toggle_maximize();
  ui_test::settle(50);
  EXPECT_TRUE(same(w().rect(), rt::work_area()));
  EXPECT_EQ(main_window_maximized(), 1);
  EXPECT_EQ(frame_drag_enabled(), 0);
  EXPECT_TRUE(w().标签_右下.disabled());
  EXPECT_TRUE(w().透明标签_上.disabled());
  EXPECT_TRUE(w().图形按钮_最大化.normal_picture().same_image(caption_button_strip(CaptionGlyph::Restore)[0]));
  ui_test::screenshot("main_window_maximized");
  EXPECT_TRUE(ui_test::layout_is_sound(w()));
  toggle_maximize();
  ui_test::settle(50);
  EXPECT_TRUE(same(w().rect(), before));
  EXPECT_EQ(main_window_maximized(), 0);
  EXPECT_EQ(frame_drag_enabled(), 1);
  EXPECT_FALSE(w().标签_右下.disabled());
  EXPECT_TRUE(w().图形按钮_最大化.normal_picture().same_image(caption_button_strip(CaptionGlyph::Maximize)[0]));
}

// Where the taskbar lies, on which screen the window is: what the system tells of the screens.
struct Screens {
  const char* name;
  std::vector<rt::Screen> screens;
  rt::Rect before;  // where the window is when maximized
  rt::Rect filled;  // the work area it fills then
};

std::vector<Screens> taskbar_arrangements() {
  const int W = rt::screen_width(), H = rt::screen_height();
  const rt::Rect whole{0, 0, W, H};
  return {
      {"a taskbar at the bottom", {{whole, {0, 0, W, H - 40}}}, {70, 50, 700, 500}, {0, 0, W, H - 40}},
      {"a taskbar at the top", {{whole, {0, 30, W, H - 30}}}, {70, 50, 700, 500}, {0, 30, W, H - 30}},
      {"a taskbar at the left", {{whole, {60, 0, W - 60, H}}}, {70, 50, 700, 500}, {60, 0, W - 60, H}},
      {"a taskbar at the right", {{whole, {0, 0, W - 62, H}}}, {70, 50, 700, 500}, {0, 0, W - 62, H}},
      {"on a second screen",
       {{whole, {0, 0, W, H - 40}}, {{W, 0, 1024, 768}, {W, 0, 1024, 728}}},
       {W + 100, 60, 700, 500},
       {W, 0, 1024, 728}},
  };
}

TEST_F(FrameTest, MaximizedTheWindowFillsTheWorkAreaOfItsScreenAndNotTheTaskbar) {
  for (const Screens& c : taskbar_arrangements()) {
    SCOPED_TRACE(c.name);
    // The taskbar came (or moved) after the program started.
    rt::seams::set_screens(c.screens);
    w().move(c.before.left, c.before.top, c.before.width, c.before.height);
    ui_test::settle(50);
    ui_test::click(w().图形按钮_最大化);
    ui_test::settle(50);
    EXPECT_EQ(main_window_maximized(), 1);
    const rt::Rect got = w().rect();
    EXPECT_TRUE(same(got, c.filled)) << got.left << "," << got.top << " " << got.width << "x" << got.height;
    ui_test::click(w().图形按钮_最大化);
    ui_test::settle(50);
    EXPECT_EQ(main_window_maximized(), 0);
    EXPECT_TRUE(same(w().rect(), c.before));
  }
  rt::seams::set_screens({});
}

TEST_F(FrameTest, DockingToAScreenHalfToggles) {
  w().move(70, 50, 700, 500);
  rt::Rect before = w().rect();
  int half = rt::screen_width() / 2;
  dock_half_screen(true);
  EXPECT_TRUE(same(w().rect(), {0, 0, half, work_height()}));
  dock_half_screen(true);  // the same key undocks
  EXPECT_TRUE(same(w().rect(), before));
  dock_half_screen(false);
  EXPECT_TRUE(same(w().rect(), {rt::screen_width() - half, 0, half, work_height()}));
  dock_half_screen(true);  // the other key undocks too, it does not move to the other half
  EXPECT_TRUE(same(w().rect(), before));
  dock_half_screen(false);
  restore_or_minimize();  // Ctrl+Down undocks
  EXPECT_TRUE(same(w().rect(), before));
}

TEST_F(FrameTest, DockingFromTheMaximizedStateAndBack) {
  w().move(70, 50, 700, 500);
  rt::Rect before = w().rect();
  toggle_maximize();
  dock_half_screen(true);
  EXPECT_EQ(main_window_maximized(), 0);
  EXPECT_TRUE(same(w().rect(), {0, 0, rt::screen_width() / 2, work_height()}));
  // Undocking goes back to where the window was before it was maximized, not to the corner.
  dock_half_screen(true);
  EXPECT_TRUE(same(w().rect(), before));
}

TEST_F(FrameTest, CtrlDownRestoresThenMinimizes) {
  w().move(70, 50, 700, 500);
  rt::Rect before = w().rect();
  toggle_maximize();
  restore_or_minimize();
  EXPECT_EQ(main_window_maximized(), 0);
  EXPECT_TRUE(same(w().rect(), before));
  restore_or_minimize();
  ui_test::settle(50);
  EXPECT_TRUE(w().minimized());
  w().restore_if_minimized();
}

TEST_F(FrameTest, FrameLabelsStartTheSystemsSizingAndMovingLoops) {
  std::vector<std::pair<unsigned, uintptr_t>> sent;
  rt::add_hook(w().handle(), [&](rt::Message& m) -> intptr_t {
    if (m.msg == WM_SYSCOMMAND || m.msg == WM_NCLBUTTONDOWN) {
      sent.push_back({m.msg, m.wparam});
      return 0;  // no modal loop in a test
    }
    return m.next();
  });
  struct Case {
    rt::Unit* unit;
    unsigned msg;
    uintptr_t code;
  };
  const Case cases[] = {
      {&w().标签_左上, WM_SYSCOMMAND, 0xF004},
      {&w().标签_右上, WM_SYSCOMMAND, 0xF005},
      {&w().标签_左下, WM_SYSCOMMAND, 0xF007},
      {&w().标签_右下, WM_SYSCOMMAND, 0xF008},
      {&w().图形按钮_移动, WM_SYSCOMMAND, 0xF008},  // the size grip
      {&w().透明标签_左, WM_SYSCOMMAND, 0xF001},
      {&w().透明标签_右, WM_SYSCOMMAND, 0xF002},
      {&w().透明标签_上, WM_SYSCOMMAND, 0xF003},
      {&w().透明标签_下, WM_SYSCOMMAND, 0xF006},
      {&w().标签_上中, WM_NCLBUTTONDOWN, HTCAPTION},
      {&w().标签_下中, WM_NCLBUTTONDOWN, HTCAPTION},
      {&w().透明标签_文件路径, WM_NCLBUTTONDOWN, HTCAPTION},
  };
  for (const Case& c : cases) {
    sent.clear();
    ui_test::click(*c.unit, 1, 1);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, c.msg);
    EXPECT_EQ(sent[0].second, c.code);
  }
  // While maximized the window is not moved by its labels.
  enable_frame_drag(false);
  sent.clear();
  ui_test::click(w().标签_上中, 1, 1);
  EXPECT_TRUE(sent.empty());
}

TEST(FramePictures, TheFrameIsDecodedFromItsJpegData) {
  const auto& frame = main_frame_pictures();
  ASSERT_EQ(frame.size(), 8u);
  const int widths[] = {kCornerWidth, 8, kCornerWidth, kFrameSide, kFrameSide, kCornerWidth, 8, kCornerWidth};
  const int heights[] = {kCaptionHeight, kCaptionHeight, kCaptionHeight, 8, 8,
                         kStatusHeight,  kStatusHeight,  kStatusHeight};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(frame[i].width(), widths[i]) << i;
    EXPECT_EQ(frame[i].height(), heights[i]) << i;
  }
  // The outer line keeps its colour through the compression (steel blue 45 7B 9D).
  uint32_t corner = frame[0].pixels()[0];
  auto close_to = [](uint32_t v, int want) { return std::abs(static_cast<int>(v & 0xFF) - want) <= 12; };
  EXPECT_TRUE(close_to(corner >> 16, 0x45) && close_to(corner >> 8, 0x7B) && close_to(corner, 0x9D))
      << std::hex << corner;
  // Data that is no JPEG gives no picture, and no end of the program.
  EXPECT_TRUE(rt::Picture::from_jpeg("not a picture").empty());
  EXPECT_TRUE(rt::Picture::from_jpeg(std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10)).empty());
}

TEST_F(FrameTest, ScreenshotAtTheDefaultSize) {
  ui_test::type_text(w().编辑框_文本类容, "Velmora：一个多标签的纯文本编辑器。\r\n");
  ui_test::screenshot("main_window_default");
  EXPECT_TRUE(ui_test::layout_is_sound(w()));
}

TEST_F(FrameTest, ScreenshotOfEachButtonSetOverTheMainWindow) {
  ui_test::type_text(w().编辑框_文本类容, "Velmora 的信息框。\r\n");
  for (int set = 0; set <= 5; ++set) {
    bool shown = false;
    rt::seams::set_modal_hook([&](rt::Window&) {
      shown = true;
      ui_test::screenshot("main_window_box_set_" + std::to_string(set));
      EXPECT_TRUE(ui_test::layout_is_sound(message_box_form()));
      ui_test::click(message_box_form().图形按钮_关闭_信息框);
      if (message_box_form().loaded()) message_box_form().close();
    });
    tell_user(set, 32, "按钮组 " + std::to_string(set), 0xFF00FF, "  这是第" + std::to_string(set) + "组按钮的信息框。",
              0x8000);
    rt::seams::set_modal_hook(nullptr);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(message_box_form().loaded());
  }
}

// The text of the tooltip the window shows now, "" while none is shown.
std::string shown_tooltip() {
  HWND tip = nullptr;
  while ((tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)))
    if (IsWindowVisible(tip) && GetWindow(tip, GW_OWNER) == static_cast<HWND>(w().handle())) break;
  if (!tip) return {};
  wchar_t text[256] = {};
  TTTOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.lpszText = text;
  if (!SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&ti))) return {};
  char gbk[512] = {};
  WideCharToMultiByte(936, 0, text, -1, gbk, sizeof gbk, nullptr, nullptr);
  return gbk;
}

TEST_F(FrameTest, TheMainWindowsTipsSayWhatEachPartDoes) {
  const std::pair<rt::Unit*, const char*> tips[] = {
      {&w().图形按钮_关闭, "关闭本程序"},  // the colour tags are dropped
      {&w().图形按钮_最小化, "最小化程序"},
      {&w().图形按钮_最大化, "最大化程序"},
      {&w().图形按钮_最前, "窗口最前"},
      {&w().图形按钮_程序图标, "Velmora"},
      {&w().图形按钮_文件_菜单, "文件菜单"},
      {&w().图形按钮_编辑_菜单, "编辑菜单"},
      {&w().图形按钮_附加_菜单, "附加菜单"},
      {&w().图形按钮_设置_菜单, "设置菜单"},
      {&w().图形按钮_帮助_菜单, "帮助菜单"},
      {&w().图形按钮_迷你模式, "迷你模式"},
      {&w().标签_底, "双击此处将编辑框光标移动到最前\r\n右击此处打开文件列表窗口"},
      {&w().标签_左中, "双击此处将编辑框光标移动到中间"},
      {&w().标签_右中, "双击此处将编辑框光标移动到中间"},
      {&w().图形按钮_关闭本页, "关闭当前页，快捷键Ctrl+W"},
      {&w().图形按钮_向左, "向前翻动一个标签，或者使用快捷键'Alt+←'或'Shift+滚轮前滚'"},
      {&w().图形按钮_向右, "向后翻动一个标签，或者使用快捷键'Alt+→'或'Shift+滚轮后滚'"},
      // The status line of the first page.
      {&w().标签_上中, "(尚未保存过!)"},
      {&w().透明标签_文件标题, "文件标题:新建文档 1"},
      {&w().透明标签_文件路径, "文件路径:(尚未保存过!)"},
      {&w().透明标签_标签状态, "总数:1篇 当前:第1篇"},
  };
  for (const auto& [unit, text] : tips) EXPECT_EQ(rt::tooltip_text(*unit), text);
  // A real tip, where the pointer rests.
  rt::Point p = ui_test::point_on(w().图形按钮_最小化);
  ui_test::move_pointer(p.x, p.y);
  EXPECT_TRUE(ui_test::wait_for([] { return shown_tooltip() == "最小化程序"; }));
  ui_test::move_pointer(p.x, p.y + 200);
}

TEST_F(FrameTest, TheMaximizeAndTopmostButtonsTipsFollowTheirState) {
  struct Step {
    rt::GraphicButton* button;
    const char* tip_after;
  };
  const Step steps[] = {
      {&w().图形按钮_最大化, "还原"},      {&w().图形按钮_最大化, "最大化程序"},
      {&w().图形按钮_最前, "取消最前"},    {&w().图形按钮_最前, "窗口最前"},
  };
  for (const Step& s : steps) {
    ui_test::click(*s.button);
    ui_test::settle(50);
    EXPECT_EQ(rt::tooltip_text(*s.button), s.tip_after);
  }
  // Ctrl+Up maximizes and restores as the button does.
  for (const char* tip : {"还原", "最大化程序"}) {
    ui_test::press_key(editor(), VK_UP, rt::kCtrl);
    EXPECT_EQ(rt::tooltip_text(w().图形按钮_最大化), tip);
  }
}

// A file of the name in a folder of the temporary folder, opened into the current page; the
// folder goes with the test's end.
class OpenedFile {
 public:
  explicit OpenedFile(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir_ = std::string(temp) + "velmora_frame\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
    path = dir_ + name;
    EXPECT_TRUE(rt::write_file_safely(path, "text"));
    set_open_queue({path});
    open_files();
    EXPECT_TRUE(ui_test::wait_for([this] { return pages()[static_cast<size_t>(tabs().current())].path == path; }));
  }
  ~OpenedFile() {
    DeleteFileA(path.c_str());
    RemoveDirectoryA(dir_.c_str());
  }
  std::string path;

 private:
  std::string dir_;
};

TEST_F(FrameTest, TheStatusLinesTipsFollowTheCurrentPage) {
  OpenedFile file("说明.txt");
  const std::string& path = file.path;
  ui_test::press_key(editor(), 'N', rt::kCtrl);
  ASSERT_EQ(tabs().count(), 2);
  EXPECT_EQ(rt::tooltip_text(w().标签_上中), "(尚未保存过!)");
  EXPECT_EQ(rt::tooltip_text(w().透明标签_文件路径), "文件路径:(尚未保存过!)");
  EXPECT_EQ(rt::tooltip_text(w().透明标签_标签状态), "总数:2篇 当前:第2篇");
  tabs().set_current(0);
  EXPECT_EQ(rt::tooltip_text(w().标签_上中), path);
  EXPECT_EQ(rt::tooltip_text(w().透明标签_文件标题), "文件标题:说明");
  EXPECT_EQ(rt::tooltip_text(w().透明标签_文件路径), "文件路径:" + path);
  EXPECT_EQ(rt::tooltip_text(w().透明标签_标签状态), "总数:2篇 当前:第1篇");
}

// The colours of a unit's last columns on the screen, top to bottom.
std::vector<COLORREF> right_end_of(rt::Unit& unit, int columns) {
  HWND h = static_cast<HWND>(unit.handle());
  RedrawWindow(GetParent(h), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT r{};
  GetWindowRect(h, &r);
  HDC screen = GetDC(nullptr);
  std::vector<COLORREF> out;
  for (int x = r.right - columns; x < r.right; ++x)
    for (int y = r.top; y < r.bottom; ++y) out.push_back(GetPixel(screen, x, y));
  ReleaseDC(nullptr, screen);
  return out;
}

TEST_F(FrameTest, ALongPageNameEndsShortOfThePathInTheStatusLine) {
  OpenedFile file("一个名字长得放不进状态栏标题里的文档，后面还有好多字.txt");
  rt::Label& title = w().透明标签_文件标题;
  ASSERT_EQ(title.text(), "标题:一个名字长得放不进状态栏标题里的文档，后面还有好多字");
  ui_test::screenshot("status_line_long_name");
  EXPECT_TRUE(ui_test::layout_is_sound(w()));
  // The label's last pixels show what lies behind it, as when it holds no text.
  const std::vector<COLORREF> with_text = right_end_of(title, 3);
  title.set_text("");
  EXPECT_EQ(right_end_of(title, 3), with_text);
}

}  // namespace
