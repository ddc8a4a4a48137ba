#pragma once
// The jump-to-page window "Velmora_跳转页面": takes the user to a page by its number or by a
// part of its name. Numbers skip tab 0 while it is a switched-off placeholder.

// 1 after a click into the input box selected all its text; 0 again when the box loses the focus.
int jump_select_all_once();
void forget_jump_first_click();

// The command of "跳转页面(&M)    Ctrl+D": loads the window modeless over the main window, or
// brings it forward when it is loaded.
void open_jump_window();
// The close button: fade out, then destroy.
void close_jump_window();
// The window's may-close handler (also run at shutdown while the window is loaded).
void fade_out_jump_window();

// The window's events.
void on_jump_window_created();
void on_jump_window_first_activation();
void switch_jump_to_name_mode();
void switch_jump_to_number_mode();
void on_jump_exit_check_click();
void on_jump_text_changed();
void jump_to_page();
bool on_jump_box_key_down(int key, int modifiers);
void show_jump_text_tip();
void select_jump_text_on_first_click();
void move_jump_window_by_frame();
