// Paths on their way to the system and back: names code page 936 lacks are carried as their
// GB18030 four-byte codes and reach the system as themselves; bytes that are no character come
// back as they were and never name another file. Every non-ASCII byte is a hex escape.
#include "runtime/path_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "hex_bytes.h"

namespace {

using namespace std::string_view_literals;

struct NameCase {
  const char* what;
  std::string_view path;  // page text: GBK, GB18030's four-byte codes
  std::u16string_view name;
};

const NameCase kNames[] = {
    {"ASCII", "C:\\docs\\a.txt"sv, u"C:\\docs\\a.txt"},
    {"GBK", "C:\\\xD6\xD0\xCE\xC4\\\xC8\xD5\xBC\xC7.txt"sv, u"C:\\\u4E2D\u6587\\\u65E5\u8BB0.txt"},
    {"Korean", "C:\\\x83\x36\x84\x33\x82\x37\xF4\x30\x83\x32\xEB\x35.txt"sv, u"C:\\\uD55C\uAD6D\uC5B4.txt"},
    {"an emoji, two units", "D:\\\x94\x39\xFC\x36\\x"sv, u"D:\\\U0001F600\\x"},
    {"Latin letters code page 936 lacks", "C:\\Stra\x81\x30\x89\x38" "e\\M\x81\x30\x8A\x31rz.txt"sv,
     u"C:\\Stra\u00DFe\\M\u00E4rz.txt"},
    {"Latin letters code page 936 has", "C:\\caf\xA8\xA6.txt"sv, u"C:\\caf\u00E9.txt"},
    {"a trail byte that is a backslash", "C:\\\x81\x5C\\a"sv, u"C:\\\u4E57\\a"},
    {"a network path", "\\\\server\\\x83\x36\x84\x33\\f"sv, u"\\\\server\\\uD55C\\f"},
};

TEST(PathText, NamesCrossAsTheirCharactersAndComeBackAsTheirBytes) {
  for (const NameCase& c : kNames) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(units_hex(rt::path_to_utf16(c.path)), units_hex(c.name));
    bool whole = false;
    EXPECT_EQ(hex(rt::utf16_to_path(c.name, &whole)), hex(c.path));
    EXPECT_TRUE(whole);
  }
}

// Bytes a damaged name or a foreign code page left in a path: each is a byte escape, so the
// path comes back byte for byte, and no two of them give the system one name.
TEST(PathText, BytesThatAreNoCharacterComeBackAndStayApart) {
  const std::string_view damaged[] = {
      "C:\\a\x81"sv,                // a lead byte without its trail at the end
      "C:\\a\x81" "b"sv,            // ... and before a byte that is no trail
      "C:\\\xFF.txt"sv,             // a byte no code uses
      "C:\\\x81\x30\x81"sv,         // a four-byte code cut short
      "C:\\\x81\x30\x81" "a"sv,     // ... and before a letter
      "C:\\\xFE\x39\xFE\x39"sv,     // digits past the last four-byte code
      "C:\\a"sv,
  };
  std::set<std::u16string> names;
  for (std::string_view path : damaged) {
    SCOPED_TRACE(hex(path));
    std::u16string name = rt::path_to_utf16(path);
    EXPECT_FALSE(name.empty());
    EXPECT_TRUE(names.insert(name).second) << "two paths give " << units_hex(name);
    bool whole = false;
    EXPECT_EQ(hex(rt::utf16_to_path(name, &whole)), hex(path));
    EXPECT_TRUE(whole);
  }
}

TEST(PathText, APathHoldingAZeroNamesNoFile) {
  for (std::string_view path : {"C:\\a.txt\0.exe"sv, "\0"sv, "C:\\\xD6\xD0\0"sv}) {
    SCOPED_TRACE(hex(path));
    EXPECT_EQ(rt::path_to_utf16(path), u"");
  }
  EXPECT_EQ(rt::path_to_utf16(""), u"");
}

// A name the system holds that has no form here (half an emoji) cannot be named again; the
// caller is told, and the name it gets holds U+FFFD's four-byte code in that place.
TEST(PathText, AUnitWithoutAFormIsReported) {
  struct Case {
    const char* what;
    std::u16string_view name;
    std::string_view path;
  };
  const Case cases[] = {
      {"a high surrogate alone", u"C:\\a\xD83D.txt", "C:\\a\x84\x31\xA4\x37.txt"sv},
      {"a low surrogate alone, no byte escape", u"C:\\\xDE00", "C:\\\x84\x31\xA4\x37"sv},
      {"a zero inside", std::u16string_view(u"a\0b", 3), "a\0b"sv},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    bool whole = true;
    EXPECT_EQ(hex(rt::utf16_to_path(c.name, &whole)), hex(c.path));
    EXPECT_FALSE(whole);
  }
}

}  // namespace
