#pragma once
// A tree-view control given by its window handle, of this program or another. It keeps the
// handles of all items in walk order (pre-order), so that items are addressed by a 0-based
// index, and reads and changes item texts, images, data values, states, colours and styles,
// inserts items and walks the tree. In cross-process mode each record (and the text it points
// to) is placed in a block inside the tree's process; otherwise the records go directly.
//
// Operations with an index take an optional refresh: omitted while auto-refresh is on, or
// given as 1, the tree is walked again first. An index outside the handles gives the
// operation's bad result and sends nothing; so does a process that cannot be opened or a block
// that cannot be allocated in cross-process mode.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foreign/process_memory.h"
#include "foreign/reader_rules.h"

// The caller's description of an item to insert.
struct TreeItemSpec {
  std::string text;
  int image = 0;
  int selected_image = 0;
  uint32_t lparam = 0;
};

// Insert positions of insert_tree_items.
enum TreeInsertPosition : int { kInsertRoot = 1, kInsertFirst = 2, kInsertLast = 3, kInsertSorted = 4 };

class ForeignTreeView {
 public:
  using Refresh = std::optional<int>;
  ForeignTreeView();

  // Takes a window whose class is SysTreeView32 (any case) and walks its items: 1; any other
  // window: 0 and nothing changes.
  int attach_tree_view(rt::WindowHandle window);
  // The class name (256-byte buffer), blanks removed at both ends.
  std::string get_tree_window_class(rt::WindowHandle window) const;
  void refresh_tree_items() { collect_tree_items(); }
  // The address of the text in this process.
  static uintptr_t get_text_address(const std::string& text);
  int get_tree_item_count();
  // 1 for a top item, one more per ancestor; bad 0.
  int get_tree_item_depth(int index, Refresh refresh = {});
  std::string get_tree_item_text(int index, Refresh refresh = {});
  int get_tree_item_image(int index, Refresh refresh = {});
  int get_tree_item_selected_image(int index, Refresh refresh = {});
  uint32_t get_tree_item_data(int index, Refresh refresh = {});
  int set_tree_item_image(int index, int image, Refresh refresh = {});
  int set_tree_item_selected_image(int index, int image, Refresh refresh = {});
  int set_tree_item_data(int index, uint32_t value, Refresh refresh = {});
  int set_tree_item_text(int index, std::string_view text, Refresh refresh = {});
  intptr_t ensure_tree_item_visible(int index, Refresh refresh = {});
  intptr_t expand_tree_item(int index, Refresh refresh = {});
  intptr_t collapse_tree_item(int index, Refresh refresh = {});
  // One item (item given) or several (items given, item not): under the parent's item (a valid
  // parent index) or at the top level, at the position (kInsertRoot..kInsertSorted, else
  // last). One item gives its new handle; several give 0, keep the array's order also when
  // inserted first, and lock the redraw unless lock_redraw is given as 0. Neither: -1.
  intptr_t insert_tree_items(std::optional<int> parent_index = {}, const TreeItemSpec* item = nullptr,
                             const std::vector<TreeItemSpec>* items = nullptr, std::optional<int> position = {},
                             Refresh refresh = {}, std::optional<int> lock_redraw = {});
  int delete_tree_item(int index, Refresh refresh = {});
  intptr_t delete_all_tree_items();
  // The parent's index, -1 for a top item; bad -1.
  int get_tree_parent_index(int index, Refresh refresh = {});
  int get_tree_item_child_flag(int index, Refresh refresh = {});
  int is_tree_item_expanded(int index, Refresh refresh = {});
  uint32_t set_tree_back_colour(uint32_t colour);
  uint32_t get_tree_back_colour();
  int set_tree_item_height(int height = 16);
  int get_tree_item_height();
  uint32_t set_tree_text_colour(uint32_t colour);
  uint32_t get_tree_text_colour();
  uint32_t set_tree_line_colour(uint32_t colour);
  uint32_t get_tree_line_colour();
  // Add a style bit when missing.
  void set_tree_check_boxes();
  void set_tree_track_select();
  // Switch a style bit on (on omitted or 1) or off (on given as 0); see the rules in the code.
  int set_tree_no_scroll(std::optional<int> on = {});
  int set_tree_no_hscroll(std::optional<int> on = {});
  int set_tree_full_row_select(std::optional<int> on = {});
  // 1 when the item shows state image 2 (checked).
  int is_tree_item_checked(int index, Refresh refresh = {});
  int set_tree_item_checked(int index, std::optional<int> checked = {}, Refresh refresh = {});
  int set_tree_item_bold(int index, Refresh refresh = {});
  int clear_tree_item_bold(int index, Refresh refresh = {});
  intptr_t select_tree_item(int index, Refresh refresh = {});
  int get_tree_visible_count(Refresh refresh = {});
  int get_tree_first_visible_index(Refresh refresh = {});
  int get_tree_selected_index(Refresh refresh = {});
  // Positions counted from 1 of the checked items, ascending.
  std::vector<int> get_checked_tree_items(Refresh refresh = {});
  // Walks the tree again into the handle array.
  void collect_tree_items();
  void set_tree_cross_process_on() { cross_process_ = 1; }
  void set_tree_cross_process_off() { cross_process_ = 0; }
  // Position counted from 1 in the handle array, 0 when absent.
  int find_tree_item_position(uint32_t item) const;
  void set_tree_auto_refresh(int flag) { auto_refresh_ = flag; }
  int get_tree_auto_refresh() const { return auto_refresh_; }
  // Cross-process mode on when cross is given and not 0, then attach_tree_view.
  int attach_tree_view_mode(rt::WindowHandle window, std::optional<int> cross = {});
  void rescan_tree_items() { collect_tree_items(); }
  void leave_cross_process_mode() { set_tree_cross_process_off(); }
  void enter_cross_process_mode() { set_tree_cross_process_on(); }

  const std::vector<uint32_t>& item_handles() const { return item_handles_; }
  // The items the last walk read: the slots before the first 0.
  int walked_items() const;
  rt::WindowHandle tree_window() const { return tree_window_; }

 private:
  // The refresh decision, then the index's handle (nullopt for a bad index).
  std::optional<uint32_t> item_at(int index, Refresh refresh);
  intptr_t send(unsigned msg, uintptr_t wparam = 0, intptr_t lparam = 0) const;
  uint32_t next_item(uint32_t relation, uint32_t item) const;
  // TVM_GETITEMA or TVM_SETITEMA with the record fields already set by `prepare` on the record
  // of the mode; a query reads the record back. Nothing when the request could not be made;
  // the answer, or nothing for no answer, otherwise.
  struct ItemAnswer {
    bool made = false;
    std::optional<intptr_t> answer;
    TreeItemRecord record;
  };
  template <typename Prepare>
  ItemAnswer item_request(unsigned msg, uint32_t item, Prepare prepare, bool read_back);
  // A TVM_GETITEMA with the fields prepare asks for: take's value of the answer, else bad.
  template <typename T, typename Prepare, typename Take>
  T query_item(int index, Refresh refresh, T bad, Prepare prepare, Take take);
  // A TVM_SETITEMA with the fields prepare sets: 1 when the tree took it, else 0.
  template <typename Prepare>
  int update_item(int index, Refresh refresh, Prepare prepare);
  int style_switch(uint32_t bit, std::optional<int> on);
  void add_style(uint32_t bit);

  std::vector<uint32_t> item_handles_;
  TreeItemRecord local_item_;
  std::string local_text_;  // the buffer local_item_ points to
  TreeItemRecord remote_copy_item_;
  rt::ProcessHandle process_ = nullptr;
  uintptr_t remote_item_block_ = 0;
  uintptr_t remote_text_block_ = 0;
  uintptr_t record_address_ = 0;
  rt::WindowHandle tree_window_ = nullptr;
  ForeignProcessMemory memory_;
  int cross_process_ = 0;
  int auto_refresh_ = 1;
};
