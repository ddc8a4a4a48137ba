#pragma once
// Registration as the system's default text editor: text files open with the program, every
// file, folder and drive gets the verb "用Velmora打开(&F)", and the program is listed under
// "Applications". Switching it off removes all of that and gives text files back to the
// system's notepad. The registry is the only store: the state is read back from the value
// "Sfmr" = "Yes" under the verb's key.
#include <string>
#include <string_view>

// The command the registry entries run: the program's full path (program_dir + file_name,
// doubled backslashes made single after a leading "\\") and "%1", both quoted.
std::string editor_command_line(std::string_view program_dir, std::string_view file_name);
// The command for this program's own file.
std::string editor_command_line();

// Whether the registry carries the registration's indicator.
bool default_notepad_registered();
// Writes the twelve entries; the number that succeeded.
int register_default_notepad();
// Deletes the twenty entries and restores the notepad command; the number of the 21
// operations that succeeded.
int unregister_default_notepad();

// Click on 超级按钮_设置为默认的记事本: registers or unregisters as the box now says, and
// reports the result over the options window.
void set_default_notepad();
