#pragma once
// The conversions of the edit box's whole text that are more than a runtime text operation:
// percent coding, lyric tags, line breaks, texts between delimiters and number ranges.
// GBK byte strings; every search steps over double-byte characters.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "texttools/number_ranges.h"

// Every byte other than "0"-"9", "A"-"Z" and "a"-"z" becomes "%" and two upper-case hex digits.
// The bytes are encoded as they are (GBK, no UTF-8).
std::string percent_encode_text(std::string_view text);
// "%" and the two bytes after it become the byte 16 * d1 + d2 (low eight bits), d being a
// byte's place in "0123456789ABCDEF" after upper-casing, -2 when it is not there: the digits
// are not checked, so "%2x" gives 0x1E. A "%" with fewer than two bytes after it, and an escape
// that would give the byte 0 (which would end the text), stay as they are. "+" stays "+".
std::string percent_decode_text(std::string_view text);

// The text with every "[...]" tag removed: each text between "[" and "]" is collected first,
// then every "[" + text + "]" is removed. False when there was nothing to remove.
bool remove_lyric_tags(std::string_view text, std::string& out);
// The same as a text: empty when nothing was removed.
std::string strip_lyric_tags(std::string_view text);

struct ReplaceResult {
  std::string text;
  int count = 0;  // the occurrences replaced
};
// Every "\r\n" replaced by `with`.
ReplaceResult replace_line_breaks(std::string_view text, std::string_view with);
// Every `what` replaced by "\r\n"; an empty `what` replaces nothing.
ReplaceResult line_breaks_for(std::string_view text, std::string_view what);

// A rule "left|right" for the texts between delimiters: split at the first "|" (without one the
// right delimiter is empty); an empty delimiter stands for a line break.
struct MiddleTextRule {
  std::string left, right;
};
MiddleTextRule parse_middle_text_rule(std::string_view rule);
// Every text between a left and the next right delimiter.
std::vector<std::string> middle_texts(std::string_view text, const MiddleTextRule& rule);
// The pieces one per line, without a final line break.
std::string join_lines(const std::vector<std::string>& pieces);
// How a message names a delimiter: "换行符" for a line break.
std::string delimiter_label(std::string_view delimiter);

// Every number of the range, from the first up, replaced in the running text by the range's
// tail text: each step works on the result of the one before. Nothing when the running text
// would grow past `limit` bytes (a replacement that holds numbers of later steps multiplies it).
std::optional<std::string> replace_range_numbers(std::string_view text, const NumberRange& range,
                                                 size_t limit = kMaxRangeTextBytes);
