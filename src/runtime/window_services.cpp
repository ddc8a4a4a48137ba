#include "runtime/window_services.h"

#include <windows.h>

#include "runtime/strings.h"

namespace rt {
namespace {
HWND hw(WindowHandle h) { return static_cast<HWND>(h); }
}  // namespace

std::vector<WindowHandle> find_child_windows(WindowHandle parent, std::string_view cls, std::string_view title) {
  std::vector<WindowHandle> out;
  std::wstring c = to_wide(cls), t = to_wide(title);
  for (HWND h = FindWindowExW(hw(parent), nullptr, c.c_str(), title.empty() ? nullptr : t.c_str()); h;
       h = FindWindowExW(hw(parent), h, c.c_str(), title.empty() ? nullptr : t.c_str()))
    out.push_back(h);
  return out;
}

void close_window(WindowHandle window) {
  if (IsWindow(hw(window))) SendMessageW(hw(window), WM_CLOSE, 0, 0);
}

std::string window_class_name(WindowHandle window) {
  wchar_t buf[256] = {};
  GetClassNameW(hw(window), buf, 256);
  return to_gbk(buf);
}

std::string window_text(WindowHandle window) {
  int n = GetWindowTextLengthW(hw(window));
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(hw(window), w.data(), n + 1);
  w.resize(static_cast<size_t>(n));
  return to_gbk(w);
}

bool window_exists(WindowHandle window) { return window && IsWindow(hw(window)); }

bool move_window(WindowHandle window, int left, int top, int width, int height, bool repaint) {
  return MoveWindow(hw(window), left, top, width, height, repaint) != FALSE;
}

bool window_has_sizing_border(WindowHandle window) {
  return IsWindow(static_cast<HWND>(window)) && (GetWindowLongW(static_cast<HWND>(window), GWL_STYLE) & WS_THICKFRAME);
}

Rect window_rect(WindowHandle window) {
  RECT r{};
  if (!GetWindowRect(hw(window), &r)) return {};
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void set_window_alpha(WindowHandle window, int alpha) {
  HWND h = hw(window);
  if (!IsWindow(h)) return;
  alpha = alpha < 0 ? 0 : alpha > 255 ? 255 : alpha;
  LONG ex = GetWindowLongW(h, GWL_EXSTYLE);
  if (!(ex & WS_EX_LAYERED)) SetWindowLongW(h, GWL_EXSTYLE, ex | WS_EX_LAYERED);
  SetLayeredWindowAttributes(h, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
}

intptr_t send_message(WindowHandle window, unsigned msg, uintptr_t wparam, intptr_t lparam) {
  return SendMessageW(hw(window), msg, wparam, lparam);
}

void capture_mouse(WindowHandle window) {
  if (window) SetCapture(hw(window));
}

void release_mouse_capture() { ReleaseCapture(); }

void set_min_max_info(intptr_t lparam, Size min_track, Size max_track, Position max_position, Size max_size) {
  auto* mm = reinterpret_cast<MINMAXINFO*>(lparam);
  mm->ptMinTrackSize = {min_track.width, min_track.height};
  mm->ptMaxTrackSize = {max_track.width, max_track.height};
  mm->ptMaxPosition = {max_position.left, max_position.top};
  mm->ptMaxSize = {max_size.width, max_size.height};
}

MessageRect read_message_rect(intptr_t lparam) {
  const RECT* r = reinterpret_cast<const RECT*>(lparam);
  return r ? MessageRect{r->left, r->top, r->right, r->bottom} : MessageRect{};
}

void write_message_rect(intptr_t lparam, const MessageRect& m) {
  if (RECT* r = reinterpret_cast<RECT*>(lparam)) *r = {m.left, m.top, m.right, m.bottom};
}

std::string window_picture_bmp(WindowHandle window) {
  RECT r;
  if (!IsWindow(hw(window)) || !GetWindowRect(hw(window), &r)) return {};
  int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return {};
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = height;  // bottom-up, as BMP files keep their rows
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetWindowDC(hw(window));
  if (!screen) return {};
  HDC mem = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::string out;
  if (mem && bmp && bits) {
    HGDIOBJ old = SelectObject(mem, bmp);
    bool copied = BitBlt(mem, 0, 0, width, height, screen, 0, 0, SRCCOPY | CAPTUREBLT) != 0;
    SelectObject(mem, old);
    GdiFlush();
    if (copied) {
      const DWORD row = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
      const DWORD image = row * static_cast<DWORD>(height);
      BITMAPFILEHEADER fh{};
      fh.bfType = 0x4D42;  // "BM"
      fh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
      fh.bfSize = fh.bfOffBits + image;
      bi.bmiHeader.biSizeImage = image;
      out.append(reinterpret_cast<const char*>(&fh), sizeof fh);
      out.append(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
      out.append(static_cast<const char*>(bits), image);
    }
  }
  if (bmp) DeleteObject(bmp);
  if (mem) DeleteDC(mem);
  ReleaseDC(hw(window), screen);
  return out;
}

}  // namespace rt
