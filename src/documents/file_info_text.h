#pragma once
// The texts of the file information window: file sizes and dates as it shows them, and a date
// text read back. GBK, no system calls.
#include <optional>
#include <string>
#include <string_view>

#include "runtime/clock.h"

// The date shown for a time that could not be read: 30 December 1899.
inline constexpr rt::DateTime kZeroDate{1899, 12, 30};

// "%d年%d月%d日", then "%d时%d分%d秒" when the seconds are not zero, else "%d时%d分" when the
// minutes are not zero, else "%d时" when the hour is not zero, else nothing.
std::string date_to_text(const rt::DateTime& d);

// A date text read back: year, month and day separated by 年 月 日 or "-", "/", "."; then
// optionally a time, hours with 时 or ":", minutes with 分 or ":", seconds with 秒 (each later
// part may be left out, "14时" and "14:07" are times). Blanks around the parts and full-width
// digits are accepted. Anything else, or a date that does not exist (31 April, hour 24), gives
// nothing. The day of the week is filled in.
std::optional<rt::DateTime> text_to_date(std::string_view text);

// bytes / 1024 rounded half up to three decimals, trailing zeros dropped, then "KB": 1536 gives
// "1.5KB", -1 (a size that could not be read) "-0.001KB".
std::string size_kb_text(long long bytes);
// size_kb_text, then " (", the bytes, "字节)": 1536 gives "1.5KB (1536字节)".
std::string file_size_text(long long bytes);
