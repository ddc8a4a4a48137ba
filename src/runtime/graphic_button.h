#pragma once
// Graphic button unit: a picture for each state (normal, hover, pressed, disabled) and a click.
// Check boxes and radio buttons of the forms are graphic buttons whose pictures carry their state.
#include <functional>
#include <string>

#include "runtime/picture.h"
#include "runtime/unit.h"

namespace rt {

class GraphicButton : public Unit {
 public:
  void create(Window& parent, Rect r, std::string_view caption = {});

  void set_pictures(const Picture& normal, const Picture& hover, const Picture& pressed);
  void set_normal_picture(const Picture& p);
  void set_hover_picture(const Picture& p);
  void set_pressed_picture(const Picture& p);
  void set_disabled_picture(const Picture& p);
  const Picture& normal_picture() const { return normal_; }
  const Picture& hover_picture() const { return hover_; }
  const Picture& pressed_picture() const { return pressed_; }
  const Picture& disabled_picture() const { return disabled_; }

  // Text drawn beside (check style) or over the picture.
  std::string caption() const { return caption_; }
  void set_caption(std::string_view text);
  unsigned text_color() const { return text_color_; }
  void set_text_color(unsigned rgb);
  // Check style: the picture at the left at its own size and the caption after it.
  void set_check_style(bool on);

  std::function<void()> on_click;
  // As the user's click: runs on_click when the button is shown and enabled.
  void press();

  // In a window with dialog keys the focused button shows a focus mark; Space (on its release)
  // presses it, and Enter presses a push button (a check button leaves Enter to the window).
  bool keeps_key(int key) const override;

  std::optional<DrawnText> drawn_text() const override;

 protected:
  std::optional<intptr_t> handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) override;
  bool tab_stop_by_kind() const override { return static_cast<bool>(on_click); }

 private:
  // The button takes the keyboard: it is in a window with dialog keys.
  bool keyboard_button() const;
  void repaint();
  // The picture of the state the button is in.
  const Picture& shown_picture() const;
  // Lit while the pointer is over it, found where the pointer is now.
  void refresh_hot();
  Picture normal_, hover_, pressed_, disabled_;
  std::string caption_;
  unsigned text_color_ = 0;
  bool check_style_ = false;
  bool hot_ = false, down_ = false;
  bool space_down_ = false;  // Space held on the focused button
};

}  // namespace rt
