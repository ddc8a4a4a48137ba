// Entry of every Windows test program: the code page comes first, since every GBK literal
// and every A-function call of the program depends on it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include "runtime/app.h"
#include "runtime/seams.h"

int main(int argc, char** argv) {
  UINT acp = GetACP();
  if (acp != 936) {
    std::fprintf(stderr,
                 "FATAL: the ANSI code page is %u, not 936. Run the tests with a Chinese locale "
                 "(LANG=zh_CN.UTF-8) in the project's Wine prefix (scripts/env.sh).\n",
                 acp);
    return 2;
  }
  rt::initialize();
  rt::seams::enable_test_mode();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
