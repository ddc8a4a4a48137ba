#include "documents/file_operations.h"

#include <optional>

#include "common/message_box.h"
#include "common/messages.h"
#include "common/path_routines.h"
#include "common/skin_art.h"
#include "common/text_routines.h"
#include "documents/open_files.h"
#include "documents/save_files.h"
#include "forms/main_window_form.h"
#include "options/config.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "pages/tab_commands.h"
#include "runtime/app.h"
#include "runtime/files.h"
#include "runtime/gbk_text.h"
#include "runtime/shell.h"
#include "runtime/system.h"
#include "runtime/window_services.h"

namespace {

constexpr unsigned kRed = 0xFF, kGreen = 0x8000, kMagenta = 0xFF00FF, kBlue = 0xFF0000;

int current_tab() { return main_window().高级选择夹_标签.current(); }

// The current page when it has a path, else -1.
int current_file_page() {
  int tab = current_tab();
  return page_exists(tab) && !pages()[tab].path.empty() ? tab : -1;
}

// The snapshot's messages: they do not fade, and close by themselves after 5 s with OK (a box
// that does not fade in never counts down, so in effect they wait for the user).
int tell_about_snapshot(int buttons, int icon, const std::string& title, unsigned title_color,
                        const std::string& text, bool* closed_without_button = nullptr) {
  MessageBoxRequest r;
  r.owner = &main_window();
  r.button_set = buttons;
  r.icon = icon;
  r.title = title;
  r.title_color = title_color;
  r.text = text;
  r.text_color = kMagenta;
  r.box_cursor = program_pointer_cursor();
  r.fade = 0;
  r.auto_close_ms = 5000;
  r.default_button = kBoxOk;
  r.closed_without_button = closed_without_button;
  return show_message_box(r);
}

// A question whose OK shows the file in Explorer.
void offer_to_reveal(int answer, bool closed_without_button, const std::string& path) {
  if (answer == kBoxOk && !closed_without_button) reveal_in_explorer(path);
}

}  // namespace

void run_page_as_batch() {
  int tab = current_tab();
  if (!page_exists(tab)) return;
  std::string file = rt::environment_variable("temp") + "\\" + page_name(tab) + "_批处理调试." + pages()[tab].extension;
  if (rt::write_file_safely(file, main_window().编辑框_文本类容.text())) rt::shell_execute("", file);
}

void run_page_as_batch_if_batch_file() {
  int tab = current_tab();
  if (!page_exists(tab)) return;
  std::string extension = rt::to_lower_ascii(pages()[tab].extension);
  if (extension == "cmd" || extension == "bat") run_page_as_batch();
}

void save_page_snapshot() {
  MainWindowForm& w = main_window();
  rt::EditBox& box = w.编辑框_文本类容;
  // The caret leaves the edit box, and the 1-pixel move makes it paint itself afresh.
  w.图形按钮_文件_菜单.set_focus();
  box.set_top(box.top() + 1);
  rt::delay_with_messages(100);
  std::string picture = rt::window_picture_bmp(box.handle());
  box.set_top(box.top() - 1);
  box.set_focus();
  if (picture.empty()) {
    tell_about_snapshot(0, 16, "截取图片出错！", kRed, "  截取当前页面时出错！请重试！");
    return;
  }
  rt::CommonDialog& dialog = w.通用对话框;
  dialog.title = "请选择图片文件的保存目录……";
  dialog.kind = rt::CommonDialog::Kind::Save;
  dialog.filter = "图像文件(*.BMP)|*.bmp|";
  dialog.file_name = page_name(current_tab());
  dialog.folder = config_text(cfg::上次打开目录::截图文件);
  dialog.owner = w.handle();
  if (!dialog.run()) return;
  std::string chosen = dialog.file_name;
  if (rt::write_file_safely(chosen, picture)) {
    bool without_button = false;
    int answer = tell_about_snapshot(1, 8, "保存截到的位图完毕！", kGreen,
                                     "  保存截取到的位图到文件完毕，是否在资源管理器中定位到该文件！", &without_button);
    offer_to_reveal(answer, without_button, chosen);
  } else {
    tell_about_snapshot(1, 8, "保存截到的位图失败！", kRed, "  保存截取到的位图到文件失败，请确定保存目录的可写性！");
  }
  config_set_text(cfg::上次打开目录::截图文件, split_path_dir_file(chosen, true));
}

void rename_page_file() {
  int tab = current_file_page();
  if (tab < 0) return;
  const int id = page_id(tab);
  std::string answer;
  bool without_button = false;
  MessageBoxRequest r;
  r.owner = &main_window();
  r.icon = 32;
  r.title = "请输入要重命名的文件名称！";
  r.title_color = kMagenta;
  r.text = "  请输入要重命名的文件名称，文件名不允许含有：\\/|:*?< >\"这些特殊字符！如果含有的话，程序会自动去除。";
  r.text_color = kGreen;
  r.box_cursor = program_pointer_cursor();
  r.input_cursor = program_text_cursor();
  r.fade = 0;
  r.input_mode = 1;
  r.enter_submits = 1;
  r.input_text_color = kBlue;
  // A file without an extension is offered its bare name: a trailing dot would be dropped by
  // the system and leave the page naming a file that is not there.
  const std::string& extension = pages()[tab].extension;
  r.input_default = page_name(tab) + (extension.empty() ? "" : "." + extension);
  r.input_result = &answer;
  r.closed_without_button = &without_button;
  if (show_message_box(r) != kBoxOk || without_button) return;
  // Pages come and go while the box is open: the page asked about, wherever it is now.
  tab = find_page_by_id(id);
  if (tab < 0 || pages()[tab].path.empty()) return;
  const std::string source = pages()[tab].path;

  std::string name = rt::replace_text(strip_invalid_filename_chars(answer), "\r\n", "");
  if (rt::trim_both(name).empty()) {
    tell_user(0, 16, "重命名文件失败！", kRed,
              "  重命名文件失败，由于指定的文件名称中含有特殊字符！过滤之后不能组成符合条件的文件名！", kMagenta);
    return;
  }
  std::string target = split_path_dir_file(source, true) + name;
  if (!rt::rename_file(source, target)) {
    tell_user(0, 16, "重命名文件失败！", kRed,
              "  重命名文件失败，请确定当前文件是否正在被其他程序使用，然后再继续操作！", kMagenta);
    return;
  }
  page_follows_file(tab, target);
  update_title_and_status(current_tab());
  int reply = tell_user(1, 8, "重命名文件成功！", kMagenta, "  重命名文件成功，是否在资源管理器中定位到该文件！", kGreen,
                        &without_button);
  offer_to_reveal(reply, without_button, target);
}

void open_in_system_notepad() {
  int tab = current_file_page();
  if (tab < 0) return;
  if (!rt::run_program("C:\\Windows\\notepad.exe " + pages()[tab].path))
    tell_user(0, 16, "发送命令到系统记事本失败！", kRed,
              "  发送命令到系统的记事本失败，所以无法用记事本打开当前文档！请确定Windows目录是否有notepad.exe！", kMagenta);
}

void copy_or_move_page_file(bool move) {
  MainWindowForm& w = main_window();
  int tab = current_file_page();
  if (tab < 0) return;
  std::string name = page_name(tab);
  std::string extension = pages()[tab].extension.empty() ? "txt" : pages()[tab].extension;
  rt::CommonDialog& dialog = w.通用对话框;
  dialog.title = "请选择将 " + name + (move ? " 移动" : " 复制") + "到的文件名……";
  dialog.kind = rt::CommonDialog::Kind::Save;
  dialog.filter = "所有文件(*.*)|*.*|";
  // The dialog appends it to a name typed without one: the bare extension, as "*.txt" would
  // make a name no file can have.
  dialog.default_extension = extension;
  dialog.file_name = name + "." + extension;
  dialog.owner = w.handle();
  const int id = page_id(tab);
  if (!dialog.run()) return;
  std::string chosen = dialog.file_name;
  // The dialog is modal, but pages come and go under it: the page it was asked for, wherever
  // it is now; nothing when it has gone.
  tab = find_page_by_id(id);
  if (tab < 0 || pages()[tab].path.empty()) return;
  const std::string source = pages()[tab].path;
  bool without_button = false;
  if (!move) {
    if (rt::copy_file(source, chosen)) {
      int answer = tell_user(1, 8, "成功复制文件到目标目录……", kGreen,
                             "  成功将文件复制到目标目录，是否在资源管理器中定位该文件？", kMagenta, &without_button);
      offer_to_reveal(answer, without_button, chosen);
    } else {
      tell_user(0, 16, "复制文件到目标目录失败……", kRed,
                "  复制文件到目标目录失败，请确定目标目录是否可写，然后在重新操作！", kMagenta);
    }
    return;
  }
  if (!rt::move_file(source, chosen)) {
    tell_user(0, 16, "移动文件到目标目录失败……", kRed,
              "  移动文件到目标目录失败，请确定目标目录是否可写，然后在重新操作！", kMagenta);
    return;
  }
  page_follows_file(tab, chosen);
  update_title_and_status(current_tab());
  int answer = tell_user(1, 8, "成功移动文件到目标目录……", kGreen,
                         "  成功将文件移动到目标目录，是否在资源管理器中定位该文件？", kMagenta, &without_button);
  offer_to_reveal(answer, without_button, chosen);
}

void restore_page_backup() {
  // It replaces the page's text, which an open run may be filling.
  if (open_busy()) return;
  int tab = current_file_page();
  if (tab < 0) return;
  const std::string& path = pages()[tab].path;
  // The forced save's backup first, then one named as the file with ".BAK" added.
  for (const std::string& backup : {backup_name(path), path + ".BAK"}) {
    if (!rt::file_exists(backup)) continue;
    std::optional<std::string> bytes = rt::read_file(backup);
    if (!bytes) continue;
    size_t zero = bytes->find('\0');
    if (zero != std::string::npos) bytes->resize(zero);
    main_window().编辑框_文本类容.set_text(*bytes);
    // The page holds what the edit box now shows and counts as unmodified.
    sync_current_page_from_editor();
    set_page_modified(tab, 0);
    set_page_shorter_than_file(tab, zero != std::string::npos);
    update_title_and_status(tab);
    return;
  }
}

void show_file_properties_dialog(int page) {
  if (!page_exists(page) || pages()[page].path.empty()) return;
  rt::show_properties_dialog(pages()[page].path, main_window().handle());
}

void recycle_page_file() {
  // The page goes with its file, and no page goes during an open run.
  if (open_busy()) return;
  int tab = current_file_page();
  if (tab < 0) return;
  if (!rt::recycle_file(pages()[tab].path)) {
    tell_user(0, 16, "删除文件失败！", kRed,
              "  删除文件失败，请确定当前文件是否正在被其他程序使用，然后在继续操作！", kMagenta);
    return;
  }
  close_page_at(tab);
  tell_user(0, 8, "删除文件成功！", kGreen, "  删除文件到回收站成功，如果是误删的话，可以到回收站恢复此文件！", kGreen);
}

void reveal_page_file(int page) {
  if (page_exists(page) && !pages()[page].path.empty()) reveal_in_explorer(pages()[page].path);
}

void show_current_file_properties() { show_file_properties_dialog(current_tab()); }
void show_remembered_file_properties() { show_file_properties_dialog(remembered_menu_tab()); }
void reveal_current_file() { reveal_page_file(current_tab()); }
void reveal_remembered_file() { reveal_page_file(remembered_menu_tab()); }
