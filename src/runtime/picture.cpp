#include "runtime/picture.h"

#include <windows.h>

#include <cstring>

namespace rt {

Picture Picture::from_pixels(int width, int height, const std::vector<uint32_t>& pixels) {
  Picture p;
  if (width <= 0 || height <= 0 || pixels.size() < static_cast<size_t>(width) * height) return p;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp) return p;
  std::memcpy(bits, pixels.data(), static_cast<size_t>(width) * height * 4);
  p.bitmap_ = std::shared_ptr<void>(bmp, [](void* b) { DeleteObject(static_cast<HBITMAP>(b)); });
  p.pixels_ = std::make_shared<const std::vector<uint32_t>>(pixels.begin(),
                                                           pixels.begin() + static_cast<ptrdiff_t>(width) * height);
  p.width_ = width;
  p.height_ = height;
  return p;
}

const std::vector<uint32_t>& Picture::pixels() const {
  static const std::vector<uint32_t> none;
  return pixels_ ? *pixels_ : none;
}

bool Picture::same_image(const Picture& other) const {
  if (pixels_ == other.pixels_) return true;
  return width_ == other.width_ && height_ == other.height_ && pixels() == other.pixels();
}

void Picture::draw(void* dc, int left, int top, int width, int height) const {
  if (!bitmap_) return;
  HDC target = static_cast<HDC>(dc);
  HDC mem = CreateCompatibleDC(target);
  HGDIOBJ old = SelectObject(mem, static_cast<HBITMAP>(bitmap_.get()));
  SetStretchBltMode(target, COLORONCOLOR);
  StretchBlt(target, left, top, width, height, mem, 0, 0, width_, height_, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}

}  // namespace rt
