#pragma once
// A picture the units show: a device-independent bitmap, shared by copies.
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace rt {

class Picture {
 public:
  Picture() = default;
  // Pixels are 0xAARRGGBB (straight alpha), row by row from the top. A picture with pixels that
  // are not opaque is drawn over what lies behind it, the others replace it.
  static Picture from_pixels(int width, int height, const std::vector<uint32_t>& pixels);
  // A JPEG file's picture; empty when the data is no JPEG.
  static Picture from_jpeg(std::string_view bytes);
  bool empty() const { return !bitmap_; }
  int width() const { return width_; }
  int height() const { return height_; }
  void* bitmap() const { return bitmap_.get(); }  // HBITMAP, straight alpha
  // Draws into a device context, stretched to the rectangle.
  void draw(void* dc, int left, int top, int width, int height) const;
  const std::vector<uint32_t>& pixels() const;
  // The same image, byte by byte (two empty pictures are the same).
  bool same_image(const Picture& other) const;

 private:
  std::shared_ptr<void> bitmap_;
  std::shared_ptr<const std::vector<uint32_t>> pixels_;
  int width_ = 0, height_ = 0;
  std::shared_ptr<void> blend_bitmap_;  // premultiplied, for pictures that are not opaque
};

}  // namespace rt
