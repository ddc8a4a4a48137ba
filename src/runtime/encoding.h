// Conversion of whole buffers between encodings named as GNU libiconv names them, and the
// routines that turn a file's bytes into page text (GBK bytes).
//
// Names (ASCII case does not matter): "UTF-16", "UTF-16BE", "UTF-16LE", "UTF-8", "GBK",
// "GB18030", "GB2312". Both builds convert alike:
// - "UTF-16" as a source consumes a leading FF FE (then little-endian) or FE FF mark and reads
//   big-endian without one; as a target it writes FE FF and big-endian, as libiconv does.
//   "UTF-16BE", "UTF-16LE" and "UTF-8" neither read nor write a mark: a leading mark is the
//   character U+FEFF.
// - "GBK" is code page 936 without its private-use cells: the single byte 80 is the euro sign
//   (U+20AC, both ways), U+FEFF and characters only GB18030 has cannot be written.
// - "GB18030" is GBK's two-byte codes plus the four-byte forms (U+FEFF is 84 31 95 33); the
//   euro sign is A2 E3 and a single byte 80 is invalid.
// - "GB2312" is GBK restricted to ASCII and the codes whose two bytes both lie in A1..FE.
#pragma once

#include <string>
#include <string_view>

namespace rt {

// The whole input converted at once. An unknown name, an invalid or incomplete input sequence,
// or a character the target cannot represent gives an empty result and *ok = false; an empty
// input with known names gives an empty result and *ok = true.
std::string convert_encoding(std::string_view bytes, std::string_view from, std::string_view to, bool* ok = nullptr);

// Page text (runtime/page_text.h) from a file's bytes. A file starting FF FE, FE FF or EF BB
// is decoded as UTF-16LE, UTF-16BE or UTF-8, without its mark: every character keeps its one
// form there, GBK's where GBK has it. Any other file, and one its mark does not decode, is
// taken as it is. A page holds no zero, so the text ends before the first one; `cut` says
// that the file went on after it.
struct DecodedFile {
  std::string text;
  bool cut = false;
};
DecodedFile decode_file(std::string_view bytes);
// The bytes as they are, up to the first zero byte (the file taken without decoding).
DecodedFile raw_file_text(std::string_view bytes);
// decode_file (decode) or raw_file_text of bytes read for a page: a text taken as it is is the
// bytes themselves, not a copy of them (a large file's copy costs its first screen).
DecodedFile take_file_text(std::string&& bytes, bool decode);
std::string decode_file_bytes(std::string_view bytes);

// UTF-8 (a mark stays a character) into page text, all of it: a zero is a character like any
// other. Empty when the input is no UTF-8.
std::string utf8_to_gbk_text(std::string_view bytes);

namespace encoding_detail {

// What a platform converts; "UTF-16" and "GB2312" are built on these by the portable layer.
enum class Codec { kUtf16Be, kUtf16Le, kUtf8, kGbk, kGb18030 };

// One implementation per build (glibc iconv natively, code pages on Windows): the whole of a
// non-empty input into `out`; false on an invalid or incomplete input or an unrepresentable
// character, and then `out` holds nothing of use.
bool platform_convert(std::string_view in, Codec from, Codec to, std::string& out);

// Code page 936's character of every two-byte code (lead 81..FE, trail 40..7E and 80..FE, in
// that order; 0 for a code it lacks), its user-defined cells included: the system's own table
// on Windows, and natively GBK's with those cells as code page 936 places them.
void code_page_936_two_byte_codes(std::u16string& by_index);

}  // namespace encoding_detail

}  // namespace rt
