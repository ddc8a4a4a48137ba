// The translation window against the real main window under Wine: the language list read from
// the site, the form it posts and the translation cut out of the returned page, the options,
// the speech downloaded and played, its buttons and keys, its page picker, file and drops. The
// site answers from a server of the test's own on 127.0.0.1; sounds and the browser are recorded.
#include "options/option_values.h"
#include "web/translation_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/menu_bar.h"
#include "app/shutdown.h"
#include "common/control_routines.h"
#include "common/web_art.h"
#include "common/window_fade.h"
#include "layout_check.h"
#include "options/config.h"
#include "pages/page_model.h"
#include "pages/page_pickers.h"
#include "recorded_boxes.h"
#include "runtime/files.h"
#include "runtime/gbk_text.h"
#include "runtime/page_text.h"
#include "runtime/tooltip.h"
#include "web_test.h"

namespace {

using rt::seams::DialogKind;

TranslationWindowForm& tw() { return translation_window(); }
HWND hw(rt::WindowHandle h) { return static_cast<HWND>(h); }

// The site's page with n target languages "语言1" .. (codes "l1" ..), as UTF-8 is turned into.
std::string language_page(int n) {
  std::string page =
      "<html><form><select name=sl><option value=auto>检测语言</option></select>"
      "<label>目标语言：<select name=tl>";
  for (int i = 1; i <= n; ++i)
    page += "<option value=\"l" + std::to_string(i) + "\">语言" + std::to_string(i) + "</option>";
  return page + "</select></label><input type=submit value=\"翻译\"></form></html>";
}

const std::string kS1 =
    "\" onmouseover=\"this.style.backgroundColor='#ebeff9'\" onmouseout=\"this.style.backgroundColor='#fff'\">";
const std::string kS5 =
    "<input type=file name=file id=file size=40></div><div id=gt-src-tools class=g-section "
    "style=\"display:none\"></div><div id=src-translit class=translit dir=ltr style=\"text-align:;display:block\">";

// A returned page: each translated sentence with its source, and a romanization.
std::string translated_page(const std::vector<std::pair<std::string, std::string>>& pairs,
                            const std::string& romanization = {}) {
  std::string page = "<html><body>";
  if (!romanization.empty()) page += kS5 + romanization + "</div>";
  page += "<div id=result>";
  for (const auto& [translated, source] : pairs) page += "<span title=\"" + source + kS1 + translated + "</span>";
  return page + "</div></body></html>";
}

// The user's choice in a combo: the control's own notification to its parent.
void pick(rt::ComboBox& combo, int entry) {
  HWND h = hw(combo.handle());
  SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  SendMessageW(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), CBN_SELCHANGE), reinterpret_cast<LPARAM>(h));
}

class TranslationTest : public WebTest {
 protected:
  void TearDown() override {
    for (const std::string& f : cleanup_) {
      DeleteFileA(f.c_str());
      RemoveDirectoryA(f.c_str());
    }
    WebTest::TearDown();
  }
  // Opens the window as the menu does and waits until the languages are in and it can close.
  void open_window(int languages = 60) {
    server_.set_reply(ok(language_page(languages), true));
    open_translation_window();
    ASSERT_TRUE(ui_test::wait_for(
        [] {
          return tw().loaded() && tw().alpha() == options().window_alpha && !tw().图形按钮_关闭小.disabled() &&
                 !translation_page_picker().busy();
        },
        15000));
  }
  // Clicks the translate button with the page the site answers, and waits for the end.
  void translate(const std::string& reply) {
    server_.set_reply(reply);
    size_t before = requests();
    ui_test::click(tw().图形按钮_翻译);
    ASSERT_TRUE(ui_test::wait_for([&] { return requests() > before && !tw().图片框_等待.visible(); }, 15000));
    ASSERT_TRUE(ui_test::wait_for([] { return !tw().图形按钮_关闭小.disabled(); }));
  }
  // Clicks a read button with the speech the site answers, and waits until it is played.
  void read_aloud(rt::GraphicButton& button, const std::string& speech) {
    server_.set_reply(ok(speech));
    ui_test::click(button);
    ASSERT_TRUE(ui_test::wait_for([] { return !rt::seams::media_commands().empty(); }, 15000));
  }
  std::vector<std::string> cleanup_;
};

TEST_F(TranslationTest, TheMenuOpensTheWindowWithTheSitesLanguages) {
  server_.set_reply(ok(language_page(60), true));
  rt::seams::set_menu_hook([](rt::PopupMenu& m) { EXPECT_TRUE(m.choose("启动谷歌翻译(&G)")); });
  open_extra_menu();
  rt::seams::set_menu_hook(nullptr);
  open_window();
  TranslationWindowForm& w = tw();
  EXPECT_EQ(w.caption(), "Velmora_谷歌翻译");
  EXPECT_EQ(http_text::request_line(server_.requests().back()), "GET / HTTP/1.0");  // no "#" goes out
  ASSERT_EQ(translation_languages().size(), 61u);
  EXPECT_EQ(translation_languages()[0], "auto");
  EXPECT_EQ(translation_languages()[60], "l60");
  EXPECT_EQ(w.组合框_源语言.count(), 61);
  EXPECT_EQ(w.组合框_源语言.item(0), "自动检测");
  EXPECT_EQ(w.组合框_源语言.item(1), "语言1");
  EXPECT_EQ(w.组合框_源语言.current(), 0);
  EXPECT_EQ(w.组合框_目标语言.count(), 60);
  EXPECT_EQ(w.组合框_目标语言.current(), 58);
  EXPECT_EQ(w.组合框_目标语言.text(), "语言59");
  for (rt::Unit* u : std::initializer_list<rt::Unit*>{
           &w.编辑框_翻译内容, &w.编辑框_翻译结果, &w.组合框_源语言, &w.组合框_目标语言, &w.组合框_打开的文件,
           &w.图形按钮_从文件打开, &w.图形按钮_翻译, &w.图形按钮_互转语言, &w.图形按钮_朗读_翻译类容,
           &w.图形按钮_朗读_翻译结果, &w.超级按钮_同时在网页中显示, &w.标签1, &w.标签2, &w.标签4})
    EXPECT_TRUE(u->visible());
  EXPECT_FALSE(w.标签3.visible());
  EXPECT_FALSE(w.标签8.visible());
  EXPECT_FALSE(w.图片框_等待.visible());
  // The waiting picture now lies over the middle of the result box.
  EXPECT_EQ(w.图片框_等待.left() + w.图片框_等待.width() / 2, w.编辑框_翻译结果.left() + w.编辑框_翻译结果.width() / 2);
  EXPECT_EQ(w.图片框_等待.top() + w.图片框_等待.height() / 2, w.编辑框_翻译结果.top() + w.编辑框_翻译结果.height() / 2);
  // The checks are off without options; nothing to translate or read yet.
  for (rt::GraphicButton* b : {&w.超级按钮_将原语言标在翻译语句后面, &w.超级按钮_显示对应的拉丁字符的拼音,
                               &w.超级按钮_同时在网页中显示})
    EXPECT_EQ(check_button_state(*b, ButtonOp::Query), 0);
  EXPECT_TRUE(w.图形按钮_翻译.disabled());
  EXPECT_TRUE(w.图形按钮_朗读_翻译类容.disabled());
  EXPECT_TRUE(w.图形按钮_朗读_翻译结果.disabled());
  EXPECT_TRUE(w.图形按钮_程序图标.normal_picture().same_image(translation_window_icon_picture()));
  EXPECT_EQ(w.标签_上中.text(), "   谷歌翻译");
  EXPECT_EQ(rt::tooltip_text(w.图形按钮_关闭小), "关闭谷歌翻译窗口");  // in red, its tag not shown
  EXPECT_EQ(rt::tooltip_text(w.图形按钮_互转语言), "交换源语言和目标语言");
  EXPECT_EQ(rt::tooltip_text(w.图形按钮_翻译), "开始进行翻译");
}

TEST_F(TranslationTest, AShortListSelectsTheFirstTargetAndAReloadStartsTheListAfresh) {
  open_window(3);
  EXPECT_EQ(tw().组合框_目标语言.current(), 0);
  EXPECT_EQ(translation_languages(), (std::vector<std::string>{"auto", "l1", "l2", "l3"}));
  tw().destroy();
  open_window(2);
  EXPECT_EQ(translation_languages(), (std::vector<std::string>{"auto", "l1", "l2"}));
  EXPECT_EQ(tw().组合框_源语言.count(), 3);
}

TEST_F(TranslationTest, WithoutTheSiteTheWindowShowsItsFailureNote) {
  struct Case {
    const char* name;
    bool offline;
    std::string reply;
  };
  const Case cases[] = {{"offline", true, ok("")}, {"empty page", false, ok("")}};
  set_translation_languages({"auto", "left over"});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.offline) go_offline();
    size_t before = requests();
    server_.set_reply(c.reply);
    open_translation_window();
    ASSERT_TRUE(ui_test::wait_for([] { return tw().loaded() && tw().标签8.visible(); }, 15000));
    EXPECT_EQ(requests(), before + (c.offline ? 0 : 1));
    EXPECT_FALSE(tw().标签3.visible());
    EXPECT_FALSE(tw().图片框_等待.visible());
    EXPECT_FALSE(tw().编辑框_翻译内容.visible());
    EXPECT_FALSE(tw().组合框_目标语言.visible());
    EXPECT_TRUE(translation_languages().empty());
    ASSERT_TRUE(ui_test::wait_for([] { return !tw().图形按钮_关闭小.disabled(); }));
    ui_test::click(tw().图形按钮_关闭小);
    EXPECT_FALSE(tw().loaded());
    point_web_host(WebHost::kConnectivity, "127.0.0.1");
  }
}

TEST_F(TranslationTest, ATranslationPostsTheFormAndShowsTheSentences) {
  open_window();
  pick(tw().组合框_目标语言, 2);
  tw().编辑框_翻译内容.set_text("你好。再见。");
  EXPECT_FALSE(tw().图形按钮_翻译.disabled());
  translate(ok(translated_page({{"Hello.", "你好。"}, {"Goodbye.&quot;", "再见。"}}), true));
  std::string request = server_.requests().back();
  EXPECT_EQ(http_text::request_line(request), "POST / HTTP/1.1");
  EXPECT_EQ(http_text::body(request),
            "js=n&prev=_t&hl=zh-CN&ie=UTF-8&layout=2&eotf=0&sl=auto&tl=l3"
            "&text=%E4%BD%A0%E5%A5%BD%E3%80%82%E5%86%8D%E8%A7%81%E3%80%82&file=");
  EXPECT_EQ(http_text::header_values(request, "Content-Type"),
            std::vector<std::string>{"application/x-www-form-urlencoded"});
  EXPECT_EQ(tw().编辑框_翻译结果.text(), "Hello.Goodbye.");
  EXPECT_EQ(tw().编辑框_翻译结果.selection_start(), 0);
  EXPECT_EQ(tw().标签_上中.text(), "   谷歌翻译");
  EXPECT_FALSE(tw().图形按钮_翻译.disabled());
  EXPECT_FALSE(tw().图形按钮_朗读_翻译结果.disabled());
  EXPECT_TRUE(rt::seams::launches().empty());
}

TEST_F(TranslationTest, TheSavedOptionsInterleaveSourcesAndAddTheRomanization) {
  config_set_flag(cfg::谷歌翻译设置::将原语言标在翻译语句后面, true);
  config_set_flag(cfg::谷歌翻译设置::显示对应的拉丁字符的拼音, true);
  open_window();
  EXPECT_EQ(check_button_state(tw().超级按钮_将原语言标在翻译语句后面, ButtonOp::Query), 1);
  EXPECT_EQ(check_button_state(tw().超级按钮_显示对应的拉丁字符的拼音, ButtonOp::Query), 1);
  tw().编辑框_翻译内容.set_text("你好。再见。");
  const std::string page = ok(translated_page({{"Hello.", "你好。"}, {"Good<br>bye.", "再见。"}}, "Nihao. Zaijian."), true);
  translate(page);
  EXPECT_EQ(tw().编辑框_翻译结果.text(),
            "Hello.\r\n//你好。\r\n\r\nGoodbye.\r\n//再见。\r\n\r\n=============================\r\nNihao. Zaijian.");
  // Source and target the same language: no sources; the break is a line break again.
  pick(tw().组合框_源语言, tw().组合框_目标语言.current() + 1);
  EXPECT_TRUE(tw().图形按钮_互转语言.disabled());
  translate(page);
  EXPECT_EQ(tw().编辑框_翻译结果.text(), "Hello.Good\r\nbye.\r\n=============================\r\nNihao. Zaijian.");
  // Switched off by a click, for this window only.
  ui_test::click(tw().超级按钮_显示对应的拉丁字符的拼音);
  translate(page);
  EXPECT_EQ(tw().编辑框_翻译结果.text(), "Hello.Good\r\nbye.");
  EXPECT_TRUE(config_flag(cfg::谷歌翻译设置::显示对应的拉丁字符的拼音));
}

TEST_F(TranslationTest, AnEmptyReplyKeepsTheResultAndSaysSo) {
  open_window();
  tw().编辑框_翻译内容.set_text("文字");
  tw().编辑框_翻译结果.set_text("旧结果");
  translate(ok(""));
  EXPECT_EQ(tw().编辑框_翻译结果.text(), "旧结果");
  EXPECT_EQ(tw().标签_上中.text(), "   获取返回的数据出错，请确定是否连接到互联网……");
  EXPECT_EQ(tw().标签_上中.text_color(), 255u);
  EXPECT_FALSE(tw().图形按钮_翻译.disabled());
  // A page without any of the patterns empties the box.
  translate(ok("<html>别的页面</html>", true));
  EXPECT_EQ(tw().编辑框_翻译结果.text(), "");
}

TEST_F(TranslationTest, AZeroInTheReplyHidesNoSentenceAndEveryCharacterArrives) {
  open_window();
  tw().编辑框_翻译内容.set_text("价格。");
  // A zero before the sentences, and characters GBK lacks beside the euro sign (U+1F600).
  const std::string sentence =
      "Price: \x80"
      "5 \x94\x39\xFC\x36.";
  std::string page = translated_page({{sentence, "价格。"}});
  page.insert(page.find("<div id=result>"), 1, '\0');
  std::string utf8;
  ASSERT_TRUE(rt::page_text_to_utf8(page, utf8));
  translate(ok(utf8));
  EXPECT_EQ(tw().编辑框_翻译结果.text(), sentence);
  HWND box = static_cast<HWND>(tw().编辑框_翻译结果.handle());
  wchar_t shown[64] = {};
  GetWindowTextW(box, shown, 64);
  EXPECT_EQ(std::wstring(shown),
            L"Price: \u20AC"
            L"5 \U0001F600.");
}

TEST_F(TranslationTest, TheBrowserOptionOpensTheTranslationOnTheSite) {
  open_window();
  ui_test::click(tw().超级按钮_同时在网页中显示);
  const std::string reply = ok(translated_page({{"Hi", "嗨"}}), true);
  tw().编辑框_翻译内容.set_text("嗨 a&b");
  translate(reply);
  std::string text429(429, 'x');
  tw().编辑框_翻译内容.set_text(text429);
  translate(reply);
  ASSERT_EQ(rt::seams::launches().size(), 2u);
  EXPECT_EQ(rt::seams::launches()[0].verb, "open");
  EXPECT_EQ(rt::seams::launches()[0].file, server_.address("/#auto|l59|嗨 a&b"));
  EXPECT_EQ(rt::seams::launches()[1].file, server_.address("/#"));
}

TEST_F(TranslationTest, SwappingTheLanguages) {
  open_window();
  TranslationWindowForm& w = tw();
  pick(w.组合框_目标语言, 3);
  // Auto-detect as the source: the target becomes the first language, the source the old target.
  ui_test::click(w.图形按钮_互转语言);
  EXPECT_EQ(w.组合框_目标语言.current(), 0);
  EXPECT_EQ(w.组合框_源语言.current(), 4);
  EXPECT_FALSE(w.图形按钮_互转语言.disabled());
  ui_test::click(w.图形按钮_互转语言);
  EXPECT_EQ(w.组合框_目标语言.current(), 3);
  EXPECT_EQ(w.组合框_源语言.current(), 1);
  EXPECT_EQ(rt::tooltip_text(w.组合框_源语言), "");
  pick(w.组合框_源语言, 4);  // the same as the target
  EXPECT_TRUE(w.图形按钮_互转语言.disabled());
  EXPECT_EQ(rt::tooltip_text(w.组合框_源语言), "语言4");
  pick(w.组合框_目标语言, 5);
  EXPECT_FALSE(w.图形按钮_互转语言.disabled());
  EXPECT_EQ(rt::tooltip_text(w.组合框_目标语言), "语言6");
}

TEST_F(TranslationTest, TheButtonsFollowTheTexts) {
  open_window();
  TranslationWindowForm& w = tw();
  struct Case {
    std::string text;
    bool translate, read;
  };
  const Case cases[] = {
      {"", false, false}, {"abc", true, true}, {std::string(200, 'x'), true, true}, {std::string(201, 'x'), true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.size());
    w.编辑框_翻译内容.set_text(c.text);
    EXPECT_EQ(w.图形按钮_翻译.disabled(), !c.translate);
    EXPECT_EQ(w.图形按钮_朗读_翻译类容.disabled(), !c.read);
    w.编辑框_翻译结果.set_text(c.text);
    EXPECT_EQ(w.图形按钮_朗读_翻译结果.disabled(), !c.read);
  }
  // 200 bytes: a click without a selection disables reading; a word selected enables it.
  w.编辑框_翻译内容.set_text(std::string(200, 'x'));
  ui_test::click(w.编辑框_翻译内容, 20, 10);
  EXPECT_TRUE(w.图形按钮_朗读_翻译类容.disabled());
  ui_test::double_click(w.编辑框_翻译内容, 20, 10);
  EXPECT_GT(w.编辑框_翻译内容.selection_length(), 0);
  EXPECT_FALSE(w.图形按钮_朗读_翻译类容.disabled());
  // A short text reads as a whole, selected or not.
  w.编辑框_翻译结果.set_text("短");
  ui_test::click(w.编辑框_翻译结果, 20, 10);
  EXPECT_FALSE(w.图形按钮_朗读_翻译结果.disabled());
}

TEST_F(TranslationTest, ReadingAloudDownloadsTheSpeechAndPlaysIt) {
  open_window();
  const std::string file = rt::program_directory() + "谷歌语音朗读.mp3";
  cleanup_.push_back(file);
  tw().编辑框_翻译结果.set_text("Hello world");
  read_aloud(tw().图形按钮_朗读_翻译结果, "ID3 result speech");
  EXPECT_EQ(http_text::request_line(server_.requests().back()), "GET /translate_tts?q=Hello%20world&tl=l59 HTTP/1.0");
  EXPECT_EQ(rt::read_file(file), std::string("ID3 result speech"));
  ASSERT_EQ(rt::seams::media_commands().size(), 1u);
  EXPECT_EQ(rt::seams::media_commands()[0], "play \"" + file + "\"");
  // The source with auto-detect asks for "auto"; the same file is written again.
  rt::seams::media_commands().clear();
  tw().编辑框_翻译内容.set_text("你好");
  read_aloud(tw().图形按钮_朗读_翻译类容, "ID3 source speech");
  EXPECT_EQ(http_text::request_line(server_.requests().back()), "GET /translate_tts?q=%E4%BD%A0%E5%A5%BD&tl=auto HTTP/1.0");
  EXPECT_EQ(rt::read_file(file), std::string("ID3 source speech"));
  // An empty answer is written and played without a word.
  rt::seams::media_commands().clear();
  std::vector<RecordedBox> boxes;
  record_message_boxes(&boxes);
  read_aloud(tw().图形按钮_朗读_翻译类容, "");
  EXPECT_EQ(rt::read_file(file), std::string());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(TranslationTest, ASpeechDownloadCutShortIsToldAndLeavesTheFileAsItWas) {
  open_window();
  const std::string file = rt::program_directory() + "谷歌语音朗读.mp3";
  cleanup_.push_back(file);
  tw().编辑框_翻译结果.set_text("Hello world");
  const std::string speech = "ID3" + std::string(5000, 's');
  for (const BrokenReply& c : kBrokenReplies) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(rt::write_file_safely(file, "earlier speech"));
    rt::seams::media_commands().clear();
    std::vector<RecordedBox> boxes;
    record_message_boxes(&boxes, {kBoxOk});
    const std::string reply = ok(speech);
    server_.set_reply(reply);
    server_.cut_replies_after(reply.size() - 3000, c.reset);
    ui_test::click(tw().图形按钮_朗读_翻译结果);
    ASSERT_TRUE(ui_test::wait_for([&] { return boxes.size() == 1; }, 15000));
    EXPECT_EQ(boxes[0].title, "写出临时文件失败！");
    EXPECT_EQ(boxes[0].owner, tw().handle());
    EXPECT_EQ(rt::read_file(file), std::string("earlier speech"));
    EXPECT_TRUE(rt::seams::media_commands().empty());
    EXPECT_TRUE(ui_test::wait_for([] { return !tw().图形按钮_关闭小.disabled(); }));
  }
  // Whole again: written and played.
  server_.cut_replies_after(std::string::npos);
  rt::seams::set_modal_hook(nullptr);
  read_aloud(tw().图形按钮_朗读_翻译结果, speech);
  EXPECT_EQ(rt::read_file(file), speech);
}

TEST_F(TranslationTest, SpeechFilesNamedAfterTheTextGoIntoTheChosenFolder) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "velmora 音频 测试\\";
  const std::string file = folder + "你好，世界！.mp3";
  cleanup_ = {file, folder};
  RemoveDirectoryA(folder.c_str());
  config_set_flag(cfg::谷歌翻译设置::音频文件按照名称创建, true);
  config_write("谷歌翻译设置", "音频文件临时目录", folder.substr(0, folder.size() - 1));
  open_window();
  tw().编辑框_翻译内容.set_text("你好，世界！今天天气");
  read_aloud(tw().图形按钮_朗读_翻译类容, "mp3");
  EXPECT_TRUE(rt::is_directory(folder));
  EXPECT_EQ(rt::read_file(file), std::string("mp3"));
  EXPECT_EQ(rt::seams::media_commands()[0], "play \"" + file + "\"");
  // The result is read under the source's name too; a source without a usable character
  // takes the single file beside the program.
  rt::seams::media_commands().clear();
  tw().编辑框_翻译结果.set_text("Hello");
  read_aloud(tw().图形按钮_朗读_翻译结果, "mp3 again");
  EXPECT_EQ(rt::read_file(file), std::string("mp3 again"));
  rt::seams::media_commands().clear();
  const std::string single = rt::program_directory() + "谷歌语音朗读.mp3";
  cleanup_.push_back(single);
  tw().编辑框_翻译内容.set_text("\r\n\r\n\r\n\r\n\r\n\r\n:*?");
  read_aloud(tw().图形按钮_朗读_翻译结果, "single");
  EXPECT_EQ(rt::read_file(single), std::string("single"));
}

TEST_F(TranslationTest, SpeechFolderAndFileFailuresAreTold) {
  const std::string program = rt::program_directory();
  // The default folder's name taken by a file: the folder cannot be made.
  const std::string blocker = program + "谷歌语音朗读";
  ASSERT_TRUE(rt::write_file_safely(blocker, "not a folder"));
  cleanup_.push_back(blocker);
  config_set_flag(cfg::谷歌翻译设置::音频文件按照名称创建, true);
  open_window();
  std::vector<RecordedBox> boxes;
  record_message_boxes(&boxes, {kBoxOk, kBoxOk});
  tw().编辑框_翻译内容.set_text("你好");
  size_t before = requests();
  ui_test::click(tw().图形按钮_朗读_翻译类容);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "创建文件夹失败！");
  EXPECT_EQ(boxes[0].text, "  检测到置谷歌音频文件的临时文件夹不存在，程序自动创建，但是创建失败，请确定目标目录是否可写！\r\n");
  EXPECT_EQ(boxes[0].icon, 16);
  EXPECT_EQ(boxes[0].title_color, 255u);
  EXPECT_EQ(boxes[0].text_color, 0xFF00FFu);
  EXPECT_EQ(boxes[0].owner, tw().handle());
  EXPECT_EQ(requests(), before);
  // The single file's name taken by a folder: the speech cannot be written.
  config_set_flag(cfg::谷歌翻译设置::音频文件按照名称创建, false);
  const std::string single = program + "谷歌语音朗读.mp3";
  ASSERT_TRUE(CreateDirectoryA(single.c_str(), nullptr));
  cleanup_.push_back(single);
  server_.set_reply(ok("mp3"));
  ui_test::click(tw().图形按钮_朗读_翻译类容);
  ASSERT_TRUE(ui_test::wait_for([&] { return boxes.size() == 2; }, 15000));
  EXPECT_EQ(boxes[1].title, "写出临时文件失败！");
  EXPECT_EQ(boxes[1].icon, 16);
  EXPECT_TRUE(rt::seams::media_commands().empty());
}

TEST_F(TranslationTest, KeysOfTheBoxes) {
  open_window();
  TranslationWindowForm& w = tw();
  for (rt::EditBox* box : {&w.编辑框_翻译内容, &w.编辑框_翻译结果}) {
    box->set_text("全选这些");
    box->select(1, 0);
    ui_test::press_key(*box, 'A', rt::kCtrl);
    EXPECT_EQ(box->selection_length(), 4);
    EXPECT_EQ(box->text(), "全选这些");
  }
  // Ctrl+L reads while the box's read button is enabled, and never reaches the box.
  cleanup_.push_back(rt::program_directory() + "谷歌语音朗读.mp3");
  server_.set_reply(ok("mp3"));
  ui_test::press_key(w.编辑框_翻译结果, 'L', rt::kCtrl);
  ASSERT_TRUE(ui_test::wait_for([] { return !rt::seams::media_commands().empty(); }, 15000));
  EXPECT_EQ(w.编辑框_翻译结果.text(), "全选这些");
  size_t before = requests();
  w.编辑框_翻译内容.set_text(std::string(201, 'x'));
  ui_test::press_key(w.编辑框_翻译内容, 'L', rt::kCtrl);
  ui_test::settle(200);
  EXPECT_EQ(requests(), before);
  EXPECT_EQ(w.编辑框_翻译内容.text(), std::string(201, 'x'));
}

TEST_F(TranslationTest, ThePagePickerFilesAndDrops) {
  editor().set_text("第一页的文字");
  std::string name = "第二页";
  create_page(name);
  editor().set_text("第二页的文字");
  open_window();
  TranslationWindowForm& w = tw();
  ASSERT_EQ(w.组合框_打开的文件.count(), 2);
  EXPECT_EQ(w.组合框_打开的文件.current(), 1);
  EXPECT_EQ(w.编辑框_翻译内容.text(), "第二页的文字");
  pick(w.组合框_打开的文件, 0);
  EXPECT_EQ(w.编辑框_翻译内容.text(), "第一页的文字");
  // The balloon names the entry (a new page is named after its first line).
  EXPECT_EQ(rt::tooltip_text(w.组合框_打开的文件), page_name(0));
  EXPECT_EQ(w.组合框_打开的文件.item(0), page_name(0));
  // The window is one of the loaded pickers that the open routine and "close all" refresh.
  tabs().set_current(1);
  refresh_loaded_page_pickers();
  ASSERT_TRUE(ui_test::wait_for([] { return !translation_page_picker().busy(); }));
  EXPECT_EQ(w.编辑框_翻译内容.text(), "第二页的文字");
  EXPECT_EQ(translation_page_picker().order(), 4);

  ASSERT_TRUE(rt::seams::drop_text(w.编辑框_翻译内容, "拖来的"));
  EXPECT_EQ(w.编辑框_翻译内容.text(), "第二页的文字拖来的");
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string file = std::string(temp) + "velmora_翻译_文件.txt";
  cleanup_.push_back(file);
  ASSERT_TRUE(rt::write_file_safely(file, "文件里的文字"));
  ASSERT_TRUE(rt::seams::drop_files(w.编辑框_翻译内容, {file}));
  EXPECT_EQ(w.编辑框_翻译内容.text(), "文件里的文字");

  // From the open dialog: its folder is remembered for the next time.
  w.编辑框_翻译内容.set_text("");
  rt::seams::script_dialog({DialogKind::Open, true, {file}});
  ui_test::click(w.图形按钮_从文件打开);
  EXPECT_EQ(w.编辑框_翻译内容.text(), "文件里的文字");
  ASSERT_EQ(rt::seams::dialog_requests().size(), 1u);
  EXPECT_EQ(rt::seams::dialog_requests()[0].kind, DialogKind::Open);
  EXPECT_EQ(rt::seams::dialog_requests()[0].folder, rt::program_directory());
  EXPECT_EQ(config_read("上次打开目录", "翻译文件"), std::string(temp));
  ui_test::click(w.图形按钮_从文件打开);  // unscripted: cancelled
  ASSERT_EQ(rt::seams::dialog_requests().size(), 2u);
  EXPECT_EQ(rt::seams::dialog_requests()[1].folder, std::string(temp));
  EXPECT_EQ(w.编辑框_翻译内容.text(), "文件里的文字");
}

TEST_F(TranslationTest, TheWindowRefusesToCloseWhileItWorks) {
  // The language page arrives slowly.
  server_.set_reply(ok(language_page(60), true), 256, 150);
  open_translation_window();
  ASSERT_TRUE(ui_test::wait_for([] { return tw().loaded() && tw().图形按钮_关闭小.disabled(); }));
  ui_test::click(tw().图形按钮_关闭小);
  tw().close();
  EXPECT_TRUE(tw().loaded());
  ASSERT_TRUE(ui_test::wait_for(
      [] { return tw().组合框_目标语言.count() == 60 && !tw().图形按钮_关闭小.disabled(); }, 30000));
  // A slow translation: the same.
  tw().编辑框_翻译内容.set_text("慢");
  server_.set_reply(ok(translated_page({{"Slow", "慢"}}), true), 64, 150);
  ui_test::click(tw().图形按钮_翻译);
  EXPECT_TRUE(tw().图形按钮_关闭小.disabled());
  EXPECT_TRUE(tw().图形按钮_翻译.disabled());
  tw().close();
  EXPECT_TRUE(tw().loaded());
  ASSERT_TRUE(ui_test::wait_for([] { return !tw().图形按钮_关闭小.disabled(); }, 30000));
  EXPECT_EQ(tw().编辑框_翻译结果.text(), "Slow");
  ui_test::click(tw().图形按钮_关闭小);
  EXPECT_FALSE(tw().loaded());
}

TEST_F(TranslationTest, ShutdownFadesTheWindowOut) {
  open_window();
  release_main_window();
  EXPECT_FALSE(tw().visible() && tw().alpha() > 0);
}

TEST_F(TranslationTest, Screenshot) {
  config_set_flag(cfg::谷歌翻译设置::显示对应的拉丁字符的拼音, true);
  editor().set_text("今天天气很好。我们去公园散步吧。");
  open_window();
  translate(ok(translated_page({{"The weather is nice today. ", "今天天气很好。"},
                                {"Let's go for a walk in the park.", "我们去公园散步吧。"}},
                               "Jintian tianqi hen hao. Women qu gongyuan sanbu ba."),
               true));
  ui_test::screenshot("translation_window");
  EXPECT_TRUE(ui_test::layout_is_sound(tw()));
}

}  // namespace
