#pragma once
// Path routines that reach the system.
#include <string>

// Starts Explorer with the file selected; 1 when it could be started.
int reveal_in_explorer(const std::string& path);
