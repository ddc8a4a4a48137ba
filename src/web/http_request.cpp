#include "web/http_request.h"

#include "runtime/app.h"
#include "runtime/internet.h"
#include "web/http.h"
#include "web/web_hosts.h"

namespace {

constexpr int kStepTimeoutMs = 18000;
constexpr int kReadPiece = 512;

}  // namespace

std::string http_request(std::string_view address, std::string& verb, std::string_view proxy, bool use_proxy,
                         std::string& headers, std::string_view body, std::string& raw_headers, bool want_raw_headers) {
  rt::InternetHandle session = rt::internet_open(rt::kWebAgent, use_proxy, "http=" + std::string(proxy));
  if (!session) return {};
  rt::InternetHandle connection = rt::internet_connect(session, url_host(address), url_port(address));
  if (!connection) return {};
  verb = normalize_http_verb(verb);
  rt::InternetHandle request = rt::http_open_request(connection, verb, url_path(address), "HTTP/1.1");
  if (!request) return {};
  rt::set_internet_timeouts(request, kStepTimeoutMs, kStepTimeoutMs, kStepTimeoutMs);

  complete_request_headers(headers, address);
  if (verb != "GET") {
    add_form_body_headers(headers, body);
    rt::http_send_request(request, headers, body);
  } else {
    rt::http_send_request(request, headers, {});
  }
  // A failed send is not examined: the read then simply finds nothing.
  std::string reply;
  for (;;) {
    rt::delay_with_messages(0);  // only what is pending now
    char piece[kReadPiece] = {};
    int n = rt::internet_read(request, piece, kReadPiece);
    if (n <= 0) break;
    reply.append(piece, static_cast<size_t>(n));
  }
  if (want_raw_headers) raw_headers = rt::http_raw_headers(request);
  return reply;
}

bool is_internet_reachable(int timeout_ms) {
  // A host pointed at a test server may carry a port, which an echo has no use for.
  std::string host = url_host(web_host(WebHost::kConnectivity));
  return rt::ping(host, timeout_ms == 0 ? 5000 : timeout_ms) != -1;
}
