// The file information window against the real main window and real files under Wine: what
// it shows of pages never saved and of saved files, writing the times and attributes back to
// the file, following the current page, and fills that arrive late.
#include "documents/file_info.h"

#include <windows.h>
// after windows.h
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/shutdown.h"
#include "common/control_routines.h"
#include "common/file_info_art.h"
#include "common/skin_art.h"
#include "common/window_fade.h"
#include "documents/open_files.h"
#include "forms/file_info_window_form.h"
#include "layout_check.h"
#include "options/option_values.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "program_test.h"
#include "runtime/files.h"
#include "runtime/seams.h"
#include "runtime/tooltip.h"
#include "ui_test.h"

namespace {

HWND hw(rt::WindowHandle h) { return static_cast<HWND>(h); }
FileInfoWindowForm& iw() { return file_info_window(); }

// A file time as the window shows it: local, to the second.
struct Local {
  int year, month, day, hour, minute, second;
  bool operator==(const Local&) const = default;
};

FILETIME to_file_time(const Local& l) {
  SYSTEMTIME s{};
  s.wYear = static_cast<WORD>(l.year);
  s.wMonth = static_cast<WORD>(l.month);
  s.wDay = static_cast<WORD>(l.day);
  s.wHour = static_cast<WORD>(l.hour);
  s.wMinute = static_cast<WORD>(l.minute);
  s.wSecond = static_cast<WORD>(l.second);
  FILETIME local, utc;
  SystemTimeToFileTime(&s, &local);
  LocalFileTimeToFileTime(&local, &utc);
  return utc;
}

Local to_local(const FILETIME& utc) {
  FILETIME local;
  SYSTEMTIME s;
  FileTimeToLocalFileTime(&utc, &local);
  FileTimeToSystemTime(&local, &s);
  return {s.wYear, s.wMonth, s.wDay, s.wHour, s.wMinute, s.wSecond};
}

// Creation, last access, last write, read without touching them.
struct Times {
  Local creation, access, write;
};

Times times_of(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA d{};
  EXPECT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d));
  return {to_local(d.ftCreationTime), to_local(d.ftLastAccessTime), to_local(d.ftLastWriteTime)};
}

void set_times(const std::string& path, const Local& access, const Local& write) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  FILETIME a = to_file_time(access), w = to_file_time(write);
  EXPECT_TRUE(SetFileTime(h, nullptr, &a, &w));
  CloseHandle(h);
}

class FileInfoTest : public ProgramTest {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir_ = std::string(temp) + "velmora_info_" + std::to_string(GetTickCount()) + "\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
    ProgramTest::SetUp();
    set_option(&OptionValues::open_in_thread, 0);
  }
  void TearDown() override {
    rt::seams::hold_workers(false);
    rt::seams::record_launches(false);
    iw().destroy();
    ProgramTest::TearDown();
    for (const std::string& name : rt::find_files(dir_ + "*", 0x16)) {
      SetFileAttributesA((dir_ + name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA((dir_ + name).c_str());
    }
    RemoveDirectoryA(dir_.c_str());
  }
  std::string file(const std::string& name, const std::string& bytes) {
    std::string p = dir_ + name;
    EXPECT_TRUE(rt::write_file_safely(p, bytes));
    return p;
  }
  // Opens the file into a page, as the command line does, and makes it current; returns its tab.
  static int open(const std::string& path) {
    set_open_queue({path});
    open_files();
    EXPECT_TRUE(ui_test::wait_for([] { return !open_busy() && open_queue().empty(); }, 20000));
    for (int i = 0; i < page_count(); ++i)
      if (pages()[i].path == path) {
        tabs().set_current(i);
        return i;
      }
    ADD_FAILURE() << "not opened: " << path;
    return -1;
  }
  // Opens the window as the menu does and waits until it is filled and shown.
  static void open_window() {
    open_file_info_window();
    ASSERT_TRUE(ui_test::wait_for(
        [] { return iw().loaded() && !file_info_window_busy() && iw().alpha() == options().window_alpha; }));
    ui_test::settle();
  }
  static int attribute_buttons() {
    rt::GraphicButton* buttons[] = {&iw().超级按钮_只读文件, &iw().超级按钮_隐藏文件, &iw().超级按钮_系统文件属性,
                                    &iw().超级按钮_存档文件属性};
    const int bits[] = {1, 2, 4, 32};
    int on = 0;
    for (int i = 0; i < 4; ++i)
      if (check_button_state(*buttons[i], ButtonOp::Query)) on |= bits[i];
    return on;
  }
  // Types a time into a box and presses Enter there.
  static void enter_time(rt::EditBox& box, const std::string& text) {
    box.set_text(text);
    ui_test::press_key(box, VK_RETURN);
  }

  std::string dir_;
};

TEST_F(FileInfoTest, APageNeverSavedHasNoFile) {
  rt::seams::record_launches(true);
  editor().set_text_color(0x8000);
  editor().set_back_color(0xCFE8CC);
  open_window();
  EXPECT_EQ(iw().caption(), "Velmora_文件信息");
  EXPECT_EQ(GetWindow(hw(iw().handle()), GW_OWNER), hw(w().handle()));
  EXPECT_TRUE(iw().图形按钮_程序图标.normal_picture().same_image(file_info_window_icon_picture()));
  EXPECT_TRUE(iw().图形按钮_关闭小.normal_picture().same_image(close_button_pictures()[0]));
  EXPECT_EQ(iw().编辑框_文件名称.text(), "新建文档 1");
  EXPECT_EQ(iw().编辑框_文件后缀名.text(), "*(后缀名任意)");
  EXPECT_EQ(iw().编辑框_文件路径.text(), "从未保存过！");
  EXPECT_EQ(iw().编辑框_文件大小.text(), "0KB");
  for (rt::EditBox* b : {&iw().编辑框_创建时间, &iw().编辑框_修改时间, &iw().编辑框_访问时间})
    EXPECT_EQ(b->text(), "文件不存在，无法读取……");
  EXPECT_EQ(attribute_buttons(), 0);
  EXPECT_EQ(iw().标签_页面总数.text(), "1篇");
  EXPECT_EQ(iw().标签_当前页面.text(), "1篇");
  EXPECT_EQ(iw().标签_修改状态.text(), "未被修改！");
  EXPECT_EQ(iw().标签_文本颜色.text(), "32768");
  EXPECT_EQ(iw().标签_背景颜色.text(), "13625548");
  rt::Font f = editor().font();
  EXPECT_EQ(iw().标签_字体名称.text(), f.face + "(" + std::to_string(f.size) + ")");
  EXPECT_EQ(rt::tooltip_text(iw().图形按钮_关闭小), "关闭文件信息窗口");
  EXPECT_EQ(rt::tooltip_text(iw().图形按钮_确定), "确定");
  EXPECT_EQ(rt::tooltip_text(iw().编辑框_文件路径), "如果有路径存在的话，回车在资源管理器中打开");
  EXPECT_EQ(rt::tooltip_text(iw().编辑框_修改时间), "支持修改文件的修改时间\r\n修改时间后回车即可修改");

  // Enter in the path box and the attribute buttons reach no file.
  ui_test::press_key(iw().编辑框_文件路径, VK_RETURN);
  ui_test::click(iw().超级按钮_只读文件);
  enter_time(iw().编辑框_修改时间, "2020年1月1日");
  EXPECT_TRUE(rt::seams::launches().empty());
  EXPECT_EQ(attribute_buttons(), 1);  // the button shows the click
  EXPECT_TRUE(rt::find_files(dir_ + "*").empty());

  // A modified page says so.
  ui_test::type_text(editor(), "x");
  fill_file_info_thread();
  ASSERT_TRUE(ui_test::wait_for([] { return iw().标签_修改状态.text() == "已被修改！"; }));
}

TEST_F(FileInfoTest, ASavedFileShowsItsSizeTimesAndAttributes) {
  std::string path = file("说明.txt", std::string(1536, 'a'));
  int tab = open(path);
  // After opening: reading the file may have moved its access time.
  set_times(path, {2021, 2, 3, 4, 5, 6}, {2020, 5, 6, 7, 8, 0});
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  Local creation = times_of(path).creation;
  open_window();
  EXPECT_EQ(iw().编辑框_文件名称.text(), page_name(tab));
  EXPECT_EQ(iw().编辑框_文件名称.text(), "说明");
  EXPECT_EQ(iw().编辑框_文件后缀名.text(), "txt");
  EXPECT_EQ(iw().编辑框_文件路径.text(), path);
  EXPECT_EQ(iw().编辑框_文件大小.text(), "1.5KB (1536字节)");
  EXPECT_EQ(iw().编辑框_修改时间.text(), "2020年5月6日7时8分");
  EXPECT_EQ(iw().编辑框_访问时间.text(), "2021年2月3日4时5分6秒");
  char expected[64];
  snprintf(expected, sizeof expected, "%d年%d月%d日", creation.year, creation.month, creation.day);
  EXPECT_EQ(iw().编辑框_创建时间.text().rfind(expected, 0), 0u) << iw().编辑框_创建时间.text();
  EXPECT_EQ(attribute_buttons(), 2 | 32);
  EXPECT_EQ(iw().标签_页面总数.text(), std::to_string(tabs().count()) + "篇");
  EXPECT_EQ(iw().标签_当前页面.text(), std::to_string(tab + 1) + "篇");

  // Enter in the path box shows the file in Explorer.
  rt::seams::record_launches(true);
  ui_test::press_key(iw().编辑框_文件路径, VK_RETURN);
  ASSERT_EQ(rt::seams::launches().size(), 1u);
  EXPECT_EQ(rt::seams::launches()[0].file, "explorer.exe  /select,\"" + path + "\"");
}

TEST_F(FileInfoTest, AReadOnlyOrBusyFileStillShowsItsTimes) {
  std::string path = file("只读.txt", "abc");
  open(path);
  set_times(path, {2021, 2, 3, 4, 5, 6}, {2020, 5, 6, 7, 8, 9});
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  // Another program holds it open for reading and lets nobody write.
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  open_window();
  EXPECT_EQ(iw().编辑框_修改时间.text(), "2020年5月6日7时8分9秒");
  EXPECT_EQ(iw().编辑框_访问时间.text(), "2021年2月3日4时5分6秒");
  EXPECT_EQ(attribute_buttons() & 1, 1);
  // Its times cannot be written while it is held.
  enter_time(iw().编辑框_修改时间, "2019年1月1日");
  CloseHandle(held);
  Times after = times_of(path);
  EXPECT_EQ(after.write, (Local{2020, 5, 6, 7, 8, 9}));
  EXPECT_EQ(after.access, (Local{2021, 2, 3, 4, 5, 6}));
}

TEST_F(FileInfoTest, AFileWithoutExtension) {
  std::string path = file("README", "text");
  open(path);
  open_window();
  EXPECT_EQ(iw().编辑框_文件后缀名.text(), "无后缀名！");
  EXPECT_EQ(iw().编辑框_文件路径.text(), path);
  EXPECT_EQ(iw().编辑框_文件大小.text(), "0.004KB (4字节)");
}

TEST_F(FileInfoTest, EnterWritesThatOneTimeAndKeepsTheOtherTwo) {
  std::string path = file("时间.txt", "abc");
  open(path);
  set_times(path, {2021, 2, 3, 4, 5, 6}, {2020, 5, 6, 7, 8, 9});
  open_window();
  Times before = times_of(path);
  // Wine's file systems keep no creation time of their own: it follows the last write there.
  bool own_creation = before.creation != before.write;

  enter_time(iw().编辑框_修改时间, "2018年7月8日9时10分11秒");
  Times t = times_of(path);
  EXPECT_EQ(t.write, (Local{2018, 7, 8, 9, 10, 11}));
  EXPECT_EQ(t.access, before.access);
  if (own_creation) {
    EXPECT_EQ(t.creation, before.creation);
  }
  // The boxes are not refilled.
  EXPECT_EQ(iw().编辑框_修改时间.text(), "2018年7月8日9时10分11秒");

  enter_time(iw().编辑框_访问时间, "2017-01-02 03:04");
  t = times_of(path);
  EXPECT_EQ(t.access, (Local{2017, 1, 2, 3, 4, 0}));
  EXPECT_EQ(t.write, (Local{2018, 7, 8, 9, 10, 11}));
  if (own_creation) {
    EXPECT_EQ(t.creation, before.creation);
  }

  enter_time(iw().编辑框_创建时间, "2016年1月1日");
  t = times_of(path);
  EXPECT_EQ(t.access, (Local{2017, 1, 2, 3, 4, 0}));
  EXPECT_EQ(t.write, (Local{2018, 7, 8, 9, 10, 11}));
  if (own_creation) {
    EXPECT_EQ(t.creation, (Local{2016, 1, 1, 0, 0, 0}));
  }

  // A text that is no date writes nothing.
  for (const char* text : {"明天", "2019年2月30日", "", "1600年1月1日"}) {
    SCOPED_TRACE(text);
    enter_time(iw().编辑框_修改时间, text);
    Times now = times_of(path);
    EXPECT_EQ(now.write, t.write);
    EXPECT_EQ(now.access, t.access);
    EXPECT_EQ(now.creation, t.creation);
  }
  // Other keys only type.
  ui_test::type_text(iw().编辑框_访问时间, "9");
  EXPECT_EQ(times_of(path).access, t.access);
}

TEST_F(FileInfoTest, TheAttributeButtonsWriteTheAttributes) {
  std::string path = file("属性.txt", "abc");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
  open(path);
  open_window();
  ASSERT_EQ(attribute_buttons(), 32);
  auto attributes = [&] { return static_cast<int>(GetFileAttributesA(path.c_str())) & 0x27; };
  ui_test::click(iw().超级按钮_只读文件);
  EXPECT_EQ(attributes(), 1 | 32);
  ui_test::click(iw().超级按钮_隐藏文件);
  ui_test::click(iw().超级按钮_系统文件属性);
  EXPECT_EQ(attributes(), 1 | 2 | 4 | 32);
  EXPECT_EQ(attribute_buttons(), 1 | 2 | 4 | 32);
  ui_test::click(iw().超级按钮_只读文件);
  ui_test::click(iw().超级按钮_隐藏文件);
  EXPECT_EQ(attributes(), 4 | 32);
  ui_test::click(iw().超级按钮_系统文件属性);
  EXPECT_EQ(attributes(), 32);
  // A refill shows what the file has.
  fill_file_info_thread();
  ASSERT_TRUE(ui_test::wait_for([] { return !file_info_window_busy(); }));
  EXPECT_EQ(attribute_buttons(), 32);
}

TEST_F(FileInfoTest, ThePageNumbersSkipThePlaceholder) {
  std::string name;
  create_page(name);
  create_page(name);
  tabs().set_current(0);
  close_page_at(0);
  ASSERT_EQ(tab0_placeholder(), 1);
  tabs().set_current(1);
  open_window();
  EXPECT_EQ(iw().标签_页面总数.text(), "2篇");
  EXPECT_EQ(iw().标签_当前页面.text(), "1篇");
  tabs().set_current(2);
  ASSERT_TRUE(ui_test::wait_for([] { return iw().标签_当前页面.text() == "2篇"; }));
}

TEST_F(FileInfoTest, SwitchingTabsRefillsTheWindow) {
  std::string a = file("甲.txt", "12345"), b = file("乙.log", std::string(2048, 'b'));
  int ta = open(a), tb = open(b);
  tabs().set_current(ta);
  open_window();
  ASSERT_EQ(iw().编辑框_文件路径.text(), a);
  tabs().set_current(tb);
  ASSERT_TRUE(ui_test::wait_for([&] { return iw().编辑框_文件路径.text() == b && !file_info_window_busy(); }));
  EXPECT_EQ(iw().编辑框_文件名称.text(), "乙");
  EXPECT_EQ(iw().编辑框_文件后缀名.text(), "log");
  EXPECT_EQ(iw().编辑框_文件大小.text(), "2KB (2048字节)");
  EXPECT_EQ(iw().标签_当前页面.text(), std::to_string(tb + 1) + "篇");
}

TEST_F(FileInfoTest, AFillAskedForDuringAFillFollowsItOnce) {
  std::string a = file("一.txt", "1"), b = file("二.txt", "22"), c = file("三.txt", "333");
  int ta = open(a), tb = open(b), tc = open(c);
  tabs().set_current(ta);
  rt::seams::hold_workers(true);
  open_file_info_window();
  ASSERT_EQ(rt::seams::held_worker_count(), 1);
  ui_test::settle(100);
  EXPECT_TRUE(file_info_window_busy());
  EXPECT_TRUE(iw().图形按钮_关闭小.disabled());
  EXPECT_TRUE(iw().图形按钮_确定.disabled());
  // Nothing closes the window while it is filled.
  ui_test::click(iw().图形按钮_确定);
  close_file_info_window();
  iw().close();
  EXPECT_TRUE(iw().loaded());
  tabs().set_current(tb);
  tabs().set_current(tc);
  EXPECT_EQ(rt::seams::held_worker_count(), 1);  // no second fill beside the first

  ASSERT_TRUE(rt::seams::release_held_worker());
  ASSERT_TRUE(ui_test::wait_for([&] { return iw().编辑框_文件路径.text() == a; }));
  // The one fill that follows, for the page now current.
  ASSERT_TRUE(ui_test::wait_for([] { return rt::seams::held_worker_count() == 1; }));
  EXPECT_TRUE(file_info_window_busy());
  ASSERT_TRUE(rt::seams::release_held_worker());
  ASSERT_TRUE(ui_test::wait_for([] { return !file_info_window_busy(); }));
  EXPECT_EQ(iw().编辑框_文件路径.text(), c);
  EXPECT_EQ(iw().编辑框_文件大小.text(), "0.003KB (3字节)");
  EXPECT_EQ(rt::seams::held_worker_count(), 0);
  EXPECT_FALSE(iw().图形按钮_关闭小.disabled());
  ui_test::click(iw().图形按钮_确定);
  EXPECT_FALSE(iw().loaded());
}

TEST_F(FileInfoTest, AFillForAClosedWindowIsDropped) {
  std::string a = file("旧.txt", "1"), b = file("新.txt", "22");
  int ta = open(a), tb = open(b);
  tabs().set_current(ta);
  rt::seams::hold_workers(true);
  open_file_info_window();
  iw().destroy();  // as when the main window goes
  tabs().set_current(tb);
  open_file_info_window();
  ASSERT_EQ(rt::seams::held_worker_count(), 2);
  ASSERT_TRUE(rt::seams::release_held_worker());  // the first window's fill
  ui_test::settle(300);
  EXPECT_EQ(iw().编辑框_文件路径.text(), "");
  EXPECT_TRUE(file_info_window_busy());
  ASSERT_TRUE(rt::seams::release_held_worker());
  ASSERT_TRUE(ui_test::wait_for([] { return !file_info_window_busy(); }));
  EXPECT_EQ(iw().编辑框_文件路径.text(), b);
}

TEST_F(FileInfoTest, ClosingAndShutdown) {
  open_window();
  ui_test::click(iw().图形按钮_关闭小);
  EXPECT_FALSE(iw().loaded());
  // Switching pages with the window closed starts no fill.
  rt::seams::hold_workers(true);
  std::string name;
  create_page(name);
  EXPECT_EQ(rt::seams::held_worker_count(), 0);
  rt::seams::hold_workers(false);
  open_window();
  release_main_window();
  EXPECT_FALSE(iw().visible() && iw().alpha() > 0);
}

TEST_F(FileInfoTest, TheOkButtonIsFreeOfTheLabelsAndAClickAnywhereOnItCloses) {
  std::string path = file("一个名字相当长的文档用来看字体名称.txt", "x");
  open(path);
  open_window();
  rt::GraphicButton& ok = iw().图形按钮_确定;
  HWND button = static_cast<HWND>(ok.handle());
  RECT r{};
  GetWindowRect(button, &r);
  // Every pixel of the button takes the mouse, not a label lying over it.
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) ASSERT_EQ(WindowFromPoint({x, y}), button) << x - r.left << "," << y - r.top;
  // The value labels end inside the window, clear of its frame.
  for (rt::Label* value : {&iw().标签_字体名称, &iw().标签_当前页面, &iw().标签_背景颜色})
    EXPECT_LE(value->left() + value->width(), iw().width() - 2);
  ui_test::click_with_pointer(ok);
  EXPECT_TRUE(ui_test::wait_for([] { return !iw().loaded(); }));
}

TEST_F(FileInfoTest, Screenshot) {
  std::string path = file("示例文档.txt", std::string(3000, 'x'));
  open(path);
  set_times(path, {2024, 6, 1, 9, 30, 15}, {2024, 5, 20, 18, 45, 0});
  open_window();
  ui_test::screenshot("file_info_window");
  EXPECT_TRUE(ui_test::layout_is_sound(iw()));
}

}  // namespace
