#pragma once
// The file information window's program icon: a page with a blue "i", 16 x 16 on the skin's
// body colour. It stands for picture 48 of the main window's menu image list.
#include "runtime/picture.h"

const rt::Picture& file_info_window_icon_picture();
