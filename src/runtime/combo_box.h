#pragma once
// Combo box unit: a drop-down list of GBK items, optionally with an edit field (editable).
// The user's choice raises on_changed, the user's typing in the edit field on_edited; writing
// the index or the text from code raises nothing.
#include <functional>
#include <string>

#include "runtime/unit.h"

namespace rt {

class ComboBox : public Unit {
 public:
  // list_height: the height of the dropped-down list.
  void create(Window& parent, Rect r, bool editable = false, int list_height = 200);

  int count() const;
  void add_item(std::string_view text);
  void clear();
  std::string item(int index) const;

  // -1 when no item is chosen.
  int current() const;
  // An index outside the list leaves none chosen (and the edit field empty).
  void set_current(int index);

  // The edit field of an editable box, else the chosen item's text.
  std::string text() const;
  // Editable box: the edit field's text, choosing no item.
  void set_text(std::string_view text);
  // The edit field of an editable box (null otherwise), where the user types.
  WindowHandle edit_handle() const;

  std::function<void()> on_changed;
  std::function<void()> on_edited;

  std::optional<intptr_t> handle_notification(unsigned msg, uintptr_t wparam, intptr_t lparam) override;

 private:
  bool editable_ = false;
  // The item being chosen: the edit field takes its text only after the notification.
  int choosing_ = -1;
};

}  // namespace rt
