#pragma once
// The batch pages of the options window. Page "文件操作": the batch list 超级列表框_处理的文件,
// filled by drops, the open dialog and a folder search, and one operation over all its files
// (copy, move, delete, rename, attributes). Page "编码转换": the conversion list
// 超级列表框_操作文件, filled by drops and the open dialog (the conversion itself is in
// documents/batch_conversion.h).
//
// Workers read and write files only; the lists, the buttons and the log change on the UI thread.
// Each list does one thing at a time: while it is being filled, searched or worked through,
// adding to it is refused, and the window does not close while any of its workers runs. A
// worker's result for a window that has closed meanwhile is dropped.
#include <functional>
#include <string>
#include <vector>

#include "runtime/edit_box.h"

// Paths waiting to be added to the batch list and to the conversion list.
const std::vector<std::string>& batch_add_list();
const std::vector<std::string>& conversion_add_list();
// 1 while no batch operation runs.
int batch_idle();
// 1 once the frames of the naming boxes are drawn (the first time page "文件操作" shows).
int batch_frames_done();

// The window was created: nothing runs, nothing waits, the buttons as the boxes say.
void reset_batch_pages();
// First activation: both lists take dropped files.
void attach_batch_drop_targets();
// The page shown changed: the units that show a running operation or conversion appear only
// on their page.
void show_batch_state_units();

// Whether a worker fills or works through the batch list, the conversion list, or either.
bool batch_list_busy();
bool conversion_list_busy();
bool batch_pages_busy();
// The conversion page's workers, counted with the others (documents/batch_conversion.cpp): the
// start gives the serial the worker carries back to its end.
int batch_conversion_started();
void batch_conversion_ended(int serial);
// From a worker: runs work on the UI thread while the options window of that serial is loaded;
// false when it has gone (the worker then ends).
bool run_for_batch_window(int serial, const std::function<void()>& work);

// ---- The lists ----

// Files dropped on either list: into the conversion list while page "编码转换" is shown, else
// into the batch list.
void add_batch_files(const std::vector<std::string>& paths);
// The multi-select open dialog, into either list.
void add_files_to_batch_list();
void add_files_to_conversion_list();
// Adds the waiting paths on a worker: the batch list takes every path, the conversion list
// only existing files.
void fill_batch_list();
void fill_conversion_list();
// A file's attributes as √/× into columns 2 to 5 of a batch row (into_row), or into the four
// attribute boxes.
void show_file_attributes(const std::string& path, bool into_row, int row);
// Key-down handlers of the lists (also the menus' commands): Ctrl+A selects all, Ctrl+F
// inverts the selection, Del and Backspace delete the selected rows. False: the key was taken.
bool on_batch_list_key(int key, int modifiers);
bool on_conversion_list_key(int key, int modifiers);
// Right-click menus, at the screen point.
void show_batch_list_menu(int screen_x, int screen_y);
void show_conversion_list_menu(int screen_x, int screen_y);
// A click on an attribute box: in set-attributes mode the selected rows' files take the boxes'
// attributes.
void apply_attributes_to_selected_rows();
// The batch list's current row changed: the new name of the first selected file in the log.
void preview_batch_rename();
// Page "文件操作" shows for the first time: the naming boxes get their frames.
void frame_batch_boxes();

// ---- The operations ----

// 1 read-only, 2 hidden, 4 system, 32 archive, as the four boxes are checked.
int batch_attribute_mask();
// 超级按钮_开始执行: starts the chosen operation, or stops the running one.
void start_batch_operation();
// Running: the button stops, the progress shows; finished: the log says so.
void set_batch_running(bool running);
// The new name of a file by the naming boxes (documents/batch_rules.h).
std::string build_batch_name(const std::string& file_name, int row_index, const std::string& clash_suffix);
// 超级按钮_搜索 and Enter in 编辑框_操作目录: starts the folder search, or stops it.
void toggle_batch_search();
void search_batch_files();
// The two folder buttons.
void choose_batch_folder();
void choose_batch_target_folder();
// The target folder or the operation changed.
void update_batch_start_button();
// 编辑框_操作目录 changed.
void on_batch_folder_changed();
// Enter in 编辑框_操作目录 toggles the search.
bool on_batch_folder_key(int key, int modifiers);
// A naming or folder box got the focus: its help, or what it holds, in the log.
void show_naming_help(rt::EditBox& box);
