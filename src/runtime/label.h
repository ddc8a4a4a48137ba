#pragma once
// Label unit: text on a plain or transparent background, optionally over a picture.
// Our own window class, so it raises mouse events (frame labels start drags) and paints
// colours the way the forms ask.
#include <string>

#include "runtime/picture.h"
#include "runtime/unit.h"

namespace rt {

class Label : public Unit {
 public:
  enum class Align { Left, Centre, Right };
  // A one-line text too long for the label ends in "..." (Path: a path keeps its file name and
  // loses the middle).
  enum class Ellipsis { None, End, Path };
  void create(Window& parent, Rect r, std::string_view text = {});

  std::string text() const { return exists() ? text_ : std::string(); }
  void set_text(std::string_view text);
  unsigned text_color() const { return text_color_; }
  void set_text_color(unsigned rgb);
  unsigned back_color() const { return back_color_; }
  void set_back_color(unsigned rgb);
  // Transparent labels show the parent's background (and picture) behind their text.
  void set_transparent(bool on);
  void set_align(Align a);
  void set_vertical_centre(bool on);
  // Lines longer than the label break at its width, from the top, a word longer than the width
  // too (off: one line per line).
  void set_word_wrap(bool on);
  void set_picture(const Picture& p);
  const Picture& picture() const { return picture_; }
  // Room kept free before the text (a picture drawn over the label's start): at the left, or at
  // the right end of right-aligned text.
  void set_text_margin(int pixels);
  // Room kept free after the text (units laid over the label's other end): at the right, or at
  // the left of right-aligned text.
  void set_text_end_margin(int pixels);
  void set_ellipsis(Ellipsis e);
  // The height the text takes at the label's width, as the label draws it (0 without text).
  int text_height() const;

  std::optional<DrawnText> drawn_text() const override;

 protected:
  std::optional<intptr_t> handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) override;

 private:
  void repaint();
  int margin_ = 0, end_margin_ = 0;
  Ellipsis ellipsis_ = Ellipsis::None;
  std::string text_;
  unsigned text_color_ = 0;
  unsigned back_color_ = 0xFFFFFF;
  bool transparent_ = false;
  bool vcentre_ = true;
  bool wrap_ = false;
  Align align_ = Align::Left;
  Picture picture_;
};

// Picture box unit: shows a picture stretched to its size.
class PictureBox : public Unit {
 public:
  void create(Window& parent, Rect r);
  void set_picture(const Picture& p);
  const Picture& picture() const { return picture_; }

 protected:
  std::optional<intptr_t> handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) override;

 private:
  Picture picture_;
};

}  // namespace rt
