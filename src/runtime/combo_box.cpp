#include "runtime/combo_box.h"

#include "runtime/internal.h"
#include "runtime/strings.h"
#include "runtime/window.h"

namespace rt {
namespace {
HWND hw(WindowHandle h) { return static_cast<HWND>(h); }
}  // namespace

void ComboBox::create(Window& parent, Rect r, bool editable, int list_height) {
  editable_ = editable;
  DWORD style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | (editable ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST);
  // A combo box's height is that of its field and its dropped list together.
  create_control(parent, L"COMBOBOX", style, 0, {r.left, r.top, r.width, r.height + list_height});
}

int ComboBox::count() const { return handle_ ? static_cast<int>(SendMessageW(hw(handle_), CB_GETCOUNT, 0, 0)) : 0; }

void ComboBox::add_item(std::string_view text) {
  if (handle_) SendMessageW(hw(handle_), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(to_wide(text).c_str()));
}

void ComboBox::clear() {
  if (handle_) SendMessageW(hw(handle_), CB_RESETCONTENT, 0, 0);
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

int ComboBox::current() const { return handle_ ? static_cast<int>(SendMessageW(hw(handle_), CB_GETCURSEL, 0, 0)) : -1; }

void ComboBox::set_current(int index) {
  if (!handle_) return;
  // CB_SETCURSEL notifies nothing; -1 clears the choice and the field.
  SendMessageW(hw(handle_), CB_SETCURSEL, index >= 0 && index < count() ? static_cast<WPARAM>(index) : WPARAM(-1), 0);
}

std::string ComboBox::text() const {
  if (!handle_) return {};
  if (!editable_) return item(current());
  if (choosing_ >= 0) return item(choosing_);
  int n = GetWindowTextLengthW(hw(handle_));
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  w.resize(static_cast<size_t>(GetWindowTextW(hw(handle_), w.data(), n + 1)));
  return to_gbk(w);
}

void ComboBox::set_text(std::string_view text) {
  if (!handle_ || !editable_) return;
  SendMessageW(hw(handle_), CB_SETCURSEL, WPARAM(-1), 0);
  // The edit field tells the combo box, which tells its parent only for the user's edits.
  SetWindowTextW(hw(handle_), to_wide(text).c_str());
}

WindowHandle ComboBox::edit_handle() const {
  if (!handle_ || !editable_) return nullptr;
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

}  // namespace rt
