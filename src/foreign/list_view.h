#pragma once
// A list-view control of another program: items, sub-items, columns, colours, positions and
// selection states. Messages that carry a pointer get a record placed in a block inside the
// control's process; messages that carry numbers go directly. Item, sub-item and column
// indexes are 0-based; texts are GBK.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foreign/reader_rules.h"
#include "runtime/foreign_windows.h"

class ForeignListView {
 public:
  ForeignListView() = default;
  ~ForeignListView();
  // One process handle has one owner.
  ForeignListView(const ForeignListView&) = delete;
  ForeignListView& operator=(const ForeignListView&) = delete;

  // Opens the window's process for memory work and takes the window; the handle, or 0 on
  // failure, when already open (the first process and window stay), and for a process whose
  // pointers differ in size from ours (a 64-bit program), which our records do not fit.
  rt::ProcessHandle open_list_view_process(rt::WindowHandle window);
  intptr_t delete_all_list_items();
  intptr_t delete_list_column(int column);
  intptr_t delete_list_item(int item);
  rt::WindowHandle edit_list_item_label(int item);
  intptr_t ensure_list_item_visible(int item);
  // The found item, -1 when none (or no answer), -2 when not open.
  int find_list_item(std::string_view text, int start_item);
  uint32_t get_list_back_colour();
  int get_list_column_width(int column);
  rt::WindowHandle get_list_edit_control();
  rt::WindowHandle get_list_header();
  int get_list_hot_item();
  int get_list_item_count();
  intptr_t get_list_item_position(int item, ItemPoint& point);
  intptr_t get_list_item_rect(int item, ItemRectangle& rectangle);
  int is_list_item_selected(int item);
  int is_list_item_focused(int item);
  // The cell's text cut at capacity - 1 bytes; the answer (the text's length).
  intptr_t get_list_item_text(int item, int sub_item, std::string& text, int capacity);
  // -1 when there is none (or no answer).
  int get_next_list_item(int start, uint32_t flags);
  int get_first_selected_list_item();
  int get_list_selected_count();
  // The selected items in ascending order; their number.
  int get_selected_list_items(std::vector<int>& items);
  // Selects or deselects the item (-1: every item), touching no other state of it.
  intptr_t set_list_item_selected(int item, bool selected);
  // LVM_GETITEMRECT with the caller's rectangle (its left the portion code), its top = value.
  intptr_t get_list_item_rect_with(int item, int value, ItemRectangle& rectangle);
  uint32_t get_list_text_back_colour();
  uint32_t get_list_text_colour();
  int get_list_top_index();
  int hit_test_list(ItemPoint point);
  intptr_t redraw_list_items(int first, int last);
  intptr_t scroll_list(int dx, int dy);
  intptr_t set_list_back_colour(uint32_t colour);
  intptr_t set_list_column_width(int column, int width);
  int set_list_hot_item(int item);
  intptr_t set_list_item_position(int item, int x, int y);
  intptr_t set_list_item_text(int item, int sub_item, std::string_view text);
  intptr_t set_list_text_back_colour(uint32_t colour);
  intptr_t set_list_text_colour(uint32_t colour);
  intptr_t hit_test_list_subitem(ItemPoint point, int& item, int& sub_item);
  // Closes the process; the object is empty again.
  int close_list_view_process();
  void set_list_view_window(rt::WindowHandle window) { list_view_window_ = window; }
  rt::ProcessHandle reopen_list_view_process(rt::WindowHandle window);
  rt::WindowHandle get_list_view_window() const { return list_view_window_; }
  // The column's title cut at capacity - 1 bytes and its format; the answer.
  intptr_t get_list_column(int column, std::string& text, int capacity, int& format);
  // The columns of the list view's header (0 without a header).
  int get_list_column_count();

  rt::ProcessHandle process() const { return process_; }

 private:
  intptr_t send(unsigned msg, uintptr_t wparam = 0, intptr_t lparam = 0);
  // Sends msg with the record, its text address pointing to a fresh block of capacity + 1
  // bytes in the list view's process; the record is read back and the text cut at
  // capacity - 1 bytes. The answer, 0 when the request could not be made or got no answer.
  template <typename Record>
  intptr_t text_request(unsigned msg, uintptr_t wparam, Record& record, std::string& text, int capacity);
  rt::ProcessHandle process_ = nullptr;
  rt::WindowHandle list_view_window_ = nullptr;
};
