#pragma once
// Colour picker unit: a swatch of the chosen colour with a drop-down mark. A click (or Space)
// opens the colour dialog over the picker's window; a colour chosen there becomes the picker's
// colour and raises on_changed. Writing the colour from code raises nothing.
#include <functional>

#include "runtime/unit.h"

namespace rt {

class ColorPicker : public Unit {
 public:
  void create(Window& parent, Rect r, unsigned rgb = 0);

  unsigned color() const { return exists() ? color_ : 0; }
  void set_color(unsigned rgb);
  // Opens the colour dialog as a click does.
  void choose();

  std::function<void()> on_changed;

 protected:
  bool tab_stop_by_kind() const override { return true; }
  std::optional<intptr_t> handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) override;

 private:
  void repaint();
  unsigned color_ = 0;
  bool down_ = false;
};

}  // namespace rt
