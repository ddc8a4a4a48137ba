// Prints how long a 10 MB page takes to cross the boundary between the program's GBK text and
// the Unicode controls, both ways, beside the system's own code page 936 conversion of the
// same bytes, and how long a 10 MB file with a byte-order mark takes to become page text
// beside the system's conversion to UTF-16 and on to code page 936. Figures only: nothing here
// passes or fails.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "bench_support.h"
#include "runtime/encoding.h"
#include "runtime/strings.h"

using bench::now_ms;

namespace {

std::string text_of(const std::string& line, size_t bytes) {
  std::string s;
  s.reserve(bytes + line.size());
  while (s.size() < bytes) s += line;
  return s;
}

// The best of a few runs: the machine is shared.
template <class F>
double best_ms(F f) {
  double best = 1e30;
  for (int i = 0; i < 5; ++i) {
    double t0 = now_ms();
    f();
    best = std::min(best, now_ms() - t0);
  }
  return best;
}

std::wstring system_to_wide(const std::string& s, unsigned code_page = 936) {
  int n = MultiByteToWideChar(code_page, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(code_page, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

std::string system_to_code_page(const std::wstring& w, unsigned code_page) {
  int n = WideCharToMultiByte(code_page, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(code_page, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

std::string system_to_gbk(const std::wstring& w) { return system_to_code_page(w, 936); }

}  // namespace

int main() {
  struct Page {
    const char* name;
    std::string text;
  };
  const Page pages[] = {
      {"Chinese and ASCII lines",
       text_of("Velmora 第一行的文字，包括中文和English混排。The quick brown fox 跳过懒狗。\r\n", 10u << 20)},
      {"Chinese only", text_of("中文汉字的段落没有一个拉丁字母只有标点符号，句号。\r\n", 10u << 20)},
      {"ASCII only", text_of("The quick brown fox jumps over the lazy dog, 0123456789.\r\n", 10u << 20)},
      // Four-byte codes (U+00B5 and U+1F600) between the Chinese characters.
      {"with four-byte codes", text_of("中文\x81\x30\x85\x38汉字\x94\x39\xFC\x36句号。\r\n", 10u << 20)},
  };
  std::printf("%-24s %22s %22s %8s\n", "10 MB page", "GBK -> UTF-16 (shown)", "UTF-16 -> GBK (read)", "");
  std::printf("%-24s %11s %10s %11s %10s %8s\n", "", "system ms", "ours ms", "system ms", "ours ms", "exact");
  for (const Page& p : pages) {
    std::wstring wide = rt::to_wide(p.text);
    double sys_in = best_ms([&] { system_to_wide(p.text); });
    double ours_in = best_ms([&] { rt::to_wide(p.text); });
    double sys_out = best_ms([&] { system_to_gbk(wide); });
    double ours_out = best_ms([&] { rt::to_gbk(wide); });
    // Whether the page comes back byte for byte from the control.
    const char* exact = rt::to_gbk(wide) == p.text ? "yes" : "no";
    std::printf("%-24s %11.1f %10.1f %11.1f %10.1f %8s\n", p.name, sys_in, ours_in, sys_out, ours_out, exact);
    std::fflush(stdout);
  }
  std::printf("\n%-36s %11s %10s\n", "10 MB file to page text", "system ms", "ours ms");
  const std::wstring wide = rt::to_wide(pages[0].text);
  const std::string utf8 = "\xEF\xBB\xBF" + system_to_code_page(wide, 65001);
  const std::string utf16le = "\xFF\xFE" + std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
  double sys8 = best_ms([&] { system_to_gbk(system_to_wide(utf8.substr(3), 65001)); });
  double ours8 = best_ms([&] { rt::decode_file_bytes(utf8); });
  double sys16 = best_ms([&] { system_to_gbk(std::wstring(wide)); });
  double ours16 = best_ms([&] { rt::decode_file_bytes(utf16le); });
  std::printf("%-36s %11.1f %10.1f\n", "UTF-8 with mark (Chinese and ASCII)", sys8, ours8);
  std::printf("%-36s %11.1f %10.1f\n", "UTF-16LE with mark (Chinese and ASCII)", sys16, ours16);
  return 0;
}
