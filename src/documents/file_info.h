#pragma once
// The file information window "Velmora_文件信息": the current page's file (name, extension,
// path, size, times, attributes), the page count and the edit box's state. The three times and
// the attributes are written to the file in place.
#include <string>

#include "runtime/files.h"
#include "runtime/graphic_button.h"

// Menu "文件信息(&W)" (and the other items that show it): loads the window modeless over the
// main window.
void open_file_info_window();

// Refills the window for the current page: the file is read on a worker thread and the
// window written on the UI thread. A fill asked for while one runs follows it, once. Does
// nothing while the window is not loaded (page display calls it on every redisplay).
void fill_file_info_thread();
// Whether a fill runs; until it ends nothing closes the window.
bool file_info_window_busy();

// "已被修改！" or "未被修改！" for the page at index.
std::string modified_state_text(int index);
// The three times (creation, last write, last access) as local date-times; false, and the
// three at the zero date, when they cannot be read.
bool get_file_times(const std::string& path, rt::DateTime times[3]);
// The time text, read back as a date, becomes that time of the file; the other two stay. A
// text that is no date, or a file that cannot be opened for writing, changes nothing.
bool set_file_times(const std::string& path, rt::FileTimeKind which, const std::string& time_text);
// The four attribute buttons, all at once, become the file's attributes.
void apply_file_info_attributes();

// Events of the window.
void on_file_info_window_created();
void on_file_info_window_shown();
void close_file_info_window();
// The may-close handler (also run at shutdown while the window is loaded): fades it out.
void fade_out_file_info_window();
bool on_file_info_window_may_close();
bool on_file_path_key_down(int key, int modifiers);
bool on_file_time_key_down(rt::FileTimeKind which, int key);
void on_file_attribute_click(rt::GraphicButton& button);
void move_file_info_window_by_title();
