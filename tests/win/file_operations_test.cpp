// The tab menus' file operations on real files in a temporary folder: rename, copy and move
// through the save dialog, restoring the backup, the recycle bin, the snapshot, the batch run,
// the notepad, Explorer and the properties dialog (launches recorded), and the runtime's file
// services under them.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <optional>

#include "documents/file_operations.h"
#include "documents/open_files.h"
#include "documents/save_files.h"
#include "forms/main_window_form.h"
#include "common/message_box_form.h"
#include "options/config.h"
#include "options/option_values.h"
#include "pages/open_path_list.h"
#include "pages/page_model.h"
#include "program_test.h"
#include "recorded_boxes.h"
#include "runtime/app.h"
#include "runtime/files.h"
#include "runtime/popup_menu.h"
#include "runtime/seams.h"
#include "runtime/shell.h"
#include "runtime/system.h"
#include "runtime/window_services.h"
#include "ui_test.h"

namespace {

using rt::seams::DialogKind;

// One answer to a box: the text typed into an input box first (when given), then the button
// (-1 the box's close button).
struct Reply {
  int code;
  std::optional<std::string> typed = std::nullopt;
};

class FileOperationsTest : public ProgramTest {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir_ = std::string(temp) + "velmora_fileops_" + std::to_string(GetTickCount()) + "\\";
    other_dir_ = dir_ + "目标\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
    CreateDirectoryA(other_dir_.c_str(), nullptr);
    ProgramTest::SetUp();
    set_option(&OptionValues::open_in_thread, 0);
    set_option(&OptionValues::prevent_double_open, 1);
    rt::seams::record_launches(true);
    rt::seams::launches().clear();
    rt::seams::dialog_requests().clear();
  }
  void TearDown() override {
    rt::seams::set_modal_hook(nullptr);
    rt::seams::set_menu_hook(nullptr);
    rt::seams::record_launches(false);
    rt::seams::set_recorded_launch_result(true);
    ProgramTest::TearDown();
    for (const std::string& d : {other_dir_, dir_}) {
      for (const std::string& n : rt::find_files(d + "*", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) {
        SetFileAttributesA((d + n).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA((d + n).c_str());
      }
      RemoveDirectoryA(d.c_str());
    }
  }
  std::string file(const std::string& name, const std::string& bytes, const std::string& in = {}) {
    std::string p = (in.empty() ? dir_ : in) + name;
    EXPECT_TRUE(rt::write_file_safely(p, bytes));
    return p;
  }
  // Opens a file into a page and makes it current: its tab.
  int open_page(const std::string& name, const std::string& bytes) {
    set_open_queue({file(name, bytes)});
    open_files();
    int tab = open_path_index(open_paths(), dir_ + name);
    EXPECT_GE(tab, 0) << name;
    tabs().set_current(tab);
    return tab;
  }
  static std::string bytes_of(const std::string& path) { return rt::read_file(path).value_or("<missing>"); }
  // Every box from now on is recorded and answered in turn; input prompts note the text they
  // offered first.
  void reply_to_boxes(std::vector<Reply> replies) {
    boxes_.clear();
    offered_.clear();
    auto queue = std::make_shared<std::vector<Reply>>(std::move(replies));
    auto next = std::make_shared<size_t>(0);
    rt::seams::set_modal_hook([this, queue, next](rt::Window& w) {
      MessageBoxForm& b = message_box_form();
      if (&w != &b) return;
      size_t i = (*next)++;
      if (b.编辑框_输入类容.visible()) offered_.push_back(b.编辑框_输入类容.text());
      if (i < queue->size() && (*queue)[i].typed) b.编辑框_输入类容.set_text(*(*queue)[i].typed);
      record_one(b, i < queue->size() ? (*queue)[i].code : -1);
    });
  }
  void record_one(MessageBoxForm& b, int code) {
    RecordedBox r;
    r.title = b.caption().substr(std::string("Velmora_").size());
    r.text = b.透明标签_提示类容.text();
    r.title_color = b.标签_上中.text_color();
    r.text_color = b.透明标签_提示类容.text_color();
    for (int icon : {8, 16, 32, 48, 64})
      if (b.图形按钮_图标_信息框.normal_picture().same_image(message_box_icon(icon))) r.icon = icon;
    for (int c = kBoxOk; c <= kBoxNo; ++c)
      if (b.answer_button(c)->visible()) r.buttons.push_back(c);
    boxes_.push_back(r);
    rt::GraphicButton* button = code >= 0 ? b.answer_button(code) : nullptr;
    ui_test::click(button && button->visible() ? *button : b.图形按钮_关闭_信息框);
  }
  void expect_box(size_t i, const std::string& title, int icon, unsigned title_color, const std::string& text,
                  unsigned text_color, std::vector<int> buttons) {
    ASSERT_LT(i, boxes_.size()) << title;
    const RecordedBox& b = boxes_[i];
    EXPECT_EQ(b.title, title);
    EXPECT_EQ(b.icon, icon) << title;
    EXPECT_EQ(b.title_color, title_color) << title;
    EXPECT_EQ(b.text, text + "\r\n");
    EXPECT_EQ(b.text_color, text_color) << title;
    EXPECT_EQ(b.buttons, buttons) << title;
  }
  // Under Wine the recycle bin is the desktop's trash folder in the Unix home: the file's bytes
  // there, taken out again so that the tests leave nothing behind; nullopt where it is not
  // found (or on Windows, where the test does not look).
  static std::optional<std::string> take_from_recycle_bin(const std::string& name) {
    std::string home = rt::environment_variable("WINEHOMEDIR");
    if (home.rfind("\\??\\", 0) == 0) home.erase(0, 4);
    if (home.empty()) return std::nullopt;
    std::string trash = home + "\\.local\\share\\Trash\\";
    std::optional<std::string> bytes = rt::read_file(trash + "files\\" + name);
    DeleteFileA((trash + "files\\" + name).c_str());
    DeleteFileA((trash + "info\\" + name + ".trashinfo").c_str());
    return bytes;
  }
  static std::vector<rt::seams::Launch>& launches() { return rt::seams::launches(); }
  static std::string reveal_of(const std::string& path) { return "explorer.exe  /select,\"" + path + "\""; }

  std::string dir_, other_dir_;
  std::vector<RecordedBox> boxes_;
  std::vector<std::string> offered_;
};

const std::vector<int> kOk = {kBoxOk};
const std::vector<int> kOkCancel = {kBoxOk, kBoxCancel};
constexpr unsigned kRed = 0xFF, kGreen = 0x8000, kMagenta = 0xFF00FF;

// ---- The runtime's services under the operations ----

TEST_F(FileOperationsTest, RuntimeCopyMoveAndRenameKeepTheirTargetRules) {
  std::string a = file("a.txt", "AAA"), b = file("b.txt", "BBB");
  // Copy replaces a target, and never copies a file onto itself.
  EXPECT_TRUE(rt::copy_file(a, b));
  EXPECT_EQ(bytes_of(b), "AAA");
  EXPECT_FALSE(rt::copy_file(a, a));
  EXPECT_FALSE(rt::copy_file(a, dir_ + "A.TXT")) << "the same file in other letters";
  EXPECT_EQ(bytes_of(a), "AAA");
  EXPECT_FALSE(rt::copy_file(a, dir_ + "无此目录\\a.txt"));
  // Rename leaves an existing target alone.
  file("b.txt", "BBB");
  EXPECT_FALSE(rt::rename_file(a, b));
  EXPECT_EQ(bytes_of(a), "AAA");
  EXPECT_EQ(bytes_of(b), "BBB");
  EXPECT_TRUE(rt::rename_file(a, dir_ + "改名.txt"));
  EXPECT_FALSE(rt::file_exists(a));
  EXPECT_EQ(bytes_of(dir_ + "改名.txt"), "AAA");
  // Move replaces a target.
  EXPECT_TRUE(rt::move_file(dir_ + "改名.txt", b));
  EXPECT_FALSE(rt::file_exists(dir_ + "改名.txt"));
  EXPECT_EQ(bytes_of(b), "AAA");
  EXPECT_FALSE(rt::move_file(dir_ + "改名.txt", b)) << "the source is gone";
}

TEST_F(FileOperationsTest, RuntimeRecycleRemovesTheFileSilently) {
  std::string name = "回收" + std::to_string(GetTickCount()) + ".txt";
  std::string a = file(name, "recoverable");
  EXPECT_TRUE(rt::recycle_file(a));
  EXPECT_FALSE(rt::file_exists(a));
  if (!rt::environment_variable("WINEHOMEDIR").empty()) {
    EXPECT_EQ(take_from_recycle_bin(name), "recoverable") << "in the recycle bin, not gone for good";
  }
  EXPECT_FALSE(rt::recycle_file(a)) << "nothing left to delete";
  EXPECT_EQ(message_box_form().handle(), nullptr) << "no box of the program";
  // No window of the shell is left asking either.
  EXPECT_EQ(FindWindowA("#32770", nullptr), nullptr);
}

TEST_F(FileOperationsTest, RuntimeWindowPictureIsABmpOfTheWindow) {
  rt::EditBox& box = editor();
  ui_test::settle(200);
  std::string bmp = rt::window_picture_bmp(box.handle());
  RECT r;
  GetWindowRect(static_cast<HWND>(box.handle()), &r);
  ASSERT_GE(bmp.size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
  auto* fh = reinterpret_cast<const BITMAPFILEHEADER*>(bmp.data());
  auto* ih = reinterpret_cast<const BITMAPINFOHEADER*>(bmp.data() + sizeof(BITMAPFILEHEADER));
  EXPECT_EQ(fh->bfType, 0x4D42);
  EXPECT_EQ(fh->bfSize, bmp.size());
  EXPECT_EQ(ih->biWidth, r.right - r.left);
  EXPECT_EQ(ih->biHeight, r.bottom - r.top);
  EXPECT_EQ(ih->biBitCount, 24);
  EXPECT_EQ(rt::window_picture_bmp(nullptr), "");
}

// ---- Rename ----

TEST_F(FileOperationsTest, RenameMovesThePageWithItsFile) {
  open_page("其他.txt", "other");
  int tab = open_page("旧名字.txt", "content");
  std::string old_path = dir_ + "旧名字.txt";
  reply_to_boxes({{kBoxOk, "新的名字很长很长的文件名.log"}, {kBoxOk}});
  rename_page_file();
  std::string target = dir_ + "新的名字很长很长的文件名.log";
  EXPECT_EQ(offered_, std::vector<std::string>{"旧名字.txt"});
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].title, "请输入要重命名的文件名称！");
  EXPECT_EQ(boxes_[0].icon, 32);
  EXPECT_EQ(boxes_[0].text,
            "  请输入要重命名的文件名称，文件名不允许含有：\\/|:*?< >\"这些特殊字符！如果含有的话，程序会自动去除。\r\n");
  expect_box(1, "重命名文件成功！", 8, kMagenta, "  重命名文件成功，是否在资源管理器中定位到该文件！", kGreen, kOkCancel);
  EXPECT_FALSE(rt::file_exists(old_path));
  EXPECT_EQ(bytes_of(target), "content");
  const PageRecord& p = pages()[tab];
  EXPECT_EQ(p.path, target);
  EXPECT_EQ(p.extension, "log");
  EXPECT_EQ(tabs().caption(tab), "新的名字很长");
  EXPECT_EQ(page_name(tab), "新的名字很长很长的文件名");
  EXPECT_EQ(open_path_index(open_paths(), target), tab);
  EXPECT_EQ(open_path_index(open_paths(), old_path), -1);
  EXPECT_EQ(open_path_entries(open_paths()).size(), static_cast<size_t>(tabs().count()));
  EXPECT_EQ(w().透明标签_文件路径.text(), "  路径:" + target);
  // OK went to Explorer with the new file.
  ASSERT_EQ(launches().size(), 1u);
  EXPECT_EQ(launches()[0].file, reveal_of(target));
}

TEST_F(FileOperationsTest, RenameCleansTheTypedName) {
  struct Case {
    const char* name;
    std::string typed;
    std::string file;       // the file's new name, empty: not renamed
    std::string extension;  // of the page after
  };
  const Case cases[] = {
      {"line breaks pasted into the box", "a\r\nb.txt\r\n", "ab.txt", "txt"},
      {"forbidden characters dropped", "<新>:名?.md", "新名.md", "md"},
      {"the extension dropped", "无扩展名", "无扩展名", ""},
      {"only forbidden characters", "****", "", "txt"},
      {"only blanks after the cleaning", " \\ / ", "", "txt"},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string name = "f" + std::to_string(++n) + ".txt";
    int tab = open_page(name, "x");
    reply_to_boxes({{kBoxOk, c.typed}, {kBoxCancel}});
    rename_page_file();
    if (c.file.empty()) {
      expect_box(1, "重命名文件失败！", 16, kRed,
                 "  重命名文件失败，由于指定的文件名称中含有特殊字符！过滤之后不能组成符合条件的文件名！", kMagenta, kOk);
      EXPECT_EQ(bytes_of(dir_ + name), "x") << "the file is left alone";
      EXPECT_EQ(pages()[tab].path, dir_ + name);
    } else {
      EXPECT_EQ(boxes_[1].title, "重命名文件成功！");
      EXPECT_EQ(bytes_of(dir_ + c.file), "x");
      EXPECT_EQ(pages()[tab].path, dir_ + c.file);
    }
    EXPECT_EQ(pages()[tab].extension, c.extension);
    EXPECT_TRUE(launches().empty()) << "Cancel does not go to Explorer";
  }
  // A page without an extension is offered its bare name.
  tabs().set_current(open_path_index(open_paths(), dir_ + "无扩展名"));
  reply_to_boxes({{kBoxCancel}});
  rename_page_file();
  EXPECT_EQ(offered_, std::vector<std::string>{"无扩展名"});
}

TEST_F(FileOperationsTest, RenameThatCannotHappenLeavesEverythingAsItWas) {
  file("已有.txt", "taken");
  int tab = open_page("我的.txt", "mine");
  std::string before = open_paths();
  // The name is taken: the rename fails and nothing is replaced.
  reply_to_boxes({{kBoxOk, "已有.txt"}});
  rename_page_file();
  expect_box(1, "重命名文件失败！", 16, kRed,
             "  重命名文件失败，请确定当前文件是否正在被其他程序使用，然后再继续操作！", kMagenta, kOk);
  EXPECT_EQ(bytes_of(dir_ + "已有.txt"), "taken");
  EXPECT_EQ(bytes_of(dir_ + "我的.txt"), "mine");
  EXPECT_EQ(pages()[tab].path, dir_ + "我的.txt");
  EXPECT_EQ(tabs().caption(tab), "我的");
  EXPECT_EQ(open_paths(), before);
  // Cancel, and a close by the box's own button, stop before anything is touched.
  for (int code : {static_cast<int>(kBoxCancel), -1}) {
    reply_to_boxes({{code, "别的.txt"}});
    rename_page_file();
    EXPECT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(pages()[tab].path, dir_ + "我的.txt");
    EXPECT_FALSE(rt::file_exists(dir_ + "别的.txt"));
  }
}

// ---- Copy and move ----

TEST_F(FileOperationsTest, CopyLeavesThePageAndReplacesTheTarget) {
  int tab = open_page("源.txt", "source");
  std::string target = file("副本.txt", "old copy", other_dir_);
  rt::seams::script_dialog({DialogKind::Save, true, {target}});
  reply_to_boxes({{kBoxOk}});
  copy_or_move_page_file(false);
  ASSERT_EQ(rt::seams::dialog_requests().size(), 1u);
  EXPECT_EQ(rt::seams::dialog_requests()[0].title, "请选择将 源 复制到的文件名……");
  EXPECT_EQ(rt::seams::dialog_requests()[0].file_name, "源.txt");
  EXPECT_EQ(w().通用对话框.filter, "所有文件(*.*)|*.*|");
  expect_box(0, "成功复制文件到目标目录……", 8, kGreen, "  成功将文件复制到目标目录，是否在资源管理器中定位该文件？",
             kMagenta, kOkCancel);
  EXPECT_EQ(bytes_of(target), "source");
  EXPECT_EQ(bytes_of(dir_ + "源.txt"), "source");
  EXPECT_EQ(pages()[tab].path, dir_ + "源.txt");
  ASSERT_EQ(launches().size(), 1u);
  EXPECT_EQ(launches()[0].file, reveal_of(target));

  // A folder that does not exist: reported, nothing changes.
  rt::seams::script_dialog({DialogKind::Save, true, {dir_ + "无此目录\\副本.txt"}});
  reply_to_boxes({{kBoxOk}});
  copy_or_move_page_file(false);
  expect_box(0, "复制文件到目标目录失败……", 16, kRed,
             "  复制文件到目标目录失败，请确定目标目录是否可写，然后在重新操作！", kMagenta, kOk);
  // Onto the page's own file: refused, the file keeps its bytes.
  rt::seams::script_dialog({DialogKind::Save, true, {dir_ + "源.txt"}});
  reply_to_boxes({{kBoxOk}});
  copy_or_move_page_file(false);
  EXPECT_EQ(boxes_[0].title, "复制文件到目标目录失败……");
  EXPECT_EQ(bytes_of(dir_ + "源.txt"), "source");
  // A cancelled dialog does nothing.
  reply_to_boxes({});
  copy_or_move_page_file(false);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(launches().size(), 1u);
}

TEST_F(FileOperationsTest, MoveTakesThePageAlong) {
  open_page("留下.txt", "stay");
  int tab = open_page("搬家.ini", "[x]");
  set_page_modified(tab, 0);
  std::string target = other_dir_ + "新家.cfg";
  rt::seams::script_dialog({DialogKind::Save, true, {target}});
  reply_to_boxes({{kBoxCancel}});
  copy_or_move_page_file(true);
  EXPECT_EQ(rt::seams::dialog_requests()[0].title, "请选择将 搬家 移动到的文件名……");
  EXPECT_EQ(rt::seams::dialog_requests()[0].file_name, "搬家.ini");
  expect_box(0, "成功移动文件到目标目录……", 8, kGreen, "  成功将文件移动到目标目录，是否在资源管理器中定位该文件？",
             kMagenta, kOkCancel);
  EXPECT_FALSE(rt::file_exists(dir_ + "搬家.ini"));
  EXPECT_EQ(bytes_of(target), "[x]");
  EXPECT_EQ(pages()[tab].path, target);
  EXPECT_EQ(pages()[tab].extension, "cfg");
  EXPECT_EQ(tabs().caption(tab), "新家");
  EXPECT_EQ(page_name(tab), "新家");
  EXPECT_EQ(open_path_index(open_paths(), target), tab);
  EXPECT_EQ(open_path_index(open_paths(), dir_ + "搬家.ini"), -1);
  EXPECT_EQ(open_path_index(open_paths(), dir_ + "留下.txt"), tab - 1);
  EXPECT_EQ(w().透明标签_文件路径.text(), "  路径:" + target);
  EXPECT_TRUE(launches().empty()) << "Cancel: no Explorer";
  // The page now saves to its new place.
  editor().set_text("[y]");
  EXPECT_TRUE(save_current_page());
  EXPECT_EQ(bytes_of(target), "[y]");

  // A move into a folder that does not exist: reported, the page stays where it is.
  rt::seams::script_dialog({DialogKind::Save, true, {dir_ + "无此目录\\新家.cfg"}});
  reply_to_boxes({{kBoxOk}});
  copy_or_move_page_file(true);
  expect_box(0, "移动文件到目标目录失败……", 16, kRed,
             "  移动文件到目标目录失败，请确定目标目录是否可写，然后在重新操作！", kMagenta, kOk);
  EXPECT_EQ(pages()[tab].path, target);
  EXPECT_EQ(bytes_of(target), "[y]");
}

TEST_F(FileOperationsTest, APageWithoutExtensionIsOfferedTxt) {
  open_page("README", "r");
  for (bool move : {false, true}) {
    rt::seams::dialog_requests().clear();
    copy_or_move_page_file(move);  // unscripted: cancelled
    ASSERT_EQ(rt::seams::dialog_requests().size(), 1u);
    EXPECT_EQ(rt::seams::dialog_requests()[0].file_name, "README.txt");
    EXPECT_EQ(w().通用对话框.default_extension, "txt");
  }
  EXPECT_EQ(bytes_of(dir_ + "README"), "r");
}

// ---- Restore ----

TEST_F(FileOperationsTest, RestoreTakesTheBackupAndDropsUnsavedChanges) {
  struct Case {
    const char* name;
    std::string file;
    std::map<std::string, std::string> backups;  // file name -> bytes
    std::string restored;                        // the edit box after; empty: unchanged
  };
  const Case cases[] = {
      {"the forced save's backup", "报告.txt", {{"报告.BAK", "旧的报告"}}, "旧的报告"},
      {"a backup named path + .BAK", "笔记.txt", {{"笔记.txt.BAK", "旧的笔记"}}, "旧的笔记"},
      {"both: the forced save's first", "两个.txt", {{"两个.BAK", "forced"}, {"两个.txt.BAK", "appended"}}, "forced"},
      {"a .bak file's backup", "老.bak", {{"老.bak.BAK", "older"}}, "older"},
      {"bytes up to the first zero", "零.txt", {{"零.BAK", std::string("front\0back", 10)}}, "front"},
      {"no backup", "无.txt", {}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int tab = open_page(c.file, "on disk");
    for (const auto& [name, bytes] : c.backups) file(name, bytes);
    ui_test::type_text(editor(), "未保存");
    ASSERT_EQ(pages()[tab].modified, 1);
    std::string typed = editor().text();
    restore_page_backup();
    if (c.restored.empty()) {
      EXPECT_EQ(editor().text(), typed);
      EXPECT_EQ(pages()[tab].modified, 1);
    } else {
      EXPECT_EQ(editor().text(), c.restored);
      EXPECT_EQ(page_content(tab), c.restored);
      EXPECT_EQ(pages()[tab].modified, 0);
      EXPECT_EQ(w().标签_上中.text_color(), 0xFF0000u) << "the title no longer shows a modified page";
    }
    EXPECT_EQ(bytes_of(dir_ + c.file), "on disk") << "the file on disk is not changed";
    for (const auto& [name, bytes] : c.backups) EXPECT_EQ(bytes_of(dir_ + name), bytes);
  }
  // Typing after a restore marks the page modified again.
  ui_test::type_text(editor(), "再改");
  EXPECT_EQ(pages()[tabs().current()].modified, 1);
}

// ---- Recycle bin ----

TEST_F(FileOperationsTest, RecycleDeletesTheFileAndClosesThePage) {
  open_page("保留.txt", "keep");
  std::string name = "删除" + std::to_string(GetTickCount()) + ".txt";
  int tab = open_page(name, "gone");
  editor().set_text("modified, still closed without asking");
  int count = tabs().count();
  reply_to_boxes({{kBoxOk}});
  recycle_page_file();
  ASSERT_EQ(boxes_.size(), 1u);
  expect_box(0, "删除文件成功！", 8, kGreen, "  删除文件到回收站成功，如果是误删的话，可以到回收站恢复此文件！", kGreen, kOk);
  EXPECT_FALSE(rt::file_exists(dir_ + name));
  take_from_recycle_bin(name);
  EXPECT_EQ(tabs().count(), count - 1);
  EXPECT_EQ(open_path_index(open_paths(), dir_ + name), -1);
  EXPECT_EQ(open_path_entries(open_paths()).size(), static_cast<size_t>(tabs().count()));
  for (const PageRecord& p : pages()) EXPECT_NE(p.path, dir_ + name);
  EXPECT_EQ(bytes_of(dir_ + "保留.txt"), "keep");
  (void)tab;

  // A file that went away meanwhile cannot be deleted: reported, the page stays.
  tab = open_page("消失.txt", "x");
  DeleteFileA((dir_ + "消失.txt").c_str());
  count = tabs().count();
  reply_to_boxes({{kBoxOk}});
  recycle_page_file();
  expect_box(0, "删除文件失败！", 16, kRed, "  删除文件失败，请确定当前文件是否正在被其他程序使用，然后在继续操作！",
             kMagenta, kOk);
  EXPECT_EQ(tabs().count(), count);
  EXPECT_EQ(pages()[tab].path, dir_ + "消失.txt");
}

// ---- Launches: notepad, Explorer, properties, the batch run ----

TEST_F(FileOperationsTest, NotepadGetsThePathAndAFailureIsReported) {
  open_page("记事 本.txt", "x");
  open_in_system_notepad();
  ASSERT_EQ(launches().size(), 1u);
  EXPECT_EQ(launches()[0].verb, "run");
  EXPECT_EQ(launches()[0].file, "C:\\Windows\\notepad.exe " + dir_ + "记事 本.txt");
  rt::seams::set_recorded_launch_result(false);
  reply_to_boxes({{kBoxOk}});
  open_in_system_notepad();
  expect_box(0, "发送命令到系统记事本失败！", 16, kRed,
             "  发送命令到系统的记事本失败，所以无法用记事本打开当前文档！请确定Windows目录是否有notepad.exe！",
             kMagenta, kOk);
}

TEST_F(FileOperationsTest, BatchRunWritesTheEditBoxToTheTemporaryFolder) {
  std::string temp = rt::environment_variable("temp");
  ASSERT_FALSE(temp.empty());
  open_page("构建.Bat", "@echo old");
  editor().set_text("@echo 新的内容\r\npause");
  run_page_as_batch();
  std::string batch = temp + "\\构建_批处理调试.Bat";
  EXPECT_EQ(bytes_of(batch), "@echo 新的内容\r\npause");
  ASSERT_EQ(launches().size(), 1u);
  EXPECT_EQ(launches()[0].verb, "");
  EXPECT_EQ(launches()[0].file, batch);
  EXPECT_EQ(bytes_of(dir_ + "构建.Bat"), "@echo old") << "the page's own file is not written";
  DeleteFileA(batch.c_str());

  // Nothing is run when the file cannot be written, and nothing is said.
  SetEnvironmentVariableA("temp", (dir_ + "无此目录").c_str());
  reply_to_boxes({});
  run_page_as_batch();
  SetEnvironmentVariableA("temp", temp.c_str());
  EXPECT_EQ(launches().size(), 1u);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(FileOperationsTest, CtrlF5RunsOnlyBatchPages) {
  std::string temp = rt::environment_variable("temp");
  struct Case {
    const char* file;
    bool runs;
  };
  for (const Case& c : {Case{"a.CMD", true}, Case{"b.bat", true}, Case{"c.txt", false}, Case{"d.cmd.txt", false}}) {
    SCOPED_TRACE(c.file);
    launches().clear();
    open_page(c.file, "echo");
    ui_test::press_key(editor(), VK_F5, rt::kCtrl);
    ui_test::settle();
    EXPECT_EQ(launches().size(), c.runs ? 1u : 0u);
  }
  for (const char* n : {"a_批处理调试.CMD", "b_批处理调试.bat"}) DeleteFileA((temp + "\\" + n).c_str());
}

// Right-clicks the tab and picks the item in the menu that opens.
bool choose_in_tab_menu(int tab, const std::string& caption) {
  bool chosen = false;
  rt::seams::set_menu_hook([&](rt::PopupMenu& menu) {
    chosen = menu.choose(caption);
    if (!chosen) menu.close();
  });
  rt::Rect r = tabs().tab_rect(tab);
  ui_test::right_click(tabs(), r.left + r.width / 2, r.height / 2);
  rt::seams::set_menu_hook(nullptr);
  ui_test::settle();
  return chosen;
}

TEST_F(FileOperationsTest, MenusReachTheOperationsOfTheirOwnTab) {
  int first = open_page("第一.txt", "1");
  int second = open_page("第二.bat", "2");
  std::string one = dir_ + "第一.txt", two = dir_ + "第二.bat";
  file("第二.BAK", "备份");
  struct Case {
    int tab;  // right-clicked; the second tab stays current
    const char* item;
    rt::seams::Launch launch;
  };
  const Case cases[] = {
      {second, "文件属性(&S)", {"properties", two, "", ""}},
      {second, "所在目录(&M)", {"run", reveal_of(two), "", ""}},
      {second, "用记事本打开...(&N)", {"run", "C:\\Windows\\notepad.exe " + two, "", ""}},
      {first, "文件属性(&S)", {"properties", one, "", ""}},
      {first, "所在目录(&M)", {"run", reveal_of(one), "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.item) + " of tab " + std::to_string(c.tab));
    launches().clear();
    tabs().set_current(second);
    ASSERT_TRUE(choose_in_tab_menu(c.tab, c.item));
    ASSERT_EQ(launches().size(), 1u);
    EXPECT_EQ(launches()[0].verb, c.launch.verb);
    EXPECT_EQ(launches()[0].file, c.launch.file);
    EXPECT_EQ(tabs().current(), second);
  }
  // The batch item under its shown caption, and the restore.
  launches().clear();
  ASSERT_TRUE(choose_in_tab_menu(second, "运行BAT(&F5)   Ctrl+F5"));
  ASSERT_EQ(launches().size(), 1u);
  EXPECT_EQ(launches()[0].file, rt::environment_variable("temp") + "\\第二_批处理调试.bat");
  DeleteFileA(launches()[0].file.c_str());
  ASSERT_TRUE(choose_in_tab_menu(second, "恢复备份(&H)"));
  EXPECT_EQ(editor().text(), "备份");
  // The properties of a page without a path: nothing.
  launches().clear();
  std::string name;
  int fresh = create_page(name);
  show_file_properties_dialog(fresh);
  show_file_properties_dialog(-1);
  show_file_properties_dialog(99);
  EXPECT_TRUE(launches().empty());
}

// ---- Snapshot ----

// The colour most pixels of a 24-bit BMP have, as Windows RGB.
unsigned main_colour_of(const std::string& bmp) {
  auto* ih = reinterpret_cast<const BITMAPINFOHEADER*>(bmp.data() + sizeof(BITMAPFILEHEADER));
  const unsigned char* bits =
      reinterpret_cast<const unsigned char*>(bmp.data() + reinterpret_cast<const BITMAPFILEHEADER*>(bmp.data())->bfOffBits);
  int row = (ih->biWidth * 3 + 3) & ~3;
  std::map<unsigned, int> counts;
  for (int y = 0; y < ih->biHeight; ++y)
    for (int x = 0; x < ih->biWidth; ++x) {
      const unsigned char* p = bits + y * row + x * 3;
      ++counts[p[2] | (p[1] << 8) | (p[0] << 16)];
    }
  return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

TEST_F(FileOperationsTest, SnapshotSavesTheEditBoxAndRemembersTheFolder) {
  open_page("截图.txt", "一些文字");
  rt::Rect before = editor().rect();
  RECT wr;
  GetWindowRect(static_cast<HWND>(editor().handle()), &wr);
  std::string shot = other_dir_ + "第一张.bmp";
  rt::seams::script_dialog({DialogKind::Save, true, {shot}});
  reply_to_boxes({{kBoxOk}});
  save_page_snapshot();
  ASSERT_EQ(rt::seams::dialog_requests().size(), 1u);
  const auto& request = rt::seams::dialog_requests()[0];
  EXPECT_EQ(request.title, "请选择图片文件的保存目录……");
  EXPECT_EQ(request.file_name, "截图");
  EXPECT_EQ(request.folder, rt::program_directory()) << "no snapshot yet";
  EXPECT_EQ(w().通用对话框.filter, "图像文件(*.BMP)|*.bmp|");
  expect_box(0, "保存截到的位图完毕！", 8, kGreen, "  保存截取到的位图到文件完毕，是否在资源管理器中定位到该文件！", kMagenta,
             kOkCancel);
  std::string bmp = bytes_of(shot);
  ASSERT_GT(bmp.size(), 54u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  auto* ih = reinterpret_cast<const BITMAPINFOHEADER*>(bmp.data() + sizeof(BITMAPFILEHEADER));
  EXPECT_EQ(ih->biWidth, wr.right - wr.left);
  EXPECT_EQ(ih->biHeight, wr.bottom - wr.top);
  EXPECT_EQ(main_colour_of(bmp), editor().back_color()) << "the edit box's own background";
  EXPECT_EQ(editor().rect().top, before.top) << "the edit box is back in its place";
  ASSERT_EQ(launches().size(), 1u);
  EXPECT_EQ(launches()[0].file, reveal_of(shot));
  EXPECT_EQ(config_read("上次打开目录", "截图文件"), other_dir_);

  // The next snapshot starts in that folder; a failed write is reported and still remembered.
  std::string missing = dir_ + "无此目录\\";
  rt::seams::script_dialog({DialogKind::Save, true, {missing + "第二张.bmp"}});
  reply_to_boxes({{kBoxOk}});
  save_page_snapshot();
  EXPECT_EQ(rt::seams::dialog_requests().back().folder, other_dir_);
  expect_box(0, "保存截到的位图失败！", 8, kRed, "  保存截取到的位图到文件失败，请确定保存目录的可写性！", kMagenta,
             kOkCancel);
  EXPECT_EQ(config_read("上次打开目录", "截图文件"), missing);
  EXPECT_EQ(launches().size(), 1u);
  // A cancelled dialog writes nothing and keeps the folder.
  reply_to_boxes({});
  w().图形按钮_编辑_菜单.set_focus();
  save_page_snapshot();
  EXPECT_TRUE(boxes_.empty());
  EXPECT_TRUE(editor().has_focus()) << "the edit box has the focus back";
  EXPECT_EQ(config_read("上次打开目录", "截图文件"), missing);
}

TEST_F(FileOperationsTest, ASnapshotThatCannotBeTakenIsReported) {
  rt::Rect r = editor().rect();
  editor().set_width(0);
  reply_to_boxes({{kBoxOk}});
  save_page_snapshot();
  expect_box(0, "截取图片出错！", 16, kRed, "  截取当前页面时出错！请重试！", kMagenta, kOk);
  EXPECT_TRUE(rt::seams::dialog_requests().empty()) << "no dialog";
  EXPECT_EQ(editor().top(), r.top);
  editor().set_width(r.width);
}

}  // namespace
