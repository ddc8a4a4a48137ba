#include "runtime/color_picker.h"

#include <windows.h>
#include <windowsx.h>

#include "runtime/dialogs.h"
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

void ColorPicker::create(Window& parent, Rect r, unsigned rgb) {
  color_ = rgb & 0xFFFFFF;
  down_ = false;
  create_own(parent, L"VelmoraColorPicker", WS_VISIBLE | WS_TABSTOP, 0, r);
}

void ColorPicker::set_color(unsigned rgb) {
  if (!handle_) return;
  color_ = rgb & 0xFFFFFF;
  repaint();
}

void ColorPicker::repaint() {
  if (handle_) InvalidateRect(hw(handle_), nullptr, TRUE);
}

void ColorPicker::choose() {
  if (!handle_ || !IsWindowEnabled(hw(handle_))) return;
  std::optional<unsigned> c = choose_color_dialog(GetAncestor(hw(handle_), GA_ROOT));
  // The dialog may have outlived the window.
  if (!handle_ || !c) return;
  color_ = *c;
  repaint();
  if (on_changed) on_changed();
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
      fill(dc, r, RGB(255, 255, 255));
      RECT frame = r;
      DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
      // The drop-down mark at the right, the swatch before it.
      int button = GetSystemMetrics(SM_CXVSCROLL);
      RECT mark{frame.right - button, frame.top, frame.right, frame.bottom};
      DrawFrameControl(dc, &mark, DFC_SCROLL,
                       DFCS_SCROLLCOMBOBOX | (down_ ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE));
      RECT swatch{frame.left + 2, frame.top + 2, mark.left - 2, frame.bottom - 2};
      fill(dc, swatch, enabled ? color_ : GetSysColor(COLOR_BTNFACE));
      FrameRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(enabled ? BLACK_BRUSH : GRAY_BRUSH)));
      if (GetFocus() == h) {
        RECT f{swatch.left - 1, swatch.top - 1, swatch.right + 1, swatch.bottom + 1};
        DrawFocusRect(dc, &f);
      }
      EndPaint(h, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      down_ = true;
      SetFocus(h);
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
      if (was_down && PtInRect(&r, p)) choose();
      return 0;
    }
    case WM_KEYDOWN:
      if (wparam == VK_SPACE || wparam == VK_F4) {
        choose();
        return 0;
      }
      return std::nullopt;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
      repaint();
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace rt
