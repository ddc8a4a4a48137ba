#include "runtime/gbk_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace rt {

namespace {

using std::size_t;

unsigned char byte_at(std::string_view t, size_t i) { return static_cast<unsigned char>(t[i]); }

unsigned char fold_ascii(unsigned char b) {
  return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b + ('a' - 'A')) : b;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Bytes no other character holds (neither a trail nor a part of a four-byte code): a
// character boundary always follows them.
bool stands_alone(unsigned char b) { return b < 0x30 || (b > 0x39 && b < 0x40) || b == 0xFF; }

// Largest character boundary <= pos, read from the last byte before pos that stands alone.
size_t boundary_at_or_before(std::string_view t, size_t pos) {
  if (pos >= t.size()) return t.size();
  size_t i = pos;
  while (i > 0 && !stands_alone(byte_at(t, i - 1))) --i;
  for (;;) {
    size_t n = char_size_at(t, i);
    if (i + n > pos) return i;
    i += n;
  }
}

size_t boundary_at_or_after(std::string_view t, size_t pos) {
  size_t b = boundary_at_or_before(t, pos);
  return b < pos ? b + char_size_at(t, b) : b;
}

// Whether the n bytes from boundary i of t are whole characters of t.
bool ends_on_boundary(std::string_view t, size_t i, size_t n) {
  size_t end = i + n;
  while (i < end) i += char_size_at(t, i);
  return i == end;
}

// `what` compared at boundary i of `text`, as whole characters of the text. Letters are the
// only bytes folded, and a letter after a lead byte is its trail in both texts.
bool matches_at(std::string_view text, size_t i, std::string_view what, bool ignore_case) {
  if (text.size() - i < what.size()) return false;
  if (!ignore_case) {
    return text[i] == what[0] && text.compare(i, what.size(), what) == 0 && ends_on_boundary(text, i, what.size());
  }
  for (size_t j = 0; j < what.size();) {
    unsigned char a = byte_at(what, j);
    unsigned char b = byte_at(text, i + j);
    if (is_lead_byte(a) && j + 1 < what.size()) {
      if (a != b || what[j + 1] != text[i + j + 1]) return false;
      j += 2;
    } else {
      if (fold_ascii(a) != fold_ascii(b)) return false;
      ++j;
    }
  }
  return ends_on_boundary(text, i, what.size());
}

size_t from_position(int start) { return start < 1 ? 0 : static_cast<size_t>(start) - 1; }

size_t clip(int n, size_t limit) { return n <= 0 ? 0 : std::min(static_cast<size_t>(n), limit); }

// Size of the blank starting at boundary i, or 0.
size_t blank_size_at(std::string_view t, size_t i) {
  if (t[i] == ' ') return 1;
  if (byte_at(t, i) == 0xA1 && i + 1 < t.size() && byte_at(t, i + 1) == 0xA1) return 2;
  return 0;
}

template <class Fold>
std::string map_single_bytes(std::string_view t, Fold fold) {
  std::string out(t);
  for (size_t i = 0; i < out.size();) {
    size_t n = char_size_at(out, i);
    if (n == 1) out[i] = static_cast<char>(fold(byte_at(out, i)));
    i += n;
  }
  return out;
}

}  // namespace

int text_length(std::string_view t) { return static_cast<int>(t.size()); }

int char_count(std::string_view t) { return static_cast<int>(page_text_units(t)); }

int byte_pos_to_char_index(std::string_view t, int pos) {
  size_t target = from_position(pos);
  size_t index = 0;
  for (size_t i = 0; i < t.size();) {
    PageChar c = page_char_at(t, i);
    if (i + c.bytes > target) break;
    i += c.bytes;
    index += c.units;
  }
  return static_cast<int>(index);
}

int char_index_to_byte_pos(std::string_view t, int index) {
  size_t i = 0, units = 0;
  while (i < t.size()) {
    PageChar c = page_char_at(t, i);
    if (index < 0 || units + c.units > static_cast<size_t>(index)) break;
    i += c.bytes;
    units += c.units;
  }
  return static_cast<int>(i) + 1;
}

int find_text(std::string_view text, std::string_view what, int start, bool ignore_case) {
  size_t from = from_position(start);
  if (what.empty() || from >= text.size() || what.size() > text.size()) return -1;
  size_t last = text.size() - what.size();
  for (size_t i = boundary_at_or_after(text, from); i <= last; i += char_size_at(text, i)) {
    if (matches_at(text, i, what, ignore_case)) return static_cast<int>(i) + 1;
  }
  return -1;
}

int find_text_backward(std::string_view text, std::string_view what, int start, bool ignore_case) {
  if (what.empty() || start <= 1) return -1;
  size_t limit = std::min(static_cast<size_t>(start) - 1, text.size());
  if (what.size() > limit) return -1;
  // Boundaries cannot be found reliably walking backwards in GBK, so walk
  // forward and keep the last hit.
  int found = -1;
  for (size_t i = 0; i + what.size() <= limit; i += char_size_at(text, i)) {
    if (matches_at(text, i, what, ignore_case)) found = static_cast<int>(i) + 1;
  }
  return found;
}

std::string replace_text(std::string_view text, std::string_view what, std::string_view with, int start, int count,
                         bool case_sensitive) {
  size_t from = from_position(start);
  if (what.empty() || count == 0 || from >= text.size()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  size_t copied = 0;
  int done = 0;
  for (size_t i = boundary_at_or_after(text, from); i + what.size() <= text.size() && (count < 0 || done < count);) {
    if (matches_at(text, i, what, !case_sensitive)) {
      out.append(text.substr(copied, i - copied));
      out.append(with);
      i += what.size();
      copied = i;
      ++done;
    } else {
      i += char_size_at(text, i);
    }
  }
  out.append(text.substr(copied));
  return out;
}

int count_text(std::string_view text, std::string_view what, bool ignore_case) {
  if (what.empty()) return 0;
  // One walk over the text: finding each next occurrence anew would walk the boundaries from the
  // start every time, which a large page with many occurrences cannot afford.
  int n = 0;
  for (size_t i = 0; i + what.size() <= text.size();) {
    if (matches_at(text, i, what, ignore_case)) {
      ++n;
      i += what.size();
    } else {
      i += char_size_at(text, i);
    }
  }
  return n;
}

std::vector<int> find_all_text(std::string_view text, std::string_view what, bool ignore_case) {
  std::vector<int> found;
  if (what.empty()) return found;
  for (size_t i = 0; i + what.size() <= text.size();) {
    if (matches_at(text, i, what, ignore_case)) {
      found.push_back(static_cast<int>(i) + 1);
      i += what.size();
    } else {
      i += char_size_at(text, i);
    }
  }
  return found;
}

std::string left_text(std::string_view t, int n) { return std::string(t.substr(0, clip(n, t.size()))); }

std::string right_text(std::string_view t, int n) { return std::string(t.substr(t.size() - clip(n, t.size()))); }

std::string mid_text(std::string_view t, int start, int n) {
  size_t from = from_position(start);
  if (from >= t.size()) return {};
  return std::string(n < 0 ? t.substr(from) : t.substr(from, static_cast<size_t>(n)));
}

std::string cut_on_char_boundary(std::string_view t, int n) {
  return std::string(t.substr(0, boundary_at_or_before(t, clip(n, t.size()))));
}

std::string repeat_text(std::string_view t, int times) {
  std::string out;
  if (times < 1) return out;
  out.reserve(t.size() * static_cast<size_t>(times));
  for (int i = 0; i < times; ++i) out += t;
  return out;
}

std::vector<std::string> split_text(std::string_view t, std::string_view separator, int max_items) {
  std::vector<std::string> items;
  if (t.empty()) return items;
  if (separator.empty()) {
    items.emplace_back(t);
    return items;
  }
  auto full = [&] { return max_items > 0 && items.size() >= static_cast<size_t>(max_items); };
  size_t item_start = 0;
  for (size_t i = 0; i + separator.size() <= t.size() && !full();) {
    if (matches_at(t, i, separator, false)) {
      items.emplace_back(t.substr(item_start, i - item_start));
      i += separator.size();
      item_start = i;
    } else {
      i += char_size_at(t, i);
    }
  }
  if (item_start < t.size() && !full()) items.emplace_back(t.substr(item_start));
  return items;
}

std::string trim_left(std::string_view t) {
  size_t i = 0;
  while (i < t.size()) {
    size_t n = blank_size_at(t, i);
    if (n == 0) break;
    i += n;
  }
  return std::string(t.substr(i));
}

std::string trim_right(std::string_view t) {
  size_t end = 0;
  for (size_t i = 0; i < t.size();) {
    size_t n = char_size_at(t, i);
    if (blank_size_at(t, i) == 0) end = i + n;
    i += n;
  }
  return std::string(t.substr(0, end));
}

std::string trim_both(std::string_view t) { return trim_right(trim_left(t)); }

std::string remove_blanks(std::string_view t) {
  std::string out;
  out.reserve(t.size());
  size_t kept = 0;  // start of the pending run of non-blank bytes
  for (size_t i = 0; i < t.size();) {
    size_t blank = blank_size_at(t, i);
    if (blank > 0) {
      out.append(t.substr(kept, i - kept));
      i += blank;
      kept = i;
    } else {
      i += char_size_at(t, i);
    }
  }
  out.append(t.substr(kept));
  return out;
}

std::string without_zero_bytes(std::string_view t) {
  std::string out(t);
  out.erase(std::remove(out.begin(), out.end(), '\0'), out.end());
  return out;
}

std::string to_upper_ascii(std::string_view t) {
  return map_single_bytes(
      t, [](unsigned char b) { return (b >= 'a' && b <= 'z') ? static_cast<unsigned char>(b - ('a' - 'A')) : b; });
}

std::string to_lower_ascii(std::string_view t) { return map_single_bytes(t, fold_ascii); }

std::string to_full_width(std::string_view t) {
  std::string out;
  out.reserve(t.size() * 2);
  for (size_t i = 0; i < t.size();) {
    size_t n = char_size_at(t, i);
    unsigned char b = byte_at(t, i);
    if (n == 1 && b == ' ') {
      out += "\xA1\xA1";
    } else if (n == 1 && b >= 0x21 && b <= 0x7D) {
      out += '\xA3';
      out += static_cast<char>(b | 0x80);
    } else if (n == 1 && b == '~') {
      out += "\xA1\xAB";
    } else {
      out.append(t.substr(i, n));
    }
    i += n;
  }
  return out;
}

std::string to_half_width(std::string_view t) {
  std::string out;
  out.reserve(t.size());
  for (size_t i = 0; i < t.size();) {
    size_t n = char_size_at(t, i);
    unsigned char lead = byte_at(t, i);
    unsigned char trail = n == 2 ? byte_at(t, i + 1) : 0;
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFD) {
      out += static_cast<char>(trail & 0x7F);
    } else if (lead == 0xA1 && trail == 0xA1) {
      out += ' ';
    } else if (lead == 0xA1 && trail == 0xAB) {
      out += '~';
    } else {
      out.append(t.substr(i, n));
    }
    i += n;
  }
  return out;
}

std::string number_to_text(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  if (value == 0) return "0";
  // to_chars general format is printf %g in the C locale, whatever the
  // process locale is.
  char buf[32];
  auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 13);
  std::string text(buf, result.ptr);
  std::replace(text.begin(), text.end(), 'e', 'E');
  return text;
}

double text_to_number(std::string_view t) {
  size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  size_t begin = i;

  // Decimal position of the leading significant digit, needed only to tell
  // overflow from underflow when the value is out of range.
  long long magnitude = 0;
  bool significant = false;
  while (i < t.size() && is_digit(t[i])) {
    significant = significant || t[i] != '0';
    if (significant) ++magnitude;
    ++i;
  }
  size_t digits = i - begin;
  if (i < t.size() && t[i] == '.') {
    size_t fraction = ++i;
    while (i < t.size() && is_digit(t[i])) {
      if (!significant && t[i] == '0') --magnitude;
      significant = significant || t[i] != '0';
      ++i;
    }
    digits += i - fraction;
  }
  if (digits == 0) return 0;

  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    size_t j = i + 1;
    bool exp_negative = false;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) exp_negative = t[j++] == '-';
    if (j < t.size() && is_digit(t[j])) {
      long long exponent = 0;
      for (; j < t.size() && is_digit(t[j]); ++j) {
        exponent = std::min(exponent * 10 + (t[j] - '0'), 1'000'000'000LL);
      }
      magnitude += exp_negative ? -exponent : exponent;
      i = j;
    }
  }

  double value = 0;
  auto result = std::from_chars(t.data() + begin, t.data() + i, value);
  if (result.ec == std::errc::result_out_of_range) {
    value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

std::string int_to_text(long long value) {
  char buf[24];
  auto result = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, result.ptr);
}

}  // namespace rt
