#include "runtime/list_box.h"

#include <windows.h>

#include "runtime/strings.h"
#include "runtime/window.h"

namespace rt {
namespace {
HWND hw(WindowHandle h) { return static_cast<HWND>(h); }
}  // namespace

void ListBox::create(Window& parent, Rect r) {
  create_control(parent, L"LISTBOX", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, r);
}

void ListBox::add_item(std::string_view text) {
  if (handle_) SendMessageW(hw(handle_), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(to_wide(text).c_str()));
}

void ListBox::add_items(const std::vector<std::string>& texts) {
  if (!handle_) return;
  SendMessageW(hw(handle_), WM_SETREDRAW, FALSE, 0);
  for (const std::string& t : texts) add_item(t);
  SendMessageW(hw(handle_), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hw(handle_), nullptr, TRUE);
}

void ListBox::clear() {
  if (handle_) SendMessageW(hw(handle_), LB_RESETCONTENT, 0, 0);
}

int ListBox::count() const { return handle_ ? static_cast<int>(SendMessageW(hw(handle_), LB_GETCOUNT, 0, 0)) : 0; }

std::string ListBox::item(int index) const {
  if (!handle_ || index < 0 || index >= count()) return {};
  LRESULT n = SendMessageW(hw(handle_), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n <= 0) return {};
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  n = SendMessageW(hw(handle_), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(w.data()));
  w.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return to_gbk(w);
}

int ListBox::find(std::string_view text) const {
  for (int i = 0, n = count(); i < n; ++i)
    if (item(i) == text) return i;
  return -1;
}

int ListBox::current() const {
  if (!handle_) return -1;
  LRESULT i = SendMessageW(hw(handle_), LB_GETCURSEL, 0, 0);
  return i == LB_ERR ? -1 : static_cast<int>(i);
}

void ListBox::set_current(int index) {
  if (!handle_) return;
  if (index < 0 || index >= count()) index = -1;
  SendMessageW(hw(handle_), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::optional<intptr_t> ListBox::handle_notification(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  if (msg == WM_COMMAND && HIWORD(wparam) == LBN_SELCHANGE) {
    if (on_changed) on_changed();
    return 0;
  }
  return std::nullopt;
}

}  // namespace rt
