// The font window against the real main window under Wine: the font listing on its worker,
// the window showing the edit box's font, the choices on the preview, 确定 on the edit box and
// the pages, the default font in the configuration file, the colour-picker rules, and the
// combo box, list box and colour picker units it is made of.
#include "options/option_values.h"
#include "texttools/font_window.h"

#include <windows.h>
// after windows.h
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/shutdown.h"
#include "common/control_routines.h"
#include "common/font_art.h"
#include "common/skin_art.h"
#include "common/window_fade.h"
#include "forms/font_window_form.h"
#include "common/message_box_form.h"
#include "layout_check.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "program_test.h"
#include "runtime/app.h"
#include "runtime/fonts.h"
#include "runtime/seams.h"
#include "runtime/tooltip.h"
#include "texttools/font_choices.h"
#include "ui_test.h"

namespace {

HWND hw(rt::WindowHandle h) { return static_cast<HWND>(h); }
FontWindowForm& fw() { return font_window(); }

struct Shown {
  std::string title, text;
  unsigned title_color = 0, text_color = 0;
  int icon = 0;
  rt::WindowHandle owner = nullptr;
};

int icon_of(const rt::Picture& p) {
  for (int icon : {8, 16, 32, 48, 64})
    if (p.same_image(message_box_icon(icon))) return icon;
  return 0;
}

// The user's choice of an entry, as the control reports it to its window.
void choose(rt::ComboBox& c, int index) {
  HWND h = hw(c.handle());
  SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), CBN_SELCHANGE), reinterpret_cast<LPARAM>(h));
}

// A click on an entry of the list.
void click_item(rt::ListBox& l, int index) {
  HWND h = hw(l.handle());
  SendMessageW(h, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
  RECT r{};
  SendMessageW(h, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  ui_test::click(l, r.left + 4, r.top + 2);
}

std::string profile(const std::string& key) {
  char buf[256] = {};
  GetPrivateProfileStringA("页面设置", key.c_str(), "<absent>", buf, sizeof buf,
                           (rt::program_directory() + "Config_Vel.ini").c_str());
  return buf;
}

class FontWindowTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    names = rt::installed_font_names();
    ASSERT_GE(names.size(), 3u) << "the prefix has fonts";
    rt::seams::set_modal_hook([this](rt::Window& w) {
      MessageBoxForm& b = message_box_form();
      if (&w != &b) return;
      shown.push_back({b.caption().substr(std::string("Velmora_").size()), b.透明标签_提示类容.text(),
                       b.标签_上中.text_color(), b.透明标签_提示类容.text_color(),
                       icon_of(b.图形按钮_图标_信息框.normal_picture()), GetWindow(hw(b.handle()), GW_OWNER)});
      ui_test::click(b.图形按钮_确定_信息框);
    });
  }
  void TearDown() override {
    rt::seams::hold_workers(false);
    rt::seams::set_modal_hook(nullptr);
    fw().destroy();
    ProgramTest::TearDown();
  }

  // Opens the window as Ctrl+T does and waits until it is filled and shown.
  void open_window() {
    open_font_window();
    ASSERT_TRUE(ui_test::wait_for(
        [] { return fw().loaded() && !font_window_busy() && fw().alpha() == options().window_alpha; }));
    ui_test::settle();
  }
  void set_editor_font(const std::string& face, int size, bool bold = false, bool italic = false,
                       bool strikeout = false, bool underline = false) {
    editor().set_font({0, bold, italic, strikeout, underline, size, face});
  }
  rt::Font preview_font() { return fw().编辑框_预览.font(); }
  int radio_on() {
    rt::GraphicButton* radios[] = {&fw().超级按钮_常规, &fw().超级按钮_斜体, &fw().超级按钮_粗体,
                                   &fw().超级按钮_粗斜体};
    int on = -1, count = 0;
    for (int i = 0; i < 4; ++i)
      if (radio_button_state(*radios[i], ButtonOp::Query)) {
        on = i;
        ++count;
      }
    return count == 1 ? on : -2;
  }

  std::vector<std::string> names;
  std::vector<Shown> shown;
};

// ---- Filling ----

TEST_F(FontWindowTest, TheListingArrivesAndTheWindowShowsTheEditBoxFont) {
  // Bold italic 12 points with underline.
  set_editor_font(names[1], 12, true, true, false, true);
  editor().set_text_color(0x112233);
  editor().set_back_color(0xDDEEFF);
  open_window();
  EXPECT_EQ(fw().caption(), "Velmora_字体设置");
  EXPECT_EQ(GetWindow(hw(fw().handle()), GW_OWNER), hw(w().handle()));
  EXPECT_TRUE(fw().图形按钮_程序图标.normal_picture().same_image(font_window_icon_picture()));
  EXPECT_TRUE(fw().图形按钮_关闭小.normal_picture().same_image(close_button_pictures()[0]));
  // Every installed font once, in the system's order, in both lists.
  ASSERT_EQ(fw().组合框_字体列表.count(), static_cast<int>(names.size()));
  ASSERT_EQ(fw().列表框_字体列表.count(), static_cast<int>(names.size()));
  for (size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(fw().组合框_字体列表.item(static_cast<int>(i)), names[i]);
    EXPECT_EQ(fw().列表框_字体列表.item(static_cast<int>(i)), names[i]);
  }
  EXPECT_EQ(fw().组合框_字体列表.current(), 1);
  EXPECT_EQ(fw().列表框_字体列表.current(), 1);
  EXPECT_EQ(fw().组合框_字体大小.text(), "12");
  EXPECT_EQ(fw().组合框_字体大小.current(), 4);
  EXPECT_EQ(fw().组合框_字形.current(), 3);
  EXPECT_EQ(fw().组合框_字形.text(), "粗斜体");
  EXPECT_EQ(radio_on(), 3);
  EXPECT_EQ(check_button_state(fw().超级按钮_下划线, ButtonOp::Query), 1);
  EXPECT_EQ(check_button_state(fw().超级按钮_删除线, ButtonOp::Query), 0);
  EXPECT_EQ(check_button_state(fw().超级按钮_设置为默认的字体, ButtonOp::Query), 0);
  EXPECT_EQ(preview_font(), editor().font());
  EXPECT_EQ(fw().颜色选择器_字体颜色.color(), 0x112233u);
  EXPECT_EQ(fw().颜色选择器_背景色.color(), 0xDDEEFFu);
  EXPECT_EQ(fw().编辑框_预览.text_color(), 0x112233u);
  EXPECT_EQ(fw().编辑框_预览.back_color(), 0xDDEEFFu);
  EXPECT_EQ(font_window_color(0), 0x112233u);
  EXPECT_EQ(font_window_color(1), 0xDDEEFFu);
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(rt::tooltip_text(fw().图形按钮_确定设置), "确定修改字体");
  EXPECT_EQ(rt::tooltip_text(fw().图形按钮_取消设置), "取消修改字体");
  EXPECT_EQ(rt::tooltip_text(fw().图形按钮_关闭小), "关闭字体设置窗口");
  EXPECT_EQ(rt::tooltip_text(fw().编辑框_预览), fw().编辑框_预览.text());
  EXPECT_EQ(rt::tooltip_text(fw().颜色选择器_字体颜色),
            "文本颜色：" + std::to_string(0x112233) + "\r\n右击恢复默认颜色");
  EXPECT_EQ(rt::tooltip_text(fw().列表框_字体列表), names[1]);
  EXPECT_EQ(rt::tooltip_text(fw().组合框_字形), "粗斜体");
  // Centred over the main window.
  EXPECT_NEAR(fw().left() + fw().width() / 2, w().left() + w().width() / 2, 1);
  EXPECT_NEAR(fw().top() + fw().height() / 2, w().top() + w().height() / 2, 1);

  // 确定 keeps the font as it was, underline included.
  ui_test::click(fw().图形按钮_确定设置);
  EXPECT_FALSE(fw().loaded());
  EXPECT_EQ(editor().font(), (rt::Font{0, true, true, false, true, 12, names[1]}));
}

TEST_F(FontWindowTest, AFaceOrSizeThatNoEntryHasStaysAsItIs) {
  // Ctrl+wheel gives sizes none of the entries has; start-up may choose a face the system
  // lists under another name.
  set_editor_font("没有这种字体", 13);
  open_window();
  EXPECT_EQ(fw().组合框_字体列表.current(), -1);
  EXPECT_EQ(fw().列表框_字体列表.current(), -1);
  EXPECT_EQ(fw().组合框_字体大小.current(), -1);
  EXPECT_EQ(fw().组合框_字体大小.text(), "13");
  EXPECT_EQ(preview_font().size, 13);
  EXPECT_EQ(preview_font().face, "没有这种字体");
  ui_test::click(fw().超级按钮_设置为默认的字体);
  ui_test::click(fw().图形按钮_确定设置);
  EXPECT_EQ(editor().font().size, 13);
  EXPECT_EQ(editor().font().face, "没有这种字体");
  EXPECT_EQ(profile("默认字体大小"), "13");
}

TEST_F(FontWindowTest, WhileTheFontsAreListedNothingClosesTheWindow) {
  rt::seams::hold_workers(true);
  open_font_window();
  ASSERT_TRUE(fw().loaded());
  ASSERT_EQ(rt::seams::held_worker_count(), 1);
  ui_test::settle(100);
  EXPECT_TRUE(font_window_busy());
  for (rt::GraphicButton* b : {&fw().图形按钮_关闭小, &fw().图形按钮_确定设置, &fw().图形按钮_取消设置})
    EXPECT_TRUE(b->disabled());
  editor().set_font({0, false, false, false, false, 20, names[0]});
  ui_test::click(fw().图形按钮_确定设置);
  ui_test::click(fw().图形按钮_取消设置);
  ui_test::click(fw().图形按钮_关闭小);
  apply_font_settings();
  fw().close();  // a close request of the system
  EXPECT_TRUE(fw().loaded());
  EXPECT_EQ(editor().font().size, 20);
  EXPECT_EQ(fw().列表框_字体列表.count(), 0);

  ASSERT_TRUE(rt::seams::release_held_worker());
  ASSERT_TRUE(ui_test::wait_for([] { return !font_window_busy(); }));
  for (rt::GraphicButton* b : {&fw().图形按钮_关闭小, &fw().图形按钮_确定设置, &fw().图形按钮_取消设置})
    EXPECT_FALSE(b->disabled());
  EXPECT_EQ(fw().列表框_字体列表.count(), static_cast<int>(names.size()));
  EXPECT_EQ(fw().列表框_字体列表.current(), 0);
  ui_test::click(fw().图形按钮_取消设置);
  EXPECT_FALSE(fw().loaded());
}

TEST_F(FontWindowTest, AListingForAClosedWindowIsDropped) {
  rt::seams::hold_workers(true);
  open_font_window();
  fw().destroy();  // as when the main window goes
  open_font_window();
  ASSERT_EQ(rt::seams::held_worker_count(), 2);
  // The first window's listing arrives while the second one waits for its own.
  ASSERT_TRUE(rt::seams::release_held_worker());
  ui_test::settle(300);
  EXPECT_EQ(fw().列表框_字体列表.count(), 0);
  EXPECT_TRUE(font_window_busy());
  ASSERT_TRUE(rt::seams::release_held_worker());
  ASSERT_TRUE(ui_test::wait_for([] { return !font_window_busy(); }));
  EXPECT_EQ(fw().列表框_字体列表.count(), static_cast<int>(names.size()));
  EXPECT_EQ(fw().组合框_字体列表.count(), static_cast<int>(names.size()));
}

// ---- Choices ----

TEST_F(FontWindowTest, ChoicesChangeThePreviewAndOkAppliesThem) {
  set_editor_font(names[0], 9);
  open_window();
  int list_changes = 0, combo_changes = 0;
  auto list_changed = fw().列表框_字体列表.on_changed;
  fw().列表框_字体列表.on_changed = [&] {
    ++list_changes;
    list_changed();
  };
  auto combo_changed = fw().组合框_字体列表.on_changed;
  fw().组合框_字体列表.on_changed = [&] {
    ++combo_changes;
    combo_changed();
  };

  // A click on the list; the combo follows, without an event of its own.
  click_item(fw().列表框_字体列表, 2);
  EXPECT_EQ(list_changes, 1);
  EXPECT_EQ(combo_changes, 0);
  EXPECT_EQ(fw().组合框_字体列表.current(), 2);
  EXPECT_EQ(preview_font().face, names[2]);
  EXPECT_EQ(rt::tooltip_text(fw().列表框_字体列表), names[2]);
  // A choice in the combo; the list follows.
  choose(fw().组合框_字体列表, 1);
  EXPECT_EQ(combo_changes, 1);
  EXPECT_EQ(list_changes, 1);
  EXPECT_EQ(fw().列表框_字体列表.current(), 1);
  EXPECT_EQ(preview_font().face, names[1]);
  EXPECT_EQ(rt::tooltip_text(fw().组合框_字体列表), names[1]);

  // "五号" is 11 points.
  choose(fw().组合框_字体大小, 26);
  EXPECT_EQ(fw().组合框_字体大小.text(), "五号");
  EXPECT_EQ(preview_font().size, 11);
  EXPECT_EQ(rt::tooltip_text(fw().组合框_字体大小), "字体大小：11");

  // The style entry and the radios go together.
  choose(fw().组合框_字形, 2);
  EXPECT_EQ(radio_on(), 2);
  EXPECT_TRUE(preview_font().bold);
  EXPECT_FALSE(preview_font().italic);
  EXPECT_EQ(rt::tooltip_text(fw().组合框_字形), "粗体");
  ui_test::click(fw().超级按钮_斜体);
  EXPECT_EQ(radio_on(), 1);
  EXPECT_EQ(fw().组合框_字形.current(), 1);
  EXPECT_FALSE(preview_font().bold);
  EXPECT_TRUE(preview_font().italic);
  ui_test::click(fw().超级按钮_斜体);  // already on: nothing
  EXPECT_EQ(radio_on(), 1);
  ui_test::click(fw().超级按钮_粗斜体);
  EXPECT_EQ(fw().组合框_字形.current(), 3);
  EXPECT_TRUE(preview_font().bold && preview_font().italic);

  ui_test::click(fw().超级按钮_删除线);
  EXPECT_TRUE(preview_font().strikeout);
  ui_test::click(fw().超级按钮_下划线);
  ui_test::click(fw().超级按钮_下划线);
  EXPECT_FALSE(preview_font().underline);

  // A colour from the dialog.
  rt::seams::script_dialog({rt::seams::DialogKind::Color, true, {}, 0x0000C0});
  ui_test::click(fw().颜色选择器_字体颜色);
  EXPECT_EQ(fw().颜色选择器_字体颜色.color(), 0x0000C0u);
  EXPECT_EQ(fw().编辑框_预览.text_color(), 0x0000C0u);
  rt::seams::script_dialog({rt::seams::DialogKind::Color, true, {}, 0xF0F0F0});
  ui_test::click(fw().颜色选择器_背景色);
  EXPECT_EQ(fw().编辑框_预览.back_color(), 0xF0F0F0u);
  EXPECT_EQ(rt::tooltip_text(fw().颜色选择器_背景色), "背景颜色：" + std::to_string(0xF0F0F0) + "\r\n右击恢复默认颜色");
  // A cancelled dialog changes nothing.
  rt::seams::script_dialog({rt::seams::DialogKind::Color, false});
  ui_test::click(fw().颜色选择器_背景色);
  EXPECT_EQ(fw().编辑框_预览.back_color(), 0xF0F0F0u);

  // Nothing reached the edit box before 确定.
  EXPECT_EQ(editor().font(), (rt::Font{0, false, false, false, false, 9, names[0]}));
  EXPECT_EQ(editor().text_color(), 0x8000u);
  ui_test::click(fw().图形按钮_确定设置);
  EXPECT_FALSE(fw().loaded());
  EXPECT_EQ(editor().font(), (rt::Font{0, true, true, true, false, 11, names[1]}));
  EXPECT_EQ(editor().text_color(), 0x0000C0u);
  EXPECT_EQ(editor().back_color(), 0xF0F0F0u);
  // Without pages of their own colours, the page keeps its colours; the tab strip takes the
  // edit box's.
  EXPECT_EQ(pages()[0].text_color, 0x8000u);
  EXPECT_EQ(tabs().current(), 0);
  EXPECT_TRUE(shown.empty());
  // Not stored as the default.
  EXPECT_EQ(profile("默认字体名称"), "<absent>");
}

TEST_F(FontWindowTest, CancelAndCloseDiscardThePreview) {
  set_editor_font(names[0], 9);
  for (int close : {0, 1}) {
    open_window();
    choose(fw().组合框_字体大小, 15);
    ui_test::click(fw().超级按钮_删除线);
    ui_test::click(close ? fw().图形按钮_关闭小 : fw().图形按钮_取消设置);
    EXPECT_FALSE(fw().loaded());
    EXPECT_EQ(editor().font(), (rt::Font{0, false, false, false, false, 9, names[0]}));
  }
}

TEST_F(FontWindowTest, PagesWithTheirOwnFontAndColoursTakeTheChoiceForTheCurrentPageOnly) {
  set_option(&OptionValues::per_page_font, 1);
  set_option(&OptionValues::per_page_colors, 1);
  std::string name;
  int second = create_page(name);
  ASSERT_EQ(second, 1);
  set_page_font(0, {0, 0, 0, 0, 0, 10, names[0]});
  set_page_font(1, {0, 0, 0, 0, 0, 10, names[0]});
  show_current_page();
  ASSERT_EQ(editor().font().size, 10);
  open_window();
  choose(fw().组合框_字体大小, 13);  // 36
  choose(fw().组合框_字形, 2);
  rt::seams::script_dialog({rt::seams::DialogKind::Color, true, {}, 0x00FF00});
  ui_test::click(fw().颜色选择器_背景色);
  ui_test::click(fw().图形按钮_确定设置);
  EXPECT_EQ(pages()[1].font, (FontRecord{0, 1, 0, 0, 0, 36, names[0]}));
  EXPECT_EQ(pages()[1].back_color, 0x00FF00u);
  EXPECT_EQ(pages()[0].font, (FontRecord{0, 0, 0, 0, 0, 10, names[0]}));
  EXPECT_EQ(pages()[0].back_color, 0xCFE8CCu);
  tabs().set_current(0);
  EXPECT_EQ(editor().font().size, 10);
  EXPECT_EQ(editor().back_color(), 0xCFE8CCu);
  tabs().set_current(1);
  EXPECT_EQ(editor().font().size, 36);
  EXPECT_TRUE(editor().font().bold);
  EXPECT_EQ(editor().back_color(), 0x00FF00u);
}

TEST_F(FontWindowTest, TheDefaultFontIsStoredOnlyWhenAsked) {
  struct Case {
    bool bold, italic, strikeout, underline;
    int size_entry, points;
  };
  const Case cases[] = {{true, false, false, true, 4, 12}, {false, true, true, false, 26, 11}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.points);
    set_editor_font(names[0], 9, c.bold, c.italic, c.strikeout, c.underline);
    open_window();
    click_item(fw().列表框_字体列表, 2);
    choose(fw().组合框_字体大小, c.size_entry);
    ui_test::click(fw().超级按钮_设置为默认的字体);
    EXPECT_EQ(check_button_state(fw().超级按钮_设置为默认的字体, ButtonOp::Query), 1);
    ui_test::click(fw().图形按钮_确定设置);
    EXPECT_EQ(profile("默认字体名称"), names[2]);
    EXPECT_EQ(profile("默认字体大小"), std::to_string(c.points));
    EXPECT_EQ(profile("默认字体是否加粗"), c.bold ? "真" : "假");
    EXPECT_EQ(profile("默认字体是否倾斜"), c.italic ? "真" : "假");
    EXPECT_EQ(profile("默认字体是否有下划线"), c.underline ? "真" : "假");
    EXPECT_EQ(profile("默认字体是否有删除线"), c.strikeout ? "真" : "假");
  }
  // The check starts off every time and is not kept.
  DeleteFileA(config_file().c_str());
  open_window();
  EXPECT_EQ(check_button_state(fw().超级按钮_设置为默认的字体, ButtonOp::Query), 0);
  ui_test::click(fw().超级按钮_设置为默认的字体);
  ui_test::click(fw().超级按钮_设置为默认的字体);
  ui_test::click(fw().图形按钮_确定设置);
  for (const char* key : {"默认字体名称", "默认字体大小", "默认字体是否加粗"}) EXPECT_EQ(profile(key), "<absent>");
}

// ---- The colour pickers ----

TEST_F(FontWindowTest, AColourEqualToTheOtherIsRefused) {
  editor().set_text_color(0x8000);
  editor().set_back_color(0xCFE8CC);
  open_window();
  rt::seams::script_dialog({rt::seams::DialogKind::Color, true, {}, 0xCFE8CC});
  ui_test::click(fw().颜色选择器_字体颜色);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, "颜色值错误！");
  // The box ends the text with a line break.
  EXPECT_EQ(
      shown[0].text,
      "  文本颜色不能和背景颜色相同！这个不是我规定的，是眼睛规定的！为了保护你的眼睛，请使用默认的颜色配置方案！\r\n");
  EXPECT_EQ(shown[0].icon, 16);
  EXPECT_EQ(shown[0].title_color, 0xFFu);
  EXPECT_EQ(shown[0].text_color, 0xFFu);
  EXPECT_EQ(shown[0].owner, fw().handle());
  EXPECT_EQ(fw().颜色选择器_字体颜色.color(), 0x8000u);
  EXPECT_EQ(fw().编辑框_预览.text_color(), 0x8000u);

  // The former colour is the last accepted one, not the one the window opened with.
  rt::seams::script_dialog({rt::seams::DialogKind::Color, true, {}, 0x123456});
  ui_test::click(fw().颜色选择器_背景色);
  rt::seams::script_dialog({rt::seams::DialogKind::Color, true, {}, 0x8000});
  ui_test::click(fw().颜色选择器_背景色);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(
      shown[1].text,
      "  背景颜色不能和文本颜色相同！这个不是我规定的，是眼睛规定的！为了保护你的眼睛，请使用默认的颜色配置方案！\r\n");
  EXPECT_EQ(fw().颜色选择器_背景色.color(), 0x123456u);
  EXPECT_EQ(fw().编辑框_预览.back_color(), 0x123456u);
  ui_test::click(fw().图形按钮_确定设置);
  EXPECT_EQ(editor().text_color(), 0x8000u);
  EXPECT_EQ(editor().back_color(), 0x123456u);
}

TEST_F(FontWindowTest, ARightClickOnAPickerReturnsToTheDefaultColourUnlessTheOtherHoldsIt) {
  editor().set_text_color(0x111111);
  editor().set_back_color(0x222222);
  open_window();
  // The text picker goes to 0x8000.
  ui_test::right_click(fw().颜色选择器_字体颜色);
  EXPECT_EQ(fw().颜色选择器_字体颜色.color(), 0x8000u);
  EXPECT_EQ(fw().编辑框_预览.text_color(), 0x8000u);
  EXPECT_EQ(rt::tooltip_text(fw().颜色选择器_字体颜色), "文本颜色：32768\r\n右击恢复默认颜色");
  // The background picker goes to 0xCFE8CC.
  ui_test::right_click(fw().颜色选择器_背景色);
  EXPECT_EQ(fw().颜色选择器_背景色.color(), 0xCFE8CCu);
  EXPECT_EQ(fw().编辑框_预览.back_color(), 0xCFE8CCu);
  EXPECT_TRUE(shown.empty());

  // Not while the other picker holds that colour: nothing changes, nothing is said.
  rt::seams::script_dialog({rt::seams::DialogKind::Color, true, {}, 0xCFE8CC});
  ui_test::click(fw().颜色选择器_字体颜色);  // refused: equals the background
  ASSERT_EQ(shown.size(), 1u);
  rt::seams::script_dialog({rt::seams::DialogKind::Color, true, {}, 0x333333});
  ui_test::click(fw().颜色选择器_字体颜色);
  rt::seams::script_dialog({rt::seams::DialogKind::Color, true, {}, 0x8000});
  ui_test::click(fw().颜色选择器_背景色);
  ASSERT_EQ(fw().颜色选择器_背景色.color(), 0x8000u);
  ui_test::right_click(fw().颜色选择器_字体颜色);
  EXPECT_EQ(fw().颜色选择器_字体颜色.color(), 0x333333u);
  EXPECT_EQ(fw().编辑框_预览.text_color(), 0x333333u);
  rt::seams::script_dialog({rt::seams::DialogKind::Color, true, {}, 0xCFE8CC});
  ui_test::click(fw().颜色选择器_字体颜色);
  ASSERT_EQ(fw().颜色选择器_字体颜色.color(), 0xCFE8CCu);
  ui_test::right_click(fw().颜色选择器_背景色);
  EXPECT_EQ(fw().颜色选择器_背景色.color(), 0x8000u);
  EXPECT_EQ(shown.size(), 1u);
}

TEST_F(FontWindowTest, ThePreviewBox) {
  open_window();
  fw().编辑框_预览.set_text("试一试");
  EXPECT_EQ(rt::tooltip_text(fw().编辑框_预览), "试一试");
  fw().编辑框_预览.select(2, 0);
  SendMessageW(hw(fw().编辑框_预览.handle()), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_EQ(fw().编辑框_预览.selection_start(), 1);
  SendMessageW(hw(fw().编辑框_预览.handle()), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  SendMessageW(hw(fw().编辑框_预览.handle()), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(fw().编辑框_预览.selection_start(), 0);
}

// ---- Opening and shutdown ----

TEST_F(FontWindowTest, CtrlTOpensTheWindowAndShutdownFadesItOut) {
  ui_test::press_key(editor(), 'T', rt::kCtrl);
  ASSERT_TRUE(
      ui_test::wait_for([] { return fw().loaded() && !font_window_busy() && fw().alpha() == options().window_alpha; }));
  EXPECT_EQ(editor().text(), "");  // the key never reaches the edit box
  // A second Ctrl+T keeps the one window.
  open_font_window();
  EXPECT_TRUE(fw().loaded());
  release_main_window();
  EXPECT_FALSE(fw().visible() && fw().alpha() > 0);
}

TEST_F(FontWindowTest, Screenshot) {
  editor().set_text("字体设置示例\r\nVelmora 是一个带标签页的纯文本编辑器。\r\n");
  set_editor_font(names[0], 14, true);
  open_window();
  ui_test::screenshot("font_window");
  EXPECT_TRUE(ui_test::layout_is_sound(fw()));
}

}  // namespace
