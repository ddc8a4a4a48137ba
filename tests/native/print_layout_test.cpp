// Printed lines: line breaks, tabs and wrapping at the page width, with nothing lost.
#include "runtime/print_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// One unit per byte: a double-byte character is two units wide.
int byte_width(std::string_view ch) { return static_cast<int>(ch.size()); }

Lines wrap(std::string_view text, int width) { return rt::wrap_print_lines(text, width, byte_width); }

TEST(PrintLayout, LineBreaks) {
  struct Case {
    std::string text;
    Lines expected;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"\r\n", {""}},
      {"a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"a\nb\rc\r\n\n", {"a", "b", "c", ""}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"文字\r\n", {"文字"}},
  };
  for (const Case& c : cases) EXPECT_EQ(wrap(c.text, 80), c.expected) << c.text;
}

TEST(PrintLayout, TabsBecomeSpacesToTheNextStop) {
  EXPECT_EQ(wrap("\tx", 80), Lines{"        x"});
  EXPECT_EQ(wrap("ab\tx\t", 80), Lines{"ab      x       "});
  EXPECT_EQ(wrap("中\tx", 80), Lines{"中      x"});  // the double-byte character counts two columns
  EXPECT_EQ(rt::wrap_print_lines("a\tb", 80, byte_width, 4), Lines{"a   b"});
}

TEST(PrintLayout, LongLinesWrapAtBlanksOrCharacters) {
  struct Case {
    std::string text;
    int width;
    Lines expected;
  };
  const Case cases[] = {
      {"abcdefghij", 4, {"abcd", "efgh", "ij"}},
      {"abcd", 4, {"abcd"}},
      {"ab cd ef", 6, {"ab cd ", "ef"}},
      {"abcd   efg", 4, {"abcd   ", "efg"}},  // blanks where it overflows stay at the end
      {"ab　cd", 4, {"ab　", "cd"}},          // a full-width blank is a blank too
      {"中文字", 5, {"中文", "字"}},          // never half a character
      {"中文字", 1, {"中", "文", "字"}},      // narrower than one character: one each
      {"a中", 2, {"a", "中"}},
      {"", 0, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(wrap(c.text, c.width), c.expected) << c.text << " at " << c.width;
}

TEST(PrintLayout, WrappedPiecesGiveBackTheWholeText) {
  std::string line;
  for (int i = 0; i < 300; ++i) line += (i % 7 == 0) ? " " : (i % 3 == 0 ? "字" : "w");
  std::string text = line + "\r\n" + "\r\n" + line;
  for (int width : {1, 3, 10, 33, 1000}) {
    Lines lines = wrap(text, width);
    std::string joined;
    int empty = 0;
    for (const std::string& l : lines) {
      joined += l;
      if (l.empty()) ++empty;
      // Wider than the page only by blanks at its end, or by a single character.
      std::string visible = l.substr(0, l.find_last_not_of(' ') + 1);
      if (static_cast<int>(visible.size()) > width) {
        EXPECT_EQ(visible, "字") << width;
      }
    }
    EXPECT_EQ(empty, 1) << width;
    EXPECT_EQ(joined, line + line) << width;
  }
}

}  // namespace
