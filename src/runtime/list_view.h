#pragma once
// List view unit in report form: a header of columns and rows of texts.
#include <string>

#include "runtime/unit.h"

namespace rt {

class ListView : public Unit {
 public:
  void create(Window& parent, Rect r);
  // Appends a column; returns its index, -1 on failure.
  int add_column(std::string_view caption, int width);
  int column_count() const;
  std::string column_caption(int index) const;
  int row_count() const;
};

}  // namespace rt
