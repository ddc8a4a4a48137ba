#include "web/cloud_input_rules.h"

#include "common/text_routines.h"
#include "runtime/encoding.h"
#include "runtime/gbk_text.h"
#include "web/http.h"
#include "web/web_hosts.h"

namespace {

std::string number(int n) { return std::to_string(n); }

std::vector<std::string> split_items(std::string_view source) { return rt::split_text(source, "\",\""); }

// The text without the ASCII digits; digits are never the second byte of a GBK character.
std::string without_digits(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    size_t n = rt::char_size_at(text, i);
    if (n == 2 || text[i] < '0' || text[i] > '9') out.append(text.substr(i, n));
    i += n;
  }
  return out;
}

CloudCandidates candidates_of(const std::vector<std::string>& items, bool pageable) {
  CloudCandidates c;
  for (const std::string& item : items)
    if (!item.empty()) c.items.push_back(item);
  c.pageable = pageable;
  return c;
}

std::string qq_reply(const CloudRequest& r, const CloudFetch& fetch, int page) {
  return fetch(qq_ime_address(r.qq_prefix, page, cloud_pinyin(r.box_text)));
}

}  // namespace

std::string build_qq_ime_prefix(const QqImeSettings& s) {
  std::string prefix = "/fcgi-bin/";
  prefix += s.input_method == 1 ? "gwb?" : "getword?";
  prefix += s.fuzzy ? "&mh=1" : "&mh=0";
  prefix += "&jf=" + number(s.output_mode);
  prefix += "&md=" + number(s.pinyin_mode + 1);
  prefix += "&st=" + number(s.shuangpin_style + 1);
  return prefix + "&p=";
}

std::string cloud_pinyin(std::string_view box_text) { return rt::remove_blanks(box_text); }

std::string qq_ime_address(std::string_view prefix, int page, std::string_view pinyin) {
  return web_address(WebHost::kQqCloudInput, std::string(prefix) + number(page) + "&q=" + std::string(pinyin));
}

std::string baidu_ime_address(std::string_view pinyin, int offset) {
  return web_address(WebHost::kBaiduCloudInput,
                     "/py?py=" + std::string(pinyin) + "&rn=" + number(offset) + "&pn=20&t=1296640820739");
}

std::string sogou_ime_address(std::string_view key, std::string_view query) {
  return web_address(WebHost::kSogouCloudInput, "/api/py?key=" + std::string(key) + "&query=" + std::string(query));
}

std::string sogou_ime_key_address() { return web_address(WebHost::kSogouCloudInput, "/web_ime/patch.php"); }

CutReply cut_qq_ime_reply(std::string_view utf8_reply) {
  CutReply r;
  r.source = text_between(rt::without_zero_bytes(rt::utf8_to_gbk_text(utf8_reply)), ":[\"", "\"],");
  r.items = split_items(r.source);
  return r;
}

std::vector<std::string> cut_baidu_ime_reply(std::string_view reply) {
  std::vector<std::string> items;
  all_texts_between(reply, "[\"", "\",", items);
  return items;
}

bool baidu_ime_found_nothing(std::string_view reply) { return reply.substr(0, 16) == "Baidu Online IME"; }

CutReply cut_sogou_ime_reply(std::string_view reply) {
  CutReply r;
  std::string t = text_between(reply, "ime_callback(\"", "\",\"");
  t = rt::replace_text(t, "+", "");
  t = url_decode_utf8(t);
  t = rt::replace_text(t, "\t", "");
  if (t.empty()) return r;
  r.source = without_digits(t);
  r.items = rt::split_text(r.source, "：");
  return r;
}

std::string cut_sogou_ime_key(std::string_view reply) { return text_between(reply, "\"", "\""); }

CloudCandidates query_cloud_candidates(const CloudRequest& r, const CloudFetch& fetch) {
  const std::string pinyin = cloud_pinyin(r.box_text);
  switch (r.engine) {
    case CloudEngine::kBaidu: {
      std::string reply = fetch(baidu_ime_address(pinyin, 0));
      if (baidu_ime_found_nothing(reply) && r.fallback) {
        CutReply suggestions = cut_baidu_suggestions(fetch(baidu_suggestions_address(r.box_text)));
        if (!suggestions.source.empty()) return candidates_of(suggestions.items, true);
      }
      return candidates_of(cut_baidu_ime_reply(reply), !reply.empty());
    }
    case CloudEngine::kSogou: {
      CutReply found = cut_sogou_ime_reply(fetch(sogou_ime_address(r.sogou_key, pinyin)));
      if (!found.source.empty()) return candidates_of(found.items, true);
      CutReply suggestions = cut_sogou_suggestions(fetch(sogou_suggestions_address(r.box_text)));
      return candidates_of(suggestions.items, !suggestions.source.empty());
    }
    case CloudEngine::kQq:
    default: {
      CutReply found = cut_qq_ime_reply(qq_reply(r, fetch, cloud_first_page(CloudEngine::kQq)));
      if (found.source.empty() && r.fallback) {
        std::string reply = fetch(soso_suggestions_address(r.box_text));
        return candidates_of(cut_soso_suggestions(reply), !reply.empty());
      }
      return candidates_of(found.items, !found.source.empty());
    }
  }
}

CloudCandidates page_cloud_candidates(const CloudRequest& r, const CloudFetch& fetch) {
  switch (r.engine) {
    case CloudEngine::kBaidu:
      return candidates_of(cut_baidu_ime_reply(fetch(baidu_ime_address(cloud_pinyin(r.box_text), r.page))), false);
    case CloudEngine::kSogou: {
      std::string query = rt::remove_blanks(r.box_text + "&p=" + number(r.page));
      return candidates_of(cut_sogou_ime_reply(fetch(sogou_ime_address(r.sogou_key, query))).items, false);
    }
    case CloudEngine::kQq:
    default:
      return candidates_of(cut_qq_ime_reply(qq_reply(r, fetch, r.page)).items, false);
  }
}

int cloud_first_page(CloudEngine engine) { return engine == CloudEngine::kQq ? 1 : 0; }

int cloud_page_step(CloudEngine engine) { return engine == CloudEngine::kBaidu ? 20 : 1; }
