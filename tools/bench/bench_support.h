#pragma once
// What the benchmark programs share: the program's start, a clock, files in the temporary
// folder, a page of Chinese text and Wine's notepad.
#include <windows.h>

#include <string>
#include <string_view>

#include "app/globals.h"
#include "bench_text.h"
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

// Until Wine's notepad, started on the file, holds `chars` characters in its edit box; -1 when
// it did not within two minutes.
inline double notepad_open(const std::string& path, int chars) {
  int n = MultiByteToWideChar(936, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(936, 0, path.data(), static_cast<int>(path.size()), wide.data(), n);
  std::wstring cmd = L"notepad.exe \"" + wide + L"\"";
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  double t0 = now_ms();
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  double result = -1;
  while (now_ms() - t0 < 120000) {
    HWND top = FindWindowW(L"Notepad", nullptr);
    HWND edit = top ? FindWindowExW(top, nullptr, L"Edit", nullptr) : nullptr;
    DWORD_PTR len = 0;
    if (edit && SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &len) &&
        static_cast<int>(len) >= chars) {
      result = now_ms() - t0;
      break;
    }
    Sleep(5);
  }
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 5000);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return result;
}

}  // namespace bench
