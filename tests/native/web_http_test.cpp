// Address splitting, the query coding and the request's verb and header rules. Literals are
// GBK (the build's execution character set); UTF-8 bytes are written as escapes.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "runtime/gbk_text.h"
#include "web/http.h"

namespace {

using namespace std::string_view_literals;

TEST(UrlSplitting, HostPortAndPath) {
  struct Case {
    std::string_view address;
    const char* host;
    int port;
    const char* path;
  };
  const Case cases[] = {
      {"http://fanyi.example.com/", "fanyi.example.com", 80, "/"},  // a form at the root
      {"HTTP://WWW.Example.COM:8080/a/b?x=1&y=/z", "www.example.com", 8080, "/a/b?x=1&y=/z"},
      {"http://example.com", "example.com", 80, "/"},
      {"http://example.com:81", "example.com", 81, "/"},
      {"example.com:81/q?a=b", "example.com", 81, "/q?a=b"},  // no scheme
      {"Http://Host/Path/MiXed", "host", 80, "/Path/MiXed"},  // only the host is lowered
      {"http://host:abc/x", "host", 0, "/x"},                 // no number
      {"http://host:/x", "host", 0, "/x"},
      {"http://host:99999/x", "host", 0, "/x"},  // no port
      {"http://p/x", "p", 80, "/x"},             // a host that also occurs in the scheme
      {"http://t/p/t/", "t", 80, "/p/t/"},
      {"", "", 80, "/"},
      {"http://", "", 80, "/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.address));
    EXPECT_EQ(url_host(c.address), c.host);
    EXPECT_EQ(url_port(c.address), c.port);
    EXPECT_EQ(url_path(c.address), c.path);
  }
}

// One text and what a coding routine makes of it.
struct CodingCase {
  const char* what;
  std::string_view text, coded;
};

TEST(UrlEncode, Cases) {
  const CodingCase cases[] = {
      {"a space between letters", "a b", "a%20b"},
      {"letters and digits", "Velmora2024", "Velmora2024"},
      {"the tilde", "~", "%7E"},
      {"one GB2312 character: its three UTF-8 bytes", "中", "%E4%B8%AD"},
      {"a character only GBK has", "\x81\x40"sv, "%E4%B8%82"},
      {"the euro sign of GBK", "\x80"sv, "%E2%82%AC"},
      {"a four-byte GB18030 character", "\x84\x31\x95\x33"sv, "%EF%BB%BF"},
      {"an empty text", "", ""},
      {"the query's own punctuation", "a&b=c", "a%26b%3Dc"},
      {"the fragment mark", "C#", "C%23"},
      {"plus, question mark and percent", "1+1?%", "1%2B1%3F%25"},
      {"other punctuation up to 0x7A stays", "/:;@!\"$'()*,-._[\\]^`<>", "/:;@!\"$'()*,-._[\\]^`<>"},
      {"the bytes above 0x7A", "{|}\x7F", "%7B%7C%7D%7F"},
      {"control bytes", "\t\r\n", "%09%0D%0A"},
      {"a lone lead byte is no text", "ab\xD6"sv, ""},
      // Each character as the edit box shows it: the euro sign beside a four-byte code, and
      // code page 936's own cell FE 50 (GB18030 reads another character there).
      {"the euro sign and an emoji", "\x80\x94\x39\xFC\x36"sv, "%E2%82%AC%F0%9F%98%80"},
      {"a user-defined cell", "\xFE\x50"sv, "%EE%A0%95"},
  };
  for (const CodingCase& c : cases) EXPECT_EQ(url_encode(c.text), c.coded) << c.what;
}

TEST(UrlDecodeUtf8, Cases) {
  const CodingCase cases[] = {
      {"a Chinese character's three escapes", "%E4%B8%AD", "中"},
      {"lower-case digits", "%e4%b8%ad%41", "中A"},
      {"a text without escapes", "abc def/?=", "abc def/?="},
      {"escapes among plain bytes", "a%20b%2Bc", "a b+c"},
      {"a percent at the end", "100%", "100%"},
      {"one digit at the end", "a%4", "a%4"},
      {"digits that are no hex", "%zz1%G0", "%zz1%G0"},
      {"a percent before an escape", "%%41", "%A"},
      {"an empty text", "", ""},
      {"a character outside GBK takes its four-byte code", "%F0%9F%98%80", "\x94\x39\xFC\x36"sv},
      // What is no UTF-8 becomes the replacement character U+FFFD (84 31 A4 37): one for each
      // byte that begins nothing, one for the start of a sequence that does not go on.
      {"one byte that is no UTF-8", "%E4%BD%A0%FF%E5%A5%BD", "你\x84\x31\xA4\x37好"sv},
      {"a byte of the reply itself", "a\xB0" "b"sv, "a\x84\x31\xA4\x37" "b"sv},
      {"a continuation byte alone", "%80a", "\x84\x31\xA4\x37" "a"sv},
      {"a sequence cut short", "%E4%BDa%E4", "\x84\x31\xA4\x37" "a\x84\x31\xA4\x37"sv},
      {"an overlong form", "%C0%AF", "\x84\x31\xA4\x37\x84\x31\xA4\x37"sv},
      {"an encoded surrogate", "%ED%A0%80", "\x84\x31\xA4\x37\x84\x31\xA4\x37\x84\x31\xA4\x37"sv},
      {"past U+10FFFF", "%F4%90%80%80", "\x84\x31\xA4\x37\x84\x31\xA4\x37\x84\x31\xA4\x37\x84\x31\xA4\x37"sv},
      // The result ends at its first zero character.
      {"a decoded zero ends the result", "a%00b", "a"},
      {"so does a zero of the reply", "a\0b"sv, "a"},
      {"a zero after a byte that is no UTF-8", "%FF%00b", "\x84\x31\xA4\x37"sv},
  };
  for (const CodingCase& c : cases) EXPECT_EQ(url_decode_utf8(c.text), c.coded) << c.what;
}

// The value the user typed comes back unchanged from a query built with it.
TEST(UrlCoding, ValuesRoundTripThroughAQuery) {
  const std::string_view texts[] = {"a&b=c", "C#", "中文 C++ 100%?x=1&y", "~{}|", "\x81\x40\x80"sv};
  for (std::string_view text : texts) {
    SCOPED_TRACE(std::string(text));
    std::string query = "q=" + url_encode(text) + "&from=zh";
    std::vector<std::string> pairs = rt::split_text(query, "&");
    ASSERT_EQ(pairs.size(), 2u);
    std::vector<std::string> key_value = rt::split_text(pairs[0], "=");
    ASSERT_EQ(key_value.size(), 2u);
    EXPECT_EQ(key_value[0], "q");
    EXPECT_EQ(url_decode_utf8(key_value[1]), text);
    EXPECT_EQ(pairs[1], "from=zh");
  }
}

TEST(HttpVerb, OnlyAPostKeepsItsSpelling) {
  const std::pair<const char*, const char*> cases[] = {
      {"GET", "GET"}, {"get", "GET"},   {"PUT", "GET"},   {"HEAD", "GET"},
      {"", "GET"},    {"POST", "POST"}, {"post", "post"}, {"PoSt", "PoSt"},
  };
  for (auto [verb, sent] : cases) EXPECT_EQ(normalize_http_verb(verb), sent) << verb;
}

constexpr char kAcceptLine[] =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*\r\n";

TEST(RequestHeaders, DefaultsFillWhatTheCallerLeftOut) {
  const std::string address = "http://fanyi.example.com/t?q=1&r=2";
  struct Case {
    const char* what;
    std::string given, completed;
  };
  const Case cases[] = {
      {"nothing given", "", std::string(kAcceptLine) + "Referer: " + address + "\r\nAccept-Language: zh-cn\r\n"},
      {"an Accept in small letters", "accept: text/html\r\n",
       "accept: text/html\r\nReferer: " + address + "\r\nAccept-Language: zh-cn\r\n"},
      {"Referer and language given", "REFERER: http://other/\r\nAccept-language: en\r\n",
       "REFERER: http://other/\r\nAccept-language: en\r\n" + std::string(kAcceptLine)},
      {"Accept-Language is no Accept", "Accept-Language: en\r\nReferer: x\r\n",
       "Accept-Language: en\r\nReferer: x\r\n" + std::string(kAcceptLine)},
  };
  for (const Case& c : cases) {
    std::string headers = c.given;
    complete_request_headers(headers, address);
    EXPECT_EQ(headers, c.completed) << c.what;
  }
}

TEST(RequestHeaders, OnlyANonEmptyBodyGetsItsTypeAndLength) {
  std::string headers = "X: 1\r\n";
  add_form_body_headers(headers, "");
  EXPECT_EQ(headers, "X: 1\r\n");
  add_form_body_headers(headers, "a=1&b=中");  // 8 bytes
  EXPECT_EQ(headers, "X: 1\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: 8\r\n");
}

}  // namespace
