#include "runtime/color_picker.h"

#include <windowsx.h>

#include "runtime/dialogs.h"
#include "runtime/internal.h"
#include "runtime/window.h"

namespace rt {
namespace {
HWND hw(WindowHandle h) { return static_cast<HWND>(h); }

void fill(HDC dc, RECT r, COLORREF c) {
  HBRUSH b = CreateSolidBrush(c);
  FillRect(dc, &r, b);
  DeleteObject(b);
}
}  // namespace

void ColorPicker::create(Window& parent, Rect r, unsigned color) {
  color_ = color & 0xFFFFFF;
  down_ = false;
  create_own(parent, L"VelmoraColorPicker", WS_VISIBLE | WS_TABSTOP, 0, r);
}

void ColorPicker::set_color(unsigned rgb) {
  if (!handle_) return;
  color_ = rgb & 0xFFFFFF;
  repaint();
}

void ColorPicker::repaint() {
  if (handle_) InvalidateRect(hw(handle_), nullptr, FALSE);
}

std::optional<intptr_t> ColorPicker::handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  HWND h = hw(handle_);
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT r;
      GetClientRect(h, &r);
      bool enabled = IsWindowEnabled(h);
      // A sunken field, the colour in it, and the drop-down button at its right.
      fill(dc, r, GetSysColor(COLOR_WINDOW));
      DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
      const int button = r.bottom - r.top - 4;
      RECT swatch{r.left + 4, r.top + 4, r.right - button - 4, r.bottom - 4};
      fill(dc, swatch, enabled ? color_ : GetSysColor(COLOR_BTNFACE));
      FrameRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
      RECT knob{r.right - button - 2, r.top + 2, r.right - 2, r.bottom - 2};
      DrawFrameControl(dc, &knob, DFC_SCROLL,
                       DFCS_SCROLLCOMBOBOX | (down_ ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE));
      EndPaint(h, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      down_ = true;
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
      repaint();
      if (!was_down || !PtInRect(&r, p) || !IsWindowEnabled(h)) return 0;
      std::optional<unsigned> chosen = choose_color_dialog(GetAncestor(h, GA_ROOT));
      // The dialog may have outlived the window.
      if (!handle_ || !chosen) return 0;
      color_ = *chosen;
      repaint();
      if (on_changed) on_changed();
      return 0;
    }
    case WM_ENABLE:
      repaint();
      return 0;
    default:
      return std::nullopt;
  }
}

}  // namespace rt
