#pragma once
// Moving text and state between the pages and the one edit box.

// A fresh start: the edit box holds no page and is held by none.
void reset_page_display();

void show_current_page();
void apply_page_colors();
void update_title_and_status(int index);
void on_tab_changing();
void on_editor_changed();
