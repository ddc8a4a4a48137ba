#include "runtime/files.h"

#include <windows.h>

#include <atomic>
#include <cstdio>

#include "runtime/strings.h"
#include "runtime/gbk_text.h"

namespace rt {
namespace {
// Every path goes to the system through wide_path (runtime/strings.h), and to the W functions.
std::wstring w(std::string_view path) { return wide_path(path); }
}  // namespace

bool is_directory(std::string_view path) {
  DWORD a = GetFileAttributesW(w(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool file_exists(std::string_view path) {
  const std::wstring p = w(path);
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(p.c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return GetFileAttributesW(p.c_str()) != INVALID_FILE_ATTRIBUTES;
  FindClose(h);
  return true;
}

std::optional<std::string> read_file(std::string_view path) {
  // Full sharing: a file another program holds open is still readable.
  HANDLE h = CreateFileW(w(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
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
std::wstring final_path_of(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return path;
  wchar_t buf[MAX_PATH * 2];
  DWORD n = GetFinalPathNameByHandleW(h, buf, MAX_PATH * 2, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  CloseHandle(h);
  if (n == 0 || n >= MAX_PATH * 2) return path;
  std::wstring final(buf, n);
  if (final.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + final.substr(8);
  if (final.rfind(L"\\\\?\\", 0) == 0) return final.substr(4);
  return final;
}

// The folder part of a path with its separator ("" for a bare name).
std::wstring folder_of(const std::wstring& path) {
  size_t cut = path.find_last_of(L"\\/:");
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

// A new, hidden file of our own name in the folder, open for writing only by us.
HANDLE create_temp_beside(const std::wstring& folder, std::wstring& temp) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 64; ++attempt) {
    unsigned n = (GetCurrentProcessId() << 16) ^ (GetTickCount() << 4) ^ counter.fetch_add(1);
    char name[16];
    std::snprintf(name, sizeof name, "%08x.tmp", n);
    temp = folder + w(std::string(kSafeWritePrefix) + name);
    HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
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
  const std::wstring named = w(path_view);
  if (named.empty()) return failed(WriteStep::Create, ERROR_INVALID_NAME);
  std::wstring path = final_path_of(named);
  WIN32_FILE_ATTRIBUTE_DATA old{};
  bool replacing = GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &old) != 0;
  if (replacing) {
    if (old.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return failed(WriteStep::Target, ERROR_DIRECTORY);
    // Refused here, not by the system: Wine lets a rename replace a read-only file.
    if (old.dwFileAttributes & FILE_ATTRIBUTE_READONLY) return failed(WriteStep::Target, ERROR_ACCESS_DENIED);
  }
  std::wstring temp;
  HANDLE h = create_temp_beside(folder_of(path), temp);
  if (h == INVALID_HANDLE_VALUE) return failed(WriteStep::Create, GetLastError());
  auto give_up = [&](WriteStep step, DWORD error) {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    DeleteFileW(temp.c_str());
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
  if (!SetFileAttributesW(temp.c_str(), attributes)) return give_up(WriteStep::Replace, GetLastError());
  // One rename: the target is the old file or the new one at every moment. (Wine's ReplaceFile
  // deletes the target before it moves the new file in, and keeps none of its attributes.)
  if (MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return {};
  DWORD error = GetLastError();
  // A rename cannot replace a file that is open, even where its holder allows deleting it (an
  // indexer, a viewer); such a file can still be renamed. So it moves aside under a name of our
  // own, the new file takes its place, and the old one goes (its holder reads on until it closes
  // it). Every name made here is ours, so a failure leaves none behind: the system's ReplaceFile
  // makes an empty file of its own naming beside the target and, under Wine, leaves it there
  // when the target cannot move.
  if (replacing && (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION)) {
    std::wstring aside;
    HANDLE place = create_temp_beside(folder_of(path), aside);
    if (place == INVALID_HANDLE_VALUE) return give_up(WriteStep::Replace, error);
    CloseHandle(place);
    if (!MoveFileExW(path.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      error = GetLastError();
      DeleteFileW(aside.c_str());
      return give_up(WriteStep::Replace, error);
    }
    if (MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)) {
      SetFileAttributesW(aside.c_str(), FILE_ATTRIBUTE_HIDDEN);
      DeleteFileW(aside.c_str());
      return {};
    }
    error = GetLastError();
    // The old file back in its place; should even that fail, both files stay, hidden.
    if (!MoveFileExW(aside.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)) {
      SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_HIDDEN);
      return failed(WriteStep::Replace, error);
    }
  }
  return give_up(WriteStep::Replace, error);
}

std::optional<FileIdentity> file_identity(std::string_view path) {
  HANDLE h = CreateFileW(w(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
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
  if (!GetFileAttributesExW(w(path).c_str(), GetFileExInfoStandard, &d)) return -1;
  return (static_cast<long long>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

int file_attributes(std::string_view path) {
  DWORD a = GetFileAttributesW(w(path).c_str());
  return a == INVALID_FILE_ATTRIBUTES ? -1 : static_cast<int>(a);
}

bool set_file_attributes(std::string_view path, int attributes) {
  // No attribute at all is written as "normal", the one value that stands alone.
  DWORD a = attributes == 0 ? FILE_ATTRIBUTE_NORMAL : static_cast<DWORD>(attributes);
  return SetFileAttributesW(w(path).c_str(), a) != 0;
}

namespace {
// The entries of one folder whose names can be named again ("." and ".." left out): a name
// holding a unit without a form (half an emoji) would lead to another file or to none.
template <class Take>
void for_each_entry(std::string_view folder_and_pattern, Take take) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(w(folder_and_pattern).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    bool whole = false;
    std::string name = path_from_wide(fd.cFileName, &whole);
    if (!whole || name == "." || name == "..") continue;
    take(std::move(name), fd.dwFileAttributes);
  } while (FindNextFileW(h, &fd));
  FindClose(h);
}
}  // namespace

std::vector<std::string> find_files(std::string_view folder_and_pattern, int attribute_mask) {
  std::vector<std::string> names;
  const DWORD special = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  for_each_entry(folder_and_pattern, [&](std::string name, DWORD attributes) {
    if ((attributes & special) & ~static_cast<DWORD>(attribute_mask)) return;
    names.push_back(std::move(name));
  });
  return names;
}

std::vector<FoundEntry> find_entries(std::string_view folder_and_pattern) {
  std::vector<FoundEntry> entries;
  for_each_entry(folder_and_pattern, [&](std::string name, DWORD attributes) {
    entries.push_back({std::move(name), static_cast<int>(attributes)});
  });
  return entries;
}

bool delete_file(std::string_view path) { return DeleteFileW(w(path).c_str()) != 0; }

namespace {
std::wstring full_path_of(const std::wstring& path) {
  wchar_t buf[MAX_PATH * 2];
  DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH * 2, buf, nullptr);
  return n > 0 && n < MAX_PATH * 2 ? std::wstring(buf, n) : path;
}
}  // namespace

bool copy_file(std::string_view from, std::string_view to) {
  const std::wstring a = w(from), b = w(to);
  // Copying a file onto itself would empty it where the system does not refuse.
  if (CompareStringOrdinal(full_path_of(a).c_str(), -1, full_path_of(b).c_str(), -1, TRUE) == CSTR_EQUAL) return false;
  return CopyFileW(a.c_str(), b.c_str(), FALSE) != 0;
}

bool move_file(std::string_view from, std::string_view to) {
  return MoveFileExW(w(from).c_str(), w(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != 0;
}

bool rename_file(std::string_view from, std::string_view to) { return MoveFileW(w(from).c_str(), w(to).c_str()) != 0; }

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
  if (!GetFileAttributesExW(w(path).c_str(), GetFileExInfoStandard, &d)) return std::nullopt;
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
  HANDLE h = CreateFileW(w(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
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
  HANDLE h = CreateFileW(w(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
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
    if (!is_directory(above)) CreateDirectoryW(w(above).c_str(), nullptr);
  }
  CreateDirectoryW(w(p).c_str(), nullptr);
  return is_directory(p);
}

}  // namespace rt
