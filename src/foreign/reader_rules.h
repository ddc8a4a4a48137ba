#pragma once
// The rules of the readers of other programs' controls that need no window: which reader a
// window class gets, how item texts become lines, the tree walk, what typing posts, and the
// records the controls are handed (32-bit ANSI layouts, as the other process expects them).
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class ControlReader { None, Edit, ListBox, ComboBox, StatusBar, TreeView, ListView, Browser, Header };

// The readers that hand a control records in blocks inside its process (the others use
// messages whose texts the system copies). A process whose pointers differ in size from ours
// (a 64-bit program) would take those records for others: it is not read, and the reader says
// so with kOtherBitnessRefusal.
bool reader_needs_process_memory(ControlReader reader);
inline constexpr char kOtherBitnessRefusal[] =
    "  无法读取：这个控件属于64位程序，而本工具是32位程序，两者的记录格式不同，读出的内容只会是错的。";

// The first of the substrings "Edit", "ListBox", "ComboBox", "StatusBar", "TreeView",
// "ListView", "Internet Explorer_Server", "ComboLBox", "SysHeader32" found in the class name
// (ASCII letters folded) chooses the reader; none found gives None.
ControlReader reader_for_class(std::string_view class_name);

// A buffer of n blanks, which a request overwrites with its text; 0 or fewer is "".
std::string blank_buffer(int n);
// The bytes before the first zero byte (all n when there is none).
std::string text_before_zero(const char* bytes, size_t n);
// A control that cuts a text to its buffer can split a double-byte character; the lone lead
// byte such a cut leaves at the end is dropped.
std::string without_split_character(std::string text);

// List box lines, for indexes 0 to count - 1: each item's text and CR LF; an item that gave
// no text (nullopt: its buffer stayed blank) ends the list.
std::string list_box_lines(int count, const std::function<std::optional<std::string>(int index)>& item_text);

// Combo box lines, for indexes 0 to count - 1, with the previous text "" at the start: stop
// when the previous text equals a blank buffer of the item's length; the text of an item of
// length 0 or less is "" and is not asked for; a text that differs from a blank buffer of the
// item's length is added with CR LF; the text becomes the previous text. So empty items and
// items of blanks are left out, and two empty items in a row end the list.
std::string combo_box_lines(int count, const std::function<int(int index)>& item_length,
                            const std::function<std::string(int index, int length)>& item_text);

// Tree walk relations (TVGN_*).
enum TreeRelation : uint32_t { kTreeRoot = 0, kTreeNext = 1, kTreeParent = 3, kTreeChild = 4 };
// The most items a walk believes a count of: no tree-view of a 32-bit program holds more that
// anyone reads, and a larger count (a hostile one, 0x7FFFFFFF) would only claim memory.
constexpr int kMaxTreeItems = 1000000;
// The item handles in pre-order (an item, its whole subtree, then its next sibling; collapsed
// branches included), at most count of them (and at most kMaxTreeItems); slots the walk does
// not reach stay 0. next(r, h) asks the control for the item in relation r to h (0 when there is
// none). A tree answers a walk of its n items in at most 3n + 1 questions and never shows an
// item twice; a control whose answers loop (parents that climb in a circle, a child or sibling
// already walked) does neither, and the walk ends there with the items it has read.
std::vector<uint32_t> walk_tree_items(int count, const std::function<uint32_t(uint32_t relation, uint32_t item)>& next);
// How many parents a chain climbs from `item` before parent() gives `none`, at most `limit`
// (asking at most limit times): of n items none has more than n - 1 ancestors, so a chain
// that climbs further loops, and the climb stops there.
template <typename Item, typename Parent>
int count_ancestors(Item item, Item none, int limit, Parent parent) {
  int steps = 0;
  for (; steps < limit; ++steps) {
    item = parent(item);
    if (item == none) break;
  }
  return steps;
}

// The character codes typing a text posts, one per byte, a CR LF pair as one CR (an edit box
// makes a line break of each).
std::vector<unsigned char> typed_character_codes(std::string_view text);

// A point packed into one message parameter: x in the low word, y in the high word.
uint32_t pack_point(int x, int y);

// Records handed to the controls, ANSI, 32-bit fields.
struct TreeItemRecord {  // TVITEMEX; the remote block holds the first 40 bytes (TVITEM)
  uint32_t mask = 0, item = 0, state = 0, state_mask = 0, text_address = 0;
  int32_t text_capacity = 0, image = 0, selected_image = 0, children = 0;
  uint32_t lparam = 0;
  int32_t integral = 0;
};
struct TreeInsertRecord {  // TVINSERTSTRUCT
  uint32_t parent = 0, insert_after = 0;
  TreeItemRecord item;
};
struct ListItemRecord {  // LVITEM as first defined
  uint32_t mask = 0;
  int32_t item = 0, sub_item = 0;
  uint32_t state = 0, state_mask = 0, text_address = 0;
  int32_t text_capacity = 0, image = 0;
  uint32_t lparam = 0;
};
struct ListColumnRecord {  // LVCOLUMN as first defined
  uint32_t mask = 0;
  int32_t format = 0, width = 0;
  uint32_t text_address = 0;
  int32_t text_capacity = 0, sub_item = 0, image = 0, order = 0;
};
struct ListFindRecord {  // LVFINDINFO
  uint32_t flags = 0, text_address = 0, lparam = 0;
  int32_t x = 0, y = 0;
  uint32_t direction = 0;
};
struct ListHitTestRecord {  // LVHITTESTINFO as first defined
  int32_t x = 0, y = 0;
  uint32_t flags = 0;
  int32_t item = 0, sub_item = 0;
};
struct ItemRectangle {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};
struct ItemPoint {
  int32_t x = 0, y = 0;
};
constexpr size_t kTreeItemBlockSize = 40;
static_assert(sizeof(TreeItemRecord) == 44 && sizeof(TreeInsertRecord) == 52);
static_assert(sizeof(ListItemRecord) == 36 && sizeof(ListColumnRecord) == 32 && sizeof(ListFindRecord) == 24 &&
              sizeof(ListHitTestRecord) == 20 && sizeof(ItemRectangle) == 16 && sizeof(ItemPoint) == 8);
