// The Simplified/Traditional window against the real main window under Wine: conversions of the
// work box and of the current page, the copy and clear commands, the work text the window
// starts with, its keys and drops, opening, closing and the shutdown.
#include "options/option_values.h"
#include "texttools/simp_trad_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/shutdown.h"
#include "common/tool_art.h"
#include "common/window_fade.h"
#include "forms/simp_trad_window_form.h"
#include "layout_check.h"
#include "pages/page_model.h"
#include "pages/page_pickers.h"
#include "program_test.h"
#include "runtime/clipboard.h"
#include "runtime/files.h"
#include "runtime/seams.h"
#include "runtime/tooltip.h"
#include "ui_test.h"

namespace {

SimpTradWindowForm& stw() { return simp_trad_window(); }
rt::EditBox& work_box() { return stw().编辑框_操作类容; }

class SimpTradTest : public ProgramTest {
 protected:
  void TearDown() override {
    stw().destroy();
    ProgramTest::TearDown();
  }
  // Opens the window as the menu does and waits until it is shown and its picker filled.
  static void open_window() {
    open_simp_trad_window();
    ASSERT_TRUE(ui_test::wait_for(
        [] { return stw().loaded() && stw().alpha() == options().window_alpha && !chinese_page_picker().busy(); }));
  }
};

TEST_F(SimpTradTest, TheWorkBoxConvertsBothWays) {
  struct Case {
    std::string text, simplified, traditional;
  };
  const Case cases[] = {
      {"中華人民共和國", "中华人民共和国", "中華人民共和國"},
      {"汉字与漢字", "汉字与汉字", "漢字與漢字"},
      // Without Chinese characters: byte for byte the same, trail bytes 0x5C and 0x7C too.
      {"Hello, world!\r\n\tC:\\a|b", "Hello, world!\r\n\tC:\\a|b", "Hello, world!\r\n\tC:\\a|b"},
  };
  open_window();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    work_box().set_text(c.text);
    ui_test::click(stw().图形按钮_转为简体);
    EXPECT_EQ(work_box().text(), c.simplified);
    EXPECT_TRUE(work_box().has_focus());
    ui_test::click(stw().图形按钮_转为繁体);
    EXPECT_EQ(work_box().text(), c.traditional);
  }
}

TEST_F(SimpTradTest, ThePageButtonsConvertTheCurrentPageThroughTheEditBox) {
  editor().set_text("漢字");
  set_page_modified(0, 0);
  open_window();
  work_box().set_text("工作框");
  ui_test::click(stw().图形按钮_转为简体_当前页);
  EXPECT_EQ(editor().text(), "汉字");
  EXPECT_EQ(page_content(0), "汉字");
  EXPECT_EQ(pages()[0].modified, 1);
  ui_test::click(stw().图形按钮_转为繁体_当前页);
  EXPECT_EQ(page_content(0), "漢字");
  EXPECT_EQ(work_box().text(), "工作框");
  // Another page, made current: the buttons follow the tab.
  std::string name = "第二页";
  int tab = create_page(name);
  editor().set_text("abc 后");
  set_page_modified(tab, 0);
  ui_test::click(stw().图形按钮_转为繁体_当前页);
  EXPECT_EQ(page_content(tab), "abc 後");
  EXPECT_EQ(page_content(0), "漢字");
  // A page without Chinese characters stays as it was, unmodified.
  editor().set_text("plain \\| text");
  page_content(tab);  // the page takes the text it shows; it counts as saved from here
  set_page_modified(tab, 0);
  ui_test::click(stw().图形按钮_转为简体_当前页);
  EXPECT_EQ(page_content(tab), "plain \\| text");
  EXPECT_EQ(pages()[tab].modified, 0);
}

TEST_F(SimpTradTest, CopyAndClearTheWorkBox) {
  open_window();
  work_box().set_text("复制这段文字");
  rt::set_clipboard_text("旧的");
  ui_test::click(stw().图形按钮_复制所有);
  EXPECT_EQ(rt::clipboard_text(), "复制这段文字");
  EXPECT_EQ(work_box().selection_length(), work_box().text_length());
  EXPECT_TRUE(work_box().has_focus());
  ui_test::click(stw().图形按钮_清空类容);
  EXPECT_EQ(work_box().text(), "");
  EXPECT_TRUE(work_box().has_focus());
}

TEST_F(SimpTradTest, TheWorkBoxButtonsAreEnabledExactlyWhileItHasText) {
  open_window();
  rt::GraphicButton* buttons[] = {&stw().图形按钮_转为简体, &stw().图形按钮_转为繁体, &stw().图形按钮_复制所有,
                                  &stw().图形按钮_清空类容};
  work_box().set_text("");
  for (rt::GraphicButton* b : buttons) EXPECT_TRUE(b->disabled());
  ui_test::type_text(work_box(), "字");
  for (rt::GraphicButton* b : buttons) EXPECT_FALSE(b->disabled());
  ui_test::click(stw().图形按钮_清空类容);
  for (rt::GraphicButton* b : buttons) EXPECT_TRUE(b->disabled());
  // The page buttons do not depend on the work box.
  for (rt::GraphicButton* b :
       {&stw().图形按钮_转为简体_当前页, &stw().图形按钮_转为繁体_当前页, &stw().图形按钮_复制所有_当前页})
    EXPECT_FALSE(b->disabled());
}

TEST_F(SimpTradTest, CopyingTheCurrentPage) {
  open_window();
  editor().set_text("");
  rt::set_clipboard_text("旧的");
  ui_test::click(stw().图形按钮_复制所有_当前页);
  EXPECT_EQ(rt::clipboard_text(), "旧的");
  editor().set_text("当前页的文字");
  editor().select(0, 0);
  ui_test::click(stw().图形按钮_复制所有_当前页);
  EXPECT_EQ(rt::clipboard_text(), "当前页的文字");
  EXPECT_TRUE(editor().has_focus());
  EXPECT_EQ(editor().selection_length(), editor().text_length());
}

TEST_F(SimpTradTest, TheWorkTextAtTheStart) {
  // An empty page: its choice keeps the start text, which is the clipboard's.
  rt::set_clipboard_text("剪贴板的文字");
  open_window();
  EXPECT_EQ(work_box().text(), "剪贴板的文字");
  stw().destroy();
  // A page with text: the picker's choice loads it over the start text (the selection, or the
  // clipboard on Windows 7).
  editor().set_text("页面文字");
  editor().select(0, 2);
  open_window();
  EXPECT_EQ(work_box().text(), "页面文字");
}

TEST_F(SimpTradTest, CtrlASelectsTheWholeWorkBox) {
  open_window();
  work_box().set_text("全选这些");
  work_box().select(1, 0);
  ui_test::press_key(work_box(), 'A', rt::kCtrl);
  EXPECT_EQ(work_box().selection_start(), 0);
  EXPECT_EQ(work_box().selection_length(), 4);
  EXPECT_EQ(work_box().text(), "全选这些");
}

TEST_F(SimpTradTest, DropsOnTheWorkBox) {
  open_window();
  work_box().set_text("开头");
  ASSERT_TRUE(rt::seams::drop_text(work_box(), "拖来的"));
  EXPECT_EQ(work_box().text(), "开头拖来的");
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string file = std::string(temp) + "velmora_简繁_drop.txt";
  ASSERT_TRUE(rt::write_file_safely(file, "文件内容\r\n第二行"));
  ASSERT_TRUE(rt::seams::drop_files(work_box(), {file}));
  EXPECT_EQ(work_box().text(), "文件内容\r\n第二行");
  DeleteFileA(file.c_str());
  // A file that cannot be read changes nothing.
  ASSERT_TRUE(rt::seams::drop_files(work_box(), {file}));
  EXPECT_EQ(work_box().text(), "文件内容\r\n第二行");
}

TEST_F(SimpTradTest, TheWindowIsDressedAsAToolWindow) {
  open_simp_trad_window();
  ASSERT_TRUE(stw().loaded());
  EXPECT_EQ(stw().caption(), "Velmora_简繁转换");
  ASSERT_TRUE(ui_test::wait_for([] { return stw().alpha() == options().window_alpha && stw().visible(); }));
  EXPECT_TRUE(stw().图形按钮_程序图标.normal_picture().same_image(simp_trad_window_icon_picture()));
  for (auto [page, box] : {std::pair{&stw().图形按钮_转为简体_当前页, &stw().图形按钮_转为简体},
                           {&stw().图形按钮_转为繁体_当前页, &stw().图形按钮_转为繁体},
                           {&stw().图形按钮_复制所有_当前页, &stw().图形按钮_复制所有}}) {
    EXPECT_TRUE(page->normal_picture().same_image(box->normal_picture()));
    EXPECT_TRUE(page->hover_picture().same_image(box->hover_picture()));
    EXPECT_TRUE(page->pressed_picture().same_image(box->pressed_picture()));
  }
  EXPECT_EQ(rt::tooltip_text(stw().图形按钮_转为简体), "将当前内容转换为简体");
  EXPECT_EQ(rt::tooltip_text(stw().图形按钮_清空类容), "将当前内容清空");
  EXPECT_EQ(rt::tooltip_text(stw().图形按钮_复制所有_当前页), "将当前标签内容复制到剪切板");
  EXPECT_EQ(rt::tooltip_text(stw().图形按钮_关闭小), "关闭文本简繁互转窗口");
}

TEST_F(SimpTradTest, OpeningTwiceKeepsOneWindowAndTheCloseButtonEndsIt) {
  open_window();
  rt::WindowHandle first = stw().handle();
  work_box().set_text("保留");
  open_simp_trad_window();
  EXPECT_EQ(stw().handle(), first);
  EXPECT_EQ(work_box().text(), "保留");
  ui_test::click(stw().图形按钮_关闭小);
  EXPECT_FALSE(stw().loaded());
  // Nothing is remembered.
  editor().set_text("");
  rt::set_clipboard_text("");
  open_window();
  EXPECT_EQ(work_box().text(), "");
}

TEST_F(SimpTradTest, CtrlUOpensTheWindow) {
  ui_test::press_key(editor(), 'U', rt::kCtrl);
  ASSERT_TRUE(ui_test::wait_for([] { return stw().loaded() && stw().alpha() == options().window_alpha; }));
  EXPECT_EQ(editor().text(), "");  // the key never reaches the edit box
}

TEST_F(SimpTradTest, ShutdownFadesTheWindowOut) {
  open_window();
  release_main_window();
  EXPECT_FALSE(stw().visible() && stw().alpha() > 0);
}

TEST_F(SimpTradTest, Screenshot) {
  editor().set_text(
      "简繁转换示例\r\n"
      "中华人民共和国\r\n"
      "这是一个带标签页的纯文本编辑器。\r\n");
  std::string name = "繁體範例";
  create_page(name);
  editor().set_text("漢字與簡體字的轉換。");
  tabs().set_current(0);
  open_window();
  ui_test::click(stw().图形按钮_转为繁体);
  ASSERT_EQ(work_box().text().substr(0, 12), "簡繁轉換示例");
  ui_test::screenshot("simp_trad_window");
  EXPECT_TRUE(ui_test::layout_is_sound(stw()));
}

}  // namespace
