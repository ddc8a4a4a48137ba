#pragma once
// Moving text and state between the pages and the one edit box.

void show_current_page();
void apply_page_colors();
void update_title_and_status(int index);
void on_tab_changing();
void on_editor_changed();
