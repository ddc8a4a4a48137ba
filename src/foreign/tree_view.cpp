#include "foreign/tree_view.h"

#include <algorithm>

#include "runtime/gbk_text.h"

namespace {
constexpr unsigned kSetRedraw = 0x0B;
constexpr unsigned kInsertItemA = 0x1100, kDeleteItem = 0x1101, kExpand = 0x1102, kGetCount = 0x1105,
                   kGetNextItem = 0x110A, kSelectItem = 0x110B, kGetItemA = 0x110C, kSetItemA = 0x110D,
                   kGetVisibleCount = 0x1110, kEnsureVisible = 0x1114, kSetItemHeight = 0x111B, kGetItemHeight = 0x111C,
                   kSetBkColor = 0x111D, kSetTextColor = 0x111E, kGetBkColor = 0x111F, kGetTextColor = 0x1120,
                   kGetItemState = 0x1127, kSetLineColor = 0x1128, kGetLineColor = 0x1129;
constexpr uint32_t kText = 1, kImage = 2, kParam = 4, kState = 8, kHandle = 0x10, kSelectedImage = 0x20,
                   kChildren = 0x40;
constexpr uint32_t kBold = 0x10, kExpanded = 0x20, kUnchecked = 0x1000, kChecked = 0x2000, kStateImageMask = 0xF000;
constexpr uint32_t kFirstVisible = 5, kCaret = 9;
constexpr uint32_t kInsertAfter[] = {0xFFFF0000, 0xFFFF0001, 0xFFFF0002, 0xFFFF0003};  // root, first, last, sort
constexpr uint32_t kCheckBoxes = 0x100, kTrackSelect = 0x200, kHasLines = 2, kFullRowSelect = 0x1000,
                   kNoScroll = 0x2000, kNoHScroll = 0x8000;
constexpr int kTextCapacity = 260;

uint32_t address_of(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }
}  // namespace

ForeignTreeView::ForeignTreeView() {
  local_item_.text_capacity = kTextCapacity;
  remote_copy_item_.text_capacity = kTextCapacity;
  auto_refresh_ = 1;
}

intptr_t ForeignTreeView::send(unsigned msg, uintptr_t wparam, intptr_t lparam) const {
  return rt::foreign_message(tree_window_, msg, wparam, lparam);
}

uint32_t ForeignTreeView::next_item(uint32_t relation, uint32_t item) const {
  return static_cast<uint32_t>(send(kGetNextItem, relation, static_cast<intptr_t>(item)));
}

int ForeignTreeView::walked_items() const {
  return static_cast<int>(std::find(item_handles_.begin(), item_handles_.end(), 0u) - item_handles_.begin());
}

std::optional<uint32_t> ForeignTreeView::item_at(int index, Refresh refresh) {
  if ((!refresh && auto_refresh_ == 1) || (refresh && *refresh == 1)) collect_tree_items();
  if (index < 0 || index >= static_cast<int>(item_handles_.size())) return std::nullopt;
  return item_handles_[static_cast<size_t>(index)];
}

template <typename Prepare>
ForeignTreeView::ItemAnswer ForeignTreeView::item_request(unsigned msg, uint32_t item, Prepare prepare,
                                                          bool read_back) {
  ItemAnswer out;
  if (!cross_process_) {
    local_item_.item = item;
    prepare(local_item_);
    record_address_ = reinterpret_cast<uintptr_t>(&local_item_);
    out.made = true;
    out.answer = rt::send_foreign_message(tree_window_, msg, 0, static_cast<intptr_t>(record_address_));
    out.record = local_item_;
    return out;
  }
  process_ = memory_.open_window_process(tree_window_);
  if (!process_) return out;
  remote_item_block_ = memory_.alloc_process_block(process_, kTreeItemBlockSize);
  if (remote_item_block_) {
    remote_copy_item_.item = item;
    prepare(remote_copy_item_);
    record_address_ = reinterpret_cast<uintptr_t>(&remote_copy_item_);
    memory_.write_process_block(process_, remote_item_block_, &remote_copy_item_, kTreeItemBlockSize);
    out.made = true;
    out.answer = rt::send_foreign_message(tree_window_, msg, 0, static_cast<intptr_t>(remote_item_block_));
    if (out.answer && read_back) {
      std::vector<char> bytes = memory_.read_process_block(process_, remote_item_block_, kTreeItemBlockSize);
      std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(&remote_copy_item_));
    }
    // Without an answer the tree may still write into the block later: it stays allocated.
    if (out.answer) memory_.free_process_block(process_, remote_item_block_);
    out.record = remote_copy_item_;
  }
  memory_.close_window_process(process_);
  process_ = nullptr;
  remote_item_block_ = 0;
  return out;
}

int ForeignTreeView::attach_tree_view(rt::WindowHandle window) {
  if (rt::to_upper_ascii(get_tree_window_class(window)) != "SYSTREEVIEW32") return 0;
  tree_window_ = window;
  collect_tree_items();
  return 1;
}

std::string ForeignTreeView::get_tree_window_class(rt::WindowHandle window) const {
  return rt::trim_both(rt::foreign_class_name(window, 256));
}

uintptr_t ForeignTreeView::get_text_address(const std::string& text) {
  return reinterpret_cast<uintptr_t>(text.c_str());
}

int ForeignTreeView::get_tree_item_count() { return static_cast<int>(send(kGetCount)); }

int ForeignTreeView::get_tree_item_depth(int index, Refresh refresh) {
  std::optional<uint32_t> item = item_at(index, refresh);
  if (!item) return 0;
  // Parents that climb in a circle stop at the number of items walked.
  return 1 + count_ancestors(*item, uint32_t{0}, walked_items() - 1,
                             [this](uint32_t h) { return next_item(kTreeParent, h); });
}

std::string ForeignTreeView::get_tree_item_text(int index, Refresh refresh) {
  std::optional<uint32_t> item = item_at(index, refresh);
  if (!item) return {};
  if (!cross_process_) {
    local_text_ = blank_buffer(kTextCapacity);
    local_item_.item = *item;
    local_item_.mask = kText;
    local_item_.text_address = address_of(local_text_.c_str());
    local_item_.text_capacity = kTextCapacity;
    record_address_ = reinterpret_cast<uintptr_t>(&local_item_);
    if (!rt::send_foreign_message(tree_window_, kGetItemA, 0, static_cast<intptr_t>(record_address_))) return {};
    return rt::trim_both(text_before_zero(local_text_.c_str(), local_text_.size()));
  }
  process_ = memory_.open_window_process(tree_window_);
  if (!process_) return {};
  std::string text;
  remote_item_block_ = memory_.alloc_process_block(process_, kTreeItemBlockSize);
  remote_text_block_ = memory_.alloc_process_block(process_, kTextCapacity);
  if (remote_item_block_ && remote_text_block_) {
    remote_copy_item_.text_address = static_cast<uint32_t>(remote_text_block_);
    remote_copy_item_.item = *item;
    remote_copy_item_.mask = kText;
    remote_copy_item_.text_capacity = kTextCapacity;
    record_address_ = reinterpret_cast<uintptr_t>(&remote_copy_item_);
    memory_.write_process_block(process_, remote_item_block_, &remote_copy_item_, kTreeItemBlockSize);
    if (rt::send_foreign_message(tree_window_, kGetItemA, 0, static_cast<intptr_t>(remote_item_block_))) {
      std::vector<char> bytes = memory_.read_process_block(process_, remote_text_block_, kTextCapacity);
      text = without_split_character(text_before_zero(bytes.data(), kTextCapacity - 1));
    } else {
      remote_item_block_ = remote_text_block_ = 0;  // left to a late answer
    }
  }
  if (remote_text_block_) memory_.free_process_block(process_, remote_text_block_);
  if (remote_item_block_) memory_.free_process_block(process_, remote_item_block_);
  memory_.close_window_process(process_);
  process_ = nullptr;
  remote_item_block_ = remote_text_block_ = 0;
  return text;
}

template <typename T, typename Prepare, typename Take>
T ForeignTreeView::query_item(int index, Refresh refresh, T bad, Prepare prepare, Take take) {
  std::optional<uint32_t> item = item_at(index, refresh);
  if (!item) return bad;
  ItemAnswer a = item_request(kGetItemA, *item, prepare, true);
  return a.answer ? take(a.record) : bad;
}

template <typename Prepare>
int ForeignTreeView::update_item(int index, Refresh refresh, Prepare prepare) {
  std::optional<uint32_t> item = item_at(index, refresh);
  if (!item) return 0;
  return item_request(kSetItemA, *item, prepare, false).answer.value_or(0) != 0 ? 1 : 0;
}

int ForeignTreeView::get_tree_item_image(int index, Refresh refresh) {
  return query_item(
      index, refresh, -1, [](TreeItemRecord& r) { r.mask = kImage; }, [](const TreeItemRecord& r) { return r.image; });
}

int ForeignTreeView::get_tree_item_selected_image(int index, Refresh refresh) {
  return query_item(
      index, refresh, -1, [](TreeItemRecord& r) { r.mask = kSelectedImage; },
      [](const TreeItemRecord& r) { return r.selected_image; });
}

uint32_t ForeignTreeView::get_tree_item_data(int index, Refresh refresh) {
  return query_item(
      index, refresh, 0u, [](TreeItemRecord& r) { r.mask = kParam; }, [](const TreeItemRecord& r) { return r.lparam; });
}

int ForeignTreeView::get_tree_item_child_flag(int index, Refresh refresh) {
  return query_item(
      index, refresh, 0, [](TreeItemRecord& r) { r.mask = kChildren; },
      [](const TreeItemRecord& r) { return r.children; });
}

int ForeignTreeView::is_tree_item_checked(int index, Refresh refresh) {
  return query_item(
      index, refresh, 0,
      [](TreeItemRecord& r) {
        r.mask = kState;
        r.state_mask = kStateImageMask;
      },
      // State image 2 exactly: images 3, 6, 7, ... share the bit but are not "checked".
      [](const TreeItemRecord& r) { return (r.state & kStateImageMask) == kChecked ? 1 : 0; });
}

int ForeignTreeView::set_tree_item_image(int index, int image, Refresh refresh) {
  return update_item(index, refresh, [image](TreeItemRecord& r) {
    r.mask = kImage;
    r.image = image;
  });
}

int ForeignTreeView::set_tree_item_selected_image(int index, int image, Refresh refresh) {
  return update_item(index, refresh, [image](TreeItemRecord& r) {
    r.mask = kSelectedImage;
    r.selected_image = image;
  });
}

int ForeignTreeView::set_tree_item_data(int index, uint32_t value, Refresh refresh) {
  return update_item(index, refresh, [value](TreeItemRecord& r) {
    r.mask = kParam;
    r.lparam = value;
  });
}

int ForeignTreeView::set_tree_item_text(int index, std::string_view text, Refresh refresh) {
  std::optional<uint32_t> item = item_at(index, refresh);
  if (!item) return 0;
  std::optional<intptr_t> answer;
  if (!cross_process_) {
    local_text_ = std::string(text);
    local_item_.item = *item;
    local_item_.mask = kText;
    local_item_.text_address = address_of(local_text_.c_str());
    record_address_ = reinterpret_cast<uintptr_t>(&local_item_);
    answer = rt::send_foreign_message(tree_window_, kSetItemA, 0, static_cast<intptr_t>(record_address_));
    return answer.value_or(0) != 0 ? 1 : 0;
  }
  process_ = memory_.open_window_process(tree_window_);
  if (!process_) return 0;
  remote_item_block_ = memory_.alloc_process_block(process_, kTreeItemBlockSize);
  remote_text_block_ = memory_.alloc_process_block(process_, static_cast<int>(text.size()) + 1);
  if (remote_item_block_ && remote_text_block_) {
    remote_copy_item_.item = *item;
    remote_copy_item_.mask = kText;
    remote_copy_item_.text_address = static_cast<uint32_t>(remote_text_block_);
    record_address_ = reinterpret_cast<uintptr_t>(&remote_copy_item_);
    memory_.write_process_block(process_, remote_item_block_, &remote_copy_item_, kTreeItemBlockSize);
    std::string with_zero(text);
    with_zero.push_back('\0');
    memory_.write_process_block(process_, remote_text_block_, with_zero.data(), static_cast<int>(with_zero.size()));
    answer = rt::send_foreign_message(tree_window_, kSetItemA, 0, static_cast<intptr_t>(remote_item_block_));
    if (!answer) remote_item_block_ = remote_text_block_ = 0;  // left to a late answer
  }
  if (remote_text_block_) memory_.free_process_block(process_, remote_text_block_);
  if (remote_item_block_) memory_.free_process_block(process_, remote_item_block_);
  memory_.close_window_process(process_);
  process_ = nullptr;
  remote_item_block_ = remote_text_block_ = 0;
  return answer.value_or(0) != 0 ? 1 : 0;
}

intptr_t ForeignTreeView::ensure_tree_item_visible(int index, Refresh refresh) {
  std::optional<uint32_t> item = item_at(index, refresh);
  return item ? send(kEnsureVisible, 0, static_cast<intptr_t>(*item)) : 0;
}

intptr_t ForeignTreeView::expand_tree_item(int index, Refresh refresh) {
  std::optional<uint32_t> item = item_at(index, refresh);
  return item ? send(kExpand, 2, static_cast<intptr_t>(*item)) : 0;
}

intptr_t ForeignTreeView::collapse_tree_item(int index, Refresh refresh) {
  std::optional<uint32_t> item = item_at(index, refresh);
  return item ? send(kExpand, 1, static_cast<intptr_t>(*item)) : 0;
}

intptr_t ForeignTreeView::insert_tree_items(std::optional<int> parent_index, const TreeItemSpec* item,
                                            const std::vector<TreeItemSpec>* items, std::optional<int> position,
                                            Refresh refresh, std::optional<int> lock_redraw) {
  TreeInsertRecord local, remote;
  if ((!refresh && auto_refresh_ == 1) || (refresh && *refresh == 1)) collect_tree_items();
  if (parent_index && *parent_index >= 0 && *parent_index < static_cast<int>(item_handles_.size()))
    local.parent = remote.parent = item_handles_[static_cast<size_t>(*parent_index)];
  int where = position && *position >= 1 && *position <= 4 ? *position : kInsertLast;
  uint32_t after = kInsertAfter[where - 1];
  constexpr uint32_t kMask = kText | kImage | kParam | kSelectedImage;

  if (item) {
    TreeInsertRecord& r = cross_process_ ? remote : local;
    r.insert_after = after;
    r.item.image = item->image;
    r.item.selected_image = item->selected_image;
    r.item.lparam = item->lparam;
    r.item.mask = kMask;
    if (!cross_process_) {
      std::string text = item->text;
      r.item.text_address = address_of(text.c_str());
      return send(kInsertItemA, 0, reinterpret_cast<intptr_t>(&r));
    }
    process_ = memory_.open_window_process(tree_window_);
    if (!process_) return 0;
    intptr_t handle = 0;
    remote_item_block_ = memory_.alloc_process_block(process_, sizeof(TreeInsertRecord));
    remote_text_block_ = memory_.alloc_process_block(process_, static_cast<int>(item->text.size()) + 1);
    if (remote_item_block_ && remote_text_block_) {
      r.item.text_address = static_cast<uint32_t>(remote_text_block_);
      memory_.write_process_block(process_, remote_item_block_, &r, sizeof r);
      memory_.write_process_block(process_, remote_text_block_, item->text.c_str(),
                                  static_cast<int>(item->text.size()) + 1);
      std::optional<intptr_t> answer =
          rt::send_foreign_message(tree_window_, kInsertItemA, 0, static_cast<intptr_t>(remote_item_block_));
      if (answer)
        handle = *answer;
      else
        remote_item_block_ = remote_text_block_ = 0;  // left to a late answer
    }
    if (remote_text_block_) memory_.free_process_block(process_, remote_text_block_);
    if (remote_item_block_) memory_.free_process_block(process_, remote_item_block_);
    memory_.close_window_process(process_);
    process_ = nullptr;
    remote_item_block_ = remote_text_block_ = 0;
    return handle;
  }
  if (!items) return -1;

  bool lock = !lock_redraw || *lock_redraw != 0;
  if (lock) send(kSetRedraw, 0);
  // Inserted first one by one, the elements go in last to first to stand in the array's order.
  std::vector<const TreeItemSpec*> order;
  for (const TreeItemSpec& s : *items) order.push_back(&s);
  if (where == kInsertFirst) std::reverse(order.begin(), order.end());
  if (cross_process_) {
    remote.insert_after = after;
    remote.item.mask = kMask;
    // One text block serves every element: it is made large enough for the longest.
    size_t longest = 0;
    for (const TreeItemSpec& s : *items) longest = std::max(longest, s.text.size());
    std::vector<char> zeros(std::max<size_t>(kTextCapacity, longest + 1), '\0');
    process_ = memory_.open_window_process(tree_window_);
    if (process_) {
      remote_item_block_ = memory_.alloc_process_block(process_, sizeof(TreeInsertRecord));
      remote_text_block_ = memory_.alloc_process_block(process_, static_cast<int>(zeros.size()));
      if (remote_item_block_ && remote_text_block_) {
        remote.item.text_address = static_cast<uint32_t>(remote_text_block_);
        for (const TreeItemSpec* s : order) {
          remote.item.image = s->image;
          remote.item.selected_image = s->selected_image;
          remote.item.lparam = s->lparam;
          memory_.write_process_block(process_, remote_item_block_, &remote, sizeof remote);
          memory_.write_process_block(process_, remote_text_block_, s->text.c_str(),
                                      static_cast<int>(s->text.size()) + 1);
          if (!rt::send_foreign_message(tree_window_, kInsertItemA, 0, static_cast<intptr_t>(remote_item_block_))) {
            remote_item_block_ = remote_text_block_ = 0;  // left to a late answer
            break;
          }
          memory_.write_process_block(process_, remote_text_block_, zeros.data(), static_cast<int>(zeros.size()));
        }
      }
      if (remote_text_block_) memory_.free_process_block(process_, remote_text_block_);
      if (remote_item_block_) memory_.free_process_block(process_, remote_item_block_);
      memory_.close_window_process(process_);
      process_ = nullptr;
      remote_item_block_ = remote_text_block_ = 0;
    }
  } else {
    local.insert_after = after;
    local.item.mask = kMask;
    std::string text;
    for (const TreeItemSpec* s : order) {
      text = s->text;
      local.item.text_address = address_of(text.c_str());
      local.item.image = s->image;
      local.item.selected_image = s->selected_image;
      local.item.lparam = s->lparam;
      send(kInsertItemA, 0, reinterpret_cast<intptr_t>(&local));
    }
  }
  if (lock) send(kSetRedraw, 1);
  return 0;
}

int ForeignTreeView::delete_tree_item(int index, Refresh refresh) {
  std::optional<uint32_t> item = item_at(index, refresh);
  return item && send(kDeleteItem, 0, static_cast<intptr_t>(*item)) != 0 ? 1 : 0;
}

intptr_t ForeignTreeView::delete_all_tree_items() {
  send(kSetRedraw, 0);
  send(kDeleteItem, 0, 0);
  return send(kSetRedraw, 1);
}

int ForeignTreeView::get_tree_parent_index(int index, Refresh refresh) {
  std::optional<uint32_t> item = item_at(index, refresh);
  if (!item) return -1;
  uint32_t parent = next_item(kTreeParent, *item);
  if (parent == 0) return -1;
  auto it = std::find(item_handles_.begin(), item_handles_.end(), parent);
  return it == item_handles_.end() ? -1 : static_cast<int>(it - item_handles_.begin());
}

int ForeignTreeView::is_tree_item_expanded(int index, Refresh refresh) {
  std::optional<uint32_t> item = item_at(index, refresh);
  if (!item) return 0;
  return (static_cast<uint32_t>(send(kGetItemState, *item, kExpanded)) & kExpanded) == kExpanded ? 1 : 0;
}

uint32_t ForeignTreeView::set_tree_back_colour(uint32_t colour) {
  return static_cast<uint32_t>(send(kSetBkColor, 0, static_cast<intptr_t>(colour)));
}
uint32_t ForeignTreeView::get_tree_back_colour() { return static_cast<uint32_t>(send(kGetBkColor)); }
int ForeignTreeView::set_tree_item_height(int height) { return static_cast<int>(send(kSetItemHeight, height)); }
int ForeignTreeView::get_tree_item_height() { return static_cast<int>(send(kGetItemHeight)); }
uint32_t ForeignTreeView::set_tree_text_colour(uint32_t colour) {
  return static_cast<uint32_t>(send(kSetTextColor, 0, static_cast<intptr_t>(colour)));
}
uint32_t ForeignTreeView::get_tree_text_colour() { return static_cast<uint32_t>(send(kGetTextColor)); }
uint32_t ForeignTreeView::set_tree_line_colour(uint32_t colour) {
  return static_cast<uint32_t>(send(kSetLineColor, 0, static_cast<intptr_t>(colour)));
}
uint32_t ForeignTreeView::get_tree_line_colour() { return static_cast<uint32_t>(send(kGetLineColor)); }

void ForeignTreeView::add_style(uint32_t bit) {
  uint32_t style = rt::window_style(tree_window_);
  if (!(style & bit)) rt::set_window_style(tree_window_, style | bit);
}

void ForeignTreeView::set_tree_check_boxes() { add_style(kCheckBoxes); }
void ForeignTreeView::set_tree_track_select() { add_style(kTrackSelect); }

int ForeignTreeView::style_switch(uint32_t bit, std::optional<int> on) {
  uint32_t style = rt::window_style(tree_window_);
  bool set = (style & bit) != 0;
  bool switch_on = !on || *on == 1;
  if (!set && switch_on) {
    rt::set_window_style(tree_window_, style | bit);
    return 1;
  }
  if (set && on && *on == 0) {
    rt::set_window_style(tree_window_, style & ~bit);
    return 0;
  }
  return set ? 1 : 0;
}

int ForeignTreeView::set_tree_no_scroll(std::optional<int> on) { return style_switch(kNoScroll, on); }
int ForeignTreeView::set_tree_no_hscroll(std::optional<int> on) { return style_switch(kNoHScroll, on); }

int ForeignTreeView::set_tree_full_row_select(std::optional<int> on) {
  // Full-row selection and lines do not go together.
  if (rt::window_style(tree_window_) & kHasLines) return 0;
  return style_switch(kFullRowSelect, on);
}

int ForeignTreeView::set_tree_item_checked(int index, std::optional<int> checked, Refresh refresh) {
  uint32_t state = !checked || *checked == 1 ? kChecked : kUnchecked;
  return update_item(index, refresh, [state](TreeItemRecord& r) {
    r.mask = kState | kHandle;
    r.state = state;
    r.state_mask = kStateImageMask;
  });
}

int ForeignTreeView::set_tree_item_bold(int index, Refresh refresh) {
  std::optional<uint32_t> item = item_at(index, refresh);
  if (!item) return 0;
  ItemAnswer a = item_request(
      kSetItemA, *item,
      [](TreeItemRecord& r) {
        r.mask = kState;
        r.state = kBold;
        r.state_mask = kBold;
      },
      false);
  return static_cast<int>(a.answer.value_or(0));
}

int ForeignTreeView::clear_tree_item_bold(int index, Refresh refresh) {
  std::optional<uint32_t> item = item_at(index, refresh);
  if (!item) return 0;
  ItemAnswer a = item_request(
      kSetItemA, *item,
      [](TreeItemRecord& r) {
        r.mask = kState;
        r.state = ~kBold;
        r.state_mask = kBold;
      },
      false);
  return static_cast<int>(a.answer.value_or(0));
}

intptr_t ForeignTreeView::select_tree_item(int index, Refresh refresh) {
  std::optional<uint32_t> item = item_at(index, refresh);
  return item ? send(kSelectItem, kCaret, static_cast<intptr_t>(*item)) : 0;
}

int ForeignTreeView::get_tree_visible_count(Refresh refresh) {
  item_at(-1, refresh);
  return static_cast<int>(send(kGetVisibleCount));
}

int ForeignTreeView::get_tree_first_visible_index(Refresh refresh) {
  item_at(-1, refresh);
  uint32_t h = next_item(kFirstVisible, 0);
  auto it = std::find(item_handles_.begin(), item_handles_.end(), h);
  return h == 0 || it == item_handles_.end() ? -1 : static_cast<int>(it - item_handles_.begin());
}

int ForeignTreeView::get_tree_selected_index(Refresh refresh) {
  item_at(-1, refresh);
  uint32_t h = next_item(kCaret, 0);
  if (h == 0) return -1;
  auto it = std::find(item_handles_.begin(), item_handles_.end(), h);
  return it == item_handles_.end() ? -1 : static_cast<int>(it - item_handles_.begin());
}

std::vector<int> ForeignTreeView::get_checked_tree_items(Refresh refresh) {
  item_at(-1, refresh);
  std::vector<int> checked;
  // The slots after the walk's last item hold no item that could be checked; a count not to be
  // believed leaves a million of them.
  int n = walked_items();
  auto is_checked = [](const TreeItemRecord& r) { return (r.state & kStateImageMask) == kChecked; };
  if (!cross_process_) {
    for (int i = 1; i <= n; ++i) {
      local_item_.item = item_handles_[static_cast<size_t>(i - 1)];
      local_item_.mask = kState;
      local_item_.state_mask = kStateImageMask;
      if (rt::send_foreign_message(tree_window_, kGetItemA, 0, reinterpret_cast<intptr_t>(&local_item_)) &&
          is_checked(local_item_))
        checked.push_back(i);
    }
    return checked;
  }
  // One process opening and one block serve the whole list.
  process_ = memory_.open_window_process(tree_window_);
  if (!process_) return checked;
  remote_item_block_ = memory_.alloc_process_block(process_, kTreeItemBlockSize);
  if (remote_item_block_) {
    for (int i = 1; i <= n; ++i) {
      remote_copy_item_.item = item_handles_[static_cast<size_t>(i - 1)];
      remote_copy_item_.mask = kState;
      remote_copy_item_.state_mask = kStateImageMask;
      memory_.write_process_block(process_, remote_item_block_, &remote_copy_item_, kTreeItemBlockSize);
      if (!rt::send_foreign_message(tree_window_, kGetItemA, 0, static_cast<intptr_t>(remote_item_block_))) {
        remote_item_block_ = 0;  // left to a late answer
        break;
      }
      std::vector<char> bytes = memory_.read_process_block(process_, remote_item_block_, kTreeItemBlockSize);
      std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(&remote_copy_item_));
      if (is_checked(remote_copy_item_)) checked.push_back(i);
    }
    if (remote_item_block_) memory_.free_process_block(process_, remote_item_block_);
  }
  memory_.close_window_process(process_);
  process_ = nullptr;
  remote_item_block_ = 0;
  return checked;
}

void ForeignTreeView::collect_tree_items() {
  item_handles_ = walk_tree_items(get_tree_item_count(),
                                  [this](uint32_t relation, uint32_t item) { return next_item(relation, item); });
}

int ForeignTreeView::find_tree_item_position(uint32_t item) const {
  int lo = 1, hi = static_cast<int>(item_handles_.size());
  while (lo <= hi) {
    if (item_handles_[static_cast<size_t>(lo - 1)] == item) return lo;
    if (item_handles_[static_cast<size_t>(hi - 1)] == item) return hi;
    ++lo;
    --hi;
  }
  return 0;
}

int ForeignTreeView::attach_tree_view_mode(rt::WindowHandle window, std::optional<int> cross) {
  if (cross && *cross != 0) set_tree_cross_process_on();
  return attach_tree_view(window);
}
