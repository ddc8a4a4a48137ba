#pragma once
// The waiting picture of the main window (图片框_读取网页), drawn by code: a striped bar, as an
// indeterminate progress bar shows, on the window's background.
#include "runtime/picture.h"

// 176 x 16.
const rt::Picture& waiting_picture();
