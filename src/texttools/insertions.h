#pragma once
// Insertions at the caret of the main edit box, and the edit box's wheel.
#include <string>

void insert_date();
void insert_time();
// One editor line of separator units at the caret, measured on the hidden box 编辑框_测试用.
void insert_separator_line();
// Fills 编辑框_测试用 anew with 900 units of the separator ("-" for an empty one); the first
// activation and a change of the separator option call it.
void fill_separator_box(const std::string& unit);
void insert_letter_sequence();
void insert_number_range();
// delta: the raw wheel delta (positive away from the user); keys: 1 Ctrl, 2 Shift, 4 Alt.
void on_editor_wheel(int delta, int keys);
