#pragma once
// Pictures of the read-aloud and typing-output windows, drawn by code on the skin's body colour.
#include <array>

#include "runtime/picture.h"

// The windows' program icons, 16 x 16: pictures 19 (a loudspeaker) and 76 (a keyboard) of the
// main window's menu image list over the body colour.
const rt::Picture& read_aloud_window_icon_picture();
const rt::Picture& typing_window_icon_picture();

// The read-aloud window's glyph buttons, kSpeechButtonWidth x kSpeechButtonHeight.
constexpr int kSpeechButtonWidth = 36, kSpeechButtonHeight = 28;
// Two-state buttons: pictures 0-2 the first state (normal, hover, pressed), 3-5 the second,
// 6 disabled. Start (a green triangle) and stop (a red square); pause (two bars) and resume
// (a green triangle).
const std::array<rt::Picture, 7>& read_control_button_strip();
const std::array<rt::Picture, 7>& pause_button_strip();
// One-state buttons: normal, hover, pressed, disabled. Speak to a file (a page with a sound
// wave), open a text file (a folder), hide to the tray (an arrow down onto a bar).
const std::array<rt::Picture, 4>& speak_to_file_button_pictures();
const std::array<rt::Picture, 4>& open_text_button_pictures();
const std::array<rt::Picture, 4>& hide_to_tray_button_pictures();

// The typing-output window's start and stop buttons (the caption is the button's own), 80 x 26:
// normal, hover, pressed, disabled.
const std::array<rt::Picture, 4>& typing_button_pictures();
