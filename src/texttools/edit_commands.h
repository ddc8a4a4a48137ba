#pragma once
// The edit commands on the main edit box and the states of the commands that follow it.

void undo_edit();
void cut_selection();
void copy_selection();
void paste_clipboard();
void delete_selection();
void select_all_text();
// Keeps the toolbar in step with the clipboard, the edit box and the current page.
void update_command_states();
// Cut and copy are enabled while something is selected, however the selection was made.
void update_selection_commands();
