// The menu bar's rules: the hover strip, simulated clicks, hints and item states.
#include "app/menu_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(MenuBarMenuAt, TheStripAndItsButtons) {
  // Window at (100, 50), File button at (4, 30): the strip spans x 104..339, y 80..103.
  struct Case {
    int x, y, menu;
  };
  const Case cases[] = {
      {104, 80, kFileMenu},  {151, 90, kFileMenu},  // d = 47 is still File
      {152, 90, kEditMenu},  {198, 90, kEditMenu},     {199, 90, kExtraMenu},
      {245, 90, kExtraMenu}, {246, 90, kSettingsMenu}, {292, 90, kSettingsMenu},
      {293, 90, kHelpMenu},  {339, 103, kHelpMenu},  // the last pixel of the strip
      {340, 90, kNoMenu},                            // right of L + 239
      {200, 104, kNoMenu},                           // below the 23-pixel strip
      {200, 79, kNoMenu},    {103, 90, kNoMenu},
  };
  for (const Case& c : cases) EXPECT_EQ(menu_bar_menu_at(c.x, c.y, 100, 50, 4, 30), c.menu) << c.x << "," << c.y;
}

TEST(SimulatedMouse, AbsoluteCoordinatesAndActions) {
  EXPECT_EQ(absolute_mouse_coordinate(0, 1280), 0);
  EXPECT_EQ(absolute_mouse_coordinate(640, 1280), 32767);  // truncated
  EXPECT_EQ(absolute_mouse_coordinate(1279, 1280), 65483);
  using V = std::vector<unsigned>;
  EXPECT_EQ(mouse_action_flags(-1), V{});
  EXPECT_EQ(mouse_action_flags(0), (V{2, 4}));
  EXPECT_EQ(mouse_action_flags(1), (V{2, 4, 2, 4}));
  EXPECT_EQ(mouse_action_flags(2), (V{8, 16}));
  EXPECT_EQ(mouse_action_flags(3), (V{8, 16, 8, 16}));
  EXPECT_EQ(mouse_action_flags(4), (V{32, 64}));
  EXPECT_EQ(mouse_action_flags(5), (V{32, 64, 32, 64}));
  EXPECT_EQ(mouse_action_flags(6), V{2});
  EXPECT_EQ(mouse_action_flags(7), V{4});
  EXPECT_EQ(mouse_action_flags(8), V{8});
  EXPECT_EQ(mouse_action_flags(9), V{16});
  EXPECT_EQ(mouse_action_flags(10), V{32});
  EXPECT_EQ(mouse_action_flags(11), V{64});
  EXPECT_EQ(mouse_action_flags(12), (V{2, 4}));
  EXPECT_EQ(mouse_action_flags(-2), (V{2, 4}));
}

TEST(MenuItemHint, CaptionUpToTheParenthesis) {
  EXPECT_EQ(menu_item_hint("新建文件(&N)    Ctrl+N"), "新建文件");
  EXPECT_EQ(menu_item_hint("URL编码(&U)"), "URL编码");
  EXPECT_EQ(menu_item_hint("复制文件到...(&F)"), "复制文件到...");
  EXPECT_EQ(menu_item_hint("运行批处理"), "");
  EXPECT_EQ(menu_item_hint("(&A)"), "");
}

TEST(TextHasNoDigit, EachDigitCounts) {
  EXPECT_TRUE(text_has_no_digit(""));
  EXPECT_TRUE(text_has_no_digit("abc中文"));
  for (char d = '0'; d <= '9'; ++d) EXPECT_FALSE(text_has_no_digit(std::string("x") + d + "y")) << d;
  EXPECT_TRUE(text_has_no_digit("０１２"));  // full-width digits are no digits here
}

TEST(SavedTabItem, CaptionAndEnabling) {
  struct Case {
    std::string text;
    bool has_path;
    std::string caption;
    bool enabled;
  };
  const Case cases[] = {
      {"", false, "保存打开标签(&B)", false},  // nothing to save
      {"", true, "保存打开标签(&B)", true},
      {"C:\\a.txt|", false, "载入保存标签(&B)", true},
      {"C:\\a.txt|", true, "载入保存标签(&B)", true},
  };
  for (const Case& c : cases) {
    SavedTabItemState s = saved_tab_item_state(c.text, c.has_path);
    EXPECT_EQ(s.caption, c.caption);
    EXPECT_EQ(s.enabled, c.enabled) << c.text << c.has_path;
  }
}

}  // namespace
