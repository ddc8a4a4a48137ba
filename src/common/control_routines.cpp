#include "common/control_routines.h"

#include "common/artwork.h"
#include "common/text_routines.h"
#include "runtime/dialogs.h"
#include "runtime/files.h"
#include "runtime/gbk_text.h"
#include "runtime/system.h"

int is_directory(const std::string& path) { return rt::is_directory(path) ? 1 : 0; }

namespace {

bool ends_with_backslash(const std::string& path) {
  return !path.empty() && find_last_char(path, '\\') == static_cast<int>(path.size());
}

int button_state(rt::GraphicButton& button, const std::vector<rt::Picture>& strip, ButtonOp op, int value) {
  auto show = [&](bool on) {
    size_t first = on ? 3 : 0;
    button.set_normal_picture(strip[first]);
    button.set_hover_picture(strip[first + 1]);
    button.set_disabled_picture(strip[first + 2]);
    return on ? 1 : 0;
  };
  if (op == ButtonOp::Set) return show(value != 0);
  // Any picture but the "off" one counts as on.
  bool on = !button.normal_picture().same_image(strip[0]);
  if (op == ButtonOp::Query) return on ? 1 : 0;
  return show(!on);
}

}  // namespace

std::string normalize_dir_path(std::string& path) {
  if (!rt::is_directory(path)) {
    std::vector<std::string> names;
    all_texts_between(path, "%", "%", names);
    for (const std::string& name : names)
      path = rt::replace_text(path, "%" + name + "%", rt::environment_variable(name) + "\\");
    // A UNC path keeps its leading "\\".
    bool unc = path.compare(0, 2, "\\\\") == 0;
    std::string rest = rt::replace_text(unc ? path.substr(2) : path, "\\\\", "\\");
    path = (unc ? "\\\\" : "") + rest;
  }
  if (!ends_with_backslash(path)) path += "\\";
  return path;
}

std::string choose_folder(const std::string& start_folder, const std::string& title, rt::WindowHandle owner,
                          bool edit_box, bool new_style, bool include_files) {
  std::string folder =
      rt::trim_both(rt::choose_folder_dialog({owner, title, start_folder, edit_box, new_style, include_files}));
  if (!folder.empty() && !ends_with_backslash(folder)) folder += "\\";
  return folder;
}

int caret_screen_x() { return rt::caret_screen_position().x; }
int caret_screen_y() { return rt::caret_screen_position().y; }

int taskbar_height(std::vector<int>* work_area) {
  rt::Rect r = rt::work_area();
  if (work_area && work_area->size() >= 4) {
    (*work_area)[0] = r.left;
    (*work_area)[1] = r.top;
    (*work_area)[2] = r.top + r.height;
    (*work_area)[3] = r.left + r.width;
  }
  return rt::screen_height() - (r.top + r.height);
}

int check_button_state(rt::GraphicButton& button, ButtonOp op, int value) {
  return button_state(button, check_box_strip(), op, value);
}

int radio_button_state(rt::GraphicButton& button, ButtonOp op, int value) {
  return button_state(button, radio_button_strip(), op, value);
}

void click_radio_pair(rt::GraphicButton& clicked, rt::GraphicButton& other) {
  if (!radio_button_state(other, ButtonOp::Query)) return;
  radio_button_state(other, ButtonOp::Set, 0);
  radio_button_state(clicked, ButtonOp::Set, 1);
}

void step_list_selection_round(rt::ListBox& list, bool down) {
  const int n = list.count();
  if (n == 0) return;
  int i = list.current();
  if (down)
    i = i < 0 || i >= n - 1 ? 0 : i + 1;
  else
    i = i <= 0 ? n - 1 : i - 1;
  list.set_current(i);
}
