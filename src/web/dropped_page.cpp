#include "web/dropped_page.h"

#include "common/text_routines.h"
#include "runtime/gbk_text.h"
#include "runtime/page_text.h"

namespace {

// U+FEFF in its page form.
constexpr std::string_view kMarkForm = "\x84\x31\x95\x33";

}  // namespace

std::string dropped_page_text(std::string_view reply) {
  // The page shows in the edit box, which ends a text at its first zero: the zeros go, the
  // text after them stays.
  std::string bytes = rt::without_zero_bytes(reply);
  std::string charset = rt::to_upper_ascii(text_between(bytes, "; charset=", "\""));
  if (charset != "UTF-8") return bytes;
  std::string text;
  if (!rt::utf8_to_page_text(bytes, text)) return {};
  if (text.starts_with(kMarkForm)) text.erase(0, kMarkForm.size());
  return text;
}

std::string dropped_page_title(std::string_view page_text) {
  std::string title = rt::trim_both(text_between(page_text, "<title>", "</title>"));
  if (title.empty()) title = rt::trim_both(text_between(page_text, "<TITLE>", "</TITLE>"));
  return title;
}
