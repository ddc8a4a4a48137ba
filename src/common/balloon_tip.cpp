#include "common/balloon_tip.h"

#include "runtime/tooltip.h"

void set_balloon_tip(rt::Unit& unit, std::string_view text) { rt::set_tooltip(unit, text); }
