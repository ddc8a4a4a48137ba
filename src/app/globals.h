#pragma once
// The program's global state: the option flags that many subsystems consult and the shared
// values start-up prepares. Set at start-up and by the options window, read where they govern.
#include <string>
#include <vector>

#include "common/records.h"

extern PageList g_pages;
extern std::vector<std::string> g_open_queue;

// Option flags.
extern int g_per_page_font;
extern int g_per_page_colors;
extern int g_prevent_double_open;
extern int g_detect_encoding;
extern int g_open_in_thread;
extern int g_jump_to_opened;
extern int g_tab_close_button;
extern int g_first_line_title;
extern int g_edge_hide_enabled;
// The pause before the window slides out at an edge, in ms.
extern int g_edge_hide_delay;
// Whether the boss-key hotkey is registered now.
extern int g_boss_key_registered;

// Shared values.
extern unsigned g_default_colors[2];  // text colour, background colour
extern FontRecord g_default_font;
extern int g_bulk_close;
extern int g_typing_output_running;
extern int g_accept_drops;
extern int g_restore_on_unmaximize;
extern int g_drag_enabled;
extern int g_search_forward;
extern int g_find_ignore_case;
// The main window slid out at a screen edge, and its left and top before it slid.
extern int g_edge_hidden;
extern int g_edge_hide_pos[2];
// The unit a separator line is made of (option 分隔符, never empty).
extern std::string g_separator_text;
// The text find and replace last looked for; the find-next and find-previous commands need it.
extern std::string g_search_text;

// Resets every global to its state before start-up (the program runs it once; tests before
// each start). These two live in app/program_state.cpp: this file and its source hold data only.
void init_globals();
// Releases what the globals hold, once, after the last window is gone.
void free_globals();
