// The exit of the program's own file, as a user ends it: this test program starts Velmora.exe
// (it is no instance of the program itself), opens tool windows and starts work that waits on
// the network and on another program, then closes the program, answers the exit question and
// waits for the process to end. The program is driven from outside only: window messages, keys
// and clicks through the system's input queue, and a real drag and drop. Every wait is bounded,
// and a program (or a helper of its evaluation) still running at the end of a test is ended.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "local_http_server.h"
#include "runtime/app.h"
#include "runtime/ini.h"
#include "runtime/seams.h"
#include "runtime/strings.h"

namespace {

std::string config_file() { return rt::program_directory() + "Config_Vel.ini"; }

std::string class_of(HWND h) {
  char name[128] = {};
  GetClassNameA(h, name, sizeof name);
  return name;
}

std::string text_of(HWND h) {
  wchar_t text[512] = {};
  GetWindowTextW(h, text, 512);
  return rt::to_gbk(text);
}

struct WindowSearch {
  DWORD pid;
  std::string cls;
  std::vector<HWND> found;
};

BOOL CALLBACK collect_window(HWND h, LPARAM l) {
  auto& s = *reinterpret_cast<WindowSearch*>(l);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == s.pid && class_of(h) == s.cls && IsWindowVisible(h)) s.found.push_back(h);
  return TRUE;
}

// The visible top-level windows of a class of the process.
std::vector<HWND> top_windows(DWORD pid, const std::string& cls) {
  WindowSearch s{pid, cls, {}};
  EnumWindows(collect_window, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::vector<HWND> children(HWND parent, const std::string& cls) {
  std::vector<HWND> out;
  for (HWND c = FindWindowExA(parent, nullptr, cls.c_str(), nullptr); c;
       c = FindWindowExA(parent, c, cls.c_str(), nullptr))
    out.push_back(c);
  return out;
}

// A button of the program's own (a graphic button) of the window by its caption, shown.
HWND button(HWND window, const std::string& caption) {
  for (HWND b : children(window, "VelmoraGraphicButton"))
    if (text_of(b) == caption && IsWindowVisible(b)) return b;
  return nullptr;
}

// The processes the process started (the helpers of an evaluation).
std::vector<DWORD> child_processes(DWORD pid) {
  std::vector<DWORD> out;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return out;
  PROCESSENTRY32W e{};
  e.dwSize = sizeof e;
  for (BOOL more = Process32FirstW(snapshot, &e); more; more = Process32NextW(snapshot, &e))
    if (e.th32ParentProcessID == pid && e.th32ProcessID != pid) out.push_back(e.th32ProcessID);
  CloseHandle(snapshot);
  return out;
}

// Waits (bounded) without dispatching: none of this program's windows takes part.
bool wait_until(const std::function<bool()>& done, int timeout_ms) {
  for (DWORD start = GetTickCount();; Sleep(20)) {
    if (done()) return true;
    if (GetTickCount() - start >= static_cast<DWORD>(timeout_ms)) return false;
  }
}

// The user's keyboard and mouse, through the system's input queue.
void key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}

void press(WORD vk) {
  key(vk, false);
  key(vk, true);
}

void press_ctrl(WORD vk) {
  key(VK_CONTROL, false);
  key(vk, false);
  Sleep(30);
  key(vk, true);
  key(VK_CONTROL, true);
}

void mouse(DWORD flags, POINT p) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = (p.x * 65536 + GetSystemMetrics(SM_CXSCREEN) / 2) / GetSystemMetrics(SM_CXSCREEN);
  in.mi.dy = (p.y * 65536 + GetSystemMetrics(SM_CYSCREEN) / 2) / GetSystemMetrics(SM_CYSCREEN);
  in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
}

// The left button clicked at a screen point; under Wine a pointer warped a moment ago can come
// back from the display, so the move is made again until the pointer is there.
void click_at(POINT p) {
  for (int tries = 0; tries < 20; ++tries) {
    mouse(0, p);
    Sleep(50);
    POINT at{};
    GetCursorPos(&at);
    if (at.x == p.x && at.y == p.y) break;
  }
  mouse(MOUSEEVENTF_LEFTDOWN, p);
  Sleep(30);
  mouse(MOUSEEVENTF_LEFTUP, p);
}

POINT centre_of(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A click of a graphic button by its messages.
void post_click(HWND b) {
  PostMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  PostMessageW(b, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

// A screen point where the window is the one under the pointer (none: x < 0).
POINT visible_point(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  for (int y = r.top + 10; y < r.bottom - 10; y += 12)
    for (int x = r.left + 10; x < r.right - 10; x += 12)
      if (WindowFromPoint({x, y}) == h) return {x, y};
  return {-1, -1};
}

// Opaque: a fade of the window has ended.
bool opaque(HWND h) {
  if (!(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_LAYERED)) return true;
  BYTE alpha = 0;
  DWORD flags = 0;
  return GetLayeredWindowAttributes(h, nullptr, &alpha, &flags) && (!(flags & LWA_ALPHA) || alpha == 255);
}

class ProgramExitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteFileA(config_file().c_str());
    // Fading on (as after the first start's machine check), each step 80 ms: every window the
    // exit fades out costs a second and more.
    rt::ini_write(config_file(), "程序设置", "环境监测优化完毕", "真");
    rt::ini_write(config_file(), "程序设置", "淡入淡出速度", "16");
    rt::ini_write(config_file(), "程序设置", "启动时不检测软件更新", "真");
    ASSERT_TRUE(start());
  }
  void TearDown() override {
    if (process_.hProcess) {
      if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, 10000);
      CloseHandle(process_.hProcess);
    }
    // An evaluation's helper ends itself shortly after its time limit.
    for (DWORD id : helpers_) {
      HANDLE h = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
      if (!h) continue;
      if (WaitForSingleObject(h, 15000) != WAIT_OBJECT_0) TerminateProcess(h, 1);
      CloseHandle(h);
    }
    DeleteFileA(config_file().c_str());
  }

  bool start() {
    std::string command = "\"" + rt::program_directory() + "Velmora.exe\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process_))
      return false;
    CloseHandle(process_.hThread);
    pid_ = process_.dwProcessId;
    // Started: the hand-over key is written and the main window's fade-in has ended.
    return wait_until(
        [&] {
          std::vector<HWND> mains = top_windows(pid_, "Velmora");
          main_ = mains.empty() ? nullptr : mains[0];
          if (!main_ || !IsWindowEnabled(main_) || !opaque(main_) ||
              rt::ini_read(config_file(), "程序设置", "进程通信钥匙").empty())
            return false;
          editor_ = page_editor();
          return editor_ != nullptr;
        },
        30000);
  }
  // The page's edit box: the main window's largest visible edit control.
  HWND page_editor() {
    HWND best = nullptr;
    long best_area = 0;
    for (HWND e : children(main_, "Edit")) {
      RECT r{};
      GetWindowRect(e, &r);
      long area = static_cast<long>(r.right - r.left) * (r.bottom - r.top);
      if (IsWindowVisible(e) && area > best_area) best = e, best_area = area;
    }
    return best;
  }
  // The edit box gets the focus by a real click where no tool window covers it (a click that
  // only activated the main window is made again).
  bool focus_editor() {
    auto focused = [&] {
      GUITHREADINFO info{sizeof info};
      return GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info) && info.hwndFocus == editor_;
    };
    for (int tries = 0; tries < 4; ++tries) {
      if (!wait_until([&] { return IsWindowEnabled(main_); }, 10000)) return false;
      POINT p = visible_point(editor_);
      if (p.x < 0) return false;
      click_at(p);
      if (wait_until(focused, 1000)) return true;
    }
    return false;
  }
  // A tool window opened by its shortcut in the edit box, once its fade-in has ended.
  bool open_by_shortcut(WORD vk, const std::string& cls) {
    if (!focus_editor()) return false;
    press_ctrl(vk);
    return wait_until(
        [&] {
          std::vector<HWND> shown = top_windows(pid_, cls);
          return !shown.empty() && opaque(shown[0]) && IsWindowEnabled(main_);
        },
        15000);
  }
  // The program's own box whose caption is "Velmora_" + title, once it shows (null: none came).
  HWND wait_for_box(const std::string& title, int timeout_ms = 15000) {
    HWND found = nullptr;
    wait_until(
        [&] {
          for (HWND b : top_windows(pid_, "VelmoraMessageBox"))
            if (text_of(b) == "Velmora_" + title) found = b;
          return found != nullptr;
        },
        timeout_ms);
    return found;
  }

  // Ten pages, the current one modified; five tool windows open; a dropped web address whose
  // reply never ends, fetched on a worker; and the evaluation of an expression that never ends,
  // waited for while its helper process runs it.
  void start_work(LocalHttpServer& never_done) {
    ASSERT_TRUE(focus_editor());
    for (int i = 0; i < 9; ++i) press_ctrl('N');  // the jump window opens from ten pages on
    ASSERT_TRUE(wait_until([&] { return text_of(main_).find("10") != std::string::npos; }, 10000));
    // A digit and a line break: the Extra menu's items are all enabled.
    for (wchar_t c : std::wstring(L"exit 1\r2")) PostMessageW(editor_, WM_CHAR, c, 1);
    const std::pair<WORD, const char*> tools[] = {{'J', "VelmoraCrypt"},
                                                  {'U', "VelmoraSimpTrad"},
                                                  {'T', "VelmoraFontSettings"},
                                                  {'F', "VelmoraFindReplace"},
                                                  {'D', "VelmoraJumpToPage"}};
    for (const auto& [shortcut, cls] : tools) {
      SCOPED_TRACE(cls);
      ASSERT_TRUE(open_by_shortcut(shortcut, cls));
    }

    never_done.set_reply("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + std::string(5000, 'x'), 1, 200);
    ASSERT_TRUE(focus_editor());
    POINT p = visible_point(editor_);
    ASSERT_GE(p.x, 0);
    ASSERT_TRUE(rt::seams::drag_and_drop({.url = never_done.address("/endless.html")}, p.x, p.y));
    ASSERT_TRUE(never_done.wait_for_requests(1, 10000));

    // 计算表达式 is the Extra menu's ninth item.
    HWND extra = button(main_, "附加");
    ASSERT_NE(extra, nullptr);
    ASSERT_TRUE(focus_editor());
    click_at(centre_of(extra));
    Sleep(500);
    for (int i = 0; i < 9; ++i) {
      press(VK_DOWN);
      Sleep(50);
    }
    press(VK_RETURN);
    HWND ask = wait_for_box("请输入表达式！");
    ASSERT_NE(ask, nullptr);
    std::vector<HWND> input = children(ask, "Edit");
    ASSERT_FALSE(input.empty());
    for (wchar_t c : std::wstring(L"while(true){}")) PostMessageW(input[0], WM_CHAR, c, 1);
    HWND ok = button(ask, "确定");
    ASSERT_NE(ok, nullptr);
    ASSERT_TRUE(wait_until([&] { return opaque(ask); }, 5000));
    post_click(ok);
    ASSERT_TRUE(wait_until([&] { return !child_processes(pid_).empty(); }, 10000));
    for (DWORD id : child_processes(pid_)) helpers_.push_back(id);
  }

  PROCESS_INFORMATION process_{};
  DWORD pid_ = 0;
  HWND main_ = nullptr;
  HWND editor_ = nullptr;
  std::vector<DWORD> helpers_;
};

struct ExitWay {
  const char* name;
  // The main window and its close button.
  void (*go)(HWND main, HWND close_button);
};
const ExitWay kExitWays[] = {
    {"Alt+F4, the system's close request", [](HWND main, HWND) { PostMessageW(main, WM_CLOSE, 0, 0); }},
    {"the close button", [](HWND, HWND close_button) { post_click(close_button); }},
};

// The main window's close button: the rightmost graphic button on its caption.
HWND close_button_of(HWND main) {
  RECT m{};
  GetWindowRect(main, &m);
  HWND found = nullptr;
  LONG right = 0;
  for (HWND b : children(main, "VelmoraGraphicButton")) {
    RECT r{};
    GetWindowRect(b, &r);
    if (IsWindowVisible(b) && r.top < m.top + 20 && r.right > right) found = b, right = r.right;
  }
  return found;
}

TEST_F(ProgramExitTest, AnExitWithToolWindowsAndWorkersRunningEndsWithinFiveSeconds) {
  for (const ExitWay& way : kExitWays) {
    SCOPED_TRACE(way.name);
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0) {
      CloseHandle(process_.hProcess);
      process_ = {};
      rt::ini_delete(config_file(), "程序设置", "进程通信钥匙");
      ASSERT_TRUE(start());
    }
    LocalHttpServer never_done;
    start_work(never_done);
    if (HasFatalFailure()) return;
    RECT place{};
    GetWindowRect(main_, &place);
    way.go(main_, close_button_of(main_));
    // The modified pages are asked about; No.
    HWND question = wait_for_box("在全部关闭之前请处理此任务？");
    ASSERT_NE(question, nullptr);
    HWND no = button(question, "否");
    ASSERT_NE(no, nullptr);
    ASSERT_TRUE(wait_until([&] { return opaque(question); }, 5000));
    post_click(no);
    DWORD answered = GetTickCount();
    EXPECT_EQ(WaitForSingleObject(process_.hProcess, 5000), WAIT_OBJECT_0) << "the exit waits";
    ASSERT_EQ(WaitForSingleObject(process_.hProcess, 30000), WAIT_OBJECT_0);
    std::printf("%s: the process ended %lu ms after the answer\n", way.name,
                static_cast<unsigned long>(GetTickCount() - answered));
    DWORD code = 1;
    GetExitCodeProcess(process_.hProcess, &code);
    EXPECT_EQ(code, 0u);
    // What the exit must still do: the hand-over key gone, the window's place written.
    EXPECT_EQ(rt::ini_read(config_file(), "程序设置", "进程通信钥匙"), "");
    EXPECT_EQ(rt::ini_read(config_file(), "程序设置", "窗口左边"), std::to_string(place.left));
    EXPECT_EQ(rt::ini_read(config_file(), "程序设置", "窗口顶边"), std::to_string(place.top));
    EXPECT_EQ(rt::ini_read(config_file(), "程序设置", "窗口宽度"), std::to_string(place.right - place.left));
  }
}

}  // namespace
