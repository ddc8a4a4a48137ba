#pragma once
// The thin skin frame of the popups (the open pages, the search suggestions), drawn by code: the
// eight pictures in the order top-left, top, top-right, left, right, bottom-left, bottom,
// bottom-right (4-pixel corners, 2-pixel edges), stretched along the window's edges by its
// labels.
#include <array>

#include "runtime/picture.h"

constexpr int kPopupFrameCorner = 4;
constexpr int kPopupFrameEdge = 2;

const std::array<rt::Picture, 8>& open_pages_popup_frame_pictures();
