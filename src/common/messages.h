#pragma once
// Messages and questions the program puts to the user, in its own message box over the main
// window (or the owner given), fading as the fade option says. Returns the code of the button
// that closed the box (OK 0, Cancel 1, Abort 2, Retry 3, Ignore 4, Yes 5, No 6; 1 for a close
// without a button).
#include <string>

#include "runtime/window.h"

int tell_user(int buttons, int icon, const std::string& title, unsigned title_color, const std::string& text,
              unsigned text_color, bool* closed_without_button = nullptr, rt::Window* owner = nullptr);

// The program's word that memory ran out and what was being done was left undone (the
// runtime's notice of out-of-memory failures); false when the main window cannot carry it.
bool tell_out_of_memory();

// An input prompt over the main window: OK and Cancel, icon 32, the title magenta, the text green,
// the input blue. True when OK closed the box; answer then holds what was typed, else "".
bool ask_user_text(const std::string& title, const std::string& text, std::string& answer,
                   const std::string& default_text = {}, bool enter_submits = false);
