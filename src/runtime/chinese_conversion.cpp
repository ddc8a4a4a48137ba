#include "runtime/chinese_conversion.h"

#include <array>
#include <cstdint>

#include "runtime/gbk_text.h"

namespace rt {
namespace {

struct ChinesePair {
  std::uint16_t from;
  std::uint16_t to;
};

#include "runtime/chinese_tables.inc"

// Every double-byte code has a lead of 0x81 or more, so lead - 0x80 and the trail index a
// 32768-entry table (64 KB per direction); 0 means "not listed".
constexpr std::size_t kLeadBase = 0x80;
using CodeMap = std::array<std::uint16_t, 0x8000>;

template <std::size_t N>
CodeMap build_map(const ChinesePair (&pairs)[N]) {
  CodeMap map{};
  for (const ChinesePair& p : pairs) map[p.from - (kLeadBase << 8)] = p.to;
  return map;
}

const CodeMap* map_for(int type) {
  // Function-local statics: built on first use, once, safely across threads.
  if (type == kChineseToSimplified) {
    static const CodeMap map = build_map(kTraditionalToSimplified);
    return &map;
  }
  if (type == kChineseToTraditional) {
    static const CodeMap map = build_map(kSimplifiedToTraditional);
    return &map;
  }
  return nullptr;
}

}  // namespace

std::string convert_chinese(std::string_view gbk, int type) {
  std::string out(gbk);
  const CodeMap* map = map_for(type);
  if (map == nullptr) return out;
  const std::size_t n = out.size();
  std::size_t i = 0;
  while (i + 1 < n) {
    const auto lead = static_cast<unsigned char>(out[i]);
    if (!is_lead_byte(lead)) {
      ++i;
      continue;
    }
    const auto trail = static_cast<unsigned char>(out[i + 1]);
    const std::uint16_t to = (*map)[(lead - kLeadBase) << 8 | trail];
    if (to != 0) {
      out[i] = static_cast<char>(to >> 8);
      out[i + 1] = static_cast<char>(to & 0xFF);
    }
    i += 2;
  }
  return out;
}

}  // namespace rt
