#include "runtime/strings.h"

#include <windows.h>

#include <climits>

#include "runtime/page_text.h"
#include "runtime/path_text.h"

namespace rt {

std::wstring code_page_to_wide(std::string_view bytes, unsigned code_page) {
  if (bytes.empty() || bytes.size() > static_cast<size_t>(INT_MAX)) return {};
  int size = static_cast<int>(bytes.size());
  int n = MultiByteToWideChar(code_page, 0, bytes.data(), size, nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), size, out.data(), n);
  return out;
}

std::string wide_to_code_page(std::wstring_view wide, unsigned code_page) {
  if (wide.empty() || wide.size() > static_cast<size_t>(INT_MAX)) return {};
  int size = static_cast<int>(wide.size());
  int n = WideCharToMultiByte(code_page, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring to_wide(std::string_view gbk) { return page_text_to_units<wchar_t>(gbk); }

std::string to_gbk(std::wstring_view wide, bool* lossless) { return units_to_page_text<wchar_t>(wide, lossless); }

std::wstring wide_path(std::string_view path) {
  std::u16string units = path_to_utf16(path);
  return std::wstring(units.begin(), units.end());
}

std::string path_from_wide(std::wstring_view wide, bool* whole) {
  return utf16_to_path(std::u16string(wide.begin(), wide.end()), whole);
}

}  // namespace rt
