// The page pickers of the Simplified/Traditional and the encryption windows, against the real
// main window and the real tool windows under Wine: the fill, the entries standing for pages,
// the choice, the busy state and the refreshes after pages come and go.
#include "options/option_values.h"
#include "pages/page_pickers.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "common/window_fade.h"
#include "documents/open_files.h"
#include "documents/save_files.h"
#include "forms/crypt_window_form.h"
#include "forms/simp_trad_window_form.h"
#include "pages/closing.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "program_test.h"
#include "runtime/files.h"
#include "runtime/seams.h"
#include "runtime/tooltip.h"
#include "texttools/crypt_window.h"
#include "texttools/simp_trad_window.h"
#include "ui_test.h"

namespace {

HWND hw(rt::WindowHandle h) { return static_cast<HWND>(h); }

// One tool window with a page picker.
struct Tool {
  const char* name;
  rt::Window& (*window)();
  rt::ComboBox& (*combo)();
  rt::EditBox& (*box)();
  rt::GraphicButton& (*close_button)();
  PagePicker& (*picker)();
  void (*open)();
  void (*close)();
  bool loads_empty_page;
};

const Tool kSimpTrad{"Simplified/Traditional",
                     []() -> rt::Window& { return simp_trad_window(); },
                     []() -> rt::ComboBox& { return simp_trad_window().组合框_打开文件_简繁转换; },
                     []() -> rt::EditBox& { return simp_trad_window().编辑框_操作类容; },
                     []() -> rt::GraphicButton& { return simp_trad_window().图形按钮_关闭小; },
                     chinese_page_picker,
                     open_simp_trad_window,
                     close_simp_trad_window,
                     false};
const Tool kCrypt{"encryption",
                  []() -> rt::Window& { return crypt_window(); },
                  []() -> rt::ComboBox& { return crypt_window().组合框_打开文件_加密解密; },
                  []() -> rt::EditBox& { return crypt_window().编辑框_内容摘要; },
                  []() -> rt::GraphicButton& { return crypt_window().图形按钮_关闭小; },
                  crypt_page_picker,
                  open_crypt_window,
                  close_crypt_window,
                  true};
const Tool* const kTools[] = {&kSimpTrad, &kCrypt};

std::vector<std::string> entries(const Tool& t) {
  std::vector<std::string> out;
  for (int i = 0; i < t.combo().count(); ++i) out.push_back(t.combo().item(i));
  return out;
}

// The user's choice of an entry: the control's own notification to its parent.
void pick(const Tool& t, int entry) {
  HWND combo = hw(t.combo().handle());
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

class PickerTest : public ProgramTest {
 protected:
  void TearDown() override {
    simp_trad_window().destroy();
    crypt_window().destroy();
    ProgramTest::TearDown();
  }
  // Opens the window as its menu item does and waits until it is shown and filled.
  static void open(const Tool& t) {
    t.open();
    ASSERT_TRUE(ui_test::wait_for(
        [&] { return t.window().loaded() && t.window().alpha() == options().window_alpha && !t.picker().busy(); }));
  }
  static void wait_filled(const Tool& t) {
    ASSERT_TRUE(ui_test::wait_for([&] { return !t.picker().busy(); }));
  }
  // A new page with a name and a text; it becomes the current page.
  static int add_page(std::string name, const std::string& text) {
    int tab = create_page(name);
    editor().set_text(text);
    return tab;
  }
  // Tab 0 "新建文档 1" holds "一", then "第二页" with "二" and "第三页" with "三"; tab 1 current.
  static void three_pages() {
    editor().set_text("一");
    add_page("第二页", "二");
    add_page("第三页", "三");
    tabs().set_current(1);
  }
};

TEST_F(PickerTest, TheFillListsEveryPageSelectsTheCurrentOneAndLoadsIt) {
  three_pages();
  for (const Tool* t : kTools) {
    SCOPED_TRACE(t->name);
    open(*t);
    EXPECT_EQ(entries(*t), (std::vector<std::string>{"新建文档 1", "第二页", "第三页"}));
    EXPECT_EQ(t->combo().current(), 1);
    EXPECT_EQ(t->box().text(), "二");
    EXPECT_EQ(rt::tooltip_text(t->combo()), "第二页");
    EXPECT_FALSE(t->close_button().disabled());
    // The user's choice loads that page.
    pick(*t, 2);
    EXPECT_EQ(t->box().text(), "三");
    pick(*t, 0);
    EXPECT_EQ(t->box().text(), "一");
    EXPECT_EQ(rt::tooltip_text(t->combo()), "新建文档 1");
  }
}

TEST_F(PickerTest, OnlyTheEncryptionBalloonNamesTheExtension) {
  int notes = add_page("notes", "text");
  set_page_extension(notes, "txt");
  for (const Tool* t : kTools) {
    SCOPED_TRACE(t->name);
    open(*t);
    EXPECT_EQ(rt::tooltip_text(t->combo()), t == &kCrypt ? "notes.txt" : "notes");
  }
}

TEST_F(PickerTest, APlaceholderTab0IsLeftOutAndEntryKStandsForPageKPlus1) {
  three_pages();
  close_page_at(0);
  ASSERT_EQ(tab0_placeholder(), 1);
  for (const Tool* t : kTools) {
    SCOPED_TRACE(t->name);
    open(*t);
    EXPECT_EQ(entries(*t), (std::vector<std::string>{"第二页", "第三页"}));
    EXPECT_EQ(t->combo().current(), tabs().current() - 1);
    pick(*t, 1);
    EXPECT_EQ(t->box().text(), "三");
    pick(*t, 0);
    EXPECT_EQ(t->box().text(), "二");
  }
}

TEST_F(PickerTest, APageWithAnEmptyNameKeepsItsEntry) {
  three_pages();
  // A file named ".txt" gives its page an empty name.
  tabs().set_tooltip(1, make_tab_tooltip(""));
  for (const Tool* t : kTools) {
    SCOPED_TRACE(t->name);
    open(*t);
    EXPECT_EQ(entries(*t), (std::vector<std::string>{"新建文档 1", "", "第三页"}));
    pick(*t, 2);
    EXPECT_EQ(t->box().text(), "三");
    pick(*t, 1);
    EXPECT_EQ(t->box().text(), "二");
  }
}

TEST_F(PickerTest, AnEmptyPageEmptiesOnlyTheEncryptionWindowsBox) {
  three_pages();
  add_page("空白页", "");
  tabs().set_current(1);
  for (const Tool* t : kTools) {
    SCOPED_TRACE(t->name);
    open(*t);
    ASSERT_EQ(t->box().text(), "二");
    pick(*t, 3);
    EXPECT_EQ(t->box().text(), t->loads_empty_page ? "" : "二");
    EXPECT_EQ(rt::tooltip_text(t->combo()), "空白页");
  }
}

TEST_F(PickerTest, ChoicesWithoutAnEntryOrWithAStaleOneDoNothing) {
  three_pages();
  for (const Tool* t : kTools) {
    SCOPED_TRACE(t->name);
    open(*t);
    t->box().set_text("留着");
    pick(*t, -1);
    EXPECT_EQ(t->box().text(), "留着");
    EXPECT_EQ(t->picker().selected_page(), -1);
    // An entry left over from a page that is gone.
    t->combo().add_item("已关闭");
    pick(*t, 3);
    EXPECT_EQ(t->picker().selected_page(), -1);
    EXPECT_EQ(t->box().text(), "留着");
  }
  // Encrypting without a page asks for no file.
  crypt_window().编辑框_密码.set_text("pw");
  rt::seams::dialog_requests().clear();
  crypt_window().组合框_打开文件_加密解密.set_current(-1);
  encrypt_or_decrypt_file();
  EXPECT_TRUE(rt::seams::dialog_requests().empty());
}

TEST_F(PickerTest, NewAndClosedPagesKeepTheEntriesInStepWithoutLoadingAnything) {
  three_pages();
  for (const Tool* t : kTools) open(*t);
  for (const Tool* t : kTools) t->box().set_text("工作");
  auto check = [](std::vector<std::string> expected) {
    for (const Tool* t : kTools) {
      SCOPED_TRACE(t->name);
      EXPECT_EQ(entries(*t), expected);
      EXPECT_EQ(t->combo().current(), tabs().current() - (tab0_placeholder() ? 1 : 0));
      EXPECT_EQ(t->box().text(), "工作");
    }
  };
  add_page("第四页", "四");
  for (const Tool* t : kTools) EXPECT_EQ(t->combo().count(), 4) << t->name;
  tabs().set_current(2);
  close_page_at(3);
  check({"新建文档 1", "第二页", "第三页"});
  close_page_at(0);  // tab 0 becomes the placeholder
  ASSERT_EQ(tab0_placeholder(), 1);
  check({"第二页", "第三页"});
  close_page_at(1);
  check({"第三页"});
  close_page_at(1);  // tab 0 alone is a page again and gets its entry back
  ASSERT_EQ(tab0_placeholder(), 0);
  check({page_name(0)});
}

TEST_F(PickerTest, SavingUnderANewNameRenamesThePagesEntry) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string saved_as = std::string(temp) + "velmora_picker_另存.txt",
                    first_save = std::string(temp) + "velmora_picker_首存.txt",
                    after_placeholder = std::string(temp) + "velmora_picker_后存.txt";
  three_pages();
  for (const Tool* t : kTools) open(*t);
  for (const Tool* t : kTools) t->box().set_text("工作");
  // Save As of the current page: its entry takes the file's name, the choice stays.
  rt::seams::script_dialog({rt::seams::DialogKind::Save, true, {saved_as}});
  ASSERT_TRUE(save_page_as(1));
  for (const Tool* t : kTools) {
    SCOPED_TRACE(t->name);
    EXPECT_EQ(entries(*t), (std::vector<std::string>{"新建文档 1", "velmora_picker_另存", "第三页"}));
    EXPECT_EQ(t->combo().current(), 1);
    EXPECT_EQ(t->box().text(), "工作");  // nothing is loaded
  }
  // The first save of a page keeps its name, and so does its entry.
  rt::seams::script_dialog({rt::seams::DialogKind::Save, true, {first_save}});
  ASSERT_TRUE(save_page(2));
  for (const Tool* t : kTools) EXPECT_EQ(entries(*t)[2], "第三页") << t->name;
  // With tab 0 a placeholder, entry k stands for page k + 1.
  tabs().set_current(2);
  close_page_at(0);
  ASSERT_EQ(tab0_placeholder(), 1);
  rt::seams::script_dialog({rt::seams::DialogKind::Save, true, {after_placeholder}});
  ASSERT_TRUE(save_page_as(2));
  for (const Tool* t : kTools) {
    SCOPED_TRACE(t->name);
    EXPECT_EQ(entries(*t), (std::vector<std::string>{"velmora_picker_另存", "velmora_picker_后存"}));
    EXPECT_EQ(t->combo().current(), 1);
  }
  for (const std::string& p : {saved_as, first_save, after_placeholder}) DeleteFileA(p.c_str());
}

TEST_F(PickerTest, ClosingAllPagesRefillsTheLoadedPickers) {
  three_pages();
  for (const Tool* t : kTools) open(*t);
  remove_all_pages();
  for (const Tool* t : kTools) {
    SCOPED_TRACE(t->name);
    wait_filled(*t);
    EXPECT_EQ(entries(*t), (std::vector<std::string>{page_name(0)}));
    EXPECT_EQ(t->combo().current(), 0);
    // The fresh page is empty: only the encryption window takes that.
    EXPECT_EQ(t->box().text(), t->loads_empty_page ? "" : "二");
  }
}

TEST_F(PickerTest, OpenedFilesReachTheLoadedPickers) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string a = std::string(temp) + "velmora_picker_甲.txt", b = std::string(temp) + "velmora_picker_乙.log";
  ASSERT_TRUE(rt::write_file_safely(a, "甲的内容"));
  ASSERT_TRUE(rt::write_file_safely(b, "乙的内容"));
  editor().set_text("一");
  for (const Tool* t : kTools) open(*t);
  set_option(&OptionValues::open_in_thread, 1);
  set_open_queue({a, b});
  open_files();
  ASSERT_TRUE(ui_test::wait_for([] { return !open_busy() && open_queue().empty(); }, 20000));
  for (const Tool* t : kTools) {
    SCOPED_TRACE(t->name);
    wait_filled(*t);
    EXPECT_EQ(entries(*t), (std::vector<std::string>{"新建文档 1", "velmora_picker_甲", "velmora_picker_乙"}));
    pick(*t, 2);
    EXPECT_EQ(t->box().text(), "乙的内容");
  }
  EXPECT_EQ(rt::tooltip_text(kCrypt.combo()), "velmora_picker_乙.log");
  DeleteFileA(a.c_str());
  DeleteFileA(b.c_str());
}

TEST_F(PickerTest, WhileAFillRunsTheWindowRefusesToClose) {
  three_pages();
  for (const Tool* t : kTools) {
    SCOPED_TRACE(t->name);
    open(*t);
    t->picker().start_refresh();  // its work waits for the UI thread, which runs this test
    EXPECT_TRUE(t->picker().busy());
    EXPECT_TRUE(t->close_button().disabled());
    t->close();
    t->window().close();  // the may-close event
    EXPECT_TRUE(t->window().loaded());
    wait_filled(*t);
    EXPECT_FALSE(t->close_button().disabled());
    t->close();
    EXPECT_FALSE(t->window().loaded());
  }
}

TEST_F(PickerTest, ARefreshAskedForDuringAFillRunsOnceAfterIt) {
  three_pages();
  for (const Tool* t : kTools) {
    SCOPED_TRACE(t->name);
    open(*t);
    int loads = 0;
    t->box().on_changed = [&] { ++loads; };
    for (int i = 0; i < 3; ++i) t->picker().start_refresh();
    wait_filled(*t);
    ui_test::settle(200);
    EXPECT_EQ(loads, 2);
    EXPECT_EQ(entries(*t).size(), 3u);
    EXPECT_FALSE(t->close_button().disabled());
    t->box().on_changed = nullptr;
  }
}

TEST_F(PickerTest, AFillForAWindowThatHasClosedIsDropped) {
  three_pages();
  for (const Tool* t : kTools) {
    SCOPED_TRACE(t->name);
    open(*t);
    t->picker().start_refresh();
    t->window().destroy();
    ui_test::settle(300);
    EXPECT_FALSE(t->window().loaded());
    // A new window is filled afresh, and its close button is free once that is done.
    open(*t);
    EXPECT_EQ(entries(*t).size(), 3u);
    EXPECT_FALSE(t->picker().busy());
    EXPECT_FALSE(t->close_button().disabled());
  }
}

}  // namespace
