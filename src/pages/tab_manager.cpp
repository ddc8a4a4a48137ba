#include "pages/tab_manager.h"

#include "runtime/window_jobs.h"
#include <algorithm>
#include <map>
#include <optional>
#include <utility>

#include "common/control_routines.h"
#include "common/menu_art.h"
#include "common/skin.h"
#include "common/skin_art.h"
#include "common/text_routines.h"
#include "common/tool_window.h"
#include "common/window_fade.h"
#include "documents/open_files.h"
#include "forms/main_window_form.h"
#include "forms/tab_manager_form.h"
#include "pages/closing.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "pages/page_pickers.h"
#include "pages/tab_manager_rows.h"
#include "pages/tab_set.h"
#include "pages/tab_set_text.h"
#include "runtime/app.h"
#include "runtime/dialogs.h"
#include "runtime/files.h"
#include "runtime/shell.h"

namespace {

// The saved list's side of the tab set: the paths waiting to become rows, and 0 while the next
// fill must first clear the list (1 after every fill).
std::vector<std::string> g_tab_set_pending;
int g_tab_set_keep_rows = 1;

constexpr unsigned kBorderColor = 0x9D7B45;
constexpr int kVkBack = 0x08, kVkDelete = 0x2E, kVkF5 = 0x74;
constexpr int kTabManagerPickerOrder = 5;

// The window's own state; a new window starts a new generation, and what a job of an earlier
// one brings back is dropped.
struct TabManagerState {
  bool list_filling = false, list_again = false;
  bool saved_filling = false;
  // Rows were added, deleted or cleared here since the list last matched the file.
  bool saved_changed = false;
  // The fill of the window's creation selects and previews the first row when it ends.
  bool select_first_saved_row = false;
};
TabManagerState g_state;
rt::WindowJobs g_jobs;

TabManagerForm& f() { return tab_manager_window(); }
rt::ListView& open_list() { return f().超级列表框_打开的文件; }
rt::ListView& saved_list() { return f().超级列表框_保存标签; }

void show_busy() { f().图形按钮_关闭小.set_disabled(g_jobs.busy()); }

int begin_job() {
  int generation = g_jobs.begin();
  show_busy();
  return generation;
}

void end_job(int generation) {
  if (!g_jobs.end(generation)) return;
  show_busy();
}

bool still_current(int generation) { return g_jobs.current(generation) && f().loaded(); }

FileFacts read_facts(const std::string& path) { return {rt::file_size(path), rt::file_attributes(path)}; }

// The pages the list shows, tab 0 left out while it is a placeholder.
int first_listed_page() { return page_picker_offset(); }
int last_listed_page() { return std::min(main_window().高级选择夹_标签.count(), page_count()) - 1; }
int listed_page_count() { return std::max(0, last_listed_page() - first_listed_page() + 1); }

// The rows again from the pages, with what is known of their files (the others read now).
void list_open_pages(const std::map<std::string, FileFacts>& known) {
  rt::ListView& list = open_list();
  list.clear();
  for (int i = first_listed_page(); i <= last_listed_page(); ++i) {
    const std::string& path = pages()[i].path;
    FileFacts facts;
    if (!path.empty()) {
      auto it = known.find(path);
      facts = it != known.end() ? it->second : read_facts(path);
    }
    list.add_row(open_page_row(page_name(i), path, facts));
  }
}

// Row k stands for page k + offset; when a change left the rows out of that step (tab 0 back
// from being a placeholder, or reset as the only page), they are listed again.
void keep_rows_in_step() {
  if (open_list().row_count() != listed_page_count()) list_open_pages({});
}

void launch_list_fill(int generation);

void list_fill_ended(int generation) {
  if (!g_jobs.current(generation)) return;
  if (g_state.list_again && f().loaded()) {
    g_state.list_again = false;
    launch_list_fill(generation);
    return;
  }
  g_state.list_again = false;
  g_state.list_filling = false;
  end_job(generation);
}

void launch_list_fill(int generation) {
  rt::start_thread(
      [generation] {
        fill_tab_manager_list_thread();
        rt::post([generation] { list_fill_ended(generation); });
      },
      [generation] { list_fill_ended(generation); });
}

// The files of the pending paths are read on a worker; the rows are made when it is done.
void start_saved_fill(bool by_user) {
  if (!f().loaded() || g_state.saved_filling) return;
  g_state.saved_filling = true;
  int generation = begin_job();
  std::vector<std::string> paths = std::move(g_tab_set_pending);
  g_tab_set_pending.clear();
  bool keep_rows = g_tab_set_keep_rows != 0;
  auto fill_ended = [generation] {
    if (!g_jobs.current(generation)) return false;
    g_state.saved_filling = false;
    end_job(generation);
    return f().loaded();
  };
  rt::start_thread(
      [paths = std::move(paths), keep_rows, by_user, fill_ended] {
        std::vector<std::pair<std::string, long long>> files;
        for (const std::string& path : paths)
          if (!path.empty() && rt::file_exists(path) && !rt::is_directory(path))
            files.emplace_back(path, rt::file_size(path));
        rt::post([files = std::move(files), keep_rows, by_user, fill_ended] {
          if (!fill_ended()) return;
          rt::ListView& list = saved_list();
          if (!keep_rows) list.clear();
          for (const auto& [path, size] : files) list.add_row(saved_file_row(path, size));
          g_tab_set_keep_rows = 1;
          if (by_user && !files.empty()) g_state.saved_changed = true;
          if (g_state.select_first_saved_row) {
            g_state.select_first_saved_row = false;
            if (list.first_selected() < 0 && list.row_count() > 0) {
              list.set_current(0);
              preview_saved_file();
            }
          }
        });
      },
      [fill_ended] { fill_ended(); });
}

// The selected pages that name a file: their paths, in row order.
std::vector<std::string> selected_page_files() {
  std::vector<std::string> paths;
  for (int row : open_list().selected_rows()) {
    std::string path = open_list().cell(row, kOpenPagesPathColumn);
    if (!path.empty() && path != kNeverSavedPath) paths.push_back(std::move(path));
  }
  return paths;
}

// Ctrl+A and Ctrl+F of both lists; false for other keys.
bool selection_key(rt::ListView& list, int key, int modifiers) {
  if (modifiers != rt::kCtrl || (key != 'A' && key != 'F')) return false;
  if (key == 'A')
    list.set_all_selected(true);
  else
    invert_selection(list);
  return true;
}

void set_disabled(rt::MenuItem* menu, const char* caption, bool disabled) {
  if (rt::MenuItem* item = menu ? menu->find(caption) : nullptr) item->disabled = disabled;
}

}  // namespace

void invert_selection(rt::ListView& list) {
  std::vector<int> inverted = inverted_rows(list.row_count(), list.selected_rows());
  list.set_all_selected(false);
  for (int row : inverted) list.set_selected(row, true);
}

// Window ------------------------------------------------------------------------------------

void open_tab_manager() { open_tool_window(f()); }

void close_tab_manager() {
  if (tab_manager_busy()) return;
  // Only a list changed here goes back to the file: paths unreachable just now stay stored.
  if (g_state.saved_changed) save_tab_set_file();
  f().close();
}

bool may_close_tab_manager() {
  if (tab_manager_busy()) return false;
  fade_out_tab_manager();
  return true;
}

void fade_out_tab_manager() {
  if (f().loaded()) show_window_faded(f(), false);
}

bool tab_manager_loaded() { return f().loaded(); }
bool tab_manager_busy() { return f().loaded() && g_jobs.busy(); }
bool saved_list_filling() { return f().loaded() && g_state.saved_filling; }

void on_tab_manager_created() {
  TabManagerForm& w = f();
  g_state = TabManagerState{};
  g_jobs.restart();
  join_page_picker_refresh(kTabManagerPickerOrder, tab_manager_loaded, refresh_tab_manager_list);
  std::string saved = read_tab_set_file();
  if (!saved.empty()) {
    g_tab_set_pending = tab_set_pieces(saved);
    g_state.select_first_saved_row = true;
    add_pending_to_saved_list();
  }
  dress_tool_window(w, w.frame_labels(), w.图形按钮_程序图标,
                    main_window().超级菜单.image_on(kImageTabManager, kSkinBodyColor), w.图形按钮_关闭小);
  rt::Unit* pointed[] = {&w,
                         &w.超级列表框_打开的文件,
                         &w.超级列表框_保存标签,
                         &w.编辑框_类容摘要,
                         &w.图形按钮_关闭小,
                         &w.高级选择夹_标签管理};
  for (rt::Unit* u : pointed) u->set_mouse_pointer(program_pointer_cursor().handle());
  for (rt::Unit* u : {static_cast<rt::Unit*>(&w.编辑框_类容摘要), static_cast<rt::Unit*>(&w.超级列表框_打开的文件),
                      static_cast<rt::Unit*>(&w.超级列表框_保存标签)})
    install_colored_border(u->handle(), kBorderColor);
}

void on_tab_manager_first_activation() {
  TabManagerForm& w = f();
  fade_in_after_first_activation(w);
  w.拖放对象.attach(w.超级列表框_保存标签);
  saved_list().set_current(0);
  preview_saved_file();
  refresh_tab_manager_list();
}

void on_tab_manager_tab_changed() {
  TabManagerForm& w = f();
  bool saved_tab = w.高级选择夹_标签管理.current() == 1;
  w.标签_上中.set_text(saved_tab ? "   对保存的标签进行管理……" : "   对当前打开的标签进行管理……");
  w.超级列表框_打开的文件.set_visible(!saved_tab);
  w.超级列表框_保存标签.set_visible(saved_tab);
  w.编辑框_类容摘要.set_visible(saved_tab);
}

void move_tab_manager_by_title() { move_window_by_title(f()); }

// Open pages ---------------------------------------------------------------------------------

void fill_tab_manager_list() {
  int generation = -1;
  std::vector<std::string> paths;
  rt::invoke([&] {
    if (!f().loaded()) return;
    generation = g_jobs.generation();
    for (int i = first_listed_page(); i <= last_listed_page(); ++i)
      if (!pages()[i].path.empty()) paths.push_back(pages()[i].path);
  });
  if (generation < 0) return;
  std::map<std::string, FileFacts> known;
  for (const std::string& path : paths) known.emplace(path, read_facts(path));
  // The pages may have changed meanwhile: the rows are made from the pages as they are now.
  rt::invoke([&] {
    if (still_current(generation)) list_open_pages(known);
  });
}

void fill_tab_manager_list_thread() { fill_tab_manager_list(); }

void refresh_tab_manager_list() {
  if (!f().loaded()) return;
  if (g_state.list_filling) {
    g_state.list_again = true;
    return;
  }
  g_state.list_filling = true;
  launch_list_fill(begin_job());
}

void add_page_to_tab_manager(const std::string& name) {
  if (!f().loaded()) return;
  open_list().add_row(open_page_row(name, "", {}));
  keep_rows_in_step();
}

void remove_page_from_tab_manager(int index, bool placeholder_before) {
  if (!f().loaded()) return;
  int row = index - (placeholder_before ? 1 : 0);
  if (row >= 0) open_list().remove_row(row);
  keep_rows_in_step();
}

void update_tab_manager_row(int index) {
  if (!f().loaded() || !page_exists(index)) return;
  int row = index - page_picker_offset();
  if (row < 0 || row >= open_list().row_count()) return;
  const std::string& path = pages()[index].path;
  std::vector<std::string> cells = open_page_row(page_name(index), path, read_facts(path));
  for (size_t c = 0; c < cells.size(); ++c) open_list().set_cell(row, static_cast<int>(c), cells[c]);
}

bool on_open_pages_key_down(int key, int modifiers) {
  if (tab_manager_busy()) return true;
  rt::ListView& list = open_list();
  if (key == kVkDelete || key == kVkBack) {
    // After the key has gone: the questions of the closing are boxes of their own.
    rt::post(close_selected_pages);
    return false;
  }
  if (selection_key(list, key, modifiers)) return false;
  if (key == kVkF5) {
    refresh_tab_manager_list();
    return false;
  }
  return true;
}

void on_open_pages_double_click(int) {
  int row = open_list().first_selected();
  if (row < 0) return;
  int tab = row + page_picker_offset();
  if (page_exists(tab) && tab < main_window().高级选择夹_标签.count()) main_window().高级选择夹_标签.set_current(tab);
}

void show_open_pages_menu(int screen_x, int screen_y) {
  rt::ListView& list = open_list();
  rt::MenuItem* menu = f().open_pages_menu();
  if (!menu) return;
  int selected = list.selected_count();
  bool never_saved = selected == 1 && list.cell(list.first_selected(), kOpenPagesPathColumn) == kNeverSavedPath;
  OpenPagesMenuState s =
      open_pages_menu_state(list.row_count(), tab_manager_busy(), selected, never_saved, saved_list_filling());
  set_disabled(menu, "打开文件(&O)    Ctrl+O", s.open_disabled);
  set_disabled(menu, "刷新显示(&F5)    F5", s.refresh_disabled);
  set_disabled(menu, "文件复制到(&C)", s.copy_disabled);
  set_disabled(menu, "关闭标签(&D)    Del", s.close_disabled);
  set_disabled(menu, "保存到标签(&B)", s.add_to_set_disabled);
  set_disabled(menu, "文件属性(&P)", s.properties_disabled);
  f().超级菜单.popup(*menu, screen_x, screen_y);
}

void close_selected_pages() {
  if (!f().loaded() || tab_manager_busy() || open_busy()) return;
  int generation = begin_job();
  int offset = page_picker_offset();
  // The pages by id, the highest first: each close may ask a question, under which pages
  // come and go, so each is closed wherever it is by then (or not at all when it has gone).
  std::vector<int> ids;
  for (int row : open_list().selected_rows()) ids.insert(ids.begin(), page_id(row + offset));
  set_bulk_close(true);
  for (int id : ids) {
    int tab = find_page_by_id(id);
    if (tab >= 0) close_page_with_prompt(tab);
  }
  set_bulk_close(false);
  show_current_page();
  end_job(generation);
}

void add_selected_pages_to_saved_set() {
  if (!f().loaded() || g_state.saved_filling) return;
  std::string bytes = rt::read_file(tab_set_file_path()).value_or("");
  bool added = false;
  for (const std::string& path : selected_page_files()) {
    long long size = rt::file_size(path);
    if (size < 0 || rt::is_directory(path)) continue;  // the saved list shows existing files only
    saved_list().add_row(saved_file_row(path, size));
    bytes = tab_set_with_path(bytes, path);
    added = true;
  }
  if (!added) return;
  g_state.saved_changed = true;
  rt::write_file_safely(tab_set_file_path(), bytes);
}

void copy_selected_pages_to_folder() {
  if (!f().loaded()) return;
  std::string folder = choose_folder("D:\\", "请选择要复制到的目录……", f().handle());
  if (folder.empty() || !f().loaded()) return;
  std::vector<std::string> sources = selected_page_files();
  int generation = begin_job();
  rt::start_thread(
      [generation, folder, sources] {
        // Failures are not reported: what could be copied is there.
        for (const std::string& source : sources) rt::copy_file(source, folder + split_path_dir_file(source, false));
        rt::post([generation] { end_job(generation); });
      },
      [generation] { end_job(generation); });
}

void show_selected_pages_properties() {
  if (!f().loaded()) return;
  int generation = begin_job();
  for (const std::string& path : selected_page_files()) rt::show_properties_dialog(path, main_window().handle());
  end_job(generation);
}

void close_all_pages_from_tab_manager() {
  // The list follows the pages: the removal refreshes it; a cancelled question leaves both.
  if (tab_manager_busy()) return;
  close_all_pages(false);
}

// Saved list ---------------------------------------------------------------------------------

void save_tab_set_file() {
  if (!f().loaded() || g_state.saved_filling) return;
  rt::ListView& list = saved_list();
  std::vector<std::string> paths;
  for (int row = 0; row < list.row_count(); ++row) paths.push_back(list.cell(row, kSavedPathColumn));
  write_tab_set_file(tab_set_rows_text(paths));
  g_state.saved_changed = false;
}

void reload_tab_set_file() {
  if (!f().loaded() || g_state.saved_filling) return;
  g_tab_set_keep_rows = 0;
  g_tab_set_pending = tab_set_pieces(read_tab_set_file());
  g_state.saved_changed = false;
  add_pending_to_saved_list();
}

void add_pending_to_saved_list() { start_saved_fill(false); }

void delete_selected_rows() {
  if (!f().loaded() || g_state.saved_filling) return;
  rt::ListView& list = saved_list();
  std::vector<int> rows = list.selected_rows();
  if (rows.empty()) return;
  if (static_cast<int>(rows.size()) == list.row_count()) {
    list.clear();
  } else {
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) list.remove_row(*it);
  }
  g_state.saved_changed = true;
}

void clear_saved_list() {
  if (!f().loaded() || g_state.saved_filling) return;
  if (saved_list().row_count() > 0) g_state.saved_changed = true;
  saved_list().clear();
}

void open_saved_rows() {
  // An open run that is busy keeps its queue.
  if (!f().loaded() || open_busy()) return;
  rt::ListView& list = saved_list();
  bool queued = false;
  for (int row : list.selected_rows()) {
    queue_file(list.cell(row, kSavedPathColumn));
    queued = true;
  }
  if (queued) start_open_run();
}

void preview_saved_file() {
  if (!f().loaded()) return;
  rt::ListView& list = saved_list();
  int row = list.first_selected();
  std::optional<std::string> start;
  if (row >= 0) start = rt::read_file_start(list.cell(row, kSavedPathColumn), kPreviewBytes);
  f().编辑框_类容摘要.set_text(start ? saved_file_preview(*start) : std::string());
}

void add_files_to_saved_list() {
  if (!f().loaded() || g_state.saved_filling) return;
  rt::FileDialogRequest request;
  request.owner = f().handle();
  request.title = "请选择要打开的文件，支持多选……";
  request.filter =
      "格式一般为ANSI的文件(*.txt;*.ini;*.lrc;*.log;*.bat;*.cmd)|*.txt;*.ini;*.lrc;*.log;*.bat;*.cmd|所有文件(*.*)|*.*|";
  std::vector<std::string> paths = rt::open_files_dialog(request);
  if (paths.empty()) return;
  g_tab_set_pending = std::move(paths);
  start_saved_fill(true);
}

void add_dropped_files_to_saved_list(const std::vector<std::string>& paths) {
  if (!f().loaded() || g_state.saved_filling) return;
  g_tab_set_pending = paths;
  start_saved_fill(true);
}

void add_dropped_text_to_saved_list(const std::string& text) {
  if (!f().loaded() || g_state.saved_filling) return;
  g_tab_set_pending = dropped_text_paths(text);
  start_saved_fill(true);
}

bool on_saved_list_key_down(int key, int modifiers) {
  rt::ListView& list = saved_list();
  if (key == kVkDelete || key == kVkBack) {
    delete_selected_rows();
    return false;
  }
  if (selection_key(list, key, modifiers)) return false;
  if (key == 'S' && modifiers == rt::kCtrl) {
    save_tab_set_file();
    return false;
  }
  if (key == kVkF5) {
    reload_tab_set_file();
    return false;
  }
  return true;
}

void show_saved_list_menu(int screen_x, int screen_y) {
  rt::ListView& list = saved_list();
  rt::MenuItem* menu = f().saved_list_menu();
  if (!menu) return;
  SavedListMenuState s = saved_list_menu_state(list.row_count(), list.selected_count(), g_state.saved_filling);
  set_disabled(menu, "加入文件(&O)    Ctrl+O", s.add_files_disabled);
  set_disabled(menu, "打开到程序(&B)", s.open_disabled);
  set_disabled(menu, "保存标签(&S)    Ctrl+S", s.save_disabled);
  set_disabled(menu, "刷新显示(&F5)    F5", s.refresh_disabled);
  set_disabled(menu, "删除选中(&D)    Del", s.delete_disabled);
  set_disabled(menu, "全部删除(&Q)", s.clear_disabled);
  f().超级菜单.popup(*menu, screen_x, screen_y);
}

namespace {

using rt::MenuItem;

MenuItem sep() { return MenuItem::separator(); }

void select_every_row(rt::ListView& list) { list.set_all_selected(true); }

}  // namespace

void bind_tab_manager(TabManagerForm& f) {
  rt::ListView& open_list = f.超级列表框_打开的文件;
  rt::ListView& saved_list = f.超级列表框_保存标签;
  f.超级菜单.add_menu(
      MenuItem("打开标签_右键菜单", -1,
               {MenuItem("打开文件(&O)    Ctrl+O", kImageOpen, open_files), sep(),
                MenuItem("文件复制到(&C)", kImageCopy, copy_selected_pages_to_folder), sep(),
                MenuItem("保存到标签(&B)", kImageSave, add_selected_pages_to_saved_set), sep(),
                MenuItem("刷新显示(&F5)    F5", -1, refresh_tab_manager_list), sep(),
                MenuItem("全部选中(&A)    Ctrl+A", kImageSelectAll, [&open_list] { select_every_row(open_list); }),
                sep(), MenuItem("反向选择(&F)    Ctrl+F", -1, [&open_list] { invert_selection(open_list); }), sep(),
                MenuItem("关闭标签(&D)    Del", kImageClosePage, close_selected_pages), sep(),
                MenuItem("全部关闭(&Q)", -1, close_all_pages_from_tab_manager), sep(),
                MenuItem("文件属性(&P)", -1, show_selected_pages_properties)}));
  f.超级菜单.add_menu(
      MenuItem("保存标签_右键菜单", -1,
               {MenuItem("加入文件(&O)    Ctrl+O", kImageOpen, add_files_to_saved_list), sep(),
                MenuItem("打开到程序(&B)", -1, open_saved_rows), sep(),
                MenuItem("保存标签(&S)    Ctrl+S", kImageSave, save_tab_set_file), sep(),
                MenuItem("刷新显示(&F5)    F5", -1, reload_tab_set_file), sep(),
                MenuItem("全部选中(&A)    Ctrl+A", kImageSelectAll, [&saved_list] { select_every_row(saved_list); }),
                sep(), MenuItem("反向选择(&F)    Ctrl+F", -1, [&saved_list] { invert_selection(saved_list); }), sep(),
                MenuItem("删除选中(&D)    Del", kImageDelete, delete_selected_rows), sep(),
                MenuItem("全部删除(&Q)", -1, clear_saved_list)}));

  f.on_created = on_tab_manager_created;
  f.on_first_activation = on_tab_manager_first_activation;
  f.on_may_close = may_close_tab_manager;
  f.图形按钮_关闭小.on_click = close_tab_manager;
  // A press on the tabs drags the window; the strip then takes the press as a click.
  f.高级选择夹_标签管理.on_left_down = [](int, int, int) {
    move_tab_manager_by_title();
    return true;
  };
  f.高级选择夹_标签管理.on_changed = on_tab_manager_tab_changed;
  auto drag = [](int, int, int) {
    move_tab_manager_by_title();
    return true;
  };
  for (rt::Label* l : f.frame_labels()) l->on_left_down = drag;

  open_list.on_key_down = on_open_pages_key_down;
  open_list.on_item_double_clicked = on_open_pages_double_click;
  open_list.on_item_right_clicked = [](int, int x, int y) { show_open_pages_menu(x, y); };
  saved_list.on_current_changed = [](int) { preview_saved_file(); };
  saved_list.on_key_down = on_saved_list_key_down;
  saved_list.on_item_double_clicked = [](int) { open_saved_rows(); };
  saved_list.on_item_right_clicked = [](int, int x, int y) { show_saved_list_menu(x, y); };
  f.拖放对象.on_files = add_dropped_files_to_saved_list;
  f.拖放对象.on_text = add_dropped_text_to_saved_list;
}
