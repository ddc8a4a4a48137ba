#pragma once
// What the user does with the tabs themselves: moving between them, the scroll animation,
// renaming a tab, copying a page's name, path or text, and the commands on the tab whose own
// menu was opened.

// The tab "跳到中间(&Z)" selects among count tabs: count / 2 - 1, halves rounded up.
int middle_tab_index(int count);
void jump_to_first_tab();
void jump_to_middle_tab();
void jump_to_last_tab();
// One tab per 500 ms towards the first or the last tab (scroll_or_autosave_tick moves them).
void scroll_tabs_towards_first();
void scroll_tabs_towards_last();
// The arrow buttons beside the tab strip.
void select_previous_tab();
void select_next_tab();
// A double click on the tab strip: with Ctrl a new page, with Shift a new page the user names.
void on_tab_strip_double_click(int modifiers);

void copy_page_name();
void copy_page_path();
void copy_page_text();
// The tab's caption becomes the name the user gives; a page never saved takes it as its name.
void rename_current_tab();

// The tab whose own menu ("标签菜单_不是当前标签") was opened, kept in the tag of 图片框_读取网页;
// -1 when none is remembered.
void remember_menu_tab(int index);
int remembered_menu_tab();
void close_remembered_tab();
void jump_to_remembered_tab();
