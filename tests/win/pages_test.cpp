// Start-up, the page model and page display, against the real main window under Wine.
#include <windows.h>
// after windows.h
#include <gtest/gtest.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <set>

#include "app/startup.h"
#include "app/shortcuts.h"
#include "documents/save_files.h"
#include "forms/main_window_form.h"
#include "options/option_values.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "pages/tab_commands.h"
#include "layout_check.h"
#include "program_test.h"
#include "recorded_boxes.h"
#include "runtime/app.h"
#include "runtime/clipboard.h"
#include "runtime/files.h"
#include "runtime/seams.h"
#include "texttools/find_replace.h"
#include "runtime/window_services.h"
#include "ui_test.h"

namespace {


class PagesTest : public ProgramTest {
 protected:
  static int new_page(std::string name = {}) { return create_page(name); }
  static void select(int tab) { tabs().set_current(tab); }
  // What the user sees of a page: switch to it and read the edit box.
  static std::string shown_text(int tab) {
    select(tab);
    return editor().text();
  }
};

TEST_F(PagesTest, StartsWithOneEmptyPageInTheVelmoraWindow) {
  EXPECT_EQ(rt::window_class_name(w().handle()), "Velmora");
  EXPECT_EQ(w().caption(), "   Velmora—新建文档 1");
  EXPECT_EQ(rt::window_class_name(tabs().handle()), "VelmoraPageControl");
  EXPECT_EQ(tabs().count(), 1);
  EXPECT_EQ(tabs().caption(0), "新建文档 1");
  EXPECT_EQ(page_name(0), "新建文档 1");
  EXPECT_EQ(editor().text(), "");
  EXPECT_EQ(pages().size(), 1u);
  EXPECT_EQ(open_paths(), " |");
  // The running instance has no scroll arrows: that is how a second start recognises it.
  EXPECT_TRUE(rt::find_child_windows(tabs().handle(), "VelmoraTabArrow").empty());
  EXPECT_EQ(w().透明标签_标签状态.text(), "总数:1篇 当前:第1篇");
  EXPECT_EQ(w().透明标签_文件路径.text(), "  路径:(尚未保存过!)");
  EXPECT_EQ(w().透明标签_文件标题.text(), "标题:新建文档 1");
}

// A step of a sequence: the user's action on the pages.
struct Step {
  enum Kind { New, Type, Select, Mark, Close } kind;
  int tab = 0;
  std::string text;
  int start = 0, length = 0;
};

TEST_F(PagesTest, TextAndSelectionStayWithTheirPage) {
  struct Sequence {
    const char* name;
    std::vector<Step> steps;
    std::vector<std::string> texts;  // per tab at the end
    std::vector<std::pair<int, int>> selections;
  };
  const Sequence sequences[] = {
      {"two pages",
       {{Step::Type, 0, "第一页"},
        {Step::Mark, 0, "", 1, 1},
        {Step::New},
        {Step::Type, 0, "second"},
        {Step::Mark, 0, "", 2, 3},
        {Step::Select, 0}},
       {"第一页", "second"},
       {{1, 1}, {2, 3}}},
      {"close the middle page",
       {{Step::Type, 0, "a"},
        {Step::New},
        {Step::Type, 0, "b"},
        {Step::New},
        {Step::Type, 0, "c"},
        {Step::Mark, 0, "", 0, 1},
        {Step::Select, 1},
        {Step::Close, 1}},
       {"a", "c"},
       {{1, 0}, {0, 1}}},
      {"close the current last page",
       {{Step::New}, {Step::Type, 0, "x"}, {Step::New}, {Step::Type, 0, "yy"}, {Step::Close, 2}},
       {"", "x"},
       {{0, 0}, {1, 0}}},
  };
  for (const Sequence& s : sequences) {
    SCOPED_TRACE(s.name);
    while (tabs().count() > 1) close_page_at(tabs().count() - 1);
    close_page_at(0);
    for (const Step& st : s.steps) {
      switch (st.kind) {
        case Step::New:
          new_page();
          break;
        case Step::Type:
          ui_test::type_text(editor(), st.text);
          break;
        case Step::Select:
          select(st.tab);
          break;
        case Step::Mark:
          editor().select(st.start, st.length);
          break;
        case Step::Close:
          close_page_at(st.tab);
          break;
      }
    }
    ASSERT_EQ(tabs().count(), static_cast<int>(s.texts.size()));
    ASSERT_EQ(pages().size(), s.texts.size());
    // Leave the current page so its selection is stored, then look at each page.
    for (size_t i = 0; i < s.texts.size(); ++i) {
      select(static_cast<int>((i + 1) % s.texts.size()));
      EXPECT_EQ(shown_text(static_cast<int>(i)), s.texts[i]) << "tab " << i;
      EXPECT_EQ(editor().selection_start(), s.selections[i].first) << "tab " << i;
      EXPECT_EQ(editor().selection_length(), s.selections[i].second) << "tab " << i;
      EXPECT_EQ(page_content(static_cast<int>(i)), s.texts[i]) << "tab " << i;
    }
  }
}

TEST_F(PagesTest, AutomaticNamesCountUpAndAreNeverReused) {
  EXPECT_EQ(new_page(), 1);
  EXPECT_EQ(tabs().caption(1), "新建文档 2");
  std::string name;
  EXPECT_EQ(create_page(name), 2);
  EXPECT_EQ(name, "新建文档 3");  // written back to the caller
  close_page_at(2);
  EXPECT_EQ(new_page(), 2);
  EXPECT_EQ(tabs().caption(2), "新建文档 4");
  EXPECT_EQ(new_page_counter(), 4);
}

TEST_F(PagesTest, ATabTheControlRefusesIsToldAndChangesNothing) {
  std::vector<RecordedBox> boxes;
  record_message_boxes(&boxes);
  set_option(&OptionValues::prevent_double_open, 1);
  EXPECT_EQ(new_page(), 1);
  std::string paths = open_paths();
  rt::seams::refuse_tab_insertions(true);
  std::string name;
  int refused = create_page(name);
  new_page_command();
  rt::seams::refuse_tab_insertions(false);
  rt::seams::set_modal_hook(nullptr);
  EXPECT_EQ(refused, -1);
  ASSERT_EQ(boxes.size(), 2u);
  for (const RecordedBox& b : boxes) {
    EXPECT_EQ(b.title, "创建新文档失败！");
    EXPECT_EQ(b.title_color, 0xFF00FFu);
    EXPECT_EQ(b.text, "  对不起！创建新的标签失败！你可以重新创建新的标签……\r\n");
    EXPECT_EQ(b.text_color, 0xFFu);
    EXPECT_EQ(b.icon, 48);
    EXPECT_EQ(b.buttons, std::vector<int>{kBoxOk});
    EXPECT_EQ(b.owner, w().handle());
  }
  EXPECT_EQ(tabs().count(), 2);
  EXPECT_EQ(pages().size(), 2u);
  EXPECT_EQ(tabs().current(), 1);
  EXPECT_EQ(open_paths(), paths);
  // No number was used up.
  EXPECT_EQ(new_page_counter(), 2);
  EXPECT_EQ(new_page(), 2);
  EXPECT_EQ(tabs().caption(2), "新建文档 3");
  set_option(&OptionValues::prevent_double_open, 0);
}

TEST_F(PagesTest, CaptionsHoldTwelveBytesCutOnACharacterAndTooltipsTheWholeName) {
  struct Case {
    std::string name, caption;
  };
  const Case cases[] = {
      {"一二三四五六七八九十", "一二三四五六"},  // 20 bytes
      {"a一二三四五六", "a一二三四五"},          // byte 12 would split 六
      {"short", "short"},
  };
  for (const Case& c : cases) {
    int tab = new_page(c.name);
    ASSERT_GT(tab, 0);
    EXPECT_EQ(tabs().caption(tab), c.caption);
    EXPECT_EQ(tabs().tooltip(tab), "<color=16711680>" + c.name + "<Backcolor=16048819><bordercolor=9795920>");
    EXPECT_EQ(page_name(tab), c.name);
    EXPECT_EQ(w().透明标签_文件标题.text(), "标题:" + c.name);
  }
}

TEST_F(PagesTest, ClosingTheOnlyTabResetsIt) {
  ui_test::type_text(editor(), "old text");
  close_page_at(0);
  EXPECT_EQ(tabs().count(), 1);
  EXPECT_EQ(tabs().caption(0), "新建文档 2");
  EXPECT_FALSE(tabs().tab_disabled(0));
  EXPECT_EQ(tab0_placeholder(), 0);
  EXPECT_EQ(editor().text(), "");
  EXPECT_EQ(pages()[0].modified, 0);
}

TEST_F(PagesTest, Tab0IsAPlaceholderWhileOtherPagesExist) {
  new_page();
  new_page();
  select(0);
  close_page_at(0);
  EXPECT_TRUE(tabs().tab_disabled(0));
  EXPECT_EQ(tab0_placeholder(), 1);
  EXPECT_EQ(tabs().current(), 1);
  EXPECT_EQ(w().透明标签_标签状态.text(), "总数:2篇 当前:第1篇");
  select(2);
  EXPECT_EQ(w().透明标签_标签状态.text(), "总数:2篇 当前:第2篇");
  close_page_at(2);
  close_page_at(1);
  EXPECT_EQ(tabs().count(), 1);
  EXPECT_FALSE(tabs().tab_disabled(0));
  EXPECT_EQ(tab0_placeholder(), 0);
  EXPECT_EQ(tabs().current(), 0);
  EXPECT_EQ(w().透明标签_标签状态.text(), "总数:1篇 当前:第1篇");
}

TEST_F(PagesTest, ClosingTab0WhileAnotherPageIsCurrentLeavesThatPageAlone) {
  ui_test::type_text(editor(), "page one");
  new_page();
  ui_test::type_text(editor(), "page two stays");
  set_page_modified(1, 0);  // as after a save
  close_page_at(0);
  EXPECT_EQ(tabs().current(), 1);
  EXPECT_EQ(editor().text(), "page two stays");
  EXPECT_EQ(page_content(1), "page two stays");
  EXPECT_EQ(pages()[1].modified, 0);
  EXPECT_EQ(page_content(0), "");
}

TEST_F(PagesTest, EveryPageOfTheRunHasAnIdNoOtherPageHad) {
  std::set<int> seen;
  auto take_ids = [&] {
    for (int i = 0; i < tabs().count(); ++i) {
      int id = page_id(i);
      EXPECT_GT(id, 0);
      EXPECT_EQ(find_page_by_id(id), i);
      seen.insert(id);
    }
  };
  take_ids();
  int first = page_id(0);
  int a = page_id(new_page()), b = page_id(new_page()), c = page_id(new_page());
  take_ids();
  EXPECT_EQ(seen.size(), 4u);
  // Closing a page moves the ones after it; each is found where it is now, the closed one
  // nowhere.
  close_page_at(1);
  EXPECT_EQ(find_page_by_id(a), -1);
  EXPECT_EQ(find_page_by_id(b), 1);
  EXPECT_EQ(find_page_by_id(c), 2);
  // A reset tab 0 is a new page.
  close_page_at(0);
  EXPECT_EQ(find_page_by_id(first), -1);
  EXPECT_EQ(seen.count(page_id(0)), 0u);
  take_ids();
  // Removing every page leaves a page none of them was; the ids of a new start are new too.
  while (tabs().count() > 1) close_page_at(tabs().count() - 1);
  close_page_at(0);
  EXPECT_EQ(seen.count(page_id(0)), 0u);
  take_ids();
  EXPECT_EQ(current_page_id(), page_id(0));
  EXPECT_EQ(find_page_by_id(0), -1);
  EXPECT_EQ(page_id(5), 0);
  ProgramTest::TearDown();
  ProgramTest::SetUp();
  EXPECT_EQ(seen.count(page_id(0)), 0u);
}

TEST_F(PagesTest, TheFirstChangeMarksThePageModified) {
  EXPECT_EQ(pages()[0].modified, 0);
  ui_test::type_text(editor(), "x");
  EXPECT_EQ(pages()[0].modified, 1);
  EXPECT_EQ(w().标签_上中.text_color(), 0xFFu);
  ui_test::type_text(editor(), "yz");
  EXPECT_EQ(page_content(0), "xyz");
  // Showing a page writes its text by code: that is no change of the page.
  new_page();
  EXPECT_EQ(pages()[1].modified, 0);
  select(0);
  EXPECT_EQ(pages()[0].modified, 1);
  EXPECT_EQ(page_content(1), "");
}

TEST_F(PagesTest, ALargePageIsWholeToEveryRoutineWhileItsTextIsStillComing) {
  std::string big;
  for (int i = 0; i < 20000; ++i) big += "第" + std::to_string(i) + "行，很长的一页里的一行文字。\r\n";
  big += "最后的标记";
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string path = std::string(temp) + "velmora_large_page.txt";
  struct Case {
    const char* name;
    void (*act)(int tab, const std::string& path);
    bool typed;  // the page is changed by the user
  };
  const Case cases[] = {
      {"all pieces arriving",
       [](int, const std::string&) { ui_test::wait_for([] { return !editor().handing_over(); }, 20000); }, false},
      {"leaving and coming back",
       [](int tab, const std::string&) {
         tabs().set_current(0);
         tabs().set_current(tab);
       },
       false},
      {"typing", [](int, const std::string&) { ui_test::type_text(editor(), "字"); }, true},
      {"saving",
       [](int tab, const std::string& p) {
         set_page_file(tab, p, pages()[tab].extension);
         EXPECT_TRUE(save_page(tab));
         EXPECT_EQ(rt::read_file(p).value_or(""), page_content(tab));
       },
       false},
      {"copying the page",
       [](int tab, const std::string&) {
         copy_page_text();
         EXPECT_EQ(rt::clipboard_text(), page_content(tab));
       },
       false},
      {"finding the last line",
       [](int, const std::string&) {
         set_search_text("最后的标记");
         set_search_pos(1);
         find_next();
         EXPECT_EQ(editor().selected_text(), "最后的标记");
       },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int tab = new_page();
    set_page_content(tab, big);
    show_current_page();
    ASSERT_TRUE(editor().handing_over());
    c.act(tab, path);
    EXPECT_EQ(page_content(tab), c.typed ? "字" + big : big);
    EXPECT_EQ(editor().text(), page_content(tab));
    EXPECT_EQ(pages()[tab].modified, c.typed ? 1 : 0);
    EXPECT_EQ(w().标签_上中.text_color(), c.typed ? 0xFFu : 0xFF0000u);
    close_page_at(tab);
  }
  DeleteFileA(path.c_str());
}

TEST_F(PagesTest, LeavingAnUntitledPageNamesItAfterItsText) {
  struct Case {
    std::string text, caption, name;
  };
  const Case cases[] = {
      {"Hello, this is a test line", "Hello, this ", "Hello, this is a test line"},
      {"Hi\r\nthere", "", ""},                                                              // 7 bytes: stays unnamed
      {std::string(44, ' ') + "名字够长的一个页面", "名字够长的一", "名字够长的一个页面"},  // blanks first
      {"a:b|c\\d/e*f?g\"h<i>j.txt", "abcdefghij.t", "abcdefghij.txt"},
  };
  for (const Case& c : cases) {
    int tab = new_page();
    std::string automatic = tabs().caption(tab);
    ui_test::type_text(editor(), c.text);
    select(0);
    EXPECT_EQ(tabs().caption(tab), c.caption.empty() ? automatic : c.caption) << c.text;
    EXPECT_EQ(page_name(tab), c.name.empty() ? automatic : c.name) << c.text;
  }
  set_option(&OptionValues::first_line_title, 0);
  int tab = new_page();
  ui_test::type_text(editor(), "Hello, this is a test line");
  select(0);
  EXPECT_EQ(tabs().caption(tab).rfind("新建文档", 0), 0u);
}

TEST_F(PagesTest, PerPageColoursAndFonts) {
  set_option(&OptionValues::per_page_colors, 1);
  set_page_text_color(0, 0x0000FF);
  set_page_back_color(0, 0xFFFFFF);
  int tab = new_page();
  set_page_text_color(tab, 0x123456);
  set_page_back_color(tab, 0x654321);
  select(0);
  select(tab);
  EXPECT_EQ(editor().text_color(), 0x123456u);
  EXPECT_EQ(editor().back_color(), 0x654321u);
  select(0);
  EXPECT_EQ(editor().text_color(), 0x0000FFu);
  EXPECT_EQ(editor().back_color(), 0xFFFFFFu);

  set_option(&OptionValues::per_page_colors, 0);
  select(tab);  // the edit box keeps its colours
  EXPECT_EQ(editor().text_color(), 0x0000FFu);
  EXPECT_EQ(editor().back_color(), 0xFFFFFFu);

  set_option(&OptionValues::per_page_font, 1);
  set_page_font(0, FontRecord{0, 1, 0, 0, 1, 14, "黑体"});
  set_page_font(tab, FontRecord{0, 0, 1, 0, 0, 20, "宋体"});
  select(0);
  EXPECT_EQ(editor().font().face, "黑体");
  EXPECT_EQ(editor().font().size, 14);
  EXPECT_TRUE(editor().font().bold);
  select(tab);
  EXPECT_EQ(editor().font().size, 20);
  EXPECT_TRUE(editor().font().italic);
  set_option(&OptionValues::per_page_font, 0);
  select(0);  // the edit box keeps the font it has
  EXPECT_EQ(editor().font().size, 20);
}

TEST_F(PagesTest, ScreenshotWithThreePages) {
  ui_test::type_text(editor(), "第一页的文字。\r\nThe first page.");
  new_page();
  ui_test::type_text(editor(), "第二页：Velmora 的页面各自保存文字和选区。");
  new_page("自定名称的第三个页面");
  ui_test::type_text(editor(), "第三页\r\n一行\r\n又一行");
  select(1);
  editor().select(0, 3);
  EXPECT_EQ(tabs().count(), 3);
  ui_test::screenshot("three_pages");
  EXPECT_TRUE(ui_test::layout_is_sound(w()));
}

TEST_F(PagesTest, OpenPathListFollowsTheTabsWhileDoubleOpeningIsRefused) {
  set_option(&OptionValues::prevent_double_open, 1);
  new_page();
  new_page();
  set_page_file(1, "C:\\a.txt", pages()[1].extension);
  update_open_path_list("", false, true, 1, "C:\\a.txt");  // as opening it into that page does
  ASSERT_EQ(open_paths(), " |C:\\a.txt| |");
  close_page_at(2);
  EXPECT_EQ(open_paths(), " |C:\\a.txt|");
  EXPECT_EQ(update_open_path_list("c:\\A.TXT", true, false, 0, ""), 1);
  select(0);
  activate_page_of_path("C:\\a.txt");
  EXPECT_EQ(tabs().current(), 1);
  close_page_at(0);
  EXPECT_EQ(open_paths(), " |C:\\a.txt|");
  close_page_at(1);
  EXPECT_EQ(open_paths(), " |");
}

// A shortcut file made through the shell's own interface.
bool make_shortcut(const std::string& lnk, const std::string& target) {
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  bool ok = false;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    link->SetPath(target.c_str());
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      wchar_t wide[MAX_PATH];
      MultiByteToWideChar(CP_ACP, 0, lnk.c_str(), -1, wide, MAX_PATH);
      ok = SUCCEEDED(file->Save(wide, TRUE));
      file->Release();
    }
    link->Release();
  }
  return ok;
}

TEST(CommandLine, ArgumentsBecomeAbsolutePathsAndAShortcutRevealsItsTarget) {
  rt::seams::record_launches(true);
  rt::seams::launches().clear();
  std::string start = rt::start_directory();
  if (start.back() != '\\') start += '\\';
  EXPECT_FALSE(queue_command_line({"相对.txt", "C:\\abs\\b.txt"}));
  EXPECT_EQ(open_queue(), (std::vector<std::string>{start + "相对.txt", "C:\\abs\\b.txt"}));
  EXPECT_TRUE(rt::seams::launches().empty());

  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string target = std::string(temp) + "目标, 文件.txt";
  CloseHandle(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  std::string lnk = std::string(temp) + "快捷方式.LNK";
  ASSERT_TRUE(make_shortcut(lnk, target));
  EXPECT_TRUE(queue_command_line({lnk, "C:\\other.txt"}));
  ASSERT_EQ(rt::seams::launches().size(), 1u);
  EXPECT_EQ(rt::seams::launches()[0].file, "explorer.exe  /select,\"" + target + "\"");

  // A shortcut without a target is opened like any other file.
  std::string broken = std::string(temp) + "坏的.lnk";
  HANDLE h = CreateFileA(broken.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written;
  WriteFile(h, "not a shortcut", 14, &written, nullptr);
  CloseHandle(h);
  EXPECT_FALSE(queue_command_line({broken}));
  EXPECT_EQ(rt::seams::launches().size(), 1u);
  DeleteFileA(lnk.c_str());
  DeleteFileA(broken.c_str());
  DeleteFileA(target.c_str());
  rt::seams::record_launches(false);
}

}  // namespace
