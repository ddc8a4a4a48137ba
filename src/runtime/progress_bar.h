#pragma once
// Progress bar unit.
#include "runtime/unit.h"

namespace rt {

class ProgressBar : public Unit {
 public:
  void create(Window& parent, Rect r);
  int maximum() const { return exists() ? maximum_ : 0; }
  void set_maximum(int v);
  int position() const { return exists() ? position_ : 0; }
  void set_position(int v);

 private:
  int maximum_ = 100, position_ = 0;
};

}  // namespace rt
