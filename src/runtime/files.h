#pragma once
// File services. Paths are GBK and go through the A functions, as the program's users' files do.
#include <string>
#include <string_view>

namespace rt {

bool is_directory(std::string_view path);
bool file_exists(std::string_view path);

}  // namespace rt
