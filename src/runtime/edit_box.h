#pragma once
// Edit box unit: a Unicode edit control whose text is GBK at this boundary. Selections count
// characters. The changed event fires once for every change, the ones made by code included.
//
// Alignment and scroll bars shape the control when it is made (an edit control does not take
// them later), so changing either re-creates the control; see set_alignment.
//
// A large-text box (the page editor) stays quick with a text of many megabytes: its lines break
// by runtime/word_breaks.h (the control's own rule classifies the whole text again after every
// change), its scroll bars are scroll-bar controls of the unit's, laid over strips the box keeps
// free at its right and bottom edges (the system bars of an edit control redraw themselves after
// every keystroke), and a long text goes in piece by piece: the first screen at once, the rest
// while the user reads. Until the rest is in, everything that reads or changes the text takes it
// first, so that neither the program nor another one ever sees a part of it.
#include <string>
#include <vector>

#include "runtime/page_text.h"
#include "runtime/unit.h"

namespace rt {

// The word-break procedure of large-text boxes (an EDITWORDBREAKPROCW), for programs that
// measure bare controls against them.
int __stdcall page_word_break(wchar_t* text, int index, int count, int action);

class EditBox : public Unit {
 public:
  struct Style {
    bool multiline = true;
    bool vertical_scroll = true;
    bool horizontal_scroll = false;  // multi-line without it wraps words
    bool read_only = false;
    bool password = false;
    bool border = false;
    int align = 0;            // 0 left, 1 centre, 2 right
    bool large_text = false;  // multi-line only
  };

  void create(Window& parent, Rect r, Style style, std::string_view text = {});

  std::string text() const;
  // The text with where the box's characters begin, for what must count them as the user sees
  // them although the bytes read otherwise (see rt::ShownText).
  ShownText shown_text() const;
  // False when the control could not take the text (no room for it in memory, which is
  // reported): the box then keeps the text it had and raises nothing.
  bool set_text(std::string_view text);
  // Whether a read of the text (text(), selected_text()) since the last call met a lone
  // surrogate that is no byte escape, which GBK text cannot keep (it became U+FFFD); asking
  // clears it.
  bool take_lost_characters();
  // Cheap: the length in characters, without copying the text.
  int text_length() const;
  // A large text still coming in piece by piece: the control holds its first part only.
  bool handing_over() const { return !rest_.empty(); }

  int selection_start() const;
  int selection_length() const;
  // Writing the start places the caret there; writing the length then extends from the start.
  void set_selection_start(int start);
  void set_selection_length(int length);
  void select(int start, int length);
  std::string selected_text() const;
  // False, with nothing changed, when there is no room for the text (reported).
  bool replace_selection(std::string_view text);
  // Each range (characters, in order, apart) replaced by `with` (no zero character in it), the
  // box left as set_text with the whole result leaves it (one changed event, the caret at the
  // start and the first line in view, nothing to undo, the control's modified mark off): but the
  // control changes those ranges only, which for a few in a long page costs a fraction of taking
  // the whole text anew. False, with nothing changed, when there is no room for the result
  // (reported).
  struct Range {
    int start = 0, length = 0;
  };
  bool replace_ranges(const std::vector<Range>& ranges, std::string_view with);

  bool read_only() const;
  void set_read_only(bool on);
  // The most characters the user can type or paste in (0: as many as the control holds). The
  // text already there stays; code can still write a longer one.
  int max_length() const;
  void set_max_length(int characters);
  // Typed characters other than the digits 0-9 are refused (a paste can still bring any text).
  bool digits_only() const;
  void set_digits_only(bool on);

  // 0 left, 1 centre, 2 right.
  int alignment() const { return exists() ? style_.align : 0; }
  // 0 none, 1 horizontal, 2 vertical, 3 both. A multi-line box without the horizontal bar
  // wraps its lines at its width; with it, lines run on.
  int scroll_bars() const;
  // Writing a different value re-creates the control in its place (a large-text box takes a new
  // vertical bar alone in place, undo history included). What goes over: text,
  // selection, the first visible line, font, colours, margins, read-only and enabled state,
  // visibility, the extended style, focus, the control's modified mark, the hook layers (they
  // see handle_replaced_message(), see runtime/hooks.h) and the tooltip. The undo history
  // does not. No event fires: the text has not changed. Writing the value the box already
  // has does nothing; a change costs what handing the control its text costs.
  void set_alignment(int align);
  void set_scroll_bars(int bars);

  // Lines as the control shows them (wrapped lines count), from 0.
  int line_count() const;
  // The length in characters of a line as the control reports it; 0 for a line it lacks.
  int line_length(int line) const;
  int first_visible_line() const;
  unsigned text_color() const { return text_color_; }
  void set_text_color(unsigned rgb);
  unsigned back_color() const { return back_color_; }
  void set_back_color(unsigned rgb);
  void scroll_to_caret();
  // The standard edit commands of the control.
  bool can_undo() const;
  void undo();
  void cut();
  void copy();
  void paste();
  // Removes the selection (nothing without one).
  void clear_selection();

  std::function<void()> on_changed;

  std::optional<intptr_t> handle_notification(unsigned msg, uintptr_t wparam, intptr_t lparam) override;
  void unbind_handle() override;
  // A multi-line box the user may write in takes Enter as a line break.
  bool keeps_key(int key) const override;
  // Selects the text, as a dialog's box does when Tab comes to it.
  void focus_by_tab() override;

 protected:
  std::optional<intptr_t> handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) override;
  bool tab_stop_by_kind() const override { return true; }

 private:
  void raise_changed();
  // Replaces the control by one of the new style (see set_alignment).
  void rebuild(const Style& style);
  // Large-text boxes: the control's word breaks, and the bars.
  void take_large_text_shape();
  // Makes or removes the bars the style asks for; a new control takes the bars there are.
  void show_own_bars(bool new_control);
  void place_own_bars();
  void sync_own_bars();
  void scroll_by_own_bar(bool vertical, int code);
  int visible_lines();
  // Large-text boxes: the text still to come after the first piece (a text without a zero).
  void hand_over(std::wstring text, size_t at_least);
  // In turns of budget_ms; with 0, at once up to the line end after until (the rest at npos).
  void append_pieces(unsigned budget_ms, size_t until = 0);
  void take_rest();
  bool needs_whole_text(unsigned msg, uintptr_t wparam, intptr_t lparam) const;
  void drop_rest();
  size_t loaded_length() const;

  Style style_;
  struct OwnBar {
    void* window = nullptr;
    int range = -1, page = -1, pos = -1;  // as last shown
    bool tracking = false;                // the user drags the thumb
  };
  OwnBar vbar_, hbar_;
  bool system_hbar_ = false;  // the control keeps no horizontal range without its own bar
  int line_height_ = 0;
  void* line_height_font_ = nullptr;
  std::wstring rest_;   // the whole text being handed over,
  size_t rest_at_ = 0;  // of which the control holds this many characters
  int internal_ = 0;    // messages of the unit's own to the control
  int suppress_change_ = 0;
  mutable bool lost_characters_ = false;
  unsigned text_color_ = 0;
  unsigned back_color_ = 0xFFFFFF;
  void* back_brush_ = nullptr;

  // While a text is handed over: what the last piece cost, and when the bars last followed.
  double piece_ms_per_char_ = 0;
  unsigned long bars_synced_at_ = 0;  // a tick count
  bool work_layer_ = false;  // the layer that tells the word breaks which control is at work
};

}  // namespace rt
