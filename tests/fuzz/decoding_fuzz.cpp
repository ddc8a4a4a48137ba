// Decoding on open and conversion by name. The first byte of an input chooses the pair of names
// for convert_encoding; the whole input is also a file for decode_file_bytes and a reply body
// for utf8_to_gbk_text. What a file holds must come back when its page is written in the file's
// own encoding: no byte is lost on the way.
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "runtime/encoding.h"
#include "runtime/page_text.h"

namespace {

constexpr std::string_view kNames[] = {"UTF-16", "UTF-16BE", "UTF-16LE", "UTF-8", "GBK", "GB18030", "GB2312"};

std::string up_to_zero(std::string_view s) { return std::string(s.substr(0, s.find('\0'))); }

// The page holds the characters given (as UTF-8), up to the first U+0000, in their one page
// form: read back as UTF-8 they are those characters.
bool holds_characters(std::string_view page, std::string_view utf8) {
  std::string got;
  return rt::page_text_to_utf8(page, got) && got == up_to_zero(utf8);
}

void check_conversion(std::string_view bytes, std::string_view from, std::string_view to) {
  bool ok = true;
  std::string out = rt::convert_encoding(bytes, from, to, &ok);
  if (!ok) {
    FUZZ_CHECK(out.empty());
    return;
  }
  if (bytes.empty()) FUZZ_CHECK(out.empty());
  if (to == "UTF-16" && !out.empty()) FUZZ_CHECK(out.starts_with("\xFE\xFF"));
  // A text that went one way comes back the other, byte for byte ("UTF-16" as a source decides
  // its byte order by a mark it drops, so it is compared as what it read).
  std::string_view back_to = from == "UTF-16" ? std::string_view("UTF-16BE") : from;
  std::string expected(bytes);
  if (from == "UTF-16") {
    bool read = false;
    expected = rt::convert_encoding(bytes, "UTF-16", "UTF-16BE", &read);
    FUZZ_CHECK(read);
  }
  bool back_ok = false;
  std::string back = rt::convert_encoding(out, to, back_to, &back_ok);
  FUZZ_CHECK(back_ok);
  FUZZ_CHECK(back == expected);
}

void check_decoding(std::string_view bytes) {
  rt::DecodedFile decoded = rt::decode_file(bytes);
  const std::string& page = decoded.text;
  FUZZ_CHECK(page == rt::decode_file_bytes(bytes));
  FUZZ_CHECK(page.find('\0') == std::string::npos);
  // Whatever the page holds comes back from the edit box byte for byte.
  FUZZ_CHECK(rt::bytes_survive_the_controls(page));
  std::string raw = up_to_zero(bytes);

  std::string_view source, body = bytes;
  if (bytes.starts_with("\xFF\xFE")) {
    source = "UTF-16LE";
    body.remove_prefix(2);
  } else if (bytes.starts_with("\xFE\xFF")) {
    source = "UTF-16BE";
    body.remove_prefix(2);
  } else if (bytes.starts_with("\xEF\xBB")) {
    source = "UTF-8";
    if (bytes.starts_with("\xEF\xBB\xBF")) body.remove_prefix(3);
  } else {
    FUZZ_CHECK(page == raw);  // no mark: the bytes as they are
    FUZZ_CHECK(decoded.cut == (raw.size() != bytes.size()));
    return;
  }
  // Valid when it holds characters only: UTF-16 takes nothing beyond U+10FFFF, which the old
  // five- and six-byte forms of UTF-8 reach.
  bool valid = false;
  rt::convert_encoding(body, source, "UTF-16BE", &valid);
  std::string characters = valid ? rt::convert_encoding(body, source, "UTF-8", &valid) : std::string();
  if (!valid) {
    FUZZ_CHECK(page == raw);  // undecodable: kept as it is, never an empty page
    return;
  }
  // Every character arrives, private-use ones GB18030 gave up included.
  FUZZ_CHECK(holds_characters(page, characters));
  FUZZ_CHECK(decoded.cut == (characters.find('\0') != std::string::npos));
}

void check_reply(std::string_view bytes) {
  // A reply is all of its text, zeros included.
  std::string text = rt::utf8_to_gbk_text(bytes);
  bool valid = false;
  rt::convert_encoding(bytes, "UTF-8", "UTF-16BE", &valid);
  if (!valid) {
    FUZZ_CHECK(text.empty());
    return;
  }
  std::string got;
  FUZZ_CHECK(rt::page_text_to_utf8(text, got) && got == bytes);
}

// Text from the controls (the input's bytes as UTF-16 units): whole characters come back
// unchanged, and a lone surrogate outside the byte escapes is reported lost.
void check_units(std::string_view bytes) {
  std::u16string units;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
  FUZZ_CHECK(rt::units_survive_the_page(units));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input = fuzz::bytes_of(data, size);
  check_decoding(input);
  check_reply(input);
  check_units(input);
  if (input.empty()) return 0;
  constexpr size_t kCount = sizeof kNames / sizeof kNames[0];
  unsigned char pair = static_cast<unsigned char>(input[0]);
  check_conversion(input.substr(1), kNames[pair % kCount], kNames[pair / kCount % kCount]);
  return 0;
}
