#pragma once
// Tooltips on units: a text that shows while the mouse rests over the unit. Its colour tags
// (runtime/tip_markup.h: "<font color=red>关闭本程序<font>") are not shown: the tip draws the
// runs in their colours. Long lines wrap at 360 pixels; line breaks in the text start new lines.
#include <string>
#include <string_view>
#include <vector>

#include "runtime/unit.h"

namespace rt {

// Gives the unit a tooltip with the text (GBK, with its colour tags), replacing the one it had;
// "" removes it. The tooltip goes with the unit's window.
void set_tooltip(Unit& unit, std::string_view text);
// The text the unit's tooltip shows, without its tags; "" without one.
std::string tooltip_text(const Unit& unit);
// Whether the unit's tooltip shows on the screen now.
bool tooltip_showing(const Unit& unit);
// What the unit's tip drew the last time it showed, run by run in the order drawn: the text
// (GBK), its colour (Windows RGB) and its box in the tip's client pixels. The tab control's tip
// is noted under the tab control. Empty when it never showed.
struct DrawnTipRun {
  std::string text;
  unsigned color = 0;
  Rect box;
};
std::vector<DrawnTipRun> drawn_tooltip(const Unit& unit);

}  // namespace rt
