#pragma once
// The boss-key group of the options window: the switch 超级按钮_开启老板键, the capture box
// 编辑框_老板键 and the button 图形按钮_确定.
//
// The capture box is an edit box turned into a hotkey field: read-only and deaf to the mouse, it
// shows the combination the user presses ("Ctrl + Shift + F8") and remembers the modifier bits
// and the key code behind the text, one record per box. The options window hosts the group: it
// hands its three units over when it builds them and calls show_boss_key_group at its first
// activation; the box lets go by itself when its window goes.
#include "runtime/edit_box.h"
#include "runtime/graphic_button.h"
#include "runtime/window.h"

struct BossKeyGroup {
  rt::Window* window = nullptr;
  rt::GraphicButton* 超级按钮_开启老板键 = nullptr;
  rt::EditBox* 编辑框_老板键 = nullptr;
  rt::GraphicButton* 图形按钮_确定 = nullptr;
};

// Takes the group's units, binds their events and shows the switch as the boss key is now
// (registered or not), the capture box enabled only while it is on.
void bind_boss_key_group(const BossKeyGroup& group);
// First activation: the capture attached to the box, which shows the stored combination.
void show_boss_key_group();
// While the group's window is loaded, its switch and box follow the boss key's state (after the
// Settings menu switched it).
void show_boss_key_state_in_options();

// Click of 超级按钮_开启老板键 (the switch flips first): the option stored and the boss key
// registered or given back.
void toggle_boss_key_option();
// Click of 图形按钮_确定: the captured combination becomes the boss key and is stored.
void apply_captured_boss_key();
// Changed event of the capture box: 图形按钮_确定 is disabled while it shows "无".
void on_boss_key_text_changed();

// Makes the box a capture box (unless it is one): read-only, showing "无".
void attach_hotkey_capture(rt::EditBox& box);
// Gives the box back its own behaviour: empty and writable.
void detach_hotkey_capture(rt::EditBox& box);
// The modifier bits and key code behind the box's text; false when the box is empty or no
// capture box.
bool read_captured_hotkey(const rt::EditBox& box, int& modifiers, int& key);
// The box shows the stored combination ("Shift + D" while none is stored), its record holding
// the stored keys, so that 确定 without a new capture keeps them.
void show_stored_boss_key(rt::EditBox& box);
