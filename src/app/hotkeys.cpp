#include "app/hotkeys.h"

#include <algorithm>

#include "runtime/hooks.h"
#include "runtime/hotkeys.h"

namespace {

// Record id - 1 belongs to hotkey id; its size is the number of ids given out.
std::vector<HotkeyRecord> g_hotkeys;

// The windows that carry the hotkey layer.
std::vector<rt::WindowHandle> g_hooked_windows;

intptr_t hotkey_layer(rt::Message& m) {
  if (m.msg != rt::hotkey_message()) return m.next();
  // Any program can post the message, and the system's own hotkeys have negative ids: only an
  // id this window registered and still holds runs a callback.
  int id = static_cast<int>(m.wparam);
  if (id < 1 || id > static_cast<int>(g_hotkeys.size())) return m.next();
  const HotkeyRecord& r = g_hotkeys[id - 1];
  if (!r.registered || r.window != m.window || !r.callback) return m.next();
  r.callback();
  return 0;
}

}  // namespace

const std::vector<HotkeyRecord>& hotkey_records() { return g_hotkeys; }

int register_hotkey(rt::WindowHandle window, unsigned modifiers, unsigned key, HotkeyCallback callback) {
  int id = static_cast<int>(g_hotkeys.size()) + 1;
  if (!rt::register_system_hotkey(window, id, modifiers, key)) return 0;
  g_hotkeys.push_back({window, modifiers, key, callback, true});
  if (std::find(g_hooked_windows.begin(), g_hooked_windows.end(), window) == g_hooked_windows.end()) {
    rt::add_hook(window, hotkey_layer);
    g_hooked_windows.push_back(window);
  }
  return id;
}

void unregister_hotkey(rt::WindowHandle window, int id) {
  rt::unregister_system_hotkey(window, id);
  if (id >= 1 && id <= static_cast<int>(g_hotkeys.size()) && g_hotkeys[id - 1].window == window)
    g_hotkeys[id - 1].registered = false;
}

void reset_hotkeys() {
  g_hotkeys.clear();
  g_hooked_windows.clear();
}
