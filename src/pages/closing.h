#pragma once
// Closing pages: one with the save question, all of them with one question, and the removal.

void close_page_with_prompt(int index);
// exit_mode: the shutdown's question (Yes/No, no page removed); otherwise Yes/No/Cancel and
// every page removed afterwards.
void close_all_pages(bool exit_mode);
void remove_all_pages();
