#pragma once
// The program's start: the entry routine and the main window's two start-up events.
#include <string>
#include <vector>

#include "runtime/hooks.h"

// The screen's height above the taskbar, measured at start-up.
int work_height();
// A fresh start: nothing measured, no dialog placed yet.
void reset_startup();

int program_entry();
void on_main_window_created();
void on_main_window_first_activation();
// The start's last part has run: the drops, the tips and pointers of the main window, the tray
// icon and the update check, set up once the first screen has painted.
bool start_finished();
// The command-line arguments as the open queue: each made absolute against the folder the
// program was started in. When the first is a shortcut with a target, Explorer shows the
// target and the result is true: the process is to end.
// The main window's layer that places each common dialog over it, when the dialog first waits
// for the user: the folder browser at 380 x 420, other dialogs with a caption at 580 x 420, all
// with the window transparency.
intptr_t dialog_centring_proc(rt::Message& m);
void remove_dialog_centring();
bool queue_command_line(const std::vector<std::string>& arguments);
