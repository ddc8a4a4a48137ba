#pragma once
// The rules of the options window's two batch pages that need no system: the rows of the two
// file lists, the new names the batch operations give, the attribute filter of the folder
// search, and the encoding conversion's converters and its closing report. GBK text; every
// split steps over double-byte characters.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The attribute bits the batch pages show and set.
constexpr int kReadOnlyBit = 1, kHiddenBit = 2, kSystemBit = 4, kFolderBit = 16, kArchiveBit = 32;

// The naming boxes of page "文件操作", as typed.
struct BatchNaming {
  std::string filter_rules;  // 编辑框_过滤替换: rules "what:with" separated by "|"
  std::string suffix;        // 编辑框_改后缀名: replaces the extension with its dot
  std::string prefix;        // 编辑框_文件前面加
  std::string postfix;       // 编辑框_文件后面加
  std::string custom;        // 编辑框_完全自定义文件名称: the name, numbered by row
};

// The new name of a file: the name splits at its last "." into base and extension (with the
// dot); the filter rules replace in the base, in order; the suffix box replaces the extension;
// then prefix + base + postfix + clash_suffix + extension, or, with a custom name, custom +
// (row_index + 1) + clash_suffix + extension (the rules and the add-on boxes unused). A rule
// whose first piece is empty is skipped.
std::string build_batch_name(std::string_view file_name, int row_index, std::string_view clash_suffix,
                             const BatchNaming& naming);

// Where a copy, move or rename puts a file: folder + the new name. When a file of that name
// exists, the run's clash counter goes up and the name takes the suffix "-重命名" + counter,
// again until the name is free; `clashed` tells that it happened.
struct BatchTarget {
  std::string path;
  bool clashed = false;
};
BatchTarget batch_target(std::string_view folder, std::string_view file_name, int row_index, const BatchNaming& naming,
                         int& clash_counter, const std::function<bool(const std::string& path)>& exists);

// 1 read-only, 2 hidden, 4 system, 32 archive, by the four check boxes.
int attribute_mask_of(bool read_only, bool hidden, bool system, bool archive);
// The search finds an entry that shares an attribute bit (read-only, hidden, system, folder,
// archive) with the mask; with mask 0 only one that has none of them.
bool batch_search_matches(int attributes, int mask);

// "√" when the attributes have the bit, "×" when not; -1 (no such file) has none.
std::string attribute_mark(int attributes, int bit);
// The part of a path after its last "\".
std::string batch_file_name(std::string_view path);
// The cells of a row of the batch list: name, size, read-only, hidden, system, archive, path.
std::vector<std::string> batch_file_row(std::string_view path, long long size, int attributes);
// The cells of a row of the conversion list: name, size, path.
std::vector<std::string> conversion_file_row(std::string_view path, long long size);

// ---- The encoding conversion ----

// The items of 组合框_转换类型; "Unicode" is UTF-16 little-endian.
enum ConversionKind { kUtf8ToAnsi = 0, kUtf16ToAnsi = 1, kUtf16ToUtf8 = 2, kUtf8ToUtf16 = 3 };

// What a converter made of a file's bytes. A source that is no text of its encoding (invalid
// UTF-8, a surrogate without its partner) gives nothing. ANSI is code page 936: a character it
// lacks becomes its default character "?", and the text ends before its first zero character.
struct ConvertedText {
  bool valid = false;      // the source is text of its encoding; nothing below holds otherwise
  std::string bytes;       // the output
  long long missing = 0;   // characters the target lacks, each written as "?"
  long long cut = 0;       // characters from the first zero character on, not written
  bool whole() const { return valid && missing == 0 && cut == 0; }
};

// The converters. Between the Unicode forms a byte-order mark goes over as the character it is;
// into ANSI, which has no mark, a leading one is left out (it says how the file is written, and
// Notepad writes one before every UTF-8 text). A UTF-16 input's odd last byte belongs to no unit
// and is dropped.
ConvertedText utf8_to_ansi(std::string_view bytes);
ConvertedText utf16_to_ansi(std::string_view bytes);
ConvertedText utf16_to_utf8(std::string_view bytes);
ConvertedText utf8_to_utf16(std::string_view bytes);
// By the index of 组合框_转换类型; another index copies the bytes.
ConvertedText convert_by_kind(int kind, std::string_view bytes);

// What became of a file of a run that was not converted whole.
struct ConversionNote {
  enum Reason {
    kNotText,        // no text of the source encoding: not converted
    kUnreadable,     // the source could not be read: not converted
    kUnwritable,     // the output could not be written: not converted
    kNameTaken,      // this run has written its output path already: not converted
    kSourceWaiting,  // the output would replace a listed file not yet converted: not converted
    kLossy,          // characters lost; converted unless the output would replace the source
  };
  std::string name;
  Reason reason = kNotText;
  bool converted = false;  // kLossy only
  long long missing = 0, cut = 0;
};
// The one message at the end of a run: a line per file, the first kMaxNotedFiles of them, then
// how many more there are. Empty when every file was converted whole.
inline constexpr int kMaxNotedFiles = 6;
std::string conversion_report_text(const std::vector<ConversionNote>& notes, int kind);
