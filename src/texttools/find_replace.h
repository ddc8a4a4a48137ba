#pragma once
// Find and replace in the main edit box (the current page): the window "Velmora_寻找替换" and
// the menu's find previous and find next. The engine works on GBK byte positions; the edit box
// selects by characters.
#include <string>

#include "runtime/script.h"

// The search state; it outlives the window, so the menu's find previous and next go on
// working after the window is gone.
struct SearchState {
  std::string search_text;   // written only by the window's 寻找
  int search_forward = 0;    // 1 forward, 0 backward
  int search_pos = 0;        // 1-based byte anchor of the next search
  int find_ignore_case = 0;  // letters are compared without regard to case
};
const SearchState& search_state();
void set_search_text(std::string text);
void set_search_forward(int forward);
void set_search_pos(int pos);
void set_find_ignore_case(int ignore);
// A fresh start: no search text, backward, the anchor 0, case matters; the find boxes select
// all again at their first click.
void reset_search_state();
// A find box has lost the focus: its next click selects all again (box 0 the find text, 1 the
// replacement).
void forget_first_click(int box);

// The script object with its character counter is made at its first use; script_ready says
// whether it stands (making it first when it was not tried yet).
bool script_ready();
// false leaves the script object aside, as when it could not be made; true takes it again.
void set_script_ready(bool ready);
// Start-up: any earlier object goes, a new one is made at its first use.
void reset_script_object();
// End of the program.
void release_script_object();

void find_in_page();
void find_previous();  // menu "找上一个(&E)    Ctrl+E"
void find_next();      // menu "找下一个(&R)    Ctrl+R"
int count_chars_by_script(const std::string& text);
void open_find_window();  // menu "寻找替换(&F)    Ctrl+F"

// The window's commands and events.
void find_from_window();
void replace_selection_and_find();
void replace_all();
void update_replace_buttons();
void close_find_window();
// The window's may-close handler (also run at shutdown while the window is loaded).
void fade_out_find_window();
void on_find_window_created();
void on_find_window_first_activation();
void on_find_text_changed();
void on_match_case_click();
void on_up_click();
void on_down_click();
void on_close_after_replace_all_click();
bool on_find_box_key_down(int key, int modifiers);
bool on_replace_box_key_down(int key, int modifiers);
void select_all_on_first_click(int box);
void move_find_window_by_title();
