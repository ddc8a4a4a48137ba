#include "common/window_reach.h"

#include <map>

#include "runtime/app.h"
#include "runtime/hooks.h"
#include "runtime/system.h"
#include "runtime/window_services.h"

namespace {

constexpr unsigned kWmMoving = 0x0216, kWmDisplayChange = 0x007E, kWmSettingChange = 0x001A,
                   kWmNcDestroy = 0x0082;
constexpr uintptr_t kSetWorkArea = 0x002F;  // SPI_SETWORKAREA, told with WM_SETTINGCHANGE

// The windows that have the layer now, with their grips.
std::map<rt::WindowHandle, std::function<CaptionGrip()>> g_kept_windows;

Edges edges(const rt::Rect& r) { return {r.left, r.top, r.left + r.width, r.top + r.height}; }

}  // namespace

std::vector<Edges> screen_work_areas() {
  std::vector<Edges> areas;
  for (const rt::Screen& s : rt::screens()) areas.push_back(edges(s.work));
  return areas;
}

Edges work_area_of(const Edges& rect) {
  std::vector<Edges> areas = screen_work_areas();
  int i = nearest_area(rect, areas);
  return i < 0 ? edges(rt::work_area()) : areas[i];
}

Edges window_edges(const rt::Window& window) { return edges(window.rect()); }

Edges reachable_place(const Edges& rect, const CaptionGrip& grip) {
  return keep_caption_reachable(rect, grip, screen_work_areas(), kReachableGrip);
}

void keep_window_reachable(rt::Window& window, const CaptionGrip& grip) {
  if (!window.loaded()) return;
  const Edges at = window_edges(window), kept = reachable_place(at, grip);
  if (!(kept == at)) window.move(kept.left, kept.top, kept.width(), kept.height());
}

void keep_window_reachable(rt::Window& window) {
  if (!window.loaded()) return;
  auto it = g_kept_windows.find(window.handle());
  if (it != g_kept_windows.end()) keep_window_reachable(window, it->second());
}

void keep_reachable_while_moved(rt::Window& window, std::function<CaptionGrip()> grip) {
  if (!window.loaded() || g_kept_windows.contains(window.handle())) return;
  rt::WindowHandle handle = window.handle();
  if (!rt::add_hook(handle, [&window, handle, grip](rt::Message& m) -> intptr_t {
        if (m.msg == kWmNcDestroy) {
          g_kept_windows.erase(m.window);
          return m.next();
        }
        if (m.msg == kWmDisplayChange || (m.msg == kWmSettingChange && m.wparam == kSetWorkArea)) {
          // Once the system has the new screens.
          rt::post([&window, handle, grip] {
            if (window.loaded() && window.handle() == handle && !window.minimized() && !window.maximized())
              keep_window_reachable(window, grip());
          });
          return m.next();
        }
        if (m.msg != kWmMoving || !m.lparam) return m.next();
        intptr_t r = m.next();
        rt::MessageRect p = rt::read_message_rect(m.lparam);
        Edges kept = reachable_place({p.left, p.top, p.right, p.bottom}, grip());
        rt::write_message_rect(m.lparam, {kept.left, kept.top, kept.right, kept.bottom});
        return r;
      }))
    return;
  g_kept_windows[handle] = std::move(grip);
}
