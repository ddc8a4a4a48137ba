#pragma once
// Pictures of the cloud input window, drawn by code on the skin's body colour.
#include <array>
#include <cstdint>

#include "runtime/picture.h"

// The window's icon list, 16 x 16: 0 QQ pinyin, 1 QQ wubi, 2 Baidu, 3 Sogou (a blue cloud, a
// green cloud with strokes, a paw, an S on an orange disc); an empty picture for other indexes.
rt::Picture cloud_input_icon(int index);
// The Baidu and Sogou icons of that list over a pixel (0xAARRGGBB); 0 leaves them transparent
// around the glyph, as the web search's engine menu shows them.
rt::Picture baidu_icon_over(uint32_t background);
rt::Picture sogou_icon_over(uint32_t background);

// The settings button, 60 x 24, without caption (the button draws it): normal, hover and
// pressed; the first pair points to the right (the settings closed), the second to the left.
const std::array<rt::Picture, 3>& cloud_settings_button_pictures(bool open);

// The page buttons, 24 x 24: an arrow up (previous) or down (next); normal, hover, pressed,
// disabled.
const std::array<rt::Picture, 4>& cloud_page_button_pictures(bool next);
