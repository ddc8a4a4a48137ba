#include "local_http_server.h"

// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
// clang-format on

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kLifetimeMs = 60000;
constexpr int kClientWaitMs = 5000;

SOCKET sock(unsigned long long s) { return static_cast<SOCKET>(s); }

// Waits up to ms for the socket to become readable.
bool readable(SOCKET s, int ms) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval tv{ms / 1000, (ms % 1000) * 1000};
  return select(0, &set, nullptr, nullptr, &tv) > 0;
}

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

sockaddr_in loopback(int port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(static_cast<u_short>(port));
  return a;
}

}  // namespace

LocalHttpServer::LocalHttpServer() : LocalHttpServer(http_reply(200, "OK", "hello")) {}

LocalHttpServer::LocalHttpServer(std::string reply) : reply_(std::move(reply)) {
  WSADATA wsa;
  WSAStartup(MAKEWORD(2, 2), &wsa);
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in a = loopback(0);
  if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(s, 8) != 0) {
    if (s != INVALID_SOCKET) closesocket(s);
    return;
  }
  int size = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &size);
  port_ = ntohs(a.sin_port);
  listener_ = s;
  thread_ = std::thread([this] { serve(); });
}

LocalHttpServer::~LocalHttpServer() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (listener_ != ~0ull) closesocket(sock(listener_));
  WSACleanup();
}

std::string LocalHttpServer::host() const { return "127.0.0.1:" + std::to_string(port_); }

std::string LocalHttpServer::address(std::string_view path) const { return "http://" + host() + std::string(path); }

void LocalHttpServer::set_route_reply(const std::string& path_prefix, std::string reply) {
  std::lock_guard<std::mutex> l(lock_);
  std::erase_if(routes_, [&](const auto& route) { return route.first == path_prefix; });
  if (!reply.empty()) routes_.emplace_back(path_prefix, std::move(reply));
}

void LocalHttpServer::set_reply(std::string reply, int piece_size, int pause_ms) {
  std::lock_guard<std::mutex> l(lock_);
  reply_ = std::move(reply);
  piece_size_ = piece_size;
  pause_ms_ = pause_ms;
}

void LocalHttpServer::cut_replies_after(size_t bytes, bool reset) {
  std::lock_guard<std::mutex> l(lock_);
  cut_after_ = bytes;
  reset_ = reset;
}

void LocalHttpServer::set_endless_reply(std::string head, std::string chunk) {
  std::lock_guard<std::mutex> l(lock_);
  endless_head_ = std::move(head);
  endless_chunk_ = std::move(chunk);
}

std::vector<std::string> LocalHttpServer::requests() {
  std::lock_guard<std::mutex> l(lock_);
  return requests_;
}

bool LocalHttpServer::wait_for_requests(size_t count, int timeout_ms) {
  DWORD started = GetTickCount();
  for (;;) {
    if (requests().size() >= count) return true;
    if (GetTickCount() - started >= static_cast<DWORD>(timeout_ms)) return false;
    Sleep(10);
  }
}

void LocalHttpServer::serve() {
  DWORD started = GetTickCount();
  while (!stop_ && GetTickCount() - started < static_cast<DWORD>(kLifetimeMs)) {
    if (!readable(sock(listener_), 100)) continue;
    SOCKET client = accept(sock(listener_), nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    answer(client);
    closesocket(client);
  }
}

void LocalHttpServer::answer(unsigned long long client_socket) {
  SOCKET client = sock(client_socket);
  std::string request;
  size_t header_end = std::string::npos, wanted = std::string::npos;
  DWORD started = GetTickCount();
  char buffer[4096];
  while (!stop_ && GetTickCount() - started < static_cast<DWORD>(kClientWaitMs)) {
    if (header_end != std::string::npos && request.size() >= wanted) break;
    if (!readable(client, 100)) continue;
    int n = recv(client, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    request.append(buffer, static_cast<size_t>(n));
    if (header_end == std::string::npos && (header_end = request.find("\r\n\r\n")) != std::string::npos) {
      std::vector<std::string> length = http_text::header_values(request, "Content-Length");
      wanted = header_end + 4 + (length.empty() ? 0 : std::strtoul(length[0].c_str(), nullptr, 10));
    }
  }
  std::string reply, chunk;
  int piece = 0, pause = 0;
  bool reset = false;
  {
    std::lock_guard<std::mutex> l(lock_);
    requests_.push_back(request);
    reply = reply_;
    std::string line = http_text::request_line(request);
    size_t from = line.find(' ') + 1, to = line.find(' ', from);
    std::string path = from == 0 ? std::string() : line.substr(from, to == std::string::npos ? to : to - from);
    size_t longest = 0;
    for (const auto& [prefix, routed] : routes_)
      if (path.compare(0, prefix.size(), prefix) == 0 && prefix.size() >= longest) {
        longest = prefix.size();
        reply = routed;
      }
    if (!endless_head_.empty()) {
      reply = endless_head_;
      chunk = endless_chunk_;
    }
    if (cut_after_ < reply.size()) {
      reply.resize(cut_after_);
      reset = reset_;
    }
    piece = piece_size_ > 0 ? piece_size_ : static_cast<int>(reply.size());
    pause = pause_ms_;
  }
  for (size_t sent = 0; sent < reply.size() && !stop_;) {
    if (sent > 0 && pause > 0) Sleep(static_cast<DWORD>(pause));
    int n = std::min(piece, static_cast<int>(reply.size() - sent));
    int done = send(client, reply.data() + sent, n, 0);
    if (done <= 0) break;
    sent += static_cast<size_t>(done);
  }
  constexpr unsigned long long kEndlessLimit = 2ull << 30;
  for (unsigned long long sent = 0; !chunk.empty() && !stop_ && sent < kEndlessLimit; sent += chunk.size())
    if (send(client, chunk.data(), static_cast<int>(chunk.size()), 0) <= 0) break;
  if (reset) {
    // Aborted: closing with a zero linger time sends a reset instead of the orderly end.
    Sleep(300);
    linger abort{1, 0};
    setsockopt(client, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort), sizeof abort);
    return;
  }
  shutdown(client, SD_SEND);
  // Let the client read to the end before the socket goes (bounded).
  DWORD closing = GetTickCount();
  while (GetTickCount() - closing < 1000 && readable(client, 50) && recv(client, buffer, sizeof buffer, 0) > 0) {
  }
}

std::string LocalHttpServer::http_reply(int status, std::string_view reason, std::string_view body,
                                        std::string_view extra_headers) {
  std::string reply = "HTTP/1.1 " + std::to_string(status) + " " + std::string(reason) + "\r\n";
  reply += "Content-Length: " + std::to_string(body.size()) + "\r\n";
  reply += "Connection: close\r\n";
  reply += extra_headers;
  reply += "\r\n";
  reply += body;
  return reply;
}

int LocalHttpServer::unused_port() {
  WSADATA wsa;
  WSAStartup(MAKEWORD(2, 2), &wsa);
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in a = loopback(0);
  int size = sizeof a;
  int port = 0;
  if (s != INVALID_SOCKET && bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
      getsockname(s, reinterpret_cast<sockaddr*>(&a), &size) == 0)
    port = ntohs(a.sin_port);
  if (s != INVALID_SOCKET) closesocket(s);
  WSACleanup();
  return port;
}

namespace http_text {

std::string request_line(const std::string& request) { return request.substr(0, request.find("\r\n")); }

std::vector<std::string> header_values(const std::string& request, std::string_view name) {
  std::vector<std::string> values;
  size_t end = request.find("\r\n\r\n");
  std::string head = lower(request.substr(0, end));
  std::string key = "\r\n" + lower(name) + ":";
  for (size_t at = head.find(key); at != std::string::npos; at = head.find(key, at + 1)) {
    size_t from = at + key.size();
    size_t to = request.find("\r\n", from);
    std::string value = request.substr(from, to - from);
    value.erase(0, value.find_first_not_of(' '));
    values.push_back(value);
  }
  return values;
}

std::string body(const std::string& request) {
  size_t end = request.find("\r\n\r\n");
  return end == std::string::npos ? std::string() : request.substr(end + 4);
}

}  // namespace http_text
