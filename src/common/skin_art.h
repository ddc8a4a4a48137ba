#pragma once
// The skin's own artwork, drawn by code: the frame tool windows and the message box wear,
// the close button, the message-box icons and buttons, and the program's two mouse pointers.
#include <array>
#include <cstdint>
#include <vector>

#include "runtime/cursor.h"
#include "runtime/picture.h"

// Height of the title strip (the frame's top row); the units that sit on it are drawn for it.
constexpr int kTitleStripHeight = 24;
// The body colour of the skinned windows (Windows RGB).
constexpr unsigned kSkinBodyColor = 0xF4E2B3;

// Top-left, top (the title strip), top-right, left, right, bottom-left, bottom, bottom-right.
const std::array<rt::Picture, 8>& tool_window_frame_pictures();
// The bottom-left, bottom and bottom-right pieces of the frame for a bottom strip of the height
// (a strip that carries a text): the body down to the frame's bottom line.
std::array<rt::Picture, 3> tool_window_bottom_pictures(int height);
// 21 x 20, drawn for the title strip 2 pixels below its top: normal, hover, pressed, disabled.
const std::array<rt::Picture, 4>& close_button_pictures();
// More buttons of that kind: back to the normal window, and the pin of always-on-top (leaning:
// off, upright: on).
enum class TitleGlyph { Close, NormalMode, PinOff, PinOn };
const std::array<rt::Picture, 4>& title_button_pictures(TitleGlyph glyph);
// The title strip's colour in its row y (0 its top row), for pictures drawn over it.
uint32_t title_strip_pixel(int y);
// 20 x 20, drawn for the title strip 3 pixels below its top: 8 tick, 16 cross, 32 question
// mark, 48 warning, 64 information; an empty picture for any other value.
rt::Picture message_box_icon(int icon);
// 47 x 23 message-box buttons without caption (the button draws it): normal, hover, pressed,
// disabled.
const std::array<rt::Picture, 4>& message_box_button_pictures();
// The caption colour that goes with those buttons (Windows RGB).
constexpr unsigned kButtonCaptionColor = 0x5A3C1E;

// 32 x 32 pointers: the arrow the program's windows and buttons show, and the text cursor.
const rt::Cursor& program_pointer_cursor();
const rt::Cursor& program_text_cursor();
// Their pixels (0xAARRGGBB), for the pointers above and for tests.
struct CursorArt {
  int width = 32, height = 32, hot_x = 0, hot_y = 0;
  std::vector<uint32_t> pixels;
};
// A cursor made of such pixels.
rt::Cursor cursor_from_art(const CursorArt& art);
const CursorArt& pointer_cursor_art();
const CursorArt& text_cursor_art();
