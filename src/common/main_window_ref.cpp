#include "common/main_window_ref.h"

namespace {
rt::Window* g_main_window = nullptr;
}  // namespace

void set_main_window_ref(rt::Window* window) { g_main_window = window; }

rt::Window* main_window_ref() { return g_main_window; }
