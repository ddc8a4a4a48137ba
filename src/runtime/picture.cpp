#include "runtime/picture.h"

#include <windows.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
// jpeglib.h needs size_t and FILE declared first
#include <jpeglib.h>

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
  HGDIOBJ old = SelectObject(mem, static_cast<HBITMAP>(bitmap_.get()));
  SetStretchBltMode(target, COLORONCOLOR);
  StretchBlt(target, left, top, width, height, mem, 0, 0, width_, height_, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}

}  // namespace rt
