#include "runtime/graphic_button.h"

#include <windowsx.h>

#include <algorithm>

#include "runtime/internal.h"
#include "runtime/strings.h"
#include "runtime/window.h"

namespace rt {
namespace {
HWND hw(WindowHandle h) { return static_cast<HWND>(h); }
}  // namespace

void GraphicButton::create(Window& parent, Rect r, std::string_view caption) {
  caption_ = std::string(caption);
  hot_ = down_ = space_down_ = false;
  create_own(parent, L"VelmoraGraphicButton", WS_VISIBLE, 0, r);
  if (handle_) SetWindowTextW(hw(handle_), to_wide(caption_).c_str());
}

void GraphicButton::repaint() {
  if (handle_) InvalidateRect(hw(handle_), nullptr, TRUE);
}

void GraphicButton::refresh_hot() {
  HWND h = hw(handle_);
  if (!h) return;
  POINT p{};
  GetCursorPos(&p);
  bool hot = WindowFromPoint(p) == h;
  if (hot) {
    TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, h, 0};
    TrackMouseEvent(&t);
  }
  if (hot != hot_) {
    hot_ = hot;
    repaint();
  }
}

void GraphicButton::press() {
  HWND h = hw(handle_);
  if (!h || !IsWindowVisible(h) || !IsWindowEnabled(h) || !on_click) return;
  // A copy: the handler may give the button another one.
  std::function<void()> run = on_click;
  run();
}

bool GraphicButton::keyboard_button() const { return window_ && window_->has_dialog_keys(); }

bool GraphicButton::keeps_key(int key) const { return key == VK_RETURN && !check_style_ && keyboard_button(); }

void GraphicButton::set_pictures(const Picture& normal, const Picture& hover, const Picture& pressed) {
  normal_ = normal;
  hover_ = hover;
  pressed_ = pressed;
  repaint();
}
void GraphicButton::set_normal_picture(const Picture& p) {
  normal_ = p;
  repaint();
}
void GraphicButton::set_hover_picture(const Picture& p) {
  hover_ = p;
  repaint();
}
void GraphicButton::set_pressed_picture(const Picture& p) {
  pressed_ = p;
  repaint();
}
void GraphicButton::set_disabled_picture(const Picture& p) {
  disabled_ = p;
  repaint();
}
void GraphicButton::set_text_color(unsigned rgb) {
  text_color_ = rgb;
  repaint();
}
void GraphicButton::set_check_style(bool on) {
  check_style_ = on;
  repaint();
}

void GraphicButton::set_caption(std::string_view text) {
  if (!handle_) return;
  caption_ = std::string(text);
  SetWindowTextW(hw(handle_), to_wide(caption_).c_str());
  repaint();
}

const Picture& GraphicButton::shown_picture() const {
  if (!IsWindowEnabled(hw(handle_)) && !disabled_.empty()) return disabled_;
  if (((down_ && hot_) || space_down_) && !pressed_.empty()) return pressed_;
  if (hot_ && !hover_.empty()) return hover_;
  return normal_;
}

std::optional<Unit::DrawnText> GraphicButton::drawn_text() const {
  if (!handle_ || caption_.empty()) return std::nullopt;
  RECT r;
  GetClientRect(hw(handle_), &r);
  // A check's caption follows its picture, which shows the state.
  if (check_style_) r.left = shown_picture().width() + 4;
  const unsigned format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (check_style_ ? DT_LEFT : DT_CENTER);
  return DrawnText{to_wide(caption_), {r.left, r.top, r.right - r.left, r.bottom - r.top}, format,
                   hfont_ ? hfont_ : window_->default_font()};
}

std::optional<intptr_t> GraphicButton::handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  HWND h = hw(handle_);
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT r;
      GetClientRect(h, &r);
      HBRUSH back = CreateSolidBrush(window_->back_color());
      FillRect(dc, &r, back);
      DeleteObject(back);
      const Picture* pic = &shown_picture();
      if (check_style_) {
        int size = pic->empty() ? 0 : pic->height();
        int top = (r.bottom - size) / 2;
        pic->draw(dc, 0, top, pic->width(), size);
      } else {
        pic->draw(dc, 0, 0, r.right, r.bottom);
      }
      if (auto t = drawn_text()) {
        HGDIOBJ old = SelectObject(dc, static_cast<HFONT>(t->font));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, IsWindowEnabled(h) ? text_color_ : GetSysColor(COLOR_GRAYTEXT));
        RECT box{t->box.left, t->box.top, t->box.left + t->box.width, t->box.top + t->box.height};
        DrawTextW(dc, t->text.c_str(), static_cast<int>(t->text.size()), &box, t->format);
        if (GetFocus() == h && keyboard_button() && check_style_) {
          // Around the caption, as a check box shows it.
          RECT focus = box;
          DrawTextW(dc, t->text.c_str(), static_cast<int>(t->text.size()), &focus,
                    DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
          int height = focus.bottom - focus.top;
          focus.top = (r.bottom - height) / 2 - 1;
          focus.bottom = focus.top + height + 2;
          focus.left -= 2;
          focus.right = std::min<LONG>(focus.right + 2, r.right);
          DrawFocusRect(dc, &focus);
        }
        SelectObject(dc, old);
      }
      if (GetFocus() == h && keyboard_button() && (!check_style_ || caption_.empty())) {
        RECT box{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
        if (box.right - box.left < 4 || box.bottom - box.top < 4) box = r;
        DrawFocusRect(dc, &box);
      }
      EndPaint(h, &ps);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (!hot_) {
        hot_ = true;
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, h, 0};
        TrackMouseEvent(&t);
        repaint();
      }
      return 0;
    case WM_MOUSELEAVE:
      hot_ = false;
      repaint();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      down_ = true;
      hot_ = true;
      SetCapture(h);
      repaint();
      return 0;
    case WM_LBUTTONUP: {
      bool was_down = down_;
      down_ = false;
      if (GetCapture() == h) ReleaseCapture();
      POINT p{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      RECT r;
      GetClientRect(h, &r);
      bool inside = PtInRect(&r, p);
      repaint();
      if (was_down && inside && IsWindowEnabled(h) && on_click) {
        on_click();
        // The click may have run a loop of its own (a menu) that took the mouse: the leave of
        // the pointer was never told, so the button looks again where the pointer is.
        refresh_hot();
      }
      return 0;
    }
    case WM_SETFOCUS:
      repaint();
      return 0;
    case WM_KILLFOCUS:
      space_down_ = false;
      repaint();
      return 0;
    case WM_KEYDOWN:
      if (!keyboard_button()) return std::nullopt;
      if (wparam == VK_SPACE) {
        if (!space_down_) {
          space_down_ = true;
          repaint();
        }
        return 0;
      }
      if (wparam == VK_RETURN && keeps_key(VK_RETURN)) {
        press();
        return 0;
      }
      return std::nullopt;
    case WM_KEYUP:
      if (wparam == VK_SPACE && space_down_) {
        space_down_ = false;
        repaint();
        press();
        return 0;
      }
      return std::nullopt;
    case WM_ENABLE:
      if (!wparam) space_down_ = false;
      repaint();
      return 0;
    default:
      return std::nullopt;
  }
}

}  // namespace rt
