#include "runtime/path_text.h"

#include "runtime/page_text.h"

namespace rt {

std::u16string path_to_utf16(std::string_view path) {
  if (path.find('\0') != std::string_view::npos) return {};
  return page_text_to_utf16(path);
}

std::string utf16_to_path(std::u16string_view name, bool* whole) {
  bool lossless = true;
  std::string path = utf16_to_page_text(name, &lossless);
  if (whole) *whole = lossless && name.find(u'\0') == std::u16string_view::npos;
  return path;
}

}  // namespace rt
