#pragma once
// The words of the boss-key capture box: key names, the modifier prefix and how each key press
// changes the combination the box shows.
#include <string>
#include <string_view>

// Modifier bits as hotkeys take them: Alt 1, Ctrl 2, Shift 4, Win 8.
enum HotkeyBits : int { kBitAlt = 1, kBitCtrl = 2, kBitShift = 4, kBitWin = 8 };

// The modifier keys held while a key goes down or up.
struct HeldModifiers {
  bool ctrl = false, shift = false, alt = false, win = false;
};

// The name of a virtual-key code; "" for a key without a name (its combination then ends after
// the modifiers).
std::string_view hotkey_key_name(int key);

// "Ctrl + ", "Shift + ", "Alt + ", "Win + " for the held keys, in this order.
std::string hotkey_prefix(const HeldModifiers& held);
int hotkey_bits(const HeldModifiers& held);

// What the key handlers fill: the modifier bits and the key behind the text.
struct HotkeyCaptureEntry {
  int modifiers = 0;
  int key = 0;
};

// One key going down (key_up false) or up in a box that shows box_text: returns the box's new
// text and updates the entry. A key down starts the modifier bits afresh from the held keys
// (the caller has emptied the box before); a box that shows a complete combination keeps it,
// one that is empty or ends in " + " shows the prefix and the key's name.
std::string compose_hotkey_text(std::string_view box_text, int key, bool key_up, const HeldModifiers& held,
                                HotkeyCaptureEntry& entry);

// The text of an empty box.
inline constexpr std::string_view kNoHotkeyText = "无";
