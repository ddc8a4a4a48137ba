#include "runtime/label.h"

#include "runtime/internal.h"
#include "runtime/strings.h"
#include "runtime/window.h"

namespace rt {
namespace {
HWND hw(WindowHandle h) { return static_cast<HWND>(h); }
}  // namespace

void Label::create(Window& parent, Rect r, std::string_view text) {
  text_ = std::string(text);
  back_color_ = parent.back_color();
  create_own(parent, L"VelmoraLabel", WS_VISIBLE, 0, r);
  if (handle_) SetWindowTextW(hw(handle_), to_wide(text_).c_str());
}

void Label::repaint() {
  if (!handle_) return;
  if (transparent_) {
    // What shows through is the parent and the siblings beneath: they repaint first.
    HWND parent = GetParent(hw(handle_));
    RECT r;
    GetWindowRect(hw(handle_), &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    RedrawWindow(parent, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return;
  }
  InvalidateRect(hw(handle_), nullptr, TRUE);
}

void Label::set_text(std::string_view text) {
  if (!handle_) return;
  text_ = std::string(text);
  // The window text is what other programs read (window-text readers, accessibility).
  SetWindowTextW(hw(handle_), to_wide(text_).c_str());
  repaint();
}

void Label::set_text_color(unsigned rgb) {
  text_color_ = rgb;
  repaint();
}
void Label::set_back_color(unsigned rgb) {
  back_color_ = rgb;
  repaint();
}
void Label::set_align(Align a) {
  align_ = a;
  repaint();
}
void Label::set_word_wrap(bool on) {
  wrap_ = on;
  repaint();
}
void Label::set_vertical_centre(bool on) {
  vcentre_ = on;
  repaint();
}
void Label::set_picture(const Picture& p) {
  picture_ = p;
  repaint();
}
void Label::set_text_margin(int pixels) {
  margin_ = pixels;
  repaint();
}
void Label::set_text_end_margin(int pixels) {
  if (end_margin_ == pixels) return;
  end_margin_ = pixels;
  repaint();
}
void Label::set_ellipsis(Ellipsis e) {
  ellipsis_ = e;
  repaint();
}

void Label::set_transparent(bool on) {
  transparent_ = on;
  if (handle_) {
    LONG ex = GetWindowLongW(hw(handle_), GWL_EXSTYLE);
    SetWindowLongW(hw(handle_), GWL_EXSTYLE, on ? (ex | WS_EX_TRANSPARENT) : (ex & ~WS_EX_TRANSPARENT));
  }
  repaint();
}

std::optional<Unit::DrawnText> Label::drawn_text() const {
  if (!handle_ || text_.empty()) return std::nullopt;
  RECT r;
  GetClientRect(hw(handle_), &r);
  UINT fmt = DT_NOPREFIX | DT_EXPANDTABS;
  fmt |= align_ == Align::Centre ? DT_CENTER : align_ == Align::Right ? DT_RIGHT : DT_LEFT;
  bool single_line = !wrap_ && text_.find('\n') == std::string::npos;
  if (single_line)
    fmt |= DT_SINGLELINE | (vcentre_ ? DT_VCENTER : 0) |
           (ellipsis_ == Ellipsis::End ? DT_END_ELLIPSIS : ellipsis_ == Ellipsis::Path ? DT_PATH_ELLIPSIS : 0);
  else
    fmt |= DT_WORDBREAK | DT_EDITCONTROL;  // a word longer than the label breaks too
  if (align_ == Align::Right) {
    r.right -= margin_;
    r.left += end_margin_;
  } else {
    r.left += margin_;
    r.right -= end_margin_;
  }
  return DrawnText{to_wide(text_), {r.left, r.top, r.right - r.left, r.bottom - r.top}, fmt,
                   hfont_ ? hfont_ : window_->default_font()};
}

int Label::text_height() const {
  auto t = drawn_text();
  if (!t) return 0;
  HDC dc = GetDC(hw(handle_));
  HGDIOBJ old = SelectObject(dc, static_cast<HFONT>(t->font));
  RECT need{0, 0, t->box.width, 0};
  DrawTextW(dc, t->text.c_str(), static_cast<int>(t->text.size()), &need,
            (t->format & ~(DT_VCENTER | DT_END_ELLIPSIS | DT_PATH_ELLIPSIS)) | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(hw(handle_), dc);
  return need.bottom - need.top;
}

std::optional<intptr_t> Label::handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hw(handle_), &ps);
      RECT r;
      GetClientRect(hw(handle_), &r);
      if (!picture_.empty()) {
        picture_.draw(dc, 0, 0, r.right, r.bottom);
      } else if (!transparent_) {
        HBRUSH b = CreateSolidBrush(back_color_);
        FillRect(dc, &r, b);
        DeleteObject(b);
      }
      if (auto t = drawn_text()) {
        HGDIOBJ old = SelectObject(dc, static_cast<HFONT>(t->font));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, text_color_);
        RECT box{t->box.left, t->box.top, t->box.left + t->box.width, t->box.top + t->box.height};
        DrawTextW(dc, t->text.c_str(), static_cast<int>(t->text.size()), &box, t->format);
        SelectObject(dc, old);
      }
      EndPaint(hw(handle_), &ps);
      return 0;
    }
    case WM_SETFONT:
      repaint();
      return 0;
    case WM_SIZE:
      // Where the text goes depends on the size (alignment, wrapping, "..."): the part the
      // system keeps would show the text of the old size.
      repaint();
      return std::nullopt;
    case WM_NCHITTEST:
      // Transparent for painting only: the label still takes its mouse events.
      return HTCLIENT;
    default:
      return std::nullopt;
  }
}

void PictureBox::create(Window& parent, Rect r) { create_own(parent, L"VelmoraPicture", WS_VISIBLE, 0, r); }

void PictureBox::set_picture(const Picture& p) {
  picture_ = p;
  if (handle_) InvalidateRect(hw(handle_), nullptr, TRUE);
}

std::optional<intptr_t> PictureBox::handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  if (msg == WM_ERASEBKGND) return 1;
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hw(handle_), &ps);
    RECT r;
    GetClientRect(hw(handle_), &r);
    if (picture_.empty()) {
      FillRect(dc, &r, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    } else {
      picture_.draw(dc, 0, 0, r.right, r.bottom);
    }
    EndPaint(hw(handle_), &ps);
    return 0;
  }
  return std::nullopt;
}

}  // namespace rt
