#pragma once
// The network services: the HTTP GET service, the steps of an HTTP request made one by one
// (WinINet), and the echo test (ICMP). Every call blocks its thread; texts are GBK.
#include <string>
#include <string_view>

namespace rt {

// The agent every request of the program names.
inline constexpr char kWebAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

// One address fetched: the reply body, whatever its HTTP status (an error page is data like any
// other). HTTP/1.0 with the program's agent, always from the server, never the cache; what
// follows a "#" is not sent. Each step (connect, send, receive) waits at most 18 s.
struct HttpReply {
  // Empty when the host cannot be reached or the request not sent.
  std::string body;
  // The reply began but ended short: a read failed midway, or fewer bytes came than the
  // server announced (Content-Length). The body holds what came.
  bool cut_short = false;
};
HttpReply http_fetch(std::string_view address);
// The whole reply body, as http_fetch gives it; empty also when the reply was cut short, so
// that a part of a reply is never taken for all of it.
std::string http_get(std::string_view address);

// One WinINet handle, closed when it goes. Handles of one request close in the reverse order
// of their making when declared in that order.
class InternetHandle {
 public:
  InternetHandle() = default;
  explicit InternetHandle(void* handle) : handle_(handle) {}
  InternetHandle(InternetHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  InternetHandle& operator=(InternetHandle&& other) noexcept;
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  ~InternetHandle() { close(); }
  void close();
  explicit operator bool() const { return handle_ != nullptr; }
  void* get() const { return handle_; }

 private:
  void* handle_ = nullptr;
};

// A session with the given agent: direct, or through the named proxies (WinINet's list form,
// such as "http=host:port") with nothing bypassing them. Closed handle on failure.
InternetHandle internet_open(std::string_view agent, bool use_proxy, std::string_view proxy_list);
// An HTTP connection to host and port (no user name or password). Nothing goes over the
// network before the request is sent.
InternetHandle internet_connect(const InternetHandle& session, std::string_view host, int port);
// A request with the verb as given, the path with query and the version ("HTTP/1.1"), without
// referrer or accepted types, always answered by the server rather than the cache.
InternetHandle http_open_request(const InternetHandle& connection, std::string_view verb, std::string_view path,
                                 std::string_view version);
// The three time-outs of a handle, in ms.
void set_internet_timeouts(const InternetHandle& handle, int connect_ms, int receive_ms, int send_ms);
// Sends the headers (CR LF lines) and the body; false when the request could not be sent.
bool http_send_request(const InternetHandle& request, std::string_view headers, std::string_view body);
// Reads up to `size` bytes of the reply body; 0 at its end or when reading fails.
int internet_read(const InternetHandle& request, char* buffer, int size);
// The reply's status line and headers as received, lines ending in CR LF; empty when the
// request has no reply.
std::string http_raw_headers(const InternetHandle& request);

// One ICMP echo to a host (a name or a dotted IPv4 address): the round-trip time in ms, or -1
// when no reply came. The whole call, name lookup included, lasts about timeout_ms at most.
int ping(std::string_view host, int timeout_ms);

}  // namespace rt
