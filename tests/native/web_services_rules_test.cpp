// The window-free rules of the update check and of the translation window: the stored address,
// the update page's fields, the version and size comparison, the language list, the form, the
// translation cut out of a returned page, and the speech limits. Literals are GBK.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/gbk_text.h"
#include "web/http.h"
#include "web/translation_rules.h"
#include "web/update_rules.h"

namespace {

// ---- update check ----

TEST(UpdateRules, DescramblingReadsPairsOfTheAlphabet) {
  struct Case {
    std::string_view scrambled, plain;
  };
  const Case cases[] = {
      {"", ""},
      {"AB", "\x01"},    // p 0, q 1: (0 * 62 + 0) XOR 1
      {"AI", ">"},       // q 8: one alphabet length, 62
      {"BA", "\x01"},    // p 1
      {"ABC", "\x01"},   // an odd last character is ignored
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.scrambled));
    EXPECT_EQ(descramble_text(c.scrambled), c.plain);
  }
  // Every byte goes there and back, and another alphabet works the same way.
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(descramble_text(scramble_text(all)), all);
  constexpr std::string_view reversed = "zyxwvutsrqponmlkjihgfedcba9876543210ZYXWVUTSRQPONMLKJIHGFEDCBA";
  EXPECT_EQ(descramble_text(scramble_text(all, reversed), reversed), all);
}

TEST(UpdateRules, TheStoredAddressNamesTheUpdatePagesHost) {
  EXPECT_EQ(stored_update_address().size(), 156u);
  std::string address = descramble_text(stored_update_address());
  EXPECT_EQ(address.size(), 78u);
  EXPECT_EQ(url_host(address), "www.velmora-editor.cn");
  EXPECT_EQ(address.substr(0, 7), "http://");
  EXPECT_NE(url_path(address), "/");
}

constexpr std::string_view kManifestPage =
    "<html><body><p>说明</p>\r\n"
    "//Velmora更新配置开始\r\n"
    "软件名称=Velmora</p>软件大小=5M</p>软件版本=1.0.0.2</p>更新时间=2027年1月1日</p>"
    "下载地址=http://dl.example.com/v.zip</p>软件主页=http://www.example.com/</p>"
    "更新纪录=修正一处错误|加快打开|</p>\r\n"
    "//Velmora更新配置结束\r\n"
    "软件版本=9.9.9.9</p>\r\n"
    "//Velmora更新配置结束</body></html>";

TEST(UpdateRules, TheManifestBlockAndItsFields) {
  std::string block = update_manifest_block(kManifestPage);
  ASSERT_FALSE(block.empty());
  UpdateInfo info = read_update_manifest(block);
  EXPECT_EQ(info.name, "Velmora");
  EXPECT_EQ(info.size, "5M");
  EXPECT_EQ(info.version, "1.0.0.2");  // the field after the first closing line is not read
  EXPECT_EQ(info.update_time, "2027年1月1日");
  EXPECT_EQ(info.download_address, "http://dl.example.com/v.zip");
  EXPECT_EQ(info.homepage, "http://www.example.com/");
  EXPECT_EQ(info.change_log, "修正一处错误|加快打开|");

  // Without either line there is no block; a missing key reads empty.
  EXPECT_EQ(update_manifest_block("软件版本=1</p>//Velmora更新配置结束"), "");
  EXPECT_EQ(update_manifest_block("//Velmora更新配置开始软件版本=1</p>"), "");
  EXPECT_EQ(update_manifest_block(""), "");
  UpdateInfo partial = read_update_manifest("软件版本=2.0</p>软件名称=无结尾");
  EXPECT_EQ(partial.version, "2.0");
  EXPECT_EQ(partial.name, "");
  EXPECT_EQ(partial.homepage, "");
}

TEST(UpdateRules, ANewerVersionNeedsBothFieldsToDiffer) {
  struct Case {
    const char *version, *time;
    bool newer;
  };
  const Case cases[] = {
      {"1.0.0.2", "2027年1月1日", true},
      {"1.0.0.1", "2027年1月1日", false},  // same version, newer date
      {"1.0.0.2", "2026年12月10日", false},  // other version, same date
      {"1.0.0.1", "2026年12月10日", false},
      {"", "", true},  // a page without both fields counts as different
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.version) + " " + c.time);
    EXPECT_EQ(announces_newer_version(c.version, c.time), c.newer);
  }
}

TEST(UpdateRules, SizesInMegabytes) {
  struct Published {
    std::string_view field;
    int mb;
  };
  const Published published[] = {
      {"5M", 5}, {"5.9M", 5}, {"12 MB", 12}, {"5", 0}, {"", 0}, {"M", 0}, {"约5M", 0},
      // "丮" ends in the byte of "M": only a real "M" counts.
      {"12\x81M", 0}, {"12M\x81M", 12},
      // A size no int holds is no size; the largest that fits stays.
      {"1e300M", 0}, {"99999999999M", 0}, {"2147483647M", 2147483647}, {"-2147483648M", -2147483647 - 1},
  };
  for (const Published& p : published) {
    SCOPED_TRACE(std::string(p.field));
    EXPECT_EQ(published_size_mb(p.field), p.mb);
  }
  constexpr long long kMb = 1048576;
  struct Own {
    long long bytes;
    int mb;
  };
  const Own own[] = {{kMb * 494 / 100, 4}, {kMb * 8 / 10, 0}, {kMb * 25 / 2, 12}, {kMb * 12349 / 10, 1234}, {0, 0}};
  for (const Own& o : own) {
    SCOPED_TRACE(o.bytes);
    EXPECT_EQ(own_size_mb(o.bytes), o.mb);
  }
}

TEST(UpdateRules, TheSizeCaptionComparesWithTheProgram) {
  constexpr long long k494 = 1048576LL * 494 / 100;
  EXPECT_EQ(update_size_caption("5M", k494), "5M(软件大小增加了1MB)");
  EXPECT_EQ(update_size_caption("2M", k494), "2M(软件大小减少了2MB)");
  EXPECT_EQ(update_size_caption("4M", k494), "4M(软件大小没有改变)");
  // No "M": 0 MB, the same as a program under 1 MB.
  EXPECT_EQ(update_size_caption("800K", 1048576LL * 8 / 10), "800K(软件大小没有改变)");
  // The difference of the extremes still is one.
  EXPECT_EQ(update_size_caption("-2147483648M", k494), "-2147483648M(软件大小减少了2147483652MB)");
}

TEST(UpdateRules, TheChangeLogOneEntryALine) {
  EXPECT_EQ(change_log_text("a|b|"), "a\r\nb\r\n");
  EXPECT_EQ(change_log_text("a||b"), "a\r\n\r\nb\r\n");
  EXPECT_EQ(change_log_text("只有一条"), "只有一条\r\n");
  EXPECT_EQ(change_log_text(""), "");
  // A "|" inside a character ("亅" is 81 7C) splits nothing.
  EXPECT_EQ(change_log_text("x\x81|y|z"), "x\x81|y\r\nz\r\n");
}

// ---- translation ----

constexpr std::string_view kLanguagePage =
    "<select name=sl><option value=auto>检测语言</option></select>"
    "<span>目标语言：</span><select name=tl>"
    "<option value=\"en\">英语</option>"
    "<option value=\"ja\">日语</option>"
    "<option value=broken>坏的</option>"
    "<option value=\"zh-CN\">中文(简体)</option>"
    "</select><input type=submit value=\"翻译\">";

TEST(TranslationRules, TheLanguageList) {
  // ">目标语言：<" in the page as it would be written without the span.
  std::string page(kLanguagePage);
  page = rt::replace_text(page, "<span>目标语言：</span>", ">目标语言：<");
  TranslationLanguages languages = parse_translation_languages(page);
  EXPECT_EQ(languages.codes, (std::vector<std::string>{"auto", "en", "ja", "zh-CN"}));
  EXPECT_EQ(languages.names, (std::vector<std::string>{"英语", "日语", "中文(简体)"}));
  // A page without the list gives auto-detect alone.
  TranslationLanguages none = parse_translation_languages("<html>维护中</html>");
  EXPECT_EQ(none.codes, (std::vector<std::string>{"auto"}));
  EXPECT_TRUE(none.names.empty());
}

TEST(TranslationRules, CodesOfTheCombos) {
  const std::vector<std::string> codes = {"auto", "en", "ja"};
  EXPECT_EQ(source_language_code(codes, 0), "auto");
  EXPECT_EQ(source_language_code(codes, 2), "ja");
  EXPECT_EQ(target_language_code(codes, 0), "en");
  EXPECT_EQ(target_language_code(codes, 1), "ja");
  for (int bad : {-1, 3, 58, INT_MAX, INT_MIN}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(source_language_code(codes, bad), "");
  }
  for (int bad : {-1, 2, 58, INT_MAX, INT_MIN}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(target_language_code(codes, bad), "");
  }
  EXPECT_TRUE(same_language(2, 1));   // ja and ja
  EXPECT_FALSE(same_language(0, 0));  // auto-detect never is
  EXPECT_FALSE(same_language(0, -1));  // nor is no language chosen
  EXPECT_FALSE(same_language(INT_MIN, INT_MAX));
  EXPECT_FALSE(same_language(1, 1));
}

TEST(TranslationRules, TheFormBody) {
  EXPECT_EQ(translation_form_body("auto", "en", "a&b c"),
            "js=n&prev=_t&hl=zh-CN&ie=UTF-8&layout=2&eotf=0&sl=auto&tl=en&text=a%26b%20c&file=");
  // Chinese goes as its UTF-8 bytes.
  EXPECT_EQ(translation_form_body("zh-CN", "ja", "你好"),
            "js=n&prev=_t&hl=zh-CN&ie=UTF-8&layout=2&eotf=0&sl=zh-CN&tl=ja&text=%E4%BD%A0%E5%A5%BD&file=");
}

// A returned page: sentences between S1 and "</span>", their sources after S4.
std::string sentence_page(const std::vector<std::pair<std::string, std::string>>& pairs) {
  const std::string s1 =
      "\" onmouseover=\"this.style.backgroundColor='#ebeff9'\" "
      "onmouseout=\"this.style.backgroundColor='#fff'\">";
  std::string page = "<div id=result>";
  for (const auto& [translated, source] : pairs) page += "<span title=\"" + source + s1 + translated + "</span>";
  return page + "</div>";
}

const std::string kRomanizationStart =
    "<input type=file name=file id=file size=40></div><div id=gt-src-tools class=g-section "
    "style=\"display:none\"></div><div id=src-translit class=translit dir=ltr "
    "style=\"text-align:;display:block\">";

TEST(TranslationRules, TheResultOfAPage) {
  const std::string two = sentence_page({{"Hello.", "你好。"}, {"Goodbye.", "再见。"}});
  EXPECT_EQ(translation_result_text(two, false, false), "Hello.Goodbye.");
  EXPECT_EQ(translation_result_text(two, true, false), "Hello.\r\n//你好。\r\n\r\nGoodbye.\r\n//再见。\r\n\r\n");

  // "<br>" in any case: a line break, removed while interleaving; quotes and apostrophes go.
  const std::string marked = sentence_page({{"a<BR>b &quot;q&quot; it&#39;s", "甲<br>乙"}});
  EXPECT_EQ(translation_result_text(marked, false, false), "a\r\nb q it;s");
  EXPECT_EQ(translation_result_text(marked, true, false), "ab q it;s\r\n//甲乙\r\n\r\n");

  // Fewer sources than sentences: no interleaving, line breaks stay.
  std::string uneven = sentence_page({{"one<br>", "一"}, {"two", "二"}});
  uneven = rt::replace_text(uneven, "<span title=\"二", "<span data=\"二");
  EXPECT_EQ(translation_result_text(uneven, true, false), "one\r\ntwo");

  // A short result, and the long one that follows "harset=".
  const std::string s2 = "/></object></div><span id=result_box class=\"short_text\">";
  const std::string s3 = "/></object></div><span id=result_box class=\"long_text\">";
  EXPECT_EQ(translation_result_text(s2 + "短的</span>", false, false), "短的");
  EXPECT_EQ(translation_result_text(s2 + "harset=x</span>" + s3 + "长的</span></span></div>", false, false),
            "长的</span>");
  // Nothing recognised: nothing.
  EXPECT_EQ(translation_result_text("<html>出错了</html>", true, false), "");
}

TEST(TranslationRules, TheRomanization) {
  std::string with = sentence_page({{"Hello", "你好"}}) + kRomanizationStart + "Ni hao</div>";
  EXPECT_EQ(translation_result_text(with, false, true), "Hello\r\n=============================\r\nNi hao");
  // Interleaved: the separator is empty.
  EXPECT_EQ(translation_result_text(with, true, true),
            "Hello\r\n//你好\r\n\r\n=============================\r\nNi hao");
  // The site's placeholder: nothing appended; no romanization at all: the line still is.
  std::string placeholder =
      sentence_page({{"Hello", "你好"}}) + kRomanizationStart + "Google 免费的在线语言翻译服务可即时翻译文本和网页。</div>";
  EXPECT_EQ(translation_result_text(placeholder, false, true), "Hello");
  EXPECT_EQ(translation_result_text(sentence_page({{"Hello", "你好"}}), false, true),
            "Hello\r\n=============================\r\n");
}

TEST(TranslationRules, TheBrowserAddress) {
  const std::string root = "http://translate.example.com/";
  EXPECT_EQ(translation_browser_address(root, "auto", "en", "你好 a"), root + "#auto|en|你好 a");
  std::string text428(428, 'x'), text429(429, 'x');
  EXPECT_EQ(translation_browser_address(root, "auto", "en", text428), root + "#auto|en|" + text428);
  EXPECT_EQ(translation_browser_address(root, "auto", "en", text429), root + "#");
}

TEST(TranslationRules, WhatTheReadButtonsSpeak) {
  const std::string short_text(199, 'a'), exactly(200, 'b'), long_text(201, 'c');
  EXPECT_EQ(speech_text(short_text, "aa"), short_text);
  EXPECT_EQ(speech_text(exactly, "bb"), "bb");  // 200 bytes: the selection
  EXPECT_EQ(speech_text(exactly, ""), "");
  EXPECT_EQ(speech_text(long_text, std::string(200, 'c')), std::string(200, 'c'));
  EXPECT_EQ(speech_text(long_text, std::string(201, 'c')), "");  // too long: nothing
}

TEST(TranslationRules, TheSpeechFileNameStem) {
  EXPECT_EQ(speech_name_stem("一二三四五六七"), "一二三四五六");
  EXPECT_EQ(speech_name_stem("abcdefghijk一二"), "abcdefghijk");  // no half character
  EXPECT_EQ(speech_name_stem("a\r\nb\tc"), "abc");
  EXPECT_EQ(speech_name_stem("\r\n\r\n\r\n\r\n\r\n\r\n"), "");
  EXPECT_EQ(speech_name_stem(""), "");
}

TEST(TranslationRules, TheButtonStates) {
  const std::string s200(200, 'x'), s201(201, 'x');
  EXPECT_FALSE(translate_button_enabled(""));
  EXPECT_TRUE(translate_button_enabled("a"));
  EXPECT_FALSE(read_button_enabled_by_text(""));
  EXPECT_TRUE(read_button_enabled_by_text(s200));
  EXPECT_FALSE(read_button_enabled_by_text(s201));
  struct Case {
    std::string text;
    int selected;
    bool enabled;
  };
  const Case cases[] = {
      {"", 0, false}, {"abc", 0, true}, {s200, 0, false}, {s200, 1, true},
      {s200, 200, true}, {s201, 201, false}, {s201, 5, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.text.size()) + " " + std::to_string(c.selected));
    EXPECT_EQ(read_button_enabled_by_selection(c.text, c.selected), c.enabled);
  }
}

}  // namespace
