#pragma once
// Line-by-line rewrites of a text whose paragraphs are the lines between "\r\n".
//
// The text is split at "\r\n" (a final "\r\n" ends the last line and adds no empty one); each
// line is rewritten by the rule and every kept line is written back followed by "\r\n". So a
// text without a final line break gains one, and an empty text stays empty. A line is empty
// when it has no bytes and blank when it has bytes but only spaces (ASCII or full-width).
#include <string>
#include <string_view>

enum class ParagraphRule {
  Trim,          // spaces off both ends; blank lines become empty, empty ones stay
  TrimStart,     // leading spaces off
  TrimEnd,       // trailing spaces off
  DropEmpty,     // empty and blank lines dropped, the others unchanged
  IndentHalf,    // "  " before every line
  IndentFull,    // two full-width spaces before every line
  Space,         // an empty line after every line
  Number,        // "n." before each non-blank line (leading spaces off); others dropped
  NumberFull,    // the same with full-width digits and full stop
  Unnumber,      // "  " + what follows the first "."; empty and blank lines dropped
  UnnumberFull,  // two full-width spaces + what follows the first full-width full stop
};

std::string transform_paragraphs(std::string_view text, ParagraphRule rule);
