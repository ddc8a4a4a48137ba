// The paragraph rules over every member, on GBK text with full-width spaces and digits.
#include "texttools/paragraphs.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using R = ParagraphRule;

struct Case {
  R rule;
  std::string text, expected;
};

std::string rule_name(R r) {
  static const char* const names[] = {"Trim",  "TrimStart", "TrimEnd",    "DropEmpty", "IndentHalf",  "IndentFull",
                                      "Space", "Number",    "NumberFull", "Unnumber",  "UnnumberFull"};
  return names[static_cast<int>(r)];
}

void check(const Case& c) {
  EXPECT_EQ(transform_paragraphs(c.text, c.rule), c.expected) << rule_name(c.rule) << " on \"" << c.text << "\"";
}

constexpr R kAllRules[] = {R::Trim,  R::TrimStart, R::TrimEnd,    R::DropEmpty, R::IndentHalf,  R::IndentFull,
                           R::Space, R::Number,    R::NumberFull, R::Unnumber,  R::UnnumberFull};

TEST(Paragraphs, EmptyTextStaysEmptyForEveryRule) {
  for (R r : kAllRules) check({r, "", ""});
}

TEST(Paragraphs, LastLineGainsOneLineBreakAndKeepsExactlyOne) {
  const Case cases[] = {
      {R::Trim, "a", "a\r\n"},
      {R::Trim, "a\r\n", "a\r\n"},
      {R::TrimStart, "a", "a\r\n"},
      {R::TrimEnd, "a\r\n", "a\r\n"},
      {R::DropEmpty, "a", "a\r\n"},
      {R::DropEmpty, "a\r\n", "a\r\n"},
      {R::IndentHalf, "a", "  a\r\n"},
      {R::IndentFull, "a\r\n", "　　a\r\n"},
      {R::Space, "a", "a\r\n\r\n"},
      {R::Space, "a\r\n", "a\r\n\r\n"},
      {R::Number, "a", "1.a\r\n"},
      {R::NumberFull, "a\r\n", "１．a\r\n"},
      {R::Unnumber, "a", "  a\r\n"},
      {R::UnnumberFull, "a\r\n", "　　a\r\n"},
      // A page that is one line break: one empty line, kept or dropped by the rule.
      {R::Trim, "\r\n", "\r\n"},
      {R::Space, "\r\n", "\r\n\r\n"},
      {R::DropEmpty, "\r\n", ""},
      {R::Number, "\r\n", ""},
  };
  for (const Case& c : cases) check(c);
}

TEST(Paragraphs, TrimmingKeepsEmptyLinesAndEmptiesBlankOnes) {
  const Case cases[] = {
      {R::Trim, " a \r\n\r\nb", "a\r\n\r\nb\r\n"},
      {R::Trim, "　 a　\r\n 　 \r\nb", "a\r\n\r\nb\r\n"},
      {R::TrimStart, " a \r\n　\r\n\r\n", "a \r\n\r\n\r\n"},
      {R::TrimEnd, " a \r\n　\r\n", " a\r\n\r\n"},
      {R::TrimEnd, "文字　 ", "文字\r\n"},
      // Tabs and lone CR or LF are no spaces and no line breaks.
      {R::Trim, "\ta\n\rb \r\n", "\ta\n\rb\r\n"},
      // 啊 is B0 A1 and “ is A1 B0: the bytes A1 A1 across them are no full-width space.
      {R::Trim, "啊“", "啊“\r\n"},
      {R::DropEmpty, "啊“", "啊“\r\n"},
  };
  for (const Case& c : cases) check(c);
}

TEST(Paragraphs, DroppingEmptyLinesDropsBlankOnesToo) {
  check({R::DropEmpty, "x\r\n\r\n　　\r\n  \r\n y \r\n", "x\r\n y \r\n"});
  check({R::DropEmpty, "x\r\n　　\r\ny", "x\r\ny\r\n"});
}

TEST(Paragraphs, IndentingAndSpacingKeepEveryLine) {
  const Case cases[] = {
      {R::IndentHalf, "a\r\n\r\n  b", "  a\r\n  \r\n    b\r\n"},
      {R::IndentFull, "a\r\n\r\n", "　　a\r\n　　\r\n"},
      {R::Space, "a\r\n\r\n b", "a\r\n\r\n\r\n\r\n b\r\n\r\n"},
  };
  for (const Case& c : cases) check(c);
}

TEST(Paragraphs, NumberingCountsKeptLinesOnly) {
  const Case cases[] = {
      {R::Number, "x\r\n\r\n  y\r\n", "1.x\r\n2.y\r\n"},
      {R::Number, "x\r\n　 \r\n　y ", "1.x\r\n2.y \r\n"},
      {R::NumberFull, "a\r\nb\r\n\r\nc", "１．a\r\n２．b\r\n３．c\r\n"},
  };
  for (const Case& c : cases) check(c);
  std::string ten, numbered, numbered_full;
  for (int i = 1; i <= 10; ++i) {
    ten += "l\r\n";
    numbered += std::to_string(i) + ".l\r\n";
  }
  check({R::Number, ten, numbered});
  EXPECT_EQ(transform_paragraphs(ten, R::NumberFull).substr(9 * 7), "１０．l\r\n");
}

TEST(Paragraphs, UnnumberingCutsAtTheFirstStop) {
  const Case cases[] = {
      {R::Unnumber, "1.x\r\n2.y\r\n", "  x\r\n  y\r\n"},
      {R::Unnumber, "A.B.C", "  B.C\r\n"},
      {R::Unnumber, "no stop\r\n\r\n  \r\n.", "  no stop\r\n  \r\n"},
      {R::Unnumber, "１．x", "  １．x\r\n"},  // a full-width stop is not "."
      {R::UnnumberFull, "１．x\r\n\r\n２．y．z", "　　x\r\n　　y．z\r\n"},
      {R::UnnumberFull, "1.x", "　　1.x\r\n"},
      // 埃 is B0 A3, followed by a character that begins with AE: the bytes A3 AE across
      // them are no full-width stop.
      {R::UnnumberFull, "\xB0\xA3\xAE\xA1x", "　　\xB0\xA3\xAE\xA1x\r\n"},
  };
  for (const Case& c : cases) check(c);
}

TEST(Paragraphs, NumberingThenUnnumberingGivesIndentedLines) {
  std::string text = "x\r\n\r\n  y";
  EXPECT_EQ(transform_paragraphs(transform_paragraphs(text, R::Number), R::Unnumber), "  x\r\n  y\r\n");
  EXPECT_EQ(transform_paragraphs(transform_paragraphs(text, R::NumberFull), R::UnnumberFull), "　　x\r\n　　y\r\n");
}

}  // namespace
