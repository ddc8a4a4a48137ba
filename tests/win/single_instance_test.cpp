// One instance at a time, with two real processes: this test program runs the program's own
// start-up and is the running instance; the program's file started again is the second
// instance, which hands its files (or a request to come forward) over and ends. Every wait is
// bounded and a second instance still running at the end of a test is ended.
#include "app/single_instance.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/hand_over_rules.h"
#include "app/shutdown.h"
#include "documents/open_files.h"
#include "foreign/text_reader.h"
#include "options/option_values.h"
#include "pages/closing.h"
#include "pages/page_model.h"
#include "foreign_target_process.h"
#include "options/config.h"
#include "pages/page_store.h"
#include "program_test.h"
#include "runtime/files.h"
#include "runtime/strings.h"
#include "ui_test.h"

namespace {

rt::EditBox& box() { return main_window().编辑框_进程通信; }
const std::string kIdle = kHandOverIdleText;
const std::string kFocus = kHandOverFocusRequest;

class HandOverTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    dir_ = std::string(temp) + "velmora_交接_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
  }
  void TearDown() override {
    for (HANDLE p : started_) {
      if (WaitForSingleObject(p, 0) != WAIT_OBJECT_0) TerminateProcess(p, 1);
      WaitForSingleObject(p, 10000);
      CloseHandle(p);
    }
    ProgramTest::TearDown();
    for (const std::string& n : rt::find_files(dir_ + "*")) rt::delete_file(dir_ + n);
    RemoveDirectoryA(dir_.c_str());
  }
  std::string file(const std::string& name, const std::string& bytes) {
    std::string p = dir_ + name;
    EXPECT_TRUE(rt::write_file_safely(p, bytes));
    return p;
  }
  // Starts the program's file with these arguments in the folder (the test's own when empty).
  HANDLE start_second(const std::vector<std::string>& args, const std::string& folder = {}) {
    std::string command = "\"" + rt::program_directory() + "Velmora.exe\"";
    for (const std::string& a : args) command += " \"" + a + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
      ADD_FAILURE() << "cannot start " << command;
      return nullptr;
    }
    CloseHandle(pi.hThread);
    started_.push_back(pi.hProcess);
    return pi.hProcess;
  }
  // A second start while this process answers as the running instance: its exit code once it
  // has ended, -1 when it is still running after the time.
  int run_second(const std::vector<std::string>& args, const std::string& folder = {}) {
    HANDLE p = start_second(args, folder);
    if (!p) return -1;
    if (!ui_test::wait_for([p] { return WaitForSingleObject(p, 0) == WAIT_OBJECT_0; }, 30000)) return -1;
    DWORD code = 0;
    GetExitCodeProcess(p, &code);
    return static_cast<int>(code);
  }
  static bool page_open(const std::string& path) {
    for (const PageRecord& p : pages())
      if (p.path == path) return true;
    return false;
  }
  // The poll of the running instance held, as during an open run: requests wait in the box.
  static void hold_poll() { main_window().时钟_监视程序.set_interval(0); }
  static void resume_poll() { main_window().时钟_监视程序.set_interval(kHandOverPollMs); }

  std::string dir_;
  std::vector<HANDLE> started_;
};

TEST_F(HandOverTest, TheStartMakesThisTheRunningInstance) {
  EXPECT_EQ(open_instance_event(kInstanceEventName), 1);
  EXPECT_NE(instance_event(), nullptr);
  EXPECT_EQ(box().text(), kIdle);
  EXPECT_EQ(config_read("程序设置", "进程通信钥匙"), std::to_string(reinterpret_cast<uintptr_t>(box().handle())));
  EXPECT_EQ(main_window().时钟_监视程序.interval(), 500);
  // The shutdown gives both back: the next start is the running instance.
  release_main_window();
  EXPECT_EQ(main_window().时钟_监视程序.interval(), 0);  // no request is taken any more
  EXPECT_EQ(open_instance_event(kInstanceEventName), 0);
  EXPECT_EQ(instance_event(), nullptr);
  EXPECT_EQ(config_read("程序设置", "进程通信钥匙"), "");
}

TEST_F(HandOverTest, FilesOfASecondStartOpenAsPagesHere) {
  std::string a = file("甲.txt", "第一个"), b = file("b.txt", "second");
  for (int threaded : {1, 0}) {
    SCOPED_TRACE(threaded);
    set_option(&OptionValues::open_in_thread, threaded);
    remove_all_pages();
    main_window().minimize();
    ASSERT_EQ(run_second({a, b}), 0);
    ASSERT_TRUE(ui_test::wait_for([&] { return tabs().count() == 2 && page_open(b) && !open_busy(); }));
    // The untouched new page takes the first file, the second gets a tab of its own.
    EXPECT_EQ(pages()[0].path, a);
    EXPECT_EQ(pages()[0].modified, 0);
    EXPECT_EQ(pages()[1].path, b);
    EXPECT_EQ(box().text(), kIdle);
    EXPECT_TRUE(ui_test::wait_for([] { return !main_window().minimized(); }));
  }
}

TEST_F(HandOverTest, ARelativePathIsHandedOverAsTheFileOfTheSecondStartsFolder) {
  std::string a = file("rel.txt", "relative");
  ASSERT_EQ(run_second({"rel.txt"}, dir_), 0);
  EXPECT_TRUE(ui_test::wait_for([&] { return page_open(a) && !open_busy(); }));
}

// A file named with characters code page 936 lacks, on the command line of a second start (the
// file manager's double click): the start reads its command line in UTF-16 and hands the name
// over whole, and it opens here.
TEST_F(HandOverTest, ANameOutsideCodePage936IsHandedOverWhole) {
  const std::wstring name = L"\uD55C\uAD6D\uC5B4 \U0001F600 Stra\u00DFe.txt";
  const std::string path = dir_ + rt::to_gbk(name);
  ASSERT_TRUE(rt::write_file_safely(path, "handed over"));
  std::wstring command = L"\"" + rt::to_wide(rt::program_directory()) + L"Velmora.exe\" \"" + rt::to_wide(dir_) + name + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  CloseHandle(pi.hThread);
  started_.push_back(pi.hProcess);
  ASSERT_TRUE(ui_test::wait_for([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 30000));
  ASSERT_TRUE(ui_test::wait_for([&] { return page_open(path) && !open_busy(); }));
  EXPECT_EQ(page_content(0), "handed over");
  EXPECT_EQ(rt::to_wide(tabs().caption(0)), name.substr(0, 3));  // the name's first 12 bytes
}

TEST_F(HandOverTest, AStartWithoutFilesOnlyBringsTheWindowForward) {
  editor().set_text("unchanged");
  main_window().minimize();
  ASSERT_TRUE(main_window().minimized());
  ASSERT_EQ(run_second({}), 0);
  EXPECT_TRUE(ui_test::wait_for([] { return !main_window().minimized() && box().text() == kIdle; }));
  EXPECT_TRUE(editor().has_focus());
  EXPECT_EQ(tabs().count(), 1);
  EXPECT_EQ(editor().text(), "unchanged");
  EXPECT_TRUE(open_queue().empty());
}

TEST_F(HandOverTest, RequestsWaitingInTheBoxAreNotLost) {
  std::string a = file("a.txt", "A"), b = file("b.txt", "B"), c = file("c.txt", "C");
  hold_poll();
  // A focus request goes to an idle box; a list then replaces it.
  ASSERT_EQ(run_second({}), 0);
  EXPECT_EQ(box().text(), kFocus);
  ASSERT_EQ(run_second({a}), 0);
  EXPECT_EQ(box().text(), a + "|");
  // No focus request over an unread list; two starts within one poll append their lists.
  ASSERT_EQ(run_second({}), 0);
  EXPECT_EQ(box().text(), a + "|");
  ASSERT_EQ(run_second({b, c}), 0);
  EXPECT_EQ(box().text(), a + "|" + b + "|" + c + "|");
  resume_poll();
  EXPECT_TRUE(ui_test::wait_for([&] { return page_open(a) && page_open(b) && page_open(c) && !open_busy(); }));
  EXPECT_EQ(box().text(), kIdle);
}

TEST_F(HandOverTest, AStoredHandleOfAnotherProgramsBoxIsNotWrittenTo) {
  ForeignTargetProcess other;
  ASSERT_TRUE(other.start());
  HWND decoy = other.control(foreign_target::kTypingEdit);
  std::string a = file("a.txt", "A");
  const std::string keys[] = {std::to_string(reinterpret_cast<uintptr_t>(decoy)), "not a number", "12345"};
  for (const std::string& key : keys) {
    SCOPED_TRACE(key);
    config_write("程序设置", "进程通信钥匙", key);
    ASSERT_EQ(run_second({a}), 0);
    // The search found this instance's box instead.
    EXPECT_TRUE(ui_test::wait_for([&] { return page_open(a) && !open_busy(); }));
    EXPECT_EQ(read_window_text_by_class(decoy), "");
    remove_all_pages();
    ASSERT_FALSE(page_open(a));
  }
}

TEST_F(HandOverTest, AHungRunningInstanceDoesNotHoldTheSecondStart) {
  std::string a = file("a.txt", "A");
  HANDLE p = start_second({a});
  ASSERT_NE(p, nullptr);
  // This process answers no message meanwhile.
  DWORD start = GetTickCount();
  ASSERT_EQ(WaitForSingleObject(p, 30000), WAIT_OBJECT_0) << "the second start waits for an instance that hangs";
  DWORD took = GetTickCount() - start;
  DWORD code = 1;
  GetExitCodeProcess(p, &code);
  EXPECT_EQ(code, 0u);
  EXPECT_LT(took, 20000u);
  std::printf("a second start gave up on a hung instance after %lu ms\n", static_cast<unsigned long>(took));
  ui_test::settle(1500);
  EXPECT_EQ(box().text(), kIdle);
  EXPECT_FALSE(page_open(a));
}

// A file name whose last character is a byte escape ends in a lead byte alone, which the "|"
// after it would complete to 亅. The system gets such a name as its lone surrogate (U+DC81):
// Windows keeps such names, Wine refuses them, and there the file after it still opens.
TEST_F(HandOverTest, APathEndingInALeadByteAloneStaysApartFromTheNext) {
  std::string lone = dir_ + "d\x81", b = file("b.txt", "B");
  const bool made = static_cast<bool>(rt::write_file_safely(lone, "D"));
  if (!made) ui_test::answer_message_boxes({0});  // the run tells of the file it could not read
  box().set_text(hand_over_list({lone, b}));
  EXPECT_TRUE(ui_test::wait_for([&] { return page_open(lone) == made && page_open(b) && !open_busy(); }));
  EXPECT_EQ(box().text(), kIdle);
  ui_test::answer_message_boxes({});
}

TEST_F(HandOverTest, ThePollLeavesTheBoxUnreadWhileAnOpenRunIsBusy) {
  std::string a = file("a.txt", "A");
  set_open_busy(true);
  box().set_text(a + "|");
  ui_test::settle(1200);
  EXPECT_EQ(box().text(), a + "|");
  EXPECT_FALSE(page_open(a));
  set_open_busy(false);
  EXPECT_TRUE(ui_test::wait_for([&] { return page_open(a) && box().text() == kIdle && !open_busy(); }));
}

}  // namespace
