#pragma once
// Closing pages: one with the save question, all of them with one question, and the removal.

void close_page_with_prompt(int index);
// exit_mode: the shutdown's question (Yes/No, no page removed); otherwise Yes/No/Cancel and
// every page removed afterwards. True when the pages may go: nothing was modified, the answer
// was No, or every modified page was saved. False when a page is still modified after Yes (a
// dialog cancelled, a write failed or declined) or the closing was cancelled.
bool close_all_pages(bool exit_mode);
void remove_all_pages();
// While pages are closed one after another (the removal of all, the tab manager's close), no
// page is shown between the closes.
bool bulk_close_running();
void set_bulk_close(bool on);
// Puts the close button over the current tab (hidden while that tab is scrolled away).
void place_tab_close_button();
// The close button and a right click on the window's close button: the current page, unless
// only one untouched page is left.
void close_current_page_by_button();
