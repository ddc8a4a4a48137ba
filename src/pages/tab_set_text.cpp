#include "pages/tab_set_text.h"

#include "common/text_routines.h"
#include "runtime/gbk_text.h"

std::string open_tabs_text(const std::vector<std::string>& page_paths) {
  std::string text;
  for (const std::string& path : page_paths) {
    if (path.empty()) continue;
    if (!text.empty()) text += "|";
    text += path_list_item(path);
  }
  return text;
}

std::string tab_set_rows_text(const std::vector<std::string>& row_paths) {
  std::string text;
  for (const std::string& path : row_paths) text += path_list_item(path) + "|";
  return text;
}

std::string tab_set_with_path(std::string_view existing, std::string_view path) {
  // The existing last path is kept apart from the bar too (a set written before the rule).
  return path_list_item(existing) + "|" + path_list_item(path);
}

// The trail byte of a double-byte character can be 0x7C, so the split walks by characters.
std::vector<std::string> tab_set_pieces(std::string_view text) { return path_list_items(text); }

std::vector<std::string> tab_set_paths(std::string_view text) {
  std::vector<std::string> paths;
  for (std::string& piece : tab_set_pieces(text))
    if (!piece.empty()) paths.push_back(std::move(piece));
  return paths;
}

bool tab_set_is_blank(std::string_view text) { return rt::remove_blanks(rt::replace_text(text, "|", "")).empty(); }

std::string tab_set_text_of_bytes(std::string_view bytes) { return std::string(bytes.substr(0, bytes.find('\0'))); }

std::string_view tab_set_menu_caption(std::string_view file_text) {
  return file_text.empty() ? kSaveOpenTabsCaption : kLoadSavedTabsCaption;
}
