#pragma once
// The web search of mini mode as rules: the four search engines, the addresses of their
// suggestion services (which also stand in for the cloud input method, web/cloud_input_rules.h)
// and of their result pages, what is cut out of each suggestion reply by its literal markers,
// and the words the mini window shows for an engine. GBK text in and out. The fetching is the
// caller's: a function from an address to the reply's bytes.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using WebFetch = std::function<std::string(const std::string& address)>;

// The engines by the numbers the program stores and shows.
enum class SearchEngine : int { kBaidu = 1, kSoso = 2, kSogou = 3, kGoogle = 4 };

// The engine of the stored "默认启用搜索引擎" (index + 1): 2 Soso, 3 Sogou, 4 Google; Baidu for 1
// and for anything else (0, absent, a number that names no engine).
SearchEngine search_engine_of_setting(int stored);

// The suggestion services' requests: the text as typed, percent-encoded.
std::string soso_suggestions_address(std::string_view text);
std::string baidu_suggestions_address(std::string_view text);
std::string sogou_suggestions_address(std::string_view text);

// A reply cut: the text the items come from (empty when the markers are missing) and the items,
// empty ones included.
struct CutReply {
  std::string source;
  std::vector<std::string> items;
};
// Every text between "0" TAB and TAB "0".
std::vector<std::string> cut_soso_suggestions(std::string_view reply);
// The text between s:[" and "], split at ",".
CutReply cut_baidu_suggestions(std::string_view reply);
// The text between ,[" and "], split at ",".
CutReply cut_sogou_suggestions(std::string_view reply);

// The engine's suggestions for the keyword, the non-empty ones in order. Google has no service
// and is not asked, nor is anything for a number that names no engine.
std::vector<std::string> search_suggestions(SearchEngine engine, std::string_view keyword, const WebFetch& fetch);
// The engine's result page for the text; empty for a number that names no engine.
std::string search_result_address(SearchEngine engine, std::string_view text);

// "百度", "搜搜", "搜狗", "谷歌": the engine menu's captions and the hint over the empty box; empty
// for a number that names no engine.
std::string_view search_engine_name(SearchEngine engine);
// The engine a menu caption names, or nothing.
std::optional<SearchEngine> search_engine_of_caption(std::string_view caption);
// The tip of the engine button and of its drop-down arrow.
std::string search_engine_tip(SearchEngine engine);
// What the mini window's title shows while the menu item with this caption is highlighted; empty
// for an item that names no engine.
std::string engine_menu_hint(std::string_view caption);
