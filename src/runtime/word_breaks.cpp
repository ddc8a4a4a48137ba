#include "runtime/word_breaks.h"

namespace rt {
namespace {

bool in(char16_t c, std::u16string_view set) { return set.find(c) != std::u16string_view::npos; }

// Punctuation that closes: no line starts with it.
bool is_closing(char16_t c) {
  return in(c,
            u")]},.;:?!%"
            u"、。，．：；？！）］｝〉》」』】〕〗〙〛”’·・…‥％‰℃々ー");
}

// Punctuation that opens, and currency signs before a number: no line ends with it.
bool is_opening(char16_t c) { return in(c, u"([{（［｛〈《「『【〔〖〘〚“‘＄￥"); }

// Characters that take a cell of their own in CJK text: a line may break on either side.
bool is_wide(char16_t c) {
  return (c >= 0x1100 && c <= 0x11FF) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7AF) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF) ||
         in(c, u"“”‘’…‥·");
}

}  // namespace

bool is_word_delimiter(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\x3000'; }

bool may_break_before(std::u16string_view line, size_t index) {
  if (index == 0) return false;
  if (index >= line.size()) return true;
  char16_t before = line[index - 1], at = line[index];
  if (is_word_delimiter(at)) return false;
  if (is_word_delimiter(before)) return true;
  if (is_closing(at) || is_opening(before)) return false;
  return is_wide(before) || is_wide(at);
}

size_t break_left(std::u16string_view line, size_t index) {
  if (index > line.size()) index = line.size();
  if (index > 0) --index;
  while (index > 0 && !may_break_before(line, index)) --index;
  return index;
}

size_t break_right(std::u16string_view line, size_t index) {
  while (index < line.size() && !may_break_before(line, index)) ++index;
  return index < line.size() ? index : line.size();
}

}  // namespace rt
