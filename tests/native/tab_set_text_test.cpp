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

// A path whose last character is a byte escape ends in a lead byte alone, which the "|" after
// it would complete to a character (81 7C is 亅).
TEST(TabSetText, EveryPathComesBackWholeWhateverItEndsIn) {
  const Texts paths = {
      "C:\\a.txt", "C:\\x\x81", "C:\\" + kBarTrail + ".txt", "C:\\x" + kBarTrail, "C:\\\xFE",
      "D:\\中\x81", "C:\\\x81" "0\x81", "C:\\\x94\x39\xFC\x36", "E:\\b.txt",
  };
  EXPECT_EQ(tab_set_pieces(open_tabs_text(paths)), paths);
  EXPECT_EQ(tab_set_pieces(tab_set_rows_text(paths)), paths);
  EXPECT_EQ(tab_set_paths(tab_set_rows_text(paths)), paths);
  std::string appended;
  for (const std::string& p : paths) appended = tab_set_with_path(appended, p);
  Texts with_empty_first = paths;
  with_empty_first.insert(with_empty_first.begin(), "");
  EXPECT_EQ(tab_set_pieces(appended), with_empty_first);
  // A set written before ends in such a byte: the append keeps it apart too.
  EXPECT_EQ(tab_set_pieces(tab_set_with_path("C:\\x\x81", "D:\\b")), (Texts{"C:\\x\x81", "D:\\b"}));
  // The file's bytes: every other path as it was, the lead byte alone with a "?" after it (no
  // trail byte, and no path holds it), which an earlier reader takes for a missing file.
  EXPECT_EQ(open_tabs_text({"C:\\x" + kBarTrail, "D:\\b"}), "C:\\x" + kBarTrail + "|D:\\b");
  EXPECT_EQ(open_tabs_text({"C:\\x\x81", "D:\\b"}), "C:\\x\x81?|D:\\b");
  EXPECT_EQ(tab_set_rows_text({"C:\\x\x81"}), "C:\\x\x81?|");
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
