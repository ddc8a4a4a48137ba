#pragma once
// The page model: the routines that keep the pages of the page store, the tabs of
// 高级选择夹_标签 and the edit box in step.
#include <string>

#include "common/records.h"
#include "pages/page_store.h"

// The id of the current page (0 when there is none).
int current_page_id();
// A page's text: for the page the edit box shows, the edit box's text (taken when read).
std::string page_content(int index);
// Replaces a page's stored text (the caller redisplays the current page).
void set_page_content(int index, std::string text);
// Takes the edit box's text into the current page's record.
void sync_current_page_from_editor();
// What the edit box could not give back (EditBox::take_lost_characters) goes to the page it
// shows, if any; called before the box is handed another page's text.
void settle_editor_losses();

// Creates a page and its tab and selects it; an empty name becomes the automatic name and is
// written back. Returns the tab index, or -1 after reporting the failure.
int create_page(std::string& name);
void activate_page_of_path(const std::string& path);
// Removes the page and tab at index; index 0 resets tab 0 instead.
void close_page_at(int index);
std::string make_tab_tooltip(const std::string& name);
std::string strip_invalid_filename_chars(const std::string& text);
// The name of the page at index, as dialogs and messages show it (from its tooltip).
std::string page_name(int index);

void new_page_command();
// Asks for the new page's name; forbidden characters and line breaks are dropped, a blank
// answer creates nothing.
void custom_new_page_command();
