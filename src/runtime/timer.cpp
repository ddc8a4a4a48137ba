#include "runtime/timer.h"

#include <windows.h>

#include "runtime/window.h"

namespace rt {

Timer::~Timer() {
  if (owner_) {
    if (owner_->handle()) KillTimer(static_cast<HWND>(owner_->handle()), id_);
    owner_->remove_timer(id_);
  }
}

void Timer::create(Window& owner, int interval) {
  owner_ = &owner;
  id_ = owner.next_timer_id();
  owner.add_timer(this, id_);
  interval_ = 0;
  set_interval(interval);
}

void Timer::set_interval(int ms) {
  if (!owner_ || !owner_->handle()) return;
  HWND h = static_cast<HWND>(owner_->handle());
  if (ms <= 0) {
    KillTimer(h, id_);
    interval_ = 0;
    return;
  }
  if (ms == interval_) return;  // keeps the running countdown
  interval_ = ms;
  SetTimer(h, id_, static_cast<UINT>(ms), nullptr);
}

void Timer::fire() {
  if (interval_ > 0 && on_tick) on_tick();
}

void Timer::owner_gone() {
  owner_ = nullptr;
  interval_ = 0;
}

}  // namespace rt
