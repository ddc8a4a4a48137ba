// The keyboard of the dialogs and tool windows, with real keys through the system's input
// queue against the real windows under Wine: Tab and Shift+Tab walk every control in reading
// order, Esc closes as the close or Cancel button does, Enter presses the default button, the
// graphic buttons show the focus and take Space and Enter; the menus close with Esc. The main
// window keeps its page editor's Tab and Esc.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "common/control_routines.h"
#include "common/message_box.h"
#include "common/messages.h"
#include "common/window_fade.h"
#include "documents/custom_open.h"
#include "documents/file_info.h"
#include "fake_voice.h"
#include "foreign/grabber_window.h"
#include "forms/crypt_window_form.h"
#include "forms/custom_open_window_form.h"
#include "forms/file_info_window_form.h"
#include "forms/find_window_form.h"
#include "forms/font_window_form.h"
#include "forms/grabber_window_form.h"
#include "forms/jump_window_form.h"
#include "common/message_box_form.h"
#include "forms/options_window_form.h"
#include "forms/read_aloud_window_form.h"
#include "forms/simp_trad_window_form.h"
#include "forms/tab_manager_form.h"
#include "forms/typing_window_form.h"
#include "options/option_values.h"
#include "options/options_window.h"
#include "pages/jump_to_page.h"
#include "pages/page_model.h"
#include "pages/page_pickers.h"
#include "pages/tab_manager.h"
#include "runtime/clipboard.h"
#include "texttools/crypt_window.h"
#include "texttools/find_replace.h"
#include "texttools/font_window.h"
#include "texttools/read_aloud.h"
#include "texttools/simp_trad_window.h"
#include "texttools/typing_output.h"
#include "web/about_window.h"
#include "web/cloud_input.h"
#include "web/translation_window.h"
#include "web/update_check.h"
#include "web_test.h"

namespace {

HWND hw(rt::WindowHandle h) { return static_cast<HWND>(h); }

// A control of a walk, with its name for the test's messages.
struct Stop {
  rt::Unit* unit;
  const char* name;
};
#define STOP(u) Stop{&(u), #u}
using Walk = std::vector<Stop>;

// The name of the stop that holds the keyboard focus (in a combo box's text field too).
std::string focused(const Walk& walk) {
  HWND f = GetFocus();
  if (!f) return "(no focus)";
  for (HWND h = f; h; h = GetParent(h)) {
    for (const Stop& s : walk)
      if (hw(s.unit->handle()) == h) return s.name;
    if (!(GetWindowLongW(h, GWL_STYLE) & WS_CHILD)) break;
  }
  return "(" + ui_test::class_name(f) + " " + ui_test::window_text(f) + ")";
}

// The texts of the boxes of a walk.
std::vector<std::string> box_texts(const Walk& walk) {
  std::vector<std::string> texts;
  for (const Stop& s : walk) {
    if (auto* e = dynamic_cast<rt::EditBox*>(s.unit)) texts.push_back(e->text());
    if (auto* c = dynamic_cast<rt::ComboBox*>(s.unit)) texts.push_back(c->text());
  }
  return texts;
}

// Tab from the last stop visits every stop once, in order, and comes round to the first;
// Shift+Tab goes back the same way. Neither types anything into the boxes.
void check_walk(const Walk& walk) {
  ASSERT_FALSE(walk.empty());
  const size_t n = walk.size();
  const std::vector<std::string> texts = box_texts(walk);
  walk.back().unit->set_focus();
  ASSERT_EQ(focused(walk), walk.back().name);
  for (size_t i = 0; i < n; ++i) {
    ui_test::key_from_keyboard(VK_TAB);
    EXPECT_EQ(focused(walk), walk[i].name) << "Tab " << i + 1;
  }
  for (size_t i = 1; i <= n; ++i) {
    ui_test::key_from_keyboard(VK_TAB, rt::kShift);
    EXPECT_EQ(focused(walk), walk[(2 * n - 1 - i) % n].name) << "Shift+Tab " << i;
  }
  EXPECT_EQ(box_texts(walk), texts);
}

template <class Form>
bool shown(Form& f) {
  return f.loaded() && f.alpha() == options().window_alpha && !f.图形按钮_关闭小.disabled();
}

// Ends the open menu from another thread after a while, in case the menu never takes the
// test's own key: the test then fails instead of hanging. The menu's loop takes the keys posted
// to its thread's windows.
class MenuWatchdog {
 public:
  explicit MenuWatchdog(HWND owner)
      : thread_([this, owner] {
          for (int t = 0; t < 5000 && !stop_; t += 20) Sleep(20);
          if (stop_) return;
          fired = true;
          for (int i = 0; i < 2; ++i) PostMessageW(owner, WM_KEYDOWN, VK_ESCAPE, 1);
        }) {}
  ~MenuWatchdog() {
    stop_ = true;
    thread_.join();
  }
  std::atomic<bool> fired{false};

 private:
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

class DialogKeysTest : public WebTest {
 protected:
  void SetUp() override {
    speech = &use_fake_speech({"Fake 甲"});
    WebTest::SetUp();
    // Away from the windows: a pointer over the cloud input window takes the focus to its box.
    SetCursorPos(0, 0);
    // Without a selection the read-aloud window starts with the clipboard's text.
    rt::set_clipboard_text("");
    rt::seams::dialog_requests().clear();
    // A box the windows show is answered with OK.
    rt::seams::set_modal_hook([](rt::Window& w) {
      if (&w == &message_box_form()) ui_test::click(message_box_form().图形按钮_确定_信息框);
    });
  }
  void TearDown() override {
    rt::seams::set_modal_hook(nullptr);
    for (rt::Window* f : std::initializer_list<rt::Window*>{
             &find_window(), &file_info_window(), &options_window(), &font_window(), &simp_trad_window(),
             &jump_window(), &crypt_window(), &read_aloud_window(), &typing_window(), &grabber_window(),
             &tab_manager_window(), &custom_open_window()})
      f->destroy();
    WebTest::TearDown();
    stop_fake_speech();
  }
  FakeSpeech* speech = nullptr;
  size_t requests_before_ = 0;
};

// The translation site's page, three target languages, as UTF-8 is turned into.
const std::string kLanguagePage =
    "<html><form><select name=sl><option value=auto>检测语言</option></select><label>目标语言：<select name=tl>"
    "<option value=\"l1\">语言1</option><option value=\"l2\">语言2</option><option value=\"l3\">语言3</option>"
    "</select></label><input type=submit value=\"翻译\"></form></html>";

// One window of the table: opened as the program opens it, it takes the keyboard.
struct Dialog {
  const char* name;
  rt::Window& (*window)();
  std::function<void()> open;
  std::function<Walk()> walk;
  // Enter where the focus is on this unit (one that leaves Enter to its window) presses the
  // default button: what that button did. None for a window without one.
  std::function<rt::Unit&()> enter_on;
  std::function<bool()> entered;
  // Esc where the focus is on this unit closes the window.
  std::function<rt::Unit&()> escape_on;
};

TEST_F(DialogKeysTest, EscTabAndEnterInEveryToolWindow) {
  editor().set_text("甲乙甲乙");
  editor().select(0, 0);
  const Dialog dialogs[] = {
      {"寻找替换", [] () -> rt::Window& { return find_window(); },
       [] {
         open_find_window();
         ASSERT_TRUE(ui_test::wait_for([] { return shown(find_window()); }));
         find_window().编辑框_查找文字.set_text("乙");
       },
       [] {
         FindWindowForm& f = find_window();
         // The replace box follows the find box; then the buttons and the options.
         return Walk{STOP(f.图形按钮_关闭小), STOP(f.编辑框_查找文字), STOP(f.编辑框_替换文字), STOP(f.图形按钮_寻找),
                     STOP(f.图形按钮_替换), STOP(f.图形按钮_全部替换), STOP(f.超级按钮_区分大小写),
                     STOP(f.超级按钮_向上), STOP(f.超级按钮_向下), STOP(f.超级按钮_全部替换完毕后退出)};
       },
       []() -> rt::Unit& { return find_window().超级按钮_全部替换完毕后退出; },
       [] { return editor().selected_text() == "乙"; },
       []() -> rt::Unit& { return find_window().编辑框_查找文字; }},
      {"文件信息", [] () -> rt::Window& { return file_info_window(); },
       [] {
         open_file_info_window();
         ASSERT_TRUE(ui_test::wait_for([] { return shown(file_info_window()) && !file_info_window_busy(); }));
       },
       [] {
         FileInfoWindowForm& f = file_info_window();
         return Walk{STOP(f.图形按钮_关闭小),     STOP(f.编辑框_文件名称),     STOP(f.编辑框_文件后缀名),
                     STOP(f.编辑框_文件路径),     STOP(f.编辑框_文件大小),     STOP(f.编辑框_创建时间),
                     STOP(f.编辑框_修改时间),     STOP(f.编辑框_访问时间),     STOP(f.超级按钮_只读文件),
                     STOP(f.超级按钮_隐藏文件),   STOP(f.超级按钮_系统文件属性), STOP(f.超级按钮_存档文件属性),
                     STOP(f.图形按钮_确定)};
       },
       []() -> rt::Unit& { return file_info_window().编辑框_文件大小; },
       [] { return !file_info_window().loaded(); },
       []() -> rt::Unit& { return file_info_window().超级按钮_隐藏文件; }},
      {"关于", [] () -> rt::Window& { return about_window(); },
       [] {
         open_about_window();
         ASSERT_TRUE(ui_test::wait_for([] { return shown(about_window()); }));
       },
       [] {
         AboutWindowForm& f = about_window();
         return Walk{STOP(f.图形按钮_关闭小), STOP(f.超级编辑框_说明), STOP(f.图形按钮_更新), STOP(f.图形按钮_确定)};
       },
       []() -> rt::Unit& { return about_window().超级编辑框_说明; },
       [] { return !about_window().loaded(); },
       []() -> rt::Unit& { return about_window().超级编辑框_说明; }},
      {"检测更新", [] () -> rt::Window& { return update_window(); },
       [] {
         open_update_window();
         ASSERT_TRUE(ui_test::wait_for([] { return shown(update_window()); }, 15000));
       },
       [] {
         // The site's page has no update in it: only the close button is there to press.
         UpdateWindowForm& f = update_window();
         return Walk{STOP(f.图形按钮_关闭小)};
       },
       nullptr, nullptr, []() -> rt::Unit& { return update_window(); }},
      {"程序设置", [] () -> rt::Window& { return options_window(); },
       [] {
         open_options_window();
         ASSERT_TRUE(ui_test::wait_for([] { return shown(options_window()); }));
       },
       [] {
         // The first page, group by group; the disabled combo boxes (automatic saving, edge
         // hiding) and the translation folder are out of the walk.
         OptionsWindowForm& f = options_window();
         return Walk{STOP(f.图形按钮_关闭小),
                     STOP(f.颜色选择器_文本颜色),
                     STOP(f.颜色选择器_背景色),
                     STOP(f.超级按钮_使用不同字体),
                     STOP(f.超级按钮_使用不同前景和背景),
                     STOP(f.超级按钮_开启自动定时保存),
                     STOP(f.超级按钮_程序默认最前),
                     STOP(f.超级按钮_关闭内存优化),
                     STOP(f.超级按钮_关闭淡入淡出效果),
                     STOP(f.组合框_淡进淡出速度),
                     STOP(f.超级按钮_纪录窗口位置),
                     STOP(f.超级按钮_设置为默认的记事本),
                     STOP(f.超级按钮_主界面不显示时间),
                     STOP(f.超级按钮_不使用线程打开文件),
                     STOP(f.超级按钮_吸附效果),
                     STOP(f.超级按钮_子窗口不随主窗口移动),
                     STOP(f.超级按钮_启动时不检测软件更新),
                     STOP(f.超级按钮_名称),
                     STOP(f.超级按钮_将原语言标在翻译语句后面),
                     STOP(f.超级按钮_显示对应的拉丁字符的拼音),
                     STOP(f.超级按钮_不删除到回收站),
                     STOP(f.超级按钮_强制淡进淡出),
                     STOP(f.超级按钮_不在主界面显示工具栏),
                     STOP(f.超级按钮_开启靠边自动隐藏),
                     STOP(f.超级按钮_程序启动时自动打开云输入法),
                     STOP(f.组合框_默认云输入法),
                     STOP(f.组合框_搜索引擎),
                     STOP(f.超级按钮_取消纪录窗口位置_Mini),
                     STOP(f.超级按钮_自动进入时间模式),
                     STOP(f.超级按钮_默认按照页面名称跳转),
                     STOP(f.超级按钮_页面跳转完毕后退出),
                     STOP(f.多功能条_透明度)};
       },
       nullptr, nullptr, []() -> rt::Unit& { return options_window().超级按钮_吸附效果; }},
      {"字体设置", [] () -> rt::Window& { return font_window(); },
       [] {
         open_font_window();
         ASSERT_TRUE(ui_test::wait_for([] { return shown(font_window()) && !font_window_busy(); }));
       },
       [] {
         FontWindowForm& f = font_window();
         return Walk{STOP(f.图形按钮_关闭小),       STOP(f.组合框_字体列表),   STOP(f.组合框_字形),
                     STOP(f.组合框_字体大小),       STOP(f.列表框_字体列表),   STOP(f.超级按钮_常规),
                     STOP(f.超级按钮_删除线),       STOP(f.超级按钮_斜体),     STOP(f.超级按钮_下划线),
                     STOP(f.超级按钮_粗体),         STOP(f.超级按钮_粗斜体),   STOP(f.颜色选择器_字体颜色),
                     STOP(f.颜色选择器_背景色),     STOP(f.编辑框_预览),       STOP(f.超级按钮_设置为默认的字体),
                     STOP(f.图形按钮_确定设置),     STOP(f.图形按钮_取消设置)};
       },
       []() -> rt::Unit& { return font_window().列表框_字体列表; },
       [] { return !font_window().loaded(); },
       // The size box's text field has the focus: its keys are the box's.
       []() -> rt::Unit& { return font_window().组合框_字体大小; }},
      {"简繁转换", [] () -> rt::Window& { return simp_trad_window(); },
       [] {
         open_simp_trad_window();
         ASSERT_TRUE(ui_test::wait_for([] { return shown(simp_trad_window()) && !chinese_page_picker().busy(); }));
         simp_trad_window().编辑框_操作类容.set_text("简体中文");
       },
       [] {
         SimpTradWindowForm& f = simp_trad_window();
         return Walk{STOP(f.图形按钮_关闭小),        STOP(f.组合框_打开文件_简繁转换), STOP(f.编辑框_操作类容),
                     STOP(f.图形按钮_转为简体),      STOP(f.图形按钮_转为繁体),        STOP(f.图形按钮_复制所有),
                     STOP(f.图形按钮_清空类容),      STOP(f.图形按钮_转为简体_当前页), STOP(f.图形按钮_转为繁体_当前页),
                     STOP(f.图形按钮_复制所有_当前页)};
       },
       nullptr, nullptr, []() -> rt::Unit& { return simp_trad_window().编辑框_操作类容; }},
      {"跳转页面", [] () -> rt::Window& { return jump_window(); },
       [] {
         while (tabs().count() < 3) new_page_command();
         tabs().set_current(0);
         open_jump_window();
         ASSERT_TRUE(ui_test::wait_for([] { return shown(jump_window()); }));
         jump_window().编辑框_标识.set_text("2");
       },
       [] {
         JumpWindowForm& f = jump_window();
         return Walk{STOP(f.图形按钮_关闭小), STOP(f.超级按钮_按照页面跳转), STOP(f.超级按钮_按照页面名称跳转),
                     STOP(f.编辑框_标识), STOP(f.图形按钮_跳转), STOP(f.超级按钮_按跳转完毕后退出)};
       },
       []() -> rt::Unit& { return jump_window().超级按钮_按跳转完毕后退出; },
       [] { return tabs().current() == 1; },
       []() -> rt::Unit& { return jump_window().编辑框_标识; }},
      {"加密解密", [] () -> rt::Window& { return crypt_window(); },
       [] {
         editor().set_text("机密的一页");
         open_crypt_window();
         ASSERT_TRUE(ui_test::wait_for([] { return shown(crypt_window()) && !crypt_page_picker().busy(); }));
         crypt_window().编辑框_密码.set_text("密码");
       },
       [] {
         CryptWindowForm& f = crypt_window();
         return Walk{STOP(f.图形按钮_关闭小), STOP(f.编辑框_密码), STOP(f.超级按钮_DES算法), STOP(f.超级按钮_RC4算法),
                     STOP(f.组合框_打开文件_加密解密), STOP(f.编辑框_内容摘要), STOP(f.超级按钮_解密文件),
                     STOP(f.图形按钮_加密解密)};
       },
       // The page is encrypted: the save dialog asks where.
       []() -> rt::Unit& { return crypt_window().编辑框_密码; },
       [] { return rt::seams::dialog_requests().size() == 1; },
       []() -> rt::Unit& { return crypt_window().编辑框_内容摘要; }},
      {"语音朗读", [] () -> rt::Window& { return read_aloud_window(); },
       [] {
         open_read_aloud_window();
         ASSERT_TRUE(ui_test::wait_for([] { return shown(read_aloud_window()) && !speech_page_picker().busy(); }));
         read_aloud_window().编辑框_朗读内容.set_text("朗读这一句。");
       },
       [] {
         ReadAloudWindowForm& f = read_aloud_window();
         return Walk{STOP(f.图形按钮_关闭小),       STOP(f.组合框_语音库),       STOP(f.组合框_打开文件),
                     STOP(f.编辑框_朗读内容),       STOP(f.多功能条_朗读速度),   STOP(f.多功能条_声音大小),
                     STOP(f.超级按钮_朗读完毕后退出), STOP(f.超级按钮_输出后不提示), STOP(f.图形按钮_从文件打开),
                     STOP(f.图形按钮_输出),         STOP(f.图形按钮_隐藏),       STOP(f.图形按钮_朗读控制)};
       },
       []() -> rt::Unit& { return read_aloud_window().多功能条_声音大小; },
       [this] { return speech->is_speaking(); },
       []() -> rt::Unit& { return read_aloud_window().编辑框_朗读内容; }},
      {"屏幕输出效果", [] () -> rt::Window& { return typing_window(); },
       [] {
         open_typing_window();
         ASSERT_TRUE(ui_test::wait_for([] { return shown(typing_window()); }));
       },
       [] {
         TypingWindowForm& f = typing_window();
         return Walk{STOP(f.图形按钮_关闭小), STOP(f.多功能条_打写速度), STOP(f.图形按钮_开始输出),
                     STOP(f.超级按钮_忽略空格)};
       },
       []() -> rt::Unit& { return typing_window().超级按钮_忽略空格; },
       [] { return typing_window().图形按钮_停止输出.visible(); },
       []() -> rt::Unit& { return typing_window().多功能条_打写速度; }},
      {"取窗口组件内容", [] () -> rt::Window& { return grabber_window(); },
       [] {
         open_grabber_window();
         ASSERT_TRUE(ui_test::wait_for([] { return shown(grabber_window()); }));
       },
       [] {
         GrabberWindowForm& f = grabber_window();
         return Walk{STOP(f.图形按钮_关闭小), STOP(f.编辑框_句柄), STOP(f.超级编辑框)};
       },
       nullptr, nullptr, []() -> rt::Unit& { return grabber_window().编辑框_句柄; }},
      {"标签管理", [] () -> rt::Window& { return tab_manager_window(); },
       [] {
         open_tab_manager();
         ASSERT_TRUE(ui_test::wait_for([] { return shown(tab_manager_window()) && !tab_manager_busy(); }));
       },
       [] {
         TabManagerForm& f = tab_manager_window();
         return Walk{STOP(f.图形按钮_关闭小), STOP(f.超级列表框_打开的文件)};
       },
       nullptr, nullptr, []() -> rt::Unit& { return tab_manager_window().超级列表框_打开的文件; }},
      {"自定打开文件", [] () -> rt::Window& { return custom_open_window(); },
       [] {
         open_custom_open_window();
         ASSERT_TRUE(ui_test::wait_for([] { return shown(custom_open_window()); }));
       },
       [] {
         CustomOpenWindowForm& f = custom_open_window();
         return Walk{STOP(f.图形按钮_关闭小), STOP(f.图形按钮_选择性打开), STOP(f.图形按钮_打开文件夹),
                     STOP(f.图形按钮_搜索打开)};
       },
       nullptr, nullptr, []() -> rt::Unit& { return custom_open_window().图形按钮_搜索打开; }},
      {"云输入法", [] () -> rt::Window& { return cloud_input_window(); },
       [] {
         open_cloud_input_window();
         ASSERT_TRUE(ui_test::wait_for([] { return shown(cloud_input_window()); }));
       },
       [] {
         // The settings lie beyond the narrowed window's edge: out of the walk.
         CloudInputWindowForm& f = cloud_input_window();
         return Walk{STOP(f.图形按钮_关闭小), STOP(f.组合框_云输入法), STOP(f.超级按钮_设置), STOP(f.编辑框_拼音),
                     STOP(f.列表框_云服务器取到的数据)};
       },
       nullptr, nullptr, []() -> rt::Unit& { return cloud_input_window().编辑框_拼音; }},
      {"谷歌翻译", [] () -> rt::Window& { return translation_window(); },
       [this] {
         server_.set_reply(ok(kLanguagePage, true));
         open_translation_window();
         ASSERT_TRUE(ui_test::wait_for(
             [] { return shown(translation_window()) && translation_window().组合框_源语言.visible(); }, 15000));
         translation_window().编辑框_翻译内容.set_text("你好");
         requests_before_ = requests();
       },
       [] {
         TranslationWindowForm& f = translation_window();
         return Walk{STOP(f.图形按钮_关闭小),
                     STOP(f.组合框_打开的文件),
                     STOP(f.图形按钮_从文件打开),
                     STOP(f.编辑框_翻译内容),
                     STOP(f.组合框_源语言),
                     STOP(f.图形按钮_互转语言),
                     STOP(f.组合框_目标语言),
                     STOP(f.图形按钮_翻译),
                     STOP(f.超级按钮_将原语言标在翻译语句后面),
                     STOP(f.超级按钮_显示对应的拉丁字符的拼音),
                     STOP(f.超级按钮_同时在网页中显示),
                     STOP(f.编辑框_翻译结果),
                     STOP(f.图形按钮_朗读_翻译类容)};
       },
       []() -> rt::Unit& { return translation_window().组合框_源语言; },
       // The form went to the site, and the window can close again.
       [this] { return requests() > requests_before_ && shown(translation_window()); },
       []() -> rt::Unit& { return translation_window().编辑框_翻译内容; }},
  };
  for (const Dialog& d : dialogs) {
    SCOPED_TRACE(d.name);
    rt::Window& w = d.window();
    d.open();
    ASSERT_TRUE(w.loaded());
    ASSERT_TRUE(w.is_active());
    check_walk(d.walk());
    if (d.enter_on) {
      d.enter_on().set_focus();
      ui_test::key_from_keyboard(VK_RETURN);
      EXPECT_TRUE(ui_test::wait_for(d.entered, 15000)) << "Enter pressed no default button";
      if (!w.loaded()) {
        d.open();
        ASSERT_TRUE(w.is_active());
      }
    }
    d.escape_on().set_focus();
    ui_test::key_from_keyboard(VK_ESCAPE);
    EXPECT_TRUE(ui_test::wait_for([&w] { return !w.loaded(); })) << "Esc left the window open";
    w.destroy();
    ui_test::settle(100);
  }
}

// The prompts and the boxes of questions: Tab walks their buttons (and the input box), Esc is
// the close button where it may be used (Cancel, else OK) and nothing where it may not, Enter
// presses the focused button.
TEST_F(DialogKeysTest, EscTabAndEnterInTheMessageBoxes) {
  struct Case {
    const char* name;
    int set;
    bool input;
    Walk (*walk)(MessageBoxForm& b);
    int escape;  // the answer of Esc; -1: the box stays
    int enter;   // the button Enter is pressed on next, when the box stayed
  };
  const Case cases[] = {
      {"OK", 0, false, [](MessageBoxForm& b) { return Walk{STOP(b.图形按钮_关闭_信息框), STOP(b.图形按钮_确定_信息框)}; },
       kBoxOk, -1},
      {"OK, Cancel", 1, false,
       [](MessageBoxForm& b) {
         return Walk{STOP(b.图形按钮_关闭_信息框), STOP(b.图形按钮_确定_信息框), STOP(b.图形按钮_取消_信息框)};
       },
       kBoxCancel, -1},
      {"Yes, No, Cancel", 3, false,
       [](MessageBoxForm& b) {
         return Walk{STOP(b.图形按钮_关闭_信息框), STOP(b.图形按钮_是_信息框), STOP(b.图形按钮_否_信息框),
                     STOP(b.图形按钮_取消_信息框)};
       },
       kBoxCancel, -1},
      {"Yes, No", 4, false, [](MessageBoxForm& b) { return Walk{STOP(b.图形按钮_是_信息框), STOP(b.图形按钮_否_信息框)}; },
       -1, kBoxNo},
      {"Abort, Retry, Ignore", 2, false,
       [](MessageBoxForm& b) {
         return Walk{STOP(b.图形按钮_终止_信息框), STOP(b.图形按钮_重试_信息框), STOP(b.图形按钮_忽略_信息框)};
       },
       -1, kBoxIgnore},
      {"input prompt", 0, true,
       [](MessageBoxForm& b) {
         return Walk{STOP(b.图形按钮_关闭_信息框), STOP(b.编辑框_输入类容), STOP(b.图形按钮_确定_信息框),
                     STOP(b.图形按钮_取消_信息框)};
       },
       kBoxCancel, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MessageBoxRequest r;
    r.owner = &w();
    r.button_set = c.set;
    r.icon = 32;
    r.text = "  一个问题。";
    r.title = "提问";
    r.input_mode = c.input;
    r.input_default = "默认";
    std::string input = "(untouched)";
    r.input_result = &input;
    int shown = 0;
    rt::seams::set_modal_hook([&](rt::Window& w) {
      MessageBoxForm& b = message_box_form();
      if (&w != &b) return;
      ++shown;
      ASSERT_TRUE(b.is_active());
      Walk walk = c.walk(b);
      check_walk(walk);
      // Esc where the walk ended: on a button.
      walk.back().unit->set_focus();
      ui_test::key_from_keyboard(VK_ESCAPE);
      EXPECT_EQ(b.loaded(), c.escape < 0);
      if (c.enter >= 0 && b.loaded()) {
        b.answer_button(c.enter)->set_focus();
        ui_test::key_from_keyboard(VK_RETURN);
      }
      ui_test::settle(100);
      if (b.loaded()) {
        ADD_FAILURE() << "the box stayed open";
        close_message_box();
      }
    });
    int answer = show_message_box(r);
    rt::seams::set_modal_hook(nullptr);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(answer, c.escape >= 0 ? c.escape : c.enter);
    if (c.input) {
      EXPECT_EQ(input, "");
    }
  }
}

// An input prompt whose Enter does not submit: Enter in its input box does nothing, as the
// prompt says, and does not press OK for it.
TEST_F(DialogKeysTest, EnterInAPromptThatDoesNotSubmitLeavesItOpen) {
  std::string answer = "(untouched)";
  bool stayed = false;
  rt::seams::set_modal_hook([&](rt::Window& w) {
    MessageBoxForm& b = message_box_form();
    if (&w != &b) return;
    ASSERT_TRUE(b.编辑框_输入类容.has_focus());
    ui_test::key_from_keyboard(VK_RETURN);
    ui_test::settle(100);
    stayed = b.loaded();
    ui_test::click(b.图形按钮_确定_信息框);
  });
  EXPECT_TRUE(ask_user_text("提问", "  不提交的输入框。", answer, "文字", false));
  rt::seams::set_modal_hook(nullptr);
  EXPECT_TRUE(stayed);
  EXPECT_EQ(answer, "文字");
}

// The pixels the unit's window shows once it has painted itself anew, row by row.
std::vector<COLORREF> drawn_pixels(rt::Unit& unit) {
  HWND h = hw(unit.handle());
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RECT r{};
  GetClientRect(h, &r);
  HDC dc = GetDC(h);
  HDC memory = CreateCompatibleDC(dc);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP picture = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, picture);
  BitBlt(memory, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
  GdiFlush();
  std::vector<COLORREF> pixels(static_cast<const COLORREF*>(bits),
                               static_cast<const COLORREF*>(bits) + static_cast<size_t>(r.right) * r.bottom);
  SelectObject(memory, old);
  DeleteObject(picture);
  DeleteDC(memory);
  ReleaseDC(h, dc);
  return pixels;
}

// A graphic button that Tab reached shows a focus mark, which goes with the focus; Space on it
// presses it (a check button flips), Enter on a push button too.
TEST_F(DialogKeysTest, AFocusedGraphicButtonShowsItAndTakesSpaceAndEnter) {
  editor().set_text("甲乙甲乙");
  editor().select(0, 0);
  open_find_window();
  ASSERT_TRUE(ui_test::wait_for([] { return shown(find_window()); }));
  FindWindowForm& f = find_window();
  f.编辑框_查找文字.set_text("乙");
  struct Case {
    const char* name;
    rt::GraphicButton& button;
    rt::Unit& before;  // Tab from here comes to the button
  };
  const Case cases[] = {
      {"push button", f.图形按钮_寻找, f.编辑框_替换文字},
      {"check button", f.超级按钮_区分大小写, f.图形按钮_全部替换},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.before.set_focus();
    const std::vector<COLORREF> plain = drawn_pixels(c.button);
    ui_test::key_from_keyboard(VK_TAB);
    ASSERT_TRUE(c.button.has_focus());
    EXPECT_NE(drawn_pixels(c.button), plain) << "no focus mark";
    ui_test::key_from_keyboard(VK_TAB, rt::kShift);
    EXPECT_TRUE(c.before.has_focus());
    EXPECT_EQ(drawn_pixels(c.button), plain) << "the mark stayed";
  }
  // Space presses: the check flips and flips back, the push button finds.
  f.超级按钮_区分大小写.set_focus();
  const int checked = check_button_state(f.超级按钮_区分大小写, ButtonOp::Query);
  ui_test::key_from_keyboard(VK_SPACE);
  EXPECT_NE(check_button_state(f.超级按钮_区分大小写, ButtonOp::Query), checked);
  ui_test::key_from_keyboard(VK_SPACE);
  EXPECT_EQ(check_button_state(f.超级按钮_区分大小写, ButtonOp::Query), checked);
  f.图形按钮_寻找.set_focus();
  ui_test::key_from_keyboard(VK_SPACE);
  EXPECT_TRUE(ui_test::wait_for([] { return editor().selected_text() == "乙"; }));
  EXPECT_EQ(editor().selection_start(), 1);
  // Enter on the focused push button presses it, not the window's default (寻找).
  f.图形按钮_全部替换.set_focus();
  f.编辑框_替换文字.set_text("丙");
  ui_test::key_from_keyboard(VK_RETURN);
  EXPECT_TRUE(ui_test::wait_for([] { return editor().text() == "甲丙甲丙"; }));
}

// Every menu closes with Esc, a key of the user's keyboard: the menu bar's, the program icon's
// however it is opened, the tab menu and the tray menu.
TEST_F(DialogKeysTest, EscClosesEveryMenu) {
  struct Menu {
    const char* name;
    std::function<void()> open;  // returns when the menu has closed
  };
  const Menu menus[] = {
      {"文件", [] { ui_test::click_with_pointer(w().图形按钮_文件_菜单); }},
      {"编辑", [] { ui_test::click_with_pointer(w().图形按钮_编辑_菜单); }},
      {"附加", [] { ui_test::click_with_pointer(w().图形按钮_附加_菜单); }},
      {"设置", [] { ui_test::click_with_pointer(w().图形按钮_设置_菜单); }},
      {"帮助", [] { ui_test::click_with_pointer(w().图形按钮_帮助_菜单); }},
      {"program icon, clicked", [] { ui_test::click_with_pointer(w().图形按钮_程序图标); }},
      {"program icon, right button", [] { ui_test::right_click_with_pointer(w().图形按钮_程序图标); }},
      {"title strip, right button", [] { ui_test::right_click_with_pointer(w().标签_上中); }},
      {"tab menu",
       [] {
         rt::Rect r = tabs().tab_rect(tabs().current());
         ui_test::right_click(tabs(), r.left + r.width / 2, r.height / 2);
       }},
      {"tray menu",
       [] {
         rt::Point icon = ui_test::find_tray_icon(w());
         ASSERT_GE(icon.x, 0);
         ui_test::mouse_on_tray_icon(icon, WM_RBUTTONUP);
       }},
  };
  for (const Menu& m : menus) {
    SCOPED_TRACE(m.name);
    int opened = 0;
    bool fired = false;
    {
      MenuWatchdog guard(hw(w().handle()));
      rt::seams::set_menu_hook([&](rt::PopupMenu&) {
        ++opened;
        ui_test::queue_key_from_keyboard(VK_ESCAPE);
      });
      m.open();
      ui_test::wait_for([&] { return opened == 1 && !w().超级菜单.is_open(); });
      rt::seams::set_menu_hook(nullptr);
      fired = guard.fired;
    }
    EXPECT_EQ(opened, 1);
    EXPECT_FALSE(fired) << "Esc left the menu open";
    EXPECT_TRUE(w().loaded());
    // The next press on the icon must not be a double click, which ends the program.
    ui_test::settle(static_cast<int>(GetDoubleClickTime()) + 100);
  }
}

// The main window is no dialog: Tab in its page types a tab and Esc does nothing there.
TEST_F(DialogKeysTest, ThePageEditorKeepsTabAndEsc) {
  editor().set_text("");
  ui_test::click_with_pointer(editor());
  ui_test::key_from_keyboard(VK_TAB);
  ui_test::key_from_keyboard(VK_ESCAPE);
  ui_test::type_from_keyboard("a");
  EXPECT_EQ(editor().text(), "\ta");
  EXPECT_TRUE(editor().has_focus());
  EXPECT_TRUE(w().loaded());
}

}  // namespace
