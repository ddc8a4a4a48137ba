#include "documents/open_files.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <new>
#include <stdexcept>

#include "common/control_routines.h"
#include "common/messages.h"
#include "common/text_routines.h"
#include "common/toolbar_art.h"
#include "common/window_fade.h"
#include "documents/open_limits.h"
#include "forms/main_window_form.h"
#include "options/config.h"
#include "options/option_values.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "pages/page_pickers.h"
#include "runtime/app.h"
#include "runtime/dialogs.h"
#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/gbk_text.h"

namespace {

// The folders an open run met, whose files a nested run opens at its end (not while that
// nested run itself is busy).
std::vector<std::string> g_pending_dirs;
int g_pending_dirs_busy = 0;

constexpr int kHandOverPoll = 500;
int g_open_busy = 0;
void (*g_busy_reaction)(bool) = nullptr;

// What a worker learns of one queued path: everything that needs the disk, nothing that needs
// the pages or the window.
struct LoadedPath {
  enum Kind { Missing, Folder, File, Unreadable, TooLarge, NoMemory } kind = Missing;
  std::string path, name, extension, content;
  bool cut = false;  // the content stopped at a zero byte of the file
};

LoadedPath load_path(std::string path, bool decode) {
  LoadedPath r;
  r.name = split_file_name(path, r.extension);
  r.path = path;
  if (!rt::file_exists(path)) {
    r.kind = rt::is_directory(path) ? LoadedPath::Folder : LoadedPath::Missing;
    return r;
  }
  if (r.extension.empty() && rt::is_directory(path)) {
    r.kind = LoadedPath::Folder;
    return r;
  }
  if (rt::is_directory(path)) {
    // A folder with a dot in its name counts as a file: an empty page under its path.
    r.kind = LoadedPath::File;
    return r;
  }
  // Refused before anything is read: a page of it would not fit beside its edit box's copy.
  if (rt::file_size(path) > kLargestOpenedFile) {
    r.kind = LoadedPath::TooLarge;
    return r;
  }
  try {
    auto bytes = rt::read_file(path);
    if (!bytes) {
      // A file that cannot be read must not become an empty page a save would write over it.
      r.kind = LoadedPath::Unreadable;
      return r;
    }
    rt::DecodedFile text = decode ? rt::decode_file(*bytes) : rt::raw_file_text(*bytes);
    r.content = std::move(text.text);
    r.cut = text.cut;
    r.kind = LoadedPath::File;
  } catch (const std::bad_alloc&) {
    r.content = std::string();
    r.kind = LoadedPath::NoMemory;
  } catch (const std::length_error&) {
    r.content = std::string();
    r.kind = LoadedPath::NoMemory;
  }
  return r;
}

PageRecord page_template(LoadedPath& f) {
  PageRecord p = make_page_record();
  p.path = f.path;
  p.extension = f.extension;
  p.content = std::move(f.content);
  p.shorter_than_file = f.cut;
  p.back_color = options().default_colors[1];
  p.text_color = options().default_colors[0];
  if (options().per_page_font) p.font = options().default_font;
  return p;
}

const char kAutomaticName[] = "新建文档 ";

// A new page nobody has used: never saved, empty, still under its automatic name.
bool page_is_untouched(int i) {
  MainWindowForm& w = main_window();
  if (!page_exists(i)) return false;
  const PageRecord& p = pages()[static_cast<size_t>(i)];
  bool empty = p.text_in_editor ? w.编辑框_文本类容.text_length() == 0 : p.content.empty();
  return p.path.empty() && empty && w.高级选择夹_标签.caption(i).compare(0, 9, kAutomaticName) == 0;
}

// One run of the open routine, fed the loaded paths in queue order on the UI thread.
class OpenRun : public std::enable_shared_from_this<OpenRun> {
 public:
  OpenRun(std::vector<std::string> queue, bool decode) : queue_(std::move(queue)), decode_(decode) {}

  void start(bool threaded) {
    MainWindowForm& w = main_window();
    w.时钟_监视程序.set_interval(0);
    set_open_busy(true);
    const std::string& first = queue_.front();
    int slash = find_last_char(first, '\\');
    config_write("上次打开目录", "打开文件", slash > 0 ? first.substr(0, static_cast<size_t>(slash)) : "");
    w.进度条.set_maximum(static_cast<int>(queue_.size()));
    tabs_before_ = w.高级选择夹_标签.count();
    int current = w.高级选择夹_标签.current();
    if (!rt::trim_both(first).empty() && page_is_untouched(current)) {
      blank_id_ = page_id(current);
      blank_name_ = page_name(current);
    }
    auto self = shared_from_this();
    if (!threaded) {
      // As on the worker, a path whose page fails is reported and the others still open.
      for (const std::string& p : queue_) {
        try {
          take(load_path(p, decode_));
        } catch (...) {
          rt::report_current_exception();
        }
      }
      finish();
      return;
    }
    // Ended or failed, the run finishes after the pages it handed over.
    rt::start_thread(
        [self] {
          for (const std::string& p : self->queue_) {
            auto loaded = std::make_shared<LoadedPath>(load_path(p, self->decode_));
            rt::post([self, loaded] { self->arrive([self, loaded] { self->take(std::move(*loaded)); }); });
          }
          rt::post([self] { self->arrive([self] { self->finish(); }); });
        },
        [self] { self->arrive([self] { self->finish(); }); });
  }

 private:
  // What the worker hands over is taken in queue order, but not while the main window fades in
  // (at the start, or back from mini mode): a page shown in the middle of the fade would find
  // the window disabled and without the focus, and the fade would stand still while the page
  // and the user's first key are taken, to slide on afterwards.
  void arrive(std::function<void()> step) {
    arrived_.push_back(std::move(step));
    if (waiting_for_fade_) return;
    waiting_for_fade_ = true;
    after_main_window_fade_in([self = shared_from_this()] {
      self->waiting_for_fade_ = false;
      while (!self->arrived_.empty()) {
        std::function<void()> next = std::move(self->arrived_.front());
        self->arrived_.pop_front();
        next();
      }
    });
  }

  void take(LoadedPath f) {
    MainWindowForm& w = main_window();
    if (!w.loaded()) return;  // the program is ending
    w.进度条.set_position(w.进度条.position() + 1);
    // Told at the end; like a missing path, it leaves the untouched new page to the next one.
    if (f.kind == LoadedPath::TooLarge || f.kind == LoadedPath::NoMemory) {
      (f.kind == LoadedPath::TooLarge ? unopened_.too_large : unopened_.no_memory).push_back(f.path);
      return;
    }
    if (blank_id_ && fill_blank_page(f)) return;
    open_as_page(f);
  }

  // The new page that was untouched when the run began, when it still is and is still the
  // current page: a worker's file arrives later, and whatever the user has put there or
  // wherever he has gone meanwhile keeps the file out of that page and every other. -1 when
  // it no longer qualifies.
  int blank_page() const {
    int i = find_page_by_id(blank_id_);
    if (i < 0 || i != main_window().高级选择夹_标签.current() || !page_is_untouched(i)) return -1;
    return page_name(i) == blank_name_ ? i : -1;
  }

  // The untouched new page takes the first path that can become a page; returns whether f was
  // used up by this step (false: it opens as a page of its own).
  bool fill_blank_page(LoadedPath& f) {
    MainWindowForm& w = main_window();
    int i = blank_page();
    if (i < 0) {
      blank_id_ = 0;
      return false;
    }
    if (f.kind == LoadedPath::Folder && f.extension.empty()) {
      g_pending_dirs.push_back(f.path);
      blank_id_ = 0;
      show_current_page();
      return true;
    }
    // Missing, unreadable and already open paths are passed over; the next may fill the page.
    if (f.kind != LoadedPath::File) return true;
    if (options().prevent_double_open && update_open_path_list(f.path, true, false, 0, "")) return true;
    if (options().prevent_double_open) update_open_path_list("", false, true, i, f.path);
    w.高级选择夹_标签.set_caption(i, rt::cut_on_char_boundary(f.name, 12));
    w.高级选择夹_标签.set_tooltip(i, make_tab_tooltip(f.name));
    set_page_file(i, f.path, f.extension);
    set_page_content(i, std::move(f.content));
    set_page_shorter_than_file(i, f.cut);
    set_page_lost_characters(i, false);
    blank_id_ = 0;
    show_current_page();
    set_page_modified(i, 0);
    return true;
  }

  void open_as_page(LoadedPath& f) {
    MainWindowForm& w = main_window();
    switch (f.kind) {
      case LoadedPath::Folder:
        g_pending_dirs.push_back(f.path);
        return;
      case LoadedPath::Missing:
      case LoadedPath::Unreadable:
      case LoadedPath::TooLarge:
      case LoadedPath::NoMemory:
        return;
      case LoadedPath::File:
        break;
    }
    if (options().prevent_double_open) {
      if (update_open_path_list(f.path, true, false, 0, "")) {
        activate_page_of_path(f.path);
        return;
      }
      update_open_path_list(f.path, false, false, 0, "");
    }
    int tab = w.高级选择夹_标签.insert(rt::cut_on_char_boundary(f.name, 12));
    if (tab < 0) return;
    w.高级选择夹_标签.set_tooltip(tab, make_tab_tooltip(f.name));
    add_page(page_template(f));
  }

  void finish() {
    MainWindowForm& w = main_window();
    if (!w.loaded() || finished_) return;
    finished_ = true;
    blank_id_ = 0;
    clear_open_queue();
    rt::TabControl& tabs = w.高级选择夹_标签;
    if (tabs.count() >= 5)
      for (int button : {kButtonClosePage, kButtonBack5, kButtonForward5})
        w.工具条_工具栏.remove_state(button, rt::Toolbar::kDisabled);
    set_open_busy(false);
    if (tabs.count() != tabs_before_ && options().jump_to_opened) tabs.set_current(tabs.count() - 1);
    show_current_page();
    w.restore_if_minimized();
    w.bring_forward();
    update_title_and_status(tabs.current());
    refresh_loaded_page_pickers();
    if (!g_pending_dirs_busy && !g_pending_dirs.empty()) open_queued_directories();
    w.时钟_监视程序.set_interval(kHandOverPoll);
    tell_unopened_files();
  }

  // Once the run is over: the box waits for the user.
  void tell_unopened_files() {
    UnopenedFilesMessage m = unopened_files_message(unopened_);
    unopened_ = {};
    if (!m.title.empty()) tell_user(0, 48, m.title, 0xFF00FF, m.text, 0xFF);
  }

  void open_queued_directories() {
    g_pending_dirs_busy = 1;
    for (std::string dir : g_pending_dirs) {
      if (find_last_char(dir, '\\') != static_cast<int>(dir.size())) dir += "\\";
      for (const std::string& name : rt::find_files(dir + "*.txt")) queue_file(dir + name);
    }
    // The nested run opens the folders' files; folders it meets are not expanded again.
    if (!open_queue().empty()) std::make_shared<OpenRun>(open_queue(), decode_)->start(false);
    g_pending_dirs_busy = 0;
    g_pending_dirs.clear();
  }

  std::vector<std::string> queue_;
  bool decode_;
  // The untouched new page the first file may fill, by id (0: none), and its name then.
  int blank_id_ = 0;
  std::string blank_name_;
  bool finished_ = false;
  int tabs_before_ = 0;
  // Steps handed over by the worker and not taken yet; whether they wait for a fade's end.
  std::deque<std::function<void()>> arrived_;
  bool waiting_for_fade_ = false;
  UnopenedFiles unopened_;
};

bool confirm_many_files(int n) {
  const std::string count = std::to_string(n);
  int answer = tell_user(1, 48, "欲打开文件个数超出建议范围！", 0xFF00FF,
                         "  你欲打开文件个数为" + count + "个，超出了建议范围[" + count + "－500＝" +
                             std::to_string(n - 500) + "]个，如果配置不是太高的话，建议分开打开，请问你是否继续？",
                         0xFF);
  return answer == 0;
}

}  // namespace

bool open_busy() { return g_open_busy > 0; }

void reset_open_busy() {
  g_open_busy = 0;
  g_pending_dirs.clear();
  g_pending_dirs_busy = 0;
}

void set_open_busy(bool on) {
  // Bulk work inside bulk work (the saves of close-all) must not end the outer busy state.
  int was = g_open_busy;
  g_open_busy = std::max(0, g_open_busy + (on ? 1 : -1));
  if ((was > 0) == (g_open_busy > 0)) return;
  MainWindowForm& w = main_window();
  if (g_busy_reaction) g_busy_reaction(on);
  for (int button : {kButtonClosePage, kButtonOpen, kButtonNew})
    on ? w.工具条_工具栏.add_state(button, rt::Toolbar::kDisabled)
       : w.工具条_工具栏.remove_state(button, rt::Toolbar::kDisabled);
  if (on) w.进度条.set_position(0);
  w.进度条.set_visible(on);
  for (rt::Unit* u : std::initializer_list<rt::Unit*>{&w.图形按钮_关闭, &w.图形按钮_迷你模式}) u->set_disabled(on);
}

void set_open_busy_reaction(void (*react)(bool busy)) { g_busy_reaction = react; }

void start_open_run() {
  if (open_queue().empty() || g_open_busy) return;
  std::make_shared<OpenRun>(open_queue(), options().detect_encoding != 0)->start(options().open_in_thread != 0);
}

void open_files() {
  MainWindowForm& w = main_window();
  if (g_open_busy) return;
  w.时钟_监视程序.set_interval(0);
  if (open_queue().empty()) {
    std::string folder = config_read("上次打开目录", "打开文件");
    if (folder.empty()) folder = rt::program_directory();
    set_open_queue(rt::open_files_dialog({w.handle(), "请选择要打开的文件，支持多选……",
                                          "格式一般为ANSI的文件(*.txt;*.ini;*.lrc;*.log;*.bat;*.cmd)|*.txt;*.ini;*.lrc;"
                                          "*.log;*.bat;*.cmd|所有文件(*.*)|*.*|",
                                          folder}));
  }
  if (open_queue().empty()) {
    w.时钟_监视程序.set_interval(kHandOverPoll);
    return;
  }
  if (open_queue().size() >= 500 && !confirm_many_files(static_cast<int>(open_queue().size()))) {
    clear_open_queue();
    w.时钟_监视程序.set_interval(kHandOverPoll);
    return;
  }
  start_open_run();
}

std::vector<std::string> folder_files(const std::string& folder, const std::string& pattern) {
  std::string dir = folder;
  if (find_last_char(dir, '\\') != static_cast<int>(dir.size())) dir += "\\";
  std::vector<std::string> paths;
  for (const std::string& name : rt::find_files(dir + pattern)) paths.push_back(dir + name);
  return paths;
}

bool open_found_files(const std::vector<std::string>& paths) {
  if (paths.empty() || g_open_busy) return false;
  queue_files(paths);
  start_open_run();
  return true;
}

bool open_folder_files(const std::string& folder, const std::string& pattern) {
  return open_found_files(folder_files(folder, pattern));
}
