#pragma once
// The jump window's program icon: an arrow leaping onto a page among tabs, 16 x 16 on the
// skin's body colour. It stands for picture 34 of the main window's popup-menu image list, whose
// pictures share that size and background.
#include "runtime/picture.h"

const rt::Picture& jump_window_icon_picture();
