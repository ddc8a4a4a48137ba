// The large-text edit box (the page editor's shape): a long text handed over piece by piece is
// seen whole by every reader and every edit, the view stays put while the pieces arrive, its own
// scroll bars scroll it and follow it, and its lines break by its own rule.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "runtime/app.h"
#include "runtime/edit_box.h"
#include "runtime/gbk_text.h"
#include "runtime/strings.h"
#include "runtime/window.h"
#include "ui_test.h"

namespace {

HWND hw(rt::WindowHandle h) { return static_cast<HWND>(h); }

class LargeTextForm : public rt::Window {
 public:
  LargeTextForm() : rt::Window("VelmoraLargeTextForm", "大文本", {60, 60, 560, 420}) {}
  rt::EditBox page;
  rt::EditBox other;

 protected:
  void build() override {
    page.create(*this, {10, 10, 400, 300}, {.multiline = true, .vertical_scroll = true, .large_text = true});
    other.create(*this, {10, 320, 300, 22}, {.multiline = false});
  }
};

// Numbered lines, each its own, so that a piece in the wrong place shows.
std::string numbered_lines(int count) {
  std::string s;
  for (int i = 0; i < count; ++i) s += "第" + std::to_string(i) + "行，中文和 Latin 混排的一行文字。\r\n";
  return s;
}

class LargeTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(form.load());
    form.page.on_changed = [this] { ++changes; };
  }
  void TearDown() override { form.destroy(); }
  // The box's own scroll bars: the scroll-bar controls lying on its window.
  std::vector<HWND> bars() {
    std::vector<HWND> out;
    RECT box;
    GetWindowRect(hw(form.page.handle()), &box);
    for (rt::WindowHandle c : ui_test::children_of_class(form.handle(), "ScrollBar")) {
      RECT r;
      GetWindowRect(hw(c), &r);
      if (r.left >= box.left && r.right <= box.right && r.top >= box.top && r.bottom <= box.bottom)
        out.push_back(hw(c));
    }
    return out;
  }
  HWND bar(DWORD kind) {
    for (HWND b : bars())
      if ((GetWindowLongW(b, GWL_STYLE) & SBS_VERT) == kind) return b;
    return nullptr;
  }
  static SCROLLINFO info(HWND bar) {
    SCROLLINFO si{sizeof si, SIF_ALL};
    GetScrollInfo(bar, SB_CTL, &si);
    return si;
  }
  LargeTextForm form;
  int changes = 0;
  const std::string text = numbered_lines(12000);  // about 400 000 characters: many pieces
};

TEST_F(LargeTextTest, WhateverComesFirstSeesTheWholeText) {
  struct Case {
    const char* name;
    void (*act)(rt::EditBox&, const std::string&);
    std::string (*expected)(const std::string&);
    int changes;    // besides the one of writing the text
    bool undoable;  // the user's edit, undone back to the whole text
  };
  auto same = [](const std::string& t) { return t; };
  const Case cases[] = {
      {"reading it", [](rt::EditBox& b, const std::string&) { b.text(); }, same, 0, false},
      {"another reader's window text",
       [](rt::EditBox& b, const std::string&) {
         std::wstring w(static_cast<size_t>(GetWindowTextLengthW(hw(b.handle()))) + 1, L'\0');
         GetWindowTextW(hw(b.handle()), w.data(), static_cast<int>(w.size()));
       },
       same, 0, false},
      {"typing at the caret", [](rt::EditBox& b, const std::string&) { ui_test::type_text(b, "字"); },
       [](const std::string& t) { return "字" + t; }, 1, true},
      {"a replacement at the end",
       [](rt::EditBox& b, const std::string&) {
         b.select(b.text_length(), 0);
         b.replace_selection("尾");
       },
       [](const std::string& t) { return t + "尾"; }, 1, true},
      {"Ctrl+End and a key",
       [](rt::EditBox& b, const std::string&) {
         ui_test::press_key(b, VK_END, rt::kCtrl);
         ui_test::type_text(b, "!");
       },
       [](const std::string& t) { return t + "!"; }, 1, true},
      {"a new text", [](rt::EditBox& b, const std::string&) { b.set_text("短的"); },
       [](const std::string&) { return std::string("短的"); }, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    form.page.set_focus();
    form.page.set_text(text);
    changes = 0;
    ASSERT_TRUE(form.page.handing_over());
    // Its length is the whole text's from the start, and nothing is read for it.
    EXPECT_EQ(form.page.text_length(), rt::char_count(text));
    EXPECT_TRUE(form.page.handing_over());
    c.act(form.page, text);
    EXPECT_FALSE(form.page.handing_over());
    EXPECT_EQ(changes, c.changes);
    ui_test::settle(100);  // no piece comes after
    EXPECT_EQ(form.page.text(), c.expected(text));
    EXPECT_EQ(changes, c.changes);
    EXPECT_EQ(form.page.can_undo(), c.undoable);
    if (c.undoable) {
      form.page.undo();
      EXPECT_EQ(form.page.text(), text);
    }
  }
}

// The pieces grow with what the control holds, and stay short while the user is at work: at
// every size and either way the page comes in whole and exact while nothing the user or the
// program sees changes, and a box with the focus keeps taking pieces (it takes nothing at once).
TEST_F(LargeTextTest, PiecesOfEveryLengthBringThePageWholeAndExact) {
  struct Case {
    const char* name;
    int lines;
    bool pointer_moving;  // the user at work meanwhile
  };
  const Case cases[] = {
      {"pieces of the least length", 12000, false},
      {"pieces that grow (past about a million characters)", 60000, false},
      {"the user at work", 12000, true},
  };
  HWND box = hw(form.page.handle());
  // What the control itself holds (the box answers the whole text's length).
  auto control = reinterpret_cast<WNDPROC>(GetClassLongPtrW(box, GCLP_WNDPROC));
  auto held = [&] { return CallWindowProcW(control, box, WM_GETTEXTLENGTH, 0, 0); };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string page = numbered_lines(c.lines);
    form.page.set_focus();
    form.page.set_text(page);
    changes = 0;
    form.page.select(100, 7);
    SendMessageW(box, EM_LINESCROLL, 0, 40);
    const int first = form.page.first_visible_line();
    ASSERT_GT(first, 0);
    // One turn of the box's timer, by hand (while pieces come its timer is always due, so a
    // wait that looks between messages looks only at the end): a piece more, and more to come.
    const LRESULT first_piece = held();
    MSG turn{};
    for (int i = 0; i < 500 && !PeekMessageW(&turn, box, WM_TIMER, WM_TIMER, PM_REMOVE); ++i) Sleep(10);
    ASSERT_EQ(turn.message, static_cast<UINT>(WM_TIMER));
    DispatchMessageW(&turn);
    EXPECT_GT(held(), first_piece);
    EXPECT_TRUE(form.page.handing_over());
    if (c.pointer_moving) {
      rt::Point at = ui_test::point_on(form.page);
      for (int i = 0; i < 400 && form.page.handing_over(); ++i) ui_test::move_pointer(at.x + i % 2, at.y);
    }
    ASSERT_TRUE(ui_test::wait_for([&] { return !form.page.handing_over(); }, 60000));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(form.page.selection_start(), 100);
    EXPECT_EQ(form.page.selection_length(), 7);
    EXPECT_EQ(form.page.first_visible_line(), first);
    EXPECT_EQ(SendMessageW(box, EM_GETMODIFY, 0, 0), 0);
    EXPECT_FALSE(form.page.can_undo());
    EXPECT_EQ(held(), rt::char_count(page));
    EXPECT_EQ(form.page.text(), page);
  }
}

TEST_F(LargeTextTest, ASelectionFurtherOnTakesTheTextUpToItAndTheRestKeepsComing) {
  form.page.set_text(text);
  const int middle = rt::char_count(text) / 2;
  form.page.select(middle, 5);
  // The control holds the text up to there (it would have cut the selection short), no more.
  EXPECT_TRUE(form.page.handing_over());
  EXPECT_EQ(form.page.selection_start(), middle);
  EXPECT_EQ(form.page.selection_length(), 5);
  EXPECT_EQ(form.page.selected_text(), rt::to_gbk(rt::to_wide(text).substr(static_cast<size_t>(middle), 5)));
  EXPECT_EQ(form.page.text(), text);
  EXPECT_EQ(changes, 1);
}

TEST_F(LargeTextTest, PiecesChangeNothingTheUserOrTheProgramSees) {
  form.page.set_focus();
  form.page.set_text(text);
  EXPECT_EQ(changes, 1);
  form.page.select(100, 7);
  SendMessageW(hw(form.page.handle()), EM_LINESCROLL, 0, 40);
  const int first = form.page.first_visible_line();
  ASSERT_GT(first, 0);
  POINT caret{};
  GetCaretPos(&caret);
  ASSERT_TRUE(form.page.handing_over());
  ASSERT_TRUE(ui_test::wait_for([&] { return !form.page.handing_over(); }, 20000));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(form.page.selection_start(), 100);
  EXPECT_EQ(form.page.selection_length(), 7);
  EXPECT_EQ(form.page.first_visible_line(), first);
  POINT now{};
  GetCaretPos(&now);
  EXPECT_EQ(now.x, caret.x);
  EXPECT_EQ(now.y, caret.y);
  EXPECT_EQ(SendMessageW(hw(form.page.handle()), EM_GETMODIFY, 0, 0), 0);
  EXPECT_FALSE(form.page.can_undo());
  EXPECT_EQ(form.page.text(), text);
  // The typing that follows is undone as one edit, back to the text as it came.
  ui_test::type_text(form.page, "新");
  EXPECT_TRUE(form.page.can_undo());
  form.page.undo();
  EXPECT_EQ(form.page.text(), text);
}

// The pieces' timer is due again whenever a turn ends, so the queue never runs dry while they
// come: a wait that dispatches messages (a fade's step, a box's, a test's) still ends on time or
// once its condition holds, and leaves the rest to come afterwards.
TEST_F(LargeTextTest, AWaitEndsWhileTheTextIsStillComing) {
  const std::string longer = numbered_lines(100000);  // seconds of pieces
  form.page.set_text(longer);
  ASSERT_TRUE(form.page.handing_over());
  rt::delay_with_messages(20);
  EXPECT_TRUE(form.page.handing_over());
  bool posted = false;
  rt::post([&] { posted = true; });
  EXPECT_TRUE(rt::pump_until([&] { return posted; }, 60000));
  EXPECT_TRUE(form.page.handing_over());
  // The rest comes in afterwards, whole.
  EXPECT_TRUE(ui_test::wait_for([&] { return !form.page.handing_over(); }, 60000));
  EXPECT_EQ(form.page.text(), longer);
  EXPECT_EQ(changes, 1);
}

TEST_F(LargeTextTest, AReCreatedBoxTakesTheTextStillComing) {
  form.page.set_text(text);
  form.page.select(20, 3);
  ASSERT_TRUE(form.page.handing_over());
  rt::WindowHandle old = form.page.handle();
  form.page.set_alignment(1);
  ASSERT_NE(form.page.handle(), old);
  EXPECT_EQ(form.page.selection_start(), 20);
  EXPECT_EQ(form.page.selection_length(), 3);
  EXPECT_EQ(form.page.text(), text);
  EXPECT_EQ(changes, 1);
}

TEST_F(LargeTextTest, TheBoxesOwnBarsStandInForTheSystemBars) {
  struct Case {
    int bars;
    bool vertical, horizontal;
  };
  std::string wide;
  for (int i = 0; i < 200; ++i) wide += "很长的一行" + std::to_string(i) + (i % 50 == 49 ? "\r\n" : "");
  for (const Case& c : {Case{2, true, false}, Case{3, true, true}, Case{1, false, true}, Case{0, false, false}}) {
    SCOPED_TRACE(c.bars);
    form.page.set_scroll_bars(c.bars);
    form.page.set_text(c.horizontal ? wide : text);
    ui_test::wait_for([&] { return !form.page.handing_over(); }, 20000);
    HWND box = hw(form.page.handle());
    // The control shows no bar of its own; the strips are the box's, inside its window.
    EXPECT_EQ(GetWindowLongW(box, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);
    EXPECT_EQ(bars().size(), static_cast<size_t>(c.vertical + c.horizontal));
    RECT outer, client;
    GetWindowRect(box, &outer);
    GetClientRect(box, &client);
    EXPECT_EQ(client.right, outer.right - outer.left - (c.vertical ? GetSystemMetrics(SM_CXVSCROLL) : 0));
    EXPECT_EQ(client.bottom, outer.bottom - outer.top - (c.horizontal ? GetSystemMetrics(SM_CYHSCROLL) : 0));
    if (HWND v = bar(SBS_VERT)) {
      SCROLLINFO si = info(v);
      EXPECT_EQ(si.nMax, form.page.line_count() - 1);
      EXPECT_EQ(si.nPos, form.page.first_visible_line());
      RECT r;
      GetWindowRect(v, &r);
      EXPECT_EQ(r.right, outer.right - 1);
      EXPECT_EQ(r.top, outer.top + 1);
    }
    if (HWND h = bar(SBS_HORZ)) {
      // What the control itself would show on its horizontal bar.
      SCROLLINFO own{sizeof own, SIF_ALL};
      GetScrollInfo(box, SB_HORZ, &own);
      SCROLLINFO si = info(h);
      EXPECT_GT(si.nMax, static_cast<int>(si.nPage));
      EXPECT_EQ(si.nMax, own.nMax);
      EXPECT_EQ(si.nPage, own.nPage);
      EXPECT_EQ(si.nPos, own.nPos);
    }
  }
}

TEST_F(LargeTextTest, ClicksAndDragsOnTheBarsScrollTheBox) {
  form.page.set_scroll_bars(3);
  std::string wide;
  for (int i = 0; i < 3000; ++i)
    wide += "第" + std::to_string(i) + "行" + std::string(i % 7 == 0 ? 300 : 20, 'w') + "\r\n";
  form.page.set_text(wide);
  ui_test::wait_for([&] { return !form.page.handing_over(); }, 20000);
  HWND box = hw(form.page.handle());
  auto press = [](HWND bar, POINT at, POINT release) {
    PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    if (release.x != at.x || release.y != at.y)
      PostMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(release.x, release.y));
    PostMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(release.x, release.y));
    ui_test::settle(100);
  };
  HWND v = bar(SBS_VERT), h = bar(SBS_HORZ);
  ASSERT_TRUE(v && h);
  form.page.set_focus();
  RECT vr, hr;
  GetClientRect(v, &vr);
  GetClientRect(h, &hr);
  int arrow = GetSystemMetrics(SM_CYVSCROLL);
  // Below the thumb: a page down.
  int page = static_cast<int>(info(v).nPage);
  press(v, {vr.right / 2, vr.bottom - arrow - 2}, {vr.right / 2, vr.bottom - arrow - 2});
  EXPECT_EQ(form.page.first_visible_line(), page);
  EXPECT_EQ(info(v).nPos, page);
  // The down arrow: a line.
  press(v, {vr.right / 2, vr.bottom - arrow / 2}, {vr.right / 2, vr.bottom - arrow / 2});
  EXPECT_EQ(form.page.first_visible_line(), page + 1);
  // The thumb dragged to the bottom: the last page, whatever the number of lines.
  SCROLLBARINFO sbi{sizeof sbi};
  GetScrollBarInfo(v, OBJID_CLIENT, &sbi);
  int thumb = (sbi.xyThumbTop + sbi.xyThumbBottom) / 2;
  press(v, {vr.right / 2, thumb}, {vr.right / 2, vr.bottom + 10});
  EXPECT_EQ(form.page.first_visible_line(), form.page.line_count() - page);
  EXPECT_EQ(info(v).nPos, form.page.first_visible_line());
  // Right of the horizontal thumb: the view moves right, as the control's own bar would move it.
  LRESULT start =
      SendMessageW(box, EM_POSFROMCHAR, SendMessageW(box, EM_LINEINDEX, form.page.first_visible_line(), 0), 0);
  press(h, {hr.right - GetSystemMetrics(SM_CXHSCROLL) - 2, hr.bottom / 2},
        {hr.right - GetSystemMetrics(SM_CXHSCROLL) - 2, hr.bottom / 2});
  LRESULT moved =
      SendMessageW(box, EM_POSFROMCHAR, SendMessageW(box, EM_LINEINDEX, form.page.first_visible_line(), 0), 0);
  EXPECT_LT(static_cast<short>(LOWORD(moved)), static_cast<short>(LOWORD(start)));
  SCROLLINFO own{sizeof own, SIF_ALL};
  GetScrollInfo(box, SB_HORZ, &own);
  EXPECT_GT(own.nPos, 0);
  EXPECT_EQ(info(h).nPos, own.nPos);
  // The bars never take the focus from the text.
  EXPECT_TRUE(form.page.has_focus());
}

TEST_F(LargeTextTest, TheBarsFollowTheBoxAndAVerticalBarAloneKeepsTheUndo) {
  HWND v = bar(SBS_VERT);
  ASSERT_TRUE(v);
  form.page.move(20, 30, 300, 200);
  RECT box, r;
  GetWindowRect(hw(form.page.handle()), &box);
  GetWindowRect(v, &r);
  EXPECT_EQ(r.right, box.right - 1);
  EXPECT_EQ(r.bottom, box.bottom - 1);
  form.page.set_visible(false);
  EXPECT_FALSE(IsWindowVisible(v));
  form.page.set_visible(true);
  EXPECT_TRUE(IsWindowVisible(v));
  form.page.set_disabled(true);
  EXPECT_FALSE(IsWindowEnabled(v));
  form.page.set_disabled(false);
  EXPECT_TRUE(IsWindowEnabled(v));
  // Above the box, so that the box never paints over it.
  form.page.bring_to_front();
  EXPECT_EQ(GetWindow(hw(form.page.handle()), GW_HWNDPREV), v);

  form.page.set_text("原来的文字");
  ui_test::type_text(form.page, "加");
  rt::WindowHandle same = form.page.handle();
  form.page.set_scroll_bars(0);
  EXPECT_EQ(form.page.handle(), same);
  EXPECT_TRUE(bars().empty());
  EXPECT_TRUE(form.page.can_undo());
  form.page.set_scroll_bars(2);
  EXPECT_EQ(form.page.handle(), same);
  EXPECT_EQ(bars().size(), 1u);
  form.page.undo();
  EXPECT_EQ(form.page.text(), "原来的文字");
}

TEST_F(LargeTextTest, LinesBreakBetweenWordsAndCharactersNeverBeforeClosingPunctuation) {
  // Narrow enough that many lines wrap, every one where the rule allows.
  form.page.move(10, 10, 160, 300);
  std::string chinese;
  for (int i = 0; i < 40; ++i) chinese += "这是一句话，还有一句。";
  std::string latin;
  for (int i = 0; i < 40; ++i) latin += "word" + std::to_string(i) + " ";
  for (const std::string& t : {chinese, latin}) {
    form.page.set_text(t);
    std::wstring w = rt::to_wide(t);
    HWND box = hw(form.page.handle());
    int lines = form.page.line_count();
    ASSERT_GT(lines, 3);
    for (int line = 1; line < lines; ++line) {
      auto at = static_cast<size_t>(SendMessageW(box, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
      ASSERT_LT(at, w.size());
      EXPECT_EQ(std::wstring(L"，。").find(w[at]), std::wstring::npos) << line;
      EXPECT_NE(w[at], L' ') << line;
      if (w[at] >= L'0' && w[at] <= L'z') {
        EXPECT_EQ(w[at - 1], L' ') << line;  // whole Latin words
      }
    }
  }
  // Ctrl+Right steps from word to word, and over each CJK character.
  form.page.set_text("abc def 中文");
  form.page.select(0, 0);
  std::vector<int> stops;
  for (int i = 0; i < 4; ++i) {
    ui_test::press_key(form.page, VK_RIGHT, rt::kCtrl);
    stops.push_back(form.page.selection_start());
  }
  EXPECT_EQ(stops, (std::vector<int>{4, 8, 9, 10}));
}

// Where a line is too wide, the box answers the control's question for a break with the last
// one that fits, instead of letting it measure the line again break by break: as a bare
// control of the same font and width measures them, every wrapped line fits, and no line is
// shorter than the control's own stepping would make it (the page needs no more lines).
TEST_F(LargeTextTest, AWrappedLineFitsAndIsNoShorterThanTheControlWouldMakeIt) {
  std::string chinese, latin, mixed;
  for (int i = 0; i < 30; ++i) chinese += "这是一句话，“还有”一句。";
  for (int i = 0; i < 30; ++i) latin += "word" + std::to_string(i) + " ";
  for (int i = 0; i < 20; ++i) mixed += "中文 mixed（括号）text 和" + std::to_string(i * 7) + "%，";
  const std::string cases[] = {
      chinese,
      chinese + "\r\n" + latin + "\r\n" + mixed,
      std::string(300, 'x') + " " + std::string(50, 'y'),  // no break within the width: forced
      "列\t之间\t有制表符" + chinese,                        // tabs: left to the control's own steps
      "短行\r\n\r\n" + mixed + "\r\n" + chinese,
  };
  HWND page = hw(form.page.handle());
  auto line_count = [](HWND h) { return SendMessageW(h, EM_GETLINECOUNT, 0, 0); };
  for (int width : {160, 333, 400}) {
    form.page.move(10, 10, width, 300);
    RECT box, format;
    GetWindowRect(page, &box);
    SendMessageW(page, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    // A control that measures single lines, and one that lays out the page by the same rule
    // with the plain answers.
    HWND bare[2];
    for (HWND& b : bare) {
      b = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL, 0, 330, box.right - box.left,
                          box.bottom - box.top, hw(form.handle()), nullptr, nullptr, nullptr);
      ASSERT_NE(b, nullptr);
      SendMessageW(b, EM_SETLIMITTEXT, 0, 0);
      SendMessageW(b, WM_SETFONT, SendMessageW(page, WM_GETFONT, 0, 0), FALSE);
      // The margins lie inside the format rectangle the box tells: none on top of it.
      SendMessageW(b, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
      SendMessageW(b, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&format));
      RECT f;
      SendMessageW(b, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&f));
      ASSERT_EQ(f.right - f.left, format.right - format.left);
    }
    HWND judge = bare[0], plain = bare[1];
    SendMessageW(plain, EM_SETWORDBREAKPROC, 0, reinterpret_cast<LPARAM>(rt::page_word_break));
    auto check = [&](const std::string& text) {
      std::wstring w = rt::to_wide(text);
      SetWindowTextW(plain, w.c_str());
      EXPECT_LE(line_count(page), line_count(plain));
      EXPECT_GT(line_count(page), 3);
      for (LRESULT n = line_count(page), i = 0; i + 1 < n; ++i) {
        auto start = static_cast<size_t>(SendMessageW(page, EM_LINEINDEX, static_cast<WPARAM>(i), 0));
        auto end = static_cast<size_t>(SendMessageW(page, EM_LINEINDEX, static_cast<WPARAM>(i + 1), 0));
        std::wstring line = w.substr(start, end - start);
        while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r' || line.back() == L' ')) line.pop_back();
        SetWindowTextW(judge, line.c_str());
        EXPECT_EQ(line_count(judge), 1) << "line " << i << " is wider than the box";
      }
    };
    for (const std::string& t : cases) {
      SCOPED_TRACE(std::to_string(width) + " pixels: " + t.substr(0, 30));
      form.page.set_text(t);
      check(t);
    }
    // Typed characters lay their lines out again the same way.
    form.page.set_text(chinese + "\r\n" + mixed);
    form.page.select(5, 5);
    ui_test::type_text(form.page, "插入一些字和标点，");
    SCOPED_TRACE(std::to_string(width) + " pixels, after typing");
    check(form.page.text());
    for (HWND b : bare) DestroyWindow(b);
  }
}
}  // namespace
