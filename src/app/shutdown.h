#pragma once
// Leaving the program: the pages are offered for saving, everything registered is given back,
// and the window's place is written.

// Every exit command (the menus' items, the tray, the close button, Alt+F4) ends in the
// may-close event. The exit stops, the program staying with its pages as they are, when a
// modified page is still unsaved after the user said Yes (a dialog cancelled, a write failed
// or declined); No exits without saving. Nothing exits while an open run is busy.
void exit_program();
void restart_program();
// A restart is under way.
bool restart_pending();
// A fresh start: no restart under way.
void reset_shutdown();
// The exit question, the release and the window's place written: false when the exit stopped
// and the program stays. exit_program and restart_program run it.
bool on_main_window_query_close();
// The main window's may-close event (Alt+F4, the system's close request): the same, then the
// process ends at once; false keeps the window and the program.
bool on_main_window_may_close();
// The releasing half: the message box closed, the main window's timers stopped, the hand-over
// given back, the tool windows faded out together and closed, the tray icon, the hotkey, the
// snapping and the dialog placement given back.
void release_main_window();
// The main window's about-to-be-destroyed event.
void on_main_window_destroying();
