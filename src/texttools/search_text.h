#pragma once
// The byte and character rules of find and replace: GBK byte positions from 1, as every text
// routine counts, and the character counts the edit box selects by.
#include <string>
#include <string_view>
#include <vector>

#include "runtime/page_text.h"

// The text with every single-byte character (bytes 1 to 128 and 255) removed, so that only the
// double-byte characters remain. A lone lead byte at the end is no single-byte character of
// that list and stays.
std::string keep_double_byte_chars(std::string_view text);
// Half the byte length of keep_double_byte_chars(text), truncated.
int count_double_byte_chars(std::string_view text);

// One search from the anchor (a 1-based byte position) and the anchor it leaves for the next.
// Forward: the first occurrence at or after the anchor; the next anchor is the occurrence's
// position plus the byte length of `what`, also after a miss (-1 + length). Backward: the last
// occurrence lying wholly within the first anchor - 1 bytes; the next anchor is the occurrence's
// position, -1 after a miss. Either way only whole characters of the text are found, also from
// an anchor inside a character.
struct SearchStep {
  int found = -1;  // byte position, -1 for none
  int anchor = 0;
};
SearchStep search_step(std::string_view text, std::string_view what, int anchor, bool forward, bool ignore_case);

// The edit box's selection (its characters from 0, UTF-16 units) for an occurrence, counted on
// the bytes: u is the text up to and including the occurrence's first byte.
struct CharSelection {
  int start = 0, length = 0;
};
CharSelection selection_by_bytes(std::string_view u, std::string_view what);

// After the selection (start counted in characters of text) is replaced: the anchor just past
// the replacement, so the next forward search neither misses the occurrence right after it
// nor finds the search text inside the replacement.
int anchor_after_replacement(std::string_view text, int selection_start, std::string_view replacement);

// The occurrences replace-all replaces: left to right, never overlapping.
int count_occurrences(std::string_view text, std::string_view what, bool case_sensitive);

// The same rules over the page as the edit box shows it (rt::ShownText). Mostly its bytes read
// as the box shows them, and the rules above hold as they are. After an edit next to a byte
// escape they do not (the box shows a box and an "x" where the bytes 81 78 read as one
// character): then only whole characters of the box are found, each the search text's bytes
// (ASCII letters that are characters of the box folded when case is ignored), so that the find
// selects exactly what the user sees there. Positions stay the page's byte positions.
SearchStep search_step(const rt::ShownText& page, std::string_view what, int anchor, bool forward, bool ignore_case);
// The box's selection of the occurrence at byte position `found`.
CharSelection occurrence_selection(const rt::ShownText& page, int found, std::string_view what);
int anchor_after_replacement(const rt::ShownText& page, int selection_start, std::string_view replacement);
bool occurs(const rt::ShownText& page, std::string_view what, bool case_sensitive);
int count_occurrences(const rt::ShownText& page, std::string_view what, bool case_sensitive);
// The page with every occurrence replaced, as replace-all replaces them.
std::string replaced_everywhere(const rt::ShownText& page, std::string_view what, std::string_view with,
                                bool case_sensitive);
// The same occurrences as the edit box's selections of them, in order, counted in one walk.
std::vector<CharSelection> occurrence_selections(std::string_view text, std::string_view what, bool case_sensitive);
