#pragma once
// The fixture of the web windows' tests: the program started with its web services pointed at
// a server of the test's own on 127.0.0.1 and the echo at the loopback address; web pages
// opened in the browser, the system's download dialog, Explorer and sounds are recorded.
#include <array>
#include <string>
#include <vector>

#include "forms/about_window_form.h"
#include "forms/cloud_input_window_form.h"
#include "forms/translation_window_form.h"
#include "forms/update_window_form.h"
#include "local_http_server.h"
#include "program_test.h"
#include "runtime/encoding.h"
#include "runtime/seams.h"
#include "ui_test.h"
#include "web/web_hosts.h"

inline constexpr WebHost kWebTestHosts[] = {
    WebHost::kConnectivity,    WebHost::kUpdatePage,       WebHost::kProgramSite,      WebHost::kTranslation,
    WebHost::kQqCloudInput,    WebHost::kBaiduCloudInput,  WebHost::kSogouCloudInput,  WebHost::kSosoSuggestions,
    WebHost::kBaiduSuggestions, WebHost::kSogouSuggestions, WebHost::kBaiduSearch,      WebHost::kSosoSearch,
    WebHost::kSogouSearch,      WebHost::kGoogleSearch};

class WebTest : public ProgramTest {
 protected:
  void SetUp() override {
    for (size_t i = 0; i < std::size(kWebTestHosts); ++i) saved_hosts_[i] = web_host(kWebTestHosts[i]);
    point_web_host(WebHost::kConnectivity, "127.0.0.1");
    for (WebHost h : kWebTestHosts)
      if (h != WebHost::kConnectivity) point_web_host(h, server_.host());
    rt::seams::record_launches(true);
    rt::seams::launches().clear();
    rt::seams::record_media_commands(true);
    rt::seams::media_commands().clear();
    rt::seams::dialog_requests().clear();
    ProgramTest::SetUp();
    // The start-up check has asked the update page (the server's "hello" has no field block).
    ASSERT_TRUE(server_.wait_for_requests(1));
    ui_test::settle(100);
  }
  void TearDown() override {
    rt::seams::set_modal_hook(nullptr);
    rt::seams::set_menu_hook(nullptr);
    update_window().destroy();
    about_window().destroy();
    translation_window().destroy();
    cloud_input_window().destroy();
    rt::seams::record_launches(false);
    rt::seams::record_media_commands(false);
    for (size_t i = 0; i < std::size(kWebTestHosts); ++i) point_web_host(kWebTestHosts[i], saved_hosts_[i]);
    ProgramTest::TearDown();
  }
  // The echo then goes to a dotted number that is no address: nothing leaves the machine.
  static void go_offline() { point_web_host(WebHost::kConnectivity, "127.0.0.256"); }
  size_t requests() { return server_.requests().size(); }
  // The paths (with their queries) asked of the server that start with the prefix, in order.
  std::vector<std::string> paths(const std::string& prefix) {
    std::vector<std::string> out;
    for (const std::string& r : server_.requests()) {
      std::string line = http_text::request_line(r);
      size_t from = line.find(' ') + 1;
      std::string path = line.substr(from, line.find(' ', from) - from);
      if (path.compare(0, prefix.size(), prefix) == 0) out.push_back(path);
    }
    return out;
  }
  // A reply of 200 with the body; utf8: the GBK body as the UTF-8 bytes a site sends.
  static std::string ok(const std::string& body, bool utf8 = false) {
    return LocalHttpServer::http_reply(200, "OK", utf8 ? rt::convert_encoding(body, "GBK", "UTF-8") : body);
  }

  LocalHttpServer server_;
  std::array<std::string, std::size(kWebTestHosts)> saved_hosts_;
};
