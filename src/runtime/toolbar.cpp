#include "runtime/toolbar.h"

#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "runtime/internal.h"
#include "runtime/strings.h"
#include "runtime/window.h"

namespace rt {
namespace {
HWND hw(WindowHandle h) { return static_cast<HWND>(h); }
}  // namespace

void Toolbar::create(Window& parent, Rect r, int button_size) {
  tips_.clear();
  size_ = button_size;
  create_control(parent, TOOLBARCLASSNAMEW,
                 WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN, 0, r);
  if (!handle_) return;
  HWND h = hw(handle_);
  SendMessageW(h, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  images_ = ImageList_Create(size_, size_, ILC_COLOR32 | ILC_MASK, 24, 8);
  SendMessageW(h, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
  SendMessageW(h, TB_SETBITMAPSIZE, 0, MAKELPARAM(size_, size_));
  // The toolbar's own tooltip asks the toolbar's parent for texts: they are this unit's.
  if (HWND tip = reinterpret_cast<HWND>(SendMessageW(h, TB_GETTOOLTIPS, 0, 0))) {
    tooltip_ = tip;
    detail::set_notifier(tip, this);
  }
}

void Toolbar::unbind_handle() {
  Unit::unbind_handle();
  if (tooltip_) detail::set_notifier(static_cast<HWND>(tooltip_), nullptr);
  tooltip_ = nullptr;
  if (images_) ImageList_Destroy(static_cast<HIMAGELIST>(images_));
  images_ = nullptr;
}

void Toolbar::add_button(const Picture& picture, std::string_view tooltip) {
  if (!handle_) return;
  int image = ImageList_Add(static_cast<HIMAGELIST>(images_), static_cast<HBITMAP>(picture.bitmap()), nullptr);
  tips_.push_back(to_wide(tooltip));
  TBBUTTON b{};
  b.iBitmap = image;
  b.idCommand = static_cast<int>(tips_.size());
  b.fsState = TBSTATE_ENABLED;
  b.fsStyle = BTNS_BUTTON;
  SendMessageW(hw(handle_), TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&b));
}

void Toolbar::add_separator() {
  if (!handle_) return;
  tips_.emplace_back();
  TBBUTTON b{};
  b.iBitmap = 6;
  b.idCommand = static_cast<int>(tips_.size());
  b.fsStyle = BTNS_SEP;
  SendMessageW(hw(handle_), TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&b));
}

int Toolbar::state(int index) const {
  if (!handle_ || index < 1 || index > count()) return 0;
  LRESULT s = SendMessageW(hw(handle_), TB_GETSTATE, static_cast<WPARAM>(index), 0);
  if (s < 0) return 0;
  int bits = 0;
  if (s & TBSTATE_CHECKED) bits |= kChecked;
  if (s & TBSTATE_PRESSED) bits |= kPressed;
  if (!(s & TBSTATE_ENABLED)) bits |= kDisabled;
  if (s & TBSTATE_HIDDEN) bits |= kHidden;
  if (s & TBSTATE_INDETERMINATE) bits |= kMixed;
  return bits;
}

void Toolbar::set_state(int index, int bits) {
  if (!handle_ || index < 1 || index > count()) return;
  BYTE s = 0;
  if (bits & kChecked) s |= TBSTATE_CHECKED;
  if (bits & kPressed) s |= TBSTATE_PRESSED;
  if (!(bits & kDisabled)) s |= TBSTATE_ENABLED;
  if (bits & kHidden) s |= TBSTATE_HIDDEN;
  if (bits & kMixed) s |= TBSTATE_INDETERMINATE;
  SendMessageW(hw(handle_), TB_SETSTATE, static_cast<WPARAM>(index), MAKELPARAM(s, 0));
}

int Toolbar::natural_height() const {
  if (!handle_) return 0;
  SIZE sz{};
  SendMessageW(hw(handle_), TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&sz));
  DWORD button = static_cast<DWORD>(SendMessageW(hw(handle_), TB_GETBUTTONSIZE, 0, 0));
  return std::max<int>(sz.cy, HIWORD(button)) + 2;
}

std::optional<intptr_t> Toolbar::handle_notification(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  if (msg == WM_COMMAND && reinterpret_cast<HWND>(lparam) == hw(handle_)) {
    int index = LOWORD(wparam);
    if (on_click && index >= 1 && index <= count()) on_click(index);
    return 0;
  }
  if (msg == WM_NOTIFY) {
    auto* n = reinterpret_cast<NMHDR*>(lparam);
    if (n->code == TTN_GETDISPINFOW) {
      auto* info = reinterpret_cast<NMTTDISPINFOW*>(lparam);
      size_t i = static_cast<size_t>(info->hdr.idFrom);
      if (i >= 1 && i <= tips_.size()) info->lpszText = tips_[i - 1].data();
      return 0;
    }
  }
  return std::nullopt;
}

}  // namespace rt
