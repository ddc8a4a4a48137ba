#pragma once
// Number-range rules "start-end|tail": the numbers from start to end in steps of 1, and the text
// after the first "|" (the separator of an insertion, the replacement of a replacement).
#include <string>
#include <string_view>

struct NumberRange {
  double start = 0, end = 0;  // start is the smaller one
  long long count = 0;        // 1 to 1,000,000
  std::string tail;           // the text after the first "|"; empty without one
  // The ends are equal (within 1e-7): the rule names that one number.
  bool single() const;
};

// The limit of a rule: more numbers would build hundreds of megabytes in this 32-bit program.
constexpr long long kMaxRangeNumbers = 1000000;

// "--" counts as "-"; the range must split at "-" into exactly two numbers. False for a rule in
// the wrong format or of more than kMaxRangeNumbers numbers.
bool parse_number_range(std::string_view rule, NumberRange& range);
// The k-th number of the range (k from 0), written as the runtime writes numbers.
std::string number_range_item(const NumberRange& range, long long k);
// "start到end", or the one number of a single-number rule.
std::string number_range_label(const NumberRange& range);
