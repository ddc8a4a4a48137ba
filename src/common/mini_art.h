#pragma once
// Pictures of the mini-mode bar "Velmora_迷你模式" and its web search, drawn by code: the big
// clock of the compact bar, the small clock in the title strip, the search engines' icons, the
// keyword field and its drop-down arrow.
#include <array>
#include <vector>

#include "runtime/picture.h"

// The big clock's digits and colon, drawn on the bar's body colour.
constexpr int kMiniBigDigitWidth = 14, kMiniBigColonWidth = 6, kMiniBigClockHeight = 17;
const std::vector<rt::Picture>& mini_big_clock_digits();
const rt::Picture& mini_big_clock_colon();
// The small clock lies in the title strip from this row down, as big as the main window's
// (kClockDigitWidth, kClockSeparatorWidth, kClockHeight of common/frame_art.h), and is drawn
// over the strip's rows there.
constexpr int kMiniSmallClockTop = 4;
const std::vector<rt::Picture>& mini_small_clock_digits();
const rt::Picture& mini_small_clock_colon();

// 16 x 16, transparent around the glyph: 0 Baidu, 1 Soso, 2 Sogou, 3 Google (a paw, a
// magnifier, an S on an orange disc, a four-coloured G); empty for other indexes.
rt::Picture search_engine_icon(int index);

// The keyword field: white in a rounded border, as wide and high as given.
constexpr unsigned kKeywordFieldColor = 0xFFFFFF;  // Windows RGB
rt::Picture keyword_field_picture(int width, int height);
// The arrow that opens the engine menu, 9 x 18 on the field's white: normal, hover, pressed.
const std::array<rt::Picture, 3>& dropdown_arrow_pictures();
