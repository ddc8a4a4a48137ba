// Text operations on GBK byte strings.
//
// Positions are 1-based byte positions and -1 means "not found". Characters are the ones the
// edit box shows (runtime/page_text.h): a lead byte (0x81..0xFE) with a trail (0x40..0xFE but
// 0x7F) is one character, so trail bytes such as 0x5C '\' or 0x7C '|' are never seen as ASCII;
// a GB18030 four-byte code is one character, so its digits are never seen either; a lead byte
// without a fitting trail is a character by itself, and the byte after it is the next one.
// Character boundaries are always counted from the start of the text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/page_text.h"

namespace rt {

constexpr bool is_lead_byte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// Byte size (1, 2 or 4) of the character starting at 0-based index i, i < t.size().
inline std::size_t char_size_at(std::string_view t, std::size_t i) {
  return is_lead_byte(static_cast<unsigned char>(t[i])) ? page_char_at(t, i).bytes : 1;
}

int text_length(std::string_view t);

// Number of characters as the edit box counts them: its UTF-16 units, so a character above
// U+FFFF (a four-byte code from 90 30 81 30 on) counts twice, every other one once.
int char_count(std::string_view t);

// 1-based byte position -> 0-based index (in the edit box's count) of the character holding
// that byte. pos < 1 gives 0; pos past the end gives char_count(t).
int byte_pos_to_char_index(std::string_view t, int pos);

// 0-based index in the edit box's count -> 1-based byte position of the first byte of the
// character there (the second unit of a pair is its character's). index < 0 gives 1;
// index >= char_count(t) gives length + 1.
int char_index_to_byte_pos(std::string_view t, int index);

// First occurrence starting at or after byte `start` (below 1 means 1).
// Only occurrences of whole characters count (starting and ending on character
// boundaries); ignore_case folds ASCII letters only. An empty `what` gives -1.
int find_text(std::string_view text, std::string_view what, int start = 1, bool ignore_case = false);

// How many occurrences find_text meets one after the other, each searched behind the last.
int count_text(std::string_view text, std::string_view what, bool ignore_case = false);

// Their positions, the ones replace_text replaces from byte 1, found in one walk.
std::vector<int> find_all_text(std::string_view text, std::string_view what, bool ignore_case = false);

// Last occurrence lying wholly within the first start - 1 bytes (start past
// length + 1 means the whole text). Same boundary and case rules.
int find_text_backward(std::string_view text, std::string_view what, int start, bool ignore_case = false);

// Replaces up to `count` occurrences (negative: all, 0: none) found at or
// after `start`, left to right, never searching inside inserted text.
// An empty `what` leaves the text unchanged.
std::string replace_text(std::string_view text, std::string_view what, std::string_view with, int start = 1,
                         int count = -1, bool case_sensitive = true);

// Byte-based slicing; out-of-range counts are clipped. For mid_text, start < 1
// means 1 and a negative n means "to the end".
std::string left_text(std::string_view t, int n);
std::string right_text(std::string_view t, int n);
std::string mid_text(std::string_view t, int start, int n = -1);

// At most the first n bytes, cut back so no double-byte character is split.
std::string cut_on_char_boundary(std::string_view t, int n);

// The text written `times` times in a row; none for times below 1.
std::string repeat_text(std::string_view t, int times);

// Items between separators (matched on character boundaries only). A trailing
// separator adds no empty item; empty text gives no items; an empty separator
// gives the whole text as one item; max_items > 0 drops items past that many.
std::vector<std::string> split_text(std::string_view t, std::string_view separator, int max_items = -1);

// Blanks are the ASCII space and the full-width space A1 A1 only.
std::string trim_left(std::string_view t);
std::string trim_right(std::string_view t);
std::string trim_both(std::string_view t);
std::string remove_blanks(std::string_view t);

// The text without its zero bytes, for a text where a zero carries nothing and that goes into
// a control (which ends a text at its first zero): what follows a zero is kept.
std::string without_zero_bytes(std::string_view t);

// ASCII letters only; double-byte characters are left untouched.
std::string to_upper_ascii(std::string_view t);
std::string to_lower_ascii(std::string_view t);

// Space <-> A1 A1, 0x21..0x7D <-> A3 A1..A3 FD, '~' <-> A1 AB. Control bytes,
// DEL and other characters stay as they are.
std::string to_full_width(std::string_view t);
std::string to_half_width(std::string_view t);

// printf "%.13G" in the C locale: up to 13 significant digits, no trailing
// zeros, exponent form when the decimal exponent is below -4 or above 12
// ("1E+13", "1.5E+20", "1E-05"). -0 gives "0"; NaN gives "NaN"; infinities
// give "Infinity" and "-Infinity".
std::string number_to_text(double value);

// Leading ASCII spaces skipped, then the longest prefix of the form
// [+|-]digits[.digits][(e|E)[+|-]digits] is converted; no number gives 0.
// Magnitudes beyond double range give +-infinity, too small ones give 0.
// "NaN" and "Infinity" are not numbers here and give 0.
double text_to_number(std::string_view t);

std::string int_to_text(long long value);

}  // namespace rt
