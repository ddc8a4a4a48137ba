// The custom open window against the real main window and real folders under Wine: the window
// itself, the normal open, the folder and search opens with their dialogs and prompt, the rule
// kept in the configuration, and searches that end while the window is busy, gone, or while
// the open routine runs.
#include "documents/custom_open.h"

#include <windows.h>
// after windows.h
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/menu_bar.h"
#include "app/shutdown.h"
#include "common/custom_open_art.h"
#include "common/message_box.h"
#include "common/skin_art.h"
#include "common/window_fade.h"
#include "documents/open_files.h"
#include "forms/custom_open_window_form.h"
#include "common/message_box_form.h"
#include "layout_check.h"
#include "options/config.h"
#include "options/option_values.h"
#include "pages/page_model.h"
#include "program_test.h"
#include "runtime/files.h"
#include "runtime/seams.h"
#include "runtime/tooltip.h"
#include "ui_test.h"

namespace {

using rt::seams::DialogKind;

CustomOpenWindowForm& cw() { return custom_open_window(); }
HWND hw(rt::WindowHandle h) { return static_cast<HWND>(h); }

// One answer to the rule prompt: the text typed over the offered rule (when given), then OK,
// Cancel (kBoxCancel), the box's close button (kCloseButton) or Enter in the input box (kEnter).
constexpr int kCloseButton = -1, kEnter = -2;
struct Reply {
  int code;
  std::optional<std::string> typed = std::nullopt;
};

// What a prompt showed.
struct Prompt {
  std::string title, text, offered;
  unsigned title_color = 0, text_color = 0, input_color = 0;
  int icon = 0;
  HWND owner = nullptr;
};

class CustomOpenTest : public ProgramTest {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir_ = std::string(temp) + "velmora_customopen_" + std::to_string(GetTickCount()) + "\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
    CreateDirectoryA((dir_ + "子目录").c_str(), nullptr);
    CreateDirectoryA((dir_ + "sub.txt").c_str(), nullptr);  // a folder that matches "*.txt"
    for (const char* name : {"甲.txt", "b.txt", "c.log", "readme", "子目录\\d.txt"}) file(name, name);
    ProgramTest::SetUp();
    rt::seams::dialog_requests().clear();
  }
  void TearDown() override {
    rt::seams::hold_workers(false);
    rt::seams::set_modal_hook(nullptr);
    ui_test::wait_for([] { return !open_choice_window_busy() && !open_busy(); }, 10000);
    cw().destroy();
    ProgramTest::TearDown();
    for (const std::string& sub : {dir_ + "子目录\\", dir_}) {
      for (const std::string& name : rt::find_files(sub + "*", 0x16)) {
        DeleteFileA((sub + name).c_str());
        RemoveDirectoryA((sub + name).c_str());
      }
      RemoveDirectoryA(sub.c_str());
    }
  }
  std::string file(const std::string& name, const std::string& bytes) {
    std::string p = dir_ + name;
    EXPECT_TRUE(rt::write_file_safely(p, bytes));
    return p;
  }

  // Opens the window as the menu does and waits until it has faded in.
  static void open_window() {
    main_menu_item("自定打开(&L)")->on_click();
    ASSERT_TRUE(ui_test::wait_for([] { return cw().loaded() && cw().alpha() == options().window_alpha; }));
  }
  // The files the pages hold, by name, sorted.
  static std::vector<std::string> opened_names() {
    std::vector<std::string> names;
    for (const PageRecord& p : pages())
      if (!p.path.empty()) names.push_back(p.path.substr(p.path.rfind('\\') + 1));
    std::sort(names.begin(), names.end());
    return names;
  }
  // Waits until the window's searches and the open routine are done.
  static void wait_until_done() {
    ASSERT_TRUE(
        ui_test::wait_for([] { return !open_choice_window_busy() && !open_busy() && open_queue().empty(); }, 20000));
    ui_test::settle();
  }
  void choose_folder_next(const std::string& folder) {
    rt::seams::script_dialog({DialogKind::Folder, true, {folder}});
  }
  static void cancel_folder_next() { rt::seams::script_dialog({DialogKind::Folder, false}); }
  static std::vector<rt::seams::DialogRequest> folder_requests() {
    std::vector<rt::seams::DialogRequest> r;
    for (const auto& q : rt::seams::dialog_requests())
      if (q.kind == DialogKind::Folder) r.push_back(q);
    return r;
  }
  // Every message box from now on is noted and answered in turn (past the list: its close
  // button).
  void reply_to_prompts(std::vector<Reply> replies) {
    prompts_.clear();
    auto queue = std::make_shared<std::vector<Reply>>(std::move(replies));
    auto next = std::make_shared<size_t>(0);
    rt::seams::set_modal_hook([this, queue, next](rt::Window& w) {
      MessageBoxForm& b = message_box_form();
      if (&w != &b) return;
      Prompt p;
      p.title = b.caption().substr(std::string("Velmora_").size());
      p.text = b.透明标签_提示类容.text();
      p.title_color = b.标签_上中.text_color();
      p.text_color = b.透明标签_提示类容.text_color();
      p.offered = b.编辑框_输入类容.visible() ? b.编辑框_输入类容.text() : "<no input>";
      p.input_color = b.编辑框_输入类容.text_color();
      for (int icon : {8, 16, 32, 48, 64})
        if (b.图形按钮_图标_信息框.normal_picture().same_image(message_box_icon(icon))) p.icon = icon;
      p.owner = GetWindow(hw(b.handle()), GW_OWNER);
      prompts_.push_back(p);
      size_t i = (*next)++;
      if (i >= queue->size() || (*queue)[i].code == kCloseButton) {
        ui_test::click(b.图形按钮_关闭_信息框);
        return;
      }
      const Reply& r = (*queue)[i];
      if (r.typed) b.编辑框_输入类容.set_text(*r.typed);
      if (r.code == kEnter)
        ui_test::press_key(b.编辑框_输入类容, VK_RETURN);
      else
        ui_test::click(*b.answer_button(r.code));
    });
  }

  std::string dir_;
  std::vector<Prompt> prompts_;
};

const char kRuleText[] =
    "  文件名规则就是使用多字符 (*) 和单字符 (?) "
    "通配符来找到自己需要的文件，此方法一般用在文件很多一时无法找到时使用，或者需要打开文件名有相同的文件！";

// ---- The window ----

TEST_F(CustomOpenTest, TheMenuItemOpensTheDressedWindowAndItsCloseButtonFadesItOut) {
  open_window();
  EXPECT_EQ(cw().caption(), "Velmora_打开文件");
  EXPECT_EQ(GetWindow(hw(cw().handle()), GW_OWNER), hw(w().handle()));
  EXPECT_TRUE(cw().图形按钮_程序图标.normal_picture().same_image(custom_open_window_icon_picture()));
  EXPECT_TRUE(cw().图形按钮_关闭小.normal_picture().same_image(close_button_pictures()[0]));
  struct Tip {
    rt::Unit& unit;
    const char* text;
  };
  const Tip tips[] = {
      {cw().图形按钮_关闭小, "关闭打开文件窗口"},
      {cw().图形按钮_选择性打开, "打开类型：正常打开\r\n此打开放式由用户选择需要打开的文件打开！"},
      {cw().图形按钮_打开文件夹, "打开类型：打开文件夹\r\n此打开方式自动搜索一个目录下的文本文件\r\n打开！"},
      {cw().图形按钮_搜索打开,
       "打开类型：搜索打开\r\n此打开方式由用户指定打开规则，和第二种\r\n方式相同的是同样搜索文件，但是不同是搜\r\n索打"
       "开的文件类型由用户决定！"},
  };
  for (const Tip& t : tips) EXPECT_EQ(rt::tooltip_text(t.unit), t.text);
  // A second menu command keeps the one window.
  main_menu_item("自定打开(&L)")->on_click();
  EXPECT_TRUE(cw().loaded());
  ui_test::click(cw().图形按钮_关闭小);
  EXPECT_FALSE(cw().loaded());
  EXPECT_EQ(opened_names(), std::vector<std::string>{});
}

TEST_F(CustomOpenTest, TheExitFadesTheWindowOut) {
  open_window();
  release_main_window();
  EXPECT_TRUE(!cw().loaded() || !cw().visible() || cw().alpha() == 0);
}

// ---- Normal open ----

TEST_F(CustomOpenTest, TheNormalOpenClosesTheWindowWhetherOrNotFilesWereChosen) {
  for (bool chosen : {false, true}) {
    SCOPED_TRACE(chosen ? "chosen" : "cancelled");
    open_window();
    rt::seams::script_dialog({DialogKind::Open, chosen, chosen ? std::vector<std::string>{dir_ + "c.log"}
                                                               : std::vector<std::string>{}});
    ui_test::click(cw().图形按钮_选择性打开);
    wait_until_done();
    EXPECT_FALSE(cw().loaded());
    ASSERT_FALSE(rt::seams::dialog_requests().empty());
    EXPECT_EQ(rt::seams::dialog_requests().back().title, "请选择要打开的文件，支持多选……");
    EXPECT_EQ(opened_names(), chosen ? std::vector<std::string>{"c.log"} : std::vector<std::string>{});
  }
}

// ---- Folder open ----

TEST_F(CustomOpenTest, TheFolderOpenOpensTheTxtFilesOfThatFolderAloneAndClosesTheWindow) {
  set_option(&OptionValues::prevent_double_open, 1);
  for (int threaded : {1, 0}) {
    SCOPED_TRACE(threaded ? "open run on a worker" : "open run on the UI thread");
    set_option(&OptionValues::open_in_thread, threaded);
    open_window();
    rt::seams::dialog_requests().clear();
    choose_folder_next(dir_);
    ui_test::click(cw().图形按钮_打开文件夹);
    wait_until_done();
    ASSERT_EQ(folder_requests().size(), 1u);
    EXPECT_EQ(folder_requests()[0].title, "请选择要搜索的目录……");
    EXPECT_EQ(folder_requests()[0].folder, "D:\\");
    // Not the folder named like a text file, nor the files of the subfolder.
    EXPECT_EQ(opened_names(), (std::vector<std::string>{"b.txt", "甲.txt"}));
    // Already open, in the second round: nothing is added, and the window goes all the same.
    EXPECT_FALSE(cw().loaded());
  }
}

TEST_F(CustomOpenTest, AFolderWithoutMatchesOrACancelledDialogOpensNothingAndKeepsTheWindow) {
  open_window();
  cancel_folder_next();
  ui_test::click(cw().图形按钮_打开文件夹);
  wait_until_done();
  EXPECT_EQ(folder_requests().size(), 1u);
  EXPECT_TRUE(cw().loaded());
  choose_folder_next(dir_ + "子目录\\空");  // no such folder
  ui_test::click(cw().图形按钮_打开文件夹);
  wait_until_done();
  CreateDirectoryA((dir_ + "空").c_str(), nullptr);
  choose_folder_next(dir_ + "空");
  ui_test::click(cw().图形按钮_打开文件夹);
  wait_until_done();
  RemoveDirectoryA((dir_ + "空").c_str());
  EXPECT_EQ(opened_names(), std::vector<std::string>{});
  EXPECT_TRUE(cw().loaded());
  for (rt::GraphicButton* b : {&cw().图形按钮_关闭小, &cw().图形按钮_选择性打开, &cw().图形按钮_打开文件夹, &cw().图形按钮_搜索打开})
    EXPECT_FALSE(b->disabled());
}

// ---- Search open ----

TEST_F(CustomOpenTest, TheSearchPromptOffersTheLastRuleAlsoAfterARestart) {
  open_window();
  reply_to_prompts({{kBoxOk, "*.log"}, {kBoxCancel}, {kBoxCancel}});
  cancel_folder_next();
  ui_test::click(cw().图形按钮_搜索打开);
  ASSERT_EQ(prompts_.size(), 1u);
  const Prompt& p = prompts_[0];
  EXPECT_EQ(p.title, "请指定寻找文件的规则……");
  EXPECT_EQ(p.title_color, 0xFF00FFu);
  EXPECT_EQ(p.text, std::string(kRuleText) + "\r\n");
  EXPECT_EQ(p.text_color, 0xFF0000u);
  EXPECT_EQ(p.icon, 32);
  EXPECT_EQ(p.owner, hw(cw().handle()));
  EXPECT_EQ(p.offered, "*.txt");
  EXPECT_EQ(p.input_color, 0xFF00FFu);
  // Stored before the folder was asked for, which was then cancelled.
  EXPECT_EQ(folder_requests().size(), 1u);
  EXPECT_EQ(config_read("程序设置", "上一次搜索文件规则"), "*.log");
  EXPECT_TRUE(cw().loaded());
  ui_test::click(cw().图形按钮_搜索打开);
  ASSERT_EQ(prompts_.size(), 2u);
  EXPECT_EQ(prompts_[1].offered, "*.log");

  cw().destroy();
  w().destroy();
  init_globals();
  ASSERT_TRUE(w().load());
  ASSERT_TRUE(ui_test::wait_for([] { return editor().has_focus(); }));
  open_window();
  ui_test::click(cw().图形按钮_搜索打开);
  ASSERT_EQ(prompts_.size(), 3u);
  EXPECT_EQ(prompts_[2].offered, "*.log");
}

TEST_F(CustomOpenTest, AnEmptyAnswerStartsNothingAndKeepsTheStoredRule) {
  config_write("程序设置", "上一次搜索文件规则", "*.log");
  open_window();
  // Cancel, the close button, OK on an emptied box, Enter on an emptied box.
  reply_to_prompts({{kBoxCancel}, {kCloseButton}, {kBoxOk, ""}, {kEnter, ""}});
  for (int i = 0; i < 4; ++i) {
    ui_test::click(cw().图形按钮_搜索打开);
    EXPECT_EQ(search_open_rule(), "") << i;
  }
  EXPECT_EQ(prompts_.size(), 4u);
  EXPECT_EQ(folder_requests().size(), 0u);
  EXPECT_EQ(config_read("程序设置", "上一次搜索文件规则"), "*.log");
  EXPECT_TRUE(cw().loaded());
  EXPECT_EQ(opened_names(), std::vector<std::string>{});
}

TEST_F(CustomOpenTest, TheSearchOpenOpensTheFilesOfTheFolderThatMatchTheRule) {
  struct Case {
    const char* rule;
    std::vector<std::string> opened;  // none: the window stays
  };
  const Case cases[] = {
      {"*.log", {"c.log"}},
      {"?.txt", {"b.txt", "甲.txt"}},  // ? is one character, also a double-byte one
      {"甲.txt", {"甲.txt"}},  // no wildcard: the one file of that name
      {"read*", {"readme"}},
      {"*.txt", {"b.txt", "甲.txt"}},  // not the folder sub.txt
      {"子*", {}},                     // only a folder matches
      {"d.txt", {}},                   // only in the subfolder
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rule);
    open_window();
    reply_to_prompts({{kEnter, c.rule}});
    choose_folder_next(dir_);
    ui_test::click(cw().图形按钮_搜索打开);
    wait_until_done();
    EXPECT_EQ(search_open_rule(), c.rule);
    EXPECT_EQ(config_read("程序设置", "上一次搜索文件规则"), c.rule);
    EXPECT_EQ(opened_names(), c.opened);
    EXPECT_EQ(cw().loaded(), c.opened.empty());
    // The next case starts from a fresh page list.
    cw().destroy();
    w().destroy();
    init_globals();
    ASSERT_TRUE(w().load());
    ASSERT_TRUE(ui_test::wait_for([] { return editor().has_focus(); }));
  }
}

// ---- Busy ----

TEST_F(CustomOpenTest, WhileASearchRunsTheWindowNeitherClosesNorStartsAnotherOpen) {
  open_window();
  rt::seams::hold_workers(true);
  choose_folder_next(dir_);
  ui_test::click(cw().图形按钮_打开文件夹);
  ASSERT_EQ(rt::seams::held_worker_count(), 1);
  EXPECT_TRUE(open_choice_window_busy());
  for (rt::GraphicButton* b : {&cw().图形按钮_关闭小, &cw().图形按钮_选择性打开, &cw().图形按钮_打开文件夹, &cw().图形按钮_搜索打开})
    EXPECT_TRUE(b->disabled());
  reply_to_prompts({{kBoxOk, "*.log"}});
  rt::seams::dialog_requests().clear();
  close_open_choice_window();
  cw().close();
  open_selected_and_close();
  start_open_folder_thread();
  search_open_command();
  EXPECT_TRUE(cw().loaded());
  EXPECT_TRUE(rt::seams::dialog_requests().empty());
  EXPECT_TRUE(prompts_.empty());
  EXPECT_EQ(rt::seams::held_worker_count(), 1);
  // The search ends: its files open and the window goes.
  rt::seams::hold_workers(false);
  wait_until_done();
  EXPECT_EQ(opened_names(), (std::vector<std::string>{"b.txt", "甲.txt"}));
  EXPECT_FALSE(cw().loaded());
}

TEST_F(CustomOpenTest, ASearchThatEndsAfterItsWindowHasGoneIsDropped) {
  open_window();
  rt::seams::hold_workers(true);
  choose_folder_next(dir_);
  ui_test::click(cw().图形按钮_打开文件夹);
  ASSERT_EQ(rt::seams::held_worker_count(), 1);
  cw().destroy();
  open_window();  // a new window, not busy
  EXPECT_FALSE(open_choice_window_busy());
  rt::seams::hold_workers(false);
  ui_test::settle(300);
  wait_until_done();
  EXPECT_EQ(opened_names(), std::vector<std::string>{});
  EXPECT_TRUE(cw().loaded());
}

TEST_F(CustomOpenTest, TheOpensDoNothingWhileTheOpenRoutineRuns) {
  open_window();
  rt::seams::hold_workers(true);
  // A search whose worker ends while an open run (of c.log) is busy.
  choose_folder_next(dir_);
  ui_test::click(cw().图形按钮_打开文件夹);
  set_open_queue({dir_ + "c.log"});
  open_files();
  ASSERT_TRUE(open_busy());
  ASSERT_EQ(rt::seams::held_worker_count(), 2);
  rt::seams::release_held_worker();  // the search's
  ASSERT_TRUE(ui_test::wait_for([] { return !open_choice_window_busy(); }));
  EXPECT_TRUE(cw().loaded()) << "its files were not opened";
  // Meanwhile the three opens start nothing.
  reply_to_prompts({{kBoxOk, "*.log"}});
  rt::seams::dialog_requests().clear();
  open_selected_and_close();
  start_open_folder_thread();
  search_open_command();
  EXPECT_TRUE(cw().loaded());
  EXPECT_TRUE(rt::seams::dialog_requests().empty());
  EXPECT_TRUE(prompts_.empty());
  rt::seams::hold_workers(false);
  wait_until_done();
  EXPECT_EQ(opened_names(), std::vector<std::string>{"c.log"});
  EXPECT_EQ(open_queue().size(), 0u);
  // Once the run is over the folder open works again.
  choose_folder_next(dir_);
  ui_test::click(cw().图形按钮_打开文件夹);
  wait_until_done();
  EXPECT_EQ(opened_names(), (std::vector<std::string>{"b.txt", "c.log", "甲.txt"}));
  EXPECT_FALSE(cw().loaded());
}

TEST_F(CustomOpenTest, Screenshot) {
  open_window();
  ui_test::settle(100);
  ui_test::screenshot("custom_open_window");
  EXPECT_TRUE(ui_test::layout_is_sound(cw()));
}

}  // namespace
