#include "documents/custom_open.h"

#include "options/option_values.h"
#include "runtime/window_jobs.h"
#include <array>
#include <memory>
#include <vector>

#include "common/balloon_tip.h"
#include "common/control_routines.h"
#include "common/custom_open_art.h"
#include "common/message_box.h"
#include "common/skin.h"
#include "common/skin_art.h"
#include "common/tool_window.h"
#include "common/window_fade.h"
#include "documents/open_files.h"
#include "forms/custom_open_window_form.h"
#include "options/config.h"
#include "runtime/app.h"

namespace {

// The rule of the last search open (wildcards * and ?): emptied before each prompt, then what
// the prompt gave.
std::string g_search_open_rule;

constexpr const char* kFolderTitle = "请选择要搜索的目录……";
constexpr const char* kStartFolder = "D:\\";

CustomOpenWindowForm& f() { return custom_open_window(); }

// The searches of the loaded window still running; one that ends after its window has gone is
// dropped.
rt::WindowJobs g_searches;

// The close button and the three opens.
std::array<rt::GraphicButton*, 4> buttons() {
  CustomOpenWindowForm& w = f();
  return {&w.图形按钮_关闭小, &w.图形按钮_选择性打开, &w.图形按钮_打开文件夹, &w.图形按钮_搜索打开};
}

// While searches run, nothing closes the window or starts another open.
void show_busy() {
  const bool busy = g_searches.busy();
  for (rt::GraphicButton* b : buttons()) b->set_disabled(busy);
}

// Nothing starts over a busy window or beside a running open.
bool may_start_open() { return f().loaded() && !g_searches.busy() && !open_busy(); }

void end_search(int serial, std::vector<std::string> paths) {
  if (!f().loaded() || !g_searches.end(serial)) return;
  show_busy();
  // Nothing matched (or the open routine is busy): the window stays for another try.
  if (open_found_files(paths)) close_open_choice_window();
}

// The folder is asked for on the UI thread; a worker searches it and hands the paths back.
void open_chosen_folder_files(const std::string& pattern) {
  const std::string folder = choose_folder(kStartFolder, kFolderTitle, f().handle());
  if (folder.empty() || !may_start_open()) return;
  const int serial = g_searches.begin();
  show_busy();
  rt::start_thread(
      [serial, folder, pattern] {
        auto paths = std::make_shared<std::vector<std::string>>(folder_files(folder, pattern));
        rt::post([serial, paths] { end_search(serial, std::move(*paths)); });
      },
      [serial] { end_search(serial, {}); });
}

std::string ask_search_rule(const std::string& offered) {
  std::string rule;
  MessageBoxRequest r;
  r.owner = &f();
  r.icon = 32;
  r.title = "请指定寻找文件的规则……";
  r.title_color = 0xFF00FF;
  r.text =
      "  文件名规则就是使用多字符 (*) 和单字符 (?) "
      "通配符来找到自己需要的文件，此方法一般用在文件很多一时无法找到时使用，或者需要打开文件名有相同的文件！";
  r.text_color = 0xFF0000;
  r.fade = options().fade_enabled;
  r.input_mode = 1;
  r.input_default = offered;
  r.input_text_color = 0xFF00FF;
  r.enter_submits = 1;
  r.input_result = &rule;
  r.box_cursor = program_pointer_cursor();
  r.input_cursor = program_text_cursor();
  show_message_box(r);
  return rule;
}

}  // namespace

const std::string& search_open_rule() { return g_search_open_rule; }

void open_custom_open_window() { open_tool_window(f()); }

void on_open_choice_window_created() {
  CustomOpenWindowForm& w = f();
  g_searches.restart();
  dress_tool_window(w, w.frame_labels(), w.图形按钮_程序图标, custom_open_window_icon_picture(), w.图形按钮_关闭小);
  w.set_mouse_pointer(program_pointer_cursor().handle());
  for (rt::GraphicButton* b : buttons()) b->set_mouse_pointer(program_pointer_cursor().handle());
  set_balloon_tip(w.图形按钮_关闭小, "<font color=red>关闭打开文件窗口");
  set_balloon_tip(w.图形按钮_选择性打开, "打开类型：正常打开\r\n此打开放式由用户选择需要打开的文件打开！");
  set_balloon_tip(w.图形按钮_打开文件夹, "打开类型：打开文件夹\r\n此打开方式自动搜索一个目录下的文本文件\r\n打开！");
  set_balloon_tip(w.图形按钮_搜索打开,
                  "打开类型：搜索打开\r\n此打开方式由用户指定打开规则，和第二种\r\n方式相同的是同样搜索文件，但是不同是搜"
                  "\r\n索打开的文件类型由用户决定！");
}

void on_open_choice_window_shown() { fade_in_after_first_activation(f()); }

bool open_choice_window_busy() { return f().loaded() && g_searches.busy(); }

void close_open_choice_window() {
  if (!open_choice_window_busy()) f().close();
}

bool on_open_choice_window_may_close() {
  if (open_choice_window_busy()) return false;
  fade_out_open_choice_window();
  return true;
}

void fade_out_open_choice_window() {
  if (f().loaded()) show_window_faded(f(), false);
}

void open_selected_and_close() {
  if (!may_start_open()) return;
  open_files();
  close_open_choice_window();
}

void start_open_folder_thread() {
  if (!may_start_open()) return;
  open_chosen_folder_files("*.txt");
}

void search_open_command() {
  if (!may_start_open()) return;
  g_search_open_rule.clear();
  g_search_open_rule = ask_search_rule(config_text(cfg::程序设置::上一次搜索文件规则));
  if (g_search_open_rule.empty() || !may_start_open()) return;
  // Remembered before the folder is asked for: a cancelled folder keeps the new rule.
  config_set_text(cfg::程序设置::上一次搜索文件规则, g_search_open_rule);
  open_chosen_folder_files(g_search_open_rule);
}

void bind_custom_open_window(CustomOpenWindowForm& f) {
  f.on_created = on_open_choice_window_created;
  f.on_first_activation = on_open_choice_window_shown;
  f.on_may_close = on_open_choice_window_may_close;
  f.图形按钮_关闭小.on_click = close_open_choice_window;
  f.图形按钮_选择性打开.on_click = open_selected_and_close;
  f.图形按钮_打开文件夹.on_click = start_open_folder_thread;
  f.图形按钮_搜索打开.on_click = search_open_command;
  f.标签_上中.on_left_down = [&f](int, int, int) {
    move_window_by_title(f);
    return true;
  };
}
