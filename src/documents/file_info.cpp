#include "documents/file_info.h"

#include <memory>

#include "common/balloon_tip.h"
#include "common/control_routines.h"
#include "common/file_info_art.h"
#include "common/path_routines.h"
#include "common/skin.h"
#include "common/skin_art.h"
#include "common/tool_window.h"
#include "common/window_fade.h"
#include "documents/file_info_text.h"
#include "forms/file_info_window_form.h"
#include "forms/main_window_form.h"
#include "pages/page_model.h"
#include "runtime/app.h"
#include "runtime/window_jobs.h"
#include "runtime/window_services.h"

namespace {

constexpr int kReturnKey = 0x0D;
constexpr unsigned kBorderColor = 0x9D7B45;
constexpr const char* kAnyExtension = "*(后缀名任意)";
constexpr const char* kNoExtension = "无后缀名！";
constexpr const char* kNeverSaved = "从未保存过！";
constexpr const char* kNoTimes = "文件不存在，无法读取……";
constexpr int kAttributeBits[] = {1, 2, 4, 32};

// What one fill shows: the page as it was when the fill started and what the worker read of
// its file.
struct FileInfoFill {
  int generation = 0;
  std::string name, extension, path;
  int page_count = 0, page_number = 0;
  std::string modified;
  unsigned text_color = 0, back_color = 0;
  std::string font;
  // Read by the worker.
  long long size = -1;
  rt::DateTime times[3];
  int attributes = -1;
};

// The fill of the current window (one at a time); a result for a window that has gone is
// dropped.
rt::WindowJobs g_fills;
// A refill was asked for while a fill ran: it starts when that one ends.
bool g_file_info_refill = false;

rt::GraphicButton* attribute_button(int i) {
  FileInfoWindowForm& f = file_info_window();
  rt::GraphicButton* buttons[] = {&f.超级按钮_只读文件, &f.超级按钮_隐藏文件, &f.超级按钮_系统文件属性,
                                  &f.超级按钮_存档文件属性};
  return buttons[i];
}

void show_busy() {
  FileInfoWindowForm& f = file_info_window();
  f.图形按钮_关闭小.set_disabled(g_fills.busy());
  f.图形按钮_确定.set_disabled(g_fills.busy());
}

// The page's side of a fill, taken on the UI thread; false without a current page.
bool take_page(FileInfoFill& fill) {
  MainWindowForm& w = main_window();
  rt::EditBox& box = w.编辑框_文本类容;
  int i = w.高级选择夹_标签.current();
  if (i < 0 || i >= page_count()) return false;
  const PageRecord& page = pages()[i];
  fill.name = page_name(i);
  fill.extension = page.extension;
  fill.path = page.path;
  int skipped = tab0_placeholder() ? 1 : 0;
  fill.page_count = w.高级选择夹_标签.count() - skipped;
  fill.page_number = i + 1 - skipped;
  fill.modified = modified_state_text(i);
  fill.text_color = box.text_color();
  fill.back_color = box.back_color();
  rt::Font font = box.font();
  fill.font = font.face + "(" + std::to_string(font.size) + ")";
  return true;
}

// The file's side, on the worker.
void read_file_facts(FileInfoFill& fill) {
  if (fill.path.empty()) return;
  fill.size = rt::file_size(fill.path);
  get_file_times(fill.path, fill.times);
  int a = rt::file_attributes(fill.path);
  fill.attributes = a == -1 ? -1 : a & 0x37;
}

void fill_file_info(const FileInfoFill& fill) {
  FileInfoWindowForm& f = file_info_window();
  f.编辑框_文件名称.set_text(fill.name);
  f.编辑框_文件后缀名.set_text(fill.extension.empty() ? kAnyExtension : fill.extension);
  f.编辑框_文件路径.set_text(fill.path);
  rt::EditBox* time_boxes[] = {&f.编辑框_创建时间, &f.编辑框_修改时间, &f.编辑框_访问时间};
  if (fill.path.empty()) {
    f.编辑框_文件大小.set_text("0KB");
    f.编辑框_文件路径.set_text(kNeverSaved);
    for (rt::EditBox* b : time_boxes) b->set_text(kNoTimes);
  } else {
    if (f.编辑框_文件后缀名.text() == kAnyExtension) f.编辑框_文件后缀名.set_text(kNoExtension);
    f.编辑框_文件大小.set_text(file_size_text(fill.size));
    for (int i = 0; i < 3; ++i) time_boxes[i]->set_text(date_to_text(fill.times[i]));
  }
  for (int i = 0; i < 4; ++i)
    check_button_state(*attribute_button(i), ButtonOp::Set,
                       fill.attributes != -1 && (fill.attributes & kAttributeBits[i]) ? 1 : 0);
  f.标签_页面总数.set_text(std::to_string(fill.page_count) + "篇");
  f.标签_当前页面.set_text(std::to_string(fill.page_number) + "篇");
  f.标签_修改状态.set_text(fill.modified);
  f.标签_文本颜色.set_text(std::to_string(fill.text_color));
  f.标签_背景颜色.set_text(std::to_string(fill.back_color));
  f.标签_字体名称.set_text(fill.font);
}

void start_fill() {
  auto fill = std::make_shared<FileInfoFill>();
  if (!take_page(*fill)) return;
  fill->generation = g_fills.begin();
  show_busy();
  // Filled or failed, the fill ends; a refill asked for meanwhile starts then.
  auto fill_ended = [fill](bool read) {
    if (!g_fills.current(fill->generation) || !file_info_window().loaded()) return;
    if (read) fill_file_info(*fill);
    g_fills.end(fill->generation);
    show_busy();
    if (g_file_info_refill) {
      g_file_info_refill = false;
      start_fill();
    }
  };
  rt::start_thread(
      [fill, fill_ended] {
        read_file_facts(*fill);
        rt::post([fill_ended] { fill_ended(true); });
      },
      [fill_ended] { fill_ended(false); });
}

std::string path_box_text() { return file_info_window().编辑框_文件路径.text(); }

}  // namespace

void open_file_info_window() { open_tool_window(file_info_window()); }

void fill_file_info_thread() {
  if (!file_info_window().loaded()) return;
  if (g_fills.busy()) {
    g_file_info_refill = true;
    return;
  }
  start_fill();
}

bool file_info_window_busy() { return file_info_window().loaded() && g_fills.busy(); }

std::string modified_state_text(int index) {
  bool modified = index >= 0 && index < page_count() && pages()[index].modified;
  return modified ? "已被修改！" : "未被修改！";
}

bool get_file_times(const std::string& path, rt::DateTime times[3]) {
  for (int i = 0; i < 3; ++i) times[i] = kZeroDate;
  std::optional<rt::FileTimes> t = rt::file_times(path);
  if (!t) return false;
  times[0] = t->creation;
  times[1] = t->last_write;
  times[2] = t->last_access;
  return true;
}

bool set_file_times(const std::string& path, rt::FileTimeKind which, const std::string& time_text) {
  std::optional<rt::DateTime> when = text_to_date(time_text);
  return when && rt::set_file_time(path, which, *when);
}

void apply_file_info_attributes() {
  std::string path = path_box_text();
  if (path == kNeverSaved || path.empty()) return;
  int attributes = 0;
  for (int i = 0; i < 4; ++i)
    if (check_button_state(*attribute_button(i), ButtonOp::Query)) attributes += kAttributeBits[i];
  rt::set_file_attributes(path, attributes & 0x27);
}

void on_file_info_window_created() {
  FileInfoWindowForm& f = file_info_window();
  g_fills.restart();
  g_file_info_refill = false;
  dress_tool_window(f, f.frame_labels(), f.图形按钮_程序图标, file_info_window_icon_picture(), f.图形按钮_关闭小);
  for (int i = 0; i < 4; ++i) check_button_state(*attribute_button(i), ButtonOp::Set, 0);
  fill_file_info_thread();
  rt::Unit* pointed[] = {&f,
                         &f.图形按钮_关闭小,
                         &f.图形按钮_确定,
                         &f.超级按钮_只读文件,
                         &f.超级按钮_隐藏文件,
                         &f.超级按钮_系统文件属性,
                         &f.超级按钮_存档文件属性};
  for (rt::Unit* u : pointed) u->set_mouse_pointer(program_pointer_cursor().handle());
  for (rt::EditBox* box : {&f.编辑框_文件名称, &f.编辑框_文件后缀名, &f.编辑框_文件路径, &f.编辑框_文件大小,
                           &f.编辑框_创建时间, &f.编辑框_修改时间, &f.编辑框_访问时间}) {
    box->set_mouse_pointer(program_text_cursor().handle());
    install_colored_border(box->handle(), kBorderColor);
  }
}

void on_file_info_window_shown() {
  FileInfoWindowForm& f = file_info_window();
  fade_in_after_first_activation(f);
  set_balloon_tip(f.图形按钮_关闭小, "<font color=red>关闭文件信息窗口");
  set_balloon_tip(f.图形按钮_确定, "确定");
  set_balloon_tip(f.编辑框_文件路径, "如果有路径存在的话，回车在资源管理器中打开");
  set_balloon_tip(f.编辑框_创建时间, "支持修改文件的创建时间\r\n修改时间后回车即可修改");
  set_balloon_tip(f.编辑框_修改时间, "支持修改文件的修改时间\r\n修改时间后回车即可修改");
  set_balloon_tip(f.编辑框_访问时间, "支持修改文件的访问时间\r\n修改时间后回车即可修改");
}

void close_file_info_window() {
  if (!file_info_window_busy()) file_info_window().close();
}

void fade_out_file_info_window() {
  FileInfoWindowForm& f = file_info_window();
  if (f.loaded()) show_window_faded(f, false);
}

bool on_file_info_window_may_close() {
  if (file_info_window_busy()) return false;
  fade_out_file_info_window();
  return true;
}

bool on_file_path_key_down(int key, int modifiers) {
  if (key != kReturnKey) return true;
  std::string path = path_box_text();
  if (path != kNeverSaved && !path.empty()) reveal_in_explorer(path);
  return false;
}

bool on_file_time_key_down(rt::FileTimeKind which, int key) {
  if (key != kReturnKey) return true;
  FileInfoWindowForm& f = file_info_window();
  rt::EditBox& box = which == rt::FileTimeKind::Creation    ? f.编辑框_创建时间
                     : which == rt::FileTimeKind::LastWrite ? f.编辑框_修改时间
                                                            : f.编辑框_访问时间;
  std::string path = path_box_text();
  if (path != kNeverSaved && !path.empty()) set_file_times(path, which, box.text());
  return false;
}

void on_file_attribute_click(rt::GraphicButton& button) {
  check_button_state(button);
  apply_file_info_attributes();
}

void move_file_info_window_by_title() { move_window_by_title(file_info_window()); }

void bind_file_info_window(FileInfoWindowForm& f) {
  f.on_created = on_file_info_window_created;
  f.on_first_activation = on_file_info_window_shown;
  f.on_may_close = on_file_info_window_may_close;
  f.图形按钮_关闭小.on_click = close_file_info_window;
  f.图形按钮_确定.on_click = close_file_info_window;
  f.标签_上中.on_left_down = [](int, int, int) {
    move_file_info_window_by_title();
    return true;
  };
  f.编辑框_文件路径.on_key_down = on_file_path_key_down;
  f.编辑框_创建时间.on_key_down = [](int key, int) { return on_file_time_key_down(rt::FileTimeKind::Creation, key); };
  f.编辑框_修改时间.on_key_down = [](int key, int) { return on_file_time_key_down(rt::FileTimeKind::LastWrite, key); };
  f.编辑框_访问时间.on_key_down = [](int key, int) { return on_file_time_key_down(rt::FileTimeKind::LastAccess, key); };
  for (rt::GraphicButton* b :
       {&f.超级按钮_只读文件, &f.超级按钮_隐藏文件, &f.超级按钮_系统文件属性, &f.超级按钮_存档文件属性})
    b->on_click = [b] { on_file_attribute_click(*b); };
}
