#pragma once
// The reader window's pictures and pointers, drawn by code: the finder (a framed square with
// a round sight in it, and the same square empty while the sight is carried by the pointer),
// the window's program icon, its arrow pointer and the sight pointer of a pick.
#include "common/skin_art.h"
#include "runtime/cursor.h"
#include "runtime/picture.h"

// 32 x 32: the finder at rest, and the empty square shown while a pick is under way.
const rt::Picture& finder_idle_picture();
const rt::Picture& finder_picking_picture();
// 16 x 16 on the skin's body colour: the sight over a window, as picture 74 of the main
// window's menu images would show it.
const rt::Picture& grabber_window_icon_picture();

// 32 x 32 pointers: the window's arrow (hot spot 9, 5) and the sight (hot spot 8, 6, its centre).
const CursorArt& grabber_arrow_cursor_art();
const CursorArt& finder_cursor_art();
const rt::Cursor& grabber_arrow_cursor();
const rt::Cursor& finder_cursor();
