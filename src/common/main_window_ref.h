#pragma once
// The main window as the shared routines know it, a window like any other: tool windows open
// and fade over it, the program's boxes show over it. The main window's binding gives it
// (app/main_window_events.cpp) when the window is first built; until then there is none, which
// the routines take as a main window that is not loaded.
#include "runtime/window.h"

void set_main_window_ref(rt::Window* window);
rt::Window* main_window_ref();
