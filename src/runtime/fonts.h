#pragma once
// The fonts installed on the system. Safe on a worker thread (it reads, it touches no unit).
#include <string>
#include <vector>

namespace rt {

// The family names in the order the system lists them, each once; the vertical "@" variants
// of East Asian fonts are left out (they are the same families turned on their side).
std::vector<std::string> installed_font_names();

}  // namespace rt
