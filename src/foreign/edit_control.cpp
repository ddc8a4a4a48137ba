#include "foreign/edit_control.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "foreign/reader_rules.h"
#include "runtime/foreign_windows.h"
#include "runtime/gbk_text.h"

namespace {
constexpr unsigned kSetText = 0x0C, kGetText = 0x0D, kGetTextLength = 0x0E, kChar = 0x102;
constexpr unsigned kGetSel = 0xB0, kLineScroll = 0xB6, kGetLineCount = 0xBA, kLineIndex = 0xBB, kLineLength = 0xC1,
                   kGetLine = 0xC4, kLineFromChar = 0xC9, kGetLimitText = 0xD5;

// Bytes enough for the GBK form of `units` characters of the control: a Unicode control
// counts UTF-16 units, each of which can take two bytes.
size_t gbk_capacity(rt::WindowHandle window, intptr_t units) {
  size_t n = static_cast<size_t>(std::max<intptr_t>(units, 0));
  return rt::is_unicode_window(window) ? 2 * n : n;
}
}  // namespace

int ForeignEditControl::get_edit_line_count(rt::WindowHandle window) const {
  return static_cast<int>(rt::foreign_message(window, kGetLineCount));
}

std::string ForeignEditControl::get_edit_line_text(rt::WindowHandle window, int line) const {
  intptr_t index = rt::foreign_message(window, kLineIndex, static_cast<uintptr_t>(line));
  intptr_t length = rt::foreign_message(window, kLineLength, static_cast<uintptr_t>(index));
  if (length <= 0) return {};
  size_t capacity = gbk_capacity(window, length);
  std::vector<char> buffer(std::max<size_t>(capacity, 2) + 1, '\0');
  // The size word EM_GETLINE reads holds 16 bits: a longer line is read up to 65535 bytes.
  uint16_t size_word = static_cast<uint16_t>(std::min<size_t>(capacity, 0xFFFF));
  buffer[0] = static_cast<char>(size_word & 0xFF);
  buffer[1] = static_cast<char>(size_word >> 8);
  if (!rt::send_foreign_message(window, kGetLine, static_cast<uintptr_t>(line),
                                reinterpret_cast<intptr_t>(buffer.data())))
    return {};
  return without_split_character(text_before_zero(buffer.data(), capacity));
}

std::string ForeignEditControl::get_edit_all_text(rt::WindowHandle window) const {
  intptr_t limit = rt::foreign_message(window, kGetLimitText);
  // The buffer follows the text, not the limit (which can be close to 2 GB).
  size_t size = gbk_capacity(window, rt::foreign_message(window, kGetTextLength)) + 1;
  size = std::min<size_t>(size, static_cast<size_t>(std::max<intptr_t>(limit, 0)));
  if (size == 0) return {};
  std::string buffer = blank_buffer(static_cast<int>(size));
  buffer.push_back('\0');
  if (!rt::send_foreign_message(window, kGetText, size, reinterpret_cast<intptr_t>(buffer.data()))) return {};
  return rt::trim_right(without_split_character(text_before_zero(buffer.data(), size - 1)));
}

intptr_t ForeignEditControl::set_edit_text(rt::WindowHandle window, std::string_view text) const {
  std::string t(text);
  return rt::foreign_message(window, kSetText, 0, reinterpret_cast<intptr_t>(t.c_str()));
}

int ForeignEditControl::type_edit_text(rt::WindowHandle window, std::string_view text) const {
  int posted = 0;
  for (unsigned char code : typed_character_codes(text))
    if (rt::post_foreign_message(window, kChar, code, 0)) ++posted;
  return posted;
}

int ForeignEditControl::get_edit_line_length(rt::WindowHandle window, int line) const {
  intptr_t index = rt::foreign_message(window, kLineIndex, static_cast<uintptr_t>(line));
  return static_cast<int>(rt::foreign_message(window, kLineLength, static_cast<uintptr_t>(index)));
}

void ForeignEditControl::get_edit_caret_position(rt::WindowHandle window, int& line, int& column) const {
  // The whole start comes through the out parameter; the answer's low word wraps at 65536.
  uint32_t start = 0xFFFFFFFF, end = 0;
  std::optional<intptr_t> answer = rt::send_foreign_message(window, kGetSel, reinterpret_cast<uintptr_t>(&start),
                                                            reinterpret_cast<intptr_t>(&end));
  if (!answer)
    start = 0;
  else if (start == 0xFFFFFFFF)
    start = static_cast<uint32_t>(*answer) & 0xFFFF;
  line = static_cast<int>(rt::foreign_message(window, kLineFromChar, start));
  column = static_cast<int>(start - rt::foreign_message(window, kLineIndex, static_cast<uintptr_t>(line)));
}

intptr_t ForeignEditControl::scroll_edit_line_down(rt::WindowHandle window) const {
  return rt::foreign_message(window, kLineScroll, 0, 1);
}

intptr_t ForeignEditControl::scroll_edit_line_up(rt::WindowHandle window) const {
  return rt::foreign_message(window, kLineScroll, 0, -1);
}
