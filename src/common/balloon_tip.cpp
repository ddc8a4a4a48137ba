#include "common/balloon_tip.h"

#include "runtime/gbk_text.h"
#include "runtime/tooltip.h"

std::string balloon_tip_plain_text(std::string_view text) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    bool tag = text.compare(i, 5, "<font") == 0 || text.compare(i, 6, "</font") == 0;
    size_t end = tag ? text.find('>', i) : std::string_view::npos;
    if (end != std::string_view::npos) {
      i = end + 1;
      continue;
    }
    size_t n = rt::char_size_at(text, i);
    out.append(text.substr(i, n));
    i += n;
  }
  return out;
}

void set_balloon_tip(rt::Unit& unit, std::string_view text) { rt::set_tooltip(unit, balloon_tip_plain_text(text)); }
