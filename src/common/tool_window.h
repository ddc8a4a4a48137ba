#pragma once
// What every tool window does the same way besides its skin frame and dress (common/skin.h):
// the fade at its first activation, opening over the main window.
#include "common/skin.h"
#include "runtime/edit_box.h"
#include "runtime/window.h"

// First activation: the window is shown with show_window_faded once the activation is over
// (the fade moves and focuses it), unless it has gone meanwhile; centred over the main window
// unless keep_position.
void fade_in_after_first_activation(rt::Window& window, bool keep_position = false);
// Menu commands: a loaded window comes forward, otherwise it is loaded with the main window as
// owner.
void open_tool_window(rt::Window& window);
// Ctrl+A in an edit box: selects all of it and swallows the key (false); other keys pass.
bool select_all_on_ctrl_a(rt::EditBox& box, int key, int modifiers);
