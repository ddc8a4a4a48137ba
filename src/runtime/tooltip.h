#pragma once
// Plain tooltips on units: one line of text that shows while the mouse rests over the unit.
#include <string>
#include <string_view>

#include "runtime/unit.h"

namespace rt {

// Gives the unit a tooltip with the text (GBK), replacing the one it had; "" removes it.
// The tooltip goes with the unit's window.
void set_tooltip(Unit& unit, std::string_view text);
// The text the unit's tooltip shows, "" without one.
std::string tooltip_text(const Unit& unit);
// Whether the unit's tooltip shows on the screen now.
bool tooltip_showing(const Unit& unit);

}  // namespace rt
