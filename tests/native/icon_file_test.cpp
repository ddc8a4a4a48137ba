// Icon and cursor files as bytes: the image the program takes and the cursor file it makes.
#include "common/icon_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A file of directory entries with the given widths; each image is 8 bytes of its own.
std::string icon_file(const std::vector<int>& widths, int count = -1) {
  std::string f = {0, 0, 1, 0};
  int n = count < 0 ? static_cast<int>(widths.size()) : count;
  f += static_cast<char>(n & 0xFF);
  f += static_cast<char>(n >> 8);
  size_t data = 6 + 16 * widths.size();
  for (size_t i = 0; i < widths.size(); ++i) {
    std::string e(16, '\0');
    e[0] = static_cast<char>(widths[i]);
    e[1] = static_cast<char>(widths[i]);
    e[8] = 8;  // size
    size_t at = data + 8 * i;
    e[12] = static_cast<char>(at & 0xFF);
    e[13] = static_cast<char>(at >> 8);
    f += e;
  }
  for (size_t i = 0; i < widths.size(); ++i) f += std::string(8, static_cast<char>('a' + i));
  return f;
}

TEST(IconFile, TheImageTaken) {
  struct Case {
    const char* name;
    std::vector<int> widths;
    int count;
    size_t image;  // index of the entry taken
  };
  const Case cases[] = {
      {"all entries 32 pixels wide: the first", {32, 32, 32}, -1, 0},
      {"the first 16 pixels wide", {32, 16, 48, 16}, -1, 1},
      {"one entry", {48}, -1, 0},
      {"a count of 0: the first entry", {32, 16}, 0, 0},
      {"entries past the count are not looked at", {32, 16}, 1, 0},
  };
  for (const Case& c : cases) {
    std::string f = icon_file(c.widths, c.count);
    auto image = choose_icon_image(f);
    ASSERT_TRUE(image) << c.name;
    EXPECT_EQ(image->width, c.widths[c.image]) << c.name;
    EXPECT_EQ(image->size, 8u) << c.name;
    EXPECT_EQ(f.substr(image->offset, image->size), std::string(8, static_cast<char>('a' + c.image))) << c.name;
  }
}

TEST(IconFile, FilesTooShortGiveNothing) {
  EXPECT_FALSE(choose_icon_image(""));
  EXPECT_FALSE(choose_icon_image(icon_file({32}).substr(0, 21)));  // the header and no whole entry
  std::string cut = icon_file({32});
  cut.resize(cut.size() - 1);  // the image runs past the end
  EXPECT_FALSE(choose_icon_image(cut));
  std::string far = icon_file({32});
  far[12] = static_cast<char>(0xFF);
  far[15] = static_cast<char>(0x7F);  // an offset far outside
  EXPECT_FALSE(choose_icon_image(far));
}

TEST(IconFile, TheCursorFileOfAPicture) {
  // 32 x 32: opaque on the left half, clear on the right.
  std::vector<uint32_t> px(32 * 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) px[y * 32 + x] = x < 16 ? 0xFF102030u : 0x00000000u;
  std::string f = cursor_file_bytes(32, 32, px, 15, 16);
  const size_t image_size = 40 + 32 * 32 * 4 + 32 * 4;
  ASSERT_EQ(f.size(), 6 + 16 + image_size);
  EXPECT_EQ(f.substr(0, 6), std::string("\0\0\2\0\1\0", 6));  // a cursor with one image
  EXPECT_EQ(static_cast<unsigned char>(f[10]), 15);           // the hot spot
  EXPECT_EQ(static_cast<unsigned char>(f[12]), 16);
  auto image = choose_icon_image(f);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 32);
  EXPECT_EQ(image->offset, 22u);
  EXPECT_EQ(image->size, image_size);
  // The bitmap counts colour and mask rows; a pixel of the bottom row comes first, as B, G, R, A.
  EXPECT_EQ(static_cast<unsigned char>(f[22 + 8]), 64);
  EXPECT_EQ(f.substr(22 + 40, 4), std::string("\x30\x20\x10\xFF", 4));
  // The mask marks the clear half.
  size_t mask = 22 + 40 + 32 * 32 * 4;
  EXPECT_EQ(f.substr(mask, 4), std::string("\x00\x00\xFF\xFF", 4));
  EXPECT_TRUE(cursor_file_bytes(0, 32, px, 0, 0).empty());
  EXPECT_TRUE(cursor_file_bytes(32, 32, {}, 0, 0).empty());
}

}  // namespace
