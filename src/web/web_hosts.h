#pragma once
// The hosts of the web services the program talks to, kept in one table: every address a web
// routine builds takes its host from here, so that a test can point a service at a server of
// its own on 127.0.0.1.
#include <string>
#include <string_view>

enum class WebHost {
  kConnectivity,  // answers the echo of is_internet_reachable
  kUpdatePage,    // the update page the update checks read
  kProgramSite,   // the program's homepage and online help, opened in the browser
  kTranslation,   // the translation site: its language page, its form and its speech service
  kQqCloudInput,     // the QQ cloud input method
  kBaiduCloudInput,  // the Baidu cloud input method
  kSogouCloudInput,  // the Sogou cloud input method and its service key
  kSosoSuggestions,  // the search engines' suggestions: the web search's, and fallbacks of the
  kBaiduSuggestions,  // cloud input method
  kSogouSuggestions,
  kBaiduSearch,  // the search engines' result pages, opened in the browser by the web search
  kSosoSearch,
  kSogouSearch,
  kGoogleSearch,
  kCount
};

// The host of a service ("www.example.com"; a host pointed elsewhere may carry ":port").
std::string web_host(WebHost which);
// "http://" + web_host(which) + path.
std::string web_address(WebHost which, std::string_view path);

// For tests: from now on the service lives at `host` ("127.0.0.1", "127.0.0.1:8080"); an empty
// host gives the program's own host back.
void point_web_host(WebHost which, std::string_view host);
