#include "runtime/files.h"

#include <windows.h>

namespace rt {

bool is_directory(std::string_view path) {
  DWORD a = GetFileAttributesA(std::string(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool file_exists(std::string_view path) {
  return GetFileAttributesA(std::string(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace rt
