#pragma once
// The program's own pictures, drawn by code.
#include <vector>

#include "runtime/picture.h"

// Six pictures: 0-2 "off" (normal, hover, disabled), 3-5 "on".
const std::vector<rt::Picture>& check_box_strip();
const std::vector<rt::Picture>& radio_button_strip();
