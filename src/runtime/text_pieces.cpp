#include "runtime/text_pieces.h"

namespace rt {

size_t piece_end(std::u16string_view text, size_t from, size_t length, size_t slack) {
  if (from >= text.size() || text.size() - from <= length) return text.size();
  size_t end = from + (length > 0 ? length : 1);
  size_t lf = text.find(u'\n', end - 1);
  if (lf != std::u16string_view::npos && lf - (end - 1) <= slack) return lf + 1;
  // A piece of one unit can end the text; the view holds nothing past its end.
  if (end < text.size() && text[end - 1] == u'\r' && text[end] == u'\n') ++end;
  return end;
}

}  // namespace rt
