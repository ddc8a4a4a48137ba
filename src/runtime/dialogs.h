#pragma once
// Common dialogs. A test answers them through the dialog script (runtime/seams.h); otherwise the
// system dialog is shown.
#include <optional>
#include <string>
#include <vector>

#include "runtime/app.h"

namespace rt {

struct FileDialogRequest {
  WindowHandle owner = nullptr;
  std::string title;
  // Pairs of description and pattern, each followed by "|": "文本文件|*.txt|所有文件|*.*|".
  std::string filter;
  std::string folder;     // start folder
  std::string file_name;  // preset name (save)
  std::string default_extension;
};

// Multi-select open dialog: the chosen paths, none on Cancel.
std::vector<std::string> open_files_dialog(const FileDialogRequest& request);
// Save dialog: the chosen path, "" on Cancel.
std::string save_file_dialog(const FileDialogRequest& request);

struct FolderDialogRequest {
  WindowHandle owner = nullptr;
  std::string title;
  std::string start_folder;
  bool edit_box = true;
  bool new_style = true;
  bool include_files = false;
};
// The folder browser: the chosen folder's path (as the system gives it), "" on Cancel or when
// the choice has no file-system path.
std::string choose_folder_dialog(const FolderDialogRequest& request);

// The colour dialog, opened without a preset colour: the chosen colour (Windows RGB), nothing
// when cancelled.
std::optional<unsigned> choose_color_dialog(WindowHandle owner);

// The common-dialog unit of a form: a command sets only the properties it needs; the others
// keep what the previous use left.
class CommonDialog {
 public:
  enum class Kind { Open, Save };
  Kind kind = Kind::Open;
  std::string title;
  std::string filter;  // description|pattern|... as the forms write it
  std::string folder;
  std::string file_name;  // preset before, the chosen path after run()
  std::string default_extension;
  WindowHandle owner = nullptr;
  // Shows the dialog; false when cancelled.
  bool run();
};

}  // namespace rt
