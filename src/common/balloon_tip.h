#pragma once
// Balloon tips on units. The texts may carry the font tags of the balloon-tip unit
// ("<font color=red>关闭..."); the runtime's tooltips show plain text, so the tags are dropped.
#include <string>
#include <string_view>

#include "runtime/unit.h"

void set_balloon_tip(rt::Unit& unit, std::string_view text);
// The text without its "<font ...>" and "</font>" tags.
std::string balloon_tip_plain_text(std::string_view text);
