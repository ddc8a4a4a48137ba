#include "runtime/combo_box.h"

#include "runtime/internal.h"
#include "runtime/strings.h"
#include "runtime/window.h"

namespace rt {
namespace {
HWND hw(WindowHandle h) { return static_cast<HWND>(h); }
}  // namespace

void ComboBox::create(Window& parent, Rect r, int list_rows) {
  // The window's height is the closed box and its open list together.
  Rect whole = r;
  whole.height = r.height + (list_rows > 0 ? list_rows : 1) * 18 + 2;
  create_control(parent, L"COMBOBOX", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, whole);
}

int ComboBox::add_item(std::string_view text) {
  if (!handle_) return -1;
  LRESULT i = SendMessageW(hw(handle_), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(to_wide(text).c_str()));
  return i < 0 ? -1 : static_cast<int>(i);
}

void ComboBox::remove_item(int index) {
  if (!handle_ || index < 0 || index >= count()) return;
  SendMessageW(hw(handle_), CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void ComboBox::clear() {
  if (handle_) SendMessageW(hw(handle_), CB_RESETCONTENT, 0, 0);
}

int ComboBox::count() const {
  if (!handle_) return 0;
  LRESULT n = SendMessageW(hw(handle_), CB_GETCOUNT, 0, 0);
  return n < 0 ? 0 : static_cast<int>(n);
}

std::string ComboBox::item_text(int index) const {
  if (!handle_ || index < 0 || index >= count()) return {};
  LRESULT n = SendMessageW(hw(handle_), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n <= 0) return {};
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  LRESULT got = SendMessageW(hw(handle_), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(w.data()));
  if (got < 0) return {};
  w.resize(static_cast<size_t>(got));
  return to_gbk(w);
}

int ComboBox::current() const {
  if (!handle_) return -1;
  LRESULT i = SendMessageW(hw(handle_), CB_GETCURSEL, 0, 0);
  return i < 0 ? -1 : static_cast<int>(i);
}

void ComboBox::set_current(int index) {
  if (!handle_) return;
  if (index < 0 || index >= count()) index = -1;
  // CB_SETCURSEL sends no selection-change notification.
  SendMessageW(hw(handle_), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::optional<intptr_t> ComboBox::handle_notification(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  if (msg == WM_COMMAND && HIWORD(wparam) == CBN_SELCHANGE) {
    if (on_selected) on_selected();
    return 0;
  }
  return std::nullopt;
}

}  // namespace rt
