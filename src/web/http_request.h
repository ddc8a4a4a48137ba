#pragma once
// The program's own HTTP request (the one exchange that needs a verb, a body and headers of its
// own) and the connectivity test that guards the online windows and threads. Both block the
// calling thread.
#include <string>
#include <string_view>

// Sends one request and returns the reply body as bytes, whatever its status; empty when the
// session, the connection or the request cannot be opened, whatever had arrived when sending
// or reading fails. `verb` comes back as sent (any verb but a POST becomes "GET"), `headers`
// with the default headers appended. With use_proxy the request goes through `proxy`
// ("host:port") for plain HTTP. With want_raw_headers the reply's status line and headers
// (CR LF lines) come back in raw_headers. Pending messages of the calling thread are
// processed between the reads, so that a thread that owns windows does not freeze them.
std::string http_request(std::string_view address, std::string& verb, std::string_view proxy, bool use_proxy,
                         std::string& headers, std::string_view body, std::string& raw_headers, bool want_raw_headers);

// True when the search engine's host answers an echo within timeout_ms (0 means 5000 ms).
bool is_internet_reachable(int timeout_ms = 0);
