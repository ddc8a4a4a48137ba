#include "documents/file_info_text.h"

#include <cstdio>
#include <initializer_list>

#include "runtime/gbk_text.h"

namespace {

bool is_leap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int days_in_month(int y, int m) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && is_leap(y) ? 29 : kDays[m - 1];
}

// 0 Sunday (Sakamoto's rule).
int day_of_week(int y, int m, int d) {
  static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (m < 3) y -= 1;
  return (y + y / 4 - y / 100 + y / 400 + t[m - 1] + d) % 7;
}

class Reader {
 public:
  explicit Reader(std::string_view t) : t_(t) {}
  void skip_blanks() {
    while (pos_ < t_.size() && (t_[pos_] == ' ' || t_[pos_] == '\t')) ++pos_;
  }
  bool at_end() {
    skip_blanks();
    return pos_ == t_.size();
  }
  // Up to 9 digits; nothing without a digit.
  std::optional<int> number() {
    skip_blanks();
    size_t start = pos_;
    int n = 0;
    while (pos_ < t_.size() && t_[pos_] >= '0' && t_[pos_] <= '9' && pos_ - start < 9) n = n * 10 + (t_[pos_++] - '0');
    if (pos_ == start) return std::nullopt;
    return n;
  }
  // Takes one of the marks when the text goes on with it.
  bool take(std::initializer_list<std::string_view> marks) {
    skip_blanks();
    for (std::string_view m : marks)
      if (t_.substr(pos_, m.size()) == m) {
        pos_ += m.size();
        return true;
      }
    return false;
  }

 private:
  std::string_view t_;
  size_t pos_ = 0;
};

}  // namespace

std::string date_to_text(const rt::DateTime& d) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "%d年%d月%d日", d.year, d.month, d.day);
  std::string text = buf;
  if (d.second != 0)
    std::snprintf(buf, sizeof buf, "%d时%d分%d秒", d.hour, d.minute, d.second);
  else if (d.minute != 0)
    std::snprintf(buf, sizeof buf, "%d时%d分", d.hour, d.minute);
  else if (d.hour != 0)
    std::snprintf(buf, sizeof buf, "%d时", d.hour);
  else
    buf[0] = '\0';
  return text + buf;
}

std::optional<rt::DateTime> text_to_date(std::string_view text) {
  std::string half = rt::to_half_width(text);
  Reader r(half);
  rt::DateTime d;
  auto year = r.number();
  if (!year || !r.take({"年", "-", "/", "."})) return std::nullopt;
  auto month = r.number();
  if (!month || !r.take({"月", "-", "/", "."})) return std::nullopt;
  auto day = r.number();
  if (!day) return std::nullopt;
  r.take({"日"});
  d.year = *year;
  d.month = *month;
  d.day = *day;
  if (!r.at_end()) {
    // 14时, 14时7分, 14时7分9秒, or 14:07, 14:07:09.
    auto hour = r.number();
    if (!hour) return std::nullopt;
    bool marks = r.take({"时"});
    if (!marks && !r.take({":"})) return std::nullopt;
    d.hour = *hour;
    if (!(marks && r.at_end())) {
      auto minute = r.number();
      if (!minute || (marks && !r.take({"分"}))) return std::nullopt;
      d.minute = *minute;
      if (!r.at_end()) {
        if (!marks && !r.take({":"})) return std::nullopt;
        auto second = r.number();
        if (!second || (marks && !r.take({"秒"})) || !r.at_end()) return std::nullopt;
        d.second = *second;
      }
    }
  }
  if (d.year < 1 || d.year > 9999 || d.month < 1 || d.month > 12 || d.day < 1 ||
      d.day > days_in_month(d.year, d.month) || d.hour > 23 || d.minute > 59 || d.second > 59)
    return std::nullopt;
  d.day_of_week = day_of_week(d.year, d.month, d.day);
  return d;
}

std::string size_kb_text(long long bytes) {
  // In whole numbers, so that no size far from zero is rounded before its decimals are, and in
  // two parts, so that no product overflows; the remainder has the sign of bytes, and its
  // thousandths plus a half are rounded down.
  long long part = bytes % 1024 * 1000 + 512;
  long long thousandths = bytes / 1024 * 1000 + (part >= 0 ? part / 1024 : -((-part + 1023) / 1024));
  bool negative = thousandths < 0;
  unsigned long long t = negative ? 0ULL - static_cast<unsigned long long>(thousandths) : thousandths;
  std::string text = (negative ? "-" : "") + std::to_string(t / 1000);
  if (unsigned long long f = t % 1000) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%03llu", f);
    std::string frac = buf;
    while (frac.back() == '0') frac.pop_back();
    text += "." + frac;
  }
  return text + "KB";
}

std::string file_size_text(long long bytes) { return size_kb_text(bytes) + " (" + std::to_string(bytes) + "字节)"; }
