#include "texttools/paragraph_commands.h"

#include "documents/open_files.h"
#include "forms/main_window_form.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "texttools/paragraphs.h"

namespace {

void rewrite_current_page(ParagraphRule rule) {
  // The whole text is replaced: not while an open run is adding pages.
  if (open_busy()) return;
  MainWindowForm& w = main_window();
  int i = w.高级选择夹_标签.current();
  if (i < 0 || i >= page_count()) return;
  std::string before = page_content(i);
  std::string after = transform_paragraphs(before, rule);
  // The redisplay puts the page's selection back: keep the one the user has now.
  if (page_id(i) == editor_page_id()) {
    rt::EditBox& box = w.编辑框_文本类容;
    set_page_selection(i, box.selection_start(), box.selection_length());
  }
  // An equal result is what the page and the edit box already hold.
  if (after != before) {
    set_page_modified(i, 1);
    set_page_content(i, std::move(after));
  }
  show_current_page();
}

}  // namespace

void trim_paragraphs() { rewrite_current_page(ParagraphRule::Trim); }
void trim_paragraph_starts() { rewrite_current_page(ParagraphRule::TrimStart); }
void trim_paragraph_ends() { rewrite_current_page(ParagraphRule::TrimEnd); }
void drop_empty_paragraphs() { rewrite_current_page(ParagraphRule::DropEmpty); }
void indent_paragraphs_half() { rewrite_current_page(ParagraphRule::IndentHalf); }
void indent_paragraphs_full() { rewrite_current_page(ParagraphRule::IndentFull); }
void space_paragraphs() { rewrite_current_page(ParagraphRule::Space); }
void number_paragraphs() { rewrite_current_page(ParagraphRule::Number); }
void number_paragraphs_full() { rewrite_current_page(ParagraphRule::NumberFull); }

void remove_paragraph_numbers(int half_width) {
  rewrite_current_page(half_width == 1 ? ParagraphRule::Unnumber : ParagraphRule::UnnumberFull);
}
