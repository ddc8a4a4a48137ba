#include "texttools/number_ranges.h"

#include <cmath>
#include <utility>
#include <vector>

#include "runtime/gbk_text.h"

namespace {
constexpr double kSameNumber = 1e-7;
}

bool NumberRange::single() const { return std::fabs(start - end) <= kSameNumber; }

bool parse_number_range(std::string_view rule, NumberRange& range) {
  std::string_view numbers = rule;
  std::string tail;
  int bar = rt::find_text(rule, "|");
  if (bar > 0) {
    tail = std::string(rule.substr(static_cast<size_t>(bar)));
    numbers = rule.substr(0, static_cast<size_t>(bar - 1));
  }
  std::vector<std::string> pieces = rt::split_text(rt::replace_text(numbers, "--", "-"), "-");
  // A rule without an end number is a format error too.
  if (pieces.size() != 2) return false;
  double start = rt::text_to_number(pieces[0]), end = rt::text_to_number(pieces[1]);
  // No "-" can reach a number, so both ends are at least 0, or infinite.
  if (!(start < kRangeEndLimit && end < kRangeEndLimit)) return false;
  if (std::fabs(start - end) > kSameNumber && start > end) std::swap(start, end);
  double n = std::trunc(end - start + 1);
  if (n < 1) n = 1;  // equal ends: that one number
  if (n > static_cast<double>(kMaxRangeNumbers)) return false;
  range.start = start;
  range.end = end;
  range.count = static_cast<long long>(n);
  range.tail = std::move(tail);
  return true;
}

std::string number_range_item(const NumberRange& range, long long k) {
  return rt::number_to_text(range.start + static_cast<double>(k));
}

bool number_range_text(std::string_view rule, std::string& text, size_t limit) {
  NumberRange range;
  if (!parse_number_range(rule, range)) return false;
  std::string out;
  for (long long i = 0; i < range.count; ++i) {
    std::string number = number_range_item(range, i);
    if ((i ? range.tail.size() : 0) + number.size() > limit - out.size()) return false;
    if (i) out += range.tail;
    out += number;
  }
  text = std::move(out);
  return true;
}

std::string number_range_label(const NumberRange& range) {
  if (range.single()) return rt::number_to_text(range.start);
  return rt::number_to_text(range.start) + "到" + rt::number_to_text(range.end);
}
