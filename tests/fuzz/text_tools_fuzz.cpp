// The text tools on any text, each against a model written from its rule: Simplified and
// Traditional conversion (one character at a time, each byte length kept), the paragraph rules,
// percent coding and the URL coding of query values, the line-break replacements, the rule and
// the texts between delimiters, and the removal of lyric tags.
//
// Input: two short texts (a length byte and the bytes each: a delimiter rule, a search or
// replacement text), then the text.
#include <string>
#include <string_view>
#include <vector>

#include "common/text_routines.h"
#include "fuzz_check.h"
#include "fuzz_models.h"
#include "runtime/chinese_conversion.h"
#include "runtime/gbk_text.h"
#include "runtime/page_text.h"
#include "texttools/conversions.h"
#include "texttools/paragraphs.h"
#include "web/http.h"

namespace {

using std::string;
using std::string_view;

// ---------------------------------------------------------------- Simplified and Traditional

bool is_double_byte_char(string_view c) {
  if (c.size() != 2) return false;
  auto lead = static_cast<unsigned char>(c[0]), trail = static_cast<unsigned char>(c[1]);
  return lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
}

void check_chinese(string_view text) {
  for (int type : {rt::kChineseToSimplified, rt::kChineseToTraditional}) {
    string converted = rt::convert_chinese(text, type);
    // Character by character: each one converted alone, single bytes and the characters not
    // listed as they are, a listed one by another double-byte character.
    string expected;
    for (string_view c : fuzz::characters(text)) {
      string one = rt::convert_chinese(c, type);
      FUZZ_CHECK(one.size() == c.size());
      if (one != c) FUZZ_CHECK(is_double_byte_char(c) && is_double_byte_char(one));
      expected += one;
    }
    FUZZ_CHECK(converted == expected);
  }
  for (int other : {0, 1, 2, 5, -1}) FUZZ_CHECK(rt::convert_chinese(text, other) == text);
}

// ---------------------------------------------------------------- paragraphs

const string kFullSpace = "\xA1\xA1";

bool is_space_char(string_view c) { return c == " " || c == kFullSpace; }

string without_leading_spaces(string_view line) {
  std::vector<string_view> cs = fuzz::characters(line);
  size_t k = 0;
  while (k < cs.size() && is_space_char(cs[k])) ++k;
  string out;
  for (; k < cs.size(); ++k) out += cs[k];
  return out;
}

string without_trailing_spaces(string_view line) {
  std::vector<string_view> cs = fuzz::characters(line);
  size_t k = cs.size();
  while (k > 0 && is_space_char(cs[k - 1])) --k;
  string out;
  for (size_t i = 0; i < k; ++i) out += cs[i];
  return out;
}

// Empty, or nothing left once the spaces are gone.
bool empty_or_blank(string_view line) {
  for (string_view c : fuzz::characters(line))
    if (!is_space_char(c)) return false;
  return true;
}

string full_width_mark(int n) {
  string out;
  for (char d : std::to_string(n) + ".") {
    out += '\xA3';
    out += static_cast<char>(static_cast<unsigned char>(d) | 0x80);
  }
  return out;
}

// What follows the first `stop` (a whole character) of the line, or the whole line.
string after_first(string_view line, string_view stop) {
  std::vector<bool> at = fuzz::boundary_table(line);
  size_t i = fuzz::first_occurrence(line, at, stop, 0, false);
  return string(i == string::npos ? line : line.substr(i + stop.size()));
}

string paragraphs_by_model(string_view text, ParagraphRule rule) {
  string out;
  int n = 0;
  for (const string& line : fuzz::pieces_between(text, "\r\n")) {
    const bool blank = empty_or_blank(line);
    switch (rule) {
      case ParagraphRule::Trim:
        out += without_trailing_spaces(without_leading_spaces(line));
        break;
      case ParagraphRule::TrimStart:
        out += without_leading_spaces(line);
        break;
      case ParagraphRule::TrimEnd:
        out += without_trailing_spaces(line);
        break;
      case ParagraphRule::DropEmpty:
        if (blank) continue;
        out += line;
        break;
      case ParagraphRule::IndentHalf:
        out += "  " + line;
        break;
      case ParagraphRule::IndentFull:
        out += kFullSpace + kFullSpace + line;
        break;
      case ParagraphRule::Space:
        out += line + "\r\n";
        break;
      case ParagraphRule::Number:
        if (blank) continue;
        out += std::to_string(++n) + "." + without_leading_spaces(line);
        break;
      case ParagraphRule::NumberFull:
        if (blank) continue;
        out += full_width_mark(++n) + without_leading_spaces(line);
        break;
      case ParagraphRule::Unnumber:
        if (blank) continue;
        out += "  " + after_first(line, ".");
        break;
      case ParagraphRule::UnnumberFull:
        if (blank) continue;
        out += kFullSpace + kFullSpace + after_first(line, "\xA3\xAE");
        break;
    }
    out += "\r\n";
  }
  return out;
}

void check_paragraphs(string_view text) {
  for (ParagraphRule rule : {ParagraphRule::Trim, ParagraphRule::TrimStart, ParagraphRule::TrimEnd,
                             ParagraphRule::DropEmpty, ParagraphRule::IndentHalf, ParagraphRule::IndentFull,
                             ParagraphRule::Space, ParagraphRule::Number, ParagraphRule::NumberFull,
                             ParagraphRule::Unnumber, ParagraphRule::UnnumberFull})
    FUZZ_CHECK(transform_paragraphs(text, rule) == paragraphs_by_model(text, rule));
}

// ---------------------------------------------------------------- percent and URL coding

constexpr char kHex[] = "0123456789ABCDEF";

string escaped(unsigned char b) { return {'%', kHex[b >> 4], kHex[b & 15]}; }

bool is_letter_or_digit(unsigned char b) { return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'); }

// The place of a byte in "0123456789ABCDEF" after upper-casing, -2 when it is not there.
int place(unsigned char b) {
  if (b >= 'a' && b <= 'z') b = static_cast<unsigned char>(b - 32);
  for (int i = 0; i < 16; ++i)
    if (kHex[i] == static_cast<char>(b)) return i;
  return -2;
}

void check_percent_coding(string_view text) {
  string encoded;
  for (unsigned char b : text) encoded += is_letter_or_digit(b) ? string(1, static_cast<char>(b)) : escaped(b);
  FUZZ_CHECK(percent_encode_text(text) == encoded);
  // Byte by byte: "%" and two bytes become one byte, unchecked digits included; a "%" without
  // two bytes after it, and one that would give a zero byte, stay.
  string decoded;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      int value = (16 * place(text[i + 1]) + place(text[i + 2])) & 0xFF;
      decoded += value ? string(1, static_cast<char>(value)) : string(text.substr(i, 3));
      i += 2;
    } else {
      decoded += text[i];
    }
  }
  FUZZ_CHECK(percent_decode_text(text) == decoded);
  if (text.find('\0') == string_view::npos) FUZZ_CHECK(percent_decode_text(encoded) == text);
}

bool is_hex(unsigned char b) { return place(b) >= 0; }

void check_url_coding(string_view text) {
  // The UTF-8 of the text's characters, with every byte escaped but 0x21 to 0x7A, and of those
  // the six that would change a query; nothing for a text with a byte that is no character.
  // (A byte escape is a lone surrogate, which glibc refuses.)
  string utf8, expected;
  const bool characters = fuzz::utf8_by_iconv(rt::page_text_to_utf16(text), utf8);
  if (characters) {
    for (unsigned char b : utf8)
      expected += b >= 0x21 && b <= 0x7A && string_view("#%&+=?").find(static_cast<char>(b)) == string_view::npos
                      ? string(1, static_cast<char>(b))
                      : escaped(b);
  }
  string query = url_encode(text);
  FUZZ_CHECK(query == expected);
  if (characters) FUZZ_CHECK(url_decode_utf8(query) == string(text.substr(0, text.find('\0'))));

  // Decoding: escapes of two hex digits become their bytes, anything else stays; when that is
  // UTF-8, the text is its characters up to the first zero.
  string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && is_hex(text[i + 1]) && is_hex(text[i + 2])) {
      bytes += static_cast<char>(16 * place(text[i + 1]) + place(text[i + 2]));
      i += 2;
    } else {
      bytes += text[i];
    }
  }
  string page;
  if (rt::utf8_to_page_text(bytes, page)) FUZZ_CHECK(url_decode_utf8(text) == page.substr(0, page.find('\0')));
}

// ---------------------------------------------------------------- line breaks

void check_line_breaks(string_view text, string_view with) {
  int count = 0;
  string expected = fuzz::replaced_everywhere(text, "\r\n", with, false, &count);
  ReplaceResult r = replace_line_breaks(text, with);
  FUZZ_CHECK(r.text == expected && r.count == count);

  ReplaceResult back = line_breaks_for(text, with);
  expected = fuzz::replaced_everywhere(text, with, "\r\n", false, &count);
  FUZZ_CHECK(back.text == expected && back.count == count);
}

// ---------------------------------------------------------------- texts between delimiters

// Every text between a left delimiter (letters of single bytes matched without case) and the
// next right one; the search for the next left one starts right after the last one.
std::vector<string> texts_between_by_model(string_view text, string_view left, string_view right) {
  std::vector<string> out;
  if (left.empty() || right.empty()) return out;
  std::vector<bool> at = fuzz::boundary_table(text);
  for (size_t start = 0;;) {
    size_t p = fuzz::first_occurrence(text, at, left, start, true);
    if (p == string::npos) return out;
    size_t a = p + left.size();
    size_t q = fuzz::first_occurrence(text, at, right, a, false);
    if (q != string::npos) out.emplace_back(text.substr(a, q - a));
    start = a;
  }
}

void check_middle_texts(string_view text, string_view rule_text) {
  // The rule: left and right of the first "|" (all of it left without one); an empty side is a
  // line break.
  std::vector<bool> at = fuzz::boundary_table(rule_text);
  size_t bar = fuzz::first_occurrence(rule_text, at, "|", 0, false);
  string left(bar == string::npos ? rule_text : rule_text.substr(0, bar));
  string right(bar == string::npos ? string_view() : rule_text.substr(bar + 1));
  if (left.empty()) left = "\r\n";
  if (right.empty()) right = "\r\n";
  MiddleTextRule rule = parse_middle_text_rule(rule_text);
  FUZZ_CHECK(rule.left == left && rule.right == right);
  FUZZ_CHECK(delimiter_label(left) == (left == "\r\n" ? string("换行符") : left));

  std::vector<string> pieces = middle_texts(text, rule);
  FUZZ_CHECK(pieces == texts_between_by_model(text, left, right));
  string joined;
  for (size_t i = 0; i < pieces.size(); ++i) joined += pieces[i] + (i + 1 < pieces.size() ? "\r\n" : "");
  FUZZ_CHECK(join_lines(pieces) == joined);

  // The shared routines themselves, with the delimiters as given.
  std::vector<string> all{"kept"};
  all_texts_between(text, left, right, all, true);
  std::vector<string> expected = texts_between_by_model(text, left, right);
  expected.insert(expected.begin(), "kept");
  FUZZ_CHECK(all == expected);
  // The first text after the first left delimiter (case kept) up to the next right one.
  std::vector<bool> text_at = fuzz::boundary_table(text);
  size_t p = fuzz::first_occurrence(text, text_at, left, 0, false);
  string between;
  if (p != string::npos) {
    size_t q = fuzz::first_occurrence(text, text_at, right, p + left.size(), false);
    if (q != string::npos) between = text.substr(p + left.size(), q - p - left.size());
  }
  FUZZ_CHECK(text_between(text, left, right) == between);
}

// ---------------------------------------------------------------- lyric tags

void check_lyric_tags(string_view text) {
  string expected(text);
  for (const string& tag : texts_between_by_model(text, "[", "]"))
    expected = fuzz::replaced_everywhere(expected, "[" + tag + "]", "", false);
  bool removed = expected != text;
  string out = "before";
  FUZZ_CHECK(remove_lyric_tags(text, out) == removed);
  FUZZ_CHECK(strip_lyric_tags(text) == (removed ? expected : string()));
  if (removed) FUZZ_CHECK(out == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::g_input_size = size;
  fuzz::Input in{data, size};
  const string rule = in.text(16), with = in.text(16);
  const string text = in.rest();
  check_chinese(text);
  check_paragraphs(text);
  check_percent_coding(text);
  check_url_coding(text);
  check_line_breaks(text, with);
  check_middle_texts(text, rule);
  check_lyric_tags(text);
  return 0;
}
