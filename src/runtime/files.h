#pragma once
// File services. Paths are GBK and go through the A functions, as the program's users' files do.
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
// Replaces the file's contents; false when it could not be written in full.
bool write_file(std::string_view path, std::string_view bytes);
// Writes the bytes to a new file beside the path and puts that in the path's place only once
// every byte is written: an existing file is replaced by a complete one or stays as it was.
bool write_whole_file(std::string_view path, std::string_view bytes);
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
