#pragma once
// Small text and path routines every subsystem calls. GBK byte strings; every search steps over
// double-byte characters, whose trail bytes can equal "\", "|" or ".".
#include <string>
#include <string_view>
#include <vector>

// The text after the first `left` up to the first `right` that follows it; empty when either
// is missing.
std::string text_between(std::string_view text, std::string_view left, std::string_view right);
// Every text between a `left` and the next `right`; the right delimiter of one item can be the
// left one of the next ("%A%B%" with "%" gives A and B). ASCII letters of `left` match without
// case. The list is emptied first unless keep.
void all_texts_between(std::string_view text, std::string_view left, std::string_view right,
                       std::vector<std::string>& list, bool keep = false);
// The file name without its extension; a trailing "\" is removed from path first (in the
// caller's variable too); the extension (without the dot) goes to `extension`.
std::string split_file_name(std::string& path, std::string& extension);
// The directory part with its trailing "\", or the file name.
std::string split_path_dir_file(std::string_view path, bool want_directory);
// 1-based position of the last occurrence of a single-byte character, stepping over
// double-byte characters; -1 when none.
int find_last_char(std::string_view text, char c);

// Lists of paths in one text, a "|" after or between them: the open-path list, the saved tab
// set and the hand-over box. A "|" can also be the trail byte of a character (亅 is 81 7C), so
// lists are split on character boundaries; a path whose last character is a lead byte without
// its trail (a byte escape) would then take the "|" after it for that trail. Such a path is
// written with a "?" after it, a byte that is no trail and that no path holds: the lead byte
// stays a character of its own, the bar a bar, also for a reader that does not know the rule.
// Every other path is written as it is.
std::string path_list_item(std::string_view path);
// The items between the bars (split_text's rules), each read back as it was before
// path_list_item.
std::vector<std::string> path_list_items(std::string_view list);
