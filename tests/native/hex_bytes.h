// Bytes and UTF-16 units as a test shows them, and a digest that compares a whole sweep between
// the builds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// "[41 D6 D0]"
inline std::string hex(std::string_view s) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : s) {
    if (!out.empty()) out += ' ';
    out += kDigits[c >> 4];
    out += kDigits[c & 0xF];
  }
  return "[" + out + "]";
}

// "<0041 D83D>"
inline std::string units_hex(std::u16string_view u) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (char16_t c : u) {
    if (!out.empty()) out += ' ';
    for (int shift = 12; shift >= 0; shift -= 4) out += kDigits[(c >> shift) & 0xF];
  }
  return "<" + out + ">";
}

// FNV-1a, started at kDigestStart.
constexpr std::uint64_t kDigestStart = 0xCBF29CE484222325u;
inline void mix(std::uint64_t& digest, std::string_view bytes) {
  for (unsigned char c : bytes) digest = (digest ^ c) * 0x100000001B3u;
}
