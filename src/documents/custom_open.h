#pragma once
// The custom open window "Velmora_打开文件": three ways of opening files, one button each: the
// ordinary multi-select dialog, every ".txt" file of a chosen folder, and every file of a chosen
// folder whose name matches a rule the user types (remembered in the configuration).
//
// The folder and search opens ask for the folder on the UI thread and search it on a worker,
// which hands the names back; the window counts those workers as its busy state and, while
// busy, neither closes nor starts another open. A search that ends after its window has gone
// is dropped. While the open routine runs (set_open_busy), the three opens do nothing.
#include <string>

// The rule of the last search open (wildcards * and ?): emptied before each prompt, then what
// the prompt gave.
const std::string& search_open_rule();

// Menu "自定打开(&L)": loads the window modeless over the main window (or brings it forward).
void open_custom_open_window();
void on_open_choice_window_created();
void on_open_choice_window_shown();
// 图形按钮_关闭小: fades the window out and destroys it (refused while it is busy).
void close_open_choice_window();
bool on_open_choice_window_may_close();
// Fades the window out when it is loaded; also run at shutdown.
void fade_out_open_choice_window();
// 图形按钮_选择性打开: the Open command, then the window closes (also when its dialog is cancelled).
void open_selected_and_close();
// 图形按钮_打开文件夹: every ".txt" file of a chosen folder.
void start_open_folder_thread();
// 图形按钮_搜索打开: asks for the rule, then every file of a chosen folder that matches it.
void search_open_command();
// Whether searches of the loaded window are still running.
bool open_choice_window_busy();
