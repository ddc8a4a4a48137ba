// A session of the find window on the edit box, which holds UTF-16 units and selects by them:
// 寻找 up and down, 替换, 全部替换, the menu's find previous and next, the window's options, and
// the user typing, pasting and clicking into the page between them. Every search finds what the
// rule finds (the first occurrence of whole characters at or after the anchor, or the last one
// wholly before it), the selection it makes is exactly that occurrence's characters in the edit
// box, and every replacement leaves the text a model of the page's bytes gives; all of it also
// after typing or a replacement put a byte escape before bytes that complete it, where the bytes
// read otherwise than the box shows them and the rules go by the box's characters.
//
// Input: a byte of flags (1 down, 2 ignore case), the anchor (two bytes, -2 to 400), the page,
// the find text and the replacement (each a length byte and its bytes), then the steps: a byte
// for the kind and what it needs.
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_models.h"
#include "runtime/gbk_text.h"
#include "runtime/page_text.h"
#include "texttools/search_text.h"

namespace {

using std::string;
using std::string_view;
using std::u16string;

bool is_high(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool is_low(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// The page's bytes before each character boundary of the edit box (a pair of surrogates is one
// character, every other unit one): the byte offset of unit k, or -1 inside a pair; and the unit
// at each byte offset, -1 where no character of the edit box begins.
struct UnitMap {
  std::vector<long> byte_of_unit;
  std::vector<long> unit_of_byte;
};
UnitMap map_units(const u16string& units) {
  UnitMap m;
  m.byte_of_unit.assign(units.size() + 1, -1);
  std::vector<std::pair<size_t, size_t>> marks;  // (byte, unit)
  size_t bytes = 0;
  for (size_t k = 0; k < units.size();) {
    size_t n = is_high(units[k]) && k + 1 < units.size() && is_low(units[k + 1]) ? 2 : 1;
    m.byte_of_unit[k] = static_cast<long>(bytes);
    marks.emplace_back(bytes, k);
    bytes += rt::utf16_to_page_text(std::u16string_view(units).substr(k, n)).size();
    k += n;
  }
  m.byte_of_unit[units.size()] = static_cast<long>(bytes);
  marks.emplace_back(bytes, units.size());
  m.unit_of_byte.assign(bytes + 1, -1);
  for (auto [b, k] : marks) m.unit_of_byte[b] = static_cast<long>(k);
  return m;
}

// The model's rules over the box's characters (at: where they begin, as bytes of the page): an
// occurrence is whole characters of the box holding the search text's bytes, ASCII letters that
// are characters of their own folded when case is ignored.
size_t box_char_size(const std::vector<bool>& at, size_t i) {
  size_t n = 1;
  while (!at[i + n]) ++n;
  return n;
}
bool box_occurs_at(string_view text, const std::vector<bool>& at, size_t i, string_view what, bool ignore_case) {
  if (what.empty() || i + what.size() > text.size() || !at[i] || !at[i + what.size()]) return false;
  for (size_t j = 0; j < what.size();) {
    size_t n = box_char_size(at, i + j);
    if (n >= 2) {
      if (text.compare(i + j, n, what.substr(j, n)) != 0) return false;
    } else if (ignore_case ? fuzz::fold_letter(text[i + j]) != fuzz::fold_letter(what[j]) : text[i + j] != what[j]) {
      return false;
    }
    j += n;
  }
  return true;
}
size_t first_box_occurrence(string_view text, const std::vector<bool>& at, string_view what, size_t from,
                            bool ignore_case) {
  for (size_t i = from; i < text.size(); ++i)
    if (box_occurs_at(text, at, i, what, ignore_case)) return i;
  return string_view::npos;
}
string box_replaced_everywhere(string_view text, const std::vector<bool>& at, string_view what, string_view with,
                               bool ignore_case, int* count) {
  string out;
  *count = 0;
  for (size_t i = 0; i < text.size();) {
    if (box_occurs_at(text, at, i, what, ignore_case)) {
      out += with;
      i += what.size();
      ++*count;
    } else {
      size_t n = box_char_size(at, i);
      out += text.substr(i, n);
      i += n;
    }
  }
  return out;
}

struct Session {
  // The edit box.
  u16string units;
  int sel_start = 0, sel_length = 0;
  // The search state and the window's boxes.
  int search_pos = 0;
  bool forward = true, ignore_case = true;
  string search_text, find_box, replace_box;
  // The model: the selection as bytes of the page (from 0, end excluded).
  size_t model_from = 0, model_to = 0;

  string page() const { return rt::utf16_to_page_text(units); }
  // The page as the box shows it. Typing or a replacement right after a byte escape can join the
  // escape's byte with the bytes that follow into another character (a lone lead byte 81 and a
  // typed A are the two bytes of 丄): the bytes then read otherwise than the box shows them.
  rt::ShownText shown() const {
    rt::ShownText s = rt::units_to_shown_text<char16_t>(units);
    FUZZ_CHECK(s.text == page());
    FUZZ_CHECK(s.starts.empty() == (rt::page_text_to_utf16(s.text) == units));
    return s;
  }
  // Where the box's characters begin, as bytes of the page.
  std::vector<bool> box_boundaries() const {
    UnitMap m = map_units(units);
    std::vector<bool> at(m.unit_of_byte.size(), false);
    for (size_t b = 0; b < at.size(); ++b) at[b] = m.unit_of_byte[b] >= 0;
    return at;
  }

  // The control's EM_SETSEL: both ends inside the text.
  void select(int start, int length) {
    int n = static_cast<int>(units.size());
    if (start < 0) start = 0;
    if (start > n) start = n;
    if (length < 0) length = 0;
    sel_start = start;
    sel_length = std::min(start + length, n) - start;
  }
  // The model's selection from the edit box's.
  void model_from_selection() {
    UnitMap m = map_units(units);
    FUZZ_CHECK(m.byte_of_unit[static_cast<size_t>(sel_start)] >= 0);
    FUZZ_CHECK(m.byte_of_unit[static_cast<size_t>(sel_start + sel_length)] >= 0);
    model_from = static_cast<size_t>(m.byte_of_unit[static_cast<size_t>(sel_start)]);
    model_to = static_cast<size_t>(m.byte_of_unit[static_cast<size_t>(sel_start + sel_length)]);
  }

  // find_in_page: one search of the search text from the anchor, then the selection.
  void find_in_page() {
    const rt::ShownText page_shown = shown();
    const string& text = page_shown.text;
    const std::vector<bool> at = box_boundaries();
    SearchStep step = search_step(page_shown, search_text, search_pos, forward, ignore_case);
    // The rule.
    const size_t len = search_text.size();
    long expected = -1;
    if (forward) {
      size_t from = search_pos < 1 ? 0 : static_cast<size_t>(search_pos) - 1;
      size_t i = first_box_occurrence(text, at, search_text, from, ignore_case);
      if (i != string::npos) expected = static_cast<long>(i) + 1;
      FUZZ_CHECK(step.found == expected && step.anchor == expected + static_cast<long>(len));
    } else {
      size_t limit = search_pos <= 1 ? 0 : std::min(static_cast<size_t>(search_pos) - 1, text.size());
      for (size_t i = 0; i + len <= limit; ++i)
        if (box_occurs_at(text, at, i, search_text, ignore_case)) expected = static_cast<long>(i) + 1;
      FUZZ_CHECK(step.found == expected && step.anchor == expected);
    }
    search_pos = step.anchor;
    if (step.found == -1) return;  // the selection stays

    // As the window selects it without the script object (which counts as the bytes read, and
    // is asked only while they read as the box shows them, when the two counts agree).
    CharSelection sel = occurrence_selection(page_shown, step.found, search_text);
    if (page_shown.starts.empty()) {
      CharSelection by_bytes = selection_by_bytes(rt::left_text(text, step.found), search_text);
      FUZZ_CHECK(by_bytes.start == sel.start && by_bytes.length == sel.length);
    }
    select(sel.start, 0);
    select(sel_start, sel.length);
    // Exactly the occurrence's characters in the edit box.
    UnitMap m = map_units(units);
    size_t from = static_cast<size_t>(step.found) - 1, to = from + len;
    FUZZ_CHECK(m.unit_of_byte[from] >= 0 && m.unit_of_byte[to] >= 0);
    FUZZ_CHECK(sel_start == m.unit_of_byte[from]);
    FUZZ_CHECK(sel_start + sel_length == m.unit_of_byte[to]);
    model_from = from;
    model_to = to;
  }

  // 寻找 (also Enter in the find box).
  void find_from_window() {
    search_text = find_box;
    find_in_page();
  }

  // 替换: the selection becomes the replacement (not compared with the find text), then 寻找.
  void replace_and_find() {
    if (sel_length == 0) return;
    const rt::ShownText page_shown = shown();
    const string& text = page_shown.text;
    int anchor = forward ? anchor_after_replacement(page_shown, sel_start, replace_box) : 0;
    const string expected = text.substr(0, model_from) + replace_box + text.substr(model_to);
    u16string inserted = rt::page_text_to_utf16(replace_box);
    units = units.substr(0, static_cast<size_t>(sel_start)) + inserted +
            units.substr(static_cast<size_t>(sel_start + sel_length));
    select(sel_start + static_cast<int>(inserted.size()), 0);
    FUZZ_CHECK(page() == expected);
    if (forward) {
      // Right past the replacement.
      FUZZ_CHECK(anchor == static_cast<int>(model_from + replace_box.size()) + 1);
      search_pos = anchor;
    }
    model_from = model_to = model_from + replace_box.size();
    find_from_window();
  }

  // 全部替换: every occurrence of the find text, case as the match-case button says.
  void replace_all() {
    const bool match_case = !ignore_case;
    const rt::ShownText page_shown = shown();
    const string& text = page_shown.text;
    const std::vector<bool> at = box_boundaries();
    bool present = occurs(page_shown, find_box, match_case);
    FUZZ_CHECK(present == (first_box_occurrence(text, at, find_box, 0, !match_case) != string::npos));
    if (!present) return;
    int expected_count = 0;
    string expected = box_replaced_everywhere(text, at, find_box, replace_box, !match_case, &expected_count);
    FUZZ_CHECK(count_occurrences(page_shown, find_box, match_case) == expected_count);
    string result = replaced_everywhere(page_shown, find_box, replace_box, match_case);
    FUZZ_CHECK(result == expected);
    units = rt::page_text_to_utf16(result);
    select(0, 0);
    model_from = model_to = 0;
  }

  // The user types (or pastes) over the selection; the caret ends after it.
  void type(const string& typed) {
    u16string t = rt::page_text_to_utf16(typed);
    units = units.substr(0, static_cast<size_t>(sel_start)) + t + units.substr(static_cast<size_t>(sel_start + sel_length));
    select(sel_start + static_cast<int>(t.size()), 0);
    model_from_selection();
  }

  // A click or a drag: from and to land between characters of the edit box.
  void click(int a, int b) {
    auto land = [&](int k) {
      k = std::min(std::max(k, 0), static_cast<int>(units.size()));
      if (k > 0 && k < static_cast<int>(units.size()) && is_high(units[k - 1]) && is_low(units[k])) --k;
      return k;
    };
    a = land(a);
    b = land(b);
    select(std::min(a, b), std::abs(a - b));
    model_from_selection();
  }

  // The find box's text changed.
  void new_find_text(const string& text) {
    find_box = text;
    if (text.empty()) return;
    search_pos = 0;
    select(sel_start, 0);
    model_from_selection();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::g_input_size = size;
  fuzz::Input in{data, size};
  Session s;
  const uint8_t flags = in.byte();
  s.forward = flags & 1;
  s.ignore_case = flags & 2;
  s.search_pos = in.number(-2, 400);
  s.units = rt::page_text_to_utf16(in.text());
  s.find_box = in.text(32);
  s.replace_box = in.text(32);
  for (int steps = 0; steps < 32 && !in.done(); ++steps) {
    switch (in.byte() % 11) {
      case 0:
        if (!s.find_box.empty()) s.find_from_window();
        break;
      case 1:
        s.replace_and_find();
        break;
      case 2:
        s.replace_all();
        break;
      case 3:
        s.type(in.text(8));
        break;
      case 4: {
        int a = in.byte(), b = in.byte();
        s.click(a, b);
        break;
      }
      case 5:
        s.forward = !s.forward;  // the other radio button
        break;
      case 6:
        s.ignore_case = !s.ignore_case;  // 区分大小写
        break;
      case 7:
        s.new_find_text(in.text(16));
        break;
      case 8:
        s.replace_box = in.text(16);
        break;
      case 9:
      case 10:  // the menu's find previous and find next
        if (s.search_text.empty()) break;
        s.forward = in.flag();
        s.find_in_page();
        break;
    }
    if (s.units.size() > 4000) break;
  }
  return 0;
}
