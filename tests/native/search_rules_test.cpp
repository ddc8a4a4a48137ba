// The window-free rules of the web search: the stored engine, each engine's suggestion request
// and the cutting of its reply, the result pages, and the words shown for an engine. The
// services answer through a fake fetch that records the addresses asked for. Literals are GBK.
#include "web/search_rules.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "web/http.h"
#include "web/web_hosts.h"

namespace {

using Items = std::vector<std::string>;

// Answers by the address's path, records every address asked.
struct FakeServices {
  std::map<std::string, std::string> replies;  // path prefix -> reply
  std::vector<std::string> asked;
  WebFetch fetch() {
    return [this](const std::string& address) {
      asked.push_back(url_path(address));
      for (const auto& [prefix, reply] : replies)
        if (asked.back().compare(0, prefix.size(), prefix) == 0) return reply;
      return std::string();
    };
  }
};

TEST(SearchRules, TheStoredChoiceNamesTheEngineAndAnythingElseIsBaidu) {
  struct Case {
    int stored;
    SearchEngine engine;
  };
  const Case cases[] = {{0, SearchEngine::kBaidu}, {1, SearchEngine::kBaidu},  {2, SearchEngine::kSoso},
                        {3, SearchEngine::kSogou}, {4, SearchEngine::kGoogle}, {5, SearchEngine::kBaidu},
                        {-1, SearchEngine::kBaidu}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    EXPECT_EQ(search_engine_of_setting(c.stored), c.engine);
  }
}

TEST(SearchRules, EachEngineIsAskedInItsShapeAndItsReplyCutByItsMarkers) {
  struct Case {
    SearchEngine engine;
    std::string keyword;
    std::string path;  // what the service is asked; empty: nothing is asked
    std::string reply;
    Items items;
  };
  const Case cases[] = {
      {SearchEngine::kBaidu,
       "ni hao",
       "/su?wd=ni%20hao&p=3&cb=window.bdsug.sug&t=1296640973605",
       "window.bdsug.sug({q:\"ni hao\",p:false,s:[\"你好\",\"你好吗\"]});",
       {"你好", "你好吗"}},
      // An empty list, and a reply without the markers, give nothing.
      {SearchEngine::kBaidu,
       "x",
       "/su?wd=x&p=3&cb=window.bdsug.sug&t=1296640973605",
       "window.bdsug.sug({q:\"x\",p:false,s:[]});",
       {}},
      {SearchEngine::kBaidu, "x", "/su?wd=x&p=3&cb=window.bdsug.sug&t=1296640973605", "<html>busy</html>", {}},
      {SearchEngine::kSoso,
       "天气",
       "/wh.q?w=%E5%A4%A9%E6%B0%94",
       "天气\r\n0\t天气预报\t0\t天气网\t0\r\n",
       {"天气预报", "天气网"}},
      {SearchEngine::kSogou,
       "a&b=c",
       "/sugg/ajaj_json.jsp?key=a%26b%3Dc&type=web&pr=web",
       "window.sogou.sug([\"a&b=c\",[\"a&b=c是什么\",\"\",\"a&b\"],[\"0\"]],-1);",
       {"a&b=c是什么", "a&b"}},
      // Google has no suggestion service: nothing is asked.
      {SearchEngine::kGoogle, "ni", "", "", {}},
      {static_cast<SearchEngine>(7), "ni", "", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.engine)) + " " + c.reply);
    FakeServices services;
    if (!c.path.empty()) services.replies[c.path] = c.reply;
    EXPECT_EQ(search_suggestions(c.engine, c.keyword, services.fetch()), c.items);
    EXPECT_EQ(services.asked, c.path.empty() ? Items{} : Items{c.path});
  }
}

TEST(SearchRules, TheResultPagesCarryTheTextEncoded) {
  struct Case {
    SearchEngine engine;
    const char* host;
    const char* path;
  };
  const Case cases[] = {
      {SearchEngine::kBaidu, "www.baidu.com", "/s?wd=C%23%20%E5%A4%A9"},
      {SearchEngine::kSoso, "www.soso.com", "/q?pid=s.idx&w=C%23%20%E5%A4%A9"},
      {SearchEngine::kSogou, "www.sogou.com", "/web?query=C%23%20%E5%A4%A9"},
      {SearchEngine::kGoogle, "www.google.com", "/search?&q=C%23%20%E5%A4%A9"},
  };
  const WebHost rows[] = {WebHost::kBaiduSearch, WebHost::kSosoSearch, WebHost::kSogouSearch, WebHost::kGoogleSearch};
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.host);
    // The test programs point every service somewhere of their own; put that back after.
    const std::string pointed = web_host(rows[i]);
    point_web_host(rows[i], "");
    std::string address = search_result_address(c.engine, "C# 天");
    EXPECT_EQ(url_host(address), c.host);
    EXPECT_EQ(url_path(address), c.path);
    point_web_host(rows[i], "127.0.0.1:8080");
    EXPECT_EQ(search_result_address(c.engine, "x").substr(0, 22), "http://127.0.0.1:8080/");
    point_web_host(rows[i], pointed);
  }
  EXPECT_EQ(search_result_address(static_cast<SearchEngine>(0), "x"), "");
}

TEST(SearchRules, TheWordsShownForAnEngine) {
  struct Case {
    SearchEngine engine;
    const char* name;
    const char* hint;
    const char* tip;
  };
  const Case cases[] = {
      {SearchEngine::kBaidu, "百度", "  使用百度搜索引擎搜索", "当前使用搜索引擎为：百度\r\n单击更换其他搜索引擎"},
      {SearchEngine::kSoso, "搜搜", "  使用SOSO搜索引擎搜索", "当前使用搜索引擎为：搜搜\r\n单击更换其他搜索引擎"},
      {SearchEngine::kSogou, "搜狗", "  使用搜狗搜索引擎搜索", "当前使用搜索引擎为：搜狗\r\n单击更换其他搜索引擎"},
      {SearchEngine::kGoogle, "谷歌", "  使用谷歌搜索引擎搜索",
       "当前使用搜索引擎为：谷歌\r\n谷歌搜索引擎没有提示功能\r\n单击更换其他搜索引擎"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(search_engine_name(c.engine), c.name);
    EXPECT_EQ(search_engine_of_caption(c.name), c.engine);
    EXPECT_EQ(engine_menu_hint(c.name), c.hint);
    EXPECT_EQ(search_engine_tip(c.engine), c.tip);
  }
  EXPECT_EQ(search_engine_of_caption("必应"), std::nullopt);
  EXPECT_EQ(engine_menu_hint("必应"), "");
}

}  // namespace
