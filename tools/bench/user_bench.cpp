// Measures the program as its user meets it, from outside: it starts the program's file (the
// packaged Velmora.exe, named on the command line) and Wine's notepad beside it, one after the
// other in every round, and prints the median of the rounds with the least and the most:
//   - opening a file of 1, 10, 25 and 50 MB of Chinese GBK text from the command line: until the
//     first screen is painted (the edit box holds the page's length and has no paint pending)
//     and until the whole page is in (the program has stopped working: its process takes no
//     more processor time, as the system counts it);
//   - replace all of 100 000 occurrences in a 10 MB page through the find window, until the
//     program has stopped working;
//   - typing at the end of a wrapped 10 MB page (a key, Enter, Backspace, a paste of 1 KB): from
//     the input to the edit box holding its result with its repaint done;
//   - the start without a file, until the main window is painted, and the memory the process
//     then holds (its working set, two seconds later).
// Figures only: nothing here passes or fails. It uses nothing of the program but its file.
//   velmora_user_bench.exe PATH\Velmora.exe [ROUNDS [PART]]   (PART: start, open, replace, typing)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "bench_text.h"

namespace {

double now_ms() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

std::wstring wide(const std::string& gbk) {
  int n = MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), w.data(), n);
  return w;
}

std::string temp_file(const std::string& name, const std::string& bytes) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + name;
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD n = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
  CloseHandle(h);
  return path;
}

std::string read_file(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::string s(8192, '\0');
  DWORD n = 0;
  ReadFile(h, s.data(), static_cast<DWORD>(s.size()), &n, nullptr);
  CloseHandle(h);
  s.resize(n);
  return s;
}

// The system's processes (of the machine Wine runs on) whose command line holds `name`.
std::set<int> system_processes(const std::string& name) {
  std::set<int> found;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA("Z:\\proc\\*", &fd);
  if (h == INVALID_HANDLE_VALUE) return found;
  do {
    if (fd.cFileName[0] < '0' || fd.cFileName[0] > '9') continue;
    std::string line = read_file(std::string("Z:\\proc\\") + fd.cFileName + "\\cmdline");
    for (char& c : line) c = static_cast<char>(c ? std::tolower(static_cast<unsigned char>(c)) : ' ');
    if (line.find(name) != std::string::npos) found.insert(std::atoi(fd.cFileName));
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return found;
}

// The processor time the system counted for the process, in its ticks (10 ms).
long long processor_ticks(int pid) {
  std::string stat = read_file("Z:\\proc\\" + std::to_string(pid) + "\\stat");
  size_t at = stat.rfind(')');
  if (at == std::string::npos) return -1;
  // After the name: state, then fields 4 to 13, then the user and system times.
  std::vector<long long> fields;
  for (size_t i = at + 2; i < stat.size() && fields.size() < 14;) {
    size_t end = stat.find(' ', i);
    fields.push_back(std::atoll(stat.substr(i, end - i).c_str()));
    if (end == std::string::npos) break;
    i = end + 1;
  }
  return fields.size() >= 13 ? fields[11] + fields[12] : -1;
}

struct Program {
  std::string name;
  std::wstring exe;      // its file
  std::string process;   // how its command line names it, in lower case
  bool velmora = false;
};

struct Running {
  PROCESS_INFORMATION pi{};
  int system_pid = 0;
  std::string process;
  std::set<int> before;  // the system's processes of that name before the start
  double started = 0;
  HWND top = nullptr, editor = nullptr;
};

struct Search {
  DWORD pid;
  HWND best;
  long area;
  const wchar_t* cls;
  HWND except;
};

BOOL CALLBACK take_top(HWND h, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(h, &owner);
  RECT r;
  if (owner == s->pid && h != s->except && IsWindowVisible(h) && GetWindowRect(h, &r)) {
    long area = (r.right - r.left) * (r.bottom - r.top);
    if (area > s->area) s->best = h, s->area = area;
  }
  return TRUE;
}

BOOL CALLBACK take_edit_box(HWND h, LPARAM p) {
  wchar_t cls[16];
  // Hidden ones too: the page editor takes its pieces while it is not drawn, which the system
  // marks by taking its visibility away.
  if (IsWindowVisible(GetParent(h)) && GetClassNameW(h, cls, 16) && lstrcmpiW(cls, L"Edit") == 0)
    reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
  return TRUE;
}

// The largest visible top-level window of the process (but `except`).
HWND top_window(DWORD pid, HWND except = nullptr) {
  Search s{pid, nullptr, 0, nullptr, except};
  EnumWindows(&take_top, reinterpret_cast<LPARAM>(&s));
  return s.best;
}

// The edit boxes of the window: the largest first, or by their place from the top.
std::vector<HWND> edit_boxes(HWND top, bool by_place) {
  std::vector<HWND> found;
  EnumChildWindows(top, &take_edit_box, reinterpret_cast<LPARAM>(&found));
  auto area = [](HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return (r.right - r.left) * (r.bottom - r.top);
  };
  auto top_of = [](HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return r.top;
  };
  std::sort(found.begin(), found.end(),
            [&](HWND a, HWND b) { return by_place ? top_of(a) < top_of(b) : area(a) > area(b); });
  return found;
}

bool answers(HWND h) {
  DWORD_PTR r = 0;
  return SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_NORMAL, 120000, &r) != 0;
}

long text_length(HWND h) {
  DWORD_PTR r = 0;
  if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 120000, &r)) return -1;
  return static_cast<long>(r);
}

// What the window has still to paint painted now (by its own thread), and answered after.
void painted(HWND h) {
  RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  answers(h);
}

void wait_until(const std::function<bool()>& done, double ms) {
  double t0 = now_ms();
  while (!done() && now_ms() - t0 < ms) Sleep(2);
}

Running start(const Program& p, const std::string& file) {
  Running r;
  r.process = p.process;
  r.before = system_processes(p.process);
  std::wstring cmd = L"\"" + p.exe + L"\"";
  if (!file.empty()) cmd += L" \"" + wide(file) + L"\"";
  std::wstring dir = p.exe.substr(0, p.exe.find_last_of(L'\\') + 1);
  STARTUPINFOW si{sizeof si};
  r.started = now_ms();
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.empty() ? nullptr : dir.c_str(),
                      &si, &r.pi))
    return r;
  wait_until([&] { return (r.top = top_window(r.pi.dwProcessId)) != nullptr; }, 60000);
  return r;
}

// The system's process id of the started program, looked up only when its processor time is
// wanted: the look-up reads every process's command line, which would count as the program's
// own start.
int system_pid(Running& r) {
  for (int i = 0; i < 500 && !r.system_pid; ++i) {
    for (int pid : system_processes(r.process))
      if (!r.before.count(pid)) r.system_pid = pid;
    if (!r.system_pid) Sleep(10);
  }
  return r.system_pid;
}

void stop(Running& r) {
  if (!r.pi.hProcess) return;
  TerminateProcess(r.pi.hProcess, 0);
  WaitForSingleObject(r.pi.hProcess, 10000);
  CloseHandle(r.pi.hProcess);
  CloseHandle(r.pi.hThread);
  r.pi = {};
  Sleep(300);
}

// From the start until the process has stopped working: the last moment before half a second in
// which the system counted it at most one tick.
double idle_since_start(Running& r, double limit_ms = 300000) {
  int pid = system_pid(r);
  struct Sample {
    double t;
    long long ticks;
  };
  std::vector<Sample> samples;
  double t0 = now_ms();
  while (now_ms() - t0 < limit_ms) {
    samples.push_back({now_ms(), processor_ticks(pid)});
    const Sample& last = samples.back();
    auto window = std::find_if(samples.begin(), samples.end(), [&](const Sample& s) { return s.t >= last.t - 500; });
    if (last.t - samples.front().t >= 500 && last.ticks - window->ticks <= 1) {
      auto done = std::find_if(samples.begin(), samples.end(), [&](const Sample& s) { return s.ticks >= last.ticks - 1; });
      return done->t - r.started;
    }
    Sleep(20);
  }
  return -1;
}

void set_notepad(bool wrap) {
  HKEY k;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Notepad", 0, nullptr, 0, KEY_WRITE, nullptr, &k,
                      nullptr) != ERROR_SUCCESS)
    return;
  auto dword = [&](const wchar_t* name, DWORD v) {
    RegSetValueExW(k, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
  };
  // The page editor's font and the main window's size.
  const wchar_t face[] = L"\x5B8B\x4F53";
  RegSetValueExW(k, L"lfFaceName", 0, REG_SZ, reinterpret_cast<const BYTE*>(face), sizeof face);
  dword(L"iPointSize", 90);
  dword(L"lfCharSet", GB2312_CHARSET);
  dword(L"fWrap", wrap ? 1 : 0);
  dword(L"iWindowPosX", 40);
  dword(L"iWindowPosY", 40);
  dword(L"iWindowPosDX", 788);
  dword(L"iWindowPosDY", 597);
  RegCloseKey(k);
}

struct Figures {
  std::vector<double> values;
  void add(double v) {
    if (v >= 0) values.push_back(v);
  }
  std::string text(const char* format = "%.0f") const {
    if (values.empty()) return "-";
    std::vector<double> v = values;
    std::sort(v.begin(), v.end());
    char out[96];
    char f[64];
    std::snprintf(f, sizeof f, "%s (%s-%s)", format, format, format);
    std::snprintf(out, sizeof out, f, v[v.size() / 2], v.front(), v.back());
    return out;
  }
};

void key(WORD vk, bool ctrl = false) {
  std::vector<INPUT> in;
  auto add = [&](WORD k, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = k;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  };
  if (ctrl) add(VK_CONTROL, false);
  add(vk, false);
  add(vk, true);
  if (ctrl) add(VK_CONTROL, true);
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

// A click of the left button at the place of the window's client area, into the window there.
void click_at(HWND window, int x, int y) {
  POINT p{x, y};
  HWND target = ChildWindowFromPointEx(window, p, CWP_SKIPINVISIBLE);
  if (!target) target = window;
  MapWindowPoints(window, target, &p, 1);
  PostMessageW(target, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
  PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  PostMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

void to_front(HWND top, HWND editor) {
  SetForegroundWindow(top);
  wait_until([&] { return GetForegroundWindow() == top; }, 2000);
  DWORD thread = GetWindowThreadProcessId(editor, nullptr);
  AttachThreadInput(GetCurrentThreadId(), thread, TRUE);
  SetFocus(editor);
  AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
  answers(editor);
}

// Until the program's page editor holds `chars` characters (the editor found on the way).
void wait_for_page(Running& r, long chars) {
  wait_until(
      [&] {
        std::vector<HWND> boxes = edit_boxes(r.top, false);
        r.editor = boxes.empty() ? nullptr : boxes.front();
        return r.editor && text_length(r.editor) >= chars;
      },
      300000);
}

// An opened page, until its first screen and until it is whole.
void open_page(const Program& p, const std::string& file, long chars, Figures& first, Figures& whole) {
  Running r = start(p, file);
  if (!r.top) {
    std::printf("(%s did not start)\n", p.name.c_str());
    return stop(r);
  }
  wait_for_page(r, chars);
  if (r.editor) {
    painted(r.editor);
    first.add(now_ms() - r.started);
    whole.add(idle_since_start(r));
  }
  stop(r);
}

struct Cells {
  Figures key, enter, backspace, paste;
};

// Typing at the end of the page: each input until the edit box holds its result and has painted.
void type_at_end(HWND top, HWND editor, Cells& cells) {
  to_front(top, editor);
  key(VK_END, true);
  answers(editor);
  painted(editor);
  auto timed = [&](const std::function<void()>& input, long grows, Figures& into) {
    long before = text_length(editor);
    double t0 = now_ms();
    input();
    wait_until([&] { return text_length(editor) == before + grows; }, 20000);
    painted(editor);
    into.add(now_ms() - t0);
    Sleep(150);
  };
  timed([] { key('A'); }, 1, cells.key);
  timed([] { key(VK_BACK); }, -1, cells.backspace);
  timed([] { key(VK_RETURN); }, 2, cells.enter);
  timed([] { key(VK_BACK); }, -2, cells.backspace);
  timed([] { key('V', true); }, 512, cells.paste);
}

void put_on_clipboard(const std::wstring& text) {
  OpenClipboard(nullptr);
  EmptyClipboard();
  HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  auto* p = static_cast<wchar_t*>(GlobalLock(g));
  std::copy_n(text.c_str(), text.size() + 1, p);
  GlobalUnlock(g);
  SetClipboardData(CF_UNICODETEXT, g);
  CloseClipboard();
}

// Replace all through the program's find window (Ctrl+F): until the program has stopped working.
double replace_all(const Program& p, const std::string& file, long chars, const std::wstring& what,
                   const std::wstring& with) {
  Running r = start(p, file);
  double ms = -1;
  wait_for_page(r, chars);
  if (r.editor && idle_since_start(r) >= 0) {
    to_front(r.top, r.editor);
    key('F', true);
    HWND find = nullptr;
    wait_until([&] { return (find = top_window(r.pi.dwProcessId, r.top)) != nullptr; }, 10000);
    std::vector<HWND> boxes = find ? edit_boxes(find, true) : std::vector<HWND>{};
    if (boxes.size() >= 2) {
      SendMessageW(boxes[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(what.c_str()));
      SendMessageW(boxes[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(with.c_str()));
      // The find window fades in; it takes its button's click once it is there.
      Sleep(1000);
      answers(find);
      // The button "全部替换" of the find window.
      r.started = now_ms();
      click_at(find, 268 + 36, 93 + 12);
      ms = idle_since_start(r);
    } else {
      std::printf("(no find window)\n");
    }
  }
  stop(r);
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::printf("usage: velmora_user_bench PATH\\Velmora.exe [ROUNDS]\n");
    return 2;
  }
  int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  std::string part = argc > 3 ? argv[3] : "";
  auto runs = [&](const char* name) { return part.empty() || part == name; };
  char full[MAX_PATH];
  GetFullPathNameA(argv[1], MAX_PATH, full, nullptr);
  Program velmora{"Velmora", wide(full), "velmora.exe", true};
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  Program notepad{"notepad", std::wstring(system) + L"\\notepad.exe", "notepad.exe", false};
  const Program* both[] = {&velmora, &notepad};
  // Whichever goes first in a round, the other goes first in the next.
  auto in_turn = [&](int round, const std::function<void(const Program&, int)>& run) {
    for (int i = 0; i < 2; ++i) {
      int which = (round + i) % 2;
      run(*both[which], which);
    }
  };
  std::printf("%d rounds; median (least-most), milliseconds unless told\n\n", rounds);

  // Start and memory.
  set_notepad(false);
  std::printf("| figure | Velmora | notepad |\n|---|---|---|\n");
  if (runs("start")) {
    Figures start_ms[2], memory[2];
    for (int round = 0; round < rounds; ++round) {
      in_turn(round, [&](const Program& p, int which) {
        Running r = start(p, "");
        if (r.top) {
          painted(r.top);
          start_ms[which].add(now_ms() - r.started);
          Sleep(2000);
          PROCESS_MEMORY_COUNTERS pmc{sizeof pmc};
          if (GetProcessMemoryInfo(r.pi.hProcess, &pmc, sizeof pmc))
            memory[which].add(static_cast<double>(pmc.WorkingSetSize) / (1 << 20));
        }
        stop(r);
      });
    }
    std::printf("| start to first paint, no file | %s | %s |\n", start_ms[0].text().c_str(), start_ms[1].text().c_str());
    std::printf("| memory with no file (MiB, working set) | %s | %s |\n", memory[0].text("%.1f").c_str(),
                memory[1].text("%.1f").c_str());
    std::fflush(stdout);
  }

  // Opens.
  for (int mb : {1, 10, 25, 50}) {
    if (!runs("open")) break;
    std::string text = bench::chinese_page(static_cast<size_t>(mb) << 20);
    std::string file = temp_file("velmora_user_" + std::to_string(mb) + ".txt", text);
    long chars = static_cast<long>(wide(text).size());
    text.clear();
    Figures first[2], whole[2];
    for (int round = 0; round < rounds; ++round)
      in_turn(round, [&](const Program& p, int which) { open_page(p, file, chars, first[which], whole[which]); });
    std::printf("| open %d MB: first screen | %s | %s |\n", mb, first[0].text().c_str(), first[1].text().c_str());
    std::printf("| open %d MB: whole page | %s | %s |\n", mb, whole[0].text().c_str(), whole[1].text().c_str());
    std::fflush(stdout);
    DeleteFileA(file.c_str());
  }

  // Replace all: Wine's notepad replaces one occurrence after the other (an hour for these).
  if (runs("replace")) {
    const std::string mark = "替换我";
    std::string text = bench::chinese_page(10u << 20, mark, 100000);
    std::string file = temp_file("velmora_user_replace.txt", text);
    long chars = static_cast<long>(wide(text).size());
    int hits = 0;
    for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + mark.size())) ++hits;
    text.clear();
    Figures ms;
    for (int round = 0; round < rounds; ++round) ms.add(replace_all(velmora, file, chars, wide(mark), L"\x6539\x597D"));
    std::printf("| replace all, %d hits in 10 MB: until the page is whole | %s | (not run) |\n", hits,
                ms.text().c_str());
    std::fflush(stdout);
    DeleteFileA(file.c_str());
  }

  // Typing at the end of a wrapped 10 MB page, both programs holding it at once.
  if (runs("typing")) {
    set_notepad(true);
    std::string text = bench::chinese_page(10u << 20);
    std::string file = temp_file("velmora_user_typing.txt", text);
    long chars = static_cast<long>(wide(text).size());
    text.clear();
    std::wstring kilobyte;
    while (kilobyte.size() < 512) kilobyte += L"\x4E2D";
    put_on_clipboard(kilobyte);
    Running open[2];
    for (int which = 0; which < 2; ++which) {
      open[which] = start(*both[which], file);
      wait_until(
          [&] {
            std::vector<HWND> boxes = edit_boxes(open[which].top, false);
            open[which].editor = boxes.empty() ? nullptr : boxes.front();
            return open[which].editor && text_length(open[which].editor) >= chars;
          },
          300000);
      idle_since_start(open[which]);
    }
    Cells cells[2];
    for (int round = 0; round < rounds; ++round)
      in_turn(round, [&](const Program&, int which) {
        if (open[which].editor) type_at_end(open[which].top, open[which].editor, cells[which]);
      });
    const char* f = "%.1f";
    std::printf("| 10 MB wrapped, at the end: key | %s | %s |\n", cells[0].key.text(f).c_str(),
                cells[1].key.text(f).c_str());
    std::printf("| 10 MB wrapped, at the end: Enter | %s | %s |\n", cells[0].enter.text(f).c_str(),
                cells[1].enter.text(f).c_str());
    std::printf("| 10 MB wrapped, at the end: Backspace | %s | %s |\n", cells[0].backspace.text(f).c_str(),
                cells[1].backspace.text(f).c_str());
    std::printf("| 10 MB wrapped, at the end: paste 1 KB | %s | %s |\n", cells[0].paste.text(f).c_str(),
                cells[1].paste.text(f).c_str());
    for (Running& r : open) stop(r);
    DeleteFileA(file.c_str());
    set_notepad(false);
  }
  return 0;
}
