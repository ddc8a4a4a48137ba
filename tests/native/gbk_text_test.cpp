// Built with -fexec-charset=CP936: every Chinese literal below is GBK bytes.
#include "runtime/gbk_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using rt::char_count;

// Characters whose trail byte looks like ASCII.
constexpr const char* kTrailBackslash = "乗";  // 81 5C
constexpr const char* kTrailPipe = "亅";       // 81 7C
constexpr const char* kTrailLowerA = "乤";     // 81 61
constexpr const char* kTrailUpperA = "丄";     // 81 41

// 乗 \ 亅 | 中 a 乤 A  -> bytes 1-2, 3, 4-5, 6, 7-8, 9, 10-11, 12
const std::string kMixed = "乗\\亅|中a乤A";

TEST(GbkFixtures, LiteralsAreGbkBytes) {
  EXPECT_EQ(std::string("中文"), "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(std::string(kTrailBackslash), "\x81\x5C");
  EXPECT_EQ(std::string(kTrailPipe), "\x81\x7C");
  EXPECT_EQ(std::string(kTrailLowerA), "\x81\x61");
  EXPECT_EQ(std::string(kTrailUpperA), "\x81\x41");
  EXPECT_EQ(std::string("誠"), "\xD5\x5C");
  EXPECT_EQ(std::string("　"), "\xA1\xA1");
  ASSERT_EQ(kMixed.size(), 12u);
}

// ---------------------------------------------------------------- characters

TEST(CharPositions, CountsDoubleByteCharactersOnce) {
  struct Case {
    std::string text;
    int chars;
  };
  const Case cases[] = {
      {"", 0},
      {"abc", 3},
      {"中文", 2},
      {kMixed, 8},
      {"啊啊啊", 3},        // trail bytes in the lead range
      {"a\x81", 2},         // lone lead byte at the end
      {"\x81\x81\x81", 2},  // lead + lead, then a lone lead
  };
  for (const auto& c : cases) EXPECT_EQ(char_count(c.text), c.chars) << c.text;
}

TEST(CharPositions, BytePositionMapsToCharacterHoldingIt) {
  // a 中 b 乗 \ : bytes 1, 2-3, 4, 5-6, 7
  const std::string t = "a中b乗\\";
  struct Case {
    int pos;
    int index;
  };
  const Case cases[] = {
      {-3, 0}, {0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 3}, {6, 3}, {7, 4}, {8, 5}, {100, 5},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rt::byte_pos_to_char_index(t, c.pos), c.index) << "pos " << c.pos;
  }
}

TEST(CharPositions, CharacterIndexMapsToItsFirstByte) {
  const std::string t = "a中b乗\\";
  struct Case {
    int index;
    int pos;
  };
  const Case cases[] = {
      {-1, 1}, {0, 1}, {1, 2}, {2, 4}, {3, 5}, {4, 7}, {5, 8}, {50, 8},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rt::char_index_to_byte_pos(t, c.index), c.pos) << "index " << c.index;
  }
  for (int i = 0; i <= char_count(t); ++i) {
    EXPECT_EQ(rt::byte_pos_to_char_index(t, rt::char_index_to_byte_pos(t, i)), i);
  }
}

// Four-byte codes and bytes that are no character, as the edit box shows them: U+00B5 (one unit),
// U+1F600 (two units), a lead byte before a blank, a lead byte before a digit that makes no
// four-byte code, FF, and the four-byte code of U+E76C, which code page 936 writes A2 E3.
const std::string kMicro = "\x81\x30\x85\x38";
const std::string kGrin = "\x94\x39\xFC\x36";

TEST(CharPositions, FourByteCodesAndByteEscapesCountAsTheEditBoxCounts) {
  struct Case {
    std::string text;
    int chars;
    std::vector<size_t> sizes;  // of each character in turn
  };
  const Case cases[] = {
      {kMicro, 1, {4}},
      {kGrin, 2, {4}},
      {"a" + kMicro + "中" + kGrin, 5, {1, 4, 2, 4}},
      {"\x81 ", 2, {1, 1}},
      {"\x81\x30", 2, {1, 1}},
      {"\x81\x30\x81", 3, {1, 1, 1}},
      {"\xFF\x41", 2, {1, 1}},
      {"\x83\x36\xC7\x39", 4, {1, 1, 1, 1}},
      {"\x80\x81\x80", 2, {1, 2}},  // the euro sign, then a code whose trail is 80
  };
  for (const auto& c : cases) {
    EXPECT_EQ(char_count(c.text), c.chars) << c.text;
    std::vector<size_t> sizes;
    for (size_t i = 0; i < c.text.size(); i += rt::char_size_at(c.text, i))
      sizes.push_back(rt::char_size_at(c.text, i));
    EXPECT_EQ(sizes, c.sizes) << c.text;
  }
}

TEST(CharPositions, ACharacterAboveFFFFHoldsTwoPositionsOfTheEditBox) {
  // a 😀 b 乗 : bytes 1, 2-5, 6, 7-8; edit box units 0, 1-2, 3, 4
  const std::string t = "a" + kGrin + "b乗";
  const int pos_to_index[][2] = {{1, 0}, {2, 1}, {5, 1}, {6, 3}, {7, 4}, {8, 4}, {9, 5}};
  for (const auto& c : pos_to_index) EXPECT_EQ(rt::byte_pos_to_char_index(t, c[0]), c[1]) << "pos " << c[0];
  const int index_to_pos[][2] = {{0, 1}, {1, 2}, {2, 2}, {3, 6}, {4, 7}, {5, 9}};
  for (const auto& c : index_to_pos) EXPECT_EQ(rt::char_index_to_byte_pos(t, c[0]), c[1]) << "index " << c[0];
}

// -------------------------------------------------------------------- search

struct FindCase {
  std::string text;
  std::string what;
  int start;
  bool ignore_case;
  int expected;
};

TEST(FindText, ForwardSearch) {
  const FindCase cases[] = {
      // trail bytes 5C / 7C are not '\' / '|'
      {kMixed, "\\", 1, false, 3},
      {kMixed, "|", 1, false, 6},
      {"誠\\", "\\", 1, false, 3},
      // a start on a trail byte moves to the next character
      {kMixed, "\\", 2, false, 3},
      {"中文中文", "文", 4, false, 7},
      {"啊啊啊", "啊", 2, false, 3},
      {"a啊啊", "啊", 3, false, 4},
      // a match must begin on a boundary even when its bytes line up
      {"乗中", "\\中", 1, false, -1},
      {"中文", "\xD0\xCE", 1, false, -1},
      {"啊啊", "\xA1\xB0", 1, false, -1},
      // ... and end on one: a lone lead byte is the first half of a character, unless it ends
      // the text
      {"中", "\xD6", 1, false, -1},
      {"中", "\xD6", 1, true, -1},
      {"a中", "a\xD6", 1, true, -1},
      {"中a\xD6", "\xD6", 1, false, 4},
      // start rules
      {kMixed, "|", 7, false, -1},
      {kMixed, "乗", 0, false, 1},
      {kMixed, "乗", -5, false, 1},
      {kMixed, "A", 12, false, 12},
      {kMixed, "A", 13, false, -1},
      {kMixed, "A", 1000, false, -1},
      {kMixed, kMixed, 1, false, 1},
      {"ab", "abc", 1, false, -1},
      {kMixed, "", 1, false, -1},
      {"", "a", 1, false, -1},
      // case folding is ASCII only and never touches trail bytes
      {kMixed, "a", 10, false, -1},
      {kMixed, "a", 10, true, 12},
      {kMixed, "A", 1, true, 9},
      {kMixed, "中A", 1, true, 7},
      {kMixed, kTrailLowerA, 1, true, 10},
      {kMixed, kTrailUpperA, 1, true, -1},
      {"ＡＢ", "ａｂ", 1, true, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rt::find_text(c.text, c.what, c.start, c.ignore_case), c.expected)
        << "find \"" << c.what << "\" in \"" << c.text << "\" from " << c.start;
  }
}

TEST(FindText, BackwardSearchStaysInsideWindow) {
  const FindCase cases[] = {
      {kMixed, "\\", 13, false, 3},         {kMixed, "\\", 1000, false, 3},  // past the end: whole text
      {kMixed, "\\", 4, false, 3},                                           // window is bytes 1..3
      {kMixed, "\\", 3, false, -1},                                          // only 乗 left; its trail is no match
      {kMixed, "|", 13, false, 6},          {kMixed, "a", 13, false, 9},
      {kMixed, "a", 13, true, 12},          {kMixed, "a", 12, true, 9},
      {kMixed, "中a", 10, false, 7},        {kMixed, "中a", 9, false, -1},  // would stick out of the window
      {kMixed, kTrailUpperA, 13, true, -1}, {"中文", "\xD0\xCE", 5, false, -1},
      {"aaa", "aa", 4, false, 2},           {"abcabc", "abc", 7, false, 4},
      {"abcabc", "abc", 6, false, 1},       {kMixed, "乗", 1, false, -1},
      {"中a", "\xD6", 4, false, -1},        {"a\xD6", "\xD6", 3, false, 2},
      {kMixed, "乗", 0, false, -1},         {kMixed, "", 13, false, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rt::find_text_backward(c.text, c.what, c.start, c.ignore_case), c.expected)
        << "find back \"" << c.what << "\" in \"" << c.text << "\" before " << c.start;
  }
}

TEST(FindText, FourByteCodesAndByteEscapesAreWholeCharacters) {
  const FindCase cases[] = {
      {"a" + kMicro + "0", "0", 1, false, 6},  // the digits inside the code are not found
      {kGrin + "9", "9", 1, false, 5},
      {kGrin + kGrin, kGrin, 2, false, 5},
      {"x" + kGrin, "\x94\x39", 1, false, -1},  // half of the code is no character of it
      {"A\x81\x40", "A\x81", 1, false, -1},     // nor is its lead byte alone
      {"A\x81\x40", "A\x81", 1, true, -1},
      {"\x81\r\n", "\r\n", 1, false, 2},  // a line break after a lead byte without its trail
      {"\x81 a", "A", 1, true, 3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rt::find_text(c.text, c.what, c.start, c.ignore_case), c.expected)
        << "find \"" << c.what << "\" in \"" << c.text << "\" from " << c.start;
  }
  EXPECT_EQ(rt::replace_text("0" + kMicro + "0", "0", "1"), "1" + kMicro + "1");
  EXPECT_EQ(rt::split_text("a9" + kGrin + "9b", "9"), (std::vector<std::string>{"a", kGrin, "b"}));
  EXPECT_EQ(rt::to_full_width(kMicro + "0"), kMicro + "０");
  EXPECT_EQ(rt::to_upper_ascii("\x81 a"), "\x81 A");
}

// ------------------------------------------------------------------- replace

TEST(ReplaceText, Cases) {
  struct Case {
    std::string text, what, with;
    int start, count;
    bool case_sensitive;
    std::string expected;
  };
  const Case cases[] = {
      // the inserted text is never searched again
      {"a.b.c", ".", "..", 1, -1, true, "a..b..c"},
      {"aaa", "a", "aa", 1, -1, true, "aaaaaa"},
      {"aaaa", "aa", "a", 1, -1, true, "aa"},
      {"a,b,,c", ",", "", 1, -1, true, "abc"},
      // trail bytes stay
      {"x\\y乗\\誠", "\\", "/", 1, -1, true, "x/y乗/誠"},
      {"亅|", "|", "", 1, -1, true, "亅"},
      // half a character is no occurrence: its trail byte would be left as a "\"
      {"乗乗", "\x81", "x", 1, -1, true, "乗乗"},
      {"a\x81", "\x81", "x", 1, -1, true, "ax"},
      // start and count
      {"a-a-a", "a", "b", 2, -1, true, "a-b-b"},
      {"乗\\乗\\", "\\", "/", 2, -1, true, "乗/乗/"},
      {"a-a-a", "a", "b", 1, 2, true, "b-b-a"},
      {"a-a-a", "a", "b", 3, 1, true, "a-b-a"},
      {"a-a-a", "a", "b", 1, 0, true, "a-a-a"},
      {"a-a-a", "a", "b", 0, -1, true, "b-b-b"},
      {"a-a-a", "a", "b", 6, -1, true, "a-a-a"},
      // case
      {"Abc abc ABC", "abc", "x", 1, -1, true, "Abc x ABC"},
      {"Abc abc ABC", "abc", "x", 1, -1, false, "x x x"},
      {"乤A", kTrailUpperA, "X", 1, -1, false, "乤A"},
      {"乤A", "a", "X", 1, -1, false, "乤X"},
      // nothing to do
      {"abc", "", "x", 1, -1, true, "abc"},
      {"", "a", "x", 1, -1, true, ""},
      {"abc", "abcd", "x", 1, -1, true, "abc"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rt::replace_text(c.text, c.what, c.with, c.start, c.count, c.case_sensitive), c.expected)
        << "replace \"" << c.what << "\" in \"" << c.text << "\" from " << c.start;
  }
}

// ------------------------------------------------------------------- slicing

TEST(Slicing, LeftRightMidAreByteBased) {
  const std::string t = "abcdef";
  struct Case {
    std::string actual, expected;
  };
  const Case cases[] = {
      {rt::left_text(t, 3), "abc"},   {rt::left_text(t, 6), "abcdef"},   {rt::left_text(t, 99), "abcdef"},
      {rt::left_text(t, 0), ""},      {rt::left_text(t, -1), ""},        {rt::left_text("中文", 1), "\xD6"},
      {rt::right_text(t, 2), "ef"},   {rt::right_text(t, 99), "abcdef"}, {rt::right_text(t, 0), ""},
      {rt::right_text(t, -2), ""},    {rt::mid_text(t, 2, 3), "bcd"},    {rt::mid_text(t, 0, 2), "ab"},
      {rt::mid_text(t, -3, 2), "ab"}, {rt::mid_text(t, 5, 10), "ef"},    {rt::mid_text(t, 6, 1), "f"},
      {rt::mid_text(t, 7, 1), ""},    {rt::mid_text(t, 3, 0), ""},       {rt::mid_text(t, 3), "cdef"},
      {rt::mid_text("", 1, 1), ""},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(cases[i].actual, cases[i].expected) << "case " << i;
  }
}

TEST(Slicing, CutOnCharBoundaryNeverSplitsACharacter) {
  struct Case {
    std::string text;
    int n;
    std::string expected;
  };
  const Case cases[] = {
      {"中文", 0, ""},
      {"中文", 1, ""},
      {"中文", 2, "中"},
      {"中文", 3, "中"},
      {"中文", 4, "中文"},
      {"中文", 10, "中文"},
      {"a中", 2, "a"},
      {"乗\\", 1, ""},
      {"乗\\", 2, "乗"},
      {"啊啊啊", 5, "啊啊"},
      {"a啊啊", 4, "a啊"},
      {"a\x81", 2, "a\x81"},  // a lone final lead byte is a whole character
      {"abc", -1, ""},
      // a four-byte code is never cut; a lead byte without its trail is a character of its own
      {"a" + kMicro, 3, "a"},
      {"a" + kMicro, 5, "a" + kMicro},
      {"中" + kGrin + "中", 5, "中"},
      {"\x81\x30\x81", 2, "\x81\x30"},
      {"\x81 \x81\x40", 3, "\x81 "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rt::cut_on_char_boundary(c.text, c.n), c.expected) << "\"" << c.text << "\" cut at " << c.n;
  }
}

TEST(Slicing, RepeatText) {
  EXPECT_EQ(rt::repeat_text("中-", 3), "中-中-中-");
  EXPECT_EQ(rt::repeat_text("ab", 1), "ab");
  EXPECT_EQ(rt::repeat_text("ab", 0), "");
  EXPECT_EQ(rt::repeat_text("ab", -2), "");
  EXPECT_EQ(rt::repeat_text("", 5), "");
}

// --------------------------------------------------------------------- split

TEST(SplitText, Cases) {
  using Items = std::vector<std::string>;
  struct Case {
    std::string text, separator;
    int max_items;
    Items expected;
  };
  const Case cases[] = {
      {"a,b,c", ",", -1, {"a", "b", "c"}},
      {"a,,b", ",", -1, {"a", "", "b"}},
      {"a,b,", ",", -1, {"a", "b"}},
      {"a,b,,", ",", -1, {"a", "b", ""}},
      {",a", ",", -1, {"", "a"}},
      {",", ",", -1, {""}},
      {"", ",", -1, {}},
      {"abc", "", -1, {"abc"}},
      {"abc", ",", -1, {"abc"}},
      {"乗\\x\\亅|y", "\\", -1, {"乗", "x", "亅|y"}},
      {"乗\\x\\亅|y", "|", -1, {"乗\\x\\亅", "y"}},
      {"中文", "\xD0\xCE", -1, {"中文"}},
      {"a中文b中文c", "中文", -1, {"a", "b", "c"}},
      {"l1\r\nl2\r\n", "\r\n", -1, {"l1", "l2"}},
      {"a,b,c", ",", 2, {"a", "b"}},
      {"a,b,c", ",", 3, {"a", "b", "c"}},
      {"a,b,c", ",", 0, {"a", "b", "c"}},
      {"a,b,c", ",", 9, {"a", "b", "c"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rt::split_text(c.text, c.separator, c.max_items), c.expected)
        << "split \"" << c.text << "\" on \"" << c.separator << "\"";
  }
}

// -------------------------------------------------------------------- blanks

TEST(Blanks, TrimAndRemove) {
  struct Case {
    std::string text, left, right, both, removed;
  };
  const Case cases[] = {
      {"  a b  ", "a b  ", "  a b", "a b", "ab"},
      {"　中　文　", "中　文　", "　中　文", "中　文", "中文"},
      {" 　 ", "", "", "", ""},
      {"", "", "", "", ""},
      {"\t a \r\n", "\t a \r\n", "\t a \r\n", "\t a \r\n", "\ta\r\n"},
      // 啊 is B0 A1: its trail plus a following A1 is not a full-width space
      {"x啊\xA1", "x啊\xA1", "x啊\xA1", "x啊\xA1", "x啊\xA1"},
      {"啊　", "啊　", "啊", "啊", "啊"},
      // a lead byte without a fitting trail is a character of its own, as the edit box shows
      // it: the space after it is a blank
      {"\x81 a", "\x81 a", "\x81 a", "\x81 a",
       "\x81"
       "a"},
      {"a \x81", "a \x81", "a \x81", "a \x81", "a\x81"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rt::trim_left(c.text), c.left) << "\"" << c.text << "\"";
    EXPECT_EQ(rt::trim_right(c.text), c.right) << "\"" << c.text << "\"";
    EXPECT_EQ(rt::trim_both(c.text), c.both) << "\"" << c.text << "\"";
    EXPECT_EQ(rt::remove_blanks(c.text), c.removed) << "\"" << c.text << "\"";
  }
}

// ---------------------------------------------------------------------- case

TEST(AsciiCase, OnlySingleByteLettersChange) {
  struct Case {
    std::string text, upper, lower;
  };
  const Case cases[] = {
      {"abcXYZ", "ABCXYZ", "abcxyz"}, {"@[`{", "@[`{", "@[`{"},       {"z乤a", "Z乤A", "z乤a"},
      {"Z丄A", "Z丄A", "z丄a"},       {"ａＡ中", "ａＡ中", "ａＡ中"}, {"a\x81", "A\x81", "a\x81"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rt::to_upper_ascii(c.text), c.upper) << "\"" << c.text << "\"";
    EXPECT_EQ(rt::to_lower_ascii(c.text), c.lower) << "\"" << c.text << "\"";
  }
}

// --------------------------------------------------------------------- width

TEST(Width, FullAndHalfWidthCases) {
  struct Case {
    std::string half, full;
  };
  const Case cases[] = {
      {"Az09", "Ａｚ０９"}, {" ~!}", "　～！｝"}, {"a\tb\r\n", "ａ\tｂ\r\n"},
      {"乗\\", "乗＼"},     {"亅|", "亅｜"},      {"中", "中"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rt::to_full_width(c.half), c.full) << "\"" << c.half << "\"";
    EXPECT_EQ(rt::to_half_width(c.full), c.half) << "\"" << c.full << "\"";
  }
}

TEST(Width, OnlyTheMappedCharactersChange) {
  struct Case {
    std::string text, full, half;
  };
  const Case cases[] = {
      {"\x7F\x01", "\x7F\x01", "\x7F\x01"},
      {"\xA3\xFE\xA1\xA2", "\xA3\xFE\xA1\xA2", "\xA3\xFE\xA1\xA2"},
      // 埃 is B0 A3; its trail plus the next byte is not a full-width letter
      {"埃Ａ", "埃Ａ", "埃A"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rt::to_full_width(c.text), c.full) << "\"" << c.text << "\"";
    EXPECT_EQ(rt::to_half_width(c.text), c.half) << "\"" << c.text << "\"";
  }
}

TEST(Width, EveryPrintableAsciiCharacterRoundTrips) {
  for (int b = 0x20; b <= 0x7E; ++b) {
    const std::string half(1, static_cast<char>(b));
    const std::string full = rt::to_full_width(half);
    ASSERT_EQ(full.size(), 2u) << b;
    EXPECT_EQ(char_count(full), 1) << b;
    EXPECT_EQ(rt::to_half_width(full), half) << b;
  }
}

// ------------------------------------------------------------------- numbers

TEST(Numbers, NumberToText) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {3.0, "3"},
      {100.0, "100"},
      {0.1 + 0.2, "0.3"},
      {-2.5, "-2.5"},
      {0.0, "0"},
      {-0.0, "0"},
      {1.0 / 3, "0.3333333333333"},
      {2.0 / 3, "0.6666666666667"},
      {123456.789, "123456.789"},
      {1234567890123.0, "1234567890123"},
      {1e13, "1E+13"},
      {1.5e20, "1.5E+20"},
      {-1e100, "-1E+100"},
      {0.0001, "0.0001"},
      {0.00001, "1E-05"},
      {1e-10, "1E-10"},
      {std::numeric_limits<double>::quiet_NaN(), "NaN"},
      {std::numeric_limits<double>::infinity(), "Infinity"},
      {-std::numeric_limits<double>::infinity(), "-Infinity"},
  };
  for (const auto& c : cases) EXPECT_EQ(rt::number_to_text(c.value), c.text) << c.text;
  EXPECT_EQ(rt::int_to_text(-9223372036854775807LL - 1), "-9223372036854775808");
  EXPECT_EQ(rt::int_to_text(0), "0");
}

TEST(Numbers, TextToNumberTakesLongestNumericPrefix) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"12abc", 12},       {"abc", 0},       {"", 0},       {" -3.5", -3.5},
      {"  42  ", 42},      {"+7", 7},        {"00012", 12}, {"3.14159", 3.14159},
      {".5", 0.5},         {"5.", 5},        {"1e3", 1000}, {"2E+2", 200},
      {"2e-2", 0.02},      {"1.5e", 1.5},    {"1ex", 1},    {"1e+", 1},
      {"1e3.5", 1000},     {"1,5", 1},       {".", 0},      {"-", 0},
      {"- 1", 0},          {"0x1A", 0},      {"NaN", 0},    {"Infinity", 0},
      {"1e400", inf},      {"-1e400", -inf}, {"1e-400", 0}, {"0.001e-330", 0},
      {"123456e305", inf},
  };
  for (const auto& c : cases) EXPECT_EQ(rt::text_to_number(c.text), c.value) << c.text;
  // out of range without an exponent: the digits alone decide the direction
  EXPECT_EQ(rt::text_to_number("0." + std::string(400, '0') + "1"), 0);
  EXPECT_EQ(rt::text_to_number("-1" + std::string(400, '0')), -inf);
}

TEST(Numbers, NumberTextRoundTrips) {
  for (double v : {0.5, -123.25, 1e-7, 9.87654321e15, 2.5e-300}) {
    EXPECT_EQ(rt::text_to_number(rt::number_to_text(v)), v) << v;
  }
}

TEST(Numbers, DecimalPointIgnoresProcessLocale) {
  const char* names[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "ru_RU.UTF-8"};
  const char* chosen = nullptr;
  for (const char* name : names) {
    if (std::setlocale(LC_NUMERIC, name) != nullptr) {
      chosen = name;
      break;
    }
  }
  if (chosen == nullptr) GTEST_SKIP() << "no comma-decimal locale installed";
  const std::string shown = rt::number_to_text(2.5);
  const double read = rt::text_to_number("2.5");
  std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(shown, "2.5") << chosen;
  EXPECT_EQ(read, 2.5) << chosen;
}

}  // namespace
