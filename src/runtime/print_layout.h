#pragma once
// How the printer unit breaks a GBK text into printed lines.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

// The width of one character (one or two GBK bytes) on the page, in device units.
using CharWidth = std::function<int(std::string_view character)>;

// The printed lines of a text. A line ends at "\r\n", a lone "\r" or a lone "\n"; a break at
// the very end adds no empty line, and an empty text has no lines. A tab becomes spaces up to
// the next multiple of tab_columns bytes. A line wider than `width` is wrapped: after the last
// blank (ASCII or full-width space) that fits, else before the first character that does not
// fit; blanks where the line overflows stay at the end of the piece they follow. Every printed
// line holds at least one character, so nothing is lost to a narrow page.
std::vector<std::string> wrap_print_lines(std::string_view text, int width, const CharWidth& char_width,
                                          int tab_columns = 8);

}  // namespace rt
