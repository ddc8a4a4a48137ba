#pragma once
// The toolbar's pictures (16 x 16), drawn by code, by toolbar button index (1..21).
#include "runtime/picture.h"

rt::Picture toolbar_picture(int index);
