#pragma once
// The boss key: a system-wide hotkey (Shift+D unless another was captured) that hides the main
// window at once and shows it again on the next press. Start-up registers it when the option is
// on, the Settings menu item switches it for the running program, the options window switches
// it for good and captures new combinations (options/boss_key_settings.h).

namespace rt {
class Window;
}

// The boss key's hotkey id; 0 when the last registration failed.
int boss_hotkey_id();
// Whether the boss key's hotkey is registered now.
bool boss_key_registered();
// Registers the combination for the boss key; false when the system refused it. A hotkey held
// already is the caller's to give back first.
bool register_boss_key(unsigned modifiers, unsigned key);
// Gives the registered hotkey back; nothing when none is registered.
void unregister_boss_key();
// A fresh start: no hotkey registered, no id.
void reset_boss_key();

// Registers the stored combination (Shift+D while none is stored); on failure tells the user.
void register_boss_key_from_config();
// The Settings menu item "开老板键(&K)" / "关老板键(&G)".
void toggle_boss_key_menu();
// The Settings menu item's caption and image for the state.
void show_boss_key_menu_state(bool on);
// The boss key's action: the main window hidden or shown (nothing in mini mode).
void toggle_main_window_visibility();
void boss_key_callback();
// At the exit: the hotkey given back when it is registered.
void release_boss_key();
// The failure message over the owner (the main window when null).
void tell_boss_key_failed(rt::Window* owner);
