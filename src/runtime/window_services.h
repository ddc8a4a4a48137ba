#pragma once
// Operations on any window by its handle, ours or another program's.
#include <string>
#include <string_view>
#include <vector>

#include "runtime/app.h"

namespace rt {

// Child windows of parent with the class and, when given, the title (FindWindowEx order).
std::vector<WindowHandle> find_child_windows(WindowHandle parent, std::string_view cls,
                                             std::string_view title = {});
// Sends WM_CLOSE.
void close_window(WindowHandle window);
std::string window_class_name(WindowHandle window);
std::string window_text(WindowHandle window);
bool window_exists(WindowHandle window);

}  // namespace rt
