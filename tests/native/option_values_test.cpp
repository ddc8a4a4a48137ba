// The option record: the values a start finds before the configuration is read, which every
// interface test starts from again.
#include "options/option_values.h"

#include <gtest/gtest.h>

namespace {

TEST(OptionValues, AResetGivesBackTheValuesBeforeStartUp) {
  set_option(&OptionValues::open_in_thread, 0);
  set_option(&OptionValues::tab_close_button, 0);
  set_option(&OptionValues::first_line_title, 0);
  set_option(&OptionValues::window_alpha, 160);
  set_option(&OptionValues::default_colors, {1, 2});
  set_option(&OptionValues::default_font, FontRecord{0, 1, 1, 1, 1, 30, "黑体"});
  set_option(&OptionValues::separator_text, "＝");
  EXPECT_EQ(options().default_colors[1], 2u);
  EXPECT_EQ(options().separator_text, "＝");
  reset_options();
  const OptionValues& o = options();
  // On unless the configuration says otherwise: reading on a worker, the tab's close button,
  // the first line as a new page's name.
  EXPECT_EQ(o.open_in_thread, 1);
  EXPECT_EQ(o.tab_close_button, 1);
  EXPECT_EQ(o.first_line_title, 1);
  EXPECT_EQ(o.window_alpha, 255);
  EXPECT_EQ(o.default_colors[0], 0x8000u);
  EXPECT_EQ(o.default_colors[1], 0xCFE8CCu);
  EXPECT_EQ(o.default_font, FontRecord{});
  EXPECT_EQ(o.default_font.size, 9);
  EXPECT_EQ(o.separator_text, "-");
  for (int OptionValues::*off :
       {&OptionValues::fade_enabled, &OptionValues::per_page_font, &OptionValues::per_page_colors,
        &OptionValues::prevent_double_open, &OptionValues::detect_encoding, &OptionValues::jump_to_opened,
        &OptionValues::edge_hide_enabled, &OptionValues::edge_hide_delay, &OptionValues::remember_position,
        &OptionValues::children_stay, &OptionValues::autosave_interval})
    EXPECT_EQ(o.*off, 0);
}

}  // namespace
