#pragma once
// Pictures of the Simplified/Traditional and the encryption windows, drawn by code on the
// skin's body colour.
#include <array>

#include "common/canvas.h"
#include "runtime/picture.h"

// 16 x 16 program icons of the two windows (they stand for pictures 27 and 20 of the main
// window's menu image list): two pages, sparse and dense, with arrows between them; a padlock.
const rt::Picture& simp_trad_window_icon_picture();
const rt::Picture& crypt_window_icon_picture();

// The encryption window's action button, 100 x 26: images 0-3 encrypt (a closed padlock),
// 4-7 decrypt (an open one), each normal, hover, pressed, disabled. The caption is the
// button's own.
const std::array<rt::Picture, 8>& crypt_action_button_strip();

// The face of the tool windows' drawn buttons, width x height on the skin's body colour, for a
// glyph to be drawn over it: state 0 normal, 1 hover, 2 pressed, 3 disabled.
art::Canvas tool_button_face(int width, int height, int state);
