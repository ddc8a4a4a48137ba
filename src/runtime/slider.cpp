#include "runtime/slider.h"

#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <algorithm>

#include "runtime/window.h"

namespace rt {
namespace {
HWND hw(WindowHandle h) { return static_cast<HWND>(h); }
}  // namespace

void Slider::create(Window& parent, Rect r, int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
  create_control(parent, TRACKBAR_CLASSW, WS_VISIBLE | WS_TABSTOP | TBS_HORZ | TBS_NOTICKS, 0, r);
  if (!handle_) return;
  SendMessageW(hw(handle_), TBM_SETRANGEMIN, FALSE, minimum_);
  SendMessageW(hw(handle_), TBM_SETRANGEMAX, TRUE, maximum_);
  SendMessageW(hw(handle_), TBM_SETPAGESIZE, 0, std::max(1, (maximum_ - minimum_) / 10));
  reported_ = position();
}

Slider::~Slider() {
  if (back_brush_) DeleteObject(static_cast<HBRUSH>(back_brush_));
}

int Slider::position() const { return handle_ ? static_cast<int>(SendMessageW(hw(handle_), TBM_GETPOS, 0, 0)) : 0; }

void Slider::set_position(int v) {
  if (!handle_) return;
  v = std::clamp(v, minimum_, maximum_);
  SendMessageW(hw(handle_), TBM_SETPOS, TRUE, v);
  reported_ = v;
}

std::optional<intptr_t> Slider::handle_notification(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  if (msg == WM_CTLCOLORSTATIC) {
    // The track lies on the window's own background.
    if (!back_brush_ || back_brush_color_ != window_->back_color()) {
      if (back_brush_) DeleteObject(static_cast<HBRUSH>(back_brush_));
      back_brush_color_ = window_->back_color();
      back_brush_ = CreateSolidBrush(back_brush_color_);
    }
    SetBkColor(reinterpret_cast<HDC>(wparam), back_brush_color_);
    return reinterpret_cast<intptr_t>(back_brush_);
  }
  if (msg != WM_HSCROLL && msg != WM_VSCROLL) return std::nullopt;
  // Every step of a drag, a key or a click on the track; the end of a move repeats the last.
  int p = position();
  if (p != reported_) {
    reported_ = p;
    if (on_changed) on_changed();
  }
  return 0;
}

}  // namespace rt
