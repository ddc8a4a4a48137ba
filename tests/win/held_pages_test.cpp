// Routines that hold a page across a message box or a dialog, against the real main window,
// real files and the real message box under Wine. A modal loop runs the program's timers and
// workers' results, so pages come and go while it is open; here the test closes or adds pages
// from inside the loop, then answers, and the routine must act on the page it asked about.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/message_box.h"
#include "documents/file_operations.h"
#include "documents/open_files.h"
#include "documents/save_files.h"
#include "forms/main_window_form.h"
#include "common/message_box_form.h"
#include "options/option_values.h"
#include "pages/closing.h"
#include "pages/page_model.h"
#include "pages/tab_commands.h"
#include "program_test.h"
#include "runtime/files.h"
#include "runtime/seams.h"
#include "ui_test.h"

namespace {

using rt::seams::DialogKind;

// One answer to the program's boxes: what happens inside the box's modal loop first, then the
// text typed into an input box, then the button clicked.
struct Step {
  std::function<void()> meanwhile;
  int button = kBoxOk;
  std::string typed;
};

class HeldPagesTest : public ProgramTest {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir_ = std::string(temp) + "velmora_held_" + std::to_string(GetTickCount()) + "\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
    ProgramTest::SetUp();
    set_option(&OptionValues::open_in_thread, 0);
  }
  void TearDown() override {
    rt::seams::set_modal_hook(nullptr);
    ProgramTest::TearDown();
    for (const std::string& n : rt::find_files(dir_ + "*")) {
      SetFileAttributesA((dir_ + n).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA((dir_ + n).c_str());
    }
    RemoveDirectoryA(dir_.c_str());
  }
  std::string file(const std::string& name, const std::string& bytes) {
    std::string p = dir_ + name;
    EXPECT_TRUE(rt::write_file_safely(p, bytes));
    return p;
  }
  std::string on_disk(const std::string& name) { return rt::read_file(dir_ + name).value_or("<missing>"); }

  // The boxes are answered step by step; a box past the steps is closed by its close button.
  // *shown counts them.
  static void answer(std::vector<Step> steps, int* shown = nullptr) {
    auto list = std::make_shared<std::vector<Step>>(std::move(steps));
    auto next = std::make_shared<size_t>(0);
    rt::seams::set_modal_hook([list, next, shown](rt::Window& box) {
      MessageBoxForm& f = message_box_form();
      if (&box != &f) return;
      if (shown) ++*shown;
      if (*next >= list->size()) {
        ui_test::click(f.图形按钮_关闭_信息框);
        return;
      }
      Step s = (*list)[(*next)++];
      if (s.meanwhile) s.meanwhile();
      if (!s.typed.empty()) f.编辑框_输入类容.set_text(s.typed);
      ui_test::click(*f.answer_button(s.button));
    });
  }

  // Tab 0 "零" never saved, then a page of each file, in order, each made current and edited
  // with "+" in front unless its name is in `unmodified`. Returns the page ids in tab order.
  std::vector<int> pages(const std::vector<std::string>& names, const std::vector<std::string>& unmodified = {}) {
    editor().set_text("零");
    for (const std::string& n : names) {
      set_open_queue({file(n, n)});
      open_files();
      int tab = tabs().count() - 1;
      tabs().set_current(tab);
      if (std::find(unmodified.begin(), unmodified.end(), n) == unmodified.end()) ui_test::type_text(editor(), "+");
    }
    std::vector<int> ids;
    for (int i = 0; i < tabs().count(); ++i) ids.push_back(page_id(i));
    return ids;
  }
  static int tab_of(int id) { return find_page_by_id(id); }
  // What stands on the tabs, in order.
  static std::vector<std::string> captions() {
    std::vector<std::string> out;
    for (int i = 0; i < tabs().count(); ++i) out.push_back(tabs().caption(i));
    return out;
  }
  std::string dir_;
};

TEST_F(HeldPagesTest, TheCloseQuestionClosesThePageItAskedAbout) {
  struct Case {
    const char* name;
    bool close_page_before;  // a page before it goes while the question is open
    bool close_the_page;     // the page itself goes meanwhile
    int button;
    std::vector<std::string> left;  // the captions left
    std::string b_on_disk;
  };
  const Case cases[] = {
      {"a page before goes, yes", true, false, kBoxYes, {"新建文档 1", "c"}, "+b"},
      {"a page before goes, no", true, false, kBoxNo, {"新建文档 1", "c"}, "b"},
      {"nothing goes, yes", false, false, kBoxYes, {"新建文档 1", "a", "c"}, "+b"},
      {"the page itself goes, yes", false, true, kBoxYes, {"新建文档 1", "a", "c"}, "b"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<int> ids = pages({"a", "b", "c"}, {"c"});
    tabs().set_current(2);
    answer({{[&] {
               if (c.close_page_before) close_page_at(1);
               if (c.close_the_page) close_page_at(tab_of(ids[2]));
             },
             c.button}});
    close_page_with_prompt(2);
    EXPECT_EQ(tab_of(ids[2]), -1);
    std::vector<std::string> left = captions();
    left[0] = "新建文档 1";
    EXPECT_EQ(left, c.left);
    EXPECT_EQ(on_disk("b"), c.b_on_disk);
    EXPECT_EQ(on_disk("c"), "c");
    // The next case starts afresh.
    for (int i = 0; i < page_count(); ++i) set_page_modified(i, 0);
    while (tabs().count() > 1) close_page_at(tabs().count() - 1);
    close_page_at(0);
  }
}

TEST_F(HeldPagesTest, RenamingATabRenamesThePageAskedAboutWhereverItIsNow) {
  new_page_command();
  new_page_command();
  std::vector<int> ids = {page_id(0), page_id(1), page_id(2)};
  std::string first = tabs().caption(0);
  // The page before it goes: the page asked about moves to tab 1 and takes the name there.
  answer({{[] { close_page_at(1); }, kBoxOk, "改名"}});
  rename_current_tab();
  EXPECT_EQ(tab_of(ids[2]), 1);
  EXPECT_EQ(captions(), (std::vector<std::string>{first, "改名"}));
  // The page itself goes: no tab takes the name.
  answer({{[&] { close_page_at(tab_of(ids[2])); }, kBoxOk, "无主"}});
  rename_current_tab();
  EXPECT_EQ(captions(), (std::vector<std::string>{first}));
}

TEST_F(HeldPagesTest, TheSaveDialogSavesThePageItWasAskedFor) {
  struct Case {
    const char* name;
    bool save_as;
    bool close_the_page;
  };
  const Case cases[] = {
      {"save, a page before goes", false, false},
      {"save as, a page before goes", true, false},
      {"save, the page itself goes", false, true},
      {"save as, the page itself goes", true, true},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    while (tabs().count() > 1) close_page_at(tabs().count() - 1);
    new_page_command();
    ui_test::type_text(editor(), "一");
    new_page_command();
    ui_test::type_text(editor(), "二");
    new_page_command();
    ui_test::type_text(editor(), "三");
    const int two = page_id(2), three = page_id(3);
    tabs().set_current(2);
    std::string target = dir_ + "saved" + std::to_string(++n) + ".txt";
    rt::seams::script_dialog({DialogKind::Save, true, {target}, 0, nullptr, 0, 0, [&] {
                                close_page_at(c.close_the_page ? tab_of(two) : 1);
                              }});
    bool saved = c.save_as ? save_page_as(2) : save_page(2);
    if (c.close_the_page) {
      EXPECT_FALSE(saved);
      EXPECT_FALSE(rt::file_exists(target));
      EXPECT_TRUE(::pages()[tab_of(three)].path.empty());
      EXPECT_EQ(::pages()[tab_of(three)].modified, 1);
      continue;
    }
    EXPECT_TRUE(saved);
    EXPECT_EQ(rt::read_file(target).value_or(""), "二");
    int tab = tab_of(two);
    ASSERT_EQ(tab, 1);
    EXPECT_EQ(::pages()[tab].path, target);
    EXPECT_EQ(::pages()[tab].modified, 0);
    // The page after it is neither saved nor named after the file.
    EXPECT_TRUE(::pages()[tab_of(three)].path.empty());
    EXPECT_EQ(::pages()[tab_of(three)].modified, 1);
    EXPECT_EQ(tabs().caption(tab_of(three)).rfind("新建文档", 0), 0u);
    if (c.save_as) EXPECT_EQ(tabs().caption(tab), "saved" + std::to_string(n));
  }
}

// A file another program holds without sharing cannot be written; it lets go while the question
// about the forced write is open.
TEST_F(HeldPagesTest, TheForcedSaveMarksSavedOnlyThePageItWroteAndOnlyWhatItWrote) {
  std::vector<int> ids = pages({"a", "b", "c"});
  auto hold_b = [this] { return CreateFileA((dir_ + "b").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr); };
  tabs().set_current(2);
  HANDLE h = hold_b();
  int shown = 0;
  answer({{[&] {
             CloseHandle(h);
             close_page_at(1);
           },
           kBoxOk},
          {{}, kBoxOk}},
         &shown);
  EXPECT_TRUE(save_page(2));
  EXPECT_EQ(shown, 2);  // the question and the success
  EXPECT_EQ(on_disk("b"), "+b");
  EXPECT_EQ(::pages()[tab_of(ids[2])].modified, 0);
  EXPECT_EQ(::pages()[tab_of(ids[3])].modified, 1);  // c, now where b was, is still to be saved
  EXPECT_EQ(on_disk("c"), "c");

  // The page is edited while the question is open (as a tool window may): the file gets the
  // text asked about, and the page stays modified for what came after.
  int b = tab_of(ids[2]);
  tabs().set_current(b);
  ui_test::type_text(editor(), "-");
  const std::string asked = page_content(b);
  h = hold_b();
  answer({{[&] {
             CloseHandle(h);
             editor().replace_selection("later ");
           },
           kBoxOk},
          {{}, kBoxOk}});
  EXPECT_TRUE(save_current_page());
  EXPECT_EQ(on_disk("b"), asked);
  EXPECT_NE(page_content(b).find("later "), std::string::npos);
  EXPECT_EQ(::pages()[b].modified, 1);

  // The page goes while the question is open: nothing is written for it.
  h = hold_b();
  shown = 0;
  answer({{[&] {
             CloseHandle(h);
             close_page_at(tab_of(ids[2]));
           },
           kBoxOk}},
         &shown);
  EXPECT_FALSE(save_page(b));
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(on_disk("b"), asked);
  EXPECT_EQ(on_disk("c"), "c");
}

TEST_F(HeldPagesTest, TheListPageOfSaveAllAndCloseAllGoesAndNoOther) {
  struct Case {
    const char* name;
    void (*command)();
    int button;  // nothing is saved, nothing closed
  };
  const Case cases[] = {
      {"save all", save_all_command, kBoxNo},
      {"close all", [] { close_all_pages(false); }, kBoxCancel},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<int> ids = pages({"a", "b"}, {"a"});
    tabs().set_current(2);
    int later = 0;
    // While the question is open a page before the list page goes and a new one comes after it.
    answer({{[&] {
               close_page_at(1);
               new_page_command();
               later = current_page_id();
             },
             c.button}});
    c.command();
    ASSERT_EQ(tabs().count(), 3);
    EXPECT_EQ(tab_of(ids[2]), 1);
    EXPECT_EQ(::pages()[1].modified, 1);
    EXPECT_EQ(tab_of(later), 2);  // the page that came stays, the list page is gone
    // Save all goes back to the page that was current, wherever it is now.
    if (c.command == save_all_command) EXPECT_EQ(tabs().current(), 1);
    for (int i = 0; i < page_count(); ++i) set_page_modified(i, 0);
    while (tabs().count() > 1) close_page_at(tabs().count() - 1);
    close_page_at(0);
  }
}

TEST_F(HeldPagesTest, SavingAllSavesEveryModifiedPageWhilePagesGoUnderItsDialogs) {
  // Tab 0, an unmodified page, a page never saved, a modified file.
  pages({"keep"}, {"keep"});
  new_page_command();
  ui_test::type_text(editor(), "新的");
  set_open_queue({file("last", "last")});
  open_files();
  tabs().set_current(3);
  ui_test::type_text(editor(), "+");
  set_page_modified(0, 0);
  std::string target = dir_ + "新的.txt";
  // The new page's dialog: the unmodified page before it goes meanwhile.
  rt::seams::script_dialog({DialogKind::Save, true, {target}, 0, nullptr, 0, 0, [] { close_page_at(1); }});
  answer({{{}, kBoxYes}});
  close_all_pages(false);
  EXPECT_EQ(rt::read_file(target).value_or(""), "新的");
  EXPECT_EQ(on_disk("last"), "+last");
  // Everything was saved: every page went.
  EXPECT_EQ(tabs().count(), 1);
  EXPECT_EQ(page_content(0), "");
}

TEST_F(HeldPagesTest, CopyMoveAndRenameActOnTheFileOfThePageAskedAbout) {
  struct Case {
    const char* name;
    void (*command)();
    bool by_dialog;  // else the rename's input box
    const char* target;
    bool source_stays;
  };
  const Case cases[] = {
      {"move", [] { copy_or_move_page_file(true); }, true, "moved.txt", false},
      {"copy", [] { copy_or_move_page_file(false); }, true, "copied.txt", true},
      {"rename", rename_page_file, false, "renamed.txt", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<int> ids = pages({"a.txt", "b.txt", "c.txt"}, {"a.txt", "b.txt", "c.txt"});
    tabs().set_current(2);
    std::string target = dir_ + c.target;
    auto a_page_before_goes = [] { close_page_at(1); };
    if (c.by_dialog) {
      rt::seams::script_dialog({DialogKind::Save, true, {target}, 0, nullptr, 0, 0, a_page_before_goes});
      answer({{{}, kBoxCancel}});  // no Explorer
    } else {
      answer({{a_page_before_goes, kBoxOk, c.target}, {{}, kBoxCancel}});
    }
    c.command();
    EXPECT_EQ(rt::read_file(target).value_or(""), "b.txt");
    EXPECT_EQ(rt::file_exists(dir_ + "b.txt"), c.source_stays);
    EXPECT_TRUE(rt::file_exists(dir_ + "c.txt"));  // the page after it is not touched
    EXPECT_EQ(::pages()[tab_of(ids[3])].path, dir_ + "c.txt");
    EXPECT_EQ(::pages()[tab_of(ids[2])].path, c.source_stays ? dir_ + "b.txt" : target);
    while (tabs().count() > 1) close_page_at(tabs().count() - 1);
    close_page_at(0);
    for (const char* n : {"a.txt", "b.txt", "c.txt", c.target}) DeleteFileA((dir_ + n).c_str());
  }
}

}  // namespace
