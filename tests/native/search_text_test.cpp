// The byte and character rules of find and replace. Built with -fexec-charset=CP936: every
// Chinese literal below is GBK bytes.
#include "texttools/search_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/gbk_text.h"
#include "runtime/page_text.h"

namespace {

TEST(DoubleByteChars, OnlyDoubleByteCharactersRemain) {
  struct Case {
    std::string text, kept;
    int count;
  };
  const Case cases[] = {
      {"中a文B1\r\n\t", "中文", 2}, {"", "", 0},
      {"abcXYZ~", "", 0},           {"\x80\xFF中", "中", 1},  // 128 and 255 are single-byte characters
      {"乗\\亅|", "乗亅", 2},                                 // trail bytes 5C and 7C stay with their characters
      {"a中\xD6", "中\xD6", 1},                               // a lone lead byte at the end stays and counts half
      {"ＡＢ　", "ＡＢ　", 3},                                // full-width letters and the full-width space
  };
  for (const Case& c : cases) {
    EXPECT_EQ(keep_double_byte_chars(c.text), c.kept) << c.text;
    EXPECT_EQ(count_double_byte_chars(c.text), c.count) << c.text;
  }
}

TEST(SearchStep, AnchorsOfForwardAndBackwardSearches) {
  struct Step {
    bool forward;
    int found, anchor;  // after the step
  };
  struct Run {
    std::string text, what;
    bool ignore_case;
    int anchor;  // at the start
    std::vector<Step> steps;
  };
  const Run runs[] = {
      // Forward to the end, a miss leaves length - 1, and the search restarts past byte 1.
      {"abcabc", "abc", true, 0, {{true, 1, 4}, {true, 4, 7}, {true, -1, 2}, {true, 4, 7}}},
      // Backward after the second hit: the same occurrence once more, then the first, then
      // misses that keep the anchor at -1.
      {"abcabc", "abc", true, 7, {{false, 4, 4}, {false, 1, 1}, {false, -1, -1}, {false, -1, -1}}},
      // From the start state a backward search fails until a forward one moves the anchor.
      {"abcabc", "abc", true, 0, {{false, -1, -1}, {true, 1, 4}, {false, 1, 1}}},
      // Right after a backward hit a forward search finds it once more.
      {"xabab", "ab", true, 6, {{false, 4, 4}, {true, 4, 6}}},
      {"中文abc中", "abc", true, 0, {{true, 5, 8}, {true, -1, 2}}},
      {"a中中", "中", true, 0, {{true, 2, 4}, {true, 4, 6}, {true, -1, 1}, {true, 2, 4}}},
      {"中文中", "中", true, 7, {{false, 5, 5}, {false, 1, 1}, {false, -1, -1}}},
      // Case folding is ASCII only and only when asked for.
      {"xABC", "abc", true, 0, {{true, 2, 5}}},
      {"xABC", "abc", false, 0, {{true, -1, 2}}},
      {"ＡＢＣ", "ａｂｃ", true, 0, {{true, -1, 5}}},
      // Trail bytes that look like ASCII are never matched.
      {"乗亅", "\\", true, 0, {{true, -1, 0}}},
      {"乗亅", "|", true, 5, {{false, -1, -1}}},
  };
  for (const Run& r : runs) {
    int anchor = r.anchor;
    int n = 0;
    for (const Step& s : r.steps) {
      SearchStep got = search_step(r.text, r.what, anchor, s.forward, r.ignore_case);
      EXPECT_EQ(got.found, s.found) << r.text << " / " << r.what << ", step " << n;
      EXPECT_EQ(got.anchor, s.anchor) << r.text << " / " << r.what << ", step " << n;
      anchor = got.anchor;
      ++n;
    }
  }
}

// The anchor is one for all pages and survives every change of the text, so it can point into
// the middle of a character; a search still finds whole characters of the text only.
TEST(SearchStep, FindsWholeCharactersFromAnAnchorInsideACharacter) {
  const std::string emoji = "\x94\x39\xFC\x36";  // U+1F600: its second and fourth bytes are digits
  struct Case {
    const char* what_for;
    std::string text, what;
    int anchor;
    bool forward;
    int found;
  };
  const Case cases[] = {
      {"up from inside a four-byte code", emoji, "9", 3, false, -1},
      {"up from its last byte", emoji, "9", 4, false, -1},
      {"up from just past it", emoji, "9", 5, false, -1},
      {"up: its lead byte alone", emoji, "\x94", 3, false, -1},
      {"up: the next one's lead byte alone", emoji + emoji, "\x94", 7, false, -1},
      {"up: a digit before it is found", "9" + emoji, "9", 4, false, 1},
      {"up: a digit after it, from past the end", emoji + "9", "9", 9, false, 5},
      {"down from inside a four-byte code", emoji, "9", 2, true, -1},
      {"down: its last digit", emoji, "6", 3, true, -1},
      {"down: a digit after it", emoji + "6", "6", 2, true, 5},
      {"down from inside a two-byte code", "乗\\", "\\", 2, true, 3},
      {"up from inside a two-byte code", "乗\\", "\\", 2, false, -1},
      {"up from just past a two-byte code", "乗\\", "\\", 3, false, -1},
      {"up past the bar after a bar trail", "亅|", "|", 4, false, 3},
      {"down from the trail of a bar trail", "亅|", "|", 2, true, 3},
      {"up from past the end of a shorter page", "ab9", "9", 40, false, 3},
  };
  for (const Case& c : cases) {
    SearchStep got = search_step(c.text, c.what, c.anchor, c.forward, true);
    EXPECT_EQ(got.found, c.found) << c.what_for;
    if (!c.forward) {
      EXPECT_EQ(got.anchor, c.found) << c.what_for;
    }
  }
}

TEST(SelectionByBytes, CountsCharactersBeforeTheOccurrenceAndOfTheSearchText) {
  struct Case {
    std::string text, what;
    int found;  // byte position of the occurrence
    int start, length;
  };
  const Case cases[] = {
      {"中文abc中", "abc", 5, 2, 3},
      {"abcabc", "abc", 4, 3, 3},
      {"ab中文", "文", 5, 3, 1},  // u ends with the occurrence's lone lead byte
      {"中a中a", "中a", 4, 2, 2},
      {"x\r\nab", "\r\na", 2, 1, 3},  // line breaks and tabs count as the edit box counts them
      {"\t中\t中", "\t中", 4, 2, 2},
      {"乗\\乗\\", "乗\\", 4, 2, 2},
      // A four-byte code is one character of the edit box, two above U+FFFF (U+00B5, U+1F600).
      {"\x81\x30\x85\x38中", "中", 5, 1, 1},
      {"a\x94\x39\xFC\x36"
       "b\x94\x39\xFC\x36",
       "\x94\x39\xFC\x36", 7, 4, 2},
      // A lead byte without its trail is a character of its own, and so is the blank after it.
      {"\x81 中", "中", 3, 2, 1},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(rt::find_text(c.text, c.what, c.found), c.found) << c.text;
    CharSelection sel = selection_by_bytes(rt::left_text(c.text, c.found), c.what);
    EXPECT_EQ(sel.start, c.start) << c.text << " / " << c.what;
    EXPECT_EQ(sel.length, c.length) << c.text << " / " << c.what;
  }
}

TEST(AnchorAfterReplacement, LiesJustPastTheReplacement) {
  struct Case {
    std::string text;
    int selection_start;
    std::string replacement, what;
    int anchor, next_found;  // and where a forward search of `what` from there lands
  };
  const Case cases[] = {
      {"abab", 0, "x", "ab", 2, 2},      // the shorter replacement: the next "ab" is found
      {"ab ab", 0, "abab", "ab", 5, 6},  // the replacement holds the search text: passed over
      {"中ab中ab", 1, "x", "ab", 4, 6},  // a character start after a double-byte character
      {"abab", 2, "", "ab", 3, -1},
  };
  for (const Case& c : cases) {
    int anchor = anchor_after_replacement(c.text, c.selection_start, c.replacement);
    EXPECT_EQ(anchor, c.anchor) << c.text;
    // The text after the replacement, as the edit box then holds it.
    size_t at = static_cast<size_t>(rt::char_index_to_byte_pos(c.text, c.selection_start) - 1);
    std::string after = c.text.substr(0, at) + c.replacement + c.text.substr(at + c.what.size());
    EXPECT_EQ(search_step(after, c.what, anchor, true, false).found, c.next_found) << c.text;
  }
}

TEST(CountOccurrences, AsReplaceAllReplacesThem) {
  struct Case {
    std::string text, what;
    bool case_sensitive;
    int count;
  };
  const Case cases[] = {
      {"abab", "ab", true, 2}, {"aaa", "aa", true, 1}, {"ABC", "abc", false, 1}, {"ABC", "abc", true, 0},
      {"", "a", true, 0},      {"abc", "", true, 0},   {"乗\\", "\\", true, 1},  {"中文中", "中", true, 2},
  };
  for (const Case& c : cases)
    EXPECT_EQ(count_occurrences(c.text, c.what, c.case_sensitive), c.count) << c.text << " / " << c.what;
  // A large page with many occurrences is counted in one walk (searching each anew from the
  // start of the page took minutes).
  std::string page;
  for (int i = 0; i < 300000; ++i) page += "a中\\";
  EXPECT_EQ(count_occurrences(page, "\\", true), 300000);
  EXPECT_EQ(count_occurrences(page, "中", true), 300000);
}

// ---- The page as the edit box shows it, after an edit put a byte escape before bytes that
// complete it: the box shows the escape and the characters after it, the bytes read as others.

// Deleting the space of "\x81 xy" leaves the box's escape before "x": the bytes 81 78 read as one
// character. A four-byte code comes from typing 0 after two escapes. An emoji counts twice.
const std::u16string kJoined = u"\xDC81xy";
const std::u16string kJoinedFourBytes = u"\xDC81" u"0\xDC81" u"0z";
const std::u16string kJoinedBeforeEmoji = u"\xDC81x\U0001F600y";

TEST(ShownPage, FindsAndSelectsTheBoxsCharacters) {
  struct Case {
    const char* what_for;
    std::u16string box;
    std::string what;
    bool forward, ignore_case;
    int anchor;
    int found, start, length;  // the occurrence's byte position and the box's selection of it
  };
  const Case cases[] = {
      {"the character after the joined pair", kJoined, "y", true, true, 0, 3, 2, 1},
      {"the character the escape joined", kJoined, "x", true, true, 0, 2, 1, 1},
      {"folded", kJoined, "X", true, true, 0, 2, 1, 1},
      {"case kept", kJoined, "X", true, false, 0, -1, 0, 0},
      {"the escape and the letter, whole characters of the box", kJoined, "\x81x", true, true, 0, 1, 0, 2},
      {"the escape alone", kJoined, "\x81", true, true, 0, 1, 0, 1},
      {"backward", kJoined, "x", false, true, 4, 2, 1, 1},
      {"backward, not wholly before the anchor", kJoined, "y", false, true, 3, -1, 0, 0},
      {"a digit the four-byte code took", kJoinedFourBytes, "0", true, true, 0, 2, 1, 1},
      {"the next one", kJoinedFourBytes, "0", true, true, 3, 4, 3, 1},
      {"after them", kJoinedFourBytes, "z", true, true, 0, 5, 4, 1},
      {"after an emoji", kJoinedBeforeEmoji, "y", true, true, 0, 7, 4, 1},
      {"the emoji", kJoinedBeforeEmoji, "\x94\x39\xFC\x36", true, true, 0, 3, 2, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what_for);
    const rt::ShownText page = rt::units_to_shown_text<char16_t>(c.box);
    ASSERT_FALSE(page.starts.empty()) << "the bytes read otherwise than the box shows them";
    SearchStep step = search_step(page, c.what, c.anchor, c.forward, c.ignore_case);
    EXPECT_EQ(step.found, c.found);
    EXPECT_EQ(step.anchor, c.forward ? c.found + static_cast<int>(c.what.size()) : c.found);
    if (c.found == -1) continue;
    CharSelection sel = occurrence_selection(page, step.found, c.what);
    EXPECT_EQ(sel.start, c.start);
    EXPECT_EQ(sel.length, c.length);
    // Exactly the occurrence's units in the box.
    std::string selected =
        rt::utf16_to_page_text(c.box.substr(static_cast<size_t>(sel.start), static_cast<size_t>(sel.length)));
    EXPECT_EQ(rt::find_text(selected, c.what, 1, c.ignore_case), 1);
    EXPECT_EQ(selected.size(), c.what.size());
  }
}

TEST(ShownPage, ReplacingGoesByTheBoxsCharacters) {
  const rt::ShownText page = rt::units_to_shown_text<char16_t>(kJoined);
  // The selected "x" replaced by "zz": the next search starts right after it.
  EXPECT_EQ(anchor_after_replacement(page, 1, "zz"), 4);
  EXPECT_EQ(anchor_after_replacement(page, 2, ""), 3);
  EXPECT_TRUE(occurs(page, "x", true));
  EXPECT_FALSE(occurs(page, "X", true));
  EXPECT_EQ(count_occurrences(page, "X", false), 1);
  EXPECT_EQ(replaced_everywhere(page, "X", "Z", false), "\x81Zy");
  EXPECT_EQ(replaced_everywhere(page, "x", "Z", true), "\x81Zy");
  EXPECT_EQ(replaced_everywhere(page, "y", "", true), "\x81x");
  const rt::ShownText four = rt::units_to_shown_text<char16_t>(kJoinedFourBytes);
  EXPECT_EQ(count_occurrences(four, "0", true), 2);
  EXPECT_EQ(replaced_everywhere(four, "0", "1", true), "\x81" "1\x81" "1z");
}

// While the bytes read as the box shows them, the box's rules are the byte rules.
TEST(ShownPage, ABoxShowingWhatItsBytesReadFollowsTheByteRules) {
  for (const std::u16string& box : {std::u16string(u"\xDC81 xy"), std::u16string(u"a\U0001F600b\xDCFFx"),
                                    std::u16string(u"\x4E2D\x6587 ab")}) {
    const rt::ShownText page = rt::units_to_shown_text<char16_t>(box);
    EXPECT_TRUE(page.starts.empty());
    EXPECT_EQ(page.text, rt::utf16_to_page_text(box));
    for (const std::string what : {"x", "b", "\x81"}) {
      SearchStep a = search_step(page, what, 0, true, true), b = search_step(page.text, what, 0, true, true);
      EXPECT_EQ(a.found, b.found);
      EXPECT_EQ(a.anchor, b.anchor);
    }
  }
}

TEST(OccurrenceSelections, SpliceReplaceAllsResultIntoTheEditBoxCount) {
  struct Case {
    std::string text, what;
    bool case_sensitive;
  };
  const std::string micro = "\x81\x30\x85\x38", grin = "\x94\x39\xFC\x36";  // U+00B5, U+1F600
  const Case cases[] = {
      {"abab", "ab", true},
      {"aaaa", "aa", true},  // never overlapping
      {"Abc abc ABC", "abc", false},
      {"Abc abc ABC", "abc", true},
      {"中文，中文。中", "中文", true},
      {"乗\\乗\\", "\\", true},    // trail bytes are no backslash
      {"乗乗\x81", "\x81", true},  // half a character is none; a lone lead byte at the end is one
      {grin + "中" + grin + "中" + micro + "中", "中", true},  // two places above U+FFFF, one below
      {"a" + micro + "b" + micro, micro, true},
      {micro + "0" + grin + "0", "0", true},  // the digits inside four-byte codes are none
      {"\x81 ab\x81 ab", "ab", true},         // a lead byte without its trail is a character
      {"x\r\ny\r\n", "\r\n", true},
      {"abc", "", true},
      {"", "a", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " / " + c.what);
    std::vector<CharSelection> hits = occurrence_selections(c.text, c.what, c.case_sensitive);
    EXPECT_EQ(static_cast<int>(hits.size()), count_occurrences(c.text, c.what, c.case_sensitive));
    // Each selection, written back as the text's bytes and replaced from the last, gives what
    // replace all writes.
    std::string spliced = c.text;
    for (auto h = hits.rbegin(); h != hits.rend(); ++h) {
      size_t from = static_cast<size_t>(rt::char_index_to_byte_pos(c.text, h->start) - 1);
      size_t to = static_cast<size_t>(rt::char_index_to_byte_pos(c.text, h->start + h->length) - 1);
      EXPECT_EQ(spliced.substr(from, to - from).size(), c.what.size());
      spliced.replace(from, to - from, "<>");
    }
    EXPECT_EQ(spliced, rt::replace_text(c.text, c.what, "<>", 1, -1, c.case_sensitive));
  }
}

}  // namespace
