#pragma once
// Moving text and state between the pages and the one edit box.

// Serial of the page record whose text the edit box shows (0: none).
extern int g_editor_page_id;

void show_current_page();
void apply_page_colors();
void update_title_and_status(int index);
void on_tab_changing();
void on_editor_changed();
