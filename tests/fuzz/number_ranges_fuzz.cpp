// Number-range rules as the user may type them: a rule is refused, or it names 1 to a million
// numbers between finite ends below the limit, each written differently from the next, with the
// tail after its first "|"; the insertion text and the replacement follow from it.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "fuzz_check.h"
#include "runtime/gbk_text.h"
#include "texttools/conversions.h"
#include "texttools/number_ranges.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::g_input_size = size;
  FuzzedDataProvider in(data, size);
  const std::string text = in.ConsumeRandomLengthString(64);
  const std::string rule = in.ConsumeRemainingBytesAsString();

  NumberRange range;
  std::string inserted = "kept";
  if (!parse_number_range(rule, range)) {
    FUZZ_CHECK(!number_range_text(rule, inserted) && inserted == "kept");
    return 0;
  }
  FUZZ_CHECK(range.count >= 1 && range.count <= kMaxRangeNumbers);
  FUZZ_CHECK(std::isfinite(range.start) && std::isfinite(range.end));
  FUZZ_CHECK(range.start >= 0 && range.end < kRangeEndLimit);
  FUZZ_CHECK(range.single() || range.start < range.end);
  FUZZ_CHECK(range.start + static_cast<double>(range.count - 1) <= range.end + 1e-7);
  int bar = rt::find_text(rule, "|");
  FUZZ_CHECK(range.tail == (bar > 0 ? rule.substr(static_cast<size_t>(bar)) : std::string()));

  // Neighbouring numbers are written apart, at both ends of the range.
  for (long long k : {0LL, range.count - 2}) {
    if (k < 0 || k + 1 >= range.count) continue;
    FUZZ_CHECK(number_range_item(range, k) != number_range_item(range, k + 1));
  }
  number_range_label(range);

  // Whole texts only for short ranges and within a small limit: a million numbers, or megabytes
  // of text, are too slow for each input.
  constexpr size_t kLimit = 1 << 16;
  if (range.count <= 2000) {
    if (number_range_text(rule, inserted, kLimit)) {
      FUZZ_CHECK(inserted.size() <= kLimit);
      FUZZ_CHECK(inserted.starts_with(number_range_item(range, 0)) &&
                 inserted.ends_with(number_range_item(range, range.count - 1)));
    } else {
      size_t needed = range.tail.size() * static_cast<size_t>(range.count - 1);
      for (long long k = 0; k < range.count; ++k) needed += number_range_item(range, k).size();
      FUZZ_CHECK(inserted == "kept" && needed > kLimit);
    }
    std::optional<std::string> replaced = replace_range_numbers(text, range, kLimit);
    if (replaced) FUZZ_CHECK(replaced->size() <= std::max(kLimit, text.size()));
  }
  return 0;
}
