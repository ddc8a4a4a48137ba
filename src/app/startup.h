#pragma once
// The program's start: the entry routine and the main window's two start-up events.
#include <string>
#include <vector>

extern int g_remember_position;
extern int g_children_stay;
extern int g_work_height;
extern int g_autosave_interval;

int program_entry();
void on_main_window_created();
void on_main_window_first_activation();
// The command-line arguments as the open queue: each made absolute against the folder the
// program was started in. When the first is a shortcut with a target, Explorer shows the
// target and the result is true: the process is to end.
bool queue_command_line(const std::vector<std::string>& arguments);
