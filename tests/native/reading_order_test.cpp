// The order in which Tab walks a dialog's controls.
#include "runtime/reading_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Named {
  const char* name;
  rt::Box box;
};

// The names of the boxes in the order the rule gives.
std::vector<std::string> walk(const std::vector<Named>& units, const std::vector<rt::Box>& frames = {}) {
  std::vector<rt::Box> boxes;
  for (const Named& u : units) boxes.push_back(u.box);
  std::vector<std::string> names;
  for (size_t i : rt::reading_order(boxes, frames)) names.push_back(units[i].name);
  return names;
}

using Names = std::vector<std::string>;

TEST(ReadingOrder, RowsFromTheTopAndFromTheLeftWithinARow) {
  struct Case {
    const char* name;
    std::vector<Named> units;
    Names expected;
  };
  const Case cases[] = {
      {"nothing", {}, {}},
      // A button one pixel higher than the box beside it is on the box's row; the close
      // button of the title strip is the first row.
      {"boxes with their buttons",
       {{"replace all", {268, 93, 72, 24}},
        {"find button", {268, 33, 72, 24}},
        {"find box", {78, 34, 178, 22}},
        {"close", {329, 2, 21, 20}},
        {"replace button", {268, 63, 72, 24}},
        {"replace box", {78, 64, 178, 22}},
        {"down", {188, 96, 60, 20}},
        {"match case", {12, 96, 104, 20}},
        {"up", {124, 96, 60, 20}},
        {"exit check", {12, 122, 200, 20}}},
       {"close", "find box", "find button", "replace box", "replace button", "match case", "up", "down",
        "replace all", "exit check"}},
      // Beside a tall list each check is a row of its own: the list is on the first one only.
      {"checks beside a tall list",
       {{"italic", {232, 102, 92, 20}},
        {"list", {12, 78, 208, 138}},
        {"regular", {232, 80, 92, 20}},
        {"strikeout", {336, 80, 92, 20}},
        {"underline", {336, 102, 92, 20}},
        {"bold", {232, 124, 92, 20}}},
       {"list", "regular", "strikeout", "italic", "underline", "bold"}},
      // Half the smaller height decides: 9 pixels lower than a 20-pixel box is its row, 10 is not.
      {"the row's edge",
       {{"b", {100, 9, 50, 20}}, {"a", {200, 0, 50, 20}}, {"d", {0, 19, 50, 20}}, {"c", {300, 10, 50, 40}}},
       {"b", "a", "d", "c"}},
      {"one row given from the right", {{"3", {90, 5, 10, 10}}, {"2", {50, 5, 10, 10}}, {"1", {10, 5, 10, 10}}},
       {"1", "2", "3"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(walk(c.units), c.expected);
  }
}

TEST(ReadingOrder, TheUnitsOfAFrameFollowEachOtherWhereTheFrameStands) {
  // Two columns of frames, as an options page has them, and a button under them.
  const std::vector<rt::Box> frames = {
      {10, 30, 200, 100},   // left, upper
      {220, 30, 200, 200},  // right, tall
      {10, 140, 200, 90},   // left, lower
      {10, 300, 50, 50},    // holds nothing: no place in the walk
  };
  const std::vector<Named> units = {
      {"button under them", {300, 250, 72, 24}},
      {"right 2", {230, 80, 100, 20}},
      {"left lower 1", {20, 150, 100, 20}},
      {"left upper 2", {20, 70, 100, 20}},
      {"right 1", {230, 40, 100, 20}},
      {"left upper 1", {20, 40, 100, 20}},
      {"left upper 1b", {120, 40, 80, 20}},
      {"close", {400, 2, 20, 20}},
  };
  EXPECT_EQ(walk(units, frames), (Names{"close", "left upper 1", "left upper 1b", "left upper 2", "right 1", "right 2",
                                        "left lower 1", "button under them"}));
}

TEST(ReadingOrder, ABoxInNestedFramesGoesWithTheSmallest) {
  const std::vector<rt::Box> frames = {{0, 0, 300, 300}, {150, 0, 150, 100}};
  const std::vector<Named> units = {
      {"inner", {160, 20, 50, 20}}, {"outer low", {10, 200, 50, 20}}, {"outer high", {10, 10, 50, 20}}};
  // The inner frame stands among the rest as a frame of its own: right of the outer one, which
  // holds the other two.
  EXPECT_EQ(walk(units, frames), (Names{"outer high", "outer low", "inner"}));
}

}  // namespace
