#pragma once
// Reading aloud: the window "Velmora_语音朗读" reads a text with the system's voice, pauses,
// resumes and stops it, or speaks it into a WAV file; the text comes from the edit box, the
// clipboard, a page, a text file or a drop. The window can be hidden to the tray and brought
// back while it speaks.
#include <functional>
#include <memory>
#include <string>

#include "runtime/speech.h"

class PagePicker;

// The voice the window speaks with is made at its first use; releasing it (a fresh start, the end
// of the program) leaves the next use a new one.
void release_speech_object();
// 1 while the window is hidden to the tray.
int read_aloud_hidden();
// The voice last chosen in 组合框_语音库.
int voice_index();
// A fresh start: the window not hidden, the first voice.
void reset_read_aloud();

// Menu "语音朗读文本(&L)    Ctrl+L": loads the window when a speech engine is installed (else
// offers the engine's download page); brings a window hidden to the tray back.
void open_read_aloud_window();
// The tray menu's "语音朗读(&Y)": the window comes back when it is loaded.
void restore_read_aloud_from_tray();
// 图形按钮_隐藏 (and entering mini mode): the window fades out and hides; speaking goes on; the
// tray menu item that brings it back shows.
void hide_read_aloud_to_tray();
// Shows the window again with its fade.
void show_read_aloud_window();
// The close button: fades out, stops speaking, destroys the window (not while its picker is
// filled).
void close_read_aloud_window();
// The may-close event: refused while the picker is filled; otherwise the fade-out.
bool may_close_read_aloud_window();
// Fades the window out when loaded and hides the tray menu item; also run at shutdown.
void fade_out_read_aloud_window();

// The tray menu's item "语音朗读(&Y)" and the separator above it, shown while the window is
// hidden to the tray and hidden when it closes.
void show_read_aloud_tray_item(bool visible);

// The page picker.
PagePicker& speech_page_picker();
void fill_speech_page_picker();
void fill_speech_page_picker_thread();
void on_speech_page_picked();

// Speaking.
void toggle_reading();
void toggle_speech_pause();
// What the voice tells: 1 the text's start, anything else its end.
void on_speech_event(int argument);
void set_speech_rate();
void set_speech_volume();
void choose_voice();
void update_read_buttons();
bool on_read_text_key_down(int key, int modifiers);
void toggle_close_after_reading();
void toggle_no_question_after_output();

// Texts to read from elsewhere: a text file, dropped text (appended), a dropped file (its
// content replaces the text).
void open_text_to_read();
void append_dropped_text_to_read(const std::string& text);
void load_dropped_file_to_read(const std::string& path);

// Speaks the text into a WAV file the user names.
void speak_to_wav_file();

// Events.
void on_read_aloud_window_created();
void on_read_aloud_window_first_activation();
void on_read_aloud_window_destroying();
void move_read_aloud_window_by_title();
