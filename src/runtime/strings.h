#pragma once
// GBK <-> UTF-16 at the one boundary where our GBK text meets the Unicode controls (the page
// text of runtime/page_text.h: code page 936, GB18030's four-byte codes for every other
// character, byte escapes for bytes that are none), and the system's conversion between any
// code page and UTF-16.
#include <string>
#include <string_view>

namespace rt {

constexpr unsigned kGbkCodePage = 936;
// The system's ANSI code page, and UTF-8, as the conversion functions name them.
constexpr unsigned kAnsiCodePage = 0;
constexpr unsigned kUtf8CodePage = 65001;

std::wstring to_wide(std::string_view gbk);
// *lossless (when given) is false when a lone surrogate outside the byte escapes had to be
// written as U+FFFD.
std::string to_gbk(std::wstring_view wide, bool* lossless = nullptr);

// Paths where they meet the system (runtime/path_text.h): every file, folder, dialog, drop,
// command line and shell service of the runtime takes and gives its paths through these two, and
// the W functions, never the A ones, which know code page 936 only. A path holding a zero byte
// gives "", which names no file; *whole (when given) is false for a name that cannot be named
// again.
std::wstring wide_path(std::string_view path);
std::string path_from_wide(std::wstring_view wide, bool* whole = nullptr);

// As the system converts, refusing nothing: an invalid sequence becomes U+FFFD, a character the
// code page lacks becomes its default character. An input too large for the system's counts
// gives nothing.
std::wstring code_page_to_wide(std::string_view bytes, unsigned code_page);
std::string wide_to_code_page(std::wstring_view wide, unsigned code_page);

}  // namespace rt
