// Pieces of a long text for the page editor: whole lines when they come soon, never half a CR LF.
#include "runtime/text_pieces.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

namespace {

TEST(TextPieces, PiecesEndAtLineEndsOrAtTheirLength) {
  struct Case {
    const char* name;
    std::u16string text;
    size_t from, length, slack, end;
  };
  const Case cases[] = {
      {"less is left than the length", u"abc", 0, 5, 4, 3},
      {"exactly the length is left", u"abcd", 0, 4, 4, 4},
      {"nothing is left", u"abc", 3, 2, 4, 3},
      {"the line end right at the length", u"ab\r\ncd", 0, 4, 4, 4},
      {"the next line end within the slack", u"abcdef\r\ngh", 0, 3, 5, 8},
      {"a line end too far away", u"abcdefgh\r\ngh", 0, 3, 2, 3},
      {"never between CR and LF", u"ab\r\ncdefgh", 0, 3, 0, 4},
      {"from the middle", u"ab\r\ncd\r\nef\r\ngh", 4, 2, 4, 8},
      {"a zero length still moves on", u"abc", 0, 0, 0, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(rt::piece_end(c.text, c.from, c.length, c.slack), c.end) << c.name;
}

// The text in a buffer of exactly its size, with nothing after it to read by mistake (a
// std::u16string keeps a zero after its end).
TEST(TextPieces, ALastCrIsTheEndOfTheText) {
  struct Case {
    const char* name;
    std::u16string_view text;
    size_t from, length, end;
  };
  const Case cases[] = {
      {"a CR alone", u"\r", 0, 0, 1},
      {"a CR after the text", u"ab\r", 2, 0, 3},
      {"a CR at the length", u"ab\r", 0, 3, 3},
      {"a CR before its LF", u"a\r\n", 1, 0, 3},
  };
  for (const Case& c : cases) {
    std::unique_ptr<char16_t[]> exact(new char16_t[c.text.size()]);
    c.text.copy(exact.get(), c.text.size());
    EXPECT_EQ(rt::piece_end(std::u16string_view(exact.get(), c.text.size()), c.from, c.length, 0), c.end) << c.name;
  }
}

TEST(TextPieces, ConsecutivePiecesCoverTheTextOnce) {
  std::u16string text;
  for (int i = 0; i < 500; ++i) text += std::u16string(static_cast<size_t>(i % 37), u'中') + u"\r\n";
  std::u16string joined;
  for (size_t at = 0; at < text.size();) {
    size_t end = rt::piece_end(text, at, 100, 20);
    ASSERT_GT(end, at);
    EXPECT_FALSE(text[end - 1] == u'\r' && end < text.size() && text[end] == u'\n') << end;
    joined += text.substr(at, end - at);
    at = end;
  }
  EXPECT_EQ(joined, text);
}

}  // namespace
