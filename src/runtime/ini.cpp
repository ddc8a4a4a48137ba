#include "runtime/ini.h"

#include <windows.h>

#include <vector>

namespace rt {

namespace {
// The program's buffer size; longer values are cut, as they always were.
constexpr DWORD kReadBufferSize = 10240;
}  // namespace

std::string ini_read(std::string_view path, std::string_view section, std::string_view key) {
  // An empty key name would otherwise be looked up as a key named "".
  if (key.empty()) return {};
  std::vector<char> buffer(kReadBufferSize, '\0');
  DWORD n = GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(), "", buffer.data(),
                                     kReadBufferSize, std::string(path).c_str());
  if (n >= kReadBufferSize) n = kReadBufferSize - 1;
  // Stop at the terminator too: a conversion that ran out of room may report more than it wrote.
  std::size_t length = 0;
  while (length < n && buffer[length] != '\0') ++length;
  return std::string(buffer.data(), length);
}

bool ini_write(std::string_view path, std::string_view section, std::string_view key, std::string_view value) {
  return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(), std::string(value).c_str(),
                                    std::string(path).c_str()) != FALSE;
}

bool ini_delete(std::string_view path, std::string_view section, std::string_view key) {
  return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(), nullptr,
                                    std::string(path).c_str()) != FALSE;
}

}  // namespace rt
