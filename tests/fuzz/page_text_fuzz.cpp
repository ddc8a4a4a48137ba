// The page text codec on any bytes: its readers agree with each other (the character at a
// position, the unit count, the whole text's units, UTF-8, each character read alone); UTF-8 and
// UTF-16 files are read as glibc's iconv reads them, and UTF-8 with its ill-formed parts as the
// replacement rule says; every byte string comes back from the controls and every text of whole
// characters from the page, and where a text of the controls reads otherwise its characters are
// marked where they begin; and the page editor's word breaks and text pieces, given views of
// buffers of their exact size, stay inside them and follow their rules.
//
// Input: a byte of flags (1: UTF-16 big-endian), the word-break index, the piece's start,
// length and slack, then the bytes.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_models.h"
#include "runtime/gbk_text.h"
#include "runtime/page_text.h"
#include "runtime/text_pieces.h"
#include "runtime/word_breaks.h"

namespace {

using std::string;
using std::string_view;
using std::u16string;
using std::u16string_view;

using fuzz::Converter;
using fuzz::le_bytes_of;
using fuzz::utf8_by_iconv;

Converter& utf8_reader() {
  static Converter c("UTF-16LE", "UTF-8");
  return c;
}
Converter& utf16_reader(bool big_endian) {
  static Converter be("UTF-8", "UTF-16BE"), le("UTF-8", "UTF-16LE");
  return big_endian ? be : le;
}
Converter& gb18030_reader() {
  static Converter c("UTF-16LE", "GB18030");
  return c;
}
Converter& gbk_reader() {
  static Converter c("UTF-16LE", "GBK");
  return c;
}

u16string units_of_le(string_view bytes) {
  u16string u;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    u += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
  return u;
}

bool is_surrogate(char16_t u) { return u >= 0xD800 && u <= 0xDFFF; }
bool is_high(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool is_low(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }
bool is_escape(char16_t u) { return u >= rt::kByteEscapeBase + 0x81 && u <= rt::kByteEscapeBase + 0xFF; }

// ---------------------------------------------------------------- the readers agree

void check_readers(string_view t) {
  u16string all = rt::page_text_to_utf16(t);
  FUZZ_CHECK(rt::page_text_units(t) == all.size());
  FUZZ_CHECK(static_cast<size_t>(rt::char_count(t)) == all.size());
  // Character by character: each one read alone gives its units, and the characters' units make
  // up the whole text's.
  u16string pieced;
  bool escapes = false;
  size_t units = 0;
  for (size_t i = 0; i < t.size();) {
    rt::PageChar c = rt::page_char_at(t, i);
    FUZZ_CHECK(c.bytes == 1 || c.bytes == 2 || c.bytes == 4);
    FUZZ_CHECK(i + c.bytes <= t.size());
    FUZZ_CHECK(rt::char_size_at(t, i) == c.bytes);
    FUZZ_CHECK(rt::byte_pos_to_char_index(t, static_cast<int>(i) + 1) == static_cast<int>(units));
    FUZZ_CHECK(rt::char_index_to_byte_pos(t, static_cast<int>(units)) == static_cast<int>(i) + 1);
    string_view bytes = t.substr(i, c.bytes);
    u16string alone = rt::page_text_to_utf16(bytes);
    FUZZ_CHECK(alone.size() == c.units);
    FUZZ_CHECK(all.compare(units, c.units, alone) == 0);
    // What it reads is a character, or the escape of a byte that is none.
    if (c.units == 2) FUZZ_CHECK(is_high(alone[0]) && is_low(alone[1]) && c.bytes == 4);
    if (c.units == 1 && is_surrogate(alone[0])) {
      FUZZ_CHECK(c.bytes == 1 && is_escape(alone[0]) && alone[0] - rt::kByteEscapeBase == static_cast<unsigned char>(t[i]));
      escapes = true;
    }
    // glibc reads a character beyond U+FFFF from its four-byte code as we do, and a two-byte
    // code of GBK (code page 936 without its user-defined cells) as we do.
    string theirs;
    if (c.units == 2) FUZZ_CHECK(gb18030_reader().run(bytes, theirs) == 0 && theirs == le_bytes_of(alone));
    if (c.bytes == 2 && gbk_reader().run(bytes, theirs) == 0) FUZZ_CHECK(theirs == le_bytes_of(alone));
    pieced += alone;
    units += c.units;
    i += c.bytes;
  }
  FUZZ_CHECK(pieced == all);
  FUZZ_CHECK(rt::char_index_to_byte_pos(t, static_cast<int>(units)) == static_cast<int>(t.size()) + 1);

  // UTF-8 exactly when there is no escape, and then what glibc writes for the units.
  string utf8, expected;
  FUZZ_CHECK(rt::page_text_to_utf8(t, utf8) == !escapes);
  if (!escapes) {
    FUZZ_CHECK(utf8_by_iconv(all, expected) && utf8 == expected);
    string back;
    FUZZ_CHECK(rt::utf8_to_page_text(utf8, back) && back == t);
  }
}

// ---------------------------------------------------------------- files agree with iconv

// The units of the one character the UTF-8 sequence at p is, or nothing.
bool one_utf8_character(string_view s, u16string& units) {
  string out;
  if (utf8_reader().run(s, out) != 0 || (out.size() != 2 && out.size() != 4)) return false;
  units = units_of_le(out);
  return out.size() == 2 || (is_high(units[0]) && is_low(units[1]));
}

// Whether the bytes begin some UTF-8 sequence: some completion makes them one character. The
// second byte's range depends on the first (80..BF, A0..BF, 80..9F, 90..BF, 80..8F), later ones
// are 80..BF, so a second byte of 80, 90 or A0 meets every range.
bool starts_utf8_character(string_view prefix) {
  u16string ignored;
  for (size_t more = 1; prefix.size() + more <= 4; ++more) {
    for (char second : {'\x80', '\x90', '\xA0'}) {
      string s(prefix);
      for (size_t k = 0; k < more; ++k) s += prefix.size() == 1 && k == 0 ? second : '\x80';
      if (one_utf8_character(s, ignored)) return true;
      if (prefix.size() > 1) break;
    }
  }
  return false;
}

// The replacement rule: each ill-formed part, a byte that begins no sequence or the longest start
// of one that does not go on, is one U+FFFD.
u16string utf8_replacing_by_model(string_view s) {
  u16string units;
  for (size_t p = 0; p < s.size();) {
    u16string c;
    bool whole = false;
    for (size_t n = 1; n <= 4 && p + n <= s.size() && !whole; ++n) {
      whole = one_utf8_character(s.substr(p, n), c);
      if (whole) p += n;
    }
    if (whole) {
      units += c;
      continue;
    }
    size_t part = 1;
    for (size_t n = 2; n <= 3 && p + n <= s.size(); ++n)
      if (starts_utf8_character(s.substr(p, n))) part = n;
    units += u'\xFFFD';
    p += part;
  }
  return units;
}

void check_utf8_file(string_view s) {
  string page, theirs;
  bool ok = rt::utf8_to_page_text(s, page);
  FUZZ_CHECK(ok == (utf8_reader().run(s, theirs) == 0));
  if (ok) {
    FUZZ_CHECK(rt::page_text_to_utf16(page) == units_of_le(theirs));
    FUZZ_CHECK(rt::utf8_to_page_text_replacing(s) == page);
  } else if (s.size() <= 512) {
    FUZZ_CHECK(rt::utf8_to_page_text_replacing(s) == rt::utf16_to_page_text(utf8_replacing_by_model(s)));
  }
}

void check_utf16_file(string_view s, bool big_endian) {
  string page, theirs;
  bool ok = rt::utf16_bytes_to_page_text(s, big_endian, page);
  FUZZ_CHECK(ok == (utf16_reader(big_endian).run(s, theirs) == 0));
  if (ok) {
    string utf8;
    FUZZ_CHECK(rt::page_text_to_utf8(page, utf8) && utf8 == theirs);
  }
  // The other byte order reads the swapped bytes alike.
  string swapped(s);
  for (size_t i = 0; i + 1 < swapped.size(); i += 2) std::swap(swapped[i], swapped[i + 1]);
  string other;
  FUZZ_CHECK(rt::utf16_bytes_to_page_text(swapped, !big_endian, other) == ok);
  if (ok) FUZZ_CHECK(other == page);
}

// ---------------------------------------------------------------- everything comes back

void check_round_trips(string_view bytes) {
  bool lossless = false;
  FUZZ_CHECK(rt::utf16_to_page_text(rt::page_text_to_utf16(bytes), &lossless) == bytes);
  FUZZ_CHECK(lossless);

  // The bytes as units from a control.
  u16string units = units_of_le(bytes);
  bool whole = true;
  // Each unit or pair is written on its own; a lone surrogate (no escape) as U+FFFD, with the loss
  // told.
  string pieced;
  u16string characters;  // the same with every lone surrogate, escapes included, made U+FFFD
  std::vector<unsigned char> marks;  // where the control's characters begin, with their units
  u16string written;                 // the units as the bytes are written (U+FFFD for a lone surrogate)
  for (size_t i = 0; i < units.size(); ++i) {
    size_t n = is_high(units[i]) && i + 1 < units.size() && is_low(units[i + 1]) ? 2 : 1;
    u16string_view c = u16string_view(units).substr(i, n);
    bool lone = n == 1 && is_surrogate(units[i]);
    if (lone && !is_escape(units[i])) whole = false;
    string form = lone && !is_escape(units[i]) ? rt::utf16_to_page_text(u"\xFFFD") : rt::utf16_to_page_text(c);
    pieced += form;
    marks.push_back(static_cast<unsigned char>(n));
    marks.insert(marks.end(), form.size() - 1, 0);
    characters += lone ? u16string_view(u"\xFFFD") : c;
    written += lone && !is_escape(units[i]) ? u16string_view(u"\xFFFD") : c;
    i += n - 1;
  }
  marks.push_back(1);
  string page = rt::utf16_to_page_text(units, &lossless);
  FUZZ_CHECK(lossless == whole);
  FUZZ_CHECK(page == pieced);
  // The control's characters are marked exactly where the bytes read otherwise.
  rt::ShownText shown = rt::units_to_shown_text<char16_t>(units);
  FUZZ_CHECK(shown.text == page);
  FUZZ_CHECK(shown.starts.empty() == (rt::page_text_to_utf16(page) == written));
  if (!shown.starts.empty()) FUZZ_CHECK(shown.starts == marks);
  // A text of whole characters comes back as it went.
  string text = rt::utf16_to_page_text(characters, &lossless);
  FUZZ_CHECK(lossless);
  FUZZ_CHECK(rt::page_text_to_utf16(text) == characters);
}

// ---------------------------------------------------------------- word breaks and pieces

// A view of a buffer of exactly the text's size, so that any read past its end is caught.
struct ExactBuffer {
  std::unique_ptr<char16_t[]> data;
  u16string_view view;
  explicit ExactBuffer(u16string_view units) : data(new char16_t[units.size() ? units.size() : 1]) {
    std::copy(units.begin(), units.end(), data.get());
    view = u16string_view(data.get(), units.size());
  }
};

void check_word_breaks(u16string_view line, size_t index) {
  const size_t n = line.size();
  FUZZ_CHECK(!rt::may_break_before(line, 0));
  FUZZ_CHECK(rt::may_break_before(line, n) || n == 0);
  std::vector<bool> breaks(n + 1, false);
  for (size_t i = 1; i <= n; ++i) breaks[i] = rt::may_break_before(line, i);
  for (size_t i = 1; i < n; ++i) {
    // The two characters around a position decide.
    ExactBuffer pair(line.substr(i - 1, 2));
    FUZZ_CHECK(rt::may_break_before(pair.view, 1) == breaks[i]);
    // Never before a blank; always before a word that follows one.
    if (rt::is_word_delimiter(line[i])) FUZZ_CHECK(!breaks[i]);
    if (rt::is_word_delimiter(line[i - 1]) && !rt::is_word_delimiter(line[i])) FUZZ_CHECK(breaks[i]);
  }
  // The procedure's answers: the last break before the index, the first at or after it.
  size_t to = std::min(index, n);
  size_t left = 0;
  for (size_t i = 1; i < to; ++i)
    if (breaks[i]) left = i;
  FUZZ_CHECK(rt::break_left(line, index) == left);
  size_t right = n;
  for (size_t i = index; i < n; ++i)
    if (i > 0 && breaks[i]) {
      right = i;
      break;
    }
  FUZZ_CHECK(rt::break_right(line, index) == right);
}

void check_piece(u16string_view text, size_t from, size_t length, size_t slack) {
  const size_t n = text.size();
  size_t end = rt::piece_end(text, from, length, slack);
  if (from >= n || n - from <= length) {
    FUZZ_CHECK(end == n);
    return;
  }
  // At least the length (one unit for none), never between a CR and its LF, and after the first
  // LF from the length's last unit on when it comes within the slack.
  size_t least = from + (length ? length : 1);
  FUZZ_CHECK(end >= least && end <= n);
  FUZZ_CHECK(!(end < n && text[end - 1] == u'\r' && text[end] == u'\n'));
  size_t lf = text.find(u'\n', least - 1);
  if (lf != u16string_view::npos && lf - (least - 1) <= slack)
    FUZZ_CHECK(end == lf + 1);
  else
    FUZZ_CHECK(end <= least + 1 && (end == least || text[least - 1] == u'\r'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::g_input_size = size;
  fuzz::Input in{data, size};
  const uint8_t flags = in.byte();
  const size_t index = in.byte();
  const size_t from = in.byte(), length = in.byte() % 64, slack = in.byte() % 64;
  const string bytes = in.rest();

  check_readers(bytes);
  check_utf8_file(bytes);
  check_utf16_file(bytes, flags & 1);
  check_round_trips(bytes);

  u16string units = units_of_le(bytes);
  ExactBuffer line(u16string_view(units).substr(0, 256));
  check_word_breaks(line.view, index);
  ExactBuffer text(units);
  check_piece(text.view, from, length, slack);
  // A piece of the page's own units too, where the line ends are the page's.
  ExactBuffer page(rt::page_text_to_utf16(bytes));
  check_piece(page.view, from, length, slack);
  return 0;
}
