#include "documents/batch_rules.h"

#include "common/text_routines.h"
#include "documents/file_info_text.h"
#include "runtime/gbk_text.h"

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
