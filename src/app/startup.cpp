#include "app/startup.h"

#include "app/globals.h"
#include "common/path_routines.h"
#include "common/text_routines.h"
#include "forms/main_window_form.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "runtime/app.h"
#include "runtime/gbk_text.h"
#include "runtime/shell.h"
#include "runtime/window_services.h"

namespace {
// Built by the created event and appended to the page list once the edit box has its colours.
PageRecord g_first_page;
}  // namespace

int program_entry() {
  rt::initialize();
  init_globals();
  rt::set_end_of_program(free_globals);
  if (!main_window().load()) return 1;
  return rt::run_message_loop();
}

bool queue_command_line(const std::vector<std::string>& arguments) {
  g_open_queue.clear();
  for (const std::string& a : arguments) g_open_queue.push_back(rt::full_path(a));
  if (g_open_queue.empty()) return false;
  std::string path = g_open_queue[0], extension;
  std::string name = path;
  split_file_name(name, extension);
  if (rt::to_lower_ascii(extension) != "lnk") return false;
  std::string target = rt::shortcut_target(path);
  if (target.empty()) return false;
  reveal_in_explorer(target);
  return true;
}

void on_main_window_created() {
  MainWindowForm& w = main_window();
  g_first_page = make_page_record();
  if (queue_command_line(rt::command_line_arguments())) rt::end_process(0);
  g_drag_enabled = 1;
  g_restore_on_unmaximize = 1;
  g_accept_drops = 1;
  g_search_forward = 1;
  g_find_ignore_case = 1;
  g_new_page_counter = 1;
  g_open_paths = " |";
  g_first_page.back_color = g_default_colors[1];
  g_first_page.text_color = g_default_colors[0];
  w.编辑框_文本类容.set_text_color(g_default_colors[0]);
  w.编辑框_文本类容.set_back_color(g_default_colors[1]);
  if (g_per_page_font) g_first_page.font = g_default_font;
  g_pages.push_back(g_first_page);
  apply_page_colors();
}

void on_main_window_first_activation() {
  MainWindowForm& w = main_window();
  update_title_and_status(w.高级选择夹_标签.current());
  // A running instance is recognised by its tab control without the scroll arrows.
  for (const char* title : {"<", ">"})
    for (rt::WindowHandle arrow : rt::find_child_windows(w.高级选择夹_标签.handle(), "VelmoraTabArrow", title))
      rt::close_window(arrow);
  show_current_page();
}
