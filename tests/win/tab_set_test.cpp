// The saved tab set against the real main window, real files and the real message box under
// Wine: the file's bytes from each writer, saving, loading, the load question and its answers.
#include "options/option_values.h"
#include "pages/tab_set.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "documents/open_files.h"
#include "pages/closing.h"
#include "pages/page_model.h"
#include "program_test.h"
#include "recorded_boxes.h"
#include "runtime/app.h"
#include "runtime/files.h"
#include "runtime/strings.h"
#include "ui_test.h"

namespace {

const std::string kQuestionTitle = "是否载入上一次保存标签？";
const std::string kQuestionText =
    "  由于你保存过标签，请问你是否立即载入上一次保存的标签。\r\n  选择[是]立即载入！\r\n  选择[否]取消载入！\r\n"
    "  选择[取消]重新保存当前打开的标签！";

class TabSetTest : public ProgramTest {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir_ = std::string(temp) + "velmora_tabset_" + std::to_string(GetTickCount()) + "\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
    DeleteFileA(tab_set_file_path().c_str());
    ProgramTest::SetUp();
    // 亅 (81 7C) carries a "|" as its trail byte.
    a_ = file("甲.txt", "first");
    b_ = file("b亅.txt", "second");
    c_ = file("c.txt", "third");
  }
  void TearDown() override {
    rt::seams::set_modal_hook(nullptr);
    ProgramTest::TearDown();
    DeleteFileA(tab_set_file_path().c_str());
    for (const std::string& name : rt::find_files(dir_ + "*")) rt::delete_file(dir_ + name);
    RemoveDirectoryA(dir_.c_str());
  }
  std::string file(const std::string& name, const std::string& bytes) {
    std::string p = dir_ + name;
    EXPECT_TRUE(rt::write_file_safely(p, bytes));
    return p;
  }
  // Opens the paths as the command line does and waits for the run to end.
  static void open(std::vector<std::string> paths) {
    set_open_queue(std::move(paths));
    open_files();
    ASSERT_TRUE(ui_test::wait_for([] { return !open_busy() && open_queue().empty(); }, 20000));
  }
  static void wait_for_open_run() {
    ASSERT_TRUE(ui_test::wait_for([] { return !open_busy(); }, 20000));
  }
  static std::string stored() { return rt::read_file(tab_set_file_path()).value_or("<missing>"); }
  static void store(const std::string& bytes) { ASSERT_TRUE(rt::write_file_safely(tab_set_file_path(), bytes)); }
  static std::vector<std::string> open_paths() {
    std::vector<std::string> paths;
    for (const PageRecord& p : pages()) paths.push_back(p.path);
    return paths;
  }
  void expect_question(const RecordedBox& box) {
    EXPECT_EQ(box.title, kQuestionTitle);
    EXPECT_EQ(box.text, kQuestionText);
    EXPECT_EQ(box.icon, 32);
    EXPECT_EQ(box.text_color, 0x8000u);
    EXPECT_EQ(box.title_color, 0xFF00FFu);
    EXPECT_EQ(box.owner, w().handle());
    EXPECT_EQ(box.buttons, (std::vector<int>{kBoxCancel, kBoxYes, kBoxNo}));
    EXPECT_EQ(box.row_top, 105);
  }

  std::string dir_, a_, b_, c_;
  std::vector<RecordedBox> boxes;
};

TEST_F(TabSetTest, TheFileLiesBesideTheProgram) {
  EXPECT_EQ(tab_set_file_path(), rt::program_directory() + "Velmora_保存标签.ini");
}

TEST_F(TabSetTest, SavingWritesThePathsOfThePagesThatHaveOneInTabOrder) {
  record_message_boxes(&boxes);
  EXPECT_EQ(tab_set_menu_item().caption, "保存打开标签(&B)");
  EXPECT_FALSE(tab_set_menu_item().enabled) << "no page has a path yet";
  open({a_, b_});
  new_page_command();     // never saved: skipped
  tabs().set_current(0);  // else the untouched new page would take the next file
  open({c_});
  ASSERT_EQ(tabs().count(), 4);
  TabSetMenuItem item = tab_set_menu_item();
  EXPECT_EQ(item.caption, "保存打开标签(&B)");
  EXPECT_TRUE(item.enabled);
  save_or_load_open_tabs();
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(stored(), a_ + "|" + b_ + "|" + c_);  // no trailing "|", no line break
  item = tab_set_menu_item();
  EXPECT_EQ(item.caption, "载入保存标签(&B)");
  EXPECT_TRUE(item.enabled);
}

TEST_F(TabSetTest, SavingOnlyUntitledPagesLeavesNoFile) {
  record_message_boxes(&boxes);
  new_page_command();
  store("");  // an empty file counts as no set: the command saves
  save_or_load_open_tabs();
  EXPECT_FALSE(rt::file_exists(tab_set_file_path()));
  EXPECT_EQ(tab_set_menu_item().caption, "保存打开标签(&B)");
  EXPECT_TRUE(boxes.empty());
}

TEST_F(TabSetTest, LoadingAsksAndYesOpensTheSavedFiles) {
  store(a_ + "|" + dir_ + "gone.txt|" + b_);
  record_message_boxes(&boxes, {kBoxYes});
  save_or_load_open_tabs();
  ASSERT_EQ(boxes.size(), 1u);
  expect_question(boxes[0]);
  wait_for_open_run();
  // The untouched first page takes the first file; the missing one is passed over.
  EXPECT_EQ(open_paths(), (std::vector<std::string>{a_, b_}));
  EXPECT_EQ(page_content(1), "second");
  EXPECT_EQ(stored(), a_ + "|" + dir_ + "gone.txt|" + b_) << "loading keeps the set";
}

TEST_F(TabSetTest, AnAppendAfterTheManagersRowsLeavesAnEmptyPieceThatLoadingIgnores) {
  record_message_boxes(&boxes, {kBoxYes});
  store(a_ + "|" + b_ + "|");  // the tab manager's form: every path followed by "|"
  open({c_});
  append_page_to_tab_set();
  EXPECT_EQ(stored(), a_ + "|" + b_ + "||" + c_);
  close_page_at(0);  // tab 0 becomes an untouched new page again
  ASSERT_EQ(tabs().count(), 1);
  save_or_load_open_tabs();
  wait_for_open_run();
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(open_paths(), (std::vector<std::string>{a_, b_, c_}));
}

TEST_F(TabSetTest, AppendingStartsAMissingFileWithASeparator) {
  open({a_});
  append_page_to_tab_set();
  EXPECT_EQ(stored(), "|" + a_);
  append_page_to_tab_set();
  EXPECT_EQ(stored(), "|" + a_ + "|" + a_);
  // A page never saved has nothing to append.
  new_page_command();
  append_page_to_tab_set();
  EXPECT_EQ(stored(), "|" + a_ + "|" + a_);
}

TEST_F(TabSetTest, AlreadyOpenFilesAreNotOpenedAgainWhenDoubleOpeningIsRefused) {
  set_option(&OptionValues::prevent_double_open, 1);
  open({a_, b_});
  store(b_ + "|" + c_ + "|" + a_);
  record_message_boxes(&boxes, {kBoxYes});
  save_or_load_open_tabs();
  wait_for_open_run();
  EXPECT_EQ(open_paths(), (std::vector<std::string>{a_, b_, c_}));
  set_option(&OptionValues::prevent_double_open, 0);
}

// A file name whose last character is a byte escape ends in a lead byte alone, which the "|"
// after it would complete to 亅. The system gets such a name as its lone surrogate (U+DC81):
// Windows keeps such names, Wine refuses them, and there the set still keeps the entry apart,
// so that the file after it opens.
TEST_F(TabSetTest, APathEndingInALeadByteAloneStaysApartFromTheNext) {
  const std::string lone = dir_ + "d\x81";
  if (!rt::write_file_safely(lone, "fourth")) {
    store(a_ + "|" + lone + "?|" + c_);
    record_message_boxes(&boxes, {kBoxYes, kBoxOk});
    save_or_load_open_tabs();
    wait_for_open_run();
    EXPECT_EQ(open_paths(), (std::vector<std::string>{a_, c_}));
    EXPECT_EQ(page_content(1), "third");
    return;
  }
  set_option(&OptionValues::prevent_double_open, 1);
  open({a_, lone, c_});
  ASSERT_EQ(open_paths(), (std::vector<std::string>{a_, lone, c_}));
  // Both are known as open.
  open({c_, lone});
  EXPECT_EQ(open_paths(), (std::vector<std::string>{a_, lone, c_}));
  save_or_load_open_tabs();
  EXPECT_EQ(stored(), a_ + "|" + lone + "?|" + c_);
  // Closing the one forgets only its own entry.
  close_page_at(1);
  open({c_});
  EXPECT_EQ(open_paths(), (std::vector<std::string>{a_, c_}));
  remove_all_pages();
  record_message_boxes(&boxes, {kBoxYes});
  save_or_load_open_tabs();
  wait_for_open_run();
  EXPECT_EQ(open_paths(), (std::vector<std::string>{a_, lone, c_}));
  EXPECT_EQ(page_content(1), "fourth");
  set_option(&OptionValues::prevent_double_open, 0);
}

// A name with characters code page 936 lacks is saved as their GB18030 four-byte codes, and the
// file it names opens again from the set.
TEST_F(TabSetTest, ANameOutsideCodePage936IsKeptAndOpensAgain) {
  const std::wstring name = L"\uD55C\uAD6D\uC5B4 \U0001F600 Stra\u00DFe.txt";
  const std::string foreign = dir_ + rt::to_gbk(name);
  ASSERT_TRUE(rt::write_file_safely(foreign, "fourth"));
  ASSERT_NE(GetFileAttributesW((rt::to_wide(dir_) + name).c_str()), INVALID_FILE_ATTRIBUTES) << "named by its UTF-16 name";
  open({a_, foreign});
  ASSERT_EQ(open_paths(), (std::vector<std::string>{a_, foreign}));
  save_or_load_open_tabs();
  EXPECT_EQ(stored(), a_ + "|" + dir_ + "\x83\x36\x84\x33\x82\x37\xF4\x30\x83\x32\xEB\x35 \x94\x39\xFC\x36 Stra\x81\x30\x89\x38" "e.txt");
  remove_all_pages();
  record_message_boxes(&boxes, {kBoxYes});
  save_or_load_open_tabs();
  wait_for_open_run();
  EXPECT_EQ(open_paths(), (std::vector<std::string>{a_, foreign}));
  EXPECT_EQ(page_content(1), "fourth");
  EXPECT_EQ(rt::to_wide(tabs().caption(1)), name.substr(0, 3));  // the name's first 12 bytes
}

TEST_F(TabSetTest, ASetOfSeparatorsOnlyIsDeletedByTheNextLoad) {
  store("|||");
  EXPECT_EQ(tab_set_menu_item().caption, "载入保存标签(&B)");
  EXPECT_TRUE(tab_set_menu_item().enabled);
  record_message_boxes(&boxes, {kBoxNo, kBoxYes});
  save_or_load_open_tabs();  // No keeps everything
  EXPECT_EQ(stored(), "|||");
  save_or_load_open_tabs();
  wait_for_open_run();
  EXPECT_FALSE(rt::file_exists(tab_set_file_path()));
  EXPECT_EQ(tabs().count(), 1);
  EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(TabSetTest, CancelSavesTheOpenPagesOverTheSet) {
  open({c_});
  store(a_ + "|" + b_);
  record_message_boxes(&boxes, {kBoxCancel});
  save_or_load_open_tabs();
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(stored(), c_);
  EXPECT_EQ(tabs().count(), 1);
}

TEST_F(TabSetTest, CancelWithOnlyUntitledPagesDeletesTheSet) {
  store(a_);
  record_message_boxes(&boxes, {kBoxCancel});
  save_or_load_open_tabs();
  EXPECT_FALSE(rt::file_exists(tab_set_file_path()));
}

TEST_F(TabSetTest, NoOrClosingTheQuestionKeepsTheSetAndOpensNothing) {
  open({c_});
  const std::string set = a_ + "|" + b_;
  store(set);
  // No, then the box's close button (-1): neither opens nor overwrites.
  record_message_boxes(&boxes, {kBoxNo, -1});
  save_or_load_open_tabs();
  save_or_load_open_tabs();
  ui_test::settle();
  EXPECT_EQ(boxes.size(), 2u);
  EXPECT_EQ(stored(), set);
  EXPECT_EQ(open_paths(), (std::vector<std::string>{c_}));
}

TEST_F(TabSetTest, NothingHappensWhileAnOpenRunIsBusy) {
  open({a_});
  set_open_busy(true);
  EXPECT_FALSE(tab_set_menu_item().enabled);
  save_or_load_open_tabs();
  EXPECT_FALSE(rt::file_exists(tab_set_file_path()));
  set_open_busy(false);
  save_or_load_open_tabs();
  EXPECT_EQ(stored(), a_);
}

}  // namespace
