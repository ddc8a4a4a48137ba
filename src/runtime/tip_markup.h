#pragma once
// The colour tags of tip texts, read as the tip draws them: "<font color=red>关闭本程序<font>" is
// a red run; the tab tips' "<color=N>名称<Backcolor=N><bordercolor=N>" colour the whole tip, its
// background and its border. Colours are Windows RGB values (0x00BBGGRR). Everything else is
// text, shown as written.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

// A run of text in one colour (GBK); no colour: the tip's text colour.
struct TipRun {
  std::string text;
  std::optional<unsigned> color;
  bool operator==(const TipRun&) const = default;
};

struct TipMarkup {
  std::vector<TipRun> runs;                  // in order, neighbours in different colours
  std::optional<unsigned> text_color;        // <color=N>: the tip's own text colour
  std::optional<unsigned> back_color;        // <Backcolor=N>
  std::optional<unsigned> border_color;      // <bordercolor=N>
  // The text without its tags.
  std::string plain() const;
};

// Tags, their names and values without regard to case: <font color=V> begins a run in V (a
// colour name of HTML's sixteen, #RRGGBB or a number), </font> and a bare <font> end it;
// <color=N>, <Backcolor=N>, <bordercolor=N> as above. A tag that is none of these (or has no
// closing '>') is text. Characters are read whole, so no trail byte starts a tag.
TipMarkup parse_tip_markup(std::string_view text);

// The runs broken into lines as the tip shows them: at every line break of the text (CR LF or
// LF), and where a line would grow wider than max_width as width_of measures a text (GBK): before
// the character that does not fit, or, inside a word of ASCII letters and digits, after the
// last blank before that word (the blank goes). A character wider than max_width still has a
// line of its own.
using TipLines = std::vector<std::vector<TipRun>>;
TipLines break_tip_lines(const TipMarkup& markup, int max_width, const std::function<int(std::string_view)>& width_of);
// The lines' text joined by CR LF, as the tip control takes it.
std::string tip_lines_text(const TipLines& lines);

}  // namespace rt
