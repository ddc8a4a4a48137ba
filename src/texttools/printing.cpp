#include "texttools/printing.h"

#include "forms/main_window_form.h"
#include "pages/page_model.h"

void print_current_page() {
  MainWindowForm& w = main_window();
  rt::Printer& printer = w.打印机;
  // A cancelled dialog or a printer that cannot start prints nothing and says nothing.
  if (printer.begin_job() != 1) return;
  printer.print_text(page_content(w.高级选择夹_标签.current()));
  printer.end_job();
}

void print_from_tab_menu() { print_current_page(); }
