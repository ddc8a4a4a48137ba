#pragma once
// Drop target unit: makes another unit's window accept texts and files dragged onto it (from
// this program or any other). Texts arrive as GBK; files as their paths, in the order given.
#include <functional>
#include <string>
#include <vector>

#include "runtime/unit.h"

namespace rt {

class DropTarget {
 public:
  DropTarget() = default;
  DropTarget(const DropTarget&) = delete;
  DropTarget& operator=(const DropTarget&) = delete;
  ~DropTarget();

  // Accepts drops on the unit's window from now on, until that window is gone or detach().
  void attach(Unit& unit);
  void detach();
  bool attached() const { return window_ != nullptr; }

  std::function<void(const std::string& text)> on_text;
  std::function<void(const std::vector<std::string>& paths)> on_files;

  // Runtime side: one drop's data, files before text when both are offered.
  void deliver(const std::vector<std::string>& paths, const std::string& text, bool has_text);

 private:
  WindowHandle window_ = nullptr;
  void* ole_target_ = nullptr;
  int hook_ = 0;
};

}  // namespace rt
