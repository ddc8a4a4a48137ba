#pragma once
// Facts of the machine and the screen the program asks for.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/unit.h"

namespace rt {

// The primary screen's size.
int screen_width();
int screen_height();
// A screen (monitor) of the desktop, in screen pixels: all of it, and its work area (without the
// taskbar and the other bars docked at its edges).
struct Screen {
  Rect whole, work;
};
// The screens as the system tells them now, the primary one first.
std::vector<Screen> screens();
// The work area of the primary screen: the screen without the taskbar.
Rect work_area();
// An environment variable's value, "" when it is not set.
std::string environment_variable(std::string_view name);
// The folder Windows is installed in, without a trailing backslash ("C:\WINDOWS").
std::string windows_directory();
// The caret on the screen, converted with the window that owns it; {0, 0} without a caret.
struct Point {
  int x = 0, y = 0;
};
Point caret_screen_position();
// Physical memory in MB.
int physical_memory_mb();
// Asks the system to page out as much of the process's working set as it can.
void trim_working_set();
// The Windows version the program runs on (0, 0 when unknown).
struct OsVersion {
  int major = 0, minor = 0;
};
OsVersion os_version();

// Named events of the session, known to every process by their name (GBK).
// Whether one of that name exists (OpenEventA with EVENT_ALL_ACCESS; the handle is not kept).
bool named_event_exists(std::string_view name);
// CreateEventA: no security attributes, auto-reset, not signalled; the handle, or null.
void* create_named_event(std::string_view name);
// CloseHandle on such a handle; nothing for null.
void close_named_event(void* event);

uint32_t current_process_id();
// Milliseconds since the system started (GetTickCount; wraps after 49.7 days).
uint32_t tick_count();
// Sleep: the thread waits and handles no messages meanwhile.
void sleep_ms(int milliseconds);

namespace seams {
// What the system tells of the screens, the primary one first (a taskbar, a second monitor);
// empty: the system's own answer again.
void set_screens(std::vector<Screen> screens);
}  // namespace seams

}  // namespace rt
