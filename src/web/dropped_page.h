#pragma once
// The page a fetched web address becomes: its text and its name, read from the reply by markers
// (no HTML parser). GBK text out.
#include <string>
#include <string_view>

// The reply as page text, up to its first zero byte. A page whose declaration names the charset
// UTF-8 after "; charset=" (any case, up to the next double quote) is converted to GB18030, else
// GB2312, else GBK, the first that succeeds; none succeeding gives "". A UTF-8 mark at the start
// does not become a character. Any other page keeps its bytes.
std::string dropped_page_text(std::string_view reply);

// The text between "<title>" and "</title>", else between "<TITLE>" and "</TITLE>", trimmed of
// blanks at both ends; "" when neither gives a name.
std::string dropped_page_title(std::string_view page_text);
