#pragma once
// The registry service: string values under the classes root or the local machine, named by a
// path of key names and a value name joined by backslashes. A path ending in a backslash names
// the default value of the key before it. Every operation tells whether it succeeded.
#include <optional>
#include <string>
#include <string_view>

namespace rt {

enum class RegistryRoot { ClassesRoot, LocalMachine };

// Writes a string value (GBK), creating the keys it needs.
bool registry_write(RegistryRoot root, std::string_view path, std::string_view value);
// A path ending in a backslash deletes the key's default value; any other path deletes the
// value it names, or, when the key holds no such value, the key of that name (a key with
// subkeys stays).
bool registry_delete(RegistryRoot root, std::string_view path);
// The string value, nothing when the key or value is missing or holds no string.
std::optional<std::string> registry_read(RegistryRoot root, std::string_view path);

}  // namespace rt
