#pragma once
// Operations on an edit control known only by its window handle, of this program or another:
// count and read lines, read and replace the whole text, type into it, find the caret, scroll.
// The object keeps no state; every operation takes the window. Texts are GBK; lengths and
// positions are the control's own.
#include <string>
#include <string_view>

#include "runtime/app.h"

class ForeignEditControl {
 public:
  int get_edit_line_count(rt::WindowHandle window) const;
  // The line's text (0-based line); "" for an empty line or a line the control lacks.
  std::string get_edit_line_text(rt::WindowHandle window, int line) const;
  // The whole text, cut at the control's text limit - 1 bytes, trailing blanks (ASCII and
  // full-width) removed.
  std::string get_edit_all_text(rt::WindowHandle window) const;
  // WM_SETTEXT; the control's answer.
  intptr_t set_edit_text(rt::WindowHandle window, std::string_view text) const;
  // Posts the text as typed characters, a CR LF pair as one CR; the number of posts queued.
  int type_edit_text(rt::WindowHandle window, std::string_view text) const;
  // The length of a line (0-based; -1 the caret's line) as EM_LINELENGTH reports it for the
  // line's first character.
  int get_edit_line_length(rt::WindowHandle window, int line) const;
  // The caret's line and column, both 0-based.
  void get_edit_caret_position(rt::WindowHandle window, int& line, int& column) const;
  intptr_t scroll_edit_line_down(rt::WindowHandle window) const;
  intptr_t scroll_edit_line_up(rt::WindowHandle window) const;
};
