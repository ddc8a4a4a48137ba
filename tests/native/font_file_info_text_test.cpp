// The texts of the file information window (sizes, dates shown and read back) and the choices
// of the font window.
#include <gtest/gtest.h>

#include "documents/file_info_text.h"
#include "texttools/font_choices.h"

namespace {

rt::DateTime date(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) { return {y, mo, d, h, mi, s}; }

TEST(FileSizeText, KilobytesRoundedHalfUpToThreeDecimals) {
  struct Case {
    long long bytes;
    const char* text;
  };
  const Case cases[] = {
      {1536, "1.5KB (1536字节)"},
      {0, "0KB (0字节)"},
      {1024, "1KB (1024字节)"},
      {1, "0.001KB (1字节)"},                 // 0.0009765625 rounds up
      {100, "0.098KB (100字节)"},             // 0.09765625
      {1023, "0.999KB (1023字节)"},           // 0.9990234375
      {1049, "1.024KB (1049字节)"},           // 1.0244140625
      {1048063, "1023.499KB (1048063字节)"},  // 1023.4990234375
      {1048575, "1023.999KB (1048575字节)"},  // 1023.9990234375
      {5000000000LL, "4882812.5KB (5000000000字节)"},
      {-1, "-0.001KB (-1字节)"},  // a file that cannot be found
  };
  for (const Case& c : cases) EXPECT_EQ(file_size_text(c.bytes), c.text) << c.bytes;
}

TEST(FileSizeText, ExactHalvesRoundUp) {
  EXPECT_EQ(file_size_text(64), "0.063KB (64字节)");      // 0.0625
  EXPECT_EQ(file_size_text(192), "0.188KB (192字节)");    // 0.1875
  EXPECT_EQ(file_size_text(1088), "1.063KB (1088字节)");  // 1.0625
  EXPECT_EQ(file_size_text(-64), "-0.062KB (-64字节)");   // -0.0625 rounds up too
}

// Every size is rounded exactly, however far it lies from zero on either side.
TEST(FileSizeText, LargeSizesOfEitherSignRoundExactly) {
  struct Case {
    long long bytes;
    const char* text;
  };
  const Case cases[] = {
      {9007199254740993LL, "8796093022208.001KB"},     // 8796093022208.0009765625
      {-9007199254740993LL, "-8796093022208.001KB"},   // -8796093022208.0009765625
      {-9007199254740992LL - 512, "-8796093022208.5KB"},
      {-1536, "-1.5KB"},
      {-9223372036854775807LL - 1, "-9007199254740992KB"},
      {9223372036854775807LL, "9007199254740991.999KB"},  // 9007199254740991.999023...
  };
  for (const Case& c : cases) EXPECT_EQ(size_kb_text(c.bytes), c.text) << c.bytes;
}

TEST(DateToText, TheTimeAsFarAsItIsNotZero) {
  struct Case {
    rt::DateTime d;
    const char* text;
  };
  const Case cases[] = {
      {date(2024, 3, 5, 14, 7, 9), "2024年3月5日14时7分9秒"},
      {date(2024, 3, 5, 14, 7, 0), "2024年3月5日14时7分"},
      {date(2024, 3, 5, 14, 0, 0), "2024年3月5日14时"},
      {date(2024, 3, 5, 0, 0, 0), "2024年3月5日"},
      {date(2024, 3, 5, 0, 0, 9), "2024年3月5日0时0分9秒"},
      {date(2024, 3, 5, 0, 7, 0), "2024年3月5日0时7分"},
      {kZeroDate, "1899年12月30日"},
  };
  for (const Case& c : cases) EXPECT_EQ(date_to_text(c.d), c.text);
}

TEST(TextToDate, ReadsWhatTheWindowShowsAndCommonForms) {
  struct Case {
    const char* text;
    rt::DateTime d;
    int day_of_week;
  };
  const Case cases[] = {
      {"2024年3月5日14时7分9秒", date(2024, 3, 5, 14, 7, 9), 2},
      {"2024年3月5日14时7分", date(2024, 3, 5, 14, 7), 2},
      {"2024年3月5日14时", date(2024, 3, 5, 14), 2},
      {"2024年3月5日", date(2024, 3, 5), 2},
      {"2024年3月5", date(2024, 3, 5), 2},
      {"2024-03-05 14:07:09", date(2024, 3, 5, 14, 7, 9), 2},
      {"2024/3/5 14:07", date(2024, 3, 5, 14, 7), 2},
      {"2024.3.5", date(2024, 3, 5), 2},
      {"  2000年2月29日 23时59分59秒  ", date(2000, 2, 29, 23, 59, 59), 2},
      {"２０２０年１月１日", date(2020, 1, 1), 3},  // full-width digits
      {"1899年12月30日", kZeroDate, 6},
      {"2023-12-31 0:0:0", date(2023, 12, 31), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    auto d = text_to_date(c.text);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->year, c.d.year);
    EXPECT_EQ(d->month, c.d.month);
    EXPECT_EQ(d->day, c.d.day);
    EXPECT_EQ(d->hour, c.d.hour);
    EXPECT_EQ(d->minute, c.d.minute);
    EXPECT_EQ(d->second, c.d.second);
    EXPECT_EQ(d->millisecond, 0);
    EXPECT_EQ(d->day_of_week, c.day_of_week);
  }
}

TEST(TextToDate, TextThatIsNoDateGivesNothing) {
  const char* const texts[] = {
      "",
      "文件不存在，无法读取……",
      "2024年",
      "2024年3月",
      "2024年13月1日",
      "2023年2月29日",  // no leap year
      "2024年4月31日",
      "2024年3月5日24时",
      "2024年3月5日14时60分",
      "2024年3月5日14时7分60秒",
      "2024年3月5日14时7",     // minutes without 分
      "2024年3月5日14时7分9",  // seconds without 秒
      "2024-3-5 14:07:09:01",
      "2024-3-5 14",  // an hour without a mark
      "2024-3-5 14:07分",
      "2024年3月5日 下午",
      "0年1月1日",
      "abc",
  };
  for (const char* t : texts) EXPECT_FALSE(text_to_date(t).has_value()) << t;
}

TEST(TextToDate, RoundTripsEveryShownForm) {
  const rt::DateTime dates[] = {date(2024, 3, 5, 14, 7, 9), date(1999, 12, 31, 23, 59, 0), date(2001, 1, 1, 5),
                                date(1980, 6, 15)};
  for (const rt::DateTime& d : dates) {
    auto back = text_to_date(date_to_text(d));
    ASSERT_TRUE(back.has_value()) << date_to_text(d);
    EXPECT_EQ(date_to_text(*back), date_to_text(d));
  }
}

TEST(FontChoices, SizeEntriesAndStyles) {
  EXPECT_EQ(kFontSizeEntries.size(), 32u);
  // The first entry with the value wins: 36 is "36", not "小初"; 11 is "11", not "五号".
  struct Case {
    int points, entry;
  };
  const Case cases[] = {{8, 0},   {9, 1},  {11, 3}, {12, 4},  {36, 13}, {72, 15}, {42, 16},
                        {15, 23}, {7, 29}, {5, 30}, {13, -1}, {0, -1},  {-1, -1}};
  for (const Case& c : cases) EXPECT_EQ(font_size_entry_of(c.points), c.entry) << c.points;
  EXPECT_STREQ(kFontSizeEntries[26].text, "五号");
  EXPECT_EQ(kFontSizeEntries[26].points, 11);
  EXPECT_EQ(font_style_index(false, false), 0);
  EXPECT_EQ(font_style_index(false, true), 1);
  EXPECT_EQ(font_style_index(true, false), 2);
  EXPECT_EQ(font_style_index(true, true), 3);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(font_style_index(font_style_bold(i), font_style_italic(i)), i);
}

}  // namespace
