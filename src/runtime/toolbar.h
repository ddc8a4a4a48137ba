#pragma once
// Toolbar unit: buttons addressed by index from 1 (separators count), pictures from the
// program's own artwork, a tooltip each, and the state bits 1 checked, 2 pressed, 4 disabled,
// 8 hidden, 16 mixed.
#include <functional>
#include <string>
#include <vector>

#include "runtime/picture.h"
#include "runtime/unit.h"

namespace rt {

class Toolbar : public Unit {
 public:
  enum StateBits : int { kChecked = 1, kPressed = 2, kDisabled = 4, kHidden = 8, kMixed = 16 };
  // Pictures of the buttons, all the same size; button_size is the picture size.
  void create(Window& parent, Rect r, int button_size);
  // The next index: a button with a picture and a tooltip, or a separator.
  void add_button(const Picture& picture, std::string_view tooltip);
  void add_separator();
  int count() const { return exists() ? static_cast<int>(tips_.size()) : 0; }
  int state(int index) const;
  void set_state(int index, int bits);
  void add_state(int index, int bits) { set_state(index, state(index) | bits); }
  void remove_state(int index, int bits) { set_state(index, state(index) & ~bits); }
  // The height the toolbar takes with its buttons.
  int natural_height() const;

  std::function<void(int index)> on_click;

  std::optional<intptr_t> handle_notification(unsigned msg, uintptr_t wparam, intptr_t lparam) override;
  void unbind_handle() override;

 private:
  void* images_ = nullptr;
  void* tooltip_ = nullptr;
  std::vector<std::wstring> tips_;
  int size_ = 16;
};

}  // namespace rt
