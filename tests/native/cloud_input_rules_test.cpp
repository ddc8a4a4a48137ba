// The window-free rules of the cloud input method: the QQ prefix, the pinyin sent, each
// service's request and reply, the suggestions that stand in, and paging. The services answer
// through a fake fetch that records the addresses asked for. Literals are GBK.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/encoding.h"
#include "web/cloud_input_rules.h"
#include "web/http.h"
#include "web/web_hosts.h"

namespace {

using Items = std::vector<std::string>;

// Answers by the address's path (the part after the host), records every address.
struct FakeServices {
  std::map<std::string, std::string> replies;  // path prefix -> reply
  std::vector<std::string> asked;
  CloudFetch fetch() {
    return [this](const std::string& address) {
      asked.push_back(address);
      std::string path = url_path(address);
      for (const auto& [prefix, reply] : replies)
        if (path.compare(0, prefix.size(), prefix) == 0) return reply;
      return std::string();
    };
  }
  std::vector<std::string> paths() const {
    std::vector<std::string> out;
    for (const std::string& a : asked) out.push_back(url_path(a));
    return out;
  }
};

std::string utf8(std::string_view gbk) { return rt::convert_encoding(gbk, "GBK", "UTF-8"); }

// Every byte of the UTF-8 form as %XX, as the Sogou service writes its candidates.
std::string percent_utf8(std::string_view gbk) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : utf8(gbk)) {
    out += '%';
    out += hex[b >> 4];
    out += hex[b & 15];
  }
  return out;
}

const std::string kDefaultPrefix = build_qq_ime_prefix({});

std::string qq_reply(std::string_view list) { return utf8("{\"q\":\"nihao\",\"rs\":[\"" + std::string(list) + "\"],\"rsn\":3}"); }

TEST(CloudInputRules, TheQqPrefixFollowsTheSettingsInItsOrder) {
  EXPECT_EQ(kDefaultPrefix, "/fcgi-bin/getword?&mh=1&jf=0&md=3&st=4&p=");
  QqImeSettings s;
  s.input_method = 1;
  s.fuzzy = false;
  s.output_mode = 1;
  s.pinyin_mode = 0;
  s.shuangpin_style = 0;
  EXPECT_EQ(build_qq_ime_prefix(s), "/fcgi-bin/gwb?&mh=0&jf=1&md=1&st=1&p=");
  s = {};
  s.pinyin_mode = 1;
  s.shuangpin_style = 5;
  EXPECT_EQ(build_qq_ime_prefix(s), "/fcgi-bin/getword?&mh=1&jf=0&md=2&st=6&p=");
}

TEST(CloudInputRules, ThePinyinGoesWithoutBlanksAndOtherwiseAsTyped) {
  EXPECT_EQ(cloud_pinyin("ni hao"), "nihao");
  EXPECT_EQ(cloud_pinyin(" ni　hao "), "nihao");  // a full-width blank too
  EXPECT_EQ(cloud_pinyin("zhong'guo"), "zhong'guo");
  EXPECT_EQ(url_path(qq_ime_address(kDefaultPrefix, 1, cloud_pinyin("ni hao"))),
            "/fcgi-bin/getword?&mh=1&jf=0&md=3&st=4&p=1&q=nihao");
  EXPECT_EQ(url_path(baidu_ime_address("a%b", 20)), "/py?py=a%b&rn=20&pn=20&t=1296640820739");
  EXPECT_EQ(url_path(sogou_ime_address("K1", "nihao")), "/api/py?key=K1&query=nihao");
  EXPECT_EQ(url_path(sogou_ime_key_address()), "/web_ime/patch.php");
  // The suggestions take the box as typed, percent-encoded.
  EXPECT_EQ(url_path(soso_suggestions_address("ni hao")), "/wh.q?w=ni%20hao");
  EXPECT_EQ(url_path(baidu_suggestions_address("ni hao")), "/su?wd=ni%20hao&p=3&cb=window.bdsug.sug&t=1296640973605");
  EXPECT_EQ(url_path(sogou_suggestions_address("你")), "/sugg/ajaj_json.jsp?key=%E4%BD%A0&type=web&pr=web");
}

TEST(CloudInputRules, EachReplyIsCutByItsMarkers) {
  struct QqCase {
    std::string reply;
    std::string source;
    Items items;
  };
  const QqCase qq[] = {
      {qq_reply("你好\",\"拟好\",\"你"), "你好\",\"拟好\",\"你", {"你好", "拟好", "你"}},
      {utf8("{\"rs\":[]}"), "", {}},
      {"", "", {}},
      {"\xFF\xFE not UTF-8", "", {}},
      // A zero in the reply carries nothing and could not go into the list: the candidates after
      // it stay.
      {utf8("{\"q\":\"nihao\",") + std::string(1, '\0') + utf8("\"rs\":[\"你好\",\"拟好\"],"),
       "你好\",\"拟好",
       {"你好", "拟好"}},
  };
  for (const QqCase& c : qq) {
    CutReply r = cut_qq_ime_reply(c.reply);
    EXPECT_EQ(r.source, c.source);
    EXPECT_EQ(r.items, c.items);
  }

  EXPECT_EQ(cut_baidu_ime_reply("{\"0\":[[[\"你好\",5,{}],[\"拟好\",5,{}]]],\"1\":\"nihao\"}"), (Items{"你好", "拟好"}));
  EXPECT_EQ(cut_baidu_ime_reply("Baidu Online IME: nothing"), Items{});
  EXPECT_TRUE(baidu_ime_found_nothing("Baidu Online IME: nothing"));
  EXPECT_FALSE(baidu_ime_found_nothing(" Baidu Online IME"));

  // Sogou: "+" and TABs go, the weights' digits go, the full-width colon separates; the colon's
  // bytes A3 BA inside 埃好 (B0 A3 BA C3) are no separator.
  std::string sogou = "ime_callback(\"" + percent_utf8("你好：12\t埃好：3") + "+\",\"nihao\")";
  CutReply s = cut_sogou_ime_reply(sogou);
  EXPECT_EQ(s.source, "你好：埃好：");
  EXPECT_EQ(s.items, (Items{"你好", "埃好"}));
  // A decoded zero ends the text; a byte that is no UTF-8 loses only its own character.
  EXPECT_EQ(cut_sogou_ime_reply("ime_callback(\"%E4%BD%A0%00%E5%A5%BD\",\"nihao\")").source, "你");
  std::string broken = "ime_callback(\"" + percent_utf8("你好：1") + "%FF" + percent_utf8("好：埃好：3") + "\",\"nihao\")";
  EXPECT_EQ(cut_sogou_ime_reply(broken).items, (Items{"你好", "\x84\x31\xA4\x37好", "埃好"}));
  EXPECT_TRUE(cut_sogou_ime_reply("ime_callback(\"\",\"nihao\")").source.empty());
  EXPECT_TRUE(cut_sogou_ime_reply("callback(\"%E4%BD%A0\",\"\")").items.empty());
  EXPECT_EQ(cut_sogou_ime_key("var key = \"3c1f2a\"; var x = \"y\";"), "3c1f2a");
  EXPECT_EQ(cut_sogou_ime_key("no key"), "");

  EXPECT_EQ(cut_soso_suggestions("hao\r\n0\t你好\t0\t你好吗\t0\r\n"), (Items{"你好", "你好吗"}));
  CutReply b = cut_baidu_suggestions("window.bdsug.sug({q:\"nihao\",p:false,s:[\"你好\",\"你好吗\"]});");
  EXPECT_EQ(b.items, (Items{"你好", "你好吗"}));
  EXPECT_TRUE(cut_baidu_suggestions("window.bdsug.sug({q:\"x\",p:false,s:[]});").source.empty());
  CutReply g = cut_sogou_suggestions("window.sogou.sug([\"nihao\",[\"你好\",\"你好啊\"],[\"0\"]],-1);");
  EXPECT_EQ(g.items, (Items{"你好", "你好啊"}));
}

TEST(CloudInputRules, TheQqQueryAsksPageOneAndFallsBackToSosoWhenAsked) {
  FakeServices web;
  web.replies["/fcgi-bin/"] = qq_reply("你好\",\"\",\"拟好");
  CloudRequest r{CloudEngine::kQq, "ni hao", kDefaultPrefix, "", true, 0};
  CloudCandidates c = query_cloud_candidates(r, web.fetch());
  EXPECT_EQ(c.items, (Items{"你好", "拟好"}));  // the empty one is left out
  EXPECT_TRUE(c.pageable);
  ASSERT_EQ(web.asked.size(), 1u);
  EXPECT_EQ(web.paths()[0], "/fcgi-bin/getword?&mh=1&jf=0&md=3&st=4&p=1&q=nihao");

  // Nothing found: the Soso suggestions of the box as typed, whose whole reply offers pages.
  web.replies["/fcgi-bin/"] = utf8("{\"rs\":[]}");
  web.replies["/wh.q"] = "0\t你好\t0";
  web.asked.clear();
  c = query_cloud_candidates(r, web.fetch());
  EXPECT_EQ(web.paths(), (std::vector<std::string>{"/fcgi-bin/getword?&mh=1&jf=0&md=3&st=4&p=1&q=nihao", "/wh.q?w=ni%20hao"}));
  EXPECT_EQ(c.items, Items{"你好"});
  EXPECT_TRUE(c.pageable);
  web.replies["/wh.q"] = "";
  c = query_cloud_candidates(r, web.fetch());
  EXPECT_TRUE(c.items.empty());
  EXPECT_FALSE(c.pageable);

  // The fallback off: no second request.
  r.fallback = false;
  web.asked.clear();
  c = query_cloud_candidates(r, web.fetch());
  EXPECT_EQ(web.asked.size(), 1u);
  EXPECT_TRUE(c.items.empty());
  EXPECT_FALSE(c.pageable);
}

TEST(CloudInputRules, TheBaiduQueryFallsBackOnlyOnItsNothingFoundAnswer) {
  FakeServices web;
  web.replies["/py"] = "[[[\"你好\",1],[\"拟好\",1]]]";
  web.replies["/su"] = "window.bdsug.sug({s:[\"你好吗\"]});";
  CloudRequest r{CloudEngine::kBaidu, "ni hao", "", "", true, 0};
  CloudCandidates c = query_cloud_candidates(r, web.fetch());
  EXPECT_EQ(c.items, (Items{"你好", "拟好"}));
  EXPECT_TRUE(c.pageable);
  EXPECT_EQ(web.paths(), std::vector<std::string>{"/py?py=nihao&rn=0&pn=20&t=1296640820739"});

  web.replies["/py"] = "Baidu Online IME";
  web.asked.clear();
  c = query_cloud_candidates(r, web.fetch());
  EXPECT_EQ(web.paths()[1], "/su?wd=ni%20hao&p=3&cb=window.bdsug.sug&t=1296640973605");
  EXPECT_EQ(c.items, Items{"你好吗"});
  EXPECT_TRUE(c.pageable);
  // Suggestions without a list: the service's own answer counts (a reply, no candidates).
  web.replies["/su"] = "window.bdsug.sug({s:[]});";
  c = query_cloud_candidates(r, web.fetch());
  EXPECT_TRUE(c.items.empty());
  EXPECT_TRUE(c.pageable);
  // No reply at all: nothing to page.
  web.replies.clear();
  c = query_cloud_candidates(r, web.fetch());
  EXPECT_FALSE(c.pageable);
}

TEST(CloudInputRules, TheSogouQueryAlwaysFallsBackToItsSuggestions) {
  FakeServices web;
  web.replies["/api/py"] = "ime_callback(\"" + percent_utf8("你好：9") + "\",\"nihao\")";
  web.replies["/sugg/"] = "window.sogou.sug([\"nihao\",[\"你好啊\"]],-1);";
  CloudRequest r{CloudEngine::kSogou, "ni hao", "", "K1", false, 0};
  CloudCandidates c = query_cloud_candidates(r, web.fetch());
  EXPECT_EQ(c.items, Items{"你好"});
  EXPECT_TRUE(c.pageable);
  EXPECT_EQ(web.paths(), std::vector<std::string>{"/api/py?key=K1&query=nihao"});

  // Nothing found: the suggestions, although the fallback is off.
  web.replies["/api/py"] = "ime_callback(\"\",\"nihao\")";
  web.asked.clear();
  c = query_cloud_candidates(r, web.fetch());
  ASSERT_EQ(web.asked.size(), 2u);
  EXPECT_EQ(web.paths()[1], "/sugg/ajaj_json.jsp?key=ni%20hao&type=web&pr=web");
  EXPECT_EQ(c.items, Items{"你好啊"});
  EXPECT_TRUE(c.pageable);
  web.replies.erase("/sugg/");
  c = query_cloud_candidates(r, web.fetch());
  EXPECT_TRUE(c.items.empty());
  EXPECT_FALSE(c.pageable);
}

TEST(CloudInputRules, PagingAsksThePageAndNeverTheSuggestions) {
  struct Case {
    CloudEngine engine;
    int page;
    std::string path;
  };
  const Case cases[] = {
      {CloudEngine::kQq, 2, "/fcgi-bin/getword?&mh=1&jf=0&md=3&st=4&p=2&q=nihao"},
      {CloudEngine::kQq, 0, "/fcgi-bin/getword?&mh=1&jf=0&md=3&st=4&p=0&q=nihao"},
      {CloudEngine::kBaidu, 20, "/py?py=nihao&rn=20&pn=20&t=1296640820739"},
      {CloudEngine::kBaidu, -20, "/py?py=nihao&rn=-20&pn=20&t=1296640820739"},
      {CloudEngine::kSogou, 1, "/api/py?key=K1&query=nihao&p=1"},
  };
  for (const Case& c : cases) {
    FakeServices web;
    CloudRequest r{c.engine, "ni hao", kDefaultPrefix, "K1", true, c.page};
    CloudCandidates found = page_cloud_candidates(r, web.fetch());
    EXPECT_TRUE(found.items.empty());
    EXPECT_EQ(web.paths(), std::vector<std::string>{c.path});
  }
  FakeServices web;
  web.replies["/api/py"] = "ime_callback(\"" + percent_utf8("号：1\t好：1") + "\",\"x\")";
  CloudRequest r{CloudEngine::kSogou, "hao", "", "K1", true, 2};
  EXPECT_EQ(page_cloud_candidates(r, web.fetch()).items, (Items{"号", "好"}));
  EXPECT_EQ(cloud_first_page(CloudEngine::kQq), 1);
  EXPECT_EQ(cloud_first_page(CloudEngine::kBaidu), 0);
  EXPECT_EQ(cloud_first_page(CloudEngine::kSogou), 0);
  EXPECT_EQ(cloud_page_step(CloudEngine::kBaidu), 20);
  EXPECT_EQ(cloud_page_step(CloudEngine::kQq), 1);
  EXPECT_EQ(cloud_page_step(CloudEngine::kSogou), 1);
}

TEST(CloudInputRules, EveryServiceTakesItsHostFromTheTable) {
  struct Case {
    WebHost host;
    std::string (*address)();
    const char* own_host;
  };
  const Case cases[] = {
      {WebHost::kQqCloudInput, [] { return qq_ime_address("/p=", 1, "a"); }, "ime.qq.com"},
      {WebHost::kBaiduCloudInput, [] { return baidu_ime_address("a", 0); }, "olime.baidu.com"},
      {WebHost::kSogouCloudInput, [] { return sogou_ime_key_address(); }, "web.pinyin.sogou.com"},
      {WebHost::kSosoSuggestions, [] { return soso_suggestions_address("a"); }, "www.soso.com"},
      {WebHost::kBaiduSuggestions, [] { return baidu_suggestions_address("a"); }, "suggestion.baidu.com"},
      {WebHost::kSogouSuggestions, [] { return sogou_suggestions_address("a"); }, "www.sogou.com"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.own_host);
    // The test programs point every service somewhere of their own; put that back after.
    const std::string pointed = web_host(c.host);
    point_web_host(c.host, "");
    EXPECT_EQ(url_host(c.address()), c.own_host);
    point_web_host(c.host, "127.0.0.1:8080");
    EXPECT_EQ(c.address().substr(0, 22), "http://127.0.0.1:8080/");
    point_web_host(c.host, pointed);
  }
}

}  // namespace
