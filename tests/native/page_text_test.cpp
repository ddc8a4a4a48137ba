// The page text's own reading and writing, natively over glibc's GBK and under Wine over the
// system's code page 936: both builds must agree on every character. Every non-ASCII byte is
// written as a hex escape (literals become GBK).
#include "runtime/page_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "hex_bytes.h"

namespace {

using namespace std::string_view_literals;

std::u16string utf16(char32_t c) {
  if (c <= 0xFFFF) return std::u16string(1, static_cast<char16_t>(c));
  c -= 0x10000;
  return {static_cast<char16_t>(0xD800 + (c >> 10)), static_cast<char16_t>(0xDC00 + (c & 0x3FF))};
}

// ------------------------------------------------------------------ single characters

struct FormCase {
  const char* what;
  char32_t c;
  std::string_view form;
};

TEST(PageText, EachCharacterHasOneForm) {
  const FormCase cases[] = {
      {"ASCII", U'A', "\x41"sv},
      {"a GBK character", U'\u4E2D', "\xD6\xD0"sv},
      {"the euro sign is code page 936's single byte", U'\u20AC', "\x80"sv},
      {"a user-defined cell", U'\uE000', "\xAA\xA1"sv},
      {"code page 936's cell where GB18030 has the euro sign", U'\uE76C', "\xA2\xE3"sv},
      {"code page 936's cell where GB18030 has U+1E3F", U'\uE7C7', "\xA8\xBC"sv},
      {"U+1E3F takes the four-byte code of U+E7C7", U'\u1E3F', "\x81\x35\xF4\x37"sv},
      {"code page 936's FE50", U'\uE815', "\xFE\x50"sv},
      {"U+2E81 takes the four-byte code of U+E815", U'\u2E81', "\x83\x36\xC9\x34"sv},
      {"U+FE10 gets GB18030's former code back", U'\uFE10', "\x84\x31\x82\x36"sv},
      {"so does U+9FB4", U'\u9FB4', "\x82\x35\x90\x37"sv},
      {"U+9FBB, the last of them", U'\u9FBB', "\x82\x35\x91\x34"sv},
      {"U+00B5, first four-byte letter", U'\u00B5', "\x81\x30\x85\x38"sv},
      {"U+0080", U'\u0080', "\x81\x30\x81\x30"sv},
      {"the byte-order mark", U'\uFEFF', "\x84\x31\x95\x33"sv},
      {"U+F8F5 (code page 936 writes FF for it, and reads FF as nothing)", U'\uF8F5', "\x83\x39\xFE\x30"sv},
      {"U+FFFD", U'\uFFFD', "\x84\x31\xA4\x37"sv},
      {"U+FFFF", U'\uFFFF', "\x84\x31\xA4\x39"sv},
      {"CJK extension A", U'\u3400', "\x81\x39\xEE\x39"sv},
      {"U+10000", U'\U00010000', "\x90\x30\x81\x30"sv},
      {"an emoji", U'\U0001F600', "\x94\x39\xFC\x36"sv},
      {"CJK extension B", U'\U00020000', "\x95\x32\x82\x36"sv},
      {"GB18030's FE51 is code page 936's: U+20087 takes its linear code", U'\U00020087', "\x95\x32\x90\x31"sv},
      {"a tag character", U'\U000E0041', "\xD3\x36\x9C\x33"sv},
      {"U+10FFFF", U'\U0010FFFF', "\xE3\x32\x9A\x35"sv},
  };
  for (const FormCase& c : cases) {
    SCOPED_TRACE(c.what);
    bool lossless = false;
    EXPECT_EQ(hex(rt::utf16_to_page_text(utf16(c.c), &lossless)), hex(c.form));
    EXPECT_TRUE(lossless);
    EXPECT_EQ(units_hex(rt::page_text_to_utf16(c.form)), units_hex(utf16(c.c)));
    rt::PageChar ch = rt::page_char_at(c.form, 0);
    EXPECT_EQ(ch.bytes, c.form.size());
    EXPECT_EQ(ch.units, utf16(c.c).size());
  }
}

// ------------------------------------------------------------------ exhaustive sweeps

TEST(PageText, EveryCharacterBelowFFFFComesBack) {
  std::uint64_t digest = kDigestStart;
  for (char32_t c = 0; c <= 0xFFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    std::u16string unit = utf16(c);
    bool lossless = false;
    std::string form = rt::utf16_to_page_text(unit, &lossless);
    std::u16string back = rt::page_text_to_utf16(form);
    if (!lossless || back != unit || rt::page_char_at(form, 0).bytes != form.size())
      FAIL() << units_hex(unit) << " is written " << hex(form) << " and read back as " << units_hex(back);
    mix(digest, form);
  }
  // Natively and under Wine alike.
  EXPECT_EQ(digest, 0xEE8381B952F9597Au);
}

TEST(PageText, CharactersAboveFFFFComeBack) {
  // Every 61st, and both ends of the range.
  for (char32_t c = 0x10000; c <= 0x10FFFF; c += c >= 0x10FFC2 ? 1 : 61) {
    std::u16string units = utf16(c);
    bool lossless = false;
    std::string form = rt::utf16_to_page_text(units, &lossless);
    std::u16string back = rt::page_text_to_utf16(form);
    if (!lossless || form.size() != 4 || back != units)
      FAIL() << units_hex(units) << " is written " << hex(form) << " and read back as " << units_hex(back);
  }
}

TEST(PageText, EveryTwoBytesComeBack) {
  std::uint64_t digest = kDigestStart;
  for (unsigned first = 0; first <= 0xFF; ++first) {
    for (unsigned second = 0; second <= 0xFF; ++second) {
      std::string bytes{static_cast<char>(first), static_cast<char>(second)};
      std::u16string units = rt::page_text_to_utf16(bytes);
      std::string back = rt::utf16_to_page_text(units);
      if (back != bytes) FAIL() << hex(bytes) << " is read " << units_hex(units) << " and written " << hex(back);
      for (char16_t u : units) mix(digest, std::string{static_cast<char>(u >> 8), static_cast<char>(u & 0xFF)});
    }
  }
  EXPECT_EQ(digest, 0x8CB7240CAF40E299u);
}

TEST(PageText, EveryFourByteCodeComesBack) {
  std::uint64_t digest = kDigestStart;
  std::string code(4, '\0');
  for (unsigned b1 = 0x81; b1 <= 0xFE; ++b1) {
    for (unsigned b2 = 0x30; b2 <= 0x39; ++b2) {
      for (unsigned b3 = 0x81; b3 <= 0xFE; ++b3) {
        for (unsigned b4 = 0x30; b4 <= 0x39; ++b4) {
          code = {static_cast<char>(b1), static_cast<char>(b2), static_cast<char>(b3), static_cast<char>(b4)};
          std::u16string units = rt::page_text_to_utf16(code);
          std::string back = rt::utf16_to_page_text(units);
          // A code is one character, or no character at all: four units of escapes and digits.
          rt::PageChar c = rt::page_char_at(code, 0);
          if (back != code || units.size() != (c.bytes == 4 ? c.units : 4))
            FAIL() << hex(code) << " is read " << units_hex(units) << " and written " << hex(back);
          mix(digest, c.bytes == 4 ? "+" : "-");
        }
      }
    }
  }
  EXPECT_EQ(digest, 0x16B878310401F9BFu);
}

// ------------------------------------------------------------------ damaged text

struct DamageCase {
  const char* what;
  std::string_view bytes;
  std::u16string_view units;
};

TEST(PageText, BytesThatAreNoCharacterBecomeEscapesAndStay) {
  const DamageCase cases[] = {
      {"a lead byte at the end", "\x41\xD6"sv, u"\x0041\xDCD6"sv},
      {"a lead byte before a blank", "\xD6\x20\xD0"sv, u"\xDCD6\x0020\xDCD0"sv},
      {"a lead byte before 7F", "\x81\x7F"sv, u"\xDC81\x007F"sv},
      {"a lead byte before FF", "\x81\xFF"sv, u"\xDC81\xDCFF"sv},
      {"FF alone", "\xFF"sv, u"\xDCFF"sv},
      {"80 is the euro sign, never an escape", "\x80\x80"sv, u"\x20AC\x20AC"sv},
      {"a trail byte after a complete character", "\xD6\xD0\xD0"sv, u"\x4E2D\xDCD0"sv},
      {"a four-byte code cut after two bytes", "\x81\x30"sv, u"\xDC81\x0030"sv},
      {"a four-byte code cut after three bytes", "\x81\x30\x81"sv, u"\xDC81\x0030\xDC81"sv},
      {"a bad third byte", "\x81\x30\x20\x30"sv, u"\xDC81\x0030\x0020\x0030"sv},
      {"a bad fourth byte: the third starts a code", "\x81\x30\x81\x41"sv, u"\xDC81\x0030\x4E04"sv},
      {"a code code page 936 writes otherwise", "\x83\x36\xC7\x39"sv, u"\xDC83\x0036\xDCC7\x0039"sv},
      {"between U+FFFF and U+10000", "\x85\x30\x81\x30"sv, u"\xDC85\x0030\xDC81\x0030"sv},
      {"past U+10FFFF", "\xE3\x32\x9A\x36"sv, u"\xDCE3\x0032\xDC9A\x0036"sv},
      {"Latin-1 text", "caf\xE9 na\xEFve"sv, u"caf\xDCE9 na\x98D7\x0065"sv},
      {"zero bytes are characters", "\x41\x00\xD6\x00"sv, u"\x0041\x0000\xDCD6\x0000"sv},
  };
  for (const DamageCase& c : cases) {
    SCOPED_TRACE(std::string(c.what) + " " + hex(c.bytes));
    EXPECT_EQ(units_hex(rt::page_text_to_utf16(c.bytes)), units_hex(c.units));
    bool lossless = false;
    EXPECT_EQ(hex(rt::utf16_to_page_text(c.units, &lossless)), hex(c.bytes));
    EXPECT_TRUE(lossless);
    EXPECT_TRUE(rt::bytes_survive_the_controls(c.bytes));
  }
}

TEST(PageText, LoneSurrogatesOutsideTheEscapesAreReportedAndWrittenAsReplacement) {
  const DamageCase cases[] = {
      {"a high surrogate alone", "\x41\x84\x31\xA4\x37\x42"sv, u"\x0041\xD83D\x0042"sv},
      {"a high surrogate at the end", "\x84\x31\xA4\x37"sv, u"\xD83D"sv},
      {"a low surrogate past the escapes", "\x84\x31\xA4\x37"sv, u"\xDE00"sv},
      {"U+DC80 is no escape: 80 would read as the euro sign", "\x84\x31\xA4\x37"sv, u"\xDC80"sv},
      {"below the escapes", "\x84\x31\xA4\x37"sv, u"\xDC41"sv},
      {"two high surrogates, then a pair", "\x84\x31\xA4\x37\x94\x39\xFC\x36"sv, u"\xD83D\xD83D\xDE00"sv},
  };
  for (const DamageCase& c : cases) {
    SCOPED_TRACE(c.what);
    bool lossless = true;
    EXPECT_EQ(hex(rt::utf16_to_page_text(c.units, &lossless)), hex(c.bytes));
    EXPECT_FALSE(lossless);
    EXPECT_TRUE(rt::units_survive_the_page(c.units));
  }
  EXPECT_TRUE(rt::units_survive_the_page(u"\xDC81\x0041"));  // an escape is no loss
}

// ------------------------------------------------------------------ UTF-8 and UTF-16 bytes

TEST(PageText, FromUtf8AndUtf16Bytes) {
  struct Case {
    const char* what;
    std::string_view in;
    int kind;  // 8 UTF-8, 16 UTF-16LE, 61 UTF-16BE
    bool ok;
    std::string_view out;
  };
  const Case cases[] = {
      {"GBK characters, the euro sign, emoji", "\xE4\xB8\xAD\xE2\x82\xAC\xF0\x9F\x98\x80"sv, 8, true,
       "\xD6\xD0\x80\x94\x39\xFC\x36"sv},
      {"a mark is a character", "\xEF\xBB\xBF\x41"sv, 8, true, "\x84\x31\x95\x33\x41"sv},
      {"zero is a character", "\x41\x00\x42"sv, 8, true, "\x41\x00\x42"sv},
      {"cut short", "\xE4\xB8"sv, 8, false, ""sv},
      {"overlong", "\xC0\x80"sv, 8, false, ""sv},
      {"an encoded surrogate", "\xED\xA0\x80"sv, 8, false, ""sv},
      {"past U+10FFFF", "\xF4\x90\x80\x80"sv, 8, false, ""sv},
      {"a lone continuation byte", "\x80"sv, 8, false, ""sv},
      {"FF", "\xFF"sv, 8, false, ""sv},
      {"UTF-16LE", "\x2D\x4E\xAC\x20\x3D\xD8\x00\xDE"sv, 16, true, "\xD6\xD0\x80\x94\x39\xFC\x36"sv},
      {"UTF-16BE", "\x4E\x2D\x00\x00\xD8\x3D\xDE\x00"sv, 61, true, "\xD6\xD0\x00\x94\x39\xFC\x36"sv},
      {"odd length", "\x41\x00\x42"sv, 16, false, ""sv},
      {"a lone high surrogate", "\x3D\xD8\x41\x00"sv, 16, false, ""sv},
      {"a lone low surrogate", "\xDE\x00"sv, 61, false, ""sv},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.what) + " " + hex(c.in));
    std::string out;
    bool ok = c.kind == 8 ? rt::utf8_to_page_text(c.in, out) : rt::utf16_bytes_to_page_text(c.in, c.kind == 61, out);
    EXPECT_EQ(ok, c.ok);
    if (c.ok) {
      EXPECT_EQ(hex(out), hex(c.out));
    }
  }
}

TEST(PageText, ToUtf8) {
  std::string out;
  EXPECT_TRUE(rt::page_text_to_utf8("\xD6\xD0\x80\x94\x39\xFC\x36\xAA\xA1"sv, out));
  EXPECT_EQ(hex(out), hex("\xE4\xB8\xAD\xE2\x82\xAC\xF0\x9F\x98\x80\xEE\x80\x80"sv));
  EXPECT_TRUE(rt::page_text_to_utf8("\xFE\x50"sv, out));  // code page 936's own meaning
  EXPECT_EQ(hex(out), hex("\xEE\xA0\x95"sv));
  EXPECT_FALSE(rt::page_text_to_utf8("\x41\xD6"sv, out));  // a byte is no character
}

// Where a control's characters begin in its page text, when its bytes read otherwise: only a
// byte escape of a lead byte before what completes it makes them differ.
TEST(PageText, ShownTextMarksTheControlsCharactersWhereTheBytesReadOtherwise) {
  struct Case {
    const char* what;
    std::u16string units;
    std::string_view text;
    std::vector<unsigned char> starts;  // empty: the bytes read as shown
  };
  const Case cases[] = {
      {"no escape", u"a\u4E2D\U0001F600", "a\xD6\xD0\x94\x39\xFC\x36"sv, {}},
      {"an escape before a blank", u"\xDC81 x", "\x81 x"sv, {}},
      {"an escape of FF", u"\xDCFFx", "\xFFx"sv, {}},
      {"an escape before a trail byte", u"\xDC81x", "\x81x"sv, {1, 1, 1}},
      {"two escapes making a two-byte code", u"\xDC81\xDC82", "\x81\x82"sv, {1, 1, 1}},
      {"escapes and digits making a four-byte code", u"\xDC81" u"0\xDC81" u"0", "\x81\x30\x81\x30"sv,
       {1, 1, 1, 1, 1}},
      {"an escape before a two-byte character", u"\xDC81\u4E2D", "\x81\xD6\xD0"sv, {1, 1, 0, 1}},
      {"an emoji after the join counts two", u"\xDC81x\U0001F600", "\x81x\x94\x39\xFC\x36"sv, {1, 1, 2, 0, 0, 0, 1}},
      {"half an emoji beside an escape that joins nothing", u"\xDC81 \xD83D", "\x81 \x84\x31\xA4\x37"sv, {}},
      {"half an emoji, written as U+FFFD", u"\xDC81x\xD83D", "\x81x\x84\x31\xA4\x37"sv, {1, 1, 1, 0, 0, 0, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    rt::ShownText shown = rt::units_to_shown_text<char16_t>(c.units);
    EXPECT_EQ(hex(shown.text), hex(c.text));
    EXPECT_EQ(shown.starts, c.starts);
  }
}

}  // namespace
