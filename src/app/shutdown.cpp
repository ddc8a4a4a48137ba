#include "app/shutdown.h"

#include "app/boss_key.h"
#include "app/edge_hide.h"
#include "app/mini_mode.h"
#include "app/single_instance.h"
#include "app/snapping.h"
#include "app/startup.h"
#include "app/tray.h"
#include "common/message_box.h"
#include "common/window_fade.h"
#include "documents/custom_open.h"
#include "documents/open_files.h"
#include "documents/file_info.h"
#include "foreign/grabber_window.h"
#include "forms/crypt_window_form.h"
#include "forms/custom_open_window_form.h"
#include "forms/file_info_window_form.h"
#include "forms/find_window_form.h"
#include "forms/font_window_form.h"
#include "forms/grabber_window_form.h"
#include "forms/jump_window_form.h"
#include "forms/main_window_form.h"
#include "forms/options_window_form.h"
#include "forms/read_aloud_window_form.h"
#include "forms/simp_trad_window_form.h"
#include "forms/tab_manager_form.h"
#include "forms/typing_window_form.h"
#include "options/config.h"
#include "options/option_values.h"
#include "options/options_window.h"
#include "pages/closing.h"
#include "pages/jump_to_page.h"
#include "pages/tab_manager.h"
#include "runtime/app.h"
#include "runtime/shell.h"
#include "texttools/crypt_window.h"
#include "texttools/find_replace.h"
#include "texttools/font_window.h"
#include "texttools/simp_trad_window.h"
#include "forms/about_window_form.h"
#include "forms/cloud_input_window_form.h"
#include "forms/translation_window_form.h"
#include "forms/update_window_form.h"
#include "web/about_window.h"
#include "web/cloud_input.h"
#include "web/translation_window.h"
#include "web/update_check.h"
#include "texttools/read_aloud.h"
#include "texttools/simp_trad_window.h"
#include "texttools/typing_output.h"

void release_main_window() {
  MainWindowForm& w = main_window();
  close_message_box();
  // The exit is decided: no timer of the main window starts anything more while the windows fade
  // (an auto-save after a No, a hand-over, the update prompt, a slide at the edge).
  for (rt::Timer* t : {&w.时钟_监视程序, &w.时钟_滚动标签, &w.时钟_信息框, &w.时钟_显示出来, &w.时钟_真正显示,
                       &w.时钟_延迟执行任务, &w.时钟_菜单显示})
    t->set_interval(0);
  // A start from now on (a restart among them) is the running instance: no request is handed to
  // an instance that is leaving.
  release_instance_event();
  config_delete("程序设置", "进程通信钥匙");
  // The tool windows that show fade out together, in one fade however many are open; a pick of
  // the reader ends first. Each loaded one is then closed in this order, with nothing left to fade.
  if (grabber_state().grab_capturing) end_finder_grab();
  hide_windows_faded_together({&cloud_input_window(), &custom_open_window(), &options_window(), &jump_window(),
                               &find_window(), &read_aloud_window(), &translation_window(), &simp_trad_window(),
                               &crypt_window(), &font_window(), &update_window(), &about_window(),
                               &tab_manager_window(), &file_info_window(), &grabber_window(), &typing_window()});
  if (cloud_input_window().loaded()) fade_out_cloud_input_window();
  fade_out_open_choice_window();
  if (options_window().loaded()) fade_out_options_window();
  if (jump_window().loaded()) fade_out_jump_window();
  if (find_window().loaded()) fade_out_find_window();
  if (read_aloud_window().loaded()) fade_out_read_aloud_window();
  if (translation_window().loaded()) fade_out_translation_window();
  if (simp_trad_window().loaded()) fade_out_simp_trad_window();
  if (crypt_window().loaded()) fade_out_crypt_window();
  if (font_window().loaded()) fade_out_font_window();
  if (update_window().loaded()) fade_out_update_window();
  if (about_window().loaded()) fade_out_about_window();
  if (tab_manager_loaded()) fade_out_tab_manager();
  if (file_info_window().loaded()) fade_out_file_info_window();
  fade_out_mini_window();
  if (grabber_window().loaded()) fade_out_grabber_window();
  if (typing_window_loaded()) fade_out_typing_window();
  remove_tray_icon();
  release_boss_key();
  disable_window_snapping(w);
  remove_dialog_centring();
}

bool on_main_window_query_close() {
  MainWindowForm& w = main_window();
  // The run's pages are still coming; and whatever the user keeps unsaved keeps the program.
  if (open_busy() || !close_all_pages(true)) return false;
  release_main_window();
  show_window_faded(w, false);
  // Slid out at an edge: its place is where it was before the slide.
  if (edge_hidden()) w.move(edge_hide_left(), edge_hide_top(), w.width(), w.height());
  if (options().remember_position && !w.minimized()) {
    rt::Rect r = w.rect();
    config_write("程序设置", "窗口左边", std::to_string(r.left));
    config_write("程序设置", "窗口顶边", std::to_string(r.top));
    config_write("程序设置", "窗口宽度", std::to_string(r.width));
    config_write("程序设置", "窗口高度", std::to_string(r.height));
  }
  return true;
}

bool on_main_window_may_close() {
  if (!on_main_window_query_close()) return false;
  // Decided and saved: the process ends here, as after every exit command. Nothing that would
  // follow the window's end holds it (a worker waiting on the network or on another program,
  // the release of the script control or the voice, the library's own clean-up).
  rt::end_process(0);
  return true;
}

void on_main_window_destroying() {
  // However the window goes, the program stops being the running instance.
  release_instance_event();
}

namespace {

// The exit under way is a restart: the main window closes instead of the process ending, and
// the program is started again.
int g_restart_pending = 0;

// The exit sequence; false when it stopped and the program stays.
bool leave_program() {
  MainWindowForm& w = main_window();
  if (open_busy()) return false;
  // The may-close event must not ask a second time when the window then goes.
  w.on_may_close = nullptr;
  if (!on_main_window_query_close()) {
    w.on_may_close = on_main_window_may_close;
    return false;
  }
  if (!g_restart_pending) {
    rt::end_process(0);
    return true;
  }
  w.post_close();
  return true;
}

}  // namespace

bool restart_pending() { return g_restart_pending != 0; }

void reset_shutdown() { g_restart_pending = 0; }

void exit_program() { leave_program(); }

void restart_program() {
  if (open_busy()) return;
  g_restart_pending = 1;
  if (!leave_program()) {
    g_restart_pending = 0;
    return;
  }
  rt::run_program("\"" + rt::program_path() + "\"");
  rt::end_process(0);
}
