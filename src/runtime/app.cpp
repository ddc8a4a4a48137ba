#include "runtime/app.h"

#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <mutex>
#include <new>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <vector>

#include "runtime/internal.h"
#include "runtime/script.h"
#include "runtime/seams.h"
#include "runtime/strings.h"

namespace rt {
namespace {

constexpr UINT kRunWork = WM_APP + 1;
constexpr UINT_PTR kAfterPaintTimer = 1;

HINSTANCE g_instance = nullptr;
HWND g_sink = nullptr;
DWORD g_ui_thread = 0;
std::string g_start_dir;
std::function<void()> g_end_of_program;
bool g_loop_running = false;
int g_top_level = 0;
std::vector<std::function<void()>> g_after_paint;

LRESULT CALLBACK sink_proc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_TIMER && w == kAfterPaintTimer) {
    KillTimer(h, kAfterPaintTimer);
    std::vector<std::function<void()>> due = std::move(g_after_paint);
    g_after_paint.clear();
    for (auto& work : due) {
      try {
        work();
      } catch (...) {
        report_current_exception();
      }
    }
    return 0;
  }
  if (msg == kRunWork) {
    std::unique_ptr<std::function<void()>> work(reinterpret_cast<std::function<void()>*>(l));
    try {
      (*work)();
    } catch (...) {
      report_current_exception();
    }
    return 0;
  }
  return DefWindowProcW(h, msg, w, l);
}

// Queues work for the UI thread; false when it could not be queued.
bool post_work(std::function<void()> work) {
  if (!g_sink) return false;
  auto* heap = new std::function<void()>(std::move(work));
  if (PostMessageW(g_sink, kRunWork, 0, reinterpret_cast<LPARAM>(heap))) return true;
  delete heap;
  return false;
}

// Reports of failures ------------------------------------------------------------------------

struct FailureReport {
  bool out_of_memory = false;
  std::string text;
};

std::function<bool()> g_out_of_memory_notice;
std::mutex g_reports_lock;
std::vector<std::string> g_waiting_reports;  // reports whose box has not been closed yet

void show_report(const FailureReport& r) {
  if (r.out_of_memory && g_out_of_memory_notice && on_ui_thread()) {
    try {
      if (g_out_of_memory_notice()) return;
    } catch (...) {
      // The notice itself failed (no memory for its window): the runtime's box still can.
    }
  }
  show_runtime_error(0, r.text);
}

void deliver_report(FailureReport r) {
  std::fprintf(stderr, "velmora: %s\n", r.text.c_str());
  std::fflush(stderr);
  const std::string key = (r.out_of_memory ? "1" : "0") + r.text;
  {
    std::lock_guard<std::mutex> lock(g_reports_lock);
    for (const std::string& k : g_waiting_reports)
      if (k == key) return;
    g_waiting_reports.push_back(key);
  }
  auto shown = [key] {
    std::lock_guard<std::mutex> lock(g_reports_lock);
    std::erase(g_waiting_reports, key);
  };
  // Shown from the message loop, not inside the frames that failed.
  bool posted = false;
  try {
    posted = post_work([r, shown] {
      show_report(r);
      shown();
    });
  } catch (...) {
  }
  if (posted) return;
  show_report(r);
  shown();
}

constexpr char kOutOfMemoryText[] = "内存不足，刚才的操作没有完成。";

std::string current_directory() {
  wchar_t buf[MAX_PATH * 2] = {};
  DWORD n = GetCurrentDirectoryW(MAX_PATH * 2, buf);
  return path_from_wide(std::wstring_view(buf, n < MAX_PATH * 2 ? n : 0));
}

}  // namespace

namespace detail {

HINSTANCE instance() { return g_instance; }

void register_class(const std::wstring& name, UINT style, HBRUSH background) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(g_instance, name.c_str(), &wc)) return;
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = runtime_proc;
  wc.hInstance = g_instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = background;
  wc.hIcon = LoadIconW(g_instance, L"VELMORA");
  wc.lpszClassName = name.c_str();
  RegisterClassExW(&wc);
}

void top_level_created() { ++g_top_level; }

void top_level_destroyed() {
  if (--g_top_level <= 0) {
    g_top_level = 0;
    if (g_loop_running) PostQuitMessage(0);
  }
}

}  // namespace detail

void initialize() {
  // A helper process of the script service never becomes the program.
  serve_as_script_helper_if_asked();
  if (g_instance) return;
  g_instance = GetModuleHandleW(nullptr);
  g_ui_thread = GetCurrentThreadId();
  g_start_dir = current_directory();
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = sink_proc;
  wc.hInstance = g_instance;
  wc.lpszClassName = L"VelmoraRuntimeSink";
  RegisterClassExW(&wc);
  g_sink = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, g_instance, nullptr);
}

void set_end_of_program(std::function<void()> routine) { g_end_of_program = std::move(routine); }

int run_message_loop() {
  g_loop_running = true;
  int code = 0;
  if (g_top_level > 0) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    code = static_cast<int>(msg.wParam);
  }
  g_loop_running = false;
  if (auto end = std::move(g_end_of_program)) {
    g_end_of_program = nullptr;
    end();
  }
  return code;
}

void show_runtime_error(int code, std::string_view text) {
  std::string body = code != 0 ? "错误代码:" + std::to_string(code) + "\r\n" + std::string(text) : std::string(text);
  if (seams::test_mode()) {
    std::fprintf(stderr, "runtime error %d: %s\n", code, body.c_str());
    std::fflush(stderr);
    seams::record_runtime_error(body);
  } else {
    MessageBoxW(nullptr, to_wide(body).c_str(), to_wide("运行时出错!").c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
  }
}

void runtime_error(int code, std::string_view text) {
  show_runtime_error(code == 0 ? 1 : code, text);
  ExitProcess(static_cast<UINT>(code == 0 ? 1 : code));
}

void set_out_of_memory_notice(std::function<bool()> notice) { g_out_of_memory_notice = std::move(notice); }

void report_out_of_memory() { deliver_report({true, kOutOfMemoryText}); }

void report_current_exception() {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    report_out_of_memory();
  } catch (const std::length_error&) {
    // Asked for more than any string or array can hold: the same for the user.
    report_out_of_memory();
  } catch (const std::exception& e) {
    deliver_report({false, std::string("程序出现了未处理的异常：") + e.what()});
  } catch (...) {
    deliver_report({false, "程序出现了未处理的异常。"});
  }
}

std::string program_directory() {
  // Cut in UTF-16, where a backslash is never part of another character.
  std::wstring path = wide_path(program_path());
  size_t last = path.rfind(L'\\');
  return last == std::wstring::npos ? std::string() : path_from_wide(path.substr(0, last + 1));
}

std::string program_path() {
  wchar_t buf[MAX_PATH * 2] = {};
  DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH * 2);
  return path_from_wide(std::wstring_view(buf, n < MAX_PATH * 2 ? n : 0));
}

std::string start_directory() { return g_start_dir; }

std::vector<std::string> command_line_arguments() {
  if (seams::test_mode()) return seams::command_line();
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::string> out;
  for (int i = 1; i < argc; ++i) out.push_back(path_from_wide(argv[i]));
  LocalFree(argv);
  return out;
}

std::string full_path(std::string_view path, std::string_view against) {
  if (path.empty()) return {};
  std::string base(against.empty() ? std::string_view(g_start_dir) : against);
  std::string p(path);
  bool absolute = (p.size() >= 2 && p[1] == ':') || p[0] == '\\' || p[0] == '/';
  if (!absolute && !base.empty()) {
    if (base.back() != '\\' && base.back() != '/') base += '\\';
    p = base + p;
  }
  wchar_t buf[MAX_PATH * 4] = {};
  DWORD n = GetFullPathNameW(wide_path(p).c_str(), MAX_PATH * 4, buf, nullptr);
  if (n == 0 || n >= MAX_PATH * 4) return p;
  return path_from_wide(std::wstring_view(buf, n));
}

void start_thread(std::function<void()> work, std::function<void()> if_failed) {
  auto failed = [if_failed] {
    // The worker's end first, so that its window is not left busy behind the report.
    if (if_failed) post(if_failed);
    report_current_exception();
  };
  auto guarded = [work = std::move(work), failed] {
    try {
      work();
    } catch (...) {
      failed();
    }
  };
  if (seams::workers_held()) {
    seams::hold_worker(std::move(guarded));
    return;
  }
  try {
    std::thread(std::move(guarded)).detach();
  } catch (...) {
    // No thread (no address space left for its stack): the work never runs.
    failed();
  }
}

bool on_ui_thread() { return GetCurrentThreadId() == g_ui_thread; }

void invoke(std::function<void()> work) {
  if (on_ui_thread()) {
    work();
    return;
  }
  if (!g_sink) return;
  auto* heap = new std::function<void()>(std::move(work));
  SendMessageW(g_sink, kRunWork, 0, reinterpret_cast<LPARAM>(heap));
}

void post(std::function<void()> work) { post_work(std::move(work)); }

void post_after_paint(std::function<void()> work) {
  if (!g_sink) return;
  g_after_paint.push_back(std::move(work));
  SetTimer(g_sink, kAfterPaintTimer, USER_TIMER_MINIMUM, nullptr);
}

bool pump_until(const std::function<bool()>& done, int timeout_ms) {
  DWORD start = GetTickCount();
  auto time_up = [&] { return GetTickCount() - start >= static_cast<DWORD>(timeout_ms); };
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return done && done();
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      // A timer whose handler outlasts its interval is due again as soon as it returns (the page
      // editor's pieces come so until the last is in), and the queue never runs dry: past the
      // wait's time, or once done holds, its next message is left to the loop that waited.
      if (msg.message == WM_TIMER && (time_up() || (done && done()))) break;
    }
    if (done && done()) return true;
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= static_cast<DWORD>(timeout_ms)) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(timeout_ms) - elapsed, QS_ALLINPUT);
  }
}

void delay_with_messages(int milliseconds) { pump_until(nullptr, milliseconds); }

int top_level_window_count() { return g_top_level; }

}  // namespace rt
