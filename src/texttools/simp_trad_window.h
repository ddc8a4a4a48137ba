#pragma once
// The Simplified/Traditional window "Velmora_简繁转换": converts its work box or the current
// page between Simplified and Traditional characters.
#include <string>

class PagePicker;

// Menu "文本简繁互转(&U)    Ctrl+U".
void open_simp_trad_window();

// The work box's commands.
void convert_to_simplified();
void convert_to_traditional();
void copy_work_text();
void clear_work_text();
// The current page's commands.
void convert_page_to_simplified();
void convert_page_to_traditional();
void copy_current_page_text();

// The page picker.
PagePicker& chinese_page_picker();
void fill_chinese_page_picker();
void fill_chinese_page_picker_thread();
void on_chinese_page_picked();

// Drops on the work box: a text is appended; a file replaces the work text with its content
// (the first of several files).
void append_dropped_text_to_work_box(const std::string& text);
void load_dropped_file_into_work_box(const std::string& path);

// Events.
void on_simp_trad_window_created();
void on_simp_trad_window_first_activation();
void update_simp_trad_buttons();
bool on_work_box_key_down(int key, int modifiers);
void move_simp_trad_window_by_title();
// The close button: fades the window out and destroys it (not while its picker is filled).
void close_simp_trad_window();
// The may-close event: refused while the picker is filled.
bool may_close_simp_trad_window();
// Fades the window out when loaded; also run at shutdown.
void fade_out_simp_trad_window();
