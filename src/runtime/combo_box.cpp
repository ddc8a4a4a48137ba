#include "runtime/combo_box.h"

#include <memory>

#include "runtime/internal.h"
#include "runtime/strings.h"
#include "runtime/window.h"

namespace rt {
namespace {
HWND hw(WindowHandle h) { return static_cast<HWND>(h); }
}  // namespace

void ComboBox::create(Window& parent, Rect r, Style s) {
  style_ = s;
  choosing_ = -1;
  DWORD style =
      WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | (s.text_field ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST);
  // The window's height is the closed box and its open list together.
  create_control(parent, L"COMBOBOX", style, 0, {r.left, r.top, r.width, r.height + s.list_height});
  HWND field = hw(edit_handle());
  if (!field) return;
  if (s.text_read_only) SendMessageW(field, EM_SETREADONLY, TRUE, 0);
  // The keys typed in the text field reach its window's dialog keys as the box's own.
  auto swallow_char = std::make_shared<bool>(false);
  add_hook(field, [this, swallow_char](Message& m) -> intptr_t {
    switch (m.msg) {
      case WM_KEYDOWN:
        *swallow_char = false;
        if (offer_dialog_key(static_cast<int>(m.wparam), *swallow_char)) return 0;
        break;
      case WM_KEYUP:
        *swallow_char = false;
        break;
      case WM_CHAR:
        if (*swallow_char) {
          *swallow_char = false;
          return 0;
        }
        break;
      default:
        break;
    }
    return m.next();
  });
}

bool ComboBox::keeps_key(int key) const {
  return handle_ && (key == VK_RETURN || key == VK_ESCAPE) && SendMessageW(hw(handle_), CB_GETDROPPEDSTATE, 0, 0);
}

int ComboBox::add_item(std::string_view text) {
  if (!handle_) return -1;
  LRESULT i = SendMessageW(hw(handle_), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(to_wide(text).c_str()));
  return i < 0 ? -1 : static_cast<int>(i);
}

void ComboBox::add_items(const std::vector<std::string>& texts) {
  if (!handle_) return;
  SendMessageW(hw(handle_), WM_SETREDRAW, FALSE, 0);
  for (const std::string& t : texts) add_item(t);
  SendMessageW(hw(handle_), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hw(handle_), nullptr, TRUE);
}

void ComboBox::remove_item(int index) {
  if (!handle_ || index < 0 || index >= count()) return;
  SendMessageW(hw(handle_), CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void ComboBox::set_item(int index, std::string_view text) {
  if (!handle_ || index < 0 || index >= count()) return;
  bool chosen = current() == index;
  SendMessageW(hw(handle_), CB_DELETESTRING, static_cast<WPARAM>(index), 0);
  SendMessageW(hw(handle_), CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(to_wide(text).c_str()));
  if (chosen) set_current(index);
}

void ComboBox::clear() {
  if (handle_) SendMessageW(hw(handle_), CB_RESETCONTENT, 0, 0);
}

int ComboBox::count() const {
  if (!handle_) return 0;
  LRESULT n = SendMessageW(hw(handle_), CB_GETCOUNT, 0, 0);
  return n < 0 ? 0 : static_cast<int>(n);
}

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
  // CB_FINDSTRINGEXACT ignores case; the items are compared as they are.
  for (int i = 0, n = count(); i < n; ++i)
    if (item(i) == text) return i;
  return -1;
}

int ComboBox::current() const {
  if (!handle_) return -1;
  LRESULT i = SendMessageW(hw(handle_), CB_GETCURSEL, 0, 0);
  return i < 0 ? -1 : static_cast<int>(i);
}

void ComboBox::set_current(int index) {
  if (!handle_) return;
  if (index < 0 || index >= count()) index = -1;
  choosing_ = -1;
  // CB_SETCURSEL notifies nothing; -1 clears the choice and the text field.
  SendMessageW(hw(handle_), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string ComboBox::text() const {
  if (!handle_) return {};
  if (!style_.text_field) return item(current());
  // During the changed event the text field still shows the former text.
  if (choosing_ >= 0) return item(choosing_);
  int n = GetWindowTextLengthW(hw(handle_));
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  w.resize(static_cast<size_t>(GetWindowTextW(hw(handle_), w.data(), n + 1)));
  return to_gbk(w);
}

void ComboBox::set_text(std::string_view text) {
  if (!handle_) return;
  int i = find(text);
  set_current(i);
  // The text field tells the combo box, which tells its parent only of the user's edits.
  if (style_.text_field && i < 0) SetWindowTextW(hw(handle_), to_wide(text).c_str());
}

WindowHandle ComboBox::edit_handle() const {
  if (!handle_ || !style_.text_field) return nullptr;
  return FindWindowExW(hw(handle_), nullptr, L"EDIT", nullptr);
}

std::optional<intptr_t> ComboBox::handle_notification(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  if (msg != WM_COMMAND) return std::nullopt;
  switch (HIWORD(wparam)) {
    case CBN_SELCHANGE:
      choosing_ = current();
      if (on_changed) on_changed();
      choosing_ = -1;
      return 0;
    case CBN_EDITCHANGE:
      if (on_edited) on_edited();
      return 0;
    default:
      return std::nullopt;
  }
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
