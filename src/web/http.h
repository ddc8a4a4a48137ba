#pragma once
// The pure parts of the web exchanges: splitting a request address, the percent-encoding of
// query values and its decoding, and the verb and header rules of http_request
// (web/http_request.h). GBK text in and out.
#include <string>
#include <string_view>

// An address is "http://" (any case) or nothing, then host, optional ":" and port, then an
// optional path with query. The host, lower-cased (ASCII letters only).
std::string url_host(std::string_view address);
// The port written after the host's ":", 80 when there is none; 0 when it is no number or out
// of 0..65535.
int url_port(std::string_view address);
// Path and query, from the "/" that ends the host and port; "/" when there is none.
std::string url_path(std::string_view address);

// A query value from the user's text: its UTF-8 bytes, where the bytes 0x21 to 0x7A stay as
// they are, except the six that would change the query's structure ("#", "%", "&", "+", "=",
// "?"); every other byte becomes "%XX" (upper-case hex). Each character is the one the edit box
// shows (runtime/page_text.h); empty when the text holds a byte that is no character.
std::string url_encode(std::string_view text);
// "%XX" escapes of UTF-8 bytes back to GBK text (page text); a "%" not followed by two hex
// digits is kept as it stands. What is no UTF-8 becomes the replacement character U+FFFD (one
// for each byte that begins nothing, one for the start of a sequence that does not go on), and
// the text ends at its first zero.
std::string url_decode_utf8(std::string_view text);

// The verb http_request sends: any verb whose upper case is not "POST" becomes "GET"; a POST
// keeps the caller's spelling ("post" goes out as "post").
std::string normalize_http_verb(std::string_view verb);
// Appends the default request headers the caller's text lacks (each looked for without case):
// Accept, then a Referer naming the whole address, then Accept-Language. Each line ends in CR LF.
void complete_request_headers(std::string& headers, std::string_view address);
// The headers of a form body: Content-Type and Content-Length, only for a non-empty body.
void add_form_body_headers(std::string& headers, std::string_view body);
