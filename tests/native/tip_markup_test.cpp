// The colour tags of tip texts and the lines a tip breaks its runs into.
#include "runtime/tip_markup.h"

#include <gtest/gtest.h>

#include <ostream>

namespace rt {
std::ostream& operator<<(std::ostream& os, const TipRun& r) {
  os << "{\"" << r.text << "\", ";
  if (r.color)
    os << std::hex << "0x" << *r.color << std::dec;
  else
    os << "none";
  return os << "}";
}
}  // namespace rt

namespace {

using rt::TipRun;
constexpr unsigned kRed = 0x0000FF, kBlue = 0xFF0000;

TEST(TipMarkup, TheTagsOfTheProgramsTipsColourTheirRuns) {
  struct Case {
    const char* text;
    std::vector<TipRun> runs;
  };
  const Case cases[] = {
      {"<font color=red>关闭本程序<font>", {{"关闭本程序", kRed}}},
      {"<font color=red>关闭设置窗口<font>", {{"关闭设置窗口", kRed}}},
      {"<font color=red>关闭更新窗口", {{"关闭更新窗口", kRed}}},
      {"前<FONT COLOR=\"Blue\">中</font>后", {{"前", {}}, {"中", kBlue}, {"后", {}}}},
      {"<font color=#00FF00>绿</font><font color=255>红", {{"绿", 0x00FF00u}, {"红", kRed}}},
      {"<font size=3>字", {{"字", {}}}},
      {"最小化程序", {{"最小化程序", {}}}},
      // Not tags: shown as written.
      {"a < b > c", {{"a < b > c", {}}}},
      {"<b>粗</b>", {{"<b>粗</b>", {}}}},
      {"半个<font color=red", {{"半个<font color=red", {}}}},
      {"'Alt+←'或'Shift+滚轮前滚'", {{"'Alt+←'或'Shift+滚轮前滚'", {}}}},
      {"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    rt::TipMarkup m = rt::parse_tip_markup(c.text);
    EXPECT_EQ(m.runs, c.runs);
    EXPECT_FALSE(m.text_color || m.back_color || m.border_color);
  }
  // An unknown colour leaves the run in the tip's own colour.
  EXPECT_EQ(rt::parse_tip_markup("<font color=mauve>字</font>").runs, (std::vector<TipRun>{{"字", {}}}));
}

TEST(TipMarkup, TheTabTipsTagsColourTheWholeTip) {
  rt::TipMarkup m = rt::parse_tip_markup("<color=16711680>新建文档 1<Backcolor=16048819><bordercolor=9795920>");
  EXPECT_EQ(m.runs, (std::vector<TipRun>{{"新建文档 1", {}}}));
  EXPECT_EQ(m.text_color, 16711680u);
  EXPECT_EQ(m.back_color, 16048819u);
  EXPECT_EQ(m.border_color, 9795920u);
  EXPECT_EQ(m.plain(), "新建文档 1");
  // A name holding ">" and "<" keeps them.
  EXPECT_EQ(rt::parse_tip_markup("<color=1>a>b<c<Backcolor=2>").plain(), "a>b<c");
}

// Every byte one pixel wide: a GBK character is two.
int bytes(std::string_view s) { return static_cast<int>(s.size()); }

TEST(TipMarkup, RunsBreakIntoLinesAtLineBreaksAndWhereTheyGrowTooWide) {
  struct Case {
    const char* name;
    const char* text;
    int max_width;
    const char* lines;  // joined by CR LF
  };
  const Case cases[] = {
      {"short", "最小化程序", 360, "最小化程序"},
      {"its own line breaks", "双击此处\r\n右击此处", 360, "双击此处\r\n右击此处"},
      {"a bare LF", "上\n下", 360, "上\r\n下"},
      {"between Chinese characters", "一二三四五六", 8, "一二三四\r\n五六"},
      {"a word goes whole to the next line", "ab cdef", 5, "ab\r\ncdef"},
      {"a blank at the break goes", "abcd efgh", 4, "abcd\r\nefgh"},
      {"a word longer than the line is cut", "abcdefgh", 3, "abc\r\ndef\r\ngh"},
      {"a character wider than the line", "中", 1, "中"},
      {"an empty line kept", "上\r\n\r\n下", 360, "上\r\n\r\n下"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(rt::tip_lines_text(rt::break_tip_lines(rt::parse_tip_markup(c.text), c.max_width, bytes)), c.lines);
  }
}

TEST(TipMarkup, ALineKeepsTheColoursOfItsRuns) {
  rt::TipLines lines =
      rt::break_tip_lines(rt::parse_tip_markup("黑黑<font color=red>红红红红</font>黑"), 8, bytes);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], (std::vector<TipRun>{{"黑黑", {}}, {"红红", kRed}}));
  EXPECT_EQ(lines[1], (std::vector<TipRun>{{"红红", kRed}, {"黑", {}}}));
}

}  // namespace
