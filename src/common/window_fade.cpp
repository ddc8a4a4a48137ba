#include "common/window_fade.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "common/main_window_ref.h"
#include "common/window_reach.h"
#include "options/config.h"
#include "options/option_values.h"
#include "runtime/clock.h"
#include "runtime/gbk_text.h"
#include "runtime/system.h"
#include "runtime/window_services.h"

namespace {

// The system can fade windows.
int g_not_win9x = 1;

constexpr int kSteps = 15;
constexpr int kSlide = 3;  // pixels per step: 45 in all

// Show fades that have disabled the main window and not yet ended.
int g_main_disabled_by_fades = 0;
// The main window's fades in that have not yet ended, and the work waiting for the last.
int g_main_fades_in = 0;
std::vector<std::function<void()>> g_after_main_fade_in;

int step_time() {
  int n = static_cast<int>(rt::text_to_number(config_read("程序设置", "淡入淡出速度")));
  return n > 0 ? n * 5 : 10;
}

void slow_fade_rule(int s0) {
  if (config_read("程序设置", "强制淡进淡出") != "真") return;
  // Second fields only: a fade across a full minute never counts.
  if (rt::now().second - s0 >= 3) {
    config_write("程序设置", "关闭淡入淡出效果", "真");
    set_option(&OptionValues::fade_enabled, 0);
  }
}

void release_main_window() {
  rt::Window* main = main_window_ref();
  if (--g_main_disabled_by_fades > 0) return;
  g_main_disabled_by_fades = 0;
  // A modal box opened during the fade still needs its owner disabled.
  if (main && !main->has_modal_child()) main->set_disabled(false);
}

bool main_window_topmost() {
  rt::Window* main = main_window_ref();
  return main && main->topmost();
}

}  // namespace

void set_not_win9x(int not_win9x) { g_not_win9x = not_win9x; }

void centre_over_main_window(rt::Window& window) {
  rt::Window* main_window = main_window_ref();
  const rt::Rect main = main_window ? main_window->rect() : rt::Rect{};
  // Halves in floating point, truncated toward zero, as the message box is placed.
  int left = static_cast<int>(main.left + main.width / 2.0 - window.width() / 2.0);
  int top = static_cast<int>(main.top + main.height / 2.0 - window.height() / 2.0);
  // A window larger than the main window near a screen edge still opens on the screen, the one
  // the main window is on.
  const Edges area = work_area_of(window_edges(main_window ? *main_window : window));
  left = std::max(area.left, std::min(left, area.right - window.width()));
  top = std::max(area.top, std::min(top, area.bottom - window.height()));
  window.move(left, top, window.width(), window.height());
}

int move_window(rt::Window& window, int left, int top, int width, int height, bool repaint) {
  if (!window.loaded()) return 0;
  window.move(left, top, width, height);
  (void)repaint;
  return 1;
}

int move_window(rt::WindowHandle window, int left, int top, int width, int height, bool repaint) {
  return rt::move_window(window, left, top, width, height, repaint) ? 1 : 0;
}

namespace {

// A window that shows anything: visible and not transparent. Hiding one that does not has no
// fade to run.
bool shows(rt::Window& window) { return window.loaded() && window.visible() && window.alpha() > 0; }

// The fade-out of the windows together, one step of each per pause: they end transparent, the
// main window where it started, a tool window 45 pixels to the left of it.
void fade_out(const std::vector<rt::Window*>& windows) {
  rt::Window* main = main_window_ref();
  int s0 = rt::now().second;
  int d = step_time();
  int a = options().window_alpha / kSteps;
  for (rt::Window* w : windows) {
    if (main_window_topmost()) w->set_topmost(true);
    w->set_disabled(true);
  }
  for (int i = 1; i <= kSteps; ++i) {
    for (rt::Window* w : windows) {
      w->set_alpha(options().window_alpha - a * i);
      w->set_left(w->left() + kSlide);
    }
    rt::delay_with_messages(d);
  }
  rt::delay_with_messages(d);
  for (rt::Window* w : windows) {
    w->set_alpha(0);
    w->set_left(w->left() - (w == main ? 1 : 2) * kSteps * kSlide);
    w->set_disabled(false);
  }
  slow_fade_rule(s0);
}

}  // namespace

void show_window_faded(rt::Window& window, bool show, bool keep_position) {
  rt::Window* main = main_window_ref();
  if (!window.loaded()) return;
  if (!(g_not_win9x && options().fade_enabled)) {
    if (show) {
      if (main_window_topmost()) window.set_topmost(true);
      if (!keep_position && &window != main) centre_over_main_window(window);
      keep_window_reachable(window);
      window.set_alpha(options().window_alpha);
      window.set_visible(true);
    } else {
      window.set_visible(false);
    }
    return;
  }
  if (!show) {
    // Nothing of it shows: it is transparent at once, where it is.
    if (!shows(window)) {
      window.set_alpha(0);
      return;
    }
    window.set_focus();
    fade_out({&window});
    return;
  }
  int s0 = rt::now().second;
  if (main_window_topmost()) window.set_topmost(true);
  int d = step_time();
  int a = options().window_alpha / kSteps;
  window.set_focus();
  std::optional<MainWindowFadingIn> fading_in;
  if (&window == main) fading_in.emplace();
  ++g_main_disabled_by_fades;
  if (main) main->set_disabled(true);
  if (!keep_position && &window != main) centre_over_main_window(window);
  // A window shown where it stood (after the slide of its hides) ends where it can be reached.
  keep_window_reachable(window);
  window.set_left(window.left() - kSteps * kSlide);
  for (int i = 1; i <= kSteps; ++i) {
    window.set_alpha(a * i);
    window.set_left(window.left() + kSlide);
    rt::delay_with_messages(d);
  }
  rt::delay_with_messages(d);
  window.set_alpha(options().window_alpha);
  release_main_window();
  slow_fade_rule(s0);
}

void after_main_window_fade_in(std::function<void()> work) {
  if (g_main_fades_in > 0)
    g_after_main_fade_in.push_back(std::move(work));
  else
    work();
}

MainWindowFadingIn::MainWindowFadingIn() { ++g_main_fades_in; }

MainWindowFadingIn::~MainWindowFadingIn() {
  if (--g_main_fades_in > 0) return;
  std::vector<std::function<void()>> waiting;
  waiting.swap(g_after_main_fade_in);
  for (auto& work : waiting) rt::post(std::move(work));
}

void hide_windows_faded_together(const std::vector<rt::Window*>& windows) {
  std::vector<rt::Window*> showing;
  for (rt::Window* w : windows)
    if (w->loaded() && std::find(showing.begin(), showing.end(), w) == showing.end()) showing.push_back(w);
  if (!(g_not_win9x && options().fade_enabled)) {
    for (rt::Window* w : showing) w->set_visible(false);
    return;
  }
  // As alone: those that show nothing are transparent at once, where they are.
  std::erase_if(showing, [](rt::Window* w) {
    if (shows(*w)) return false;
    w->set_alpha(0);
    return true;
  });
  if (!showing.empty()) fade_out(showing);
}

void set_tool_windows_topmost(bool on) {
  static const char* const kToolWindows[] = {
      "Velmora_云输入法", "Velmora_打开文件", "Velmora_程序设置", "Velmora_跳转页面",    "Velmora_寻找替换",
      "Velmora_语音朗读", "Velmora_谷歌翻译", "Velmora_简繁转换", "Velmora_加密解密",    "Velmora_字体设置",
      "Velmora_检测更新", "Velmora_文件信息", "取窗口组件内容",   "Velmora_屏幕输出效果"};
  // Two windows share the caption "Velmora_检测更新" (download and about): all loaded ones count.
  for (rt::Window* w : rt::Window::loaded_windows()) {
    std::string caption = w->caption();
    for (const char* name : kToolWindows)
      if (caption == name) {
        w->set_topmost(on);
        break;
      }
  }
}
