#pragma once
// The page store: the pages (one PageRecord per tab of 高级选择夹_标签, in tab order), the open
// queue, the open-path list and the counters that go with them. It is the one place that
// changes them: everyone reads them here and changes them through the operations below (the
// routines that also move the tabs and the edit box, pages/page_model.h, included). Used on
// the UI thread only; a worker gets its own copy of what it needs.
#include <string>
#include <vector>

#include "common/records.h"

// A fresh start: no page, an empty open queue, the open-path list " |", the new-page counter at
// 1, no placeholder and no page in the edit box. Page ids go on counting, so that an id stays
// unique however often the store starts again.
void reset_page_store();
// Releases what the store holds, once, after the last window is gone.
void release_page_store();

// ---- The pages

const PageList& pages();
int page_count();
// Whether index names a page.
bool page_exists(int index);
// The id of the page at index (0 when there is none), and the index of the page with an id
// now (-1 when it has gone). A message box or a dialog runs a modal loop, whose timers and
// worker results may add and close pages: what was asked about a page is done to the page
// found again by its id.
int page_id(int index);
int find_page_by_id(int id);

// A fresh record with an id no page of the run had: empty texts, font 9 points "宋体".
PageRecord make_page_record();
// Appends a page after the last one; its tab is the caller's. Returns its index.
int add_page(PageRecord record);
void remove_page(int index);
// The page at index becomes a new page in its place (a reset tab 0): a new id, no file, no
// text, unmodified, the standard colours and no selection. Its font stays.
void renew_page(int index);

// The changes of one page; an index that names no page changes nothing.
void set_page_modified(int index, int modified);
void set_page_file(int index, std::string path, std::string extension);
void set_page_extension(int index, std::string extension);
void set_page_text_color(int index, unsigned color);
void set_page_back_color(int index, unsigned color);
void set_page_font(int index, FontRecord font);
void set_page_font_size(int index, int size);
void set_page_selection(int index, int start, int length);
void set_page_shorter_than_file(int index, bool shorter);
void set_page_lost_characters(int index, bool lost);
// The page's stored text (the edit box no longer holds a newer one: text_in_editor goes).
void store_page_text(int index, std::string text);
// The edit box holds a newer text of the page than its record.
void set_page_text_in_editor(int index, bool in_editor);

// The id of the page whose text the edit box shows (0: none).
int editor_page_id();
void set_editor_page_id(int id);

// Tab 0 is a disabled placeholder while other tabs exist (after its page was closed).
bool tab0_placeholder();
void set_tab0_placeholder(bool on);

// The number in the next automatic page name ("新建文档 N").
int new_page_counter();
// A new page takes the next number; returns it. take_back_page_number gives it back (the
// page could not be made); restart_page_numbers starts again at 1.
int count_new_page();
void take_back_page_number();
void restart_page_numbers();

// ---- The open-path list (pages/open_path_list.h): the paths of the open pages while opening a
// file twice is refused.

const std::string& open_paths();
// Query: 1 when path is open. Append: adds the path's entry and its "|". Replace: the entry of
// tab `index` becomes new_text (removed when empty).
int update_open_path_list(const std::string& path, bool query, bool replace, int index, const std::string& new_text);
// " |": the entry of the first page.
void restart_open_paths();
// Made anew from the pages (the option was switched on), or emptied (switched off).
void rebuild_open_paths();
void clear_open_paths();

// ---- The open queue: the paths the next open run opens, in order.

const std::vector<std::string>& open_queue();
void set_open_queue(std::vector<std::string> paths);
void queue_file(std::string path);
void queue_files(const std::vector<std::string>& paths);
void clear_open_queue();
