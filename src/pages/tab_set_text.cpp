#include "pages/tab_set_text.h"

#include "runtime/gbk_text.h"

std::string open_tabs_text(const std::vector<std::string>& page_paths) {
  std::string text;
  for (const std::string& path : page_paths) {
    if (path.empty()) continue;
    if (!text.empty()) text += "|";
    text += path;
  }
  return text;
}

std::string tab_set_rows_text(const std::vector<std::string>& row_paths) {
  std::string text;
  for (const std::string& path : row_paths) text += path + "|";
  return text;
}

std::string tab_set_with_path(std::string_view existing, std::string_view path) {
  std::string text(existing);
  text += "|";
  text += path;
  return text;
}

// The trail byte of a double-byte character can be 0x7C, so the split walks by characters.
std::vector<std::string> tab_set_pieces(std::string_view text) { return rt::split_text(text, "|"); }

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
