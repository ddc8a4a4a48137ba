#include "runtime/cursor.h"

#include <windows.h>

#include <cstring>

namespace rt {

Cursor Cursor::from_pixels(int width, int height, const std::vector<uint32_t>& pixels, int hot_x, int hot_y) {
  Cursor c;
  if (width <= 0 || height <= 0 || pixels.size() < static_cast<size_t>(width) * height) return c;
  BITMAPV5HEADER bh{};
  bh.bV5Size = sizeof bh;
  bh.bV5Width = width;
  bh.bV5Height = -height;  // top-down
  bh.bV5Planes = 1;
  bh.bV5BitCount = 32;
  bh.bV5Compression = BI_BITFIELDS;
  bh.bV5RedMask = 0x00FF0000;
  bh.bV5GreenMask = 0x0000FF00;
  bh.bV5BlueMask = 0x000000FF;
  bh.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP color = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&bh), DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (!color) return c;
  auto* out = static_cast<uint32_t*>(bits);
  // The AND mask: 1 where the screen shows through, for systems that ignore the alpha channel.
  int stride = ((width + 15) / 16) * 2;
  std::vector<uint8_t> mask(static_cast<size_t>(stride) * height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint32_t p = pixels[static_cast<size_t>(y) * width + x];
      bool clear = (p >> 24) == 0;
      out[static_cast<size_t>(y) * width + x] = clear ? 0 : p;
      if ((p >> 24) < 0x80) mask[static_cast<size_t>(y) * stride + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    }
  HBITMAP and_mask = CreateBitmap(width, height, 1, 1, mask.data());
  ICONINFO ii{};
  ii.fIcon = FALSE;
  ii.xHotspot = static_cast<DWORD>(hot_x);
  ii.yHotspot = static_cast<DWORD>(hot_y);
  ii.hbmMask = and_mask;
  ii.hbmColor = color;
  HCURSOR h = reinterpret_cast<HCURSOR>(CreateIconIndirect(&ii));
  DeleteObject(color);
  DeleteObject(and_mask);
  if (!h) return c;
  c.handle_ = std::shared_ptr<void>(h, [](void* p) { DestroyCursor(static_cast<HCURSOR>(p)); });
  return c;
}

Cursor Cursor::from_icon_image(std::string_view image) {
  Cursor c;
  if (image.empty()) return c;
  HICON h = CreateIconFromResource(reinterpret_cast<PBYTE>(const_cast<char*>(image.data())),
                                   static_cast<DWORD>(image.size()), TRUE, 0x30000);
  if (!h) return c;
  c.handle_ = std::shared_ptr<void>(h, [](void* p) { DestroyIcon(static_cast<HICON>(p)); });
  return c;
}

void set_class_cursor(WindowHandle window, const Cursor& cursor) {
  if (!IsWindow(static_cast<HWND>(window)) || cursor.empty()) return;
  SetClassLongPtrW(static_cast<HWND>(window), GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor.handle()));
}

void frame_window_edge(WindowHandle window, unsigned rgb) {
  HWND h = static_cast<HWND>(window);
  if (!IsWindow(h)) return;
  RECT r;
  GetWindowRect(h, &r);
  RECT edge{0, 0, r.right - r.left, r.bottom - r.top};
  HDC dc = GetWindowDC(h);
  HBRUSH brush = CreateSolidBrush(rgb);
  FrameRect(dc, &edge, brush);
  DeleteObject(brush);
  ReleaseDC(h, dc);
}

}  // namespace rt
