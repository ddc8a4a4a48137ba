#include "runtime/tab_control.h"

#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "runtime/internal.h"
#include "runtime/seams.h"
#include "runtime/strings.h"
#include "runtime/window.h"

namespace rt {
namespace {

HWND hw(WindowHandle h) { return static_cast<HWND>(h); }
constexpr int kArrowWidth = 16;
constexpr int kPadding = 10;
constexpr int kCloseSpace = 16;
constexpr int kMinTab = 36;

}  // namespace

void TabControl::create(Window& parent, Rect r) {
  tabs_.clear();
  current_ = -1;
  first_visible_ = 0;
  create_own(parent, L"VelmoraPageControl", WS_VISIBLE | WS_CLIPCHILDREN, 0, r);
  // The tip control of an earlier window went with it; the new one is made when the mouse first
  // comes (make_tooltip).
  tooltip_ = nullptr;
  if (!handle_) return;
  left_arrow_.create(*this, {r.width - 2 * kArrowWidth, 0, kArrowWidth, r.height}, false);
  right_arrow_.create(*this, {r.width - kArrowWidth, 0, kArrowWidth, r.height}, true);
  layout();
}

void TabControl::make_tooltip() {
  tooltip_ =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hw(handle_), nullptr, detail::instance(), nullptr);
  if (!tooltip_) return;
  // One tool over the whole strip; its text is the tooltip of the tab under the mouse.
  TOOLINFOW t{};
  t.cbSize = sizeof t;
  t.uFlags = TTF_SUBCLASS;
  t.hwnd = hw(handle_);
  t.uId = 0;
  GetClientRect(hw(handle_), &t.rect);
  t.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(static_cast<HWND>(tooltip_), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&t));
  // The tab's tip in its caption tags' colours: its text, its background and its border.
  detail::paint_tips_in_colour(static_cast<HWND>(tooltip_), [this](HWND* owner) -> const TipMarkup* {
    if (tip_markup_.runs.empty()) return nullptr;
    *owner = hw(handle_);
    return &tip_markup_;
  });
}

int TabControl::insert(std::string_view caption, int at) {
  if (!handle_ || seams::tab_insertions_refused()) return -1;
  int n = static_cast<int>(tabs_.size());
  if (at < 0 || at > n) at = n;
  tabs_.insert(tabs_.begin() + at, Tab{std::string(caption), {}, false});
  widths_.insert(widths_.begin() + at, measure(at));
  if (current_ < 0)
    current_ = 0;
  else if (at <= current_)
    ++current_;
  layout();
  return at;
}

bool TabControl::remove(int index) {
  if (!handle_ || index < 0 || index >= count()) return false;
  tabs_.erase(tabs_.begin() + index);
  widths_.erase(widths_.begin() + index);
  int n = count();
  if (n == 0) {
    current_ = -1;
  } else if (index < current_) {
    --current_;
  } else if (index == current_) {
    int c = std::min(index, n - 1);
    // Prefer the tab that took its place, then the nearest enabled one.
    if (tabs_[c].disabled) {
      for (int d = 1; d < n; ++d) {
        if (c + d < n && !tabs_[c + d].disabled) {
          c += d;
          break;
        }
        if (c - d >= 0 && !tabs_[c - d].disabled) {
          c -= d;
          break;
        }
      }
    }
    current_ = c;
  }
  first_visible_ = std::clamp(first_visible_, 0, std::max(0, n - 1));
  layout();
  return true;
}

void TabControl::clear() {
  tabs_.clear();
  widths_.clear();
  current_ = -1;
  first_visible_ = 0;
  layout();
}

std::string TabControl::caption(int i) const {
  return (handle_ && i >= 0 && i < count()) ? tabs_[i].caption : std::string();
}
void TabControl::set_caption(int i, std::string_view text) {
  if (!handle_ || i < 0 || i >= count()) return;
  tabs_[i].caption = std::string(text);
  widths_[static_cast<size_t>(i)] = measure(i);
  layout();
}
std::string TabControl::tooltip(int i) const {
  return (handle_ && i >= 0 && i < count()) ? tabs_[i].tooltip : std::string();
}
void TabControl::set_tooltip(int i, std::string_view text) {
  if (!handle_ || i < 0 || i >= count()) return;
  tabs_[i].tooltip = std::string(text);
}
bool TabControl::tab_disabled(int i) const { return handle_ && i >= 0 && i < count() && tabs_[i].disabled; }

bool TabControl::set_tab_disabled(int i, bool disabled) {
  if (!handle_ || i < 0 || i >= count()) return false;
  if (disabled && !tabs_[i].disabled) {
    int enabled = static_cast<int>(std::count_if(tabs_.begin(), tabs_.end(), [](const Tab& t) { return !t.disabled; }));
    if (enabled <= 1) return false;
    tabs_[i].disabled = true;
    if (i == current_) {
      for (int k = 0; k < count(); ++k)
        if (!tabs_[k].disabled) {
          set_current(k);
          break;
        }
    }
  } else {
    tabs_[i].disabled = disabled;
  }
  layout();
  return true;
}

void TabControl::set_current(int index) {
  if (!handle_ || index < 0 || index >= count() || index == current_ || tabs_[index].disabled) return;
  if (on_changing) on_changing();
  if (!handle_ || index >= count()) return;
  current_ = index;
  ensure_visible(index);
  layout();
  if (on_changed) on_changed();
}

int TabControl::strip_width() const {
  if (!handle_) return 0;
  RECT r;
  GetClientRect(hw(handle_), &r);
  int reserved = end_margin_;
  if (left_arrow_.exists() && overflow()) reserved = std::max(reserved, 2 * kArrowWidth);
  return std::max(0, static_cast<int>(r.right) - reserved);
}

bool TabControl::overflow() const {
  RECT r;
  GetClientRect(hw(handle_), &r);
  int total = 0;
  for (int w : widths_) total += w;
  return total > r.right - end_margin_;
}

Rect TabControl::tab_rect(int index) const {
  if (!handle_ || index < first_visible_ || index >= count() || index >= static_cast<int>(widths_.size())) return {};
  RECT c;
  GetClientRect(hw(handle_), &c);
  int x = 0;
  for (int i = first_visible_; i < index; ++i) x += widths_[i];
  return {x, 0, widths_[index], c.bottom};
}

int TabControl::tab_at(int x, int y) const {
  if (!handle_ || x >= strip_width()) return -1;
  int left = 0;
  for (int i = first_visible_; i < count(); ++i) {
    if (x >= left && x < left + widths_[i]) return i;
    left += widths_[i];
  }
  return -1;
}

void TabControl::scroll(int tabs) {
  if (!handle_) return;
  first_visible_ = std::clamp(first_visible_ + tabs, 0, std::max(0, count() - 1));
  layout();
}

void TabControl::redraw() {
  if (handle_) InvalidateRect(hw(handle_), nullptr, FALSE);
}

void TabControl::ensure_visible(int index) {
  if (index < first_visible_) {
    first_visible_ = index;
    return;
  }
  int room = strip_width();
  for (;;) {
    int x = 0;
    for (int i = first_visible_; i <= index && i < static_cast<int>(widths_.size()); ++i) x += widths_[i];
    if (x <= room || first_visible_ >= index) break;
    ++first_visible_;
  }
}

void TabControl::set_close_button_space(bool on) {
  close_space_ = on;
  measure_all();
  layout();
}

void TabControl::set_end_margin(int pixels) {
  pixels = std::max(0, pixels);
  if (pixels == end_margin_) return;
  end_margin_ = pixels;
  if (current_ >= 0) ensure_visible(current_);
  layout();
}

void TabControl::set_colors(unsigned tab_back, unsigned current_back, unsigned strip_back, unsigned text,
                            unsigned hot_text, unsigned current_text) {
  tab_back_ = tab_back;
  current_back_ = current_back;
  strip_back_ = strip_back;
  text_ = text;
  hot_text_ = hot_text;
  current_text_ = current_text;
  if (handle_) InvalidateRect(hw(handle_), nullptr, FALSE);
}

int TabControl::measure(int index) const {
  if (!handle_ || index < 0 || index >= count()) return kMinTab;
  HDC dc = GetDC(hw(handle_));
  HGDIOBJ old = SelectObject(dc, static_cast<HFONT>(hfont_ ? hfont_ : window_->default_font()));
  std::wstring w = to_wide(tabs_[static_cast<size_t>(index)].caption);
  SIZE sz{};
  GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &sz);
  SelectObject(dc, old);
  ReleaseDC(hw(handle_), dc);
  return std::max(kMinTab, static_cast<int>(sz.cx) + 2 * kPadding + (close_space_ ? kCloseSpace : 0));
}

void TabControl::measure_all() {
  widths_.clear();
  for (int i = 0; i < count(); ++i) widths_.push_back(measure(i));
}

void TabControl::layout() {
  if (!handle_) return;
  RECT c;
  GetClientRect(hw(handle_), &c);
  bool show_arrows = overflow();
  for (Arrow* a : {&left_arrow_, &right_arrow_}) {
    if (!a->exists()) continue;
    int x = c.right - (a == &left_arrow_ ? 2 : 1) * kArrowWidth;
    MoveWindow(static_cast<HWND>(a->handle()), x, 0, kArrowWidth, c.bottom, TRUE);
    ShowWindow(static_cast<HWND>(a->handle()), show_arrows ? SW_SHOWNA : SW_HIDE);
  }
  InvalidateRect(hw(handle_), nullptr, FALSE);
}

void TabControl::paint(void* dcp) {
  HDC dc = static_cast<HDC>(dcp);
  RECT c;
  GetClientRect(hw(handle_), &c);
  HBRUSH strip = CreateSolidBrush(strip_back_);
  FillRect(dc, &c, strip);
  DeleteObject(strip);
  HGDIOBJ old = SelectObject(dc, static_cast<HFONT>(hfont_ ? hfont_ : window_->default_font()));
  SetBkMode(dc, TRANSPARENT);
  int room = strip_width();
  HPEN edge = CreatePen(PS_SOLID, 1, 0x9D7B45);
  HGDIOBJ old_pen = SelectObject(dc, edge);
  for (int i = first_visible_; i < count(); ++i) {
    Rect r = tab_rect(i);
    if (r.left >= room) break;
    bool cur = i == current_;
    RECT box{r.left, cur ? 0 : 2, std::min(r.left + r.width, room), c.bottom};
    HBRUSH b = CreateSolidBrush(cur ? current_back_ : tab_back_);
    FillRect(dc, &box, b);
    DeleteObject(b);
    MoveToEx(dc, box.left, box.bottom, nullptr);
    LineTo(dc, box.left, box.top);
    LineTo(dc, box.right - 1, box.top);
    LineTo(dc, box.right - 1, box.bottom);
    SetTextColor(dc, tabs_[i].disabled ? GetSysColor(COLOR_GRAYTEXT)
                     : cur             ? current_text_
                     : i == hot_       ? hot_text_
                                       : text_);
    RECT text_box = box;
    text_box.left += kPadding;
    text_box.right -= kPadding + (close_space_ ? kCloseSpace : 0);
    std::wstring w = to_wide(tabs_[i].caption);
    DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &text_box,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  SelectObject(dc, old_pen);
  DeleteObject(edge);
  SelectObject(dc, old);
}

std::optional<intptr_t> TabControl::handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hw(handle_), &ps);
      // Drawn off screen: the strip repaints on every switch and would flicker.
      RECT c;
      GetClientRect(hw(handle_), &c);
      HDC mem = CreateCompatibleDC(dc);
      HBITMAP bmp = CreateCompatibleBitmap(dc, std::max(1L, c.right), std::max(1L, c.bottom));
      HGDIOBJ old = SelectObject(mem, bmp);
      paint(mem);
      BitBlt(dc, 0, 0, c.right, c.bottom, mem, 0, 0, SRCCOPY);
      SelectObject(mem, old);
      DeleteObject(bmp);
      DeleteDC(mem);
      EndPaint(hw(handle_), &ps);
      return 0;
    }
    case WM_SIZE: {
      TOOLINFOW t{};
      t.cbSize = sizeof t;
      t.hwnd = hw(handle_);
      t.uId = 0;
      GetClientRect(hw(handle_), &t.rect);
      if (tooltip_) SendMessageW(static_cast<HWND>(tooltip_), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&t));
      // A narrower strip keeps the current tab in view.
      if (current_ >= 0) ensure_visible(current_);
      layout();
      return 0;
    }
    case WM_NOTIFY: {
      auto* n = reinterpret_cast<NMHDR*>(lparam);
      if (n->hwndFrom == static_cast<HWND>(tooltip_) && n->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lparam);
        tip_markup_ = parse_tip_markup(hot_ >= 0 && hot_ < count() ? tabs_[hot_].tooltip : std::string());
        tip_text_ = detail::tip_control_text(static_cast<HWND>(tooltip_), tip_markup_);
        info->lpszText = tip_text_.data();
        return 0;
      }
      return std::nullopt;
    }
    case WM_LBUTTONDOWN: {
      int i = tab_at(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      if (i >= 0) set_current(i);
      return 0;
    }
    case WM_RBUTTONUP: {
      POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      int i = tab_at(at.x, at.y);
      ClientToScreen(hw(handle_), &at);
      if (i >= 0 && on_tab_right_click) on_tab_right_click(i, at.x, at.y);
      return 0;
    }
    case WM_LBUTTONDBLCLK: {
      int modifiers = ((wparam & MK_CONTROL) ? kCtrl : 0) | ((wparam & MK_SHIFT) ? kShift : 0);
      if (on_strip_double_click) on_strip_double_click(modifiers);
      return 0;
    }
    case WM_MOUSEMOVE: {
      // The tip control comes with the mouse, and hears of the move that made it; later moves
      // reach it through its own subclass of the strip.
      if (!tooltip_) {
        make_tooltip();
        MSG move{hw(handle_), msg, wparam, lparam, static_cast<DWORD>(GetMessageTime()), {}};
        GetCursorPos(&move.pt);
        if (tooltip_) SendMessageW(static_cast<HWND>(tooltip_), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
      }
      int i = tab_at(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      if (i != hot_) {
        hot_ = i;
        // A new tab under the mouse: its own tooltip shows next.
        if (tooltip_) SendMessageW(static_cast<HWND>(tooltip_), TTM_POP, 0, 0);
        InvalidateRect(hw(handle_), nullptr, FALSE);
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hw(handle_), 0};
        TrackMouseEvent(&t);
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      hot_ = -1;
      InvalidateRect(hw(handle_), nullptr, FALSE);
      return 0;
    case WM_SETFONT:
      measure_all();
      layout();
      return 0;
    default:
      return std::nullopt;
  }
}

void TabControl::Arrow::create(TabControl& owner, Rect r, bool right) {
  owner_ = &owner;
  right_ = right;
  create_own(*owner.window(), L"VelmoraTabArrow", 0, 0, r, owner.handle());
  if (handle_) SetWindowTextW(static_cast<HWND>(handle_), right ? L">" : L"<");
}

std::optional<intptr_t> TabControl::Arrow::handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hw(handle_), &ps);
      RECT c;
      GetClientRect(hw(handle_), &c);
      FillRect(dc, &c, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
      DrawEdge(dc, &c, EDGE_RAISED, BF_RECT);
      SetBkMode(dc, TRANSPARENT);
      DrawTextW(dc, right_ ? L">" : L"<", 1, &c, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
      EndPaint(hw(handle_), &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
      owner_->scroll(right_ ? 1 : -1);
      return 0;
    default:
      return std::nullopt;
  }
}

}  // namespace rt
