#pragma once
// The find window's program icon: a magnifier over a page, 16 x 16 on the skin's body colour.
// It stands for picture 51 of the main window's menu image list, whose pictures share that size
// and background.
#include "runtime/picture.h"

const rt::Picture& find_window_icon_picture();
