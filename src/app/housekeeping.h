#pragma once
// Small services of the main window: the digit clock in the caption, the periodic trimming of
// the working set, and the program's mouse pointers.
#include <array>
#include <string>
#include <vector>
#include <string_view>

#include "runtime/app.h"
#include "runtime/cursor.h"
#include "runtime/graphic_button.h"

// Tick of 时钟_显示时间: the eight clock units show the time of one reading of the clock.
void update_clock_digits();
// The same for any clock of eight units (hours, colon, minutes, colon, seconds; the units whose
// names end in 个位 show the left digit, 0 below 10) and its digit pictures 0 to 9.
void show_clock_time(const std::array<rt::GraphicButton*, 8>& units, const std::vector<rt::Picture>& digits);
// The clock shown and ticking, or hidden and stopped (start-up and the options window).
void show_main_clock(bool shown);
// Places the clock in the caption, left of the caption buttons (on every layout).
void place_main_clock();
// Between the clock and the caption buttons.
constexpr int kClockGap = 6;
// The clock's width in the caption.
int main_clock_width();

// Tick of 时钟_内存优化.
void trim_working_set();
// The Settings menu item "取消优化(&N)" / "开启优化(&N)": trimming off or on for this run.
void toggle_memory_trim();

// An icon made from the image of an icon or cursor file that the program takes (the first one
// 16 pixels wide, else the first); empty when the bytes hold none.
rt::Cursor icon_from_bytes(std::string_view bytes);
// Every window of the window's class shows the icon of the file's bytes as its pointer.
void set_class_cursor_from_bytes(rt::WindowHandle window, std::string_view bytes);
// The built-in text cursor as a cursor file (32 x 32, one image).
const std::string& text_cursor_file();
// Start-up: the program's pointer over the main window and its units, the text cursor over
// the edit box's class.
void apply_main_window_cursors();
