#include "common/icon_file.h"

namespace {

constexpr size_t kHeaderSize = 6, kEntrySize = 16, kInfoHeaderSize = 40;

unsigned read16(std::string_view b, size_t at) {
  return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}
uint32_t read32(std::string_view b, size_t at) {
  return read16(b, at) | static_cast<uint32_t>(read16(b, at + 2)) << 16;
}

void put16(std::string& out, unsigned v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

}  // namespace

std::optional<IconFileImage> choose_icon_image(std::string_view file) {
  if (file.size() < kHeaderSize + kEntrySize) return std::nullopt;
  size_t count = read16(file, 4);
  size_t chosen = 0;
  for (size_t i = 0; i < count; ++i) {
    size_t at = kHeaderSize + i * kEntrySize;
    if (at + kEntrySize > file.size()) break;
    if (static_cast<unsigned char>(file[at]) == 16) {
      chosen = i;
      break;
    }
  }
  size_t at = kHeaderSize + chosen * kEntrySize;
  IconFileImage image{static_cast<unsigned char>(file[at]), read32(file, at + 12), read32(file, at + 8)};
  if (image.offset > file.size() || image.size > file.size() - image.offset) return std::nullopt;
  return image;
}

std::string cursor_file_bytes(int width, int height, const std::vector<uint32_t>& pixels, int hot_x, int hot_y) {
  if (width <= 0 || height <= 0 || width > 256 || height > 256 || pixels.size() < static_cast<size_t>(width) * height)
    return {};
  const size_t mask_stride = ((static_cast<size_t>(width) + 31) / 32) * 4;
  const size_t color_size = static_cast<size_t>(width) * height * 4, mask_size = mask_stride * height;
  const size_t image_size = kInfoHeaderSize + color_size + mask_size;
  std::string out;
  out.reserve(kHeaderSize + kEntrySize + image_size);
  put16(out, 0);
  put16(out, 2);  // a cursor
  put16(out, 1);
  out += static_cast<char>(width == 256 ? 0 : width);
  out += static_cast<char>(height == 256 ? 0 : height);
  out += '\0';  // no palette
  out += '\0';
  put16(out, static_cast<unsigned>(hot_x));
  put16(out, static_cast<unsigned>(hot_y));
  put32(out, static_cast<uint32_t>(image_size));
  put32(out, static_cast<uint32_t>(kHeaderSize + kEntrySize));
  // The image: a bitmap header whose height counts the colour rows and the mask rows, then both,
  // bottom row first.
  put32(out, kInfoHeaderSize);
  put32(out, static_cast<uint32_t>(width));
  put32(out, static_cast<uint32_t>(height * 2));
  put16(out, 1);
  put16(out, 32);
  put32(out, 0);
  put32(out, static_cast<uint32_t>(color_size + mask_size));
  for (int i = 0; i < 4; ++i) put32(out, 0);
  for (int y = height - 1; y >= 0; --y)
    for (int x = 0; x < width; ++x) put32(out, pixels[static_cast<size_t>(y) * width + x]);
  for (int y = height - 1; y >= 0; --y) {
    std::string row(mask_stride, '\0');
    for (int x = 0; x < width; ++x)
      if ((pixels[static_cast<size_t>(y) * width + x] >> 24) < 0x80) row[x / 8] |= static_cast<char>(0x80 >> (x % 8));
    out += row;
  }
  return out;
}
