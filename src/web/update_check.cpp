#include "web/update_check.h"

#include "app/topmost.h"
#include "options/option_values.h"
#include "runtime/window_jobs.h"
#include "common/message_box.h"
#include "common/messages.h"
#include "common/path_routines.h"
#include "common/skin.h"
#include "common/skin_art.h"
#include "common/tool_window.h"
#include "common/web_art.h"
#include "common/window_fade.h"
#include "forms/main_window_form.h"
#include "forms/update_window_form.h"
#include "options/config.h"
#include "pages/page_model.h"
#include "runtime/app.h"
#include "runtime/files.h"
#include "runtime/internet.h"
#include "runtime/media.h"
#include "runtime/tooltip.h"
#include "web/about_window.h"
#include "web/http.h"
#include "web/http_request.h"
#include "web/web_hosts.h"
#include "web/web_window.h"

namespace {

// What the window's last check read from the update page; kept for the whole program.
UpdateInfo g_update_info;
// 1 once the start-up check found a newer version; read by the prompt.
int g_update_available = 0;
// The downloaded package: program folder, published name, ".zip".
std::string g_update_package_path;
// The download's result for its message: 1 written, 2 failed.
int g_update_download_result = 0;

constexpr unsigned kRed = 255, kGreen = 0x8000, kMagenta = 0xFF00FF;
constexpr unsigned kEditBorderColor = 0x9D7B45;
constexpr int kHandOver = 100;  // ms of the one-shot timers

UpdateWindowForm& f() { return update_window(); }

// The window's workers (a check, a download) of the window loaded now. A result of a worker
// whose window has gone since (another generation) is dropped.
rt::WindowJobs g_jobs;

bool current(int generation) { return g_jobs.current(generation) && f().loaded(); }

void begin_work() {
  g_jobs.begin();
  f().图形按钮_关闭小.set_disabled(true);
}

void end_work(int generation) {
  if (!f().loaded() || !g_jobs.end(generation) || g_jobs.busy()) return;
  f().图形按钮_关闭小.set_disabled(false);
}

void check_for_update(int generation) {
  if (!is_internet_reachable()) {
    rt::post([generation] {
      if (current(generation)) {
        f().图片框_等待.set_visible(false);
        f().图形按钮_等待.set_visible(false);
        f().标签5.set_visible(true);
      }
      end_work(generation);
    });
    return;
  }
  std::string block = update_manifest_block(rt::http_get(update_page_address()));
  if (block.empty()) {
    // No answer to show: the window keeps waiting.
    rt::post([generation] { end_work(generation); });
    return;
  }
  UpdateInfo info = read_update_manifest(block);
  long long own_bytes = rt::file_size(rt::program_path());
  rt::post([generation, info, own_bytes] {
    // The record is filled even when the window has gone meanwhile.
    set_update_info(info);
    if (current(generation)) {
      UpdateWindowForm& w = f();
      if (announces_newer_version(info.version, info.update_time)) {
        w.标签_上中.set_text_color(kRed);
        w.标签_上中.set_text("  检测到程序有更新");
        w.标签_更新说明.set_text_color(kRed);
        w.标签_更新说明.set_text("(程序有更新，建议立即更新。)");
        w.标签_软件大小.set_text(update_size_caption(info.size, own_bytes));
        w.超级按钮_本程序下载.set_visible(true);
        w.超级按钮_调用IE下载.set_visible(true);
      } else {
        w.标签_上中.set_text_color(kGreen);
        w.标签_上中.set_text("  当前程序已经是最新版");
        w.标签_更新说明.set_text_color(kGreen);
        w.标签_更新说明.set_text("(程序已经是最新版，无需更新!)");
        w.标签_软件大小.set_text(info.size);
      }
      w.标签_软件名称.set_text(info.name);
      w.标签_更新时间.set_text(info.update_time);
      w.标签_软件版本.set_text(info.version);
      w.编辑框_更新日志.set_text(change_log_text(info.change_log));
      w.图片框_等待.set_visible(false);
      w.图形按钮_等待.set_visible(false);
      for (rt::Unit* u : std::initializer_list<rt::Unit*>{
               &w.超级按钮_软件主页, &w.标签_软件名称, &w.标签_软件大小, &w.标签_软件版本, &w.标签_更新时间,
               &w.标签_更新说明, &w.标签, &w.标签1, &w.标签2, &w.标签3, &w.标签4, &w.编辑框_更新日志})
        u->set_visible(true);
    }
    end_work(generation);
  });
}

void start_update_check() {
  begin_work();
  int generation = g_jobs.generation();
  rt::start_thread([generation] { check_for_update(generation); }, [generation] { end_work(generation); });
}

// Ends the download in the window: the captions of the result, then the timer hands the
// result to its message.
void finish_download(int generation, int result, bool had_address) {
  if (!current(generation)) return;
  UpdateWindowForm& w = f();
  if (result == 1) {
    w.标签_上中.set_text_color(kGreen);
    w.标签_上中.set_text("  瞧！更新就这么简单，更新完毕……");
    w.标签_更新说明.set_text_color(kGreen);
    w.标签_更新说明.set_text("(程序更新完毕！)");
  } else {
    w.标签_上中.set_text_color(kRed);
    w.标签_上中.set_text(had_address ? "  哦呵！对不起！更新过程好像出错了！" : "  哦呵！对不起！更新过程中出错了！");
    w.标签_更新说明.set_text_color(kRed);
    w.标签_更新说明.set_text("(更新程序出错，建议重试)");
  }
  g_update_download_result = result;
  w.时钟_提示信息.set_interval(kHandOver);
  w.标签4.set_text("更新日志：");
  w.超级按钮_本程序下载.set_disabled(false);
  w.超级按钮_调用IE下载.set_disabled(false);
  w.图片框_等待.set_visible(false);
  w.标签_更新说明.set_visible(true);
  end_work(generation);
}

}  // namespace

const UpdateInfo& update_info() { return g_update_info; }

void set_update_info(UpdateInfo info) { g_update_info = std::move(info); }

int update_available() { return g_update_available; }

const std::string& update_package_path() { return g_update_package_path; }

int update_download_result() { return g_update_download_result; }

void reset_update_check() {
  g_update_info = UpdateInfo{};
  g_update_available = 0;
  g_update_package_path.clear();
  g_update_download_result = 0;
}

std::string update_page_address() {
  // Kept scrambled; the host it names is the update page's row of the host table.
  return web_address(WebHost::kUpdatePage, url_path(descramble_text(stored_update_address())));
}

void open_update_window() {
  if (!is_internet_reachable()) {
    tell_user(0, 64, "检测到你未连接到会联网！", kRed, "  检测到你未连接到会联网！所以程序无法继续执行检查更新任务。",
              kMagenta);
    return;
  }
  open_tool_window(f());
}

void on_update_window_created() {
  UpdateWindowForm& w = f();
  g_jobs.restart();
  dress_tool_window(w, {&w.标签_左上, &w.标签_上中, &w.标签_右上, &w.标签_左中, &w.标签_右中, &w.标签_左下, &w.标签_下中, &w.标签_右下}, w.图形按钮_程序图标, update_window_icon_picture(), w.图形按钮_关闭小);
  for (rt::Unit* u : std::initializer_list<rt::Unit*>{&w, &w.超级按钮_本程序下载, &w.超级按钮_调用IE下载,
                                                      &w.超级按钮_软件主页, &w.编辑框_更新日志, &w.图形按钮_关闭小})
    u->set_mouse_pointer(program_pointer_cursor().handle());
  w.图片框_等待.move(121, 88, w.图片框_等待.width(), w.图片框_等待.height());
  w.图形按钮_等待.move(116, 97, w.图形按钮_等待.width(), w.图形按钮_等待.height());
  rt::Font log_font = w.编辑框_更新日志.font();
  log_font.face = main_window().编辑框_文本类容.font().face;
  w.编辑框_更新日志.set_font(log_font);
  install_colored_border(w.编辑框_更新日志.handle(), kEditBorderColor);
  rt::set_tooltip(w.图形按钮_关闭小, "<font color=red>关闭更新窗口");
  start_update_check();
}

void on_update_window_first_activation() { fade_in_web_window(f()); }

void check_for_update_at_startup_thread() {
  // The user's "no check at start" means no request at all.
  if (config_flag(cfg::程序设置::启动时不检测软件更新)) return;
  std::string block = update_manifest_block(rt::http_get(update_page_address()));
  if (block.empty()) return;
  UpdateInfo info = read_update_manifest(block);
  if (!announces_newer_version(info.version, info.update_time)) return;
  rt::post([] {
    g_update_available = 1;
    MainWindowForm& m = main_window();
    if (m.loaded()) m.时钟_信息框.set_interval(kHandOver);
  });
}

void prompt_update_available() {
  main_window().时钟_信息框.set_interval(0);
  if (g_update_available != 1) return;
  MessageBoxRequest r;
  r.owner = &main_window();
  r.button_set = 1;
  r.icon = 64;
  r.title = "检测到程序有更新，是否立即升级？";
  r.title_color = kRed;
  r.text =
      "  检测到程序有更新，请尽快下载最新版！程序的每次升级都有部分改动，比如优化程序性能，修复BUG或者增加某些功能！"
      "\r\n  你确定打开更新窗口升级程序吗？";
  r.text_color = kRed;
  r.box_cursor = program_pointer_cursor();
  r.fade = options().fade_enabled;
  // Left alone, the box says yes after ten seconds.
  r.auto_close_ms = 10000;
  r.default_button = kBoxOk;
  bool without_button = false;
  r.closed_without_button = &without_button;
  if (show_message_box(r) == kBoxOk && !without_button) open_update_window();
}

void start_update_download() {
  UpdateWindowForm& w = f();
  if (!w.loaded()) return;
  w.图片框_等待.move(73, 101, w.图片框_等待.width(), w.图片框_等待.height());
  w.图片框_等待.set_visible(true);
  w.标签_更新说明.set_visible(false);
  w.超级按钮_本程序下载.set_disabled(true);
  w.超级按钮_调用IE下载.set_disabled(true);
  w.标签_上中.set_text("  正在下载最新版Velmora……");
  w.标签4.set_text("正在更新：");
  // The published name is text from the web: no folder of its own, nothing outside ours.
  std::string name = strip_invalid_filename_chars(g_update_info.name);
  if (name == "." || name == "..") name.clear();
  if (name.empty()) name = "Velmora";
  g_update_package_path = rt::program_directory() + name + ".zip";
  std::string address = g_update_info.download_address, path = g_update_package_path;
  begin_work();
  int generation = g_jobs.generation();
  bool had_address = !address.empty();
  rt::start_thread(
      [generation, address, path, had_address] {
        int result = 2;
        if (had_address) {
          // An empty or cut reply is no package, and a package is written whole or not at all:
          // either way an earlier file stays as it was.
          std::string bytes = rt::http_get(address);
          if (!bytes.empty() && rt::write_file_safely(path, bytes)) result = 1;
        }
        rt::post([generation, result, had_address] { finish_download(generation, result, had_address); });
      },
      [generation, had_address] { finish_download(generation, 2, had_address); });
}

void show_update_download_result() {
  UpdateWindowForm& w = f();
  w.时钟_提示信息.set_interval(0);
  if (g_update_download_result != 1 && g_update_download_result != 2) return;
  bool written = g_update_download_result == 1;
  MessageBoxRequest r;
  r.owner = &w;
  r.button_set = 1;
  r.icon = 8;
  r.text_color = kGreen;
  r.button_row_top = 120;
  r.box_cursor = program_pointer_cursor();
  r.fade = options().fade_enabled;
  if (written) {
    r.title = "程序更新完毕……";
    r.title_color = kGreen;
    r.text =
        "  程序更新已经被我搞定了，接下来的事情就交给你了，就是把下载的更新包解压出来替换我，本来这个事情是我做的，"
        "可是我没有工具自杀，所以劳烦你解决我了！\r\n  请问是否在资源管理器中定位到该更新文件?";
  } else {
    r.title = "程序更新失败！";
    r.title_color = kRed;
    r.text =
        "  程序已经有更新了，可是下载失败，你有时间到软件主页看一下啥情况嘛，这该死的作者自己的网站都没有一个，还要去别处"
        "看！(不好意思啦！凑合！凑合！)";
  }
  bool without_button = false;
  r.closed_without_button = &without_button;
  if (show_message_box(r) != kBoxOk || without_button) return;
  if (written)
    reveal_in_explorer(g_update_package_path);
  else
    open_update_homepage();
}

void download_update_with_browser() {
  // The download dialog must not open under a topmost main window.
  if (main_window().topmost()) toggle_topmost();
  download_with_browser(g_update_info.download_address);
}

void download_with_browser(const std::string& address) {
  if (address.empty()) return;
  rt::system_download_dialog(address);
}

void open_update_homepage() {
  if (g_update_info.homepage.empty())
    open_homepage();
  else
    open_in_browser(g_update_info.homepage);
}

void close_update_window() {
  if (g_jobs.busy()) return;
  f().close();
}

bool may_close_update_window() {
  if (g_jobs.busy()) return false;
  fade_out_update_window();
  return true;
}

void fade_out_update_window() {
  UpdateWindowForm& w = f();
  if (w.loaded()) show_window_faded(w, false);
}

void bind_update_window(UpdateWindowForm& f) {
  f.on_created = on_update_window_created;
  f.on_first_activation = on_update_window_first_activation;
  f.on_may_close = may_close_update_window;
  f.图形按钮_关闭小.on_click = close_update_window;
  f.标签_上中.on_left_down = [](int, int, int) {
    move_window_by_title(update_window());
    return true;
  };
  f.超级按钮_本程序下载.on_click = start_update_download;
  f.超级按钮_调用IE下载.on_click = download_update_with_browser;
  f.超级按钮_软件主页.on_click = open_update_homepage;
  f.时钟_提示信息.on_tick = show_update_download_result;
}
