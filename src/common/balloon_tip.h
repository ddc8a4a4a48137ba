#pragma once
// Balloon tips on units. The texts may carry the font tags of the balloon-tip unit
// ("<font color=red>关闭..."): the runtime's tips draw those runs in their colours.
#include <string_view>

#include "runtime/unit.h"

void set_balloon_tip(rt::Unit& unit, std::string_view text);
