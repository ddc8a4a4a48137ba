#pragma once
// Combo box unit: a drop-down list of GBK items, optionally with a text field above the list.
// The user's choice of an item raises on_changed, the user's typing in the text field
// on_edited; writing the index or the text from code raises nothing.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/unit.h"

namespace rt {

class ComboBox : public Unit {
 public:
  struct Style {
    // With a text field above the list: it can show a text that is no item (set_text).
    bool text_field = false;
    // The text field cannot be typed into (it only shows).
    bool text_read_only = false;
    // Height of the dropped-down list in pixels.
    int list_height = 240;
  };

  // r.height is the closed box; the open list drops below it.
  void create(Window& parent, Rect r, Style style);
  void create(Window& parent, Rect r) { create(parent, r, Style{}); }

  // Appends an item; its index, -1 when the control refused it.
  int add_item(std::string_view text);
  void add_items(const std::vector<std::string>& texts);
  // Removes one item (nothing for an index out of range).
  void remove_item(int index);
  // Gives one item another text in its place; the chosen item stays chosen. Nothing for an
  // index out of range.
  void set_item(int index, std::string_view text);
  void clear();
  int count() const;
  // The item's text, "" outside the list.
  std::string item(int index) const;
  // The first item with exactly this text, -1 when none.
  int find(std::string_view text) const;

  // The chosen item, -1 when none.
  int current() const;
  // Chooses an item; -1 (or an index outside the list) chooses none and empties the text field.
  void set_current(int index);
  // What the text field shows; without one, the chosen item's text ("" when none). While
  // on_changed runs, the item being chosen.
  std::string text() const;
  // Chooses the first item with exactly this text. When none has it: a box with a text field
  // shows the text with no item chosen, one without chooses none.
  void set_text(std::string_view text);
  // The text field's own window (null without one), where the user types.
  WindowHandle edit_handle() const;

  std::function<void()> on_changed;
  std::function<void()> on_edited;

  std::optional<intptr_t> handle_notification(unsigned msg, uintptr_t wparam, intptr_t lparam) override;
  // The open list takes Enter and Esc (they close it).
  bool keeps_key(int key) const override;

 protected:
  std::optional<intptr_t> handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) override;
  bool tab_stop_by_kind() const override { return true; }

 private:
  Style style_;
  // The item being chosen: the text field takes its text only after the notification.
  int choosing_ = -1;
};

}  // namespace rt
