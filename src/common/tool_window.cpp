#include "common/tool_window.h"

#include "common/main_window_ref.h"
#include "common/window_fade.h"
#include "runtime/app.h"

void fade_in_after_first_activation(rt::Window& window, bool keep_position) {
  rt::WindowHandle shown = window.handle();
  rt::post([&window, shown, keep_position] {
    if (window.loaded() && window.handle() == shown) show_window_faded(window, true, keep_position);
  });
}

void open_tool_window(rt::Window& window) {
  if (window.loaded()) {
    window.bring_forward();
    return;
  }
  window.load(main_window_ref());
}

bool select_all_on_ctrl_a(rt::EditBox& box, int key, int modifiers) {
  if (key != 'A' || modifiers != rt::kCtrl) return true;
  box.select(0, box.text_length());
  return false;
}
