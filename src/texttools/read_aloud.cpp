#include "texttools/read_aloud.h"

#include <array>

#include "app/tray_menu.h"
#include "common/control_routines.h"
#include "common/message_box.h"
#include "common/messages.h"
#include "common/os_version.h"
#include "common/path_routines.h"
#include "common/skin.h"
#include "common/skin_art.h"
#include "common/speech_art.h"
#include "common/text_routines.h"
#include "common/tool_window.h"
#include "common/window_fade.h"
#include "forms/main_window_form.h"
#include "forms/read_aloud_window_form.h"
#include "options/config.h"
#include "pages/page_model.h"
#include "pages/page_pickers.h"
#include "runtime/clipboard.h"
#include "runtime/dialogs.h"
#include "runtime/files.h"
#include "runtime/gbk_text.h"
#include "runtime/shell.h"
#include "runtime/tooltip.h"
#include "runtime/window_jobs.h"

namespace {

// The voice the window speaks with: made at its first use (the speech engine is no part of the
// start), released at the end.
std::unique_ptr<rt::SpeechVoice> g_speech_object;

rt::SpeechVoice& speech_object() {
  if (!g_speech_object) g_speech_object = rt::create_speech_voice();
  return *g_speech_object;
}
// 1 while the window is hidden to the tray.
int g_read_aloud_hidden = 0;
// The voice last chosen in 组合框_语音库.
int g_voice_index = 0;

constexpr unsigned kEditBorderColor = 0x9D7B45;
constexpr unsigned kRed = 0xFF, kMagenta = 0xFF00FF;
constexpr int kWindows7 = 9;
constexpr int kEnterKey = 0x0D;
// Longer texts take a while to write: the user is told to wait.
constexpr size_t kLongWavText = 14999;
constexpr int kWavNameBytes = 12;

const char kTitleIdle[] = "   语音朗读文本";
const char kTitleSpeaking[] = "   语音朗读文本—正在朗读……";
const char kTitlePaused[] = "   语音朗读文本—朗读已暂停……";
const char kTitleWriting[] = "   语音朗读文本—输出音频……";
const char kTitleWritten[] = "   语音朗读文本—成功输出音频……";
const char kTitleFailed[] = "   语音朗读文本—输出音频失败……";
const char kTipStart[] = "开始朗读文本！";
const char kTipStop[] = "停止朗读文本！";
const char kDownloadItem[] = "下载TTS语音引擎";
// Where speech engines and their voices can be downloaded.
const char kEngineDownloadPage[] = "https://www.microsoft.com/en-us/download/details.aspx?id=27224";
const char kTextFilter[] =
    "格式一般为ANSI的文件(*.txt;*.ini;*.lrc;*.log;*.bat;*.cmd)|*.txt;*.ini;*.lrc;*.log;*.bat;*.cmd|所有文件(*.*)|*.*|";
const char kWavFilter[] = "音频文件(*.WAV)|*.WAV|所有文件(*.*)|*.*|";

// Counts the windows made: what a voice tells a window that has gone is not heard.
rt::WindowJobs g_loads;
// The start text stays when the first fill selects the current page: the user opened the
// window on a selection (or the clipboard), not on the whole page.
bool g_keep_start_text = false;

ReadAloudWindowForm& f() { return read_aloud_window(); }
rt::EditBox& editor() { return main_window().编辑框_文本类容; }

using Strip = std::array<rt::Picture, 7>;

// A two-state button shows its state by its pictures: 0 while its normal picture is picture 0.
int button_state(const rt::GraphicButton& button, const Strip& strip) {
  return button.normal_picture().same_image(strip[0]) ? 0 : 1;
}

void set_button_state(rt::GraphicButton& button, const Strip& strip, int state) {
  size_t first = state ? 3 : 0;
  button.set_pictures(strip[first], strip[first + 1], strip[first + 2]);
  button.set_disabled_picture(strip[6]);
}

void set_title(const char* text) { f().标签_上中.set_text(text); }

int label_number(const rt::Label& label) { return static_cast<int>(rt::text_to_number(label.text())); }

// The voice takes what the window shows: the chosen voice, the rate and volume labels.
void apply_voice_settings() {
  ReadAloudWindowForm& w = f();
  speech_object().set_volume(label_number(w.标签10));
  speech_object().set_rate(label_number(w.标签11));
  speech_object().set_voice(w.组合框_语音库.text());
}

rt::SpeechHandler window_handler() {
  const int generation = g_loads.generation();
  return [generation](rt::SpeechEvent event) {
    if (g_loads.current(generation) && f().loaded()) on_speech_event(static_cast<int>(event));
  };
}

// Quiet at once, as the stop button does, when the window speaks (or pauses).
void stop_speaking() {
  rt::GraphicButton& control = f().图形按钮_朗读控制;
  if (button_state(control, read_control_button_strip()) == 0) return;
  set_button_state(control, read_control_button_strip(), 0);
  speech_object().stop();
}

// The idle title, or, while a text is read aloud beside a WAV file being written (its own voice),
// that reading's title as the reading is now: it may have ended meanwhile.
void show_reading_title() {
  ReadAloudWindowForm& w = f();
  if (button_state(w.图形按钮_朗读控制, read_control_button_strip()) == 0)
    set_title(kTitleIdle);
  else
    set_title(button_state(w.图形按钮_暂停朗读, pause_button_strip()) == 0 ? kTitleSpeaking : kTitlePaused);
}

void open_engine_download_page() { rt::shell_execute("open", kEngineDownloadPage); }

void set_speaking_controls_enabled(bool on) {
  ReadAloudWindowForm& w = f();
  w.组合框_打开文件.set_disabled(!on);
  w.图形按钮_从文件打开.set_disabled(!on);
  w.组合框_语音库.set_disabled(!on);
  w.编辑框_朗读内容.set_read_only(!on);
}

std::string start_text() {
  std::string whole = editor().text();
  if (os_version_code() == kWindows7) {
    std::string clip = rt::clipboard_text();
    return clip.empty() ? whole : clip;
  }
  std::string text = editor().selected_text();
  if (text.empty()) text = rt::clipboard_text();
  return text.empty() ? whole : text;
}

// The WAV file's proposed name: the text's first bytes, whole characters only, without the
// characters file names forbid and without control characters.
std::string wav_file_name(const std::string& text) {
  std::string name = strip_invalid_filename_chars(rt::cut_on_char_boundary(text, kWavNameBytes));
  std::string out;
  for (size_t i = 0; i < name.size();) {
    size_t n = rt::char_size_at(name, i);
    if (n > 1 || static_cast<unsigned char>(name[i]) >= 0x20) out.append(name, i, n);
    i += n;
  }
  return out;
}

}  // namespace

int read_aloud_hidden() { return g_read_aloud_hidden; }

int voice_index() { return g_voice_index; }

void reset_read_aloud() {
  g_read_aloud_hidden = 0;
  g_voice_index = 0;
}

void release_speech_object() { g_speech_object.reset(); }

void show_read_aloud_tray_item(bool visible) { set_tray_read_aloud_item_visible(visible); }

void open_read_aloud_window() {
  ReadAloudWindowForm& w = f();
  // A voice of its own asks whether an engine is there; it goes at the end.
  std::unique_ptr<rt::SpeechVoice> probe = rt::create_speech_voice();
  if (!w.loaded()) {
    if (probe->exists()) {
      w.load(&main_window());
      return;
    }
    bool without_button = false;
    int answer = tell_user(1, 16, "连接到语音库失败！", kRed,
                           "  检测到系统不存在语音库，所以无法继续使用本功能，你可以到微软下载，或者在金山词霸提供的"
                           "TTS语音包下载页面下载；你确定立即打开下载页面吗？",
                           kMagenta, &without_button);
    if (answer == kBoxOk && !without_button) open_engine_download_page();
    return;
  }
  if (g_read_aloud_hidden) {
    show_read_aloud_window();
    w.set_disabled(false);
    return;
  }
  w.bring_forward();
}

void restore_read_aloud_from_tray() {
  if (f().loaded()) open_read_aloud_window();
}

void hide_read_aloud_to_tray() {
  ReadAloudWindowForm& w = f();
  if (!w.loaded()) return;
  fade_out_read_aloud_window();
  w.set_visible(false);
  g_read_aloud_hidden = 1;
  show_read_aloud_tray_item(true);
}

void show_read_aloud_window() {
  ReadAloudWindowForm& w = f();
  if (!w.loaded()) return;
  w.set_visible(true);
  show_window_faded(w, true);
  g_read_aloud_hidden = 0;
}

void close_read_aloud_window() {
  ReadAloudWindowForm& w = f();
  if (!w.loaded() || speech_page_picker().busy()) return;
  fade_out_read_aloud_window();
  stop_speaking();
  w.destroy();
}

bool may_close_read_aloud_window() {
  if (speech_page_picker().busy()) return false;
  fade_out_read_aloud_window();
  return true;
}

void fade_out_read_aloud_window() {
  ReadAloudWindowForm& w = f();
  if (!w.loaded()) return;
  show_window_faded(w, false);
  show_read_aloud_tray_item(false);
}

PagePicker& speech_page_picker() {
  static PagePicker picker(1, f(), f().组合框_打开文件, f().图形按钮_关闭小, fill_speech_page_picker_thread,
                           on_speech_page_picked);
  return picker;
}

void fill_speech_page_picker() { speech_page_picker().fill(); }
void fill_speech_page_picker_thread() { fill_speech_page_picker(); }

void on_speech_page_picked() {
  PagePicker& picker = speech_page_picker();
  int page = picker.selected_page();
  if (page < 0) return;
  if (g_keep_start_text) {
    g_keep_start_text = false;
  } else {
    // An empty page keeps the text that is there.
    std::string text = page_content(page);
    if (!text.empty()) f().编辑框_朗读内容.set_text(text);
  }
  picker.show_balloon(f().组合框_打开文件.text());
}

void toggle_reading() {
  ReadAloudWindowForm& w = f();
  std::string text = w.编辑框_朗读内容.text();
  if (text.empty()) {
    w.图形按钮_朗读控制.set_disabled(true);
    w.编辑框_朗读内容.set_focus();
    return;
  }
  const Strip& strip = read_control_button_strip();
  if (button_state(w.图形按钮_朗读控制, strip) == 0) {
    set_button_state(w.图形按钮_朗读控制, strip, 1);
    apply_voice_settings();
    if (!speech_object().speak(text, window_handler())) {
      // Refused: nothing will start or end.
      set_button_state(w.图形按钮_朗读控制, strip, 0);
      return;
    }
    rt::set_tooltip(w.图形按钮_朗读控制, kTipStop);
  } else {
    set_button_state(w.图形按钮_朗读控制, strip, 0);
    speech_object().stop();
    rt::set_tooltip(w.图形按钮_朗读控制, kTipStart);
  }
}

void on_speech_event(int argument) {
  ReadAloudWindowForm& w = f();
  if (argument == static_cast<int>(rt::SpeechEvent::Started)) {
    set_title(kTitleSpeaking);
    w.图形按钮_暂停朗读.set_disabled(false);
    set_speaking_controls_enabled(false);
    return;
  }
  if (check_button_state(w.超级按钮_朗读完毕后退出, ButtonOp::Query)) {
    close_read_aloud_window();
    return;
  }
  set_button_state(w.图形按钮_朗读控制, read_control_button_strip(), 0);
  set_button_state(w.图形按钮_暂停朗读, pause_button_strip(), 0);
  // A text stopped while paused leaves the voice paused.
  speech_object().resume();
  w.图形按钮_暂停朗读.set_disabled(true);
  set_title(kTitleIdle);
  set_speaking_controls_enabled(true);
  rt::set_tooltip(w.图形按钮_朗读控制, kTipStart);
}

void toggle_speech_pause() {
  ReadAloudWindowForm& w = f();
  const Strip& strip = pause_button_strip();
  if (button_state(w.图形按钮_暂停朗读, strip) == 0) {
    set_button_state(w.图形按钮_暂停朗读, strip, 1);
    speech_object().pause();
    set_title(kTitlePaused);
  } else {
    set_button_state(w.图形按钮_暂停朗读, strip, 0);
    speech_object().resume();
    set_title(kTitleSpeaking);
  }
}

bool on_read_text_key_down(int key, int modifiers) {
  ReadAloudWindowForm& w = f();
  if (modifiers != rt::kCtrl) return true;
  if (key == 'A') return select_all_on_ctrl_a(w.编辑框_朗读内容, key, modifiers);
  if (key != kEnterKey) return true;
  // Resuming goes through the pause button, so that its pictures and the title follow.
  if (w.标签_上中.text() == kTitlePaused)
    toggle_speech_pause();
  else if (!w.图形按钮_朗读控制.disabled())
    toggle_reading();
  return false;
}

void set_speech_rate() {
  ReadAloudWindowForm& w = f();
  int rate = w.多功能条_朗读速度.position() - 10;
  w.标签11.set_text(std::to_string(rate));
  speech_object().set_rate(rate);
}

void set_speech_volume() {
  ReadAloudWindowForm& w = f();
  int volume = w.多功能条_声音大小.position();
  w.标签10.set_text(std::to_string(volume));
  speech_object().set_volume(volume);
}

void choose_voice() {
  rt::ComboBox& voices = f().组合框_语音库;
  int index = voices.current();
  if (index < 0) return;
  if (index == voices.count() - 1) {
    voices.set_current(g_voice_index);
    open_engine_download_page();
    return;
  }
  std::string name = voices.item(index);
  speech_object().set_voice(name);
  rt::set_tooltip(voices, name);
  g_voice_index = index;
}

void update_read_buttons() {
  ReadAloudWindowForm& w = f();
  bool empty = w.编辑框_朗读内容.text_length() == 0;
  w.图形按钮_朗读控制.set_disabled(empty);
  w.图形按钮_输出.set_disabled(empty);
}

void toggle_close_after_reading() { check_button_state(f().超级按钮_朗读完毕后退出); }
void toggle_no_question_after_output() { check_button_state(f().超级按钮_输出后不提示); }

void open_text_to_read() {
  ReadAloudWindowForm& w = f();
  rt::CommonDialog& dialog = main_window().通用对话框;
  dialog.kind = rt::CommonDialog::Kind::Open;
  dialog.title = "请选择要语音朗读的文件……";
  dialog.filter = kTextFilter;
  dialog.default_extension = "*.txt";
  dialog.folder = config_text(cfg::上次打开目录::语音文件);
  dialog.owner = w.handle();
  if (!dialog.run()) return;
  std::string path = dialog.file_name;
  // A file that cannot be read leaves the text as it is.
  if (std::optional<std::string> content = rt::read_file(path)) w.编辑框_朗读内容.set_text(*content);
  config_set_text(cfg::上次打开目录::语音文件, split_path_dir_file(path, true));
}

void append_dropped_text_to_read(const std::string& text) {
  rt::EditBox& box = f().编辑框_朗读内容;
  box.set_text(box.text() + text);
}

void load_dropped_file_to_read(const std::string& path) {
  if (std::optional<std::string> content = rt::read_file(path)) f().编辑框_朗读内容.set_text(*content);
}

void speak_to_wav_file() {
  ReadAloudWindowForm& w = f();
  std::string text = w.编辑框_朗读内容.text();
  set_title(kTitleWriting);
  rt::CommonDialog& dialog = main_window().通用对话框;
  dialog.kind = rt::CommonDialog::Kind::Save;
  dialog.title = "请选择音频文件的保存路径……";
  dialog.filter = kWavFilter;
  dialog.default_extension = "*.WAV";
  dialog.file_name = wav_file_name(text);
  dialog.folder = config_text(cfg::上次打开目录::音频文件);
  dialog.owner = w.handle();
  if (!dialog.run()) {
    show_reading_title();
    return;
  }
  std::string path = dialog.file_name;
  if (text.size() > kLongWavText)
    tell_user(0, 16, "友情提示！", kRed,
              "  如果转换类容过多的话，可能造成本程序假死，实际上程序还是正常在工作的，所以请赖心等待！", kRed, nullptr,
              &w);
  apply_voice_settings();
  if (speech_object().speak_to_wav(text, path)) {
    set_title(kTitleWritten);
    if (!check_button_state(w.超级按钮_输出后不提示, ButtonOp::Query)) {
      bool without_button = false;
      int answer = tell_user(1, 8, "转换成功并成功写到文件", kMagenta, "  输出音频文件完毕，是否在资源管理中打开？",
                             kMagenta, &without_button, &w);
      if (answer == kBoxOk && !without_button) reveal_in_explorer(path);
    }
  } else {
    set_title(kTitleFailed);
    tell_user(0, 16, "写到文件失败！", kRed, "  输出到" + path + "\r\n失败！", kRed, nullptr, &w);
  }
  config_set_text(cfg::上次打开目录::音频文件, split_path_dir_file(path, true));
  if (w.loaded()) show_reading_title();
}

void on_read_aloud_window_created() {
  ReadAloudWindowForm& w = f();
  g_loads.restart();
  dress_tool_window(w, {&w.标签_左上, &w.标签_上中, &w.标签_右上, &w.标签_左中, &w.标签_右中, &w.标签_左下, &w.标签_下中, &w.标签_右下}, w.图形按钮_程序图标, read_aloud_window_icon_picture(), w.图形按钮_关闭小);
  set_button_state(w.图形按钮_朗读控制, read_control_button_strip(), 0);
  set_button_state(w.图形按钮_暂停朗读, pause_button_strip(), 0);
  w.图形按钮_暂停朗读.set_disabled(true);
  rt::Unit* pointed[] = {&w,
                         &w.图形按钮_关闭小,
                         &w.图形按钮_朗读控制,
                         &w.图形按钮_暂停朗读,
                         &w.图形按钮_输出,
                         &w.图形按钮_从文件打开,
                         &w.图形按钮_隐藏,
                         &w.多功能条_朗读速度,
                         &w.多功能条_声音大小,
                         &w.超级按钮_朗读完毕后退出,
                         &w.超级按钮_输出后不提示,
                         &w.组合框_语音库,
                         &w.组合框_打开文件};
  for (rt::Unit* u : pointed) u->set_mouse_pointer(program_pointer_cursor().handle());
  w.编辑框_朗读内容.set_mouse_pointer(program_text_cursor().handle());
  // Both checks start without pictures, which count as on: one toggle each leaves them off.
  toggle_close_after_reading();
  toggle_no_question_after_output();
  w.编辑框_朗读内容.set_text(start_text());
  update_read_buttons();
  w.拖放对象.attach(w.编辑框_朗读内容);
  for (const std::string& name : speech_object().voices()) w.组合框_语音库.add_item(name);
  w.组合框_语音库.add_item(kDownloadItem);
  w.组合框_语音库.set_current(0);
  install_colored_border(w.编辑框_朗读内容.handle(), kEditBorderColor);
  rt::set_tooltip(w.图形按钮_暂停朗读, "暂停当前的朗读！");
  rt::set_tooltip(w.图形按钮_朗读控制, kTipStart);
  rt::set_tooltip(w.图形按钮_从文件打开, "从文件打开要朗读的文本！");
  rt::set_tooltip(w.图形按钮_关闭小, "<font color=red>关闭语音朗读窗口");
  rt::set_tooltip(w.组合框_语音库, w.组合框_语音库.text());
  rt::set_tooltip(w.图形按钮_输出, "输出文本到语音音频文件");
  rt::set_tooltip(w.图形按钮_隐藏, "暂时隐藏本窗口,需要时在打开……");
  // Last: the fill selects the current page; its text does not replace the start text.
  g_keep_start_text = true;
  PagePicker& picker = speech_page_picker();
  picker.window_created();
  picker.start_refresh();
}

void on_read_aloud_window_first_activation() { fade_in_after_first_activation(f()); }

void on_read_aloud_window_destroying() {
  // However the window goes, its voice goes quiet.
  stop_speaking();
  g_read_aloud_hidden = 0;
  g_keep_start_text = false;
}

void move_read_aloud_window_by_title() { move_window_by_title(f()); }

void bind_read_aloud_window(ReadAloudWindowForm& f) {
  f.on_created = on_read_aloud_window_created;
  f.on_first_activation = on_read_aloud_window_first_activation;
  f.on_may_close = may_close_read_aloud_window;
  f.on_destroying = on_read_aloud_window_destroying;
  f.图形按钮_关闭小.on_click = close_read_aloud_window;
  f.标签_上中.on_left_down = [](int, int, int) {
    move_read_aloud_window_by_title();
    return true;
  };
  f.组合框_语音库.on_changed = choose_voice;
  f.组合框_打开文件.on_changed = on_speech_page_picked;
  f.编辑框_朗读内容.on_changed = update_read_buttons;
  f.编辑框_朗读内容.on_key_down = on_read_text_key_down;
  f.多功能条_朗读速度.on_changed = set_speech_rate;
  f.多功能条_声音大小.on_changed = set_speech_volume;
  f.超级按钮_朗读完毕后退出.on_click = toggle_close_after_reading;
  f.超级按钮_输出后不提示.on_click = toggle_no_question_after_output;
  f.图形按钮_朗读控制.on_click = toggle_reading;
  f.图形按钮_暂停朗读.on_click = toggle_speech_pause;
  f.图形按钮_输出.on_click = speak_to_wav_file;
  f.图形按钮_从文件打开.on_click = open_text_to_read;
  f.图形按钮_隐藏.on_click = hide_read_aloud_to_tray;
  f.拖放对象.on_text = append_dropped_text_to_read;
  f.拖放对象.on_files = [](const std::vector<std::string>& paths) { load_dropped_file_to_read(paths.front()); };
}
