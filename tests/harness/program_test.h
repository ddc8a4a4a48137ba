#pragma once
// A fixture that starts the program's main window for each test as a first start: no
// configuration file, no command line, the edit box focused; and ends it after the test.
#include <gtest/gtest.h>

#include <string>

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The configuration file beside the test program.
  static std::string config_file();
};
