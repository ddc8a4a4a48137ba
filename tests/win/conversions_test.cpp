// The text conversions of the edit box on a real page: the edit box and the page, the modified
// flag, the prompts and messages answered through the program's own message box.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/shortcuts.h"
#include "forms/main_window_form.h"
#include "common/message_box_form.h"
#include "options/config.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "program_test.h"
#include "runtime/clipboard.h"
#include "runtime/files.h"
#include "runtime/script.h"
#include "runtime/seams.h"
#include "texttools/conversion_commands.h"
#include "ui_test.h"

namespace {

// One box as the user saw it.
struct SeenBox {
  std::string caption, text, input_default;
  unsigned text_color = 0;
};

// How to answer one box: the text typed over the input box's default (when given), then a
// button by its code, or kCloseButton.
constexpr int kCloseButton = -1, kEnterKey = -2;
struct Reply {
  std::optional<std::string> typed;
  int button = 0;
};

class ConversionsTest : public ProgramTest {
 protected:
  void TearDown() override {
    rt::seams::set_modal_hook(nullptr);
    ProgramTest::TearDown();
  }
  // The current page holds text as if just opened: shown and not modified.
  void show_unmodified(const std::string& text) {
    int i = tabs().current();
    set_page_content(i, text);
    set_page_modified(i, 0);
    show_current_page();
    ASSERT_EQ(editor().text(), text);
  }
  // Answers the boxes from now on in order; a box beyond the list is closed by its close button.
  void reply(std::vector<Reply> replies) {
    seen.clear();
    auto queue = std::make_shared<std::vector<Reply>>(std::move(replies));
    auto next = std::make_shared<size_t>(0);
    rt::seams::set_modal_hook([this, queue, next](rt::Window& box) {
      MessageBoxForm& f = message_box_form();
      if (&box != &f) return;
      // The label shows a one-line text with a line break after it, for its wrapping.
      std::string text = f.透明标签_提示类容.text();
      if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
      seen.push_back({f.caption(), text, f.编辑框_输入类容.text(), f.透明标签_提示类容.text_color()});
      Reply r = *next < queue->size() ? (*queue)[(*next)++] : Reply{std::nullopt, kCloseButton};
      if (r.typed) {
        rt::EditBox& input = f.编辑框_输入类容;
        input.select(0, input.text_length());
        ui_test::type_text(input, *r.typed);
      }
      if (r.button == kEnterKey) {
        ui_test::press_key(f.编辑框_输入类容, VK_RETURN);
        return;
      }
      rt::GraphicButton* button = r.button >= 0 ? f.answer_button(r.button) : nullptr;
      ui_test::click(button && button->visible() ? *button : f.图形按钮_关闭_信息框);
    });
  }
  std::vector<SeenBox> seen;
};

struct WholeTextCase {
  const char* name;
  std::function<void()> command;
  std::string before, after;
};

TEST_F(ConversionsTest, WholeTextConversionsRewriteThePageAndMarkIt) {
  const WholeTextCase cases[] = {
      {"half width", convert_to_half_width, "ＡＢ　１２！～中\r\n", "AB 12!~中\r\n"},
      {"full width", convert_to_full_width, "a b~}\r\n\t中", "ａ　ｂ～｝\r\n\t中"},
      {"lower case", convert_to_lower_case, "AbC中D", "abc中d"},
      {"upper case", convert_to_upper_case, "AbC中d", "ABC中D"},
      {"no spaces", remove_all_spaces, "a b　c\r\n 中", "abc\r\n中"},
      {"Chinese only", keep_chinese_text, "a中b文\r\n!", "中文"},
      {"URL encoded", url_encode_editor, "a-b c中", "a%2Db%20c%D6%D0"},
      {"URL decoded", url_decode_editor, "%D6%D0%41+%00", "中A+%00"},
      {"lyrics", strip_lyrics_in_editor, "[00:01.00]la\r\n[00:02.00]中", "la\r\n中"},
  };
  for (const WholeTextCase& c : cases) {
    SCOPED_TRACE(c.name);
    show_unmodified(c.before);
    c.command();
    EXPECT_EQ(editor().text(), c.after);
    EXPECT_EQ(page_content(0), c.after);
    EXPECT_EQ(pages()[0].modified, 1);
  }
}

TEST_F(ConversionsTest, AnUnchangedTextLeavesThePageUnmodified) {
  const WholeTextCase cases[] = {
      {"lower case", convert_to_lower_case, "abc中", "abc中"},
      {"no spaces", remove_all_spaces, "", ""},
      // Without tags the page keeps its text (it is not emptied).
      {"lyrics", strip_lyrics_in_editor, "no tags here", "no tags here"},
  };
  for (const WholeTextCase& c : cases) {
    SCOPED_TRACE(c.name);
    show_unmodified(c.before);
    c.command();
    EXPECT_EQ(editor().text(), c.after);
    EXPECT_EQ(pages()[0].modified, 0);
  }
}

TEST_F(ConversionsTest, CtrlF6RemovesAllSpaces) {
  show_unmodified("a b　c");
  ui_test::press_key(editor(), VK_F6, rt::kCtrl);
  EXPECT_EQ(editor().text(), "abc");
  EXPECT_EQ(pages()[0].modified, 1);
}

TEST_F(ConversionsTest, LineBreaksAreReplacedByTheTypedTextWithTheTrueCount) {
  show_unmodified("a\r\nb\r\nc\r\n");
  reply({{"中", kEnterKey}, {std::nullopt, 0}});  // Enter submits
  replace_newlines_with();
  EXPECT_EQ(editor().text(), "a中b中c中");
  EXPECT_EQ(pages()[0].modified, 1);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].caption, "Velmora_请输入替换换行符的字符！");
  EXPECT_EQ(seen[0].input_default, "");
  EXPECT_EQ(seen[1].caption, "Velmora_替换所有换行符成功！");
  EXPECT_EQ(seen[1].text, "  成功将所有的换行符替换为\"中\"，成功替换了3处。");
  EXPECT_EQ(seen[1].text_color, 0x8000u);
}

TEST_F(ConversionsTest, TheTypedTextIsReplacedByLineBreaks) {
  show_unmodified("甲,乙,丙");
  reply({{",", 0}, {std::nullopt, 0}});
  replace_with_newlines();
  EXPECT_EQ(editor().text(), "甲\r\n乙\r\n丙");
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].caption, "Velmora_替换为换行符成功！");
  EXPECT_EQ(seen[1].text, "  成功将所有的\",\"替换为换行符了，成功替换了2处。");
}

TEST_F(ConversionsTest, PromptsNotAnsweredWithOkAndAnEmptySearchTextChangeNothing) {
  struct Case {
    const char* name;
    std::function<void()> command;
    Reply answer;
  };
  const Case cases[] = {
      {"line breaks, Cancel", replace_newlines_with, {"x", 1}},
      {"line breaks, close button", replace_newlines_with, {"x", kCloseButton}},
      {"to line breaks, Cancel", replace_with_newlines, {",", 1}},
      {"to line breaks, nothing to look for", replace_with_newlines, {"", 0}},
      {"middle text, Cancel", extract_middle_text, {"a|c", 1}},
      {"numbers, close button", replace_number_range, {"0-9|#", kCloseButton}},
      {"expression, Cancel", evaluate_expression, {"1+1", 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    show_unmodified("a,b\r\nc1");
    rt::set_clipboard_text("before");
    reply({c.answer});
    c.command();
    EXPECT_EQ(seen.size(), 1u);  // the prompt alone
    EXPECT_EQ(editor().text(), "a,b\r\nc1");
    EXPECT_EQ(pages()[0].modified, 0);
    EXPECT_EQ(rt::clipboard_text(), "before");
  }
}

TEST_F(ConversionsTest, TextsBetweenDelimitersGoToANewPageTheClipboardOrThePage) {
  const std::string text = "a[1]b[中]";
  // 是: a new page named like the current one, unmodified, shown.
  show_unmodified(text);
  reply({{"[|]", 0}, {std::nullopt, 5}});
  extract_middle_text();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].caption, "Velmora_请输入中间文本的左标识和右标识！");
  EXPECT_EQ(seen[1].caption, "Velmora_取中间文本成功！");
  EXPECT_EQ(seen[1].text,
            "  成功取到位于\"[\"和\"]\"中间的文本共2处。选择'是'将取到的文本加入到新的标签，'否'复制到剪切板，'取消'"
            "直接替换当前内容。");
  ASSERT_EQ(tabs().count(), 2);
  EXPECT_EQ(tabs().current(), 1);
  EXPECT_EQ(page_name(1), page_name(0));
  EXPECT_EQ(editor().text(), "1\r\n中");
  EXPECT_EQ(pages()[1].modified, 0);
  EXPECT_EQ(page_content(0), text);
  EXPECT_EQ(pages()[0].modified, 0);

  // 否: the clipboard.
  tabs().set_current(0);
  reply({{"[|]", 0}, {std::nullopt, 6}});
  extract_middle_text();
  EXPECT_EQ(rt::clipboard_text(), "1\r\n中");
  EXPECT_EQ(editor().text(), text);
  EXPECT_EQ(tabs().count(), 2);

  // The close button: nothing, although it counts as 取消.
  rt::set_clipboard_text("before");
  reply({{"[|]", 0}, {std::nullopt, kCloseButton}});
  extract_middle_text();
  EXPECT_EQ(editor().text(), text);
  EXPECT_EQ(pages()[0].modified, 0);
  EXPECT_EQ(rt::clipboard_text(), "before");
  EXPECT_EQ(tabs().count(), 2);

  // 取消 itself: the pieces replace the page.
  reply({{"[|]", 0}, {std::nullopt, 1}});
  extract_middle_text();
  EXPECT_EQ(editor().text(), "1\r\n中");
  EXPECT_EQ(pages()[0].modified, 1);
}

TEST_F(ConversionsTest, TextsBetweenDelimitersThatAreNotThereAreReported) {
  show_unmodified("a[1]b");
  reply({{"<|>", 0}, {std::nullopt, 0}});
  extract_middle_text();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].caption, "Velmora_取中间文本失败！");
  EXPECT_EQ(seen[1].text, "  取中间文本失败，原因是没有找到位于\"<\"和\">\"中间的文本。");
  EXPECT_EQ(seen[1].text_color, 0xFFu);
  // Empty delimiters are line breaks, and are named so.
  reply({{"", 0}, {std::nullopt, 0}});
  extract_middle_text();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].text, "  取中间文本失败，原因是没有找到位于\"换行符\"和\"换行符\"中间的文本。");
  EXPECT_EQ(editor().text(), "a[1]b");
  EXPECT_EQ(pages()[0].modified, 0);
  EXPECT_EQ(tabs().count(), 1);
}

TEST_F(ConversionsTest, NumbersOfARangeAreReplaced) {
  struct Case {
    std::string rule, after, message;
  };
  const Case cases[] = {
      {"0-9|#", "a#b##中#", "  成功将0到9之间的数字替换为\"#\""},
      {"9-0|#", "a#b##中#", "  成功将0到9之间的数字替换为\"#\""},
      {"2-2|", "a1b中0", "  成功将2之间的数字替换为\"\""},  // equal ends: that one number
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rule);
    show_unmodified("a1b22中0");
    reply({{c.rule, 0}, {std::nullopt, 0}});
    replace_number_range();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].input_default, "0-9|");
    EXPECT_EQ(seen[1].caption, "Velmora_替换指定范围数字成功！");
    EXPECT_EQ(seen[1].text, c.message);
    EXPECT_EQ(editor().text(), c.after);
    EXPECT_EQ(pages()[0].modified, 1);
  }
}

TEST_F(ConversionsTest, NumberRulesInTheWrongFormatOrTooLongAreRefused) {
  for (const char* rule : {"1-2-3|#", "5|#", "0-1000000|x"}) {
    SCOPED_TRACE(rule);
    show_unmodified("a1b2");
    reply({{rule, 0}, {std::nullopt, 0}});
    replace_number_range();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].caption, "Velmora_替换指定范围数字失败！");
    EXPECT_EQ(seen[1].text,
              "  替换指定范围数字失败，错误原因是书写格式错误！请按照正确的书写格式填写规则，比如：0-9|Velmora");
    EXPECT_EQ(editor().text(), "a1b2");
    EXPECT_EQ(pages()[0].modified, 0);
  }
}

TEST_F(ConversionsTest, AnExpressionIsCalculatedInHalfWidthAndOkCopiesTheResult) {
  show_unmodified("page");
  rt::set_clipboard_text("before");
  reply({{"（８８＊２）／（３＋５）＊（１６－８）", kEnterKey}, {std::nullopt, 1}});  // Cancel: no copy
  evaluate_expression();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].caption, "Velmora_请输入表达式！");
  EXPECT_EQ(seen[1].caption, "Velmora_表达式计算成功！");
  EXPECT_EQ(seen[1].text, "  表达式计算成功，单击确定将结果复制到剪切板，计算结果为：176");
  EXPECT_EQ(rt::clipboard_text(), "before");
  reply({{"2*(3+4)", 0}, {std::nullopt, 0}});
  evaluate_expression();
  EXPECT_EQ(rt::clipboard_text(), "14");
  // A script error is the result.
  reply({{"1+", 0}, {std::nullopt, 0}});
  evaluate_expression();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_NE(seen[1].text.find("计算结果为：Error: "), std::string::npos) << seen[1].text;
  EXPECT_EQ(rt::clipboard_text().rfind("Error: ", 0), 0u);
  EXPECT_EQ(editor().text(), "page");
  EXPECT_EQ(pages()[0].modified, 0);
}

TEST_F(ConversionsTest, AnEndlessExpressionIsStoppedAndTheProgramGoesOn) {
  reply({{"while(1);", 0}, {std::nullopt, 0}});
  DWORD t0 = GetTickCount();
  evaluate_expression();
  DWORD elapsed = GetTickCount() - t0;
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].text, "  表达式计算成功，单击确定将结果复制到剪切板，计算结果为：" +
                              rt::script_timeout_text(kExpressionTimeLimitMs));
  EXPECT_LT(elapsed, static_cast<DWORD>(kExpressionTimeLimitMs) + 9000u);
  // The program works on.
  ui_test::type_text(editor(), "x y");
  remove_all_spaces();
  EXPECT_EQ(editor().text(), "xy");
  reply({{"6*7", 0}, {std::nullopt, 0}});
  evaluate_expression();
  EXPECT_EQ(rt::clipboard_text(), "42");
}

class LyricFileTest : public ConversionsTest {
 protected:
  void SetUp() override {
    ConversionsTest::SetUp();
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "velmora_lyric_test\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    rt::seams::dialog_requests().clear();
  }
  void TearDown() override {
    for (const char* name : {"歌.lrc", "plain.txt"}) DeleteFileA((folder + name).c_str());
    RemoveDirectoryA(folder.c_str());
    ConversionsTest::TearDown();
  }
  void choose(const std::string& name) {
    rt::seams::script_dialog({rt::seams::DialogKind::Open, true, {folder + name}});
  }
  std::string folder;
};

TEST_F(LyricFileTest, ALyricFileBecomesANewPageWithoutTags) {
  ASSERT_TRUE(rt::write_file_safely(folder + "歌.lrc", "[ti:歌]\r\n[00:01.00]  第一句[00:02.50]第二句  "));
  choose("歌.lrc");
  open_lyric_file_as_page();
  ASSERT_EQ(rt::seams::dialog_requests().size(), 1u);
  EXPECT_EQ(rt::seams::dialog_requests()[0].title, "请选择要处理的歌词文件……");
  EXPECT_EQ(rt::seams::dialog_requests()[0].folder, rt::program_directory());  // nothing stored yet
  ASSERT_EQ(tabs().count(), 2);
  EXPECT_EQ(tabs().current(), 1);
  EXPECT_EQ(page_name(1), "歌");
  EXPECT_EQ(editor().text(), "\r\n  第一句第二句");  // trimmed of spaces at both ends
  EXPECT_EQ(pages()[1].modified, 0);
  EXPECT_EQ(pages()[1].path, "");
  EXPECT_EQ(config_read("上次打开目录", "歌词文件"), folder);
  // The next dialog starts there.
  open_lyric_file_as_page();  // unscripted: cancelled
  ASSERT_EQ(rt::seams::dialog_requests().size(), 2u);
  EXPECT_EQ(rt::seams::dialog_requests()[1].folder, folder);
  EXPECT_EQ(tabs().count(), 2);
}

TEST_F(LyricFileTest, AFileWithoutTagsIsReportedAndItsFolderStillRemembered) {
  ASSERT_TRUE(rt::write_file_safely(folder + "plain.txt", "no tags"));
  choose("plain.txt");
  reply({});
  open_lyric_file_as_page();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, "Velmora_处理歌词文件时错误！");
  EXPECT_EQ(seen[0].text, "  检测到文件不是歌词文件，或者是无法识别的文件格式，程序无法继续执行任务！");
  EXPECT_EQ(tabs().count(), 1);
  EXPECT_EQ(config_read("上次打开目录", "歌词文件"), folder);
}

TEST_F(LyricFileTest, ACancelledDialogDoesNothing) {
  open_lyric_file_as_page();
  EXPECT_EQ(rt::seams::dialog_requests().size(), 1u);
  EXPECT_EQ(tabs().count(), 1);
  EXPECT_EQ(config_read("上次打开目录", "歌词文件"), "");
}

}  // namespace
