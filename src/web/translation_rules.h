#pragma once
// The window-free rules of the translation window: reading the site's language list, the form
// it posts, cutting the translation out of the returned page by its literal markers, and the
// limits of the speech buttons. GBK text in and out.
#include <string>
#include <string_view>
#include <vector>

// The languages of the site's page: codes[0] is "auto" (the source combo's "自动检测"), then one
// code per name, in the page's order.
struct TranslationLanguages {
  std::vector<std::string> codes;
  std::vector<std::string> names;
};
// The target-language list of the page: the options between ">目标语言：<" and "\"翻译\"", each
// `value="code">name</option>`; an option without the `">` between code and name is skipped.
// A page without such a list gives "auto" alone.
TranslationLanguages parse_translation_languages(std::string_view page);

// The code of a source-combo entry (0 is auto-detect) and of a target-combo entry (the list
// without "auto"); "" for an index outside the list.
std::string source_language_code(const std::vector<std::string>& codes, int source_index);
std::string target_language_code(const std::vector<std::string>& codes, int target_index);
// Source and target are the same language (auto-detect never is).
bool same_language(int source_index, int target_index);

// The body of the translation form.
std::string translation_form_body(std::string_view sl, std::string_view tl, std::string_view text);

// What the result box shows for a returned page: the translated sentences, each followed by
// its source sentence when interleaving applies and the page has as many of both, "<br>" made
// the line separator (removed while interleaving), "&quot;" and "&#39" removed; with
// romanization, a line of 29 "=" and the site's romanization of the source unless the page
// holds the site's placeholder there. Empty when the page has no translation and no
// romanization is asked for.
std::string translation_result_text(std::string_view page, bool interleave_sources, bool show_romanization);

// The address the browser opens for the translation: the site's root with "#", and the
// languages and the text after it when the text is at most 428 bytes long.
std::string translation_browser_address(std::string_view site_root, std::string_view sl, std::string_view tl,
                                        std::string_view text);

// Speech: texts longer than this many bytes are not read.
inline constexpr int kSpeechLimit = 200;
// The text a read button speaks: the box's text when shorter than the limit, else its selection;
// "" when that is longer than the limit as well (nothing is read).
std::string speech_text(std::string_view box_text, std::string_view selected_text);
// The start of a speech file's name: the first 12 bytes of the source text cut on a character
// boundary, without control characters.
std::string speech_name_stem(std::string_view source_text);

// Button rules (true: enabled).
// The translate button and the source's read button after the source changed.
bool translate_button_enabled(std::string_view source);
bool read_button_enabled_by_text(std::string_view text);
// After a click in a box: a long text reads only a selection of 1 to 200 characters.
bool read_button_enabled_by_selection(std::string_view text, int selected_characters);
