#pragma once
// The helper program of the save tests (safe_save_helper.cpp) and what it writes: a test starts
// it to save over a file and ends it at a moment of its choosing.
#include <cstddef>
#include <string>

namespace safe_save_helper {

inline constexpr const char* kProgram = "velmora_safe_save_helper.exe";

// The bytes the helper saves, megabytes long; no stretch of them repeats the old file's.
inline std::string new_bytes(std::size_t megabytes) {
  std::string s(megabytes << 20, '\0');
  for (std::size_t i = 0; i < s.size(); ++i) s[i] = static_cast<char>('A' + (i / 4093) % 26);
  return s;
}

}  // namespace safe_save_helper
