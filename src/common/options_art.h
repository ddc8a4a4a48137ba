#pragma once
// The options window's own pictures: its program icon (a gear, 16 x 16 on the skin's body
// colour, standing for picture 5 of the main window's menu image list) and the folder button
// that opens a folder dialog beside a folder box (22 x 20: normal, hover, pressed, disabled).
#include <array>

#include "runtime/picture.h"

const rt::Picture& options_window_icon_picture();
const std::array<rt::Picture, 4>& folder_button_pictures();
