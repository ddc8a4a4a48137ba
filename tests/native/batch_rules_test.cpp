// The rules of the batch pages: new names, clash suffixes, the search's attribute filter and
// the rows of the two lists.
#include "documents/batch_rules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(BuildBatchName, TheNamingBoxesInTheirOrder) {
  struct Case {
    const char* name;
    int row;
    const char* clash;
    BatchNaming naming;
    const char* result;
  };
  const Case cases[] = {
      {"report.txt", 0, "", {}, "report.txt"},
      // The rules replace every occurrence, each in the result of the one before.
      {"abcabc.txt", 0, "", {.filter_rules = "a:b|c"}, "bbbb.txt"},
      {"记事本.txt", 0, "", {.filter_rules = "替换|多:少|记事本"}, ".txt"},
      {"多多.txt", 0, "", {.filter_rules = "多:少"}, "少少.txt"},
      // Empty rules and rules without a first piece are skipped; pieces after the second ignored.
      {"abc.txt", 0, "", {.filter_rules = "||:x|b:y:z|"}, "ayc.txt"},
      // The rules work on the base only: the extension stays.
      {"t.txt", 0, "", {.filter_rules = "t:q"}, "q.txt"},
      // The last dot splits; a name without one has no extension.
      {"a.b.c", 0, "", {.prefix = "<", .postfix = ">"}, "<a.b>.c"},
      {"readme", 0, "", {}, "readme"},
      {"readme", 0, "", {.suffix = "bak"}, "readmebak"},
      {"readme.txt", 0, "", {.suffix = ".log"}, "readme.log"},
      {"Velmora.exe", 0, "", {.prefix = "实用的"}, "实用的Velmora.exe"},
      {"Velmora.exe", 0, "", {.postfix = "好用"}, "Velmora好用.exe"},
      {"b.txt", 1, "-重命名1", {.prefix = "x"}, "xb-重命名1.txt"},
      // A custom name numbers by row and leaves out the rules and the add-on boxes.
      {"甲.jpg", 0, "", {.filter_rules = "甲:乙", .prefix = "p", .postfix = "q", .custom = "图片"}, "图片1.jpg"},
      {"乙.png", 2, "-重命名4", {.suffix = ".gif", .custom = "图片"}, "图片3-重命名4.gif"},
      // A trail byte 0x7C inside a character is no separator: 億 is 83 7C.
      {"億億.txt", 0, "", {.filter_rules = "甲:乙|億:表"}, "表表.txt"},
  };
  for (const Case& c : cases) EXPECT_EQ(build_batch_name(c.name, c.row, c.clash, c.naming), c.result) << c.name;
}

TEST(BatchTarget, ATakenNameCountsUpUntilItIsFree) {
  std::set<std::string> files = {"D:\\t\\a.txt", "D:\\t\\b.txt", "D:\\t\\b-重命名1.txt"};
  auto exists = [&](const std::string& p) { return files.count(p) > 0; };
  int counter = 0;
  // b.txt (row 1) first, then a.txt (row 0): the counter runs over the whole run.
  BatchTarget b = batch_target("D:\\t\\", "b.txt", 1, {}, counter, exists);
  EXPECT_EQ(b.path, "D:\\t\\b-重命名2.txt");
  EXPECT_TRUE(b.clashed);
  BatchTarget a = batch_target("D:\\t\\", "a.txt", 0, {}, counter, exists);
  EXPECT_EQ(a.path, "D:\\t\\a-重命名3.txt");
  EXPECT_EQ(counter, 3);
  BatchTarget free = batch_target("D:\\t\\", "c.txt", 2, {}, counter, exists);
  EXPECT_EQ(free.path, "D:\\t\\c.txt");
  EXPECT_FALSE(free.clashed);
  EXPECT_EQ(counter, 3);
}

TEST(BatchSearch, AnEntryMustShareAnAttributeWithTheBoxes) {
  const int all = attribute_mask_of(true, true, true, true);
  EXPECT_EQ(all, 1 | 2 | 4 | 32);
  EXPECT_EQ(attribute_mask_of(false, true, false, true), 2 | 32);
  EXPECT_TRUE(batch_search_matches(32, all));
  EXPECT_TRUE(batch_search_matches(1 | 128, 1));
  EXPECT_FALSE(batch_search_matches(0, all));     // none of the four attributes
  EXPECT_FALSE(batch_search_matches(128, all));   // "normal" is no attribute
  EXPECT_FALSE(batch_search_matches(16, all));    // a plain folder
  EXPECT_FALSE(batch_search_matches(2, 1 | 32));  // hidden only
  EXPECT_TRUE(batch_search_matches(0, 0));        // no box: only entries without attributes
  EXPECT_TRUE(batch_search_matches(128, 0));
  EXPECT_FALSE(batch_search_matches(32, 0));
  EXPECT_FALSE(batch_search_matches(16, 0));
}

TEST(BatchRows, NameSizeAttributesAndPath) {
  EXPECT_EQ(batch_file_row("C:\\文件夹\\甲.txt", 1536, 1 | 32),
            (std::vector<std::string>{"甲.txt", "1.5KB", "√", "×", "×", "√", "C:\\文件夹\\甲.txt"}));
  EXPECT_EQ(batch_file_row("C:\\x\\h", 1023, 2 | 4),
            (std::vector<std::string>{"h", "0.999KB", "×", "√", "√", "×", "C:\\x\\h"}));
  // A path with no file has no attributes.
  EXPECT_EQ(batch_file_row("C:\\无\\a.txt", -1, -1),
            (std::vector<std::string>{"a.txt", "-0.001KB", "×", "×", "×", "×", "C:\\无\\a.txt"}));
  // 乗 is 81 5C: its trail byte is no backslash.
  EXPECT_EQ(conversion_file_row("C:\\x\\乗.txt", 1048576),
            (std::vector<std::string>{"乗.txt", "1024KB", "C:\\x\\乗.txt"}));
  EXPECT_EQ(conversion_file_row("C:\\e.txt", 0), (std::vector<std::string>{"e.txt", "0KB", "C:\\e.txt"}));
}

}  // namespace
