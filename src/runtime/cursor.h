#pragma once
// Mouse pointers made from pixels, so the program's pointers are its own artwork; and the one
// drawing service the skin needs over a window's whole area (its non-client part included).
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "runtime/unit.h"

namespace rt {

class Cursor {
 public:
  Cursor() = default;
  // Pixels are 0xAARRGGBB (straight alpha), row by row from the top; (hot_x, hot_y) is the
  // pixel the pointer points with. Copies share one system cursor, released with the last.
  static Cursor from_pixels(int width, int height, const std::vector<uint32_t>& pixels, int hot_x, int hot_y);
  // One image of an icon or cursor file (its bytes from the image's offset on), made an icon
  // as CreateIconFromResource makes it: the pointer then points with the image's centre.
  static Cursor from_icon_image(std::string_view image);
  bool empty() const { return !handle_; }
  // For Unit::set_mouse_pointer; null when empty.
  CursorHandle handle() const { return handle_.get(); }

 private:
  std::shared_ptr<void> handle_;
};

// Every window of the window's class in this process shows the cursor (the class's cursor); the
// cursor must live as long as that class is used.
void set_class_cursor(WindowHandle window, const Cursor& cursor);

// Paints a 1-pixel frame in the colour (Windows RGB) along the edge of the window's whole area.
void frame_window_edge(WindowHandle window, unsigned rgb);

}  // namespace rt
