#pragma once
// The main window's skin, drawn by code: frame pictures and caption-button strips.
#include <cstdint>
#include <vector>

#include "runtime/picture.h"

// The eight frame pictures: top-left, top, top-right, left, right, bottom-left, bottom,
// bottom-right. Tool windows wear the same ones.
const std::vector<rt::Picture>& main_frame_pictures();

enum class CaptionGlyph {
  Close,
  Maximize,
  Restore,
  Minimize,
  TopmostOff,
  TopmostOn,
  MiniMode,
  Left,
  Right,
  Grip,
  ClosePage
};
// Normal, hover and pressed pictures of a caption button.
const std::vector<rt::Picture>& caption_button_strip(CaptionGlyph glyph);
// The program's icon picture (24 x 24).
const rt::Picture& program_icon_picture();
// The caption clock: picture i shows the digit i (0 to 9), and the colon between the numbers,
// each drawn over the caption where the clock lies (kClockTop to kClockTop + kClockHeight).
const std::vector<rt::Picture>& clock_digit_strip();
const rt::Picture& clock_separator_picture();
// The same kind of clock in other sizes and colours: seven-segment digits (picture i shows the
// digit i), `width` wide with segments `thickness` pixels thick in `ink` (0xAARRGGBB), over a
// background of one pixel per row from the top, whose count is the pictures' height; and the
// colon between the numbers.
std::vector<rt::Picture> seven_segment_digits(int width, int thickness, const std::vector<uint32_t>& rows,
                                              uint32_t ink);
rt::Picture seven_segment_colon(int width, int thickness, const std::vector<uint32_t>& rows, uint32_t ink);

constexpr int kCaptionHeight = 30;
constexpr int kFrameSide = 4;
constexpr int kStatusHeight = 24;
constexpr int kStatusTitleWidth = 220;  // the page name's room on the status line
constexpr int kCornerWidth = 8;
constexpr int kCaptionButtonWidth = 28;
constexpr int kCaptionButtonHeight = 22;
constexpr int kClockTop = 7, kClockHeight = 16, kClockDigitWidth = 10, kClockSeparatorWidth = 6;
