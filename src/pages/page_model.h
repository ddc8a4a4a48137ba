#pragma once
// The page model: one PageRecord per tab of 高级选择夹_标签, in tab order.
#include <string>

#include "common/records.h"

extern int g_new_page_counter;
extern int g_tab0_placeholder;
extern std::string g_open_paths;

void reset_page_model();
// A fresh record: empty texts, font 9 points "宋体".
PageRecord make_page_record();

// Whether index names a page of g_pages.
bool page_exists(int index);
// The id of the page at index (0 when there is none), and the index of the page with an id
// now (-1 when it has gone). A message box or a dialog runs a modal loop, whose timers and
// worker results may add and close pages: what was asked about a page is done to the page
// found again by its id.
int page_id(int index);
int find_page_by_id(int id);
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
// Query: 1 when path is open. Append: adds the path's entry and its "|". Replace: the entry of
// tab `index` becomes new_text (removed when empty).
int update_open_path_list(const std::string& path, bool query, bool replace, int index, const std::string& new_text);
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
