// The graphic menu bar and the program menu, against the real main window and the system's
// menus under Wine: opening, the pressed button, hover switching through the real timer and
// simulated mouse, item states, commands, the hint and the screenshots of the five menus.
#include "app/menu_bar.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <map>
#include <memory>

#include "app/main_frame.h"
#include "common/menu_art.h"
#include "documents/open_files.h"
#include "forms/file_info_window_form.h"
#include "forms/find_window_form.h"
#include "forms/font_window_form.h"
#include "forms/main_window_form.h"
#include "forms/options_window_form.h"
#include "pages/page_model.h"
#include "program_test.h"
#include "runtime/app.h"
#include "runtime/clipboard.h"
#include "runtime/files.h"
#include "runtime/seams.h"
#include "texttools/find_replace.h"
#include "runtime/tooltip.h"
#include "ui_test.h"

namespace {

using Shown = rt::PopupMenu::ShownItem;

rt::PopupMenu& menus() { return w().超级菜单; }

struct Bar {
  int menu;
  rt::GraphicButton& (*button)();
  int key;
  const char* caption;
};
const Bar kBar[] = {
    {kFileMenu, []() -> rt::GraphicButton& { return w().图形按钮_文件_菜单; }, 'F', "文件(&F)"},
    {kEditMenu, []() -> rt::GraphicButton& { return w().图形按钮_编辑_菜单; }, 'B', "编辑(&B)"},
    {kExtraMenu, []() -> rt::GraphicButton& { return w().图形按钮_附加_菜单; }, 'I', "附加(&I)"},
    {kSettingsMenu, []() -> rt::GraphicButton& { return w().图形按钮_设置_菜单; }, 'S', "设置(&S)"},
    {kHelpMenu, []() -> rt::GraphicButton& { return w().图形按钮_帮助_菜单; }, 'H', "帮助(&H)"},
};

// The open popup menu's window rectangle on the screen.
RECT open_menu_rect() {
  RECT r{};
  if (HWND popup = FindWindowW(L"#32768", nullptr)) GetWindowRect(popup, &r);
  return r;
}

POINT centre_of(rt::Unit& u) {
  rt::Rect r = w().rect();
  return {r.left + u.left() + u.width() / 2, r.top + u.top() + u.height() / 2};
}

std::map<std::string, bool> disabled_by_caption(const std::vector<Shown>& items) {
  std::map<std::string, bool> m;
  for (const Shown& s : items)
    if (!s.separator) m[s.caption] = s.disabled;
  return m;
}

class MenuBarTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    probe.create(w());
    // A menu the test fails to close is closed after a while, so that the test fails instead
    // of waiting for ever.
    guard.create(w());
    guard.on_tick = [] { w().超级菜单.close(); };
    guard.set_interval(4000);
  }
  void TearDown() override {
    rt::seams::set_menu_hook(nullptr);
    DeleteFileA(tab_set_file().c_str());
    ProgramTest::TearDown();
  }
  static std::string tab_set_file() { return rt::program_directory() + "Velmora_保存标签.ini"; }

  // Opens a bar menu with its button and returns what it showed (the hook closes it with Esc).
  std::vector<Shown> items_of(int menu) {
    std::vector<Shown> items;
    rt::seams::set_menu_hook([&](rt::PopupMenu& m) {
      items = m.shown_items();
      m.press_key(VK_ESCAPE);
    });
    ui_test::click(kBar[menu - 1].button());
    rt::seams::set_menu_hook(nullptr);
    return items;
  }

  // Timers of the main window, for acting while a menu is open.
  rt::Timer probe, guard;
};

TEST_F(MenuBarTest, EachMenuOpensFromItsButtonAltAndCtrlAltAndEscRestoresTheButton) {
  const rt::Picture normal = menu_bar_button_pictures()[0], pressed = menu_bar_button_pictures()[2];
  for (const Bar& b : kBar) {
    for (int way = 0; way < 3; ++way) {
      SCOPED_TRACE(std::string(b.caption) + " way " + std::to_string(way));
      int opened = 0;
      rt::seams::set_menu_hook([&](rt::PopupMenu& m) {
        ++opened;
        EXPECT_EQ(m.open_menu()->caption, b.caption);
        EXPECT_EQ(open_menu(), b.menu);
        EXPECT_EQ(w().时钟_菜单显示.interval(), 200);
        EXPECT_TRUE(b.button().normal_picture().same_image(pressed));
        EXPECT_TRUE(b.button().pressed_picture().same_image(normal));
        // Just below its button.
        rt::Rect r = w().rect();
        RECT shown = open_menu_rect();
        EXPECT_EQ(shown.left, r.left + b.button().left());
        EXPECT_EQ(shown.top, r.top + b.button().top() + b.button().height() - 1);
        m.press_key(VK_ESCAPE);
      });
      if (way == 0) ui_test::click(b.button());
      if (way == 1) ui_test::press_key(editor(), b.key, rt::kAlt);
      if (way == 2) ui_test::press_key(editor(), b.key, rt::kCtrl | rt::kAlt);
      EXPECT_EQ(opened, 1);
      EXPECT_EQ(open_menu(), kNoMenu);
      EXPECT_EQ(w().时钟_菜单显示.interval(), 0);
      EXPECT_TRUE(b.button().normal_picture().same_image(normal));
      EXPECT_TRUE(b.button().pressed_picture().same_image(pressed));
    }
  }
  // The key that opened a menu is no key letter inside it: 取中间文本(&I) did not run.
  EXPECT_EQ(tabs().count(), 1);
  EXPECT_EQ(editor().text(), "");
}

TEST_F(MenuBarTest, AButtonsTipClosesWhenItsMenuOpensAndStaysAwayWhileItIsOpen) {
  struct Way {
    const char* name;
    std::function<void(const Bar&)> open;
  };
  const Way ways[] = {
      {"a click", [](const Bar& b) { ui_test::click_with_pointer(b.button()); }},
      {"its key", [](const Bar& b) { ui_test::key_from_keyboard(b.key, rt::kAlt); }},
  };
  for (const Way& way : ways) {
    for (const Bar& b : {kBar[0], kBar[4]}) {
      SCOPED_TRACE(std::string(b.caption) + ", " + way.name);
      rt::GraphicButton& button = b.button();
      editor().set_focus();
      // The pointer rests on the button until its tip shows.
      const rt::Point at = ui_test::point_on(button);
      ui_test::move_pointer(at.x, at.y);
      ASSERT_TRUE(ui_test::wait_for([&button] { return rt::tooltip_showing(button); }));
      bool opened = false, tip_over_menu = false;
      rt::seams::set_menu_hook([&](rt::PopupMenu& m) {
        opened = true;
        for (int waited = 0; waited < 2000 && !tip_over_menu; waited += 100) {
          rt::pump_until([] { return false; }, 100);
          tip_over_menu = rt::tooltip_showing(button);
        }
        m.close();
      });
      way.open(b);
      ui_test::wait_for([&opened] { return opened; });
      rt::seams::set_menu_hook(nullptr);
      EXPECT_TRUE(opened);
      EXPECT_FALSE(tip_over_menu);
      // Away from the bar, for the next button's tip.
      ui_test::move_pointer(at.x, at.y + 200);
      ui_test::wait_for([&button] { return !rt::tooltip_showing(button); });
    }
  }
}

TEST_F(MenuBarTest, HoverSlidesFromFileToHelpAndBackThroughTheTimerAndASimulatedClick) {
  std::vector<int> opened;
  std::vector<DWORD> at;
  rt::seams::set_menu_hook([&](rt::PopupMenu& m) {
    opened.push_back(open_menu());
    at.push_back(GetTickCount());
    if (opened.size() == 1) {
      POINT p = centre_of(w().图形按钮_帮助_菜单);
      SetCursorPos(p.x, p.y);
    } else if (opened.size() == 2) {
      POINT p = centre_of(w().图形按钮_文件_菜单);
      SetCursorPos(p.x, p.y);
    } else {
      m.press_key(VK_ESCAPE);
    }
  });
  POINT p = centre_of(w().图形按钮_文件_菜单);
  SetCursorPos(p.x, p.y);
  ui_test::click(w().图形按钮_文件_菜单);
  ui_test::wait_for([&] { return opened.size() >= 3 && open_menu() == kNoMenu && !menus().is_open(); });
  EXPECT_EQ(opened, (std::vector<int>{kFileMenu, kHelpMenu, kFileMenu}));
  // One or two ticks of the 200 ms timer each.
  for (size_t i = 1; i < at.size(); ++i) EXPECT_LT(at[i] - at[i - 1], 1000u);
  EXPECT_TRUE(w().图形按钮_帮助_菜单.normal_picture().same_image(menu_bar_button_pictures()[0]));
  EXPECT_TRUE(w().图形按钮_文件_菜单.normal_picture().same_image(menu_bar_button_pictures()[0]));
}

// The colour a bar button shows at the left end of its face, where no caption lies.
unsigned drawn_face(rt::GraphicButton& b) { return ui_test::drawn_pixel(b, 3, b.height() / 2); }

TEST_F(MenuBarTest, AfterSlidingBetweenMenusAndEscNoButtonIsDrawnPressedOrLit) {
  const uint32_t normal = menu_bar_button_pictures()[0].pixels()[static_cast<size_t>(kMenuBarButtonHeight / 2) *
                                                                      kMenuBarButtonWidth + 3];
  const unsigned face = RGB((normal >> 16) & 0xFF, (normal >> 8) & 0xFF, normal & 0xFF);
  // File, then slide to Edit and on to Help, then Esc.
  std::vector<int> opened;
  rt::seams::set_menu_hook([&](rt::PopupMenu& m) {
    opened.push_back(open_menu());
    rt::GraphicButton* next[] = {&w().图形按钮_编辑_菜单, &w().图形按钮_帮助_菜单};
    if (opened.size() <= 2) {
      POINT p = centre_of(*next[opened.size() - 1]);
      SetCursorPos(p.x, p.y);
    } else {
      m.press_key(VK_ESCAPE);
    }
  });
  ui_test::click_with_pointer(w().图形按钮_文件_菜单);
  ASSERT_TRUE(ui_test::wait_for([&] { return opened.size() >= 3 && open_menu() == kNoMenu && !menus().is_open(); }));
  EXPECT_EQ(opened, (std::vector<int>{kFileMenu, kEditMenu, kHelpMenu}));
  // The pointer goes on into the text: every button shows its plain face again.
  rt::Point away = ui_test::point_on(editor());
  ui_test::move_pointer(away.x, away.y);
  ui_test::settle(300);
  ui_test::screenshot("menu_bar_after_sliding");
  for (const Bar& b : kBar) {
    SCOPED_TRACE(b.caption);
    EXPECT_TRUE(b.button().normal_picture().same_image(menu_bar_button_pictures()[0]));
    EXPECT_EQ(drawn_face(b.button()), face) << std::hex << drawn_face(b.button());
  }
}

TEST_F(MenuBarTest, APointerRightOfTheRowOrBelowTheStripNeverSwitches) {
  rt::Rect r = w().rect();
  rt::GraphicButton& file = w().图形按钮_文件_菜单;
  const POINT outside[] = {
      {r.left + kMenuBarRight + 1, r.top + file.top() + 10},                       // right of L + 239
      {r.left + file.left() + 60, r.top + file.top() + kMenuBarButtonHeight + 1},  // below, under Edit
  };
  int opened = 0, ticks = 0;
  std::vector<bool> still_file;
  probe.on_tick = [&] {
    ++ticks;
    still_file.push_back(open_menu() == kFileMenu && menus().is_open());
    if (ticks < 2) {
      SetCursorPos(outside[1].x, outside[1].y);
    } else {
      probe.set_interval(0);
      menus().close();
    }
  };
  rt::seams::set_menu_hook([&](rt::PopupMenu&) {
    ++opened;
    SetCursorPos(outside[0].x, outside[0].y);
    probe.set_interval(700);  // three ticks of the hover timer at each place
  });
  ui_test::click(file);
  ui_test::wait_for([&] { return !menus().is_open() && open_menu() == kNoMenu; });
  ui_test::settle(300);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(still_file, (std::vector<bool>{true, true}));
}

TEST_F(MenuBarTest, ExtraMenuStatesFollowTheText) {
  const char* const text_items[] = {"段落排版(&D)",     "格式转换(&N)",
                                    "取纯中文文本(&Z)", "删除全部空格(&F)    Ctrl+F6",
                                    "替换为换行符(&L)", "取中间文本(&I)"};
  struct Case {
    const char* text;
    bool text_items_disabled, digits_disabled, newline_disabled;
  };
  const Case cases[] = {
      {"", true, true, true},
      {"abc", false, true, true},  // no digit, a single line
      {"a1\r\nb", false, false, false},
      {"中文9", false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    editor().set_text(c.text);
    auto d = disabled_by_caption(items_of(kExtraMenu));
    for (const char* item : text_items) EXPECT_EQ(d.at(item), c.text_items_disabled) << item;
    EXPECT_EQ(d.at("数字连续替换(&V)"), c.digits_disabled);
    EXPECT_EQ(d.at("换行符替换为(&E)"), c.newline_disabled);
    // Items without a state rule stay enabled.
    EXPECT_FALSE(d.at("计算表达式(&S)"));
  }
}

TEST_F(MenuBarTest, EditMenuStatesFollowSelectionClipboardAndSearchText) {
  OpenClipboard(nullptr);
  EmptyClipboard();
  CloseClipboard();
  auto d = disabled_by_caption(items_of(kEditMenu));
  for (const char* item :
       {"文本全选(&A)    Ctrl+A", "寻找替换(&F)    Ctrl+F", "删除选中(&D)    Del", "剪切选中(&X)    Ctrl+X",
        "复制选中(&C)    Ctrl+C", "找上一个(&E)    Ctrl+E", "找下一个(&R)    Ctrl+R", "粘贴内容(&V)    Ctrl+V"})
    EXPECT_TRUE(d.at(item)) << item;
  EXPECT_FALSE(d.at("撤消操作(&Z)    Ctrl+Z"));

  ui_test::type_text(editor(), "hello");
  editor().select(5, 0);
  d = disabled_by_caption(items_of(kEditMenu));
  EXPECT_FALSE(d.at("文本全选(&A)    Ctrl+A"));
  EXPECT_FALSE(d.at("寻找替换(&F)    Ctrl+F"));
  EXPECT_TRUE(d.at("剪切选中(&X)    Ctrl+X"));  // nothing selected

  editor().select(1, 2);
  rt::set_clipboard_text("clip");
  set_search_text("ell");
  d = disabled_by_caption(items_of(kEditMenu));
  for (const char* item : {"删除选中(&D)    Del", "剪切选中(&X)    Ctrl+X", "复制选中(&C)    Ctrl+C",
                           "找上一个(&E)    Ctrl+E", "找下一个(&R)    Ctrl+R", "粘贴内容(&V)    Ctrl+V"})
    EXPECT_FALSE(d.at(item)) << item;
}

TEST_F(MenuBarTest, FileMenuStatesWithOneAndTwoTabs) {
  auto d = disabled_by_caption(items_of(kFileMenu));
  for (const char* item : {"全部保存(&Q)    Ctrl+Q", "打印文件(&P)    Ctrl+P", "关闭本页(&W)    Ctrl+W",
                           "全部关闭(&G)    Ctrl+G", "保存文件(&S)    Ctrl+S"})
    EXPECT_TRUE(d.at(item)) << item;
  EXPECT_FALSE(d.at("新建文件(&N)    Ctrl+N"));
  ui_test::type_text(editor(), "x");  // modified: save follows at once
  new_page_command();
  ui_test::type_text(editor(), "y");
  d = disabled_by_caption(items_of(kFileMenu));
  for (const char* item : {"全部保存(&Q)    Ctrl+Q", "打印文件(&P)    Ctrl+P", "关闭本页(&W)    Ctrl+W",
                           "全部关闭(&G)    Ctrl+G", "保存文件(&S)    Ctrl+S"})
    EXPECT_FALSE(d.at(item)) << item;
}

TEST_F(MenuBarTest, TheSavedTabItemOffersWhatCanBeDone) {
  auto saved_item = [&] {
    for (const Shown& s : items_of(kExtraMenu))
      if (s.caption == "保存打开标签(&B)" || s.caption == "载入保存标签(&B)") return s;
    ADD_FAILURE() << "no saved-tab item";
    return Shown{};
  };
  // One page without a path and no saved set: nothing to save.
  Shown s = saved_item();
  EXPECT_EQ(s.caption, "保存打开标签(&B)");
  EXPECT_TRUE(s.disabled);
  // A single page with a path can be saved (the one-tab case included).
  set_page_file(0, "C:\\a.txt", pages()[0].extension);
  s = saved_item();
  EXPECT_FALSE(s.disabled);
  set_page_file(0, "", pages()[0].extension);
  new_page_command();
  s = saved_item();  // two pages, still none with a path
  EXPECT_TRUE(s.disabled);
  // A saved set: the item loads it, enabled whatever it showed before.
  ASSERT_TRUE(rt::write_file_safely(tab_set_file(), "C:\\a.txt|C:\\b.txt"));
  s = saved_item();
  EXPECT_EQ(s.caption, "载入保存标签(&B)");
  EXPECT_FALSE(s.disabled);
  // An empty file counts as none.
  ASSERT_TRUE(rt::write_file_safely(tab_set_file(), ""));
  EXPECT_EQ(saved_item().caption, "保存打开标签(&B)");
  // An open run keeps it disabled.
  ASSERT_TRUE(rt::write_file_safely(tab_set_file(), "C:\\a.txt"));
  set_open_busy(true);
  s = saved_item();
  set_open_busy(false);
  EXPECT_TRUE(s.disabled);
}

TEST_F(MenuBarTest, AnOpenRunDisablesTheCommandsThatMakeOrClosePages) {
  const char* const items[] = {"新建文件(&N)    Ctrl+N", "自定新建(&Z)    Ctrl+B", "打开文件(&O)    Ctrl+O",
                               "退出程序(&E)    Alt+F4", "关闭程序(&C)    Alt+F4", "取纯歌词文本(&R)",
                               "文件智能排版(&B)",       "保存打开标签(&B)"};
  set_open_busy(true);
  for (const char* item : items) EXPECT_TRUE(main_menu_item(item)->disabled) << item;
  auto d = disabled_by_caption(items_of(kFileMenu));
  EXPECT_TRUE(d.at("新建文件(&N)    Ctrl+N"));
  EXPECT_TRUE(d.at("退出程序(&E)    Alt+F4"));
  set_open_busy(false);
  for (const char* item : items) EXPECT_FALSE(main_menu_item(item)->disabled) << item;
}

TEST_F(MenuBarTest, ChoosingAnItemRunsItsCommand) {
  rt::seams::set_menu_hook([](rt::PopupMenu& m) { EXPECT_TRUE(m.choose("新建文件(&N)    Ctrl+N")); });
  ui_test::click(w().图形按钮_文件_菜单);
  EXPECT_EQ(tabs().count(), 2);
  EXPECT_EQ(tabs().current(), 1);
  // By its key letter, from a menu opened with the keyboard; the command asks for a separator.
  ui_test::answer_message_boxes({0});
  rt::seams::set_menu_hook([](rt::PopupMenu& m) { m.press_key('P'); });
  ui_test::press_key(editor(), 'B', rt::kAlt);
  ui_test::answer_message_boxes({});
  EXPECT_EQ(editor().text(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");  // 连续插入字母, empty separator
  EXPECT_EQ(open_menu(), kNoMenu);
}

// After a command from the menu bar, a prompt's among them, the keyboard is back in the page:
// what the user types next arrives there, and Ctrl+S saves.
TEST_F(MenuBarTest, AfterACommandFromTheMenuBarTheKeyboardIsBackInThePage) {
  struct Case {
    const char* item;
    std::vector<int> answers;  // the prompt's 确定 (and the failure's box)
    const char* inserted;
  };
  const Case cases[] = {{"连续插入字母(&P)", {0}, "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
                        {"连续插入数字(&Q)", {0, 0}, ""},
                        {"插入日期(&R)", {}, "日"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    editor().set_text("");
    ui_test::click_with_pointer(editor());
    ui_test::type_from_keyboard("ab");
    ASSERT_EQ(editor().text(), "ab");
    ui_test::answer_message_boxes(c.answers);
    rt::seams::set_menu_hook([&c](rt::PopupMenu& m) { EXPECT_TRUE(m.choose(c.item)); });
    ui_test::click_with_pointer(w().图形按钮_编辑_菜单);
    ui_test::wait_for([] { return open_menu() == kNoMenu; });
    rt::seams::set_menu_hook(nullptr);
    ui_test::answer_message_boxes({});
    ui_test::settle(100);
    EXPECT_TRUE(editor().has_focus());
    std::string before = editor().text();
    EXPECT_NE(before.find(c.inserted), std::string::npos);
    ui_test::type_from_keyboard("yz");
    EXPECT_EQ(editor().text(), before + "yz");
    rt::seams::dialog_requests().clear();
    ui_test::key_from_keyboard('S', rt::kCtrl);  // the new page has no file yet: Save As asks
    EXPECT_EQ(rt::seams::dialog_requests().size(), 1u);
  }
  // Off the bar again, where the pointer would switch the next test's menus.
  rt::Point away = ui_test::point_on(editor());
  ui_test::move_pointer(away.x, away.y);
}

// Chooses an item of the Settings menu (in a submenu too) as the user would.
void choose_setting(const char* caption) {
  rt::seams::set_menu_hook([caption](rt::PopupMenu& m) { EXPECT_TRUE(m.choose(caption)) << caption; });
  ui_test::click(w().图形按钮_设置_菜单);
  rt::seams::set_menu_hook(nullptr);
}

TEST_F(MenuBarTest, SettingsItemsTickTheChosenAlignmentAndScrollBarsAndToggleReadOnly) {
  struct Case {
    const char* chosen;
    const char* group;
    int group_image;
    std::vector<std::pair<const char*, int>> images;
  };
  const Case cases[] = {
      {"中对齐(&T)", "文本对齐方式(&D)", kImageAlignCenter,
       {{"左对齐(&Z)", kImageAlignLeft}, {"中对齐(&T)", kImageTick}, {"右对齐(&Y)", kImageAlignRight}}},
      {"右对齐(&Y)", "文本对齐方式(&D)", kImageAlignRight,
       {{"左对齐(&Z)", kImageAlignLeft}, {"中对齐(&T)", kImageAlignCenter}, {"右对齐(&Y)", kImageTick}}},
      {"横向滚动条(&H)", "置滚动条位置(&T)", kImageScrollHorizontal,
       {{"横向滚动条(&H)", kImageTick}, {"纵向滚动条(&Z)", kImageScrollVertical}, {"横纵向滚动条(&H)", kImageScrollBoth}}},
      {"横纵向滚动条(&H)", "置滚动条位置(&T)", kImageScrollBoth,
       {{"横向滚动条(&H)", kImageScrollHorizontal}, {"纵向滚动条(&Z)", kImageScrollVertical}, {"横纵向滚动条(&H)", kImageTick}}},
  };
  for (const Case& c : cases) {
    choose_setting(c.chosen);
    EXPECT_EQ(main_menu_item(c.group)->image, c.group_image) << c.chosen;
    for (auto [caption, image] : c.images) EXPECT_EQ(main_menu_item(caption)->image, image) << c.chosen << " " << caption;
  }
  EXPECT_EQ(editor().alignment(), 2);
  EXPECT_EQ(editor().scroll_bars(), 3);

  choose_setting("只读状态(&Z)");
  EXPECT_TRUE(editor().read_only());
  ASSERT_NE(main_menu_item("取消只读(&Z)"), nullptr);
  EXPECT_EQ(main_menu_item("取消只读(&Z)")->image, kImageTick);
  choose_setting("取消只读(&Z)");
  EXPECT_FALSE(editor().read_only());
  ASSERT_NE(main_menu_item("只读状态(&Z)"), nullptr);
  EXPECT_EQ(main_menu_item("只读状态(&Z)")->image, kImageReadOnly);
}

TEST_F(MenuBarTest, TheEditMenuReachesFindAndReplace) {
  editor().set_text("abc abc");
  rt::seams::set_menu_hook([](rt::PopupMenu& m) { EXPECT_TRUE(m.choose("寻找替换(&F)    Ctrl+F")); });
  ui_test::click(w().图形按钮_编辑_菜单);
  rt::seams::set_menu_hook(nullptr);
  ASSERT_TRUE(find_window().loaded());
  find_window().close();
}

TEST_F(MenuBarTest, TheFileAndSettingsMenusOpenTheFileInfoOptionsAndFontWindows) {
  struct Case {
    const Bar& bar;
    const char* caption;
    rt::Window& (*window)();
  };
  const Case cases[] = {
      {kBar[0], "文件信息(&W)", []() -> rt::Window& { return file_info_window(); }},
      {kBar[3], "程序设置(&S)", []() -> rt::Window& { return options_window(); }},
      {kBar[3], "设置字体(&T)    Ctrl+T", []() -> rt::Window& { return font_window(); }},
  };
  for (const Case& c : cases) {
    rt::seams::set_menu_hook([&c](rt::PopupMenu& m) { EXPECT_TRUE(m.choose(c.caption)) << c.caption; });
    ui_test::click(c.bar.button());
    rt::seams::set_menu_hook(nullptr);
    EXPECT_TRUE(c.window().loaded()) << c.caption;
    c.window().destroy();
  }
}

TEST_F(MenuBarTest, TheExtraMenuReachesTheConversionsAndParagraphCommands) {
  editor().set_text("abc\r\n  x");
  for (const char* caption : {"全内容到大写(&D)", "去除段落首尾空(&O)"}) {
    rt::seams::set_menu_hook([caption](rt::PopupMenu& m) { EXPECT_TRUE(m.choose(caption)) << caption; });
    ui_test::click(w().图形按钮_附加_菜单);
  }
  rt::seams::set_menu_hook(nullptr);
  EXPECT_EQ(editor().text(), "ABC\r\nX\r\n");
}

TEST_F(MenuBarTest, TheHighlightedItemIsNamedInTheStatusLabelAndTimersKeepRunning) {
  std::string hint, after;
  int ticks = 0;
  probe.on_tick = [&] {
    if (++ticks < 3) return;  // a few ticks inside the menu's own loop
    hint = w().透明标签_标签状态.text();
    probe.set_interval(0);
    menus().close();
  };
  rt::seams::set_menu_hook([&](rt::PopupMenu& m) {
    m.press_key(VK_DOWN);
    m.press_key(VK_DOWN);  // the second item: 自定新建
    probe.set_interval(100);
  });
  std::string before = w().透明标签_标签状态.text();
  ui_test::click(w().图形按钮_文件_菜单);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(hint, "自定新建");
  // Closing the menu puts the page's status back.
  EXPECT_EQ(w().透明标签_标签状态.text(), before);
}

TEST_F(MenuBarTest, TheProgramMenuUnderTheIconAndAtTheCursor) {
  rt::Rect r = w().rect();
  std::vector<Shown> items;
  RECT at{};
  int opened = 0;
  rt::seams::set_menu_hook([&](rt::PopupMenu& m) {
    ++opened;
    items = m.shown_items();
    at = open_menu_rect();
    EXPECT_EQ(open_menu(), kNoMenu);
    m.close();
  });
  ui_test::click(w().图形按钮_程序图标);
  ASSERT_EQ(items.size(), 6u);
  EXPECT_EQ(items[0].caption, "最小化(&X)");
  EXPECT_EQ(items[1].caption, "最大化(&D)");
  EXPECT_EQ(items[1].image, kImageMaximize);
  EXPECT_TRUE(items[2].separator);
  EXPECT_EQ(items[3].caption, "关闭程序(&C)    Alt+F4");
  EXPECT_TRUE(items[4].separator);
  EXPECT_EQ(items[5].caption, "软件主页(&R)");
  EXPECT_EQ(at.left, r.left);
  EXPECT_EQ(at.top, r.top + w().图形按钮_程序图标.height());
  ui_test::right_click(w().图形按钮_程序图标);
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(at.left, r.left);
  // The caption: at the pointer.
  POINT p{r.left + 300, r.top + 12};
  SetCursorPos(p.x, p.y);
  ui_test::right_click(w().标签_上中, 300 - w().标签_上中.left(), 12);
  EXPECT_EQ(opened, 3);
  EXPECT_EQ(at.left, p.x);
  EXPECT_EQ(at.top, p.y);
  // No bar button took the pressed picture.
  for (const Bar& b : kBar) EXPECT_TRUE(b.button().normal_picture().same_image(menu_bar_button_pictures()[0]));
}

TEST_F(MenuBarTest, TheProgramMenuMaximizesAndRestoresAndItsItemFollows) {
  rt::seams::set_menu_hook([](rt::PopupMenu& m) { EXPECT_TRUE(m.choose("最大化(&D)")); });
  ui_test::click(w().图形按钮_程序图标);
  EXPECT_EQ(main_window_maximized(), 1);
  rt::MenuItem* item = main_menu_item("还原(&D)");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->image, kImageRestore);
  rt::seams::set_menu_hook([](rt::PopupMenu& m) { EXPECT_TRUE(m.choose("还原(&D)")); });
  ui_test::click(w().图形按钮_程序图标);
  EXPECT_EQ(main_window_maximized(), 0);
  EXPECT_EQ(item->caption, "最大化(&D)");
  EXPECT_EQ(item->image, kImageMaximize);
}

TEST_F(MenuBarTest, Screenshots) {
  // Some items greyed, one highlighted, and the Settings menu with its alignment submenu.
  editor().set_text("abc");
  new_page_command();
  ui_test::type_text(editor(), "第二页 123");
  editor().select(0, 3);
  SetCursorPos(0, 0);  // away from the menus
  struct Shot {
    int menu;
    int downs;
    bool submenu;
    const char* name;
  };
  const Shot shots[] = {{kFileMenu, 4, false, "menu_file"},
                        {kEditMenu, 3, false, "menu_edit"},
                        {kExtraMenu, 1, true, "menu_extra"},
                        {kSettingsMenu, 6, true, "menu_settings"},
                        {kHelpMenu, 1, false, "menu_help"}};
  for (const Shot& s : shots) {
    bool shot = false;
    probe.on_tick = [&] {
      probe.set_interval(0);
      ui_test::screenshot(s.name);
      shot = true;
      menus().close();
    };
    rt::seams::set_menu_hook([&](rt::PopupMenu& m) {
      for (int i = 0; i < s.downs; ++i) m.press_key(VK_DOWN);
      if (s.submenu) m.press_key(VK_RIGHT);
      probe.set_interval(400);
    });
    // From the keyboard: the buttons show what a menu does to them, not where a test clicked.
    ui_test::press_key(editor(), kBar[s.menu - 1].key, rt::kAlt);
    EXPECT_TRUE(shot) << s.name;
  }
}

}  // namespace
