#pragma once
// The typing-output effect: the window "Velmora_屏幕输出效果" replays the current page into the
// edit box character by character, as if it were typed, with a delay before each character;
// at the end, or when stopped, the page's text is back whole. The replay never changes the
// page: while it runs the edit box is read-only and its changes are not the page's, and a
// change of the current page ends it.
#include <string>

#include "runtime/edit_box.h"

// A replay runs.
bool typing_output_running();
// 1: an ASCII space is appended without its delay.
int typing_skip_spaces();
// The delay before each character: the speed bar's position.
int typing_delay_ms();
// A fresh start: no replay, no stop asked for, no skipped spaces, no delay.
void reset_typing_output();

// Menu "屏幕输出效果(&S)": loads the window (or brings it forward).
void open_typing_window();
bool typing_window_loaded();

// 图形按钮_开始输出: replays the edit box's text (nothing while a replay still runs).
void start_typing_output();
// 图形按钮_停止输出, save-all and close-all: the replay ends and the page's text is back.
void stop_typing_output();
// The close button (and entering mini mode): the window fades out and goes, the replay ends.
void close_typing_output_window();
// Fades the window out and destroys it at once; also run at shutdown.
void fade_out_typing_window();

// The replay: the edit box is emptied and text is appended piece by piece (a whole character
// each), one piece per delay, starting with one delay before anything.
void run_typing_output();
void play_text_into_editor(const std::string& text, rt::EditBox& box);
// 1 begins a replay; 0 ends it: the page's text back in the edit box, the start button shown.
void set_typing_output_running(int flag);
// The timer's tick: the next piece, and the spaces after it when they are skipped.
void type_next_piece();

void update_typing_delay();
void toggle_typing_skip_spaces();

// Events.
void on_typing_window_created();
void on_typing_window_first_activation();
bool may_close_typing_window();
void on_typing_window_destroying();
void move_typing_window_by_title();
