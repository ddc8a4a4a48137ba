#include "app/globals.h"

#include "app/boss_key.h"
#include "app/drops.h"
#include "app/edge_hide.h"
#include "app/hotkeys.h"
#include "app/main_frame.h"
#include "app/menu_bar.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "common/window_fade.h"
#include "documents/open_files.h"
#include "options/option_values.h"
#include "pages/closing.h"
#include "pages/page_model.h"
#include "pages/page_store.h"
#include "texttools/find_replace.h"
#include "web/translation_window.h"
#include "web/update_check.h"
#include "texttools/read_aloud.h"
#include "texttools/typing_output.h"

void init_globals() {
  reset_page_store();
  reset_options();
  reset_boss_key();
  reset_edge_hide();
  set_bulk_close(false);
  reset_typing_output();
  accept_drops(false);
  reset_search_state();
  reset_main_frame();
  reset_menu_bar();
  reset_startup();
  set_not_win9x(1);
  reset_read_aloud();
  release_instance_event();
  reset_open_busy();
  reset_update_check();
  set_translation_languages({});
  reset_hotkeys();
  create_speech_object();
}

void free_globals() {
  release_page_store();
  release_script_object();
  release_speech_object();
}
