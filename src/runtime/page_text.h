// Page text: the program's text as pages, files and the text routines hold it, and its one form
// in UTF-16, where the Unicode controls show it.
//
// Page text is GBK bytes that may also hold GB18030's four-byte codes and bytes that are no
// character at all. Reading it (towards the controls):
// - 00..7F is ASCII, 80 the euro sign (as code page 936 has it);
// - a two-byte code (lead 81..FE, trail 40..7E or 80..FE) is code page 936's character, the
//   user-defined cells (private use, as the system shows them) included;
// - a GB18030 four-byte code (81..FE 30..39 81..FE 30..39) is its character, below U+10000 or
//   above, when it is the form written for that character (below);
// - every other byte (a lead without a fitting trail, a trail without a lead, FF) is a byte
//   escape: the lone surrogate U+DC00 + byte (U+DC81..U+DCFF), which a control shows as a box
//   and which is written back as that byte. A damaged or foreign file thus keeps every byte it
//   had wherever the user did not edit it.
// Writing (from the controls): ASCII; code page 936's own form where it has the character (no
// best fit); else the GB18030 four-byte form. Code page 936 uses every two-byte code, so where
// GB18030 gives a character a two-byte code that code page 936 gives another (FE50 is U+2E81
// in GB18030, the private-use U+E815 in code page 936) the character takes the four-byte code
// GB18030 has for that other one, or, where GB18030 has none, the four-byte code it gave the
// character before it moved it (FE10 and 9FB4 to 9FBB). Every character thus has exactly one form.
// A lone surrogate outside the escapes is no character: it is written as U+FFFD and the writing
// reports the loss.
//
// So decoding then encoding gives every byte string back, and encoding then decoding every
// UTF-16 text of whole characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

constexpr char16_t kByteEscapeBase = 0xDC00;

// One character of page text as reading takes it: its bytes (1, 2 or 4) and its UTF-16 units
// (2 above U+FFFF, else 1).
struct PageChar {
  std::size_t bytes = 1;
  std::size_t units = 1;
};
// The character starting at index i < text.size().
PageChar page_char_at(std::string_view text, std::size_t i);
// The UTF-16 units of the whole text: what a control counts its characters by.
std::size_t page_text_units(std::string_view text);

// Towards the controls: never fails.
template <class Unit>
std::basic_string<Unit> page_text_to_units(std::string_view text);
// From the controls. *lossless (when given) says whether every unit arrived: false after a
// lone surrogate outside the escapes.
template <class Unit>
std::string units_to_page_text(std::basic_string_view<Unit> units, bool* lossless = nullptr);

inline std::u16string page_text_to_utf16(std::string_view text) { return page_text_to_units<char16_t>(text); }
inline std::string utf16_to_page_text(std::u16string_view units, bool* lossless = nullptr) {
  return units_to_page_text<char16_t>(units, lossless);
}

extern template std::basic_string<char16_t> page_text_to_units<char16_t>(std::string_view);
extern template std::string units_to_page_text<char16_t>(std::basic_string_view<char16_t>, bool*);
#if __SIZEOF_WCHAR_T__ == 2
extern template std::basic_string<wchar_t> page_text_to_units<wchar_t>(std::string_view);
extern template std::string units_to_page_text<wchar_t>(std::basic_string_view<wchar_t>, bool*);
#endif

// A control's text as page text, and where the control's characters begin in it when its bytes
// read otherwise than the control shows them. That happens only after an edit next to a byte
// escape of a lead byte: a lone 81 the user leaves before a typed "x" is written 81 78, which
// reads as one character, while the control still shows the box and the "x". What counts in the
// control's characters (the selection of a find) then goes by these marks, which are what the
// user sees.
struct ShownText {
  std::string text;
  // Empty while the bytes read as shown, each character in its place (a lone surrogate written
  // as U+FFFD is read in its place). Else one mark per byte and one for the end: 0 inside a
  // character of the control, else the UTF-16 units of the character beginning there (1 or 2;
  // 1 for the end).
  std::vector<unsigned char> starts;
};
template <class Unit>
ShownText units_to_shown_text(std::basic_string_view<Unit> units, bool* lossless = nullptr);
extern template ShownText units_to_shown_text<char16_t>(std::basic_string_view<char16_t>, bool*);
#if __SIZEOF_WCHAR_T__ == 2
extern template ShownText units_to_shown_text<wchar_t>(std::basic_string_view<wchar_t>, bool*);
#endif

// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF) into page text; false
// on an invalid or incomplete sequence, and then `out` is of no use.
bool utf8_to_page_text(std::string_view utf8, std::string& out);
// The same, never failing, as the system's conversion reads UTF-8: each ill-formed part (a byte
// that begins no sequence, or the longest start of one that does not go on) becomes U+FFFD, in
// its four-byte form 84 31 A4 37.
std::string utf8_to_page_text_replacing(std::string_view utf8);
// UTF-16 bytes of one byte order (no mark is read) into page text; false on an odd length or a
// surrogate without its partner.
bool utf16_bytes_to_page_text(std::string_view bytes, bool big_endian, std::string& out);
// Page text as UTF-8; false when it holds a byte escape, which is no character.
bool page_text_to_utf8(std::string_view text, std::string& out);

// The promises above as plain checks, for tests and fuzz targets:
// the bytes come back unchanged from the controls;
bool bytes_survive_the_controls(std::string_view bytes);
// a text of whole characters (byte escapes allowed) comes back unchanged and without a loss
// reported, while a text with any other lone surrogate is reported lossy.
bool units_survive_the_page(std::u16string_view units);

}  // namespace rt
