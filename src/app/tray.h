#pragma once
// The notification-area icon of the main window and its menu 托盘菜单(&T).
#include <string_view>

namespace rt {
class MenuItem;
}
enum class Command : int;

// The icon's tip, three lines.
inline constexpr std::string_view kTrayTip = "名称:Velmora\r\n版本:1.0.0.1\r\n更新时间:2026年12月10日";

// Whether the mini-mode window "Velmora_迷你模式" is loaded (the main window then stays hidden).
bool mini_mode_loaded();

// The first activation: the program icon with its tip. True when the shell took it.
bool add_tray_icon();
// At the exit: the icon taken away.
void remove_tray_icon();
// The icon's event: 1 left button up, 2 double click, 3 right button up.
void on_tray_event(int type);
void popup_tray_menu_at_cursor();

// The tray menu's items "语音朗读(&Y)" and "正常模式(&Z)" are shown only while the read-aloud
// window is hidden to the tray and while mini mode is on; each goes with the separator above it.
void set_tray_read_aloud_item_visible(bool visible);
void set_tray_normal_mode_item_visible(bool visible);
// The same on a menu that is being built.
void set_item_visible_with_separator(rt::MenuItem& menu, Command command, bool visible);
