#pragma once
// What the tab menus do with the file behind a page: run it as a batch file, snapshot the edit
// box, rename, open in the system notepad, copy or move, restore the backup, the shell's
// properties dialog, delete to the recycle bin and show its folder. Each reports through the
// program's own message box.
#include <string>

// The edit box's text written to the temporary folder as "<name>_批处理调试.<extension>" and
// opened with the shell's default action (a .bat or .cmd page runs). Nothing is reported.
void run_page_as_batch();
// Ctrl+F5: run_page_as_batch when the current page's extension is cmd or bat (any case).
void run_page_as_batch_if_batch_file();
// The edit box as it shows on the screen, saved as a BMP file the user chooses.
void save_page_snapshot();
// Renames the current page's file to a name the user types; the page and its tab follow.
void rename_page_file();
// The system notepad with the current page's file.
void open_in_system_notepad();
// Copies (move false) or moves the current page's file to a file the user chooses; a moved
// page follows its file.
void copy_or_move_page_file(bool move);
// The edit box takes the text of the current page's backup (the forced save's, else
// path + ".BAK"), replacing unsaved changes; the page then counts as unmodified.
void restore_page_backup();
// The shell's properties dialog of the page's file, over the main window; a page without a
// path does nothing.
void show_file_properties_dialog(int page);
// Deletes the current page's file to the recycle bin and closes the page.
void recycle_page_file();
// Explorer with the page's file selected.
void reveal_page_file(int page);

// The commands of the tab menus: the current page, or the tab whose own menu was opened.
void show_current_file_properties();
void show_remembered_file_properties();
void reveal_current_file();
void reveal_remembered_file();
