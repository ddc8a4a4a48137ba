#pragma once
// The open-path list: one text mirroring the tabs, an entry per tab (the page's path, or one
// blank for a page without one), each followed by "|" (as path_list_item writes it, so an entry
// ending in a lead byte without its trail keeps its bar). Entries are matched whole and without
// case, as Windows compares paths, so "C:\a.txt" is not taken for open while only
// "C:\a.txt.BAK" is.
#include <string>
#include <string_view>
#include <vector>

std::vector<std::string> open_path_entries(std::string_view list);
// Adds an entry (a path, or the blank of a page without one) and its "|", in the form that
// keeps it apart from the next whatever byte it ends in (path_list_item).
void append_open_path_entry(std::string& list, std::string_view entry);
// The tab index of the first entry equal to path, or -1.
int open_path_index(std::string_view list, std::string_view path);
// The entry of tab `index` becomes new_text, or is removed when new_text is empty.
// Returns false when the list has no entry for that tab.
bool replace_open_path_entry(std::string& list, int index, std::string_view new_text);
