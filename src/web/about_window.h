#pragma once
// The about window, the program's homepage and its online help.
#include <string>
#include <string_view>

namespace rt {
class RichEditBox;
}

// The built-in addresses of the program's own site.
std::string homepage_address();
std::string online_help_address();

// Menu "关于程序(&I)", toolbar button 21: the about window, over the main window.
void open_about_window();
// The tray menu's "关于程序(&I)".
void open_about_window_from_tray();
void on_about_window_created();
void on_about_window_first_activation();
// 图形按钮_关闭小 and 图形按钮_确定: the window fades out and goes.
void close_about_window();
void confirm_about_window();
bool may_close_about_window();
// Fades the window out when loaded; also run at shutdown.
void fade_out_about_window();

// Menus "软件主页(&R)" (Help and the program menu): the homepage in the browser, unasked.
void open_homepage();
void open_homepage_from_context_menu();
// The tray menu's "软件主页(&H)".
void open_homepage_from_tray();
// Menu "程序帮助(&H)", toolbar button 20: asks, then opens the online help in the browser.
void show_online_help();

// One formatted run at the end of a rich edit box: face, colour (Windows RGB), size in points.
void append_rich_text_run(rt::RichEditBox& box, std::string_view text, std::string_view face, unsigned color,
                          int size);
