#include "runtime/list_view.h"

#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "runtime/strings.h"
#include "runtime/window.h"

namespace rt {
namespace {

HWND hw(WindowHandle h) { return static_cast<HWND>(h); }

// The state image of a row: 1 unchecked, 2 checked (0 without check boxes).
constexpr UINT kCheckedImage = 2;

UINT state_image(UINT state) { return (state & LVIS_STATEIMAGEMASK) >> 12; }

struct Writing {
  explicit Writing(int& n) : n_(n) { ++n_; }
  ~Writing() { --n_; }
  int& n_;
};

}  // namespace

void ListView::create(Window& parent, Rect r) {
  create_control(parent, WC_LISTVIEWW, WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE, r);
  if (handle_) SendMessageW(hw(handle_), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
}

int ListView::add_column(std::string_view caption, int width) {
  if (!handle_) return -1;
  std::wstring text = to_wide(caption);
  LVCOLUMNW c{};
  c.mask = LVCF_TEXT | LVCF_WIDTH;
  c.cx = width;
  c.pszText = text.data();
  return static_cast<int>(
      SendMessageW(hw(handle_), LVM_INSERTCOLUMNW, static_cast<WPARAM>(column_count()), reinterpret_cast<LPARAM>(&c)));
}

int ListView::column_count() const {
  if (!handle_) return 0;
  HWND header = reinterpret_cast<HWND>(SendMessageW(hw(handle_), LVM_GETHEADER, 0, 0));
  return header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string ListView::column_caption(int index) const {
  if (!handle_ || index < 0 || index >= column_count()) return {};
  wchar_t text[256] = {};
  LVCOLUMNW c{};
  c.mask = LVCF_TEXT;
  c.pszText = text;
  c.cchTextMax = 255;
  if (!SendMessageW(hw(handle_), LVM_GETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&c))) return {};
  return to_gbk(text);
}

int ListView::row_count() const {
  return handle_ ? static_cast<int>(SendMessageW(hw(handle_), LVM_GETITEMCOUNT, 0, 0)) : 0;
}

int ListView::insert_row(std::string_view first_cell, int at) {
  if (!handle_) return -1;
  Writing w(writing_);
  int count = row_count();
  std::wstring text = to_wide(first_cell);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = at < 0 || at > count ? count : at;
  item.pszText = text.data();
  LRESULT r = SendMessageW(hw(handle_), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return r < 0 ? -1 : static_cast<int>(r);
}

int ListView::add_row(const std::vector<std::string>& cells) {
  int row = insert_row(cells.empty() ? std::string_view{} : std::string_view(cells[0]));
  if (row < 0) return -1;
  for (size_t c = 1; c < cells.size(); ++c) set_cell(row, static_cast<int>(c), cells[c]);
  return row;
}

void ListView::remove_row(int row) {
  if (!handle_ || row < 0 || row >= row_count()) return;
  Writing w(writing_);
  SendMessageW(hw(handle_), LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

void ListView::clear() {
  if (!handle_) return;
  Writing w(writing_);
  SendMessageW(hw(handle_), LVM_DELETEALLITEMS, 0, 0);
}

std::string ListView::cell(int row, int column) const {
  if (!handle_ || row < 0 || row >= row_count() || column < 0 || column >= column_count()) return {};
  // LVM_GETITEMTEXT says how much it copied, not how long the text is: grow until it fits.
  for (size_t size = 256;; size *= 4) {
    std::wstring buffer(size, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(size);
    LRESULT n = SendMessageW(hw(handle_), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    if (n < 0) return {};
    if (static_cast<size_t>(n) + 1 < size || size >= (1u << 20)) {
      buffer.resize(static_cast<size_t>(n));
      return to_gbk(buffer);
    }
  }
}

void ListView::set_cell(int row, int column, std::string_view text) {
  if (!handle_ || row < 0 || row >= row_count() || column < 0 || column >= column_count()) return;
  Writing w(writing_);
  std::wstring wide = to_wide(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = wide.data();
  SendMessageW(hw(handle_), LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

bool ListView::check_boxes() const {
  return handle_ && (SendMessageW(hw(handle_), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES);
}

void ListView::set_check_boxes(bool on) {
  if (!handle_) return;
  Writing w(writing_);
  SendMessageW(hw(handle_), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, on ? LVS_EX_CHECKBOXES : 0);
}

bool ListView::checked(int row) const {
  if (!handle_ || row < 0 || row >= row_count() || !check_boxes()) return false;
  UINT state = static_cast<UINT>(SendMessageW(hw(handle_), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK));
  return state_image(state) == kCheckedImage;
}

void ListView::set_checked(int row, bool on) {
  if (!handle_ || row < 0 || row >= row_count() || !check_boxes()) return;
  Writing w(writing_);
  LVITEMW item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(on ? kCheckedImage : 1);
  SendMessageW(hw(handle_), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

bool ListView::selected(int row) const {
  if (!handle_ || row < 0 || row >= row_count()) return false;
  return SendMessageW(hw(handle_), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED;
}

void ListView::set_selected(int row, bool on) {
  if (!handle_ || row < 0 || row >= row_count()) return;
  Writing w(writing_);
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED;
  item.state = on ? LVIS_SELECTED : 0;
  SendMessageW(hw(handle_), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void ListView::set_all_selected(bool on) {
  if (!handle_) return;
  Writing w(writing_);
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED;
  item.state = on ? LVIS_SELECTED : 0;
  // Row -1 stands for every row.
  SendMessageW(hw(handle_), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
}

std::vector<int> ListView::selected_rows() const {
  std::vector<int> rows;
  if (!handle_) return rows;
  int count = row_count();
  for (int i = -1;;) {
    LRESULT next = SendMessageW(hw(handle_), LVM_GETNEXTITEM, static_cast<WPARAM>(i), MAKELPARAM(LVNI_SELECTED, 0));
    // The search wraps in some versions of the control: stop at the first row seen again.
    if (next < 0 || next <= i || next >= count) break;
    rows.push_back(static_cast<int>(next));
    i = static_cast<int>(next);
  }
  return rows;
}

int ListView::selected_count() const {
  return handle_ ? static_cast<int>(SendMessageW(hw(handle_), LVM_GETSELECTEDCOUNT, 0, 0)) : 0;
}

int ListView::first_selected() const {
  if (!handle_) return -1;
  LRESULT r = SendMessageW(hw(handle_), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0));
  return r < 0 ? -1 : static_cast<int>(r);
}

int ListView::current() const {
  if (!handle_) return -1;
  LRESULT r = SendMessageW(hw(handle_), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_FOCUSED, 0));
  return r < 0 ? -1 : static_cast<int>(r);
}

void ListView::set_current(int row) {
  if (!handle_) return;
  Writing w(writing_);
  set_all_selected(false);
  if (row < 0 || row >= row_count()) return;
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(hw(handle_), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  SendMessageW(hw(handle_), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void ListView::ensure_visible(int row) {
  if (!handle_ || row < 0 || row >= row_count()) return;
  SendMessageW(hw(handle_), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

Rect ListView::row_rect(int row) const {
  if (!handle_ || row < 0 || row >= row_count()) return {};
  RECT r{};
  r.left = LVIR_BOUNDS;
  if (!SendMessageW(hw(handle_), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r))) return {};
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

int ListView::row_at(int x, int y) const {
  if (!handle_) return -1;
  LVHITTESTINFO info{};
  info.pt = {x, y};
  LRESULT r = SendMessageW(hw(handle_), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
  return r < 0 || !(info.flags & LVHT_ONITEM) ? -1 : static_cast<int>(r);
}

void ListView::set_text_color(unsigned rgb) {
  if (!handle_) return;
  SendMessageW(hw(handle_), LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(rgb));
  InvalidateRect(hw(handle_), nullptr, TRUE);
}

void ListView::set_back_color(unsigned rgb) {
  if (!handle_) return;
  SendMessageW(hw(handle_), LVM_SETBKCOLOR, 0, static_cast<LPARAM>(rgb));
  SendMessageW(hw(handle_), LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(rgb));
  InvalidateRect(hw(handle_), nullptr, TRUE);
}

std::optional<intptr_t> ListView::handle_notification(unsigned msg, uintptr_t, intptr_t lparam) {
  if (msg != WM_NOTIFY) return std::nullopt;
  const NMHDR* header = reinterpret_cast<const NMHDR*>(lparam);
  switch (header->code) {
    case NM_CLICK:
    case NM_DBLCLK:
    case NM_RCLICK: {
      const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(lparam);
      int row = click->iItem >= 0 && click->iItem < row_count() ? click->iItem : -1;
      if (header->code == NM_CLICK) {
        if (on_item_clicked) on_item_clicked(row);
      } else if (header->code == NM_DBLCLK) {
        if (on_item_double_clicked) on_item_double_clicked(row);
      } else if (on_item_right_clicked) {
        POINT at = click->ptAction;
        ClientToScreen(hw(handle_), &at);
        on_item_right_clicked(row, at.x, at.y);
      }
      return 0;
    }
    case LVN_ITEMCHANGED: {
      if (writing_ > 0) return 0;
      const auto* change = reinterpret_cast<const NMLISTVIEW*>(lparam);
      if (change->iItem < 0 || !(change->uChanged & LVIF_STATE)) return 0;
      UINT was = change->uOldState, now = change->uNewState;
      if ((now & LVIS_FOCUSED) && !(was & LVIS_FOCUSED) && on_current_changed) on_current_changed(change->iItem);
      // A row's state image goes 0 -> 1 when the control adds it; only 1 <-> 2 is a switch.
      UINT old_image = state_image(was), new_image = state_image(now);
      if (old_image != 0 && new_image != 0 && old_image != new_image && on_check_changed)
        on_check_changed(change->iItem, new_image == kCheckedImage);
      return 0;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace rt
