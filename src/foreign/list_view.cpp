#include "foreign/list_view.h"

#include <algorithm>

namespace {
constexpr unsigned kGetBkColor = 0x1000, kSetBkColor = 0x1001, kGetItemCount = 0x1004, kDeleteItem = 0x1008,
                   kDeleteAllItems = 0x1009, kGetNextItem = 0x100C, kFindItemA = 0x100D, kGetItemRect = 0x100E,
                   kSetItemPosition = 0x100F, kGetItemPosition = 0x1010, kHitTest = 0x1012, kEnsureVisible = 0x1013,
                   kScroll = 0x1014, kRedrawItems = 0x1015, kEditLabelA = 0x1017, kGetEditControl = 0x1018,
                   kGetColumnA = 0x1019, kDeleteColumn = 0x101C, kGetColumnWidth = 0x101D, kSetColumnWidth = 0x101E,
                   kGetHeader = 0x101F, kGetTextColor = 0x1023, kSetTextColor = 0x1024, kGetTextBkColor = 0x1025,
                   kSetTextBkColor = 0x1026, kGetTopIndex = 0x1027, kSetItemState = 0x102B, kGetItemState = 0x102C,
                   kGetItemTextA = 0x102D, kSetItemTextA = 0x102E, kGetSelectedCount = 0x1032, kSubItemHitTest = 0x1039,
                   kSetHotItem = 0x103C, kGetHotItem = 0x103D;
constexpr unsigned kHeaderGetItemCount = 0x1200;
constexpr uint32_t kItemText = 1, kItemState = 8, kColumnFormatText = 5, kFindString = 2;
constexpr uint32_t kStateFocused = 1, kStateSelected = 2, kNextSelected = 2;

rt::WindowHandle as_window(intptr_t h) { return reinterpret_cast<rt::WindowHandle>(h); }
uint32_t address_of(const rt::RemoteBlock& b) { return static_cast<uint32_t>(b.address()); }
}  // namespace

ForeignListView::~ForeignListView() { rt::close_handle(process_); }

intptr_t ForeignListView::send(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  return rt::foreign_message(list_view_window_, msg, wparam, lparam);
}

rt::ProcessHandle ForeignListView::open_list_view_process(rt::WindowHandle window) {
  if (process_) return nullptr;
  // Our records would be another layout there (a 64-bit program): such a process is not opened.
  if (rt::window_process_not_32_bit(window)) return nullptr;
  process_ = rt::open_process(rt::window_process_id(window), rt::kProcessVmAccess);
  if (!process_) return nullptr;
  list_view_window_ = window;
  return process_;
}

intptr_t ForeignListView::delete_all_list_items() { return send(kDeleteAllItems); }
intptr_t ForeignListView::delete_list_column(int column) { return send(kDeleteColumn, column); }
intptr_t ForeignListView::delete_list_item(int item) { return send(kDeleteItem, item); }
rt::WindowHandle ForeignListView::edit_list_item_label(int item) { return as_window(send(kEditLabelA, item)); }
intptr_t ForeignListView::ensure_list_item_visible(int item) { return send(kEnsureVisible, item, 1); }

int ForeignListView::find_list_item(std::string_view text, int start_item) {
  if (!process_) return -2;
  rt::RemoteBlock find(process_, sizeof(ListFindRecord)), text_block(process_, text.size() + 1);
  if (!find.ok() || !text_block.ok()) return -2;
  text_block.write(text.data(), text.size());
  ListFindRecord record;
  record.flags = kFindString;
  record.text_address = address_of(text_block);
  find.write(&record, sizeof record);
  std::optional<intptr_t> answer =
      rt::send_foreign_message(list_view_window_, kFindItemA, static_cast<uintptr_t>(start_item), find.lparam());
  if (!answer) {
    find.abandon();
    text_block.abandon();
    return -1;
  }
  return static_cast<int>(*answer);
}

uint32_t ForeignListView::get_list_back_colour() { return static_cast<uint32_t>(send(kGetBkColor)); }
int ForeignListView::get_list_column_width(int column) { return static_cast<int>(send(kGetColumnWidth, column)); }
rt::WindowHandle ForeignListView::get_list_edit_control() { return as_window(send(kGetEditControl)); }
rt::WindowHandle ForeignListView::get_list_header() { return as_window(send(kGetHeader)); }
int ForeignListView::get_list_hot_item() { return static_cast<int>(send(kGetHotItem)); }
int ForeignListView::get_list_item_count() { return static_cast<int>(send(kGetItemCount)); }

intptr_t ForeignListView::get_list_item_position(int item, ItemPoint& point) {
  if (!process_) return 0;
  rt::RemoteBlock block(process_, sizeof(ItemPoint));
  if (!block.ok()) return 0;
  std::optional<intptr_t> answer =
      rt::send_foreign_message(list_view_window_, kGetItemPosition, static_cast<uintptr_t>(item), block.lparam());
  if (!answer) {
    block.abandon();
    return 0;
  }
  if (*answer) block.read(&point, sizeof point);
  return *answer;
}

intptr_t ForeignListView::get_list_item_rect(int item, ItemRectangle& rectangle) {
  ItemRectangle bounds;  // left 0: LVIR_BOUNDS
  intptr_t answer = get_list_item_rect_with(item, 0, bounds);
  if (answer) rectangle = bounds;
  return answer;
}

int ForeignListView::is_list_item_selected(int item) {
  return send(kGetItemState, item, kStateSelected) == kStateSelected ? 1 : 0;
}

int ForeignListView::is_list_item_focused(int item) {
  return send(kGetItemState, item, kStateFocused) == kStateFocused ? 1 : 0;
}

template <typename Record>
intptr_t ForeignListView::text_request(unsigned msg, uintptr_t wparam, Record& record, std::string& text,
                                       int capacity) {
  if (!process_ || capacity < 0) return 0;
  rt::RemoteBlock record_block(process_, sizeof(Record)), text_block(process_, capacity + 1u);
  if (!record_block.ok() || !text_block.ok()) return 0;
  record.text_address = address_of(text_block);
  record.text_capacity = capacity;
  record_block.write(&record, sizeof record);
  std::optional<intptr_t> answer = rt::send_foreign_message(list_view_window_, msg, wparam, record_block.lparam());
  if (!answer) {
    record_block.abandon();
    text_block.abandon();
    text.clear();
    return 0;
  }
  record_block.read(&record, sizeof record);
  std::vector<char> bytes(static_cast<size_t>(capacity) + 1, '\0');
  text_block.read(bytes.data(), static_cast<size_t>(capacity));
  // The control writes at most capacity - 1 bytes and a zero.
  text = without_split_character(text_before_zero(bytes.data(), capacity > 0 ? capacity - 1u : 0u));
  return *answer;
}

intptr_t ForeignListView::get_list_item_text(int item, int sub_item, std::string& text, int capacity) {
  ListItemRecord record;
  record.mask = kItemText;
  record.item = item;
  record.sub_item = sub_item;
  return text_request(kGetItemTextA, static_cast<uintptr_t>(item), record, text, capacity);
}

int ForeignListView::get_next_list_item(int start, uint32_t flags) {
  std::optional<intptr_t> answer =
      rt::send_foreign_message(list_view_window_, kGetNextItem, static_cast<uintptr_t>(start), flags);
  return answer ? static_cast<int>(*answer) : -1;
}

int ForeignListView::get_first_selected_list_item() { return get_next_list_item(-1, kNextSelected); }
int ForeignListView::get_list_selected_count() { return static_cast<int>(send(kGetSelectedCount)); }

int ForeignListView::get_selected_list_items(std::vector<int>& items) {
  items.clear();
  // Each answer lies after the previous one; anything else ends the list.
  for (int i = get_next_list_item(-1, kNextSelected); i != -1; i = get_next_list_item(i, kNextSelected)) {
    if (!items.empty() && i <= items.back()) break;
    items.push_back(i);
  }
  return static_cast<int>(items.size());
}

intptr_t ForeignListView::set_list_item_selected(int item, bool selected) {
  if (!process_) return 0;
  rt::RemoteBlock block(process_, sizeof(ListItemRecord));
  if (!block.ok()) return 0;
  ListItemRecord record;
  record.mask = kItemState;
  record.item = item;
  record.state = selected ? kStateSelected : 0;
  record.state_mask = kStateSelected;
  block.write(&record, sizeof record);
  std::optional<intptr_t> answer =
      rt::send_foreign_message(list_view_window_, kSetItemState, static_cast<uintptr_t>(item), block.lparam());
  if (!answer) block.abandon();
  return answer.value_or(0);
}

intptr_t ForeignListView::get_list_item_rect_with(int item, int value, ItemRectangle& rectangle) {
  if (!process_) return 0;
  rt::RemoteBlock block(process_, sizeof(ItemRectangle));
  if (!block.ok()) return 0;
  ItemRectangle request = rectangle;
  request.top = value;
  block.write(&request, sizeof request);
  std::optional<intptr_t> answer =
      rt::send_foreign_message(list_view_window_, kGetItemRect, static_cast<uintptr_t>(item), block.lparam());
  if (!answer) {
    block.abandon();
    return 0;
  }
  if (*answer) block.read(&rectangle, sizeof rectangle);
  return *answer;
}

uint32_t ForeignListView::get_list_text_back_colour() { return static_cast<uint32_t>(send(kGetTextBkColor)); }
uint32_t ForeignListView::get_list_text_colour() { return static_cast<uint32_t>(send(kGetTextColor)); }
int ForeignListView::get_list_top_index() { return static_cast<int>(send(kGetTopIndex)); }

int ForeignListView::hit_test_list(ItemPoint point) {
  if (!process_) return 0;
  rt::RemoteBlock block(process_, sizeof(ListHitTestRecord));
  if (!block.ok()) return 0;
  ListHitTestRecord record;
  record.x = point.x;
  record.y = point.y;
  block.write(&record, sizeof record);
  std::optional<intptr_t> answer = rt::send_foreign_message(list_view_window_, kHitTest, 0, block.lparam());
  if (!answer) {
    block.abandon();
    return -1;
  }
  return static_cast<int>(*answer);
}

intptr_t ForeignListView::redraw_list_items(int first, int last) { return send(kRedrawItems, first, last); }
intptr_t ForeignListView::scroll_list(int dx, int dy) { return send(kScroll, dx, dy); }
intptr_t ForeignListView::set_list_back_colour(uint32_t colour) { return send(kSetBkColor, 0, colour); }
intptr_t ForeignListView::set_list_column_width(int column, int width) { return send(kSetColumnWidth, column, width); }
int ForeignListView::set_list_hot_item(int item) { return static_cast<int>(send(kSetHotItem, item)); }

intptr_t ForeignListView::set_list_item_position(int item, int x, int y) {
  // Each coordinate in its own word: a negative x must not borrow from y.
  return send(kSetItemPosition, item, static_cast<intptr_t>(pack_point(x, y)));
}

intptr_t ForeignListView::set_list_item_text(int item, int sub_item, std::string_view text) {
  if (!process_) return 0;
  rt::RemoteBlock record_block(process_, sizeof(ListItemRecord)), text_block(process_, text.size() + 1);
  if (!record_block.ok() || !text_block.ok()) return 0;
  text_block.write(text.data(), text.size());
  ListItemRecord record;
  record.mask = kItemText;
  record.item = item;
  record.sub_item = sub_item;
  record.text_address = address_of(text_block);
  record.text_capacity = static_cast<int32_t>(text.size());
  record_block.write(&record, sizeof record);
  std::optional<intptr_t> answer =
      rt::send_foreign_message(list_view_window_, kSetItemTextA, static_cast<uintptr_t>(item), record_block.lparam());
  if (!answer) {
    record_block.abandon();
    text_block.abandon();
  }
  return answer.value_or(0);
}

intptr_t ForeignListView::set_list_text_back_colour(uint32_t colour) { return send(kSetTextBkColor, 0, colour); }
intptr_t ForeignListView::set_list_text_colour(uint32_t colour) { return send(kSetTextColor, 0, colour); }

intptr_t ForeignListView::hit_test_list_subitem(ItemPoint point, int& item, int& sub_item) {
  if (!process_) return 0;
  rt::RemoteBlock block(process_, sizeof(ListHitTestRecord));
  if (!block.ok()) return 0;
  ListHitTestRecord record;
  record.x = point.x;
  record.y = point.y;
  block.write(&record, sizeof record);
  std::optional<intptr_t> answer = rt::send_foreign_message(list_view_window_, kSubItemHitTest, 0, block.lparam());
  if (!answer) {
    block.abandon();
    return 0;
  }
  block.read(&record, sizeof record);
  item = record.item;
  sub_item = record.sub_item;
  return *answer;
}

int ForeignListView::close_list_view_process() {
  int closed = rt::close_handle(process_) ? 1 : 0;
  process_ = nullptr;
  list_view_window_ = nullptr;
  return closed;
}

rt::ProcessHandle ForeignListView::reopen_list_view_process(rt::WindowHandle window) {
  close_list_view_process();
  open_list_view_process(window);
  return process_;
}

intptr_t ForeignListView::get_list_column(int column, std::string& text, int capacity, int& format) {
  ListColumnRecord record;
  record.mask = kColumnFormatText;
  intptr_t answer = text_request(kGetColumnA, static_cast<uintptr_t>(column), record, text, capacity);
  if (answer) format = record.format;
  return answer;
}

int ForeignListView::get_list_column_count() {
  rt::WindowHandle header = get_list_header();
  return header ? static_cast<int>(rt::foreign_message(header, kHeaderGetItemCount)) : 0;
}
