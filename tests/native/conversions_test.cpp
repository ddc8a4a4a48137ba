// The whole-text conversions of the edit box and the number-range rules, on GBK text.
// 亅 is the GBK character 81 7C and 乕 is 81 5B: their trail bytes are "|" and "[".
#include "texttools/conversions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "runtime/gbk_text.h"
#include "texttools/number_ranges.h"

namespace {

using Pieces = std::vector<std::string>;

TEST(PercentCoding, EncodeKeepsOnlyDigitsAndLettersAndWritesEveryOtherByteInHex) {
  const std::pair<std::string, std::string> cases[] = {
      {"a-b c", "a%2Db%20c"},
      {"中", "%D6%D0"},  // the GBK bytes, no UTF-8
      {"", ""},
      {"AZaz09", "AZaz09"},
      {"\x01~+%", "%01%7E%2B%25"},
      {"\xFF\r\n", "%FF%0D%0A"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(percent_encode_text(text), expected) << text;
}

TEST(PercentCoding, DecodeTakesTheTwoBytesAfterEveryPercentAsUncheckedDigits) {
  const std::pair<std::string, std::string> cases[] = {
      {"%41%2x", "A\x1E"},  // "x" is no digit: 2 * 16 - 2
      {"%d6%d0", "中"},     // digits in either case
      {"a+b", "a+b"},       // "+" stays
      {"%G1", "\xE1"},      // -2 * 16 + 1, its low eight bits
      {"%%41",
       "\xE4"
       "1"},  // the second "%" is a digit of the first
      {"中%41文", "中A文"},
      {"", ""},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(percent_decode_text(text), expected) << text;
}

TEST(PercentCoding, DecodeLeavesCutEscapesAndZeroBytesAsTheyAre) {
  const std::pair<std::string, std::string> cases[] = {
      {"%", "%"},       {"a%", "a%"},   {"%4", "%4"},
      {"ab%4", "ab%4"}, {"%00", "%00"}, {"x%00%41", "x%00A"},  // the text goes on after it
      {"%0", "%0"},
  };
  for (const auto& [text, expected] : cases) {
    std::string decoded = percent_decode_text(text);
    EXPECT_EQ(decoded, expected) << text;
    EXPECT_EQ(decoded.find('\0'), std::string::npos) << text;
  }
}

TEST(PercentCoding, EveryByteComesBackThroughEncodeAndDecode) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(percent_decode_text(percent_encode_text(all)), all);
}

TEST(LyricTags, TagsAreRemovedAndATextWithoutThemGivesNothing) {
  struct Case {
    std::string text;
    bool removed;
    std::string out;
  };
  const Case cases[] = {
      {"[00:01.00]la", true, "la"},
      {"[ti:歌]\r\n[00:01.00][00:05.50]第一句\r\n[00:09.00]第二句", true, "\r\n第一句\r\n第二句"},
      {"[00:01.00]", true, ""},  // only tags: removed, and nothing is left
      {"no brackets", false, ""},
      {"a[b", false, ""},
      {"", false, ""},
      {"[AB]x[ab]", true, "x"},     // each collected text is removed as it is written
      {"乕1]x[1]", true, "乕1]x"},  // a trail byte "[" opens no tag
      {"[a[b]c", true, "c"},        // "a[b" and "b" are collected; removing "[a[b]" leaves no "[b]"
  };
  for (const Case& c : cases) {
    std::string out = "stale";
    EXPECT_EQ(remove_lyric_tags(c.text, out), c.removed) << c.text;
    EXPECT_EQ(out, c.out) << c.text;
    EXPECT_EQ(strip_lyric_tags(c.text), c.out) << c.text;
  }
}

TEST(LineBreaks, ReplacedEitherWayWithTheTrueCount) {
  ReplaceResult r = replace_line_breaks("a\r\nb\r\nc\r\n", "中");
  EXPECT_EQ(r.text, "a中b中c中");
  EXPECT_EQ(r.count, 3);  // a two-byte replacement does not change the count
  r = replace_line_breaks("a\r\nb", "");
  EXPECT_EQ(r.text, "ab");
  EXPECT_EQ(r.count, 1);
  r = replace_line_breaks("\r\r\n\n", "|");
  EXPECT_EQ(r.text, "\r|\n");
  EXPECT_EQ(r.count, 1);
  r = replace_line_breaks("none", "x");
  EXPECT_EQ(r.text, "none");
  EXPECT_EQ(r.count, 0);

  r = line_breaks_for("a,b,,c", ",");
  EXPECT_EQ(r.text, "a\r\nb\r\n\r\nc");
  EXPECT_EQ(r.count, 3);
  r = line_breaks_for("甲和乙和丙", "和");
  EXPECT_EQ(r.text, "甲\r\n乙\r\n丙");
  EXPECT_EQ(r.count, 2);
  r = line_breaks_for("亅|", "|");  // the trail byte of 亅 is no "|"
  EXPECT_EQ(r.text, "亅\r\n");
  EXPECT_EQ(r.count, 1);
  r = line_breaks_for("abc", "");  // nothing to look for: nothing replaced
  EXPECT_EQ(r.text, "abc");
  EXPECT_EQ(r.count, 0);
}

TEST(MiddleTexts, RulesSplitAtTheFirstBarAndEmptyDelimitersAreLineBreaks) {
  struct Case {
    std::string rule, left, right;
  };
  const Case cases[] = {
      {"[|]", "[", "]"},    {"|", "\r\n", "\r\n"}, {"<b>", "<b>", "\r\n"},
      {"|]", "\r\n", "]"},  {"a|b|c", "a", "b|c"}, {"亅|x", "亅", "x"},  // the bar inside 亅 does not split
      {"", "\r\n", "\r\n"},
  };
  for (const Case& c : cases) {
    MiddleTextRule r = parse_middle_text_rule(c.rule);
    EXPECT_EQ(r.left, c.left) << c.rule;
    EXPECT_EQ(r.right, c.right) << c.rule;
  }
}

TEST(MiddleTexts, PiecesAndTheirLines) {
  struct Case {
    std::string text, rule;
    Pieces pieces;
    std::string joined;
  };
  const Case cases[] = {
      {"a[1]b[2]", "[|]", {"1", "2"}, "1\r\n2"},
      {"x\r\ny\r\nz\r\n", "|", {"y", "z"}, "y\r\nz"},  // line breaks on both sides
      {"名:甲\r\n名:乙", "名:", {"甲"}, "甲"},         // the last has no line break after it
      {"abc", "[|]", {}, ""},
      {"[]", "[|]", {""}, ""},
  };
  for (const Case& c : cases) {
    Pieces p = middle_texts(c.text, parse_middle_text_rule(c.rule));
    EXPECT_EQ(p, c.pieces) << c.rule << " on " << c.text;
    EXPECT_EQ(join_lines(p), c.joined) << c.rule << " on " << c.text;
  }
  EXPECT_EQ(delimiter_label("\r\n"), "换行符");
  EXPECT_EQ(delimiter_label("["), "[");
}

TEST(NumberRanges, RulesAndTheirLimits) {
  struct Case {
    std::string rule;
    bool ok;
    double start, end;
    long long count;
    std::string tail, label;
  };
  const Case cases[] = {
      {"0-9|#", true, 0, 9, 10, "#", "0到9"},
      {"9-0|#", true, 0, 9, 10, "#", "0到9"},  // swapped
      {"1--3|", true, 1, 3, 3, "", "1到3"},    // "--" counts as "-"
      {"0.5-3|", true, 0.5, 3, 3, "", "0.5到3"},
      {"1-2|a|b", true, 1, 2, 2, "a|b", "1到2"},
      {"5-5|x", true, 5, 5, 1, "x", "5"},  // equal ends: that one number
      {"0-9", true, 0, 9, 10, "", "0到9"},
      {"1-1000000|", true, 1, 1000000, 1000000, "", "1到1000000"},
      {"1-2-3|#", false},
      {"5|#", false},  // no end number
      {"5-|#", false},
      {"|#", false},
      {"0-1000000|", false},  // more than a million numbers
      // Infinite ends have no numbers to count, and from 10^13 on neighbouring numbers would be
      // written alike.
      {"1e999-1e999|", false},
      {"0-1e999|", false},
      {"1e999-0|", false},
      {"10000000000000-10000000000002|", false},
      {"1e13-1e13|", false},
      {"9999999999998-9999999999999|x", true, 9999999999998, 9999999999999, 2, "x", "9999999999998到9999999999999"},
  };
  for (const Case& c : cases) {
    NumberRange r;
    ASSERT_EQ(parse_number_range(c.rule, r), c.ok) << c.rule;
    if (!c.ok) continue;
    EXPECT_DOUBLE_EQ(r.start, c.start) << c.rule;
    EXPECT_DOUBLE_EQ(r.end, c.end) << c.rule;
    EXPECT_EQ(r.count, c.count) << c.rule;
    EXPECT_EQ(r.tail, c.tail) << c.rule;
    EXPECT_EQ(number_range_label(r), c.label) << c.rule;
  }
}

TEST(NumberRanges, InsertionTextsAndRefusals) {
  const struct {
    const char* rule;
    bool ok;
    const char* text;
  } cases[] = {
      {"1-5|,", true, "1,2,3,4,5"},
      {"0.5-2|/", true, "0.5/1.5"},
      {"7-7|,", true, "7"},
      {"9999999999998-9999999999999|,", true, "9999999999998,9999999999999"},
      {"1e999-1e999|,", false, ""},
      {"10000000000000-10000000000001|,", false, ""},
  };
  for (const auto& c : cases) {
    std::string text = "kept";
    EXPECT_EQ(number_range_text(c.rule, text), c.ok) << c.rule;
    EXPECT_EQ(text, c.ok ? c.text : "kept") << c.rule;
  }
}

TEST(NumberRanges, NumbersAreReplacedOneAfterAnotherInTheRunningText) {
  struct Case {
    std::string text, rule, expected;
  };
  const Case cases[] = {
      {"a1b22c9中0", "0-9|#", "a#b##c#中#"},
      {"a1b22c9中0", "9-0|#", "a#b##c#中#"},
      {"10 11", "0-10|x", "xx xx"},  // "0" and "1" go first; "10" is gone by its turn
      {"121", "2-12|", ""},          // "2" leaves "11", which step 11 then removes
      {"5 55 6", "5-5|x", "x xx 6"},
      {"0.5 1.5 2", "0.5-1.5|#", "# # 2"},
      {"123", "4-6|x", "123"},
      {"1", "1-3|123", "112123123"},  // the replacement's own digits are replaced by later steps
  };
  for (const Case& c : cases) {
    NumberRange r;
    ASSERT_TRUE(parse_number_range(c.rule, r)) << c.rule;
    EXPECT_EQ(replace_range_numbers(c.text, r), c.expected) << c.rule << " on " << c.text;
  }
}

TEST(NumberRanges, TextsThatWouldGrowPastTheLimitAreRefused) {
  const struct {
    const char* text;
    const char* rule;
    size_t limit;
    bool ok;
  } cases[] = {
      {"1 1", "1-1|22", 5, true},   // "22 22": just within
      {"1 1", "1-1|22", 4, false},
      {"1 1", "1-2|22", 9, true},   // then "2222 2222"
      {"1 1", "1-2|22", 8, false},
      {"1 1", "1-2|", 0, true},     // shrinking is always allowed
  };
  for (const auto& c : cases) {
    NumberRange r;
    ASSERT_TRUE(parse_number_range(c.rule, r)) << c.rule;
    std::optional<std::string> out = replace_range_numbers(c.text, r, c.limit);
    EXPECT_EQ(out.has_value(), c.ok) << c.rule << " within " << c.limit;
    if (out) {
      EXPECT_LE(out->size(), std::max<size_t>(c.limit, 3)) << c.rule;
    }
  }
  // Each step's replacement holds ten of every later step's number: the text would multiply by
  // eleven per step, to gigabytes.
  NumberRange r;
  std::string tail;
  for (int i = 0; i < 10; ++i) tail += "23456789";
  ASSERT_TRUE(parse_number_range("1-9|" + tail, r));
  EXPECT_FALSE(replace_range_numbers("1", r).has_value());
  // An insertion of a million numbers with a long separator.
  std::string text = "kept";
  EXPECT_FALSE(number_range_text("1-1000000|" + std::string(100, ','), text));
  EXPECT_EQ(text, "kept");
  EXPECT_TRUE(number_range_text("1-3|,,", text, 7));
  EXPECT_EQ(text, "1,,2,,3");
  EXPECT_FALSE(number_range_text("1-3|,,", text, 6));
}

TEST(NumberRanges, TheQuickLooksSkipNoNumberThatTheStepByStepRuleReplaces) {
  // Replacements that build new and longer numbers for later steps, fractions and long ranges.
  const char* const texts[] = {"1", "a9b99c999", "第12章 345 中0", "1x2x3 10 100 1000", "0.5 1.5 12.5"};
  const char* const rules[] = {"1-12|12x", "9-100|10", "0-2000|1", "0-999|", "0.5-20|7", "1-1|0", "10-12|1"};
  for (const char* text : texts) {
    for (const char* rule : rules) {
      NumberRange r;
      ASSERT_TRUE(parse_number_range(rule, r)) << rule;
      std::string step_by_step = text;
      for (long long k = 0; k < r.count; ++k)
        step_by_step = rt::replace_text(step_by_step, number_range_item(r, k), r.tail);
      EXPECT_EQ(replace_range_numbers(text, r), step_by_step) << rule << " on " << text;
    }
  }
}

}  // namespace
