// Keyboard shortcuts and the toolbar, against the real main window.
#include "app/shortcuts.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "app/main_frame.h"
#include "documents/open_files.h"
#include "forms/main_window_form.h"
#include "pages/page_model.h"
#include "program_test.h"
#include "runtime/clipboard.h"
#include "runtime/clock.h"
#include "runtime/seams.h"
#include "runtime/system.h"
#include "texttools/edit_commands.h"
#include "texttools/insertions.h"
#include "texttools/number_ranges.h"
#include "ui_test.h"

namespace {

rt::Toolbar& bar() { return main_window().工具条_工具栏; }
bool disabled(int button) { return (bar().state(button) & rt::Toolbar::kDisabled) != 0; }
// The user's click on a toolbar button, where the button shows: a disabled one does nothing.
void click_button(int button) {
  RECT r{};
  SendMessageW(static_cast<HWND>(bar().handle()), TB_GETITEMRECT, button - 1, reinterpret_cast<LPARAM>(&r));
  ui_test::click(bar(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

class ShortcutsTest : public ProgramTest {
 protected:
  void SetUp() override {
    rt::seams::dialog_requests().clear();
    ProgramTest::SetUp();
  }
};

TEST_F(ShortcutsTest, HandledKeysRunTheirCommandAndNeverReachTheEditBox) {
  ui_test::type_text(editor(), "abc");
  ui_test::press_key(editor(), 'N', rt::kCtrl);
  EXPECT_EQ(tabs().count(), 2);
  EXPECT_EQ(editor().text(), "");  // the new page; no character typed
  tabs().set_current(0);
  ui_test::press_key(editor(), 'A', rt::kCtrl);
  EXPECT_EQ(editor().selection_start(), 0);
  EXPECT_EQ(editor().selection_length(), 3);
  EXPECT_EQ(editor().text(), "abc");
  ui_test::press_key(editor(), VK_RIGHT, rt::kAlt);
  EXPECT_EQ(tabs().current(), 1);
  ui_test::press_key(editor(), VK_RIGHT, rt::kAlt);  // no tab after the last
  EXPECT_EQ(tabs().current(), 1);
  ui_test::press_key(editor(), VK_LEFT, rt::kAlt);
  ui_test::press_key(editor(), VK_LEFT, rt::kAlt);  // nothing before tab 0
  EXPECT_EQ(tabs().current(), 0);
}

TEST_F(ShortcutsTest, WindowShortcuts) {
  w().move(50, 50, 700, 500);
  ui_test::press_key(editor(), VK_UP, rt::kCtrl);
  EXPECT_EQ(main_window_maximized(), 1);
  ui_test::press_key(editor(), VK_UP, rt::kCtrl);
  EXPECT_EQ(main_window_maximized(), 0);
  EXPECT_EQ(w().width(), 700);
  ui_test::press_key(editor(), VK_LEFT, rt::kCtrl | rt::kAlt);
  EXPECT_EQ(w().left(), 0);
  EXPECT_EQ(w().width(), rt::screen_width() / 2);
  ui_test::press_key(editor(), VK_DOWN, rt::kCtrl);  // undocks
  EXPECT_EQ(w().width(), 700);
}

TEST_F(ShortcutsTest, ConditionsThatFailStillTakeTheKey) {
  int changes = 0;
  editor().on_changed = [&] { ++changes; };
  ui_test::press_key(editor(), 'Q', rt::kCtrl);  // one tab: no save-all
  ui_test::press_key(editor(), 'S', rt::kCtrl);  // unmodified: no save dialog
  EXPECT_TRUE(rt::seams::dialog_requests().empty());
  // The File menu's button takes the focus first; the keyboard is back in the page afterwards.
  EXPECT_TRUE(editor().has_focus());
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(tabs().count(), 1);
}

TEST_F(ShortcutsTest, CtrlBAsksForANewPageOnlyWhileItsMenuItemIsEnabled) {
  int asked = 0;
  rt::seams::set_modal_hook([&](rt::Window& box) {
    ++asked;
    box.close();
  });
  set_open_busy(true);  // an open run disables the item
  ui_test::press_key(editor(), 'B', rt::kCtrl);
  EXPECT_EQ(asked, 0);
  set_open_busy(false);
  ui_test::press_key(editor(), 'B', rt::kCtrl);
  rt::seams::set_modal_hook(nullptr);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(editor().text(), "");  // the key never reaches the edit box
}

TEST_F(ShortcutsTest, OtherModifierSetsReachTheEditBox) {
  ui_test::type_text(editor(), "hello");
  editor().select(5, 0);
  EXPECT_TRUE(dispatch_shortcut('S', rt::kCtrl | rt::kShift));
  EXPECT_TRUE(dispatch_shortcut('F', rt::kAlt | rt::kShift));
  // Shift with an arrow extends the selection as in any edit box.
  ui_test::press_key(editor(), VK_LEFT, rt::kShift);
  ui_test::press_key(editor(), VK_LEFT, rt::kShift);
  EXPECT_EQ(editor().selection_length(), 2);
}

TEST_F(ShortcutsTest, AltUpAndDownChangeTheEditorFontOnlyWithText) {
  int size = editor().font().size;
  ui_test::press_key(editor(), VK_DOWN, rt::kAlt);
  EXPECT_EQ(editor().font().size, size);
  ui_test::type_text(editor(), "x");
  ui_test::press_key(editor(), VK_DOWN, rt::kAlt);
  EXPECT_EQ(editor().font().size, size + 1);
  for (int i = 0; i < size + 5; ++i) ui_test::press_key(editor(), VK_UP, rt::kAlt);
  EXPECT_EQ(editor().font().size, 1);
}

TEST_F(ShortcutsTest, ToolbarButtonsFollowThePages) {
  EXPECT_TRUE(disabled(kButtonSave));
  EXPECT_TRUE(disabled(kButtonClosePage));
  ui_test::type_text(editor(), "x");
  EXPECT_FALSE(disabled(kButtonSave));
  on_toolbar_button(kButtonNew);
  EXPECT_EQ(tabs().count(), 2);
  EXPECT_FALSE(disabled(kButtonClosePage));
  for (int i = 0; i < 5; ++i) new_page_command();  // seven tabs
  struct Case {
    int current;
    bool back_disabled, forward_disabled;
  };
  for (const Case& c : {Case{2, true, false}, Case{3, true, true}, Case{5, false, true}, Case{0, true, false}}) {
    tabs().set_current(c.current);
    EXPECT_EQ(disabled(kButtonBack5), c.back_disabled) << c.current;
    EXPECT_EQ(disabled(kButtonForward5), c.forward_disabled) << c.current;
  }
  tabs().set_current(2);
  on_toolbar_button(kButtonForward5);  // 2 + 5 is one past the last tab: the last one
  EXPECT_EQ(tabs().current(), 6);
  on_toolbar_button(kButtonBack5);
  EXPECT_EQ(tabs().current(), 1);
  while (tabs().count() > 1) close_page_at(tabs().count() - 1);
  close_page_at(0);
  EXPECT_TRUE(disabled(kButtonClosePage));
  EXPECT_TRUE(disabled(kButtonBack5));
  EXPECT_TRUE(disabled(kButtonForward5));
}

TEST_F(ShortcutsTest, EditCommandsOnASelectionAndOnNone) {
  ui_test::type_text(editor(), "甲乙丙丁");
  struct Case {
    const char* name;
    int start, length;
    void (*command)();
    std::string text, clipboard;
  };
  const Case cases[] = {
      {"cut", 1, 2, cut_selection, "甲丁", "乙丙"},
      {"copy", 0, 1, copy_selection, "甲乙丙丁", "甲"},
      {"delete", 3, 1, delete_selection, "甲乙丙", "(unchanged)"},
      {"delete without a selection deletes nothing", 2, 0, delete_selection, "甲乙丙丁", "(unchanged)"},
      {"cut without a selection", 2, 0, cut_selection, "甲乙丙丁", "(unchanged)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    editor().set_text("甲乙丙丁");
    rt::set_clipboard_text("(unchanged)");
    editor().select(c.start, c.length);
    c.command();
    EXPECT_EQ(editor().text(), c.text);
    EXPECT_EQ(rt::clipboard_text(), c.clipboard);
  }
  editor().set_text("ab");
  rt::set_clipboard_text("XY");
  editor().select(1, 0);
  paste_clipboard();
  EXPECT_EQ(editor().text(), "aXYb");
  EXPECT_TRUE(disabled(kButtonCut));
  select_all_text();
  EXPECT_EQ(editor().selection_length(), 4);
  EXPECT_FALSE(disabled(kButtonCut));
  EXPECT_FALSE(disabled(kButtonCopy));
}

TEST_F(ShortcutsTest, CommandStatesFollowTheEditBoxAndThePage) {
  rt::set_clipboard_text("clip");
  update_command_states();
  EXPECT_FALSE(disabled(kButtonPaste));
  EXPECT_TRUE(disabled(kButtonPrint));  // nothing to print
  EXPECT_TRUE(disabled(kButtonSave));
  ui_test::type_text(editor(), "hello");
  update_command_states();
  EXPECT_FALSE(disabled(kButtonPrint));
  EXPECT_FALSE(disabled(kButtonSave));
  EXPECT_EQ(w().标签_上中.text_color(), 0xFFu);
  EXPECT_TRUE(disabled(kButtonCut));
  // Shift+Left extends the selection; cut and copy follow after it has moved.
  ui_test::press_key(editor(), VK_LEFT, rt::kShift);
  ui_test::settle();
  EXPECT_EQ(editor().selection_length(), 1);
  EXPECT_FALSE(disabled(kButtonCut));
  EXPECT_FALSE(disabled(kButtonCopy));
  new_page_command();  // an unmodified page: blue title, no save
  EXPECT_TRUE(disabled(kButtonSave));
  EXPECT_EQ(w().标签_上中.text_color(), 0xFF0000u);
}

TEST(NumberRange, RulesAndTheirText) {
  struct Case {
    std::string rule;
    bool ok;
    std::string text;
  };
  const Case cases[] = {
      {"1-5|,", true, "1,2,3,4,5"},
      {"3-1", true, "123"},  // swapped, no separator
      {"1--3|;", true, "1;2;3"},
      {"0.5-2|/", true, "0.5/1.5"},  // 2.5 numbers, truncated to 2
      {"7-7|,", true, "7"},          // equal ends: that one number
      {"1-2-3", false, ""},
      {"5", false, ""},  // no end number
      {"5-", false, ""},
      {"0-1000000", false, ""},  // more than a million numbers
      {"1-1000000|", true, ""},  // exactly a million: allowed (text not compared)
  };
  for (const Case& c : cases) {
    std::string text;
    EXPECT_EQ(number_range_text(c.rule, text), c.ok) << c.rule;
    if (c.ok && !c.text.empty()) {
      EXPECT_EQ(text, c.text) << c.rule;
    }
  }
}

// However the user selects, Cut and Copy on the toolbar act on that selection.
TEST_F(ShortcutsTest, ToolbarCutAndCopyTakeASelectionMadeWithTheKeyboard) {
  struct Way {
    const char* name;
    int key, modifiers;
  };
  const Way ways[] = {{"Shift+End", VK_END, rt::kShift},
                      {"Shift+Home", VK_HOME, rt::kShift},
                      {"Ctrl+Shift+Left", VK_LEFT, rt::kCtrl | rt::kShift},
                      {"Ctrl+Shift+Home", VK_HOME, rt::kCtrl | rt::kShift}};
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    editor().set_text("");
    ui_test::click_with_pointer(editor());
    ui_test::type_from_keyboard("first line");
    ASSERT_EQ(editor().text(), "first line");
    rt::set_clipboard_text("old");
    if (way.key == VK_END) ui_test::key_from_keyboard(VK_HOME, rt::kCtrl);
    ui_test::key_from_keyboard(way.key, way.modifiers);
    ui_test::settle(50);
    ASSERT_NE(editor().selection_length(), 0);
    const std::string selected = editor().selected_text();
    click_button(kButtonCopy);
    EXPECT_EQ(rt::clipboard_text(), selected);
    click_button(kButtonCut);
    EXPECT_EQ(editor().selection_length(), 0);
    EXPECT_EQ(editor().text().size(), std::string("first line").size() - selected.size());
    // Typing ends the selection: the buttons follow it.
    ui_test::type_from_keyboard("x");
    EXPECT_TRUE(disabled(kButtonCut));
    EXPECT_TRUE(disabled(kButtonCopy));
  }
}

// Whichever source ran a command, what the user types next goes into the page, unless the command
// opened a window that took the keyboard.
TEST_F(ShortcutsTest, EverySourceOfACommandGivesTheKeyboardBackToThePage) {
  struct Case {
    const char* name;
    std::vector<int> answers;  // the own message boxes the command shows
    void (*run)();
  };
  const Case cases[] = {
      {"Ctrl+B and its prompt's 取消", {1}, [] { ui_test::key_from_keyboard('B', rt::kCtrl); }},
      {"the toolbar's save, its dialog cancelled", {}, [] { click_button(kButtonSave); }},
      {"the tab menu's rename and its prompt's 取消", {1},
       [] {
         rt::seams::set_menu_hook([](rt::PopupMenu& m) { EXPECT_TRUE(m.choose("重命名标签名(&B)")); });
         rt::Rect r = tabs().tab_rect(tabs().current());
         ui_test::right_click(tabs(), r.left + r.width / 2, r.height / 2);
         rt::seams::set_menu_hook(nullptr);
       }},
      {"the program menu, left with Esc", {},
       [] {
         rt::seams::set_menu_hook([](rt::PopupMenu& m) { m.press_key(VK_ESCAPE); });
         ui_test::click(w().图形按钮_程序图标);
         rt::seams::set_menu_hook(nullptr);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ui_test::click_with_pointer(editor());
    ui_test::type_from_keyboard("a");  // modified, so that saving asks for a file
    ui_test::answer_message_boxes(c.answers);
    c.run();
    ui_test::answer_message_boxes({});
    ui_test::settle(100);
    EXPECT_TRUE(editor().has_focus());
    std::string before = editor().text();
    ui_test::type_from_keyboard("z");
    EXPECT_EQ(editor().text(), before + "z");
  }
  // A window the command opens keeps the keyboard.
  click_button(kButtonAbout);
  ASSERT_TRUE(ui_test::wait_for([] { return rt::Window::find_loaded("Velmora_检测更新") != nullptr; }));
  ui_test::settle(300);
  EXPECT_FALSE(editor().has_focus());
}

TEST_F(ShortcutsTest, InsertionsReplaceTheSelection) {
  rt::seams::set_clock([] { return rt::DateTime{2026, 3, 5, 9, 7, 1, 0, 4}; });
  ui_test::type_text(editor(), "[]");
  editor().select(1, 0);
  insert_date();
  insert_time();
  rt::seams::set_clock(nullptr);
  EXPECT_EQ(editor().text(), "[2026年3月5日9时7分1秒]");
  editor().set_text("");
  ui_test::answer_message_boxes({0});  // OK with the empty default separator
  insert_letter_sequence();
  EXPECT_EQ(editor().text(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  int boxes = 0;
  ui_test::answer_message_boxes({1}, &boxes);  // Cancel
  insert_letter_sequence();
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(editor().text(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
}

TEST_F(ShortcutsTest, TheWheelWithCtrlOrShift) {
  int size = editor().font().size;
  on_editor_wheel(-120, rt::kCtrl);  // empty edit box: nothing
  EXPECT_EQ(editor().font().size, size);
  ui_test::type_text(editor(), "x");
  on_editor_wheel(-30, rt::kCtrl);  // a fine wheel step still counts by its sign
  EXPECT_EQ(editor().font().size, size + 1);
  on_editor_wheel(0, rt::kCtrl);
  EXPECT_EQ(editor().font().size, size + 1);
  new_page_command();
  tabs().set_current(0);
  on_editor_wheel(-120, rt::kShift);
  EXPECT_EQ(tabs().current(), 1);
  on_editor_wheel(-120, rt::kShift);  // past the last tab: nothing new
  EXPECT_EQ(tabs().current(), 1);
  on_editor_wheel(120, rt::kShift | rt::kAlt);  // other key states: nothing
  EXPECT_EQ(tabs().current(), 1);
}

TEST_F(ShortcutsTest, TheOpenButtonShowsTheOpenDialog) {
  on_toolbar_button(kButtonOpen);  // unscripted: cancelled
  ASSERT_EQ(rt::seams::dialog_requests().size(), 1u);
  EXPECT_EQ(rt::seams::dialog_requests()[0].title, "请选择要打开的文件，支持多选……");
  ui_test::press_key(editor(), 'O', rt::kCtrl);
  EXPECT_EQ(rt::seams::dialog_requests().size(), 2u);
}

}  // namespace
