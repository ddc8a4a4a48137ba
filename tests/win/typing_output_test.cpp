// The typing-output effect against the real main window under Wine: the replay piece by piece
// on the window's timer, skipped spaces, stopping, closing, the page left untouched (typing
// refused, a page switch or close ends the replay, close-all and save-all stop it), the
// shutdown, and the window itself.
#include "options/option_values.h"
#include "texttools/typing_output.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/menu_bar.h"
#include "app/shutdown.h"
#include "common/speech_art.h"
#include "common/window_fade.h"
#include "documents/save_files.h"
#include "forms/typing_window_form.h"
#include "layout_check.h"
#include "pages/closing.h"
#include "pages/page_model.h"
#include "program_test.h"
#include "recorded_boxes.h"
#include "runtime/gbk_text.h"
#include "ui_test.h"

namespace {

using std::string;
constexpr int kEnd = 0x23, kHome = 0x24;

TypingWindowForm& tw() { return typing_window(); }

// Every text the edit box shows, one per change.
class EditorChanges {
 public:
  EditorChanges() : original_(editor().on_changed) {
    editor().on_changed = [this] {
      texts.push_back(editor().text());
      if (original_) original_();
    };
  }
  ~EditorChanges() { editor().on_changed = original_; }
  std::vector<string> texts;

 private:
  std::function<void()> original_;
};

// The edit box's text after each tick of the replay's timer.
class Ticks {
 public:
  Ticks() : original_(tw().时钟_屏幕输出.on_tick) {
    tw().时钟_屏幕输出.on_tick = [this] {
      bool replaying = typing_output_running() != 0;
      if (original_) original_();
      if (replaying) texts.push_back(editor().text());
    };
  }
  ~Ticks() { tw().时钟_屏幕输出.on_tick = original_; }
  std::vector<string> texts;

 private:
  std::function<void()> original_;
};

// The whole characters of a GBK text, one piece each.
std::vector<string> pieces_of(const string& text) {
  std::vector<string> out;
  for (size_t i = 0; i < text.size();) {
    size_t n = rt::char_size_at(text, i);
    out.push_back(text.substr(i, n));
    i += n;
  }
  return out;
}

class TypingTest : public ProgramTest {
 protected:
  void TearDown() override {
    tw().destroy();
    rt::seams::set_modal_hook(nullptr);
    ProgramTest::TearDown();
  }
  static void open_window() {
    open_typing_window();
    ASSERT_TRUE(ui_test::wait_for([] { return tw().loaded() && tw().alpha() == options().window_alpha; }));
  }
  // The speed bar moved to ms.
  static void set_delay(int ms) {
    tw().多功能条_打写速度.set_position(ms);
    update_typing_delay();
  }
  // The current page gets the text, stored and unmodified (or modified as asked).
  static void page_with(const string& text, int modified = 0) {
    editor().set_text(text);
    int i = tabs().current();
    page_content(i);
    set_page_modified(static_cast<size_t>(i), modified);
  }
  static bool wait_replay_end(int timeout_ms = 5000) {
    return ui_test::wait_for([] { return !typing_output_running(); }, timeout_ms);
  }
  // Starts a slow replay and waits until part of the text is in the edit box.
  static void start_slow_replay(int shown_characters = 2) {
    set_delay(40);
    ui_test::click(tw().图形按钮_开始输出);
    ASSERT_TRUE(typing_output_running());
    ASSERT_TRUE(ui_test::wait_for([=] { return editor().text_length() >= shown_characters; }));
  }
};

TEST_F(TypingTest, TheReplayAppendsOneWholeCharacterAtATimeAndThePageStaysAsItWas) {
  // Four-byte codes (U+1F600, U+00B5) are whole characters too.
  const string grin = "\x94\x39\xFC\x36", micro = "\x81\x30\x85\x38";
  const string text = "ab中\r\n文 c全角　末尾字" + grin + micro;
  for (int modified : {0, 1}) {
    SCOPED_TRACE(modified);
    page_with(text, modified);
    open_window();
    set_delay(0);
    EditorChanges changes;
    ui_test::click(tw().图形按钮_开始输出);
    EXPECT_FALSE(tw().图形按钮_开始输出.visible());
    EXPECT_TRUE(tw().图形按钮_停止输出.visible());
    ASSERT_TRUE(wait_replay_end());
    // Emptied, then each piece appended, the last character whole; then the page's text again.
    std::vector<string> pieces = pieces_of(text);
    ASSERT_EQ(pieces.size(), 16u);
    EXPECT_EQ(pieces[14], grin);
    ASSERT_EQ(changes.texts.size(), pieces.size() + 2);
    EXPECT_EQ(changes.texts.front(), "");
    string shown;
    for (size_t i = 0; i < pieces.size(); ++i) {
      shown += pieces[i];
      EXPECT_EQ(changes.texts[i + 1], shown);
    }
    EXPECT_EQ(changes.texts.back(), text);
    EXPECT_EQ(editor().text(), text);
    EXPECT_EQ(page_content(0), text);
    EXPECT_EQ(pages()[0].modified, modified);
    EXPECT_TRUE(tw().图形按钮_开始输出.visible());
    EXPECT_FALSE(tw().图形按钮_停止输出.visible());
    EXPECT_FALSE(editor().read_only());
    tw().destroy();
  }
}

TEST_F(TypingTest, EveryPieceWaitsItsOwnTickUnlessItIsASkippedSpace) {
  struct Case {
    string text;
    bool skip_spaces;
    std::vector<string> after_ticks;
  };
  const Case cases[] = {
      // One tick before anything: the empty first piece.
      {"a  b", false, {"", "a", "a ", "a  ", "a  b"}},
      {"a  b", true, {"", "a  ", "a  b"}},
      // A full-width space is a character like any other.
      {"a　b", true, {"", "a", "a　", "a　b"}},
      {"  x", true, {"  ", "  x"}},
      {"", false, {""}},
  };
  open_window();
  set_delay(0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + (c.skip_spaces ? " skipping" : ""));
    if ((typing_skip_spaces() != 0) != c.skip_spaces) ui_test::click(tw().超级按钮_忽略空格);
    ASSERT_EQ(typing_skip_spaces(), c.skip_spaces ? 1 : 0);
    page_with(c.text);
    Ticks ticks;
    ui_test::click(tw().图形按钮_开始输出);
    ASSERT_TRUE(wait_replay_end());
    EXPECT_EQ(ticks.texts, c.after_ticks);
    EXPECT_EQ(editor().text(), c.text);
  }
}

TEST_F(TypingTest, StoppingPutsTheWholePageBack) {
  const string text = "停止之后整页文字回来，不是一半的文字。";
  page_with(text);
  editor().select(2, 3);
  open_window();
  start_slow_replay();
  ASSERT_NE(editor().text(), text);
  ui_test::click(tw().图形按钮_停止输出);
  EXPECT_FALSE(typing_output_running());
  EXPECT_EQ(editor().text(), text);
  // The caret and selection where they were.
  EXPECT_EQ(editor().selection_start(), 2);
  EXPECT_EQ(editor().selection_length(), 3);
  EXPECT_TRUE(tw().图形按钮_开始输出.visible());
  EXPECT_FALSE(tw().图形按钮_停止输出.visible());
  EXPECT_EQ(pages()[0].modified, 0);
  ui_test::settle(150);
  EXPECT_EQ(editor().text(), text);
  // It can start again at once.
  ui_test::click(tw().图形按钮_开始输出);
  EXPECT_TRUE(typing_output_running());
}

TEST_F(TypingTest, ClosingTheWindowDuringAReplayEndsIt) {
  const string text = "关闭窗口的时候停止输出。";
  page_with(text);
  open_window();
  start_slow_replay();
  ui_test::click(tw().图形按钮_关闭小);
  EXPECT_FALSE(tw().loaded());
  EXPECT_FALSE(typing_output_running());
  EXPECT_EQ(editor().text(), text);
  EXPECT_FALSE(editor().read_only());
}

TEST_F(TypingTest, TheEditBoxTakesNoTypingDuringAReplay) {
  const string text = "回放时不能打字。";
  page_with(text);
  open_window();
  // The user's read-only state comes back as it was, both ways.
  for (bool read_only : {false, true}) {
    SCOPED_TRACE(read_only);
    editor().set_read_only(read_only);
    start_slow_replay();
    EXPECT_TRUE(editor().read_only());
    string before = editor().text();
    ui_test::type_text(editor(), "X");
    EXPECT_EQ(editor().text().find('X'), string::npos);
    ui_test::click(tw().图形按钮_停止输出);
    EXPECT_EQ(editor().read_only(), read_only);
    EXPECT_EQ(page_content(0), text);
  }
  editor().set_read_only(false);
  editor().select(editor().text_length(), 0);
  ui_test::type_text(editor(), "X");
  EXPECT_EQ(page_content(0), text + "X");
}

TEST_F(TypingTest, AnotherPageEndsTheReplay) {
  const string first = "第一页的文字。", second = "第二页的文字，正在回放。";
  page_with(first);
  string name = "第二页";
  create_page(name);
  page_with(second);
  open_window();
  start_slow_replay();
  // Switched: the second page is whole again, the first is shown, nothing more is typed.
  tabs().set_current(0);
  EXPECT_FALSE(typing_output_running());
  EXPECT_EQ(editor().text(), first);
  EXPECT_EQ(page_content(1), second);
  ui_test::settle(150);
  EXPECT_EQ(editor().text(), first);
  EXPECT_EQ(pages()[0].modified, 0);
  EXPECT_EQ(pages()[1].modified, 0);
  tabs().set_current(1);
  EXPECT_EQ(editor().text(), second);
  // The page being replayed closed: the replay ends without writing anything.
  start_slow_replay();
  close_page_at(1);
  ASSERT_TRUE(wait_replay_end());
  EXPECT_EQ(editor().text(), first);
  EXPECT_EQ(page_content(0), first);
  EXPECT_FALSE(editor().read_only());
  EXPECT_TRUE(tw().图形按钮_开始输出.visible());
}

TEST_F(TypingTest, StartingAgainDuringAReplayDoesNothing) {
  const string text = "只有一个回放在写编辑框。";
  page_with(text);
  open_window();
  start_slow_replay(3);
  EditorChanges changes;
  start_typing_output();
  EXPECT_TRUE(changes.texts.empty());  // not emptied again
  set_delay(0);
  ASSERT_TRUE(wait_replay_end());
  EXPECT_EQ(editor().text(), text);
  for (size_t i = 1; i + 1 < changes.texts.size(); ++i)
    EXPECT_EQ(changes.texts[i].compare(0, changes.texts[i - 1].size(), changes.texts[i - 1]), 0);
}

TEST_F(TypingTest, CloseAllAndSaveAllStopTheReplayFirst) {
  struct Case {
    const char* name;
    std::function<void()> command;
    int answer;
  };
  const Case cases[] = {
      {"close all", [] { close_all_pages(false); }, kBoxCancel},
      {"save all", [] { confirm_save_all(); }, kBoxNo},
  };
  const string text = "被修改的页面，正在回放。";
  open_window();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    page_with(text, 1);
    start_slow_replay();
    std::vector<RecordedBox> boxes;
    record_message_boxes(&boxes, {c.answer});
    c.command();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(typing_output_running());
    EXPECT_EQ(tabs().count(), 1);
    EXPECT_EQ(editor().text(), text);
    EXPECT_EQ(page_content(0), text);
    EXPECT_EQ(pages()[0].modified, 1);
    ui_test::settle(100);
    EXPECT_EQ(editor().text(), text);
  }
}

TEST_F(TypingTest, ShutdownEndsTheReplayAndTheWindow) {
  const string text = "退出程序时结束回放。";
  page_with(text);
  open_window();
  start_slow_replay();
  release_main_window();
  EXPECT_FALSE(tw().loaded());
  EXPECT_FALSE(typing_output_running());
  EXPECT_EQ(editor().text(), text);
}

TEST_F(TypingTest, TheWindowItsSpeedBarAndItsPlace) {
  rt::MenuItem* item = main_menu_item("屏幕输出效果(&S)");
  ASSERT_NE(item, nullptr);
  ASSERT_TRUE(item->on_click);
  item->on_click();
  ASSERT_TRUE(ui_test::wait_for([] { return tw().loaded() && tw().alpha() == options().window_alpha; }));
  EXPECT_EQ(tw().caption(), "Velmora_屏幕输出效果");
  EXPECT_TRUE(tw().图形按钮_程序图标.normal_picture().same_image(typing_window_icon_picture()));
  // At the main window's right edge, under its caption.
  EXPECT_EQ(tw().top(), w().top() + w().标签_上中.height());
  EXPECT_EQ(tw().left() + tw().width(), w().left() + w().width());
  // The delay starts at the bar's position, skipping spaces off.
  EXPECT_EQ(typing_delay_ms(), tw().多功能条_打写速度.position());
  EXPECT_EQ(tw().标签_上中.text(), " 屏幕输出效果—输出速度" + std::to_string(typing_delay_ms()) + "毫秒");
  EXPECT_EQ(typing_skip_spaces(), 0);
  ui_test::press_key(tw().多功能条_打写速度, kEnd);
  EXPECT_EQ(typing_delay_ms(), tw().多功能条_打写速度.position());
  EXPECT_GT(typing_delay_ms(), 0);
  EXPECT_EQ(tw().标签_上中.text(), " 屏幕输出效果—输出速度" + std::to_string(typing_delay_ms()) + "毫秒");
  ui_test::press_key(tw().多功能条_打写速度, kHome);
  EXPECT_EQ(typing_delay_ms(), 0);
  EXPECT_EQ(tw().标签_上中.text(), " 屏幕输出效果—输出速度0毫秒");
  ui_test::click(tw().超级按钮_忽略空格);
  EXPECT_EQ(typing_skip_spaces(), 1);
  ui_test::click(tw().超级按钮_忽略空格);
  EXPECT_EQ(typing_skip_spaces(), 0);
}

// The units of the main window's caption the user must still see and press: the clock and the
// minimise, maximise and close buttons. A unit that some pixel of shows something else.
std::vector<std::string> hidden_caption_units() {
  struct Named {
    const char* name;
    rt::Unit* unit;
  };
  const Named units[] = {
      {"时", &w().图形按钮_时_个位},      {"时", &w().图形按钮_时_十位},      {"时:分", &w().图形按钮_时到分_分隔},
      {"分", &w().图形按钮_分_个位},      {"分", &w().图形按钮_分_十位},      {"分:秒", &w().图形按钮_分到秒_分隔},
      {"秒", &w().图形按钮_秒_个位},      {"秒", &w().图形按钮_秒_十位},      {"最小化", &w().图形按钮_最小化},
      {"最大化", &w().图形按钮_最大化}, {"关闭", &w().图形按钮_关闭},
  };
  std::vector<std::string> hidden;
  for (const Named& n : units) {
    HWND h = static_cast<HWND>(n.unit->handle());
    RECT r{};
    GetWindowRect(h, &r);
    bool shown = true;
    for (int y = r.top; y < r.bottom && shown; ++y)
      for (int x = r.left; x < r.right && shown; ++x) shown = WindowFromPoint({x, y}) == h;
    if (!shown) hidden.push_back(n.name);
  }
  return hidden;
}

TEST_F(TypingTest, TheWindowOpensWhereItHidesNoneOfTheClockAndTheCaptionButtons) {
  struct Case {
    const char* name;
    rt::Rect main;
  };
  const Case cases[] = {
      {"the default size", {246, 213, 788, 597}},
      {"the least size", {300, 200, 320, 336}},
      {"at the screen's top right corner", {rt::screen_width() - 788, 0, 788, 597}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    w().move(c.main.left, c.main.top, c.main.width, c.main.height);
    ui_test::settle(50);
    ASSERT_TRUE(hidden_caption_units().empty());
    open_window();
    ui_test::settle(50);
    EXPECT_EQ(hidden_caption_units(), std::vector<std::string>{});
    if (&c == &cases[0]) ui_test::screenshot("typing_output_placed");
    // It follows the main window to the same place by the caption.
    w().move(c.main.left - 40, c.main.top + 30, c.main.width, c.main.height);
    ui_test::settle(50);
    EXPECT_EQ(hidden_caption_units(), std::vector<std::string>{});
    EXPECT_EQ(tw().left() + tw().width(), w().left() + w().width());
    tw().destroy();
  }
}

TEST_F(TypingTest, TheWindowSnapsToTheMainWindowsEdgesWithinEightPixels) {
  w().move(150, 120, 700, 500);
  open_window();
  const int right = w().left() + w().width(), bottom = w().top() + w().height();
  struct Case {
    int left, top;            // where the drag puts the window's top-left corner
    int want_left, want_top;  // where it ends
  };
  const Case cases[] = {
      {right + 6, w().top() + 200, right, w().top() + 200},                      // beside the right edge
      {right + 9, w().top() + 200, right + 9, w().top() + 200},                  // too far to snap
      {w().left() + 100, bottom - 5, w().left() + 100, bottom},                  // under the bottom edge
      {w().left() - tw().width() - 7, w().top() + 50, w().left() - tw().width(), w().top() + 50},  // left of it
      {w().left() + 5, w().top() + 60, w().left(), w().top() + 60},              // inside, at the left edge
  };
  for (const Case& c : cases) {
    ui_test::drag(tw().标签_上中, c.left - tw().left(), c.top - tw().top());
    EXPECT_EQ(tw().left(), c.want_left) << c.left << "," << c.top;
    EXPECT_EQ(tw().top(), c.want_top) << c.left << "," << c.top;
  }
}

TEST_F(TypingTest, Screenshot) {
  page_with(
      "屏幕输出效果示例：\r\n"
      "文字一个一个地出现在编辑框里，就像有人正在打字一样。\r\n"
      "停止以后，整页文字马上回来。");
  open_window();
  start_slow_replay(24);
  ui_test::screenshot("typing_window");
  EXPECT_TRUE(ui_test::layout_is_sound(tw()));
}

}  // namespace
