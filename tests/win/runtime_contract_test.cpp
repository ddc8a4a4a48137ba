// The form runtime's contracts, against real controls under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/app.h"
#include "runtime/combo_box.h"
#include "runtime/drop_target.h"
#include "runtime/edit_box.h"
#include "runtime/hooks.h"
#include "runtime/label.h"
#include "runtime/seams.h"
#include "runtime/tab_control.h"
#include "runtime/timer.h"
#include "runtime/tooltip.h"
#include "runtime/window.h"
#include "ui_test.h"

namespace {

class TestForm : public rt::Window {
 public:
  TestForm() : rt::Window("VelmoraTestForm", "测试窗口", {100, 100, 420, 320}) {}
  rt::EditBox memo;
  rt::EditBox line;
  rt::TabControl tabs;
  rt::Label label;
  rt::Timer timer;
  rt::ComboBox combo;

 protected:
  void build() override {
    memo.create(*this, {10, 40, 300, 150}, {.multiline = true});
    line.create(*this, {10, 200, 300, 22}, {.multiline = false});
    tabs.create(*this, {10, 10, 300, 24});
    label.create(*this, {10, 230, 300, 20}, "标签");
    timer.create(*this);
    combo.create(*this, {320, 40, 90, 22});
  }
};

class RuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(form.load()); }
  void TearDown() override { form.destroy(); }
  TestForm form;
};

TEST_F(RuntimeTest, ChangedEventFiresOncePerChange) {
  for (rt::EditBox* box : {&form.memo, &form.line}) {
    SCOPED_TRACE(box == &form.memo ? "multi-line" : "single-line");
    int changes = 0;
    box->on_changed = [&] { ++changes; };
    box->set_text("中文abc");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box->text(), "中文abc");
    box->select(2, 1);
    box->replace_selection("X");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(box->text(), "中文Xbc");
    ui_test::type_text(*box, "字");
    EXPECT_EQ(changes, 3);
    box->set_text("");
    EXPECT_EQ(changes, 4);
    box->on_changed = nullptr;
  }
}

TEST_F(RuntimeTest, SelectionCountsCharactersAndTextIsGbk) {
  form.memo.set_text("甲乙ab丙");
  form.memo.select(1, 3);
  EXPECT_EQ(form.memo.selection_start(), 1);
  EXPECT_EQ(form.memo.selection_length(), 3);
  EXPECT_EQ(form.memo.selected_text(), "乙ab");
  EXPECT_EQ(form.memo.text_length(), 5);
  form.memo.set_selection_start(4);
  form.memo.set_selection_length(1);
  EXPECT_EQ(form.memo.selected_text(), "丙");
}

TEST_F(RuntimeTest, EditBoxTakesMoreThan32KCharacters) {
  std::string line = std::string(78, 'a') + "\r\n";
  std::string big;
  for (int i = 0; i < 1000; ++i) big += line;
  form.memo.set_text(big);
  EXPECT_EQ(form.memo.text_length(), 80000);
  EXPECT_EQ(form.memo.text(), big);
}

// What a re-creation must carry over, read from the unit and from its real control.
struct EditState {
  std::string text;
  int start, length, first_line;
  rt::Font font;
  unsigned text_color, back_color;
  bool read_only, focused, modify_mark;
  std::string tooltip;
};

EditState state_of(rt::EditBox& box) {
  HWND h = static_cast<HWND>(box.handle());
  return {box.text(),
          box.selection_start(),
          box.selection_length(),
          box.first_visible_line(),
          box.font(),
          box.text_color(),
          box.back_color(),
          box.read_only(),
          box.has_focus(),
          SendMessageW(h, EM_GETMODIFY, 0, 0) != 0,
          rt::tooltip_text(box)};
}

void expect_same(const EditState& a, const EditState& b) {
  EXPECT_EQ(a.text, b.text);
  EXPECT_EQ(a.start, b.start);
  EXPECT_EQ(a.length, b.length);
  EXPECT_EQ(a.first_line, b.first_line);
  EXPECT_EQ(a.font, b.font);
  EXPECT_EQ(a.text_color, b.text_color);
  EXPECT_EQ(a.back_color, b.back_color);
  EXPECT_EQ(a.read_only, b.read_only);
  EXPECT_EQ(a.focused, b.focused);
  EXPECT_EQ(a.modify_mark, b.modify_mark);
  EXPECT_EQ(a.tooltip, b.tooltip);
}

TEST_F(RuntimeTest, AlignmentAndScrollBarsRecreateTheControlWithItsStateAndNoEvents) {
  rt::EditBox& box = form.memo;
  std::string text;
  for (int i = 0; i < 60; ++i) text += "第" + std::to_string(i) + "行 short\r\n";
  struct Case {
    const char* name;
    void (*change)(rt::EditBox&);
    int align, bars;
    DWORD bits;  // the style bits the new control must have
    bool read_only, focused;
  };
  const Case cases[] = {
      {"centre", [](rt::EditBox& b) { b.set_alignment(1); }, 1, 2, ES_CENTER | WS_VSCROLL, false, true},
      {"right, read-only", [](rt::EditBox& b) { b.set_alignment(2); }, 2, 2, ES_RIGHT | WS_VSCROLL, true, true},
      {"left, not focused", [](rt::EditBox& b) { b.set_alignment(0); }, 0, 2, WS_VSCROLL, false, false},
      {"horizontal bar", [](rt::EditBox& b) { b.set_scroll_bars(1); }, 0, 1, WS_HSCROLL | ES_AUTOHSCROLL, true, false},
      {"both bars", [](rt::EditBox& b) { b.set_scroll_bars(3); }, 0, 3, WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL, false,
       true},
      {"vertical bar", [](rt::EditBox& b) { b.set_scroll_bars(2); }, 0, 2, WS_VSCROLL, false, true},
  };
  const DWORD shape = ES_CENTER | ES_RIGHT | WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL;
  box.set_font({0, true, false, false, false, 12, "宋体"});
  box.set_text_color(0x0000FF);
  box.set_back_color(0xCCFFCC);
  rt::set_tooltip(box, "提示文字");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    box.set_read_only(false);
    box.set_text(text);
    box.select(2, 7);
    // Scrolled away from the caret: the view is kept, not found again from the caret.
    SendMessageW(static_cast<HWND>(box.handle()), EM_LINESCROLL, 0, 30);
    box.set_read_only(c.read_only);
    SendMessageW(static_cast<HWND>(box.handle()), EM_SETMODIFY, TRUE, 0);
    (c.focused ? box : form.line).set_focus();
    int changes = 0, focus_events = 0;
    box.on_changed = [&] { ++changes; };
    box.on_focus = box.on_blur = [&] { ++focus_events; };
    EditState before = state_of(box);
    ASSERT_GT(before.first_line, 0);
    rt::WindowHandle old = box.handle();
    c.change(box);
    ASSERT_NE(box.handle(), old);
    EXPECT_FALSE(IsWindow(static_cast<HWND>(old)));
    expect_same(state_of(box), before);
    EXPECT_EQ(form.line.has_focus(), !c.focused);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(focus_events, 0);
    EXPECT_EQ(box.alignment(), c.align);
    EXPECT_EQ(box.scroll_bars(), c.bars);
    EXPECT_EQ(GetWindowLongW(static_cast<HWND>(box.handle()), GWL_STYLE) & shape, c.bits);
    // The unit speaks for the new control.
    box.set_read_only(false);
    box.select(0, 0);
    ui_test::type_text(box, "新");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.text(), "新" + text);
    box.on_changed = nullptr;
    box.on_focus = box.on_blur = nullptr;
  }
}

TEST_F(RuntimeTest, WritingTheShapeTheBoxHasKeepsItsControl) {
  rt::WindowHandle h = form.memo.handle();
  form.memo.set_alignment(0);
  form.memo.set_scroll_bars(2);
  form.memo.set_alignment(7);  // no such alignment
  form.memo.set_scroll_bars(-1);
  EXPECT_EQ(form.memo.handle(), h);
  EXPECT_EQ(form.memo.alignment(), 0);
  EXPECT_EQ(form.memo.scroll_bars(), 2);
  form.destroy();
  form.memo.set_alignment(1);  // inert
  EXPECT_EQ(form.memo.alignment(), 0);
  EXPECT_FALSE(form.memo.exists());
}

TEST_F(RuntimeTest, LinesWrapWithoutTheHorizontalBarOnly) {
  form.memo.set_text(std::string(400, 'x') + "\r\nend");
  struct Case {
    int bars;
    bool wraps;
  };
  for (const Case& c : {Case{1, false}, Case{2, true}, Case{3, false}, Case{0, true}}) {
    SCOPED_TRACE(c.bars);
    form.memo.set_scroll_bars(c.bars);
    if (c.wraps) {
      EXPECT_GT(form.memo.line_count(), 2);
      EXPECT_LT(form.memo.line_length(0), 400);
    } else {
      EXPECT_EQ(form.memo.line_count(), 2);
      EXPECT_EQ(form.memo.line_length(0), 400);
    }
    EXPECT_EQ(form.memo.line_length(form.memo.line_count() - 1), 3);
    EXPECT_EQ(form.memo.line_length(form.memo.line_count()), 0);  // past the last line
  }
}

TEST_F(RuntimeTest, HookLayersMoveWithARecreatedControlAndHearOfIt) {
  constexpr UINT kProbe = WM_APP + 79;
  std::vector<std::pair<rt::WindowHandle, rt::WindowHandle>> replaced;
  int probes = 0;
  rt::WindowHandle old = form.memo.handle();
  rt::HookId id = rt::add_hook(old, [&](rt::Message& m) -> intptr_t {
    if (m.msg == rt::handle_replaced_message())
      replaced.push_back({reinterpret_cast<rt::WindowHandle>(m.wparam), reinterpret_cast<rt::WindowHandle>(m.lparam)});
    if (m.msg == kProbe) ++probes;
    return m.next();
  });
  form.memo.set_alignment(2);
  ASSERT_EQ(replaced.size(), 1u);
  EXPECT_EQ(replaced[0].first, old);
  EXPECT_EQ(replaced[0].second, form.memo.handle());
  SendMessageW(static_cast<HWND>(form.memo.handle()), kProbe, 0, 0);
  EXPECT_EQ(probes, 1);
  // Removed by its id, whichever handle the remover kept.
  rt::remove_hook(old, id);
  SendMessageW(static_cast<HWND>(form.memo.handle()), kProbe, 0, 0);
  EXPECT_EQ(probes, 1);
  form.memo.set_alignment(0);
  EXPECT_EQ(replaced.size(), 1u);
}

TEST_F(RuntimeTest, KeyDownSeesModifiersAndSwallowsItsCharacter) {
  std::vector<std::pair<int, int>> seen;
  form.memo.on_key_down = [&](int key, int mods) {
    seen.push_back({key, mods});
    return key != 'A';  // 'A' is taken, as a shortcut would be
  };
  ui_test::press_key(form.memo, 'A');
  ui_test::press_key(form.memo, 'B');
  ui_test::press_key(form.memo, VK_F2, rt::kCtrl | rt::kShift);
  EXPECT_EQ(form.memo.text(), "b");
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[2].first, VK_F2);
  EXPECT_EQ(seen[2].second, rt::kCtrl | rt::kShift);
}

struct TabEvents {
  int changing = 0, changed = 0;
  std::vector<int> current_while_changing;
};

void watch(rt::TabControl& tabs, TabEvents& ev) {
  tabs.on_changing = [&] {
    ++ev.changing;
    ev.current_while_changing.push_back(tabs.current());
  };
  tabs.on_changed = [&] { ++ev.changed; };
}

TEST_F(RuntimeTest, TabIndexEventsOnlyOnARealChange) {
  TabEvents ev;
  watch(form.tabs, ev);
  EXPECT_EQ(form.tabs.insert("一"), 0);
  EXPECT_EQ(form.tabs.insert("二"), 1);
  EXPECT_EQ(form.tabs.insert("三"), 2);
  EXPECT_EQ(form.tabs.current(), 0);  // the first tab became current without events
  EXPECT_EQ(ev.changing + ev.changed, 0);

  form.tabs.set_current(0);  // already current
  EXPECT_EQ(ev.changing + ev.changed, 0);

  form.tabs.set_current(2);
  EXPECT_EQ(ev.changing, 1);
  EXPECT_EQ(ev.changed, 1);
  EXPECT_EQ(ev.current_while_changing, std::vector<int>{0});
  EXPECT_EQ(form.tabs.current(), 2);

  form.tabs.set_current(2);
  form.tabs.set_current(7);  // out of range
  form.tabs.set_current(-1);
  EXPECT_EQ(ev.changed, 1);

  form.tabs.insert("四");
  form.tabs.remove(0);  // before the current tab: the same tab stays current
  EXPECT_EQ(form.tabs.current(), 1);
  EXPECT_EQ(form.tabs.caption(1), "三");
  EXPECT_EQ(ev.changing, 1);
  EXPECT_EQ(ev.changed, 1);
}

TEST_F(RuntimeTest, DeletingTheCurrentTabLeavesADefinedCurrentTab) {
  struct Case {
    const char* name;
    int tabs, current, remove;
    std::vector<int> disabled;
    int expected_current;
    std::string expected_caption;
  };
  const Case cases[] = {
      {"middle: the next takes its place", 4, 1, 1, {}, 1, "2"},
      {"last: the new last", 4, 3, 3, {}, 2, "2"},
      {"only tab: none", 1, 0, 0, {}, -1, ""},
      {"place taken by a disabled tab: nearest enabled", 4, 1, 1, {2}, 2, "3"},
      {"other tab removed after it: unchanged", 4, 1, 3, {}, 1, "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    form.tabs.clear();
    for (int i = 0; i < c.tabs; ++i) form.tabs.insert(std::to_string(i));
    form.tabs.set_current(c.current);
    for (int d : c.disabled) form.tabs.set_tab_disabled(d, true);
    TabEvents ev;
    watch(form.tabs, ev);
    EXPECT_TRUE(form.tabs.remove(c.remove));
    EXPECT_EQ(form.tabs.current(), c.expected_current);
    EXPECT_EQ(form.tabs.caption(form.tabs.current()), c.expected_caption);
    EXPECT_EQ(ev.changing + ev.changed, 0);
  }
}

TEST_F(RuntimeTest, TabDisableRules) {
  form.tabs.insert("a");
  form.tabs.insert("b");
  form.tabs.set_current(1);
  EXPECT_TRUE(form.tabs.set_tab_disabled(1, true));  // the current tab: the first enabled takes over
  EXPECT_EQ(form.tabs.current(), 0);
  EXPECT_FALSE(form.tabs.set_tab_disabled(0, true));  // the last enabled tab stays enabled
  EXPECT_FALSE(form.tabs.tab_disabled(0));
  form.tabs.set_current(1);  // a disabled tab cannot be selected
  EXPECT_EQ(form.tabs.current(), 0);
  EXPECT_TRUE(form.tabs.set_tab_disabled(1, false));
  form.tabs.set_current(1);
  EXPECT_EQ(form.tabs.current(), 1);
}

TEST_F(RuntimeTest, TabControlHasItsClassAndArrows) {
  EXPECT_EQ(ui_test::class_name(form.tabs.handle()), "VelmoraPageControl");
  auto arrows = ui_test::children_of_class(form.tabs.handle(), "VelmoraTabArrow");
  ASSERT_EQ(arrows.size(), 2u);
  std::vector<std::string> titles;
  for (auto a : arrows) titles.push_back(ui_test::window_text(a));
  std::sort(titles.begin(), titles.end());
  EXPECT_EQ(titles, (std::vector<std::string>{"<", ">"}));
  // Closing an arrow removes it; the control goes on without it.
  for (auto a : arrows) SendMessageW(static_cast<HWND>(a), WM_CLOSE, 0, 0);
  EXPECT_TRUE(ui_test::children_of_class(form.tabs.handle(), "VelmoraTabArrow").empty());
  for (int i = 0; i < 30; ++i) form.tabs.insert("标签页" + std::to_string(i));
  form.tabs.set_current(29);
  EXPECT_EQ(form.tabs.current(), 29);
}

TEST_F(RuntimeTest, ClickingATabSelectsIt) {
  TabEvents ev;
  watch(form.tabs, ev);
  form.tabs.insert("第一");
  form.tabs.insert("第二");
  rt::Rect r = form.tabs.tab_rect(1);
  ui_test::click(form.tabs, r.left + r.width / 2, r.height / 2);
  EXPECT_EQ(form.tabs.current(), 1);
  EXPECT_EQ(ev.changed, 1);
}

TEST_F(RuntimeTest, TabStripReportsRightClicksAndDoubleClicks) {
  form.tabs.insert("第一");
  form.tabs.insert("第二");
  std::vector<int> right_clicked, double_clicked;
  POINT screen{};
  form.tabs.on_tab_right_click = [&](int i, int x, int y) {
    right_clicked.push_back(i);
    screen = {x, y};
  };
  form.tabs.on_strip_double_click = [&](int m) { double_clicked.push_back(m); };
  rt::Rect second = form.tabs.tab_rect(1);
  ui_test::right_click(form.tabs, second.left + 3, 4);
  POINT expected{second.left + 3, 4};
  ClientToScreen(static_cast<HWND>(form.tabs.handle()), &expected);
  EXPECT_EQ(screen.x, expected.x);
  EXPECT_EQ(screen.y, expected.y);
  ui_test::right_click(form.tabs, 3, 3);
  ui_test::right_click(form.tabs, second.left + second.width + 20, 3);  // past the last tab
  EXPECT_EQ(right_clicked, (std::vector<int>{1, 0}));
  EXPECT_EQ(form.tabs.current(), 0) << "a right click selects nothing";
  // The keys held come with the double click, wherever it lands on the strip.
  HWND h = static_cast<HWND>(form.tabs.handle());
  for (WPARAM keys : {WPARAM{MK_LBUTTON}, WPARAM{MK_LBUTTON | MK_CONTROL}, WPARAM{MK_LBUTTON | MK_SHIFT}})
    SendMessageW(h, WM_LBUTTONDBLCLK, keys, MAKELPARAM(second.left + second.width + 20, 3));
  EXPECT_EQ(double_clicked, (std::vector<int>{0, rt::kCtrl, rt::kShift}));
}

TEST_F(RuntimeTest, TimerIntervalRule) {
  DWORD start = GetTickCount();
  std::vector<DWORD> ticks;
  form.timer.on_tick = [&] { ticks.push_back(GetTickCount() - start); };
  form.timer.set_interval(400);
  ui_test::settle(250);
  form.timer.set_interval(400);  // the same interval: the countdown goes on
  ASSERT_TRUE(ui_test::wait_for([&] { return !ticks.empty(); }, 2000));
  EXPECT_LT(ticks[0], 600u) << "rewriting the same interval restarted the countdown";

  for (int stop : {0, -5}) {
    form.timer.set_interval(50);
    ASSERT_TRUE(ui_test::wait_for([&] { return ticks.size() >= 3; }, 2000));
    form.timer.set_interval(stop);
    EXPECT_FALSE(form.timer.running());
    size_t before = ticks.size();
    ui_test::settle(200);
    EXPECT_EQ(ticks.size(), before) << "interval " << stop << " did not stop the timer";
    ticks.clear();
  }
}

TEST_F(RuntimeTest, WorkersReachTheUiThreadThroughInvokeAndPost) {
  DWORD ui = GetCurrentThreadId();
  std::atomic<DWORD> invoked_on{0}, posted_on{0}, worker{0};
  std::atomic<bool> invoke_returned{false};
  rt::start_thread([&] {
    worker = GetCurrentThreadId();
    EXPECT_FALSE(rt::on_ui_thread());
    rt::invoke([&] { invoked_on = GetCurrentThreadId(); });
    // invoke waits: its work has run when it returns.
    invoke_returned = invoked_on.load() != 0;
    rt::post([&] { posted_on = GetCurrentThreadId(); });
  });
  ASSERT_TRUE(ui_test::wait_for([&] { return posted_on.load() != 0; }));
  EXPECT_TRUE(invoke_returned);
  EXPECT_EQ(invoked_on.load(), ui);
  EXPECT_EQ(posted_on.load(), ui);
  EXPECT_NE(worker.load(), ui);
}

// What the first screen need not wait for runs once the waiting paints are done, after work
// posted meanwhile, and in the order it was handed over.
TEST_F(RuntimeTest, WorkAfterPaintRunsOnceTheWindowsHavePainted) {
  ui_test::settle(100);
  std::vector<std::string> order;
  rt::add_hook(form.label.handle(), [&order](rt::Message& m) {
    if (m.msg == WM_PAINT) order.push_back("paint");
    return m.next();
  });
  InvalidateRect(static_cast<HWND>(form.label.handle()), nullptr, TRUE);
  rt::post_after_paint([&] { order.push_back("after paint 1"); });
  rt::post_after_paint([&] { order.push_back("after paint 2"); });
  rt::post([&] { order.push_back("posted"); });
  EXPECT_TRUE(order.empty());  // nothing runs before the loop
  ASSERT_TRUE(ui_test::wait_for([&] { return order.size() >= 4; }));
  EXPECT_EQ(order, (std::vector<std::string>{"posted", "paint", "after paint 1", "after paint 2"}));
}

TEST_F(RuntimeTest, ALabelThatChangesSizePaintsItselfAnew) {
  // Centred, the text moves with the size, also in the part of the label the system keeps.
  rt::Label& label = form.label;
  label.set_align(rt::Label::Align::Centre);
  int paints = 0;
  rt::add_hook(label.handle(), [&paints](rt::Message& m) {
    if (m.msg == WM_PAINT) ++paints;
    return m.next();
  });
  for (bool transparent : {false, true}) {
    SCOPED_TRACE(transparent ? "transparent" : "opaque");
    label.set_transparent(transparent);
    ui_test::settle(100);
    paints = 0;
    label.set_width(label.width() - 40);
    ui_test::settle(100);
    EXPECT_GE(paints, 1);
  }
}

TEST_F(RuntimeTest, AWrappingLabelBreaksAWordLongerThanItsWidth) {
  rt::Label& label = form.label;
  label.set_text(std::string(200, '-'));  // far wider than the label, with no blank
  const int line = label.text_height();
  ASSERT_GT(line, 0);
  label.set_word_wrap(true);
  EXPECT_GE(label.text_height(), 2 * line);
}

TEST_F(RuntimeTest, UnitsOfADestroyedWindowAreInert) {
  form.tabs.insert("x");
  form.memo.set_text("text");
  form.timer.set_interval(50);
  int ticks = 0;
  form.timer.on_tick = [&] { ++ticks; };
  form.destroy();
  EXPECT_FALSE(form.loaded());
  form.memo.set_text("written after");
  form.memo.select(1, 1);
  form.label.set_text("x");
  form.set_caption("x");
  EXPECT_EQ(form.memo.text(), "");
  EXPECT_EQ(form.memo.selection_start(), 0);
  EXPECT_EQ(form.label.text(), "");
  EXPECT_EQ(form.caption(), "");
  EXPECT_EQ(form.tabs.count(), 0);
  EXPECT_EQ(form.tabs.insert("y"), -1);
  EXPECT_EQ(form.tabs.current(), -1);
  form.timer.set_interval(10);
  EXPECT_FALSE(form.timer.running());
  ui_test::settle(100);
  EXPECT_EQ(ticks, 0);
  // Loading it again gives fresh units.
  ASSERT_TRUE(form.load());
  form.memo.set_text("again");
  EXPECT_EQ(form.memo.text(), "again");
}

TEST_F(RuntimeTest, ComboBoxRaisesChangedOnlyForTheUsersChoice) {
  int changed = 0;
  form.combo.on_changed = [&] { ++changed; };
  for (const char* item : {"第一页", "", "乗\\|"}) form.combo.add_item(item);
  ASSERT_EQ(form.combo.count(), 3);
  EXPECT_EQ(form.combo.item(1), "");
  EXPECT_EQ(form.combo.item(2), "乗\\|");
  EXPECT_EQ(form.combo.current(), -1);
  EXPECT_EQ(form.combo.text(), "");
  // Written from code: nothing is raised.
  form.combo.set_current(2);
  EXPECT_EQ(form.combo.current(), 2);
  EXPECT_EQ(form.combo.text(), "乗\\|");
  form.combo.set_current(7);
  EXPECT_EQ(form.combo.current(), -1);
  EXPECT_EQ(changed, 0);
  // The user's choice with the keyboard raises it once.
  form.combo.set_current(0);
  ui_test::press_key(form.combo, VK_DOWN);
  EXPECT_EQ(form.combo.current(), 1);
  EXPECT_EQ(changed, 1);
  form.combo.remove_item(5);
  form.combo.remove_item(0);
  EXPECT_EQ(form.combo.count(), 2);
  EXPECT_EQ(form.combo.item(0), "");
  form.combo.clear();
  EXPECT_EQ(form.combo.count(), 0);
  EXPECT_EQ(form.combo.current(), -1);
  EXPECT_EQ(changed, 1);
  form.destroy();
  EXPECT_EQ(form.combo.add_item("x"), -1);
  EXPECT_EQ(form.combo.count(), 0);
  EXPECT_EQ(form.combo.current(), -1);
}

TEST_F(RuntimeTest, DropTargetsTakeTextsAndFilesUntilTheirWindowIsGone) {
  rt::DropTarget target;
  std::vector<std::string> texts, files;
  target.on_text = [&](const std::string& t) { texts.push_back(t); };
  target.on_files = [&](const std::vector<std::string>& p) { files.insert(files.end(), p.begin(), p.end()); };
  EXPECT_FALSE(rt::seams::drop_text(form.memo, "x"));  // not a target yet
  target.attach(form.memo);
  ASSERT_TRUE(target.attached());
  EXPECT_TRUE(rt::seams::drop_text(form.memo, "拖来的 text\r\n"));
  EXPECT_TRUE(rt::seams::drop_files(form.memo, {"C:\\文件夹\\甲.txt", "C:\\乙.log"}));
  EXPECT_EQ(texts, (std::vector<std::string>{"拖来的 text\r\n"}));
  EXPECT_EQ(files, (std::vector<std::string>{"C:\\文件夹\\甲.txt", "C:\\乙.log"}));
  EXPECT_FALSE(rt::seams::drop_text(form.line, "x"));  // another window
  target.detach();
  EXPECT_FALSE(rt::seams::drop_text(form.memo, "y"));
  target.attach(form.memo);
  form.destroy();  // the window gives its target back as it goes
  EXPECT_FALSE(target.attached());
  ASSERT_TRUE(form.load());
  EXPECT_FALSE(rt::seams::drop_text(form.memo, "z"));
  EXPECT_EQ(texts.size(), 1u);
}

TEST_F(RuntimeTest, ADropRaisesOneEventPerKindInOrderAndFilesAlone) {
  rt::DropTarget target;
  std::vector<std::string> seen;
  target.on_text = [&](const std::string& t) { seen.push_back("text:" + t); };
  target.on_url = [&](const std::string& u) { seen.push_back("url:" + u); };
  target.attach(form.memo);
  target.attach(form.memo);  // once is enough
  // No handler for HTML: a drop of HTML alone is refused, one with text is taken.
  EXPECT_FALSE(rt::seams::drop(form.memo, {.html = "<b>粗</b>"}));
  target.on_html = [&](const std::string& h) { seen.push_back("html:" + h); };
  EXPECT_TRUE(rt::seams::drop(form.memo, {.text = "文", .html = "<b>粗</b>", .url = "http://例子.cn/a?b=1"}));
  EXPECT_EQ(seen, (std::vector<std::string>{"text:文", "html:<b>粗</b>", "url:http://例子.cn/a?b=1"}));
  // Files come alone; without a files handler a drop of files is refused.
  seen.clear();
  EXPECT_FALSE(rt::seams::drop(form.memo, {.files = {"C:\\甲.txt"}, .text = "文"}));
  target.on_files = [&](const std::vector<std::string>& p) { seen.push_back("files:" + p.at(0)); };
  EXPECT_TRUE(rt::seams::drop(form.memo, {.files = {"C:\\甲.txt"}, .text = "文"}));
  EXPECT_EQ(seen, (std::vector<std::string>{"files:C:\\甲.txt"}));
  // A second window of the same target; each gives its registration back alone.
  target.attach(form.line);
  EXPECT_TRUE(rt::seams::drop_text(form.line, "行"));
  target.attach(form.memo);
  form.memo.set_alignment(1);  // re-created: the new control takes drops
  EXPECT_TRUE(rt::seams::drop_text(form.memo, "新"));
  EXPECT_EQ(seen.back(), "text:新");
  form.destroy();
  EXPECT_FALSE(target.attached());
  ASSERT_TRUE(form.load());
}

TEST_F(RuntimeTest, HooksRemovedInAnyOrderLeaveTheOthersWorking) {
  constexpr UINT kProbe = WM_APP + 77;
  const std::vector<std::vector<int>> orders = {{0, 1, 2}, {2, 1, 0}, {1, 0, 2}, {1, 2, 0}};
  for (const auto& order : orders) {
    std::vector<int> seen;
    rt::HookId ids[3];
    for (int i = 0; i < 3; ++i)
      ids[i] = rt::add_hook(form.handle(), [&seen, i](rt::Message& m) -> intptr_t {
        if (m.msg == kProbe) seen.push_back(i);
        return m.next();
      });
    std::vector<bool> alive = {true, true, true};
    for (int victim : order) {
      rt::remove_hook(form.handle(), ids[victim]);
      alive[victim] = false;
      seen.clear();
      SendMessageW(static_cast<HWND>(form.handle()), kProbe, 0, 0);
      std::vector<int> expected;
      for (int i = 2; i >= 0; --i)  // the newest layer sees a message first
        if (alive[i]) expected.push_back(i);
      EXPECT_EQ(seen, expected);
    }
  }
  // The window's own handling still works under and after the layers.
  form.set_caption("标题");
  EXPECT_EQ(form.caption(), "标题");
}

TEST_F(RuntimeTest, AHookCanConsumeAndOneCanRemoveItselfWhileRunning) {
  constexpr UINT kProbe = WM_APP + 78;
  int lower = 0, upper = 0;
  rt::add_hook(form.handle(), [&](rt::Message& m) -> intptr_t {
    if (m.msg == kProbe) ++lower;
    return m.next();
  });
  rt::HookId self = 0;
  self = rt::add_hook(form.handle(), [&](rt::Message& m) -> intptr_t {
    if (m.msg != kProbe) return m.next();
    ++upper;
    rt::remove_hook(form.handle(), self);
    return 42;  // consumed: the lower layer does not see it
  });
  EXPECT_EQ(SendMessageW(static_cast<HWND>(form.handle()), kProbe, 0, 0), 42);
  EXPECT_EQ(SendMessageW(static_cast<HWND>(form.handle()), kProbe, 0, 0), 0);
  EXPECT_EQ(upper, 1);
  EXPECT_EQ(lower, 1);
}

TEST_F(RuntimeTest, MayCloseKeepsOrReleasesTheWindow) {
  bool allow = false;
  int destroying = 0;
  form.on_may_close = [&] { return allow; };
  form.on_destroying = [&] { ++destroying; };
  form.close();
  EXPECT_TRUE(form.loaded());
  allow = true;
  form.close();
  EXPECT_FALSE(form.loaded());
  EXPECT_EQ(destroying, 1);
}

TEST(RuntimeModal, ModalWindowDisablesItsOwnerAndReturnsItsResult) {
  TestForm owner, dialog;
  ASSERT_TRUE(owner.load());
  bool owner_disabled_inside = false;
  int timer_ticks_inside = 0;
  owner.timer.on_tick = [&] { ++timer_ticks_inside; };
  owner.timer.set_interval(20);
  rt::seams::set_modal_hook([&](rt::Window& w) {
    owner_disabled_inside = !IsWindowEnabled(static_cast<HWND>(owner.handle()));
    // Timers keep running inside the modal loop.
    rt::pump_until([&] { return timer_ticks_inside >= 3; }, 2000);
    w.set_modal_result(5);
    w.destroy();
  });
  int result = dialog.load_modal(&owner);
  rt::seams::set_modal_hook(nullptr);
  EXPECT_EQ(result, 5);
  EXPECT_TRUE(owner_disabled_inside);
  EXPECT_GE(timer_ticks_inside, 3);
  EXPECT_TRUE(IsWindowEnabled(static_cast<HWND>(owner.handle())));
  owner.destroy();
}

TEST(RuntimeLoop, TheLoopEndsWithTheLastWindowAndRunsTheEndRoutineOnce) {
  TestForm a, b;
  ASSERT_TRUE(a.load());
  ASSERT_TRUE(b.load());
  int ends = 0;
  rt::set_end_of_program([&] { ++ends; });
  a.timer.on_tick = [&] { a.destroy(); };
  a.timer.set_interval(30);
  b.timer.on_tick = [&] { b.destroy(); };
  b.timer.set_interval(90);
  EXPECT_EQ(rt::run_message_loop(), 0);
  EXPECT_FALSE(a.loaded());
  EXPECT_FALSE(b.loaded());
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(rt::top_level_window_count(), 0);
}

}  // namespace

// Seams: scripted dialogs and recorded launches replace the user and the outside world.
#include "runtime/dialogs.h"
#include "runtime/shell.h"

namespace {

TEST(RuntimeSeams, ScriptedDialogsAnswerInOrderAndUnscriptedOnesCancel) {
  using rt::seams::DialogKind;
  rt::seams::dialog_requests().clear();
  rt::seams::script_dialog({DialogKind::Open, true, {"C:\\a.txt", "C:\\中文.txt"}});
  rt::seams::script_dialog({DialogKind::Save, true, {"C:\\out.txt"}});
  rt::seams::script_dialog({DialogKind::Save, false, {}});
  EXPECT_EQ(rt::save_file_dialog({.title = "另存为"}), "C:\\out.txt");
  EXPECT_EQ(rt::open_files_dialog({.title = "打开", .folder = "C:\\"}),
            (std::vector<std::string>{"C:\\a.txt", "C:\\中文.txt"}));
  EXPECT_EQ(rt::save_file_dialog({}), "");         // scripted cancel
  EXPECT_TRUE(rt::open_files_dialog({}).empty());  // nothing scripted: cancel, never a wait
  ASSERT_EQ(rt::seams::dialog_requests().size(), 4u);
  EXPECT_EQ(rt::seams::dialog_requests()[1].title, "打开");
  EXPECT_EQ(rt::seams::dialog_requests()[1].folder, "C:\\");
}

TEST(RuntimeSeams, LaunchesAreRecordedInsteadOfRun) {
  rt::seams::record_launches(true);
  rt::seams::launches().clear();
  EXPECT_TRUE(rt::shell_execute("open", "explorer.exe", "/select,\"C:\\a.txt\""));
  EXPECT_TRUE(rt::run_program("notepad.exe C:\\a.txt"));
  ASSERT_EQ(rt::seams::launches().size(), 2u);
  EXPECT_EQ(rt::seams::launches()[0].file, "explorer.exe");
  EXPECT_EQ(rt::seams::launches()[0].parameters, "/select,\"C:\\a.txt\"");
  EXPECT_EQ(rt::seams::launches()[1].file, "notepad.exe C:\\a.txt");
  rt::seams::record_launches(false);
}

// Failures of callbacks: whatever kind of callback throws, the runtime reports it (the runtime
// error box, recorded in test mode) instead of ending the process or unwinding through the
// system's frames, and the program goes on: the same callback runs again.
bool reported(const std::string& text) {
  return ui_test::wait_for([&] {
    for (const std::string& t : rt::seams::runtime_error_texts())
      if (t == text) return true;
    return false;
  });
}

TEST_F(RuntimeTest, AFailingCallbackIsReportedAndTheProgramGoesOn) {
  constexpr unsigned kPoke = WM_APP + 0x77;
  rt::DropTarget drops;
  drops.attach(form.line);
  int calls = 0;
  std::string thrown;
  // The callback under test: it throws the first time only.
  auto callback = [&] {
    if (++calls == 1) throw std::runtime_error(thrown);
  };
  const struct {
    const char* what;
    std::function<void()> arm, trigger;
  } cases[] = {
      {"a unit's key event", [&] { form.memo.on_key_down = [&](int, int) { return callback(), true; }; },
       [&] { ui_test::press_key(form.memo, 'Q'); }},
      {"an edit box's changed event", [&] { form.line.on_changed = callback; },
       [&] { ui_test::type_text(form.line, "x"); }},
      {"a hook layer",
       [&] {
         rt::add_hook(form.handle(), [&](rt::Message& m) -> intptr_t {
           if (m.msg != kPoke) return m.next();
           callback();
           return 1;
         });
       },
       [&] { SendMessageW(static_cast<HWND>(form.handle()), kPoke, 0, 0); }},
      {"a timer", [&] { form.timer.on_tick = callback; },
       [&] {
         form.timer.set_interval(10);
         ui_test::wait_for([&] { return calls > 1; }, 2000);
         form.timer.set_interval(0);
       }},
      {"a drop", [&] { drops.on_text = [&](const std::string&) { callback(); }; },
       [&] { rt::seams::drop_text(form.line, "拖放"); }},
      {"a task posted to the UI thread", [] {}, [&] { rt::post(callback); }},
      {"a task a worker hands over and waits for", [] {},
       [&] {
         std::atomic<bool> back{false};
         rt::start_thread([&] {
           rt::invoke(callback);
           back = true;  // the worker goes on after the failure of what it handed over
         });
         EXPECT_TRUE(ui_test::wait_for([&] { return back.load(); }));
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    rt::seams::clear_runtime_error_texts();
    calls = 0;
    thrown = std::string("失败于") + c.what;
    c.arm();
    c.trigger();
    EXPECT_TRUE(reported("程序出现了未处理的异常：" + thrown));
    EXPECT_TRUE(form.loaded());
    c.trigger();
    EXPECT_TRUE(ui_test::wait_for([&] { return calls >= 2; }, 2000)) << "the callback runs again";
  }
  form.memo.on_key_down = nullptr;
  form.line.on_changed = nullptr;
  form.timer.on_tick = nullptr;
}

// A failing worker: reported, and its end told first on the UI thread, so that whatever counts
// it as running sees it end; running out of memory is told as that (without the program's own
// notice, in the runtime error box).
TEST_F(RuntimeTest, AFailingWorkerEndsAndIsReported) {
  const struct {
    const char* what;
    std::function<void()> fail;
    std::string report;
  } cases[] = {
      {"an exception", [] { throw std::runtime_error("工作失败"); }, "程序出现了未处理的异常：工作失败"},
      {"no memory", [] { throw std::bad_alloc(); }, "内存不足，刚才的操作没有完成。"},
      {"a size no string can hold", [] { std::string(std::string().max_size() + 1, 'x'); },
       "内存不足，刚才的操作没有完成。"},
      {"something that is no exception class", [] { throw 42; }, "程序出现了未处理的异常。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    rt::seams::clear_runtime_error_texts();
    bool ended = false, ended_on_ui_thread = false, ended_before_report = false;
    rt::start_thread(c.fail, [&] {
      ended = true;
      ended_on_ui_thread = rt::on_ui_thread();
      ended_before_report = rt::seams::runtime_error_texts().empty();
    });
    EXPECT_TRUE(reported(c.report));
    EXPECT_TRUE(ended);
    EXPECT_TRUE(ended_on_ui_thread);
    EXPECT_TRUE(ended_before_report);
  }
  // Held workers fail the same way when released.
  rt::seams::clear_runtime_error_texts();
  rt::seams::hold_workers(true);
  bool ended = false;
  rt::start_thread([] { throw std::runtime_error("held"); }, [&] { ended = true; });
  rt::seams::hold_workers(false);
  EXPECT_TRUE(reported("程序出现了未处理的异常：held"));
  EXPECT_TRUE(ended);
  // A worker that ends well does not run the failure's end.
  ended = false;
  std::atomic<bool> done{false};
  rt::start_thread([&] { done = true; }, [&] { ended = true; });
  ASSERT_TRUE(ui_test::wait_for([&] { return done.load(); }));
  ui_test::settle(100);
  EXPECT_FALSE(ended);
}

}  // namespace
