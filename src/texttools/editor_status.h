#pragma once
// The state of the main edit box that the commands set: alignment, scroll bars, read-only mode,
// colours, and the caret jumps of the status labels.
//
// The menus read the current state from the edit box's own properties: alignment() (0 left,
// 1 centre, 2 right), scroll_bars() (1 horizontal, 2 vertical, 3 both) and read_only().
#include "runtime/window.h"

// Alignment 0, 1 or 2; toolbar button 12, 13 or 14 shows as pressed, the other two do not.
void align_left();
void align_center();
void align_right();

// With the horizontal bar the edit box keeps long lines whole; with the vertical bar alone it
// wraps them (the program's word wrap).
void set_scroll_bars_horizontal();
void set_scroll_bars_vertical();
void set_scroll_bars_both();

// Read-only when writable, writable when read-only. Not stored in the page or the options.
void toggle_read_only();

// The colour dialog over the owner, without a preset: the chosen colour, or color when cancelled.
unsigned choose_color(rt::Window& owner, unsigned color);
// Each asks for a colour; one equal to the edit box's other colour is refused with a message.
// With per-page colours the current page keeps the new colour.
void set_text_color();
void set_background_color();
void swap_colors();

// Double clicks on the status labels.
void move_caret_to_end();
void move_caret_to_start();
// To the character whose index is a quarter of the text's length in bytes.
void move_caret_to_quarter();
