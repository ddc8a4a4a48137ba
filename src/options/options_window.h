#pragma once
// The options window "Velmora_程序设置": the only place where the user changes options. It has
// no OK or Cancel: every control applies its option at once, sets the option value the program
// consults and writes or deletes its key in the configuration file. Opening it sets every
// control from the file, a few from the option values, and the default-editor box from the
// registry.
#include "runtime/graphic_button.h"

// The text (0) and background (1) colours the pickers last accepted; a refused colour goes back
// to it.
unsigned option_color(int index);
// A fresh start: the standard colours.
void reset_options_window();

// Main menu "程序设置(&S)" and toolbar button 11: loads the window modeless over the main
// window (nothing more while it is loaded).
void open_options_window();
// Fades the window out (also at shutdown while the window is loaded).
void fade_out_options_window();
// The window's may-close handler: refused while a worker of the batch pages runs, else the
// window fades out.
bool on_options_window_may_close();

// The window's events.
void on_options_window_created();
void on_options_window_shown();
void close_options_window();
// Left button down on a frame label or on the tab strip outside its tabs.
void drag_options_window();
// The tab control turned to another page.
void show_options_page();

// Check buttons whose click only stores a flag (and sets its option value where there is one).
void toggle_flag_option(rt::GraphicButton& button);
void toggle_tab_close_button_option();
void toggle_fade_option();
void choose_fade_speed();
void toggle_edge_hide_option();
void choose_edge_hide_delay();
void toggle_autosave_option();
void choose_autosave_interval();
void on_text_color_chosen();
void on_back_color_chosen();
// Right click on a picker: its default colour, unless the other picker shows it.
void reset_text_color();
void reset_back_color();
void on_separator_changed();
void toggle_remember_position_option();
// Right click on 超级按钮_纪录窗口位置: the main window back to its default size.
void reset_main_window_size();
void toggle_toolbar_option();
void toggle_clock_option();
void toggle_double_open_option();
void toggle_snapping_option();
void toggle_named_audio_files_option();
void choose_audio_folder();
void choose_search_engine();
void choose_cloud_input_method();
// A check button that only flips (the attribute boxes of the file page, before their batch work).
void flip_check_button(rt::GraphicButton& button);
