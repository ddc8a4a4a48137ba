#pragma once
// The cloud input method's exchanges as rules: the QQ query prefix, the addresses of the three
// input-method services and of the search engines' suggestions that stand in when a service
// finds nothing, and what is cut out of each reply by its literal markers. GBK text in and
// out. The fetching is the caller's: a function from an address to the reply's bytes. The
// search engines' suggestion services are the web search's (web/search_rules.h).
#include <string>
#include <string_view>
#include <vector>

#include "web/search_rules.h"

// The entries of the engine combo, in its order.
enum class CloudEngine : int { kQq = 0, kBaidu = 1, kSogou = 2 };

// The QQ service's settings, as the indexes of the window's combos.
struct QqImeSettings {
  int input_method = 0;  // 0 pinyin, 1 wubi
  bool fuzzy = true;     // fuzzy pinyin
  int output_mode = 0;   // 0 simplified, 1 traditional
  int pinyin_mode = 2;   // 0 全拼, 1 双拼, 2 混合
  int shuangpin_style = 3;  // 0 智能ABC .. 5 自然码; 3 紫光拼音
};
// "/fcgi-bin/" + "getword?" or "gwb?" + "&mh=" + "&jf=" + "&md=" + "&st=" + "&p=": the QQ
// request up to its page number.
std::string build_qq_ime_prefix(const QqImeSettings& settings);

// What the input-method services receive: the box text without its ASCII and full-width blanks,
// otherwise as typed (not percent-encoded).
std::string cloud_pinyin(std::string_view box_text);

// The requests. The suggestion services take the box text as typed, percent-encoded.
std::string qq_ime_address(std::string_view prefix, int page, std::string_view pinyin);
std::string baidu_ime_address(std::string_view pinyin, int offset);
std::string sogou_ime_address(std::string_view key, std::string_view query);
std::string sogou_ime_key_address();

// Replies are cut into a CutReply (web/search_rules.h): the text the candidates come from and
// the candidates, empty ones included.
// The UTF-8 reply of the QQ service.
CutReply cut_qq_ime_reply(std::string_view utf8_reply);
// Every text between [" and ", of the Baidu service's reply.
std::vector<std::string> cut_baidu_ime_reply(std::string_view reply);
// The Baidu service's answer when it has nothing for the pinyin.
bool baidu_ime_found_nothing(std::string_view reply);
// The Sogou service's callback: percent-encoded UTF-8, each candidate followed by a full-width
// colon and its weight.
CutReply cut_sogou_ime_reply(std::string_view reply);
// The service key: the text between the reply's first two double quotes.
std::string cut_sogou_ime_key(std::string_view reply);

using CloudFetch = WebFetch;

// One request of the window: the engine, the pinyin box's text and the settings it is asked with.
struct CloudRequest {
  CloudEngine engine = CloudEngine::kQq;
  std::string box_text;
  std::string qq_prefix;
  std::string sogou_key;
  bool fallback = true;  // ask the engine's suggestions when the input method finds nothing
  int page = 0;          // paging: the page (QQ, Sogou) or result offset (Baidu) asked for
};

struct CloudCandidates {
  std::vector<std::string> items;  // the non-empty candidates, in order
  // The text they were cut from is not empty: the page buttons are offered.
  bool pageable = false;
};

// A new pinyin: its first page, with the engine's suggestions standing in when the input
// method has nothing (QQ and Baidu when `fallback`, Sogou always).
CloudCandidates query_cloud_candidates(const CloudRequest& request, const CloudFetch& fetch);
// Another page of the same pinyin (request.page); no suggestions stand in.
CloudCandidates page_cloud_candidates(const CloudRequest& request, const CloudFetch& fetch);
// The paging state of a new query, and its step: pages for QQ (from 1) and Sogou (from 0),
// result offsets in steps of 20 for Baidu (from 0).
int cloud_first_page(CloudEngine engine);
int cloud_page_step(CloudEngine engine);
