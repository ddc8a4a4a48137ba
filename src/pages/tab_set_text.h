#pragma once
// The saved tab set's file "Velmora_保存标签.ini" beside the program: file paths separated by
// "|", as raw GBK bytes without INI syntax, byte-order mark or line break; a path ending in a
// lead byte without its trail is written with a "?" after it (path_list_item). A piece that
// names no existing file, the empty piece included, is ignored by every reader; an empty set has
// no file.
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kTabSetFileName = "Velmora_保存标签.ini";

// The main menu's save: the paths of the pages that have one, in tab order, joined by "|".
// Pages never saved (an empty path) are skipped.
std::string open_tabs_text(const std::vector<std::string>& page_paths);
// The tab manager's save: every row's path followed by "|".
std::string tab_set_rows_text(const std::vector<std::string>& row_paths);
// The tab menu's append: the existing bytes, "|", the path (a missing file counts as empty).
std::string tab_set_with_path(std::string_view existing, std::string_view path);
// The pieces between the "|" separators, inner empty pieces kept, a trailing one dropped.
std::vector<std::string> tab_set_pieces(std::string_view text);
// The pieces worth queueing for opening: the empty ones left out.
std::vector<std::string> tab_set_paths(std::string_view text);
// True when nothing but "|" and blanks is left: such a file is deleted.
bool tab_set_is_blank(std::string_view text);
// The file's bytes as text: up to the first zero byte.
std::string tab_set_text_of_bytes(std::string_view bytes);

// The Extra menu's item: saving while the set is empty, loading while the file holds text.
inline constexpr std::string_view kSaveOpenTabsCaption = "保存打开标签(&B)";
inline constexpr std::string_view kLoadSavedTabsCaption = "载入保存标签(&B)";
std::string_view tab_set_menu_caption(std::string_view file_text);
