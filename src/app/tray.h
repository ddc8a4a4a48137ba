#pragma once
// The notification-area icon of the main window and its menu 托盘菜单(&T).
#include <string_view>

#include "app/tray_menu.h"

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
