#include "app/boss_key.h"

#include "app/commands.h"
#include "app/edge_hide.h"
#include "app/hotkeys.h"
#include "app/menu_bar.h"
#include "app/tray.h"
#include "common/menu_art.h"
#include "common/messages.h"
#include "forms/main_window_form.h"
#include "options/boss_key_settings.h"
#include "options/config.h"

namespace {

int g_boss_hotkey_id = 0;
int g_boss_key_registered = 0;

namespace 程序 = cfg::程序设置;

// The Settings menu item, whichever caption it shows now.
rt::MenuItem* boss_key_item() { return find_command_item(Command::BossKey); }

}  // namespace

int boss_hotkey_id() { return g_boss_hotkey_id; }

bool boss_key_registered() { return g_boss_key_registered != 0; }

bool register_boss_key(unsigned modifiers, unsigned key) {
  g_boss_hotkey_id = register_hotkey(main_window().handle(), modifiers, key, boss_key_callback);
  g_boss_key_registered = g_boss_hotkey_id ? 1 : 0;
  return g_boss_key_registered != 0;
}

void unregister_boss_key() {
  if (!g_boss_key_registered) return;
  unregister_hotkey(main_window().handle(), g_boss_hotkey_id);
  g_boss_key_registered = 0;
}

void reset_boss_key() {
  g_boss_hotkey_id = 0;
  g_boss_key_registered = 0;
}

void show_boss_key_menu_state(bool on) {
  if (rt::MenuItem* item = boss_key_item()) {
    item->caption = on ? "关老板键(&G)" : "开老板键(&K)";
    item->image = on ? kImageTick : kImageBossKey;
  }
}

void tell_boss_key_failed(rt::Window* owner) {
  tell_user(0, 16, "注册老板键失败！", 0x0000FF, "  注册老板键失败！请确认该热键是否被其他软件占用。", 0xFF00FF,
            nullptr, owner);
}

void register_boss_key_from_config() {
  // Shift + D while no combination is stored.
  unsigned modifiers = static_cast<unsigned>(config_int(程序::功能键状态));
  unsigned key = static_cast<unsigned>(config_int(程序::键代码));
  if (register_boss_key(modifiers, key)) {
    show_boss_key_menu_state(true);
    return;
  }
  tell_boss_key_failed(&main_window());
}

void toggle_boss_key_menu() {
  if (g_boss_key_registered) {
    unregister_boss_key();
    show_boss_key_menu_state(false);
  } else {
    register_boss_key_from_config();
  }
  // The menu switches for this run only: the stored option stays for the next start.
  show_boss_key_state_in_options();
}

void toggle_main_window_visibility() {
  // Mini mode has its own bar.
  if (mini_mode_loaded()) return;
  MainWindowForm& w = main_window();
  w.set_visible(!w.visible());
  if (w.visible()) leave_edge_hide();
}

void boss_key_callback() { toggle_main_window_visibility(); }

void release_boss_key() { unregister_boss_key(); }
