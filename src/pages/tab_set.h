#pragma once
// The saved tab set: a list of files kept beside the program and opened again later. The Extra
// menu's item saves the paths of the open pages or loads the saved ones; the tab menu appends
// the current page. The bytes of the file are in pages/tab_set_text.h.
#include <string>

// Program directory + "Velmora_保存标签.ini".
std::string tab_set_file_path();
// The file's text; "" when it is missing.
std::string read_tab_set_file();
// Writes the text as the file's whole content; an empty text deletes the file instead.
void write_tab_set_file(const std::string& text);

// The Extra menu's item as it drops down: "保存打开标签(&B)" while the file is missing or empty,
// enabled when a page has a path; "载入保存标签(&B)" while it holds text, enabled. Neither while
// an open run is busy.
struct TabSetMenuItem {
  std::string caption;
  bool enabled = false;
};
TabSetMenuItem tab_set_menu_item();

// The Extra menu's "保存打开标签(&B)" / "载入保存标签(&B)".
void save_or_load_open_tabs();
// The tab menu's "保存到保存标签(&K)": the current page's path appended to the set.
void append_page_to_tab_set();
