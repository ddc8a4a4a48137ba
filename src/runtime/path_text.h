// Paths as they cross to the system and back. Inside the program a path is page text
// (runtime/page_text.h), so a name with characters code page 936 lacks (Korean, emoji, "ß") is
// carried as their GB18030 four-byte codes, in the saved tab set and the configuration too; the
// system gets and gives the page text's UTF-16 form, so such a name reaches the system as itself.
// A byte that is no character stays that byte both ways (its byte escape): two paths of
// different bytes never name one file.
#pragma once

#include <string>
#include <string_view>

namespace rt {

// The UTF-16 form of a path. A path holding a zero byte gives "", which names no file: the
// system would read it only up to the zero, and so reach another one.
std::u16string path_to_utf16(std::string_view path);
// A name or path from the system as page text. *whole (when given) is false when a unit has no
// form (a lone surrogate that is no byte escape, written as U+FFFD): that name cannot be named
// again.
std::string utf16_to_path(std::u16string_view name, bool* whole = nullptr);

}  // namespace rt
