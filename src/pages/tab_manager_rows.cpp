#include "pages/tab_manager_rows.h"

#include <algorithm>
#include <cmath>

#include "common/text_routines.h"
#include "runtime/gbk_text.h"

std::string size_in_kb_text(long long bytes) {
  if (bytes < 0) return {};
  // Thousandths of a KB, half up, in integers: a double of bytes / 1024 * 1000 can land just
  // under the half it stands for.
  long long thousandths = (bytes * 1000 + 512) / 1024;
  return rt::number_to_text(static_cast<double>(thousandths) / 1000.0) + "KB";
}

std::vector<std::string> attribute_marks(int attributes) {
  std::vector<std::string> marks;
  for (int bit : {1, 2, 4, 32}) marks.push_back(attributes >= 0 && (attributes & bit) ? "√" : "×");
  return marks;
}

std::vector<std::string> open_page_row(const std::string& name, const std::string& path, const FileFacts& facts) {
  std::vector<std::string> row{name};
  if (path.empty()) {
    row.push_back("");
    for (std::string& mark : attribute_marks(-1)) row.push_back(std::move(mark));
    row.emplace_back(kNeverSavedPath);
    return row;
  }
  row.push_back(size_in_kb_text(facts.size));
  for (std::string& mark : attribute_marks(facts.attributes)) row.push_back(std::move(mark));
  row.push_back(path);
  return row;
}

std::vector<std::string> saved_file_row(const std::string& path, long long size) {
  return {split_path_dir_file(path, false), size_in_kb_text(size), path};
}

std::string saved_file_preview(std::string_view bytes) {
  return rt::cut_on_char_boundary(bytes.substr(0, bytes.find('\0')), kPreviewBytes);
}

std::vector<int> inverted_rows(int count, const std::vector<int>& selected) {
  std::vector<int> rows;
  for (int i = 0; i < count; ++i)
    if (std::find(selected.begin(), selected.end(), i) == selected.end()) rows.push_back(i);
  return rows;
}

std::vector<std::string> dropped_text_paths(std::string_view text) { return rt::split_text(text, "\r\n"); }

OpenPagesMenuState open_pages_menu_state(int row_count, bool busy, int selected_count, bool single_never_saved,
                                         bool saved_list_filling) {
  OpenPagesMenuState s;
  if (row_count > 0) {
    s.open_disabled = busy;
    s.refresh_disabled = busy;
  }
  s.copy_disabled = selected_count == 0;
  s.close_disabled = selected_count == 0;
  // Applied last, over the rule above: one selected page that names no file has nothing to
  // copy, show or keep.
  bool nothing_to_name = selected_count == 1 && single_never_saved;
  s.add_to_set_disabled = nothing_to_name || saved_list_filling;
  s.copy_disabled = nothing_to_name;
  s.properties_disabled = nothing_to_name;
  return s;
}

SavedListMenuState saved_list_menu_state(int row_count, int selected_count, bool filling) {
  SavedListMenuState s;
  s.add_files_disabled = filling;
  s.open_disabled = selected_count == 0;
  s.save_disabled = row_count == 0 || filling;
  s.refresh_disabled = filling;
  s.delete_disabled = selected_count == 0 || filling;
  s.clear_disabled = filling;
  return s;
}
