#pragma once
// Edge auto-hide: with the option on, the main window slides out at a screen edge when the
// pointer has left it for the hide delay, leaving a 2-pixel sliver, and slides back when the
// pointer has rested on the sliver for the delay. Three timers of the main window drive it:
// the 250 ms pointer poll 时钟_显示出来, the one-shot delay 时钟_真正显示 and the 3500 ms pause
// 时钟_延迟执行任务 after the window was brought back from outside.
#include "app/edge_state.h"

// The option switched off: a slid-out window goes back to its place at once, without a slide.
void put_back_from_edge();
// A fresh start: nothing slid out.
void reset_edge_hide();

// First activation: with the option on, the stored delay and the poll (not while maximized).
void apply_edge_hide_at_start();
// The ticks of the three timers.
void poll_cursor_for_edge_hide();
void on_hide_delay_elapsed();
void on_delayed_task_timer();
// The pointer poll again, when the option is on and the window is not maximized.
void resume_edge_hide_poll();
// Slides a slid-out window back, or a shown one out at the edge it touches.
void toggle_edge_slide();
// Keeps the window's place before it slides out (and closes the open-pages popup).
void remember_pos_before_slide();
// Brings a window slid out at a screen edge back, before the tray, the boss key, the open
// routine or another program shows it, and keeps it there for 3500 ms.
void leave_edge_hide();
// Focus to the edit box, the window up from the task bar or to the top, and visible unless
// mini mode is on.
void bring_main_window_forward();
// Whether the screen point lies over the main window, the pixel just past its right and bottom
// edges included.
bool cursor_in_main_window(int x, int y);
// A press on a tab ends a running tab-scroll animation: the timer goes back to auto-saving.
void on_tab_pressed();
