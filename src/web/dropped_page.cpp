#include "web/dropped_page.h"

#include "common/text_routines.h"
#include "runtime/encoding.h"
#include "runtime/gbk_text.h"

namespace {

// U+FEFF as GB18030 writes it.
constexpr std::string_view kGb18030Mark = "\x84\x31\x95\x33";

}  // namespace

std::string dropped_page_text(std::string_view reply) {
  std::string_view bytes = reply.substr(0, reply.find('\0'));
  std::string charset = rt::to_upper_ascii(text_between(bytes, "; charset=", "\""));
  if (charset != "UTF-8") return std::string(bytes);
  for (const char* target : {"GB18030", "GB2312", "GBK"}) {
    bool ok = false;
    std::string text = rt::convert_encoding(bytes, "UTF-8", target, &ok);
    if (!ok) continue;
    if (text.starts_with(kGb18030Mark)) text.erase(0, kGb18030Mark.size());
    return text;
  }
  return {};
}

std::string dropped_page_title(std::string_view page_text) {
  std::string title = rt::trim_both(text_between(page_text, "<title>", "</title>"));
  if (title.empty()) title = rt::trim_both(text_between(page_text, "<TITLE>", "</TITLE>"));
  return title;
}
