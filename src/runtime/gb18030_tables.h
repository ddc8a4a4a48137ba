// GB18030 as glibc converts it, in runs (generated into gb18030_ranges.inc), and the code
// arithmetic that the Windows build's GB18030 converter and the page text's four-byte codes
// share.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace rt::gb18030 {

struct Gb18030Run {
  std::uint32_t first;
  std::uint32_t second;
  std::uint32_t count;
};

#include "runtime/gb18030_ranges.inc"

constexpr std::size_t kTwoByteCodes = 126 * 190;    // leads 81..FE, trails 40..7E and 80..FE
constexpr std::uint32_t kBmpFourByteCodes = 39420;  // 81 30 81 30 .. 84 31 A4 39

constexpr std::uint32_t two_byte_code(std::uint32_t index) {
  std::uint32_t lead = 0x81 + index / 190, trail = 0x40 + index % 190;
  if (trail >= 0x7F) ++trail;
  return lead << 8 | trail;
}

constexpr std::uint32_t two_byte_index(unsigned lead, unsigned trail) {
  return (lead - 0x81) * 190 + trail - 0x40 - (trail > 0x7F ? 1 : 0);
}

// The run whose first values hold key, or nullptr.
template <std::size_t N>
const Gb18030Run* find_run(const Gb18030Run (&runs)[N], std::uint32_t key) {
  const Gb18030Run* it =
      std::upper_bound(runs, runs + N, key, [](std::uint32_t k, const Gb18030Run& r) { return k < r.first; });
  if (it == runs) return nullptr;
  --it;
  return key - it->first < it->count ? it : nullptr;
}

}  // namespace rt::gb18030
