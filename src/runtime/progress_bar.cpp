#include "runtime/progress_bar.h"

#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "runtime/window.h"

namespace rt {

void ProgressBar::create(Window& parent, Rect r) {
  maximum_ = 100;
  position_ = 0;
  create_control(parent, PROGRESS_CLASSW, 0, 0, r);
}

void ProgressBar::set_maximum(int v) {
  if (!handle_) return;
  maximum_ = v;
  SendMessageW(static_cast<HWND>(handle_), PBM_SETRANGE32, 0, v);
}

void ProgressBar::set_position(int v) {
  if (!handle_) return;
  position_ = v;
  SendMessageW(static_cast<HWND>(handle_), PBM_SETPOS, static_cast<WPARAM>(v), 0);
}

}  // namespace rt
