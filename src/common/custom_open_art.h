#pragma once
// Pictures of the custom open window, drawn by code on the skin's body colour.
#include <array>

#include "runtime/picture.h"

// The window's program icon, 16 x 16: picture 22 of the main window's menu image list (an open
// folder with a page) laid on the body colour.
const rt::Picture& custom_open_window_icon_picture();

// The three ways of opening, one button each.
enum class OpenWay { kChosenFiles, kFolder, kSearch };
constexpr int kOpenWayButtonWidth = 236, kOpenWayButtonHeight = 40;
// A button of one way, kOpenWayButtonWidth x kOpenWayButtonHeight with its glyph at the left
// (several pages; a folder; a folder under a magnifier): normal, hover, pressed, disabled. The
// caption is the button's own.
const std::array<rt::Picture, 4>& open_way_button_pictures(OpenWay way);
