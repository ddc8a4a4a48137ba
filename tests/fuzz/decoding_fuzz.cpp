// Decoding on open and conversion by name. The first byte of an input chooses the pair of names
// for convert_encoding; the whole input is also a file for decode_file_bytes and a reply body
// for utf8_to_gbk_text. What a file holds must come back when its page is written in the file's
// own encoding: no byte is lost on the way.
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "runtime/encoding.h"

namespace {

constexpr std::string_view kNames[] = {"UTF-16", "UTF-16BE", "UTF-16LE", "UTF-8", "GBK", "GB18030", "GB2312"};

std::string up_to_zero(std::string_view s) { return std::string(s.substr(0, s.find('\0'))); }

// The page holds the characters as GBK where GBK has them all, else as GB18030: read in that
// form, they are the characters given (as UTF-8), up to the first U+0000.
bool holds_characters(std::string_view page, std::string_view utf8, bool gbk_allowed) {
  bool gbk = false;
  rt::convert_encoding(utf8, "UTF-8", "GBK", &gbk);
  bool ok = false;
  std::string got = rt::convert_encoding(page, gbk && gbk_allowed ? "GBK" : "GB18030", "UTF-8", &ok);
  return ok && got == up_to_zero(utf8);
}

// GB18030 writes every character but some private-use cells it has given up (U+E817 ...); a
// text holding one cannot become page text.
bool gb18030_writes(std::string_view utf8) {
  bool ok = false;
  rt::convert_encoding(utf8, "UTF-8", "GB18030", &ok);
  return ok;
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
  std::string page = rt::decode_file_bytes(bytes);
  FUZZ_CHECK(page.find('\0') == std::string::npos);
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
    return;
  }
  bool valid = false;
  std::string characters = rt::convert_encoding(body, source, "UTF-8", &valid);
  if (!valid || !gb18030_writes(characters)) {
    FUZZ_CHECK(page == raw);  // undecodable: kept as it is, never an empty page
    return;
  }
  // A mark that the decoder reads as U+FEFF (all but FF FE) leaves GBK out.
  FUZZ_CHECK(holds_characters(page, characters, source == "UTF-16LE"));
}

void check_reply(std::string_view bytes) {
  std::string text = rt::utf8_to_gbk_text(bytes);
  FUZZ_CHECK(text.find('\0') == std::string::npos);
  bool valid = false;
  rt::convert_encoding(bytes, "UTF-8", "UTF-16BE", &valid);
  if (!valid || !gb18030_writes(bytes)) {
    FUZZ_CHECK(text.empty());
    return;
  }
  FUZZ_CHECK(holds_characters(text, bytes, true));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input = fuzz::bytes_of(data, size);
  check_decoding(input);
  check_reply(input);
  if (input.empty()) return 0;
  constexpr size_t kCount = sizeof kNames / sizeof kNames[0];
  unsigned char pair = static_cast<unsigned char>(input[0]);
  check_conversion(input.substr(1), kNames[pair % kCount], kNames[pair / kCount % kCount]);
  return 0;
}
