#include "pages/open_path_list.h"

#include "common/text_routines.h"
#include "runtime/gbk_text.h"

std::vector<std::string> open_path_entries(std::string_view list) { return path_list_items(list); }

void append_open_path_entry(std::string& list, std::string_view entry) {
  list += path_list_item(entry);
  list += "|";
}

int open_path_index(std::string_view list, std::string_view path) {
  if (path.empty()) return -1;
  std::string wanted = rt::to_lower_ascii(path);
  auto entries = open_path_entries(list);
  for (size_t i = 0; i < entries.size(); ++i)
    if (rt::to_lower_ascii(entries[i]) == wanted) return static_cast<int>(i);
  return -1;
}

bool replace_open_path_entry(std::string& list, int index, std::string_view new_text) {
  auto entries = open_path_entries(list);
  if (index < 0 || index >= static_cast<int>(entries.size())) return false;
  if (new_text.empty())
    entries.erase(entries.begin() + index);
  else
    entries[static_cast<size_t>(index)] = std::string(new_text);
  std::string out;
  for (const auto& e : entries) append_open_path_entry(out, e);
  list = std::move(out);
  return true;
}
