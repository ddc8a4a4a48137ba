// The read-aloud window against the real main window under Wine, with a speech engine of the
// test's own (Wine has none): the text it starts with, speaking, pausing and stopping with the
// voice's events, rate, volume and voice, the tray, closing, WAV files, texts from files and
// drops, its page picker, and the question when no engine is installed.
#include "options/option_values.h"
#include "common/os_version.h"
#include "texttools/read_aloud.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/main_frame.h"
#include "app/menu_bar.h"
#include "app/shutdown.h"
#include "common/speech_art.h"
#include "common/window_fade.h"
#include "fake_voice.h"
#include "forms/read_aloud_window_form.h"
#include "layout_check.h"
#include "options/config.h"
#include "pages/closing.h"
#include "pages/page_model.h"
#include "pages/page_pickers.h"
#include "program_test.h"
#include "recorded_boxes.h"
#include "runtime/app.h"
#include "runtime/clipboard.h"
#include "runtime/files.h"
#include "runtime/seams.h"
#include "runtime/tooltip.h"
#include "ui_test.h"

namespace {

using std::string;

const string kIdle = "   语音朗读文本";
const string kSpeaking = "   语音朗读文本—正在朗读……";
const string kPaused = "   语音朗读文本—朗读已暂停……";
constexpr int kEnter = 0x0D, kRight = 0x27, kEnd = 0x23, kHome = 0x24;
constexpr unsigned kRed = 0xFF, kMagenta = 0xFF00FF;

ReadAloudWindowForm& raw() { return read_aloud_window(); }
rt::EditBox& text_box() { return raw().编辑框_朗读内容; }
string title() { return raw().标签_上中.text(); }

bool in_first_state(const rt::GraphicButton& b, const std::array<rt::Picture, 7>& strip) {
  return b.normal_picture().same_image(strip[0]);
}
bool reading_button_says_start() { return in_first_state(raw().图形按钮_朗读控制, read_control_button_strip()); }
bool pause_button_says_pause() { return in_first_state(raw().图形按钮_暂停朗读, pause_button_strip()); }

// The user's choice of an item: the control's own notification to its parent.
void pick(rt::ComboBox& combo, int item) {
  HWND h = static_cast<HWND>(combo.handle());
  SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  SendMessageW(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), CBN_SELCHANGE), reinterpret_cast<LPARAM>(h));
}

string temp_dir() {
  char buffer[MAX_PATH];
  GetTempPathA(MAX_PATH, buffer);
  return buffer;
}

std::vector<string> launched() {
  std::vector<string> out;
  for (const auto& l : rt::seams::launches()) out.push_back(l.file);
  return out;
}

class ReadAloudTest : public ProgramTest {
 protected:
  void SetUp() override {
    speech = &use_fake_speech({"Fake 甲", "Fake 乙"});
    rt::seams::dialog_requests().clear();
    rt::seams::launches().clear();
    ProgramTest::SetUp();
    // Without a selection the window starts with the clipboard's text.
    rt::set_clipboard_text("");
  }
  void TearDown() override {
    raw().destroy();
    rt::seams::set_modal_hook(nullptr);
    rt::seams::record_launches(false);
    ProgramTest::TearDown();
    stop_fake_speech();
  }
  // Opens the window as the menu does and waits until it is shown and its picker filled.
  static void open_window() {
    open_read_aloud_window();
    ASSERT_TRUE(ui_test::wait_for(
        [] { return raw().loaded() && raw().alpha() == options().window_alpha && !speech_page_picker().busy(); }));
  }
  // The start button, and the voice's start told to the window.
  static void start_reading() {
    ui_test::click(raw().图形按钮_朗读控制);
    ASSERT_TRUE(ui_test::wait_for([] { return title() == kSpeaking; }));
  }
  // The voice reaches the end of the text.
  void finish_reading() {
    speech->finish();
    ui_test::settle();
  }
  static void expect_idle() {
    EXPECT_EQ(title(), kIdle);
    EXPECT_TRUE(reading_button_says_start());
    EXPECT_TRUE(pause_button_says_pause());
    EXPECT_TRUE(raw().图形按钮_暂停朗读.disabled());
    EXPECT_FALSE(raw().组合框_打开文件.disabled());
    EXPECT_FALSE(raw().图形按钮_从文件打开.disabled());
    EXPECT_FALSE(raw().组合框_语音库.disabled());
    EXPECT_FALSE(text_box().read_only());
    EXPECT_EQ(rt::tooltip_text(raw().图形按钮_朗读控制), "开始朗读文本！");
  }

  FakeSpeech* speech = nullptr;
  // The tray menu's item that brings the window back, with the separator above it.
  static bool tray_item_visible() {
    rt::MenuItem* item = main_menu_item("语音朗读(&Y)");
    return item && !item->hidden;
  }
};

TEST_F(ReadAloudTest, WithoutASpeechEngineTheDownloadPageIsOffered) {
  struct Case {
    bool system_voice;  // Wine's own: it has no engine that speaks
    int answer;         // -1: the box's close button
    bool page_opened;
  };
  for (Case c : {Case{true, kBoxOk, true}, Case{false, kBoxCancel, false}, Case{false, -1, false}}) {
    SCOPED_TRACE(c.answer);
    if (c.system_voice)
      stop_fake_speech();
    else
      use_fake_speech({});
    std::vector<RecordedBox> boxes;
    record_message_boxes(&boxes, {c.answer});
    rt::seams::record_launches(true);
    rt::seams::launches().clear();
    open_read_aloud_window();
    EXPECT_FALSE(raw().loaded());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "连接到语音库失败！");
    EXPECT_EQ(
        boxes[0].text,
        "  检测到系统不存在语音库，所以无法继续使用本功能，你可以到微软下载，或者在金山词霸提供的TTS语音包下载页面"
        "下载；你确定立即打开下载页面吗？\r\n");
    EXPECT_EQ(boxes[0].icon, 16);
    EXPECT_EQ(boxes[0].title_color, kRed);
    EXPECT_EQ(boxes[0].text_color, kMagenta);
    EXPECT_EQ(boxes[0].buttons, (std::vector<int>{kBoxOk, kBoxCancel}));
    ASSERT_EQ(rt::seams::launches().size(), c.page_opened ? 1u : 0u);
    if (c.page_opened) EXPECT_EQ(rt::seams::launches()[0].file.compare(0, 4, "http"), 0);
  }
}

TEST(SystemVoice, UnderWineNothingIsSpokenAndNothingIsTold) {
  stop_fake_speech();
  std::unique_ptr<rt::SpeechVoice> voice = rt::create_speech_voice();
  EXPECT_FALSE(voice->exists());
  int told = 0;
  EXPECT_FALSE(voice->speak("朗读", [&](rt::SpeechEvent) { ++told; }));
  const string path = temp_dir() + "velmora_system_voice.WAV";
  DeleteFileA(path.c_str());
  EXPECT_FALSE(voice->speak_to_wav("朗读", path));
  EXPECT_FALSE(rt::file_exists(path));
  // The rest is harmless.
  voice->set_rate(3);
  voice->set_volume(40);
  voice->set_voice("");
  voice->pause();
  voice->resume();
  voice->stop();
  rt::delay_with_messages(100);
  EXPECT_EQ(told, 0);
}

TEST_F(ReadAloudTest, TheTextItStartsWith) {
  const bool windows7 = os_version_code() == 9;
  editor().set_text("第一行文字\r\n第二行");
  editor().select(0, 3);
  rt::set_clipboard_text("剪贴板的文字");
  open_window();
  // The selection (on Windows 7 the clipboard) stays once the picker has chosen the page.
  EXPECT_EQ(text_box().text(), windows7 ? "剪贴板的文字" : "第一行");
  EXPECT_EQ(raw().组合框_打开文件.current(), 0);
  raw().destroy();
  editor().select(0, 0);
  open_window();
  EXPECT_EQ(text_box().text(), "剪贴板的文字");
  raw().destroy();
  rt::set_clipboard_text("");
  open_window();
  EXPECT_EQ(text_box().text(), "第一行文字\r\n第二行");
}

TEST_F(ReadAloudTest, ReadingFollowsTheVoice) {
  editor().set_text("要朗读的文字");
  open_window();
  expect_idle();
  EXPECT_FALSE(raw().图形按钮_朗读控制.disabled());
  start_reading();
  // The voice speaks with what the window shows: the first voice, rate -1, volume 50.
  ASSERT_EQ(speech->spoken, std::vector<string>{"要朗读的文字"});
  EXPECT_EQ(speech->voice, "Fake 甲");
  EXPECT_EQ(speech->rate, -1);
  EXPECT_EQ(speech->volume, 50);
  EXPECT_FALSE(reading_button_says_start());
  EXPECT_FALSE(raw().图形按钮_暂停朗读.disabled());
  EXPECT_TRUE(raw().组合框_打开文件.disabled());
  EXPECT_TRUE(raw().图形按钮_从文件打开.disabled());
  EXPECT_TRUE(raw().组合框_语音库.disabled());
  EXPECT_TRUE(text_box().read_only());
  EXPECT_EQ(rt::tooltip_text(raw().图形按钮_朗读控制), "停止朗读文本！");
  // The end of the text: everything back, and the voice resumed in case it was paused.
  int resumes = speech->resumes;
  finish_reading();
  expect_idle();
  EXPECT_EQ(speech->resumes, resumes + 1);
  EXPECT_EQ(speech->stops, 0);
}

TEST_F(ReadAloudTest, TheStartButtonStopsWhatIsBeingRead) {
  editor().set_text("一段很长的文字");
  open_window();
  start_reading();
  ui_test::click(raw().图形按钮_朗读控制);
  EXPECT_EQ(speech->stops, 1);
  EXPECT_TRUE(reading_button_says_start());
  ui_test::settle();
  expect_idle();
  // Ctrl+Enter in the text box starts and stops as the button does.
  ui_test::press_key(text_box(), kEnter, rt::kCtrl);
  ASSERT_TRUE(ui_test::wait_for([] { return title() == kSpeaking; }));
  EXPECT_EQ(speech->spoken.size(), 2u);
  ui_test::press_key(text_box(), kEnter, rt::kCtrl);
  ui_test::settle();
  EXPECT_EQ(speech->stops, 2);
  expect_idle();
  EXPECT_EQ(text_box().text(), "一段很长的文字");  // the key typed no line break
}

TEST_F(ReadAloudTest, PauseAndResume) {
  editor().set_text("暂停与继续");
  open_window();
  EXPECT_TRUE(raw().图形按钮_暂停朗读.disabled());
  start_reading();
  ui_test::click(raw().图形按钮_暂停朗读);
  EXPECT_EQ(speech->pause_depth, 1);
  EXPECT_FALSE(pause_button_says_pause());
  EXPECT_EQ(title(), kPaused);
  ui_test::click(raw().图形按钮_暂停朗读);
  EXPECT_EQ(speech->pause_depth, 0);
  EXPECT_TRUE(pause_button_says_pause());
  EXPECT_EQ(title(), kSpeaking);
  // Ctrl+Enter while paused resumes, and the button and the title follow.
  ui_test::click(raw().图形按钮_暂停朗读);
  ui_test::press_key(text_box(), kEnter, rt::kCtrl);
  EXPECT_EQ(speech->pause_depth, 0);
  EXPECT_TRUE(pause_button_says_pause());
  EXPECT_EQ(title(), kSpeaking);
  EXPECT_EQ(speech->stops, 0);
  // Stopped while paused: the end leaves the voice able to speak again.
  ui_test::click(raw().图形按钮_暂停朗读);
  ui_test::click(raw().图形按钮_朗读控制);
  ui_test::settle();
  EXPECT_EQ(speech->pause_depth, 0);
  expect_idle();
}

TEST_F(ReadAloudTest, AnEmptyTextCannotBeReadOrWritten) {
  rt::set_clipboard_text("");
  open_window();
  ASSERT_EQ(text_box().text(), "");
  EXPECT_TRUE(raw().图形按钮_朗读控制.disabled());
  EXPECT_TRUE(raw().图形按钮_输出.disabled());
  // A start attempt only moves the focus.
  raw().图形按钮_关闭小.set_focus();
  toggle_reading();
  EXPECT_TRUE(text_box().has_focus());
  EXPECT_TRUE(speech->spoken.empty());
  ui_test::type_text(text_box(), "字");
  EXPECT_FALSE(raw().图形按钮_朗读控制.disabled());
  EXPECT_FALSE(raw().图形按钮_输出.disabled());
  text_box().set_text("");
  EXPECT_TRUE(raw().图形按钮_朗读控制.disabled());
  EXPECT_TRUE(raw().图形按钮_输出.disabled());
}

TEST_F(ReadAloudTest, TheBarsSetRateAndVolumeAtOnce) {
  editor().set_text("速度和音量");
  open_window();
  start_reading();
  struct Case {
    rt::Slider& bar;
    int key;
    rt::Label& label;
    string shown;
    int FakeSpeech::*value;
    int expected;
  };
  const Case cases[] = {
      {raw().多功能条_朗读速度, kRight, raw().标签11, "0", &FakeSpeech::rate, 0},
      {raw().多功能条_朗读速度, kEnd, raw().标签11, "10", &FakeSpeech::rate, 10},
      {raw().多功能条_朗读速度, kHome, raw().标签11, "-10", &FakeSpeech::rate, -10},
      {raw().多功能条_声音大小, kEnd, raw().标签10, "100", &FakeSpeech::volume, 100},
      {raw().多功能条_声音大小, kHome, raw().标签10, "0", &FakeSpeech::volume, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown);
    ui_test::press_key(c.bar, c.key);
    EXPECT_EQ(c.label.text(), c.shown);
    EXPECT_EQ((*speech).*c.value, c.expected);
  }
  // The next text is read with the labels' values.
  finish_reading();
  start_reading();
  EXPECT_EQ(speech->rate, -10);
  EXPECT_EQ(speech->volume, 0);
}

TEST_F(ReadAloudTest, ChoosingAVoiceAndTheDownloadItem) {
  editor().set_text("换个声音");
  open_window();
  rt::ComboBox& voices = raw().组合框_语音库;
  ASSERT_EQ(voices.count(), 3);
  EXPECT_EQ(voices.item(0), "Fake 甲");
  EXPECT_EQ(voices.item(2), "下载TTS语音引擎");
  EXPECT_EQ(voices.current(), 0);
  EXPECT_EQ(rt::tooltip_text(voices), "Fake 甲");
  pick(voices, 1);
  EXPECT_EQ(speech->voice, "Fake 乙");
  EXPECT_EQ(voice_index(), 1);
  EXPECT_EQ(rt::tooltip_text(voices), "Fake 乙");
  // The download item opens the page and keeps the voice chosen before.
  rt::seams::record_launches(true);
  pick(voices, 2);
  EXPECT_EQ(voices.current(), 1);
  EXPECT_EQ(voice_index(), 1);
  ASSERT_EQ(rt::seams::launches().size(), 1u);
  EXPECT_EQ(speech->voice, "Fake 乙");
  start_reading();
  EXPECT_EQ(speech->voice, "Fake 乙");
}

TEST_F(ReadAloudTest, HiddenToTheTrayItKeepsSpeakingAndComesBackAsItWas) {
  editor().set_text("藏到托盘");
  open_window();
  start_reading();
  ui_test::click(raw().图形按钮_暂停朗读);
  ui_test::click(raw().图形按钮_隐藏);
  EXPECT_TRUE(raw().loaded());
  EXPECT_FALSE(raw().visible());
  EXPECT_EQ(read_aloud_hidden(), 1);
  EXPECT_TRUE(tray_item_visible());
  EXPECT_TRUE(speech->is_speaking());
  EXPECT_EQ(speech->stops, 0);
  // The tray item brings it back, paused as it was.
  restore_read_aloud_from_tray();
  EXPECT_TRUE(raw().visible());
  EXPECT_FALSE(raw().disabled());
  EXPECT_EQ(read_aloud_hidden(), 0);
  EXPECT_EQ(title(), kPaused);
  EXPECT_FALSE(reading_button_says_start());
  EXPECT_FALSE(pause_button_says_pause());
  // Hidden again, Ctrl+L brings it back as well; the text is read to its end meanwhile.
  hide_read_aloud_to_tray();
  finish_reading();
  ui_test::press_key(editor(), 'L', rt::kCtrl);
  EXPECT_TRUE(raw().visible());
  expect_idle();
}

TEST_F(ReadAloudTest, ClosingStopsTheVoiceAndHidesTheTrayItem) {
  editor().set_text("关闭窗口");
  open_window();
  start_reading();
  ui_test::click(raw().图形按钮_关闭小);
  EXPECT_FALSE(raw().loaded());
  EXPECT_EQ(speech->stops, 1);
  EXPECT_FALSE(speech->is_speaking());
  EXPECT_FALSE(tray_item_visible());
  ui_test::settle();  // the end told to a window that has gone changes nothing
  EXPECT_FALSE(raw().loaded());
  // Opened again: idle, nothing kept.
  open_window();
  expect_idle();
}

TEST_F(ReadAloudTest, CloseAfterReadingClosesTheWindowAtTheEnd) {
  editor().set_text("读完就关");
  open_window();
  ui_test::click(raw().超级按钮_朗读完毕后退出);
  start_reading();
  finish_reading();
  EXPECT_FALSE(raw().loaded());
  EXPECT_FALSE(tray_item_visible());
  // Opened again the check is off: the window stays.
  open_window();
  start_reading();
  finish_reading();
  EXPECT_TRUE(raw().loaded());
  expect_idle();
}

TEST_F(ReadAloudTest, ShutdownFadesTheWindowOutAndHidesTheTrayItem) {
  editor().set_text("退出");
  open_window();
  hide_read_aloud_to_tray();
  ASSERT_TRUE(tray_item_visible());
  release_main_window();
  EXPECT_FALSE(tray_item_visible());
  EXPECT_FALSE(raw().visible() && raw().alpha() > 0);
}

TEST_F(ReadAloudTest, SpeakingIntoAWavFile) {
  const string dir = temp_dir() + "velmora_朗读_wav\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  const string path = dir + "朗读.WAV";
  DeleteFileA(path.c_str());
  editor().set_text("写到音频文件里");
  open_window();
  pick(raw().组合框_语音库, 1);
  ui_test::press_key(raw().多功能条_朗读速度, kEnd);
  rt::seams::record_launches(true);
  std::vector<RecordedBox> boxes;
  record_message_boxes(&boxes, {kBoxOk});
  rt::seams::script_dialog({rt::seams::DialogKind::Save, true, {path}});
  ui_test::click(raw().图形按钮_输出);
  ASSERT_EQ(speech->wav_files.size(), 1u);
  EXPECT_EQ(speech->wav_files[0].text, "写到音频文件里");
  EXPECT_EQ(speech->wav_files[0].voice, "Fake 乙");
  EXPECT_EQ(speech->wav_files[0].rate, 10);
  WavHeader header = read_wav_header(rt::read_file(path).value_or(""));
  EXPECT_TRUE(header.valid);
  EXPECT_EQ(header.channels, 1);
  EXPECT_GT(header.data_bytes, 0u);
  // The dialog as it was asked for.
  ASSERT_FALSE(rt::seams::dialog_requests().empty());
  const auto& request = rt::seams::dialog_requests().back();
  EXPECT_EQ(request.title, "请选择音频文件的保存路径……");
  EXPECT_EQ(request.file_name, "写到音频文件");
  EXPECT_EQ(request.folder, rt::program_directory());
  // Written: the question, and OK shows the file in Explorer.
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "转换成功并成功写到文件");
  EXPECT_EQ(boxes[0].text, "  输出音频文件完毕，是否在资源管理中打开？\r\n");
  EXPECT_EQ(boxes[0].icon, 8);
  EXPECT_EQ(boxes[0].title_color, kMagenta);
  EXPECT_EQ(boxes[0].owner, raw().handle());
  EXPECT_EQ(launched(), std::vector<string>{"explorer.exe  /select,\"" + path + "\""});
  EXPECT_EQ(title(), kIdle);
  EXPECT_EQ(config_text(cfg::上次打开目录::音频文件), dir);
  // The next dialog starts in that folder; with no question asked afterwards.
  ui_test::click(raw().超级按钮_输出后不提示);
  rt::seams::script_dialog({rt::seams::DialogKind::Save, true, {path}});
  ui_test::click(raw().图形按钮_输出);
  EXPECT_EQ(rt::seams::dialog_requests().back().folder, dir);
  EXPECT_EQ(speech->wav_files.size(), 2u);
  EXPECT_EQ(boxes.size(), 1u);
  DeleteFileA(path.c_str());
  RemoveDirectoryA(dir.c_str());
}

// After a WAV file the title tells what the window does then: idle, or the reading that goes
// on beside the file (paused or not), also when that reading ended while the file was written.
TEST_F(ReadAloudTest, AfterAWavFileTheTitleTellsTheReadingAsItIsThen) {
  struct Case {
    const char* what;
    bool reading, paused, ends_meanwhile;
    string title_after;
  };
  const Case cases[] = {
      {"nothing read", false, false, false, kIdle},
      {"a reading goes on", true, false, false, kSpeaking},
      {"a paused reading", true, true, false, kPaused},
      {"the reading ends during the question", true, false, true, kIdle},
  };
  const string path = temp_dir() + "velmora_朗读_title.WAV";
  editor().set_text("朗读和输出");
  open_window();
  for (const Case& c : cases) {
    if (c.reading) start_reading();
    if (c.paused) ui_test::click(raw().图形按钮_暂停朗读);
    int questions = 0;
    rt::seams::set_modal_hook([&](rt::Window& w) {
      if (&w != &message_box_form()) return;
      ++questions;
      if (c.ends_meanwhile) finish_reading();
      ui_test::click(message_box_form().图形按钮_取消_信息框);
    });
    rt::seams::script_dialog({rt::seams::DialogKind::Save, true, {path}});
    ui_test::click(raw().图形按钮_输出);
    ui_test::settle();
    rt::seams::set_modal_hook(nullptr);
    EXPECT_EQ(questions, 1) << c.what;
    EXPECT_EQ(title(), c.title_after) << c.what;
    // A cancelled dialog too.
    ui_test::click(raw().图形按钮_输出);
    EXPECT_EQ(title(), c.title_after) << c.what << ", cancelled";
    if (c.paused) ui_test::click(raw().图形按钮_暂停朗读);
    finish_reading();
    expect_idle();
  }
  DeleteFileA(path.c_str());
}

TEST_F(ReadAloudTest, AWavFileThatCannotBeWrittenIsReported) {
  const string path = temp_dir() + "velmora_no_such_folder\\朗读.WAV";
  editor().set_text("写不进去");
  open_window();
  std::vector<RecordedBox> boxes;
  record_message_boxes(&boxes, {kBoxOk});
  rt::seams::script_dialog({rt::seams::DialogKind::Save, true, {path}});
  ui_test::click(raw().图形按钮_输出);
  EXPECT_TRUE(speech->wav_files.empty());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "写到文件失败！");
  EXPECT_EQ(boxes[0].text, "  输出到" + path + "\r\n失败！");
  EXPECT_EQ(boxes[0].icon, 16);
  EXPECT_EQ(boxes[0].title_color, kRed);
  EXPECT_EQ(boxes[0].text_color, kRed);
  EXPECT_EQ(title(), kIdle);
  // Cancelled: nothing asked, nothing written.
  boxes.clear();
  ui_test::click(raw().图形按钮_输出);
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(title(), kIdle);
}

TEST_F(ReadAloudTest, LongTextsAreAnnouncedBeforeTheyAreWritten) {
  const string path = temp_dir() + "velmora_long.WAV";
  open_window();
  ui_test::click(raw().超级按钮_输出后不提示);
  for (size_t size : {size_t{14999}, size_t{15000}}) {
    SCOPED_TRACE(size);
    text_box().set_text(string(size, 'a'));
    std::vector<RecordedBox> boxes;
    record_message_boxes(&boxes, {kBoxOk});
    rt::seams::script_dialog({rt::seams::DialogKind::Save, true, {path}});
    ui_test::click(raw().图形按钮_输出);
    ASSERT_EQ(boxes.size(), size > 14999 ? 1u : 0u);
    if (!boxes.empty()) {
      EXPECT_EQ(boxes[0].title, "友情提示！");
      EXPECT_EQ(boxes[0].text,
                "  如果转换类容过多的话，可能造成本程序假死，实际上程序还是正常在工作的，所以请赖心等待！\r\n");
      EXPECT_EQ(boxes[0].buttons, std::vector<int>{kBoxOk});
    }
    EXPECT_EQ(speech->wav_files.back().text.size(), size);
  }
  DeleteFileA(path.c_str());
}

TEST_F(ReadAloudTest, TheProposedFileNameIsTheTextsBeginning) {
  struct Case {
    string text, name;
  };
  const Case cases[] = {
      {"短文", "短文"},
      // Whole characters within 12 bytes.
      {"a一二三四五六七", "a一二三四五"},
      {"一二三四五六七", "一二三四五六"},
      // Forbidden characters, then line breaks and tabs, are left out.
      {"a\\b/c:d*e?f\"g<h>i|j", "abcdef"},
      {"第一行\r\n第二行", "第一行第二"},
      {"\t制表", "制表"},
  };
  open_window();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    text_box().set_text(c.text);
    ui_test::click(raw().图形按钮_输出);  // unscripted: cancelled
    ASSERT_FALSE(rt::seams::dialog_requests().empty());
    EXPECT_EQ(rt::seams::dialog_requests().back().file_name, c.name);
  }
}

TEST_F(ReadAloudTest, TextsFromAFileAndFromDrops) {
  const string file = temp_dir() + "velmora_朗读_来源.txt";
  ASSERT_TRUE(rt::write_file_safely(file, "文件里的文字\r\n第二行"));
  open_window();
  text_box().set_text("原来的");
  rt::seams::script_dialog({rt::seams::DialogKind::Open, true, {file}});
  ui_test::click(raw().图形按钮_从文件打开);
  EXPECT_EQ(text_box().text(), "文件里的文字\r\n第二行");
  EXPECT_EQ(rt::seams::dialog_requests().back().title, "请选择要语音朗读的文件……");
  EXPECT_EQ(rt::seams::dialog_requests().back().folder, rt::program_directory());
  EXPECT_EQ(config_text(cfg::上次打开目录::语音文件), temp_dir());
  // The next dialog starts there; cancelled, the text stays.
  ui_test::click(raw().图形按钮_从文件打开);
  EXPECT_EQ(rt::seams::dialog_requests().back().folder, temp_dir());
  EXPECT_EQ(text_box().text(), "文件里的文字\r\n第二行");
  // Drops: a text is appended, a file replaces the text.
  text_box().set_text("开头");
  ASSERT_TRUE(rt::seams::drop_text(text_box(), "拖来的"));
  EXPECT_EQ(text_box().text(), "开头拖来的");
  ASSERT_TRUE(rt::seams::drop_files(text_box(), {file}));
  EXPECT_EQ(text_box().text(), "文件里的文字\r\n第二行");
  DeleteFileA(file.c_str());
  // A file that cannot be read changes nothing.
  rt::seams::script_dialog({rt::seams::DialogKind::Open, true, {file}});
  ui_test::click(raw().图形按钮_从文件打开);
  ASSERT_TRUE(rt::seams::drop_files(text_box(), {file}));
  EXPECT_EQ(text_box().text(), "文件里的文字\r\n第二行");
}

TEST_F(ReadAloudTest, ThePagePicker) {
  editor().set_text("第一页");
  string second = "二", third = "三", empty = "空页";
  create_page(second);
  editor().set_text("第二页的文字");
  create_page(third);
  editor().set_text("第三页的文字");
  create_page(empty);
  tabs().set_current(1);
  rt::set_clipboard_text("");
  open_window();
  rt::ComboBox& picker = raw().组合框_打开文件;
  ASSERT_EQ(picker.count(), 4);
  EXPECT_EQ(picker.current(), 1);
  // Choosing a page reads its text; an empty page keeps the text there.
  pick(picker, 2);
  EXPECT_EQ(text_box().text(), "第三页的文字");
  EXPECT_EQ(rt::tooltip_text(picker), "三");
  pick(picker, 3);
  EXPECT_EQ(text_box().text(), "第三页的文字");
  // The removal of all pages refreshes the picker, which then loads the current page.
  for (int i = 0; i < page_count(); ++i) set_page_modified(i, 0);
  std::vector<RecordedBox> boxes;
  record_message_boxes(&boxes, {kBoxOk});
  close_all_pages(false);
  ASSERT_TRUE(ui_test::wait_for([] { return !speech_page_picker().busy(); }));
  EXPECT_EQ(picker.count(), 1);
  EXPECT_EQ(picker.current(), 0);
  EXPECT_EQ(text_box().text(), "第三页的文字");  // the fresh page is empty
  // While speaking the picker cannot be used.
  start_reading();
  EXPECT_TRUE(picker.disabled());
}

TEST_F(ReadAloudTest, OpenedByCtrlLAndTheMenuAndDressedAsAToolWindow) {
  editor().set_text("打开");
  ui_test::press_key(editor(), 'L', rt::kCtrl);
  ASSERT_TRUE(ui_test::wait_for([] { return raw().loaded() && raw().alpha() == options().window_alpha; }));
  EXPECT_EQ(editor().text(), "打开");  // the key never reaches the edit box
  EXPECT_EQ(raw().caption(), "Velmora_语音朗读");
  EXPECT_TRUE(raw().图形按钮_程序图标.normal_picture().same_image(read_aloud_window_icon_picture()));
  EXPECT_EQ(rt::tooltip_text(raw().图形按钮_关闭小), "关闭语音朗读窗口");  // in red, its tag not shown
  EXPECT_EQ(rt::tooltip_text(raw().图形按钮_隐藏), "暂时隐藏本窗口,需要时在打开……");
  EXPECT_EQ(rt::tooltip_text(raw().图形按钮_输出), "输出文本到语音音频文件");
  EXPECT_EQ(raw().标签11.text(), "-1");
  EXPECT_EQ(raw().标签10.text(), "50");
  // Opening again keeps the one window.
  rt::WindowHandle first = raw().handle();
  rt::MenuItem* item = main_menu_item("语音朗读文本(&L)    Ctrl+L");
  ASSERT_NE(item, nullptr);
  ASSERT_TRUE(item->on_click);
  item->on_click();
  EXPECT_EQ(raw().handle(), first);
  raw().destroy();
  item->on_click();
  ASSERT_TRUE(ui_test::wait_for([] { return raw().loaded(); }));
}

TEST_F(ReadAloudTest, Screenshot) {
  editor().set_text(
      "朗读示例：这是一个带标签页的纯文本编辑器。\r\n"
      "选择语音、速度和音量，然后开始朗读。");
  open_window();
  start_reading();
  ui_test::screenshot("read_aloud_window");
  EXPECT_TRUE(ui_test::layout_is_sound(raw()));
}

}  // namespace
