#pragma once
// The tab manager "Velmora_标签管理": the open pages with their files' attributes (switch to,
// close, copy to a folder, show properties, keep in the saved set) and the saved tab set as
// rows (add, delete, preview, open, save back).
//
// Workers only read files; the rows, the pages and the window are touched on the UI thread. The
// window is busy while any of its jobs runs: its close button is then disabled and it refuses to
// close, the open-pages list takes no keys, and a refill asked for meanwhile runs once after the
// running one. While the saved list is being filled it refuses whatever would save or replace
// its rows. Results for a window that has closed are dropped.
#include <string>
#include <vector>

namespace rt {
class ListView;
}

// The menu item "标签管理(&B)": loads the window over the main window or brings it forward.
void open_tab_manager();
// The close button: saves the saved list when it was changed here, fades out, destroys.
void close_tab_manager();
// The may-close event: refused while busy; fades the window out without saving.
bool may_close_tab_manager();
// Fades the window out when loaded (the exit, 13th of the tool windows).
void fade_out_tab_manager();
bool tab_manager_loaded();
// Jobs of the window are running.
bool tab_manager_busy();
// The saved list is being filled.
bool saved_list_filling();

// Events of the window.
void on_tab_manager_created();
void on_tab_manager_first_activation();
void on_tab_manager_tab_changed();
void move_tab_manager_by_title();

// Ctrl+F of both lists: the selected rows become unselected and the others selected.
void invert_selection(rt::ListView& list);

// The open-pages list. The fill reads the pages on the UI thread and their files on the worker.
void fill_tab_manager_list();
void fill_tab_manager_list_thread();
// Starts the thread entry on a worker; while a fill runs, one more runs after it.
void refresh_tab_manager_list();
// The page model keeps the rows in step: a new page's row appended (as a page never saved),
// the closed page's row removed, a page saved under a new name shown with its file.
void add_page_to_tab_manager(const std::string& name);
void remove_page_from_tab_manager(int index, bool placeholder_before);
void update_tab_manager_row(int index);
bool on_open_pages_key_down(int key, int modifiers);
void on_open_pages_double_click(int row);
void show_open_pages_menu(int screen_x, int screen_y);
// Closes the selected pages, the highest first, each with its save question.
void close_selected_pages();
// The selected pages that have a file become saved rows and are appended to the set's file.
void add_selected_pages_to_saved_set();
// "文件复制到(&C)": the selected pages' files copied into a folder the user chooses.
void copy_selected_pages_to_folder();
// "文件属性(&P)": the shell's properties of each selected page's file.
void show_selected_pages_properties();
void close_all_pages_from_tab_manager();

// The saved list.
void save_tab_set_file();
void reload_tab_set_file();
// Turns the paths waiting for the saved list into rows: the files are read on a worker, the rows made on the UI
// thread; paths that name no file are left out.
void add_pending_to_saved_list();
void delete_selected_rows();
void clear_saved_list();
void open_saved_rows();
void preview_saved_file();
// "加入文件(&O)    Ctrl+O": files chosen in the multi-select dialog are added.
void add_files_to_saved_list();
void add_dropped_files_to_saved_list(const std::vector<std::string>& paths);
void add_dropped_text_to_saved_list(const std::string& text);
bool on_saved_list_key_down(int key, int modifiers);
void show_saved_list_menu(int screen_x, int screen_y);
