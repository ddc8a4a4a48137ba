// The HTTP exchanges against a server of the test's own on 127.0.0.1: what http_request and
// the GET service send and what they give back, and the connectivity test. No other address
// is ever contacted.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "local_http_server.h"
#include "runtime/app.h"
#include "runtime/internet.h"
#include "web/http_request.h"
#include "web/web_hosts.h"

namespace {

using http_text::body;
using http_text::header_values;
using http_text::request_line;

constexpr char kAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
constexpr char kDefaultAccept[] =
    "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*";

// One call of http_request with its in-out parameters kept for a look afterwards.
struct Exchange {
  std::string verb = "GET", proxy, headers, body, raw_headers = "untouched";
  bool use_proxy = false, want_raw_headers = false;
  std::string reply;

  Exchange& run(const std::string& address) {
    reply = http_request(address, verb, proxy, use_proxy, headers, body, raw_headers, want_raw_headers);
    return *this;
  }
};

// The one request the server received.
std::string only_request(LocalHttpServer& server) {
  EXPECT_TRUE(server.wait_for_requests(1, 2000));
  std::vector<std::string> got = server.requests();
  EXPECT_EQ(got.size(), 1u);
  return got.empty() ? std::string() : got[0];
}

// A body longer than several read pieces, with no repeating 512-byte block.
std::string long_body(size_t size) {
  std::string s;
  for (size_t i = 0; s.size() < size; ++i) s += std::to_string(i) + ",";
  s.resize(size);
  return s;
}

TEST(HttpRequest, GetSendsThePathAndCompletesTheHeaders) {
  LocalHttpServer server(LocalHttpServer::http_reply(200, "OK", "hello"));
  std::string address = server.address("/t/x?q=1&r=a%20b");
  Exchange x;
  x.verb = "get";
  x.run(address);
  EXPECT_EQ(x.reply, "hello");
  EXPECT_EQ(x.verb, "GET");
  EXPECT_EQ(x.raw_headers, "untouched");  // not asked for

  std::string request = only_request(server);
  EXPECT_EQ(request_line(request), "GET /t/x?q=1&r=a%20b HTTP/1.1");
  EXPECT_EQ(header_values(request, "Accept"), std::vector<std::string>{kDefaultAccept});
  EXPECT_EQ(header_values(request, "Referer"), std::vector<std::string>{address});
  EXPECT_EQ(header_values(request, "Accept-Language"), std::vector<std::string>{"zh-cn"});
  EXPECT_EQ(header_values(request, "User-Agent"), std::vector<std::string>{kAgent});
  EXPECT_EQ(header_values(request, "Host"), std::vector<std::string>{server.host()});
  EXPECT_TRUE(header_values(request, "Content-Type").empty());
  EXPECT_TRUE(header_values(request, "Content-Length").empty());
  // The caller's header text comes back with the defaults appended.
  EXPECT_EQ(x.headers,
            std::string("Accept: ") + kDefaultAccept + "\r\nReferer: " + address + "\r\nAccept-Language: zh-cn\r\n");
}

TEST(HttpRequest, TheCallersHeadersAreKeptAndNotDoubled) {
  LocalHttpServer server;
  Exchange x;
  x.headers = "accept: text/plain\r\nX-Velmora: 1\r\n";
  x.run(server.address("/"));
  std::string request = only_request(server);
  EXPECT_EQ(header_values(request, "Accept"), std::vector<std::string>{"text/plain"});
  EXPECT_EQ(header_values(request, "X-Velmora"), std::vector<std::string>{"1"});
  EXPECT_EQ(header_values(request, "Referer"), std::vector<std::string>{server.address("/")});
}

TEST(HttpRequest, OnlyAPostIsSentAsItsOwnVerb) {
  const std::pair<const char*, const char*> cases[] = {
      {"PUT", "GET"}, {"delete", "GET"}, {"", "GET"}, {"POST", "POST"}, {"post", "post"},
  };
  for (auto [verb, sent] : cases) {
    SCOPED_TRACE(verb);
    LocalHttpServer server;
    Exchange x;
    x.verb = verb;
    x.run(server.address("/form"));
    EXPECT_EQ(x.verb, sent);
    EXPECT_EQ(x.reply, "hello");
    EXPECT_EQ(request_line(only_request(server)), std::string(sent) + " /form HTTP/1.1");
  }
}

TEST(HttpRequest, APostBodyGoesWithItsTypeAndLength) {
  LocalHttpServer server;
  Exchange x;
  x.verb = "POST";
  x.body = "text=%E4%B8%AD&from=zh";
  x.run(server.address("/translate"));
  std::string request = only_request(server);
  EXPECT_EQ(header_values(request, "Content-Type"), std::vector<std::string>{"application/x-www-form-urlencoded"});
  EXPECT_EQ(header_values(request, "Content-Length"), std::vector<std::string>{"22"});
  EXPECT_EQ(body(request), "text=%E4%B8%AD&from=zh");
}

TEST(HttpRequest, APostWithAnEmptyBodyGetsNoFormHeaders) {
  LocalHttpServer server;
  Exchange x;
  x.verb = "POST";
  x.run(server.address("/"));
  std::string request = only_request(server);
  EXPECT_TRUE(header_values(request, "Content-Type").empty());
  // WinINet itself may state the empty length of a POST; nothing else may.
  std::vector<std::string> length = header_values(request, "Content-Length");
  EXPECT_TRUE(length.empty() || length == std::vector<std::string>{"0"});
  EXPECT_EQ(x.headers.find("Content-"), std::string::npos);
  EXPECT_EQ(body(request), "");
}

TEST(HttpRequest, ALongBodyArrivingInPartsIsReadWhole) {
  LocalHttpServer server;
  std::string expected = long_body(5000);
  server.set_reply(LocalHttpServer::http_reply(200, "OK", expected), 700, 10);
  Exchange x;
  x.run(server.address("/long"));
  EXPECT_EQ(x.reply.size(), expected.size());
  EXPECT_EQ(x.reply, expected);
}

TEST(HttpRequest, AnErrorPageIsDataAndTheRawHeadersComeWhole) {
  // A header longer than a fixed 1024-byte buffer would hold.
  std::string long_value(3000, 'v');
  LocalHttpServer server(
      LocalHttpServer::http_reply(404, "Not Found", "no such page", "X-Long: " + long_value + "\r\n"));
  Exchange x;
  x.want_raw_headers = true;
  x.run(server.address("/missing"));
  EXPECT_EQ(x.reply, "no such page");
  EXPECT_EQ(x.raw_headers.rfind("HTTP/1.1 404 Not Found\r\n", 0), 0u) << x.raw_headers;
  EXPECT_NE(x.raw_headers.find("X-Long: " + long_value + "\r\n"), std::string::npos);
  ASSERT_GE(x.raw_headers.size(), 4u);
  EXPECT_EQ(x.raw_headers.substr(x.raw_headers.size() - 4), "\r\n\r\n");
}

TEST(HttpRequest, NobodyListeningGivesNothing) {
  Exchange x;
  x.want_raw_headers = true;
  DWORD started = GetTickCount();
  x.run("http://127.0.0.1:" + std::to_string(LocalHttpServer::unused_port()) + "/x");
  EXPECT_EQ(x.reply, "");
  EXPECT_EQ(x.raw_headers, "");  // a failed query leaves no filler behind
  EXPECT_LT(GetTickCount() - started, 18000u);
}

TEST(HttpRequest, AProxyGetsTheWholeAddress) {
  LocalHttpServer proxy(LocalHttpServer::http_reply(200, "OK", "from the proxy"));
  Exchange x;
  x.use_proxy = true;
  x.proxy = proxy.host();
  x.run("http://velmora.invalid/a?b=1");
  EXPECT_EQ(x.reply, "from the proxy");
  std::string request = only_request(proxy);
  // The absolute address (Wine's WinINet names the default port, Windows' does not).
  std::string line = request_line(request);
  EXPECT_TRUE(line == "GET http://velmora.invalid/a?b=1 HTTP/1.1" ||
              line == "GET http://velmora.invalid:80/a?b=1 HTTP/1.1")
      << line;
  EXPECT_EQ(header_values(request, "Referer"), std::vector<std::string>{"http://velmora.invalid/a?b=1"});
}

TEST(HttpRequest, AProxyAddressIsUnusedWithoutTheFlag) {
  LocalHttpServer server;
  Exchange x;
  x.proxy = "127.0.0.1:" + std::to_string(LocalHttpServer::unused_port());
  x.run(server.address("/direct"));
  EXPECT_EQ(x.reply, "hello");
  EXPECT_EQ(request_line(only_request(server)), "GET /direct HTTP/1.1");
}

TEST(HttpRequest, TheCallingThreadsMessagesRunWhileItReads) {
  ASSERT_TRUE(rt::on_ui_thread());
  LocalHttpServer server;
  bool ran = false;
  rt::post([&] { ran = true; });
  Exchange x;
  x.run(server.address("/"));
  EXPECT_TRUE(ran);
  EXPECT_EQ(x.reply, "hello");
}

TEST(HttpRequest, RunsOnAWorkerThread) {
  LocalHttpServer server;
  std::string reply;
  bool done = false;
  rt::start_thread([&] {
    Exchange x;
    x.run(server.address("/worker"));
    rt::post([&, r = x.reply] {
      reply = r;
      done = true;
    });
  });
  ASSERT_TRUE(rt::pump_until([&] { return done; }, 10000));
  EXPECT_EQ(reply, "hello");
}

TEST(HttpGet, SendsHttp10WithoutTheFragmentAndReturnsAnyBody) {
  LocalHttpServer server(LocalHttpServer::http_reply(404, "Not Found", "error page"));
  EXPECT_EQ(rt::http_get(server.address("/get?a=1&b=2#part")), "error page");
  std::string request = only_request(server);
  EXPECT_EQ(request_line(request), "GET /get?a=1&b=2 HTTP/1.0");
  EXPECT_EQ(header_values(request, "User-Agent"), std::vector<std::string>{kAgent});
}

TEST(HttpGet, ReadsALongBodyWhole) {
  LocalHttpServer server;
  std::string expected = long_body(100000);
  server.set_reply(LocalHttpServer::http_reply(200, "OK", expected), 30000, 10);
  EXPECT_EQ(rt::http_get(server.address("/")), expected);
}

TEST(HttpGet, AReplyCutShortIsNoReply) {
  const std::string body = long_body(20000);
  const std::string announced = LocalHttpServer::http_reply(200, "OK", body);
  const std::string unannounced = "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + body;
  const size_t head = announced.size() - body.size(), bare_head = unannounced.size() - body.size();
  constexpr size_t kWhole = std::string::npos;
  const struct {
    const char* what;
    const std::string& reply;
    size_t sent;
    bool reset, cut_short;
  } cases[] = {
      {"whole", announced, kWhole, false, false},
      {"fewer bytes than announced, closed in order", announced, head + 7000, false, true},
      {"fewer bytes than announced, the connection broken", announced, head + 7000, true, true},
      {"none of the announced body", announced, head, false, true},
      {"no length announced: the body is what came before the end", unannounced, kWhole, false, false},
      {"no length announced, the connection broken midway", unannounced, bare_head + 7000, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LocalHttpServer server(c.reply);
    server.cut_replies_after(c.sent, c.reset);
    rt::HttpReply r = rt::http_fetch(server.address("/"));
    EXPECT_EQ(r.cut_short, c.cut_short);
    if (c.cut_short) {
      EXPECT_LT(r.body.size(), body.size());
      EXPECT_EQ(body.compare(0, r.body.size(), r.body), 0) << "what came is the start of the body";
    } else {
      EXPECT_EQ(r.body, body);
    }
    // The GET service never gives a part for the whole.
    EXPECT_EQ(rt::http_get(server.address("/")), c.cut_short ? "" : body);
  }
}

TEST(HttpGet, NobodyListeningGivesNothing) {
  EXPECT_EQ(rt::http_get("http://127.0.0.1:" + std::to_string(LocalHttpServer::unused_port()) + "/"), "");
  EXPECT_EQ(rt::http_get("not an address"), "");
}

TEST(WebHosts, ATestPointsAServiceAtItsOwnServer) {
  EXPECT_EQ(web_address(WebHost::kConnectivity, "/s?wd=1"), "http://www.baidu.com/s?wd=1");
  point_web_host(WebHost::kConnectivity, "127.0.0.1:8080");
  EXPECT_EQ(web_address(WebHost::kConnectivity, "/s?wd=1"), "http://127.0.0.1:8080/s?wd=1");
  point_web_host(WebHost::kConnectivity, "");
  EXPECT_EQ(web_host(WebHost::kConnectivity), "www.baidu.com");
}

// is_internet_reachable with the echo host pointed at `host`, and how long it took.
bool reachable_at(const char* host, DWORD& took) {
  point_web_host(WebHost::kConnectivity, host);
  DWORD started = GetTickCount();
  bool reachable = is_internet_reachable(0);
  took = GetTickCount() - started;
  point_web_host(WebHost::kConnectivity, "");
  return reachable;
}

// The echo of the loopback address answers wherever ICMP works at all.
TEST(Connectivity, TheLoopbackHostAnswers) {
  DWORD took = 0;
  EXPECT_TRUE(reachable_at("127.0.0.1", took));
  EXPECT_LT(took, 5500u);
}

TEST(Connectivity, AHostThatCannotBeReachedIsFalseWithinTheTimeOut) {
  // Every 127.x address answers on a Linux host; a dotted number that is no address is never
  // looked up as a name, so nothing leaves the machine.
  DWORD took = 0;
  EXPECT_FALSE(reachable_at("127.0.0.256", took));
  EXPECT_LT(took, 5500u);
}

}  // namespace
