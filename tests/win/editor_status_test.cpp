// The edit box's alignment, scroll bars, read-only mode and colours, the separator line and the
// caret jumps of the status labels, against the real main window.
#include "options/option_values.h"
#include "texttools/editor_status.h"

#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "app/globals.h"
#include "app/shortcuts.h"
#include "documents/open_files.h"
#include "forms/main_window_form.h"
#include "common/message_box_form.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "program_test.h"
#include "runtime/files.h"
#include "runtime/gbk_text.h"
#include "runtime/seams.h"
#include "texttools/insertions.h"
#include "ui_test.h"

namespace {

using rt::seams::DialogKind;

rt::Toolbar& bar() { return main_window().工具条_工具栏; }
rt::EditBox& probe() { return main_window().编辑框_测试用; }
const PageRecord& page() { return pages()[static_cast<size_t>(tabs().current())]; }

class EditorStatusTest : public ProgramTest {
 protected:
  void SetUp() override {
    rt::seams::dialog_requests().clear();
    ProgramTest::SetUp();
    set_option(&OptionValues::open_in_thread, 0);
  }
  void TearDown() override {
    rt::seams::set_modal_hook(nullptr);
    ProgramTest::TearDown();
    if (!path_.empty()) DeleteFileA(path_.c_str());
  }
  // Opens a file holding the text into the empty first page: a page with text, unmodified.
  void open_page(const std::string& text) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "velmora_status_" + std::to_string(GetTickCount()) + ".txt";
    ASSERT_TRUE(rt::write_file_safely(path_, text));
    set_open_queue({path_});
    open_files();
    ASSERT_TRUE(ui_test::wait_for([] { return !open_busy() && open_queue().empty(); }));
    ASSERT_EQ(editor().text(), text);
    ASSERT_EQ(page().modified, 0);
  }
  // The messages of the own message box shown from now on (caption and text), each closed by OK.
  void record_messages() {
    rt::seams::set_modal_hook([this](rt::Window& box) {
      if (&box != &message_box_form()) return;
      messages_.push_back(box.caption() + "|" + message_box_form().透明标签_提示类容.text());
      ui_test::click(*message_box_form().answer_button(0));
    });
  }
  std::string path_;
  std::vector<std::string> messages_;
};

// The colour of the edit box's window at (x, y) of its own window rectangle.
unsigned edge_pixel(int x, int y) {
  HWND h = static_cast<HWND>(editor().handle());
  HDC dc = GetWindowDC(h);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(h, dc);
  return static_cast<unsigned>(c);
}

TEST_F(EditorStatusTest, AlignmentAndScrollBarsKeepThePageAsItWas) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "第" + std::to_string(i) + "行文字\r\n";
  open_page(text);
  editor().select(5, 3);
  const rt::Font font = editor().font();
  const unsigned text_color = editor().text_color(), back_color = editor().back_color();
  int changes = 0;
  editor().on_changed = [&] {
    ++changes;
    on_editor_changed();
  };
  ui_test::settle(200);
  ASSERT_EQ(edge_pixel(0, 10), 0x9D7B45u);  // the coloured border
  struct Case {
    const char* name;
    void (*command)();
    int align, bars;
    bool read_only;
    bool new_control;  // the alignment and the wrapping make the control anew, a vertical bar alone not
  };
  const Case cases[] = {
      {"centre", align_center, 1, 2, false, true},
      {"right, read-only", align_right, 2, 2, true, true},
      {"horizontal bar", set_scroll_bars_horizontal, 2, 1, false, true},
      {"both bars, read-only", set_scroll_bars_both, 2, 3, true, false},
      {"left", align_left, 0, 3, false, true},
      {"vertical bar", set_scroll_bars_vertical, 0, 2, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (editor().read_only() != c.read_only) toggle_read_only();
    rt::WindowHandle before = editor().handle();
    c.command();
    EXPECT_EQ(editor().handle() != before, c.new_control);
    EXPECT_EQ(editor().alignment(), c.align);
    EXPECT_EQ(editor().scroll_bars(), c.bars);
    EXPECT_EQ(editor().text(), text);
    EXPECT_EQ(editor().selection_start(), 5);
    EXPECT_EQ(editor().selection_length(), 3);
    EXPECT_EQ(editor().font(), font);
    EXPECT_EQ(editor().text_color(), text_color);
    EXPECT_EQ(editor().back_color(), back_color);
    EXPECT_EQ(editor().read_only(), c.read_only);
    EXPECT_TRUE(editor().has_focus());
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(page().modified, 0);
    EXPECT_EQ(w().标签_上中.text_color(), 0xFF0000u);
    EXPECT_TRUE(bar().state(kButtonSave) & rt::Toolbar::kDisabled);
    ui_test::settle(200);
    EXPECT_EQ(edge_pixel(0, 10), 0x9D7B45u);
  }
  // The edit box still speaks for the page.
  editor().select(0, 0);
  ui_test::type_text(editor(), "x");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(page().modified, 1);
  EXPECT_EQ(page_content(tabs().current()), "x" + text);
}

TEST_F(EditorStatusTest, OnlyTheHorizontalScrollBarKeepsLongLinesWhole) {
  editor().set_text(std::string(300, 'w'));
  struct Case {
    void (*command)();
    bool wraps;
  };
  for (const Case& c : {Case{set_scroll_bars_horizontal, false}, Case{set_scroll_bars_vertical, true},
                        Case{set_scroll_bars_both, false}}) {
    c.command();
    if (c.wraps)
      EXPECT_GT(editor().line_count(), 1) << editor().scroll_bars();
    else
      EXPECT_EQ(editor().line_count(), 1) << editor().scroll_bars();
  }
}

TEST_F(EditorStatusTest, TheAlignmentButtonsShowTheChosenOneAsPressed) {
  auto pressed = [] {
    std::vector<bool> p;
    for (int b : {kButtonAlignLeft, kButtonAlignCenter, kButtonAlignRight})
      p.push_back((bar().state(b) & rt::Toolbar::kPressed) != 0);
    return p;
  };
  struct Case {
    int button, align;
    std::vector<bool> pressed;
  };
  for (const Case& c :
       {Case{kButtonAlignCenter, 1, {false, true, false}}, Case{kButtonAlignRight, 2, {false, false, true}},
        Case{kButtonAlignRight, 2, {false, false, true}}, Case{kButtonAlignLeft, 0, {true, false, false}}}) {
    on_toolbar_button(c.button);
    EXPECT_EQ(editor().alignment(), c.align);
    EXPECT_EQ(pressed(), c.pressed) << c.button;
  }
  // A real click: the toolbar's own handling of the press leaves the button pressed.
  RECT r{};
  SendMessageW(static_cast<HWND>(bar().handle()), TB_GETITEMRECT, kButtonAlignCenter - 1, reinterpret_cast<LPARAM>(&r));
  ui_test::click(bar(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  ui_test::settle();
  EXPECT_EQ(editor().alignment(), 1);
  EXPECT_EQ(pressed(), (std::vector<bool>{false, true, false}));
}

TEST_F(EditorStatusTest, ReadOnlyBlocksTypingUntilToggledBack) {
  ui_test::type_text(editor(), "ab");
  toggle_read_only();
  EXPECT_TRUE(editor().read_only());
  ui_test::type_text(editor(), "cd");
  ui_test::press_key(editor(), VK_BACK);
  EXPECT_EQ(editor().text(), "ab");
  toggle_read_only();
  EXPECT_FALSE(editor().read_only());
  ui_test::type_text(editor(), "c");
  EXPECT_EQ(editor().text(), "abc");
}

TEST_F(EditorStatusTest, ColoursFromTheColourDialog) {
  const std::string title = "Velmora_颜色值错误！|";
  // The box ends a one-line text with a line break.
  const std::string text_refused =
      "  文本颜色不能和背景颜色相同！这个不是我规定的，是眼睛规定的！为了保护你的眼睛，请使用默认的颜色配置方案！\r\n";
  const std::string back_refused =
      "  背景颜色不能和文本颜色相同！这个不是我规定的，是眼睛规定的！为了保护你的眼睛，请使用默认的颜色配置方案！\r\n";
  struct Case {
    const char* name;
    void (*command)();
    bool per_page, accepted;
    unsigned chosen;
    unsigned text, back;  // the edit box's afterwards
    std::string message;
  };
  const Case cases[] = {
      {"text colour", set_text_color, false, true, 0x0000FF, 0x0000FF, 0xCFE8CC, ""},
      {"text colour, per page", set_text_color, true, true, 0x0000FF, 0x0000FF, 0xCFE8CC, ""},
      {"text colour equal to the background", set_text_color, true, true, 0xCFE8CC, 0x8000, 0xCFE8CC,
       title + text_refused},
      {"text colour cancelled", set_text_color, true, false, 0, 0x8000, 0xCFE8CC, ""},
      {"background", set_background_color, false, true, 0x404040, 0x8000, 0x404040, ""},
      {"background, per page", set_background_color, true, true, 0x404040, 0x8000, 0x404040, ""},
      {"background equal to the text", set_background_color, false, true, 0x8000, 0x8000, 0xCFE8CC,
       title + back_refused},
      {"background cancelled", set_background_color, false, false, 0, 0x8000, 0xCFE8CC, ""},
  };
  record_messages();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    set_option(&OptionValues::per_page_colors, c.per_page);
    editor().set_text_color(0x8000);
    editor().set_back_color(0xCFE8CC);
    set_page_text_color(tabs().current(), 0x8000);
    set_page_back_color(tabs().current(), 0xCFE8CC);
    messages_.clear();
    rt::seams::dialog_requests().clear();
    rt::seams::script_dialog({DialogKind::Color, c.accepted, {}, c.chosen});
    c.command();
    ASSERT_EQ(rt::seams::dialog_requests().size(), 1u);
    EXPECT_EQ(rt::seams::dialog_requests()[0].kind, DialogKind::Color);
    EXPECT_EQ(editor().text_color(), c.text);
    EXPECT_EQ(editor().back_color(), c.back);
    // The page keeps the colours only with per-page colours.
    EXPECT_EQ(page().text_color, c.per_page ? c.text : 0x8000u);
    EXPECT_EQ(page().back_color, c.per_page ? c.back : 0xCFE8CCu);
    EXPECT_EQ(messages_, c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
  }
}

TEST_F(EditorStatusTest, PerPageColoursFollowTheTabs) {
  for (int per_page : {1, 0}) {
    SCOPED_TRACE(per_page);
    set_option(&OptionValues::per_page_colors, per_page);
    tabs().set_current(0);
    editor().set_text_color(0x8000);
    set_page_text_color(tabs().current(), 0x8000);
    rt::seams::script_dialog({DialogKind::Color, true, {}, 0xFF});
    set_text_color();
    new_page_command();  // a new page has the default colours
    EXPECT_EQ(editor().text_color(), per_page ? 0x8000u : 0xFFu);
    tabs().set_current(0);
    EXPECT_EQ(editor().text_color(), 0xFFu);
  }
}

TEST_F(EditorStatusTest, SwapExchangesTheColours) {
  for (int per_page : {0, 1}) {
    SCOPED_TRACE(per_page);
    set_option(&OptionValues::per_page_colors, per_page);
    editor().set_text_color(0x8000);
    editor().set_back_color(0xCFE8CC);
    set_page_text_color(tabs().current(), 0x8000);
    set_page_back_color(tabs().current(), 0xCFE8CC);
    swap_colors();
    EXPECT_EQ(editor().text_color(), 0xCFE8CCu);
    EXPECT_EQ(editor().back_color(), 0x8000u);
    EXPECT_EQ(page().text_color, per_page ? 0xCFE8CCu : 0x8000u);
    EXPECT_EQ(page().back_color, per_page ? 0x8000u : 0xCFE8CCu);
    swap_colors();
    EXPECT_EQ(editor().text_color(), 0x8000u);
    EXPECT_EQ(editor().back_color(), 0xCFE8CCu);
  }
}

TEST_F(EditorStatusTest, ASeparatorLineFillsOneEditorLine) {
  // Filled at the first activation with the default unit; never shown.
  EXPECT_EQ(probe().text(), std::string(900, '-'));
  EXPECT_FALSE(probe().visible());
  for (const std::string unit : {"-", "=", "─"}) {
    SCOPED_TRACE(unit);
    set_option(&OptionValues::separator_text, unit);
    fill_separator_box(unit);  // as a change of the option does
    editor().set_text("");
    insert_separator_line();
    int n = probe().line_length(1);
    EXPECT_GT(n, 20);
    EXPECT_EQ(editor().text(), rt::repeat_text(unit, n));
    EXPECT_EQ(editor().line_count(), 1);
    // The edit box's own lines of these units are as long.
    editor().set_text(rt::repeat_text(unit, 3 * n));
    EXPECT_EQ(editor().line_length(0), n);
    EXPECT_EQ(editor().line_length(1), n);
  }
  // At the caret, in place of the selection.
  set_option(&OptionValues::separator_text, "-");
  fill_separator_box("-");
  editor().set_text("[sel]");
  editor().select(1, 3);
  insert_separator_line();
  EXPECT_EQ(editor().text(), "[" + std::string(static_cast<size_t>(probe().line_length(1)), '-') + "]");
}

TEST_F(EditorStatusTest, TheSeparatorOptionFillsTheProbeAtTheStart) {
  struct Case {
    std::string stored, unit;
  };
  for (const Case& c : {Case{"=", "="}, Case{"", "-"}}) {
    SCOPED_TRACE(c.stored);
    main_window().destroy();
    WritePrivateProfileStringA("程序设置", "分隔符", c.stored.c_str(), config_file().c_str());
    init_globals();
    ASSERT_TRUE(main_window().load());
    ASSERT_TRUE(ui_test::wait_for([] { return editor().has_focus(); }));
    EXPECT_EQ(options().separator_text, c.unit);
    EXPECT_EQ(probe().text(), rt::repeat_text(c.unit, 900));
  }
}

// Double-clicks the unit with the real mouse, at a point where the unit is the window under
// the cursor; false when it shows nowhere.
bool double_click_with_mouse(rt::Unit& unit) {
  HWND h = static_cast<HWND>(unit.handle());
  RECT r;
  GetWindowRect(h, &r);
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      if (WindowFromPoint({x, y}) != h) continue;
      // Each event carries its place: a warped cursor may reach the input queue late.
      const LONG ax = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
      const LONG ay = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
      INPUT in[4] = {};
      const DWORD flags[4] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
      for (int i = 0; i < 4; ++i) {
        in[i].type = INPUT_MOUSE;
        in[i].mi = {ax, ay, 0, MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags[i], 0, 0};
      }
      SendInput(4, in, sizeof(INPUT));
      ui_test::settle(300);
      return true;
    }
  return false;
}

TEST_F(EditorStatusTest, DoubleClicksOnTheStatusLabelsMoveTheCaret) {
  // 12 bytes, 10 characters: a quarter of the bytes is character 3.
  ui_test::type_text(editor(), "abcdefgh甲乙");
  struct Case {
    const char* name;
    rt::Label& label;
    int start;
  };
  const Case cases[] = {
      {"标签状态", w().透明标签_标签状态, 10}, {"底", w().标签_底, 0},
      {"文件标题", w().透明标签_文件标题, 10}, {"右中", w().标签_右中, 3},
      {"文件路径", w().透明标签_文件路径, 10}, {"左中", w().标签_左中, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    editor().select(5, 2);
    rt::Rect before = w().rect();
    // A press on most of these labels starts moving the window; the double click still counts.
    ASSERT_TRUE(double_click_with_mouse(c.label));
    EXPECT_EQ(editor().selection_start(), c.start);
    EXPECT_EQ(editor().selection_length(), 0);
    EXPECT_EQ(w().rect().left, before.left);
    EXPECT_EQ(w().rect().top, before.top);
  }
}

}  // namespace
