#include "runtime/hotkeys.h"

#include <windows.h>

#include <memory>

namespace rt {

namespace {
HWND hw(WindowHandle h) { return static_cast<HWND>(h); }
}  // namespace

bool register_system_hotkey(WindowHandle window, int id, unsigned modifiers, unsigned key) {
  return RegisterHotKey(hw(window), id, modifiers, key) != FALSE;
}

bool unregister_system_hotkey(WindowHandle window, int id) { return UnregisterHotKey(hw(window), id) != FALSE; }

unsigned hotkey_message() { return WM_HOTKEY; }

bool key_held(int virtual_key) {
  // The high bit marks a key that is down; the low bit alone is only a toggle state.
  SHORT state = GetKeyState(virtual_key);
  return state != 0 && state != 1;
}

HookId catch_keys(WindowHandle window, KeyCatcher catcher) {
  auto c = std::make_shared<KeyCatcher>(std::move(catcher));
  return add_hook(window, [c](Message& m) -> intptr_t {
    switch (m.msg) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        if (c->on_key_down) c->on_key_down(static_cast<int>(m.wparam));
        break;
      case WM_KEYUP:
      case WM_SYSKEYUP:
        if (c->on_key_up) c->on_key_up(static_cast<int>(m.wparam));
        break;
      case WM_NCDESTROY:
        if (c->on_destroy) c->on_destroy();
        break;
      case WM_CONTEXTMENU:
      case WM_MOUSEMOVE:
      case WM_LBUTTONDBLCLK:
        return 0;
      default:
        break;
    }
    return m.next();
  });
}

}  // namespace rt
