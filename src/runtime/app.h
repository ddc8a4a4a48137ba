#pragma once
// Application services of the form runtime: the message loop, the end-of-program routine,
// the runtime error box, the UI thread and worker threads.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

using WindowHandle = void*;

// Once, before any window: registers the runtime's classes and its hand-off window.
void initialize();

// Runs once, after the last window is gone.
void set_end_of_program(std::function<void()> routine);

// Dispatches messages until the last top-level window of the program is gone, then runs the
// end-of-program routine once. Returns the process exit code.
int run_message_loop();

// For programming errors only: shows "运行时出错!" with the code and text, then ends the process.
[[noreturn]] void runtime_error(int code, std::string_view text);

// The folder of the program's file, with a trailing "\".
std::string program_directory();
// The program's file.
std::string program_path();
// The current folder when the process started, before anything changed it.
std::string start_directory();
// The command-line arguments after the program's own name, as typed (GBK).
std::vector<std::string> command_line_arguments();
// A path made absolute against a folder (the start folder when empty).
std::string full_path(std::string_view path, std::string_view against = {});

// Worker threads: they compute and read files; anything that touches a unit, a window, a timer
// or a shared list is handed to the UI thread.
void start_thread(std::function<void()> work);
bool on_ui_thread();
// Runs work on the UI thread and waits for it (runs at once when called on the UI thread).
void invoke(std::function<void()> work);
// Queues work for the UI thread and returns at once.
void post(std::function<void()> work);

// Waits while dispatching messages (timers keep running).
void delay_with_messages(int milliseconds);
// Dispatches messages until done() holds or the time is up; tells whether done() held.
bool pump_until(const std::function<bool()>& done, int timeout_ms);

// Top-level windows of the program that exist now.
int top_level_window_count();

}  // namespace rt
