// The jump window's page numbers and name search, with tab 0 as a placeholder and on GBK names.
#include "pages/page_numbers.h"

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

TEST(PageNumbers, NumbersCountTheVisiblePages) {
  struct Case {
    std::string typed;
    int tabs;
    bool placeholder;
    int tab;
  };
  const Case cases[] = {
      {"5", 5, false, 4},
      {"6", 5, false, -1},
      {"0", 5, false, -1},
      {"1", 5, false, 0},
      {"1", 4, true, 1},
      {"3", 4, true, 3},
      {"4", 4, true, -1},
      {"", 5, false, -1},
      {"abc", 5, false, -1},
      {"2.9", 5, false, 1},
      {"5.5", 5, false, -1},
      {"0.5", 5, false, -1},
      {"-1", 5, false, -1},
      // Digit strings that would wrap a 32-bit number into range.
      {"4294967297", 5, false, -1},
      {"18446744073709551617", 5, false, -1},
      {std::string(400, '9'), 5, false, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(tab_of_page_number(c.typed, c.tabs, c.placeholder), c.tab) << c.typed << " of " << c.tabs;
  EXPECT_EQ(largest_page_number(4, true), 3);
  EXPECT_EQ(largest_page_number(5, false), 5);
}

TEST(PageNumbers, TheNameSearchVisitsEveryOtherTabFromTheNextOneOn) {
  EXPECT_EQ(name_search_order(5, 2, false), (std::vector<int>{3, 4, 0, 1}));
  EXPECT_EQ(name_search_order(5, 4, false), (std::vector<int>{0, 1, 2, 3}));  // the last tab current
  EXPECT_EQ(name_search_order(5, 0, false), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(name_search_order(4, 3, true), (std::vector<int>{1, 2}));  // never the placeholder
  EXPECT_EQ(name_search_order(1, 0, false), (std::vector<int>{}));
}

TEST(PageNumbers, TheFirstNameAfterTheCurrentOneThatHoldsTheText) {
  const Texts names = {"新建文档 1", "readme", "笔记", "Readme2", "记笔"};
  struct Case {
    int current;
    bool placeholder;
    std::string text;
    int tab;
  };
  const Case cases[] = {
      {0, false, "readme", 1}, {1, false, "readme", -1},  // only the current page holds it
      {1, false, "eadme", 3},  {4, false, "新建", 0},    {4, true, "新建", -1}, {0, false, "Readme", 3},  // case kept
      {0, false, "笔记", 2},   {0, false, "记", 2},      {0, false, "", -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(tab_of_page_name(names, c.current, c.placeholder, c.text), c.tab) << c.text << " from " << c.current;
  // B0 A1 lies across the two characters B1 B0 and A1 B2: no match on character boundaries.
  const Texts dbcs = {"x", "\xB1\xB0\xA1\xB2"};
  EXPECT_EQ(tab_of_page_name(dbcs, 0, false, "\xB0\xA1"), -1);
}

}  // namespace
