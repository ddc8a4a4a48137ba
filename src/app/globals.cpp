#include "app/globals.h"

PageList g_pages;
std::vector<std::string> g_open_queue;

int g_per_page_font = 0;
int g_per_page_colors = 0;
int g_prevent_double_open = 0;
int g_detect_encoding = 0;
int g_open_in_thread = 1;
int g_jump_to_opened = 0;
int g_tab_close_button = 1;
int g_first_line_title = 1;
int g_edge_hide_enabled = 0;
int g_edge_hide_delay = 0;
int g_boss_key_registered = 0;
int g_edge_hidden = 0;
int g_edge_hide_pos[2] = {0, 0};

unsigned g_default_colors[2] = {0x8000, 0xCFE8CC};
FontRecord g_default_font;
int g_bulk_close = 0;
int g_typing_output_running = 0;
int g_accept_drops = 0;
int g_restore_on_unmaximize = 0;
int g_drag_enabled = 0;
int g_search_forward = 0;
int g_find_ignore_case = 0;
std::string g_separator_text = "-";
std::string g_search_text;
