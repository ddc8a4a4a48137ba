#pragma once
// File services. Paths are page text; they meet the system through wide_path (runtime/strings.h)
// and the W functions, so a name holding characters code page 936 lacks is reached as well.
#include <compare>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/clock.h"

namespace rt {

bool is_directory(std::string_view path);
// True for files and folders.
bool file_exists(std::string_view path);
// The whole file; nullopt when it cannot be opened or read (an empty file gives "").
std::optional<std::string> read_file(std::string_view path);

// Which step of a safe write failed.
enum class WriteStep {
  None,     // the file holds the new bytes
  Target,   // the target is read-only or a folder: nothing was tried
  Create,   // no file could be made in the target's folder (missing folder, no right to create)
  Write,    // the bytes did not all go into the new file (disk full)
  Flush,    // the new file could not be brought to the disk
  Replace,  // the new file could not take the target's place (another program holds the target)
};
struct WriteResult {
  WriteStep failed = WriteStep::None;
  unsigned long error = 0;  // the system's error code of that step
  explicit operator bool() const { return failed == WriteStep::None; }
};

// The one way files are written. The bytes go into a new hidden file beside the target, which
// is flushed to the disk and only then takes the target's place in one rename, so that the
// target holds either its old bytes or all the new ones, whatever happens meanwhile (a full
// disk, a killed process, a failing drive). The target keeps its attributes (hidden, system;
// archive is set, as by any write) and its creation time; a path through a link writes the
// linked file. A read-only target is refused, as an in-place write would be. On every failure
// the target is as it was and the new file is gone.
WriteResult write_file_safely(std::string_view path, std::string_view bytes);
// The name every new file of a safe write starts with (".velmora-1a2b3c4d.tmp"). One that a
// killed process left behind is hidden (also to Wine on a drive that keeps no attributes, by
// its dot), and nothing opens it by itself: folder opens and searches pass over hidden files.
inline constexpr std::string_view kSafeWritePrefix = ".velmora-";
// What tells one file from another, whatever path names it: its volume and its number there.
struct FileIdentity {
  unsigned long volume = 0, high = 0, low = 0;
  auto operator<=>(const FileIdentity&) const = default;
};
// nullopt when the path names no file that can be opened (for its attributes only).
std::optional<FileIdentity> file_identity(std::string_view path);
// Size in bytes, -1 when missing.
long long file_size(std::string_view path);
// The attribute bits (read-only 1, hidden 2, system 4, archive 32, folder 16), -1 when missing.
int file_attributes(std::string_view path);
bool set_file_attributes(std::string_view path, int attributes);
// Names (not paths) of the entries of one folder matching a wildcard pattern ("*.txt"); only
// entries whose attributes are within attribute_mask (besides plain files) are given; "." and
// ".." never.
std::vector<std::string> find_files(std::string_view folder_and_pattern, int attribute_mask = 0);
// Every entry of one folder matching a wildcard pattern, files and folders alike, with its
// attribute bits; "." and ".." never.
struct FoundEntry {
  std::string name;
  int attributes = 0;
};
std::vector<FoundEntry> find_entries(std::string_view folder_and_pattern);
bool delete_file(std::string_view path);
// Copies a file, replacing an existing target; false when it could not (a file is never copied
// onto itself).
bool copy_file(std::string_view from, std::string_view to);
// Moves a file, replacing an existing target, also to another drive.
bool move_file(std::string_view from, std::string_view to);
// Gives a file another path; an existing target is left alone and the call fails.
bool rename_file(std::string_view from, std::string_view to);

// A file's three times, as local date-times (milliseconds dropped).
enum class FileTimeKind { Creation, LastAccess, LastWrite };
struct FileTimes {
  DateTime creation, last_write, last_access;
};
// Read with attribute access only, so a read-only file or one another program holds open
// still tells its times; nullopt when the file cannot be found.
std::optional<FileTimes> file_times(std::string_view path);
// Sets one of the times from a local date-time and keeps the other two as they were. The file
// is opened for writing (sharing only reading): a read-only file or one another program holds
// is left alone. False when nothing was written, also for a date no file time can hold.
bool set_file_time(std::string_view path, FileTimeKind which, const DateTime& local);
// At most max_bytes from the start of a file opened for reading with full sharing (a file
// another program holds open, or a read-only one, is read too); nullopt when it cannot be opened.
std::optional<std::string> read_file_start(std::string_view path, size_t max_bytes);
// Makes the folder and any missing folders above it; true when the folder exists afterwards.
bool create_directories(std::string_view path);

}  // namespace rt
