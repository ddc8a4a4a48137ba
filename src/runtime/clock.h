#pragma once
// The local time. A test can set the clock (a seam: the program reads it the same way).
#include <functional>

namespace rt {

struct DateTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
  int day_of_week = 0;  // 0 Sunday
};

// One reading of the local time.
DateTime now();

namespace seams {
// Replaces the clock; an empty function restores the system's.
void set_clock(std::function<DateTime()> clock);
}  // namespace seams

}  // namespace rt
