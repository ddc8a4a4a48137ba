#include "texttools/search_text.h"

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
