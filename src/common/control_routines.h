#pragma once
// Shared routines over the system and the program's graphic controls.
#include <string>
#include <vector>

#include "runtime/graphic_button.h"
#include "runtime/list_box.h"

// 1 when the path is an existing folder.
int is_directory(const std::string& path);
// Environment variables between percent signs expanded (when the path is no existing folder),
// doubled backslashes collapsed after a leading UNC "\\", a trailing "\" added. Written back.
std::string normalize_dir_path(std::string& path);
// The folder browser starting at start_folder: the folder with a trailing "\", "" on Cancel.
std::string choose_folder(const std::string& start_folder, const std::string& title = "请选择一个文件夹",
                          rt::WindowHandle owner = nullptr, bool edit_box = true, bool new_style = true,
                          bool include_files = false);
int caret_screen_x();
int caret_screen_y();
// Screen height minus the bottom of the work area; with an array of at least 4 elements, they
// become the work area's left, top, bottom and right.
int taskbar_height(std::vector<int>* work_area = nullptr);

// Graphic check boxes and radio buttons keep their state only in their pictures.
enum class ButtonOp { Toggle, Query, Set };
int check_button_state(rt::GraphicButton& button, ButtonOp op = ButtonOp::Toggle, int value = 0);
int radio_button_state(rt::GraphicButton& button, ButtonOp op = ButtonOp::Toggle, int value = 0);
// A click on one radio button of a pair: it turns on, and the other off, only while the other
// is on; a click on the button already on changes nothing.
void click_radio_pair(rt::GraphicButton& clicked, rt::GraphicButton& other);

// Down and Up over a list of suggestions: the next or the previous entry, round from the last to
// the first and back (from no entry: the first going down, the last going up).
void step_list_selection_round(rt::ListBox& list, bool down);
