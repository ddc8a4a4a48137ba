#pragma once

// The process's start routine: prepares the globals, loads the main window, runs the loop.
int program_entry();
