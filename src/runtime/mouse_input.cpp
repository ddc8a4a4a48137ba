#include "runtime/mouse_input.h"

#include <windows.h>

namespace rt {

Point cursor_position() {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

Point message_cursor_position() {
  DWORD pos = GetMessagePos();
  return {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
}

void mouse_input(unsigned flags, int dx, int dy) {
  mouse_event(flags, static_cast<DWORD>(dx), static_cast<DWORD>(dy), 0, GetMessageExtraInfo());
}

}  // namespace rt
