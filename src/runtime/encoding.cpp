#include "runtime/encoding.h"

#include <optional>

#include "runtime/page_text.h"

namespace rt {
namespace {

using encoding_detail::Codec;

enum class Name { kUtf16, kUtf16Be, kUtf16Le, kUtf8, kGbk, kGb18030, kGb2312 };

bool same_ascii_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

std::optional<Name> parse_name(std::string_view name) {
  static constexpr std::pair<std::string_view, Name> kNames[] = {
      {"UTF-16", Name::kUtf16}, {"UTF-16BE", Name::kUtf16Be}, {"UTF-16LE", Name::kUtf16Le}, {"UTF-8", Name::kUtf8},
      {"GBK", Name::kGbk},      {"GB18030", Name::kGb18030},  {"GB2312", Name::kGb2312}};
  for (const auto& [text, value] : kNames) {
    if (same_ascii_case(name, text)) return value;
  }
  return std::nullopt;
}

Codec codec_of(Name n) {
  switch (n) {
    case Name::kUtf16:
    case Name::kUtf16Be:
      return Codec::kUtf16Be;
    case Name::kUtf16Le:
      return Codec::kUtf16Le;
    case Name::kUtf8:
      return Codec::kUtf8;
    case Name::kGbk:
    case Name::kGb2312:
      return Codec::kGbk;
    case Name::kGb18030:
      return Codec::kGb18030;
  }
  return Codec::kUtf8;
}

constexpr bool in_a1_fe(unsigned char b) { return b >= 0xA1 && b <= 0xFE; }

// ASCII and codes whose two bytes both lie in A1..FE. Applied to GBK output the pairs are
// already aligned; applied to input it also rejects a lead byte without its trail.
bool only_gb2312_codes(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      ++i;
    } else if (in_a1_fe(b) && i + 1 < s.size() && in_a1_fe(static_cast<unsigned char>(s[i + 1]))) {
      i += 2;
    } else {
      return false;
    }
  }
  return true;
}

bool starts_with(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

}  // namespace

std::string convert_encoding(std::string_view bytes, std::string_view from, std::string_view to, bool* ok) {
  bool ignored = false;
  bool& good = ok ? *ok : ignored;
  good = false;
  std::optional<Name> source = parse_name(from);
  std::optional<Name> target = parse_name(to);
  if (!source || !target) return {};

  std::string_view in = bytes;
  if (*source == Name::kUtf16) {
    // libiconv's reading: a mark chooses the byte order and is consumed; big-endian without one.
    if (starts_with(in, "\xFF\xFE")) {
      source = Name::kUtf16Le;
      in.remove_prefix(2);
    } else if (starts_with(in, "\xFE\xFF")) {
      in.remove_prefix(2);
    }
  } else if (*source == Name::kGb2312 && !only_gb2312_codes(in)) {
    return {};
  }
  if (in.empty()) {
    good = true;
    return {};
  }

  std::string out;
  if (!encoding_detail::platform_convert(in, codec_of(*source), codec_of(*target), out)) return {};
  if (*target == Name::kGb2312 && !only_gb2312_codes(out)) return {};
  if (*target == Name::kUtf16) out.insert(0, "\xFE\xFF");  // libiconv's writing: a mark, then big-endian.
  good = true;
  return out;
}

DecodedFile decode_file(std::string_view bytes) {
  DecodedFile r;
  bool decoded = false;
  // The mark chooses the decoding and is no character of the page. A file starting EF BB
  // without BF is decoded from its first byte: it may still be UTF-8 (EF BB 80 is U+FEC0).
  if (starts_with(bytes, "\xFF\xFE") || starts_with(bytes, "\xFE\xFF")) {
    decoded = utf16_bytes_to_page_text(bytes.substr(2), bytes[0] == '\xFE', r.text);
  } else if (starts_with(bytes, "\xEF\xBB")) {
    decoded = utf8_to_page_text(starts_with(bytes, "\xEF\xBB\xBF") ? bytes.substr(3) : bytes, r.text);
  }
  // Any other file, and one its mark does not decode, is taken as it is: an empty page would
  // be saved over the original.
  if (!decoded) return raw_file_text(bytes);
  std::size_t zero = r.text.find('\0');
  r.cut = zero != std::string::npos;
  if (r.cut) r.text.resize(zero);
  return r;
}

DecodedFile raw_file_text(std::string_view bytes) {
  std::size_t zero = bytes.find('\0');
  return {std::string(bytes.substr(0, zero)), zero != std::string_view::npos};
}

DecodedFile take_file_text(std::string&& bytes, bool decode) {
  if (decode && (starts_with(bytes, "\xFF\xFE") || starts_with(bytes, "\xFE\xFF") || starts_with(bytes, "\xEF\xBB")))
    return decode_file(bytes);
  DecodedFile r;
  std::size_t zero = bytes.find('\0');
  r.cut = zero != std::string::npos;
  if (r.cut) bytes.resize(zero);
  r.text = std::move(bytes);
  return r;
}

std::string decode_file_bytes(std::string_view bytes) { return decode_file(bytes).text; }

std::string utf8_to_gbk_text(std::string_view bytes) {
  std::string text;
  if (!utf8_to_page_text(bytes, text)) return {};
  return text;
}

}  // namespace rt
