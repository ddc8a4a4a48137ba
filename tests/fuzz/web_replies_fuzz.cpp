// The web services' replies as they arrive, whatever a server sends: the update page's fields,
// the translation page, the cloud input method's replies (fetched through the rules with the
// input as every reply), a dropped page's charset and title, and the address and query coding.
// What is cut out lies in the reply; the codings that should undo each other do.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/text_routines.h"
#include "fuzz_check.h"
#include "runtime/encoding.h"
#include "runtime/gbk_text.h"
#include "web/cloud_input_rules.h"
#include "web/dropped_page.h"
#include "web/http.h"
#include "web/translation_rules.h"
#include "web/update_rules.h"

namespace {

using std::string;
using std::string_view;

void check_update_page(string_view page, long long own_bytes) {
  string block = update_manifest_block(page);
  FUZZ_CHECK(fuzz::inside(page, block));
  UpdateInfo info = read_update_manifest(block);
  for (const string* field : {&info.name, &info.size, &info.version, &info.update_time, &info.download_address,
                              &info.homepage, &info.change_log})
    FUZZ_CHECK(fuzz::inside(block, *field));
  announces_newer_version(info.version, info.update_time);
  published_size_mb(page);
  FUZZ_CHECK(update_size_caption(page, own_bytes).starts_with(page));
  own_size_mb(own_bytes);
  change_log_text(page);
  descramble_text(page);
  FUZZ_CHECK(descramble_text(scramble_text(page)) == page);
}

void check_translation_page(string_view page, bool interleave, bool romanization, int index) {
  TranslationLanguages languages = parse_translation_languages(page);
  FUZZ_CHECK(languages.codes.size() == languages.names.size() + 1 && languages.codes[0] == "auto");
  for (const string& code : languages.codes) FUZZ_CHECK(code == "auto" || fuzz::inside(page, code));
  source_language_code(languages.codes, index);
  target_language_code(languages.codes, index);
  translation_result_text(page, interleave, romanization);
  string stem = speech_name_stem(page);
  FUZZ_CHECK(stem.size() <= 12);
  for (size_t i = 0; i < stem.size(); i += rt::char_size_at(stem, i)) {
    unsigned char c = static_cast<unsigned char>(stem[i]);
    FUZZ_CHECK(rt::char_size_at(stem, i) == 2 || (c >= 0x20 && c != 0x7F));
  }
  speech_text(page, page.substr(0, page.size() / 2));
  translation_browser_address("http://t/", "auto", "en", page);
  translation_form_body("auto", "en", page);
}

void check_cut(const CutReply& cut) {
  for (const string& item : cut.items) FUZZ_CHECK(fuzz::inside(cut.source, item));
}

void check_cloud_replies(string_view reply, int page, const string& box_text) {
  check_cut(cut_qq_ime_reply(reply));
  check_cut(cut_sogou_ime_reply(reply));
  check_cut(cut_baidu_suggestions(reply));
  check_cut(cut_sogou_suggestions(reply));
  for (const string& item : cut_baidu_ime_reply(reply)) FUZZ_CHECK(fuzz::inside(reply, item));
  for (const string& item : cut_soso_suggestions(reply)) FUZZ_CHECK(fuzz::inside(reply, item));
  FUZZ_CHECK(fuzz::inside(reply, cut_sogou_ime_key(reply)));
  baidu_ime_found_nothing(reply);

  // Every service answers with the input: the window's requests end and give what was cut.
  CloudFetch fetch = [reply](const string&) { return string(reply); };
  for (CloudEngine engine : {CloudEngine::kQq, CloudEngine::kBaidu, CloudEngine::kSogou}) {
    CloudRequest request;
    request.engine = engine;
    request.box_text = box_text;
    request.page = page;
    for (const CloudCandidates& c : {query_cloud_candidates(request, fetch), page_cloud_candidates(request, fetch)})
      for (const string& item : c.items) FUZZ_CHECK(!item.empty());
  }
}

void check_dropped_page(string_view reply) {
  string text = dropped_page_text(reply);
  FUZZ_CHECK(text.find('\0') == string::npos);
  string title = dropped_page_title(text);
  FUZZ_CHECK(fuzz::inside(text, title) && rt::trim_both(title) == title);
}

void check_addresses(string_view address, string_view text) {
  string host = url_host(address), path = url_path(address);
  FUZZ_CHECK(host.size() <= address.size());
  FUZZ_CHECK(path == "/" || address.ends_with(path));
  int port = url_port(address);
  FUZZ_CHECK(port >= 0 && port <= 65535);
  // Decoding ends at a zero.
  FUZZ_CHECK(url_decode_utf8(address).find('\0') == string::npos);

  // A query value keeps only the bytes that cannot change a query and comes back as it went.
  string query = url_encode(text);
  for (unsigned char c : query)
    FUZZ_CHECK(c >= 0x21 && c <= 0x7A && c != '#' && c != '&' && c != '+' && c != '=' && c != '?');
  bool gbk = false;
  rt::convert_encoding(text, "GBK", "UTF-8", &gbk);
  if (gbk) FUZZ_CHECK(url_decode_utf8(query) == text.substr(0, text.find('\0')));

  string headers(address);
  complete_request_headers(headers, text);
  FUZZ_CHECK(headers.starts_with(address));
  add_form_body_headers(headers, text);
  string verb = normalize_http_verb(text);
  FUZZ_CHECK(verb == "GET" || rt::to_upper_ascii(verb) == "POST");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::g_input_size = size;
  FuzzedDataProvider in(data, size);
  const int which = in.ConsumeIntegralInRange<int>(0, 4);
  const bool flag_a = in.ConsumeBool(), flag_b = in.ConsumeBool();
  const int number = in.ConsumeIntegral<int>();
  const long long own_bytes = in.ConsumeIntegral<long long>();
  const string extra = in.ConsumeRandomLengthString(64);
  const string reply = in.ConsumeRemainingBytesAsString();
  switch (which) {
    case 0:
      check_update_page(reply, own_bytes);
      break;
    case 1:
      check_translation_page(reply, flag_a, flag_b, number);
      break;
    case 2:
      check_cloud_replies(reply, number, extra);
      break;
    case 3:
      check_dropped_page(reply);
      break;
    default:
      check_addresses(reply, extra);
      break;
  }
  return 0;
}
