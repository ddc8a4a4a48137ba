#include "runtime/files.h"

#include <windows.h>

#include "runtime/gbk_text.h"

namespace rt {
namespace {
std::string z(std::string_view s) { return std::string(s); }
}  // namespace

bool is_directory(std::string_view path) {
  DWORD a = GetFileAttributesA(z(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool file_exists(std::string_view path) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(z(path).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return GetFileAttributesA(z(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  FindClose(h);
  return true;
}

std::optional<std::string> read_file(std::string_view path) {
  // Full sharing: a file another program holds open is still readable.
  HANDLE h = CreateFileA(z(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(h, &size) || size.QuadPart > 0x7FFFFFFF) {
    CloseHandle(h);
    return std::nullopt;
  }
  std::string data(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < data.size()) {
    DWORD got = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1 << 24));
    if (!ReadFile(h, data.data() + done, want, &got, nullptr)) {
      CloseHandle(h);
      return std::nullopt;
    }
    if (got == 0) break;
    done += got;
  }
  CloseHandle(h);
  data.resize(done);
  return data;
}

bool write_file(std::string_view path, std::string_view bytes) {
  HANDLE h = CreateFileA(z(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    // An existing file keeps its attributes: open it for truncation instead (hidden or system
    // files refuse CREATE_ALWAYS with plain attributes).
    h = CreateFileA(z(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL,
                    nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
  }
  size_t done = 0;
  bool ok = true;
  while (done < bytes.size()) {
    DWORD put = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 24));
    if (!WriteFile(h, bytes.data() + done, want, &put, nullptr) || put == 0) {
      ok = false;
      break;
    }
    done += put;
  }
  if (!CloseHandle(h)) ok = false;
  return ok;
}

long long file_size(std::string_view path) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (!GetFileAttributesExA(z(path).c_str(), GetFileExInfoStandard, &d)) return -1;
  return (static_cast<long long>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

int file_attributes(std::string_view path) {
  DWORD a = GetFileAttributesA(z(path).c_str());
  return a == INVALID_FILE_ATTRIBUTES ? -1 : static_cast<int>(a);
}

bool set_file_attributes(std::string_view path, int attributes) {
  return SetFileAttributesA(z(path).c_str(), static_cast<DWORD>(attributes)) != 0;
}

std::vector<std::string> find_files(std::string_view folder_and_pattern, int attribute_mask) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(z(folder_and_pattern).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  const DWORD special = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  do {
    std::string name = fd.cFileName;
    if (name == "." || name == "..") continue;
    if ((fd.dwFileAttributes & special) & ~static_cast<DWORD>(attribute_mask)) continue;
    names.push_back(std::move(name));
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return names;
}

bool delete_file(std::string_view path) { return DeleteFileA(z(path).c_str()) != 0; }

bool create_directories(std::string_view path) {
  // The separators, found on character boundaries: a trail byte can be 0x5C.
  std::string p(path);
  std::vector<size_t> separators;
  for (size_t i = 0; i < p.size(); i += char_size_at(p, i))
    if (p[i] == '\\' || p[i] == '/') separators.push_back(i);
  // Without its trailing separators (a drive's root keeps its own).
  while (!separators.empty() && separators.back() + 1 == p.size() && p.size() > 3) {
    p.pop_back();
    separators.pop_back();
  }
  if (p.empty()) return false;
  if (is_directory(p)) return true;
  for (size_t at : separators) {
    if (at == 0) continue;
    std::string above = p.substr(0, at);
    if (above.size() == 2 && above[1] == ':') continue;  // a drive
    if (!is_directory(above)) CreateDirectoryA(above.c_str(), nullptr);
  }
  CreateDirectoryA(p.c_str(), nullptr);
  return is_directory(p);
}

}  // namespace rt
