#pragma once
// Leaving the program: the pages are offered for saving, everything registered is given back,
// and the window's place is written.

extern int g_restart_pending;

void exit_program();
void restart_program();
// The main window's may-close event; the window may always close.
bool on_main_window_query_close();
void release_main_window();
// The main window's about-to-be-destroyed event.
void on_main_window_destroying();
