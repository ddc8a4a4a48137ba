#pragma once
// Combo box unit: a drop-down list of GBK items. The selected event is the user's choice only;
// writing the current index from code raises nothing.
#include <functional>
#include <string>

#include "runtime/unit.h"

namespace rt {

class ComboBox : public Unit {
 public:
  // r.height is the closed box; the open list shows up to list_rows items below it.
  void create(Window& parent, Rect r, int list_rows = 12);

  // Appends an item; its index, -1 when the control refused it.
  int add_item(std::string_view text);
  // Removes one item (nothing for an index out of range).
  void remove_item(int index);
  void clear();
  int count() const;
  std::string item_text(int index) const;

  // The selected item, -1 when none.
  int current() const;
  // Selects an item (-1: none); raises nothing.
  void set_current(int index);
  // The selected item's text, "" when none.
  std::string text() const { return item_text(current()); }

  std::function<void()> on_selected;

  std::optional<intptr_t> handle_notification(unsigned msg, uintptr_t wparam, intptr_t lparam) override;
};

}  // namespace rt
