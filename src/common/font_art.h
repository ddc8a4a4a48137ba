#pragma once
// The font window's program icon: a letter A over a colour bar, 16 x 16 on the skin's body
// colour. It stands for picture 12 of the main window's popup-menu image list.
#include "runtime/picture.h"

const rt::Picture& font_window_icon_picture();
