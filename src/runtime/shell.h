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

}  // namespace rt
