#pragma once
// File services. Paths are GBK and go through the A functions, as the program's users' files do.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

bool is_directory(std::string_view path);
// True for files and folders.
bool file_exists(std::string_view path);
// The whole file; nullopt when it cannot be opened or read (an empty file gives "").
std::optional<std::string> read_file(std::string_view path);
// Replaces the file's contents; false when it could not be written in full.
bool write_file(std::string_view path, std::string_view bytes);
// Size in bytes, -1 when missing.
long long file_size(std::string_view path);
// The attribute bits (read-only 1, hidden 2, system 4, archive 32, folder 16), -1 when missing.
int file_attributes(std::string_view path);
bool set_file_attributes(std::string_view path, int attributes);
// Names (not paths) of the entries of one folder matching a wildcard pattern ("*.txt"); only
// entries whose attributes are within attribute_mask (besides plain files) are given; "." and
// ".." never.
std::vector<std::string> find_files(std::string_view folder_and_pattern, int attribute_mask = 0);
bool delete_file(std::string_view path);
// Makes the folder and any missing folders above it; true when the folder exists afterwards.
bool create_directories(std::string_view path);

}  // namespace rt
