#pragma once
// The other program of the reader tests (foreign_target.cpp) as a process a test starts and
// ends: started with a token, found by its window's class and the token it takes as caption
// once every control stands; ended by its handle. Every wait is bounded.
#include <windows.h>

#include <string>

#include "foreign_target.h"
#include "runtime/app.h"

class ForeignTargetProcess {
 public:
  ForeignTargetProcess() = default;
  ForeignTargetProcess(const ForeignTargetProcess&) = delete;
  ForeignTargetProcess& operator=(const ForeignTargetProcess&) = delete;
  ~ForeignTargetProcess() { end(); }

  // Starts the target and waits for its window; false when it did not appear in time.
  bool start() {
    static int started = 0;
    std::string token = "foreign-target-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++started);
    std::string command = "\"" + rt::program_directory() + "velmora_foreign_target.exe\" " + token;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process_))
      return false;
    CloseHandle(process_.hThread);
    WaitForInputIdle(process_.hProcess, 15000);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 15000; Sleep(20)) {
      window_ = FindWindowA(foreign_target::kWindowClass, token.c_str());
      if (window_) return true;
    }
    return false;
  }
  void end() {
    if (!process_.hProcess) return;
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 10000);
    CloseHandle(process_.hProcess);
    process_ = {};
    window_ = nullptr;
  }
  HWND window() const { return window_; }
  HWND control(int id) const { return GetDlgItem(window_, id); }

 private:
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};
