// Draws the main window's frame pictures and writes them as JPEG data for the program:
//   make_frame_jpeg.exe OUT.inc
// (tools/make_frame_jpeg.sh runs it under Wine and puts the result in src/common/.)
#include <cstdio>
#include <string>
#include <vector>
// jpeglib.h needs size_t and FILE declared first
#include <jpeglib.h>

#include "common/canvas.h"
#include "common/frame_art.h"

namespace {

using art::argb;
using art::Canvas;
using art::kBorder;

const uint32_t kCaptionTop = argb(240, 246, 250), kCaptionBottom = argb(212, 226, 237);
const uint32_t kSideFill = argb(212, 226, 237);
const uint32_t kStatusTop = argb(226, 236, 243), kStatusBottom = argb(203, 220, 232);

Canvas caption_piece(int width, bool left_edge, bool right_edge) {
  Canvas c(width, kCaptionHeight, 0);
  c.vertical_gradient(kCaptionTop, kCaptionBottom);
  c.hline(0, width - 1, 0, kBorder);
  if (left_edge) c.vline(0, 0, kCaptionHeight - 1, kBorder);
  if (right_edge) c.vline(width - 1, 0, kCaptionHeight - 1, kBorder);
  return c;
}

Canvas side_piece(bool left) {
  Canvas c(kFrameSide, 8, kSideFill);
  c.vline(left ? 0 : kFrameSide - 1, 0, 7, kBorder);
  return c;
}

Canvas status_piece(int width, bool left_edge, bool right_edge) {
  Canvas c(width, kStatusHeight, 0);
  c.vertical_gradient(kStatusTop, kStatusBottom);
  c.hline(0, width - 1, 0, argb(180, 202, 218));
  c.hline(0, width - 1, kStatusHeight - 1, kBorder);
  if (left_edge) c.vline(0, 0, kStatusHeight - 1, kBorder);
  if (right_edge) c.vline(width - 1, 0, kStatusHeight - 1, kBorder);
  return c;
}

std::vector<unsigned char> to_jpeg(const Canvas& c) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(c.w);
  cinfo.image_height = static_cast<JDIMENSION>(c.h);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 96, TRUE);
  // No chroma subsampling: the frame's one-pixel lines keep their colour.
  for (int i = 0; i < cinfo.num_components; ++i)
    cinfo.comp_info[i].h_samp_factor = cinfo.comp_info[i].v_samp_factor = 1;
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<unsigned char> row(static_cast<size_t>(c.w) * 3);
  for (int y = 0; y < c.h; ++y) {
    for (int x = 0; x < c.w; ++x) {
      uint32_t p = c.px[static_cast<size_t>(y) * c.w + x];
      row[x * 3] = static_cast<unsigned char>(p >> 16);
      row[x * 3 + 1] = static_cast<unsigned char>(p >> 8);
      row[x * 3 + 2] = static_cast<unsigned char>(p);
    }
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&cinfo, &r, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::vector<unsigned char> out(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  free(buffer);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const Canvas pieces[] = {caption_piece(kCornerWidth, true, false),
                           caption_piece(8, false, false),
                           caption_piece(kCornerWidth, false, true),
                           side_piece(true),
                           side_piece(false),
                           status_piece(kCornerWidth, true, false),
                           status_piece(8, false, false),
                           status_piece(kCornerWidth, false, true)};
  FILE* f = std::fopen(argv[1], "wb");
  if (!f) return 1;
  std::fprintf(f,
               "// The main window's frame pictures as JPEG data: top-left, top, top-right, left, right,\n"
               "// bottom-left, bottom, bottom-right. Made by tools/make_frame_jpeg.sh; do not edit.\n"
               "#pragma once\n\nstruct FrameJpeg {\n  const unsigned char* data;\n  unsigned size;\n};\n\n");
  std::string table = "inline constexpr FrameJpeg kFrameJpegs[] = {";
  for (int i = 0; i < 8; ++i) {
    std::vector<unsigned char> jpeg = to_jpeg(pieces[i]);
    std::fprintf(f, "inline constexpr unsigned char kFrameJpeg%d[] = {", i);
    for (size_t k = 0; k < jpeg.size(); ++k) std::fprintf(f, "%s0x%02X,", k % 16 ? "" : "\n    ", jpeg[k]);
    std::fprintf(f, "\n};\n");
    table += "{kFrameJpeg" + std::to_string(i) + ", sizeof kFrameJpeg" + std::to_string(i) + "}, ";
  }
  table += "};\n";
  std::fputs(table.c_str(), f);
  std::fclose(f);
  return 0;
}
