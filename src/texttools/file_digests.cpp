#include "texttools/file_digests.h"

#include <optional>
#include <string>
#include <string_view>

#include "app/globals.h"
#include "common/messages.h"
#include "forms/main_window_form.h"
#include "pages/page_model.h"
#include "runtime/ciphers.h"
#include "runtime/clipboard.h"
#include "runtime/files.h"

namespace {

void copy_file_digest(std::string (*digest)(std::string_view)) {
  int i = main_window().高级选择夹_标签.current();
  if (!page_exists(i)) return;
  const std::string path = g_pages[i].path;
  std::optional<std::string> bytes;
  if (!path.empty()) bytes = rt::read_file(path);
  // A file that cannot be read has no digest: the clipboard keeps what it holds.
  if (!bytes) {
    tell_user(0, 16, "读取文件失败！", 0xFF,
              "  读取文件[" + path + "]失败，无法计算校验值！请确定该文件存在并且没有被其他程序独占使用！", 0xFF00FF);
    return;
  }
  rt::set_clipboard_text(digest(*bytes));
}

}  // namespace

void copy_file_md5() { copy_file_digest(rt::md5_hex); }
void copy_file_sha1() { copy_file_digest(rt::sha1_hex); }
void copy_file_crc32() { copy_file_digest(rt::crc32_hex); }
