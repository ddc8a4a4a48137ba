// Text and path routines and the open-path list, on GBK text whose trail bytes can look like
// "\", "|" or ".".
#include "common/text_routines.h"

#include <gtest/gtest.h>

#include "pages/open_path_list.h"

namespace {

// 乗 is 81 5C and 亅 is 81 7C: their trail bytes are "\" and "|".
const std::string kBackslashTrail = "乗";
const std::string kBarTrail = "亅";

TEST(TextBetween, Cases) {
  struct Case {
    std::string text, left, right, expected;
  };
  const Case cases[] = {
      {"<color=16711680>名字<Backcolor=16048819><bordercolor=9795920>", ">", "<Backcolor=", "名字"},
      {"<color=16711680>a>b<Backcolor=1>", ">", "<Backcolor=", "a>b"},  // the name may hold ">"
      {"xx[abc]yy[def]", "[", "]", "abc"},
      {"no left here]", "[", "]", ""},
      {"[no right", "[", "]", ""},
      {"][", "[", "]", ""},  // the right delimiter before the left one does not count
      {"[]", "[", "]", ""},
      {"a" + kBarTrail + "b|c|", "|", "|", "c"},  // a trail byte 7C is no "|"
  };
  for (const Case& c : cases) EXPECT_EQ(text_between(c.text, c.left, c.right), c.expected) << c.text;
}

TEST(AllTextsBetween, DelimitersCanBeShared) {
  std::vector<std::string> items{"old"};
  all_texts_between("%A%B%", "%", "%", items);
  EXPECT_EQ(items, (std::vector<std::string>{"A", "B"}));
  all_texts_between("<B>x</b><b>y</b>", "<b>", "</b>", items, true);  // left without case, kept list
  EXPECT_EQ(items, (std::vector<std::string>{"A", "B", "x", "y"}));
  all_texts_between("nothing", "%", "%", items);
  EXPECT_TRUE(items.empty());
}

TEST(SplitFileName, Cases) {
  struct Case {
    std::string path, base, extension, path_after;
  };
  const Case cases[] = {
      {"C:\\docs\\report.final.txt", "report.final", "txt", "C:\\docs\\report.final.txt"},
      {"C:\\docs\\txt.txt", "txt", "txt", "C:\\docs\\txt.txt"},
      {"C:\\docs\\folder\\", "folder", "", "C:\\docs\\folder"},
      {"readme", "readme", "", "readme"},
      {"C:\\v1.0\\readme", "readme", "", "C:\\v1.0\\readme"},
      {"C:\\" + kBackslashTrail + "文档.txt", kBackslashTrail + "文档", "txt", "C:\\" + kBackslashTrail + "文档.txt"},
      {"C:\\a\\.txt", "", "txt", "C:\\a\\.txt"},
  };
  for (const Case& c : cases) {
    std::string path = c.path, ext = "stale";
    EXPECT_EQ(split_file_name(path, ext), c.base) << c.path;
    EXPECT_EQ(ext, c.extension) << c.path;
    EXPECT_EQ(path, c.path_after) << c.path;
  }
}

TEST(SplitPathDirFile, Cases) {
  EXPECT_EQ(split_path_dir_file("C:\\a\\b.txt", true), "C:\\a\\");
  EXPECT_EQ(split_path_dir_file("C:\\a\\b.txt", false), "b.txt");
  EXPECT_EQ(split_path_dir_file("C:\\" + kBackslashTrail, false), kBackslashTrail);
  EXPECT_EQ(split_path_dir_file("b.txt", true), "");
  EXPECT_EQ(split_path_dir_file("b.txt", false), "b.txt");
}

TEST(OpenPathList, EntriesMatchWholeAndWithoutCase) {
  const std::string list = " |C:\\a.txt.BAK| |C:\\Dir\\B.txt|C:\\" + kBarTrail + ".txt|";
  EXPECT_EQ(open_path_index(list, "C:\\a.txt"), -1);  // only a longer path that begins with it is open
  EXPECT_EQ(open_path_index(list, "C:\\a.txt.BAK"), 1);
  EXPECT_EQ(open_path_index(list, "c:\\dir\\b.TXT"), 3);
  EXPECT_EQ(open_path_index(list, "C:\\" + kBarTrail + ".txt"), 4);
  EXPECT_EQ(open_path_index(list, ""), -1);
}

// An entry whose last character is a byte escape ends in a lead byte alone, which the "|" after
// it would complete to a character (81 7C is 亅).
TEST(OpenPathList, EveryEntryStaysApartWhateverItEndsIn) {
  const std::vector<std::string> entries = {
      " ", "C:\\x\x81", "C:\\x" + kBarTrail, "C:\\\xFE", "C:\\\x81" "0\x81", "C:\\a.txt", " ", "D:\\中\x81",
  };
  std::string list;
  for (const std::string& e : entries) append_open_path_entry(list, e);
  EXPECT_EQ(open_path_entries(list), entries);
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i] != " ") {
      EXPECT_EQ(open_path_index(list, entries[i]), static_cast<int>(i)) << entries[i];
    }
    // Closing a tab removes its own entry, renaming one names it alone.
    std::vector<std::string> expected = entries;
    expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(i));
    std::string closed = list;
    ASSERT_TRUE(replace_open_path_entry(closed, static_cast<int>(i), ""));
    EXPECT_EQ(open_path_entries(closed), expected) << entries[i];
    expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(i), "E:\\n\xB0");
    std::string renamed = list;
    ASSERT_TRUE(replace_open_path_entry(renamed, static_cast<int>(i), "E:\\n\xB0"));
    EXPECT_EQ(open_path_entries(renamed), expected) << entries[i];
  }
  // Every other entry keeps its bytes.
  std::string plain;
  append_open_path_entry(plain, "C:\\x" + kBarTrail);
  append_open_path_entry(plain, " ");
  EXPECT_EQ(plain, "C:\\x" + kBarTrail + "| |");
}

TEST(OpenPathList, ReplaceTouchesOnlyTheEntryOfItsTab) {
  struct Case {
    const char* name;
    std::string list;
    int index;
    std::string new_text, expected;
  };
  const Case cases[] = {
      {"blank entry of tab 2 named", " |a| |", 2, "C:\\n.txt", " |a|C:\\n.txt|"},
      {"blank entry of tab 2 removed, tab 0's stays", " |a| |", 2, "", " |a|"},
      {"one of two equal paths removed", " |C:\\x|C:\\x|", 2, "", " |C:\\x|"},
      {"longer entry untouched", " |C:\\a.txt.BAK|C:\\a.txt|", 2, "C:\\b.txt", " |C:\\a.txt.BAK|C:\\b.txt|"},
      {"tab 0 reset to blank", "C:\\z|a|", 0, " ", " |a|"},
  };
  for (const Case& c : cases) {
    std::string list = c.list;
    EXPECT_TRUE(replace_open_path_entry(list, c.index, c.new_text)) << c.name;
    EXPECT_EQ(list, c.expected) << c.name;
  }
  std::string list = " |";
  EXPECT_FALSE(replace_open_path_entry(list, 3, "x"));
  EXPECT_EQ(list, " |");
}

}  // namespace
