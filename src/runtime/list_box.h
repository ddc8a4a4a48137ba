#pragma once
// List box unit: a list of GBK texts, one of them chosen. Writing the current index from code
// raises nothing; the changed event is the user's choice of an entry.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/unit.h"

namespace rt {

class ListBox : public Unit {
 public:
  void create(Window& parent, Rect r);

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
  // Raises nothing and scrolls the entry into view; -1 chooses none.
  void set_current(int index);
  std::string text() const { return item(current()); }

  std::function<void()> on_changed;

  std::optional<intptr_t> handle_notification(unsigned msg, uintptr_t wparam, intptr_t lparam) override;

 protected:
  bool tab_stop_by_kind() const override { return true; }
};

}  // namespace rt
