// The saved tab set's bytes, on GBK paths whose trail bytes can look like "|".
#include "pages/tab_set_text.h"

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

// 亅 is 81 7C: its trail byte is "|".
const std::string kBarTrail = "亅";

TEST(TabSetText, EachWriterWritesItsOwnForm) {
  EXPECT_EQ(open_tabs_text({"C:\\a.txt", "", "D:\\中文\\b.txt", ""}), "C:\\a.txt|D:\\中文\\b.txt");
  EXPECT_EQ(open_tabs_text({"", ""}), "");
  EXPECT_EQ(open_tabs_text({}), "");
  EXPECT_EQ(tab_set_rows_text({"a", "b"}), "a|b|");
  EXPECT_EQ(tab_set_rows_text({}), "");
  EXPECT_EQ(tab_set_with_path("", "c"), "|c");
  // The manager's set extended by the tab menu: an empty piece between b and c.
  EXPECT_EQ(tab_set_with_path(tab_set_rows_text({"a", "b"}), "c"), "a|b||c");
}

TEST(TabSetText, PiecesAndThePathsWorthOpening) {
  struct Case {
    std::string text;
    Texts pieces, paths;
  };
  const Case cases[] = {
      {"a|b||c", {"a", "b", "", "c"}, {"a", "b", "c"}},
      {"a|b|", {"a", "b"}, {"a", "b"}},
      {"|c", {"", "c"}, {"c"}},
      {"|||", {"", "", ""}, {}},
      {"", {}, {}},
      {"C:\\" + kBarTrail + ".txt|d", {"C:\\" + kBarTrail + ".txt", "d"}, {"C:\\" + kBarTrail + ".txt", "d"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(tab_set_pieces(c.text), c.pieces) << c.text;
    EXPECT_EQ(tab_set_paths(c.text), c.paths) << c.text;
  }
}

TEST(TabSetText, OnlySeparatorsAndBlanksMakeABlankSet) {
  for (const std::string& text : Texts{"", "|||", " | |", "|　|"}) EXPECT_TRUE(tab_set_is_blank(text)) << text;
  for (const std::string& text : Texts{"a", "|a|", kBarTrail, "\t|"}) EXPECT_FALSE(tab_set_is_blank(text)) << text;
}

TEST(TabSetText, TheMenuCaptionFollowsTheFilesText) {
  EXPECT_EQ(tab_set_menu_caption(""), "保存打开标签(&B)");
  EXPECT_EQ(tab_set_menu_caption("|||"), "载入保存标签(&B)");
  EXPECT_EQ(tab_set_menu_caption("C:\\a.txt"), "载入保存标签(&B)");
  EXPECT_EQ(tab_set_text_of_bytes(std::string("a|b\0c", 5)), "a|b");
  EXPECT_EQ(tab_set_menu_caption(tab_set_text_of_bytes(std::string("\0a", 2))), "保存打开标签(&B)");
}

}  // namespace
