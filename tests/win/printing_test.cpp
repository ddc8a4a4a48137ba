// Printing the current page: the print dialog answered by the test, whose memory DC stands in
// for the printer; what the printer unit sends is recorded page by page.
#include "texttools/printing.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/shortcuts.h"
#include "forms/main_window_form.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "program_test.h"
#include "runtime/seams.h"
#include "ui_test.h"

namespace {

using rt::seams::DialogKind;

// An A4 sheet at 96 dots per inch, with the unit's 20 mm margins.
constexpr int kPageWidth = 794, kPageHeight = 1123;
const int kMargin = MulDiv(20, 960, 254);

class PrintingTest : public ProgramTest {
 protected:
  void SetUp() override {
    rt::seams::dialog_requests().clear();
    rt::seams::printed_documents().clear();
    ProgramTest::SetUp();
    dc_ = CreateCompatibleDC(nullptr);
  }
  void TearDown() override {
    ui_test::answer_message_boxes({});
    ProgramTest::TearDown();
    DeleteDC(dc_);
  }
  void choose_printer(int page_height = kPageHeight) {
    rt::seams::DialogAnswer a{DialogKind::Print};
    a.device_context = dc_;
    a.page_width = kPageWidth;
    a.page_height = page_height;
    rt::seams::script_dialog(a);
  }
  void show_text(const std::string& text) {
    set_page_content(tabs().current(), text);
    show_current_page();
  }
  int print_dialogs() {
    int n = 0;
    for (const auto& r : rt::seams::dialog_requests()) n += r.kind == DialogKind::Print;
    return n;
  }
  HDC dc_ = nullptr;
};

TEST_F(PrintingTest, ACancelledDialogPrintsNothingAndSaysNothing) {
  show_text("some text");
  int boxes = 0;
  ui_test::answer_message_boxes({0}, &boxes);
  rt::seams::script_dialog({DialogKind::Print, false});
  print_current_page();
  print_from_tab_menu();  // unscripted: cancelled as well
  EXPECT_EQ(print_dialogs(), 2);
  EXPECT_TRUE(rt::seams::printed_documents().empty());
  EXPECT_EQ(boxes, 0);
  EXPECT_FALSE(w().打印机.job_open());
}

TEST_F(PrintingTest, ManyLinesFillPageAfterPageWithNoLineLostOrRepeated) {
  std::string text;
  std::vector<std::string> expected;
  for (int i = 1; i <= 250; ++i) {
    expected.push_back("第" + std::to_string(i) + "行");
    text += expected.back() + "\r\n";
  }
  expected.emplace_back();  // an empty last line, then text typed into the edit box
  text += "\r\n";
  show_text(text);
  editor().select(editor().text_length(), 0);
  ui_test::type_text(editor(), "末尾");
  expected.push_back("末尾");
  choose_printer();
  print_current_page();

  auto& docs = rt::seams::printed_documents();
  ASSERT_EQ(docs.size(), 1u);
  const auto& doc = docs[0];
  EXPECT_TRUE(doc.ended);
  ASSERT_GT(doc.line_height, 0);
  const int per_page = (kPageHeight - 2 * kMargin) / doc.line_height;
  ASSERT_GT(per_page, 10);
  const int lines = static_cast<int>(expected.size());
  EXPECT_EQ(static_cast<int>(doc.pages.size()), (lines + per_page - 1) / per_page);
  std::vector<std::string> printed;
  for (size_t p = 0; p < doc.pages.size(); ++p) {
    const auto& page = doc.pages[p];
    if (p + 1 < doc.pages.size()) {
      EXPECT_EQ(static_cast<int>(page.size()), per_page) << "page " << p;
    }
    for (size_t k = 0; k < page.size(); ++k) {
      EXPECT_EQ(page[k].x, kMargin);
      EXPECT_EQ(page[k].y, kMargin + static_cast<int>(k) * doc.line_height);
      EXPECT_LE(page[k].y + doc.line_height, kPageHeight - kMargin);
      printed.push_back(page[k].text);
    }
  }
  EXPECT_EQ(printed, expected);
  EXPECT_FALSE(w().打印机.job_open());

  // A shorter sheet holds fewer lines.
  choose_printer(kPageHeight / 2);
  print_from_tab_menu();
  ASSERT_EQ(docs.size(), 2u);
  const int per_short_page = (kPageHeight / 2 - 2 * kMargin) / docs[1].line_height;
  EXPECT_EQ(static_cast<int>(docs[1].pages.size()), (lines + per_short_page - 1) / per_short_page);
}

TEST_F(PrintingTest, ALongLineWrapsAtThePageWidth) {
  std::string line;
  for (int i = 0; i < 200; ++i) line += "中";
  show_text(line);
  choose_printer();
  print_current_page();
  ASSERT_EQ(rt::seams::printed_documents().size(), 1u);
  const auto& doc = rt::seams::printed_documents()[0];
  ASSERT_EQ(doc.pages.size(), 1u);
  ASSERT_GT(doc.pages[0].size(), 1u);
  std::string joined;
  for (const auto& l : doc.pages[0]) joined += l.text;
  EXPECT_EQ(joined, line);
}

TEST_F(PrintingTest, CtrlPPrintsOnlyAPageWithMoreThanSpaces) {
  ui_test::type_text(editor(), "  　 ");
  ui_test::press_key(editor(), 'P', rt::kCtrl);
  EXPECT_EQ(print_dialogs(), 0);
  EXPECT_EQ(editor().text(), "  　 ");  // the key is consumed
  ui_test::type_text(editor(), "x");
  choose_printer();
  ui_test::press_key(editor(), 'P', rt::kCtrl);
  EXPECT_EQ(print_dialogs(), 1);
  ASSERT_EQ(rt::seams::printed_documents().size(), 1u);
  ASSERT_EQ(rt::seams::printed_documents()[0].pages.size(), 1u);
  EXPECT_EQ(rt::seams::printed_documents()[0].pages[0][0].text, "  　 x");
  // The toolbar's print button.
  on_toolbar_button(kButtonPrint);
  EXPECT_EQ(print_dialogs(), 2);
}

TEST_F(PrintingTest, AnEmptyPageSendsNoPage) {
  choose_printer();
  print_current_page();
  ASSERT_EQ(rt::seams::printed_documents().size(), 1u);
  EXPECT_TRUE(rt::seams::printed_documents()[0].pages.empty());
  EXPECT_FALSE(rt::seams::printed_documents()[0].ended);
}

}  // namespace
