#include "app/snapping.h"

#include <map>
#include <string_view>

#include "common/window_rules.h"
#include "common/message_box.h"
#include "common/window_fade.h"
#include "common/window_reach.h"
#include "forms/main_window_form.h"
#include "options/config.h"
#include "options/option_values.h"
#include "runtime/hooks.h"
#include "runtime/mouse_input.h"
#include "runtime/system.h"
#include "runtime/window_services.h"

namespace {

constexpr unsigned kWmNcLeftButtonDown = 0x00A1, kWmMoving = 0x0216;
constexpr uintptr_t kHitCaption = 2;

// Where the pointer held the window when its caption drag started. One pair serves every
// window: only one is dragged at a time.
ScreenPoint g_grab_offset;

// One layer per window and kind, so that a second call replaces the first.
struct Layer {
  rt::WindowHandle window = nullptr;
  rt::HookId id = 0;
};
using Layers = std::map<const rt::Window*, Layer>;
Layers g_screen_snapping, g_child_snapping, g_child_confinement;

void remove_layer(Layers& layers, const rt::Window& window) {
  auto it = layers.find(&window);
  if (it == layers.end()) return;
  rt::remove_hook(it->second.window, it->second.id);
  layers.erase(it);
}

void put_layer(Layers& layers, rt::Window& window, rt::Hook hook) {
  remove_layer(layers, window);
  if (!window.loaded()) return;
  rt::HookId id = rt::add_hook(window.handle(), std::move(hook));
  if (id) layers[&window] = {window.handle(), id};
}

Edges edges_of(const rt::Window& window) {
  rt::Rect r = window.rect();
  return {r.left, r.top, r.left + r.width, r.top + r.height};
}

Edges read_rect(intptr_t lparam) {
  rt::MessageRect m = rt::read_message_rect(lparam);
  return {m.left, m.top, m.right, m.bottom};
}

void write_rect(intptr_t lparam, const Edges& r) { rt::write_message_rect(lparam, {r.left, r.top, r.right, r.bottom}); }

// The pointer where the message being handled put it: the press, or the move the system's loop
// is handling, so that the rectangle follows the pointer as the loop itself does.
ScreenPoint pointer() {
  rt::Point p = rt::message_cursor_position();
  return {p.x, p.y};
}

// A press on the caption: the drag keeps the pointer where it held the window.
void note_grab(const rt::Message& m, const rt::Window& window) {
  if (m.msg != kWmNcLeftButtonDown || m.wparam != kHitCaption) return;
  rt::Rect r = window.rect();
  ScreenPoint p = pointer();
  g_grab_offset = {p.x - r.left, p.y - r.top};
}
}  // namespace

void enable_window_snapping(rt::Window& window, int distance) {
  rt::Rect area = rt::work_area();
  const int work_bottom = area.top + area.height;
  put_layer(g_screen_snapping, window, [&window, distance, work_bottom](rt::Message& m) -> intptr_t {
    note_grab(m, window);
    if (m.msg != kWmMoving || !m.lparam) return m.next();
    Edges r = follow_pointer(read_rect(m.lparam), pointer(), g_grab_offset);
    write_rect(m.lparam, snap_to_screen(r, distance, rt::screen_width(), rt::screen_height(), work_bottom));
    return m.next();
  });
}

void disable_window_snapping(rt::Window& window) { remove_layer(g_screen_snapping, window); }

void confine_child_window(rt::Window& child, rt::Window& anchor) {
  put_layer(g_child_confinement, child, [&child, &anchor](rt::Message& m) -> intptr_t {
    if (m.msg != kWmMoving || !m.lparam || !anchor.loaded()) return m.next();
    write_rect(m.lparam, confine_to_anchor(read_rect(m.lparam), child.width(), child.height(), edges_of(anchor)));
    return m.next();
  });
}

void snap_child_window(rt::Window& child, rt::Window& anchor, int distance) {
  put_layer(g_child_snapping, child, [&child, &anchor, distance](rt::Message& m) -> intptr_t {
    note_grab(m, child);
    if (m.msg != kWmMoving || !m.lparam || !anchor.loaded()) return m.next();
    Edges r = follow_pointer(read_rect(m.lparam), pointer(), g_grab_offset);
    write_rect(m.lparam, snap_to_anchor(r, distance, edges_of(anchor)));
    return m.next();
  });
}

void place_by_main_caption_buttons(rt::Window& window) {
  MainWindowForm& main = main_window();
  // The buttons and the clock lie on the caption strip.
  const int top = main.top() + main.标签_上中.top() + main.标签_上中.height();
  window.move(main.left() + main.width() - window.width(), top, window.width(), window.height());
  keep_window_reachable(window);
}
