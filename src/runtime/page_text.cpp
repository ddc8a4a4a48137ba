#include "runtime/page_text.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#include "runtime/encoding.h"
#include "runtime/gb18030_tables.h"

namespace rt {
namespace {

using namespace gb18030;

constexpr char32_t kReplacement = 0xFFFD;

// The written form of a character below U+10000: 0 none, 0x80 the single byte, a two-byte code
// (lead << 8 | trail), or the four bytes of a four-byte code (first << 24 | ... | last).

constexpr bool is_surrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }
constexpr bool is_high_surrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool is_low_surrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
constexpr bool is_byte_escape(char32_t c) { return c >= kByteEscapeBase + 0x81 && c <= kByteEscapeBase + 0xFF; }
constexpr bool is_trail(unsigned b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }
constexpr bool is_lead(unsigned b) { return b >= 0x81 && b <= 0xFE; }
constexpr bool is_digit(unsigned b) { return b >= 0x30 && b <= 0x39; }

constexpr std::uint32_t four_byte_form(std::uint32_t linear) {
  std::uint32_t b4 = 0x30 + linear % 10;
  linear /= 10;
  std::uint32_t b3 = 0x81 + linear % 126;
  linear /= 126;
  std::uint32_t b2 = 0x30 + linear % 10;
  std::uint32_t b1 = 0x81 + linear / 10;
  return b1 << 24 | b2 << 16 | b3 << 8 | b4;
}

struct Tables {
  std::vector<char32_t> two = std::vector<char32_t>(kTwoByteCodes);       // by two-byte index; 0 none
  std::vector<char16_t> four = std::vector<char16_t>(kBmpFourByteCodes);  // by four-byte index; 0 none
  std::vector<std::uint32_t> bmp = std::vector<std::uint32_t>(0x10000);   // by code point
  // Characters above U+FFFF written with a two-byte code, sorted (none with code page 936 as
  // Windows and Wine have it: it uses every two-byte code itself).
  std::vector<std::pair<char32_t, std::uint32_t>> supplementary_two;
  // The same again for the common case, one look-up each way: by the two bytes (lead << 8 |
  // trail) the character below U+10000, and by the character its two-byte code; 0 otherwise.
  std::vector<char16_t> by_code = std::vector<char16_t>(0x10000);
  std::vector<std::uint16_t> code_of = std::vector<std::uint16_t>(0x10000);
};

std::uint32_t supplementary_two_byte(const Tables& t, char32_t c) {
  auto it = std::lower_bound(t.supplementary_two.begin(), t.supplementary_two.end(), std::make_pair(c, 0u));
  return it != t.supplementary_two.end() && it->first == c ? it->second : 0;
}

bool encoded(const Tables& t, char32_t c) { return c <= 0xFFFF ? t.bmp[c] != 0 : supplementary_two_byte(t, c) != 0; }

Tables build_tables() {
  Tables t;
  t.bmp[0x20AC] = 0x80;
  // Code page 936 first: a character takes its first code there, a second code of the same
  // character is no character (its bytes become escapes, so that they stay as they are).
  std::u16string cp936;
  encoding_detail::code_page_936_two_byte_codes(cp936);
  for (std::uint32_t i = 0; i < kTwoByteCodes && i < cp936.size(); ++i) {
    char32_t c = cp936[i];
    if (c < 0x80 || is_surrogate(c) || t.bmp[c] != 0) continue;
    t.two[i] = c;
    t.bmp[c] = two_byte_code(i);
  }
  // GB18030's own two-byte codes where code page 936 leaves the code free.
  for (const Gb18030Run& r : kGb18030TwoByteDecode) {
    for (std::uint32_t k = 0; k < r.count; ++k) {
      char32_t c = r.second + k;
      if (t.two[r.first + k] != 0 || encoded(t, c)) continue;
      t.two[r.first + k] = c;
      if (c <= 0xFFFF) {
        t.bmp[c] = two_byte_code(r.first + k);
      } else {
        t.supplementary_two.emplace_back(c, two_byte_code(r.first + k));
      }
    }
  }
  std::sort(t.supplementary_two.begin(), t.supplementary_two.end());
  // The four-byte codes of the characters still without a form.
  std::vector<bool> known(kBmpFourByteCodes);
  for (const Gb18030Run& r : kGb18030FourByteDecode) {
    for (std::uint32_t k = 0; k < r.count; ++k) {
      char32_t c = r.second + k;
      known[r.first + k] = true;
      if (t.bmp[c] != 0) continue;
      t.four[r.first + k] = static_cast<char16_t>(c);
      t.bmp[c] = four_byte_form(r.first + k);
    }
  }
  // A character GB18030 writes with a two-byte code that code page 936 gives another character
  // takes that other one's four-byte code, which is free here.
  for (const Gb18030Run& r : kGb18030TwoByteDecode) {
    for (std::uint32_t k = 0; k < r.count; ++k) {
      char32_t c = r.second + k, other = t.two[r.first + k];
      if (c > 0xFFFF || t.bmp[c] != 0 || other == 0 || other > 0xFFFF) continue;
      const Gb18030Run* run = find_run(kGb18030FourByteEncode, other);
      if (!run) continue;
      std::uint32_t index = run->second + (other - run->first);
      if (t.four[index] != 0) continue;
      t.four[index] = static_cast<char16_t>(c);
      t.bmp[c] = four_byte_form(index);
    }
  }
  // The few left are those GB18030 moved from four-byte codes it now leaves unused: they get
  // those codes back, in order (as GB18030 had them, both counting up).
  std::vector<std::uint32_t> free_codes;
  for (std::uint32_t i = 0; i < kBmpFourByteCodes; ++i)
    if (!known[i] && t.four[i] == 0) free_codes.push_back(i);
  std::vector<char16_t> homeless;
  for (char32_t c = 0x80; c <= 0xFFFF; ++c)
    if (!is_surrogate(c) && t.bmp[c] == 0) homeless.push_back(static_cast<char16_t>(c));
  if (free_codes.size() == homeless.size()) {
    for (std::size_t k = 0; k < homeless.size(); ++k) {
      t.four[free_codes[k]] = homeless[k];
      t.bmp[homeless[k]] = four_byte_form(free_codes[k]);
    }
  }
  for (std::uint32_t i = 0; i < kTwoByteCodes; ++i) {
    char32_t c = t.two[i];
    if (c == 0 || c > 0xFFFF) continue;
    t.by_code[two_byte_code(i)] = static_cast<char16_t>(c);
    t.code_of[c] = static_cast<std::uint16_t>(two_byte_code(i));
  }
  return t;
}

const Tables& tables() {
  static const Tables t = build_tables();
  return t;
}

struct Read {
  char32_t c;
  std::uint32_t size;
};

constexpr Read escape(unsigned b) { return {kByteEscapeBase + b, 1}; }

// The character at p (p[0] >= 0x80), `left` bytes on.
inline Read read_non_ascii(const Tables& t, const unsigned char* p, std::size_t left) {
  unsigned b1 = p[0];
  if (b1 == 0x80) return {0x20AC, 1};
  if (b1 == 0xFF || left < 2) return escape(b1);
  unsigned b2 = p[1];
  if (is_trail(b2)) {
    char32_t c = t.two[two_byte_index(b1, b2)];
    return c != 0 ? Read{c, 2} : escape(b1);
  }
  if (!is_digit(b2) || left < 4 || !is_lead(p[2]) || !is_digit(p[3])) return escape(b1);
  std::uint32_t linear = (((b1 - 0x81) * 10 + (b2 - 0x30)) * 126 + (p[2] - 0x81)) * 10 + (p[3] - 0x30);
  if (linear < kBmpFourByteCodes) {
    char32_t c = t.four[linear];
    return c != 0 ? Read{c, 4} : escape(b1);
  }
  std::uint32_t offset = linear - kGb18030SupplementaryFirst;
  if (linear < kGb18030SupplementaryFirst || offset >= 0x100000) return escape(b1);
  char32_t c = 0x10000 + offset;
  return supplementary_two_byte(t, c) == 0 ? Read{c, 4} : escape(b1);
}

template <class Unit>
Unit* put_units(char32_t c, Unit* o) {
  if (c <= 0xFFFF) {
    *o++ = static_cast<Unit>(c);
  } else {
    c -= 0x10000;
    *o++ = static_cast<Unit>(0xD800 + (c >> 10));
    *o++ = static_cast<Unit>(0xDC00 + (c & 0x3FF));
  }
  return o;
}

char* put_bmp_form(std::uint32_t form, char* o) {
  if (form > 0xFFFF) {
    o[0] = static_cast<char>(form >> 24);
    o[1] = static_cast<char>(form >> 16 & 0xFF);
    o[2] = static_cast<char>(form >> 8 & 0xFF);
    o[3] = static_cast<char>(form & 0xFF);
    return o + 4;
  }
  if (form < 0x100) {
    *o++ = static_cast<char>(form);
  } else {
    *o++ = static_cast<char>(form >> 8);
    *o++ = static_cast<char>(form & 0xFF);
  }
  return o;
}

char* put_character(const Tables& t, char32_t c, char* o) {
  if (c < 0x80) {
    *o++ = static_cast<char>(c);
  } else if (c <= 0xFFFF) {
    o = put_bmp_form(t.bmp[c], o);
  } else if (std::uint32_t code = supplementary_two_byte(t, c)) {
    o = put_bmp_form(code, o);
  } else {
    o = put_bmp_form(four_byte_form(kGb18030SupplementaryFirst + (c - 0x10000)), o);
  }
  return o;
}

std::size_t form_size(std::uint32_t form) { return form > 0xFFFF ? 4 : form > 0xFF ? 2 : 1; }

std::size_t character_size(const Tables& t, char32_t c) {
  if (c < 0x80) return 1;
  if (c <= 0xFFFF) return form_size(t.bmp[c]);
  std::uint32_t code = supplementary_two_byte(t, c);
  return code ? form_size(code) : 4;
}

// The bytes of units: counted, or written to out (which has room for them). One walk serves
// both, so the text is written once into a string of its exact size.
template <bool kWrite, class Unit>
std::size_t encode_units(const Tables& t, std::basic_string_view<Unit> units, char* out, bool& whole) {
  static_assert(sizeof(Unit) == 2, "UTF-16 units");
  std::size_t n = 0;
  const std::size_t count = units.size();
  for (std::size_t i = 0; i < count; ++i) {
    char32_t c = static_cast<char16_t>(units[i]);
    if (c < 0x80) {
      // ASCII comes in runs.
      std::size_t end = i + 1;
      while (end < count && static_cast<char16_t>(units[end]) < 0x80) ++end;
      if constexpr (kWrite)
        for (std::size_t k = i; k < end; ++k) out[n + k - i] = static_cast<char>(units[k]);
      n += end - i;
      i = end - 1;
      continue;
    }
    if (std::uint16_t code = t.code_of[c]) {
      if constexpr (kWrite) {
        out[n] = static_cast<char>(code >> 8);
        out[n + 1] = static_cast<char>(code & 0xFF);
      }
      n += 2;
      continue;
    }
    if (std::uint32_t form = t.bmp[c]; form > 0xFFFF) {
      if constexpr (kWrite) put_bmp_form(form, out + n);
      n += 4;
      continue;
    }
    if (is_surrogate(c)) {
      if (is_high_surrogate(c) && i + 1 < count && is_low_surrogate(static_cast<char16_t>(units[i + 1]))) {
        c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char16_t>(units[++i]) - 0xDC00);
      } else if (is_byte_escape(c)) {
        if constexpr (kWrite) out[n] = static_cast<char>(c - kByteEscapeBase);
        ++n;
        continue;
      } else {
        whole = false;
        c = kReplacement;
      }
    }
    if constexpr (kWrite) {
      n = static_cast<std::size_t>(put_character(t, c, out + n) - out);
    } else {
      n += character_size(t, c);
    }
  }
  return n;
}

}  // namespace

PageChar page_char_at(std::string_view text, std::size_t i) {
  auto b = static_cast<unsigned char>(text[i]);
  if (b < 0x80) return {};
  Read r = read_non_ascii(tables(), reinterpret_cast<const unsigned char*>(text.data()) + i, text.size() - i);
  return {r.size, r.c > 0xFFFF ? 2u : 1u};
}

std::size_t page_text_units(std::string_view text) {
  const Tables& t = tables();
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  std::size_t units = 0;
  while (p < end) {
    if (*p < 0x80) {
      ++p;
      ++units;
      continue;
    }
    Read r = read_non_ascii(t, p, static_cast<std::size_t>(end - p));
    p += r.size;
    units += r.c > 0xFFFF ? 2 : 1;
  }
  return units;
}

template <class Unit>
std::basic_string<Unit> page_text_to_units(std::string_view text) {
  const Tables& t = tables();
  // Never more units than bytes: four bytes give at most two. The units go in a block at a
  // time, so that of the room a large text takes only what its units fill is ever touched (a
  // Chinese text fills half).
  std::basic_string<Unit> out;
  out.reserve(text.size());
  constexpr std::size_t kBlock = 4096;
  Unit block[kBlock + 8];
  Unit* o = block;
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  while (p < end) {
    if (o - block >= static_cast<std::ptrdiff_t>(kBlock)) {
      out.append(block, static_cast<std::size_t>(o - block));
      o = block;
    }
    if (*p < 0x80) {
      *o++ = static_cast<Unit>(*p++);
      // ASCII comes in runs: eight bytes at a time while they last (and the block has room).
      for (std::uint64_t eight; end - p >= 8 && o - block <= static_cast<std::ptrdiff_t>(kBlock); p += 8, o += 8) {
        std::memcpy(&eight, p, sizeof eight);
        if (eight & 0x8080808080808080u) break;
        for (int k = 0; k < 8; ++k) o[k] = static_cast<Unit>(p[k]);
      }
      continue;
    }
    if (end - p >= 2) {
      if (char16_t c = t.by_code[p[0] << 8 | p[1]]) {
        *o++ = static_cast<Unit>(c);
        p += 2;
        continue;
      }
    }
    Read r = read_non_ascii(t, p, static_cast<std::size_t>(end - p));
    o = put_units(r.c, o);
    p += r.size;
  }
  out.append(block, static_cast<std::size_t>(o - block));
  return out;
}

template <class Unit>
std::string units_to_page_text(std::basic_string_view<Unit> units, bool* lossless) {
  const Tables& t = tables();
  bool whole = true;
  std::string out(encode_units<false>(t, units, nullptr, whole), '\0');
  encode_units<true>(t, units, out.data(), whole);
  if (lossless) *lossless = whole;
  return out;
}

template <class Unit>
ShownText units_to_shown_text(std::basic_string_view<Unit> units, bool* lossless) {
  ShownText shown;
  bool whole = true;
  shown.text = units_to_page_text<Unit>(units, &whole);
  if (lossless) *lossless = whole;
  // Only a byte escape of a lead byte can make one character with what follows it.
  auto joins = [](Unit u) { return is_byte_escape(static_cast<char16_t>(u)) && is_lead(static_cast<char16_t>(u) & 0xFF); };
  if (std::none_of(units.begin(), units.end(), joins)) return shown;
  // Read back, each character in its place: a lone surrogate written as U+FFFD reads as that.
  std::basic_string<Unit> written(units);
  if (!whole) {
    for (std::size_t i = 0; i < written.size(); ++i) {
      char32_t c = static_cast<char16_t>(written[i]);
      if (is_high_surrogate(c) && i + 1 < written.size() && is_low_surrogate(static_cast<char16_t>(written[i + 1])))
        ++i;
      else if (is_surrogate(c) && !is_byte_escape(c))
        written[i] = static_cast<Unit>(kReplacement);
    }
  }
  if (page_text_to_units<Unit>(shown.text) == written) return shown;
  const Tables& t = tables();
  shown.starts.assign(shown.text.size() + 1, 0);
  std::size_t at = 0;
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t c = static_cast<char16_t>(units[i]);
    unsigned char count = 1;
    std::size_t size = 1;
    if (is_high_surrogate(c) && i + 1 < units.size() && is_low_surrogate(static_cast<char16_t>(units[i + 1]))) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char16_t>(units[++i]) - 0xDC00);
      count = 2;
      size = character_size(t, c);
    } else if (is_byte_escape(c)) {
      size = 1;
    } else {
      size = character_size(t, is_surrogate(c) ? kReplacement : c);
    }
    shown.starts[at] = count;
    at += size;
  }
  shown.starts[at] = 1;
  return shown;
}

template std::basic_string<char16_t> page_text_to_units<char16_t>(std::string_view);
template std::string units_to_page_text<char16_t>(std::basic_string_view<char16_t>, bool*);
template ShownText units_to_shown_text<char16_t>(std::basic_string_view<char16_t>, bool*);
#if __SIZEOF_WCHAR_T__ == 2
template std::basic_string<wchar_t> page_text_to_units<wchar_t>(std::string_view);
template std::string units_to_page_text<wchar_t>(std::basic_string_view<wchar_t>, bool*);
template ShownText units_to_shown_text<wchar_t>(std::basic_string_view<wchar_t>, bool*);
#endif

namespace {

// The UTF-8 sequence at p < end: its character and size, or, when it is ill-formed, the size of
// its longest start that could still have been a character (at least 1) and ok false. So
// overlong forms, encoded surrogates and what lies past U+10FFFF are no UTF-8.
struct Utf8Read {
  char32_t c = 0;
  int size = 1;
  bool ok = false;
};
Utf8Read read_utf8(const unsigned char* p, const unsigned char* end) {
  unsigned b = *p;
  if (b < 0x80) return {b, 1, true};
  int more = 0;
  unsigned low = 0x80, high = 0xBF;
  char32_t c = 0;
  if (b >= 0xC2 && b <= 0xDF) {
    more = 1;
    c = b & 0x1F;
  } else if (b >= 0xE0 && b <= 0xEF) {
    more = 2;
    c = b & 0x0F;
    if (b == 0xE0) low = 0xA0;
    if (b == 0xED) high = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    more = 3;
    c = b & 0x07;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;
  } else {
    return {};
  }
  for (int k = 1; k <= more; ++k) {
    if (end - p <= k || p[k] < low || p[k] > high) return {0, k, false};
    c = c << 6 | (p[k] & 0x3F);
    low = 0x80;
    high = 0xBF;
  }
  return {c, more + 1, true};
}

// Into UTF-16 first (never more units than bytes), then written as the controls' text is. An
// ill-formed part fails the whole, or becomes U+FFFD when replacing.
bool utf8_into_page_text(std::string_view utf8, bool replacing, std::string& out) {
  std::u16string units(utf8.size(), u'\0');
  char16_t* o = units.data();
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* end = p + utf8.size();
  while (p < end) {
    if (*p < 0x80) {
      *o++ = static_cast<char16_t>(*p++);
      continue;
    }
    Utf8Read r = read_utf8(p, end);
    if (!r.ok && !replacing) return false;
    o = put_units(r.ok ? r.c : char32_t{0xFFFD}, o);
    p += r.size;
  }
  units.resize(static_cast<std::size_t>(o - units.data()));
  out = utf16_to_page_text(units);
  return true;
}

}  // namespace

bool utf8_to_page_text(std::string_view utf8, std::string& out) { return utf8_into_page_text(utf8, false, out); }

std::string utf8_to_page_text_replacing(std::string_view utf8) {
  std::string out;
  utf8_into_page_text(utf8, true, out);
  return out;
}

bool utf16_bytes_to_page_text(std::string_view bytes, bool big_endian, std::string& out) {
  if (bytes.size() % 2 != 0) return false;
  std::u16string units(bytes.size() / 2, u'\0');
  if (big_endian == (std::endian::native == std::endian::big)) {
    std::memcpy(units.data(), bytes.data(), bytes.size());
  } else {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    for (char16_t& u : units) {
      u = static_cast<char16_t>(big_endian ? (p[0] << 8 | p[1]) : (p[1] << 8 | p[0]));
      p += 2;
    }
  }
  // A surrogate without its partner is no character of a file (nor a byte escape here).
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (!is_surrogate(units[i])) continue;
    if (!is_high_surrogate(units[i]) || i + 1 == units.size() || !is_low_surrogate(units[i + 1])) return false;
    ++i;
  }
  out = utf16_to_page_text(units);
  return true;
}

bool page_text_to_utf8(std::string_view text, std::string& out) {
  const Tables& t = tables();
  out.clear();
  out.reserve(text.size() + text.size() / 2);
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  while (p < end) {
    if (*p < 0x80) {
      out += static_cast<char>(*p++);
      continue;
    }
    Read r = read_non_ascii(t, p, static_cast<std::size_t>(end - p));
    if (is_byte_escape(r.c)) return false;
    p += r.size;
    char32_t c = r.c;
    if (c < 0x800) {
      out += static_cast<char>(0xC0 | c >> 6);
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | c >> 12);
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | c >> 18);
      out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    }
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return true;
}

bool bytes_survive_the_controls(std::string_view bytes) {
  return utf16_to_page_text(page_text_to_utf16(bytes)) == bytes;
}

bool units_survive_the_page(std::u16string_view units) {
  bool characters_only = true;
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t c = units[i];
    if (!is_surrogate(c) || is_byte_escape(c)) continue;
    if (is_high_surrogate(c) && i + 1 < units.size() && is_low_surrogate(units[i + 1])) {
      ++i;
      continue;
    }
    characters_only = false;
  }
  bool lossless = false;
  std::string text = utf16_to_page_text(units, &lossless);
  if (!characters_only) return !lossless;
  if (!lossless) return false;
  // An escape is its byte again only where that byte cannot join its neighbours into a
  // character; a text of characters alone always comes back.
  bool escapes = std::any_of(units.begin(), units.end(), [](char16_t c) { return is_byte_escape(c); });
  return escapes || page_text_to_utf16(text) == units;
}

}  // namespace rt
