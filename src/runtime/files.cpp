#include "runtime/files.h"

#include <windows.h>

#include <atomic>
#include <cstdio>

#include "runtime/strings.h"
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

namespace {

// The file a path leads to: a link (a symbolic link on Windows, a Unix one under Wine) is
// followed, so that a write replaces the linked file and the link stays. A path that leads to
// nothing is given back as it is.
std::string final_path_of(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return path;
  char buf[MAX_PATH * 2];
  DWORD n = GetFinalPathNameByHandleA(h, buf, sizeof buf, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  CloseHandle(h);
  if (n == 0 || n >= sizeof buf) return path;
  std::string final(buf, n);
  if (final.rfind("\\\\?\\UNC\\", 0) == 0) return "\\\\" + final.substr(8);
  if (final.rfind("\\\\?\\", 0) == 0) return final.substr(4);
  return final;
}

// The folder part of a path with its separator ("" for a bare name).
std::string folder_of(const std::string& path) {
  size_t cut = 0;
  for (size_t i = 0; i < path.size(); i += char_size_at(path, i))
    if (path[i] == '\\' || path[i] == '/' || path[i] == ':') cut = i + 1;
  return path.substr(0, cut);
}

// A new, hidden file of our own name in the folder, open for writing only by us.
HANDLE create_temp_beside(const std::string& folder, std::string& temp) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 64; ++attempt) {
    unsigned n = (GetCurrentProcessId() << 16) ^ (GetTickCount() << 4) ^ counter.fetch_add(1);
    char name[16];
    std::snprintf(name, sizeof name, "%08x.tmp", n);
    temp = folder + std::string(kSafeWritePrefix) + name;
    HANDLE h = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return h;
  }
  return INVALID_HANDLE_VALUE;
}

// The attributes a write may give a file.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

WriteResult failed(WriteStep step, DWORD error) { return {step, error}; }

}  // namespace

WriteResult write_file_safely(std::string_view path_view, std::string_view bytes) {
  // The linked file's attributes count, not the link's.
  std::string path = final_path_of(z(path_view));
  WIN32_FILE_ATTRIBUTE_DATA old{};
  bool replacing = GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &old) != 0;
  if (replacing) {
    if (old.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return failed(WriteStep::Target, ERROR_DIRECTORY);
    // Refused here, not by the system: Wine lets a rename replace a read-only file.
    if (old.dwFileAttributes & FILE_ATTRIBUTE_READONLY) return failed(WriteStep::Target, ERROR_ACCESS_DENIED);
  }
  std::string temp;
  HANDLE h = create_temp_beside(folder_of(path), temp);
  if (h == INVALID_HANDLE_VALUE) return failed(WriteStep::Create, GetLastError());
  auto give_up = [&](WriteStep step, DWORD error) {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    DeleteFileA(temp.c_str());
    return failed(step, error);
  };
  for (size_t done = 0; done < bytes.size();) {
    DWORD put = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 24));
    BOOL wrote = WriteFile(h, bytes.data() + done, want, &put, nullptr);
    if (!wrote || put == 0) return give_up(WriteStep::Write, wrote ? ERROR_DISK_FULL : GetLastError());
    done += put;
  }
  if (replacing) SetFileTime(h, &old.ftCreationTime, nullptr, nullptr);
  if (!FlushFileBuffers(h)) return give_up(WriteStep::Flush, GetLastError());
  BOOL closed = CloseHandle(h);
  h = INVALID_HANDLE_VALUE;
  if (!closed) return give_up(WriteStep::Flush, GetLastError());
  DWORD attributes = ((replacing ? old.dwFileAttributes : 0) & kKeptAttributes) | FILE_ATTRIBUTE_ARCHIVE;
  if (!SetFileAttributesA(temp.c_str(), attributes)) return give_up(WriteStep::Replace, GetLastError());
  // One rename: the target is the old file or the new one at every moment. (Wine's ReplaceFile
  // deletes the target before it moves the new file in, and keeps none of its attributes.)
  if (MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return {};
  DWORD error = GetLastError();
  // A rename cannot replace a file that is open, even where its holder allows deleting it (an
  // indexer, a viewer); such a file can still be renamed. So it moves aside under a name of our
  // own, the new file takes its place, and the old one goes (its holder reads on until it closes
  // it). Every name made here is ours, so a failure leaves none behind: the system's ReplaceFile
  // makes an empty file of its own naming beside the target and, under Wine, leaves it there
  // when the target cannot move.
  if (replacing && (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION)) {
    std::string aside;
    HANDLE place = create_temp_beside(folder_of(path), aside);
    if (place == INVALID_HANDLE_VALUE) return give_up(WriteStep::Replace, error);
    CloseHandle(place);
    if (!MoveFileExA(path.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      error = GetLastError();
      DeleteFileA(aside.c_str());
      return give_up(WriteStep::Replace, error);
    }
    if (MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)) {
      SetFileAttributesA(aside.c_str(), FILE_ATTRIBUTE_HIDDEN);
      DeleteFileA(aside.c_str());
      return {};
    }
    error = GetLastError();
    // The old file back in its place; should even that fail, both files stay, hidden.
    if (!MoveFileExA(aside.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)) {
      SetFileAttributesA(temp.c_str(), FILE_ATTRIBUTE_HIDDEN);
      return failed(WriteStep::Replace, error);
    }
  }
  return give_up(WriteStep::Replace, error);
}

std::optional<FileIdentity> file_identity(std::string_view path) {
  HANDLE h = CreateFileA(z(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  bool ok = GetFileInformationByHandle(h, &info) != 0;
  CloseHandle(h);
  if (!ok) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
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
  // No attribute at all is written as "normal", the one value that stands alone.
  DWORD a = attributes == 0 ? FILE_ATTRIBUTE_NORMAL : static_cast<DWORD>(attributes);
  return SetFileAttributesA(z(path).c_str(), a) != 0;
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

std::vector<FoundEntry> find_entries(std::string_view folder_and_pattern) {
  std::vector<FoundEntry> entries;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(z(folder_and_pattern).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return entries;
  do {
    std::string name = fd.cFileName;
    if (name == "." || name == "..") continue;
    entries.push_back({std::move(name), static_cast<int>(fd.dwFileAttributes)});
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return entries;
}

bool delete_file(std::string_view path) { return DeleteFileA(z(path).c_str()) != 0; }

namespace {
std::string full_path_of(std::string_view path) {
  char buf[MAX_PATH * 2];
  DWORD n = GetFullPathNameA(z(path).c_str(), sizeof buf, buf, nullptr);
  return n > 0 && n < sizeof buf ? std::string(buf, n) : z(path);
}
}  // namespace

bool copy_file(std::string_view from, std::string_view to) {
  // Copying a file onto itself would empty it where the system does not refuse.
  std::wstring a = to_wide(full_path_of(from)), b = to_wide(full_path_of(to));
  if (CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL) return false;
  return CopyFileA(z(from).c_str(), z(to).c_str(), FALSE) != 0;
}

bool move_file(std::string_view from, std::string_view to) {
  return MoveFileExA(z(from).c_str(), z(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != 0;
}

bool rename_file(std::string_view from, std::string_view to) { return MoveFileA(z(from).c_str(), z(to).c_str()) != 0; }

namespace {

DateTime systemtime_to_datetime(const SYSTEMTIME& s) {
  return {s.wYear, s.wMonth, s.wDay, s.wHour, s.wMinute, s.wSecond, 0, s.wDayOfWeek};
}

SYSTEMTIME datetime_to_systemtime(const DateTime& d) {
  SYSTEMTIME s{};
  s.wYear = static_cast<WORD>(d.year);
  s.wMonth = static_cast<WORD>(d.month);
  s.wDayOfWeek = static_cast<WORD>(d.day_of_week);
  s.wDay = static_cast<WORD>(d.day);
  s.wHour = static_cast<WORD>(d.hour);
  s.wMinute = static_cast<WORD>(d.minute);
  s.wSecond = static_cast<WORD>(d.second);
  s.wMilliseconds = 0;
  return s;
}

std::optional<DateTime> local_of(const FILETIME& utc) {
  FILETIME local;
  SYSTEMTIME s;
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &s)) return std::nullopt;
  return systemtime_to_datetime(s);
}

}  // namespace

std::optional<FileTimes> file_times(std::string_view path) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (!GetFileAttributesExA(z(path).c_str(), GetFileExInfoStandard, &d)) return std::nullopt;
  auto c = local_of(d.ftCreationTime), w = local_of(d.ftLastWriteTime), a = local_of(d.ftLastAccessTime);
  if (!c || !w || !a) return std::nullopt;
  return FileTimes{*c, *w, *a};
}

bool set_file_time(std::string_view path, FileTimeKind which, const DateTime& local) {
  // Out-of-range fields would wrap in the 16-bit SYSTEMTIME fields.
  if (local.year < 1601 || local.year > 30827 || local.month < 1 || local.month > 12 || local.day < 1 ||
      local.day > 31 || local.hour < 0 || local.hour > 23 || local.minute < 0 || local.minute > 59 ||
      local.second < 0 || local.second > 59)
    return false;
  SYSTEMTIME s = datetime_to_systemtime(local);
  FILETIME local_time, utc;
  if (!SystemTimeToFileTime(&s, &local_time) || !LocalFileTimeToFileTime(&local_time, &utc)) return false;
  HANDLE h = CreateFileA(z(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  FILETIME times[3];  // creation, last access, last write
  bool ok = GetFileTime(h, &times[0], &times[1], &times[2]) != 0;
  if (ok) {
    times[static_cast<int>(which)] = utc;
    ok = SetFileTime(h, &times[0], &times[1], &times[2]) != 0;
  }
  CloseHandle(h);
  return ok;
}

std::optional<std::string> read_file_start(std::string_view path, size_t max_bytes) {
  HANDLE h = CreateFileA(z(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string data(std::min<size_t>(max_bytes, 1 << 24), '\0');
  size_t done = 0;
  while (done < data.size()) {
    DWORD got = 0;
    if (!ReadFile(h, data.data() + done, static_cast<DWORD>(data.size() - done), &got, nullptr) || got == 0) break;
    done += got;
  }
  CloseHandle(h);
  data.resize(done);
  return data;
}

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
