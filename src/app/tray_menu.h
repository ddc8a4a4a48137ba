#pragma once
// The items of the tray menu 托盘菜单(&T) that come and go (the icon: app/tray.h).
namespace rt {
class MenuItem;
}
enum class Command : int;

// The menu at the pointer (the icon's right button).
void popup_tray_menu_at_cursor();

// The tray menu's items "语音朗读(&Y)" and "正常模式(&Z)" are shown only while the read-aloud
// window is hidden to the tray and while mini mode is on; each goes with the separator above it.
void set_tray_read_aloud_item_visible(bool visible);
void set_tray_normal_mode_item_visible(bool visible);
// The same on a menu that is being built.
void set_item_visible_with_separator(rt::MenuItem& menu, Command command, bool visible);
