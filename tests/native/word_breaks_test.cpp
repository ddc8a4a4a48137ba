// The page editor's line breaks and word stops: blanks, CJK characters and the punctuation that
// must stay with its neighbour.
#include "runtime/word_breaks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The positions a line may break at, from 1 to the line's length.
std::vector<size_t> breaks(std::u16string_view line) {
  std::vector<size_t> out;
  for (size_t i = 0; i <= line.size(); ++i)
    if (rt::may_break_before(line, i)) out.push_back(i);
  return out;
}

TEST(WordBreaks, WhereALineMayBreak) {
  struct Case {
    const char* name;
    std::u16string line;
    std::vector<size_t> expected;
  };
  const Case cases[] = {
      {"empty", u"", {}},
      {"a word", u"abc", {3}},
      {"after blanks, not inside them", u"ab  cd\tef", {4, 7, 9}},
      {"the full-width blank", u"ab　cd", {3, 5}},
      {"between CJK characters", u"中文字", {1, 2, 3}},
      {"never before closing punctuation", u"中文，字。", {1, 3, 5}},
      {"never after opening punctuation", u"说《书名》吧", {1, 3, 5, 6}},
      {"quotes stay with their words", u"他说“好”了", {1, 2, 5, 6}},
      {"Latin and digits beside CJK", u"共100个item", {1, 4, 5, 9}},
      {"ASCII punctuation inside a word", u"f(x),1.5", {8}},
      {"the prolonged sound mark", u"データ", {2, 3}},
  };
  for (const Case& c : cases) EXPECT_EQ(breaks(c.line), c.expected) << c.name;
  EXPECT_FALSE(rt::may_break_before(u"中文", 0));
  EXPECT_TRUE(rt::may_break_before(u"中文", 7));  // past the end
}

TEST(WordBreaks, LeftAndRightStopsAsTheControlAsksThem) {
  struct Case {
    std::u16string line;
    size_t index, left, right;
  };
  const Case cases[] = {
      // The start of the word left of the position, and the next start at or after it.
      {u"abc def", 5, 4, 7}, {u"abc def", 4, 0, 4},  {u"abc def", 0, 0, 4},
      {u"abc def", 7, 4, 7}, {u"abc def", 99, 4, 7},  // past the end: measured from the end
      {u"中文字", 1, 0, 1},  {u"中文字", 2, 1, 2},   {u"中文字", 3, 2, 3},
      {u"   ", 2, 0, 3},  // blanks only: no break inside
      {u"", 0, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rt::break_left(c.line, c.index), c.left) << c.index;
    EXPECT_EQ(rt::break_right(c.line, c.index), c.right) << c.index;
  }
}

TEST(WordBreaks, Delimiters) {
  for (char16_t c : std::u16string(u" \t\r\n　")) EXPECT_TRUE(rt::is_word_delimiter(c)) << int(c);
  for (char16_t c : std::u16string(u"a,中。_")) EXPECT_FALSE(rt::is_word_delimiter(c)) << int(c);
}

}  // namespace
