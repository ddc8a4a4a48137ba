// The batch pages of the options window against real files in a temporary folder and the real
// controls under Wine: the two file lists (drops, the open dialog, keys, menus, attribute boxes,
// the rename preview), the batch operations and the folder search, and the encoding conversion
// with its outputs checked byte for byte. Dialogs are scripted, message boxes answered by their
// real buttons, menus read and chosen through the menu hook.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "common/control_routines.h"
#include "common/window_fade.h"
#include "documents/batch_conversion.h"
#include "documents/batch_files.h"
#include "forms/options_window_form.h"
#include "layout_check.h"
#include "options/config.h"
#include "options/option_values.h"
#include "options/options_window.h"
#include "program_test.h"
#include "recorded_boxes.h"
#include "runtime/files.h"
#include "runtime/hooks.h"
#include "runtime/seams.h"
#include "runtime/tooltip.h"
#include "ui_test.h"

namespace {

using rt::seams::DialogKind;
using Cells = std::vector<std::string>;

OptionsWindowForm& ow() { return options_window(); }
rt::ListView& batch_list() { return ow().超级列表框_处理的文件; }
rt::ListView& conversion_list() { return ow().超级列表框_操作文件; }

int checked(rt::GraphicButton& b) { return check_button_state(b, ButtonOp::Query); }

std::vector<rt::GraphicButton*> attribute_boxes() {
  OptionsWindowForm& f = ow();
  return {&f.超级按钮_只读文件, &f.超级按钮_隐藏文件, &f.超级按钮_系统文件属性, &f.超级按钮_存档文件属性};
}

Cells row_cells(rt::ListView& list, int row) {
  Cells cells;
  for (int c = 0; c < list.column_count(); ++c) cells.push_back(list.cell(row, c));
  return cells;
}

// Column 0 of every row, in order.
std::vector<std::string> names_in(rt::ListView& list) {
  std::vector<std::string> names;
  for (int r = 0; r < list.row_count(); ++r) names.push_back(list.cell(r, 0));
  return names;
}

int row_y(rt::ListView& list, int row) {
  rt::Rect r = list.row_rect(row);
  return r.top + r.height / 2;
}

int attributes_of(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a == INVALID_FILE_ATTRIBUTES ? -1 : static_cast<int>(a & 0x27);
}

std::optional<std::string> bytes_of(const std::string& path) { return rt::read_file(path); }

// What a right click on a list showed, with the item chosen in it (none: the menu is closed).
struct ShownMenu {
  std::string caption;
  std::vector<rt::PopupMenu::ShownItem> items;
  std::vector<std::string> enabled() const {
    std::vector<std::string> out;
    for (const auto& i : items)
      if (!i.separator && !i.disabled) out.push_back(i.caption);
    return out;
  }
};

// A right click on a row (the control selects it unless it is selected already), on the first
// row by default, or below the rows when there are none.
ShownMenu right_click(rt::ListView& list, const std::string& choose = {}, int row = 0) {
  ShownMenu shown;
  rt::seams::set_menu_hook([&](rt::PopupMenu& menu) {
    shown.caption = menu.open_menu()->caption;
    shown.items = menu.shown_items();
    if (choose.empty() || !menu.choose(choose)) menu.close();
  });
  int y = row < list.row_count() ? row_y(list, row) : 40;
  ui_test::right_click_queued(list, 30, y);
  rt::seams::set_menu_hook(nullptr);
  return shown;
}

// Clicks the button the moment the list loses its first row, inside the worker's hand-over:
// the stop then comes after exactly one row, whatever the speed of the worker.
class ClickAtFirstRemoval {
 public:
  ClickAtFirstRemoval(rt::ListView& list, rt::GraphicButton& button) : list_(list.handle()) {
    id_ = rt::add_hook(list_, [this, &button](rt::Message& m) -> intptr_t {
      intptr_t r = m.next();
      if (m.msg == LVM_DELETEITEM && !clicked_) {
        clicked_ = true;
        ui_test::click(button);
      }
      return r;
    });
  }
  ~ClickAtFirstRemoval() { rt::remove_hook(list_, id_); }

 private:
  rt::WindowHandle list_;
  rt::HookId id_ = 0;
  bool clicked_ = false;
};

const std::vector<std::string> kAllItems = {"添加文件(&T)", "全部选中(&A)    Ctrl+A", "反向选择(&F)    Ctrl+F",
                                            "删除选中(&D)    Del", "全部删除(&Q)"};

// The text as UTF-8 (the narrow literals of the sources are GBK).
std::string utf8(const wchar_t* text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, s.data(), n, nullptr, nullptr);
  s.pop_back();
  return s;
}
std::string utf16le(const wchar_t* text) { return std::string(reinterpret_cast<const char*>(text), wcslen(text) * 2); }

class BatchTest : public ProgramTest {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir_ = std::string(temp) + "velmora_batch_" + std::to_string(GetTickCount()) + "\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
    ProgramTest::SetUp();
    record_message_boxes(&boxes);
    rt::seams::dialog_requests().clear();
  }
  void TearDown() override {
    rt::seams::hold_workers(false);
    ui_test::wait_for([] { return !batch_pages_busy(); }, 20000);
    rt::seams::set_modal_hook(nullptr);
    rt::seams::set_menu_hook(nullptr);
    ow().destroy();
    ProgramTest::TearDown();
    remove_tree(dir_);
  }
  static void remove_tree(const std::string& dir) {
    for (const rt::FoundEntry& e : rt::find_entries(dir + "*")) {
      std::string p = dir + e.name;
      if (e.attributes & FILE_ATTRIBUTE_DIRECTORY) {
        remove_tree(p + "\\");
      } else {
        SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(p.c_str());
      }
    }
    RemoveDirectoryA(dir.c_str());
  }
  std::string folder(const std::string& name) {
    std::string p = dir_ + name + "\\";
    CreateDirectoryA(p.c_str(), nullptr);
    return p;
  }
  std::string file(const std::string& name, const std::string& bytes = "abc", const std::string& in = {}) {
    std::string p = (in.empty() ? dir_ : in) + name;
    EXPECT_TRUE(rt::write_file_safely(p, bytes));
    return p;
  }

  void open() {
    open_options_window();
    ASSERT_TRUE(ui_test::wait_for([] { return ow().loaded() && ow().alpha() == options().window_alpha; }));
    ui_test::settle();
  }
  static void show_page(int page) {
    ow().高级选择夹_功能.set_current(page);
    ui_test::settle(20);
  }
  static void wait_idle() {
    ASSERT_TRUE(ui_test::wait_for([] { return !batch_pages_busy(); }, 20000));
  }
  // Drops the paths on the list of the page shown and waits for the fill.
  void drop(rt::ListView& list, const std::vector<std::string>& paths) {
    ASSERT_TRUE(rt::seams::drop_files(list, paths));
    wait_idle();
  }
  void drop_on_batch_list(const std::vector<std::string>& paths) {
    show_page(OptionsWindowForm::kFilePage);
    drop(batch_list(), paths);
  }
  // Chooses an operation as the keyboard does.
  static void choose_operation(int index) {
    show_page(OptionsWindowForm::kFilePage);
    rt::ComboBox& c = ow().组合框_操作类型;
    ui_test::press_key(c, VK_HOME);
    for (int i = 0; i < index; ++i) ui_test::press_key(c, VK_DOWN);
    ASSERT_EQ(c.current(), index);
  }
  static void set_boxes(int mask) {
    const int bits[] = {1, 2, 4, 32};
    auto boxes = attribute_boxes();
    for (int i = 0; i < 4; ++i) check_button_state(*boxes[i], ButtonOp::Set, (mask & bits[i]) ? 1 : 0);
  }
  // Runs the chosen operation to its end.
  void run_operation() {
    ui_test::click(ow().超级按钮_开始执行);
    wait_idle();
  }

  std::string dir_;
  std::vector<RecordedBox> boxes;
};

// ---- The lists ----

TEST_F(BatchTest, DropsGoToTheListOfThePageShownAndOnlyTheConversionListTestsThePaths) {
  std::string a = file("甲.txt", std::string(1023, 'x'));
  std::string b = file("乙.log", std::string(1048576, 'y'));
  SetFileAttributesA(b.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  std::string missing = dir_ + "无.txt";
  open();

  show_page(OptionsWindowForm::kConversionPage);
  drop(conversion_list(), {a, missing, b});
  ASSERT_EQ(conversion_list().row_count(), 2);
  EXPECT_EQ(row_cells(conversion_list(), 0), (Cells{"甲.txt", "0.999KB", a}));
  EXPECT_EQ(row_cells(conversion_list(), 1), (Cells{"乙.log", "1024KB", b}));
  EXPECT_EQ(batch_list().row_count(), 0);
  EXPECT_TRUE(conversion_add_list().empty());

  // Any other page: the batch list, which takes every path.
  show_page(OptionsWindowForm::kProgramPage);
  ASSERT_TRUE(rt::seams::drop_files(batch_list(), {b, missing}));
  wait_idle();
  ASSERT_EQ(batch_list().row_count(), 2);
  EXPECT_EQ(row_cells(batch_list(), 0), (Cells{"乙.log", "1024KB", "√", "×", "×", "√", b}));
  // A path with no file shows no attribute.
  EXPECT_EQ(row_cells(batch_list(), 1), (Cells{"无.txt", "-0.001KB", "×", "×", "×", "×", missing}));
  EXPECT_EQ(conversion_list().row_count(), 2);
  EXPECT_TRUE(batch_add_list().empty());
  SetFileAttributesA(b.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(BatchTest, TheOpenDialogAddsToEitherList) {
  std::string a = file("a.txt"), b = file("b.txt");
  open();
  show_page(OptionsWindowForm::kFilePage);
  rt::seams::script_dialog({DialogKind::Open, true, {a, b}});
  ShownMenu m = right_click(batch_list(), "添加文件(&T)");
  EXPECT_EQ(m.caption, "文件操作_右键菜单");
  wait_idle();
  EXPECT_EQ(names_in(batch_list()), (std::vector<std::string>{"a.txt", "b.txt"}));
  ASSERT_EQ(rt::seams::dialog_requests().size(), 1u);
  EXPECT_EQ(rt::seams::dialog_requests()[0].title, "请选择要操作的文件……");

  show_page(OptionsWindowForm::kConversionPage);
  rt::seams::script_dialog({DialogKind::Open, true, {b}});
  ui_test::click(ow().超级按钮_打开文件);
  wait_idle();
  EXPECT_EQ(names_in(conversion_list()), (std::vector<std::string>{"b.txt"}));
  rt::seams::script_dialog({DialogKind::Open, true, {a}});
  m = right_click(conversion_list(), "添加文件(&T)");
  EXPECT_EQ(m.caption, "编码转换_右键菜单");
  wait_idle();
  EXPECT_EQ(names_in(conversion_list()), (std::vector<std::string>{"b.txt", "a.txt"}));
  // Cancel adds nothing.
  ui_test::click(ow().超级按钮_打开文件);
  wait_idle();
  EXPECT_EQ(conversion_list().row_count(), 2);
}

TEST_F(BatchTest, KeysSelectInvertAndDeleteRowsInBothLists) {
  std::vector<std::string> paths = {file("0.txt"), file("1.txt"), file("2.txt"), file("3.txt")};
  open();
  show_page(OptionsWindowForm::kConversionPage);
  drop(conversion_list(), paths);
  show_page(OptionsWindowForm::kFilePage);
  drop(batch_list(), paths);
  for (rt::ListView* list : {&batch_list(), &conversion_list()}) {
    rt::ListView& l = *list;
    l.set_all_selected(false);
    // Ctrl+F with nothing selected selects every row; with every row selected it clears them.
    ui_test::press_key(l, 'F', rt::kCtrl);
    EXPECT_EQ(l.selected_count(), 4);
    ui_test::press_key(l, 'F', rt::kCtrl);
    EXPECT_EQ(l.selected_count(), 0);
    l.set_selected(1, true);
    l.set_selected(3, true);
    ui_test::press_key(l, 'F', rt::kCtrl);
    EXPECT_EQ(l.selected_rows(), (std::vector<int>{0, 2}));
    ui_test::press_key(l, VK_DELETE);
    EXPECT_EQ(names_in(l), (std::vector<std::string>{"1.txt", "3.txt"}));
    l.set_selected(0, true);
    ui_test::press_key(l, VK_BACK, rt::kShift);  // with any modifier
    EXPECT_EQ(names_in(l), (std::vector<std::string>{"3.txt"}));
    ui_test::press_key(l, 'A', rt::kCtrl);
    EXPECT_EQ(l.selected_count(), 1);
    ui_test::press_key(l, VK_DELETE);
    EXPECT_EQ(l.row_count(), 0);
  }
}

TEST_F(BatchTest, TheMenusOfferWhatTheListAllowsAndRunTheKeys) {
  std::vector<std::string> paths = {file("0.txt"), file("1.txt"), file("2.txt")};
  open();
  show_page(OptionsWindowForm::kFilePage);
  ShownMenu m = right_click(batch_list());
  EXPECT_EQ(m.enabled(), (std::vector<std::string>{"添加文件(&T)"}));
  int separators = 0;
  for (const auto& i : m.items) separators += i.separator ? 1 : 0;
  EXPECT_EQ(separators, 4);
  drop(batch_list(), paths);
  EXPECT_EQ(right_click(batch_list()).enabled(), kAllItems);
  batch_list().set_all_selected(false);
  right_click(batch_list(), "全部选中(&A)    Ctrl+A");
  EXPECT_EQ(batch_list().selected_count(), 3);
  batch_list().set_selected(1, false);
  right_click(batch_list(), "反向选择(&F)    Ctrl+F");
  EXPECT_EQ(batch_list().selected_rows(), (std::vector<int>{1}));
  right_click(batch_list(), "删除选中(&D)    Del", 1);
  EXPECT_EQ(names_in(batch_list()), (std::vector<std::string>{"0.txt", "2.txt"}));
  right_click(batch_list(), "全部删除(&Q)");
  EXPECT_EQ(batch_list().row_count(), 0);

  show_page(OptionsWindowForm::kConversionPage);
  EXPECT_EQ(right_click(conversion_list()).enabled(), (std::vector<std::string>{"添加文件(&T)"}));
  drop(conversion_list(), paths);
  EXPECT_EQ(right_click(conversion_list()).enabled(), kAllItems);
  right_click(conversion_list(), "全部删除(&Q)");
  EXPECT_EQ(conversion_list().row_count(), 0);
}

TEST_F(BatchTest, AWorkerFillingAListRefusesMoreAndKeepsTheWindowOpen) {
  std::string a = file("a.txt"), b = file("b.txt");
  open();
  show_page(OptionsWindowForm::kFilePage);
  ow().编辑框_目标目录.set_text(dir_);
  rt::seams::hold_workers(true);
  ASSERT_TRUE(rt::seams::drop_files(batch_list(), {a}));
  EXPECT_TRUE(batch_list_busy());
  EXPECT_TRUE(ow().图形按钮_关闭小.disabled());
  // A second drop, the dialog and the menu's adding wait for the fill to end: refused.
  rt::seams::drop_files(batch_list(), {b});
  EXPECT_EQ(rt::seams::held_worker_count(), 1);
  EXPECT_EQ(batch_add_list(), (std::vector<std::string>{a}));
  std::vector<std::string> enabled = right_click(batch_list()).enabled();
  EXPECT_TRUE(std::find(enabled.begin(), enabled.end(), "添加文件(&T)") == enabled.end());
  EXPECT_TRUE(ow().超级按钮_开始执行.disabled());
  // Nothing closes the window meanwhile.
  ui_test::click(ow().图形按钮_关闭小);
  ow().close();
  ui_test::settle();
  EXPECT_TRUE(ow().loaded());
  // The conversion list is another list: it fills beside the batch list.
  show_page(OptionsWindowForm::kConversionPage);
  ASSERT_TRUE(rt::seams::drop_files(conversion_list(), {b}));
  EXPECT_EQ(rt::seams::held_worker_count(), 2);
  EXPECT_TRUE(ow().超级按钮_打开文件.disabled());
  rt::seams::hold_workers(false);
  wait_idle();
  EXPECT_EQ(names_in(batch_list()), (std::vector<std::string>{"a.txt"}));
  EXPECT_EQ(names_in(conversion_list()), (std::vector<std::string>{"b.txt"}));
  EXPECT_FALSE(ow().超级按钮_打开文件.disabled());
  EXPECT_FALSE(ow().图形按钮_关闭小.disabled());
  ui_test::click(ow().图形按钮_关闭小);
  EXPECT_FALSE(ow().loaded());
}

TEST_F(BatchTest, AFillForAWindowThatHasGoneIsDropped) {
  std::string a = file("a.txt");
  open();
  rt::seams::hold_workers(true);
  ASSERT_TRUE(rt::seams::drop_files(batch_list(), {a}));
  // The exit takes the window away whatever runs.
  ow().destroy();
  open();
  EXPECT_FALSE(batch_pages_busy());
  rt::seams::hold_workers(false);
  ui_test::settle(200);
  EXPECT_EQ(batch_list().row_count(), 0);
  EXPECT_FALSE(ow().图形按钮_关闭小.disabled());
}

TEST_F(BatchTest, AttributeBoxesChangeFilesOnlyInSetAttributesModeAndFollowTheSelectedRow) {
  std::string a = file("a.txt"), b = file("b.txt"), c = file("c.txt");
  for (const std::string& p : {a, b, c}) SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_ARCHIVE);
  open();
  drop_on_batch_list({a, b, c});
  // Copy mode: a click only flips the box.
  batch_list().set_all_selected(true);
  ui_test::click(ow().超级按钮_只读文件);
  EXPECT_EQ(checked(ow().超级按钮_只读文件), 0);
  EXPECT_EQ(attributes_of(a), 32);

  choose_operation(4);
  EXPECT_EQ(rt::tooltip_text(ow().组合框_操作类型), "操作类型：批量设置属性");
  batch_list().set_all_selected(false);
  batch_list().set_selected(0, true);
  batch_list().set_selected(2, true);
  // Read-only off, hidden, system and archive on: a click on hidden turns it off again.
  ui_test::click(ow().超级按钮_隐藏文件);
  EXPECT_EQ(attributes_of(a), 4 | 32);
  EXPECT_EQ(attributes_of(b), 32);
  EXPECT_EQ(attributes_of(c), 4 | 32);
  EXPECT_EQ(row_cells(batch_list(), 0), (Cells{"a.txt", "0.003KB", "×", "×", "√", "√", a}));
  EXPECT_EQ(row_cells(batch_list(), 1), (Cells{"b.txt", "0.003KB", "×", "×", "×", "√", b}));

  // A row the user makes current shows its file's attributes in the boxes, and the new name.
  SetFileAttributesA(b.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  ow().编辑框_文件前面加.set_text("新");
  ui_test::click(batch_list(), 30, row_y(batch_list(), 1));
  std::vector<int> shown;
  for (rt::GraphicButton* box : attribute_boxes()) shown.push_back(checked(*box));
  // Wine reports every file as archived.
  int archive = (attributes_of(b) & 32) ? 1 : 0;
  EXPECT_EQ(shown, (std::vector<int>{1, 1, 0, archive}));
  EXPECT_EQ(ow().编辑框_日志.text(), "重命名文件预览：新b.txt");
  SetFileAttributesA(b.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(BatchTest, TheRenamePreviewNumbersByRowInEveryMode) {
  open();
  drop_on_batch_list({dir_ + "甲.jpg", dir_ + "乙.png", dir_ + "丙.gif"});
  ow().编辑框_完全自定义文件名称.set_text("图片");
  ui_test::click(batch_list(), 30, row_y(batch_list(), 2));
  EXPECT_EQ(ow().编辑框_日志.text(), "重命名文件预览：图片3.gif");
  // Copy mode leaves the boxes alone.
  std::vector<int> shown;
  for (rt::GraphicButton* box : attribute_boxes()) shown.push_back(checked(*box));
  EXPECT_EQ(shown, (std::vector<int>{1, 1, 1, 1}));
}

TEST_F(BatchTest, TheNamingBoxesGetTheirFramesTheFirstTimeTheFilePageShows) {
  open();
  EXPECT_EQ(batch_frames_done(), 0);
  show_page(OptionsWindowForm::kFilePage);
  EXPECT_EQ(batch_frames_done(), 1);
  EXPECT_TRUE(ow().编辑框_日志.visible());
  EXPECT_FALSE(ow().透明标签_日志.visible());
  EXPECT_FALSE(ow().进度条_文件执行进度.visible());
}

// ---- The operations ----

TEST_F(BatchTest, CopyingIntoAFolderThatHoldsTheNamesCountsClashesOverTheRun) {
  std::string a = file("a.txt", "A"), b = file("b.txt", "B");
  std::string out = folder("out");
  file("a.txt", "old a", out);
  file("b.txt", "old b", out);
  file("b-重命名1.txt", "old b1", out);
  open();
  drop_on_batch_list({a, b});
  ow().编辑框_目标目录.set_text(out);
  run_operation();
  // b.txt first: its name and the next are taken; then a.txt.
  EXPECT_EQ(bytes_of(out + "b-重命名2.txt"), "B");
  EXPECT_EQ(bytes_of(out + "a-重命名3.txt"), "A");
  EXPECT_EQ(bytes_of(out + "b-重命名1.txt"), "old b1");
  EXPECT_EQ(bytes_of(out + "a.txt"), "old a");
  EXPECT_EQ(bytes_of(a), "A");
  EXPECT_EQ(batch_list().row_count(), 0);
  EXPECT_EQ(ow().透明标签_日志.text(), "成功复制文件：" + a);
  EXPECT_EQ(ow().编辑框_日志.text(), "任务执行完毕！不计执行失败的任务！");
  EXPECT_TRUE(ow().编辑框_日志.visible());
  EXPECT_FALSE(ow().透明标签_日志.visible());
  EXPECT_FALSE(ow().进度条_文件执行进度.visible());
  EXPECT_EQ(ow().进度条_文件执行进度.position(), 0);
  EXPECT_EQ(ow().超级按钮_开始执行.caption(), "开始执行");
  EXPECT_EQ(batch_idle(), 1);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(BatchTest, TheNamingBoxesNameTheCopies) {
  struct Case {
    const char* name;
    rt::EditBox OptionsWindowForm::*box;
    const char* text;
    const char* copy;
  };
  const Case cases[] = {
      {"abcabc.txt", &OptionsWindowForm::编辑框_过滤替换, "a:b|c", "bbbb.txt"},
      {"readme", &OptionsWindowForm::编辑框_改后缀名, "bak", "readmebak"},
      {"readme.txt", &OptionsWindowForm::编辑框_文件前面加, "实用的", "实用的readme.txt"},
      {"readme.txt", &OptionsWindowForm::编辑框_文件后面加, "好用", "readme好用.txt"},
  };
  open();
  int n = 0;
  for (const Case& c : cases) {
    std::string out = folder("out" + std::to_string(n++));
    std::string source = file(c.name, c.name, folder("in" + std::to_string(n)));
    for (rt::EditBox* box : {&ow().编辑框_过滤替换, &ow().编辑框_改后缀名, &ow().编辑框_文件前面加,
                             &ow().编辑框_文件后面加, &ow().编辑框_完全自定义文件名称})
      box->set_text("");
    (ow().*c.box).set_text(c.text);
    drop_on_batch_list({source});
    ow().编辑框_目标目录.set_text(out);
    run_operation();
    EXPECT_EQ(bytes_of(out + c.copy), c.name) << c.copy;
  }
}

TEST_F(BatchTest, MovingWithACustomNameNumbersTheRowsByTheirPlace) {
  std::string in = folder("in"), out = folder("out");
  std::vector<std::string> paths = {file("甲.jpg", "1", in), file("乙.png", "2", in), file("丙.gif", "3", in)};
  open();
  choose_operation(1);
  drop_on_batch_list(paths);
  ow().编辑框_完全自定义文件名称.set_text("图片");
  ow().编辑框_过滤替换.set_text("甲:乙");
  ow().编辑框_目标目录.set_text(out);
  run_operation();
  EXPECT_EQ(bytes_of(out + "图片1.jpg"), "1");
  EXPECT_EQ(bytes_of(out + "图片2.png"), "2");
  EXPECT_EQ(bytes_of(out + "图片3.gif"), "3");
  for (const std::string& p : paths) EXPECT_FALSE(rt::file_exists(p)) << p;
  EXPECT_EQ(ow().透明标签_日志.text(), "成功移动文件：" + paths[0]);
}

TEST_F(BatchTest, RenamingWithEmptyBoxesFindsEachFilesOwnName) {
  std::string report = file("report.txt", "r"), notes = file("notes", "n");
  open();
  choose_operation(3);
  // Renaming needs no target folder.
  EXPECT_FALSE(ow().超级按钮_开始执行.disabled());
  drop_on_batch_list({report, notes});
  run_operation();
  // notes (row 1) first.
  EXPECT_EQ(bytes_of(dir_ + "notes-重命名1"), "n");
  EXPECT_EQ(bytes_of(dir_ + "report-重命名2.txt"), "r");
  EXPECT_FALSE(rt::file_exists(report));
  EXPECT_EQ(ow().透明标签_日志.text(), "成功更名文件：" + report);
}

TEST_F(BatchTest, DeletingGoesToTheRecycleBinUnlessTheOptionSaysOtherwise) {
  std::string a = file("a.txt"), b = file("b.txt");
  open();
  choose_operation(2);
  drop_on_batch_list({a});
  run_operation();
  EXPECT_FALSE(rt::file_exists(a));
  EXPECT_EQ(ow().透明标签_日志.text(), "成功删除文件：" + a + "到回收站！");

  config_set_flag(cfg::文件操作设置::不删除到回收站, true);
  drop_on_batch_list({b, dir_ + "无.txt"});
  run_operation();
  EXPECT_FALSE(rt::file_exists(b));
  // The missing file fails (row 1, first), b.txt succeeds.
  EXPECT_EQ(ow().透明标签_日志.text(), "成功删除文件：" + b);
  EXPECT_EQ(batch_list().row_count(), 0);
}

TEST_F(BatchTest, SettingAttributesWritesExactlyTheBoxes) {
  std::string a = file("a.txt"), b = file("b.txt");
  SetFileAttributesA(a.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  open();
  choose_operation(4);
  drop_on_batch_list({a, b});
  set_boxes(0);
  run_operation();
  // Wine cannot clear the archive bit of a file; read-only, hidden and system go.
  EXPECT_EQ(attributes_of(a) & 7, 0);
  EXPECT_EQ(attributes_of(b) & 7, 0);
  EXPECT_EQ(ow().透明标签_日志.text(), "成功置文件属性：" + a);
  drop_on_batch_list({a});
  set_boxes(2 | 4);
  run_operation();
  EXPECT_EQ(attributes_of(a) & 7, 2 | 4);
  SetFileAttributesA(a.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(BatchTest, AFailedRowIsLoggedAndLeavesTheListLikeTheOthers) {
  std::string out = folder("out");
  std::string a = file("a.txt", "A");
  open();
  // a.txt (row 1) first, then the missing file.
  drop_on_batch_list({dir_ + "无.txt", a});
  ow().编辑框_目标目录.set_text(out);
  run_operation();
  rt::Label& label = ow().透明标签_日志;
  EXPECT_EQ(label.text(), "复制文件：" + dir_ + "无.txt 失败！");
  EXPECT_EQ(label.text_color(), 16711680u);  // red only while it is written
  EXPECT_EQ(bytes_of(out + "a.txt"), "A");
  EXPECT_EQ(batch_list().row_count(), 0);
  EXPECT_EQ(ow().编辑框_日志.text(), "任务执行完毕！不计执行失败的任务！");
}

TEST_F(BatchTest, AStartIsRefusedWithAReasonUntilTheBoxesAndTheListAllowIt) {
  std::string a = file("a.txt");
  std::string out = folder("out");
  open();
  OptionsWindowForm& f = ow();
  // Copy and move need a target folder: an empty one disables the button.
  EXPECT_TRUE(f.超级按钮_开始执行.disabled());
  f.编辑框_目标目录.set_text(dir_ + "无\\");
  EXPECT_FALSE(f.超级按钮_开始执行.disabled());
  f.编辑框_改后缀名.set_text(".b|a*k");
  f.编辑框_完全自定义文件名称.set_text("x?");
  ui_test::click(f.超级按钮_开始执行);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "检测到名称含有特殊字符！");
  EXPECT_EQ(boxes[0].text,
            "  检测到自定义后缀名称中含有特殊字符，这些是文件命名不允许的，所以程序自动去除了这些字符，请确定"
            "文件命名是否符合标准！\r\n");
  EXPECT_EQ(boxes[0].title_color, 255u);
  EXPECT_EQ(boxes[0].text_color, 16711935u);
  EXPECT_EQ(boxes[0].icon, 16);
  EXPECT_EQ(boxes[0].owner, f.handle());
  EXPECT_EQ(f.编辑框_改后缀名.text(), ".bak");
  EXPECT_EQ(f.编辑框_完全自定义文件名称.text(), "x?");  // only the first box per click
  ui_test::click(f.超级按钮_开始执行);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].text.substr(0, 18), "  检测到完全自定义");
  EXPECT_EQ(f.编辑框_完全自定义文件名称.text(), "x");
  ui_test::click(f.超级按钮_开始执行);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[2].title, "目标目录不存在！");
  EXPECT_EQ(boxes[2].text, "  目标目录不存在，请确定是否正确输入，然后在继续操作……\r\n");
  f.编辑框_目标目录.set_text(out);
  ui_test::click(f.超级按钮_开始执行);
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[3].title, "不存在可处理的对象！");
  EXPECT_EQ(boxes[3].text, "  你还未选择要处理的文件，所以程序无法继续执行任务，请返回重新选择文件再继续操作……\r\n");
  EXPECT_EQ(batch_idle(), 1);
  drop_on_batch_list({a});
  run_operation();
  EXPECT_EQ(boxes.size(), 4u);
  EXPECT_TRUE(rt::file_exists(out + "x1.bak"));
}

TEST_F(BatchTest, WhileARunGoesTheListIsLockedAndAStopBeforeTheFirstRowDoesNothing) {
  std::string out = folder("out");
  std::vector<std::string> paths = {file("0.txt"), file("1.txt"), file("2.txt")};
  open();
  drop_on_batch_list(paths);
  OptionsWindowForm& f = ow();
  f.编辑框_目标目录.set_text(out);
  f.编辑框_操作目录.set_text(dir_);
  rt::seams::hold_workers(true);
  ui_test::click(f.超级按钮_开始执行);
  EXPECT_EQ(f.超级按钮_开始执行.caption(), "停止执行");
  EXPECT_FALSE(f.超级按钮_开始执行.disabled());
  EXPECT_EQ(batch_idle(), 0);
  EXPECT_TRUE(f.透明标签_日志.visible());
  EXPECT_TRUE(f.进度条_文件执行进度.visible());
  EXPECT_FALSE(f.编辑框_日志.visible());
  EXPECT_EQ(f.进度条_文件执行进度.maximum(), 3);
  // The list's keys and menu, drops, the search and the folder button do nothing.
  EXPECT_TRUE(f.超级按钮_搜索.disabled());
  EXPECT_TRUE(f.图形按钮_选择目录.disabled());
  EXPECT_TRUE(right_click(batch_list()).enabled().empty());
  batch_list().set_all_selected(true);
  ui_test::press_key(batch_list(), VK_DELETE);
  rt::seams::drop_files(batch_list(), {out});
  ui_test::press_key(f.编辑框_操作目录, VK_RETURN);
  EXPECT_EQ(batch_list().row_count(), 3);
  EXPECT_EQ(rt::seams::held_worker_count(), 1);
  // The label and the progress belong to the file page.
  show_page(OptionsWindowForm::kProgramPage);
  EXPECT_FALSE(f.透明标签_日志.visible());
  EXPECT_FALSE(f.进度条_文件执行进度.visible());
  show_page(OptionsWindowForm::kFilePage);
  EXPECT_FALSE(f.编辑框_日志.visible());
  // Stopping: the caption goes back at once, the button waits for the worker.
  ui_test::click(f.超级按钮_开始执行);
  EXPECT_EQ(f.超级按钮_开始执行.caption(), "开始执行");
  EXPECT_TRUE(f.超级按钮_开始执行.disabled());
  EXPECT_EQ(batch_idle(), 1);
  ui_test::click(f.超级按钮_开始执行);
  EXPECT_EQ(rt::seams::held_worker_count(), 1);
  rt::seams::hold_workers(false);
  wait_idle();
  EXPECT_FALSE(f.超级按钮_开始执行.disabled());
  EXPECT_EQ(batch_list().row_count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(rt::file_exists(out + std::to_string(i) + ".txt"));
  EXPECT_EQ(f.编辑框_日志.text(), "任务执行完毕！不计执行失败的任务！");
  EXPECT_TRUE(f.编辑框_日志.visible());
}

TEST_F(BatchTest, StoppingARunLeavesTheRowsNotReached) {
  std::string out = folder("out");
  std::vector<std::string> paths;
  for (int i = 0; i < 4; ++i) paths.push_back(file(std::to_string(i) + ".txt", std::to_string(i)));
  open();
  drop_on_batch_list(paths);
  OptionsWindowForm& f = ow();
  f.编辑框_目标目录.set_text(out);
  {
    ClickAtFirstRemoval stop(batch_list(), f.超级按钮_开始执行);
    ui_test::click(f.超级按钮_开始执行);
    wait_idle();
  }
  // The last row was done; the first ones stay.
  EXPECT_EQ(names_in(batch_list()), (std::vector<std::string>{"0.txt", "1.txt", "2.txt"}));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(rt::file_exists(out + std::to_string(i) + ".txt"), i == 3) << i;
  EXPECT_EQ(f.进度条_文件执行进度.position(), 0);
  EXPECT_FALSE(f.超级按钮_开始执行.disabled());
  EXPECT_FALSE(f.图形按钮_关闭小.disabled());
}

// ---- The folder search ----

TEST_F(BatchTest, TheSearchFindsTheFolderEntriesThatShareAnAttributeWithTheBoxes) {
  std::string in = folder("in");
  std::string a = file("a.txt", "a", in), b = file("b.txt", "bb", in), c = file("c.log", "c", in);
  file("d.txt", "d", folder("in\\sub"));
  SetFileAttributesA(a.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  SetFileAttributesA(b.c_str(), FILE_ATTRIBUTE_ARCHIVE);
  SetFileAttributesA(c.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  open();
  OptionsWindowForm& f = ow();
  show_page(OptionsWindowForm::kFilePage);
  drop(batch_list(), {dir_ + "x.txt"});
  EXPECT_TRUE(f.超级按钮_搜索.disabled());  // no folder yet
  f.编辑框_操作目录.set_text(in);
  EXPECT_FALSE(f.超级按钮_搜索.disabled());
  // The rule, within the folder only (not its subfolder); the list is emptied first.
  f.编辑框_搜索规则.set_text("*.txt");
  ui_test::click(f.超级按钮_搜索);
  wait_idle();
  EXPECT_EQ(names_in(batch_list()), (std::vector<std::string>{"a.txt", "b.txt"}));
  EXPECT_EQ(row_cells(batch_list(), 0), (Cells{"a.txt", "0.001KB", "√", "×", "×", "√", a}));
  EXPECT_EQ(f.编辑框_日志.text(), "在操作目录共找到2个文件！");
  EXPECT_EQ(f.超级按钮_搜索.caption(), "开始搜索");

  // Enter in the folder box searches too. The boxes filter: an entry must share one of them.
  struct Case {
    int mask;
    std::vector<std::string> found;
  };
  const Case cases[] = {{1, {"a.txt"}}, {2, {"c.log"}}, {1 | 2, {"a.txt", "c.log"}}};
  f.编辑框_搜索规则.set_text("*.*");
  for (const Case& c : cases) {
    set_boxes(c.mask);
    ui_test::press_key(f.编辑框_操作目录, VK_RETURN);
    wait_idle();
    std::vector<std::string> names = names_in(batch_list());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, c.found) << c.mask << " " << f.编辑框_日志.text();
  }
  for (const std::string& p : {a, c}) SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(BatchTest, TheFolderButtonSearchesTheChosenFolderAndTheSearchCanBeStopped) {
  std::string in = folder("in");
  for (int i = 0; i < 40; ++i) file(std::to_string(i) + ".txt", "x", in);
  open();
  OptionsWindowForm& f = ow();
  show_page(OptionsWindowForm::kFilePage);
  rt::seams::script_dialog({DialogKind::Folder, true, {in}});
  rt::seams::hold_workers(true);
  ui_test::click(f.图形按钮_选择目录);
  ASSERT_EQ(rt::seams::dialog_requests().size(), 1u);
  EXPECT_EQ(rt::seams::dialog_requests()[0].title, "请选择要操作的目录……");
  EXPECT_EQ(f.编辑框_操作目录.text(), in);
  EXPECT_EQ(f.超级按钮_搜索.caption(), "停止搜索");
  EXPECT_TRUE(f.图形按钮_选择目录.disabled());
  EXPECT_TRUE(f.超级按钮_开始执行.disabled());
  EXPECT_FALSE(f.超级按钮_搜索.disabled());
  // Stopped before its first file.
  ui_test::click(f.超级按钮_搜索);
  EXPECT_EQ(f.超级按钮_搜索.caption(), "开始搜索");
  EXPECT_TRUE(f.超级按钮_搜索.disabled());  // until the worker has ended
  rt::seams::hold_workers(false);
  wait_idle();
  EXPECT_EQ(batch_list().row_count(), 0);
  EXPECT_EQ(f.编辑框_日志.text(), "在操作目录共找到0个文件！");
  EXPECT_FALSE(f.超级按钮_搜索.disabled());
  EXPECT_FALSE(f.图形按钮_选择目录.disabled());
  ui_test::click(f.超级按钮_搜索);
  wait_idle();
  EXPECT_EQ(batch_list().row_count(), 40);
}

TEST_F(BatchTest, TheBoxesExplainThemselvesWhenTheyGetTheFocus) {
  open();
  OptionsWindowForm& f = ow();
  show_page(OptionsWindowForm::kFilePage);
  struct Case {
    rt::EditBox OptionsWindowForm::*box;
    const char* text;
    std::string shown;
  };
  const Case cases[] = {
      {&OptionsWindowForm::编辑框_过滤替换, "",
       "过滤替换文件名规则，用\"|\"分隔要过滤的内容，\":\"号后面为替换内容；如：替换|多:少|记事本"},
      {&OptionsWindowForm::编辑框_过滤替换, "a:b", "过滤替换规则：a:b"},
      {&OptionsWindowForm::编辑框_搜索规则, "*.txt", "搜索规则：*.txt"},
      {&OptionsWindowForm::编辑框_改后缀名, "", "改变文件的后缀名，用于复制或者移动文件的时候使用！"},
      {&OptionsWindowForm::编辑框_改后缀名, ".bak", "改后文件缀名为：.bak"},
      {&OptionsWindowForm::编辑框_完全自定义文件名称, "图", "完全自定义文件名称：图"},
      {&OptionsWindowForm::编辑框_目标目录, "", "请选择目标目录，目标目录必须存在！"},
      {&OptionsWindowForm::编辑框_目标目录, "D:\\x", "D:\\x"},
      {&OptionsWindowForm::编辑框_操作目录, "", "请选择要操作的目录，目录必须存在！"},
      {&OptionsWindowForm::编辑框_操作目录, "Q:\\无\\", "操作目录不存在：Q:\\无\\"},
      {&OptionsWindowForm::编辑框_操作目录, "@dir", "操作目录："},
  };
  for (const Case& c : cases) {
    std::string text = std::string(c.text) == "@dir" ? dir_ : c.text;
    (f.*c.box).set_text(text);
    f.编辑框_日志.set_focus();
    (f.*c.box).set_focus();
    std::string shown = std::string(c.text) == "@dir" ? c.shown + dir_ : c.shown;
    EXPECT_EQ(f.编辑框_日志.text(), shown) << c.text;
  }
  // The folder box enables the search and the start exactly when the folder exists.
  EXPECT_FALSE(f.超级按钮_搜索.disabled());
  EXPECT_FALSE(f.超级按钮_开始执行.disabled());
  EXPECT_TRUE(f.编辑框_操作目录.has_focus());
  f.编辑框_操作目录.set_text("Q:\\无\\");
  f.编辑框_日志.set_focus();
  f.编辑框_操作目录.set_focus();
  EXPECT_TRUE(f.超级按钮_搜索.disabled());
  EXPECT_TRUE(f.超级按钮_开始执行.disabled());
}

TEST_F(BatchTest, TheTargetFolderButtonFillsTheBoxAndTheStartFollowsIt) {
  std::string out = folder("out");
  open();
  OptionsWindowForm& f = ow();
  rt::seams::script_dialog({DialogKind::Folder, true, {out}});
  ui_test::click(f.图形按钮_目标目录);
  EXPECT_EQ(f.编辑框_目标目录.text(), out);
  EXPECT_FALSE(f.超级按钮_开始执行.disabled());
  EXPECT_EQ(rt::seams::dialog_requests().back().title, "请选择目标目录……");
  f.编辑框_目标目录.set_text("");
  EXPECT_TRUE(f.超级按钮_开始执行.disabled());
  choose_operation(2);
  EXPECT_FALSE(f.超级按钮_开始执行.disabled());
  EXPECT_EQ(rt::tooltip_text(f.组合框_操作类型), "操作类型：批量删除文件");
}

// ---- The encoding conversion ----

TEST_F(BatchTest, ConvertingWritesEachFileIntoTheChosenFolderAndEmptiesTheList) {
  std::string in = folder("in"), out = folder("out");
  std::string a = file("甲.txt", utf8(L"第一行\r\n"), in), b = file("b.txt", utf8(L"abc"), in);
  open();
  OptionsWindowForm& f = ow();
  show_page(OptionsWindowForm::kConversionPage);
  drop(conversion_list(), {a, b});
  EXPECT_TRUE(f.超级按钮_开始转换.visible());
  EXPECT_FALSE(f.超级按钮_停止转换.visible());
  EXPECT_FALSE(f.进度条_转换进度.visible());
  rt::seams::script_dialog({DialogKind::Folder, true, {out}});
  rt::seams::hold_workers(true);
  ui_test::click(f.超级按钮_开始转换);
  ASSERT_EQ(rt::seams::dialog_requests().size(), 1u);
  EXPECT_EQ(rt::seams::dialog_requests()[0].title, "请选择目标目录……");
  EXPECT_EQ(rt::seams::dialog_requests()[0].folder, "D:\\");
  // Converting: the stop button and the progress in place of the start button; no adding.
  EXPECT_FALSE(f.超级按钮_开始转换.visible());
  EXPECT_TRUE(f.超级按钮_停止转换.visible());
  EXPECT_TRUE(f.进度条_转换进度.visible());
  EXPECT_EQ(f.进度条_转换进度.maximum(), 2);
  EXPECT_TRUE(f.超级按钮_打开文件.disabled());
  EXPECT_TRUE(right_click(conversion_list()).enabled().empty());
  conversion_list().set_all_selected(true);
  ui_test::press_key(conversion_list(), VK_DELETE);
  EXPECT_EQ(conversion_list().row_count(), 2);
  rt::seams::drop_files(conversion_list(), {a});
  EXPECT_EQ(conversion_list().row_count(), 2);
  // Its page alone shows it.
  show_page(OptionsWindowForm::kFilePage);
  EXPECT_FALSE(f.进度条_转换进度.visible());
  EXPECT_FALSE(f.超级按钮_停止转换.visible());
  show_page(OptionsWindowForm::kConversionPage);
  EXPECT_TRUE(f.超级按钮_停止转换.visible());
  rt::seams::hold_workers(false);
  wait_idle();
  EXPECT_EQ(bytes_of(out + "甲.txt"), std::string("第一行\r\n"));
  EXPECT_EQ(bytes_of(out + "b.txt"), "abc");
  EXPECT_EQ(conversion_list().row_count(), 0);
  EXPECT_TRUE(f.超级按钮_开始转换.visible());
  EXPECT_FALSE(f.超级按钮_停止转换.visible());
  EXPECT_FALSE(f.进度条_转换进度.visible());
  EXPECT_EQ(f.进度条_转换进度.position(), 0);
  EXPECT_FALSE(f.超级按钮_打开文件.disabled());
  EXPECT_EQ(conversion_stop_asked(), 0);
  // Every file came over whole: nothing to say.
  EXPECT_TRUE(boxes.empty());
}

TEST_F(BatchTest, EachKindOfConversionOverTheWholeFlow) {
  struct Case {
    int kind;
    std::string in, out;
  };
  const Case cases[] = {
      {kUtf8ToAnsi, utf8(L"转换"), std::string("转换")},
      {kUtf16ToAnsi, utf16le(L"统一码"), std::string("统一码")},
      {kUtf16ToUtf8, utf16le(L"\xFEFF码"), "\xEF\xBB\xBF" + utf8(L"码")},
      {kUtf8ToUtf16, utf8(L"码x"), utf16le(L"码x")},
  };
  open();
  OptionsWindowForm& f = ow();
  show_page(OptionsWindowForm::kConversionPage);
  for (const Case& c : cases) {
    std::string in = folder("in" + std::to_string(c.kind)), out = folder("out" + std::to_string(c.kind));
    std::string source = file("f.txt", c.in, in);
    drop(conversion_list(), {source});
    f.组合框_转换类型.set_current(c.kind);
    rt::seams::script_dialog({DialogKind::Folder, true, {out}});
    ui_test::click(f.超级按钮_开始转换);
    wait_idle();
    std::optional<std::string> written = bytes_of(out + "f.txt");
    ASSERT_TRUE(written) << c.kind;
    EXPECT_EQ(*written, c.out) << c.kind;
    EXPECT_EQ(bytes_of(source), c.in);
  }
  EXPECT_TRUE(boxes.empty());
}

// Each file of a run either comes over whole or is named in the one message at the end, with
// why: a file that would lose characters is still converted where it replaces nothing of its own.
TEST_F(BatchTest, TheEndOfARunNamesEveryFileNotConvertedWholeAndWhy) {
  struct Case {
    const char* name;
    std::string in;
    const char* old_output;                 // a file of that name in the output folder before
    std::optional<std::string> output;      // what the output folder holds after
    bool stays;                             // the row is still listed
  };
  const Case cases[] = {
      {"ok.txt", utf8(L"中文"), nullptr, std::string("中文"), false},
      {"ansi.txt", std::string("中文ab"), "old", "old", true},
      // What code page 936 lacks becomes its default character.
      {"emoji.txt", utf8(L"\xD83D\xDE00"
                         L"a"), nullptr, "?a", false},
      // The ANSI text ends before its first zero.
      {"zero.txt", std::string("a\0b", 3), nullptr, "a", false},
      {"gone.txt", "g", nullptr, std::nullopt, true},
      {"ro.txt", "r", "old", "old", true},
  };
  std::string in = folder("in"), out = folder("out");
  std::vector<std::string> paths;
  for (const Case& c : cases) {
    paths.push_back(file(c.name, c.in, in));
    if (c.old_output) file(c.name, c.old_output, out);
  }
  SetFileAttributesA((out + "ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  open();
  show_page(OptionsWindowForm::kConversionPage);
  drop(conversion_list(), paths);
  DeleteFileA((in + "gone.txt").c_str());
  rt::seams::script_dialog({DialogKind::Folder, true, {out}});
  ui_test::click(ow().超级按钮_开始转换);
  wait_idle();
  std::vector<std::string> listed;
  for (const Case& c : cases) {
    EXPECT_EQ(bytes_of(out + c.name), c.output) << c.name;
    if (c.stays) listed.push_back(c.name);
  }
  EXPECT_EQ(names_in(conversion_list()), listed);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "有文件没有完整转换！");
  EXPECT_EQ(boxes[0].icon, 48);
  EXPECT_EQ(boxes[0].owner, ow().handle());
  // The rows are converted from the last: the message names them in that order.
  EXPECT_EQ(boxes[0].text,
            "  有 3 个文件没有转换（仍在列表中），2 个文件转换时有字符没能写出：\r\n"
            "  ro.txt：无法写入输出文件，没有转换\r\n"
            "  gone.txt：无法读取，没有转换\r\n"
            "  zero.txt：从零字符起的 2 个字符写不进 ANSI 文本，已转换到零字符为止\r\n"
            "  emoji.txt：有 1 个字符 ANSI 中没有，已转换，缺的字符写成了“?”\r\n"
            "  ansi.txt：不是 UTF-8 文本，没有转换");
}

TEST_F(BatchTest, ASourceIsReplacedOnlyByItsWholeConvertedForm) {
  std::string whole = file("whole.txt", utf16le(L"中x")), lossy = file("lossy.txt", utf16le(L"\x0E01x"));
  std::string bad = file("bad.txt", std::string("\x00\xDE", 2));
  open();
  show_page(OptionsWindowForm::kConversionPage);
  drop(conversion_list(), {whole, lossy, bad});
  ow().组合框_转换类型.set_current(kUtf16ToAnsi);
  rt::seams::script_dialog({DialogKind::Folder, true, {dir_}});
  ui_test::click(ow().超级按钮_开始转换);
  wait_idle();
  EXPECT_EQ(bytes_of(whole), std::string("中x"));
  EXPECT_EQ(bytes_of(lossy), utf16le(L"\x0E01x"));
  EXPECT_EQ(bytes_of(bad), std::string("\x00\xDE", 2));
  EXPECT_EQ(names_in(conversion_list()), (std::vector<std::string>{"lossy.txt", "bad.txt"}));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            "  有 2 个文件没有转换（仍在列表中）：\r\n"
            "  bad.txt：不是 Unicode 文本，没有转换\r\n"
            "  lossy.txt：有 1 个字符 ANSI 中没有，输出会替换原文件，没有转换");
}

TEST_F(BatchTest, AnEmptyListOrACancelledFolderConvertsNothing) {
  open();
  OptionsWindowForm& f = ow();
  show_page(OptionsWindowForm::kConversionPage);
  ui_test::click(f.超级按钮_开始转换);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "未读取到要操作的文件！");
  EXPECT_EQ(boxes[0].text, "  你还未选择需要操作的文件！请重新选择！\r\n");
  EXPECT_EQ(boxes[0].icon, 48);
  EXPECT_EQ(boxes[0].owner, f.handle());
  EXPECT_TRUE(rt::seams::dialog_requests().empty());
  std::string a = file("a.txt", "abc");
  drop(conversion_list(), {a});
  ui_test::click(f.超级按钮_开始转换);  // the dialog is cancelled
  ui_test::settle();
  EXPECT_EQ(rt::seams::dialog_requests().size(), 1u);
  EXPECT_FALSE(batch_pages_busy());
  EXPECT_EQ(conversion_list().row_count(), 1);
  EXPECT_TRUE(f.超级按钮_开始转换.visible());
}

TEST_F(BatchTest, AnUnreadableFileOrASecondFileOfOneNameIsNotWrittenAndStays) {
  std::string one = folder("one"), two = folder("two"), out = folder("out");
  std::string first = file("同.txt", "first", one), second = file("同.txt", "second", two);
  std::string gone = file("gone.txt", "g", one);
  file("gone.txt", "kept", out);
  // A GBK file is no UTF-8: it does not convert, and the file of its name stays as it was.
  std::string ansi = file("ansi.txt", "中文", one);
  file("ansi.txt", "old", out);
  open();
  show_page(OptionsWindowForm::kConversionPage);
  drop(conversion_list(), {first, gone, ansi, second});
  DeleteFileA(gone.c_str());
  rt::seams::script_dialog({DialogKind::Folder, true, {out}});
  ui_test::click(ow().超级按钮_开始转换);
  wait_idle();
  // The last row first: two\同.txt is written; one\同.txt would replace it and stays listed.
  EXPECT_EQ(bytes_of(out + "同.txt"), "second");
  EXPECT_EQ(bytes_of(out + "gone.txt"), "kept");
  EXPECT_EQ(bytes_of(out + "ansi.txt"), "old");
  EXPECT_EQ(names_in(conversion_list()), (std::vector<std::string>{"同.txt", "gone.txt", "ansi.txt"}));
  EXPECT_EQ(conversion_list().cell(0, 2), first);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            "  有 3 个文件没有转换（仍在列表中）：\r\n"
            "  ansi.txt：不是 UTF-8 文本，没有转换\r\n"
            "  gone.txt：无法读取，没有转换\r\n"
            "  同.txt：同名的输出文件本次已经写过，没有转换");
}

TEST_F(BatchTest, AnOutputNeverReplacesASourceStillToBeRead) {
  // The last row goes first, and its output out\同.txt is the file of the first row, which has
  // not been read yet: written, it would become that row's input and the user's file would be
  // gone. It stays in the list; the first row then replaces its own file by its converted form.
  std::string in = folder("in"), out = folder("out");
  std::string waiting = file("同.txt", utf16le(L"输出目录里的"), out), first = file("同.txt", utf16le(L"另一个"), in);
  open();
  show_page(OptionsWindowForm::kConversionPage);
  drop(conversion_list(), {waiting, first});
  ow().组合框_转换类型.set_current(kUtf16ToAnsi);
  rt::seams::script_dialog({DialogKind::Folder, true, {out}});
  ui_test::click(ow().超级按钮_开始转换);
  wait_idle();
  EXPECT_EQ(bytes_of(waiting), std::string("输出目录里的"));
  EXPECT_EQ(bytes_of(first), utf16le(L"另一个"));
  ASSERT_EQ(names_in(conversion_list()), (std::vector<std::string>{"同.txt"}));
  EXPECT_EQ(conversion_list().cell(0, 2), first);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "  有 1 个文件没有转换（仍在列表中）：\r\n  同.txt：输出会替换列表中还没转换的文件，没有转换");
}

TEST_F(BatchTest, ChoosingTheSourcesFolderOverwritesTheSources) {
  std::string a = file("a.txt", utf16le(L"中"));
  open();
  show_page(OptionsWindowForm::kConversionPage);
  drop(conversion_list(), {a});
  ow().组合框_转换类型.set_current(kUtf16ToAnsi);
  rt::seams::script_dialog({DialogKind::Folder, true, {dir_}});
  ui_test::click(ow().超级按钮_开始转换);
  wait_idle();
  EXPECT_EQ(bytes_of(a), std::string("中"));
  EXPECT_EQ(conversion_list().row_count(), 0);
}

TEST_F(BatchTest, StoppingAConversionLeavesTheFilesNotReached) {
  std::string out = folder("out");
  std::vector<std::string> paths;
  for (int i = 0; i < 4; ++i) paths.push_back(file(std::to_string(i) + ".txt", "x"));
  open();
  OptionsWindowForm& f = ow();
  show_page(OptionsWindowForm::kConversionPage);
  drop(conversion_list(), paths);
  rt::seams::script_dialog({DialogKind::Folder, true, {out}});
  bool stayed_open = false;
  {
    ClickAtFirstRemoval stop(conversion_list(), f.超级按钮_停止转换);
    ui_test::click(f.超级按钮_开始转换);
    EXPECT_TRUE(batch_pages_busy());
    // Nothing closes the window while it converts.
    ui_test::click(f.图形按钮_关闭小);
    f.close();
    stayed_open = f.loaded();
    wait_idle();
  }
  EXPECT_TRUE(stayed_open);
  EXPECT_EQ(names_in(conversion_list()), (std::vector<std::string>{"0.txt", "1.txt", "2.txt"}));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(rt::file_exists(out + std::to_string(i) + ".txt"), i == 3) << i;
  EXPECT_EQ(conversion_stop_asked(), 0);
  EXPECT_TRUE(f.超级按钮_开始转换.visible());
}

TEST_F(BatchTest, Screenshot) {
  std::vector<std::string> paths;
  for (const char* name : {"第一章.txt", "第二章.txt", "附录.log"}) paths.push_back(file(name, "text"));
  open();
  OptionsWindowForm& f = ow();
  drop_on_batch_list(paths);
  f.编辑框_目标目录.set_text(dir_);
  f.编辑框_文件前面加.set_text("新");
  ui_test::click(batch_list(), 30, row_y(batch_list(), 1));
  ui_test::settle(100);
  ui_test::screenshot("options_window_files_batch");
  EXPECT_TRUE(ui_test::layout_is_sound(f));
  show_page(OptionsWindowForm::kConversionPage);
  drop(conversion_list(), paths);
  ui_test::settle(100);
  ui_test::screenshot("options_window_conversion_list");
  EXPECT_TRUE(ui_test::layout_is_sound(f));
}

}  // namespace
