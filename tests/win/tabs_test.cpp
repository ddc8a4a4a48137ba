// The tab menus' item states, moving between tabs, renaming, copying and the commands on a
// remembered tab, against the real main window under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <map>

#include "app/startup.h"
#include "common/message_box.h"
#include "documents/open_files.h"
#include "documents/save_files.h"
#include "forms/file_info_window_form.h"
#include "forms/main_window_form.h"
#include "common/message_box_form.h"
#include "options/option_values.h"
#include "pages/closing.h"
#include "pages/page_model.h"
#include "pages/tab_commands.h"
#include "app/tab_menu_items.h"
#include "pages/tab_menus.h"
#include "program_test.h"
#include "runtime/clipboard.h"
#include "runtime/files.h"
#include "runtime/popup_menu.h"
#include "runtime/seams.h"
#include "texttools/file_digests.h"
#include "ui_test.h"

namespace {

class TabsTest : public ProgramTest {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir_ = std::string(temp) + "velmora_tabs_" + std::to_string(GetTickCount()) + "\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
    ProgramTest::SetUp();
    set_option(&OptionValues::open_in_thread, 0);
  }
  void TearDown() override {
    ui_test::answer_message_boxes({});
    rt::seams::set_modal_hook(nullptr);
    rt::seams::set_menu_hook(nullptr);
    ProgramTest::TearDown();
    for (const std::string& n : rt::find_files(dir_ + "*")) DeleteFileA((dir_ + n).c_str());
    RemoveDirectoryA(dir_.c_str());
  }
  std::string file(const std::string& name, const std::string& bytes) {
    std::string p = dir_ + name;
    EXPECT_TRUE(rt::write_file_safely(p, bytes));
    return p;
  }
  // Opens a file into a page and makes it current: its tab.
  int open_page(const std::string& name, const std::string& bytes) {
    set_open_queue({file(name, bytes)});
    open_files();
    int tab = tabs().count() - 1;
    tabs().set_current(tab);
    return tab;
  }
  // New pages until there are count tabs; then tab `current` is selected.
  static void pages(int count, int current) {
    while (tabs().count() < count) new_page_command();
    tabs().set_current(current);
  }
  // Tab 0 a placeholder beside count - 1 pages, tab `current` selected.
  static void pages_with_placeholder(int count, int current) {
    pages(count, count - 1);
    close_page_at(0);
    tabs().set_current(current);
    ASSERT_EQ(tab0_placeholder(), 1);
  }
  // Answers the next input prompt: the text typed into it, then the button (-1 the close button).
  static void answer_prompt(const std::string& typed, int code, int* shown = nullptr) {
    rt::seams::set_modal_hook([=](rt::Window& box) {
      if (&box != &message_box_form()) return;
      if (shown) ++*shown;
      MessageBoxForm& f = message_box_form();
      f.编辑框_输入类容.set_text(typed);
      ui_test::click(code < 0 ? f.图形按钮_关闭_信息框 : *f.answer_button(code));
    });
  }
  std::string dir_;
};

// Expected state of one item: shown, enabled.
struct Item {
  std::string caption;
  bool shown, enabled;
};

// The states of a tab menu's items, read by the captions the user sees there.
struct StatesByCaption {
  TabMenuStates states;
  rt::MenuItem* menu;
  TabMenuItemState operator[](const std::string& caption) const {
    // The batch item shows the caption of the batch file's kind once it has been shown.
    rt::MenuItem* item = caption == "运行批处理" ? tab_menu_items().batch : menu->find(caption);
    EXPECT_NE(item, nullptr) << caption;
    return item ? states[static_cast<Command>(item->command)] : TabMenuItemState{};
  }
};
StatesByCaption current_states() { return {current_tab_menu_states(), tab_menu_items().current}; }
StatesByCaption other_states(int index) { return {other_tab_menu_states(index), tab_menu_items().other}; }

void expect_items(const StatesByCaption& s, const std::vector<Item>& items) {
  for (const Item& i : items) {
    EXPECT_EQ(s[i.caption].shown, i.shown) << i.caption;
    if (i.shown) {
      EXPECT_EQ(s[i.caption].enabled, i.enabled) << i.caption;
    }
  }
}

// What a right click on a tab shows: the open menu's items, top level and the submenus asked for.
struct ShownMenu {
  std::string menu;  // the caption of the menu that opened
  std::vector<rt::PopupMenu::ShownItem> top;
  std::map<std::string, std::vector<rt::PopupMenu::ShownItem>> subs;
  // The caption of a top-level item and whether a separator stands right above it.
  bool has(const std::string& caption) const {
    return std::any_of(top.begin(), top.end(), [&](const auto& i) { return i.caption == caption; });
  }
  bool separator_above(const std::string& caption) const {
    for (size_t i = 1; i < top.size(); ++i)
      if (top[i].caption == caption) return top[i - 1].separator;
    return false;
  }
  const rt::PopupMenu::ShownItem* item(const std::string& sub, const std::string& caption) const {
    auto it = subs.find(sub);
    if (it == subs.end()) return nullptr;
    for (const auto& i : it->second)
      if (i.caption == caption) return &i;
    return nullptr;
  }
};

// Right-clicks the tab and reads the menu that opens; then picks `choose` in it, or closes it.
ShownMenu right_click_tab(int tab, const std::string& choose = {}) {
  ShownMenu shown;
  bool opened = false;
  rt::seams::set_menu_hook([&](rt::PopupMenu& menu) {
    opened = true;
    shown.menu = menu.open_menu()->caption;
    shown.top = menu.shown_items();
    for (const auto& i : shown.top)
      if (i.submenu) shown.subs[i.caption] = menu.shown_items(i.caption);
    if (choose.empty() || !menu.choose(choose)) menu.close();
  });
  rt::Rect r = tabs().tab_rect(tab);
  ui_test::right_click(tabs(), r.left + r.width / 2, r.height / 2);
  rt::seams::set_menu_hook(nullptr);
  EXPECT_TRUE(opened) << "no menu opened on tab " << tab;
  return shown;
}

const char kJumpWindow[] = "跳转页面(&M)    Ctrl+D";
const char kFirst[] = "跳到最前(&T)";
const char kMiddle[] = "跳到中间(&Z)";
const char kLast[] = "跳到最后(&H)";
const char kBackward[] = "向前滚动(&Q)";
const char kForward[] = "向后滚动(&H)";
const char kClose[] = "关闭本页(&W)    Ctrl+W";
const char kCloseAll[] = "全部关闭(&G)    Ctrl+G";
const char kSaveAll[] = "全部保存(&Q)";

TEST_F(TabsTest, JumpAndScrollItemsFollowTheTabCountAndPosition) {
  struct Case {
    const char* name;
    std::function<void()> setup;
    std::vector<Item> items;
  };
  const Case cases[] = {
      {"one tab",
       [] {},
       {{kClose, true, false},
        {kCloseAll, true, false},
        {kSaveAll, true, false},
        {kFirst, true, false},
        {kMiddle, true, false},
        {kLast, true, false},
        {kBackward, true, false},
        {kForward, true, false}}},
      {"two tabs, the first current",
       [] { pages(2, 0); },
       {{kClose, true, true},
        {kCloseAll, true, true},
        {kSaveAll, true, true},
        {kFirst, true, false},
        {kMiddle, true, false},
        {kLast, true, true},
        {kBackward, true, false},
        {kForward, true, true}}},
      {"two tabs, the second current",
       [] { pages(2, 1); },
       {{kFirst, true, true},
        {kMiddle, true, false},
        {kLast, true, false},
        {kBackward, true, true},
        {kForward, true, false}}},
      {"three tabs, the middle one current",
       [] { pages(3, 1); },
       {{kFirst, true, true}, {kMiddle, true, false}, {kLast, true, true}}},
      {"four tabs: the middle is tab 1", [] { pages(4, 1); }, {{kMiddle, true, false}}},
      {"four tabs, tab 2 current", [] { pages(4, 2); }, {{kMiddle, true, true}}},
      {"five tabs: the middle is tab 2", [] { pages(5, 2); }, {{kMiddle, true, false}, {kFirst, true, true}}},
      {"placeholder tab 0, the second tab current",
       [] { pages_with_placeholder(3, 1); },
       {{kFirst, true, false}, {kBackward, true, false}, {kMiddle, true, false}, {kLast, true, true}}},
      {"placeholder tab 0 beside one page",
       [] { pages_with_placeholder(2, 1); },
       {{kFirst, true, false}, {kBackward, true, false}, {kLast, true, false}, {kClose, true, true}}},
      {"nine tabs", [] { pages(9, 4); }, {{kJumpWindow, true, false}}},
      {"ten tabs", [] { pages(10, 4); }, {{kJumpWindow, true, true}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    remove_all_pages();
    c.setup();
    expect_items(current_states(), c.items);
  }
}

TEST_F(TabsTest, FileItemsFollowThePagesFile) {
  const std::vector<std::string> file_items = {"复制文件路径(&L)",  "所在目录(&M)",        "复制文件MD5(&D)",
                                               "复制文件SHA1(&S)",  "复制文件CRC32(&C)",   "保存到保存标签(&K)",
                                               "复制文件到...(&F)", "移动文件到...(&Y)",   "重命名文件(&C)",
                                               "删除到回收站(&D)",  "用记事本打开...(&N)", "文件属性(&S)"};
  auto all = [&](bool enabled) {
    std::vector<Item> items;
    for (const std::string& c : file_items) items.push_back({c, true, enabled});
    return items;
  };
  // An untitled page: no file operations, nothing that needs a file.
  ui_test::type_text(editor(), "文字");
  StatesByCaption s = current_states();
  EXPECT_FALSE(s["文件操作(&J)"].shown);
  expect_items(s, all(false));
  EXPECT_TRUE(s["复制文件类容(&N)"].enabled);
  EXPECT_TRUE(s["保存文件(&S)"].enabled) << "modified";

  int tab = open_page("saved.txt", "x");
  s = current_states();
  EXPECT_TRUE(s["文件操作(&J)"].shown);
  expect_items(s, all(true));
  EXPECT_FALSE(s["保存文件(&S)"].enabled) << "just opened";

  // Deleted on disk: the file operations stay in the menu, all greyed.
  DeleteFileA((dir_ + "saved.txt").c_str());
  s = current_states();
  EXPECT_TRUE(s["文件操作(&J)"].shown);
  expect_items(s, all(false));

  // An empty edit box: nothing to copy or print.
  editor().set_text("");
  s = current_states();
  EXPECT_FALSE(s["复制文件类容(&N)"].enabled);
  EXPECT_FALSE(s["打印文件(&P)    Ctrl+P"].enabled);
  EXPECT_EQ(tabs().current(), tab);
}

TEST_F(TabsTest, LyricsBatchAndBackupItemsAppearForTheirFiles) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> others;  // further files beside it
    bool lyrics;
    std::string batch_caption;  // empty: the batch item is hidden
    bool backup;
  };
  const Case cases[] = {
      {"song.LRC", "[00:01.00]歌词", {}, true, "", false},
      {"half.lrc", "[00:01.00 no closing bracket", {}, false, "", false},
      {"words.lrc", "[01:00]not at the start", {}, false, "", false},
      {"run.Bat", "echo", {}, false, "运行BAT(&F5)   Ctrl+F5", false},
      {"run.CMD", "echo", {}, false, "运行CMD(&F5)   Ctrl+F5", false},
      {"forced.txt", "t", {"forced.BAK"}, false, "", true},
      {"plain.txt", "t", {"plain.txt.BAK"}, false, "", true},
      {"none.txt", "[00:]", {"none.bak.txt"}, false, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const std::string& o : c.others) file(o, "old");
    open_page(c.name, c.text);
    StatesByCaption s = current_states();
    EXPECT_EQ(s["取纯歌词(&C)"].shown, c.lyrics);
    EXPECT_EQ(s["运行批处理"].shown, !c.batch_caption.empty());
    EXPECT_EQ(s.states.batch_caption, c.batch_caption);
    EXPECT_EQ(s.states.batch_separator, c.lyrics || !c.batch_caption.empty());
    EXPECT_EQ(s["恢复备份(&H)"].shown, c.backup);
    EXPECT_EQ(s.states.restore_separator, c.backup);
  }
}

TEST_F(TabsTest, TheMenuOfAnotherTabKnowsItsFile) {
  open_page("other.txt", "o");  // fills tab 0
  new_page_command();
  ASSERT_EQ(tabs().current(), 1);
  EXPECT_TRUE(other_states(0)["所在目录(&M)"].enabled);
  EXPECT_TRUE(other_states(0)["文件属性(&S)"].enabled);
  DeleteFileA((dir_ + "other.txt").c_str());
  EXPECT_FALSE(other_states(0)["所在目录(&M)"].enabled);
  new_page_command();
  EXPECT_FALSE(other_states(1)["文件属性(&S)"].enabled) << "never saved";
}

TEST_F(TabsTest, JumpCommandsSelectTheirTab) {
  struct Case {
    const char* name;
    std::function<void()> setup;
    void (*command)();
    int selected;
  };
  const Case cases[] = {
      {"first", [] { pages(4, 3); }, jump_to_first_tab, 0},
      {"first beside a placeholder", [] { pages_with_placeholder(4, 3); }, jump_to_first_tab, 1},
      {"middle of three", [] { pages(3, 0); }, jump_to_middle_tab, 1},
      {"middle of four", [] { pages(4, 3); }, jump_to_middle_tab, 1},
      {"middle of five", [] { pages(5, 0); }, jump_to_middle_tab, 2},
      {"last", [] { pages(4, 0); }, jump_to_last_tab, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    remove_all_pages();
    c.setup();
    c.command();
    EXPECT_EQ(tabs().current(), c.selected);
  }
}

TEST_F(TabsTest, ScrollingMovesOneTabPerTickAndGivesTheTimerBackToAutoSave) {
  set_option(&OptionValues::autosave_interval, 60000);
  // Every tab is passed on the way, one per tick, and the last one is kept.
  auto scroll = [](void (*command)()) {
    std::vector<int> seen{tabs().current()};
    command();
    EXPECT_EQ(w().时钟_滚动标签.interval(), 500);
    ui_test::wait_for(
        [&] {
          if (tabs().current() != seen.back()) seen.push_back(tabs().current());
          return w().时钟_滚动标签.interval() != 500;
        },
        8000);
    return seen;
  };
  pages(5, 0);
  EXPECT_EQ(scroll(scroll_tabs_towards_last), (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(w().时钟_滚动标签.interval(), 60000);
  ui_test::settle(700);
  EXPECT_EQ(tabs().current(), 4);
  // Towards the first: a placeholder tab 0 is never reached.
  close_page_at(0);
  tabs().set_current(3);
  EXPECT_EQ(scroll(scroll_tabs_towards_first), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(w().时钟_滚动标签.interval(), 60000);
  // Without auto-save the timer stops.
  set_option(&OptionValues::autosave_interval, 0);
  scroll(scroll_tabs_towards_last);
  EXPECT_EQ(tabs().current(), 4);
  EXPECT_FALSE(w().时钟_滚动标签.running());
}

TEST_F(TabsTest, ArrowButtonsStopAtBothEnds) {
  pages(3, 0);
  ui_test::click(w().图形按钮_向左);
  EXPECT_EQ(tabs().current(), 0);
  ui_test::click(w().图形按钮_向右);
  ui_test::click(w().图形按钮_向右);
  EXPECT_EQ(tabs().current(), 2);
  ui_test::click(w().图形按钮_向右);
  EXPECT_EQ(tabs().current(), 2);
  ui_test::click(w().图形按钮_向左);
  EXPECT_EQ(tabs().current(), 1);
  // Beside a placeholder tab 0, tab 1 is as far as it goes.
  close_page_at(0);
  tabs().set_current(1);
  ui_test::click(w().图形按钮_向左);
  EXPECT_EQ(tabs().current(), 1);
}

TEST_F(TabsTest, RenamingATab) {
  const std::string twenty = "a一二三四五六七八九x";  // 20 bytes; byte 12 starts a character
  ASSERT_EQ(twenty.size(), 20u);
  struct Case {
    const char* name;
    bool saved_page;
    std::string typed;
    int button;                // -1 the close button
    std::string caption;       // empty: unchanged
    std::string tooltip_name;  // empty: unchanged
  };
  const Case cases[] = {
      {"a long name on an untitled page", false, twenty, kBoxOk, "a一二三四五", twenty},
      {"forbidden characters go", false, "<a:b>|c*?\"d/e\\f", kBoxOk, "abcdef", "abcdef"},
      {"a saved page keeps naming its file", true, "新名字", kBoxOk, "新名字", ""},
      {"cancel", false, "不要", kBoxCancel, "", ""},
      {"the close button", false, "不要", -1, "", ""},
      {"nothing left", false, ":|?", kBoxOk, "", ""},
      {"empty", false, "", kBoxOk, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int tab = 0;
    if (c.saved_page) {
      tab = open_page("named.txt", "n");
    } else {
      new_page_command();
      tab = tabs().current();
    }
    std::string caption = tabs().caption(tab), tooltip = tabs().tooltip(tab);
    int shown = 0;
    answer_prompt(c.typed, c.button, &shown);
    rename_current_tab();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(tabs().caption(tab), c.caption.empty() ? caption : c.caption);
    EXPECT_EQ(tabs().tooltip(tab), c.tooltip_name.empty() ? tooltip : make_tab_tooltip(c.tooltip_name));
    if (!c.tooltip_name.empty()) {
      EXPECT_EQ(w().透明标签_文件标题.text(), "标题:" + c.tooltip_name);
    }
  }
}

TEST_F(TabsTest, ThePromptOffersTheCaptionAndTakesEnter) {
  std::string offered;
  rt::seams::set_modal_hook([&](rt::Window&) {
    MessageBoxForm& f = message_box_form();
    offered = f.编辑框_输入类容.text();
    f.编辑框_输入类容.set_text("回车");
    ui_test::press_key(f.编辑框_输入类容, VK_RETURN);
  });
  rename_current_tab();
  EXPECT_EQ(offered, "新建文档 1");
  EXPECT_EQ(tabs().caption(0), "回车");
}

TEST_F(TabsTest, CopiesGoToTheClipboard) {
  int tab = open_page("复制.txt", "abc");
  struct Case {
    void (*command)();
    std::string copied;
  };
  const Case cases[] = {
      {copy_page_name, "复制"},
      {copy_page_path, dir_ + "复制.txt"},
      {copy_page_text, "abc"},
      {copy_file_md5, "900150983CD24FB0D6963F7D28E17F72"},
      {copy_file_sha1, "A9993E364706816ABA3E25717850C26C9CD0D89D"},
      {copy_file_crc32, "C2412435"},
  };
  for (const Case& c : cases) {
    rt::set_clipboard_text("before");
    c.command();
    EXPECT_EQ(rt::clipboard_text(), c.copied);
  }
  // The digest is the file's, not the edited page's.
  ui_test::type_text(editor(), "more");
  copy_file_crc32();
  EXPECT_EQ(rt::clipboard_text(), "C2412435");
  // A file that cannot be read: reported, the clipboard keeps its text.
  DeleteFileA((dir_ + "复制.txt").c_str());
  rt::set_clipboard_text("kept");
  int boxes = 0;
  ui_test::answer_message_boxes({kBoxOk}, &boxes);
  copy_file_md5();
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(rt::clipboard_text(), "kept");
  EXPECT_EQ(tabs().current(), tab);
}

TEST_F(TabsTest, DoubleClicksOnTheStripMakeNewPages) {
  // With Ctrl: a page with the next automatic name.
  ui_test::double_click(tabs(), 3, 3, rt::kCtrl);
  ASSERT_EQ(tabs().count(), 2);
  EXPECT_EQ(tabs().caption(1), "新建文档 2");
  ui_test::double_click(tabs(), 3, 3);  // no key held
  EXPECT_EQ(tabs().count(), 2);
  // With Shift: the page takes the name given, without forbidden characters and line breaks.
  int shown = 0;
  answer_prompt("a:b|c\r\n", kBoxOk, &shown);
  ui_test::double_click(tabs(), 3, 3, rt::kShift);
  EXPECT_EQ(shown, 1);
  ASSERT_EQ(tabs().count(), 3);
  EXPECT_EQ(page_name(2), "abc");
  answer_prompt(" 　 ", kBoxOk);  // blanks only
  ui_test::double_click(tabs(), 3, 3, rt::kShift);
  EXPECT_EQ(tabs().count(), 3);
  // Not while an open run is busy.
  shown = 0;
  answer_prompt("x", kBoxOk, &shown);
  set_open_busy(true);
  ui_test::double_click(tabs(), 3, 3, rt::kCtrl);
  ui_test::double_click(tabs(), 3, 3, rt::kShift);
  set_open_busy(false);
  EXPECT_EQ(tabs().count(), 3);
  EXPECT_EQ(shown, 0);
}

TEST_F(TabsTest, TheShiftPromptOffersTheNextAutomaticName) {
  std::string offered;
  rt::seams::set_modal_hook([&](rt::Window&) {
    offered = message_box_form().编辑框_输入类容.text();
    ui_test::click(message_box_form().图形按钮_取消_信息框);
  });
  custom_new_page_command();
  EXPECT_EQ(offered, "新建文档 2");
  EXPECT_EQ(tabs().count(), 1);
}

TEST_F(TabsTest, CloseAndJumpActOnTheRememberedTab) {
  pages(4, 0);
  right_click_tab(2);
  EXPECT_EQ(remembered_menu_tab(), 2);
  right_click_tab(0);  // the current tab's own menu remembers nothing
  EXPECT_EQ(remembered_menu_tab(), 2);
  jump_to_remembered_tab();
  EXPECT_EQ(tabs().current(), 2);

  right_click_tab(1);
  std::string third = tabs().caption(3);
  close_remembered_tab();
  ASSERT_EQ(tabs().count(), 3);
  EXPECT_EQ(tabs().caption(2), third);

  // A modified page asks first; Cancel keeps it.
  tabs().set_current(1);
  ui_test::type_text(editor(), "changed");
  tabs().set_current(0);
  right_click_tab(1);
  ui_test::answer_message_boxes({kBoxCancel});
  close_remembered_tab();
  EXPECT_EQ(tabs().count(), 3);

  // A remembered tab that no longer exists does nothing.
  right_click_tab(2);
  close_page_at(2);
  close_page_at(1);
  EXPECT_EQ(remembered_menu_tab(), -1);
  tabs().set_current(0);
  jump_to_remembered_tab();
  close_remembered_tab();
  EXPECT_EQ(tabs().count(), 1);
  EXPECT_EQ(tabs().current(), 0);
}

TEST_F(TabsTest, ARightClickOnTheCurrentTabOpensItsMenuWithTheStates) {
  ShownMenu m = right_click_tab(0);
  EXPECT_EQ(m.menu, "标签菜单");
  std::vector<std::string> captions;
  for (const auto& i : m.top) captions.push_back(i.separator ? "-" : i.caption);
  // An untitled page: no file operations, no batch, lyrics or backup items and no separators of theirs.
  EXPECT_EQ(captions,
            (std::vector<std::string>{"查找页面(&Y)", "-", "页面信息(&F)", "-", "关闭本页(&W)    Ctrl+W",
                                      "全部关闭(&G)    Ctrl+G", "-", "保存文件(&S)", "另存文件(&L)", "全部保存(&Q)",
                                      "-", "文件信息(&W)", "所在目录(&M)", "-", "打印文件(&P)    Ctrl+P"}));
  ASSERT_NE(m.item("页面信息(&F)", "复制文件路径(&L)"), nullptr);
  EXPECT_TRUE(m.item("页面信息(&F)", "复制文件路径(&L)")->disabled);
  EXPECT_FALSE(m.item("页面信息(&F)", "重命名标签名(&B)")->disabled);
  EXPECT_EQ(m.subs["页面信息(&F)"].size(), 17u);
  EXPECT_TRUE(m.item("查找页面(&Y)", "跳转页面(&M)    Ctrl+D")->disabled);

  // Lyrics in capitals and a batch file in mixed case show their items under a separator.
  open_page("song.LRC", "[00:12.00]歌");
  m = right_click_tab(tabs().current());
  EXPECT_TRUE(m.has("取纯歌词(&C)"));
  EXPECT_TRUE(m.separator_above("取纯歌词(&C)"));
  EXPECT_TRUE(m.has("文件操作(&J)"));
  ASSERT_NE(m.item("文件操作(&J)", "文件属性(&S)"), nullptr);
  EXPECT_FALSE(m.item("文件操作(&J)", "文件属性(&S)")->disabled);
  file("run.Bat.BAK", "old");
  open_page("run.Bat", "echo");
  m = right_click_tab(tabs().current());
  EXPECT_FALSE(m.has("取纯歌词(&C)"));
  EXPECT_TRUE(m.has("运行BAT(&F5)   Ctrl+F5"));
  EXPECT_TRUE(m.separator_above("运行BAT(&F5)   Ctrl+F5"));
  EXPECT_TRUE(m.separator_above("恢复备份(&H)"));
  // The next menu follows the next page: the batch item goes again.
  tabs().set_current(0);
  m = right_click_tab(0);
  EXPECT_FALSE(m.has("运行BAT(&F5)   Ctrl+F5"));
  EXPECT_FALSE(m.has("恢复备份(&H)"));
}

TEST_F(TabsTest, ItemsPickedInTheTabMenusRunTheirCommands) {
  pages(4, 0);
  right_click_tab(0, "跳到最后(&H)");
  EXPECT_EQ(tabs().current(), 3);
  rt::set_clipboard_text("");
  right_click_tab(3, "复制文件名称(&M)");
  EXPECT_EQ(rt::clipboard_text(), "新建文档 4");

  // Another tab: its own menu; jump to it, close it.
  ShownMenu m = right_click_tab(1, "跳到标签(&T)");
  EXPECT_EQ(m.menu, "标签菜单_不是当前标签");
  EXPECT_EQ(tabs().current(), 1);
  std::string last = tabs().caption(3);
  m = right_click_tab(2, "关闭标签(&B)");
  ASSERT_EQ(tabs().count(), 3);
  EXPECT_EQ(tabs().caption(2), last);
  EXPECT_EQ(tabs().current(), 1);
  ASSERT_EQ(m.top.size(), 7u);
  EXPECT_TRUE(m.top[4].disabled) << "所在目录 of a page without a file";

  right_click_tab(1, "关闭本页(&W)    Ctrl+W");
  EXPECT_EQ(tabs().count(), 2);
}

TEST_F(TabsTest, TheFileInformationItemOpensItsWindow) {
  right_click_tab(0, "文件信息(&W)");
  EXPECT_TRUE(file_info_window().loaded());
  file_info_window().destroy();
}

TEST_F(TabsTest, ScreenshotOfTheTabMenu) {
  open_page("示例.bat", "echo 你好");
  rt::seams::set_menu_hook([](rt::PopupMenu& menu) {
    ui_test::screenshot("tab_menu");
    menu.close();
  });
  rt::Rect r = tabs().tab_rect(tabs().current());
  ui_test::right_click(tabs(), r.left + r.width / 2, r.height / 2);
  EXPECT_FALSE(w().超级菜单.is_open());
}

}  // namespace
