#include "web/http.h"

#include "runtime/gbk_text.h"
#include "runtime/page_text.h"

namespace {

constexpr std::string_view kHttpScheme = "http://";

// "host[:port]": after the scheme prefix, up to the first "/".
std::string_view host_and_port(std::string_view address) {
  std::string_view rest = address;
  if (rt::to_lower_ascii(rt::left_text(address, static_cast<int>(kHttpScheme.size()))) == kHttpScheme)
    rest = address.substr(kHttpScheme.size());
  int slash = rt::find_text(rest, "/");
  return slash < 0 ? rest : rest.substr(0, static_cast<size_t>(slash - 1));
}

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string url_host(std::string_view address) {
  std::string_view part = host_and_port(address);
  int colon = rt::find_text(part, ":");
  if (colon > 0) part = part.substr(0, static_cast<size_t>(colon - 1));
  return rt::to_lower_ascii(part);
}

int url_port(std::string_view address) {
  std::string_view part = host_and_port(address);
  int colon = rt::find_text(part, ":");
  if (colon < 0) return 80;
  double port = rt::text_to_number(part.substr(static_cast<size_t>(colon)));
  return port >= 0 && port <= 65535 ? static_cast<int>(port) : 0;
}

std::string url_path(std::string_view address) {
  // The path starts where the host and port end: looking the host up again could find it
  // inside the scheme ("http://p/x").
  std::string_view part = host_and_port(address);
  size_t end = static_cast<size_t>(part.data() - address.data()) + part.size();
  if (end >= address.size()) return "/";
  return std::string(address.substr(end));
}

std::string url_encode(std::string_view text) {
  std::string utf8;
  if (!rt::page_text_to_utf8(text, utf8)) return {};
  static constexpr char kDigits[] = "0123456789ABCDEF";
  static constexpr std::string_view kStructural = "#%&+=?";
  std::string out;
  out.reserve(utf8.size() * 3);
  for (unsigned char b : utf8) {
    if (b >= 0x21 && b <= 0x7A && kStructural.find(static_cast<char>(b)) == std::string_view::npos) {
      out += static_cast<char>(b);
    } else {
      out += '%';
      out += kDigits[b >> 4];
      out += kDigits[b & 0xF];
    }
  }
  return out;
}

std::string url_decode_utf8(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hex_digit(text[i + 1]) >= 0 && hex_digit(text[i + 2]) >= 0) {
      bytes += static_cast<char>(hex_digit(text[i + 1]) * 16 + hex_digit(text[i + 2]));
      i += 2;
    } else {
      bytes += text[i];
    }
  }
  // What is no UTF-8 costs its own characters only, and the text ends at a decoded zero.
  std::string out = rt::utf8_to_page_text_replacing(bytes);
  if (size_t zero = out.find('\0'); zero != std::string::npos) out.resize(zero);
  return out;
}

std::string normalize_http_verb(std::string_view verb) {
  if (rt::to_upper_ascii(verb) == "POST") return std::string(verb);
  return "GET";
}

void complete_request_headers(std::string& headers, std::string_view address) {
  if (rt::find_text(headers, "Accept: ", 1, true) < 0)
    headers +=
        "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
        "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*\r\n";
  if (rt::find_text(headers, "Referer: ", 1, true) < 0) {
    headers += "Referer: ";
    headers += address;
    headers += "\r\n";
  }
  if (rt::find_text(headers, "Accept-Language: ", 1, true) < 0) headers += "Accept-Language: zh-cn\r\n";
}

void add_form_body_headers(std::string& headers, std::string_view body) {
  if (body.empty()) return;
  headers += "Content-Type: application/x-www-form-urlencoded\r\n";
  headers += "Content-Length: " + rt::int_to_text(static_cast<long long>(body.size())) + "\r\n";
}
