// The paragraph commands on a real page: the result in the page and the edit box, the modified
// flag, the selection.
#include <gtest/gtest.h>

#include "app/shortcuts.h"
#include "forms/main_window_form.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "program_test.h"
#include "runtime/toolbar.h"
#include "texttools/paragraph_commands.h"
#include "ui_test.h"

namespace {

class ParagraphsTest : public ProgramTest {
 protected:
  // The current page holds text as if just opened: shown and not modified.
  void show_unmodified(const std::string& text) {
    int i = tabs().current();
    set_page_content(i, text);
    set_page_modified(i, 0);
    show_current_page();
    ASSERT_EQ(editor().text(), text);
  }
  void SetUp() override {
    ProgramTest::SetUp();
    auto bound = editor().on_changed;
    editor().on_changed = [this, bound] {
      ++changes_;
      bound();
    };
  }
  // Changes of the edit box's text from now on.
  void count_editor_changes() { changes_ = 0; }
  int editor_changes() const { return changes_; }
  bool save_enabled() { return (w().工具条_工具栏.state(kButtonSave) & rt::Toolbar::kDisabled) == 0; }

 private:
  int changes_ = 0;
};

TEST_F(ParagraphsTest, ARewriteShowsInTheEditBoxMarksThePageAndKeepsTheSelection) {
  show_unmodified(" a \r\n\r\n  b");
  editor().select(4, 2);
  count_editor_changes();
  trim_paragraphs();
  EXPECT_EQ(editor().text(), "a\r\n\r\nb\r\n");
  EXPECT_EQ(page_content(0), "a\r\n\r\nb\r\n");
  EXPECT_EQ(pages()[0].modified, 1);
  EXPECT_EQ(w().标签_上中.text_color(), 0xFFu);  // the title of a modified page
  EXPECT_TRUE(save_enabled());
  EXPECT_EQ(editor().selection_start(), 4);
  EXPECT_EQ(editor().selection_length(), 2);
  EXPECT_EQ(editor_changes(), 1);  // the result was handed to the edit box once
  // The page follows the edit box again.
  editor().select(0, 0);
  ui_test::type_text(editor(), "x");
  EXPECT_EQ(page_content(0), "xa\r\n\r\nb\r\n");
}

TEST_F(ParagraphsTest, AnUnchangedResultLeavesThePageUnmodified) {
  for (const char* text : {"a\r\n\r\nb\r\n", ""}) {
    show_unmodified(text);
    count_editor_changes();
    trim_paragraphs();
    EXPECT_EQ(editor().text(), text);
    EXPECT_EQ(pages()[0].modified, 0) << text;
    EXPECT_FALSE(save_enabled()) << text;
    EXPECT_EQ(editor_changes(), 0) << text;  // the same text is not handed over again
  }
  // A missing final line break is a change.
  show_unmodified("a");
  trim_paragraph_ends();
  EXPECT_EQ(editor().text(), "a\r\n");
  EXPECT_EQ(pages()[0].modified, 1);
}

TEST_F(ParagraphsTest, NumbersOnTheCurrentPageOnly) {
  show_unmodified("x\r\n\r\n  y");
  std::string name;
  ASSERT_EQ(create_page(name), 1);
  show_unmodified("p");
  number_paragraphs_full();
  EXPECT_EQ(editor().text(), "１．p\r\n");
  EXPECT_EQ(pages()[1].modified, 1);
  tabs().set_current(0);
  EXPECT_EQ(editor().text(), "x\r\n\r\n  y");  // untouched
  EXPECT_EQ(pages()[0].modified, 0);
  number_paragraphs();
  EXPECT_EQ(editor().text(), "1.x\r\n2.y\r\n");
  EXPECT_EQ(pages()[0].modified, 1);
  remove_paragraph_numbers(1);
  EXPECT_EQ(editor().text(), "  x\r\n  y\r\n");
  tabs().set_current(1);
  remove_paragraph_numbers(0);
  EXPECT_EQ(page_content(1), "　　p\r\n");
}

}  // namespace
