// Runs natively against glibc's iconv and under Wine against the code-page layer: both must
// give these bytes. Every non-ASCII byte is written as a hex escape (literals become GBK).
#include "runtime/encoding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "hex_bytes.h"
#include "runtime/gb18030_tables.h"

namespace {

using namespace std::string_view_literals;

struct ConversionCase {
  const char* what;
  std::string_view in;
  const char* from;
  const char* to;
  std::optional<std::string_view> out;  // nullopt: the conversion fails
};

constexpr auto kFails = std::nullopt;

void check_conversions(const ConversionCase* begin, const ConversionCase* end) {
  for (const ConversionCase* c = begin; c != end; ++c) {
    SCOPED_TRACE(std::string(c->what) + ": " + hex(c->in) + " " + c->from + " -> " + c->to);
    bool ok = !c->out;  // the opposite of what is expected, so that a missed write shows
    std::string got = rt::convert_encoding(c->in, c->from, c->to, &ok);
    if (c->out) {
      EXPECT_TRUE(ok);
      EXPECT_EQ(hex(got), hex(*c->out));
    } else {
      EXPECT_FALSE(ok);
      EXPECT_EQ(hex(got), hex(""));
    }
  }
}

template <std::size_t N>
void check_conversions(const ConversionCase (&cases)[N]) {
  check_conversions(cases, cases + N);
}

// ------------------------------------------------------------------- byte-order marks

TEST(ConvertEncoding, ByteOrderMarks) {
  const ConversionCase cases[] = {
      {"UTF-16 consumes a little-endian mark", "\xFF\xFE\x41\x00"sv, "UTF-16", "UTF-8", "\x41"sv},
      {"UTF-16 consumes a big-endian mark", "\xFE\xFF\x00\x41"sv, "UTF-16", "UTF-8", "\x41"sv},
      {"UTF-16 without a mark is big-endian", "\x4E\x2D\x00\x41"sv, "UTF-16", "UTF-8", "\xE4\xB8\xAD\x41"sv},
      {"UTF-16 that is a mark alone", "\xFF\xFE"sv, "UTF-16", "GBK", ""sv},
      {"only the first mark is consumed", "\xFF\xFE\xFF\xFE\x41\x00"sv, "UTF-16", "UTF-8", "\xEF\xBB\xBF\x41"sv},
      {"UTF-16BE delivers the mark", "\xFE\xFF\x00\x41"sv, "UTF-16BE", "UTF-8", "\xEF\xBB\xBF\x41"sv},
      {"UTF-16LE delivers the mark", "\xFF\xFE\x41\x00"sv, "UTF-16LE", "UTF-8", "\xEF\xBB\xBF\x41"sv},
      {"UTF-8 delivers the mark", "\xEF\xBB\xBF\x41"sv, "UTF-8", "UTF-16BE", "\xFE\xFF\x00\x41"sv},
      {"GBK cannot write U+FEFF", "\xEF\xBB\xBF\x41"sv, "UTF-8", "GBK", kFails},
      {"GB2312 cannot write U+FEFF", "\xFE\xFF\x00\x41"sv, "UTF-16BE", "GB2312", kFails},
      {"GB18030 writes U+FEFF in four bytes", "\xEF\xBB\xBF\x41"sv, "UTF-8", "GB18030", "\x84\x31\x95\x33\x41"sv},
      {"GB18030 reads it back", "\x84\x31\x95\x33"sv, "GB18030", "UTF-16LE", "\xFF\xFE"sv},
      // As a target "UTF-16" is libiconv's: a mark, then big-endian, whatever the source was.
      {"UTF-16 writes a mark and big-endian", "\x41\xD6\xD0"sv, "GBK", "UTF-16", "\xFE\xFF\x00\x41\x4E\x2D"sv},
      {"UTF-16 to UTF-16 turns to big-endian", "\xFF\xFE\x41\x00"sv, "UTF-16", "UTF-16", "\xFE\xFF\x00\x41"sv},
      {"UTF-16LE writes no mark", "\x41\xD6\xD0"sv, "GBK", "UTF-16LE", "\x41\x00\x2D\x4E"sv},
      {"UTF-16BE writes no mark", "\x41\xD6\xD0"sv, "GBK", "UTF-16BE", "\x00\x41\x4E\x2D"sv},
      {"UTF-8 writes no mark", "\x00\x41"sv, "UTF-16BE", "UTF-8", "\x41"sv},
  };
  check_conversions(cases);
}

// --------------------------------------------------------------- the GB family

TEST(ConvertEncoding, DoubleByteCharacters) {
  const ConversionCase cases[] = {
      // 中文
      {"into GBK", "\xE4\xB8\xAD\xE6\x96\x87"sv, "UTF-8", "GBK", "\xD6\xD0\xCE\xC4"sv},
      {"into GB18030", "\xE4\xB8\xAD\xE6\x96\x87"sv, "UTF-8", "GB18030", "\xD6\xD0\xCE\xC4"sv},
      {"into GB2312", "\xE4\xB8\xAD\xE6\x96\x87"sv, "UTF-8", "GB2312", "\xD6\xD0\xCE\xC4"sv},
      {"from GBK", "\xD6\xD0\x41\xCE\xC4"sv, "GBK", "UTF-8", "\xE4\xB8\xAD\x41\xE6\x96\x87"sv},
      {"from GB18030", "\xD6\xD0\xCE\xC4"sv, "GB18030", "UTF-16BE", "\x4E\x2D\x65\x87"sv},
      {"from GB2312", "\xD6\xD0\xCE\xC4"sv, "GB2312", "UTF-16LE", "\x2D\x4E\x87\x65"sv},
      {"a trail byte that looks like '\\'", "\x81\x5C"sv, "GBK", "UTF-8", "\xE4\xB9\x97"sv},
      // 丂 U+4E02 is GBK's 81 40, outside GB2312's A1..FE square.
      {"GBK-only character into GBK", "\xE4\xB8\x82"sv, "UTF-8", "GBK", "\x81\x40"sv},
      {"GBK-only character into GB2312", "\xE4\xB8\x82"sv, "UTF-8", "GB2312", kFails},
      {"GBK-only code read as GB2312", "\x81\x40"sv, "GB2312", "UTF-8", kFails},
      {"GBK-only code from GBK into GB2312", "\x41\x81\x40"sv, "GBK", "GB2312", kFails},
      {"GB2312 code from GBK into GB2312", "\x41\xB0\xA1"sv, "GBK", "GB2312", "\x41\xB0\xA1"sv},
      // GB2312 is GBK restricted, in both builds: A1 A4 is U+00B7 (EUC-CN tables say U+30FB),
      // and U+2015 is GBK's A8 44, so GB2312 cannot write it (EUC-CN would give A1 AA).
      {"A1 A4 in GB2312", "\xA1\xA4"sv, "GB2312", "UTF-16BE", "\x00\xB7"sv},
      {"U+30FB has no GB2312 code", "\xE3\x83\xBB"sv, "UTF-8", "GB2312", kFails},
      {"U+2015 into GBK", "\xE2\x80\x95"sv, "UTF-8", "GBK", "\xA8\x44"sv},
      {"U+2015 into GB2312", "\xE2\x80\x95"sv, "UTF-8", "GB2312", kFails},
      // Private-use cells: none in GBK (code page 936 would have them), all in GB18030.
      {"user-defined code in GBK", "\xAA\xA1"sv, "GBK", "UTF-8", kFails},
      {"user-defined code in GB18030", "\xAA\xA1"sv, "GB18030", "UTF-8", "\xEE\x80\x80"sv},
      {"private-use character into GBK", "\xEE\x80\x80"sv, "UTF-8", "GBK", kFails},
      {"private-use character into GB18030", "\xEE\x80\x80"sv, "UTF-8", "GB18030", "\xAA\xA1"sv},
      {"user-defined code in GB2312", "\xAA\xA1"sv, "GB2312", "UTF-8", kFails},
      {"no best fit: U+00B5 is not GBK's A6 CC", "\xC2\xB5"sv, "UTF-8", "GBK", kFails},
  };
  check_conversions(cases);
}

TEST(ConvertEncoding, EuroSignAndByte80) {
  // GBK keeps code page 936's single byte 80 for the euro sign; GB18030 has it at A2 E3.
  const ConversionCase cases[] = {
      {"into GBK", "\xE2\x82\xAC"sv, "UTF-8", "GBK", "\x80"sv},
      {"from GBK", "\x41\x80\x42"sv, "GBK", "UTF-8", "\x41\xE2\x82\xAC\x42"sv},
      {"into GB18030", "\xE2\x82\xAC"sv, "UTF-8", "GB18030", "\xA2\xE3"sv},
      {"from GB18030", "\xA2\xE3"sv, "GB18030", "UTF-8", "\xE2\x82\xAC"sv},
      {"GBK has no A2 E3", "\xA2\xE3"sv, "GBK", "UTF-8", kFails},
      {"GB18030 has no single 80", "\x80"sv, "GB18030", "UTF-8", kFails},
      {"into GB2312", "\xE2\x82\xAC"sv, "UTF-8", "GB2312", kFails},
      {"GB2312 has no single 80", "\x80"sv, "GB2312", "UTF-8", kFails},
      {"GBK to GB18030", "\x80"sv, "GBK", "GB18030", "\xA2\xE3"sv},
  };
  check_conversions(cases);
}

TEST(ConvertEncoding, FourByteForms) {
  const ConversionCase cases[] = {
      {"U+0080, the first", "\xC2\x80"sv, "UTF-8", "GB18030", "\x81\x30\x81\x30"sv},
      {"U+00B5", "\xC2\xB5"sv, "UTF-8", "GB18030", "\x81\x30\x85\x38"sv},
      {"U+00B5 read back", "\x81\x30\x85\x38"sv, "GB18030", "UTF-8", "\xC2\xB5"sv},
      {"U+3400, CJK extension A", "\xE3\x90\x80"sv, "UTF-8", "GB18030", "\x81\x39\xEE\x39"sv},
      {"U+3400 has no GBK code", "\xE3\x90\x80"sv, "UTF-8", "GBK", kFails},
      {"U+FFFF, the last below U+10000", "\xEF\xBF\xBF"sv, "UTF-8", "GB18030", "\x84\x31\xA4\x39"sv},
      {"nothing after 84 31 A4 39", "\x84\x31\xA5\x30"sv, "GB18030", "UTF-8", kFails},
      {"U+10000", "\xF0\x90\x80\x80"sv, "UTF-8", "GB18030", "\x90\x30\x81\x30"sv},
      {"U+1F600", "\xF0\x9F\x98\x80"sv, "UTF-8", "GB18030", "\x94\x39\xFC\x36"sv},
      {"U+1F600 read back", "\x94\x39\xFC\x36"sv, "GB18030", "UTF-16BE", "\xD8\x3D\xDE\x00"sv},
      {"U+1F600 from UTF-16LE", "\x3D\xD8\x00\xDE"sv, "UTF-16LE", "GB18030", "\x94\x39\xFC\x36"sv},
      {"U+1F600 has no GBK code", "\xF0\x9F\x98\x80"sv, "UTF-8", "GBK", kFails},
      {"U+10FFFF, the last", "\xF4\x8F\xBF\xBF"sv, "UTF-8", "GB18030", "\xE3\x32\x9A\x35"sv},
      {"nothing after E3 32 9A 35", "\xE3\x32\x9A\x36"sv, "GB18030", "UTF-8", kFails},
      {"between the BMP and U+10000", "\x85\x30\x81\x30"sv, "GB18030", "UTF-8", kFails},
      {"mixed with ASCII and two-byte codes", "\x41\x81\x30\x85\x38\xD6\xD0\x94\x39\xFC\x36\x42"sv, "GB18030", "UTF-8",
       "\x41\xC2\xB5\xE4\xB8\xAD\xF0\x9F\x98\x80\x42"sv},
      {"four-byte codes are not GBK", "\x81\x30\x85\x38"sv, "GBK", "UTF-8", kFails},
      // Tag characters (U+E0041 here), which glibc passes over in a target that lacks them.
      {"a tag character has no GBK code", "\x50\xF3\xA0\x81\x81\x51"sv, "UTF-8", "GBK", kFails},
      {"nor from UTF-16LE", "\x50\x00\x40\xDB\x41\xDC"sv, "UTF-16LE", "GBK", kFails},
      {"nor from GB18030", "\x50\xD3\x36\x9C\x33"sv, "GB18030", "GBK", kFails},
      {"nor into GB2312", "\x00\x50\xDB\x40\xDC\x41"sv, "UTF-16BE", "GB2312", kFails},
      {"GB18030 writes it", "\x50\xF3\xA0\x81\x81\x51"sv, "UTF-8", "GB18030", "\x50\xD3\x36\x9C\x33\x51"sv},
  };
  check_conversions(cases);
}

// ----------------------------------------------------------- what cannot be converted

TEST(ConvertEncoding, InvalidAndIncompleteInput) {
  const ConversionCase cases[] = {
      {"odd-length UTF-16LE", "\x41\x00\x42"sv, "UTF-16LE", "UTF-8", kFails},
      {"odd-length UTF-16BE", "\x00\x41\x00"sv, "UTF-16BE", "GBK", kFails},
      {"odd-length UTF-16 after its mark", "\xFF\xFE\x41"sv, "UTF-16", "GBK", kFails},
      {"a high surrogate at the end", "\x41\x00\x3D\xD8"sv, "UTF-16LE", "UTF-8", kFails},
      {"a high surrogate before a letter", "\xD8\x3D\x00\x41"sv, "UTF-16BE", "GB18030", kFails},
      {"a lone low surrogate", "\xDE\x00\x00\x41"sv, "UTF-16BE", "UTF-8", kFails},
      {"a lone UTF-8 lead byte", "\x41\xC3"sv, "UTF-8", "GBK", kFails},
      {"a UTF-8 sequence cut short", "\xF0\x9F\x98"sv, "UTF-8", "GB18030", kFails},
      {"a lone continuation byte", "\x80"sv, "UTF-8", "UTF-16LE", kFails},
      {"an overlong form", "\xC0\x80"sv, "UTF-8", "UTF-16LE", kFails},
      {"an encoded surrogate", "\xED\xA0\x80"sv, "UTF-8", "GB18030", kFails},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80"sv, "UTF-8", "GB18030", kFails},
      {"byte FF in UTF-8", "\x41\xFF"sv, "UTF-8", "UTF-16BE", kFails},
      {"a lone GBK lead byte", "\x41\xB0"sv, "GBK", "UTF-8", kFails},
      {"a GBK lead before a space", "\x81\x20"sv, "GBK", "UTF-8", kFails},
      {"a GBK lead before 7F", "\x81\x7F"sv, "GBK", "UTF-8", kFails},
      {"a GBK lead before FF", "\x81\xFF"sv, "GBK", "UTF-8", kFails},
      {"byte FF in GBK", "\xFF"sv, "GBK", "UTF-8", kFails},
      {"a lone GB18030 lead byte", "\xD6"sv, "GB18030", "UTF-8", kFails},
      {"a four-byte code cut after two", "\x81\x30"sv, "GB18030", "UTF-8", kFails},
      {"a four-byte code cut after three", "\x81\x30\x81"sv, "GB18030", "UTF-8", kFails},
      {"a bad third byte", "\x81\x30\x20\x30"sv, "GB18030", "UTF-8", kFails},
      {"a bad fourth byte", "\x81\x30\x81\x41"sv, "GB18030", "UTF-8", kFails},
      {"a lone GB2312 lead byte", "\xB0"sv, "GB2312", "UTF-8", kFails},
      {"a GB2312 lead before ASCII", "\xB0\x41"sv, "GB2312", "UTF-8", kFails},
      {"an unknown source name", "\x41"sv, "LATIN1", "UTF-8", kFails},
      {"an unknown target name", "\x41"sv, "UTF-8", "UCS-2", kFails},
  };
  check_conversions(cases);
}

TEST(ConvertEncoding, EmptyInputAndPlainBytes) {
  const ConversionCase cases[] = {
      {"empty", ""sv, "UTF-8", "GBK", ""sv},
      {"empty into UTF-16 has no mark", ""sv, "GBK", "UTF-16", ""sv},
      {"empty from UTF-16", ""sv, "UTF-16", "GB18030", ""sv},
      {"empty from GB2312", ""sv, "GB2312", "UTF-16LE", ""sv},
      {"empty with an unknown name", ""sv, "UTF-8", "UCS-2", kFails},
      {"zero bytes are characters", "\x41\x00\x42"sv, "GBK", "UTF-16LE", "\x41\x00\x00\x00\x42\x00"sv},
      {"zero units are characters", "\x00\x00\xD6\xD0"sv, "GBK", "UTF-16BE", "\x00\x00\x00\x00\x4E\x2D"sv},
      {"names in any case", "\xE4\xB8\xAD"sv, "utf-8", "gbk", "\xD6\xD0"sv},
      {"same encoding still validates", "\xD6"sv, "GBK", "GBK", kFails},
      {"same encoding", "\xD6\xD0\x41"sv, "GB18030", "GB18030", "\xD6\xD0\x41"sv},
  };
  check_conversions(cases);
}

TEST(ConvertEncoding, LongInputKeepsEveryByte) {
  // Outputs several times longer than their inputs: nothing may be lost as the buffer grows.
  std::string euros, utf8, gb18030, utf16;
  for (int i = 0; i < 100000; ++i) {
    euros += "\x80\x41";
    utf8 += "\xE2\x82\xAC\x41";
    gb18030 += "\x81\x30\x85\x38";
    utf16 += "\x00\xB5"sv;
  }
  bool ok = false;
  EXPECT_EQ(rt::convert_encoding(euros, "GBK", "UTF-8", &ok), utf8);
  EXPECT_TRUE(ok);
  EXPECT_EQ(rt::convert_encoding(utf8, "UTF-8", "GBK", &ok), euros);
  EXPECT_TRUE(ok);
  EXPECT_EQ(rt::convert_encoding(utf16, "UTF-16BE", "GB18030", &ok), gb18030);
  EXPECT_TRUE(ok);
  EXPECT_EQ(rt::convert_encoding(gb18030, "GB18030", "UTF-16", &ok), "\xFE\xFF" + utf16);
  EXPECT_TRUE(ok);
  // An invalid byte at the very end still fails the whole.
  EXPECT_EQ(rt::convert_encoding(euros + "\xFF", "GBK", "UTF-8", &ok), "");
  EXPECT_FALSE(ok);
}

// ---------------------------------------------------- sweeps over every two-byte code

std::string two_byte(unsigned lead, unsigned trail) { return {static_cast<char>(lead), static_cast<char>(trail)}; }

TEST(ConvertEncoding, GbkTwoByteCodesAreGb18030sAndRoundTrip) {
  std::uint64_t digest = kDigestStart;
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      std::string code = two_byte(lead, trail);
      SCOPED_TRACE(hex(code));
      bool gbk_ok = false, gb18030_ok = false;
      std::string gbk = rt::convert_encoding(code, "GBK", "UTF-16BE", &gbk_ok);
      std::string gb18030 = rt::convert_encoding(code, "GB18030", "UTF-16BE", &gb18030_ok);
      ASSERT_TRUE(gb18030_ok);  // every two-byte code is a GB18030 character
      if (gbk_ok) {
        ASSERT_EQ(hex(gbk), hex(gb18030));
        ASSERT_EQ(hex(rt::convert_encoding(gbk, "UTF-16BE", "GBK")), hex(code));
      }
      bool gb2312_ok = false;
      std::string gb2312 = rt::convert_encoding(code, "GB2312", "UTF-16BE", &gb2312_ok);
      if (lead >= 0xA1 && trail >= 0xA1) {
        ASSERT_EQ(gb2312_ok, gbk_ok);
        ASSERT_EQ(hex(gb2312), hex(gbk));
      } else {
        ASSERT_FALSE(gb2312_ok);
      }
      mix(digest, gbk_ok ? "+" : "-");
      mix(digest, gb18030);
    }
  }
  // Taken from glibc: the Windows build (code page 936 and the tables) must decode every
  // two-byte code exactly so, in GBK and in GB18030.
  EXPECT_EQ(digest, 0x3D3302C9CDBCF1D2u);
}

// The tables the Windows build converts GB18030 with were taken from glibc: natively this
// checks them against the glibc at hand, under Wine the code that uses them.

std::string two_byte_at(std::uint32_t index) {
  std::uint32_t trail = 0x40 + index % 190;
  return two_byte(0x81 + index / 190, trail >= 0x7F ? trail + 1 : trail);
}

std::string four_byte_at(std::uint32_t linear) {
  std::string out(4, '\0');
  out[3] = static_cast<char>(0x30 + linear % 10);
  linear /= 10;
  out[2] = static_cast<char>(0x81 + linear % 126);
  linear /= 126;
  out[1] = static_cast<char>(0x30 + linear % 10);
  out[0] = static_cast<char>(0x81 + linear / 10);
  return out;
}

std::string utf16be(std::uint32_t c) {
  auto unit = [](std::uint32_t u) { return std::string{static_cast<char>(u >> 8), static_cast<char>(u & 0xFF)}; };
  if (c <= 0xFFFF) return unit(c);
  c -= 0x10000;
  return unit(0xD800 + (c >> 10)) + unit(0xDC00 + (c & 0x3FF));
}

TEST(ConvertEncoding, EveryCharacterBelowFFFFIsWrittenAlikeOrRefusedAlike) {
  // Whatever a target writes for a character it writes in both builds, and what it cannot write
  // (no best fit, no private-use cell in GBK) fails in both.
  std::uint64_t digest = kDigestStart;
  for (std::uint32_t c = 0; c <= 0xFFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    std::string unit = utf16be(c);
    for (const char* target : {"GBK", "GB18030", "GB2312", "UTF-8"}) {
      bool ok = false;
      std::string out = rt::convert_encoding(unit, "UTF-16BE", target, &ok);
      mix(digest, ok ? out : "-");
      if (ok && out.size() > 0) {
        bool back_ok = false;
        std::string back = rt::convert_encoding(out, target, "UTF-16BE", &back_ok);
        if (!back_ok || back != unit) FAIL() << target << " writes " << hex(out) << " for " << hex(unit);
      }
    }
  }
  EXPECT_EQ(digest, 0x55448D3E946C38D8u);
}

TEST(ConvertEncoding, Gb18030TablesHoldAtBothEndsOfEveryRun) {
  using namespace rt::gb18030;
  for (const Gb18030Run& r : kGb18030TwoByteDecode) {
    for (std::uint32_t k : {0u, r.count - 1}) {
      std::string code = two_byte_at(r.first + k);
      EXPECT_EQ(hex(rt::convert_encoding(code, "GB18030", "UTF-16BE")), hex(utf16be(r.second + k))) << hex(code);
      EXPECT_EQ(rt::convert_encoding(code, "GBK", "UTF-16BE"), "") << hex(code);
    }
  }
  for (const Gb18030Run& r : kGb18030FourByteDecode) {
    for (std::uint32_t k : {0u, r.count - 1}) {
      std::string code = four_byte_at(r.first + k);
      EXPECT_EQ(hex(rt::convert_encoding(code, "GB18030", "UTF-16BE")), hex(utf16be(r.second + k))) << hex(code);
    }
  }
  for (const Gb18030Run& r : kGb18030TwoByteEncode) {
    for (std::uint32_t k : {0u, r.count - 1}) {
      std::string c = utf16be(r.first + k);
      EXPECT_EQ(hex(rt::convert_encoding(c, "UTF-16BE", "GB18030")), hex(two_byte_at(r.second + k))) << hex(c);
    }
  }
  for (const Gb18030Run& r : kGb18030FourByteEncode) {
    for (std::uint32_t k : {0u, r.count - 1}) {
      std::string c = utf16be(r.first + k);
      EXPECT_EQ(hex(rt::convert_encoding(c, "UTF-16BE", "GB18030")), hex(four_byte_at(r.second + k))) << hex(c);
      EXPECT_EQ(rt::convert_encoding(c, "UTF-16BE", "GBK"), "") << hex(c);
    }
  }
}

// ----------------------------------------------------------------- page text

struct TextCase {
  const char* what;
  std::string_view in;
  std::string_view out;
};

TEST(DecodeFileBytes, MarksChooseTheDecodingAndGo) {
  const TextCase cases[] = {
      {"empty file", ""sv, ""sv},
      {"one byte", "\x41"sv, "\x41"sv},
      {"one byte FF", "\xFF"sv, "\xFF"sv},
      {"UTF-16LE", "\xFF\xFE\x2D\x4E\x41\x00"sv, "\xD6\xD0\x41"sv},
      {"UTF-16BE", "\xFE\xFF\x4E\x2D\x00\x41"sv, "\xD6\xD0\x41"sv},
      {"UTF-8", "\xEF\xBB\xBF\xE4\xB8\xAD\x41"sv, "\xD6\xD0\x41"sv},
      // Each character in its one form, GBK's where GBK has it, whatever else the file holds:
      // the euro sign is code page 936's single byte 80 (GB18030's A2 E3 is another character
      // there), the others GB18030's four-byte codes.
      {"UTF-8 with the euro sign", "\xEF\xBB\xBF\xE2\x82\xAC"sv, "\x80"sv},
      {"UTF-16LE with the euro sign", "\xFF\xFE\xAC\x20"sv, "\x80"sv},
      {"UTF-8 with the euro sign, CJK extension B, an emoji and a tag character",
       "\xEF\xBB\xBF\xE2\x82\xAC\xF0\xA0\x80\x80\xF0\x9F\x98\x80\xF3\xA0\x81\x81\xE4\xB8\xAD"sv,
       "\x80\x95\x32\x82\x36\x94\x39\xFC\x36\xD3\x36\x9C\x33\xD6\xD0"sv},
      {"UTF-16LE, a user-defined cell and the radical GB18030 writes FE 50", "\xFF\xFE\x15\xE8\x81\x2E"sv,
       "\xFE\x50\x83\x36\xC9\x34"sv},
      {"UTF-8 starting EF BB without BF: U+FEC0 stays", "\xEF\xBB\x80\x41"sv, "\x84\x31\x8F\x30\x41"sv},
      {"UTF-16LE, first character only in GB18030", "\xFF\xFE\xB5\x00\x2D\x4E"sv, "\x81\x30\x85\x38\xD6\xD0"sv},
      {"UTF-16BE, a character above U+FFFF", "\xFE\xFF\xD8\x3D\xDE\x00\x00\x41"sv, "\x94\x39\xFC\x36\x41"sv},
      {"UTF-8, CJK extension A", "\xEF\xBB\xBF\xE3\x90\x80"sv, "\x81\x39\xEE\x39"sv},
      {"UTF-16LE mark alone", "\xFF\xFE"sv, ""sv},
      {"UTF-16BE mark alone", "\xFE\xFF"sv, ""sv},
      {"UTF-8 mark alone", "\xEF\xBB\xBF"sv, ""sv},
      // UTF-16 consumed its mark, so a second one is text; it is GB18030's 84 31 95 33.
      {"UTF-16LE with two marks", "\xFF\xFE\xFF\xFE\x41\x00"sv, "\x84\x31\x95\x33\x41"sv},
      {"UTF-8 with two marks", "\xEF\xBB\xBF\xEF\xBB\xBF\x41"sv, "\x84\x31\x95\x33\x41"sv},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(hex(rt::decode_file_bytes(c.in)), hex(c.out)) << c.what << ": " << hex(c.in);
  }
}

TEST(DecodeFileBytes, OtherAndUndecodableFilesStayAsTheyAre) {
  const TextCase cases[] = {
      {"GBK text", "\xD6\xD0\xCE\xC4"sv, "\xD6\xD0\xCE\xC4"sv},
      {"UTF-8 without a mark", "\xE4\xB8\xAD\x41"sv, "\xE4\xB8\xAD\x41"sv},
      {"GBK starting EF BB, then not UTF-8", "\xEF\xBB\xC4\xE3"sv, "\xEF\xBB\xC4\xE3"sv},
      {"EF BB alone", "\xEF\xBB"sv, "\xEF\xBB"sv},
      {"odd-length UTF-16LE", "\xFF\xFE\x41"sv, "\xFF\xFE\x41"sv},
      {"UTF-16LE with a lone surrogate", "\xFF\xFE\x3D\xD8"sv, "\xFF\xFE\x3D\xD8"sv},
      {"odd-length UTF-16BE, raw up to its zero", "\xFE\xFF\x00"sv, "\xFE\xFF"sv},
      {"FE alone", "\xFE"sv, "\xFE"sv},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(hex(rt::decode_file_bytes(c.in)), hex(c.out)) << c.what << ": " << hex(c.in);
  }
}

TEST(DecodeFileBytes, ZeroByteEndsTheText) {
  const TextCase cases[] = {
      {"raw text", "\x41\x42\x00\x43"sv, "\x41\x42"sv},
      {"raw text starting with zero", "\x00\x41"sv, ""sv},
      {"UTF-8", "\xEF\xBB\xBF\x41\x00\x42"sv, "\x41"sv},
      {"UTF-16LE", "\xFF\xFE\x41\x00\x00\x00\x42\x00"sv, "\x41"sv},
      {"UTF-16BE", "\xFE\xFF\x4E\x2D\x00\x00\x00\x41"sv, "\xD6\xD0"sv},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(hex(rt::decode_file_bytes(c.in)), hex(c.out)) << c.what << ": " << hex(c.in);
  }
}

// A private-use character that GB18030 writes no more (U+E817, U+E81E, U+E826 and the others
// its 2022 edition gave real characters) made all three conversions fail, so a valid UTF-16
// file opened as its raw bytes, cut at their first zero byte ("A" of "A\uE817B" is FF FE 41),
// and a reply as nothing.
TEST(DecodeFileBytes, APrivateUseCharacterGb18030GaveUpKeepsTheTextAroundIt) {
  const std::string_view utf16 = "\xFF\xFE\x41\x00\x17\xE8\x42\x00"sv;
  std::string page = rt::decode_file_bytes(utf16);
  EXPECT_NE(hex(page), hex("\xFF\xFE\x41"sv));
  EXPECT_TRUE(page.starts_with("A") && page.ends_with("B")) << hex(page);
  std::string reply = rt::utf8_to_gbk_text("\x41\xEE\xA0\x97\x42"sv);
  EXPECT_TRUE(reply.starts_with("A") && reply.ends_with("B")) << hex(reply);
}

TEST(DecodeFile, TellsWhenTheFileWentOnAfterAZero) {
  struct Case {
    const char* what;
    std::string_view in;
    bool cut;
  };
  const Case cases[] = {
      {"raw text", "\x41\x00\x42"sv, true},
      {"a zero at the very end", "\x41\x00"sv, true},
      {"no zero", "\x41\x42"sv, false},
      {"UTF-16LE", "\xFF\xFE\x41\x00\x00\x00"sv, true},
      {"UTF-16LE, its zero bytes within characters", "\xFF\xFE\x41\x00\x42\x00"sv, false},
      {"undecodable, raw up to its zero", "\xFE\xFF\x00"sv, true},
      {"empty", ""sv, false},
  };
  for (const Case& c : cases) EXPECT_EQ(rt::decode_file(c.in).cut, c.cut) << c.what;
}

// Taking the bytes read gives the same page as decoding or taking a copy of them.
TEST(DecodeFile, TakingTheBytesGivesTheSamePage) {
  const std::string_view inputs[] = {
      "\x41\x00\x42"sv, "\xC4\xE3\xBA\xC3\r\n"sv, "\xFF\xFE\x41\x00\x00\x00\x42\x00"sv, "\xFE\xFF\x00"sv,
      "\xEF\xBB\xBF\xE4\xBD\xA0"sv, "\xEF\xBB\x80"sv, "\xFF\xFE\x41"sv, ""sv,
  };
  for (std::string_view in : inputs)
    for (bool decode : {true, false}) {
      rt::DecodedFile want = decode ? rt::decode_file(in) : rt::raw_file_text(in);
      rt::DecodedFile got = rt::take_file_text(std::string(in), decode);
      EXPECT_EQ(got.text, want.text) << testing::PrintToString(std::string(in)) << decode;
      EXPECT_EQ(got.cut, want.cut) << testing::PrintToString(std::string(in)) << decode;
    }
}

TEST(Utf8ToGbkText, GivesEveryCharacterItsPageForm) {
  const TextCase cases[] = {
      {"empty", ""sv, ""sv},
      {"GBK character", "\xE4\xB8\xAD\x41"sv, "\xD6\xD0\x41"sv},
      {"euro sign in GBK", "\xE2\x82\xAC"sv, "\x80"sv},
      {"GB18030-only character", "\x41\xC2\xB5"sv, "\x41\x81\x30\x85\x38"sv},
      {"a mark stays a character", "\xEF\xBB\xBF\x41"sv, "\x84\x31\x95\x33\x41"sv},
      // A zero is data here: the text goes on after it.
      {"a zero byte is a character", "\x41\x00\xE4\xB8\xAD"sv, "\x41\x00\xD6\xD0"sv},
      {"the euro sign beside a character outside GBK", "\xE2\x82\xAC\xF0\x9F\x98\x80"sv, "\x80\x94\x39\xFC\x36"sv},
      {"a user-defined cell", "\xEE\x80\x80"sv, "\xAA\xA1"sv},
      {"invalid UTF-8", "\x41\xC3"sv, ""sv},
      {"GBK bytes are not UTF-8", "\xD6\xD0"sv, ""sv},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(hex(rt::utf8_to_gbk_text(c.in)), hex(c.out)) << c.what << ": " << hex(c.in);
  }
}

}  // namespace
