// What a fetched web page becomes: its page text by the declared charset, and its name from the
// title tag. Literals are GBK (the build's execution character set); UTF-8 bytes are escapes.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "web/dropped_page.h"

namespace {

using namespace std::string_literals;

// "中文" in UTF-8.
constexpr std::string_view kUtf8Chinese = "\xE4\xB8\xAD\xE6\x96\x87";

std::string declared(std::string_view meta, std::string_view body) {
  return "<html><head>" + std::string(meta) + "</head><body>" + std::string(body) + "</body></html>";
}

TEST(DroppedPageText, TheDeclaredCharsetDecidesTheConversion) {
  struct Case {
    const char* name;
    std::string reply, text;
  };
  const std::string utf8_meta = R"(<meta http-equiv="Content-Type" content="text/html; charset=utf-8">)";
  const Case cases[] = {
      {"utf-8 after '; charset=' is converted", declared(utf8_meta, kUtf8Chinese), declared(utf8_meta, "中文")},
      {"any case of the name", declared(R"(<meta content="text/html; charset=UtF-8">)", kUtf8Chinese),
       declared(R"(<meta content="text/html; charset=UtF-8">)", "中文")},
      // The short HTML5 form has no "; charset=": the UTF-8 bytes stay as they are.
      {"html5 meta form", declared(R"(<meta charset="utf-8">)", kUtf8Chinese),
       declared(R"(<meta charset="utf-8">)", kUtf8Chinese)},
      {"another charset keeps the bytes", declared(R"(<meta content="text/html; charset=gb2312">)", "中文"),
       declared(R"(<meta content="text/html; charset=gb2312">)", "中文")},
      {"no declaration keeps the bytes", declared("", "中文"), declared("", "中文")},
      // A character GBK lacks becomes its four-byte GB18030 form.
      {"outside gbk", declared(utf8_meta, "\xF0\xA0\x80\x80"), declared(utf8_meta, "\x95\x32\x82\x36")},
      {"the mark at the start is dropped", "\xEF\xBB\xBF" + declared(utf8_meta, kUtf8Chinese),
       declared(utf8_meta, "中文")},
      {"invalid utf-8 gives nothing", declared(utf8_meta, "\xE4\xB8"), ""},
      // The edit box cannot hold a zero: it goes, and the text after it stays.
      {"zero bytes are left out", "<p>a</p>\0<p>b</p>"s, "<p>a</p><p>b</p>"},
      {"zero bytes of a UTF-8 page", declared(utf8_meta, "a\0"s + std::string(kUtf8Chinese)),
       declared(utf8_meta, "a中文")},
      // Each character as the edit box shows it: the euro sign is code page 936's 80, also
      // beside a character only GB18030 has.
      {"the euro sign", declared(utf8_meta, "\xE2\x82\xAC\xF0\x9F\x98\x80"),
       declared(utf8_meta, "\x80\x94\x39\xFC\x36")},
      {"an empty reply", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(dropped_page_text(c.reply), c.text);
  }
}

TEST(DroppedPageTitle, LowerCaseTagsFirstThenUpperCaseTrimmed) {
  struct Case {
    const char* page;
    const char* title;
  };
  const Case cases[] = {
      {"<head><title>网页标题</title></head>", "网页标题"},
      {"<title>   两头有空格  </title>", "两头有空格"},
      {"<title>　全角空格　</title>", "全角空格"},
      {"<TITLE>大写标签</TITLE>", "大写标签"},
      {"<Title>混合大小写</Title>", ""},  // neither spelling
      {"<title>小写</title><TITLE>大写</TITLE>", "小写"},
      {"<title>  </title><TITLE>大写</TITLE>", "大写"},  // blank counts as none
      {"<title>没有结束", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page);
    EXPECT_EQ(dropped_page_title(c.page), c.title);
  }
}

}  // namespace
