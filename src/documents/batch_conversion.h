#pragma once
// Page "编码转换" of the options window: every file of the conversion list converted from the
// encoding the user states (nothing is detected) and written, under its own name, into a folder
// the user chooses. The conversion runs on a worker and stops between files on request; each
// file converted and written leaves the list.
#include <optional>
#include <string>
#include <string_view>

// 1 asks the conversion to stop before its next file.
extern int g_conversion_stop;

// The items of 组合框_转换类型; "Unicode" is UTF-16 little-endian.
enum ConversionKind { kUtf8ToAnsi = 0, kUtf16ToAnsi = 1, kUtf16ToUtf8 = 2, kUtf8ToUtf16 = 3 };

// The converters. No byte-order mark is looked for, removed or written (a mark is a character
// like any other), and a UTF-16 input's odd last byte belongs to no unit and is dropped. A
// conversion either brings every character over or fails (nothing then): a source that is no
// text of its encoding (invalid UTF-8, a surrogate without its partner) fails. ANSI is the
// program's own text, code page 936 with GB18030's four-byte codes for what it lacks (see
// runtime/page_text.h), so no character becomes "?"; zero characters stay.
std::optional<std::string> utf8_to_ansi(std::string_view bytes);
std::optional<std::string> utf16_to_ansi(std::string_view bytes);
std::optional<std::string> utf16_to_utf8(std::string_view bytes);
std::optional<std::string> utf8_to_utf16(std::string_view bytes);
std::optional<std::string> convert_by_kind(int kind, std::string_view bytes);

// 超级按钮_开始转换: asks for the output folder, then converts on a worker.
void start_encoding_conversion();
// 超级按钮_停止转换.
void stop_encoding_conversion();
