#pragma once
// What the model-checking fuzz targets share: an input read front to back (so that seeds can be
// written by hand), and the plain rules of GBK text the models are built on. The models walk the
// text by characters as the page text reads them (rt::char_size_at, which the page_text target
// checks against the codec's other readers) and otherwise do everything the simple way: a search
// tries every character start, a replacement copies character by character.
#include <errno.h>
#include <iconv.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/gbk_text.h"

namespace fuzz {

// The input, read front to back; missing bytes read 0.
struct Input {
  const uint8_t* data;
  size_t size, at = 0;
  uint8_t byte() { return at < size ? data[at++] : 0; }
  bool flag() { return byte() & 1; }
  // A number from lo to hi (inclusive), from one byte, or two when the range is wider.
  int number(int lo, int hi) {
    unsigned span = static_cast<unsigned>(hi - lo) + 1;
    unsigned raw = byte();
    if (span > 256) raw |= unsigned{byte()} << 8;
    return lo + static_cast<int>(raw % span);
  }
  long long wide_number() {
    unsigned long long raw = 0;
    for (int i = 0; i < 8; ++i) raw |= static_cast<unsigned long long>(byte()) << (8 * i);
    return static_cast<long long>(raw);
  }
  // A length byte (up to max), then that many bytes.
  std::string text(size_t max = 255) {
    size_t n = byte() % (max + 1);
    if (n > size - at) n = size - at;
    std::string s(reinterpret_cast<const char*>(data + at), n);
    at += n;
    return s;
  }
  std::string rest() {
    std::string s(reinterpret_cast<const char*>(data + at), size - at);
    at = size;
    return s;
  }
  bool done() const { return at >= size; }
};

// glibc's conversion of a whole buffer: run gives 0, or the errno it stopped with (EILSEQ,
// EINVAL), or -1 for an irreversible conversion.
struct Converter {
  iconv_t cd;
  Converter(const char* to, const char* from) : cd(iconv_open(to, from)) {}
  ~Converter() { iconv_close(cd); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  int run(std::string_view in, std::string& out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    out.assign(4 * in.size() + 16, '\0');
    char* i = const_cast<char*>(in.data());
    size_t il = in.size();
    char* o = out.data();
    size_t ol = out.size();
    size_t r = iconv(cd, &i, &il, &o, &ol);
    int status = r == static_cast<size_t>(-1) ? errno : r != 0 ? -1 : 0;
    out.resize(out.size() - ol);
    return status;
  }
};

inline std::string le_bytes_of(std::u16string_view units) {
  std::string s;
  for (char16_t u : units) {
    s += static_cast<char>(u & 0xFF);
    s += static_cast<char>(u >> 8);
  }
  return s;
}

// UTF-8 of UTF-16 units, by glibc; false when they are not whole characters.
inline bool utf8_by_iconv(std::u16string_view units, std::string& out) {
  static Converter writer("UTF-8", "UTF-16LE");
  return writer.run(le_bytes_of(units), out) == 0;
}

// Where the characters of t start, with t's size at the end; and the same as a look-up table.
inline std::vector<size_t> starts_of(std::string_view t) {
  std::vector<size_t> b;
  for (size_t i = 0; i < t.size(); i += rt::char_size_at(t, i)) b.push_back(i);
  b.push_back(t.size());
  return b;
}
inline std::vector<bool> boundary_table(std::string_view t) {
  std::vector<bool> at(t.size() + 1, false);
  for (size_t i : starts_of(t)) at[i] = true;
  return at;
}

inline char fold_letter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// The characters of t (whole ones, in order).
inline std::vector<std::string_view> characters(std::string_view t) {
  std::vector<std::string_view> out;
  for (size_t i = 0; i < t.size();) {
    size_t n = rt::char_size_at(t, i);
    out.push_back(t.substr(i, n));
    i += n;
  }
  return out;
}

// ASCII letters lowered, characters of more than one byte as they are.
inline std::string lowered(std::string_view t) {
  std::string out;
  for (std::string_view c : characters(t)) out += c.size() == 1 ? std::string(1, fold_letter(c[0])) : std::string(c);
  return out;
}

// Whether `what` stands at byte i of text as whole characters of the text; letters of single
// bytes compared without case when asked.
inline bool occurs_at(std::string_view text, const std::vector<bool>& at, size_t i, std::string_view what,
                      bool ignore_case) {
  if (what.empty() || i + what.size() > text.size() || !at[i] || !at[i + what.size()]) return false;
  for (size_t j = 0; j < what.size();) {
    size_t n = rt::char_size_at(text, i + j);
    if (n >= 2) {
      if (text.compare(i + j, n, what.substr(j, n)) != 0) return false;
    } else if (ignore_case ? fold_letter(text[i + j]) != fold_letter(what[j]) : text[i + j] != what[j]) {
      return false;
    }
    j += n;
  }
  return true;
}

// The first occurrence at or after byte `from` (0-based), or npos.
inline size_t first_occurrence(std::string_view text, const std::vector<bool>& at, std::string_view what, size_t from,
                               bool ignore_case) {
  for (size_t i = from; i < text.size(); ++i)
    if (occurs_at(text, at, i, what, ignore_case)) return i;
  return std::string_view::npos;
}

// Every occurrence replaced, left to right, never inside a replacement; `count` gets how many.
inline std::string replaced_everywhere(std::string_view text, std::string_view what, std::string_view with,
                                       bool ignore_case, int* count = nullptr) {
  std::vector<bool> at = boundary_table(text);
  std::string out;
  int n = 0;
  for (size_t i = 0; i < text.size();) {
    if (occurs_at(text, at, i, what, ignore_case)) {
      out += with;
      i += what.size();
      ++n;
    } else {
      size_t k = rt::char_size_at(text, i);
      out += text.substr(i, k);
      i += k;
    }
  }
  if (count) *count = n;
  return out;
}

// The pieces between separators found on character boundaries (case kept): an empty text has
// none, a separator at the end adds no empty piece, an empty separator gives the whole text.
inline std::vector<std::string> pieces_between(std::string_view text, std::string_view separator) {
  std::vector<std::string> out;
  if (text.empty()) return out;
  if (separator.empty()) return {std::string(text)};
  std::vector<bool> at = boundary_table(text);
  size_t start = 0;
  for (size_t i = 0; i < text.size();) {
    if (occurs_at(text, at, i, separator, false)) {
      out.emplace_back(text.substr(start, i - start));
      i += separator.size();
      start = i;
    } else {
      i += rt::char_size_at(text, i);
    }
  }
  if (start < text.size()) out.emplace_back(text.substr(start));
  return out;
}

// Whether some character of t is the single byte c.
inline bool holds_char(std::string_view t, char c) {
  for (std::string_view ch : characters(t))
    if (ch.size() == 1 && ch[0] == c) return true;
  return false;
}

}  // namespace fuzz
