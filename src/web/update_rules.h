#pragma once
// The window-free rules of the update check: the stored address, the update page's field
// block, the version comparison and the captions made from the page. GBK text in and out.
#include <string>
#include <string_view>

// The program's own identity, which the update page is compared with.
inline constexpr char kProgramVersion[] = "1.0.0.1";
inline constexpr char kProgramDate[] = "2026年12月10日";

// What the update page publishes (the window's check fills the update window's record, update_info()).
struct UpdateInfo {
  std::string name;              // 软件名称
  std::string size;              // 软件大小, such as "5M"
  std::string version;           // 软件版本
  std::string update_time;       // 更新时间
  std::string download_address;  // 下载地址
  std::string homepage;          // 软件主页
  std::string change_log;        // 更新纪录, entries separated by "|"
};

inline constexpr std::string_view kScrambleAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijklmnopqrstuvwxyz";

// Two characters of the alphabet make one byte: p and q their positions, the byte is
// ((q div 8) * alphabet length + p) XOR (q mod 8). A character outside the alphabet counts as
// position 0; an odd last character is ignored.
std::string descramble_text(std::string_view text, std::string_view alphabet = kScrambleAlphabet);
// The other way: a text that descramble_text turns back into `plain`.
std::string scramble_text(std::string_view plain, std::string_view alphabet = kScrambleAlphabet);

// The update page's address as the program keeps it (scrambled).
std::string_view stored_update_address();

// The text between the first "//Velmora更新配置开始" and the first "//Velmora更新配置结束"
// after it; empty when either is missing.
std::string update_manifest_block(std::string_view page);
// The seven fields of a block: each the text after its key and "=" up to the next "</p>";
// a missing key gives an empty field.
UpdateInfo read_update_manifest(std::string_view block);

// Newer only when both the version and the update time differ from the program's own.
bool announces_newer_version(std::string_view version, std::string_view update_time);

// The published size in MB: the number before the first "M", truncated; 0 without "M" or number.
int published_size_mb(std::string_view size_field);
// The program's own size in MB as the window compares it: bytes / 1048576 written as a number,
// cut to its first four characters, read back and truncated.
int own_size_mb(long long bytes);
// The size label of a newer version: the size field and how it compares with the program's own.
std::string update_size_caption(std::string_view size_field, long long own_bytes);

// The change log for its box: every entry followed by CR LF (no empty entry after a final "|").
std::string change_log_text(std::string_view change_log);
