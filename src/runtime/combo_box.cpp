#include "runtime/combo_box.h"

#include <windows.h>

#include "runtime/strings.h"
#include "runtime/window.h"

namespace rt {
namespace {
HWND hw(WindowHandle h) { return static_cast<HWND>(h); }
}  // namespace

void ComboBox::create(Window& parent, Rect r, Style s) {
  style_ = s;
  DWORD style =
      WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | (s.text_field ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST);
  // The height a combo box is made with is its dropped-down height.
  create_control(parent, L"COMBOBOX", style, 0, {r.left, r.top, r.width, r.height + s.list_height});
  if (!handle_ || !s.text_field || !s.text_read_only) return;
  if (HWND field = FindWindowExW(hw(handle_), nullptr, L"EDIT", nullptr)) SendMessageW(field, EM_SETREADONLY, TRUE, 0);
}

void ComboBox::add_item(std::string_view text) {
  if (handle_) SendMessageW(hw(handle_), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(to_wide(text).c_str()));
}

void ComboBox::add_items(const std::vector<std::string>& texts) {
  if (!handle_) return;
  SendMessageW(hw(handle_), WM_SETREDRAW, FALSE, 0);
  for (const std::string& t : texts) add_item(t);
  SendMessageW(hw(handle_), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hw(handle_), nullptr, TRUE);
}

void ComboBox::clear() {
  if (handle_) SendMessageW(hw(handle_), CB_RESETCONTENT, 0, 0);
}

int ComboBox::count() const { return handle_ ? static_cast<int>(SendMessageW(hw(handle_), CB_GETCOUNT, 0, 0)) : 0; }

std::string ComboBox::item(int index) const {
  if (!handle_ || index < 0 || index >= count()) return {};
  LRESULT n = SendMessageW(hw(handle_), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n <= 0) return {};
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  n = SendMessageW(hw(handle_), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(w.data()));
  w.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return to_gbk(w);
}

int ComboBox::find(std::string_view text) const {
  // CB_FINDSTRINGEXACT ignores case; the entries are compared as they are.
  for (int i = 0, n = count(); i < n; ++i)
    if (item(i) == text) return i;
  return -1;
}

int ComboBox::current() const {
  if (!handle_) return -1;
  LRESULT i = SendMessageW(hw(handle_), CB_GETCURSEL, 0, 0);
  return i == CB_ERR ? -1 : static_cast<int>(i);
}

void ComboBox::set_current(int index) {
  if (!handle_) return;
  if (index < 0 || index >= count()) index = -1;
  SendMessageW(hw(handle_), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string ComboBox::text() const {
  if (!handle_) return {};
  // During the changed event the text field still shows the former choice.
  if (int i = current(); i >= 0 || !style_.text_field) return item(i);
  int n = GetWindowTextLengthW(hw(handle_));
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  w.resize(static_cast<size_t>(GetWindowTextW(hw(handle_), w.data(), n + 1)));
  return to_gbk(w);
}

void ComboBox::set_text(std::string_view text) {
  if (!handle_) return;
  int i = find(text);
  set_current(i);
  if (style_.text_field && i < 0) SetWindowTextW(hw(handle_), to_wide(text).c_str());
}

std::optional<intptr_t> ComboBox::handle_notification(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  if (msg == WM_COMMAND && HIWORD(wparam) == CBN_SELCHANGE) {
    if (on_changed) on_changed();
    return 0;
  }
  return std::nullopt;
}

std::optional<intptr_t> ComboBox::handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  // A text field that only shows keeps the look of a list's choice, not of a disabled field.
  if (msg == WM_CTLCOLORSTATIC && style_.text_field && IsWindowEnabled(hw(handle_))) {
    HDC dc = reinterpret_cast<HDC>(wparam);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<intptr_t>(GetSysColorBrush(COLOR_WINDOW));
  }
  return std::nullopt;
}

}  // namespace rt
