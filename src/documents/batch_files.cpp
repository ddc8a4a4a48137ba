#include "documents/batch_files.h"

#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/control_routines.h"
#include "common/messages.h"
#include "common/skin.h"
#include "common/text_routines.h"
#include "documents/batch_rules.h"
#include "forms/options_window_form.h"
#include "options/config.h"
#include "pages/page_model.h"
#include "runtime/app.h"
#include "runtime/dialogs.h"
#include "runtime/files.h"
#include "runtime/gbk_text.h"
#include "runtime/shell.h"
#include "runtime/tooltip.h"
#include "runtime/window_jobs.h"

namespace {

// Paths waiting to be added to the batch list and to the conversion list.
std::vector<std::string> g_batch_add_list;
std::vector<std::string> g_conversion_add_list;
// 1 while no batch operation runs; a stop click sets it back to 1 and the worker ends before its
// next row.
int g_batch_idle = 1;
// 1 asks the folder search to stop before its next file.
int g_batch_search_stop = 0;
// The frames of the naming boxes are drawn the first time page "文件操作" shows.
int g_batch_frames_done = 0;

constexpr unsigned kRed = 255, kMagenta = 16711935, kBlue = 16711680;
constexpr unsigned kBoxFrameColor = 10320709;
constexpr int kKeyBackspace = 8, kKeyEnter = 13, kKeyDelete = 46;
// The rows a fill hands to the list at once: the list grows while the worker reads on.
constexpr size_t kRowsPerHandOver = 200;

enum BatchOperation { kCopy = 0, kMove = 1, kDelete = 2, kRename = 3, kSetAttributes = 4 };

const char* const kAddFiles = "添加文件(&T)";

OptionsWindowForm& ow() { return options_window(); }
rt::ListView& batch_list() { return ow().超级列表框_处理的文件; }
rt::ListView& conversion_list() { return ow().超级列表框_操作文件; }

// The workers of each kind that run for the options window loaded now. They start again
// together when a window is loaded, so a worker's serial (its kind's generation) tells the
// window too, and a result for a window that has gone is dropped.
struct Workers {
  rt::WindowJobs batch_fills, searches, operations, conversion_fills, conversions;
  void restart() {
    for (rt::WindowJobs* j : {&batch_fills, &searches, &operations, &conversion_fills, &conversions}) j->restart();
  }
};
Workers g_workers;
// What the boxes ask of the search and start buttons; busy states can still keep them disabled.
bool g_search_wanted = false, g_start_wanted = true;
// set_batch_running's look: the stop caption, the progress and the log label.
bool g_running_look = false;

int check_state(rt::GraphicButton& b) { return check_button_state(b, ButtonOp::Query); }

// The four attribute boxes and their bits, in the order of the list's columns.
std::array<rt::GraphicButton*, 4> attribute_boxes() {
  OptionsWindowForm& f = ow();
  return {&f.超级按钮_只读文件, &f.超级按钮_隐藏文件, &f.超级按钮_系统文件属性, &f.超级按钮_存档文件属性};
}
constexpr int kBoxBits[4] = {kReadOnlyBit, kHiddenBit, kSystemBit, kArchiveBit};

// The buttons that start, stop or add, as the boxes want them and the workers allow.
void apply_batch_buttons() {
  OptionsWindowForm& f = ow();
  if (!f.loaded()) return;
  const Workers& w = g_workers;
  bool list_taken = w.operations.busy() || w.batch_fills.busy();
  // A running search keeps its button to stop it; once stopped, it waits for the worker.
  f.超级按钮_搜索.set_disabled(w.searches.busy() ? g_batch_search_stop != 0 : !g_search_wanted || list_taken);
  f.超级按钮_开始执行.set_disabled(w.operations.busy() ? g_batch_idle != 0
                                                       : !g_start_wanted || w.searches.busy() || w.batch_fills.busy());
  f.图形按钮_选择目录.set_disabled(w.searches.busy() || list_taken);
  f.超级按钮_打开文件.set_disabled(conversion_list_busy());
  f.图形按钮_关闭小.set_disabled(batch_pages_busy());
}

void say(const std::string& title, const std::string& text, int icon = 16) {
  tell_user(0, icon, title, kRed, text, kMagenta, nullptr, &ow());
}

// Every row selected: the list is emptied; otherwise the selected rows go, from the last.
void remove_selected_rows(rt::ListView& list) {
  std::vector<int> rows = list.selected_rows();
  if (rows.empty()) return;
  if (static_cast<int>(rows.size()) == list.row_count()) {
    list.clear();
    return;
  }
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) list.remove_row(*it);
}

bool list_key(rt::ListView& list, int key, int modifiers) {
  if (modifiers == rt::kCtrl && key == 'A') {
    list.set_all_selected(true);
    return false;
  }
  if (modifiers == rt::kCtrl && key == 'F') {
    std::vector<int> remembered = list.selected_rows();
    list.set_all_selected(true);
    for (int row : remembered) list.set_selected(row, false);
    return false;
  }
  if (key == kKeyDelete || key == kKeyBackspace) {
    remove_selected_rows(list);
    return false;
  }
  return true;
}

// The menu's items: adding enabled as given, the other four only with rows.
void show_list_menu(const char* menu_name, bool busy, bool can_add, rt::ListView& list, int x, int y) {
  OptionsWindowForm& f = ow();
  rt::MenuItem* menu = f.超级菜单.menu(menu_name);
  if (!menu) return;
  bool rows = list.row_count() > 0;
  for (rt::MenuItem& item : menu->items()) {
    if (item.is_separator()) continue;
    item.disabled = busy || (item.caption == kAddFiles ? !can_add : !rows);
  }
  f.超级菜单.popup(*menu, x, y);
}

std::vector<std::string> choose_files_to_add() {
  return rt::open_files_dialog(
      {ow().handle(), "请选择要操作的文件……", "文本文件(*.txt)|*.txt|所有文件(*.txt)|*.*|", {}, {}, {}});
}

// The row cells a fill reads on its worker: nothing for a path it skips.
using RowReader = std::function<std::vector<std::string>(const std::string& path)>;

// Reads the rows of the paths on a worker and hands them to the list as they come; at the end
// the add list is emptied and the fill no longer counts.
void fill_list(std::vector<std::string> paths, rt::ListView OptionsWindowForm::*list, rt::WindowJobs Workers::*count,
               std::vector<std::string>* add_list, RowReader read_row) {
  const int serial = (g_workers.*count).begin();
  apply_batch_buttons();
  auto fill_ended = [serial, count, add_list] {
    run_for_batch_window(serial, [serial, count, add_list] {
      add_list->clear();
      (g_workers.*count).end(serial);
      apply_batch_buttons();
    });
  };
  rt::start_thread(
      [paths = std::move(paths), list, read_row, serial, fill_ended] {
        std::vector<std::vector<std::string>> rows;
        auto hand_over = [&] {
          bool alive = run_for_batch_window(serial, [&] {
            for (const std::vector<std::string>& cells : rows) (ow().*list).add_row(cells);
          });
          rows.clear();
          return alive;
        };
        for (const std::string& path : paths) {
          std::vector<std::string> cells = read_row(path);
          if (!cells.empty()) rows.push_back(std::move(cells));
          if (rows.size() >= kRowsPerHandOver && !hand_over()) return;
        }
        if (!hand_over()) return;
        fill_ended();
      },
      fill_ended);
}

// ---- The operations ----

struct BatchJobRow {
  int index = 0;
  std::string name, source;
};

struct BatchJob {
  std::vector<BatchJobRow> rows;  // by index, from the first row
  BatchNaming naming;
  std::string folder;      // copy and move: the target folder, with its "\"
  bool permanent = false;  // delete: not to the recycle bin
  int mask = 0;            // set attributes
};

// What a row's operation has to say, in order.
struct BatchLog {
  std::vector<std::pair<std::string, bool>> lines;  // text, failed
  void ok(std::string text) { lines.emplace_back(std::move(text), false); }
  void failed(std::string text) { lines.emplace_back(std::move(text), true); }
};

void write_batch_log(const BatchLog& log) {
  rt::Label& label = ow().透明标签_日志;
  for (const auto& [text, failed] : log.lines) {
    if (failed) label.set_text_color(kRed);
    label.set_text(text);
    if (failed) label.set_text_color(kBlue);
  }
}

using BatchRowWork = std::function<void(const BatchJobRow& row, BatchLog& log)>;

void end_batch_operation(int serial) {
  run_for_batch_window(serial, [serial] {
    g_workers.operations.end(serial);
    set_batch_running(false);
    update_batch_start_button();
  });
}

// The worker loop: the rows from the last to the first while no stop was asked; each row leaves
// the list whether its operation succeeded or not.
void run_batch_rows(const BatchJob& job, int serial, const BatchRowWork& work) {
  bool go_on = false;
  if (!run_for_batch_window(serial, [&] { go_on = g_batch_idle == 0; })) return;
  for (auto it = job.rows.rbegin(); it != job.rows.rend() && go_on; ++it) {
    BatchLog log;
    work(*it, log);
    int index = it->index;
    // The row goes, the progress moves on, and the stop flag is read for the next row.
    if (!run_for_batch_window(serial, [&] {
          OptionsWindowForm& f = ow();
          write_batch_log(log);
          f.超级列表框_处理的文件.remove_row(index);
          f.进度条_文件执行进度.set_position(f.进度条_文件执行进度.position() + 1);
          go_on = g_batch_idle == 0;
        }))
      return;
  }
  end_batch_operation(serial);
}

bool exists(const std::string& path) { return rt::file_exists(path); }

// Copy and move: into the target folder under the new name; a taken name gets the clash suffix.
void transfer_rows(const BatchJob& job, int serial, bool move) {
  int clashes = 0;
  run_batch_rows(job, serial, [&](const BatchJobRow& row, BatchLog& log) {
    BatchTarget target = batch_target(job.folder, row.name, row.index, job.naming, clashes, exists);
    if (target.clashed) log.ok("在目标目录发现重名文件，自动重命名文件为：" + target.path);
    if (move ? rt::move_file(row.source, target.path) : rt::copy_file(row.source, target.path))
      log.ok((move ? "成功移动文件：" : "成功复制文件：") + row.source);
    else
      log.failed((move ? "移动文件：" : "复制文件：") + row.source + " 失败！");
  });
}

void batch_copy_worker(const BatchJob& job, int serial) { transfer_rows(job, serial, false); }

void batch_move_worker(const BatchJob& job, int serial) { transfer_rows(job, serial, true); }

void batch_delete_worker(const BatchJob& job, int serial) {
  run_batch_rows(job, serial, [&](const BatchJobRow& row, BatchLog& log) {
    if (job.permanent) {
      if (rt::delete_file(row.source))
        log.ok("成功删除文件：" + row.source);
      else
        log.failed("删除文件：" + row.source + " 失败！");
    } else if (rt::recycle_file(row.source)) {
      log.ok("成功删除文件：" + row.source + "到回收站！");
    } else {
      log.failed("删除文件：" + row.source + " 到回收站失败！");
    }
  });
}

// In place: the file's own folder, the new name; a file keeps its name only when it clashes
// with itself, so it then takes the clash suffix too.
void batch_rename_worker(const BatchJob& job, int serial) {
  int clashes = 0;
  run_batch_rows(job, serial, [&](const BatchJobRow& row, BatchLog& log) {
    std::string folder = split_path_dir_file(row.source, true);
    BatchTarget target = batch_target(folder, row.name, row.index, job.naming, clashes, exists);
    if (target.clashed) log.ok("在目标目录发现重名文件，自动重命名文件为：" + target.path);
    if (rt::rename_file(row.source, target.path))
      log.ok("成功更名文件：" + row.source);
    else
      log.failed("更名文件：" + row.source + " 失败！");
  });
}

void batch_attributes_worker(const BatchJob& job, int serial) {
  run_batch_rows(job, serial, [&](const BatchJobRow& row, BatchLog& log) {
    if (rt::set_file_attributes(row.source, job.mask))
      log.ok("成功置文件属性：" + row.source);
    else
      log.failed("置文件：" + row.source + " 属性失败！");
  });
}

BatchNaming naming_of_boxes() {
  OptionsWindowForm& f = ow();
  return {f.编辑框_过滤替换.text(), f.编辑框_改后缀名.text(), f.编辑框_文件前面加.text(), f.编辑框_文件后面加.text(),
          f.编辑框_完全自定义文件名称.text()};
}

// The naming boxes must hold names a file may have: the first one that does not is cleaned and
// reported, and the run does not start.
bool naming_boxes_clean() {
  OptionsWindowForm& f = ow();
  const std::pair<rt::EditBox*, const char*> boxes[] = {
      {&f.编辑框_改后缀名, "  检测到自定义后缀"},
      {&f.编辑框_文件前面加, "  检测到在文件名称前面加入"},
      {&f.编辑框_文件后面加, "  检测到在文件名称后面加入"},
      {&f.编辑框_完全自定义文件名称, "  检测到完全自定义"},
  };
  for (const auto& [box, what] : boxes) {
    std::string text = box->text();
    std::string clean = strip_invalid_filename_chars(text);
    if (clean == text) continue;
    box->set_text(clean);
    say("检测到名称含有特殊字符！",
        std::string(what) +
            "名称中含有特殊字符，这些是文件命名不允许的，所以程序自动去除了这些字符，请确定文件命名是否符合标准！");
    return false;
  }
  return true;
}

}  // namespace

const std::vector<std::string>& batch_add_list() { return g_batch_add_list; }

const std::vector<std::string>& conversion_add_list() { return g_conversion_add_list; }

int batch_idle() { return g_batch_idle; }

int batch_frames_done() { return g_batch_frames_done; }

bool run_for_batch_window(int serial, const std::function<void()>& work) {
  bool alive = false;
  rt::invoke([&] {
    if (!g_workers.operations.current(serial) || !ow().loaded()) return;
    alive = true;
    work();
  });
  return alive;
}

bool batch_list_busy() {
  return g_workers.batch_fills.busy() || g_workers.searches.busy() || g_workers.operations.busy();
}

bool conversion_list_busy() { return g_workers.conversion_fills.busy() || g_workers.conversions.busy(); }

bool batch_pages_busy() { return ow().loaded() && (batch_list_busy() || conversion_list_busy()); }

int batch_conversion_started() {
  const int serial = g_workers.conversions.begin();
  show_batch_state_units();
  apply_batch_buttons();
  return serial;
}

void batch_conversion_ended(int serial) {
  g_workers.conversions.end(serial);
  show_batch_state_units();
  apply_batch_buttons();
}

void reset_batch_pages() {
  g_workers.restart();
  g_batch_add_list.clear();
  g_conversion_add_list.clear();
  g_batch_idle = 1;
  g_batch_search_stop = 0;
  g_batch_frames_done = 0;
  g_running_look = false;
  OptionsWindowForm& f = ow();
  g_search_wanted = !f.编辑框_操作目录.text().empty();
  update_batch_start_button();
}

void attach_batch_drop_targets() {
  OptionsWindowForm& f = ow();
  for (rt::DropTarget* target : {&f.batch_list_drop, &f.conversion_list_drop}) target->on_files = add_batch_files;
  f.batch_list_drop.attach(f.超级列表框_处理的文件);
  f.conversion_list_drop.attach(f.超级列表框_操作文件);
}

void show_batch_state_units() {
  OptionsWindowForm& f = ow();
  if (!f.loaded()) return;
  int page = f.高级选择夹_功能.current();
  bool files = page == OptionsWindowForm::kFilePage, conversion = page == OptionsWindowForm::kConversionPage;
  f.编辑框_日志.set_visible(files && !g_running_look);
  f.透明标签_日志.set_visible(files && g_running_look);
  f.进度条_文件执行进度.set_visible(files && g_running_look);
  bool converting = g_workers.conversions.busy();
  f.超级按钮_开始转换.set_visible(conversion && !converting);
  f.超级按钮_停止转换.set_visible(conversion && converting);
  f.进度条_转换进度.set_visible(conversion && converting);
}

// ---- The lists ----

void add_batch_files(const std::vector<std::string>& paths) {
  OptionsWindowForm& f = ow();
  if (!f.loaded() || paths.empty()) return;
  // A list that a worker fills or walks takes nothing more until it is done.
  if (f.高级选择夹_功能.current() == OptionsWindowForm::kConversionPage) {
    if (conversion_list_busy()) return;
    g_conversion_add_list = paths;
    fill_conversion_list();
  } else {
    if (batch_list_busy()) return;
    g_batch_add_list = paths;
    fill_batch_list();
  }
}

void add_files_to_batch_list() {
  if (batch_list_busy()) return;
  std::vector<std::string> paths = choose_files_to_add();
  if (!ow().loaded() || batch_list_busy()) return;
  g_batch_add_list = std::move(paths);
  if (!g_batch_add_list.empty()) fill_batch_list();
}

void add_files_to_conversion_list() {
  if (conversion_list_busy()) return;
  std::vector<std::string> paths = choose_files_to_add();
  if (!ow().loaded() || conversion_list_busy()) return;
  g_conversion_add_list = std::move(paths);
  if (!g_conversion_add_list.empty()) fill_conversion_list();
}

void fill_batch_list() {
  fill_list(
      g_batch_add_list, &OptionsWindowForm::超级列表框_处理的文件, &Workers::batch_fills, &g_batch_add_list,
      [](const std::string& path) { return batch_file_row(path, rt::file_size(path), rt::file_attributes(path)); });
}

void fill_conversion_list() {
  fill_list(g_conversion_add_list, &OptionsWindowForm::超级列表框_操作文件, &Workers::conversion_fills,
            &g_conversion_add_list, [](const std::string& path) {
              if (!rt::file_exists(path)) return std::vector<std::string>{};
              return conversion_file_row(path, rt::file_size(path));
            });
}

void show_file_attributes(const std::string& path, bool into_row, int row) {
  int attributes = rt::file_attributes(path);
  auto boxes = attribute_boxes();
  for (int i = 0; i < 4; ++i) {
    if (into_row)
      batch_list().set_cell(row, 2 + i, attribute_mark(attributes, kBoxBits[i]));
    else
      check_button_state(*boxes[i], ButtonOp::Set, attributes >= 0 && (attributes & kBoxBits[i]) ? 1 : 0);
  }
}

bool on_batch_list_key(int key, int modifiers) {
  if (g_workers.operations.busy()) return true;
  return list_key(batch_list(), key, modifiers);
}

bool on_conversion_list_key(int key, int modifiers) {
  if (conversion_list_busy()) return true;
  return list_key(conversion_list(), key, modifiers);
}

void show_batch_list_menu(int screen_x, int screen_y) {
  show_list_menu("文件操作_右键菜单", g_workers.operations.busy(), !batch_list_busy(), batch_list(), screen_x,
                 screen_y);
}

void show_conversion_list_menu(int screen_x, int screen_y) {
  show_list_menu("编码转换_右键菜单", conversion_list_busy(), true, conversion_list(), screen_x, screen_y);
}

void apply_attributes_to_selected_rows() {
  OptionsWindowForm& f = ow();
  if (f.组合框_操作类型.current() != kSetAttributes) return;
  int mask = batch_attribute_mask();
  for (int row : batch_list().selected_rows()) {
    std::string path = batch_list().cell(row, 6);
    rt::set_file_attributes(path, mask);
    show_file_attributes(path, true, row);
  }
}

void preview_batch_rename() {
  OptionsWindowForm& f = ow();
  if (g_workers.operations.busy()) return;
  int row = batch_list().first_selected();
  if (row < 0) return;
  if (f.组合框_操作类型.current() == kSetAttributes) show_file_attributes(batch_list().cell(row, 6), false, row);
  f.编辑框_日志.set_text("重命名文件预览：" + build_batch_name(batch_list().cell(row, 0), row, ""));
}

void frame_batch_boxes() {
  OptionsWindowForm& f = ow();
  if (f.高级选择夹_功能.current() != OptionsWindowForm::kFilePage || g_batch_frames_done) return;
  for (rt::EditBox* box :
       {&f.编辑框_操作目录, &f.编辑框_目标目录, &f.编辑框_搜索规则, &f.编辑框_过滤替换, &f.编辑框_改后缀名,
        &f.编辑框_文件前面加, &f.编辑框_文件后面加, &f.编辑框_完全自定义文件名称})
    install_colored_border(box->handle(), kBoxFrameColor);
  g_batch_frames_done = 1;
}

// ---- The operations ----

int batch_attribute_mask() {
  auto boxes = attribute_boxes();
  return attribute_mask_of(check_state(*boxes[0]) != 0, check_state(*boxes[1]) != 0, check_state(*boxes[2]) != 0,
                           check_state(*boxes[3]) != 0);
}

std::string build_batch_name(const std::string& file_name, int row_index, const std::string& clash_suffix) {
  return build_batch_name(file_name, row_index, clash_suffix, naming_of_boxes());
}

void start_batch_operation() {
  OptionsWindowForm& f = ow();
  if (g_workers.operations.busy()) {
    // A stop: the worker ends before its next row; the button waits for it.
    if (g_batch_idle) return;
    f.超级按钮_开始执行.set_caption("开始执行");
    g_batch_idle = 1;
    apply_batch_buttons();
    return;
  }
  if (g_workers.searches.busy() || g_workers.batch_fills.busy()) return;
  if (!naming_boxes_clean()) return;
  int operation = f.组合框_操作类型.current();
  if ((operation == kCopy || operation == kMove) && !is_directory(f.编辑框_目标目录.text())) {
    say("目标目录不存在！", "  目标目录不存在，请确定是否正确输入，然后在继续操作……");
    return;
  }
  rt::ListView& list = batch_list();
  int n = list.row_count();
  if (n == 0) {
    say("不存在可处理的对象！", "  你还未选择要处理的文件，所以程序无法继续执行任务，请返回重新选择文件再继续操作……");
    return;
  }
  if (operation < kCopy || operation > kSetAttributes || !f.loaded()) return;

  auto job = std::make_shared<BatchJob>();
  for (int i = 0; i < n; ++i) job->rows.push_back({i, list.cell(i, 0), list.cell(i, 6)});
  job->naming = naming_of_boxes();
  std::string folder = f.编辑框_目标目录.text();
  job->folder = normalize_dir_path(folder);
  job->permanent = config_flag(cfg::文件操作设置::不删除到回收站);
  job->mask = batch_attribute_mask();

  const int serial = g_workers.operations.begin();
  set_batch_running(true);
  f.进度条_文件执行进度.set_maximum(n);
  void (*const workers[])(const BatchJob&, int) = {batch_copy_worker, batch_move_worker, batch_delete_worker,
                                                   batch_rename_worker, batch_attributes_worker};
  auto worker = workers[operation];
  rt::start_thread([job, serial, worker] { worker(*job, serial); }, [serial] { end_batch_operation(serial); });
}

void set_batch_running(bool running) {
  OptionsWindowForm& f = ow();
  g_running_look = running;
  if (running) {
    f.超级按钮_开始执行.set_caption("停止执行");
    g_batch_idle = 0;
  } else {
    f.超级按钮_开始执行.set_caption("开始执行");
    g_batch_idle = 1;
    f.进度条_文件执行进度.set_position(0);
    f.编辑框_日志.set_text("任务执行完毕！不计执行失败的任务！");
  }
  show_batch_state_units();
  apply_batch_buttons();
}

void toggle_batch_search() {
  OptionsWindowForm& f = ow();
  if (!g_workers.searches.busy()) {
    if (g_workers.operations.busy() || g_workers.batch_fills.busy()) return;
    f.超级按钮_搜索.set_caption("停止搜索");
    g_batch_search_stop = 0;
    search_batch_files();
    return;
  }
  if (g_batch_search_stop) return;
  f.超级按钮_搜索.set_caption("开始搜索");
  g_batch_search_stop = 1;
  apply_batch_buttons();
}

void search_batch_files() {
  OptionsWindowForm& f = ow();
  const int serial = g_workers.searches.begin();
  apply_batch_buttons();
  batch_list().clear();
  std::string folder = f.编辑框_操作目录.text();
  if (folder.empty()) folder = rt::program_directory();
  normalize_dir_path(folder);
  std::string pattern = folder + f.编辑框_搜索规则.text();
  int mask = batch_attribute_mask();
  auto search_ended = [serial] {
    run_for_batch_window(serial, [serial] {
      OptionsWindowForm& w = ow();
      w.编辑框_日志.set_text("在操作目录共找到" + rt::int_to_text(batch_list().row_count()) + "个文件！");
      g_workers.searches.end(serial);
      w.超级按钮_搜索.set_caption("开始搜索");
      update_batch_start_button();
    });
  };
  rt::start_thread(
      [folder, pattern, mask, serial, search_ended] {
        for (const rt::FoundEntry& entry : rt::find_entries(pattern)) {
          if (!batch_search_matches(entry.attributes, mask)) continue;
          std::string path = folder + entry.name;
          std::vector<std::string> cells = batch_file_row(path, rt::file_size(path), rt::file_attributes(path));
          bool go_on = false;
          if (!run_for_batch_window(serial, [&] {
                if (g_batch_search_stop) return;
                ow().编辑框_日志.set_text("找到文件：" + entry.name);
                batch_list().add_row(cells);
                go_on = true;
              }))
            return;
          if (!go_on) break;
        }
        search_ended();
      },
      search_ended);
}

void choose_batch_folder() {
  OptionsWindowForm& f = ow();
  if (batch_list_busy()) return;
  std::string folder = choose_folder(f.编辑框_操作目录.text(), "请选择要操作的目录……", f.handle());
  if (!f.loaded() || folder.empty()) return;
  f.编辑框_操作目录.set_text(normalize_dir_path(folder));
  toggle_batch_search();
}

void choose_batch_target_folder() {
  OptionsWindowForm& f = ow();
  std::string folder = choose_folder(f.编辑框_目标目录.text(), "请选择目标目录……", f.handle());
  if (!f.loaded()) return;
  if (!folder.empty()) f.编辑框_目标目录.set_text(folder);
  update_batch_start_button();
}

void update_batch_start_button() {
  OptionsWindowForm& f = ow();
  if (!f.loaded()) return;
  int operation = f.组合框_操作类型.current();
  g_start_wanted = !(f.编辑框_目标目录.text().empty() && (operation == kCopy || operation == kMove));
  apply_batch_buttons();
  rt::set_tooltip(f.组合框_操作类型, f.组合框_操作类型.text());
}

void on_batch_folder_changed() {
  g_search_wanted = !ow().编辑框_操作目录.text().empty();
  apply_batch_buttons();
}

bool on_batch_folder_key(int key, int) {
  if (key != kKeyEnter) return true;
  toggle_batch_search();
  return false;
}

void show_naming_help(rt::EditBox& box) {
  OptionsWindowForm& f = ow();
  struct Help {
    rt::EditBox* box;
    const char* empty;
    const char* prefix;
  };
  const Help helps[] = {
      {&f.编辑框_搜索规则, "请输入搜索文件规则，支持多字符*和单字符?通配符。", "搜索规则："},
      {&f.编辑框_过滤替换, "过滤替换文件名规则，用\"|\"分隔要过滤的内容，\":\"号后面为替换内容；如：替换|多:少|记事本",
       "过滤替换规则："},
      {&f.编辑框_改后缀名, "改变文件的后缀名，用于复制或者移动文件的时候使用！", "改后文件缀名为："},
      {&f.编辑框_文件前面加, "在文件名前面加上内容，如在\"Velmora.exe\"加上 实用的；就是 实用的Velmora.exe",
       "在文件名前面加上："},
      {&f.编辑框_文件后面加, "在文件名后面加上内容，如在\"Velmora.exe\"加上 好用；就是 Velmora好用.exe",
       "在文件名后面加上："},
      {&f.编辑框_完全自定义文件名称, "在移动或者复制的过程中，完全改变文件的名称。", "完全自定义文件名称："},
  };
  rt::EditBox& log = f.编辑框_日志;
  std::string text = box.text();
  for (const Help& h : helps) {
    if (h.box != &box) continue;
    log.set_text(text.empty() ? std::string(h.empty) : h.prefix + text);
    return;
  }
  if (&box == &f.编辑框_操作目录) {
    std::string folder = text;
    bool exists = !text.empty() && is_directory(normalize_dir_path(folder));
    if (text.empty())
      log.set_text("请选择要操作的目录，目录必须存在！");
    else
      log.set_text((exists ? "操作目录：" : "操作目录不存在：") + text);
    g_start_wanted = g_search_wanted = exists;
    apply_batch_buttons();
  } else if (&box == &f.编辑框_目标目录) {
    if (text.empty()) {
      log.set_text("请选择目标目录，目标目录必须存在！");
    } else {
      log.set_text(text);
      g_start_wanted = true;
      apply_batch_buttons();
    }
  } else {
    return;
  }
  box.set_focus();
}
