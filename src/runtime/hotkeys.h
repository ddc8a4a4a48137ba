#pragma once
// System-wide hotkeys, the keys held now, and edit boxes that catch key combinations.
#include <functional>

#include "runtime/app.h"
#include "runtime/hooks.h"

namespace rt {

// Modifier bits as the system takes them for hotkeys.
enum HotkeyModifier : unsigned { kHotkeyAlt = 1, kHotkeyCtrl = 2, kHotkeyShift = 4, kHotkeyWin = 8 };

// The window gets hotkey_message() (wparam the id) whenever the combination is pressed, in
// whatever program has the focus. False when the system refuses it (another program holds it).
bool register_system_hotkey(WindowHandle window, int id, unsigned modifiers, unsigned key);
bool unregister_system_hotkey(WindowHandle window, int id);
unsigned hotkey_message();

// Whether the key is down, as the message being handled sees the keyboard.
bool key_held(int virtual_key);

// A window that catches key combinations: its key downs and key ups, the system keys (with Alt)
// included, go to the handlers before the control sees them; the context menu, mouse moves and
// double clicks never reach it. on_destroy runs when the window goes. rt::remove_hook takes the
// layer away again.
struct KeyCatcher {
  std::function<void(int key)> on_key_down, on_key_up;
  std::function<void()> on_destroy;
};
HookId catch_keys(WindowHandle window, KeyCatcher catcher);

}  // namespace rt
