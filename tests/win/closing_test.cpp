// Closing pages with the save question, closing all, and the exit, against the real window.
#include "options/option_values.h"
#include "pages/closing.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "app/shutdown.h"
#include "app/startup.h"
#include "app/tray.h"
#include "documents/open_files.h"
#include "forms/main_window_form.h"
#include "common/message_box_form.h"
#include "options/config.h"
#include "pages/page_model.h"
#include "program_test.h"
#include "runtime/files.h"
#include "runtime/seams.h"
#include "ui_test.h"

namespace {


class ClosingTest : public ProgramTest {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir_ = std::string(temp) + "velmora_close_" + std::to_string(GetTickCount()) + "\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
    ProgramTest::SetUp();
    set_option(&OptionValues::open_in_thread, 0);
    ended_ = -1;
    rt::seams::end_process_hook() = [this](int code) { ended_ = code; };
  }
  void TearDown() override {
    rt::seams::end_process_hook() = nullptr;
    rt::seams::record_launches(false);
    ui_test::answer_message_boxes({});
    ProgramTest::TearDown();
    for (const std::string& n : rt::find_files(dir_ + "*")) DeleteFileA((dir_ + n).c_str());
    RemoveDirectoryA(dir_.c_str());
  }
  // A modified page of a file: tab index.
  int edited_file(const std::string& name, const std::string& text) {
    std::string p = dir_ + name;
    rt::write_file_safely(p, text);
    set_open_queue({p});
    open_files();
    int tab = tabs().count() - 1;
    tabs().set_current(tab);
    ui_test::type_text(editor(), "+");
    return tab;
  }
  std::string dir_;
  int ended_ = -1;
};

TEST_F(ClosingTest, ClosingAModifiedPageFollowsTheAnswer) {
  struct Case {
    const char* name;
    std::vector<int> answers;  // message-box answers in order; -1 the close button
    bool scripted_save;        // a save dialog answer for a page without a file
    bool page_closed;
    std::string on_disk;
  };
  const Case cases[] = {
      {"yes saves and closes", {5}, false, true, "+a"},
      {"no closes without saving", {6}, false, true, "a"},
      {"cancel keeps the page", {1}, false, false, "a"},
      {"the close button keeps the page", {-1}, false, false, "a"},
  };
  ui_test::type_text(editor(), "tab 0 is in use");  // files open into tabs of their own
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int tab = edited_file("a.txt", "a");
    int before = tabs().count();
    ui_test::answer_message_boxes(c.answers);
    close_page_with_prompt(tab);
    EXPECT_EQ(tabs().count(), c.page_closed ? before - 1 : before);
    EXPECT_EQ(rt::read_file(dir_ + "a.txt").value_or(""), c.on_disk);
    while (tabs().count() > 1) {
      set_page_modified(tabs().count() - 1, 0);
      close_page_at(tabs().count() - 1);
    }
  }
  // Yes on a page never saved whose save dialog is cancelled: the page stays.
  new_page_command();
  ui_test::type_text(editor(), "unsaved");
  rt::seams::script_dialog({rt::seams::DialogKind::Save, false, {}});
  ui_test::answer_message_boxes({5});
  close_page_with_prompt(tabs().current());
  EXPECT_EQ(tabs().count(), 2);
  EXPECT_EQ(page_content(1), "unsaved");
}

TEST_F(ClosingTest, ClosingAllNeverRemovesAPageWhoseSaveFailed) {
  edited_file("one.txt", "1");
  new_page_command();
  ui_test::type_text(editor(), "new page");
  // Yes: one.txt is saved, the new page's save dialog is cancelled: nothing is removed.
  rt::seams::script_dialog({rt::seams::DialogKind::Save, false, {}});
  ui_test::answer_message_boxes({5});
  close_all_pages(false);
  EXPECT_EQ(rt::read_file(dir_ + "one.txt").value_or(""), "+1");
  EXPECT_EQ(tabs().count(), 2);
  EXPECT_EQ(page_content(1), "new page");
  // No: every page goes, unsaved.
  ui_test::answer_message_boxes({6});
  close_all_pages(false);
  EXPECT_EQ(tabs().count(), 1);
  EXPECT_EQ(page_content(0), "");
  EXPECT_EQ(open_paths(), " |");
  EXPECT_FALSE(tabs().tab_disabled(0));
}

TEST_F(ClosingTest, TheExitOffersTheModifiedPagesAndWritesThePosition) {
  set_option(&OptionValues::remember_position, 1);
  edited_file("exit.txt", "e");
  w().move(33, 44, 700, 500);
  // Yes saves the pages, then the program ends.
  int boxes = 0;
  ui_test::answer_message_boxes({5}, &boxes);
  exit_program();
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(rt::read_file(dir_ + "exit.txt").value_or(""), "+e");
  EXPECT_EQ(ended_, 0);
  EXPECT_EQ(config_read("程序设置", "窗口左边"), "33");
  EXPECT_EQ(config_read("程序设置", "窗口顶边"), "44");
  EXPECT_EQ(config_read("程序设置", "窗口宽度"), "700");
  EXPECT_EQ(config_read("程序设置", "进程通信钥匙"), "");
}

// Every way of leaving the program the user has, each ending in the same exit.
struct ExitPath {
  const char* name;
  void (*go)();
  bool restart;
};

// Chooses a menu item in the menu the action pops up.
void choose_in_menu(const char* caption, const std::function<void()>& pop_up) {
  rt::seams::set_menu_hook([caption](rt::PopupMenu& m) { EXPECT_TRUE(m.choose(caption)) << caption; });
  pop_up();
  rt::seams::set_menu_hook(nullptr);
}

const ExitPath kExitPaths[] = {
    {"the close button", [] { ui_test::click(w().图形按钮_关闭); }, false},
    {"a double click on the icon",
     [] {
       // Its first click pops up the program menu, which the user leaves.
       rt::seams::set_menu_hook([](rt::PopupMenu& m) { m.close(); });
       ui_test::double_click(w().图形按钮_程序图标);
       rt::seams::set_menu_hook(nullptr);
     },
     false},
    {"the File menu", [] { choose_in_menu("退出程序(&E)    Alt+F4", [] { ui_test::click(w().图形按钮_文件_菜单); }); },
     false},
    {"the program menu",
     [] { choose_in_menu("关闭程序(&C)    Alt+F4", [] { ui_test::click(w().图形按钮_程序图标); }); }, false},
    {"the tray menu", [] { choose_in_menu("退出程序(&T)", popup_tray_menu_at_cursor); }, false},
    {"Alt+F4",
     [] {
       // The key as the system delivers it, with the Alt bit of its key data.
       HWND h = static_cast<HWND>(editor().handle());
       SetFocus(h);
       PostMessageW(h, WM_SYSKEYDOWN, VK_F4, 0x20000001);
       ui_test::settle(100);
       PostMessageW(h, WM_SYSKEYUP, VK_F4, static_cast<LPARAM>(0xE0000001));
       ui_test::settle(100);
     },
     false},
    {"the system's close request", [] { w().close(); }, false},
    {"restart from the File menu",
     [] { choose_in_menu("重启程序(&R)", [] { ui_test::click(w().图形按钮_文件_菜单); }); }, true},
    {"restart from the tray menu", [] { choose_in_menu("重启程序(&R)", popup_tray_menu_at_cursor); }, true},
};

TEST_F(ClosingTest, AnExitWhoseSaveIsCancelledStopsAndTheProgramStaysWithItsPages) {
  rt::seams::record_launches(true);
  new_page_command();
  ui_test::type_text(editor(), "未保存的文字");
  for (const ExitPath& path : kExitPaths) {
    SCOPED_TRACE(path.name);
    rt::seams::launches().clear();
    int boxes = 0;
    // Yes, and the new page's save dialog is cancelled.
    rt::seams::script_dialog({rt::seams::DialogKind::Save, false, {}});
    ui_test::answer_message_boxes({5}, &boxes);
    path.go();
    ui_test::settle(100);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(ended_, -1);
    EXPECT_TRUE(w().loaded());
    EXPECT_TRUE(w().visible());
    EXPECT_TRUE(rt::seams::launches().empty());
    EXPECT_EQ(restart_pending(), 0);
    ASSERT_EQ(tabs().count(), 2);  // the list page is gone, the page is there
    EXPECT_EQ(page_content(1), "未保存的文字");
    EXPECT_EQ(pages()[1].modified, 1);
    // Still the running instance, with its tray icon.
    EXPECT_NE(config_read("程序设置", "进程通信钥匙"), "");
  }
  // The stopped exit leaves every way out working: No now leaves.
  ui_test::answer_message_boxes({6});
  w().close();
  // The process ends as soon as the exit is decided, as after the exit command.
  EXPECT_EQ(ended_, 0);
  EXPECT_FALSE(w().loaded());
}

// A user who pressed Alt+F4 by mistake takes the exit back at its question, in every way a box
// can be left without Yes or No; nothing is saved or closed, the list page goes.
TEST_F(ClosingTest, CancellingTheExitQuestionLeavesEveryPageAsItWas) {
  int first = edited_file("first.txt", "1");
  new_page_command();
  ui_test::type_text(editor(), "新的文字");
  const int pages = tabs().count();
  rt::seams::dialog_requests().clear();
  struct Way {
    const char* name;
    void (*leave)(MessageBoxForm& box);
  };
  const Way ways[] = {
      {"取消", [](MessageBoxForm& box) { ui_test::click(*box.answer_button(1)); }},
      {"the close button", [](MessageBoxForm& box) { ui_test::click(box.图形按钮_关闭_信息框); }},
      {"Esc", [](MessageBoxForm& box) { ui_test::press_key(box, VK_ESCAPE); }},
      {"Alt+F4",
       [](MessageBoxForm& box) {
         HWND h = static_cast<HWND>(box.handle());
         PostMessageW(h, WM_SYSKEYDOWN, VK_F4, 0x20000001);
         PostMessageW(h, WM_SYSKEYUP, VK_F4, static_cast<LPARAM>(0xE0000001));
       }},
  };
  for (const Way& way : ways) {
    for (const ExitPath& path : {kExitPaths[0], kExitPaths[2], kExitPaths[5], kExitPaths[6]}) {
      SCOPED_TRACE(std::string(way.name) + " after " + path.name);
      int boxes = 0;
      std::string question;
      rt::seams::set_modal_hook([&](rt::Window&) {
        MessageBoxForm& box = message_box_form();
        ++boxes;
        question = box.透明标签_提示类容.text();
        EXPECT_TRUE(box.answer_button(1)->visible());  // 取消 beside 是 and 否
        EXPECT_FALSE(box.图形按钮_关闭_信息框.disabled());
        way.leave(box);
      });
      path.go();
      ui_test::settle(100);
      rt::seams::set_modal_hook(nullptr);
      EXPECT_EQ(boxes, 1);
      EXPECT_NE(question.find("请问是否全部保存呢？"), std::string::npos);
      EXPECT_EQ(ended_, -1);
      EXPECT_TRUE(w().visible());
      ASSERT_EQ(tabs().count(), pages);
      EXPECT_EQ(page_content(first), "+1");
      EXPECT_EQ(::pages()[first].modified, 1);
      EXPECT_EQ(page_content(pages - 1), "新的文字");
      EXPECT_EQ(::pages()[pages - 1].modified, 1);
      EXPECT_EQ(rt::read_file(dir_ + "first.txt").value_or(""), "1");
      EXPECT_TRUE(rt::seams::dialog_requests().empty());
    }
  }
}

TEST_F(ClosingTest, AnExitWhoseWriteFailsStopsUnlessTheForcedWriteSucceeds) {
  int tab = edited_file("held.txt", "h");
  HANDLE h = CreateFileA((dir_ + "held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  // Yes, then the forced write is declined: the program stays.
  ui_test::answer_message_boxes({5, 1});
  exit_program();
  EXPECT_EQ(ended_, -1);
  EXPECT_TRUE(w().visible());
  EXPECT_EQ(pages()[tab].modified, 1);
  // Yes, then the forced write is asked for but fails as well: the program stays.
  ui_test::answer_message_boxes({5, 0, 0});
  exit_program();
  EXPECT_EQ(ended_, -1);
  EXPECT_EQ(pages()[tab].modified, 1);
  CloseHandle(h);
  // Once the file can be written, Yes saves and the program ends.
  ui_test::answer_message_boxes({5});
  exit_program();
  EXPECT_EQ(rt::read_file(dir_ + "held.txt").value_or(""), "+h");
  EXPECT_EQ(ended_, 0);
}

TEST_F(ClosingTest, NoSavesNothingAndTheExitGoesOn) {
  edited_file("keep.txt", "k");
  ui_test::answer_message_boxes({6});
  exit_program();
  EXPECT_EQ(rt::read_file(dir_ + "keep.txt").value_or(""), "k");
  EXPECT_EQ(ended_, 0);
}

TEST_F(ClosingTest, TheTabCloseButtonLiesOverTheCurrentTabAndClosesIt) {
  rt::GraphicButton& b = w().图形按钮_关闭本页;
  EXPECT_TRUE(b.visible());
  ui_test::click(b);  // one untouched page: nothing to close
  EXPECT_EQ(tabs().count(), 1);
  new_page_command();
  new_page_command();
  tabs().set_current(1);
  rt::Rect tab = tabs().tab_rect(1);
  int left = tabs().left() + tab.left, top = tabs().top() + tab.top;
  EXPECT_GE(b.left(), left);
  EXPECT_LE(b.left() + b.width(), left + tab.width);
  EXPECT_GE(b.top(), top);
  EXPECT_LE(b.top() + b.height(), top + tab.height);
  ui_test::click(b);  // unmodified: closed without a question
  EXPECT_EQ(tabs().count(), 2);
  set_option(&OptionValues::tab_close_button, 0);
  w().图形按钮_关闭本页.set_visible(false);
  tabs().set_current(0);
  EXPECT_FALSE(b.visible());
}

bool overlap(const rt::Unit& a, const rt::Unit& b) {
  return a.left() < b.left() + b.width() && b.left() < a.left() + a.width() && a.top() < b.top() + b.height() &&
         b.top() < a.top() + a.height();
}

TEST_F(ClosingTest, WithMoreTabsThanRoomTheCloseButtonStaysOffTheScrollButtons) {
  rt::GraphicButton& close = w().图形按钮_关闭本页;
  rt::GraphicButton& back = w().图形按钮_向左;
  for (int i = 0; i < 14; ++i) new_page_command();
  tabs().set_current(0);
  ASSERT_GT(tabs().tab_rect(tabs().count() - 1).left, back.left() - tabs().left());  // they overflow
  for (int i = 0; i < tabs().count(); ++i) {
    tabs().set_current(i);
    SCOPED_TRACE(i);
    // The current tab shows whole, left of the scroll buttons, with its close button.
    rt::Rect tab = tabs().tab_rect(i);
    EXPECT_GT(tab.width, 0);
    EXPECT_LE(tabs().left() + tab.left + tab.width, back.left());
    EXPECT_TRUE(close.visible());
    EXPECT_FALSE(overlap(close, back));
    EXPECT_FALSE(overlap(close, w().图形按钮_向右));
    if (i == 10) ui_test::screenshot("tabs_overflowing");
  }
  // A real click on "<" goes one tab back and closes nothing.
  const int count = tabs().count();
  ui_test::click_with_pointer(back);
  EXPECT_EQ(tabs().count(), count);
  EXPECT_EQ(tabs().current(), count - 2);
}

TEST_F(ClosingTest, RestartStartsTheProgramAgain) {
  rt::seams::record_launches(true);
  rt::seams::launches().clear();
  restart_program();
  ASSERT_EQ(rt::seams::launches().size(), 1u);
  EXPECT_EQ(rt::seams::launches()[0].file, "\"" + rt::program_path() + "\"");
  EXPECT_EQ(ended_, 0);
  reset_shutdown();
}

}  // namespace
