#include "texttools/file_digests.h"

#include <optional>
#include <string>
#include <string_view>

#include "common/messages.h"
#include "forms/main_window_form.h"
#include "pages/page_store.h"
#include "runtime/ciphers.h"
#include "runtime/clipboard.h"
#include "runtime/files.h"

namespace {

constexpr unsigned kRed = 0xFF;

void copy_file_digest(std::string (*digest)(std::string_view)) {
  int i = main_window().高级选择夹_标签.current();
  std::string path = i >= 0 && i < page_count() ? pages()[i].path : std::string();
  std::optional<std::string> bytes = path.empty() ? std::nullopt : rt::read_file(path);
  if (!bytes) {
    // The digest of nothing must not pass for the file's.
    tell_user(0, 16, "读取文件失败！", kRed, "  读取" + path + "\r\n失败！", kRed);
    return;
  }
  rt::set_clipboard_text(digest(*bytes));
}

}  // namespace

void copy_file_md5() { copy_file_digest(rt::md5_hex); }
void copy_file_sha1() { copy_file_digest(rt::sha1_hex); }
void copy_file_crc32() { copy_file_digest(rt::crc32_hex); }
