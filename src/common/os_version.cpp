#include "common/os_version.h"

#include "runtime/system.h"

int os_version_code() {
  rt::OsVersion v = rt::os_version();
  if (v.major == 0) return 0;
  if (v.major <= 4) return 4;
  if (v.major == 5) return v.minor == 0 ? 5 : v.minor == 1 ? 6 : v.minor == 2 ? 7 : 0;
  if (v.major == 6) return v.minor == 0 ? 8 : v.minor == 1 ? 9 : 0;
  return 0;
}
