// Built with -fexec-charset=CP936: every Chinese literal below is GBK bytes.
#include "runtime/chinese_conversion.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using rt::convert_chinese;
using rt::kChineseToSimplified;
using rt::kChineseToTraditional;
using rt::to_simplified;
using rt::to_traditional;

// Compared as hex so that a failure shows the bytes; a wrong GBK byte prints as noise.
std::string hex(const std::string& s) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : s) {
    out += kDigits[c >> 4];
    out += kDigits[c & 0xF];
    out += ' ';
  }
  return out;
}

TEST(ChineseFixtures, LiteralsAreGbkBytes) {
  EXPECT_EQ(std::string("誠"), "\xD5\x5C");
  EXPECT_EQ(std::string("东"), "\xB6\xAB");
  EXPECT_EQ(std::string("東"), "\x96\x7C");
  EXPECT_EQ(std::string("乗"), "\x81\x5C");
  EXPECT_EQ(std::string("衆"), "\xD0\x5C");
  EXPECT_EQ(std::string("中"), "\xD6\xD0");
  EXPECT_EQ(std::string("还"), "\xBB\xB9");
  EXPECT_EQ(std::string("一国"), "\xD2\xBB\xB9\xFA");
}

// ------------------------------------------------------------------ the tables

TEST(ChineseConversion, ConvertsEachListedCharacterBothWays) {
  struct Case {
    std::string text, simplified, traditional;
  };
  const Case cases[] = {
      {"", "", ""},
      {"漢字", "汉字", "漢字"},
      {"汉字", "汉字", "漢字"},
      {"國", "国", "國"},
      {"国", "国", "國"},
      {"中華人民共和國", "中华人民共和国", "中華人民共和國"},
      // One Simplified form for several Traditional ones: the first candidate wins going back.
      {"發髮", "发发", "發髮"},
      {"发", "发", "發"},
      {"臺颱檯", "台台台", "臺颱檯"},
      {"台", "台", "臺"},
      {"後", "后", "後"},
      {"后", "后", "後"},
      {"乾幹", "干干", "乾幹"},
      {"干", "干", "幹"},
      {"裏裡", "里里", "裏裡"},
      {"里", "里", "裏"},
      {"鐘鍾", "钟钟", "鐘鍾"},
      {"钟", "钟", "鍾"},
      // 面, 系, 只 and 才 list themselves first, so Simplified to Traditional keeps them.
      {"麵", "面", "麵"},
      {"面", "面", "面"},
      {"系只才", "系只才", "系只才"},
      // Trail bytes 0x5C '\' and 0x7C '|', and leads of the GBK extension areas.
      {"誠", "诚", "誠"},
      {"東", "东", "東"},
      {"億奬", "亿奖", "億奬"},
      // Listed in both tables, as different pairs; a conversion never chains.
      {"苧", "苎", "薴"},
      {"Hello, 世界! 漢字 C:\\文件|汉字", "Hello, 世界! 汉字 C:\\文件|汉字", "Hello, 世界! 漢字 C:\\文件|漢字"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(hex(to_simplified(c.text)), hex(c.simplified)) << c.text;
    EXPECT_EQ(hex(to_traditional(c.text)), hex(c.traditional)) << c.text;
    EXPECT_EQ(convert_chinese(c.text, kChineseToSimplified), c.simplified) << c.text;
    EXPECT_EQ(convert_chinese(c.text, kChineseToTraditional), c.traditional) << c.text;
  }
}

TEST(ChineseConversion, LeavesTextWithoutHanCharactersAlone) {
  std::string single_bytes;  // every byte that cannot start a double-byte character, NUL included
  for (int b = 0x00; b <= 0x80; ++b) single_bytes += static_cast<char>(b);
  single_bytes += '\xFF';
  const std::string texts[] = {
      single_bytes, "plain ASCII text\r\nwith a second line\t\\|~",
      "　，。！？《》【】",  // full-width punctuation
      "①②ⅠⅡαβあアАБ",        // other scripts GBK holds
  };
  for (const auto& t : texts) {
    EXPECT_EQ(hex(to_simplified(t)), hex(t));
    EXPECT_EQ(hex(to_traditional(t)), hex(t));
  }
}

TEST(ChineseConversion, OtherTypesReturnTextUnchanged) {
  const std::string text = "漢字汉字臺台\\|a\x81";
  for (int type : {0, 1, 2, 5, 6, -3, -4, INT_MIN, INT_MAX}) {
    EXPECT_EQ(hex(convert_chinese(text, type)), hex(text)) << type;
  }
}

// ------------------------------------------------------------- character steps

TEST(ChineseConversion, StepsOverDoubleByteCharactersWhole) {
  struct Case {
    int type;
    std::string text, expected;
  };
  const Case cases[] = {
      // 中 then '\': read from its trail, D0 5C would be 衆, which is listed.
      {kChineseToSimplified, "中\\", "中\\"},
      {kChineseToSimplified, "中\\國", "中\\国"},
      // 一国: BB B9 across the two characters would be 还, which is listed.
      {kChineseToTraditional, "一国", "一國"},
      // Unlisted characters with ASCII-looking trails around listed ones.
      {kChineseToSimplified, "乗\\誠|乗", "乗\\诚|乗"},
      // A lone lead byte at the end stays.
      {kChineseToSimplified, "漢\xD5", "汉\xD5"},
      {kChineseToTraditional, "国\xB9", "國\xB9"},
      {kChineseToTraditional, "\xB9", "\xB9"},
      // A stray lead byte pairs with the next byte, so the character after it is not whole.
      {kChineseToSimplified, "\x81國", "\x81國"},
      {kChineseToSimplified,
       "a\x81"
       "a國",
       "a\x81"
       "a国"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(hex(convert_chinese(c.text, c.type)), hex(c.expected)) << c.type << ' ' << hex(c.text);
  }
}

TEST(ChineseConversion, ConvertsEveryCodeInPlaceAsItWouldAlone) {
  // Every lead byte with every possible second byte, in one text.
  std::string text;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x00; trail <= 0xFF; ++trail) {
      text += static_cast<char>(lead);
      text += static_cast<char>(trail);
    }
  }
  for (int type : {kChineseToSimplified, kChineseToTraditional}) {
    const std::string out = convert_chinese(text, type);
    ASSERT_EQ(out.size(), text.size()) << type;
    for (std::size_t i = 0; i < text.size(); i += 2) {
      const std::string in_char = text.substr(i, 2);
      const std::string out_char = out.substr(i, 2);
      ASSERT_EQ(convert_chinese(in_char, type), out_char) << type << ' ' << hex(in_char);
      if (out_char == in_char) continue;
      const auto trail_in = static_cast<unsigned char>(in_char[1]);
      const auto lead_out = static_cast<unsigned char>(out_char[0]);
      const auto trail_out = static_cast<unsigned char>(out_char[1]);
      // Only real GBK characters are listed, and they map to real GBK characters.
      EXPECT_TRUE(trail_in >= 0x40 && trail_in <= 0xFE && trail_in != 0x7F) << type << ' ' << hex(in_char);
      EXPECT_TRUE(lead_out >= 0x81 && lead_out <= 0xFE) << type << ' ' << hex(in_char);
      EXPECT_TRUE(trail_out >= 0x40 && trail_out <= 0xFE && trail_out != 0x7F) << type << ' ' << hex(in_char);
    }
  }
}

// ----------------------------------------------------------------- round trips

TEST(ChineseConversion, CommonWordsRoundTrip) {
  const std::string simplified[] = {"简体中文", "计算机软件", "发展经济", "台湾", "后来", "头发", "一国两制", "历史"};
  for (const auto& s : simplified) EXPECT_EQ(to_simplified(to_traditional(s)), s) << s;
  const std::string traditional[] = {"漢字", "繁體中文", "電腦軟體", "臺灣", "後來", "誠實", "東京"};
  for (const auto& t : traditional) EXPECT_EQ(to_traditional(to_simplified(t)), t) << t;
}

TEST(ChineseConversion, TraditionalFormsSharingASimplifiedOneComeBackAsTheFirst) {
  struct Case {
    std::string traditional, simplified, back;
  };
  const Case cases[] = {
      {"頭髮", "头发", "頭發"}, {"颱風", "台风", "臺風"}, {"時鐘", "时钟", "時鍾"},
      {"乾淨", "干净", "幹淨"}, {"麵條", "面条", "面條"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(to_simplified(c.traditional), c.simplified) << c.traditional;
    EXPECT_EQ(to_traditional(c.simplified), c.back) << c.simplified;
  }
}

}  // namespace
