// Saving never damages a file: the runtime's safe write and the program's saves under the faults
// a user meets (a full disk, a read-only, hidden or held file, a missing folder, a process ended
// in the middle of a save), against real files under Wine. The full disk is a 2 MB drive that
// scripts/small-drive.sh maps for the run and names in VELMORA_SMALL_DRIVE.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "documents/open_files.h"
#include "documents/save_files.h"
#include "options/option_values.h"
#include "pages/page_model.h"
#include "program_test.h"
#include "recorded_boxes.h"
#include "runtime/app.h"
#include "runtime/files.h"
#include "safe_save_helper.h"
#include "ui_test.h"

namespace {

std::string bytes_of(const std::string& path) { return rt::read_file(path).value_or("<missing>"); }

// A text of about n bytes, as a user's file holds it.
std::string gbk_text(size_t n, const std::string& line) {
  std::string s;
  while (s.size() < n) s += line;
  return s;
}

void remove_tree(const std::string& dir) {
  for (const rt::FoundEntry& e : rt::find_entries(dir + "*")) {
    std::string p = dir + e.name;
    SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (e.attributes & FILE_ATTRIBUTE_DIRECTORY)
      remove_tree(p + "\\");
    else
      DeleteFileA(p.c_str());
  }
  RemoveDirectoryA(dir.c_str());
}

std::string new_temp_folder(const std::string& name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  static int made = 0;
  std::string dir = std::string(temp) + name + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++made) + "\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

// The files a safe write left in a folder.
std::vector<rt::FoundEntry> leftovers(const std::string& dir) {
  std::vector<rt::FoundEntry> found;
  for (const rt::FoundEntry& e : rt::find_entries(dir + "*"))
    if (e.name.rfind(std::string(rt::kSafeWritePrefix), 0) == 0) found.push_back(e);
  return found;
}

// Every name in a folder, in order: what a failed write must leave as it was, whoever named the
// files it made (the system's replacement makes some of its own).
std::vector<std::string> names_in_folder(const std::string& dir) {
  std::vector<std::string> names;
  for (const rt::FoundEntry& e : rt::find_entries(dir + "*")) names.push_back(e.name);
  std::sort(names.begin(), names.end());
  return names;
}

// The attribute bits a test compares (Wine may add "normal" to a file without any).
int attributes_of(const std::string& path) {
  int a = rt::file_attributes(path);
  return a < 0 ? a : a & ~FILE_ATTRIBUTE_NORMAL;
}

long long free_bytes(const std::string& drive) {
  ULARGE_INTEGER free{};
  return GetDiskFreeSpaceExA(drive.c_str(), &free, nullptr, nullptr) ? static_cast<long long>(free.QuadPart) : -1;
}

// The small drive of the run ("T:\"), or "" when the run has none.
std::string small_drive() {
  const char* d = std::getenv("VELMORA_SMALL_DRIVE");
  return d && *d && rt::is_directory(d) ? std::string(d) : std::string();
}

// The old file on the small drive: 1.5 MB of its 2, so that none of the new texts fits beside
// it. The room left.
long long put_old_file(const std::string& drive, const std::string& path, std::string& old) {
  old = gbk_text(1536 * 1024, "旧的文字 old text\r\n");
  EXPECT_TRUE(rt::write_file_safely(path, old));
  long long room = free_bytes(drive);
  EXPECT_GT(room, 0);
  EXPECT_LT(room, 1 << 20);
  return room;
}

#define REQUIRE_SMALL_DRIVE(drive)                                                                     \
  const std::string drive = small_drive();                                                            \
  if (drive.empty())                                                                                  \
  GTEST_SKIP() << "no small drive: these cases run through scripts/small-drive.sh (ctest does), which " \
                  "needs to mount a tmpfs"

class SafeWriteTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = new_temp_folder("velmora_safe_"); }
  void TearDown() override { remove_tree(dir_); }
  std::string dir_;
};

TEST_F(SafeWriteTest, TheNewBytesTakeTheTargetsPlaceWithItsAttributes) {
  struct Case {
    const char* name;
    int before;  // -1: no file yet
    int after;
  };
  const Case cases[] = {
      {"new.txt", -1, FILE_ATTRIBUTE_ARCHIVE},
      {"plain.txt", FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_ARCHIVE},
      {"hidden.txt", FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE},
      {"system.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM,
       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE},
      // A trail byte 0x5C in the name is no separator: the new file is made in the same folder.
      {"乗誠.txt", FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_ARCHIVE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = dir_ + c.name;
    if (c.before >= 0) {
      ASSERT_TRUE(rt::write_file_safely(path, "old bytes"));
      ASSERT_TRUE(rt::set_file_attributes(path, c.before));
    }
    rt::WriteResult r = rt::write_file_safely(path, "新的内容\r\n");
    EXPECT_TRUE(r);
    EXPECT_EQ(r.failed, rt::WriteStep::None);
    EXPECT_EQ(bytes_of(path), "新的内容\r\n");
    EXPECT_EQ(attributes_of(path), c.after);
  }
  EXPECT_TRUE(leftovers(dir_).empty());
  // An empty text empties the file.
  ASSERT_TRUE(rt::write_file_safely(dir_ + "plain.txt", ""));
  EXPECT_EQ(rt::file_size(dir_ + "plain.txt"), 0);
}

TEST_F(SafeWriteTest, AFailureSaysWhichStepFailedAndLeavesTheTargetAsItWas) {
  enum Fault { kReadOnly, kFolder, kMissingFolder, kHeld, kHeldForReading };
  struct Case {
    const char* what;
    Fault fault;
    rt::WriteStep step;
  };
  const Case cases[] = {
      {"read-only", kReadOnly, rt::WriteStep::Target},
      {"a folder", kFolder, rt::WriteStep::Target},
      {"in a missing folder", kMissingFolder, rt::WriteStep::Create},
      {"held without sharing", kHeld, rt::WriteStep::Replace},
      {"held by a reader that lets others read", kHeldForReading, rt::WriteStep::Replace},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string path = dir_ + "target.txt";
    HANDLE held = INVALID_HANDLE_VALUE;
    switch (c.fault) {
      case kReadOnly:
        ASSERT_TRUE(rt::write_file_safely(path, "old bytes"));
        ASSERT_TRUE(rt::set_file_attributes(path, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
        break;
      case kFolder:
        path = dir_ + "folder.txt";
        ASSERT_TRUE(rt::create_directories(path));
        break;
      case kMissingFolder:
        path = dir_ + "没有的目录\\target.txt";
        break;
      case kHeld:
      case kHeldForReading:
        ASSERT_TRUE(rt::write_file_safely(path, "old bytes"));
        break;
    }
    std::string before = bytes_of(path);
    int attributes = attributes_of(path);
    if (c.fault == kHeld || c.fault == kHeldForReading) {
      held = CreateFileA(path.c_str(), GENERIC_READ, c.fault == kHeld ? 0 : FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                         nullptr);
      ASSERT_NE(held, INVALID_HANDLE_VALUE);
    }
    std::vector<std::string> present = names_in_folder(dir_);
    rt::WriteResult r = rt::write_file_safely(path, "new bytes");
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.failed, c.step);
    EXPECT_NE(r.error, 0u);
    EXPECT_EQ(bytes_of(path), before);
    EXPECT_EQ(attributes_of(path), attributes);
    EXPECT_FALSE(rt::file_exists(dir_ + "没有的目录"));
    EXPECT_EQ(names_in_folder(dir_), present);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
  }
}

TEST_F(SafeWriteTest, AFileHeldByAReaderThatAllowsEverythingIsReplacedAndKeepsItsAttributes) {
  // A viewer or an indexer that lets others write and delete: a rename cannot replace the open
  // file, the system's replacement can.
  std::string path = dir_ + "viewed.log";
  ASSERT_TRUE(rt::write_file_safely(path, "old bytes"));
  ASSERT_TRUE(rt::set_file_attributes(path, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  rt::WriteResult r = rt::write_file_safely(path, "new bytes");
  CloseHandle(held);
  EXPECT_TRUE(r) << static_cast<int>(r.failed) << " " << r.error;
  EXPECT_EQ(bytes_of(path), "new bytes");
  EXPECT_EQ(attributes_of(path), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_TRUE(leftovers(dir_).empty());
}

TEST(SafeWriteOnASmallDrive, AFullDiskKeepsTheOldFileAndGivesItsRoomBack) {
  REQUIRE_SMALL_DRIVE(drive);
  std::string path = drive + "full.txt", old;
  long long room = put_old_file(drive, path, old);
  // More than the whole drive holds: an in-place write would have cut the file at the full disk.
  rt::WriteResult r = rt::write_file_safely(path, std::string(3 << 20, 'n'));
  EXPECT_FALSE(r);
  EXPECT_EQ(r.failed, rt::WriteStep::Write);
  EXPECT_TRUE(r.error == ERROR_DISK_FULL || r.error == ERROR_HANDLE_DISK_FULL) << r.error;
  EXPECT_TRUE(bytes_of(path) == old);
  EXPECT_TRUE(leftovers(drive).empty());
  EXPECT_EQ(free_bytes(drive), room);
  // What fits beside the old file is written.
  ASSERT_TRUE(rt::write_file_safely(path, "short"));
  EXPECT_EQ(bytes_of(path), "short");
  DeleteFileA(path.c_str());
}

TEST(SafeWriteOnASmallDrive, AWriteThroughALinkReplacesTheLinkedFileAndKeepsTheLink) {
  REQUIRE_SMALL_DRIVE(drive);
  std::string linked = drive + "links\\linked.txt", link = drive + "links\\link.txt";
  ASSERT_TRUE(rt::write_file_safely(linked, "old bytes"));
  ASSERT_EQ(bytes_of(link), "old bytes") << "the script makes links\\link.txt a link to linked.txt";
  ASSERT_TRUE(rt::write_file_safely(link, "new bytes"));
  EXPECT_EQ(bytes_of(linked), "new bytes");
  ASSERT_TRUE(rt::file_identity(link));
  EXPECT_EQ(rt::file_identity(link), rt::file_identity(linked));
  EXPECT_TRUE(leftovers(drive + "links\\").empty());
  DeleteFileA(linked.c_str());
}

// The helper program saving over a file, ended (as by the task manager or a power cut) when the
// test says.
class SavingProcess {
 public:
  bool start(const std::string& target, int megabytes) {
    std::string command = "\"" + rt::program_directory() + safe_save_helper::kProgram + "\" \"" + target + "\" " +
                          std::to_string(megabytes);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi_))
      return false;
    CloseHandle(pi_.hThread);
    return true;
  }
  bool running() const { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }
  void kill() {
    TerminateProcess(pi_.hProcess, 9);
    WaitForSingleObject(pi_.hProcess, 10000);
  }
  // The exit code once ended (bounded wait).
  DWORD wait() {
    WaitForSingleObject(pi_.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    return code;
  }
  ~SavingProcess() {
    if (!pi_.hProcess) return;
    if (running()) kill();
    CloseHandle(pi_.hProcess);
  }

 private:
  PROCESS_INFORMATION pi_{};
};

TEST_F(SafeWriteTest, AProcessEndedDuringA50MegabyteSaveLeavesTheOldOrTheNewFileAndNoPage) {
  const int megabytes = 50;
  const std::string target = dir_ + "大文件.txt";
  const std::string old = gbk_text(1 << 20, "旧的文字 old text\r\n");
  const std::string fresh = safe_save_helper::new_bytes(megabytes);
  // The moment of the end: once the new file beside the target has that many bytes, or that
  // many milliseconds after the start. Before the new file is whole the old one must be there.
  struct Moment {
    const char* what;
    long long new_file_bytes;
    int after_ms;
    bool old_certain;
  };
  const Moment moments[] = {
      {"at once", -1, 0, false},
      {"after 5 ms", -1, 5, false},
      {"with 16 MB written", 16 << 20, 0, true},
      {"with 32 MB written", 32 << 20, 0, true},
      {"after 60 ms", -1, 60, false},
      {"with all of it written", 50 << 20, 0, false},
      {"after 150 ms", -1, 150, false},
      {"after 400 ms", -1, 400, false},
  };
  int ended_with_old = 0;
  for (const Moment& m : moments) {
    SCOPED_TRACE(m.what);
    ASSERT_TRUE(rt::write_file_safely(target, old));
    SavingProcess saving;
    ASSERT_TRUE(saving.start(target, megabytes)) << "the helper program " << safe_save_helper::kProgram;
    if (m.new_file_bytes >= 0) {
      auto grown = [&] {
        for (const rt::FoundEntry& e : leftovers(dir_))
          if (rt::file_size(dir_ + e.name) >= m.new_file_bytes) return true;
        return false;
      };
      for (DWORD start = GetTickCount(); !grown() && saving.running() && GetTickCount() - start < 30000;) Sleep(1);
      if (m.old_certain) ASSERT_TRUE(saving.running()) << "the save ended before the moment came";
    } else if (m.after_ms > 0) {
      Sleep(m.after_ms);
    }
    saving.kill();
    std::string now = bytes_of(target);
    bool is_old = now == old, is_new = now == fresh;
    EXPECT_TRUE(is_old || is_new) << now.size() << " bytes, neither the old file nor the new one";
    if (m.old_certain) EXPECT_TRUE(is_old);
    ended_with_old += is_old;
    // What a killed save leaves beside the file is hidden and of its own name, so the program
    // lists and opens none of it.
    for (const rt::FoundEntry& e : leftovers(dir_)) EXPECT_TRUE(e.attributes & FILE_ATTRIBUTE_HIDDEN) << e.name;
    EXPECT_EQ(folder_files(dir_, "*"), std::vector<std::string>{target});
    for (const rt::FoundEntry& e : leftovers(dir_)) {
      SetFileAttributesA((dir_ + e.name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA((dir_ + e.name).c_str());
    }
  }
  EXPECT_GE(ended_with_old, 2);  // the ends did come in the middle of saves
  // Left to its end, the save writes the new file and leaves nothing beside it.
  SavingProcess saving;
  ASSERT_TRUE(saving.start(target, megabytes));
  EXPECT_EQ(saving.wait(), 0u);
  EXPECT_TRUE(bytes_of(target) == fresh);
  EXPECT_TRUE(leftovers(dir_).empty());
}

// ---- The program's saves ----

class SafeSaveTest : public ProgramTest {
 protected:
  void SetUp() override {
    dir_ = new_temp_folder("velmora_saves_");
    ProgramTest::SetUp();
    set_option(&OptionValues::open_in_thread, 0);
  }
  void TearDown() override {
    rt::seams::set_modal_hook(nullptr);
    ProgramTest::TearDown();
    remove_tree(dir_);
  }
  // Opens the file into a page and gives it the text as the user's edit; the page's tab.
  static int open_and_edit(const std::string& path, const std::string& text) {
    set_open_queue({path});
    open_files();
    EXPECT_TRUE(ui_test::wait_for([] { return !open_busy() && open_queue().empty(); }, 20000));
    int tab = tabs().current();
    EXPECT_EQ(pages()[tab].path, path);
    editor().set_text(text);
    EXPECT_EQ(pages()[tab].modified, 1);
    return tab;
  }
  static void auto_save() {
    w().时钟_滚动标签.set_interval(60000);
    scroll_or_autosave_tick();
  }
  std::string dir_;
  std::vector<RecordedBox> boxes_;
};

TEST_F(SafeSaveTest, OnAFullDiskSavingForcingAndAutoSavingKeepTheOldFileAndThePageModified) {
  REQUIRE_SMALL_DRIVE(drive);
  std::string path = drive + "满.txt", old;
  long long room = put_old_file(drive, path, old);
  int tab = open_and_edit(path, gbk_text(3 << 20, "新的文字 new text\r\n"));
  auto unchanged = [&] {
    EXPECT_TRUE(bytes_of(path) == old);
    EXPECT_EQ(pages()[tab].modified, 1);
    EXPECT_TRUE(leftovers(drive).empty());
    EXPECT_EQ(free_bytes(drive), room);
  };
  // Declined: nothing more.
  record_message_boxes(&boxes_, {kBoxCancel});
  EXPECT_FALSE(save_page(tab));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].title, "保存文件失败，请确定文件的可写性！");
  unchanged();
  // Forced: the backup finds no room either, and the failure is told.
  boxes_.clear();
  record_message_boxes(&boxes_, {kBoxOk, kBoxOk});
  EXPECT_FALSE(save_page(tab));
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[1].title, "强制保存文件失败！");
  EXPECT_FALSE(rt::file_exists(drive + "满.BAK"));
  unchanged();
  // Auto-save: silent, and the edits are still to be saved.
  boxes_.clear();
  auto_save();
  EXPECT_TRUE(boxes_.empty());
  unchanged();
  DeleteFileA(path.c_str());
}

TEST_F(SafeSaveTest, AReadOnlyHiddenFileIsWrittenOnlyByTheForcedSaveAndStaysHidden) {
  std::string path = dir_ + "只读.txt";
  ASSERT_TRUE(rt::write_file_safely(path, "old contents"));
  ASSERT_TRUE(rt::set_file_attributes(path, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  int tab = open_and_edit(path, "new contents");
  // Neither auto-save nor a declined save touches it.
  record_message_boxes(&boxes_, {kBoxCancel});
  auto_save();
  EXPECT_TRUE(boxes_.empty());
  EXPECT_FALSE(save_page(tab));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(bytes_of(path), "old contents");
  EXPECT_EQ(attributes_of(path), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(pages()[tab].modified, 1);
  // Forced: the read-only mark goes, the old file is the backup, the hidden mark stays.
  boxes_.clear();
  record_message_boxes(&boxes_, {kBoxOk, kBoxOk});
  EXPECT_TRUE(save_page(tab));
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[1].title, "强制保存文件成功！");
  EXPECT_NE(boxes_[1].text.find("并且在保存目录成功备份原文件！"), std::string::npos);
  EXPECT_EQ(bytes_of(path), "new contents");
  EXPECT_EQ(bytes_of(dir_ + "只读.BAK"), "old contents");
  EXPECT_EQ(attributes_of(path), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(pages()[tab].modified, 0);
  EXPECT_TRUE(leftovers(dir_).empty());
}

}  // namespace
