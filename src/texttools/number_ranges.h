#pragma once
// Number-range rules "start-end|tail": the numbers from start to end in steps of 1, and the text
// after the first "|" (the separator of an insertion, the replacement of a replacement).
#include <cstddef>
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
// Ends from here on are refused: numbers are written with 13 significant digits, so from 10^13
// neighbouring numbers would be written alike ("1E+13"), and an infinite end ("1e999") has no
// numbers to count.
constexpr double kRangeEndLimit = 1e13;

// The most bytes a rule's text may come to, inserted or replaced: the edit box takes it and a
// copy in UTF-16, and a million numbers with a long separator, or replacements that hold the
// numbers of later steps, would grow past what this 32-bit program can hold.
constexpr size_t kMaxRangeTextBytes = size_t{64} << 20;

// "--" counts as "-"; the range must split at "-" into exactly two numbers. False for a rule in
// the wrong format, of more than kMaxRangeNumbers numbers or with an end of kRangeEndLimit or
// more.
bool parse_number_range(std::string_view rule, NumberRange& range);
// The text a number-range insertion ("start-end|separator") puts at the caret: the numbers,
// separated by the tail; false, and the text untouched, for a rule parse_number_range refuses
// or a text longer than `limit` bytes.
bool number_range_text(std::string_view rule, std::string& text, size_t limit = kMaxRangeTextBytes);
// The k-th number of the range (k from 0), written as the runtime writes numbers.
std::string number_range_item(const NumberRange& range, long long k);
// "start到end", or the one number of a single-number rule.
std::string number_range_label(const NumberRange& range);
