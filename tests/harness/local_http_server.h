#pragma once
// A tiny HTTP server inside a test program: it listens on 127.0.0.1 (never anywhere else) on a
// port the system picks, records every request it receives as raw bytes and answers each with
// the reply the test set, then closes the connection. Its thread checks for the end every
// 100 ms and lives at most a minute; every wait on a client is bounded.
#include <atomic>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

class LocalHttpServer {
 public:
  // reply: the whole answer (status line, headers, blank line, body) as sent.
  LocalHttpServer();  // answers 200 "hello"
  explicit LocalHttpServer(std::string reply);
  ~LocalHttpServer();
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  int port() const { return port_; }
  // "127.0.0.1:port", and an address on this server.
  std::string host() const;
  std::string address(std::string_view path) const;

  // The answer to the requests that follow; sent in pieces of piece_size bytes, each after a
  // pause of pause_ms (0: all at once), so that a reader meets data that arrives in parts.
  void set_reply(std::string reply, int piece_size = 0, int pause_ms = 0);
  // The answer to the requests whose path (with its query) starts with path_prefix, in place of
  // the one above; of several that fit, the longest prefix answers. An empty reply removes it.
  void set_route_reply(const std::string& path_prefix, std::string reply);
  // Answers that break off: each answer from now on ends after its first `bytes` bytes, however
  // much it announced; with reset the connection is then aborted, as a broken one is (after a
  // pause, so that what was sent has arrived), else closed in order. npos: whole answers again.
  void cut_replies_after(size_t bytes, bool reset = false);
  // An answer without end: head, then chunk again and again until the client stops reading
  // (at most 2 GB), as a reply larger than the program's memory is. An empty head ends it.
  void set_endless_reply(std::string head, std::string chunk);
  // The raw requests received so far (request line, headers, blank line, body).
  std::vector<std::string> requests();
  // Waits (bounded) until `count` requests have come; false when they did not.
  bool wait_for_requests(size_t count, int timeout_ms = 5000);

  // A reply with Content-Length and "Connection: close"; extra headers are CR LF lines.
  static std::string http_reply(int status, std::string_view reason, std::string_view body,
                                std::string_view extra_headers = {});

  // A port on 127.0.0.1 that nobody listens on (one just closed).
  static int unused_port();

 private:
  void serve();
  void answer(unsigned long long client);

  unsigned long long listener_ = ~0ull;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  std::mutex lock_;
  std::vector<std::string> requests_;
  std::string reply_;
  std::vector<std::pair<std::string, std::string>> routes_;
  int piece_size_ = 0, pause_ms_ = 0;
  size_t cut_after_ = std::string::npos;
  std::string endless_head_, endless_chunk_;
  bool reset_ = false;
};

// The two ways a reply breaks off (cut_replies_after), for the tables of tests.
struct BrokenReply {
  const char* what;
  bool reset;
};
inline constexpr BrokenReply kBrokenReplies[] = {{"fewer bytes than announced, closed in order", false},
                                           {"fewer bytes than announced, the connection broken", true}};

// Pieces of a raw HTTP request as the server recorded it.
namespace http_text {
// The first line, without CR LF.
std::string request_line(const std::string& request);
// Every value of a header (name without case), in order.
std::vector<std::string> header_values(const std::string& request, std::string_view name);
// What follows the blank line.
std::string body(const std::string& request);
}  // namespace http_text
