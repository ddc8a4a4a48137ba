// Start-up reads the configuration file and applies it, against the real main window.
#include "app/startup.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>

#include "app/globals.h"
#include "app/main_frame.h"
#include "common/control_routines.h"
#include "common/os_version.h"
#include "common/window_fade.h"
#include "documents/open_files.h"
#include "forms/main_window_form.h"
#include "options/config.h"
#include "options/option_values.h"
#include "pages/page_store.h"
#include "texttools/editor_status.h"
#include "runtime/hooks.h"
#include "runtime/seams.h"
#include "runtime/system.h"
#include "runtime/tooltip.h"
#include "ui_test.h"

namespace {

std::string config_file() { return rt::program_directory() + "Config_Vel.ini"; }

// Starts the program with a configuration file of these lines ("section|key|value").
void start_with(const std::vector<std::string>& lines) {
  DeleteFileA(config_file().c_str());
  for (const std::string& l : lines) {
    size_t a = l.find('|'), b = l.find('|', a + 1);
    WritePrivateProfileStringA(l.substr(0, a).c_str(), l.substr(a + 1, b - a - 1).c_str(), l.substr(b + 1).c_str(),
                               config_file().c_str());
  }
  init_globals();
  rt::seams::set_command_line({});
  ASSERT_TRUE(main_window().load());
  ASSERT_TRUE(ui_test::wait_for([] { return main_window().编辑框_文本类容.has_focus() && start_finished(); }));
}

// Starts the program again with the configuration file the last run left.
void start_again() {
  init_globals();
  rt::seams::set_command_line({});
  ASSERT_TRUE(main_window().load());
  ASSERT_TRUE(ui_test::wait_for([] { return main_window().编辑框_文本类容.has_focus() && start_finished(); }));
}

class StartupTest : public ::testing::Test {
 protected:
  void TearDown() override {
    main_window().destroy();
    DeleteFileA(config_file().c_str());
    rt::seams::set_screens({});
  }
};

TEST_F(StartupTest, WithoutAConfigurationFileEveryOptionHasItsDefault) {
  start_with({});
  EXPECT_EQ(config_path(), config_file());
  EXPECT_EQ(options().fade_enabled, 0);  // the first start
  EXPECT_EQ(options().window_alpha, 255);
  rt::Font f = main_window().编辑框_文本类容.font();
  // The face chosen for the system: Windows 7 (the test prefix reports 6.1) has 微软雅黑.
  EXPECT_EQ(f.face, os_version_code() == 9 ? "微软雅黑" : "黑体");
  EXPECT_EQ(f.size, 11);
  EXPECT_TRUE(f.bold);
  EXPECT_EQ(main_window().width(), 788);
  EXPECT_EQ(main_window().height(), 597);
  EXPECT_EQ(options().default_colors[0], 0x8000u);
  EXPECT_EQ(options().default_colors[1], 0xCFE8CCu);
  EXPECT_EQ(main_window().编辑框_文本类容.back_color(), 0xCFE8CCu);
  EXPECT_EQ(options().tab_close_button, 1);
  EXPECT_EQ(options().first_line_title, 1);
  EXPECT_EQ(options().open_in_thread, 1);
  EXPECT_EQ(options().remember_position, 1);
  // The first-start check found enough memory; the next start fades.
  EXPECT_EQ(config_read("程序设置", "环境监测优化完毕"), "真");
  // The hand-over box's handle is stored for a second instance.
  EXPECT_EQ(config_read("程序设置", "进程通信钥匙"),
            std::to_string(reinterpret_cast<uintptr_t>(main_window().编辑框_进程通信.handle())));
}

TEST_F(StartupTest, StoredOptionsAreApplied) {
  start_with({"程序设置|环境监测优化完毕|真", "程序设置|窗口透明度|200", "程序设置|不使用线程打开文件|真",
              "程序设置|打开时编码自动转换为ANSI|真", "程序设置|防止文件被重复打开|真",
              "程序设置|标签页上显示关闭按钮|假", "程序设置|使用内容的第一行为新文件的标题|假",
              "程序设置|程序默认最前|真", "页面设置|默认字体名称|宋体", "页面设置|默认字体大小|14",
              "页面设置|默认字体是否加粗|假", "页面设置|默认字体是否倾斜|真", "页面设置|文本颜色|255",
              "页面设置|背景颜色|0", "页面设置|使用不同字体|真", "页面设置|开启自动定时保存|真",
              "页面设置|自动定时保存时间|3"});
  EXPECT_EQ(options().fade_enabled, 1);
  EXPECT_EQ(options().window_alpha, 200);
  EXPECT_EQ(main_window().alpha(), 200);  // faded in to it
  EXPECT_EQ(options().open_in_thread, 0);
  EXPECT_EQ(options().detect_encoding, 1);
  EXPECT_EQ(options().prevent_double_open, 1);
  EXPECT_EQ(options().tab_close_button, 0);
  EXPECT_EQ(options().first_line_title, 0);
  EXPECT_TRUE(main_window().topmost());
  EXPECT_EQ(rt::tooltip_text(main_window().图形按钮_最前), "取消最前");
  rt::Font f = main_window().编辑框_文本类容.font();
  EXPECT_EQ(f.face, "宋体");
  EXPECT_EQ(f.size, 14);
  EXPECT_FALSE(f.bold);
  EXPECT_TRUE(f.italic);
  EXPECT_EQ(options().default_font.size, 14);
  EXPECT_EQ(pages()[0].font.size, 14);  // per-page fonts: the first page takes the default font
  EXPECT_EQ(options().default_colors[0], 255u);
  EXPECT_EQ(options().default_colors[1], 0u);  // "0" is black
  EXPECT_EQ(options().autosave_interval, 180000);
  EXPECT_EQ(main_window().时钟_滚动标签.interval(), 180000);
}

TEST_F(StartupTest, ColourAndAutoSaveFallbacks) {
  struct Case {
    std::vector<std::string> lines;
    unsigned text, back;
    int autosave;
  };
  const Case cases[] = {
      {{"页面设置|文本颜色|255", "页面设置|背景颜色|255"}, 0x8000, 0xCFE8CC, 0},  // equal colours
      {{"页面设置|文本颜色|green", "页面设置|背景颜色| 1 2 "}, 0x8000, 12, 0},    // blanks removed first
      {{"页面设置|开启自动定时保存|真", "页面设置|自动定时保存时间|11"}, 0x8000, 0xCFE8CC, 0},
      {{"页面设置|自动定时保存时间|5"}, 0x8000, 0xCFE8CC, 0},  // saving switched off
  };
  for (const Case& c : cases) {
    start_with(c.lines);
    EXPECT_EQ(options().default_colors[0], c.text);
    EXPECT_EQ(options().default_colors[1], c.back);
    EXPECT_EQ(main_window().时钟_滚动标签.interval(), c.autosave);
    main_window().destroy();
  }
}

TEST_F(StartupTest, ASavedPositionIsBroughtBackOntoTheScreen) {
  int sw = rt::screen_width(), sh = rt::screen_height();
  struct Case {
    int left, top, width, expected_left, expected_top;
  };
  const Case cases[] = {
      {-50, 10, 788, 0, 10},              // |left - width| >= width
      {sw - 300, 10, 788, sw - 300, 10},  // within the first rule and more than 8 from the edge
      {sw - 5, 10, 1000, sw - 1000, 10},  // 5 pixels from the right edge
      {100, sh - 4, 597, 100, sh - 597 - (sh - rt::work_area().top - rt::work_area().height)},
  };
  for (const Case& c : cases) {
    start_with({"程序设置|窗口左边|" + std::to_string(c.left), "程序设置|窗口顶边|" + std::to_string(c.top),
                "程序设置|窗口宽度|" + std::to_string(c.width), "程序设置|窗口高度|597"});
    EXPECT_EQ(main_window().left(), c.expected_left) << c.left;
    EXPECT_EQ(main_window().top(), c.expected_top) << c.top;
    main_window().destroy();
  }
  start_with({"程序设置|取消纪录窗口位置|真", "程序设置|窗口左边|5", "程序设置|窗口宽度|400"});
  EXPECT_EQ(options().remember_position, 0);
  EXPECT_EQ(main_window().width(), 788);  // the form's size
}

TEST_F(StartupTest, AfterQuittingMaximizedTheNextStartIsMaximizedWithItsTitleAndStatus) {
  start_with({});
  ui_test::click(main_window().图形按钮_最大化);
  ASSERT_EQ(main_window_maximized(), 1);
  main_window().destroy();
  // The window was maximized while the created event ran: the first activation still comes
  // after it, when the first page is there to be shown.
  start_again();
  MainWindowForm& w = main_window();
  EXPECT_EQ(main_window_maximized(), 1);
  EXPECT_EQ(w.width(), rt::screen_width());
  EXPECT_EQ(w.caption(), "   Velmora—新建文档 1");
  EXPECT_EQ(w.标签_上中.text(), "   Velmora—新建文档 1");
  EXPECT_EQ(w.透明标签_标签状态.text(), "总数:1篇 当前:第1篇");
  EXPECT_EQ(w.透明标签_文件标题.text(), "标题:新建文档 1");
  EXPECT_EQ(w.透明标签_文件路径.text(), "  路径:(尚未保存过!)");
  EXPECT_EQ(w.时钟_监视程序.interval(), 500);  // the rest of the first activation ran too
  EXPECT_EQ(rt::tooltip_text(w.图形按钮_最大化), "还原");
  // Restoring goes back to the default place before maximizing.
  ui_test::click(w.图形按钮_最大化);
  EXPECT_EQ(main_window_maximized(), 0);
  EXPECT_EQ(w.width(), 788);
}

TEST_F(StartupTest, QuittingMaximizedBesideATaskbarAnywhereTheNextStartIsMaximizedAgain) {
  const int W = rt::screen_width(), H = rt::screen_height();
  const rt::Rect whole{0, 0, W, H};
  struct Case {
    const char* name;
    std::vector<rt::Screen> screens;
    rt::Rect filled;
  };
  const Case cases[] = {
      {"at the bottom", {{whole, {0, 0, W, H - 40}}}, {0, 0, W, H - 40}},
      {"at the top", {{whole, {0, 30, W, H - 30}}}, {0, 30, W, H - 30}},
      {"at the left", {{whole, {60, 0, W - 60, H}}}, {60, 0, W - 60, H}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    rt::seams::set_screens(c.screens);
    start_with({});
    ui_test::click(main_window().图形按钮_最大化);
    ASSERT_EQ(main_window_maximized(), 1);
    main_window().destroy();
    start_again();
    MainWindowForm& w = main_window();
    EXPECT_EQ(main_window_maximized(), 1);
    const rt::Rect r = w.rect();
    EXPECT_EQ(r.left, c.filled.left);
    EXPECT_EQ(r.top, c.filled.top);
    EXPECT_EQ(r.width, c.filled.width);
    EXPECT_EQ(r.height, c.filled.height);
    ui_test::click(w.图形按钮_最大化);
    EXPECT_EQ(main_window_maximized(), 0);
    EXPECT_EQ(w.width(), 788);
    main_window().destroy();
  }
  rt::seams::set_screens({});
}

// What a real common dialog showed while it waited for the user.
struct SeenDialog {
  bool shown = false;
  RECT rect{};
  POINT least{};  // the least size the dialog allows
  BYTE alpha = 0;
  DWORD layered_flags = 0;
};

// Scripts the next dialog of the kind as the system's own, which the test looks at and cancels.
void look_at_real_dialog(rt::seams::DialogKind kind, SeenDialog& seen, std::function<void(HWND)> then = nullptr) {
  rt::seams::DialogAnswer a{kind, false};
  a.while_shown = [&seen, then](void* handle) {
    HWND dialog = static_cast<HWND>(handle);
    seen.shown = true;
    GetWindowRect(dialog, &seen.rect);
    MINMAXINFO mmi{};
    SendMessageW(dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    seen.least = mmi.ptMinTrackSize;
    COLORREF key = 0;
    GetLayeredWindowAttributes(dialog, &key, &seen.alpha, &seen.layered_flags);
    if (then) then(dialog);
  };
  rt::seams::script_dialog(std::move(a));
}

// The dialog is centred over the main window at the size, or at its least size where that is
// larger (Wine's file dialog cannot be narrower than 658 pixels, its folder browser keeps some
// pixels more than 380 without saying so).
void expect_centred(const SeenDialog& seen, int width, int height) {
  ASSERT_TRUE(seen.shown);
  const int w = seen.rect.right - seen.rect.left, h = seen.rect.bottom - seen.rect.top;
  const int least_w = std::max<int>(width, seen.least.x);
  EXPECT_GE(w, least_w);
  EXPECT_LE(w, least_w + 8);
  EXPECT_EQ(h, std::max<int>(height, seen.least.y));
  rt::Rect m = main_window().rect();
  EXPECT_EQ(seen.rect.left, m.left + m.width / 2 - w / 2);
  EXPECT_EQ(seen.rect.top, m.top + m.height / 2 - h / 2);
}

// Centred over the main window at its own size, the one the system made it with.
void expect_centred_at(const SeenDialog& seen, const RECT& own) {
  ASSERT_TRUE(seen.shown);
  const int w = seen.rect.right - seen.rect.left, h = seen.rect.bottom - seen.rect.top;
  EXPECT_EQ(w, own.right - own.left);
  EXPECT_EQ(h, own.bottom - own.top);
  rt::Rect m = main_window().rect();
  EXPECT_EQ(seen.rect.left, m.left + m.width / 2 - w / 2);
  EXPECT_EQ(seen.rect.top, m.top + m.height / 2 - h / 2);
}

TEST_F(StartupTest, EveryCommonDialogOverTheMainWindowIsCentredAndTakesTheTransparency) {
  start_with({"程序设置|窗口透明度|200"});
  main_window().move(120, 90, 800, 600);
  struct Case {
    const char* what;
    rt::seams::DialogKind kind;
    void (*open)();
    int width, height;  // 0: the dialog keeps its own size (it has no sizing border)
  };
  const Case cases[] = {
      {"open", rt::seams::DialogKind::Open, [] { open_files(); }, 580, 420},
      {"colour", rt::seams::DialogKind::Color, set_text_color, 0, 0},
      {"folder", rt::seams::DialogKind::Folder, [] { choose_folder("C:\\", "请选择目录……", main_window().handle()); },
       380, 420},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SeenDialog seen;
    // The dialog as the system made it, before the main window placed it.
    RECT own{};
    rt::HookId before_placing = rt::add_hook(main_window().handle(), [&own](rt::Message& m) {
      if (m.msg == WM_ENTERIDLE && m.wparam == MSGF_DIALOGBOX && m.lparam && IsRectEmpty(&own))
        GetWindowRect(reinterpret_cast<HWND>(m.lparam), &own);
      return m.next();
    });
    look_at_real_dialog(c.kind, seen, [](HWND dialog) {
      if (!(GetWindowLongW(dialog, GWL_STYLE) & WS_THICKFRAME)) ui_test::screenshot("colour_dialog");
    });
    c.open();
    rt::remove_hook(main_window().handle(), before_placing);
    if (c.width)
      expect_centred(seen, c.width, c.height);
    else
      expect_centred_at(seen, own);
    EXPECT_TRUE(seen.layered_flags & LWA_ALPHA);
    EXPECT_EQ(seen.alpha, 200);
  }
  // Cancelled: nothing was opened or changed.
  EXPECT_EQ(main_window().高级选择夹_标签.count(), 1);
  EXPECT_EQ(main_window().编辑框_文本类容.text_color(), 0x8000u);
}

TEST_F(StartupTest, ADialogIsPlacedWhenItFirstWaitsAndThenStaysWhereTheUserPutsIt) {
  start_with({});
  main_window().move(100, 80, 760, 560);
  SeenDialog first;
  RECT moved{}, after_idle{};
  look_at_real_dialog(rt::seams::DialogKind::Open, first, [&](HWND dialog) {
    // The user moves it; its loop waits again and tells the owner so.
    GetWindowRect(dialog, &moved);
    OffsetRect(&moved, -70, -50);
    MoveWindow(dialog, moved.left, moved.top, moved.right - moved.left, moved.bottom - moved.top, TRUE);
    SendMessageW(static_cast<HWND>(main_window().handle()), WM_ENTERIDLE, MSGF_DIALOGBOX,
                 reinterpret_cast<LPARAM>(dialog));
    GetWindowRect(dialog, &after_idle);
  });
  open_files();
  expect_centred(first, 580, 420);
  EXPECT_EQ(first.alpha, 255);  // no transparency stored: opaque
  EXPECT_TRUE(EqualRect(&after_idle, &moved));
  // A new dialog is placed again, over the main window where it is now.
  main_window().move(220, 140, 760, 560);
  SeenDialog second;
  look_at_real_dialog(rt::seams::DialogKind::Open, second);
  open_files();
  expect_centred(second, 580, 420);
}

TEST_F(StartupTest, ScreenshotsOfTheDialogsOverTheMainWindow) {
  start_with({"程序设置|窗口透明度|230"});
  const std::pair<rt::seams::DialogKind, const char*> shots[] = {{rt::seams::DialogKind::Open, "open_dialog"},
                                                                 {rt::seams::DialogKind::Folder, "folder_dialog"}};
  for (const auto& [kind, name] : shots) {
    SeenDialog seen;
    look_at_real_dialog(kind, seen, [name = name](HWND) { ui_test::screenshot(name); });
    if (kind == rt::seams::DialogKind::Open)
      open_files();
    else
      choose_folder("C:\\", "请选择目录……", main_window().handle());
    EXPECT_TRUE(seen.shown);
  }
}

}  // namespace
