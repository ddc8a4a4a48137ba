#include "web/translation_rules.h"

#include "common/text_routines.h"
#include "runtime/gbk_text.h"
#include "web/http.h"

namespace {

// The site's page, as far as the program reads it.
constexpr std::string_view kSentenceStart =
    "\" onmouseover=\"this.style.backgroundColor='#ebeff9'\" "
    "onmouseout=\"this.style.backgroundColor='#fff'\">";
constexpr std::string_view kShortResult = "/></object></div><span id=result_box class=\"short_text\">";
constexpr std::string_view kLongResult = "/></object></div><span id=result_box class=\"long_text\">";
constexpr std::string_view kSourceStart = "<span title=\"";
constexpr std::string_view kRomanization =
    "<input type=file name=file id=file size=40></div><div id=gt-src-tools class=g-section "
    "style=\"display:none\"></div><div id=src-translit class=translit dir=ltr "
    "style=\"text-align:;display:block\">";
constexpr std::string_view kRomanizationPlaceholder = "Google 免费的在线语言翻译服务可即时翻译文本和网页。";
constexpr std::string_view kOptionStart = "value=\"";
constexpr std::string_view kCodeNameSeparator = "\">";
constexpr std::string_view kListEnd = "\"翻译\"";

constexpr int kBrowserTextLimit = 428;

bool valid_index(const std::vector<std::string>& list, int i) { return i >= 0 && i < static_cast<int>(list.size()); }

}  // namespace

TranslationLanguages parse_translation_languages(std::string_view page) {
  TranslationLanguages out;
  out.codes.push_back("auto");
  std::string list = text_between(page, ">目标语言：<", kListEnd);
  std::vector<std::string> options;
  all_texts_between(list, kOptionStart, "</option>", options);
  for (const std::string& option : options) {
    int at = rt::find_text(option, kCodeNameSeparator);
    if (at < 1) continue;
    out.codes.push_back(option.substr(0, static_cast<size_t>(at - 1)));
    out.names.push_back(option.substr(static_cast<size_t>(at - 1) + kCodeNameSeparator.size()));
  }
  return out;
}

std::string source_language_code(const std::vector<std::string>& codes, int source_index) {
  return valid_index(codes, source_index) ? codes[static_cast<size_t>(source_index)] : std::string();
}

std::string target_language_code(const std::vector<std::string>& codes, int target_index) {
  // The target combo has no "auto": its entry j is code j + 1.
  if (target_index < 0 || static_cast<size_t>(target_index) + 1 >= codes.size()) return {};
  return codes[static_cast<size_t>(target_index) + 1];
}

bool same_language(int source_index, int target_index) {
  return source_index > 0 && target_index >= 0 && source_index - 1 == target_index;
}

std::string translation_form_body(std::string_view sl, std::string_view tl, std::string_view text) {
  std::string body = "js=n&prev=_t&hl=zh-CN&ie=UTF-8&layout=2&eotf=0&sl=";
  body += sl;
  body += "&tl=";
  body += tl;
  body += "&text=";
  body += url_encode(text);
  body += "&file=";
  return body;
}

std::string translation_result_text(std::string_view page, bool interleave_sources, bool show_romanization) {
  std::vector<std::string> sentences;
  all_texts_between(page, kSentenceStart, "</span>", sentences);
  if (sentences.empty()) {
    std::string t = text_between(page, kShortResult, "</span>");
    if (t.starts_with("harset=")) t = text_between(page, kLongResult, "</span></div>");
    if (!t.empty()) sentences.push_back(t);
  }

  std::string separator = "\r\n";
  std::string result;
  std::vector<std::string> sources;
  if (interleave_sources) all_texts_between(page, kSourceStart, kSentenceStart, sources);
  if (interleave_sources && sources.size() == sentences.size()) {
    for (size_t i = 0; i < sentences.size(); ++i) result += sentences[i] + "\r\n//" + sources[i] + "\r\n\r\n";
    separator.clear();
  } else {
    for (const std::string& s : sentences) result += s;
  }
  result = rt::replace_text(result, "<br>", separator, 1, -1, false);
  result = rt::replace_text(result, "&quot;", "");
  result = rt::replace_text(result, "&#39", "");

  if (show_romanization) {
    std::string r = text_between(page, kRomanization, "</div>");
    if (!r.starts_with(kRomanizationPlaceholder)) result += separator + std::string(29, '=') + "\r\n" + r;
  }
  return result;
}

std::string translation_browser_address(std::string_view site_root, std::string_view sl, std::string_view tl,
                                        std::string_view text) {
  std::string address = std::string(site_root) + "#";
  if (static_cast<int>(text.size()) > kBrowserTextLimit) return address;
  return address + std::string(sl) + "|" + std::string(tl) + "|" + std::string(text);
}

std::string speech_text(std::string_view box_text, std::string_view selected_text) {
  std::string_view text = static_cast<int>(box_text.size()) < kSpeechLimit ? box_text : selected_text;
  if (static_cast<int>(text.size()) > kSpeechLimit) return {};
  return std::string(text);
}

std::string speech_name_stem(std::string_view source_text) {
  std::string cut = rt::cut_on_char_boundary(source_text, 12);
  std::string out;
  for (size_t i = 0; i < cut.size();) {
    size_t n = rt::char_size_at(cut, i);
    unsigned char c = static_cast<unsigned char>(cut[i]);
    if (n > 1 || (c >= 0x20 && c != 0x7F)) out.append(cut, i, n);
    i += n;
  }
  return out;
}

bool translate_button_enabled(std::string_view source) { return !source.empty(); }

bool read_button_enabled_by_text(std::string_view text) {
  return !text.empty() && static_cast<int>(text.size()) <= kSpeechLimit;
}

bool read_button_enabled_by_selection(std::string_view text, int selected_characters) {
  if (static_cast<int>(text.size()) >= kSpeechLimit)
    return selected_characters >= 1 && selected_characters <= kSpeechLimit;
  return !text.empty();
}
