#pragma once
// The rows of the tab manager's two lists and the states of their menus: the texts a page or a
// saved file shows, as pure rules over what was read of the files.
#include <string>
#include <string_view>
#include <vector>

// The path column of a page that has never been saved.
inline constexpr std::string_view kNeverSavedPath = "(此文件尚未保存过！)";
// Columns of the open-pages list: name, size, read-only, hidden, system, archive, path.
inline constexpr int kOpenPagesPathColumn = 6;
// Columns of the saved list: name, size, path.
inline constexpr int kSavedPathColumn = 2;
// The saved file's preview shows no more than this.
inline constexpr int kPreviewBytes = 750;

// What was read of one file: its size (-1 when missing) and attribute bits (-1 when missing).
struct FileFacts {
  long long size = -1;
  int attributes = -1;
};

// The size in KB (bytes / 1024, rounded half up to 3 decimals, trailing zeros dropped) followed
// by "KB"; "" for a missing file.
std::string size_in_kb_text(long long bytes);
// The read-only (1), hidden (2), system (4) and archive (32) bits as "√" or "×"; a missing file
// (-1) shows "×" in all four.
std::vector<std::string> attribute_marks(int attributes);
// A row of the open-pages list. A page without a path shows the never-saved text, an empty size
// and no attributes.
std::vector<std::string> open_page_row(const std::string& name, const std::string& path, const FileFacts& facts);
// A row of the saved list: the file name (after the last "\"), the size, the full path.
std::vector<std::string> saved_file_row(const std::string& path, long long size);
// The preview of a saved file's first bytes: up to the first zero byte, cut back to whole
// characters within kPreviewBytes.
std::string saved_file_preview(std::string_view bytes);
// The rows a selection inverts to: every row of count not in selected (ascending).
std::vector<int> inverted_rows(int count, const std::vector<int>& selected);
// Dropped text: one path per line.
std::vector<std::string> dropped_text_paths(std::string_view text);

// The items of "打开标签_右键菜单" that the states govern.
struct OpenPagesMenuState {
  bool open_disabled = false;        // "打开文件(&O)    Ctrl+O"
  bool refresh_disabled = false;     // "刷新显示(&F5)    F5"
  bool copy_disabled = false;        // "文件复制到(&C)"
  bool close_disabled = false;       // "关闭标签(&D)    Del"
  bool add_to_set_disabled = false;  // "保存到标签(&B)"
  bool properties_disabled = false;  // "文件属性(&P)"
};
// row_count, the window busy, the selected rows, whether the one selected row is a page never
// saved; saved_list_filling: the saved list is being filled (nothing may be added to it then).
OpenPagesMenuState open_pages_menu_state(int row_count, bool busy, int selected_count, bool single_never_saved,
                                         bool saved_list_filling);

// The items of "保存标签_右键菜单" that the states govern.
struct SavedListMenuState {
  bool add_files_disabled = false;  // "加入文件(&O)    Ctrl+O"
  bool open_disabled = false;       // "打开到程序(&B)"
  bool save_disabled = false;       // "保存标签(&S)    Ctrl+S"
  bool refresh_disabled = false;    // "刷新显示(&F5)    F5"
  bool delete_disabled = false;     // "删除选中(&D)    Del"
  bool clear_disabled = false;      // "全部删除(&Q)"
};
// filling: the saved list is being filled; it refuses everything that saves or replaces rows.
SavedListMenuState saved_list_menu_state(int row_count, int selected_count, bool filling);
