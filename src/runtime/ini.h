#pragma once
// The INI service: GBK names and values (page text) in and out, in the byte format of the
// system's profile functions, which files written by earlier versions of the program have. The
// rules are those of runtime/ini_text.h; the file is read whole for each value and written
// with rt::write_file_safely, so a value keeps every character (a folder named in Korean) and
// the file is never left half written.
#include <string>
#include <string_view>

namespace rt {

// The value of key in section, or "" when the file, section or key is missing or the key name
// is empty. A value longer than the read buffer (10240 bytes) comes back cut to what it holds.
std::string ini_read(std::string_view path, std::string_view section, std::string_view key);

// Stores the value; an empty value is stored as "key=". The first write creates the file. False
// when the file could not be read or written (nothing changes then).
bool ini_write(std::string_view path, std::string_view section, std::string_view key, std::string_view value);

// Removes the key (the section header stays).
bool ini_delete(std::string_view path, std::string_view section, std::string_view key);

}  // namespace rt
