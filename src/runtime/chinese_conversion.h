// Traditional <-> Simplified Chinese within GBK, one character at a time.
//
// The result always has the input's byte length: each GBK double-byte character listed for
// the direction is replaced by its counterpart, itself a double-byte character. Single bytes,
// unlisted characters and a lone lead byte at the end stay as they are. A lead byte
// (0x81..0xFE) and whatever byte follows it are one character, so a trail byte is never taken
// for the start of another. The pairs come from OpenCC's one-character tables (the first
// candidate of each entry), so a character with several counterparts always gets the same one:
// 发 becomes 發 (never 髮), and 頭髮 comes back from Simplified as 頭發.
#pragma once

#include <string>
#include <string_view>

namespace rt {

inline constexpr int kChineseToSimplified = 3;
inline constexpr int kChineseToTraditional = 4;

// `type` is kChineseToSimplified or kChineseToTraditional; any other value returns the text
// unchanged.
std::string convert_chinese(std::string_view gbk, int type);

inline std::string to_simplified(std::string_view gbk) { return convert_chinese(gbk, kChineseToSimplified); }
inline std::string to_traditional(std::string_view gbk) { return convert_chinese(gbk, kChineseToTraditional); }

}  // namespace rt
