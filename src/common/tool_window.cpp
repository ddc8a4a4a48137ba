#include "common/tool_window.h"

#include "common/skin_art.h"
#include "common/window_fade.h"
#include "forms/main_window_form.h"
#include "runtime/app.h"

void create_tool_window_frame(rt::Window& window, int width, int height, const SkinLabels& labels,
                              std::string_view title) {
  const int strip = kTitleStripHeight;
  const rt::Rect places[] = {{0, 0, 18, strip},
                             {18, 0, width - 22, strip},
                             {width - 4, 0, 4, strip},
                             {0, strip, 2, height - strip - 4},
                             {width - 2, strip, 2, height - strip - 4},
                             {0, height - 4, 4, 4},
                             {4, height - 2, width - 8, 2},
                             {width - 4, height - 4, 4, 4}};
  for (size_t i = 0; i < labels.size(); ++i) labels[i]->create(window, places[i], i == 1 ? title : "");
}

void dress_tool_window(rt::Window& window, rt::GraphicButton& icon_button, const rt::Picture& icon,
                       rt::GraphicButton& close_button, const SkinLabels& labels) {
  window.set_alpha(0);
  icon_button.set_pictures(icon, icon, icon);
  const auto& close = close_button_pictures();
  close_button.set_pictures(close[0], close[1], close[2]);
  close_button.set_disabled_picture(close[3]);
  apply_child_window_skin(window, 4, labels, tool_window_frame_pictures());
}

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
  window.load(&main_window());
}

bool select_all_on_ctrl_a(rt::EditBox& box, int key, int modifiers) {
  if (key != 'A' || modifiers != rt::kCtrl) return true;
  box.select(0, box.text_length());
  return false;
}
