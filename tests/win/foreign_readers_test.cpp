// The readers of other programs' controls, across a real process boundary: a second program
// (foreign_target.cpp) holds controls with known contents; the tests read and change them
// through the program's own routines and reader classes. Every wait is bounded, and the target
// is ended by its handle after each test.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "foreign/edit_control.h"
#include "foreign/list_view.h"
#include "foreign/process_memory.h"
#include "foreign/reader_rules.h"
#include "foreign/text_reader.h"
#include "foreign/tree_view.h"
#include "foreign_target.h"
#include "runtime/app.h"
#include "runtime/foreign_windows.h"
#include "runtime/seams.h"
#include "ui_test.h"

namespace {

namespace ft = foreign_target;
using std::string;

string repeat(int n, const string& s) {
  string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// The 64-bit build of the tests (for machines that run no 32-bit code) has 64-bit processes
// only: the readers' records are 32-bit layouts, so every reader that hands over records
// refuses there, and what such a reader would read is its refusal.
constexpr bool kRecordsTaken = sizeof(void*) == 4;
string read_with_records(const string& text) { return kRecordsTaken ? text : string(kOtherBitnessRefusal); }
#define SKIP_WITHOUT_RECORDS() \
  if (!kRecordsTaken) GTEST_SKIP() << "the records are 32-bit layouts, and this build's processes are 64-bit"

// Texts compared without printing thousands of bytes when they differ.
::testing::AssertionResult same_text(const string& got, const string& want) {
  if (got == want) return ::testing::AssertionSuccess();
  size_t at = 0;
  while (at < got.size() && at < want.size() && got[at] == want[at]) ++at;
  return ::testing::AssertionFailure() << "got " << got.size() << " bytes, want " << want.size()
                                       << "; first difference at byte " << at << ": got \"" << got.substr(at, 40)
                                       << "\", want \"" << want.substr(at, 40) << "\"";
}

// Polls another program's state (no message of ours announces it) until done() or the time is up.
bool poll_until(const std::function<bool()>& done, int timeout_ms) {
  for (DWORD start = GetTickCount(); !done(); Sleep(20))
    if (GetTickCount() - start > static_cast<DWORD>(timeout_ms)) return done();
  return true;
}

// Milliseconds a call takes.
template <typename F>
long long elapsed_ms(F&& f) {
  DWORD start = GetTickCount();
  f();
  return static_cast<long long>(GetTickCount() - start);
}

// The texts of the target's drop-down lists of combo boxes (class ComboLBox).
BOOL CALLBACK read_drop_down(HWND w, LPARAM out) {
  char cls[64] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (std::string(cls) == "ComboLBox")
    reinterpret_cast<std::vector<std::string>*>(out)->push_back(read_window_text_by_class(w));
  return TRUE;
}

class ForeignTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static int started = 0;
    string token = "foreign-target-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++started);
    string command = "\"" + rt::program_directory() + "velmora_foreign_target.exe\" " + token;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process_))
        << command;
    CloseHandle(process_.hThread);
    WaitForInputIdle(process_.hProcess, 15000);
    ASSERT_TRUE(poll_until(
        [&] {
          target_ = FindWindowA(ft::kWindowClass, token.c_str());
          return target_ != nullptr;
        },
        15000))
        << "the target's window did not appear";
  }
  void TearDown() override {
    rt::seams::forget_told_process_bits();
    if (!process_.hProcess) return;
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 10000);
    CloseHandle(process_.hProcess);
  }
  HWND control(int id) const { return GetDlgItem(target_, id); }
  // The target stops answering for ms milliseconds; sent, so that it is asleep before any
  // later message reaches it.
  void hang(int ms) { SendMessageTimeoutA(target_, ft::kHangMessage, ms, 0, SMTO_BLOCK, 100, nullptr); }
  // A window of this process to compare with (messages to it need no bounds).
  static intptr_t ask(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return SendMessageA(w, msg, wp, lp); }

  PROCESS_INFORMATION process_{};
  HWND target_ = nullptr;
};

string big_table() {
  string t = "名称\t大小\t类型\t\r\n";
  for (int r = 0; r < ft::kBigRows; ++r) {
    string third = r == 1 ? "" : r == 4 ? ft::kLongText().substr(0, 255) : "t" + std::to_string(r);
    t += "项" + std::to_string(r) + "\t" + std::to_string(r * 10) + "\t" + third + "\t\r\n";
  }
  return t;
}

TEST_F(ForeignTest, EachClassIsReadByItsReader) {
  string list_box;
  for (const string& item : ft::list_box_items()) list_box += item + "\r\n";
  const struct {
    int id;
    string expected;
  } cases[] = {
      {ft::kEdit, "单行 edit text"},
      {ft::kEditAnsi, "ANSI 单行"},
      {ft::kLinesEdit, ft::joined_lines()},  // the whole text, however long
      {ft::kLinesEditAnsi, ft::joined_lines()},
      {ft::kRichEdit, "富文本 rich text"},
      {ft::kStatic, "静态文本"},
      {ft::kEmptyStatic, "Static"},                       // no text: the class name
      {ft::kLongStatic, ft::kLongText().substr(0, 255)},  // cut at 255 bytes
      {ft::kButton, "按钮"},
      {ft::kListBox, list_box},  // the 300-byte item whole, the empty item an empty line
      {ft::kEmptyListBox, ""},
      {ft::kComboGap, "A\r\nB\r\n"},
      {ft::kComboTwoGaps, "A\r\n"},
      {ft::kComboBlanks, "A\r\nB\r\n"},
      {ft::kComboLong, "甲\r\n乙\r\n" + ft::kLongText() + "\r\n"},
      {ft::kFakeListBox, ""},  // no count: nothing is asked for ever
      {ft::kStatusBar, read_with_records("第一部分\r\n\r\n" + string(255, 'y') + "\r\n")},
      {ft::kTree, read_with_records(ft::kTreeLines)},
      {ft::kTreeNoClass, read_with_records("")},
      {ft::kListView, read_with_records("N\t\r\nX\tY\t\r\n")},  // titles and rows need not line up
      {ft::kListViewBig, read_with_records(big_table())},
  };
  for (const auto& c : cases) EXPECT_TRUE(same_text(read_window_text_by_class(control(c.id)), c.expected)) << c.id;
}

// The target as a 64-bit program would be (the system's answer told by the test; this prefix
// runs 32-bit programs only): the readers that hand it records in its memory refuse with their
// message and put nothing there; those whose texts the system copies still read.
TEST_F(ForeignTest, AProgramOfTheOtherBitnessGetsNoRecordsOfOurs) {
  DWORD id = 0;
  GetWindowThreadProcessId(target_, &id);
  HWND header = reinterpret_cast<HWND>(ask(control(ft::kListViewBig), LVM_GETHEADER));
  ASSERT_NE(header, nullptr);
  rt::seams::tell_process_bits(id, 64);
  const int requests = rt::seams::process_memory_requests();
  for (HWND refused : {control(ft::kTree), control(ft::kListView), control(ft::kStatusBar), header})
    EXPECT_EQ(read_window_text_by_class(refused), kOtherBitnessRefusal) << refused;
  EXPECT_EQ(read_status_bar_parts(control(ft::kStatusBar)), kOtherBitnessRefusal);
  EXPECT_EQ(read_window_text_by_class(control(ft::kEdit)), "单行 edit text");
  EXPECT_EQ(read_window_text_by_class(control(ft::kComboGap)), "A\r\nB\r\n");
  // The reader classes do not open such a process either, for reading or for writing.
  ForeignTreeView tree;
  ASSERT_EQ(tree.attach_tree_view_mode(control(ft::kTreeWrite), 1), 1);
  EXPECT_EQ(tree.set_tree_item_text(0, "不该写进去"), 0);
  EXPECT_EQ(tree.get_tree_item_text(0), "");
  ForeignListView list;
  EXPECT_EQ(list.open_list_view_process(control(ft::kListView)), nullptr);
  EXPECT_EQ(list.set_list_item_text(0, 0, "不该写进去"), 0);
  EXPECT_EQ(ForeignProcessMemory().open_window_process(target_), nullptr);
  EXPECT_EQ(rt::seams::process_memory_requests(), requests);

  // Told as it is, 32-bit: read again, and nothing was changed meanwhile.
  SKIP_WITHOUT_RECORDS();
  rt::seams::tell_process_bits(id, 32);
  EXPECT_EQ(read_window_text_by_class(control(ft::kTreeWrite)), "X0\r\nX1\r\n");
  EXPECT_EQ(read_window_text_by_class(control(ft::kListView)), "N\t\r\nX\tY\t\r\n");
  EXPECT_GT(rt::seams::process_memory_requests(), requests);
}

TEST_F(ForeignTest, HeadersDropDownListsWindowsAndStaleHandles) {
  HWND header = reinterpret_cast<HWND>(ask(control(ft::kListViewBig), LVM_GETHEADER));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(read_window_text_by_class(header), read_with_records("名称\t大小\t类型\t"));
  // The drop-down list of a combo box (class ComboLBox) is read as a list box.
  std::vector<string> drop_downs;
  EnumThreadWindows(GetWindowThreadProcessId(target_, nullptr), read_drop_down, reinterpret_cast<LPARAM>(&drop_downs));
  EXPECT_NE(std::find(drop_downs.begin(), drop_downs.end(), "A\r\n\r\nB\r\n"), drop_downs.end());
  // A top-level window of no reader's class gives its caption.
  char caption[128] = {};
  GetWindowTextA(target_, caption, sizeof caption);
  EXPECT_EQ(read_window_text_by_class(target_), caption);
  EXPECT_EQ(read_window_text_by_class(nullptr), "");
}

TEST_F(ForeignTest, ListViewWithoutHeaderGivesOneLineEndPerItem) {
  SKIP_WITHOUT_RECORDS();
  ForeignListView list;
  ASSERT_TRUE(list.open_list_view_process(control(ft::kListViewIcon)));
  if (list.get_list_header() != nullptr) GTEST_SKIP() << "this system's icon view keeps a header";
  EXPECT_EQ(list.get_list_column_count(), 0);
  EXPECT_EQ(read_window_text_by_class(control(ft::kListViewIcon)), "\r\n\r\n\r\n");
}

TEST(ForeignReaders, OwnUnicodeEditBoxIsReadWhole) {
  // The hand-over reads an edit box of the running instance: a Unicode box with Chinese text.
  HWND own = CreateWindowExW(0, L"Edit", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
  string idle = "｛[(进程通信编辑框_Kestrune)]｝";
  SetWindowTextW(own, L"｛[(进程通信编辑框_Kestrune)]｝");
  EXPECT_EQ(read_window_text_by_class(own), idle);
  EXPECT_EQ(ForeignEditControl().get_edit_all_text(own), idle);
  DestroyWindow(own);
  EXPECT_EQ(read_window_text_by_class(own), "");  // a stale handle
}

// Wine copies an EM_GETLINE answer between processes wrongly (and can bring the other program
// down), so line texts are read from edit boxes of this process here, as the separator
// command reads its own hidden box; the other operations across processes below.
TEST(ForeignReaders, EditControlLineTexts) {
  ForeignEditControl edit;
  HWND wide = CreateWindowExW(0, L"Edit", L"", WS_POPUP | ES_MULTILINE | ES_AUTOHSCROLL, 0, 0, 200, 100, nullptr,
                              nullptr, nullptr, nullptr);
  HWND ansi = CreateWindowExA(0, "Edit", "", WS_POPUP | ES_MULTILINE | ES_AUTOHSCROLL, 0, 0, 200, 100, nullptr, nullptr,
                              nullptr, nullptr);
  for (HWND w : {wide, ansi}) {
    SendMessageA(w, EM_SETLIMITTEXT, 0, 0);
    edit.set_edit_text(w, ft::joined_lines());
    ASSERT_EQ(edit.get_edit_line_count(w), 4);
    for (int line = 0; line < 4; ++line) EXPECT_TRUE(same_text(edit.get_edit_line_text(w, line), ft::lines()[line]));
    EXPECT_EQ(edit.get_edit_line_text(w, 9), "");
  }
  // A line of 65536 characters or more: the size word holds 16 bits.
  edit.set_edit_text(wide, string(70000, 'a') + "\r\nb");
  EXPECT_EQ(edit.get_edit_line_text(wide, 0).size(), 65535u);
  EXPECT_EQ(edit.get_edit_line_text(wide, 1), "b");
  DestroyWindow(wide);
  DestroyWindow(ansi);
}

TEST_F(ForeignTest, EditControlOfAnotherProgram) {
  ForeignEditControl edit;
  for (int id : {ft::kLinesEdit, ft::kLinesEditAnsi}) {
    HWND w = control(id);
    ASSERT_EQ(edit.get_edit_line_count(w), 4) << id;
    EXPECT_EQ(edit.get_edit_line_length(w, 2), 10000) << id;
    // A line past the last: EM_LINEINDEX answers -1, and EM_LINELENGTH's answer for -1 stands.
    EXPECT_EQ(edit.get_edit_line_length(w, 9), rt::foreign_message(w, EM_LINELENGTH, static_cast<WPARAM>(-1)));
    // No explicit limit (close to 4 GB): the buffer follows the text.
    EXPECT_TRUE(same_text(edit.get_edit_all_text(w), ft::joined_lines())) << id;
  }
  EXPECT_EQ(edit.get_edit_all_text(control(ft::kTrailingEdit)), "text ends in blanks");
  EXPECT_EQ(edit.get_edit_all_text(control(ft::kBlanksEdit)), "");
  EXPECT_EQ(edit.get_edit_all_text(control(ft::kStatic)), "");  // no text limit: not an edit control

  int line = -1, column = -1;
  edit.get_edit_caret_position(control(ft::kCaretEdit), line, column);
  EXPECT_EQ(line, 2);
  EXPECT_EQ(column, 0);
  EXPECT_EQ(edit.get_edit_line_length(control(ft::kCaretEdit), -1), 5);  // the caret's line, "third"

  HWND typing = control(ft::kTypingEdit);
  EXPECT_NE(edit.set_edit_text(typing, repeat(40, "行\r\n") + "末"), 0);
  EXPECT_EQ(edit.get_edit_line_count(typing), 41);
  EXPECT_EQ(edit.get_edit_all_text(typing), repeat(40, "行\r\n") + "末");
  EXPECT_EQ(edit.scroll_edit_line_down(typing), 1);
  EXPECT_EQ(rt::foreign_message(typing, EM_GETFIRSTVISIBLELINE), 1);
  EXPECT_EQ(edit.scroll_edit_line_up(typing), 1);
  EXPECT_EQ(rt::foreign_message(typing, EM_GETFIRSTVISIBLELINE), 0);

  // A caret past 65535 characters keeps its whole position.
  edit.set_edit_text(typing, string(70000, 'a') + "\r\nb");
  rt::foreign_message(typing, EM_SETSEL, 70003, 70003);
  edit.get_edit_caret_position(typing, line, column);
  EXPECT_EQ(line, 1);
  EXPECT_EQ(column, 1);
}

TEST_F(ForeignTest, TypingPostsOneLineBreakPerCrLfAndWholeChineseCharacters) {
  ForeignEditControl edit;
  HWND typing = control(ft::kTypingEdit);
  EXPECT_EQ(edit.type_edit_text(typing, ""), 0);
  EXPECT_EQ(edit.type_edit_text(typing, "ab\r\n中文"), 7);  // a, b, CR, two bytes per character
  EXPECT_TRUE(poll_until([&] { return edit.get_edit_all_text(typing) == "ab\r\n中文"; }, 5000));
  EXPECT_EQ(edit.get_edit_line_count(typing), 2);
  EXPECT_EQ(edit.get_edit_all_text(typing), "ab\r\n中文");
}

TEST_F(ForeignTest, TreeViewAcrossProcesses) {
  SKIP_WITHOUT_RECORDS();
  ForeignTreeView tree;
  EXPECT_EQ(tree.attach_tree_view_mode(control(ft::kTreeNoClass), 1), 0);
  EXPECT_EQ(tree.tree_window(), nullptr);
  ASSERT_EQ(tree.attach_tree_view(control(ft::kTree)), 1);
  ASSERT_EQ(tree.item_handles().size(), 5u);
  EXPECT_EQ(tree.get_tree_item_count(), 5);
  const char* texts[] = {"A", "B", "C", "D", "  pad  "};  // unchanged across processes
  for (int i = 0; i < 5; ++i) EXPECT_EQ(tree.get_tree_item_text(i), texts[i]) << i;
  EXPECT_EQ(tree.get_tree_item_text(5), "");
  EXPECT_EQ(tree.get_tree_parent_index(2), 1);
  EXPECT_EQ(tree.get_tree_parent_index(3), -1);
  EXPECT_EQ(tree.get_tree_item_depth(2), 3);
  EXPECT_EQ(tree.get_tree_item_depth(5), 0);
  EXPECT_EQ(tree.get_tree_item_image(0), 1);
  EXPECT_EQ(tree.get_tree_item_selected_image(0), 2);
  EXPECT_EQ(tree.get_tree_item_data(0), 100u);
  EXPECT_EQ(tree.get_tree_item_image(7), -1);
  EXPECT_EQ(tree.get_tree_item_child_flag(0), 1);
  EXPECT_EQ(tree.get_tree_item_child_flag(3), 0);
  EXPECT_EQ(tree.is_tree_item_expanded(0), 1);
  EXPECT_EQ(tree.is_tree_item_expanded(1), 0);  // collapsed, still walked
  EXPECT_EQ(tree.is_tree_item_expanded(4), 1);  // the last item as the others
  // A and C show state image 2; D shows image 3, which shares its bit but is not "checked".
  EXPECT_EQ(tree.get_checked_tree_items(), (std::vector<int>{1, 3}));
  EXPECT_EQ(tree.is_tree_item_checked(3), 0);
  EXPECT_EQ(tree.find_tree_item_position(tree.item_handles()[2]), 3);
  EXPECT_EQ(tree.find_tree_item_position(12345), 0);
  EXPECT_EQ(tree.select_tree_item(9), 0);
  EXPECT_NE(tree.select_tree_item(3), 0);
  EXPECT_EQ(tree.get_tree_selected_index(), 3);
  EXPECT_EQ(tree.get_tree_first_visible_index(), 0);
  // Full-row selection does not go with lines: refused, the style kept.
  uint32_t style = rt::window_style(control(ft::kTree));
  EXPECT_EQ(tree.set_tree_full_row_select(), 0);
  EXPECT_EQ(rt::window_style(control(ft::kTree)), style);
}

TEST_F(ForeignTest, ATreeWhoseAnswersLoopIsReadOnceAndTheReadEnds) {
  SKIP_WITHOUT_RECORDS();
  // 甲 (乙) answering a count of 0x7FFFFFFF and 乙 as 甲's parent: each item is read once,
  // the climb to the top stops where it would go round, and nothing is asked of the slots the
  // count claims.
  EXPECT_EQ(read_window_text_by_class(control(ft::kTreeLoop)),
            string("　") + ft::kTreeLoopTexts[0] + "\r\n　" + ft::kTreeLoopTexts[1] + "\r\n");
  ForeignTreeView tree;
  ASSERT_EQ(tree.attach_tree_view_mode(control(ft::kTreeLoop), 1), 1);
  EXPECT_EQ(tree.walked_items(), 2);
  EXPECT_EQ(tree.item_handles().size(), static_cast<size_t>(kMaxTreeItems));
  tree.set_tree_auto_refresh(0);
  EXPECT_EQ(tree.get_tree_item_depth(0), 2);
  EXPECT_EQ(tree.get_tree_item_depth(1), 2);
  EXPECT_EQ(tree.get_tree_item_text(1), ft::kTreeLoopTexts[1]);
  EXPECT_TRUE(tree.get_checked_tree_items().empty());
}

TEST_F(ForeignTest, TreeViewChangesAcrossProcesses) {
  SKIP_WITHOUT_RECORDS();
  ForeignTreeView tree;
  ASSERT_EQ(tree.attach_tree_view_mode(control(ft::kTreeWrite), 1), 1);
  EXPECT_EQ(tree.set_tree_item_text(0, "新文本"), 1);
  EXPECT_EQ(tree.get_tree_item_text(0), "新文本");
  EXPECT_EQ(tree.set_tree_item_image(1, 4), 1);
  EXPECT_EQ(tree.get_tree_item_image(1), 4);
  EXPECT_EQ(tree.set_tree_item_data(1, 77), 1);
  EXPECT_EQ(tree.get_tree_item_data(1), 77u);
  EXPECT_EQ(tree.set_tree_item_checked(1), 1);
  EXPECT_EQ(tree.is_tree_item_checked(1), 1);
  EXPECT_EQ(tree.set_tree_item_checked(1, 0), 1);
  EXPECT_EQ(tree.is_tree_item_checked(1), 0);
  EXPECT_EQ(tree.set_tree_item_checked(9), 0);

  std::vector<TreeItemSpec> xyz = {{"X"}, {"Y"}, {"Z"}};
  EXPECT_EQ(tree.insert_tree_items(0, nullptr, &xyz, kInsertFirst), 0);
  std::vector<TreeItemSpec> tail = {{"T1"}, {string(300, 't')}};  // longer than the 260-byte block
  EXPECT_EQ(tree.insert_tree_items(0, nullptr, &tail, kInsertLast), 0);
  TreeItemSpec top{"top", 0, 0, 5};
  tree.refresh_tree_items();
  EXPECT_NE(tree.insert_tree_items(static_cast<int>(tree.item_handles().size()), &top, nullptr, {}, 0), 0);
  EXPECT_EQ(tree.insert_tree_items(0), -1);
  tree.expand_tree_item(0);
  EXPECT_TRUE(same_text(read_window_text_by_class(control(ft::kTreeWrite)),
                        "新文本\r\n　X\r\n　Y\r\n　Z\r\n　T1\r\n　" + string(259, 't') + "\r\nX1\r\ntop\r\n"));
  EXPECT_EQ(tree.get_tree_item_data(7), 5u);

  EXPECT_EQ(tree.delete_tree_item(1), 1);
  EXPECT_EQ(tree.get_tree_item_count(), 7);
  EXPECT_EQ(tree.set_tree_no_scroll(), 1);
  EXPECT_TRUE(rt::window_style(control(ft::kTreeWrite)) & TVS_NOSCROLL);
  EXPECT_EQ(tree.set_tree_no_scroll(0), 0);
  EXPECT_FALSE(rt::window_style(control(ft::kTreeWrite)) & TVS_NOSCROLL);
  tree.delete_all_tree_items();
  EXPECT_EQ(tree.get_tree_item_count(), 0);
}

TEST(ForeignReaders, TreeViewOfThisProcessTrimsTextsAndInsertsInOrder) {
  SKIP_WITHOUT_RECORDS();
  HWND parent = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
  HWND w = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | TVS_CHECKBOXES, 0, 0, 200, 200, parent, nullptr, nullptr,
                           nullptr);
  ForeignTreeView tree;
  ASSERT_EQ(tree.attach_tree_view(w), 1);
  TreeItemSpec root{"  root  ", 1, 2, 9};
  ASSERT_NE(tree.insert_tree_items({}, &root), 0);
  std::vector<TreeItemSpec> xyz = {{"X"}, {"Y"}, {"Z"}};
  tree.insert_tree_items(0, nullptr, &xyz, kInsertLast);
  std::vector<TreeItemSpec> ab = {{"A"}, {"B"}};
  tree.insert_tree_items(0, nullptr, &ab, kInsertFirst);
  const char* texts[] = {"root", "A", "B", "X", "Y", "Z"};  // blanks removed in this process
  ASSERT_EQ(tree.item_handles().size(), 4u);                // A and B show at the next walk
  for (int i = 0; i < 6; ++i) EXPECT_EQ(tree.get_tree_item_text(i), texts[i]) << i;
  EXPECT_EQ(tree.get_tree_item_data(0), 9u);
  EXPECT_EQ(tree.set_tree_item_checked(2), 1);
  EXPECT_EQ(tree.set_tree_item_checked(4), 1);
  EXPECT_EQ(tree.get_checked_tree_items(), (std::vector<int>{3, 5}));
  tree.set_tree_back_colour(0x123456);
  EXPECT_EQ(tree.get_tree_back_colour(), 0x123456u);
  EXPECT_EQ(tree.set_tree_item_text(5, "新"), 1);
  EXPECT_EQ(tree.get_tree_item_text(5), "新");
  // With auto-refresh off the array keeps the last walk.
  tree.set_tree_auto_refresh(0);
  EXPECT_EQ(tree.delete_tree_item(1, 1), 1);
  EXPECT_EQ(tree.get_tree_item_count(), 5);
  EXPECT_EQ(tree.item_handles().size(), 6u);
  EXPECT_EQ(tree.get_tree_item_text(5), "新");
  tree.refresh_tree_items();
  EXPECT_EQ(tree.item_handles().size(), 5u);
  EXPECT_EQ(tree.get_tree_item_text(4), "新");
  DestroyWindow(parent);
}

TEST_F(ForeignTest, ProcessMemoryBlocksOfAnotherProcess) {
  SKIP_WITHOUT_RECORDS();
  ForeignProcessMemory memory;
  EXPECT_EQ(memory.os_kind(), 3);
  rt::ProcessHandle p = memory.open_window_process(control(ft::kTree));
  ASSERT_NE(p, nullptr);
  uintptr_t block = memory.alloc_process_block(p, 260);
  ASSERT_NE(block, 0u);
  EXPECT_EQ(memory.write_process_block(p, block, "hello", 5), 1);
  std::vector<char> back = memory.read_process_block(p, block, 260);
  ASSERT_EQ(back.size(), 260u);
  EXPECT_EQ(string(back.data(), 5), "hello");
  EXPECT_EQ(std::count(back.begin() + 5, back.end(), '\0'), 255);
  EXPECT_TRUE(memory.read_process_block(p, block, 0).empty());
  EXPECT_EQ(memory.free_process_block(p, block), 1);
  EXPECT_TRUE(memory.mapped_blocks().empty());
  memory.close_window_process(p);
}

TEST_F(ForeignTest, ProcessMemoryFileMappingKeepsItsBlocks) {
  ForeignProcessMemory memory(2);  // as on a system without VirtualAllocEx
  rt::ProcessHandle self = memory.open_window_process(control(ft::kTree));
  uintptr_t first = memory.alloc_process_block(self, 100), second = memory.alloc_process_block(self, 100);
  ASSERT_NE(first, 0u);
  ASSERT_NE(second, 0u);
  ASSERT_EQ(memory.mapped_blocks().size(), 2u);
  std::memcpy(reinterpret_cast<void*>(first), "view", 4);  // the view is this process's memory
  EXPECT_EQ(string(memory.read_process_block(GetCurrentProcess(), first, 4).data(), 4), "view");
  EXPECT_EQ(memory.free_process_block(self, first), 1);
  ASSERT_EQ(memory.mapped_blocks().size(), 1u);
  EXPECT_EQ(memory.mapped_blocks()[0].view, second);
  EXPECT_EQ(memory.free_process_block(self, 12345), 0);
  EXPECT_EQ(memory.mapped_blocks().size(), 1u);
  ForeignProcessMemory copy = memory;
  EXPECT_EQ(copy.mapped_blocks().size(), 1u);
  memory.close_window_process(nullptr);
  EXPECT_EQ(memory.mapped_blocks().size(), 1u);
  EXPECT_EQ(memory.free_process_block(self, second), 1);
  memory.close_window_process(self);
  EXPECT_TRUE(memory.mapped_blocks().empty());
}

TEST_F(ForeignTest, ListViewItemsColumnsAndSelection) {
  SKIP_WITHOUT_RECORDS();
  ForeignListView list;
  EXPECT_EQ(list.find_list_item("项4", -1), -2);  // never opened
  HWND big = control(ft::kListViewBig);
  rt::ProcessHandle first = list.open_list_view_process(big);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(list.open_list_view_process(control(ft::kListView)), nullptr);
  EXPECT_EQ(list.process(), first);
  EXPECT_EQ(list.get_list_view_window(), big);

  string cell;
  list.get_list_item_text(4, 2, cell, 256);
  EXPECT_EQ(cell, ft::kLongText().substr(0, 255));
  list.get_list_item_text(1, 2, cell, 256);
  EXPECT_EQ(cell, "");
  list.get_list_item_text(3, 0, cell, 3);  // "项3" cut at 2 bytes: one whole character
  EXPECT_EQ(cell, "项");
  int format = -1;
  list.get_list_column(1, cell, 255, format);
  EXPECT_EQ(cell, "大小");
  EXPECT_EQ(format, LVCFMT_RIGHT);
  list.get_list_column(3, cell, 255, format);
  EXPECT_EQ(cell, "");  // past the last column
  EXPECT_EQ(list.get_list_column_count(), 3);
  EXPECT_EQ(list.get_list_item_count(), ft::kBigRows);

  std::vector<int> selected;
  EXPECT_EQ(list.get_selected_list_items(selected), 3);
  EXPECT_EQ(selected, (std::vector<int>{2, 3, 7}));
  EXPECT_EQ(list.get_first_selected_list_item(), 2);
  EXPECT_EQ(list.get_list_selected_count(), 3);
  // Selecting touches no other state of the item: item 5 keeps its focus.
  EXPECT_NE(list.set_list_item_selected(5, true), 0);
  EXPECT_EQ(list.is_list_item_selected(5), 1);
  EXPECT_EQ(list.is_list_item_focused(5), 1);
  list.set_list_item_selected(-1, false);
  EXPECT_EQ(list.get_list_selected_count(), 0);
  EXPECT_EQ(list.is_list_item_focused(5), 1);

  EXPECT_EQ(list.find_list_item("项4", -1), 4);
  EXPECT_EQ(list.find_list_item("无此项", -1), -1);
  EXPECT_NE(list.set_list_item_text(0, 1, "改过"), 0);
  list.get_list_item_text(0, 1, cell, 256);
  EXPECT_EQ(cell, "改过");

  ItemRectangle rect;
  ASSERT_NE(list.get_list_item_rect(3, rect), 0);
  EXPECT_GT(rect.bottom, rect.top);
  ItemPoint inside{rect.left + 5, (rect.top + rect.bottom) / 2};
  EXPECT_EQ(list.hit_test_list(inside), 3);
  int item = -1, sub_item = -1;
  list.hit_test_list_subitem({inside.x + 50, inside.y}, item, sub_item);  // columns are 50 wide
  EXPECT_EQ(item, 3);
  EXPECT_EQ(sub_item, 1);
  list.set_list_back_colour(0x00FF00);
  EXPECT_EQ(list.get_list_back_colour(), 0x00FF00u);
  EXPECT_EQ(list.close_list_view_process(), 1);
  EXPECT_EQ(list.process(), nullptr);
  EXPECT_EQ(list.get_list_view_window(), nullptr);
  EXPECT_NE(list.reopen_list_view_process(control(ft::kListView)), nullptr);
  EXPECT_EQ(list.get_list_view_window(), control(ft::kListView));
}

TEST_F(ForeignTest, ListViewItemPositionsKeepNegativeCoordinates) {
  SKIP_WITHOUT_RECORDS();
  ForeignListView list;
  ASSERT_TRUE(list.open_list_view_process(control(ft::kListViewIcon)));
  ASSERT_NE(list.set_list_item_position(1, -5, 40), 0);
  ItemPoint at{99, 99};
  ASSERT_NE(list.get_list_item_position(1, at), 0);
  EXPECT_EQ(at.y, 40);  // x + y * 65536 would have made it 39
  EXPECT_EQ(at.x, -5);
}

TEST_F(ForeignTest, HungTargetTimesOutInsteadOfBlocking) {
  hang(6000);
  string text = "untouched";
  long long ms = elapsed_ms([&] { text = read_window_text_by_class(control(ft::kEdit)); });
  EXPECT_EQ(text, "");
  EXPECT_LT(ms, 2500);
  ms = elapsed_ms([&] { text = read_window_text_by_class(control(ft::kStatusBar)); });
  EXPECT_EQ(text, read_with_records(""));
  EXPECT_LT(ms, 2500);
  ms = elapsed_ms([&] { text = ForeignEditControl().get_edit_line_text(control(ft::kLinesEdit), 0); });
  EXPECT_EQ(text, "");
  EXPECT_LT(ms, 3500);
  // Once it answers again, so do the readers.
  EXPECT_TRUE(poll_until([&] { return read_window_text_by_class(control(ft::kEdit)) == "单行 edit text"; }, 12000));
}

TEST_F(ForeignTest, WebPageElementUnderThePointer) {
  HWND browser = control(ft::kBrowser);
  RECT r;
  GetWindowRect(browser, &r);
  // The real pointer, made to stay: a warp undone by the display would leave the page's own
  // record of the pointer elsewhere than where the reader looks.
  ui_test::move_pointer(r.left + 10, r.top + 20);
  POINT at;
  GetCursorPos(&at);
  string x = std::to_string(at.x - r.left), y = std::to_string(at.y - r.top);
  string separator = "\r\n" + repeat(51, "┉") + "\r\n";
  string report = read_window_text_by_class(browser);
  string empty_report =
      "页面地址：" + separator + "元素：" + separator + "标识：" + separator + "相关数据：" + separator + "引用代码：";
  if (report == empty_report) GTEST_SKIP() << "this system cannot hand a document across processes";
  EXPECT_EQ(report, "页面地址：" + string(ft::kBrowserUrl) + separator + "元素：DIV" + separator + "标识：box" +
                        separator + "相关数据：在 " + x + "," + y + separator + "引用代码：<div id=\"box\">在 " + x +
                        "," + y + "</div>");
}

TEST_F(ForeignTest, WebPageOfAHungWindowGivesTheEmptyReport) {
  hang(3000);
  string report;
  long long ms = elapsed_ms([&] { report = read_window_text_by_class(control(ft::kBrowser)); });
  string separator = "\r\n" + repeat(51, "┉") + "\r\n";
  EXPECT_EQ(report, "页面地址：" + separator + "元素：" + separator + "标识：" + separator + "相关数据：" + separator +
                        "引用代码：");
  EXPECT_LT(ms, 2500);
}

}  // namespace
