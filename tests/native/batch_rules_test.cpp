// The rules of the batch pages: new names, clash suffixes, the search's attribute filter, the
// rows of the two lists, and the encoding conversion's converters and closing message.
#include "documents/batch_rules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "runtime/encoding.h"

namespace {

using namespace std::string_literals;

std::string utf8(std::string_view gbk) { return rt::convert_encoding(gbk, "GBK", "UTF-8"); }
std::string utf16le(std::string_view gbk) { return rt::convert_encoding(gbk, "GBK", "UTF-16LE"); }

TEST(BuildBatchName, TheNamingBoxesInTheirOrder) {
  struct Case {
    const char* name;
    int row;
    const char* clash;
    BatchNaming naming;
    const char* result;
  };
  const Case cases[] = {
      {"report.txt", 0, "", {}, "report.txt"},
      // The rules replace every occurrence, each in the result of the one before.
      {"abcabc.txt", 0, "", {.filter_rules = "a:b|c"}, "bbbb.txt"},
      {"记事本.txt", 0, "", {.filter_rules = "替换|多:少|记事本"}, ".txt"},
      {"多多.txt", 0, "", {.filter_rules = "多:少"}, "少少.txt"},
      // Empty rules and rules without a first piece are skipped; pieces after the second ignored.
      {"abc.txt", 0, "", {.filter_rules = "||:x|b:y:z|"}, "ayc.txt"},
      // The rules work on the base only: the extension stays.
      {"t.txt", 0, "", {.filter_rules = "t:q"}, "q.txt"},
      // The last dot splits; a name without one has no extension.
      {"a.b.c", 0, "", {.prefix = "<", .postfix = ">"}, "<a.b>.c"},
      {"readme", 0, "", {}, "readme"},
      {"readme", 0, "", {.suffix = "bak"}, "readmebak"},
      {"readme.txt", 0, "", {.suffix = ".log"}, "readme.log"},
      {"Velmora.exe", 0, "", {.prefix = "实用的"}, "实用的Velmora.exe"},
      {"Velmora.exe", 0, "", {.postfix = "好用"}, "Velmora好用.exe"},
      {"b.txt", 1, "-重命名1", {.prefix = "x"}, "xb-重命名1.txt"},
      // A custom name numbers by row and leaves out the rules and the add-on boxes.
      {"甲.jpg", 0, "", {.filter_rules = "甲:乙", .prefix = "p", .postfix = "q", .custom = "图片"}, "图片1.jpg"},
      {"乙.png", 2, "-重命名4", {.suffix = ".gif", .custom = "图片"}, "图片3-重命名4.gif"},
      // A trail byte 0x7C inside a character is no separator: 億 is 83 7C.
      {"億億.txt", 0, "", {.filter_rules = "甲:乙|億:表"}, "表表.txt"},
  };
  for (const Case& c : cases) EXPECT_EQ(build_batch_name(c.name, c.row, c.clash, c.naming), c.result) << c.name;
}

TEST(BatchTarget, ATakenNameCountsUpUntilItIsFree) {
  std::set<std::string> files = {"D:\\t\\a.txt", "D:\\t\\b.txt", "D:\\t\\b-重命名1.txt"};
  auto exists = [&](const std::string& p) { return files.count(p) > 0; };
  int counter = 0;
  // b.txt (row 1) first, then a.txt (row 0): the counter runs over the whole run.
  BatchTarget b = batch_target("D:\\t\\", "b.txt", 1, {}, counter, exists);
  EXPECT_EQ(b.path, "D:\\t\\b-重命名2.txt");
  EXPECT_TRUE(b.clashed);
  BatchTarget a = batch_target("D:\\t\\", "a.txt", 0, {}, counter, exists);
  EXPECT_EQ(a.path, "D:\\t\\a-重命名3.txt");
  EXPECT_EQ(counter, 3);
  BatchTarget free = batch_target("D:\\t\\", "c.txt", 2, {}, counter, exists);
  EXPECT_EQ(free.path, "D:\\t\\c.txt");
  EXPECT_FALSE(free.clashed);
  EXPECT_EQ(counter, 3);
}

TEST(BatchSearch, AnEntryMustShareAnAttributeWithTheBoxes) {
  const int all = attribute_mask_of(true, true, true, true);
  EXPECT_EQ(all, 1 | 2 | 4 | 32);
  EXPECT_EQ(attribute_mask_of(false, true, false, true), 2 | 32);
  EXPECT_TRUE(batch_search_matches(32, all));
  EXPECT_TRUE(batch_search_matches(1 | 128, 1));
  EXPECT_FALSE(batch_search_matches(0, all));     // none of the four attributes
  EXPECT_FALSE(batch_search_matches(128, all));   // "normal" is no attribute
  EXPECT_FALSE(batch_search_matches(16, all));    // a plain folder
  EXPECT_FALSE(batch_search_matches(2, 1 | 32));  // hidden only
  EXPECT_TRUE(batch_search_matches(0, 0));        // no box: only entries without attributes
  EXPECT_TRUE(batch_search_matches(128, 0));
  EXPECT_FALSE(batch_search_matches(32, 0));
  EXPECT_FALSE(batch_search_matches(16, 0));
}

TEST(BatchRows, NameSizeAttributesAndPath) {
  EXPECT_EQ(batch_file_row("C:\\文件夹\\甲.txt", 1536, 1 | 32),
            (std::vector<std::string>{"甲.txt", "1.5KB", "√", "×", "×", "√", "C:\\文件夹\\甲.txt"}));
  EXPECT_EQ(batch_file_row("C:\\x\\h", 1023, 2 | 4),
            (std::vector<std::string>{"h", "0.999KB", "×", "√", "√", "×", "C:\\x\\h"}));
  // A path with no file has no attributes.
  EXPECT_EQ(batch_file_row("C:\\无\\a.txt", -1, -1),
            (std::vector<std::string>{"a.txt", "-0.001KB", "×", "×", "×", "×", "C:\\无\\a.txt"}));
  // 乗 is 81 5C: its trail byte is no backslash.
  EXPECT_EQ(conversion_file_row("C:\\x\\乗.txt", 1048576),
            (std::vector<std::string>{"乗.txt", "1024KB", "C:\\x\\乗.txt"}));
  EXPECT_EQ(conversion_file_row("C:\\e.txt", 0), (std::vector<std::string>{"e.txt", "0KB", "C:\\e.txt"}));
}

// ---- The encoding conversion ----

TEST(BatchConverters, EveryCharacterComesOverOrIsCountedAsLost) {
  struct Case {
    const char* what;
    int kind;
    std::string in;
    bool valid;
    std::string out;
    long long missing = 0, cut = 0;
  };
  const std::string smile8 = "\xF0\x9F\x98\x80", smile16 = "\x3D\xD8\x00\xDE"s;
  const Case cases[] = {
      {"GBK text", kUtf8ToAnsi, utf8("中文abc\r\n"), true, "中文abc\r\n"},
      {"nothing", kUtf8ToAnsi, "", true, ""},
      {"the euro sign is code page 936's 80", kUtf8ToAnsi, "\xE2\x82\xAC", true, "\x80"},
      {"a user-defined cell", kUtf16ToAnsi, "\x00\xE0"s, true, "\xAA\xA1"},
      {"UTF-16 text", kUtf16ToAnsi, utf16le("中文"), true, "中文"},
      {"an odd last byte belongs to no unit", kUtf16ToAnsi, utf16le("中a") + "\x41", true, "中a"},
      // What code page 936 lacks becomes its default character, each counted.
      {"characters code page 936 lacks", kUtf8ToAnsi, smile8 + "a" + utf8("中") + smile8 + "\xE0\xB8\x81", true,
       "?a中??", 3},
      {"a UTF-16 character code page 936 lacks", kUtf16ToAnsi, "\x01\x0E"s + utf16le("x"), true, "?x", 1},
      // ANSI has no byte-order mark: a leading one is left out, nothing is lost; elsewhere a mark
      // is a character code page 936 lacks.
      {"a UTF-8 mark", kUtf8ToAnsi, "\xEF\xBB\xBF" + utf8("中"), true, "中", 0},
      {"a UTF-16 mark", kUtf16ToAnsi, "\xFF\xFE" + utf16le("中"), true, "中", 0},
      {"a mark inside the text", kUtf8ToAnsi, "a\xEF\xBB\xBF", true, "a?", 1},
      // The ANSI text ends before its first zero: the zero and what follows it are counted.
      {"a zero", kUtf8ToAnsi, "ab\0c"s + utf8("中") + "d", true, "ab", 0, 4},
      {"a zero at the end", kUtf16ToAnsi, "a\0\0\0"s, true, "a", 0, 1},
      {"lost before a zero and after it", kUtf16ToAnsi, smile16 + "\0\0"s + smile16, true, "?", 1, 2},
      {"UTF-16 to UTF-8", kUtf16ToUtf8, utf16le("中文"), true, "\xE4\xB8\xAD\xE6\x96\x87"},
      {"a mark goes over as a character", kUtf16ToUtf8, "\xFF\xFE" + utf16le("a"), true, "\xEF\xBB\xBF" "a"},
      {"a zero goes over into UTF-8", kUtf16ToUtf8, "a\0\0\0b\0"s, true, "a\0b"s},
      {"a pair of surrogates", kUtf16ToUtf8, smile16, true, smile8},
      {"UTF-8 to UTF-16", kUtf8ToUtf16, utf8("中a"), true, "\x2D\x4E\x61\x00"s},
      {"a UTF-8 mark into UTF-16", kUtf8ToUtf16, "\xEF\xBB\xBF" "a", true, "\xFF\xFE\x61\x00"s},
      // A source that is no text of its encoding gives nothing.
      {"an ANSI file is no UTF-8", kUtf8ToAnsi, "中文ab", false, ""},
      {"a cut sequence", kUtf8ToAnsi, "ab\xC3", false, ""},
      {"an encoded surrogate", kUtf8ToUtf16, "\xED\xA0\x80", false, ""},
      {"a lead surrogate at the end", kUtf16ToAnsi, utf16le("a") + "\x3D\xD8", false, ""},
      {"a trail surrogate alone", kUtf16ToUtf8, "\x00\xDE"s + utf16le("a"), false, ""},
      {"a lone surrogate of the byte escapes", kUtf16ToAnsi, "\xD6\xDC"s, false, ""},
  };
  for (const Case& c : cases) {
    ConvertedText r = convert_by_kind(c.kind, c.in);
    EXPECT_EQ(r.valid, c.valid) << c.what;
    EXPECT_EQ(r.bytes, c.out) << c.what;
    EXPECT_EQ(r.missing, c.missing) << c.what;
    EXPECT_EQ(r.cut, c.cut) << c.what;
    EXPECT_EQ(r.whole(), c.valid && c.missing == 0 && c.cut == 0) << c.what;
  }
}

TEST(ConversionReport, OneLinePerFileWithItsReason) {
  using N = ConversionNote;
  EXPECT_EQ(conversion_report_text({}, kUtf8ToAnsi), "");
  std::vector<N> notes = {
      {.name = "a.txt", .reason = N::kNotText},
      {.name = "b.txt", .reason = N::kLossy, .converted = true, .missing = 3},
      {.name = "c.txt", .reason = N::kLossy, .missing = 2},
      {.name = "d.txt", .reason = N::kUnreadable},
  };
  EXPECT_EQ(conversion_report_text(notes, kUtf8ToAnsi),
            "  有 3 个文件没有转换（仍在列表中），1 个文件转换时有字符没能写出："
            "\r\n  a.txt：不是 UTF-8 文本，没有转换"
            "\r\n  b.txt：有 3 个字符 ANSI 中没有，已转换，缺的字符写成了“?”"
            "\r\n  c.txt：有 2 个字符 ANSI 中没有，输出会替换原文件，没有转换"
            "\r\n  d.txt：无法读取，没有转换");
  struct Case {
    N note;
    int kind;
    const char* text;
  };
  const Case cases[] = {
      {{.name = "u", .reason = N::kNotText}, kUtf16ToUtf8, "  有 1 个文件没有转换（仍在列表中）：\r\n  u：不是 Unicode 文本，没有转换"},
      {{.name = "u", .reason = N::kNotText}, kUtf16ToAnsi, "  有 1 个文件没有转换（仍在列表中）：\r\n  u：不是 Unicode 文本，没有转换"},
      {{.name = "u", .reason = N::kNotText}, kUtf8ToUtf16, "  有 1 个文件没有转换（仍在列表中）：\r\n  u：不是 UTF-8 文本，没有转换"},
      {{.name = "w", .reason = N::kUnwritable}, kUtf8ToUtf16, "  有 1 个文件没有转换（仍在列表中）：\r\n  w：无法写入输出文件，没有转换"},
      {{.name = "n", .reason = N::kNameTaken}, kUtf8ToAnsi,
       "  有 1 个文件没有转换（仍在列表中）：\r\n  n：同名的输出文件本次已经写过，没有转换"},
      {{.name = "s", .reason = N::kSourceWaiting}, kUtf8ToAnsi,
       "  有 1 个文件没有转换（仍在列表中）：\r\n  s：输出会替换列表中还没转换的文件，没有转换"},
      {{.name = "z", .reason = N::kLossy, .converted = true, .cut = 5}, kUtf16ToAnsi,
       "  有 1 个文件转换时有字符没能写出：\r\n  z：从零字符起的 5 个字符写不进 ANSI 文本，已转换到零字符为止"},
      {{.name = "z", .reason = N::kLossy, .converted = true, .missing = 1, .cut = 2}, kUtf16ToAnsi,
       "  有 1 个文件转换时有字符没能写出：\r\n  z：有 1 个字符 ANSI 中没有，从零字符起的 2 个字符写不进 ANSI 文本，"
       "已转换到零字符为止，缺的字符写成了“?”"},
      {{.name = "z", .reason = N::kLossy, .cut = 2}, kUtf8ToAnsi,
       "  有 1 个文件没有转换（仍在列表中）：\r\n  z：从零字符起的 2 个字符写不进 ANSI 文本，输出会替换原文件，没有转换"},
  };
  for (const Case& c : cases) EXPECT_EQ(conversion_report_text({c.note}, c.kind), c.text) << c.note.name;
}

TEST(ConversionReport, PastTheRoomOfTheBoxTheRestIsCounted) {
  std::vector<ConversionNote> notes;
  for (int i = 0; i < kMaxNotedFiles + 3; ++i)
    notes.push_back({.name = std::to_string(i) + ".txt", .reason = ConversionNote::kUnreadable});
  std::string text = conversion_report_text(notes, kUtf8ToAnsi);
  EXPECT_EQ(text.find("有 9 个文件没有转换"), 2u);
  for (int i = 0; i < kMaxNotedFiles + 3; ++i)
    EXPECT_EQ(text.find("\r\n  " + std::to_string(i) + ".txt：") != std::string::npos, i < kMaxNotedFiles) << i;
  EXPECT_TRUE(text.ends_with("\r\n  ……另有 3 个文件未列出")) << text;
}

}  // namespace
