#include "app/program_entry.h"

#include "forms/main_window_form.h"
#include "runtime/app.h"

int program_entry() {
  rt::initialize();
  MainWindowForm& w = main_window();
  if (!w.load()) return 1;
  return rt::run_message_loop();
}
