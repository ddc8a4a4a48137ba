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
