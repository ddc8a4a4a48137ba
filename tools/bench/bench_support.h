#pragma once
// What the benchmark programs share: the program's start, a clock and files in the temporary
// folder.
#include <windows.h>

#include <string>

#include "app/globals.h"
#include "forms/main_window_form.h"
#include "runtime/app.h"
#include "runtime/seams.h"

namespace bench {

// The program as at its first start (no configuration file), its edit box focused; false when
// its main window did not load.
inline bool start_program() {
  rt::initialize();
  rt::seams::enable_test_mode();
  DeleteFileA((rt::program_directory() + "Config_Vel.ini").c_str());
  init_globals();
  if (!main_window().load()) return false;
  rt::pump_until([] { return main_window().编辑框_文本类容.has_focus(); }, 5000);
  return true;
}

inline double now_ms() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// The bytes as a file of the temporary folder; its path.
inline std::string write_temp(const std::string& name, const std::string& bytes) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + name;
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD n = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
  CloseHandle(h);
  return path;
}

}  // namespace bench
