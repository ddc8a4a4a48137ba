#include "web/translation_window.h"

#include "runtime/window_jobs.h"
#include "common/control_routines.h"
#include "common/messages.h"
#include "common/skin.h"
#include "common/skin_art.h"
#include "common/text_routines.h"
#include "common/tool_window.h"
#include "common/web_art.h"
#include "common/window_fade.h"
#include "forms/main_window_form.h"
#include "forms/translation_window_form.h"
#include "options/config.h"
#include "pages/page_model.h"
#include "pages/page_pickers.h"
#include "runtime/app.h"
#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/gbk_text.h"
#include "runtime/internet.h"
#include "runtime/media.h"
#include "runtime/tooltip.h"
#include "web/http.h"
#include "web/http_request.h"
#include "web/translation_rules.h"
#include "web/web_hosts.h"
#include "web/web_window.h"

namespace {

// The language codes of the combos: "auto" first, then one per target language.
std::vector<std::string> g_translation_languages;

constexpr unsigned kEditBorderColor = 0x9D7B45;
constexpr unsigned kBlue = 0xFF0000, kRed = 255, kMagenta = 0xFF00FF;
constexpr int kPreferredTarget = 58;
constexpr char kSpeechFileName[] = "谷歌语音朗读";

TranslationWindowForm& f() { return translation_window(); }

// The window's workers (the language load, translations, speech downloads) of the window
// loaded now; a result of a worker whose window has gone since is dropped.
rt::WindowJobs g_jobs;
bool g_speaking = false;
bool g_translating = false;

bool current(int generation) { return g_jobs.current(generation) && f().loaded(); }

bool busy() { return g_jobs.busy() || translation_page_picker().busy(); }

void begin_work() {
  g_jobs.begin();
  f().图形按钮_关闭小.set_disabled(true);
}

void end_work(int generation) {
  if (!f().loaded() || !g_jobs.end(generation) || g_jobs.busy()) return;
  f().图形按钮_关闭小.set_disabled(translation_page_picker().busy());
}

std::string site_root() { return web_address(WebHost::kTranslation, "/"); }

// Owner the window: OK, a red cross.
void tell_failure(const std::string& title, const std::string& text) {
  tell_user(0, 16, title, kRed, text, kMagenta, nullptr, &f());
}

void show_languages(const TranslationLanguages& languages) {
  TranslationWindowForm& w = f();
  set_translation_languages(languages.codes);
  w.组合框_源语言.clear();
  w.组合框_目标语言.clear();
  w.组合框_源语言.add_item("自动检测");
  for (const std::string& name : languages.names) {
    w.组合框_源语言.add_item(name);
    w.组合框_目标语言.add_item(name);
  }
  w.组合框_源语言.set_current(0);
  translation_page_picker().start_refresh();
  w.图片框_等待.set_visible(false);
  w.标签3.set_visible(false);
  for (rt::Unit* u : std::initializer_list<rt::Unit*>{
           &w.编辑框_翻译内容, &w.标签1, &w.标签2, &w.标签4, &w.超级按钮_将原语言标在翻译语句后面,
           &w.超级按钮_显示对应的拉丁字符的拼音, &w.超级按钮_同时在网页中显示, &w.组合框_打开的文件, &w.图形按钮_从文件打开,
           &w.组合框_源语言, &w.组合框_目标语言, &w.编辑框_翻译结果, &w.图形按钮_互转语言, &w.图形按钮_朗读_翻译类容,
           &w.图形按钮_朗读_翻译结果, &w.图形按钮_翻译})
    u->set_visible(true);
  int targets = w.组合框_目标语言.count();
  w.组合框_目标语言.set_current(kPreferredTarget < targets ? kPreferredTarget : 0);
  update_swap_button();
  // From now on the picture waits for translations, over the result box.
  rt::EditBox& result = w.编辑框_翻译结果;
  rt::PictureBox& wait = w.图片框_等待;
  wait.move(result.left() + result.width() / 2 - wait.width() / 2, result.top() + result.height() / 2 - wait.height() / 2,
            wait.width(), wait.height());
  wait.bring_to_front();
}

// No list of languages: the failure note, and the load has ended.
void languages_not_loaded(int generation) {
  if (current(generation)) {
    f().图片框_等待.set_visible(false);
    f().标签3.set_visible(false);
    f().标签8.set_visible(true);
  }
  end_work(generation);
}

void load_translation_languages(int generation) {
  std::string page;
  if (is_internet_reachable()) page = rt::without_zero_bytes(rt::utf8_to_gbk_text(rt::http_get(site_root() + "#")));
  if (page.empty()) {
    rt::post([generation] { languages_not_loaded(generation); });
    return;
  }
  TranslationLanguages languages = parse_translation_languages(page);
  rt::post([generation, languages] {
    if (current(generation)) show_languages(languages);
    end_work(generation);
  });
}

void finish_translation(int generation, bool answered, const std::string& result, const std::string& browser_address) {
  if (!current(generation)) return;
  TranslationWindowForm& w = f();
  g_translating = false;
  if (!answered) {
    w.标签_上中.set_text_color(kRed);
    w.标签_上中.set_text("   获取返回的数据出错，请确定是否连接到互联网……");
  } else {
    w.标签_上中.set_text("   成功取到返回数据……");
    w.标签_上中.set_text("   正在处理数据，提取翻译类容……");
    w.编辑框_翻译结果.set_text(result);
    if (!browser_address.empty()) open_in_browser(browser_address);
    w.编辑框_翻译结果.select(0, 0);
    w.标签_上中.set_text("   谷歌翻译");
  }
  w.图片框_等待.set_visible(false);
  w.图形按钮_翻译.set_disabled(!translate_button_enabled(w.编辑框_翻译内容.text()));
  end_work(generation);
}

// The speech file: one per text in the chosen folder, or one file beside the program.
bool speech_file_path(std::string& path) {
  const std::string program_dir = rt::program_directory();
  const std::string single = program_dir + kSpeechFileName + ".mp3";
  if (!config_flag(cfg::谷歌翻译设置::音频文件按照名称创建)) {
    path = single;
    return true;
  }
  const std::string fallback = program_dir + kSpeechFileName + "\\";
  std::string folder = config_read("谷歌翻译设置", "音频文件临时目录");
  if (!folder.empty()) normalize_dir_path(folder);
  if (folder.empty()) {
    folder = fallback;
  } else if (!rt::is_directory(folder) && !rt::create_directories(folder)) {
    folder = fallback;
  }
  if (!rt::create_directories(folder)) {
    tell_failure("创建文件夹失败！",
                 "  检测到置谷歌音频文件的临时文件夹不存在，程序自动创建，但是创建失败，请确定目标目录是否可写！");
    return false;
  }
  std::string stem = strip_invalid_filename_chars(speech_name_stem(f().编辑框_翻译内容.text()));
  path = stem.empty() ? single : folder + stem + ".mp3";
  return true;
}

bool box_key(rt::EditBox& box, rt::GraphicButton& read_button, int which, int key, int modifiers) {
  if (modifiers != rt::kCtrl) return true;
  if (key == 'A') {
    box.select(0, box.text_length());
    return false;
  }
  if (key == 'L') {
    if (!read_button.disabled()) speak_translation_text(which);
    return false;
  }
  return true;
}

void update_read_button_by_selection(rt::EditBox& box, rt::GraphicButton& button) {
  button.set_disabled(!read_button_enabled_by_selection(box.text(), box.selection_length()));
}

}  // namespace

const std::vector<std::string>& translation_languages() { return g_translation_languages; }

void set_translation_languages(std::vector<std::string> codes) { g_translation_languages = std::move(codes); }

void open_translation_window() { open_tool_window(f()); }

void on_translation_window_created() {
  TranslationWindowForm& w = f();
  g_jobs.restart();
  g_speaking = false;
  g_translating = false;
  dress_tool_window(w, {&w.标签_左上, &w.标签_上中, &w.标签_右上, &w.标签_左中, &w.标签_右中, &w.标签_左下, &w.标签_下中, &w.标签_右下}, w.图形按钮_程序图标, translation_window_icon_picture(), w.图形按钮_关闭小);
  w.图片框_等待.move(230, 157, w.图片框_等待.width(), w.图片框_等待.height());
  for (rt::Unit* u : std::initializer_list<rt::Unit*>{
           &w, &w.图形按钮_关闭小, &w.图形按钮_从文件打开, &w.图形按钮_互转语言, &w.图形按钮_翻译,
           &w.图形按钮_朗读_翻译类容, &w.图形按钮_朗读_翻译结果, &w.超级按钮_将原语言标在翻译语句后面,
           &w.超级按钮_显示对应的拉丁字符的拼音, &w.超级按钮_同时在网页中显示, &w.组合框_打开的文件, &w.组合框_源语言,
           &w.组合框_目标语言, &w.图形按钮_程序图标})
    u->set_mouse_pointer(program_pointer_cursor().handle());
  for (rt::EditBox* box : {&w.编辑框_翻译内容, &w.编辑框_翻译结果})
    box->set_mouse_pointer(program_text_cursor().handle());
  check_button_state(w.超级按钮_将原语言标在翻译语句后面, ButtonOp::Set,
                     config_flag(cfg::谷歌翻译设置::将原语言标在翻译语句后面) ? 1 : 0);
  check_button_state(w.超级按钮_显示对应的拉丁字符的拼音, ButtonOp::Set,
                     config_flag(cfg::谷歌翻译设置::显示对应的拉丁字符的拼音) ? 1 : 0);
  w.组合框_目标语言.set_current(0);
  // Without pictures the check counts as on: one toggle shows it off.
  toggle_show_in_browser();
  on_translation_source_changed();
  on_translation_result_changed();
  update_swap_button();
  install_colored_border(w.编辑框_翻译内容.handle(), kEditBorderColor);
  install_colored_border(w.编辑框_翻译结果.handle(), kEditBorderColor);
  w.拖放对象.attach(w.编辑框_翻译内容);
  translation_page_picker().window_created();
}

void on_translation_window_first_activation() {
  TranslationWindowForm& w = f();
  fade_in_web_window(w);
  rt::set_tooltip(w.图形按钮_关闭小, "<font color=red>关闭谷歌翻译窗口");
  rt::set_tooltip(w.图形按钮_从文件打开, "打开要翻译的文件");
  rt::set_tooltip(w.图形按钮_翻译, "开始进行翻译");
  rt::set_tooltip(w.图形按钮_朗读_翻译类容, "朗读要翻译的内容");
  rt::set_tooltip(w.图形按钮_朗读_翻译结果, "朗读翻译结果");
  rt::set_tooltip(w.图形按钮_互转语言, "交换源语言和目标语言");
  // Each load starts the list afresh.
  g_translation_languages.clear();
  begin_work();
  int generation = g_jobs.generation();
  rt::start_thread([generation] { load_translation_languages(generation); },
                   [generation] { languages_not_loaded(generation); });
}

void start_translation() {
  TranslationWindowForm& w = f();
  if (!w.loaded() || g_translating) return;
  int source = w.组合框_源语言.current(), target = w.组合框_目标语言.current();
  std::string sl = source_language_code(g_translation_languages, source);
  std::string tl = target_language_code(g_translation_languages, target);
  if (sl.empty() || tl.empty()) return;
  g_translating = true;
  w.图片框_等待.set_visible(true);
  w.图形按钮_翻译.set_disabled(true);
  w.标签_上中.set_text_color(kBlue);
  w.标签_上中.set_text("   正在提交数据到谷歌服务器……");
  std::string text = w.编辑框_翻译内容.text();
  bool interleave =
      check_button_state(w.超级按钮_将原语言标在翻译语句后面, ButtonOp::Query) && !same_language(source, target);
  bool romanization = check_button_state(w.超级按钮_显示对应的拉丁字符的拼音, ButtonOp::Query) != 0;
  std::string browser_address = check_button_state(w.超级按钮_同时在网页中显示, ButtonOp::Query)
                                    ? translation_browser_address(site_root(), sl, tl, text)
                                    : std::string();
  std::string body = translation_form_body(sl, tl, text);
  std::string address = site_root();
  begin_work();
  int generation = g_jobs.generation();
  rt::start_thread(
      [=] {
        std::string verb = "POST", headers, raw_headers;
        // The result goes into edit boxes, which end a text at a zero: the reply's zeros are left out.
        std::string page = rt::without_zero_bytes(
            rt::utf8_to_gbk_text(http_request(address, verb, "", false, headers, body, raw_headers, false)));
        bool answered = !page.empty();
        std::string result = answered ? translation_result_text(page, interleave, romanization) : std::string();
        rt::post([=] { finish_translation(generation, answered, result, browser_address); });
      },
      [generation] { finish_translation(generation, false, {}, {}); });
}

void speak_translation_text(int which) {
  TranslationWindowForm& w = f();
  if (!w.loaded() || g_speaking) return;
  rt::EditBox& box = which == 1 ? w.编辑框_翻译内容 : w.编辑框_翻译结果;
  std::string text = speech_text(box.text(), box.selected_text());
  if (text.empty()) return;
  std::string code = which == 1 ? source_language_code(g_translation_languages, w.组合框_源语言.current())
                                : target_language_code(g_translation_languages, w.组合框_目标语言.current());
  if (code.empty()) return;
  std::string path;
  if (!speech_file_path(path)) return;
  std::string address = web_address(WebHost::kTranslation, "/translate_tts?q=" + url_encode(text) + "&tl=" + code);
  g_speaking = true;
  begin_work();
  int generation = g_jobs.generation();
  rt::start_thread(
      [generation, address, path] {
        // An empty answer is written and played as it is; a cut one is no speech and leaves the
        // file as it was.
        rt::HttpReply reply = rt::http_fetch(address);
        bool written = !reply.cut_short && rt::write_file_safely(path, reply.body);
        rt::post([generation, written, path] {
          if (!current(generation)) return;
          g_speaking = false;
          if (written)
            play_audio_file(path);
          else
            tell_failure("写出临时文件失败！",
                         "  写出谷歌语音朗读的临时文件失败，抱歉，请确定目标目录是否可写，然后再操作！");
          end_work(generation);
        });
      },
      [generation] {
        if (!current(generation)) return;
        g_speaking = false;
        end_work(generation);
      });
}

void speak_source_text() { speak_translation_text(1); }
void speak_result_text() { speak_translation_text(0); }

void play_audio_file(const std::string& path) {
  // Quoted: a path with blanks is one argument.
  rt::send_media_command("play \"" + path + "\"");
}

void on_translation_source_changed() {
  TranslationWindowForm& w = f();
  std::string source = w.编辑框_翻译内容.text();
  w.图形按钮_翻译.set_disabled(!translate_button_enabled(source) || g_translating);
  w.图形按钮_朗读_翻译类容.set_disabled(!read_button_enabled_by_text(source));
}

void on_translation_result_changed() {
  TranslationWindowForm& w = f();
  w.图形按钮_朗读_翻译结果.set_disabled(!read_button_enabled_by_text(w.编辑框_翻译结果.text()));
}

void on_translation_source_mouse_up() {
  update_read_button_by_selection(f().编辑框_翻译内容, f().图形按钮_朗读_翻译类容);
}

void on_translation_result_mouse_up() {
  update_read_button_by_selection(f().编辑框_翻译结果, f().图形按钮_朗读_翻译结果);
}

void update_swap_button() {
  TranslationWindowForm& w = f();
  w.图形按钮_互转语言.set_disabled(same_language(w.组合框_源语言.current(), w.组合框_目标语言.current()));
}

bool on_translation_source_key(int key, int modifiers) {
  return box_key(f().编辑框_翻译内容, f().图形按钮_朗读_翻译类容, 1, key, modifiers);
}

bool on_translation_result_key(int key, int modifiers) {
  return box_key(f().编辑框_翻译结果, f().图形按钮_朗读_翻译结果, 0, key, modifiers);
}

void on_source_language_changed() {
  update_swap_button();
  rt::set_tooltip(f().组合框_源语言, f().组合框_源语言.text());
}

void on_target_language_changed() {
  update_swap_button();
  rt::set_tooltip(f().组合框_目标语言, f().组合框_目标语言.text());
}

void swap_languages() {
  TranslationWindowForm& w = f();
  int source = w.组合框_源语言.current(), target = w.组合框_目标语言.current();
  int new_target = source - 1 < 0 ? 0 : source - 1;
  int new_source = target + 1;
  if (source < 0 || target < 0 || new_source >= w.组合框_源语言.count() || new_target >= w.组合框_目标语言.count())
    return;
  w.组合框_目标语言.set_current(new_target);
  w.组合框_源语言.set_current(new_source);
  update_swap_button();
}

void open_translation_file() {
  TranslationWindowForm& w = f();
  rt::CommonDialog& dialog = main_window().通用对话框;
  dialog.kind = rt::CommonDialog::Kind::Open;
  dialog.filter =
      "格式一般为ANSI的文件(*.txt;*.ini;*.lrc;*.log;*.bat;*.cmd)|*.txt;*.ini;*.lrc;*.log;*.bat;*.cmd|所有文件(*.*)|*.*|";
  dialog.default_extension = "*.txt";
  dialog.title = "请选择要翻译的文件……";
  dialog.folder = config_text(cfg::上次打开目录::翻译文件);
  dialog.owner = w.handle();
  if (!dialog.run()) return;
  std::string path = dialog.file_name;
  if (std::optional<std::string> content = rt::read_file(path)) w.编辑框_翻译内容.set_text(*content);
  config_set_text(cfg::上次打开目录::翻译文件, split_path_dir_file(path, true));
}

void on_translation_file_dropped(const std::string& path) {
  if (std::optional<std::string> content = rt::read_file(path)) f().编辑框_翻译内容.set_text(*content);
}

void on_translation_text_dropped(const std::string& text) {
  rt::EditBox& box = f().编辑框_翻译内容;
  box.set_text(box.text() + text);
}

void toggle_interleave_sources() { check_button_state(f().超级按钮_将原语言标在翻译语句后面); }
void toggle_show_romanization() { check_button_state(f().超级按钮_显示对应的拉丁字符的拼音); }
void toggle_show_in_browser() { check_button_state(f().超级按钮_同时在网页中显示); }

PagePicker& translation_page_picker() {
  static PagePicker picker(4, f(), f().组合框_打开的文件, f().图形按钮_关闭小, fill_translation_page_picker_thread,
                           on_translation_page_picked);
  return picker;
}

void fill_translation_page_picker() { translation_page_picker().fill(); }
void fill_translation_page_picker_thread() { fill_translation_page_picker(); }

void on_translation_page_picked() {
  PagePicker& picker = translation_page_picker();
  int page = picker.selected_page();
  if (page < 0) return;
  std::string text = page_content(page);
  if (!text.empty()) f().编辑框_翻译内容.set_text(text);
  picker.show_balloon(f().组合框_打开的文件.text());
}

void close_translation_window() {
  if (busy()) return;
  f().close();
}

bool may_close_translation_window() {
  if (busy()) return false;
  fade_out_translation_window();
  return true;
}

void fade_out_translation_window() {
  TranslationWindowForm& w = f();
  if (w.loaded()) show_window_faded(w, false);
}

void bind_translation_window(TranslationWindowForm& f) {
  f.on_created = on_translation_window_created;
  f.on_first_activation = on_translation_window_first_activation;
  f.on_may_close = may_close_translation_window;
  f.图形按钮_关闭小.on_click = close_translation_window;
  f.标签_上中.on_left_down = [](int, int, int) {
    move_window_by_title(translation_window());
    return true;
  };
  f.图形按钮_翻译.on_click = start_translation;
  f.图形按钮_朗读_翻译类容.on_click = speak_source_text;
  f.图形按钮_朗读_翻译结果.on_click = speak_result_text;
  f.图形按钮_互转语言.on_click = swap_languages;
  f.图形按钮_从文件打开.on_click = open_translation_file;
  f.超级按钮_将原语言标在翻译语句后面.on_click = toggle_interleave_sources;
  f.超级按钮_显示对应的拉丁字符的拼音.on_click = toggle_show_romanization;
  f.超级按钮_同时在网页中显示.on_click = toggle_show_in_browser;
  f.组合框_打开的文件.on_changed = on_translation_page_picked;
  f.组合框_源语言.on_changed = on_source_language_changed;
  f.组合框_目标语言.on_changed = on_target_language_changed;
  f.编辑框_翻译内容.on_changed = on_translation_source_changed;
  f.编辑框_翻译结果.on_changed = on_translation_result_changed;
  f.编辑框_翻译内容.on_left_up = [](int, int, int) {
    on_translation_source_mouse_up();
    return true;
  };
  f.编辑框_翻译结果.on_left_up = [](int, int, int) {
    on_translation_result_mouse_up();
    return true;
  };
  f.编辑框_翻译内容.on_key_down = on_translation_source_key;
  f.编辑框_翻译结果.on_key_down = on_translation_result_key;
  f.拖放对象.on_text = on_translation_text_dropped;
  f.拖放对象.on_files = [](const std::vector<std::string>& paths) { on_translation_file_dropped(paths.front()); };
}
