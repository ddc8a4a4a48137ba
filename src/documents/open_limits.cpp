#include "documents/open_limits.h"

namespace {

std::string listed(const std::vector<std::string>& paths) {
  std::string out;
  const int n = static_cast<int>(paths.size());
  for (int i = 0; i < n && i < kListedUnopenedFiles; ++i) out += "\r\n  " + paths[static_cast<size_t>(i)];
  if (n > kListedUnopenedFiles) out += "\r\n  ……等共" + std::to_string(n) + "个文件";
  return out;
}

}  // namespace

UnopenedFilesMessage unopened_files_message(const UnopenedFiles& files) {
  UnopenedFilesMessage m;
  if (files.empty()) return m;
  const std::string limit = std::to_string(kLargestOpenedFile >> 20) + "MB";
  if (!files.too_large.empty())
    m.text = "  以下文件超过了本程序能打开的大小(" + limit + ")，没有打开：" + listed(files.too_large);
  if (!files.no_memory.empty()) {
    if (!m.text.empty()) m.text += "\r\n";
    m.text += "  打开以下文件时内存不足，没有打开，请关闭一些页面后再试：" + listed(files.no_memory);
  }
  if (files.no_memory.empty())
    m.title = "文件太大，无法打开！";
  else if (files.too_large.empty())
    m.title = "内存不足，无法打开文件！";
  else
    m.title = "有文件无法打开！";
  return m;
}
