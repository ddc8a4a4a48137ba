#pragma once
// The version of the system the program runs on, as the program tells them apart.

// The system's version code: 4 NT 4 or older, 5 for 5.0, 6 for 5.1, 7 for 5.2, 8 for 6.0,
// 9 for 6.1, 0 for any other (the pre-NT systems, 1 and 2, never run this program).
int os_version_code();
