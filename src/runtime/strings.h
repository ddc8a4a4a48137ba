#pragma once
// GBK <-> UTF-16 at the one boundary where our GBK text meets the Unicode controls.
#include <string>
#include <string_view>

namespace rt {

constexpr unsigned kGbkCodePage = 936;

std::wstring to_wide(std::string_view gbk);
std::string to_gbk(std::wstring_view wide);

}  // namespace rt
