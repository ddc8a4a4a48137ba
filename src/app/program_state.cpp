// Puts the program's state back as it is before start-up, and releases it after the last window.
#include "app/globals.h"

#include "app/boss_key.h"
#include "app/drops.h"
#include "app/edge_hide.h"
#include "app/hotkeys.h"
#include "app/main_frame.h"
#include "app/menu_bar.h"
#include "app/shutdown.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "common/window_fade.h"
#include "documents/open_files.h"
#include "documents/save_files.h"
#include "foreign/grabber_window.h"
#include "options/option_values.h"
#include "options/options_window.h"
#include "pages/closing.h"
#include "pages/page_display.h"
#include "pages/page_store.h"
#include "texttools/find_replace.h"
#include "texttools/font_window.h"
#include "texttools/read_aloud.h"
#include "texttools/typing_output.h"
#include "web/cloud_input.h"
#include "web/dropped_url.h"
#include "web/translation_window.h"
#include "web/update_check.h"
#include "web/web_search.h"

void init_globals() {
  // The pages and the option values.
  reset_page_store();
  reset_page_display();
  reset_options();
  // The main window's frame and what start-up measures and holds.
  reset_startup();
  reset_main_frame();
  reset_menu_bar();
  reset_edge_hide();
  set_not_win9x(1);
  release_instance_event();
  reset_hotkeys();
  reset_boss_key();
  accept_drops(false);
  reset_dropped_url();
  reset_shutdown();
  // Bulk page work.
  reset_open_busy();
  set_bulk_close(false);
  set_tab_scroll_direction(0);
  // What the tool windows keep between their loads.
  reset_search_state();
  reset_typing_output();
  reset_read_aloud();
  reset_font_window();
  reset_options_window();
  reset_grabber_window();
  reset_update_check();
  set_translation_languages({});
  reset_cloud_input();
  reset_web_search_state();
  release_speech_object();
}

void free_globals() {
  release_page_store();
  release_script_object();
  release_speech_object();
}
