#pragma once
// The program's hotkeys: any routine registers a key combination with a callback, and the
// window's hotkey message runs the callback of the combination pressed. The first registration
// on a window adds one layer to its message hooks that stays for the window's life. Ids count
// from 1 and are never given out again; unregistering keeps the record.
#include <vector>

#include "runtime/app.h"

using HotkeyCallback = void (*)();

struct HotkeyRecord {
  rt::WindowHandle window = nullptr;
  unsigned modifiers = 0;  // Alt 1, Ctrl 2, Shift 4, Win 8
  unsigned key = 0;        // virtual-key code
  HotkeyCallback callback = nullptr;
  bool registered = false;
};

// Record id - 1 belongs to hotkey id; its size is the number of ids given out.
const std::vector<HotkeyRecord>& hotkey_records();

// The new hotkey's id, or 0 when the system refuses the combination (nothing changes then).
int register_hotkey(rt::WindowHandle window, unsigned modifiers, unsigned key, HotkeyCallback callback);
void unregister_hotkey(rt::WindowHandle window, int id);
// Forgets every record and layer (a new start of the program's windows).
void reset_hotkeys();
