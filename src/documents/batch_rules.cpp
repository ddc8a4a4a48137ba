#include "documents/batch_rules.h"

#include "common/text_routines.h"
#include "documents/file_info_text.h"
#include "runtime/encoding.h"
#include "runtime/gbk_text.h"
#include "runtime/page_text.h"

std::string build_batch_name(std::string_view file_name, int row_index, std::string_view clash_suffix,
                             const BatchNaming& naming) {
  int dot = find_last_char(file_name, '.');
  std::string base(dot < 0 ? file_name : file_name.substr(0, static_cast<size_t>(dot - 1)));
  std::string extension(dot < 0 ? std::string_view{} : file_name.substr(static_cast<size_t>(dot - 1)));
  if (!naming.suffix.empty()) extension = naming.suffix;
  std::string clash(clash_suffix);
  if (!naming.custom.empty()) return naming.custom + rt::int_to_text(row_index + 1LL) + clash + extension;
  for (const std::string& rule : rt::split_text(naming.filter_rules, "|")) {
    std::vector<std::string> pieces = rt::split_text(rule, ":");
    // A rule ":x" would look for the empty text.
    if (pieces.empty() || pieces[0].empty()) continue;
    base = rt::replace_text(base, pieces[0], pieces.size() > 1 ? pieces[1] : std::string());
  }
  return naming.prefix + base + naming.postfix + clash + extension;
}

BatchTarget batch_target(std::string_view folder, std::string_view file_name, int row_index, const BatchNaming& naming,
                         int& clash_counter, const std::function<bool(const std::string& path)>& exists) {
  BatchTarget t;
  t.path = std::string(folder) + build_batch_name(file_name, row_index, "", naming);
  while (exists(t.path)) {
    ++clash_counter;
    t.clashed = true;
    t.path = std::string(folder) +
             build_batch_name(file_name, row_index, "-重命名" + rt::int_to_text(clash_counter), naming);
  }
  return t;
}

int attribute_mask_of(bool read_only, bool hidden, bool system, bool archive) {
  return (read_only ? kReadOnlyBit : 0) | (hidden ? kHiddenBit : 0) | (system ? kSystemBit : 0) |
         (archive ? kArchiveBit : 0);
}

bool batch_search_matches(int attributes, int mask) {
  int kept = attributes & (kReadOnlyBit | kHiddenBit | kSystemBit | kFolderBit | kArchiveBit);
  return mask == 0 ? kept == 0 : (kept & mask) != 0;
}

std::string attribute_mark(int attributes, int bit) { return attributes >= 0 && (attributes & bit) ? "√" : "×"; }

std::string batch_file_name(std::string_view path) { return split_path_dir_file(path, false); }

std::vector<std::string> batch_file_row(std::string_view path, long long size, int attributes) {
  return {batch_file_name(path),
          size_kb_text(size),
          attribute_mark(attributes, kReadOnlyBit),
          attribute_mark(attributes, kHiddenBit),
          attribute_mark(attributes, kSystemBit),
          attribute_mark(attributes, kArchiveBit),
          std::string(path)};
}

std::vector<std::string> conversion_file_row(std::string_view path, long long size) {
  return {batch_file_name(path), size_kb_text(size), std::string(path)};
}

namespace {

// ANSI from page text: code page 936's own codes are its characters, a GB18030 four-byte code
// is a character code page 936 lacks; the text ends before its first zero.
ConvertedText page_text_to_ansi(bool valid, std::string_view text) {
  ConvertedText r;
  r.valid = valid;
  if (!valid) return r;
  for (std::size_t i = 0; i < text.size();) {
    rt::PageChar c = rt::page_char_at(text, i);
    if (text[i] == '\0') {
      for (std::size_t j = i; j < text.size(); j += rt::page_char_at(text, j).bytes) ++r.cut;
      break;
    }
    if (c.bytes == 4) {
      r.bytes += '?';
      ++r.missing;
    } else {
      r.bytes.append(text.substr(i, c.bytes));
    }
    i += c.bytes;
  }
  return r;
}

ConvertedText converted_by_system(std::string_view bytes, const char* from, const char* to) {
  ConvertedText r;
  r.bytes = rt::convert_encoding(bytes, from, to, &r.valid);
  if (!r.valid) r.bytes.clear();
  return r;
}

// UTF-16 units by two bytes: a last odd byte is part of no unit.
std::string_view whole_units(std::string_view bytes) { return bytes.substr(0, bytes.size() & ~std::size_t{1}); }

}  // namespace

ConvertedText utf8_to_ansi(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  std::string text;
  bool valid = rt::utf8_to_page_text(bytes, text);
  return page_text_to_ansi(valid, text);
}

ConvertedText utf16_to_ansi(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE")) bytes.remove_prefix(2);
  std::string text;
  bool valid = rt::utf16_bytes_to_page_text(whole_units(bytes), false, text);
  return page_text_to_ansi(valid, text);
}

ConvertedText utf16_to_utf8(std::string_view bytes) {
  return converted_by_system(whole_units(bytes), "UTF-16LE", "UTF-8");
}

ConvertedText utf8_to_utf16(std::string_view bytes) { return converted_by_system(bytes, "UTF-8", "UTF-16LE"); }

ConvertedText convert_by_kind(int kind, std::string_view bytes) {
  switch (kind) {
    case kUtf8ToAnsi:
      return utf8_to_ansi(bytes);
    case kUtf16ToAnsi:
      return utf16_to_ansi(bytes);
    case kUtf16ToUtf8:
      return utf16_to_utf8(bytes);
    case kUtf8ToUtf16:
      return utf8_to_utf16(bytes);
    default:
      return {.valid = true, .bytes = std::string(bytes)};
  }
}

namespace {

std::string count_text(long long n) { return rt::int_to_text(n); }

std::string lossy_text(const ConversionNote& n) {
  std::string lost;
  if (n.missing > 0) lost = "有 " + count_text(n.missing) + " 个字符 ANSI 中没有";
  if (n.cut > 0) lost += (lost.empty() ? "" : "，") + std::string("从零字符起的 ") + count_text(n.cut) + " 个字符写不进 ANSI 文本";
  if (!n.converted) return lost + "，输出会替换原文件，没有转换";
  if (n.cut == 0) return lost + "，已转换，缺的字符写成了“?”";
  return lost + (n.missing > 0 ? "，已转换到零字符为止，缺的字符写成了“?”" : "，已转换到零字符为止");
}

std::string note_text(const ConversionNote& n, int kind) {
  switch (n.reason) {
    case ConversionNote::kNotText:
      return kind == kUtf16ToAnsi || kind == kUtf16ToUtf8 ? "不是 Unicode 文本，没有转换" : "不是 UTF-8 文本，没有转换";
    case ConversionNote::kUnreadable:
      return "无法读取，没有转换";
    case ConversionNote::kUnwritable:
      return "无法写入输出文件，没有转换";
    case ConversionNote::kNameTaken:
      return "同名的输出文件本次已经写过，没有转换";
    case ConversionNote::kSourceWaiting:
      return "输出会替换列表中还没转换的文件，没有转换";
    case ConversionNote::kLossy:
      return lossy_text(n);
  }
  return {};
}

}  // namespace

std::string conversion_report_text(const std::vector<ConversionNote>& notes, int kind) {
  if (notes.empty()) return {};
  long long kept = 0, lossy = 0;
  for (const ConversionNote& n : notes) ++(n.converted ? lossy : kept);
  std::string text = "  ";
  if (kept > 0) text += "有 " + count_text(kept) + " 个文件没有转换（仍在列表中）";
  if (lossy > 0) text += (kept > 0 ? "，" : "有 ") + count_text(lossy) + " 个文件转换时有字符没能写出";
  text += "：";
  for (std::size_t i = 0; i < notes.size() && i < static_cast<std::size_t>(kMaxNotedFiles); ++i)
    text += "\r\n  " + notes[i].name + "：" + note_text(notes[i], kind);
  if (notes.size() > static_cast<std::size_t>(kMaxNotedFiles))
    text += "\r\n  ……另有 " + count_text(static_cast<long long>(notes.size()) - kMaxNotedFiles) + " 个文件未列出";
  return text;
}
