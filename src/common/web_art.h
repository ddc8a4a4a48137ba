#pragma once
// Pictures of the web windows (update, about, translation), drawn by code on the skin's body
// colour.
#include "runtime/picture.h"

// 16 x 16 program icons: the update window's (a globe with an arrow coming down), and the
// about and translation windows', which are their menu items' images (14 and 54) on the body.
const rt::Picture& update_window_icon_picture();
const rt::Picture& about_window_icon_picture();
const rt::Picture& translation_window_icon_picture();

// The waiting picture shown while a web page is fetched: a bar of blocks, 180 x 8.
const rt::Picture& web_waiting_picture();
