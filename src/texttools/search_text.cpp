#include "texttools/search_text.h"

#include <algorithm>

#include "runtime/gbk_text.h"

std::string keep_double_byte_chars(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    size_t n = rt::char_size_at(text, i);
    unsigned char b = static_cast<unsigned char>(text[i]);
    bool single_byte_char = n == 1 && ((b >= 1 && b <= 128) || b == 255);
    if (!single_byte_char) out.append(text.substr(i, n));
    i += n;
  }
  return out;
}

int count_double_byte_chars(std::string_view text) { return static_cast<int>(keep_double_byte_chars(text).size() / 2); }

SearchStep search_step(std::string_view text, std::string_view what, int anchor, bool forward, bool ignore_case) {
  SearchStep s;
  if (forward) {
    s.found = rt::find_text(text, what, anchor, ignore_case);
    s.anchor = s.found + rt::text_length(what);
  } else {
    // Searched in the whole text, never in a cut of it: the anchor can lie inside a character
    // (it is one for all pages and outlives their changes), and a cut there would make the
    // bytes before it characters of their own (the digits of a four-byte code).
    s.found = rt::find_text_backward(text, what, anchor, ignore_case);
    s.anchor = s.found;
  }
  return s;
}

CharSelection selection_by_bytes(std::string_view u, std::string_view what) {
  // Counted as the edit box counts: u's last byte, which begins the occurrence, is one unit of
  // its own (the lead byte of a longer character alone is a byte escape).
  return {rt::char_count(u) - 1, rt::char_count(what)};
}

int anchor_after_replacement(std::string_view text, int selection_start, std::string_view replacement) {
  return rt::char_index_to_byte_pos(text, selection_start) + rt::text_length(replacement);
}

int count_occurrences(std::string_view text, std::string_view what, bool case_sensitive) {
  return rt::count_text(text, what, !case_sensitive);
}

namespace {

using rt::ShownText;

bool reads_as_shown(const ShownText& page) { return page.starts.empty(); }

unsigned char fold(char c) {
  unsigned char b = static_cast<unsigned char>(c);
  return b >= 'A' && b <= 'Z' ? static_cast<unsigned char>(b + ('a' - 'A')) : b;
}

// The byte after the box's character at start i.
size_t next_start(const ShownText& page, size_t i) {
  do ++i;
  while (i < page.text.size() && page.starts[i] == 0);
  return i;
}

size_t start_at_or_after(const ShownText& page, size_t i) {
  while (i < page.text.size() && page.starts[i] == 0) ++i;
  return i;
}

// `what` at start i, as whole characters of the box.
bool matches_at(const ShownText& page, size_t i, std::string_view what, bool ignore_case) {
  const std::string& t = page.text;
  if (what.empty() || t.size() - i < what.size() || page.starts[i + what.size()] == 0) return false;
  for (size_t j = i; j < i + what.size();) {
    size_t end = next_start(page, j);
    bool letter_alone = end == j + 1 && static_cast<unsigned char>(t[j]) < 0x80;
    if ((letter_alone && ignore_case) ? fold(t[j]) != fold(what[j - i])
                                      : t.compare(j, end - j, what, j - i, end - j) != 0)
      return false;
    j = end;
  }
  return true;
}

// The box's unit before byte i (a start).
int unit_of(const ShownText& page, size_t i) {
  int units = 0;
  for (size_t k = 0; k < i; ++k) units += page.starts[k];
  return units;
}

}  // namespace

SearchStep search_step(const ShownText& page, std::string_view what, int anchor, bool forward, bool ignore_case) {
  if (reads_as_shown(page)) return search_step(page.text, what, anchor, forward, ignore_case);
  const std::string& t = page.text;
  SearchStep s;
  if (forward) {
    for (size_t i = start_at_or_after(page, anchor < 1 ? 0 : static_cast<size_t>(anchor) - 1); i < t.size();
         i = next_start(page, i)) {
      if (matches_at(page, i, what, ignore_case)) {
        s.found = static_cast<int>(i) + 1;
        break;
      }
    }
    s.anchor = s.found + rt::text_length(what);
  } else {
    size_t limit = anchor <= 1 ? 0 : std::min(static_cast<size_t>(anchor) - 1, t.size());
    for (size_t i = 0; i + what.size() <= limit && i < t.size(); i = next_start(page, i))
      if (!what.empty() && matches_at(page, i, what, ignore_case)) s.found = static_cast<int>(i) + 1;
    s.anchor = s.found;
  }
  return s;
}

CharSelection occurrence_selection(const ShownText& page, int found, std::string_view what) {
  if (reads_as_shown(page)) return selection_by_bytes(rt::left_text(page.text, found), what);
  size_t from = static_cast<size_t>(found) - 1;
  int start = unit_of(page, from);
  return {start, unit_of(page, from + what.size()) - start};
}

int anchor_after_replacement(const ShownText& page, int selection_start, std::string_view replacement) {
  if (reads_as_shown(page)) return anchor_after_replacement(page.text, selection_start, replacement);
  // The first byte of the box's character holding unit selection_start.
  size_t i = 0;
  for (int units = 0; i < page.text.size(); i = next_start(page, i)) {
    if (selection_start < 0 || units + page.starts[i] > selection_start) break;
    units += page.starts[i];
  }
  return static_cast<int>(i) + 1 + rt::text_length(replacement);
}

bool occurs(const ShownText& page, std::string_view what, bool case_sensitive) {
  return search_step(page, what, 1, true, !case_sensitive).found != -1;
}

int count_occurrences(const ShownText& page, std::string_view what, bool case_sensitive) {
  if (reads_as_shown(page)) return count_occurrences(page.text, what, case_sensitive);
  int n = 0;
  for (size_t i = 0; i < page.text.size();) {
    if (matches_at(page, i, what, !case_sensitive)) {
      ++n;
      i += what.size();
    } else {
      i = next_start(page, i);
    }
  }
  return n;
}

std::string replaced_everywhere(const ShownText& page, std::string_view what, std::string_view with,
                                bool case_sensitive) {
  if (reads_as_shown(page)) return rt::replace_text(page.text, what, with, 1, -1, case_sensitive);
  const std::string& t = page.text;
  std::string out;
  out.reserve(t.size());
  size_t copied = 0;
  for (size_t i = 0; i < t.size();) {
    if (matches_at(page, i, what, !case_sensitive)) {
      out.append(t, copied, i - copied);
      out.append(with);
      i += what.size();
      copied = i;
    } else {
      i = next_start(page, i);
    }
  }
  out.append(t, copied);
  return out;
}

std::vector<CharSelection> occurrence_selections(std::string_view text, std::string_view what, bool case_sensitive) {
  std::vector<CharSelection> out;
  // Occurrences are whole characters: counting from one's end to the next one's start counts as
  // counting from the start of the text does.
  size_t counted = 0;
  int start = 0;
  for (int pos : rt::find_all_text(text, what, !case_sensitive)) {
    size_t at = static_cast<size_t>(pos) - 1;
    start += rt::char_count(text.substr(counted, at - counted));
    int length = rt::char_count(text.substr(at, what.size()));
    out.push_back({start, length});
    start += length;
    counted = at + what.size();
  }
  return out;
}
