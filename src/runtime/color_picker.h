#pragma once
// Colour picker unit: a field showing a colour; a click opens the colour dialog, and a colour
// chosen there becomes the picker's colour and raises on_changed. Writing the colour from code
// raises nothing.
#include <functional>

#include "runtime/unit.h"

namespace rt {

class ColorPicker : public Unit {
 public:
  void create(Window& parent, Rect r, unsigned color = 0);

  unsigned color() const { return exists() ? color_ : 0; }
  void set_color(unsigned rgb);

  std::function<void()> on_changed;

 protected:
  std::optional<intptr_t> handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) override;

 private:
  void repaint();
  unsigned color_ = 0;
  bool down_ = false;
};

}  // namespace rt
