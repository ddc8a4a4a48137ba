// WinINet for HTTP, IP Helper's ICMP echo for the connectivity test.
#include "runtime/internet.h"

// winsock2.h before windows.h, the IP Helper after both.
// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>
#include <wininet.h>
// clang-format on

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <thread>

#include "runtime/system_library.h"

namespace rt {

namespace {

constexpr int kStepTimeoutMs = 18000;

HINTERNET h(const InternetHandle& handle) { return static_cast<HINTERNET>(handle.get()); }

// WinINet and the IP Helper's echo, loaded at the first request rather than with the program.
struct WinInet {
  decltype(&InternetOpenA) open = RT_SYSTEM_FUNCTION(L"wininet.dll", InternetOpenA);
  decltype(&InternetConnectA) connect = RT_SYSTEM_FUNCTION(L"wininet.dll", InternetConnectA);
  decltype(&InternetCrackUrlA) crack_url = RT_SYSTEM_FUNCTION(L"wininet.dll", InternetCrackUrlA);
  decltype(&InternetSetOptionA) set_option = RT_SYSTEM_FUNCTION(L"wininet.dll", InternetSetOptionA);
  decltype(&InternetReadFile) read_file = RT_SYSTEM_FUNCTION(L"wininet.dll", InternetReadFile);
  decltype(&InternetCloseHandle) close_handle = RT_SYSTEM_FUNCTION(L"wininet.dll", InternetCloseHandle);
  decltype(&HttpOpenRequestA) open_request = RT_SYSTEM_FUNCTION(L"wininet.dll", HttpOpenRequestA);
  decltype(&HttpSendRequestA) send_request = RT_SYSTEM_FUNCTION(L"wininet.dll", HttpSendRequestA);
  decltype(&HttpQueryInfoA) query_info = RT_SYSTEM_FUNCTION(L"wininet.dll", HttpQueryInfoA);
};

const WinInet& wininet() {
  static const WinInet functions;
  return functions;
}

struct IcmpEcho {
  decltype(&IcmpCreateFile) create = RT_SYSTEM_FUNCTION(L"iphlpapi.dll", IcmpCreateFile);
  decltype(&IcmpSendEcho) send = RT_SYSTEM_FUNCTION(L"iphlpapi.dll", IcmpSendEcho);
  decltype(&IcmpCloseHandle) close = RT_SYSTEM_FUNCTION(L"iphlpapi.dll", IcmpCloseHandle);
};

const IcmpEcho& icmp_echo() {
  static const IcmpEcho functions;
  return functions;
}

}  // namespace

InternetHandle& InternetHandle::operator=(InternetHandle&& other) noexcept {
  if (this != &other) {
    close();
    handle_ = other.handle_;
    other.handle_ = nullptr;
  }
  return *this;
}

void InternetHandle::close() {
  if (handle_) wininet().close_handle(static_cast<HINTERNET>(handle_));
  handle_ = nullptr;
}

InternetHandle internet_open(std::string_view agent, bool use_proxy, std::string_view proxy_list) {
  std::string a(agent), proxy(proxy_list);
  if (use_proxy) return InternetHandle(wininet().open(a.c_str(), INTERNET_OPEN_TYPE_PROXY, proxy.c_str(), "", 0));
  return InternetHandle(wininet().open(a.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
}

InternetHandle internet_connect(const InternetHandle& session, std::string_view host, int port) {
  if (!session) return {};
  std::string name(host);
  return InternetHandle(wininet().connect(h(session), name.c_str(), static_cast<INTERNET_PORT>(port), "", "",
                                          INTERNET_SERVICE_HTTP, 0, 0));
}

InternetHandle http_open_request(const InternetHandle& connection, std::string_view verb, std::string_view path,
                                 std::string_view version) {
  if (!connection) return {};
  std::string v(verb), p(path), ver(version);
  return InternetHandle(wininet().open_request(h(connection), v.c_str(), p.c_str(), ver.c_str(), nullptr, nullptr,
                                               INTERNET_FLAG_RELOAD, 0));
}

void set_internet_timeouts(const InternetHandle& handle, int connect_ms, int receive_ms, int send_ms) {
  if (!handle) return;
  DWORD connect = static_cast<DWORD>(connect_ms), receive = static_cast<DWORD>(receive_ms),
        send = static_cast<DWORD>(send_ms);
  wininet().set_option(h(handle), INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
  wininet().set_option(h(handle), INTERNET_OPTION_RECEIVE_TIMEOUT, &receive, sizeof receive);
  wininet().set_option(h(handle), INTERNET_OPTION_SEND_TIMEOUT, &send, sizeof send);
}

bool http_send_request(const InternetHandle& request, std::string_view headers, std::string_view body) {
  if (!request) return false;
  std::string hdr(headers), data(body);
  return wininet().send_request(h(request), hdr.empty() ? nullptr : hdr.c_str(), static_cast<DWORD>(hdr.size()),
                                data.empty() ? nullptr : data.data(), static_cast<DWORD>(data.size())) != FALSE;
}

int internet_read(const InternetHandle& request, char* buffer, int size) {
  if (!request || size <= 0) return 0;
  DWORD read = 0;
  if (!wininet().read_file(h(request), buffer, static_cast<DWORD>(size), &read)) return 0;
  return static_cast<int>(read);
}

std::string http_raw_headers(const InternetHandle& request) {
  if (!request) return {};
  // A request that got no reply has no status (Wine would still give a lone CR LF).
  DWORD status = 0, status_size = sizeof status;
  if (!wininet().query_info(h(request), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &status_size,
                            nullptr) ||
      status == 0)
    return {};
  // Asked for the size first: a fixed buffer would be cut, and a failed query writes nothing.
  DWORD size = 0;
  if (wininet().query_info(h(request), HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &size, nullptr) ||
      GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0)
    return {};
  std::string text(size + 1, '\0');
  DWORD length = size;
  if (!wininet().query_info(h(request), HTTP_QUERY_RAW_HEADERS_CRLF, text.data(), &length, nullptr)) return {};
  text.resize(strnlen(text.data(), length < size ? length : size));
  return text;
}

HttpReply http_fetch(std::string_view address) {
  std::string url(address.substr(0, address.find('#')));
  URL_COMPONENTSA parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwHostNameLength = 1;  // non-zero lengths with null pointers: point into url
  parts.dwUrlPathLength = 1;
  parts.dwExtraInfoLength = 1;
  if (!wininet().crack_url(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return {};
  bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
  if (!secure && parts.nScheme != INTERNET_SCHEME_HTTP) return {};
  std::string host(parts.lpszHostName ? parts.lpszHostName : "", parts.dwHostNameLength);
  std::string path(parts.lpszUrlPath ? parts.lpszUrlPath : "", parts.dwUrlPathLength);
  path.append(parts.lpszExtraInfo ? parts.lpszExtraInfo : "", parts.dwExtraInfoLength);
  if (path.empty()) path.push_back('/');

  InternetHandle session(wininet().open(kWebAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  if (!session) return {};
  InternetHandle connection(
      wininet().connect(h(session), host.c_str(), parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) return {};
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | (secure ? INTERNET_FLAG_SECURE : 0);
  InternetHandle request(
      wininet().open_request(h(connection), "GET", path.c_str(), "HTTP/1.0", nullptr, nullptr, flags, 0));
  if (!request) return {};
  set_internet_timeouts(request, kStepTimeoutMs, kStepTimeoutMs, kStepTimeoutMs);
  if (!wininet().send_request(h(request), nullptr, 0, nullptr, 0)) return {};
  // The length the server announced, when it did (as text: it may pass 4 GB).
  std::optional<unsigned long long> announced;
  char length[32] = {};
  DWORD length_size = sizeof length - 1;
  if (wininet().query_info(h(request), HTTP_QUERY_CONTENT_LENGTH, length, &length_size, nullptr)) {
    char* end = nullptr;
    unsigned long long n = std::strtoull(length, &end, 10);
    if (end != length) announced = n;
  }
  HttpReply reply;
  char buffer[16384];
  for (;;) {
    DWORD read = 0;
    if (!wininet().read_file(h(request), buffer, sizeof buffer, &read)) {
      reply.cut_short = true;
      break;
    }
    if (read == 0) break;
    reply.body.append(buffer, read);
  }
  if (announced && reply.body.size() < *announced) reply.cut_short = true;
  return reply;
}

std::string http_get(std::string_view address) {
  HttpReply reply = http_fetch(address);
  return reply.cut_short ? std::string() : std::move(reply.body);
}

namespace {

// The IPv4 address of a host, in network order; false when it has none. A dotted-number
// text that is no address is not looked up as a name.
bool resolve_ipv4(const std::string& host, IPAddr& address) {
  if (host.empty()) return false;
  in_addr a{};
  if (host.find_first_not_of("0123456789.") == std::string::npos) {
    if (inet_pton(AF_INET, host.c_str(), &a) != 1) return false;
    address = a.s_addr;
    return true;
  }
  WSADATA wsa;
  if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return false;
  addrinfo hints{};
  hints.ai_family = AF_INET;
  addrinfo* found = nullptr;
  bool ok = getaddrinfo(host.c_str(), nullptr, &hints, &found) == 0 && found;
  if (ok) address = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
  if (found) freeaddrinfo(found);
  WSACleanup();
  return ok;
}

int echo(const std::string& host, int timeout_ms, DWORD started) {
  IPAddr address = 0;
  if (!resolve_ipv4(host, address)) return -1;
  DWORD spent = GetTickCount() - started;
  if (spent >= static_cast<DWORD>(timeout_ms)) return -1;
  HANDLE icmp = icmp_echo().create();
  if (icmp == INVALID_HANDLE_VALUE) return -1;
  char data[32];
  std::memset(data, 'V', sizeof data);
  alignas(ICMP_ECHO_REPLY) char reply[sizeof(ICMP_ECHO_REPLY) + sizeof data + 8];
  DWORD replies = icmp_echo().send(icmp, address, data, sizeof data, nullptr, reply, sizeof reply,
                                   static_cast<DWORD>(timeout_ms) - spent);
  icmp_echo().close(icmp);
  const auto* r = reinterpret_cast<const ICMP_ECHO_REPLY*>(reply);
  if (replies == 0 || r->Status != IP_SUCCESS) return -1;
  return static_cast<int>(r->RoundTripTime);
}

}  // namespace

int ping(std::string_view host, int timeout_ms) {
  if (timeout_ms <= 0) return -1;
  // A name lookup has no time-out of its own: the echo runs on a thread of its own, and a
  // caller waits no longer than the time-out (plus the echo's own slack).
  struct Outcome {
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> result{-1};
    ~Outcome() {
      if (done) CloseHandle(done);
    }
  };
  auto outcome = std::make_shared<Outcome>();
  if (!outcome->done) return -1;
  DWORD started = GetTickCount();
  std::thread([outcome, name = std::string(host), timeout_ms, started] {
    outcome->result = echo(name, timeout_ms, started);
    SetEvent(outcome->done);
  }).detach();
  if (WaitForSingleObject(outcome->done, static_cast<DWORD>(timeout_ms) + 250) != WAIT_OBJECT_0) return -1;
  return outcome->result;
}

}  // namespace rt
