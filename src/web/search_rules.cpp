#include "web/search_rules.h"

#include "common/text_routines.h"
#include "runtime/gbk_text.h"
#include "web/http.h"
#include "web/web_hosts.h"

namespace {

struct EngineWords {
  SearchEngine engine;
  const char* name;
  const char* menu_hint;
};
constexpr EngineWords kEngines[] = {
    {SearchEngine::kBaidu, "百度", "  使用百度搜索引擎搜索"},
    {SearchEngine::kSoso, "搜搜", "  使用SOSO搜索引擎搜索"},
    {SearchEngine::kSogou, "搜狗", "  使用搜狗搜索引擎搜索"},
    {SearchEngine::kGoogle, "谷歌", "  使用谷歌搜索引擎搜索"},
};

const EngineWords* words_of(SearchEngine engine) {
  for (const EngineWords& w : kEngines)
    if (w.engine == engine) return &w;
  return nullptr;
}

std::vector<std::string> split_items(std::string_view source) { return rt::split_text(source, "\",\""); }

std::vector<std::string> non_empty(std::vector<std::string> items) {
  std::erase_if(items, [](const std::string& item) { return item.empty(); });
  return items;
}

}  // namespace

SearchEngine search_engine_of_setting(int stored) {
  switch (stored) {
    case 2:
      return SearchEngine::kSoso;
    case 3:
      return SearchEngine::kSogou;
    case 4:
      return SearchEngine::kGoogle;
    default:
      return SearchEngine::kBaidu;
  }
}

std::string soso_suggestions_address(std::string_view text) {
  return web_address(WebHost::kSosoSuggestions, "/wh.q?w=" + url_encode(text));
}

std::string baidu_suggestions_address(std::string_view text) {
  return web_address(WebHost::kBaiduSuggestions,
                     "/su?wd=" + url_encode(text) + "&p=3&cb=window.bdsug.sug&t=1296640973605");
}

std::string sogou_suggestions_address(std::string_view text) {
  return web_address(WebHost::kSogouSuggestions, "/sugg/ajaj_json.jsp?key=" + url_encode(text) + "&type=web&pr=web");
}

std::vector<std::string> cut_soso_suggestions(std::string_view reply) {
  std::vector<std::string> items;
  all_texts_between(reply, "0\t", "\t0", items);
  return items;
}

CutReply cut_baidu_suggestions(std::string_view reply) {
  CutReply r;
  r.source = text_between(reply, "s:[\"", "\"]");
  r.items = split_items(r.source);
  return r;
}

CutReply cut_sogou_suggestions(std::string_view reply) {
  CutReply r;
  r.source = text_between(reply, ",[\"", "\"]");
  r.items = split_items(r.source);
  return r;
}

std::vector<std::string> search_suggestions(SearchEngine engine, std::string_view keyword, const WebFetch& fetch) {
  switch (engine) {
    case SearchEngine::kBaidu:
      return non_empty(cut_baidu_suggestions(fetch(baidu_suggestions_address(keyword))).items);
    case SearchEngine::kSoso:
      return non_empty(cut_soso_suggestions(fetch(soso_suggestions_address(keyword))));
    case SearchEngine::kSogou:
      return non_empty(cut_sogou_suggestions(fetch(sogou_suggestions_address(keyword))).items);
    default:
      return {};
  }
}

std::string search_result_address(SearchEngine engine, std::string_view text) {
  const std::string q = url_encode(text);
  switch (engine) {
    case SearchEngine::kBaidu:
      return web_address(WebHost::kBaiduSearch, "/s?wd=" + q);
    case SearchEngine::kSoso:
      return web_address(WebHost::kSosoSearch, "/q?pid=s.idx&w=" + q);
    case SearchEngine::kSogou:
      return web_address(WebHost::kSogouSearch, "/web?query=" + q);
    case SearchEngine::kGoogle:
      return web_address(WebHost::kGoogleSearch, "/search?&q=" + q);
    default:
      return {};
  }
}

std::string_view search_engine_name(SearchEngine engine) {
  const EngineWords* w = words_of(engine);
  return w ? w->name : "";
}

std::optional<SearchEngine> search_engine_of_caption(std::string_view caption) {
  for (const EngineWords& w : kEngines)
    if (caption == w.name) return w.engine;
  return std::nullopt;
}

std::string search_engine_tip(SearchEngine engine) {
  std::string tip = "当前使用搜索引擎为：" + std::string(search_engine_name(engine)) + "\r\n";
  if (engine == SearchEngine::kGoogle) tip += "谷歌搜索引擎没有提示功能\r\n";
  return tip + "单击更换其他搜索引擎";
}

std::string engine_menu_hint(std::string_view caption) {
  std::optional<SearchEngine> engine = search_engine_of_caption(caption);
  return engine ? words_of(*engine)->menu_hint : "";
}
