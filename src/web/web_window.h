#pragma once
// What the web windows (update, about, translation) share: their fade-in and opening pages in
// the browser.
#include <string>

#include "runtime/window.h"

// First activation: the window is shown with the fade once the activation is over, centred
// over the main window while that is visible and not minimized, otherwise where it stands.
void fade_in_web_window(rt::Window& window);
// Opens a web address with the default browser.
void open_in_browser(const std::string& address);
