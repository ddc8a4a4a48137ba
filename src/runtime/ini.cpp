#include "runtime/ini.h"

#include <mutex>
#include <optional>

#include "runtime/files.h"
#include "runtime/gbk_text.h"
#include "runtime/ini_text.h"

namespace rt {

namespace {
// The program's buffer size; longer values are cut, as they always were.
constexpr int kReadBufferSize = 10240;

// One change at a time, each read and written whole.
std::mutex g_changing;

bool change(std::string_view path, std::string_view section, std::string_view key,
            std::optional<std::string_view> value) {
  std::lock_guard<std::mutex> lock(g_changing);
  std::optional<std::string> text = read_file(path);
  // A file that is there but cannot be read is not written over with a part of it.
  if (!text && file_attributes(path) != -1) return false;
  std::string changed = ini_with_value(text.value_or(""), section, key, value);
  if (text ? changed == *text : changed.empty()) return !key.empty() && !section.empty();
  return static_cast<bool>(write_file_safely(path, changed));
}
}  // namespace

std::string ini_read(std::string_view path, std::string_view section, std::string_view key) {
  std::optional<std::string> text = read_file(path);
  if (!text) return {};
  std::optional<std::string> value = ini_value(*text, section, key);
  return value ? cut_on_char_boundary(*value, kReadBufferSize - 1) : std::string();
}

bool ini_write(std::string_view path, std::string_view section, std::string_view key, std::string_view value) {
  return change(path, section, key, value);
}

bool ini_delete(std::string_view path, std::string_view section, std::string_view key) {
  return change(path, section, key, std::nullopt);
}

}  // namespace rt
