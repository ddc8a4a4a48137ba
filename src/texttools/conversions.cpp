#include "texttools/conversions.h"

#include "common/text_routines.h"
#include "runtime/gbk_text.h"
#include "texttools/search_text.h"

namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr char kHexDigits[] = "0123456789ABCDEF";

bool kept_by_percent_encoding(unsigned char b) {
  return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
}

int hex_place(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') u = static_cast<unsigned char>(u - 'a' + 'A');
  for (int i = 0; i < 16; ++i)
    if (kHexDigits[i] == static_cast<char>(u)) return i;
  return -2;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool all_digits(std::string_view t) {
  for (char c : t)
    if (!is_digit(c)) return false;
  return true;
}

// Digits are never trail bytes of GBK, so runs can be counted byte by byte.
size_t longest_digit_run(std::string_view t) {
  size_t longest = 0, run = 0;
  for (char c : t) {
    run = is_digit(c) ? run + 1 : 0;
    if (run > longest) longest = run;
  }
  return longest;
}

}  // namespace

std::string percent_encode_text(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (char c : text) {
    unsigned char b = static_cast<unsigned char>(c);
    if (kept_by_percent_encoding(b)) {
      out += c;
    } else {
      out += '%';
      out += kHexDigits[b >> 4];
      out += kHexDigits[b & 15];
    }
  }
  return out;
}

std::string percent_decode_text(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    size_t n = rt::char_size_at(text, i);
    if (text[i] == '%' && i + 2 < text.size()) {
      int value = (16 * hex_place(text[i + 1]) + hex_place(text[i + 2])) & 0xFF;
      // A zero byte would end the text there.
      if (value != 0)
        out += static_cast<char>(value);
      else
        out.append(text.substr(i, 3));
      i += 3;
      continue;
    }
    out.append(text.substr(i, n));
    i += n;
  }
  return out;
}

bool remove_lyric_tags(std::string_view text, std::string& out) {
  std::vector<std::string> tags;
  all_texts_between(text, "[", "]", tags);
  out.assign(text);
  for (const std::string& tag : tags) out = rt::replace_text(out, "[" + tag + "]", "");
  if (out.size() != text.size()) return true;
  out.clear();
  return false;
}

std::string strip_lyric_tags(std::string_view text) {
  std::string out;
  remove_lyric_tags(text, out);
  return out;
}

ReplaceResult replace_line_breaks(std::string_view text, std::string_view with) {
  return {rt::replace_text(text, kLineBreak, with), count_occurrences(text, kLineBreak, true)};
}

ReplaceResult line_breaks_for(std::string_view text, std::string_view what) {
  if (what.empty()) return {std::string(text), 0};
  return {rt::replace_text(text, what, kLineBreak), count_occurrences(text, what, true)};
}

MiddleTextRule parse_middle_text_rule(std::string_view rule) {
  MiddleTextRule r;
  int bar = rt::find_text(rule, "|");
  if (bar > 0) {
    r.left = std::string(rule.substr(0, static_cast<size_t>(bar - 1)));
    r.right = std::string(rule.substr(static_cast<size_t>(bar)));
  } else {
    r.left = std::string(rule);
  }
  if (r.left.empty()) r.left = kLineBreak;
  if (r.right.empty()) r.right = kLineBreak;
  return r;
}

std::vector<std::string> middle_texts(std::string_view text, const MiddleTextRule& rule) {
  std::vector<std::string> pieces;
  all_texts_between(text, rule.left, rule.right, pieces);
  return pieces;
}

std::string join_lines(const std::vector<std::string>& pieces) {
  std::string out;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i) out += kLineBreak;
    out += pieces[i];
  }
  return out;
}

std::string delimiter_label(std::string_view delimiter) {
  return delimiter == kLineBreak ? std::string("换行符") : std::string(delimiter);
}

std::optional<std::string> replace_range_numbers(std::string_view text, const NumberRange& range, size_t limit) {
  std::string out(text);
  size_t longest_run = longest_digit_run(out);
  for (long long k = 0; k < range.count; ++k) {
    std::string number = number_range_item(range, k);
    // Quick looks rule most numbers of a long range out before the careful pass: a number of
    // digits only needs a run of digits as long as itself, and every occurrence on a character
    // boundary is a byte occurrence too.
    if (number.size() > longest_run && all_digits(number)) continue;
    if (out.find(number) == std::string::npos) continue;
    if (range.tail.size() > number.size()) {
      size_t growth = range.tail.size() - number.size();
      size_t room = limit > out.size() ? limit - out.size() : 0;
      if (static_cast<size_t>(count_occurrences(out, number, true)) > room / growth) return std::nullopt;
    }
    out = rt::replace_text(out, number, range.tail);
    longest_run = longest_digit_run(out);
  }
  return out;
}
