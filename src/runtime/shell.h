#pragma once
// Running programs and opening documents. While a test records launches (runtime/seams.h)
// they are recorded instead of run.
#include <string>
#include <string_view>

namespace rt {

// ShellExecute: verb ("open", "" for the default), file, parameters, working folder.
bool shell_execute(std::string_view verb, std::string_view file, std::string_view parameters = {},
                   std::string_view directory = {}, bool hidden = false);
// Starts a command line; returns whether the program started.
bool run_program(std::string_view command_line, bool hidden = false);

// Moves a file or folder to the recycle bin without asking, without error boxes and silently;
// false when it is still there.
bool recycle_file(std::string_view path);
// Runs a command line hidden and waits until it ends; false when it could not start.
bool run_hidden_and_wait(std::string_view command_line);
// The target of a shortcut (".lnk") file, or "" when it has none or is no shortcut.
std::string shortcut_target(std::string_view lnk_path);
// Ends the process at once (a second instance, a shortcut start, the exit). A test that set the
// end-of-process seam gets the call instead and the caller goes on.
void end_process(int code);

}  // namespace rt
