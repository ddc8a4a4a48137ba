#include "runtime/picture.h"

#include <windows.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
// jpeglib.h needs size_t and FILE declared first
#include <jpeglib.h>

namespace rt {

namespace {
// A 32-bit top-down DIB section of the pixels; premultiplied for drawing with a blend.
HBITMAP make_dib(int width, int height, const uint32_t* pixels, bool premultiply) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp) return nullptr;
  const size_t n = static_cast<size_t>(width) * height;
  if (!premultiply) {
    std::memcpy(bits, pixels, n * 4);
    return bmp;
  }
  auto* out = static_cast<uint32_t*>(bits);
  for (size_t i = 0; i < n; ++i) {
    uint32_t c = pixels[i], a = c >> 24;
    auto pre = [a](uint32_t v) { return (v * a + 127) / 255; };
    out[i] = (a << 24) | (pre((c >> 16) & 0xFF) << 16) | (pre((c >> 8) & 0xFF) << 8) | pre(c & 0xFF);
  }
  return bmp;
}
std::shared_ptr<void> owned(HBITMAP b) {
  return std::shared_ptr<void>(b, [](void* h) { DeleteObject(static_cast<HBITMAP>(h)); });
}
}  // namespace

Picture Picture::from_pixels(int width, int height, const std::vector<uint32_t>& pixels) {
  Picture p;
  if (width <= 0 || height <= 0 || pixels.size() < static_cast<size_t>(width) * height) return p;
  const ptrdiff_t n = static_cast<ptrdiff_t>(width) * height;
  HBITMAP bmp = make_dib(width, height, pixels.data(), false);
  if (!bmp) return p;
  p.bitmap_ = owned(bmp);
  // Pixels that are not opaque are drawn over what lies behind them.
  if (std::any_of(pixels.begin(), pixels.begin() + n, [](uint32_t c) { return (c >> 24) != 0xFF; }))
    if (HBITMAP blend = make_dib(width, height, pixels.data(), true)) p.blend_bitmap_ = owned(blend);
  p.pixels_ = std::make_shared<const std::vector<uint32_t>>(pixels.begin(), pixels.begin() + n);
  p.width_ = width;
  p.height_ = height;
  return p;
}

namespace {
struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
};
void on_jpeg_error(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1); }
}  // namespace

Picture Picture::from_jpeg(std::string_view bytes) {
  jpeg_decompress_struct cinfo{};
  JpegError err{};
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = on_jpeg_error;  // a broken picture is an empty one, not the end of the program
  std::vector<uint32_t> pixels;
  int width = 0, height = 0;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return {};
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&cinfo);
    return {};
  }
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  width = static_cast<int>(cinfo.output_width);
  height = static_cast<int>(cinfo.output_height);
  pixels.resize(static_cast<size_t>(width) * height);
  std::vector<unsigned char> row(static_cast<size_t>(width) * cinfo.output_components);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW r = row.data();
    int y = static_cast<int>(cinfo.output_scanline);
    jpeg_read_scanlines(&cinfo, &r, 1);
    for (int x = 0; x < width; ++x)
      pixels[static_cast<size_t>(y) * width + x] =
          0xFF000000u | (uint32_t(row[x * 3]) << 16) | (uint32_t(row[x * 3 + 1]) << 8) | row[x * 3 + 2];
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return from_pixels(width, height, pixels);
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
  HGDIOBJ old = SelectObject(mem, static_cast<HBITMAP>(blend_bitmap_ ? blend_bitmap_.get() : bitmap_.get()));
  if (blend_bitmap_) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(target, left, top, width, height, mem, 0, 0, width_, height_, blend);
  } else {
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, left, top, width, height, mem, 0, 0, width_, height_, SRCCOPY);
  }
  SelectObject(mem, old);
  DeleteDC(mem);
}

}  // namespace rt
