// Entry of every Windows test program: the code page comes first, since every GBK literal
// and every A-function call of the program depends on it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include "local_http_server.h"
#include "runtime/app.h"
#include "runtime/seams.h"
#include "web/web_hosts.h"

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
  // No test reaches a service on the Internet: the web services live at a port of 127.0.0.1
  // where nobody answers (the start-up update check of every started program included) until
  // a test points one at its own server. The echo host stays: its tests point it themselves.
  const std::string nowhere = "127.0.0.1:" + std::to_string(LocalHttpServer::unused_port());
  for (int i = 0; i < static_cast<int>(WebHost::kCount); ++i)
    if (static_cast<WebHost>(i) != WebHost::kConnectivity) point_web_host(static_cast<WebHost>(i), nowhere);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
