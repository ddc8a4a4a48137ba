#pragma once
// A fixture that starts the program's main window for each test as a first start: no
// configuration file, no command line, the edit box focused; and ends it after the test.
#include <gtest/gtest.h>

#include <string>

#include "forms/main_window_form.h"

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The configuration file beside the test program.
  static std::string config_file();
};

// The main window's units the interface tests speak to most.
inline MainWindowForm& w() { return main_window(); }
inline rt::TabControl& tabs() { return main_window().高级选择夹_标签; }
inline rt::EditBox& editor() { return main_window().编辑框_文本类容; }
// An item of the main window's menus by the caption the user sees; null when none shows it.
inline rt::MenuItem* main_menu_item(std::string_view caption) { return main_window().超级菜单.find(caption); }
