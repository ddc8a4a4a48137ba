#include "web/web_hosts.h"

#include <array>
#include <mutex>

namespace {

struct HostRow {
  WebHost which;
  const char* host;
};

// A well-known search engine's host, whose echo tells that the Internet can be reached.
constexpr HostRow kHosts[] = {
    {WebHost::kConnectivity, "www.baidu.com"},
    {WebHost::kUpdatePage, "www.velmora-editor.cn"},
    {WebHost::kProgramSite, "www.velmora-editor.cn"},
    {WebHost::kTranslation, "translate.google.cn"},
    {WebHost::kQqCloudInput, "ime.qq.com"},
    {WebHost::kBaiduCloudInput, "olime.baidu.com"},
    {WebHost::kSogouCloudInput, "web.pinyin.sogou.com"},
    {WebHost::kSosoSuggestions, "www.soso.com"},
    {WebHost::kBaiduSuggestions, "suggestion.baidu.com"},
    {WebHost::kSogouSuggestions, "www.sogou.com"},
    {WebHost::kBaiduSearch, "www.baidu.com"},
    {WebHost::kSosoSearch, "www.soso.com"},
    {WebHost::kSogouSearch, "www.sogou.com"},
    {WebHost::kGoogleSearch, "www.google.com"},
};
constexpr bool rows_in_order() {
  for (size_t i = 0; i < std::size(kHosts); ++i)
    if (static_cast<size_t>(kHosts[i].which) != i) return false;
  return std::size(kHosts) == static_cast<size_t>(WebHost::kCount);
}
static_assert(rows_in_order(), "one row per service, in the order of WebHost");

// Workers read the table while a test may point a host elsewhere.
std::mutex g_hosts_lock;
std::array<std::string, static_cast<size_t>(WebHost::kCount)> g_pointed;

}  // namespace

std::string web_host(WebHost which) {
  auto i = static_cast<size_t>(which);
  if (i >= std::size(kHosts)) return {};
  std::lock_guard<std::mutex> lock(g_hosts_lock);
  if (!g_pointed[i].empty()) return g_pointed[i];
  return kHosts[i].host;
}

std::string web_address(WebHost which, std::string_view path) {
  return "http://" + web_host(which) + std::string(path);
}

void point_web_host(WebHost which, std::string_view host) {
  auto i = static_cast<size_t>(which);
  if (i >= std::size(kHosts)) return;
  std::lock_guard<std::mutex> lock(g_hosts_lock);
  g_pointed[i] = std::string(host);
}
