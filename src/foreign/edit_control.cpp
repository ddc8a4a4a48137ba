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

// Room for `units` characters of the control's text: a Unicode control is asked in UTF-16;
// an ANSI control of some systems counts characters, not bytes, so its GBK text can take twice
// its count.
size_t text_capacity(rt::WindowHandle window, intptr_t units) {
  size_t n = static_cast<size_t>(std::max<intptr_t>(units, 0));
  return rt::is_unicode_window(window) ? n : 2 * n;
}
}  // namespace

int ForeignEditControl::get_edit_line_count(rt::WindowHandle window) const {
  return static_cast<int>(rt::foreign_message(window, kGetLineCount));
}

std::string ForeignEditControl::get_edit_line_text(rt::WindowHandle window, int line) const {
  intptr_t index = rt::foreign_message(window, kLineIndex, static_cast<uintptr_t>(line));
  intptr_t length = rt::send_foreign_message_native(window, kLineLength, static_cast<uintptr_t>(index), 0).value_or(0);
  if (length <= 0) return {};
  // The size word EM_GETLINE reads holds 16 bits: a longer line is read up to 65535 units.
  size_t capacity = std::min<size_t>(text_capacity(window, length), 0xFFFF);
  std::optional<rt::TextReply> reply =
      rt::send_foreign_text_message(window, kGetLine, static_cast<uintptr_t>(line), capacity, rt::TextEnd::AnswerCount,
                                    static_cast<uint16_t>(capacity));
  return reply ? without_split_character(reply->text) : std::string();
}

std::string ForeignEditControl::get_edit_all_text(rt::WindowHandle window) const {
  uint32_t limit = static_cast<uint32_t>(rt::foreign_message(window, kGetLimitText));
  // The buffer follows the text, not the limit (which can be close to 4 GB).
  size_t size = text_capacity(window, rt::send_foreign_message_native(window, kGetTextLength, 0, 0).value_or(0)) + 1;
  size = std::min<size_t>(size, limit);
  if (size == 0) return {};
  std::optional<rt::TextReply> reply = rt::send_foreign_text_message(window, kGetText, size, size);
  return reply ? rt::trim_right(without_split_character(reply->text)) : std::string();
}

intptr_t ForeignEditControl::set_edit_text(rt::WindowHandle window, std::string_view text) const {
  return rt::send_foreign_text(window, kSetText, 0, text).value_or(0);
}

int ForeignEditControl::type_edit_text(rt::WindowHandle window, std::string_view text) const {
  int posted = 0;
  for (unsigned char code : typed_character_codes(text))
    if (rt::post_foreign_message(window, kChar, code, 0)) ++posted;
  return posted;
}

int ForeignEditControl::get_edit_line_length(rt::WindowHandle window, int line) const {
  intptr_t index = rt::foreign_message(window, kLineIndex, static_cast<uintptr_t>(line));
  return static_cast<int>(
      rt::send_foreign_message_native(window, kLineLength, static_cast<uintptr_t>(index), 0).value_or(0));
}

void ForeignEditControl::get_edit_caret_position(rt::WindowHandle window, int& line, int& column) const {
  // The whole start comes through the out parameter; the answer's low word wraps at 65536.
  uint32_t start = 0xFFFFFFFF, end = 0;
  std::optional<intptr_t> answer =
      rt::send_foreign_message(window, kGetSel, reinterpret_cast<uintptr_t>(&start), reinterpret_cast<intptr_t>(&end));
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
