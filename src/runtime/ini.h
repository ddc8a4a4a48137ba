#pragma once
// The INI service over the Windows profile functions (A versions: GBK names and values in and
// out), so that files written by earlier versions of the program keep their byte format.
#include <string>
#include <string_view>

namespace rt {

// The value of key in section, or "" when the file, section or key is missing or the key name
// is empty. A value longer than the read buffer (10240 bytes) comes back cut to what it holds.
std::string ini_read(std::string_view path, std::string_view section, std::string_view key);

// Stores the value; an empty value is stored as "key=". The first write creates the file.
bool ini_write(std::string_view path, std::string_view section, std::string_view key, std::string_view value);

// Removes the key (the section header stays).
bool ini_delete(std::string_view path, std::string_view section, std::string_view key);

}  // namespace rt
