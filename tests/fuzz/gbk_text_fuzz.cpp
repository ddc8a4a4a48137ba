// The GBK text operations and the shared text routines on any bytes: results lie inside their
// input, searches find occurrences only where whole characters start and end, cuts end on a
// whole character, and the operations that should undo or repeat each other do.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "common/text_routines.h"
#include "fuzz_check.h"
#include "runtime/gbk_text.h"
#include "runtime/page_text.h"

namespace {

using std::string;
using std::string_view;

// The byte offsets where the characters of t start, and t's size at the end.
std::vector<size_t> boundaries(string_view t) {
  std::vector<size_t> b;
  for (size_t i = 0; i < t.size(); i += rt::char_size_at(t, i)) b.push_back(i);
  b.push_back(t.size());
  return b;
}

bool is_boundary(const std::vector<size_t>& b, size_t at) {
  for (size_t x : b)
    if (x == at) return true;
  return false;
}

unsigned char fold(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

// Whether what stands at byte i of text as whole characters of the text.
bool occurs_at(string_view text, const std::vector<size_t>& b, size_t i, string_view what, bool ignore_case) {
  if (what.empty() || i + what.size() > text.size() || !is_boundary(b, i) || !is_boundary(b, i + what.size()))
    return false;
  // The characters of both, read in step from i.
  for (size_t j = 0; j < what.size();) {
    size_t n = rt::char_size_at(text, i + j);
    if (n >= 2) {
      if (text.compare(i + j, n, what.substr(j, n)) != 0) return false;
    } else if (ignore_case ? fold(text[i + j]) != fold(what[j]) : text[i + j] != what[j]) {
      return false;
    }
    j += n;
  }
  return true;
}

// Whether some byte of the text is no character (the controls show it as a byte escape).
bool holds_byte_escapes(string_view t) {
  for (char16_t u : rt::page_text_to_utf16(t))
    if (u >= rt::kByteEscapeBase && u <= rt::kByteEscapeBase + 0xFF) return true;
  return false;
}

void check_positions(string_view t, const std::vector<size_t>& b, int pos) {
  FUZZ_CHECK(rt::text_length(t) == static_cast<int>(t.size()));
  // Character positions count what the edit box counts: UTF-16 units, two for a character
  // beyond U+FFFF.
  int units = 0;
  for (size_t k = 0; k + 1 < b.size(); ++k) {
    FUZZ_CHECK(rt::char_index_to_byte_pos(t, units) == static_cast<int>(b[k]) + 1);
    FUZZ_CHECK(rt::byte_pos_to_char_index(t, static_cast<int>(b[k]) + 1) == units);
    units += static_cast<int>(rt::page_char_at(t, b[k]).units);
  }
  FUZZ_CHECK(rt::char_count(t) == units);
  int index = rt::byte_pos_to_char_index(t, pos);
  FUZZ_CHECK(index >= 0 && index <= rt::char_count(t));
}

void check_search(string_view t, const std::vector<size_t>& b, string_view what, int start, bool ignore_case) {
  int found = rt::find_text(t, what, start, ignore_case);
  size_t from = start < 1 ? 0 : static_cast<size_t>(start) - 1;
  int expected = -1;
  for (size_t i = from; i < t.size() && expected < 0; ++i)
    if (occurs_at(t, b, i, what, ignore_case)) expected = static_cast<int>(i) + 1;
  FUZZ_CHECK(found == expected);

  int back = rt::find_text_backward(t, what, start, ignore_case);
  int expected_back = -1;
  size_t limit = start <= 1 ? 0 : std::min(static_cast<size_t>(start) - 1, t.size());
  for (size_t i = 0; i + what.size() <= limit; ++i)
    if (occurs_at(t, b, i, what, ignore_case)) expected_back = static_cast<int>(i) + 1;
  FUZZ_CHECK(back == expected_back);
}

void check_replace(string_view t, const std::vector<size_t>& b, string_view what, string_view with, int start,
                   int count, bool case_sensitive) {
  FUZZ_CHECK(rt::replace_text(t, what, what, start, count, true) == t);
  FUZZ_CHECK(rt::replace_text(t, what, with, start, 0, case_sensitive) == t);
  // Occurrences of whole characters, left to right from the first character at or after the
  // start, never inside a replacement.
  string expected;
  size_t from = start < 1 ? 0 : static_cast<size_t>(start) - 1;
  size_t k = 0;
  while (b[k] < from && k + 1 < b.size()) ++k;
  expected.append(t.substr(0, b[k]));
  int done = 0;
  for (size_t i = b[k]; i < t.size();) {
    if ((count < 0 || done < count) && occurs_at(t, b, i, what, !case_sensitive)) {
      expected.append(with);
      i += what.size();
      ++done;
    } else {
      size_t n = rt::char_size_at(t, i);
      expected.append(t.substr(i, n));
      i += n;
    }
  }
  FUZZ_CHECK(rt::replace_text(t, what, with, start, count, case_sensitive) == expected);
}

void check_slices(string_view t, const std::vector<size_t>& b, int n, int start) {
  string left = rt::left_text(t, n), right = rt::right_text(t, n), mid = rt::mid_text(t, start, n);
  FUZZ_CHECK(t.starts_with(left) && t.ends_with(right) && fuzz::inside(t, mid));
  FUZZ_CHECK(static_cast<long long>(left.size()) <= std::max(n, 0));

  string cut = rt::cut_on_char_boundary(t, n);
  FUZZ_CHECK(t.starts_with(cut) && static_cast<long long>(cut.size()) <= std::max(n, 0));
  FUZZ_CHECK(is_boundary(b, cut.size()));
  // The longest such cut: the next character would not fit.
  for (size_t x : b)
    if (x > cut.size()) {
      FUZZ_CHECK(static_cast<long long>(x) > n);
      break;
    }

  int times = n & 7;
  FUZZ_CHECK(rt::repeat_text(t, times).size() == t.size() * static_cast<size_t>(times));
}

string joined(const std::vector<string>& items, string_view separator) {
  string out;
  for (size_t i = 0; i < items.size(); ++i) out += (i ? string(separator) : string()) + items[i];
  return out;
}

void check_split(string_view t, string_view separator, int max_items) {
  std::vector<string> all = rt::split_text(t, separator);
  if (t.empty()) FUZZ_CHECK(all.empty());
  if (!separator.empty()) {
    string back = joined(all, separator);
    FUZZ_CHECK(back == t || back + string(separator) == t);
    for (const string& item : all) FUZZ_CHECK(rt::find_text(item, separator) < 0);
  }
  std::vector<string> some = rt::split_text(t, separator, max_items);
  if (max_items > 0) FUZZ_CHECK(some.size() <= static_cast<size_t>(max_items));
  FUZZ_CHECK(some.size() <= all.size());
  for (size_t i = 0; i < some.size(); ++i) FUZZ_CHECK(some[i] == all[i]);
}

bool is_blank_at(string_view t, size_t i) {
  return t[i] == ' ' || (i + 1 < t.size() && t[i] == '\xA1' && t[i + 1] == '\xA1' && rt::char_size_at(t, i) == 2);
}

void check_blanks_and_case(string_view t, const std::vector<size_t>& b) {
  string left = rt::trim_left(t), right = rt::trim_right(t), both = rt::trim_both(t);
  FUZZ_CHECK(t.ends_with(left) && t.starts_with(right) && fuzz::inside(t, both));
  FUZZ_CHECK(both == rt::trim_left(right) && both == rt::trim_right(left));
  if (!left.empty()) FUZZ_CHECK(!is_blank_at(left, 0));
  std::vector<size_t> rb = boundaries(right);
  if (!right.empty()) FUZZ_CHECK(!is_blank_at(right, rb[rb.size() - 2]));

  // (A byte that is no character can join what follows a removed blank into a character, even
  // into a full-width blank.)
  string removed = rt::remove_blanks(t);
  if (!holds_byte_escapes(t)) {
    std::vector<size_t> kept = boundaries(removed);
    for (size_t k = 0; k + 1 < kept.size(); ++k) FUZZ_CHECK(!is_blank_at(removed, kept[k]));
    FUZZ_CHECK(rt::remove_blanks(removed) == removed);
  }

  string upper = rt::to_upper_ascii(t), lower = rt::to_lower_ascii(t);
  FUZZ_CHECK(upper.size() == t.size() && lower.size() == t.size());
  FUZZ_CHECK(rt::to_lower_ascii(upper) == lower && rt::to_upper_ascii(lower) == upper);
  FUZZ_CHECK(boundaries(upper) == boundaries(t));

  // Full width and back: what was single-byte comes back; wide forms were wide already. (A
  // byte that is no character can join the wide form after it into a character of its own.)
  string full = rt::to_full_width(t);
  if (!holds_byte_escapes(t)) FUZZ_CHECK(rt::to_half_width(full) == rt::to_half_width(t));
  FUZZ_CHECK(boundaries(rt::to_half_width(t)).size() == b.size());
}

void check_numbers(string_view t, double value, long long whole) {
  double read = rt::text_to_number(t);
  FUZZ_CHECK(!std::isnan(read));
  string written = rt::number_to_text(read);
  if (std::isfinite(read)) {
    double again = rt::text_to_number(written);
    FUZZ_CHECK(again == read || std::fabs(again - read) <= std::fabs(read) * 1e-12);
  }
  if (std::isfinite(value)) {
    double again = rt::text_to_number(rt::number_to_text(value));
    FUZZ_CHECK(again == value || std::fabs(again - value) <= std::fabs(value) * 1e-12);
  }
  FUZZ_CHECK(rt::text_to_number(rt::int_to_text(whole)) == static_cast<double>(whole));
}

void check_text_routines(string_view t, string_view left, string_view right) {
  string between = text_between(t, left, right);
  FUZZ_CHECK(fuzz::inside(t, between));
  std::vector<string> all;
  all_texts_between(t, left, right, all);
  for (const string& item : all) FUZZ_CHECK(fuzz::inside(t, item));
  FUZZ_CHECK(all.size() <= t.size() + 1);

  for (char c : {'\\', '.', '|'}) {
    int last = find_last_char(t, c);
    if (last > 0) FUZZ_CHECK(t[static_cast<size_t>(last) - 1] == c);
    if (last > 0) FUZZ_CHECK(rt::find_text(t.substr(static_cast<size_t>(last)), string(1, c)) < 0);
  }
  string path(t), extension;
  string name = split_file_name(path, extension);
  FUZZ_CHECK(fuzz::inside(t, name) && fuzz::inside(t, extension));
  FUZZ_CHECK(split_path_dir_file(t, true) + split_path_dir_file(t, false) == t);

  // A list of paths gives every path back whole, whatever bytes it ends in: any names that
  // hold no "|" of their own and no "?" after a lead byte alone at their end.
  std::vector<string> names;
  string list;
  for (string_view name : {t, left, right}) {
    if (name.empty() || rt::find_text(name, "|") >= 0) continue;
    if (name.size() >= 2 && name.back() == '?' && path_list_item(name.substr(0, name.size() - 1)).size() == name.size())
      continue;
    names.emplace_back(name);
    list += path_list_item(name) + "|";
  }
  FUZZ_CHECK(path_list_items(list) == names);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::g_input_size = size;
  FuzzedDataProvider in(data, size);
  const bool ignore_case = in.ConsumeBool();
  const int start = in.ConsumeIntegralInRange<int>(-2, 80);
  const int n = in.ConsumeIntegralInRange<int>(-2, 80);
  const int count = in.ConsumeIntegralInRange<int>(-1, 4);
  const double value = in.ConsumeFloatingPoint<double>();
  const long long whole = in.ConsumeIntegral<long long>();
  const string what = in.ConsumeRandomLengthString(8);
  const string with = in.ConsumeRandomLengthString(8);
  const string text = in.ConsumeRemainingBytesAsString();
  const std::vector<size_t> b = boundaries(text);

  check_positions(text, b, start);
  check_search(text, b, what, start, ignore_case);
  check_replace(text, b, what, with, start, count, !ignore_case);
  check_slices(text, b, n, start);
  check_split(text, what, count);
  check_blanks_and_case(text, b);
  check_numbers(text, value, whole);
  check_text_routines(text, what, with);
  return 0;
}
