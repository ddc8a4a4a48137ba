#include "runtime/unit.h"

#include <windowsx.h>

#include "runtime/internal.h"
#include "runtime/strings.h"
#include "runtime/window.h"

namespace rt {
namespace {

HWND hw(WindowHandle h) { return static_cast<HWND>(h); }

int current_modifiers() {
  int m = 0;
  if (GetKeyState(VK_CONTROL) < 0) m |= kCtrl;
  if (GetKeyState(VK_SHIFT) < 0) m |= kShift;
  if (GetKeyState(VK_MENU) < 0) m |= kAlt;
  return m;
}

// Position of a window in its parent's client coordinates (screen coordinates for top level).
RECT placed_rect(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  HWND parent = (GetWindowLongW(h, GWL_STYLE) & WS_CHILD) ? GetParent(h) : nullptr;
  if (parent) MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

Unit::Unit() = default;

Unit* Unit::of_handle(WindowHandle h) { return h ? detail::unit_of(hw(h)) : nullptr; }

Unit::~Unit() {
  if (handle_ && IsWindow(hw(handle_))) {
    if (auto* e = detail::entry_of(hw(handle_))) e->unit = nullptr;
  }
  if (hfont_) DeleteObject(static_cast<HFONT>(hfont_));
}

void Unit::unbind_handle() {
  handle_ = nullptr;
  swallow_char_ = false;
}

Rect Unit::rect() const {
  if (!handle_) return {};
  RECT r = placed_rect(hw(handle_));
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}
int Unit::left() const { return rect().left; }
int Unit::top() const { return rect().top; }
int Unit::width() const { return rect().width; }
int Unit::height() const { return rect().height; }

void Unit::move(int l, int t, int w, int h) {
  if (!handle_) return;
  MoveWindow(hw(handle_), l, t, w, h, TRUE);
}
void Unit::set_left(int v) {
  Rect r = rect();
  move(v, r.top, r.width, r.height);
}
void Unit::set_top(int v) {
  Rect r = rect();
  move(r.left, v, r.width, r.height);
}
void Unit::set_width(int v) {
  Rect r = rect();
  move(r.left, r.top, v, r.height);
}
void Unit::set_height(int v) {
  Rect r = rect();
  move(r.left, r.top, r.width, v);
}

bool Unit::visible() const { return handle_ && (GetWindowLongW(hw(handle_), GWL_STYLE) & WS_VISIBLE); }
void Unit::set_visible(bool v) {
  if (handle_) ShowWindow(hw(handle_), v ? SW_SHOWNA : SW_HIDE);
}
bool Unit::disabled() const { return handle_ && !IsWindowEnabled(hw(handle_)); }
void Unit::set_disabled(bool v) {
  if (handle_) EnableWindow(hw(handle_), !v);
}
void Unit::set_mouse_pointer(CursorHandle cursor) {
  cursor_ = cursor;
  if (!handle_ || !cursor) return;
  // While the mouse is captured the system asks nobody for a pointer: the unit shows it now.
  POINT p{};
  GetCursorPos(&p);
  if (GetCapture() == hw(handle_) || WindowFromPoint(p) == hw(handle_)) SetCursor(static_cast<HCURSOR>(cursor));
}

void Unit::set_font(const Font& f) {
  font_ = f;
  font_set_ = true;
  apply_font();
}

void Unit::apply_font() {
  if (!handle_ || !font_set_) return;
  HDC dc = GetDC(nullptr);
  int height = -MulDiv(font_.size, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(nullptr, dc);
  HFONT f = CreateFontW(height, 0, font_.angle, font_.angle, font_.bold ? FW_BOLD : FW_NORMAL, font_.italic,
                        font_.underline, font_.strikeout, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        DEFAULT_QUALITY, DEFAULT_PITCH, to_wide(font_.face).c_str());
  SendMessageW(hw(handle_), WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
  if (hfont_) DeleteObject(static_cast<HFONT>(hfont_));
  hfont_ = f;
}

void Unit::bring_to_front() {
  if (handle_) SetWindowPos(hw(handle_), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Unit::set_focus() {
  if (handle_) SetFocus(hw(handle_));
}
bool Unit::has_focus() const { return handle_ && GetFocus() == hw(handle_); }

bool Unit::offer_dialog_key(int key, bool& swallow_char) {
  if (!window_ || !window_->has_dialog_keys() || keeps_key(key)) return false;
  // Set before the key is used: what it runs may handle the key's character in a loop of its
  // own (a fade, a message box), and a window it closes clears it with its handles.
  swallow_char = true;
  if (window_->use_dialog_key(key, current_modifiers())) return true;
  swallow_char = false;
  return false;
}

void Unit::create_control(Window& parent, const wchar_t* cls, unsigned style, unsigned ex_style, Rect r,
                          std::string_view text) {
  window_ = &parent;
  HWND h = CreateWindowExW(ex_style, cls, to_wide(text).c_str(), style | WS_CHILD | WS_CLIPSIBLINGS, r.left, r.top,
                           r.width, r.height, hw(parent.handle()), nullptr, detail::instance(), nullptr);
  if (!h) return;
  handle_ = h;
  detail::attach(h, this, nullptr);
  if (!font_set_ && parent.default_font())
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(parent.default_font()), FALSE);
  apply_font();
}

void Unit::create_own(Window& parent, const wchar_t* cls, unsigned style, unsigned ex_style, Rect r,
                      WindowHandle parent_handle) {
  window_ = &parent;
  detail::register_class(cls, CS_DBLCLKS, nullptr);
  CreateWindowExW(ex_style, cls, L"", style | WS_CHILD | WS_CLIPSIBLINGS, r.left, r.top, r.width, r.height,
                  hw(parent_handle ? parent_handle : parent.handle()), nullptr, detail::instance(), this);
  apply_font();
}

intptr_t Unit::call_control(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  detail::Entry* e = handle_ ? detail::entry_of(hw(handle_)) : nullptr;
  if (!e) return 0;
  return CallWindowProcW(e->original ? e->original : DefWindowProcW, hw(handle_), msg, wparam, lparam);
}

std::optional<intptr_t> Unit::route_message(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  auto mouse = [&](const std::function<bool(int, int, int)>& handler) -> std::optional<intptr_t> {
    if (handler && !handler(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam), static_cast<int>(wparam))) return 0;
    return std::nullopt;
  };
  std::optional<intptr_t> swallowed;
  switch (msg) {
    case WM_LBUTTONDOWN:
      swallowed = mouse(on_left_down);
      break;
    case WM_LBUTTONUP:
      swallowed = mouse(on_left_up);
      break;
    case WM_LBUTTONDBLCLK:
      swallowed = mouse(on_double_click);
      break;
    case WM_RBUTTONDOWN:
      swallowed = mouse(on_right_down);
      break;
    case WM_RBUTTONUP:
      swallowed = mouse(on_right_up);
      break;
    case WM_MOUSEMOVE:
      swallowed = mouse(on_mouse_move);
      break;
    case WM_MOUSEWHEEL:
      if (on_wheel && !on_wheel(GET_WHEEL_DELTA_WPARAM(wparam), current_modifiers())) swallowed = 0;
      break;
    case WM_SETFOCUS:
      if (on_focus) on_focus();
      break;
    case WM_KILLFOCUS:
      if (on_blur) on_blur();
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      swallow_char_ = false;
      if (on_key_down && !on_key_down(static_cast<int>(wparam), current_modifiers())) {
        swallowed = 0;
        // A handler that closed the window leaves no character to wait for.
        swallow_char_ = handle_ != nullptr;
      } else if (msg == WM_KEYDOWN && offer_dialog_key(static_cast<int>(wparam), swallow_char_)) {
        swallowed = 0;
      }
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      // The character a swallowed key makes comes before its key-up, or never.
      swallow_char_ = false;
      if (on_key_up && !on_key_up(static_cast<int>(wparam), current_modifiers())) swallowed = 0;
      break;
    case WM_CHAR:
    case WM_SYSCHAR:
      if (swallow_char_) {
        swallow_char_ = false;
        return 0;
      }
      if (msg == WM_CHAR && on_char && !on_char(static_cast<int>(wparam))) swallowed = 0;
      break;
    case WM_SETCURSOR:
      if (cursor_ && LOWORD(lparam) == HTCLIENT && reinterpret_cast<HWND>(wparam) == hw(handle_)) {
        SetCursor(static_cast<HCURSOR>(cursor_));
        return TRUE;
      }
      break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_DRAWITEM:
    case WM_MEASUREITEM: {
      // Notifications belong to the control that sent them.
      HWND child = nullptr;
      if (msg == WM_NOTIFY)
        child = reinterpret_cast<NMHDR*>(lparam)->hwndFrom;
      else if (msg == WM_DRAWITEM)
        child = reinterpret_cast<DRAWITEMSTRUCT*>(lparam)->hwndItem;
      else if (msg != WM_MEASUREITEM)
        child = reinterpret_cast<HWND>(lparam);
      if (child && child != hw(handle_)) {
        Unit* u = detail::unit_of(child);
        if (!u) u = detail::notifier_of(child);
        if (u)
          if (auto r = u->handle_notification(msg, wparam, lparam)) return r;
      }
      break;
    }
    default:
      break;
  }
  if (swallowed) return swallowed;
  // The handler may have destroyed the window.
  if (!handle_) return std::nullopt;
  return handle_message(msg, wparam, lparam);
}

}  // namespace rt
