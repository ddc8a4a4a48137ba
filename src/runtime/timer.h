#pragma once
// Timer unit. Writing the interval it already has leaves the running countdown alone;
// 0 or less stops it.
#include <functional>

namespace rt {

class Window;

class Timer {
 public:
  Timer() = default;
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  void create(Window& owner, int interval = 0);
  int interval() const { return interval_; }
  void set_interval(int ms);
  bool running() const { return interval_ > 0 && owner_ != nullptr; }

  std::function<void()> on_tick;

  // Runtime side.
  void fire();
  void owner_gone();

 private:
  Window* owner_ = nullptr;
  unsigned id_ = 0;
  int interval_ = 0;
};

}  // namespace rt
