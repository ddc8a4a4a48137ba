// The file information window's dates and sizes: a date text is written as the rule says and
// reads back as the same date; a date text typed in any of the accepted forms (年月日 or "-",
// "/", "." between the date's parts, a time with 时分秒 or ":", blanks, full-width digits,
// leading zeros) reads as its parts, or as nothing when they name no date; whatever any other
// text reads as is a real date with its day of the week; sizes are the bytes / 1024 rounded half
// up to three decimals, and the batch lists' rows show them with the attribute marks.
//
// Input: a date's parts (two bytes each), the form of its text, then a size (eight bytes),
// attributes, a mask, and a text.
#include <optional>
#include <string>
#include <string_view>

#include "documents/batch_rules.h"
#include "documents/file_info_text.h"
#include "fuzz_check.h"
#include "fuzz_models.h"

namespace {

using std::string;
using std::string_view;

// Days since 1 January 1970 in the proleptic Gregorian calendar.
long long days_from_civil(long long y, int m, int d) {
  y -= m <= 2;
  long long era = (y >= 0 ? y : y - 399) / 400;
  long long yoe = y - era * 400;
  long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

// 0 Sunday; 1 January 1970 was a Thursday.
int weekday(int y, int m, int d) { return static_cast<int>(((days_from_civil(y, m, d) + 4) % 7 + 7) % 7); }

bool leap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

bool names_a_date(const rt::DateTime& d) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (d.year < 1 || d.year > 9999 || d.month < 1 || d.month > 12 || d.day < 1) return false;
  int in_month = d.month == 2 && leap(d.year) ? 29 : days[d.month - 1];
  return d.day <= in_month && d.hour >= 0 && d.hour <= 23 && d.minute >= 0 && d.minute <= 59 && d.second >= 0 &&
         d.second <= 59;
}

bool same_time(const rt::DateTime& a, const rt::DateTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
         a.second == b.second;
}

string date_text_by_model(const rt::DateTime& d) {
  string t = std::to_string(d.year) + "年" + std::to_string(d.month) + "月" + std::to_string(d.day) + "日";
  if (d.second != 0) return t + std::to_string(d.hour) + "时" + std::to_string(d.minute) + "分" + std::to_string(d.second) + "秒";
  if (d.minute != 0) return t + std::to_string(d.hour) + "时" + std::to_string(d.minute) + "分";
  if (d.hour != 0) return t + std::to_string(d.hour) + "时";
  return t;
}

void check_read_date(string_view text, const std::optional<rt::DateTime>& d) {
  if (!d) return;
  FUZZ_CHECK(names_a_date(*d));
  FUZZ_CHECK(d->day_of_week == weekday(d->year, d->month, d->day));
  std::optional<rt::DateTime> again = text_to_date(date_to_text(*d));
  FUZZ_CHECK(again && same_time(*again, *d));
}

// A date text as a user may type it.
struct TypedDate {
  fuzz::Input& in;
  string text;
  void blanks() {
    for (int n = in.byte() % 3; n > 0; --n) {
      static const char* const kBlanks[] = {" ", "\t", "\xA1\xA1"};
      text += kBlanks[in.byte() % 3];
    }
  }
  void number(int value) {
    string digits = string(in.byte() % 3, '0') + std::to_string(value);
    for (char c : digits) {
      if (in.flag()) {
        text += '\xA3';
        text += static_cast<char>(static_cast<unsigned char>(c) | 0x80);  // full-width digit
      } else {
        text += c;
      }
    }
  }
  void mark(string_view m) {
    blanks();
    text += m;
    blanks();
  }
};

void check_typed_date(fuzz::Input& in) {
  rt::DateTime d;
  d.year = in.number(0, 10000);
  d.month = in.number(0, 13);
  d.day = in.number(0, 32);
  const int form = in.byte();
  const int date_form = form % 4, time_form = form / 4 % 6;
  if (time_form != 0) d.hour = in.number(0, 25);
  if (time_form >= 2 && time_form != 4) d.minute = in.number(0, 61);
  if (time_form == 3 || time_form == 5) d.second = in.number(0, 61);

  TypedDate t{in, {}};
  t.blanks();
  static const char* const kSeparators[] = {"-", "/", "."};
  t.number(d.year);
  t.mark(date_form == 0 ? "年" : kSeparators[date_form - 1]);
  t.number(d.month);
  t.mark(date_form == 0 ? "月" : kSeparators[date_form - 1]);
  t.number(d.day);
  if (date_form == 0) t.mark("日");
  if (time_form != 0) {
    // Without 日 the day's digits need a blank after them.
    if (date_form != 0) t.text += ' ';
    t.blanks();
    t.number(d.hour);
    if (time_form <= 3) {
      t.mark("时");
      if (time_form >= 2) {
        t.number(d.minute);
        t.mark("分");
      }
      if (time_form == 3) {
        t.number(d.second);
        t.mark("秒");
      }
    } else {
      t.mark(":");
      if (time_form == 4) d.minute = in.number(0, 61);
      t.number(d.minute);
      if (time_form == 5) {
        t.mark(":");
        t.number(d.second);
      }
    }
  }
  t.blanks();

  std::optional<rt::DateTime> read = text_to_date(t.text);
  FUZZ_CHECK(read.has_value() == names_a_date(d));
  if (read) FUZZ_CHECK(same_time(*read, d));
  check_read_date(t.text, read);

  // A date written by the window reads back; its text is the rule's.
  if (names_a_date(d)) {
    FUZZ_CHECK(date_to_text(d) == date_text_by_model(d));
    std::optional<rt::DateTime> back = text_to_date(date_to_text(d));
    FUZZ_CHECK(back && same_time(*back, d) && back->day_of_week == weekday(d.year, d.month, d.day));
  }
}

// bytes / 1024 rounded half up to three decimals (exactly: floor((1000 bytes + 512) / 1024)
// thousandths), trailing zeros dropped, then "KB".
string size_text_by_model(long long bytes) {
  __int128 scaled = static_cast<__int128>(bytes) * 1000 + 512;
  __int128 t = scaled / 1024;
  if (scaled % 1024 != 0 && scaled < 0) --t;
  bool negative = t < 0;
  unsigned __int128 u = negative ? static_cast<unsigned __int128>(-t) : static_cast<unsigned __int128>(t);
  string whole = std::to_string(static_cast<unsigned long long>(u / 1000));
  string fraction = std::to_string(static_cast<unsigned long long>(u % 1000 + 1000)).substr(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  return (negative ? "-" : "") + whole + (fraction.empty() ? "" : "." + fraction) + "KB";
}

void check_sizes(long long bytes, int attributes, int mask, string_view path) {
  // Sizes of real files and -1 for none, and any other number too.
  for (long long b : {bytes, bytes & 0xFFFFFFFFFFLL, -1LL, bytes % 4096}) {
    FUZZ_CHECK(size_kb_text(b) == size_text_by_model(b));
    FUZZ_CHECK(file_size_text(b) == size_text_by_model(b) + " (" + std::to_string(b) + "字节)");
  }
  std::vector<string> row = batch_file_row(path, bytes, attributes);
  FUZZ_CHECK(row.size() == 7 && row[1] == size_text_by_model(bytes) && row[6] == path);
  int bits[] = {kReadOnlyBit, kHiddenBit, kSystemBit, kArchiveBit};
  for (int k = 0; k < 4; ++k) {
    bool has = attributes >= 0 && (attributes & bits[k]);  // -1: no such file
    FUZZ_CHECK(row[2 + k] == (has ? "√" : "×"));
  }
  std::vector<string> conversion = conversion_file_row(path, bytes);
  FUZZ_CHECK(conversion.size() == 3 && conversion[0] == row[0] && conversion[1] == row[1] && conversion[2] == row[6]);

  // The folder search: an entry that shares one of the five bits with the mask, or with mask 0
  // one that has none of them.
  int kept = attributes & (kReadOnlyBit | kHiddenBit | kSystemBit | kFolderBit | kArchiveBit);
  FUZZ_CHECK(batch_search_matches(attributes, mask) == (mask == 0 ? kept == 0 : (kept & mask) != 0));
  int m = attribute_mask_of(mask & 1, mask & 2, mask & 4, mask & 8);
  FUZZ_CHECK(m == ((mask & 1 ? 1 : 0) | (mask & 2 ? 2 : 0) | (mask & 4 ? 4 : 0) | (mask & 8 ? 32 : 0)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::g_input_size = size;
  fuzz::Input in{data, size};
  check_typed_date(in);
  const long long bytes = in.wide_number();
  const int attributes = in.flag() ? -1 : in.number(0, 0xFFFF);
  const int mask = in.byte() & 0x3F;
  const string path = in.text(32);
  check_sizes(bytes, attributes, mask, path);
  const string text = in.rest();
  check_read_date(text, text_to_date(text));
  return 0;
}
