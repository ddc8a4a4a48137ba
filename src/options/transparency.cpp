#include "options/transparency.h"

#include <string_view>

#include "common/window_fade.h"
#include "forms/main_window_form.h"
#include "forms/options_window_form.h"
#include "options/config.h"
#include "options/option_values.h"

namespace {

// The tool windows that follow the slider, in the order they are given the new alpha. The mini
// mode, its suggestion popup, the open-pages popup and the message box keep theirs.
constexpr std::string_view kToolWindows[] = {
    "Velmora_云输入法", "Velmora_打开文件", "Velmora_跳转页面", "Velmora_寻找替换",     "Velmora_语音朗读",
    "Velmora_谷歌翻译", "Velmora_简繁转换", "Velmora_加密解密", "Velmora_字体设置",     "Velmora_检测更新",
    "Velmora_标签管理", "Velmora_文件信息", "取窗口组件内容",   "Velmora_屏幕输出效果",
};

}  // namespace

int alpha_of_slider(int position) { return 255 - (100 - position); }

int slider_of_alpha(int alpha) { return 100 - (255 - alpha); }

void apply_window_transparency() {
  OptionsWindowForm& f = options_window();
  int a = alpha_of_slider(f.多功能条_透明度.position());
  set_option(&OptionValues::window_alpha, a);
  f.set_alpha(a);
  main_window().set_alpha(a);
  config_set_int(cfg::程序设置::窗口透明度, a);  // 255 removes the key
  // The update and the about window share a caption: every loaded one counts.
  for (std::string_view caption : kToolWindows)
    for (rt::Window* w : rt::Window::loaded_windows())
      if (w->caption() == caption) w->set_alpha(a);
}
