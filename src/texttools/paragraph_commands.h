#pragma once
// The paragraph commands of the additional-tools menu: each rewrites the current page line by
// line (texttools/paragraphs.h) and shows the result in the edit box.

void trim_paragraphs();
void trim_paragraph_starts();
void trim_paragraph_ends();
void drop_empty_paragraphs();
void indent_paragraphs_half();
void indent_paragraphs_full();
void space_paragraphs();
void number_paragraphs();
void number_paragraphs_full();
// half_width: 1 removes "n." numbers, 0 full-width ones.
void remove_paragraph_numbers(int half_width);
