#include "runtime/print_layout.h"

#include "runtime/gbk_text.h"

namespace rt {
namespace {

size_t blank_size_at(std::string_view t, size_t i) {
  if (t[i] == ' ') return 1;
  if (static_cast<unsigned char>(t[i]) == 0xA1 && i + 1 < t.size() && static_cast<unsigned char>(t[i + 1]) == 0xA1)
    return 2;
  return 0;
}

std::string expand_tabs(std::string_view line, int tab_columns) {
  if (line.find('\t') == std::string_view::npos || tab_columns < 1) return std::string(line);
  std::string out;
  out.reserve(line.size() + 8);
  for (size_t i = 0; i < line.size();) {
    size_t n = char_size_at(line, i);
    if (n == 1 && line[i] == '\t') {
      out.append(tab_columns - out.size() % static_cast<size_t>(tab_columns), ' ');
    } else {
      out.append(line.substr(i, n));
    }
    i += n;
  }
  return out;
}

void wrap_one(std::string_view line, int width, const CharWidth& char_width, std::vector<std::string>& out) {
  if (line.empty()) {
    out.emplace_back();
    return;
  }
  size_t start = 0;
  while (start < line.size()) {
    size_t i = start;
    size_t after_blank = 0;  // end of the last blank that fits, 0 for none
    long long used = 0;
    while (i < line.size()) {
      size_t n = char_size_at(line, i);
      int w = char_width(line.substr(i, n));
      if (used + w > width && i > start) break;
      used += w;
      i += n;
      if (blank_size_at(line, i - n) != 0) after_blank = i;
    }
    if (i < line.size()) {
      if (blank_size_at(line, i) != 0) {
        // Overflowing blanks are invisible: they end this piece.
        while (i < line.size() && blank_size_at(line, i) != 0) i += blank_size_at(line, i);
      } else if (after_blank > start) {
        i = after_blank;
      }
    }
    out.emplace_back(line.substr(start, i - start));
    start = i;
  }
}

}  // namespace

std::vector<std::string> wrap_print_lines(std::string_view text, int width, const CharWidth& char_width,
                                          int tab_columns) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start < text.size()) {
    // "\r" and "\n" are never trail bytes, so a plain scan finds the line's end.
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    wrap_one(expand_tabs(text.substr(start, end - start), tab_columns), width, char_width, out);
    if (end == text.size()) break;
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return out;
}

}  // namespace rt
