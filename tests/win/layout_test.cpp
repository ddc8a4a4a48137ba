// The layout of every window of the program as the user sees it: each window opened as the
// program opens it (its states that lay it out anew included), once with the main window at its
// default size and once at the least size its size rule allows, and the layout check run on it
// (tests/harness/layout_check.h).
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/commands.h"
#include "app/mini_mode.h"
#include "common/messages.h"
#include "common/window_fade.h"
#include "documents/file_info.h"
#include "documents/open_files.h"
#include "fake_voice.h"
#include "forms/about_window_form.h"
#include "forms/cloud_input_window_form.h"
#include "forms/crypt_window_form.h"
#include "forms/custom_open_window_form.h"
#include "forms/file_info_window_form.h"
#include "forms/find_window_form.h"
#include "forms/font_window_form.h"
#include "forms/grabber_window_form.h"
#include "forms/jump_window_form.h"
#include "common/message_box_form.h"
#include "forms/mini_window_form.h"
#include "forms/open_pages_popup_form.h"
#include "forms/options_window_form.h"
#include "forms/read_aloud_window_form.h"
#include "forms/simp_trad_window_form.h"
#include "forms/suggestion_popup_form.h"
#include "forms/tab_manager_form.h"
#include "forms/translation_window_form.h"
#include "forms/typing_window_form.h"
#include "forms/update_window_form.h"
#include "layout_check.h"
#include "options/option_values.h"
#include "pages/open_pages_popup.h"
#include "pages/page_store.h"
#include "pages/tab_manager.h"
#include "runtime/app.h"
#include "runtime/files.h"
#include "runtime/seams.h"
#include "ui_test.h"
#include "web/web_search.h"
#include "web_test.h"

namespace {

HWND hw(rt::WindowHandle h) { return static_cast<HWND>(h); }

// Runs the layout check on the window in the state named.
using Check = std::function<void(rt::Window&, const std::string& state)>;

// Waits until the window has faded in and what fills it has arrived.
void wait_shown(rt::Window& window, const std::function<bool()>& ready = {}) {
  ASSERT_TRUE(ui_test::wait_for(
      [&] {
        return window.loaded() && window.visible() && window.alpha() == options().window_alpha && (!ready || ready());
      },
      15000))
      << window.caption();
  ui_test::settle(100);
}

// Runs the command as its menu item does and checks the tool window it opens.
void check_tool(Command command, rt::Window& window, const Check& check, const std::function<bool()>& ready = {}) {
  run_command(command, Source::Menu);
  wait_shown(window, ready);
  check(window, "as opened");
}

// Runs the command and checks every message box it shows, then closes the box with its close
// button (a prompt answered so gives nothing, and the command ends).
void check_boxes_of(const std::function<void()>& command, const Check& check, const std::string& state) {
  int shown = 0;
  rt::seams::set_modal_hook([&](rt::Window& w) {
    MessageBoxForm& box = message_box_form();
    if (&w != &box) return;
    ++shown;
    // A box that fades slides in: it is checked where it comes to rest.
    ui_test::wait_for([&] { return box.alpha() == 255; });
    ui_test::settle(50);
    check(box, state);
    ui_test::click(box.图形按钮_关闭_信息框);
  });
  command();
  rt::seams::set_modal_hook(nullptr);
  EXPECT_GE(shown, 1) << state;
}

void check_command_boxes(Command command, const Check& check, const std::string& state) {
  check_boxes_of([command] { run_command(command, Source::Menu); }, check, state);
}

// The site's language page of the translation window, with a few target languages.
std::string language_page() {
  std::string page =
      "<html><form><select name=sl><option value=auto>检测语言</option></select>"
      "<label>目标语言：<select name=tl>";
  for (const char* l : {"中文(简体)", "英语", "日语"}) page += std::string("<option value=x>") + l + "</option>";
  return page + "</select></label><input type=submit value=\"翻译\"></form></html>";
}

// An update page whose version is newer than the program's.
std::string update_page() {
  return "<html><body>\r\n//Velmora更新配置开始\r\n"
         "软件名称=Velmora新版</p>软件大小=5M</p>软件版本=1.0.0.2</p>更新时间=2027年1月1日</p>"
         "更新纪录=修正保存时的错误|加快打开大文件|</p>\r\n//Velmora更新配置结束\r\n</body></html>";
}

class LayoutTest : public WebTest {
 protected:
  // Wine has no voice: the read-aloud window opens with one of the test's own.
  void SetUp() override {
    use_fake_speech({"Microsoft Lili"});
    WebTest::SetUp();
  }
  void TearDown() override {
    rt::seams::set_modal_hook(nullptr);
    if (mini_window().loaded()) leave_mini_mode();
    for (rt::Window* w : rt::Window::loaded_windows())
      if (w != &main_window()) w->destroy();
    for (const std::string& f : files_) DeleteFileA(f.c_str());
    WebTest::TearDown();
    stop_fake_speech();
  }

  // The least size the main window's size rule gives it (what the system's sizing loop keeps).
  static SIZE least_size(rt::Window& window) {
    MINMAXINFO info{};
    info.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    SendMessageW(hw(window.handle()), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return {info.ptMinTrackSize.x, info.ptMinTrackSize.y};
  }

  // A saved page: a file of the test's folder opened into the program.
  void open_a_file() {
    std::string path = rt::program_directory() + "布局检查的文件.txt";
    ASSERT_TRUE(rt::write_file_safely(path, "一个文件的几行字。\r\n第二行。\r\n"));
    files_.push_back(path);
    set_open_queue({path});
    open_files();
    ASSERT_TRUE(ui_test::wait_for([] { return !open_busy() && open_queue().empty(); }, 20000));
  }

  // Every window of the program in each state that lays it out anew.
  void check_every_window(const Check& check) {
    check(main_window(), "with a saved page");

    open_open_pages_popup();
    wait_shown(open_pages_popup(), [] { return open_pages_popup().列表框_打开文件列表.count() > 0; });
    check(open_pages_popup(), "as opened");
    open_pages_popup().destroy();

    check_tool(Command::FindWindow, find_window(), check);
    find_window().destroy();
    check_tool(Command::JumpWindow, jump_window(), check);
    jump_window().destroy();
    check_tool(Command::FileInfo, file_info_window(), check, [] { return !file_info_window_busy(); });
    file_info_window().destroy();
    check_tool(Command::Font, font_window(), check);
    font_window().destroy();
    check_tool(Command::SimpTrad, simp_trad_window(), check);
    simp_trad_window().destroy();
    check_tool(Command::Crypt, crypt_window(), check);
    crypt_window().destroy();
    check_tool(Command::ReadAloud, read_aloud_window(), check);
    read_aloud_window().destroy();
    check_tool(Command::Typing, typing_window(), check);
    typing_window().destroy();
    check_tool(Command::Grabber, grabber_window(), check);
    grabber_window().destroy();

    check_tool(Command::CustomOpen, custom_open_window(), check);
    check_boxes_of([] { ui_test::click(custom_open_window().图形按钮_搜索打开); }, check, "the search rule prompt");
    custom_open_window().destroy();

    check_tool(Command::TabManager, tab_manager_window(), check, [] { return !tab_manager_busy(); });
    tab_manager_window().高级选择夹_标签管理.set_current(1);
    ui_test::settle(100);
    check(tab_manager_window(), "the saved tabs");
    tab_manager_window().destroy();

    check_tool(Command::Options, options_window(), check);
    for (int page = OptionsWindowForm::kExtendedPage; page <= OptionsWindowForm::kFilePage; ++page) {
      options_window().高级选择夹_功能.set_current(page);
      ui_test::settle(50);
      check(options_window(), "on its page " + options_window().高级选择夹_功能.caption(page));
    }
    options_window().destroy();

    check_tool(Command::CloudInput, cloud_input_window(), check);
    ui_test::click(cloud_input_window().超级按钮_设置);
    ui_test::settle(100);
    check(cloud_input_window(), "with its settings");
    cloud_input_window().destroy();

    server_.set_reply(ok(language_page(), true));
    check_tool(Command::Translate, translation_window(), check, [] {
      return !translation_window().图形按钮_关闭小.disabled() && translation_window().编辑框_翻译内容.visible();
    });
    translation_window().destroy();
    server_.set_reply(ok(update_page()));
    check_tool(Command::Update, update_window(), check,
               [] { return !update_window().图形按钮_关闭小.disabled() && update_window().标签_软件名称.visible(); });
    update_window().destroy();
    check_tool(Command::About, about_window(), check);
    about_window().destroy();

    // The prompts of the program.
    const std::pair<Command, const char*> prompts[] = {
        {Command::CustomNewPage, "the new page's name"},
        {Command::RenameTab, "the tab's name"},
        {Command::RenameFile, "the file's new name"},
        {Command::InsertLetters, "the letters' separator"},
        {Command::InsertNumbers, "the numbers to insert"},
        {Command::ReplaceWithNewlines, "what becomes a line break"},
        {Command::ReplaceNewlinesWith, "what replaces line breaks"},
        {Command::ExtractMiddle, "the text's markers"},
        {Command::ReplaceNumberRange, "the numbers to replace"},
        {Command::EvaluateExpression, "the expression"},
    };
    for (const auto& [command, asked] : prompts)
      check_command_boxes(command, check, std::string("the prompt for ") + asked);

    // Messages: the question before a modified page closes, and a notice.
    check_command_boxes(Command::ClosePage, check, "the question before a modified page closes");
    check_boxes_of([] { tell_out_of_memory(); }, check, "the notice that memory ran out");

    // Mini mode: the bar, its suggestions and its clock alone.
    ui_test::click(main_window().图形按钮_迷你模式);
    wait_shown(mini_window());
    check(mini_window(), "the bar");
    server_.set_route_reply("/su?", ok("window.bdsug.sug({q:\"天气\",p:false,s:[\"天气预报\",\"天气预报15天\"]});"));
    mini_window().编辑框_关键词.set_text("天气");
    ASSERT_TRUE(ui_test::wait_for([] { return suggestion_popup().visible() && !suggestion_queries_running(); }, 10000));
    ui_test::settle(100);
    check(suggestion_popup(), "under the keyword box");
    toggle_mini_compact();
    ui_test::settle(200);
    check(mini_window(), "the clock alone");
    leave_mini_mode();
    wait_shown(main_window());
  }

  std::vector<std::string> files_;
};

TEST_F(LayoutTest, EveryWindowShowsWholeAtTheMainWindowsDefaultAndLeastSize) {
  open_a_file();
  editor().set_text("Velmora：一个多标签的纯文本编辑器。\r\n第二行。\r\n");
  const SIZE least = least_size(main_window());
  struct Size {
    const char* name;
    int width, height;
  };
  const Size sizes[] = {{"the default size", main_window().width(), main_window().height()},
                        {"the least size", least.cx, least.cy}};
  for (const Size& s : sizes) {
    SCOPED_TRACE(s.name);
    main_window().move(main_window().left(), main_window().top(), s.width, s.height);
    ui_test::settle(100);
    ASSERT_EQ(main_window().width(), s.width);
    check_every_window(
        [](rt::Window& window, const std::string& state) { EXPECT_TRUE(ui_test::layout_is_sound(window)) << state; });
  }
}

}  // namespace
