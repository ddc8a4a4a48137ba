#pragma once
// The workers a tool window has started: its busy state (while any runs, the window does not
// close) and the generation that tells a result for the window loaded now from one for a window
// that has gone since. Used on the UI thread only.
namespace rt {

class WindowJobs {
 public:
  // A new load of the window: what earlier workers bring back is dropped, none counts as running.
  void restart() {
    ++generation_;
    running_ = 0;
  }
  int generation() const { return generation_; }
  bool current(int generation) const { return generation == generation_; }
  // A worker starts; the generation it carries back.
  int begin() {
    ++running_;
    return generation_;
  }
  // Its worker has ended: false for one of an earlier load, which counts no more.
  bool end(int generation) {
    if (!current(generation)) return false;
    if (running_ > 0) --running_;
    return true;
  }
  bool busy() const { return running_ > 0; }
  int running() const { return running_; }

 private:
  int generation_ = 0;
  int running_ = 0;
};

}  // namespace rt
