// Puts the program's state back as it is before start-up, and releases it after the last window.
#include "app/globals.h"

#include "app/boss_key.h"
#include "app/hotkeys.h"
#include "app/main_frame.h"
#include "app/menu_bar.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "common/window_fade.h"
#include "documents/open_files.h"
#include "pages/page_model.h"
#include "texttools/find_replace.h"
#include "web/translation_window.h"
#include "web/update_check.h"
#include "texttools/read_aloud.h"
#include "texttools/typing_output.h"

void init_globals() {
  g_pages.clear();
  g_open_queue.clear();
  g_fade_enabled = 0;
  g_per_page_font = 0;
  g_per_page_colors = 0;
  g_prevent_double_open = 0;
  g_detect_encoding = 0;
  g_open_in_thread = 1;
  g_jump_to_opened = 0;
  g_tab_close_button = 1;
  g_first_line_title = 1;
  g_edge_hide_enabled = 0;
  g_edge_hide_delay = 0;
  g_boss_key_registered = 0;
  g_edge_hidden = 0;
  g_edge_hide_pos[0] = g_edge_hide_pos[1] = 0;
  g_default_colors[0] = 0x8000;
  g_default_colors[1] = 0xCFE8CC;
  g_default_font = FontRecord{};
  g_bulk_close = 0;
  g_typing_output_running = 0;
  g_accept_drops = 0;
  g_restore_on_unmaximize = 0;
  g_drag_enabled = 0;
  g_search_forward = 0;
  g_find_ignore_case = 0;
  g_search_text.clear();
  g_search_pos = 0;
  g_find_select_all_once[0] = g_find_select_all_once[1] = 0;
  g_separator_text.assign(1, '-');
  g_maximized = 0;
  g_open_menu = 0;
  g_remember_position = 0;
  g_children_stay = 0;
  g_work_height = 0;
  g_autosave_interval = 0;
  g_window_alpha = 255;
  g_not_win9x = 1;
  g_read_aloud_hidden = 0;
  g_voice_index = 0;
  g_typing_output_stop = 0;
  g_typing_skip_spaces = 0;
  g_typing_delay_ms = 0;
  release_instance_event();
  reset_page_model();
  reset_open_busy();
  g_update_info = UpdateInfo{};
  g_update_available = 0;
  g_update_package_path.clear();
  g_update_download_result = 0;
  g_translation_languages.clear();
  reset_hotkeys();
  g_boss_hotkey_id = 0;
  create_speech_object();
}

void free_globals() {
  g_pages.clear();
  g_pages.shrink_to_fit();
  g_open_queue.clear();
  release_script_object();
  release_speech_object();
}
