// INI text read and changed as the profile functions do, on page text: what the configuration
// file holds, whatever characters its values have.
#include "runtime/ini_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "hex_bytes.h"

namespace {

using namespace std::string_literals;

// A folder named in Korean, with its GB18030 four-byte codes.
const std::string kKoreanFolder = "C:\\\x83\x36\x84\x33\x82\x37\xF4\x30\\";

TEST(IniText, ReadsValuesAsTheProfileFunctionsDo) {
  struct Case {
    const char* what;
    std::string text, section, key;
    std::optional<std::string> value;
  };
  const Case cases[] = {
      {"a value", "[程序设置]\r\n分隔符=-\r\n", "程序设置", "分隔符", "-"},
      {"without CR", "[a]\nk=v\n", "a", "k", "v"},
      {"the last line without its end", "[a]\r\nk=v", "a", "k", "v"},
      {"blanks around names and value", "  [a]  \r\n\t k \t=  v w \x1A\r\n", "a", "k", "v w"},
      {"asked names with blanks", "[a]\r\nk=v\r\n", " a ", " k\t", "v"},
      {"letters folded", "[Section]\r\nKey=v\r\n", "sECTION", "kEY", "v"},
      {"an empty value", "[a]\r\nk=\r\n", "a", "k", ""},
      {"quotes taken off", "[a]\r\nk=\"x y\"\r\nq='z'\r\n", "a", "k", "x y"},
      {"single quotes too", "[a]\r\nq='z'\r\n", "a", "q", "z"},
      {"a quote alone stays", "[a]\r\nk=\"\r\n", "a", "k", "\""},
      {"quotes that do not pair stay", "[a]\r\nk=\"x'\r\n", "a", "k", "\"x'"},
      {"the first key of a name", "[a]\r\nk=1\r\nK=2\r\n", "a", "k", "1"},
      {"only the first section of a name", "[a]\r\nx=1\r\n[b]\r\n[a]\r\nk=2\r\n", "a", "k", std::nullopt},
      {"a key of another section", "[a]\r\nk=1\r\n[b]\r\n", "b", "k", std::nullopt},
      {"a key before any section", "k=1\r\n[a]\r\n", "a", "k", std::nullopt},
      {"a key without =", "[a]\r\nk\r\n", "a", "k", std::nullopt},
      {"the value holds =", "[a]\r\nk=x=y\r\n", "a", "k", "x=y"},
      {"a header up to its last ]", "[a]b]\r\nk=1\r\n", "a]b", "k", "1"},
      {"a line [ without ] is a key", "[a]\r\n[k=1\r\n", "a", "[k", "1"},
      {"a trail byte ] is no end of the name", "[\x81]]\r\nk=1\r\n", "\x81]", "k", "1"},
      {"a trail byte [ starts no section", "[a]\r\n\x81[=1\r\n", "a", "\x81[", "1"},
      {"a letter as trail byte is not folded", "[a]\r\n\x81" "A=1\r\n", "a", "\x81" "a", std::nullopt},
      {"four-byte codes in the value", "[上次打开目录]\r\n打开文件=" + kKoreanFolder + "\r\n", "上次打开目录", "打开文件",
       kKoreanFolder},
      {"an empty key name", "[a]\r\n=1\r\n", "a", "", std::nullopt},
      {"an empty section name", "[]\r\nk=1\r\n", "", "k", std::nullopt},
      {"no text", "", "a", "k", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(rt::ini_value(c.text, c.section, c.key), c.value);
  }
}

TEST(IniText, ChangesOneLineAndKeepsTheOthersAsTheyWere) {
  struct Case {
    const char* what;
    std::string text, section, key;
    std::optional<std::string> value;
    std::string changed;
  };
  const std::string two = "; kept\r\n[a]\r\nx = 1 \r\nk=old\r\n\r\n[b]\r\ny=2\r\n";
  const Case cases[] = {
      {"a first write", "", "程序设置", "分隔符", "-", "[程序设置]\r\n分隔符=-\r\n"},
      {"a value replaced in its line", two, "a", "k", "new",
       "; kept\r\n[a]\r\nx = 1 \r\nk=new\r\n\r\n[b]\r\ny=2\r\n"},
      {"the name as the file has it", "[a]\r\n Key =old\r\n", "a", "KEY", "new", "[a]\r\nKey=new\r\n"},
      {"an LF line keeps its end", "[a]\nk=1\nz=2\n", "a", "k", "3", "[a]\nk=3\nz=2\n"},
      {"a new key after the section's last line", two, "a", "n", "v",
       "; kept\r\n[a]\r\nx = 1 \r\nk=old\r\nn=v\r\n\r\n[b]\r\ny=2\r\n"},
      {"a new key in a section without keys", "[a]\r\n[b]\r\n", "a", "k", "v", "[a]\r\nk=v\r\n[b]\r\n"},
      {"a new key after a last line without its end", "[a]\r\nx=1", "a", "k", "v", "[a]\r\nx=1\r\nk=v\r\n"},
      {"a new section at the end", two, "c", "k", "v", two + "[c]\r\nk=v\r\n"},
      {"a new section after a last line without its end", "[a]\r\nx=1", "c", "k", "v",
       "[a]\r\nx=1\r\n[c]\r\nk=v\r\n"},
      {"the first of two sections of a name", "[a]\r\n[a]\r\n", "a", "k", "v", "[a]\r\nk=v\r\n[a]\r\n"},
      {"leading blanks of the value dropped", "", "a", "k", "  \tv ", "[a]\r\nk=v \r\n"},
      {"an empty value", "", "a", "k", "", "[a]\r\nk=\r\n"},
      {"the same value changes nothing", "[a]\r\nk = v\r\n", "a", "k", "v", "[a]\r\nk = v\r\n"},
      {"a key without = takes the value", "[a]\r\nk\r\n", "a", "k", "v", "[a]\r\nk=v\r\n"},
      {"four-byte codes written as they are", "", "上次打开目录", "打开文件", kKoreanFolder,
       "[上次打开目录]\r\n打开文件=" + kKoreanFolder + "\r\n"},
      {"a key removed with its line", two, "a", "K", std::nullopt, "; kept\r\n[a]\r\nx = 1 \r\n\r\n[b]\r\ny=2\r\n"},
      {"the last line removed", "[a]\r\nk=1", "a", "k", std::nullopt, "[a]\r\n"},
      {"removing what is not there", two, "a", "none", std::nullopt, two},
      {"no section to remove from", "", "a", "k", std::nullopt, ""},
      {"an empty key name changes nothing", two, "a", "", "v", two},
      {"an empty section name changes nothing", two, " ", "k", "v", two},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string changed = rt::ini_with_value(c.text, c.section, c.key, c.value);
    EXPECT_EQ(changed, c.changed) << hex(changed);
  }
}

// Each value reads back as written, but for the blanks around it, over every other key.
TEST(IniText, WhatIsWrittenReadsBack) {
  const std::string values[] = {"-", "x y", "", "a=b", kKoreanFolder, "\xD6\xD0\x81", "\x94\x39\xFC\x36", " v\t"};
  std::string text = "[a]\r\nother=1\r\n";
  for (const std::string& v : values) {
    SCOPED_TRACE(hex(v));
    text = rt::ini_with_value(text, "a", "k", v);
    text = rt::ini_with_value(text, "b", "k", "other");
    EXPECT_EQ(rt::ini_value(text, "a", "k"), v == " v\t" ? "v" : v);
    EXPECT_EQ(rt::ini_value(text, "a", "other"), "1");
    EXPECT_EQ(rt::ini_value(text, "b", "k"), "other");
  }
}

}  // namespace
