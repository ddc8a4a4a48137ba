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
// The same box without ending the process; code 0 shows no code line. In test mode the text is
// recorded (seams::runtime_error_texts) instead of shown.
void show_runtime_error(int code, std::string_view text);

// Failures of the program's own code. An exception that leaves a worker (start_thread), a task
// handed to the UI thread (invoke, post) or a handler the runtime calls from a window procedure
// (units' events, hook layers, timers, drops) neither ends the process nor unwinds through the
// system's frames: it is reported and the program goes on. Running out of memory is told by the
// program's own notice (set here; true when it could show it), anything else, and running out of
// memory when the notice could not be shown, in the runtime error box with the exception's text.
// Every report is written to the error output at once; its box shows when the UI thread next
// dispatches, and a report that is still waiting for its box is not queued again.
void set_out_of_memory_notice(std::function<bool()> notice);
// Inside a catch block: reports the exception being handled.
void report_current_exception();
// Memory ran out where no exception says so (a control that refused a text).
void report_out_of_memory();

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
// or a shared list is handed to the UI thread. When work fails (an exception leaves it, or no
// thread could be made for it), if_failed runs on the UI thread before the failure is reported,
// so that whatever counts the worker as running sees it end.
void start_thread(std::function<void()> work, std::function<void()> if_failed = {});
bool on_ui_thread();
// Runs work on the UI thread and waits for it (runs at once when called on the UI thread).
void invoke(std::function<void()> work);
// Queues work for the UI thread and returns at once.
void post(std::function<void()> work);
// Queues work for the UI thread to run once the windows have painted what waits to be painted
// (the system hands out timer messages only after paints): what the first screen need not wait
// for.
void post_after_paint(std::function<void()> work);

// Waits while dispatching messages (timers keep running); it ends when its time is up, also
// while a timer's messages keep coming.
void delay_with_messages(int milliseconds);
// Dispatches messages until done() holds or the time is up; tells whether done() held.
bool pump_until(const std::function<bool()>& done, int timeout_ms);

// Top-level windows of the program that exist now.
int top_level_window_count();

}  // namespace rt
