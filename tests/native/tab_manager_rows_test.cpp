// The tab manager's rows and menu states, on sizes, attribute bits and GBK paths whose trail
// bytes look like "\" or "|".
#include "pages/tab_manager_rows.h"

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

TEST(TabManagerRows, SizesInKbRoundHalfUpToThreeDecimals) {
  struct Case {
    long long bytes;
    std::string text;
  };
  const Case cases[] = {
      {1536, "1.5KB"},       {1000, "0.977KB"},  {0, "0KB"},         {1024, "1KB"},
      {1, "0.001KB"},        // 0.0009765625
      {512, "0.5KB"},        {1048576, "1024KB"}, {123456789, "120563.271KB"},
      {-1, ""},  // a missing file
  };
  for (const Case& c : cases) EXPECT_EQ(size_in_kb_text(c.bytes), c.text) << c.bytes;
}

TEST(TabManagerRows, OpenPageRowsShowTheFileOrTheNeverSavedText) {
  // Read-only 1, hidden 2, system 4, archive 32; other bits (folder 16, normal 128) show nothing.
  EXPECT_EQ(open_page_row("笔记", "C:\\笔记.txt", {1536, 1 | 32 | 128}),
            (Texts{"笔记", "1.5KB", "√", "×", "×", "√", "C:\\笔记.txt"}));
  EXPECT_EQ(open_page_row("a", "C:\\a.txt", {0, 2 | 4}), (Texts{"a", "0KB", "×", "√", "√", "×", "C:\\a.txt"}));
  // A file gone since it was opened: no size, no attributes, the path stays.
  EXPECT_EQ(open_page_row("a", "C:\\gone.txt", {}), (Texts{"a", "", "×", "×", "×", "×", "C:\\gone.txt"}));
  // Never saved: the size column stays empty rather than measuring the placeholder text.
  EXPECT_EQ(open_page_row("新建文档 2", "", {}), (Texts{"新建文档 2", "", "×", "×", "×", "×", "(此文件尚未保存过！)"}));
}

TEST(TabManagerRows, SavedRowsNameTheFileAfterTheLastBackslash) {
  EXPECT_EQ(saved_file_row("C:\\文本\\b.txt", 1000), (Texts{"b.txt", "0.977KB", "C:\\文本\\b.txt"}));
  // 誠 is D5 5C: its trail byte is "\".
  EXPECT_EQ(saved_file_row("D:\\誠\\誠实.txt", 2048), (Texts{"誠实.txt", "2KB", "D:\\誠\\誠实.txt"}));
  EXPECT_EQ(saved_file_row("name.txt", 0), (Texts{"name.txt", "0KB", "name.txt"}));
}

TEST(TabManagerRows, ThePreviewEndsAtZeroAndAtAWholeCharacterWithin750Bytes) {
  EXPECT_EQ(saved_file_preview(std::string(800, 'a')), std::string(750, 'a'));
  EXPECT_EQ(saved_file_preview(std::string("ab\0cd", 5)), "ab");
  // A double-byte character across byte 750 is left out whole.
  std::string text = std::string(749, 'a') + "中文";
  EXPECT_EQ(saved_file_preview(text.substr(0, 751)), std::string(749, 'a'));
  std::string even = std::string(748, 'a') + "中文";
  EXPECT_EQ(saved_file_preview(even.substr(0, 750)), std::string(748, 'a') + "中");
  EXPECT_EQ(saved_file_preview(""), "");
}

TEST(TabManagerRows, InvertedSelectionsAndDroppedLines) {
  EXPECT_EQ(inverted_rows(5, {0, 2}), (std::vector<int>{1, 3, 4}));
  EXPECT_EQ(inverted_rows(3, {}), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(inverted_rows(2, {0, 1}), (std::vector<int>{}));
  EXPECT_EQ(inverted_rows(0, {}), (std::vector<int>{}));
  EXPECT_EQ(dropped_text_paths("C:\\a.txt\r\nD:\\亅.txt\r\n"), (Texts{"C:\\a.txt", "D:\\亅.txt"}));
}

TEST(TabManagerRows, TheOpenPagesMenuStates) {
  struct Case {
    const char* what;
    int rows;
    bool busy;
    int selected;
    bool never_saved, filling;
    OpenPagesMenuState want;
  };
  // open, refresh, copy, close, add to set, properties
  const Case cases[] = {
      {"idle, one saved page selected", 3, false, 1, false, false, {false, false, false, false, false, false}},
      {"busy with rows", 3, true, 1, false, false, {true, true, false, false, false, false}},
      {"busy without rows", 0, true, 0, false, false, {false, false, false, true, false, false}},
      // The last rule wins over the first: with nothing selected the copy item is enabled again.
      {"nothing selected", 3, false, 0, false, false, {false, false, false, true, false, false}},
      {"one never-saved page", 3, false, 1, true, false, {false, false, true, false, true, true}},
      {"several rows, the first never saved", 3, false, 2, true, false, {false, false, false, false, false, false}},
      {"the saved list is filling", 3, false, 1, false, true, {false, false, false, false, true, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OpenPagesMenuState s = open_pages_menu_state(c.rows, c.busy, c.selected, c.never_saved, c.filling);
    EXPECT_EQ(s.open_disabled, c.want.open_disabled);
    EXPECT_EQ(s.refresh_disabled, c.want.refresh_disabled);
    EXPECT_EQ(s.copy_disabled, c.want.copy_disabled);
    EXPECT_EQ(s.close_disabled, c.want.close_disabled);
    EXPECT_EQ(s.add_to_set_disabled, c.want.add_to_set_disabled);
    EXPECT_EQ(s.properties_disabled, c.want.properties_disabled);
  }
}

TEST(TabManagerRows, TheSavedListMenuStates) {
  struct Case {
    const char* what;
    int rows, selected;
    bool filling;
    SavedListMenuState want;
  };
  // add files, open, save, refresh, delete, clear
  const Case cases[] = {
      {"rows, one selected", 2, 1, false, {false, false, false, false, false, false}},
      {"rows, none selected", 2, 0, false, {false, true, false, false, true, false}},
      {"empty", 0, 0, false, {false, true, true, false, true, false}},
      {"filling", 2, 1, true, {true, false, true, true, true, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SavedListMenuState s = saved_list_menu_state(c.rows, c.selected, c.filling);
    EXPECT_EQ(s.add_files_disabled, c.want.add_files_disabled);
    EXPECT_EQ(s.open_disabled, c.want.open_disabled);
    EXPECT_EQ(s.save_disabled, c.want.save_disabled);
    EXPECT_EQ(s.refresh_disabled, c.want.refresh_disabled);
    EXPECT_EQ(s.delete_disabled, c.want.delete_disabled);
    EXPECT_EQ(s.clear_disabled, c.want.clear_disabled);
  }
}

}  // namespace
