// Opening and saving files, against the real main window and real files under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <new>

#include "app/drops.h"
#include "app/globals.h"
#include "app/mini_mode.h"
#include "common/window_fade.h"
#include "documents/open_files.h"
#include "documents/open_limits.h"
#include "documents/save_files.h"
#include "forms/main_window_form.h"
#include "common/message_box_form.h"
#include "forms/mini_window_form.h"
#include "options/config.h"
#include "options/option_values.h"
#include "pages/page_display.h"
#include "pages/tab_commands.h"
#include "pages/page_model.h"
#include "program_test.h"
#include "recorded_boxes.h"
#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/page_text.h"
#include "runtime/seams.h"
#include "runtime/strings.h"
#include "ui_test.h"

namespace {


std::string bytes_of(const std::string& path) { return rt::read_file(path).value_or("<missing>"); }

// The edit box's text as the control holds it, in UTF-16.
std::wstring shown_text() {
  HWND h = static_cast<HWND>(editor().handle());
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring as_wide(const std::u16string& units) { return std::wstring(units.begin(), units.end()); }

class DocumentsTest : public ProgramTest {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir_ = std::string(temp) + "velmora_docs_" + std::to_string(GetTickCount()) + "\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
    ProgramTest::SetUp();
    set_option(&OptionValues::open_in_thread, 0);
  }
  void TearDown() override {
    ui_test::answer_message_boxes({});
    ProgramTest::TearDown();
    remove_tree(dir_);
  }
  static void remove_tree(const std::string& d) {
    for (const std::string& name : rt::find_files(d + "*", 0x16)) {
      std::string p = d + name;
      if (rt::is_directory(p)) {
        remove_tree(p + "\\");
      } else {
        rt::set_file_attributes(p, 0);
        rt::delete_file(p);
      }
    }
    RemoveDirectoryW(rt::to_wide(d).c_str());
  }
  std::string file(const std::string& name, const std::string& bytes) {
    std::string p = dir_ + name;
    EXPECT_TRUE(rt::write_file_safely(p, bytes));
    return p;
  }
  // A file of zeros of any size that takes no room on the disk.
  std::string sparse_file(const std::string& name, long long size) {
    std::string p = dir_ + name;
    HANDLE h = CreateFileA(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = size;
    EXPECT_TRUE(h != INVALID_HANDLE_VALUE && SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && SetEndOfFile(h));
    CloseHandle(h);
    return p;
  }
  // Opens the paths as the command line or a drop does, and waits for the run to end.
  static void open(std::vector<std::string> paths) {
    set_open_queue(std::move(paths));
    open_files();
    ASSERT_TRUE(ui_test::wait_for([] { return !open_busy() && open_queue().empty(); }, 20000));
  }
  std::string dir_;
};

TEST_F(DocumentsTest, AGbkFileOpenedAndSavedIsByteIdentical) {
  const std::string gbk = "第一行：中文和English\r\n乗誠亅\\|\r\n最后一行没有换行";
  for (int detect : {0, 1}) {
    SCOPED_TRACE(detect);
    set_option(&OptionValues::detect_encoding, detect);
    std::string path = file("原文" + std::to_string(detect) + ".txt", gbk);
    open({path});
    int tab = tabs().count() - 1;
    EXPECT_EQ(page_content(tab), gbk);
    EXPECT_EQ(pages()[tab].modified, 0);
    EXPECT_EQ(pages()[tab].path, path);
    EXPECT_TRUE(save_page(tab));
    EXPECT_EQ(bytes_of(path), gbk);
  }
}

TEST_F(DocumentsTest, FilesWithMarksBecomeGbkTextWhenDetectionIsOn) {
  const std::string gbk = "汉字与ASCII混排";
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"utf8.txt", "\xEF\xBB\xBF" + rt::convert_encoding(gbk, "GBK", "UTF-8")},
      {"utf16le.txt", "\xFF\xFE" + rt::convert_encoding(gbk, "GBK", "UTF-16LE")},
      {"utf16be.txt", "\xFE\xFF" + rt::convert_encoding(gbk, "GBK", "UTF-16BE")},
  };
  set_option(&OptionValues::detect_encoding, 1);
  for (const Case& c : cases) {
    open({file(c.name, c.bytes)});
    EXPECT_EQ(page_content(tabs().count() - 1), gbk) << c.name;
  }
  // Without detection the bytes are taken as they are: UTF-16 text ends at its first zero byte.
  set_option(&OptionValues::detect_encoding, 0);
  open({file("raw16.txt", cases[1].bytes)});
  EXPECT_EQ(page_content(tabs().count() - 1), cases[1].bytes.substr(0, cases[1].bytes.find('\0')));
  open({file("raw8.txt", cases[0].bytes)});
  EXPECT_EQ(page_content(tabs().count() - 1), cases[0].bytes);
}

TEST_F(DocumentsTest, CharactersOutsideGbkShowAndSurviveTheSave) {
  // The euro sign (GBK's single byte 80), CJK extension B, an emoji and a tag character.
  const std::wstring chars = L"\u20AC \U00020000 \U0001F600 \U000E0041 中文";
  std::string utf8 = rt::convert_encoding(std::string(reinterpret_cast<const char*>(chars.data()), chars.size() * 2),
                                          "UTF-16LE", "UTF-8");
  set_option(&OptionValues::detect_encoding, 1);
  std::string path = file("外字.txt", "\xEF\xBB\xBF" + utf8);
  open({path});
  int tab = tabs().current();
  EXPECT_EQ(shown_text(), chars);
  EXPECT_EQ(editor().text_length(), static_cast<int>(chars.size()));
  // Saved as the page's own text, which gives every character back when opened again.
  ui_test::type_text(editor(), "A");
  ASSERT_TRUE(save_page(tab));
  std::string saved = bytes_of(path);
  EXPECT_EQ(as_wide(rt::page_text_to_utf16(saved)), L"A" + chars);
  EXPECT_EQ(saved, "A\x80 \x95\x32\x82\x36 \x94\x39\xFC\x36 \xD3\x36\x9C\x33 中文");
  set_option(&OptionValues::detect_encoding, 0);
  open({file("again.txt", saved)});
  tabs().set_current(tabs().count() - 1);
  EXPECT_EQ(pages()[tabs().current()].path, dir_ + "again.txt");
  EXPECT_EQ(shown_text(), L"A" + chars);
}

TEST_F(DocumentsTest, ADamagedOrForeignFileKeepsEveryByteItsUserDidNotTouch) {
  // Latin-1 text, lead bytes without their trails, FF, a code page 936 private-use cell and a
  // four-byte code that is no character here, around a GBK line.
  const std::string damaged = "caf\xE9 na\xEFve \xFC\r\n\x81 \xFF\xAA\xA1\x83\x36\xC7\x39\r\n中文一行\r\nend\xD6";
  for (int detect : {0, 1}) {
    SCOPED_TRACE(detect);
    set_option(&OptionValues::detect_encoding, detect);
    std::string path = file("damaged" + std::to_string(detect) + ".txt", damaged);
    open({path});
    int tab = tabs().count() - 1;
    tabs().set_current(tab);
    EXPECT_EQ(page_content(tab), damaged);
    editor().select(0, 0);
    ui_test::type_text(editor(), "新的开头：");
    ASSERT_TRUE(save_page(tab));
    EXPECT_EQ(bytes_of(path), "新的开头：" + damaged);
  }
}

TEST_F(DocumentsTest, AFileCutAtAZeroByteIsWrittenOverOnlyOnAnExplicitYes) {
  const std::string on_disk("head\0tail", 9);
  std::string path = file("zero.txt", on_disk);
  open({path});
  int tab = tabs().current();
  EXPECT_EQ(page_content(tab), "head");
  ui_test::type_text(editor(), "new ");
  std::vector<RecordedBox> boxes;
  // No, and a close without any button: nothing is written, the page stays modified.
  record_message_boxes(&boxes, {kBoxNo});
  EXPECT_FALSE(save_page(tab));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "文件没有完整打开！");
  EXPECT_EQ(boxes[0].buttons, (std::vector<int>{kBoxYes, kBoxNo}));
  EXPECT_EQ(boxes[0].icon, 48);
  rt::seams::set_modal_hook([](rt::Window&) { close_message_box(); });
  EXPECT_FALSE(save_page(tab));
  rt::seams::set_modal_hook(nullptr);
  EXPECT_EQ(bytes_of(path), on_disk);
  EXPECT_EQ(pages()[tab].modified, 1);
  // Auto-save never writes it, and asks nothing.
  boxes.clear();
  record_message_boxes(&boxes, {});
  w().时钟_滚动标签.set_interval(60000);
  scroll_or_autosave_tick();
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(bytes_of(path), on_disk);
  EXPECT_EQ(pages()[tab].modified, 1);
  // Save all asks the same question for it.
  record_message_boxes(&boxes, {kBoxYes, kBoxNo});
  confirm_save_all();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].title, "文件没有完整打开！");
  EXPECT_EQ(bytes_of(path), on_disk);
  // Save As to another file leaves this one whole and asks nothing; the page then is that file.
  boxes.clear();
  std::string copy = dir_ + "copy.txt";
  rt::seams::script_dialog({rt::seams::DialogKind::Save, true, {copy}});
  EXPECT_TRUE(save_page_as(tab));
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(bytes_of(copy), "new head");
  EXPECT_EQ(bytes_of(path), on_disk);
  // Yes writes: the page is that file's whole text from then on.
  open({path});
  tab = tabs().count() - 1;
  tabs().set_current(tab);
  ui_test::type_text(editor(), "yes ");
  record_message_boxes(&boxes, {kBoxYes});
  EXPECT_TRUE(save_page(tab));
  EXPECT_EQ(bytes_of(path), "yes head");
  EXPECT_EQ(pages()[tab].modified, 0);
  boxes.clear();
  ui_test::type_text(editor(), "again ");
  EXPECT_TRUE(save_page(tab));
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(bytes_of(path), "again yes head");
}

TEST_F(DocumentsTest, APageThatLostCharactersInTheEditBoxIsSavedOnlyOnYes) {
  std::string path = file("half.txt", "text");
  open({path});
  int tab = tabs().current();
  // Half of an emoji is left, as after deleting the other half, and the user types on: no
  // text can keep that half.
  SetWindowTextW(static_cast<HWND>(editor().handle()),
                 L"a\xD83D"
                 L"b");
  editor().select(3, 0);
  ui_test::type_text(editor(), "c");
  ASSERT_EQ(shown_text(), std::wstring(L"a\xD83D"
                                       L"bc"));
  std::vector<RecordedBox> boxes;
  record_message_boxes(&boxes, {kBoxNo});
  EXPECT_FALSE(save_page(tab));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "部分字符无法保存！");
  EXPECT_EQ(bytes_of(path), "text");
  EXPECT_EQ(pages()[tab].modified, 1);
  // Switching pages keeps the loss with the page.
  open({file("other.txt", "o")});
  tabs().set_current(tabs().count() - 1);
  tabs().set_current(tab);
  w().时钟_滚动标签.set_interval(60000);
  scroll_or_autosave_tick();
  EXPECT_EQ(bytes_of(path), "text");
  boxes.clear();
  record_message_boxes(&boxes, {kBoxYes});
  EXPECT_TRUE(save_page(tab));
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(bytes_of(path),
            "a\x84\x31\xA4\x37"
            "bc");  // U+FFFD stands for the lost half
}

TEST_F(DocumentsTest, TheFirstFileFillsTheUntouchedNewPage) {
  open({file("a.txt", "AAA"), file("b.txt", "BBB")});
  ASSERT_EQ(tabs().count(), 2);
  EXPECT_EQ(tabs().caption(0), "a");
  EXPECT_EQ(page_content(0), "AAA");
  EXPECT_EQ(pages()[0].modified, 0);
  EXPECT_EQ(tabs().caption(1), "b");
  // A page with text is not reused.
  tabs().set_current(1);
  open({file("c.txt", "CCC")});
  EXPECT_EQ(tabs().count(), 3);
}

TEST_F(DocumentsTest, DoubleOpeningSelectsTheOpenPage) {
  set_option(&OptionValues::prevent_double_open, 1);
  std::string a = file("a.txt", "A"), longer = file("a.txt.BAK", "old");
  open({longer});
  open({a});  // not taken for open because a longer path that begins with it is
  ASSERT_EQ(tabs().count(), 2);
  open({file("x.txt", "X")});
  tabs().set_current(2);
  open({a});
  EXPECT_EQ(tabs().count(), 3);
  EXPECT_EQ(tabs().current(), 1);
  EXPECT_EQ(open_paths(), longer + "|" + a + "|" + dir_ + "x.txt|");
}

TEST_F(DocumentsTest, AFolderOpensItsTextFilesAfterTheOthers) {
  std::string folder = dir_ + "文件夹";
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "\\sub").c_str(), nullptr);
  file("文件夹\\one.txt", "1");
  file("文件夹\\two.txt", "2");
  file("文件夹\\skip.log", "x");
  file("文件夹\\sub\\deep.txt", "d");
  open({folder, file("first.txt", "F")});
  std::vector<std::string> captions;
  for (int i = 0; i < tabs().count(); ++i) captions.push_back(tabs().caption(i));
  // The folder's files come after the other file: the first of them fills the new page, which
  // the folder itself could not.
  EXPECT_EQ(captions, (std::vector<std::string>{"one", "first", "two"}));
}

// A file larger than a page can be is refused before it is read, and said so at the end of the
// run; the other files of the run open, the first of them in the untouched new page.
TEST_F(DocumentsTest, AFileTooLargeToOpenIsToldAndTheOthersOpen) {
  const std::string over = sparse_file("大文件.log", kLargestOpenedFile + 1);
  const std::string huge = sparse_file("巨大的文件.log", 3ll << 30);  // past what 32 bits count
  const std::string at_limit = sparse_file("正好.log", kLargestOpenedFile);
  const std::string small = file("小.txt", "小文件");
  for (int threaded : {0, 1}) {
    SCOPED_TRACE(threaded ? "on a worker" : "directly");
    while (tabs().count() > 1) close_page_at(tabs().count() - 1);
    close_page_at(0);
    set_option(&OptionValues::open_in_thread, threaded);
    std::vector<RecordedBox> boxes;
    record_message_boxes(&boxes, {kBoxOk});
    open({over, small, huge, at_limit});
    rt::seams::set_modal_hook(nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "文件太大，无法打开！");
    EXPECT_EQ(boxes[0].text, "  以下文件超过了本程序能打开的大小(128MB)，没有打开：\r\n  " + over + "\r\n  " + huge);
    EXPECT_EQ(boxes[0].icon, 48);
    ASSERT_EQ(tabs().count(), 2);
    EXPECT_EQ(pages()[0].path, small);
    EXPECT_EQ(page_content(0), "小文件");
    EXPECT_EQ(pages()[1].path, at_limit);  // its zeros end its text at once
    EXPECT_FALSE(open_busy());
    EXPECT_TRUE(drops_accepted());
  }
}

// Memory that runs out in a handler of the program's window: told in the program's own box;
// the program goes on, and the page keeps every byte.
TEST_F(DocumentsTest, RunningOutOfMemoryInAHandlerIsToldAndThePageGoesOn) {
  open({file("页.txt", "原来的文字")});
  auto keys = editor().on_key_down;
  editor().on_key_down = [](int, int) -> bool { throw std::bad_alloc(); };
  std::vector<RecordedBox> boxes;
  record_message_boxes(&boxes, {kBoxOk});
  ui_test::press_key(editor(), VK_F2);
  ASSERT_TRUE(ui_test::wait_for([&] { return boxes.size() == 1; }));
  rt::seams::set_modal_hook(nullptr);
  EXPECT_EQ(boxes[0].title, "内存不足！");
  EXPECT_EQ(boxes[0].icon, 16);
  EXPECT_EQ(boxes[0].owner, w().handle());
  editor().on_key_down = keys;
  editor().select(0, 0);
  ui_test::type_text(editor(), "新");
  EXPECT_EQ(page_content(0), "新原来的文字");
  EXPECT_TRUE(save_page(0));
  EXPECT_EQ(bytes_of(dir_ + "页.txt"), "新原来的文字");
}

TEST_F(DocumentsTest, ThreadedAndDirectOpensGiveTheSamePages) {
  std::vector<std::string> paths = {file("1.txt", "一"), file("2.txt", "二"), dir_ + "missing.txt",
                                    file("3.txt", "三")};
  std::vector<std::pair<std::string, std::string>> seen[2];
  for (int threaded : {0, 1}) {
    while (tabs().count() > 1) close_page_at(tabs().count() - 1);
    close_page_at(0);
    set_option(&OptionValues::open_in_thread, threaded);
    open(paths);
    for (int i = 0; i < tabs().count(); ++i) seen[threaded].push_back({tabs().caption(i), page_content(i)});
  }
  EXPECT_EQ(seen[0], seen[1]);
  EXPECT_EQ(seen[0].size(), 3u);
}

// A threaded run reads its files on a worker, held back here until the user has acted: the
// untouched new page takes the first file only when it is still that page, untouched and
// current, when the file arrives.
TEST_F(DocumentsTest, AHeldRunFillsTheNewPageOnlyWhileItIsStillUntouchedAndCurrent) {
  struct Case {
    const char* name;
    std::function<void()> meanwhile;
    bool filled;  // the file went into the new page
    std::string new_page_text;
  };
  const Case cases[] = {
      {"nothing happens", [] {}, true, "文件内容"},
      {"text typed", [] { ui_test::type_text(editor(), "打字"); }, false, "打字"},
      {"text dropped", [] { ASSERT_TRUE(rt::seams::drop_text(editor(), "拖入")); }, false, "拖入"},
      {"switched to tab 0", [] { tabs().set_current(0); }, false, ""},
      {"switched away and back", [] { tabs().set_current(0), tabs().set_current(1); }, true, "文件内容"},
      {"renamed",
       [] {
         rt::seams::set_modal_hook([](rt::Window&) {
           message_box_form().编辑框_输入类容.set_text("新建文档 改名");
           ui_test::click(*message_box_form().answer_button(0));
         });
         rename_current_tab();
         rt::seams::set_modal_hook(nullptr);
       },
       false, ""},
      {"closed", [] { close_page_at(1); }, false, ""},
  };
  const std::string path = file("到达.txt", "文件内容");
  set_option(&OptionValues::open_in_thread, 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    while (tabs().count() > 1) close_page_at(tabs().count() - 1);
    close_page_at(0);
    editor().set_text("第一页");  // tab 0 is in use: the new page is tab 1
    new_page_command();
    const int blank = page_id(1);
    rt::seams::hold_workers(true);
    set_open_queue({path});
    open_files();
    ASSERT_TRUE(open_busy());
    c.meanwhile();
    rt::seams::hold_workers(false);
    ASSERT_TRUE(ui_test::wait_for([] { return !open_busy(); }, 20000));
    EXPECT_EQ(page_content(0), "第一页");
    int last = tabs().count() - 1;
    EXPECT_EQ(tabs().caption(last), "到达");
    EXPECT_EQ(page_content(last), "文件内容");
    EXPECT_EQ(pages()[last].modified, 0);
    if (c.filled) {
      EXPECT_EQ(tabs().count(), 2);
      EXPECT_EQ(page_id(1), blank);
    } else if (find_page_by_id(blank) >= 0) {
      // The new page keeps what it was given, and the file has a page of its own.
      int i = find_page_by_id(blank);
      EXPECT_EQ(i, 1);
      EXPECT_EQ(tabs().count(), 3);
      EXPECT_EQ(page_content(i), c.new_page_text);
      EXPECT_TRUE(pages()[i].path.empty());
    } else {
      EXPECT_EQ(tabs().count(), 2);
    }
  }
}

// What a test's own timer sees while the program runs, also inside the program's start and its
// fades, which the test cannot step out of.
std::function<void()> g_look;
void CALLBACK look(HWND, UINT, UINT_PTR, DWORD) {
  if (g_look) g_look();
}

// A large file opened with fading on: where its page comes while the main window fades in (named
// on the command line of a start, a double click on it in the file manager, or dropped on the
// mini bar), and from the open dialog of a window that stands. From the page's first screen on
// the page editor has the keyboard focus, also after a click into the text, and the window stays
// where it is; a key pressed at the first screen lands at the caret, with the rest of the page.
TEST_F(DocumentsTest, ALargeFileOpenedWhileTheWindowFadesInTakesTheKeysOfItsFirstScreen) {
  std::string big;
  for (int i = 0; big.size() < (10u << 20); ++i) big += "第" + std::to_string(i) + "行，一个很大的文件里的一行中文文字。\r\n";
  const std::string path = file("大文件.txt", big);
  const std::wstring wide = rt::to_wide(big);
  enum class From { CommandLine, MiniBar, OpenDialog };
  struct Case {
    const char* name;
    From from;
    bool click;
  };
  const Case cases[] = {
      {"named at the start, a key at once", From::CommandLine, false},
      {"named at the start, a click into the text, then a key", From::CommandLine, true},
      {"dropped on the mini bar, a click into the text, then a key", From::MiniBar, true},
      {"chosen in the open dialog (Ctrl+O), a click into the text, then a key", From::OpenDialog, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProgramTest::TearDown();
    WritePrivateProfileStringA("程序设置", "环境监测优化完毕", "真", config_file().c_str());
    init_globals();
    rt::seams::set_command_line(c.from == From::CommandLine ? std::vector<std::string>{path}
                                                            : std::vector<std::string>{});
    bool shown = false, focused_at_first = false, focused_after_click = false, focus_kept = true, moved = false;
    int left = 0, caret = -1;
    g_look = [&] {
      if (!w().loaded()) return;
      if (shown) {
        moved = moved || w().left() != left;
        focus_kept = focus_kept && editor().has_focus();
        return;
      }
      if (!editor().handing_over()) return;
      shown = true;  // the first screen
      left = w().left();
      focused_at_first = editor().has_focus();
      if (c.click) {
        ui_test::click_with_pointer(editor());
        focused_after_click = editor().has_focus();
      }
      caret = editor().selection_start();
      ui_test::key_from_keyboard('K');
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 5, look);
    ASSERT_TRUE(w().load());
    EXPECT_TRUE(options().fade_enabled);
    if (c.from == From::MiniBar) {
      ASSERT_TRUE(ui_test::wait_for([] { return editor().has_focus(); }));
      enter_mini_mode();
      ASSERT_TRUE(
          ui_test::wait_for([] { return mini_window().loaded() && mini_window().alpha() == options().window_alpha; }));
      ASSERT_TRUE(rt::seams::drop_files(mini_window(), {path}));
    } else if (c.from == From::OpenDialog) {
      ASSERT_TRUE(ui_test::wait_for([] { return w().alpha() == options().window_alpha && editor().has_focus(); }));
      rt::seams::script_dialog({rt::seams::DialogKind::Open, true, {path}});
      ui_test::key_from_keyboard('O', rt::kCtrl);
    }
    ASSERT_TRUE(ui_test::wait_for([&] { return shown && !open_busy() && !editor().handing_over(); }, 60000));
    ui_test::settle(300);
    KillTimer(nullptr, timer);
    g_look = nullptr;
    EXPECT_TRUE(focused_at_first);
    if (c.click) {
      EXPECT_TRUE(focused_after_click);
    }
    EXPECT_TRUE(focus_kept);
    EXPECT_FALSE(moved);
    ASSERT_EQ(tabs().count(), 1);
    ASSERT_GE(caret, 0);
    std::wstring typed = wide;
    typed.insert(static_cast<size_t>(caret), L"k");
    const std::string text = page_content(0), expected = rt::to_gbk(typed);
    EXPECT_EQ(text.size(), expected.size());
    EXPECT_TRUE(text == expected) << "differs from byte "
                                  << std::mismatch(text.begin(), text.end(), expected.begin(), expected.end()).first -
                                         text.begin();
    EXPECT_EQ(pages()[0].modified, 1);
  }
}

TEST_F(DocumentsTest, ManyFilesAreOpenedOnlyAfterTheQuestion) {
  std::vector<std::string> paths(500, file("same.txt", "s"));
  int asked = 0;
  ui_test::answer_message_boxes({1}, &asked);  // Cancel
  set_open_queue(paths);
  open_files();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(open_queue().empty());
  EXPECT_EQ(tabs().count(), 1);
  EXPECT_EQ(page_content(0), "");
  asked = 0;
  paths.pop_back();  // 499: no question
  ui_test::answer_message_boxes({1}, &asked);
  open(paths);
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(tabs().count(), 499);
}

TEST_F(DocumentsTest, UnreadableAndUndecodableFilesNeverBecomeEmptyPages) {
  std::string locked = file("locked.txt", "secret text");
  HANDLE h = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);  // no sharing
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  open({locked, dir_ + "no such folder\\x.txt"});
  CloseHandle(h);
  EXPECT_EQ(tabs().count(), 1);
  EXPECT_EQ(pages()[0].path, "");  // the new page stays as it was
  // A file that fails every decoding opens as its raw text.
  set_option(&OptionValues::detect_encoding, 1);
  std::string bad = "\xEF\xBB\xD6\xD0\xCE\xC4";  // EF BB, then GBK that is not UTF-8
  open({file("bad.txt", bad)});
  EXPECT_EQ(page_content(tabs().count() - 1), bad);
  EXPECT_TRUE(save_page(tabs().count() - 1));
  EXPECT_EQ(bytes_of(dir_ + "bad.txt"), bad);
  EXPECT_EQ(bytes_of(locked), "secret text");
}

// A file another program holds without sharing cannot be written.
HANDLE hold(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

TEST_F(DocumentsTest, AFailedSaveIsForcedOnlyWhenAskedAndBacksTheFileUpBesideIt) {
  std::string path = file("只读.txt", "old contents");
  open({path});
  int tab = tabs().current();
  ui_test::type_text(editor(), "new ");
  HANDLE h = hold(path);
  // Cancel: nothing changes.
  ui_test::answer_message_boxes({1});
  EXPECT_FALSE(save_page(tab));
  EXPECT_EQ(pages()[tab].modified, 1);
  // OK: the other program lets go meanwhile; the old file is kept as the backup and the new
  // text is written.
  int boxes = 0;
  rt::seams::set_modal_hook([&](rt::Window&) {
    if (++boxes == 1) CloseHandle(h);
    ui_test::click(*message_box_form().answer_button(0));
  });
  EXPECT_TRUE(save_page(tab));
  rt::seams::set_modal_hook(nullptr);
  EXPECT_EQ(boxes, 2);  // the question and the success
  EXPECT_EQ(bytes_of(path), "new old contents");
  EXPECT_EQ(bytes_of(dir_ + "只读.BAK"), "old contents");
  EXPECT_EQ(pages()[tab].modified, 0);
}

TEST_F(DocumentsTest, AFailedForcedSaveReportsAndKeepsEveryByte) {
  std::string path = file("busy.txt", "on disk");
  std::string backup = file("busy.BAK", "good backup");
  open({path});
  int tab = tabs().current();
  ui_test::type_text(editor(), "edit ");
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);  // locked
  int boxes = 0;
  ui_test::answer_message_boxes({0, 0}, &boxes);
  EXPECT_FALSE(save_page(tab));
  CloseHandle(h);
  EXPECT_EQ(boxes, 2);  // the question, then the failure
  EXPECT_EQ(bytes_of(path), "on disk");
  EXPECT_EQ(bytes_of(backup), "good backup");  // an unreadable file never replaces the backup
  EXPECT_EQ(pages()[tab].modified, 1);
}

TEST_F(DocumentsTest, BackupNames) {
  struct Case {
    std::string path, backup;
  };
  const Case cases[] = {
      {"C:\\a\\readme.txt", "C:\\a\\readme.BAK"},
      {"C:\\v1.0\\readme", "C:\\v1.0\\readme.BAK"},  // the folder's dot is not the file's
      {"C:\\a\\old.bak", "C:\\a\\old.bak.BAK"},
      {"C:\\a\\x.tar.gz", "C:\\a\\x.tar.BAK"},
  };
  for (const Case& c : cases) EXPECT_EQ(backup_name(c.path), c.backup);
}

TEST_F(DocumentsTest, SavingANewPageAsksForThePathAndKeepsTheListTrue) {
  set_option(&OptionValues::prevent_double_open, 1);
  ui_test::type_text(editor(), "text of a new page");
  std::string target = dir_ + "saved.txt";
  rt::seams::script_dialog({rt::seams::DialogKind::Save, true, {target}});
  EXPECT_TRUE(save_current_page());
  EXPECT_EQ(bytes_of(target), "text of a new page");
  EXPECT_EQ(pages()[0].path, target);
  EXPECT_EQ(tabs().caption(0).rfind("新建文档", 0), 0u);  // a plain save keeps the caption
  EXPECT_EQ(open_paths(), target + "|");
  open({target});  // already open: selected, not opened twice
  EXPECT_EQ(tabs().count(), 1);
  // Save As takes the new name and keeps the list true as well.
  std::string other = dir_ + "另存.txt";
  rt::seams::script_dialog({rt::seams::DialogKind::Save, true, {other}});
  EXPECT_TRUE(save_page_as(0));
  EXPECT_EQ(tabs().caption(0), "另存");
  EXPECT_EQ(open_paths(), other + "|");
  // A cancelled dialog changes nothing.
  rt::seams::script_dialog({rt::seams::DialogKind::Save, false, {}});
  EXPECT_FALSE(save_page_as(0));
  EXPECT_EQ(pages()[0].path, other);
}

// A name holding characters code page 936 lacks (Korean, an emoji, a Latin letter): the program
// carries their GB18030 four-byte codes, the system sees the name itself.
const std::wstring kForeignName = L"\uD55C\uAD6D\uC5B4 \U0001F600 Stra\u00DFe";

// A file by its UTF-16 name, as the file manager shows it, written and read without the program.
bool write_by_wide_name(const std::wstring& path, const std::string& bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD put = 0;
  bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) && put == bytes.size();
  CloseHandle(h);
  return ok;
}
std::string read_by_wide_name(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(1 << 16, '\0');
  DWORD got = 0;
  ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(h);
  bytes.resize(got);
  return bytes;
}

// Named on the command line of the start (a double click on it in the file manager): the page
// shows the file's text and its name, and an edit is saved into that same file.
TEST_F(DocumentsTest, AFileNamedOutsideCodePage936OpensFromTheCommandLineAndSaves) {
  const std::wstring wide = rt::to_wide(dir_) + kForeignName + L".txt";
  ASSERT_TRUE(write_by_wide_name(wide, "第一行 first line"));
  const std::string path = rt::to_gbk(wide);  // the command line as the program reads it
  ProgramTest::TearDown();
  WritePrivateProfileStringA("程序设置", "环境监测优化完毕", "真", config_file().c_str());
  init_globals();
  rt::seams::set_command_line({path});
  ASSERT_TRUE(w().load());
  ASSERT_TRUE(ui_test::wait_for([] { return !pages().empty() && !pages()[0].path.empty() && !open_busy(); }));
  ASSERT_EQ(tabs().count(), 1);
  EXPECT_EQ(pages()[0].path, path);
  EXPECT_EQ(page_content(0), "第一行 first line");
  // The tab shows the name's first 12 bytes: its first three characters.
  EXPECT_EQ(rt::to_wide(tabs().caption(0)), kForeignName.substr(0, 3));
  std::vector<RecordedBox> boxes;
  record_message_boxes(&boxes);
  ui_test::type_text(editor(), "edited ");
  ASSERT_TRUE(save_page(0));
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(read_by_wide_name(wide), "edited 第一行 first line");
  EXPECT_EQ(pages()[0].modified, 0);
}

// Save As to such a name writes the file under that name, with no failure and no forced save.
TEST_F(DocumentsTest, SaveAsToANameOutsideCodePage936WritesTheFile) {
  ui_test::type_text(editor(), "text of a new page");
  const std::wstring wide = rt::to_wide(dir_) + kForeignName + L".txt";
  const std::string target = rt::to_gbk(wide);
  std::vector<RecordedBox> boxes;
  record_message_boxes(&boxes);
  rt::seams::script_dialog({rt::seams::DialogKind::Save, true, {target}});
  EXPECT_TRUE(save_page_as(0));
  EXPECT_TRUE(boxes.empty()) << (boxes.empty() ? "" : boxes[0].title);
  EXPECT_EQ(read_by_wide_name(wide), "text of a new page");
  EXPECT_EQ(pages()[0].path, target);
  EXPECT_EQ(pages()[0].modified, 0);
  EXPECT_EQ(rt::to_wide(tabs().caption(0)), kForeignName.substr(0, 3));
  // The folder lists it by that name, and it opens again.
  EXPECT_EQ(rt::find_files(dir_ + "*"), (std::vector<std::string>{target.substr(dir_.size())}));
  set_option(&OptionValues::prevent_double_open, 0);
  open({target});
  EXPECT_EQ(tabs().count(), 2);
  EXPECT_EQ(page_content(1), "text of a new page");
}

TEST_F(DocumentsTest, AutoSaveWritesTheCurrentPageSilentlyAndKeepsTheFlagOnFailure) {
  std::string path = file("auto.txt", "v1");
  open({path});
  int tab = tabs().current();
  ui_test::type_text(editor(), "v2 ");
  w().时钟_滚动标签.set_interval(60000);
  scroll_or_autosave_tick();
  EXPECT_EQ(bytes_of(path), "v2 v1");
  EXPECT_EQ(pages()[tab].modified, 0);
  ui_test::type_text(editor(), "v3 ");
  HANDLE h = hold(path);
  int boxes = 0;
  ui_test::answer_message_boxes({0}, &boxes);
  scroll_or_autosave_tick();
  CloseHandle(h);
  EXPECT_EQ(boxes, 0);  // silent
  EXPECT_EQ(bytes_of(path), "v2 v1");
  EXPECT_EQ(pages()[tab].modified, 1);  // the edits are still to be saved
}

TEST_F(DocumentsTest, SaveAllListsTheModifiedPagesAndSavesThemOnYes) {
  std::string a = file("a.txt", "a"), b = file("b.txt", "b");
  open({a, b});
  tabs().set_current(0);
  ui_test::type_text(editor(), "1");
  tabs().set_current(1);
  ui_test::type_text(editor(), "2");
  EXPECT_EQ(list_modified_pages(), "a...(" + a + ")\r\nb...(" + b + ")\r\n");
  ui_test::answer_message_boxes({5});
  confirm_save_all();
  EXPECT_EQ(bytes_of(a), "1a");
  EXPECT_EQ(bytes_of(b), "2b");
  EXPECT_EQ(tabs().count(), 2);  // the list page is gone
  EXPECT_EQ(tabs().current(), 1);
  int boxes = 0;
  ui_test::answer_message_boxes({6}, &boxes);
  confirm_save_all();  // nothing modified
  EXPECT_EQ(boxes, 1);
}

}  // namespace

