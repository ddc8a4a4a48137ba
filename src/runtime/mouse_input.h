#pragma once
// The mouse as the system sees it: where the pointer is, and synthetic input that the system
// treats as the user's own (it lands on whatever window lies under the pointer).
#include "runtime/system.h"

namespace rt {

// The pointer's position on the screen.
Point cursor_position();
// Where the pointer was when the input message being handled was made: the press that starts a
// drag, or the mouse move the system's move loop is handling. Unlike the pointer's position now,
// it goes with the message (the pointer may already be further on).
Point message_cursor_position();
// One mouse_event call (flags as the system defines them: move 0x0001, left down 0x0002, left
// up 0x0004, right down 0x0008, right up 0x0010, middle down 0x0020, middle up 0x0040,
// absolute 0x8000), with the extra information of the message being handled.
void mouse_input(unsigned flags, int dx, int dy);

}  // namespace rt
