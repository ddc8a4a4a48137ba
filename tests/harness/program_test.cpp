#include "pages/page_store.h"
#include "program_test.h"

#include <windows.h>

#include "app/globals.h"
#include "app/startup.h"
#include "forms/main_window_form.h"
#include "runtime/app.h"
#include "runtime/seams.h"
#include "ui_test.h"

std::string ProgramTest::config_file() { return rt::program_directory() + "Config_Vel.ini"; }

void ProgramTest::SetUp() {
  DeleteFileA(config_file().c_str());
  init_globals();
  rt::seams::set_command_line({});
  ASSERT_TRUE(main_window().load());
  // Started: the first activation has shown the page and given the edit box the focus, and what
  // waits for the first screen (tips, pointers, drops, the tray icon) is set up.
  ASSERT_TRUE(ui_test::wait_for(
      [] { return !pages().empty() && main_window().编辑框_文本类容.has_focus() && start_finished(); }));
}

void ProgramTest::TearDown() {
  main_window().destroy();
  DeleteFileA(config_file().c_str());
}
