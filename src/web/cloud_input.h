#pragma once
// The cloud input window "Velmora_云输入法": the pinyin typed into its box goes to one of three
// web input methods (QQ, Baidu, Sogou), whose candidates are listed and inserted into the edit
// box at the caret. Workers only fetch and cut the replies; the list, the buttons and the
// paging state change on the UI thread, and a reply whose request is no longer the newest (the
// box changed, another page or engine was asked for, the window closed) is dropped.
#include <string>

#include "runtime/window.h"

// The QQ request up to its page number, rebuilt whenever a QQ setting changes.
const std::string& qq_ime_prefix();
// The Sogou service key fetched when the window opens; empty: Sogou is not offered.
const std::string& sogou_ime_key();
// The page shown: the page number for QQ (from 1) and Sogou (from 0), the result offset in
// steps of 20 for Baidu (from 0).
int cloud_ime_page();
// A fresh start: no request built, no key, the first page.
void reset_cloud_input();

// Menu "启动云输入法(&Y)    Ctrl+Y" and the start-up option: the window over the main window when
// the Internet can be reached, otherwise a message. A loaded window comes forward.
void open_cloud_input_window();
void on_cloud_ime_window_created();
// Shown with the fade where the created event put it (at the caret), not centred.
void on_cloud_ime_first_activation();

// The pinyin box changed: a query on a worker, or an empty list without page buttons.
void start_cloud_ime_query();
// 超级按钮_向下 / 超级按钮_向上 and their keys: the next or previous page on a worker.
void next_cloud_ime_page();
void previous_cloud_ime_page();
// The selected candidate into the edit box at the caret; the window follows the caret and the
// box is emptied. Nothing without a selected, non-empty candidate.
void insert_cloud_ime_candidate();
// Keys; false for the keys they handle.
bool on_pinyin_key(int key, int modifiers);
bool on_candidate_key(int key, int modifiers);
bool on_cloud_ime_window_key(int key, int modifiers);
// The list's selection changed: its tip shows the candidate.
void show_candidate_tip();

// The engine combo: the engine's title, icon and fallback, stored, and a new query.
void on_cloud_ime_engine_changed();
// The QQ settings: the prefix, the combo's tip, a new query, stored.
void on_input_method_changed();
void on_output_mode_changed();
void on_pinyin_mode_changed();
void on_shuangpin_style_changed();
// The check buttons: flipped and stored (fuzzy pinyin also rebuilds the prefix).
void toggle_fuzzy_pinyin();
void toggle_engine_fallback();
void toggle_save_cloud_ime_settings();
// 超级按钮_设置: the settings open (456 wide) or closed (234 wide).
void toggle_cloud_ime_settings();
// Mouse over the window.
void focus_pinyin_box();
void relayout_cloud_ime_skin();

// The newest query or page asked for has not answered yet.
bool cloud_ime_request_pending();

// Left at the caret plus the edit box's font size, top at the caret plus half the window's
// height plus that size; also for the main window's moves.
// The cloud input window's place by the caret: a font size right of it, and half its height and
// a font size below it.
void place_window_at_caret(rt::Window& window);
void place_cloud_input_window_at_caret();

void close_cloud_input_window();
bool may_close_cloud_input_window();
// Fades the window out when loaded; also run at shutdown, first of the tool windows.
void fade_out_cloud_input_window();
