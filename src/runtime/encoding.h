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

// Page text from a file's bytes. A file starting FF FE, FE FF or EF BB is decoded as
// "UTF-16", "UTF-16BE" or "UTF-8" into GBK, else GB18030, else GB2312, without its mark;
// any other file, and one none of these decode, is taken as it is. The text ends before its
// first zero byte.
std::string decode_file_bytes(std::string_view bytes);

// UTF-8 into GBK, else GB18030, else GB2312 (a mark stays a character); up to the first zero
// byte; empty when none of the three succeeds.
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

// While a scope lives on a thread, the platform may keep what it made of one input on the way
// (the Windows build's UTF-16 form) for the next conversion of the very same input: the
// fallbacks of one decoding then read a large file once.
class ReuseScope {
 public:
  ReuseScope();
  ~ReuseScope();
  ReuseScope(const ReuseScope&) = delete;
  ReuseScope& operator=(const ReuseScope&) = delete;
};

}  // namespace encoding_detail

}  // namespace rt
