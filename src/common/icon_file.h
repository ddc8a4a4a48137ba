#pragma once
// Icon and cursor files as bytes: which image of a file the program takes, and a file of one
// image made from the program's own pointer pictures.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct IconFileImage {
  int width = 0;  // the directory entry's width byte
  size_t offset = 0, size = 0;
};

// The image the program makes its icon from: the first directory entry whose width byte is 16,
// else the first entry. Nothing when the bytes are too short for the header and that entry, or
// the entry's image lies outside the bytes.
std::optional<IconFileImage> choose_icon_image(std::string_view file);

// A cursor file (type 2) holding one 32-bit image of the pixels (0xAARRGGBB, top row first)
// with its hot spot; pixels below half opacity are marked transparent in the mask as well.
std::string cursor_file_bytes(int width, int height, const std::vector<uint32_t>& pixels, int hot_x, int hot_y);
