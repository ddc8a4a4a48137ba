#include "texttools/paragraphs.h"

#include "runtime/gbk_text.h"

namespace {

constexpr std::string_view kLineBreak = "\r\n";

bool is_empty_or_blank(std::string_view line) { return rt::trim_left(line).empty(); }

// The line after the first `stop` (found on character boundaries), or the whole line.
std::string_view after_first(std::string_view line, std::string_view stop) {
  int p = rt::find_text(line, stop);
  return p < 0 ? line : line.substr(static_cast<size_t>(p - 1) + stop.size());
}

}  // namespace

std::string transform_paragraphs(std::string_view text, ParagraphRule rule) {
  static const std::string full_indent = rt::to_full_width("  ");
  static const std::string full_stop = rt::to_full_width(".");
  std::string out;
  out.reserve(text.size() + text.size() / 8 + 16);
  int number = 0;
  for (const std::string& line : rt::split_text(text, kLineBreak)) {
    switch (rule) {
      case ParagraphRule::Trim:
        out += rt::trim_both(line);
        break;
      case ParagraphRule::TrimStart:
        out += rt::trim_left(line);
        break;
      case ParagraphRule::TrimEnd:
        out += rt::trim_right(line);
        break;
      case ParagraphRule::DropEmpty:
        if (is_empty_or_blank(line)) continue;
        out += line;
        break;
      case ParagraphRule::IndentHalf:
        out += "  ";
        out += line;
        break;
      case ParagraphRule::IndentFull:
        out += full_indent;
        out += line;
        break;
      case ParagraphRule::Space:
        out += line;
        out += kLineBreak;
        break;
      case ParagraphRule::Number:
      case ParagraphRule::NumberFull: {
        if (is_empty_or_blank(line)) continue;
        std::string mark = rt::int_to_text(++number) + ".";
        out += rule == ParagraphRule::Number ? mark : rt::to_full_width(mark);
        out += rt::trim_left(line);
        break;
      }
      case ParagraphRule::Unnumber:
        if (is_empty_or_blank(line)) continue;
        out += "  ";
        out += after_first(line, ".");
        break;
      case ParagraphRule::UnnumberFull:
        if (is_empty_or_blank(line)) continue;
        out += full_indent;
        out += after_first(line, full_stop);
        break;
    }
    out += kLineBreak;
  }
  return out;
}
