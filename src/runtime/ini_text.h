// INI text, read and changed as the system's profile functions read and write it, but on the
// page text's bytes: a value holding a character code page 936 lacks (a folder with a Korean
// name) keeps its GB18030 four-byte code, where the profile functions of an ANSI file know code
// page 936 only and write "?" for it.
//
// Lines end at LF; each is read without the blanks around it (space, tab, CR, VT, FF, ^Z). A
// line "[name]" (up to its last "]") starts a section; any other line is a key, its name before
// the first "=" and its value after it, both without the blanks around them. Names are compared
// with ASCII letters folded. Only the first section of a name counts, and in it the first key of
// a name. Characters are read as the page text reads them, so a trail byte "]" or "=" of a
// double-byte character is never one of these marks.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rt {

// The key's value, without the quotes around it ("a b" or 'a b'); nothing when the section,
// the key or its "=" is missing, or the section or key name is empty.
std::optional<std::string> ini_value(std::string_view text, std::string_view section, std::string_view key);

// The text with the key set to the value (its leading blanks dropped, as the profile functions
// store it), or, with no value, without the key's line. Every other line stays as it was: a new
// key follows the last line of its section, a new section ends the text, each line ended by CR
// LF. The same text comes back when nothing changes, and for an empty section or key name.
std::string ini_with_value(std::string_view text, std::string_view section, std::string_view key,
                           std::optional<std::string_view> value);

}  // namespace rt
