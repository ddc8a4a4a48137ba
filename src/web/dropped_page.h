#pragma once
// The page a fetched web address becomes: its text and its name, read from the reply by markers
// (no HTML parser). GBK text out.
#include <string>
#include <string_view>

// The reply as page text, without its zero bytes (the edit box could not hold them; the text
// after them stays). A page whose declaration names the charset UTF-8 after "; charset=" (any
// case, up to the next double quote) is converted, each character to the form the edit box
// shows (runtime/page_text.h); one that is no UTF-8 gives "". A UTF-8 mark at the start does
// not become a character. Any other page keeps its bytes.
std::string dropped_page_text(std::string_view reply);

// The text between "<title>" and "</title>", else between "<TITLE>" and "</TITLE>", trimmed of
// blanks at both ends; "" when neither gives a name.
std::string dropped_page_title(std::string_view page_text);
