#pragma once
// What the fuzz targets share: a broken rule ends the run with its name and the input's size,
// and libFuzzer keeps the input that broke it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

inline size_t g_input_size = 0;

[[noreturn]] inline void broken(const char* rule, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: broken: %s (input of %zu bytes)\n", file, line, rule, g_input_size);
  std::abort();
}

// Whether `part` lies inside `whole` as a substring.
inline bool inside(std::string_view whole, std::string_view part) { return whole.find(part) != std::string_view::npos; }

inline std::string_view bytes_of(const uint8_t* data, size_t size) {
  g_input_size = size;
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace fuzz

#define FUZZ_CHECK(rule) ((rule) ? (void)0 : ::fuzz::broken(#rule, __FILE__, __LINE__))
