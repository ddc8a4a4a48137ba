#pragma once
// What every tool window does the same way: its skin frame, its dress when created, the fade
// at its first activation, opening over the main window.
#include <string_view>

#include "common/skin.h"
#include "runtime/edit_box.h"
#include "runtime/graphic_button.h"
#include "runtime/picture.h"
#include "runtime/window.h"

// Form side: the eight frame labels along the edges of a window of this size, the title
// strip showing the title.
void create_tool_window_frame(rt::Window& window, int width, int height, const SkinLabels& labels,
                              std::string_view title);
// Created: fully transparent, the program icon and the close button's pictures, the skin frame.
void dress_tool_window(rt::Window& window, rt::GraphicButton& icon_button, const rt::Picture& icon,
                       rt::GraphicButton& close_button, const SkinLabels& labels);
// First activation: the window is shown with show_window_faded once the activation is over
// (the fade moves and focuses it), unless it has gone meanwhile; centred over the main window
// unless keep_position.
void fade_in_after_first_activation(rt::Window& window, bool keep_position = false);
// Menu commands: a loaded window comes forward, otherwise it is loaded with the main window as
// owner.
void open_tool_window(rt::Window& window);
// Ctrl+A in an edit box: selects all of it and swallows the key (false); other keys pass.
bool select_all_on_ctrl_a(rt::EditBox& box, int key, int modifiers);
