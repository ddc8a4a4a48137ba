#pragma once
// Edit box unit: a Unicode edit control whose text is GBK at this boundary. Selections count
// characters. The changed event fires once for every change, the ones made by code included.
#include <string>

#include "runtime/unit.h"

namespace rt {

class EditBox : public Unit {
 public:
  struct Style {
    bool multiline = true;
    bool vertical_scroll = true;
    bool horizontal_scroll = false;  // multi-line without it wraps words
    bool read_only = false;
    bool password = false;
    bool border = false;
    int align = 0;  // 0 left, 1 centre, 2 right
  };

  void create(Window& parent, Rect r, Style style, std::string_view text = {});

  std::string text() const;
  void set_text(std::string_view text);
  // Cheap: the length in characters, without copying the text.
  int text_length() const;

  int selection_start() const;
  int selection_length() const;
  // Writing the start places the caret there; writing the length then extends from the start.
  void set_selection_start(int start);
  void set_selection_length(int length);
  void select(int start, int length);
  std::string selected_text() const;
  void replace_selection(std::string_view text);

  bool read_only() const;
  void set_read_only(bool on);
  unsigned text_color() const { return text_color_; }
  void set_text_color(unsigned rgb);
  unsigned back_color() const { return back_color_; }
  void set_back_color(unsigned rgb);
  void scroll_to_caret();
  // The standard edit commands of the control.
  void undo();
  void cut();
  void copy();
  void paste();
  // Removes the selection (nothing without one).
  void clear_selection();

  std::function<void()> on_changed;

  std::optional<intptr_t> handle_notification(unsigned msg, uintptr_t wparam, intptr_t lparam) override;
  void unbind_handle() override;

 private:
  void raise_changed();
  int suppress_change_ = 0;
  unsigned text_color_ = 0;
  unsigned back_color_ = 0xFFFFFF;
  void* back_brush_ = nullptr;
};

}  // namespace rt
