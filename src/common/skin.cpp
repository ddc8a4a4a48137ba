#include "common/skin.h"

#include <set>

#include "common/popup_art.h"
#include "common/skin_art.h"
#include "common/window_reach.h"
#include "runtime/cursor.h"
#include "runtime/hooks.h"
#include "runtime/window_services.h"

namespace {

constexpr unsigned kWmNcDestroy = 0x0082;
constexpr unsigned kWmPaint = 0x000F;
constexpr unsigned kWmNcPaint = 0x0085;
constexpr unsigned kWmNcLeftButtonDown = 0x00A1;
constexpr intptr_t kHitCaption = 2;

// Windows that wear the coloured border now.
std::set<rt::WindowHandle> g_bordered_windows;

}  // namespace

void set_round_region(rt::WindowHandle window, int radius) {
  for (rt::Window* w : rt::Window::loaded_windows())
    if (w->handle() == window) w->set_round_region(radius);
}

void set_unit_round_region(rt::Window& window, int radius) { window.set_round_region(radius); }

void apply_child_window_skin(rt::Window& window, int radius, const SkinLabels& labels, const SkinPictures& pictures) {
  // The runtime's windows have no system border: the frame is the labels.
  for (size_t i = 0; i < labels.size(); ++i) labels[i]->set_picture(pictures[i]);
  auto& [top_left, top, top_right, left, right, bottom_left, bottom, bottom_right] = labels;
  top_left->set_left(0);
  left->set_left(0);
  bottom_left->set_left(0);
  top_left->set_top(0);
  top->set_top(0);
  top_right->set_top(0);
  layout_child_window_skin(window, radius, labels);
}

void layout_child_window_skin(rt::Window& window, int radius, const SkinLabels& labels) {
  auto& [top_left, top, top_right, left, right, bottom_left, bottom, bottom_right] = labels;
  if (!window.loaded() || !top_left->exists()) return;
  set_unit_round_region(window, radius);
  const int w = window.width(), h = window.height();
  top->set_left(top_left->width());
  top_right->set_left(w - top_right->width());
  top->set_width(top_right->left() - top_left->width());
  bottom_left->set_top(h - bottom_left->height());
  left->set_top(top_left->height());
  left->set_height(bottom_left->top() - top_left->height());
  right->set_top(top_right->height());
  right->set_left(w - right->width());
  bottom_right->set_left(w - bottom_right->width());
  bottom_right->set_top(h - bottom_right->height());
  right->set_height(bottom_right->top() - top_right->height());
  bottom->set_left(bottom_left->width());
  bottom->set_top(h - bottom->height());
  bottom->set_width(bottom_right->left() - bottom_left->width());
}

void create_tool_window_frame(rt::Window& window, const SkinLabels& labels, std::string_view title) {
  auto& [top_left, top, top_right, left, right, bottom_left, bottom, bottom_right] = labels;
  const int w = window.width(), h = window.height(), strip = kTitleStripHeight;
  top_left->create(window, {0, 0, 18, strip});
  top->create(window, {18, 0, w - 22, strip}, title);
  top_right->create(window, {w - 4, 0, 4, strip});
  left->create(window, {0, strip, 2, h - strip - 4});
  right->create(window, {w - 2, strip, 2, h - strip - 4});
  bottom_left->create(window, {0, h - 4, 4, 4});
  bottom->create(window, {4, h - 2, w - 8, 2});
  bottom_right->create(window, {w - 4, h - 4, 4, 4});
}

rt::Window::Overlap title_strip_buttons(const SkinLabels& labels, std::vector<const rt::Unit*> buttons) {
  return {std::move(buttons), {labels[0], labels[1], labels[2]}};
}

void create_popup_frame(rt::Window& window, const SkinLabels& labels) {
  auto& [top_left, top, top_right, left, right, bottom_left, bottom, bottom_right] = labels;
  const int w = window.width(), h = window.height(), k = kPopupFrameCorner, e = kPopupFrameEdge;
  top_left->create(window, {0, 0, k, k});
  top->create(window, {k, 0, w - 2 * k, e});
  top_right->create(window, {w - k, 0, k, k});
  left->create(window, {0, k, e, h - 2 * k});
  right->create(window, {w - e, k, e, h - 2 * k});
  bottom_left->create(window, {0, h - k, k, k});
  bottom->create(window, {k, h - e, w - 2 * k, e});
  bottom_right->create(window, {w - k, h - k, k, k});
}

void dress_tool_window(rt::Window& window, const SkinLabels& labels, rt::GraphicButton& icon_button,
                       const rt::Picture& icon, rt::GraphicButton& close_button) {
  window.set_alpha(0);
  icon_button.set_pictures(icon, icon, icon);
  const auto& close = close_button_pictures();
  close_button.set_pictures(close[0], close[1], close[2]);
  close_button.set_disabled_picture(close[3]);
  apply_child_window_skin(window, 4, labels, tool_window_frame_pictures());
  // Its caption: the title strip between the icon and the close button.
  rt::Label* title = labels[1];
  keep_reachable_while_moved(window, [&icon_button, &close_button, title] {
    return CaptionGrip{icon_button.left() + icon_button.width(), close_button.left(), title->height()};
  });
}

void install_colored_border(rt::WindowHandle window, unsigned color) {
  if (!window || g_bordered_windows.contains(window)) return;
  if (!rt::add_hook(window, [color](rt::Message& m) -> intptr_t {
        if (m.msg == kWmNcDestroy) {
          g_bordered_windows.erase(m.window);
          return m.next();
        }
        if (m.msg == rt::handle_replaced_message()) {  // the edit box was re-created
          g_bordered_windows.erase(reinterpret_cast<rt::WindowHandle>(m.wparam));
          g_bordered_windows.insert(reinterpret_cast<rt::WindowHandle>(m.lparam));
          return m.next();
        }
        if (m.msg != kWmPaint && m.msg != kWmNcPaint) return m.next();
        intptr_t kept = m.next();
        rt::frame_window_edge(m.window, color);
        return kept;
      }))
    return;
  g_bordered_windows.insert(window);
}

void move_window_by_title(rt::Window& window) {
  rt::release_mouse_capture();
  rt::send_message(window.handle(), kWmNcLeftButtonDown, kHitCaption, 0);
}
