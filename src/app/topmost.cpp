#include "app/topmost.h"

#include "common/balloon_tip.h"
#include "common/frame_art.h"
#include "common/window_fade.h"
#include "forms/main_window_form.h"

void toggle_topmost() {
  MainWindowForm& main = main_window();
  bool on = !main.topmost();
  const auto& s = caption_button_strip(on ? CaptionGlyph::TopmostOn : CaptionGlyph::TopmostOff);
  main.图形按钮_最前.set_pictures(s[0], s[1], s[2]);
  main.set_topmost(on);
  set_tool_windows_topmost(on);
  set_topmost_button_tip();
}

void set_topmost_button_tip() {
  MainWindowForm& main = main_window();
  set_balloon_tip(main.图形按钮_最前, main.topmost() ? "取消最前" : "窗口最前");
}
