#pragma once
// Mini mode: the main window gives way to the small bar "Velmora_迷你模式" (owned by it): a web
// search bar with a small clock, or in its compact form a big clock alone. Entering closes the
// tool windows, hides the main window and stops its timers (the clock, auto-save, the
// hand-over poll, edge hide) and drops on it; leaving brings all of it back. The bar snaps to
// the screen's edges and the taskbar, remembers its place, and takes texts and files dropped
// on it. The web search on it: web/web_search.h.
#include <string>
#include <vector>

// 1 when the bar's place is written on every move.
int mini_remember_position();

// The main window's 图形按钮_迷你模式.
void enter_mini_mode();
// The bar's 图形按钮_正常模式 and the tray menu's "正常模式(&Z)"; also after a long text or files
// were dropped on the bar. The hand-over poll and drops on the main window wait for an open run
// that is busy: its end brings them back.
void leave_mini_mode();
// A double click or a right click on the bar or its title: full to compact form and back.
void toggle_mini_compact();
// The bar's 图形按钮_关闭 (and a close of the bar by the system): the modified pages are offered
// for saving, then everything the program registered is given back and the program ends
// without writing the main window's place.
void exit_from_mini_mode();

// The bar's events.
void on_mini_created();
void on_mini_first_activation();
void on_mini_moved();
void reskin_mini_window();
bool may_close_mini_window();
void on_mini_destroying();
// The may-close steps: the suggestion popup hidden, the bar faded out (also at shutdown).
void fade_out_mini_window();
// The engine menu closed: the title again.
void restore_mini_caption();
// 图形按钮_最前: always-on-top off or on, with the matching pin and tip.
void toggle_mini_topmost();
// The clocks' ticks: one reading of the time each.
void update_mini_big_clock();
void update_mini_small_clock();
// A press on the title strip or a clock moves the bar.
void move_mini_window_by_title();

// Drops on the bar: a text of at most 67 bytes becomes the keyword; a longer one goes to the
// end of the main window's edit box and mini mode ends. Files are opened and mini mode ends.
void on_mini_text_dropped(const std::string& text);
void on_mini_files_dropped(const std::vector<std::string>& paths);

// The suggestion popup by the keyword box: under it when the screen has room, else above it.
void place_suggestion_popup_at_keyword_box();
