// The conversions of the Windows build: every source is decoded to UTF-16 and encoded from
// there. GBK is code page 936 made strict (no '?' for what it cannot map, no best fit) and
// without the private-use cells glibc's GBK lacks; GB18030 is our own, since code page 54936
// cannot be relied on (Wine has none): code page 936's two-byte codes plus the generated
// tables, which make it convert as glibc does.
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "runtime/encoding.h"
#include "runtime/gb18030_tables.h"

namespace rt::encoding_detail {
namespace {

using namespace gb18030;

static_assert(sizeof(wchar_t) == 2, "the code-page functions speak UTF-16");

constexpr unsigned kCodePage936 = 936;

constexpr bool is_private_use(unsigned c) { return c >= 0xE000 && c <= 0xF8FF; }
constexpr bool is_high_surrogate(unsigned c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool is_low_surrogate(unsigned c) { return c >= 0xDC00 && c <= 0xDFFF; }

bool fits_int(std::size_t n) { return n <= static_cast<std::size_t>(INT_MAX); }

// --- UTF-16 by hand ---------------------------------------------------------------------

bool decode_utf16(std::string_view in, bool big_endian, std::wstring& w) {
  if (in.size() % 2 != 0) return false;
  w.resize(in.size() / 2);
  const auto* p = reinterpret_cast<const unsigned char*>(in.data());
  for (std::size_t i = 0; i < w.size(); ++i, p += 2) {
    w[i] = static_cast<wchar_t>(big_endian ? (p[0] << 8 | p[1]) : (p[1] << 8 | p[0]));
  }
  for (std::size_t i = 0; i < w.size(); ++i) {
    unsigned c = w[i];
    if (is_high_surrogate(c)) {
      if (i + 1 == w.size() || !is_low_surrogate(w[i + 1])) return false;
      ++i;
    } else if (is_low_surrogate(c)) {
      return false;
    }
  }
  return true;
}

bool encode_utf16(std::wstring_view w, bool big_endian, std::string& out) {
  out.resize(w.size() * 2);
  for (std::size_t i = 0; i < w.size(); ++i) {
    unsigned c = w[i];
    char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
    out[2 * i] = big_endian ? hi : lo;
    out[2 * i + 1] = big_endian ? lo : hi;
  }
  return true;
}

// --- Code pages 65001 and 936 -----------------------------------------------------------

bool decode_code_page(std::string_view in, unsigned code_page, std::wstring& w) {
  if (!fits_int(in.size())) return false;
  w.resize(in.size());  // never more UTF-16 units than bytes
  int n = MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, in.data(), static_cast<int>(in.size()), w.data(),
                              static_cast<int>(w.size()));
  if (n <= 0) return false;
  w.resize(static_cast<std::size_t>(n));
  return true;
}

bool decode_gbk(std::string_view in, std::wstring& w) {
  if (!decode_code_page(in, kCodePage936, w)) return false;
  return std::none_of(w.begin(), w.end(), [](wchar_t c) { return is_private_use(c); });
}

bool encode_utf8(std::wstring_view w, std::string& out) {
  if (!fits_int(w.size())) return false;
  int size = static_cast<int>(w.size());
  int n = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, w.data(), size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return false;
  out.resize(static_cast<std::size_t>(n));
  return WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, w.data(), size, out.data(), n, nullptr, nullptr) == n;
}

bool encode_gbk(std::wstring_view w, std::string& out) {
  if (!fits_int(w.size())) return false;
  if (std::any_of(w.begin(), w.end(), [](wchar_t c) { return is_private_use(c); })) return false;
  int size = static_cast<int>(w.size());
  BOOL used_default = FALSE;
  // A text that fails does so early as a rule (a byte-order mark is its first character):
  // a short prefix tells before the whole text is measured.
  int prefix = std::min(size, 256);
  if (prefix < size && is_high_surrogate(w[static_cast<size_t>(prefix) - 1])) --prefix;  // never half a pair
  if (WideCharToMultiByte(kCodePage936, WC_NO_BEST_FIT_CHARS, w.data(), prefix, nullptr, 0, nullptr, &used_default) <=
          0 ||
      used_default)
    return false;
  int n = WideCharToMultiByte(kCodePage936, WC_NO_BEST_FIT_CHARS, w.data(), size, nullptr, 0, nullptr, &used_default);
  if (n <= 0 || used_default) return false;
  out.resize(static_cast<std::size_t>(n));
  n = WideCharToMultiByte(kCodePage936, WC_NO_BEST_FIT_CHARS, w.data(), size, out.data(), n, nullptr, &used_default);
  return n == static_cast<int>(out.size()) && !used_default;
}

// --- GB18030 ----------------------------------------------------------------------------

// Encoded form of a character below U+10000: 0 none, else a two-byte code (lead << 8 | trail)
// or kFourByte | four-byte index.
constexpr std::uint32_t kFourByte = 0x80000000u;

struct Gb18030Tables {
  std::vector<char32_t> two_byte = std::vector<char32_t>(kTwoByteCodes);       // by two-byte index; 0 invalid
  std::vector<char16_t> four_byte = std::vector<char16_t>(kBmpFourByteCodes);  // by four-byte index; 0 invalid
  std::vector<std::uint32_t> bmp = std::vector<std::uint32_t>(0x10000);        // by code point
};

Gb18030Tables build_gb18030_tables() {
  Gb18030Tables t;
  std::u16string cp936;
  code_page_936_two_byte_codes(cp936);
  for (std::uint32_t index = 0; index < kTwoByteCodes; ++index) {
    char16_t c = cp936[index];
    if (c == 0 || is_private_use(c)) continue;
    t.two_byte[index] = c;
    t.bmp[c] = two_byte_code(index);
  }
  for (const Gb18030Run& r : kGb18030TwoByteDecode) {
    for (std::uint32_t k = 0; k < r.count; ++k) t.two_byte[r.first + k] = r.second + k;
  }
  for (const Gb18030Run& r : kGb18030FourByteDecode) {
    for (std::uint32_t k = 0; k < r.count; ++k) t.four_byte[r.first + k] = static_cast<char16_t>(r.second + k);
  }
  for (const Gb18030Run& r : kGb18030TwoByteEncode) {
    for (std::uint32_t k = 0; k < r.count && r.first + k <= 0xFFFF; ++k)
      t.bmp[r.first + k] = two_byte_code(r.second + k);
  }
  for (const Gb18030Run& r : kGb18030FourByteEncode) {
    for (std::uint32_t k = 0; k < r.count; ++k) t.bmp[r.first + k] = kFourByte | (r.second + k);
  }
  return t;
}

const Gb18030Tables& gb18030_tables() {
  static const Gb18030Tables tables = build_gb18030_tables();
  return tables;
}

void put_code_point(char32_t c, std::wstring& w) {
  if (c <= 0xFFFF) {
    w.push_back(static_cast<wchar_t>(c));
  } else {
    c -= 0x10000;
    w.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
    w.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
  }
}

bool decode_gb18030(std::string_view in, std::wstring& w) {
  const Gb18030Tables& t = gb18030_tables();
  const auto* p = reinterpret_cast<const unsigned char*>(in.data());
  const std::size_t n = in.size();
  w.clear();
  w.reserve(n);
  for (std::size_t i = 0; i < n;) {
    unsigned b1 = p[i];
    if (b1 < 0x80) {
      w.push_back(static_cast<wchar_t>(b1));
      ++i;
      continue;
    }
    if (b1 == 0x80 || b1 == 0xFF || i + 1 == n) return false;
    unsigned b2 = p[i + 1];
    if (b2 >= 0x30 && b2 <= 0x39) {
      if (i + 3 >= n) return false;
      unsigned b3 = p[i + 2], b4 = p[i + 3];
      if (b3 < 0x81 || b3 > 0xFE || b4 < 0x30 || b4 > 0x39) return false;
      std::uint32_t linear = (((b1 - 0x81) * 10 + (b2 - 0x30)) * 126 + (b3 - 0x81)) * 10 + (b4 - 0x30);
      if (linear < kBmpFourByteCodes) {
        char16_t c = t.four_byte[linear];
        if (c == 0) return false;
        w.push_back(static_cast<wchar_t>(c));
      } else if (linear >= kGb18030SupplementaryFirst && linear - kGb18030SupplementaryFirst < 0x100000) {
        put_code_point(0x10000 + (linear - kGb18030SupplementaryFirst), w);
      } else {
        return false;
      }
      i += 4;
      continue;
    }
    if (b2 < 0x40 || b2 == 0x7F || b2 == 0xFF) return false;
    char32_t c = t.two_byte[(b1 - 0x81) * 190 + (b2 - 0x40) - (b2 > 0x7F ? 1 : 0)];
    if (c == 0) return false;
    put_code_point(c, w);
    i += 2;
  }
  return true;
}

void put_four_byte(std::uint32_t linear, std::string& out) {
  char b4 = static_cast<char>(0x30 + linear % 10);
  linear /= 10;
  char b3 = static_cast<char>(0x81 + linear % 126);
  linear /= 126;
  char b2 = static_cast<char>(0x30 + linear % 10);
  char b1 = static_cast<char>(0x81 + linear / 10);
  out += b1;
  out += b2;
  out += b3;
  out += b4;
}

bool encode_gb18030(std::wstring_view w, std::string& out) {
  const Gb18030Tables& t = gb18030_tables();
  out.clear();
  out.reserve(w.size() * 2);
  for (std::size_t i = 0; i < w.size(); ++i) {
    std::uint32_t c = w[i];
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    if (is_high_surrogate(c) && i + 1 < w.size() && is_low_surrogate(w[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<std::uint32_t>(w[i + 1]) - 0xDC00);
      ++i;
      if (const Gb18030Run* r = find_run(kGb18030TwoByteEncode, c)) {
        std::uint32_t code = two_byte_code(r->second + (c - r->first));
        out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
      } else {
        put_four_byte(kGb18030SupplementaryFirst + (c - 0x10000), out);
      }
      continue;
    }
    std::uint32_t code = t.bmp[c];  // lone surrogates have none
    if (code == 0) return false;
    if (code & kFourByte) {
      put_four_byte(code & ~kFourByte, out);
    } else {
      out += static_cast<char>(code >> 8);
      out += static_cast<char>(code & 0xFF);
    }
  }
  return true;
}

bool decode(std::string_view in, Codec from, std::wstring& w) {
  switch (from) {
    case Codec::kUtf16Be:
      return decode_utf16(in, true, w);
    case Codec::kUtf16Le:
      return decode_utf16(in, false, w);
    case Codec::kUtf8:
      return decode_code_page(in, CP_UTF8, w);
    case Codec::kGbk:
      return decode_gbk(in, w);
    case Codec::kGb18030:
      return decode_gb18030(in, w);
  }
  return false;
}

bool encode(std::wstring_view w, Codec to, std::string& out) {
  switch (to) {
    case Codec::kUtf16Be:
      return encode_utf16(w, true, out);
    case Codec::kUtf16Le:
      return encode_utf16(w, false, out);
    case Codec::kUtf8:
      return encode_utf8(w, out);
    case Codec::kGbk:
      return encode_gbk(w, out);
    case Codec::kGb18030:
      return encode_gb18030(w, out);
  }
  return false;
}

}  // namespace

void code_page_936_two_byte_codes(std::u16string& by_index) {
  by_index.assign(kTwoByteCodes, u'\0');
  for (std::uint32_t index = 0; index < kTwoByteCodes; ++index) {
    std::uint32_t code = two_byte_code(index);
    char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    wchar_t c = 0;
    if (MultiByteToWideChar(kCodePage936, MB_ERR_INVALID_CHARS, bytes, 2, &c, 1) == 1) by_index[index] = c;
  }
}

bool platform_convert(std::string_view in, Codec from, Codec to, std::string& out) {
  std::wstring w;
  return decode(in, from, w) && encode(w, to, out);
}

}  // namespace rt::encoding_detail
