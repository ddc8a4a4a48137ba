#include "runtime/system.h"

#include <windows.h>

#include "runtime/strings.h"

namespace rt {

namespace {

std::vector<Screen> g_told_screens;

Rect rect_of(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

BOOL CALLBACK add_screen(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  auto& screens = *reinterpret_cast<std::vector<Screen>*>(list);
  Screen s{rect_of(info.rcMonitor), rect_of(info.rcWork)};
  if (info.dwFlags & MONITORINFOF_PRIMARY)
    screens.insert(screens.begin(), s);
  else
    screens.push_back(s);
  return TRUE;
}

}  // namespace

int screen_width() { return g_told_screens.empty() ? GetSystemMetrics(SM_CXSCREEN) : g_told_screens[0].whole.width; }
int screen_height() {
  return g_told_screens.empty() ? GetSystemMetrics(SM_CYSCREEN) : g_told_screens[0].whole.height;
}

std::vector<Screen> screens() {
  if (!g_told_screens.empty()) return g_told_screens;
  std::vector<Screen> list;
  EnumDisplayMonitors(nullptr, nullptr, add_screen, reinterpret_cast<LPARAM>(&list));
  if (list.empty()) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    list.push_back({{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, rect_of(work)});
  }
  return list;
}

Rect work_area() {
  if (!g_told_screens.empty()) return g_told_screens[0].work;
  RECT r{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return rect_of(r);
}

void seams::set_screens(std::vector<Screen> screens) { g_told_screens = std::move(screens); }

std::string environment_variable(std::string_view name) {
  std::wstring n = to_wide(name);
  DWORD size = GetEnvironmentVariableW(n.c_str(), nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  DWORD got = GetEnvironmentVariableW(n.c_str(), value.data(), size);
  value.resize(got);
  return to_gbk(value);
}

std::string windows_directory() {
  wchar_t buffer[MAX_PATH + 1] = {};
  UINT n = GetWindowsDirectoryW(buffer, MAX_PATH + 1);
  if (n == 0 || n > MAX_PATH) return {};
  std::string dir = path_from_wide(std::wstring_view(buffer, n));
  if (!dir.empty() && dir.back() == '\\') dir.pop_back();
  return dir;
}

Point caret_screen_position() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetCurrentThreadId(), &info) || !info.hwndCaret) return {};
  POINT p{info.rcCaret.left, info.rcCaret.top};
  ClientToScreen(info.hwndCaret, &p);
  return {p.x, p.y};
}

OsVersion os_version() {
  // RtlGetVersion tells the truth where GetVersionEx answers for the manifest.
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  auto fn = reinterpret_cast<RtlGetVersionFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
  OSVERSIONINFOW v{};
  v.dwOSVersionInfoSize = sizeof v;
  if (!fn || fn(&v) != 0) return {};
  return {static_cast<int>(v.dwMajorVersion), static_cast<int>(v.dwMinorVersion)};
}

int physical_memory_mb() {
  MEMORYSTATUSEX m{};
  m.dwLength = sizeof m;
  if (!GlobalMemoryStatusEx(&m)) return 0;
  return static_cast<int>(m.ullTotalPhys / (1024 * 1024));
}

void trim_working_set() {
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

bool named_event_exists(std::string_view name) {
  HANDLE h = OpenEventA(EVENT_ALL_ACCESS, FALSE, std::string(name).c_str());
  if (!h) return false;
  CloseHandle(h);
  return true;
}

void* create_named_event(std::string_view name) {
  return CreateEventA(nullptr, FALSE, FALSE, std::string(name).c_str());
}

void close_named_event(void* event) {
  if (event) CloseHandle(static_cast<HANDLE>(event));
}

uint32_t current_process_id() { return GetCurrentProcessId(); }

uint32_t tick_count() { return GetTickCount(); }

void sleep_ms(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds > 0 ? milliseconds : 0)); }

}  // namespace rt
