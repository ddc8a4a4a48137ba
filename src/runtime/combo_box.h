#pragma once
// Combo box unit: a drop-down list of GBK texts. Writing the current index from code raises
// nothing; the changed event is the user's choice of an entry.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/unit.h"

namespace rt {

class ComboBox : public Unit {
 public:
  struct Style {
    // With a text field above the list: it can show a text that is no entry (set_text).
    bool text_field = false;
    // The text field cannot be typed into (it only shows).
    bool text_read_only = false;
    // Height of the dropped-down list in pixels.
    int list_height = 240;
  };

  void create(Window& parent, Rect r, Style style);
  void create(Window& parent, Rect r) { create(parent, r, Style{}); }

  void add_item(std::string_view text);
  void add_items(const std::vector<std::string>& texts);
  void clear();
  int count() const;
  // The entry's text, "" outside the list.
  std::string item(int index) const;
  // The first entry with exactly this text, -1 when none.
  int find(std::string_view text) const;

  // -1 when no entry is chosen.
  int current() const;
  // Raises nothing; -1 (or an index outside the list) chooses none.
  void set_current(int index);
  // The chosen entry's text, or what the text field shows.
  std::string text() const;
  // With a text field: shows the text (no entry is chosen unless one has it). Without: chooses
  // the first entry with that text, none when no entry has it. Raises nothing.
  void set_text(std::string_view text);

  std::function<void()> on_changed;

  std::optional<intptr_t> handle_notification(unsigned msg, uintptr_t wparam, intptr_t lparam) override;

 protected:
  std::optional<intptr_t> handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) override;

 private:
  Style style_;
};

}  // namespace rt
