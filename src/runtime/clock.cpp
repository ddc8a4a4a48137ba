#include "runtime/clock.h"

#include <windows.h>

namespace rt {
namespace {
std::function<DateTime()> g_clock;
}

DateTime now() {
  if (g_clock) return g_clock();
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds, t.wDayOfWeek};
}

void seams::set_clock(std::function<DateTime()> clock) { g_clock = std::move(clock); }

}  // namespace rt
