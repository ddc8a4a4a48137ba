#include "runtime/group_box.h"

#include "runtime/internal.h"
#include "runtime/window.h"

namespace rt {

void GroupBox::create(Window& parent, Rect r, unsigned frame_color) {
  frame_color_ = frame_color;
  create_own(parent, L"VelmoraGroupBox", WS_VISIBLE, 0, r);
  // Beneath its siblings, so that the units it frames are painted over it.
  if (handle_)
    SetWindowPos(static_cast<HWND>(handle_), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void GroupBox::set_frame_color(unsigned rgb) {
  frame_color_ = rgb;
  if (handle_) InvalidateRect(static_cast<HWND>(handle_), nullptr, TRUE);
}

std::optional<intptr_t> GroupBox::handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  HWND h = static_cast<HWND>(handle_);
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
      HBRUSH frame = CreateSolidBrush(frame_color_);
      FrameRect(dc, &r, frame);
      DeleteObject(frame);
      EndPaint(h, &ps);
      return 0;
    }
    case WM_NCHITTEST:
      // Clicks on the frame belong to the window beneath, as on a group box of the system.
      return HTTRANSPARENT;
    default:
      return std::nullopt;
  }
}

}  // namespace rt
