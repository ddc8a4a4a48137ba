// What the open routine says of the files it did not open.
#include "documents/open_limits.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> paths(int n) {
  std::vector<std::string> out;
  for (int i = 1; i <= n; ++i) out.push_back("D:\\日志\\" + std::to_string(i) + ".log");
  return out;
}

TEST(UnopenedFilesMessage, EachGroupSaysWhyAndListsItsFiles) {
  const struct {
    UnopenedFiles files;
    const char* title;
    std::string text;
  } cases[] = {
      {{}, "", ""},
      {{.too_large = {"C:\\大.txt"}},
       "文件太大，无法打开！",
       "  以下文件超过了本程序能打开的大小(128MB)，没有打开：\r\n  C:\\大.txt"},
      {{.no_memory = {"C:\\a.txt", "C:\\b.txt"}},
       "内存不足，无法打开文件！",
       "  打开以下文件时内存不足，没有打开，请关闭一些页面后再试：\r\n  C:\\a.txt\r\n  C:\\b.txt"},
      {{.too_large = {"C:\\大.txt"}, .no_memory = {"C:\\a.txt"}},
       "有文件无法打开！",
       "  以下文件超过了本程序能打开的大小(128MB)，没有打开：\r\n  C:\\大.txt\r\n"
       "  打开以下文件时内存不足，没有打开，请关闭一些页面后再试：\r\n  C:\\a.txt"},
      // Five paths are listed; more are counted.
      {{.too_large = paths(5)},
       "文件太大，无法打开！",
       "  以下文件超过了本程序能打开的大小(128MB)，没有打开：\r\n  D:\\日志\\1.log\r\n  D:\\日志\\2.log\r\n"
       "  D:\\日志\\3.log\r\n  D:\\日志\\4.log\r\n  D:\\日志\\5.log"},
      {{.too_large = paths(7)},
       "文件太大，无法打开！",
       "  以下文件超过了本程序能打开的大小(128MB)，没有打开：\r\n  D:\\日志\\1.log\r\n  D:\\日志\\2.log\r\n"
       "  D:\\日志\\3.log\r\n  D:\\日志\\4.log\r\n  D:\\日志\\5.log\r\n  ……等共7个文件"},
  };
  for (const auto& c : cases) {
    UnopenedFilesMessage m = unopened_files_message(c.files);
    EXPECT_EQ(m.title, c.title);
    EXPECT_EQ(m.text, c.text);
  }
}

}  // namespace
