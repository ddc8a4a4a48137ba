#include "runtime/ini_text.h"

#include <vector>

#include "runtime/gbk_text.h"

namespace rt {
namespace {

// The blanks the profile functions take off; none of them is ever part of a longer character.
bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view without_blanks(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view without_leading_blanks(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  return s;
}

unsigned char fold(char c) {
  unsigned char b = static_cast<unsigned char>(c);
  return b >= 'A' && b <= 'Z' ? static_cast<unsigned char>(b + ('a' - 'A')) : b;
}

// Two names, character by character, ASCII letters folded.
bool same_name(std::string_view a, std::string_view b) {
  size_t i = 0;
  while (i < a.size() && i < b.size()) {
    size_t n = char_size_at(a, i);
    if (n != char_size_at(b, i)) return false;
    if (n == 1 ? fold(a[i]) != fold(b[i]) : a.compare(i, n, b, i, n) != 0) return false;
    i += n;
  }
  return i == a.size() && i == b.size();
}

struct Line {
  size_t begin = 0;        // the first byte of the line
  size_t content_end = 0;  // before its CR LF (or LF, or the end of the text)
  size_t next = 0;         // the first byte of the next line
  bool blank = true;
  bool section = false;
  std::string_view name;                  // a section's or a key's
  std::optional<std::string_view> value;  // a key's, after its "="
};

Line read_line(std::string_view text, size_t begin) {
  Line l;
  l.begin = begin;
  size_t lf = text.find('\n', begin);
  l.next = lf == std::string_view::npos ? text.size() : lf + 1;
  l.content_end = lf == std::string_view::npos ? text.size() : lf;
  if (l.content_end > begin && text[l.content_end - 1] == '\r') --l.content_end;
  std::string_view s = without_blanks(text.substr(begin, l.next - begin));
  if (s.empty()) return l;
  l.blank = false;
  if (s.front() == '[') {
    size_t close = std::string_view::npos;
    for (size_t i = 1; i < s.size(); i += char_size_at(s, i))
      if (s[i] == ']') close = i;
    if (close != std::string_view::npos) {
      l.section = true;
      l.name = s.substr(1, close - 1);
      return l;
    }
  }
  // "=" is never a trail byte nor part of a four-byte code.
  size_t equals = s.find('=');
  if (equals == std::string_view::npos) {
    l.name = s;
    return l;
  }
  l.name = without_blanks(s.substr(0, equals));
  l.value = without_leading_blanks(s.substr(equals + 1));
  return l;
}

// Where the key is: the first section of its name, the key's line there, and the section's
// last line that is not blank (its header when it has no keys).
struct Place {
  std::vector<Line> lines;
  int section = -1, key = -1, last = -1;
};

Place find(std::string_view text, std::string_view section, std::string_view key) {
  Place p;
  for (size_t at = 0; at < text.size();) {
    p.lines.push_back(read_line(text, at));
    at = p.lines.back().next;
  }
  for (size_t i = 0; i < p.lines.size(); ++i) {
    const Line& l = p.lines[i];
    if (l.section) {
      if (p.section >= 0) break;
      if (same_name(l.name, section)) p.section = p.last = static_cast<int>(i);
      continue;
    }
    if (p.section < 0 || l.blank) continue;
    p.last = static_cast<int>(i);
    if (p.key < 0 && same_name(l.name, key)) p.key = static_cast<int>(i);
  }
  return p;
}

}  // namespace

std::optional<std::string> ini_value(std::string_view text, std::string_view section, std::string_view key) {
  section = without_blanks(section);
  key = without_blanks(key);
  if (section.empty() || key.empty()) return std::nullopt;
  Place p = find(text, section, key);
  if (p.key < 0 || !p.lines[static_cast<size_t>(p.key)].value) return std::nullopt;
  std::string_view v = *p.lines[static_cast<size_t>(p.key)].value;
  // Quotes around the value are no part of it.
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  return std::string(v);
}

std::string ini_with_value(std::string_view text, std::string_view section, std::string_view key,
                           std::optional<std::string_view> value) {
  section = without_blanks(section);
  key = without_blanks(key);
  if (section.empty() || key.empty()) return std::string(text);
  if (value) value = without_leading_blanks(*value);
  Place p = find(text, section, key);
  std::string out(text);
  if (p.key >= 0) {
    const Line& l = p.lines[static_cast<size_t>(p.key)];
    if (!value) return out.erase(l.begin, l.next - l.begin);
    if (l.value && *l.value == *value) return out;
    return out.replace(l.begin, l.content_end - l.begin, std::string(l.name) + "=" + std::string(*value));
  }
  if (!value) return out;
  std::string line = std::string(key) + "=" + std::string(*value) + "\r\n";
  if (p.section < 0) {
    if (!out.empty() && out.back() != '\n') out += "\r\n";
    return out + "[" + std::string(section) + "]\r\n" + line;
  }
  const Line& last = p.lines[static_cast<size_t>(p.last)];
  if (text[last.next - 1] != '\n') line.insert(0, "\r\n");  // the text's last line, without its end
  return out.insert(last.next, line);
}

}  // namespace rt
