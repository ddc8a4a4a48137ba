// Find and replace against the real main window and the real find window under Wine: the
// engine's anchors and selections (with and without the script object), the messages, the
// window's commands, keys and options, the shortcuts and the shutdown.
#include "options/option_values.h"
#include "texttools/find_replace.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/shutdown.h"
#include "common/control_routines.h"
#include "common/find_art.h"
#include "common/message_box.h"
#include "common/skin_art.h"
#include "common/window_fade.h"
#include "forms/find_window_form.h"
#include "common/message_box_form.h"
#include "layout_check.h"
#include "pages/page_model.h"
#include "program_test.h"
#include "runtime/gbk_text.h"
#include "runtime/seams.h"
#include "runtime/tooltip.h"
#include "ui_test.h"

namespace {

HWND hw(rt::WindowHandle h) { return static_cast<HWND>(h); }
FindWindowForm& fw() { return find_window(); }

// A message box the program showed: what it said and whose it was.
struct Shown {
  std::string title, text;
  unsigned title_color = 0, text_color = 0;
  int icon = 0;
  rt::WindowHandle owner = nullptr;
};

int icon_of(const rt::Picture& p) {
  for (int icon : {8, 16, 32, 48, 64})
    if (p.same_image(message_box_icon(icon))) return icon;
  return 0;
}

class FindTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    // Every box is read and answered with OK from inside its modal loop.
    rt::seams::set_modal_hook([this](rt::Window& w) {
      MessageBoxForm& b = message_box_form();
      if (&w != &b) return;
      std::string title = b.caption();
      shown.push_back({title.substr(std::string("Velmora_").size()), b.透明标签_提示类容.text(),
                       b.标签_上中.text_color(), b.透明标签_提示类容.text_color(),
                       icon_of(b.图形按钮_图标_信息框.normal_picture()), GetWindow(hw(b.handle()), GW_OWNER)});
      ui_test::click(b.图形按钮_确定_信息框);
    });
  }
  void TearDown() override {
    rt::seams::set_modal_hook(nullptr);
    fw().destroy();
    ProgramTest::TearDown();
  }

  // Opens the window the way the menu does and waits until it has been shown.
  void open_window() {
    open_find_window();
    ASSERT_TRUE(ui_test::wait_for([] { return fw().loaded() && fw().alpha() == options().window_alpha; }));
    ui_test::settle();
  }
  void set_page_text(const std::string& text) {
    editor().set_text(text);
    editor().select(0, 0);
  }
  // The text the box shows for a message without a line break.
  static std::string box_text(const std::string& message) { return message + "\r\n"; }

  std::vector<Shown> shown;
};

// ---- The engine, through the menu's find next and find previous ----

struct Step {
  bool forward;
  int start, length;  // the selection afterwards (left as it was after a miss)
  int anchor;         // search_state().search_pos afterwards
  bool missed = false;
};

// U+1F600 (two places of the edit box) and U+00B5 (one) in their four-byte codes.
const std::string kGrin = "\x94\x39\xFC\x36";
const std::string kMicro = "\x81\x30\x85\x38";

struct Search {
  const char* name;
  std::string text, what;
  int ignore_case;
  int anchor;  // before the first step
  std::vector<Step> steps;
};

const Search kSearches[] = {
    {"forward to the end, then again past byte 1",
     "abcabc",
     "abc",
     1,
     0,
     {{true, 0, 3, 4}, {true, 3, 3, 7}, {true, 3, 3, 2, true}, {true, 3, 3, 7}}},
    {"backward from the second hit",
     "abcabc",
     "abc",
     1,
     7,
     {{false, 3, 3, 4}, {false, 0, 3, 1}, {false, 0, 3, -1, true}, {false, 0, 3, -1, true}, {true, 0, 3, 4}}},
    {"backward from the start state fails", "abcabc", "abc", 1, 0, {{false, 0, 0, -1, true}}},
    {"after a double-byte text", "中文abc中", "abc", 1, 0, {{true, 2, 3, 8}}},
    {"double-byte occurrences",
     "a中b中",
     "中",
     1,
     0,
     {{true, 1, 1, 4}, {true, 3, 1, 7}, {false, 3, 1, 5}, {false, 1, 1, 2}}},
    {"across line breaks", "x\r\nyab\r\nab", "ab", 1, 0, {{true, 4, 2, 7}, {true, 8, 2, 11}}},
    {"case folded", "xABC", "abc", 1, 0, {{true, 1, 3, 5}}},
    {"case kept", "xABCabc", "abc", 0, 0, {{true, 4, 3, 8}}},
    {"full-width letters are not folded", "ＡＢＣ", "ａｂｃ", 1, 0, {{true, 0, 0, 5, true}}},
    {"trail bytes are no backslash", "乗乗\\", "\\", 1, 0, {{true, 2, 1, 6}}},
    {"after characters above U+FFFF",
     kGrin + "中" + kGrin + "中",
     "中",
     1,
     0,
     {{true, 2, 1, 7}, {true, 5, 1, 13}, {false, 5, 1, 11}, {false, 2, 1, 5}}},
    {"a four-byte code found whole", "a" + kMicro + "b" + kMicro, kMicro, 1, 0, {{true, 1, 1, 6}, {true, 3, 1, 11}}},
    {"no digit inside a four-byte code", kMicro + "0", "0", 1, 0, {{true, 1, 1, 6}}},
    {"after a lead byte without its trail", "\x81 ab", "ab", 1, 0, {{true, 2, 2, 5}}},
    // The anchor of another page, or of this one before it changed, inside a character.
    {"backward from inside a four-byte code", kGrin, "9", 1, 3, {{false, 0, 0, -1, true}}},
    {"backward from inside a four-byte code, a digit before it",
     "9" + kGrin,
     "9",
     1,
     4,
     {{false, 0, 1, 1}}},
    {"forward from inside a two-byte code", "乗\\", "\\", 1, 2, {{true, 1, 1, 4}}},
};

TEST_F(FindTest, SearchesSelectTheOccurrenceWithAndWithoutTheScriptObject) {
  ASSERT_EQ(script_ready(), 1) << "start-up creates the script object under Wine";
  for (int script : {1, 0}) {
    set_script_ready(script);
    for (const Search& s : kSearches) {
      SCOPED_TRACE(std::string(s.name) + (script ? " (script)" : " (no script)"));
      set_page_text(s.text);
      set_search_text(s.what);
      set_find_ignore_case(s.ignore_case);
      set_search_pos(s.anchor);
      int n = 0;
      for (const Step& step : s.steps) {
        SCOPED_TRACE("step " + std::to_string(n++));
        shown.clear();
        step.forward ? find_next() : find_previous();
        EXPECT_EQ(search_state().search_forward, step.forward ? 1 : 0);
        EXPECT_EQ(editor().selection_start(), step.start);
        EXPECT_EQ(editor().selection_length(), step.length);
        EXPECT_EQ(search_state().search_pos, step.anchor);
        EXPECT_EQ(shown.size(), step.missed ? 1u : 0u);
      }
    }
  }
  set_script_ready(1);
}

// The edit box's text as the control holds it.
std::wstring box_units() {
  HWND h = static_cast<HWND>(editor().handle());
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
  return text;
}

// A page holding a byte escape before a space, "\x81 xy": the user deletes the space, and the
// box shows the escape's box, "x" and "y" while the bytes 81 78 79 now read as another character
// and "y". A search selects what the box shows: the "y", the "x", not the character next to the
// one the user asked for.
TEST_F(FindTest, AfterTheUserJoinsAByteEscapeToWhatFollowsTheFindSelectsWhatTheBoxShows) {
  ASSERT_TRUE(script_ready());
  struct Search {
    std::string what;
    bool forward;
    int anchor;
    int start, length;
  };
  const Search searches[] = {
      {"y", true, 0, 2, 1},
      {"x", true, 0, 1, 1},
      {"X", true, 0, 1, 1},
      {"y", false, 4, 2, 1},
      {"x", false, 4, 1, 1},
      {"\x81", true, 0, 0, 1},
  };
  for (int script : {1, 0}) {
    set_script_ready(script);
    set_page_text("\x81 xy");
    editor().select(2, 0);
    ui_test::press_key(editor(), VK_BACK);
    ASSERT_EQ(box_units(), L"\xDC81xy");
    ASSERT_EQ(editor().text(), "\x81xy");
    set_find_ignore_case(1);
    for (const Search& f : searches) {
      SCOPED_TRACE(f.what + (f.forward ? " down" : " up") + (script ? " (script)" : " (no script)"));
      shown.clear();
      editor().select(0, 0);
      set_search_text(f.what);
      set_search_pos(f.anchor);
      f.forward ? find_next() : find_previous();
      EXPECT_TRUE(shown.empty());
      EXPECT_EQ(editor().selection_start(), f.start);
      EXPECT_EQ(editor().selection_length(), f.length);
    }
  }
  set_script_ready(1);
}

// 替换 and 全部替换 on such a page replace the characters the box shows.
TEST_F(FindTest, AfterTheUserJoinsAByteEscapeToWhatFollowsReplacingTakesWhatTheBoxShows) {
  auto join = [this] {
    set_page_text("\x81 xyx");
    editor().select(2, 0);
    ui_test::press_key(editor(), VK_BACK);
    ASSERT_EQ(box_units(), L"\xDC81xyx");
  };
  open_window();
  join();
  fw().编辑框_查找文字.set_text("x");
  fw().编辑框_替换文字.set_text("Q");
  ui_test::click(fw().图形按钮_寻找);
  EXPECT_EQ(editor().selection_start(), 1);
  EXPECT_EQ(editor().selection_length(), 1);
  ui_test::click(fw().图形按钮_替换);
  // The box's "x" replaced, and the next "x" selected, the one after the "y".
  EXPECT_EQ(editor().text(), "\x81Qyx");
  EXPECT_EQ(editor().selection_start(), 3);
  EXPECT_EQ(editor().selection_length(), 1);
  EXPECT_TRUE(shown.empty());
  join();
  ui_test::click(fw().图形按钮_全部替换);
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(editor().text(), "\x81QyQ");
  EXPECT_EQ(fw().标签_上中.text(), "   寻找替换—共替换了2处");
}

TEST_F(FindTest, SelectionLengthCountsCharactersOfTheSearchText) {
  struct Case {
    std::string text, what;
    int start, length;
  };
  const Case cases[] = {
      {"x中a", "中a", 1, 2},      // its full-width form would have 4 bytes
      {"a\r\nb", "a\r\n", 0, 3},  // line breaks stay single-byte in the full-width form
      {"ab中文", "文", 3, 1},     // the occurrence starts with a double-byte character
      {"\t中\t", "中\t", 1, 2},
  };
  for (int script : {1, 0}) {
    set_script_ready(script);
    for (const Case& c : cases) {
      SCOPED_TRACE(c.what + (script ? " (script)" : " (no script)"));
      set_page_text(c.text);
      set_search_text(c.what);
      set_search_pos(0);
      find_next();
      EXPECT_EQ(editor().selection_start(), c.start);
      EXPECT_EQ(editor().selection_length(), c.length);
      EXPECT_EQ(editor().selected_text(), c.what);
    }
  }
  set_script_ready(1);
}

TEST_F(FindTest, TheScriptObjectCountsCharacters) {
  ASSERT_EQ(script_ready(), 1);
  EXPECT_EQ(count_chars_by_script("中文abc"), 5);
  EXPECT_EQ(count_chars_by_script(""), 0);
  EXPECT_EQ(count_chars_by_script("中\xD6"), 2);  // a lone lead byte at the end is one character
}

TEST_F(FindTest, NotFoundSaysSoOverTheFindWindowWhenLoadedElseOverTheMainWindow) {
  set_page_text("abc");
  const std::string expected = "  在当前页面找不到\"xyz...\"可能当前页不含此文本或者已经是最后一个！";
  set_search_text("xyz");
  editor().select(1, 1);
  find_next();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, "找不到或者已经是最后一个了！");
  EXPECT_EQ(shown[0].text, box_text(expected));
  EXPECT_EQ(shown[0].title_color, 0xFFu);
  EXPECT_EQ(shown[0].text_color, 0xFF00FFu);
  EXPECT_EQ(shown[0].icon, 48);
  EXPECT_EQ(shown[0].owner, w().handle());
  // The selection stays as it was.
  EXPECT_EQ(editor().selection_start(), 1);
  EXPECT_EQ(editor().selection_length(), 1);

  open_window();
  find_previous();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].owner, fw().handle());

  // Only the first 80 bytes of a long search text, cut before a character that does not fit.
  std::string long_text = std::string(79, 'a') + "中文";
  set_search_text(long_text);
  find_next();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[2].text,
            box_text("  在当前页面找不到\"" + std::string(79, 'a') + "...\"可能当前页不含此文本或者已经是最后一个！"));
}

TEST_F(FindTest, MenuFindPreviousAndNextDoNothingWithoutASearchText) {
  set_page_text("abc");
  editor().select(1, 1);
  set_search_forward(1);
  find_previous();
  find_next();
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(search_state().search_forward, 1);
  EXPECT_EQ(editor().selection_start(), 1);
  EXPECT_EQ(editor().selection_length(), 1);
}

// ---- The window ----

TEST_F(FindTest, TheWindowStartsFromTheSearchState) {
  set_page_text("some text");
  set_search_text("上次的");
  set_search_forward(0);
  set_find_ignore_case(0);
  rt::Font font = editor().font();
  open_window();
  EXPECT_EQ(fw().caption(), "Velmora_寻找替换");
  EXPECT_EQ(GetWindow(hw(fw().handle()), GW_OWNER), hw(w().handle()));
  EXPECT_EQ(fw().编辑框_查找文字.text(), "上次的");
  EXPECT_EQ(fw().编辑框_查找文字.selection_start(), 3);  // the caret at the end
  EXPECT_EQ(fw().编辑框_查找文字.selection_length(), 0);
  EXPECT_EQ(radio_button_state(fw().超级按钮_向上, ButtonOp::Query), 1);
  EXPECT_EQ(radio_button_state(fw().超级按钮_向下, ButtonOp::Query), 0);
  EXPECT_EQ(check_button_state(fw().超级按钮_区分大小写, ButtonOp::Query), 1);
  EXPECT_EQ(check_button_state(fw().超级按钮_全部替换完毕后退出, ButtonOp::Query), 0);
  EXPECT_EQ(fw().标签_上中.text(), "   寻找替换");
  EXPECT_EQ(fw().编辑框_查找文字.font().face, font.face);
  EXPECT_EQ(fw().编辑框_替换文字.font(), fw().编辑框_查找文字.font());
  EXPECT_TRUE(fw().图形按钮_程序图标.normal_picture().same_image(find_window_icon_picture()));
  EXPECT_TRUE(fw().图形按钮_关闭小.normal_picture().same_image(close_button_pictures()[0]));
  EXPECT_EQ(rt::tooltip_text(fw().图形按钮_关闭小), "关闭寻找替换窗口");
  EXPECT_EQ(rt::tooltip_text(fw().图形按钮_寻找), "开始寻找");
  EXPECT_EQ(rt::tooltip_text(fw().图形按钮_替换), "开始替换");
  EXPECT_EQ(rt::tooltip_text(fw().图形按钮_全部替换), "全部替换");
  // Centred over the main window.
  EXPECT_NEAR(fw().left() + fw().width() / 2, w().left() + w().width() / 2, 1);
  EXPECT_NEAR(fw().top() + fw().height() / 2, w().top() + w().height() / 2, 1);
  EXPECT_TRUE(fw().编辑框_查找文字.has_focus());
}

TEST_F(FindTest, TheFindTextEnablesTheCommandsAndRestartsTheSearch) {
  set_page_text("abcabc");
  open_window();
  for (rt::GraphicButton* b : {&fw().图形按钮_寻找, &fw().图形按钮_替换, &fw().图形按钮_全部替换})
    EXPECT_TRUE(b->disabled());
  // Enter in an empty find box moves on to the replace box.
  ui_test::press_key(fw().编辑框_查找文字, VK_RETURN);
  EXPECT_TRUE(fw().编辑框_替换文字.has_focus());
  EXPECT_TRUE(shown.empty());

  ui_test::type_text(fw().编辑框_查找文字, "abc");
  for (rt::GraphicButton* b : {&fw().图形按钮_寻找, &fw().图形按钮_替换, &fw().图形按钮_全部替换})
    EXPECT_FALSE(b->disabled());
  EXPECT_TRUE(fw().编辑框_查找文字.has_focus());
  ui_test::click(fw().图形按钮_寻找);
  EXPECT_EQ(search_state().search_text, "abc");
  EXPECT_EQ(editor().selection_start(), 0);
  EXPECT_EQ(editor().selection_length(), 3);
  ui_test::press_key(fw().编辑框_查找文字, VK_RETURN);
  EXPECT_EQ(editor().selection_start(), 3);
  EXPECT_EQ(search_state().search_pos, 7);
  EXPECT_FALSE(fw().图形按钮_替换.disabled());

  // A changed find text starts again from the top and drops the selection.
  ui_test::type_text(fw().编辑框_查找文字, "\b");
  EXPECT_EQ(fw().编辑框_查找文字.text(), "ab");
  EXPECT_EQ(search_state().search_pos, 0);
  EXPECT_EQ(editor().selection_length(), 0);
  EXPECT_EQ(search_state().search_text, "abc");  // only 寻找 takes the text
  ui_test::press_key(fw().编辑框_查找文字, VK_RETURN);
  EXPECT_EQ(editor().selection_start(), 0);
  EXPECT_EQ(editor().selection_length(), 2);

  // The window's activation follows the selection.
  editor().select(0, 0);
  w().set_focus();
  fw().set_focus();
  ui_test::settle();
  EXPECT_TRUE(fw().图形按钮_替换.disabled());
  EXPECT_TRUE(fw().图形按钮_全部替换.disabled());
  EXPECT_FALSE(fw().图形按钮_寻找.disabled());

  fw().编辑框_查找文字.set_text("");
  for (rt::GraphicButton* b : {&fw().图形按钮_寻找, &fw().图形按钮_替换, &fw().图形按钮_全部替换})
    EXPECT_TRUE(b->disabled());
}

TEST_F(FindTest, ArrowsMoveBetweenTheBoxes) {
  open_window();
  for (int key : {VK_UP, VK_DOWN}) {
    ui_test::press_key(fw().编辑框_查找文字, key);
    EXPECT_TRUE(fw().编辑框_替换文字.has_focus());
    ui_test::press_key(fw().编辑框_替换文字, key);
    EXPECT_TRUE(fw().编辑框_查找文字.has_focus());
  }
}

TEST_F(FindTest, ReplaceReplacesTheSelectionAndFindsTheNextOccurrence) {
  struct Case {
    const char* name;
    std::string text, what, with;
    std::vector<std::string> texts;  // after each 替换
    std::vector<int> starts;         // the selection start after each, -1 for not found
  };
  const Case cases[] = {
      // A shorter replacement does not hide the occurrence right after it.
      {"shorter", "abab", "ab", "x", {"xab", "xx"}, {1, -1}},
      // A replacement that holds the search text is not found in itself.
      {"holding the search text", "ab ab", "ab", "abab", {"abab ab", "abab abab"}, {5, -1}},
      {"double-byte", "中文x中文", "中文", "字", {"字x中文", "字x字"}, {2, -1}},
      {"longer", "a-a", "a", "bbb", {"bbb-a", "bbb-bbb"}, {4, -1}},
      {"characters above U+FFFF", kGrin + "a" + kGrin + "a", kGrin, "x", {"xa" + kGrin + "a", "xaxa"}, {2, -1}},
  };
  open_window();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    set_page_text(c.text);
    fw().编辑框_查找文字.set_text(c.what);
    fw().编辑框_替换文字.set_text(c.with);
    ui_test::click(fw().图形按钮_寻找);
    ASSERT_EQ(editor().selection_start(), 0);
    for (size_t i = 0; i < c.texts.size(); ++i) {
      shown.clear();
      ui_test::click(fw().图形按钮_替换);
      EXPECT_EQ(editor().text(), c.texts[i]) << i;
      if (c.starts[i] < 0) {
        EXPECT_EQ(shown.size(), 1u) << i;
      } else {
        EXPECT_TRUE(shown.empty()) << i;
        EXPECT_EQ(editor().selection_start(), c.starts[i]) << i;
        EXPECT_EQ(editor().selected_text(), c.what) << i;
      }
    }
  }
}

TEST_F(FindTest, ReplaceWithoutASelectionDoesNothing) {
  set_page_text("abab");
  open_window();
  fw().编辑框_查找文字.set_text("ab");
  fw().编辑框_替换文字.set_text("x");
  editor().select(1, 0);
  replace_selection_and_find();
  EXPECT_EQ(editor().text(), "abab");
  EXPECT_EQ(editor().selection_start(), 1);
  EXPECT_TRUE(shown.empty());
  // Enter in the replace box does nothing either while 替换 is disabled.
  fw().图形按钮_替换.set_disabled(true);
  ui_test::press_key(fw().编辑框_替换文字, VK_RETURN);
  EXPECT_EQ(editor().text(), "abab");
}

TEST_F(FindTest, EnterInTheReplaceBoxReplaces) {
  set_page_text("one two one");
  open_window();
  fw().编辑框_查找文字.set_text("one");
  fw().编辑框_替换文字.set_text("1");
  ui_test::press_key(fw().编辑框_查找文字, VK_RETURN);
  ui_test::press_key(fw().编辑框_替换文字, VK_RETURN);
  EXPECT_EQ(editor().text(), "1 two one");
  EXPECT_EQ(editor().selection_start(), 6);
  EXPECT_EQ(editor().selection_length(), 3);
}

TEST_F(FindTest, ReplaceAllReplacesEveryOccurrenceAndCountsThem) {
  struct Case {
    std::string text, what, with;
    bool match_case;
    std::string result;
    int count;
  };
  const Case cases[] = {
      {"ABC", "abc", "x", false, "x", 1},
      {"abab", "ab", "cd", false, "cdcd", 2},  // equal byte lengths
      {"Abc abc ABC", "abc", "x", true, "Abc x ABC", 1},
      {"Abc abc ABC", "abc", "x", false, "x x x", 3},
      {"中文，中文。", "中文", "", false, "，。", 2},
      {"aaa", "aa", "b", false, "ba", 1},
      {"乗\\乗\\", "\\", "/", false, "乗/乗/", 2},
  };
  open_window();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " / " + c.what);
    set_page_text(c.text);
    check_button_state(fw().超级按钮_区分大小写, ButtonOp::Set, c.match_case ? 1 : 0);
    fw().编辑框_查找文字.set_text(c.what);
    fw().编辑框_替换文字.set_text(c.with);
    ui_test::click(fw().图形按钮_全部替换);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(editor().text(), c.result);
    EXPECT_EQ(fw().标签_上中.text(), "   寻找替换—共替换了" + std::to_string(c.count) + "处");
    EXPECT_TRUE(fw().编辑框_查找文字.has_focus());
  }
}

// Whether two long texts are the same, told briefly: where they part.
::testing::AssertionResult same_text(const std::string& got, const std::string& want) {
  if (got == want) return ::testing::AssertionSuccess();
  size_t at = 0;
  while (at < got.size() && at < want.size() && got[at] == want[at]) ++at;
  return ::testing::AssertionFailure() << "lengths " << got.size() << " and " << want.size() << ", apart from byte "
                                       << at << ": \"" << got.substr(at, 40) << "\" instead of \""
                                       << want.substr(at, 40) << "\"";
}

// In a long page: with a few occurrences only they change in the edit box, so the page is whole
// at once; with many the box takes the new page piece by piece. Either way the box is left as a
// newly written text leaves it: one change, the caret at the start, nothing to undo.
TEST_F(FindTest, ReplaceAllInALongPageLeavesTheBoxAsANewText) {
  struct Case {
    const char* name;
    int marks;
    bool whole_at_once;
  };
  const Case cases[] = {{"a few occurrences", 3, true}, {"many occurrences", 300, false}};
  open_window();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string page;
    for (int i = 0; i < 12000; ++i)
      page += "第" + std::to_string(i) + "行，中文和 Latin 混排的一行文字。" +
              (i % (12000 / c.marks) == 7 ? "【标记】" : "") + "\r\n";
    set_page_text(page);
    ASSERT_TRUE(ui_test::wait_for([] { return !editor().handing_over(); }, 20000));
    editor().select(5000, 3);
    SendMessageW(hw(editor().handle()), EM_LINESCROLL, 0, 100);
    ui_test::type_text(editor(), "x");  // something to undo before
    std::string before = editor().text();
    const std::string expected = rt::replace_text(before, "【标记】", "<长一点的标记>");
    int changes = 0;
    auto changed = editor().on_changed;
    editor().on_changed = [&] {
      ++changes;
      changed();
    };
    check_button_state(fw().超级按钮_区分大小写, ButtonOp::Set, 1);
    fw().编辑框_查找文字.set_text("【标记】");
    fw().编辑框_替换文字.set_text("<长一点的标记>");
    ui_test::click(fw().图形按钮_全部替换);
    EXPECT_EQ(editor().handing_over(), !c.whole_at_once);
    ASSERT_TRUE(ui_test::wait_for([] { return !editor().handing_over(); }, 20000));
    editor().on_changed = changed;
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(same_text(editor().text(), expected));
    EXPECT_TRUE(same_text(page_content(tabs().current()), expected));
    EXPECT_EQ(fw().标签_上中.text(), "   寻找替换—共替换了" + std::to_string(c.marks) + "处");
    EXPECT_EQ(editor().selection_start(), 0);
    EXPECT_EQ(editor().selection_length(), 0);
    EXPECT_EQ(editor().first_visible_line(), 0);
    EXPECT_EQ(SendMessageW(hw(editor().handle()), EM_GETMODIFY, 0, 0), 0);
    EXPECT_FALSE(editor().can_undo());
    // An undo changes nothing; the next edit is undone back to the replaced page.
    editor().undo();
    EXPECT_TRUE(same_text(editor().text(), expected));
    editor().select(0, 0);
    ui_test::type_text(editor(), "字");
    EXPECT_TRUE(same_text(editor().text(), "字" + expected));
    ASSERT_TRUE(editor().can_undo());
    editor().undo();
    EXPECT_TRUE(same_text(editor().text(), expected));
  }
}

TEST_F(FindTest, ReplaceAllOfAnAbsentTextSaysSoAndChangesNothing) {
  set_page_text("Abc");
  open_window();
  fw().标签_上中.set_text("   寻找替换—共替换了3处");
  check_button_state(fw().超级按钮_区分大小写, ButtonOp::Set, 1);
  fw().编辑框_查找文字.set_text("abc");
  int changes = 0;
  auto changed = editor().on_changed;
  editor().on_changed = [&] {
    ++changes;
    changed();
  };
  ui_test::click(fw().图形按钮_全部替换);
  editor().on_changed = changed;
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, "未找到要替换的类容！");
  EXPECT_EQ(shown[0].text, box_text(" 未在当前页面找到\"abc\"，请确定是否存在，或者是否在这一页面！"));
  EXPECT_EQ(shown[0].icon, 32);
  EXPECT_EQ(shown[0].title_color, 0xFFu);
  EXPECT_EQ(shown[0].text_color, 0xFF00FFu);
  EXPECT_EQ(shown[0].owner, fw().handle());
  EXPECT_EQ(editor().text(), "Abc");
  EXPECT_EQ(fw().标签_上中.text(), "   寻找替换");
  EXPECT_EQ(changes, 0);
}

TEST_F(FindTest, ReplaceAllClosesTheWindowWhenAsked) {
  set_page_text("a a a");
  open_window();
  ui_test::click(fw().超级按钮_全部替换完毕后退出);
  EXPECT_EQ(check_button_state(fw().超级按钮_全部替换完毕后退出, ButtonOp::Query), 1);
  fw().编辑框_查找文字.set_text("a");
  fw().编辑框_替换文字.set_text("b");
  ui_test::click(fw().图形按钮_全部替换);
  EXPECT_EQ(editor().text(), "b b b");
  EXPECT_FALSE(fw().loaded());
  // Not remembered: the next window starts with it off.
  open_window();
  EXPECT_EQ(check_button_state(fw().超级按钮_全部替换完毕后退出, ButtonOp::Query), 0);
}

TEST_F(FindTest, OptionButtons) {
  set_page_text("Ab ab AB");
  set_search_forward(1);
  set_find_ignore_case(1);
  open_window();
  ui_test::click(fw().超级按钮_区分大小写);
  EXPECT_EQ(search_state().find_ignore_case, 0);
  EXPECT_EQ(check_button_state(fw().超级按钮_区分大小写, ButtonOp::Query), 1);
  ui_test::click(fw().超级按钮_区分大小写);
  EXPECT_EQ(search_state().find_ignore_case, 1);

  // Clicking the radio that is already on changes nothing.
  struct Click {
    rt::GraphicButton* radio;
    int forward;  // afterwards, shown by 向下 on and 向上 off
  };
  const Click clicks[] = {
      {&fw().超级按钮_向下, 1}, {&fw().超级按钮_向上, 0}, {&fw().超级按钮_向上, 0}, {&fw().超级按钮_向下, 1}};
  for (const Click& c : clicks) {
    ui_test::click(*c.radio);
    EXPECT_EQ(radio_button_state(fw().超级按钮_向下, ButtonOp::Query), c.forward);
    EXPECT_EQ(radio_button_state(fw().超级按钮_向上, ButtonOp::Query), 1 - c.forward);
    EXPECT_EQ(search_state().search_forward, c.forward);
  }

  // Match case then finds only the exact occurrence.
  ui_test::click(fw().超级按钮_区分大小写);
  fw().编辑框_查找文字.set_text("ab");
  ui_test::click(fw().图形按钮_寻找);
  EXPECT_EQ(editor().selection_start(), 3);
}

TEST_F(FindTest, TheRadiosShowTheDirectionOnlyAsItWasWhenTheWindowWasCreated) {
  set_page_text("ab ab ab");
  set_search_forward(1);
  open_window();
  fw().编辑框_查找文字.set_text("ab");
  ui_test::click(fw().图形按钮_寻找);
  ui_test::click(fw().图形按钮_寻找);
  EXPECT_EQ(editor().selection_start(), 3);
  find_previous();  // the menu's 找上一个
  EXPECT_EQ(editor().selection_start(), 3);
  EXPECT_EQ(radio_button_state(fw().超级按钮_向下, ButtonOp::Query), 1);
  ui_test::click(fw().图形按钮_寻找);  // searches backward
  EXPECT_EQ(editor().selection_start(), 0);
}

TEST_F(FindTest, TheFirstClickIntoABoxSelectsAllOfIt) {
  open_window();
  fw().编辑框_查找文字.set_text("寻找的文字");
  fw().编辑框_替换文字.set_text("替换");
  for (int box : {0, 1}) {
    SCOPED_TRACE(box);
    rt::EditBox& e = box == 0 ? fw().编辑框_查找文字 : fw().编辑框_替换文字;
    rt::EditBox& other = box == 0 ? fw().编辑框_替换文字 : fw().编辑框_查找文字;
    other.set_focus();
    ui_test::click(e, 2, 5);
    EXPECT_EQ(e.selection_start(), 0);
    EXPECT_EQ(e.selection_length(), e.text_length());
    ui_test::click(e, 2, 5);
    EXPECT_EQ(e.selection_length(), 0);
    other.set_focus();
    ui_test::click(e, 2, 5);
    EXPECT_EQ(e.selection_length(), e.text_length());
  }
}

TEST_F(FindTest, ClosingKeepsTheSearchStateForTheMenuAndTheNextWindow) {
  set_page_text("xy xy xy");
  open_window();
  fw().编辑框_查找文字.set_text("xy");
  ui_test::click(fw().超级按钮_区分大小写);
  ui_test::click(fw().图形按钮_寻找);
  ui_test::click(fw().图形按钮_关闭小);
  EXPECT_FALSE(fw().loaded());
  find_next();
  EXPECT_EQ(editor().selection_start(), 3);
  open_window();
  EXPECT_EQ(fw().编辑框_查找文字.text(), "xy");
  EXPECT_EQ(check_button_state(fw().超级按钮_区分大小写, ButtonOp::Query), 1);
  // With fading on the window fades out before it goes.
  set_option(&OptionValues::fade_enabled, 1);
  close_find_window();
  EXPECT_FALSE(fw().loaded());
  open_window();
  EXPECT_EQ(fw().alpha(), options().window_alpha);
  EXPECT_TRUE(fw().visible());
}

TEST_F(FindTest, ShortcutsOpenTheWindowAndRepeatTheSearch) {
  ui_test::press_key(editor(), 'F', rt::kCtrl);  // an empty page: no window
  ui_test::settle();
  EXPECT_FALSE(fw().loaded());
  set_page_text("ab ab");
  ui_test::press_key(editor(), 'R', rt::kCtrl);  // no search text yet: nothing
  ui_test::press_key(editor(), 'E', rt::kCtrl);
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(editor().text(), "ab ab");
  set_search_text("ab");
  ui_test::press_key(editor(), 'R', rt::kCtrl);
  EXPECT_EQ(editor().selection_start(), 0);
  ui_test::press_key(editor(), 'R', rt::kCtrl);
  EXPECT_EQ(editor().selection_start(), 3);
  ui_test::press_key(editor(), 'E', rt::kCtrl);
  EXPECT_EQ(editor().selection_start(), 3);
  EXPECT_EQ(search_state().search_forward, 0);
  EXPECT_EQ(editor().text(), "ab ab");  // the keys never reach the edit box
  ui_test::press_key(editor(), 'F', rt::kCtrl);
  ASSERT_TRUE(ui_test::wait_for([] { return fw().loaded() && fw().alpha() == options().window_alpha; }));
}

TEST_F(FindTest, ShutdownFadesTheWindowOut) {
  set_page_text("abc");
  open_window();
  release_main_window();
  EXPECT_FALSE(fw().visible() && fw().alpha() > 0);
}

TEST_F(FindTest, Screenshot) {
  set_page_text(
      "寻找替换示例\r\n"
      "Velmora 是一个带标签页的纯文本编辑器。\r\n"
      "在当前页面中寻找文字，找到的文字会被选中。\r\n"
      "再次寻找会从上次找到的位置之后继续。\r\n");
  open_window();
  fw().编辑框_查找文字.set_text("寻找");
  fw().编辑框_替换文字.set_text("查找");
  ui_test::click(fw().图形按钮_寻找);
  ui_test::click(fw().图形按钮_寻找);
  ASSERT_EQ(editor().selected_text(), "寻找");
  ui_test::screenshot("find_window");
  EXPECT_TRUE(ui_test::layout_is_sound(fw()));
}

}  // namespace
