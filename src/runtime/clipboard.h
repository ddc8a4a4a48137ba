#pragma once
// Clipboard text (GBK at this boundary).
#include <string>
#include <string_view>

namespace rt {

bool clipboard_has_text();
std::string clipboard_text();
bool set_clipboard_text(std::string_view text);

}  // namespace rt
