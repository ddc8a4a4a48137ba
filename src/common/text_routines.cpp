#include "common/text_routines.h"

#include "runtime/gbk_text.h"

std::string text_between(std::string_view text, std::string_view left, std::string_view right) {
  int p = rt::find_text(text, left);
  if (p < 0) return {};
  std::string_view rest = text.substr(static_cast<size_t>(p - 1) + left.size());
  int q = rt::find_text(rest, right);
  if (q < 0) return {};
  return std::string(rest.substr(0, static_cast<size_t>(q - 1)));
}

void all_texts_between(std::string_view text, std::string_view left, std::string_view right,
                       std::vector<std::string>& list, bool keep) {
  if (!keep) list.clear();
  if (left.empty()) return;
  int start = 1;
  for (;;) {
    int p = rt::find_text(text, left, start, true);
    if (p < 0) return;
    int a = p + static_cast<int>(left.size());
    int q = rt::find_text(text, right, a);
    if (q > 0) list.push_back(std::string(text.substr(static_cast<size_t>(a - 1), static_cast<size_t>(q - a))));
    start = a;
  }
}

int find_last_char(std::string_view text, char c) {
  int last = -1;
  for (size_t i = 0; i < text.size(); i += rt::char_size_at(text, i))
    if (text[i] == c) last = static_cast<int>(i) + 1;
  return last;
}

std::string split_file_name(std::string& path, std::string& extension) {
  if (!path.empty() && find_last_char(path, '\\') == static_cast<int>(path.size())) path.pop_back();
  int slash = find_last_char(path, '\\');
  std::string name = slash < 0 ? path : path.substr(static_cast<size_t>(slash));
  int dot = find_last_char(name, '.');
  if (dot < 0) {
    extension.clear();
    return name;
  }
  extension = name.substr(static_cast<size_t>(dot));
  return name.substr(0, static_cast<size_t>(dot - 1));
}

std::string split_path_dir_file(std::string_view path, bool want_directory) {
  int p = find_last_char(path, '\\');
  size_t cut = p < 0 ? 0 : static_cast<size_t>(p);
  return std::string(want_directory ? path.substr(0, cut) : path.substr(cut));
}

namespace {

// Whether the last character of t is a lead byte alone.
bool ends_in_lone_lead_byte(std::string_view t) {
  size_t last = 0, n = 0;
  for (size_t i = 0; i < t.size(); i += n) {
    n = rt::char_size_at(t, i);
    last = i;
  }
  return n == 1 && rt::is_lead_byte(static_cast<unsigned char>(t[last]));
}

constexpr char kAfterLoneLeadByte = '?';

}  // namespace

std::string path_list_item(std::string_view path) {
  std::string item(path);
  if (ends_in_lone_lead_byte(path)) item += kAfterLoneLeadByte;
  return item;
}

std::vector<std::string> path_list_items(std::string_view list) {
  std::vector<std::string> items = rt::split_text(list, "|");
  for (std::string& item : items) {
    if (item.size() >= 2 && item.back() == kAfterLoneLeadByte &&
        ends_in_lone_lead_byte(std::string_view(item).substr(0, item.size() - 1)))
      item.pop_back();
  }
  return items;
}
