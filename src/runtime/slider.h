#pragma once
// Slider unit: a horizontal track bar over a range of whole numbers. Moving it (mouse or
// keys) raises on_changed once for every new position; writing the position from code
// raises nothing.
#include <functional>

#include "runtime/unit.h"

namespace rt {

class Slider : public Unit {
 public:
  ~Slider() override;
  void create(Window& parent, Rect r, int minimum = 0, int maximum = 100);

  int minimum() const { return exists() ? minimum_ : 0; }
  int maximum() const { return exists() ? maximum_ : 0; }
  int position() const;
  // Kept within the range.
  void set_position(int v);

  std::function<void()> on_changed;

  std::optional<intptr_t> handle_notification(unsigned msg, uintptr_t wparam, intptr_t lparam) override;

 protected:
  bool tab_stop_by_kind() const override { return true; }

 private:
  int minimum_ = 0, maximum_ = 100;
  int reported_ = 0;  // the position on_changed last told (or code last wrote)
  void* back_brush_ = nullptr;
  unsigned back_brush_color_ = 0;
};

}  // namespace rt
