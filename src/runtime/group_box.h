#pragma once
// Group box unit: a thin frame around a group of units, on the window's background. Its title
// is a label of the form laid over the frame's top line.
#include "runtime/unit.h"

namespace rt {

class GroupBox : public Unit {
 public:
  // Create it after the units it frames: units created first lie on top.
  void create(Window& parent, Rect r, unsigned frame_color = 0xA0A0A0);
  unsigned frame_color() const { return frame_color_; }
  void set_frame_color(unsigned rgb);
  bool frames_units() const override { return true; }

 protected:
  std::optional<intptr_t> handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) override;

 private:
  unsigned frame_color_ = 0xA0A0A0;
};

}  // namespace rt
