#pragma once
// Rich edit box unit: a Unicode rich edit control whose text is GBK at this boundary, written
// run by run, each run with its own face, size and colour.
#include <string>

#include "runtime/unit.h"

namespace rt {

class RichEditBox : public Unit {
 public:
  // Multi-line, wrapping, with a vertical scroll bar; read-only keeps the user from typing.
  void create(Window& parent, Rect r, bool read_only = true);

  // A paragraph ends in CR alone, as the control keeps it (a CR LF written becomes CR).
  std::string text() const;
  // In characters; paragraph ends count as one.
  int text_length() const;
  // Appends a run at the end: the face, the size in points and the colour (Windows RGB), not
  // bold, italic, underlined or struck out, at the base line.
  void append_run(std::string_view text, std::string_view face, int size, unsigned rgb);
  // Places the caret (character index; -1 the end) and scrolls it into view.
  void set_caret(int index);
  int caret() const;

  // The format of the character at index, as a reader sees it.
  struct RunFormat {
    std::string face;
    int size = 0;  // points
    unsigned color = 0;
    bool bold = false, italic = false, underline = false, strikeout = false;
  };
  RunFormat format_at(int index) const;
  unsigned back_color() const { return back_color_; }
  void set_back_color(unsigned rgb);
  // One the user may write in takes Enter as a line break.
  bool keeps_key(int key) const override;

 protected:
  bool tab_stop_by_kind() const override { return true; }

 private:
  unsigned back_color_ = 0xFFFFFF;
};

}  // namespace rt
