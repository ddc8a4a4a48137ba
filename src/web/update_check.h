#pragma once
// The update check: the update window "Velmora_检测更新" (opened from the menus, the about
// window and the update prompt), the silent check at start-up with its prompt, and the download
// of the new package into the program's folder. Nothing is installed.
#include <string>

#include "web/update_rules.h"

// What the window's last check read from the update page; kept for the whole program.
const UpdateInfo& update_info();
void set_update_info(UpdateInfo info);
// 1 once the start-up check found a newer version; read by the prompt.
int update_available();
// The downloaded package: program folder, published name, ".zip".
const std::string& update_package_path();
// The download's result for its message: 1 written, 2 failed.
int update_download_result();
// A fresh start: nothing read, found or downloaded.
void reset_update_check();

// The update page's address (the stored one, on the update page's host).
std::string update_page_address();

// Menu "检查更新(&N)", the about window's update button, the prompt: the window when the network
// answers, otherwise a message.
void open_update_window();
void on_update_window_created();
// Shows the window with its fade. The check started when the window was created runs on a
// worker: it fetches the page and hands the result to the window, unless that has gone.
void on_update_window_first_activation();

// Start-up, on a worker: unless "启动时不检测软件更新" is set, fetches the page and arms the
// main window's one-shot timer 时钟_信息框 when it announces a newer version.
void check_for_update_at_startup_thread();
// Tick of 时钟_信息框: asks whether to open the update window (once).
void prompt_update_available();

// 超级按钮_本程序下载: fetches the package on a worker and writes it beside the program.
void start_update_download();
// Tick of 时钟_提示信息: reports the download and offers the next step (once).
void show_update_download_result();
// 超级按钮_调用IE下载: topmost off, then the system's download dialog for the package.
void download_update_with_browser();
void download_with_browser(const std::string& address);
// 超级按钮_软件主页, and after a failed download: the published homepage, else the program's own.
void open_update_homepage();

// The close button: refused while a check or a download runs.
void close_update_window();
// The may-close event: refused while a check or a download runs, otherwise fades out.
bool may_close_update_window();
// Fades the window out when loaded; also run at shutdown.
void fade_out_update_window();
