#include "runtime/window.h"

#include <vector>

#include "runtime/graphic_button.h"
#include "runtime/internal.h"
#include "runtime/reading_order.h"
#include "runtime/seams.h"
#include "runtime/strings.h"
#include "runtime/timer.h"
#include "runtime/window_services.h"

namespace rt {
namespace {
HWND hw(WindowHandle h) { return static_cast<HWND>(h); }
constexpr UINT kRunModalHook = WM_APP + 0x51;
// The checks that keep owned windows above their owner after it was activated: outside the ids
// the units' timers take.
constexpr UINT_PTR kOwnedOrderTimer = 0x7FF0;
constexpr int kOwnedOrderChecks = 10, kOwnedOrderIntervalMs = 100;

// The visible windows the owner owns that lie below it, top first, go back right above it in
// that order. The system keeps owned windows above their owner; Wine's virtual desktop raises
// an activated owner over them some moments after the activation, without a message.
void keep_owned_windows_above(HWND owner) {
  std::vector<HWND> below;
  bool past_owner = false;
  for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (h == owner)
      past_owner = true;
    else if (past_owner && GetWindow(h, GW_OWNER) == owner && IsWindowVisible(h))
      below.push_back(h);
  }
  for (HWND h : below) {
    HWND above_owner = GetWindow(owner, GW_HWNDPREV);
    SetWindowPos(h, above_owner ? above_owner : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}
std::vector<Window*>& registry() {
  static std::vector<Window*> windows;
  return windows;
}
}  // namespace

const std::vector<Window*>& Window::loaded_windows() { return registry(); }

Window* Window::find_loaded(std::string_view caption) {
  for (Window* w : registry())
    if (w->caption() == caption) return w;
  return nullptr;
}

bool Window::has_modal_child() const {
  for (Window* w : seams::open_modal_windows())
    if (w != this && w->loaded() && w->modal_owner_ == handle_) return true;
  return false;
}

Window::Window(std::string class_name, std::string caption, Rect design)
    : class_name_(std::move(class_name)),
      design_caption_(std::move(caption)),
      design_(design),
      style_(WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
      back_color_(GetSysColor(COLOR_BTNFACE)) {}

Window::~Window() {
  // A form that goes while loaded takes its window with it.
  if (handle_) DestroyWindow(hw(handle_));
  std::erase(registry(), this);
  if (icon_) DestroyIcon(static_cast<HICON>(icon_));
  if (back_brush_) DeleteObject(static_cast<HBRUSH>(back_brush_));
  if (default_font_) DeleteObject(static_cast<HFONT>(default_font_));
}

void* Window::default_font() {
  if (!default_font_) {
    HDC dc = GetDC(nullptr);
    int height = -MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(nullptr, dc);
    default_font_ = CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"宋体");
  }
  return default_font_;
}

bool Window::load(Window* owner, bool show) {
  if (loaded()) return true;
  window_ = this;
  detail::register_class(to_wide(class_name_), CS_DBLCLKS, nullptr);
  first_activated_ = false;
  alpha_ = 255;
  topmost_ = (ex_style_ & WS_EX_TOPMOST) != 0;
  HWND h = CreateWindowExW(ex_style_, to_wide(class_name_).c_str(), to_wide(design_caption_).c_str(), style_,
                           design_.left, design_.top, design_.width, design_.height,
                           owner ? hw(owner->handle()) : nullptr, nullptr, detail::instance(), this);
  if (!h) return false;
  detail::top_level_created();
  registry().push_back(this);
  build();
  // The created event may show the window (maximizing it does): its first activation waits for
  // the created event's end, which prepares what that event works with.
  creating_ = true;
  activated_while_creating_ = false;
  if (handle_ && on_created) on_created();
  creating_ = false;
  if (handle_ && show) ShowWindow(hw(handle_), SW_SHOW);
  if (handle_ && activated_while_creating_ && !first_activated_ && GetActiveWindow() == hw(handle_)) {
    first_activated_ = true;
    if (on_first_activation) on_first_activation();
  }
  return loaded();
}

int Window::load_modal(Window* owner) {
  modal_result_ = -1;
  HWND ow = owner ? hw(owner->handle()) : nullptr;
  modal_ = true;
  modal_owner_ = ow;
  owner_was_enabled_ = ow && IsWindowEnabled(ow);
  if (!load(owner, true)) {
    modal_ = false;
    return modal_result_;
  }
  if (ow) EnableWindow(ow, FALSE);
  seams::enter_modal_loop(*this);
  PostMessageW(hw(handle_), kRunModalHook, 0, 0);
  MSG msg;
  while (handle_) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {  // the program is ending: leave the quit for the outer loop
      PostQuitMessage(static_cast<int>(msg.wParam));
      destroy();
      break;
    }
    if (got < 0) break;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  seams::leave_modal_loop(*this);
  modal_ = false;
  return modal_result_;
}

void Window::close() {
  if (handle_) SendMessageW(hw(handle_), WM_CLOSE, 0, 0);
}

void Window::post_close() {
  if (handle_) PostMessageW(hw(handle_), WM_CLOSE, 0, 0);
}

void Window::destroy() {
  if (!handle_) return;
  // The owner must be usable again before the modal window goes, or activation is lost.
  if (modal_ && modal_owner_ && owner_was_enabled_) EnableWindow(hw(modal_owner_), TRUE);
  DestroyWindow(hw(handle_));
}

std::string Window::caption() const {
  if (!handle_) return {};
  int n = GetWindowTextLengthW(hw(handle_));
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  GetWindowTextW(hw(handle_), w.data(), n + 1);
  w.resize(static_cast<size_t>(n));
  return to_gbk(w);
}

void Window::set_caption(std::string_view text) {
  if (handle_) SetWindowTextW(hw(handle_), to_wide(text).c_str());
}

void Window::set_alpha(int value) {
  if (!handle_) return;
  value = value < 0 ? 0 : value > 255 ? 255 : value;
  set_window_alpha(handle_, value);
  alpha_ = value;
}

bool Window::topmost() const { return handle_ && topmost_; }

void Window::set_topmost(bool on) {
  if (!handle_) return;
  // The property is what was written: some systems leave the style of a window with owned
  // windows unchanged although they raise it.
  topmost_ = on;
  SetWindowPos(hw(handle_), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Window::set_round_region(int radius) {
  if (!handle_) return;
  if (radius <= 0) {
    SetWindowRgn(hw(handle_), nullptr, TRUE);
    return;
  }
  Rect r = rect();
  HRGN rgn = CreateRoundRectRgn(0, 0, r.width + 1, r.height + 1, radius, radius);
  SetWindowRgn(hw(handle_), rgn, TRUE);  // the system owns rgn now
}

void Window::set_back_color(unsigned rgb) {
  back_color_ = rgb;
  if (back_brush_) DeleteObject(static_cast<HBRUSH>(back_brush_));
  back_brush_ = nullptr;
  if (handle_) InvalidateRect(hw(handle_), nullptr, TRUE);
}

void Window::set_icon(const Picture& picture) {
  if (!handle_ || picture.empty()) return;
  // Every pixel shows: the picture carries its own background.
  HBITMAP mask = CreateBitmap(picture.width(), picture.height(), 1, 1, nullptr);
  ICONINFO info{TRUE, 0, 0, mask, static_cast<HBITMAP>(picture.bitmap())};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  if (!icon) return;
  SendMessageW(hw(handle_), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(hw(handle_), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  if (icon_) DestroyIcon(static_cast<HICON>(icon_));
  icon_ = icon;
}

bool Window::minimized() const { return handle_ && IsIconic(hw(handle_)); }

void Window::restore_if_minimized() {
  if (minimized()) ShowWindow(hw(handle_), SW_RESTORE);
}

void Window::minimize() {
  if (handle_) ShowWindow(hw(handle_), SW_MINIMIZE);
}

void Window::maximize() {
  if (handle_) ShowWindow(hw(handle_), SW_MAXIMIZE);
}

void Window::restore() {
  if (handle_) ShowWindow(hw(handle_), SW_RESTORE);
}

bool Window::maximized() const { return handle_ && IsZoomed(hw(handle_)); }

bool Window::is_foreground() const { return handle_ && GetForegroundWindow() == hw(handle_); }

bool Window::is_active() const { return handle_ && GetActiveWindow() == hw(handle_); }

void Window::bring_forward() {
  if (!handle_) return;
  if (!is_foreground()) SetForegroundWindow(hw(handle_));
  FlashWindow(hw(handle_), FALSE);
}

void Window::set_dialog_keys(DialogKeys keys) {
  dialog_keys_ = std::move(keys);
  dialog_keys_set_ = true;
}

namespace {

Box screen_box(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// A button of the dialog keys that can be pressed now.
bool can_press(const GraphicButton* b) {
  HWND h = b ? hw(b->handle()) : nullptr;
  return h && IsWindowVisible(h) && IsWindowEnabled(h);
}

}  // namespace

std::vector<Unit*> Window::tab_order() const {
  HWND me = hw(handle_);
  if (!me) return {};
  RECT client{};
  GetClientRect(me, &client);
  MapWindowPoints(me, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  // Shown, enabled and inside the window: a narrowed window's cut-off part has none.
  auto reachable = [&](const Unit* u) {
    HWND h = hw(u->handle());
    if (!h || !IsWindowVisible(h) || !IsWindowEnabled(h)) return false;
    RECT r{}, both{};
    GetWindowRect(h, &r);
    return IntersectRect(&both, &r, &client) != FALSE;
  };
  std::vector<Unit*> out;
  if (!dialog_keys_.order.empty()) {
    for (Unit* u : dialog_keys_.order)
      if (u && u->window() == this && reachable(u)) out.push_back(u);
    return out;
  }
  std::vector<Unit*> stops;
  std::vector<Box> boxes, frames;
  for (HWND c = GetWindow(me, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    Unit* u = detail::unit_of(c);
    if (!u || u->window() != this) continue;
    if (u->frames_units()) {
      if (IsWindowVisible(c)) frames.push_back(screen_box(c));
    } else if (u->tab_stop() && reachable(u)) {
      stops.push_back(u);
      boxes.push_back(screen_box(c));
    }
  }
  for (size_t i : reading_order(boxes, frames)) out.push_back(stops[i]);
  return out;
}

bool Window::use_dialog_key(int key, int modifiers) {
  if (!dialog_keys_set_ || !handle_) return false;
  if (key == VK_ESCAPE || key == VK_RETURN) {
    if (modifiers != 0) return false;
    GraphicButton* b = nullptr;
    if (key == VK_ESCAPE) {
      b = can_press(dialog_keys_.cancel) ? dialog_keys_.cancel : nullptr;
    } else {
      for (GraphicButton* d : dialog_keys_.defaults)
        if (can_press(d)) {
          b = d;
          break;
        }
    }
    if (!b) return false;
    b->press();
    return true;
  }
  if (key != VK_TAB || (modifiers & ~kShift) != 0) return false;
  std::vector<Unit*> order = tab_order();
  if (order.empty()) return false;
  // The unit that has the focus, or holds the window that has it (a combo box's text field).
  int at = -1;
  for (HWND f = GetFocus(); f && f != hw(handle_) && at < 0 && (GetWindowLongW(f, GWL_STYLE) & WS_CHILD);
       f = GetParent(f))
    for (size_t i = 0; i < order.size(); ++i)
      if (hw(order[i]->handle()) == f) at = static_cast<int>(i);
  const int n = static_cast<int>(order.size());
  int next = (modifiers & kShift) ? (at < 0 ? n - 1 : (at + n - 1) % n) : (at < 0 ? 0 : (at + 1) % n);
  order[static_cast<size_t>(next)]->focus_by_tab();
  return true;
}

void Window::note_focus() {
  HWND focus = GetFocus();
  // Minimized, the window may already have lost it: what it noted before stands.
  if (focus && IsChild(hw(handle_), focus))
    focus_when_left_ = focus;
  else if (!minimized())
    focus_when_left_ = nullptr;
}

void Window::give_focus_back() {
  HWND self = hw(handle_);
  auto back = static_cast<HWND>(focus_when_left_);
  // Only where the system left the keyboard with the window itself (or nowhere): a handler's
  // own choice stands.
  HWND focus = GetFocus();
  if (back && (focus == self || !focus) && IsWindow(back) && IsChild(self, back) && IsWindowVisible(back) &&
      IsWindowEnabled(back))
    SetFocus(back);
}

void Window::unbind_handle() {
  for (auto& [id, t] : timers_) t->owner_gone();
  timers_.clear();
  last_timer_id_ = 0;
  Unit::unbind_handle();
  std::erase(registry(), this);
  detail::top_level_destroyed();
}

std::optional<intptr_t> Window::handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  switch (msg) {
    case WM_CLOSE:
      if (on_may_close && !on_may_close()) return 0;
      destroy();
      return 0;
    case WM_DESTROY:
      if (on_destroying) on_destroying();
      return 0;
    case WM_ACTIVATE: {
      HWND self = hw(handle_);
      if (LOWORD(wparam) == WA_INACTIVE) note_focus();
      // The default handling gives the window the focus: it comes first, so that a handler
      // that puts the focus elsewhere keeps it there.
      LRESULT r = DefWindowProcW(self, msg, wparam, lparam);
      if (LOWORD(wparam) != WA_INACTIVE) {
        // Activated while minimized, it gives the keyboard back once it stands again.
        if (!HIWORD(wparam)) give_focus_back();
        owned_order_checks_ = kOwnedOrderChecks;
        SetTimer(hw(handle_), kOwnedOrderTimer, kOwnedOrderIntervalMs, nullptr);
        if (on_activated) on_activated();
        if (creating_) {
          activated_while_creating_ = true;
        } else if (!first_activated_ && handle_) {
          first_activated_ = true;
          if (on_first_activation) on_first_activation();
        }
      } else if (on_deactivated) {
        on_deactivated();
      }
      return r;
    }
    case WM_MOVE:
      if (on_moved) on_moved();
      return std::nullopt;
    case WM_SIZE:
      // Back from the taskbar, a minimized window stands again without a new activation.
      if (wparam == SIZE_MINIMIZED) {
        note_focus();
        was_minimized_ = true;
      } else if (was_minimized_) {
        was_minimized_ = false;
        if (GetActiveWindow() == hw(handle_)) give_focus_back();
      }
      if (on_resized) on_resized();
      return std::nullopt;
    case WM_SHOWWINDOW:
      if (wparam ? on_shown : on_hidden) (wparam ? on_shown : on_hidden)();
      return std::nullopt;
    case WM_TIMER: {
      if (wparam == kOwnedOrderTimer) {
        keep_owned_windows_above(hw(handle_));
        if (--owned_order_checks_ <= 0) KillTimer(hw(handle_), kOwnedOrderTimer);
        return 0;
      }
      auto it = timers_.find(static_cast<unsigned>(wparam));
      if (it != timers_.end()) it->second->fire();
      return 0;
    }
    case WM_ERASEBKGND: {
      if (!back_brush_) back_brush_ = CreateSolidBrush(back_color_);
      RECT r;
      GetClientRect(hw(handle_), &r);
      FillRect(reinterpret_cast<HDC>(wparam), &r, static_cast<HBRUSH>(back_brush_));
      return 1;
    }
    case kRunModalHook:
      seams::run_modal_hook(*this);
      return 0;
    default:
      return std::nullopt;
  }
}

}  // namespace rt
