#include "options/boss_key_settings.h"

#include <map>

#include "app/boss_key.h"
#include "app/hotkeys.h"
#include "common/control_routines.h"
#include "common/messages.h"
#include "forms/main_window_form.h"
#include "options/config.h"
#include "options/hotkey_text.h"
#include "runtime/hotkeys.h"

namespace {

namespace 程序 = cfg::程序设置;

struct HotkeyCaptureRecord {
  rt::HookId hook = 0;
  int modifiers = 0;
  int key = 0;
};

std::map<const rt::EditBox*, HotkeyCaptureRecord> g_hotkey_capture_list;
// Filled by the key handlers and copied into the box's record at each key up.
HotkeyCaptureEntry g_hotkey_capture_entry;
BossKeyGroup g_group;

HeldModifiers held_modifiers() {
  constexpr int kShift = 16, kCtrl = 17, kAlt = 18, kLeftWin = 91, kRightWin = 92;
  return {rt::key_held(kCtrl), rt::key_held(kShift), rt::key_held(kAlt),
          rt::key_held(kLeftWin) || rt::key_held(kRightWin)};
}

// Each key down starts the combination afresh.
void on_capture_key_down(rt::EditBox& box, int key) {
  box.set_text(compose_hotkey_text("", key, false, held_modifiers(), g_hotkey_capture_entry));
}

void on_capture_key_up(rt::EditBox& box, int key) {
  std::string text = compose_hotkey_text(box.text(), key, true, held_modifiers(), g_hotkey_capture_entry);
  if (text != box.text()) box.set_text(text);
  auto it = g_hotkey_capture_list.find(&box);
  if (it != g_hotkey_capture_list.end()) {
    it->second.modifiers = g_hotkey_capture_entry.modifiers;
    it->second.key = g_hotkey_capture_entry.key;
  }
  if (box.text().empty()) box.set_text(kNoHotkeyText);
}

bool group_loaded() { return g_group.window && g_group.window->loaded(); }

void register_boss_key_failed_over_options() {
  tell_boss_key_failed(g_group.window);
  show_boss_key_menu_state(false);
}

}  // namespace

void attach_hotkey_capture(rt::EditBox& box) {
  if (!box.exists() || g_hotkey_capture_list.count(&box)) return;
  rt::EditBox* b = &box;
  rt::KeyCatcher catcher;
  catcher.on_key_down = [b](int key) { on_capture_key_down(*b, key); };
  catcher.on_key_up = [b](int key) { on_capture_key_up(*b, key); };
  catcher.on_destroy = [b] { g_hotkey_capture_list.erase(b); };
  rt::HookId hook = rt::catch_keys(box.handle(), std::move(catcher));
  if (!hook) return;
  g_hotkey_capture_list[&box] = {hook, 0, 0};
  box.set_read_only(true);
  box.set_text(kNoHotkeyText);
}

void detach_hotkey_capture(rt::EditBox& box) {
  auto it = g_hotkey_capture_list.find(&box);
  if (it == g_hotkey_capture_list.end()) return;
  rt::remove_hook(box.handle(), it->second.hook);
  g_hotkey_capture_list.erase(it);
  box.set_text("");
  box.set_read_only(false);
}

bool read_captured_hotkey(const rt::EditBox& box, int& modifiers, int& key) {
  auto it = g_hotkey_capture_list.find(&box);
  if (box.text().empty() || it == g_hotkey_capture_list.end()) return false;
  modifiers = it->second.modifiers;
  key = it->second.key;
  return true;
}

void show_stored_boss_key(rt::EditBox& box) {
  box.set_text(config_text(程序::老板键文本描述));
  auto it = g_hotkey_capture_list.find(&box);
  if (it == g_hotkey_capture_list.end()) return;
  // Shift + D while no combination is stored.
  it->second.modifiers = config_int(程序::功能键状态);
  it->second.key = config_int(程序::键代码);
}

void bind_boss_key_group(const BossKeyGroup& group) {
  g_group = group;
  g_group.超级按钮_开启老板键->on_click = toggle_boss_key_option;
  g_group.图形按钮_确定->on_click = apply_captured_boss_key;
  g_group.编辑框_老板键->on_changed = on_boss_key_text_changed;
  show_boss_key_state_in_options();
}

void show_boss_key_group() {
  if (!group_loaded()) return;
  attach_hotkey_capture(*g_group.编辑框_老板键);
  show_stored_boss_key(*g_group.编辑框_老板键);
}

void show_boss_key_state_in_options() {
  if (!group_loaded()) return;
  check_button_state(*g_group.超级按钮_开启老板键, ButtonOp::Set, boss_key_registered() ? 1 : 0);
  g_group.编辑框_老板键->set_disabled(!boss_key_registered());
}

void on_boss_key_text_changed() {
  if (!group_loaded()) return;
  g_group.图形按钮_确定->set_disabled(g_group.编辑框_老板键->text() == kNoHotkeyText);
}

void toggle_boss_key_option() {
  if (!group_loaded()) return;
  rt::EditBox& box = *g_group.编辑框_老板键;
  bool on = check_button_state(*g_group.超级按钮_开启老板键) != 0;
  if (on) {
    config_set_flag(程序::开启老板键, true);
    attach_hotkey_capture(box);
    show_stored_boss_key(box);
    // A key the menu registered meanwhile is given back first, so that only one is held.
    unregister_boss_key();
    unsigned modifiers = static_cast<unsigned>(config_int(程序::功能键状态));
    unsigned key = static_cast<unsigned>(config_int(程序::键代码));
    if (register_boss_key(modifiers, key)) {
      show_boss_key_menu_state(true);
    } else {
      // The option stays on, so that the next start tries again.
      register_boss_key_failed_over_options();
    }
  } else {
    config_set_flag(程序::开启老板键, false);
    unregister_boss_key();
    show_boss_key_menu_state(false);
  }
  box.set_disabled(!on);
}

void apply_captured_boss_key() {
  if (!group_loaded()) return;
  rt::EditBox& box = *g_group.编辑框_老板键;
  int modifiers = 0, key = 0;
  // A box without a key behind its text would register nothing and store 0 and 0.
  if (!read_captured_hotkey(box, modifiers, key) || key == 0) return;
  std::string text = box.text();
  // While the option is off the combination is only stored: a hotkey registered now would
  // outlive the exit and stand in the way of switching the option on.
  if (check_button_state(*g_group.超级按钮_开启老板键, ButtonOp::Query)) {
    unregister_boss_key();
    if (!register_boss_key(static_cast<unsigned>(modifiers), static_cast<unsigned>(key))) {
      register_boss_key_failed_over_options();
    } else {
      show_boss_key_menu_state(true);
      tell_user(0, 8, "老板键注册成功！", 0x8000, "  老板键注册成功！你可以按 " + text + " 呼入呼出本软件。", 0xFF00FF,
                nullptr, g_group.window);
    }
  }
  config_set_text(程序::老板键文本描述, text);
  config_set_int(程序::功能键状态, modifiers);
  config_set_int(程序::键代码, key);
}
