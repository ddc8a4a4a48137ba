// Draws the program's icon (the page with a folded corner and lines of text that the caption
// and the tray show, on a blue tile) at the sizes Explorer asks for and writes it as an icon
// file: 32-bit images, the largest one PNG-compressed. Built and run natively by
// tools/make_icon.sh; the file it writes is committed.
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Rgba {
  double r = 0, g = 0, b = 0, a = 0;
};

// The design in a 256-unit square; coverage by 8x8 samples per pixel.
using Shape = std::function<bool(double x, double y)>;

bool in_round_rect(double x, double y, double x0, double y0, double x1, double y1, double radius) {
  if (x < x0 || x > x1 || y < y0 || y > y1) return false;
  double cx = std::clamp(x, x0 + radius, x1 - radius), cy = std::clamp(y, y0 + radius, y1 - radius);
  return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

Rgba over(Rgba dst, Rgba src) {
  double a = src.a + dst.a * (1 - src.a);
  if (a <= 0) return {};
  auto ch = [&](double s, double d) { return (s * src.a + d * dst.a * (1 - src.a)) / a; };
  return {ch(src.r, dst.r), ch(src.g, dst.g), ch(src.b, dst.b), a};
}

Rgba colour(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0, 1}; }

// The colour the design has at one point, transparent outside the tile.
Rgba design_at(double x, double y) {
  Rgba c;
  if (!in_round_rect(x, y, 8, 8, 248, 248, 44)) return c;
  // The tile: the frame's blue, lighter at the top.
  double t = (y - 8) / 240;
  c = {(96 - 40 * t) / 255, (160 - 44 * t) / 255, (204 - 44 * t) / 255, 1};
  // The page, its shadow first.
  const double px0 = 62, py0 = 36, px1 = 194, py1 = 222, fold = 40;
  auto on_page = [&](double u, double v) {
    return u >= px0 && u <= px1 && v >= py0 && v <= py1 && (u - (px1 - fold)) + (py0 - v) <= 0;
  };
  if (on_page(x - 6, y - 8)) c = over(c, {0.05, 0.15, 0.25, 0.35});
  if (on_page(x, y)) {
    c = colour(252, 252, 250);
    // The folded corner.
    if (x >= px1 - fold && y <= py0 + fold && (x - (px1 - fold)) - (y - py0) <= 0) c = colour(205, 222, 232);
    // Lines of text, the last one short.
    const double lines[] = {92, 120, 148, 176};
    for (int i = 0; i < 4; ++i) {
      double right = i == 3 ? 140 : 170;
      if (in_round_rect(x, y, 84, lines[i] - 7, right, lines[i] + 7, 7)) c = colour(80, 150, 90);
    }
  }
  return c;
}

std::vector<uint32_t> draw(int size) {
  const int n = 8;
  std::vector<uint32_t> px(static_cast<size_t>(size) * size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < n; ++sy)
        for (int sx = 0; sx < n; ++sx) {
          Rgba c = design_at((x + (sx + 0.5) / n) * 256.0 / size, (y + (sy + 0.5) / n) * 256.0 / size);
          r += c.r * c.a;
          g += c.g * c.a;
          b += c.b * c.a;
          a += c.a;
        }
      auto byte = [](double v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
      uint32_t alpha = byte(a / (n * n));
      uint32_t rgb = a > 0 ? (byte(r / a) << 16 | byte(g / a) << 8 | byte(b / a)) : 0;
      px[static_cast<size_t>(y) * size + x] = alpha << 24 | rgb;
    }
  return px;
}

void put16(std::string& s, unsigned v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>(v >> 8 & 0xFF);
}
void put32(std::string& s, uint32_t v) {
  put16(s, v & 0xFFFF);
  put16(s, v >> 16);
}
void put32_be(std::string& s, uint32_t v) {
  for (int shift : {24, 16, 8, 0}) s += static_cast<char>(v >> shift & 0xFF);
}

// BITMAPINFOHEADER, the colour rows bottom-up (BGRA), then the AND mask (1 where transparent).
std::string dib_image(int size, const std::vector<uint32_t>& px) {
  std::string s;
  put32(s, 40);
  put32(s, static_cast<uint32_t>(size));
  put32(s, static_cast<uint32_t>(size * 2));
  put16(s, 1);
  put16(s, 32);
  put32(s, 0);
  put32(s, 0);
  put32(s, 0);
  put32(s, 0);
  put32(s, 0);
  put32(s, 0);
  for (int y = size - 1; y >= 0; --y)
    for (int x = 0; x < size; ++x) put32(s, px[static_cast<size_t>(y) * size + x]);
  const int row_bytes = (size + 31) / 32 * 4;
  for (int y = size - 1; y >= 0; --y) {
    std::string row(static_cast<size_t>(row_bytes), '\0');
    for (int x = 0; x < size; ++x)
      if ((px[static_cast<size_t>(y) * size + x] >> 24) < 128) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    s += row;
  }
  return s;
}

void png_chunk(std::string& out, const char* type, const std::string& data) {
  put32_be(out, static_cast<uint32_t>(data.size()));
  std::string body = std::string(type, 4) + data;
  out += body;
  put32_be(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
}

std::string png_image(int size, const std::vector<uint32_t>& px) {
  std::string raw;
  for (int y = 0; y < size; ++y) {
    raw += '\0';  // no filter
    for (int x = 0; x < size; ++x) {
      uint32_t p = px[static_cast<size_t>(y) * size + x];
      for (int shift : {16, 8, 0, 24}) raw += static_cast<char>(p >> shift & 0xFF);
    }
  }
  uLongf packed_size = compressBound(raw.size());
  std::string packed(packed_size, '\0');
  compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size, reinterpret_cast<const Bytef*>(raw.data()),
            raw.size(), 9);
  packed.resize(packed_size);
  std::string out = "\x89PNG\r\n\x1A\n";
  std::string header;
  put32_be(header, static_cast<uint32_t>(size));
  put32_be(header, static_cast<uint32_t>(size));
  header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no filter, no interlace
  png_chunk(out, "IHDR", header);
  png_chunk(out, "IDAT", packed);
  png_chunk(out, "IEND", "");
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icon OUT.ico\n");
    return 2;
  }
  const int sizes[] = {16, 20, 24, 32, 40, 48, 64, 256};
  std::vector<std::string> images;
  for (int size : sizes) {
    std::vector<uint32_t> px = draw(size);
    // Explorer reads the large image as PNG; the small ones stay bitmaps for older readers.
    images.push_back(size >= 256 ? png_image(size, px) : dib_image(size, px));
  }
  std::string file;
  put16(file, 0);
  put16(file, 1);
  put16(file, static_cast<unsigned>(images.size()));
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    file += static_cast<char>(sizes[i] >= 256 ? 0 : sizes[i]);
    file += static_cast<char>(sizes[i] >= 256 ? 0 : sizes[i]);
    file += '\0';
    file += '\0';
    put16(file, 1);
    put16(file, 32);
    put32(file, static_cast<uint32_t>(images[i].size()));
    put32(file, offset);
    offset += static_cast<uint32_t>(images[i].size());
  }
  for (const std::string& image : images) file += image;
  FILE* f = std::fopen(argv[1], "wb");
  if (!f || std::fwrite(file.data(), 1, file.size(), f) != file.size() || std::fclose(f) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
