// Prints what handing a long page to the page editor costs, for 1, 10, 25 and 50 MB of Chinese
// GBK text (lines of 40 to 80 characters with some Latin words, CR LF): the program's page editor
// (rt::EditBox with the large-text style) until its first screen is painted and until it holds
// the whole page, how long each tenth of the page took to come in, and the longest a message
// waited for the message loop meanwhile; beside one WM_SETTEXT of the same text into a bare edit
// control of the same style, size, font and word breaks (the control's own floor) and Wine
// notepad's time for the same text. Then replace all in such pages, with few hits and with many,
// until the page is whole again. Figures only: nothing here passes or fails.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "bench_support.h"
#include "common/control_routines.h"
#include "forms/find_window_form.h"
#include "forms/main_window_form.h"
#include "runtime/app.h"
#include "runtime/edit_box.h"
#include "runtime/gbk_text.h"
#include "runtime/strings.h"
#include "texttools/find_replace.h"

using bench::now_ms;

namespace {

constexpr UINT kProbe = WM_APP + 0x2F1;
constexpr DWORD kProbeGapMs = 15;

// A thread that posts the UI thread a message, waits until the message loop took it and a little
// more, and so on; the longest a message waited.
class Probe {
 public:
  // Once made, its first message is posted.
  Probe() : ui_(GetCurrentThreadId()), answered_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    thread_ = CreateThread(nullptr, 0, &Probe::main, this, 0, nullptr);
    while (posted_.load() == 0) Sleep(1);
  }
  ~Probe() {
    stop_ = true;
    SetEvent(answered_);
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
    CloseHandle(answered_);
  }
  // For the message loop: whether the message is the probe's (then timed).
  bool take(const MSG& m) {
    if (m.hwnd || m.message != kProbe) return false;
    double waited = now_ms() - posted_.load();
    longest_ = std::max(longest_, waited);
    if (moving_) longest_moving_ = std::max(longest_moving_, waited);
    SetEvent(answered_);
    return true;
  }
  double longest() const { return longest_; }
  // The mouse moved by a pixel with every probe from now on (or no more), as by a user at work.
  void move_mouse(bool on) { moving_ = on; }
  double longest_while_moving() const { return longest_moving_; }

 private:
  static DWORD WINAPI main(void* p) {
    static_cast<Probe*>(p)->run();
    return 0;
  }
  void run() {
    for (int n = 0; !stop_; ++n) {
      if (moving_) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dx = n % 2 ? 1 : -1;
        in.mi.dwFlags = MOUSEEVENTF_MOVE;
        SendInput(1, &in, sizeof in);
      }
      posted_ = now_ms();
      PostThreadMessageW(ui_, kProbe, 0, 0);
      WaitForSingleObject(answered_, 2000);
      Sleep(kProbeGapMs);
    }
  }
  DWORD ui_;
  HANDLE answered_;
  HANDLE thread_ = nullptr;
  std::atomic<bool> stop_{false};
  std::atomic<double> posted_{0};
  std::atomic<bool> moving_{false};
  double longest_ = 0, longest_moving_ = 0;
};

// Every message dispatched until done() (looked at after each one), then after each also `each`.
void run_until(Probe* probe, const std::function<bool()>& done, const std::function<void()>& each = {}) {
  double t0 = now_ms();
  while (!done() && now_ms() - t0 < 600000) {
    MSG m;
    if (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (probe && probe->take(m)) continue;
      TranslateMessage(&m);
      DispatchMessageW(&m);
      if (each) each();
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
}

// The probe's message still waiting when the page came whole (the last wait) is taken too.
void take_last_wait(Probe& probe) {
  double t0 = now_ms();
  run_until(&probe, [&] { return now_ms() - t0 > 3 * kProbeGapMs + 20; });
}

void idle(int ms = 300) {
  double t0 = now_ms();
  run_until(nullptr, [&] { return now_ms() - t0 > ms; });
}

rt::EditBox& editor() { return main_window().编辑框_文本类容; }
HWND editor_window() { return static_cast<HWND>(editor().handle()); }

struct Fed {
  double first = 0, whole = 0, longest_wait = 0, longest_wait_moving = 0;
  std::vector<double> tenths;
};

constexpr double kMovingMs = 5000;

// The page handed to the page editor as the program hands it a page; with `moving`, the mouse
// moves for kMovingMs once half the page is in.
Fed feed(const std::string& text, int chars, bool moving = false) {
  rt::EditBox& box = editor();
  box.set_text("");
  // The page editor has the focus, as after an open.
  SetForegroundWindow(static_cast<HWND>(main_window().handle()));
  box.set_focus();
  // Nobody at work in the program: the page comes in as when the user reads its first screen.
  idle(2000);
  HWND h = editor_window();
  if (GetFocus() != h) std::printf("(the page editor did not get the focus)\n");
  // The control's own length, past the unit (which answers the whole page's).
  auto control = reinterpret_cast<WNDPROC>(GetClassLongPtrW(h, GCLP_WNDPROC));
  Fed r;
  double t0 = now_ms(), last = t0;
  box.set_text(text);
  UpdateWindow(static_cast<HWND>(main_window().handle()));
  r.first = now_ms() - t0;
  // The waits during the feed, after the first screen.
  Probe probe;
  long long next = 1;
  double moved_at = 0;
  auto sample = [&] {
    long long n = CallWindowProcW(control, h, WM_GETTEXTLENGTH, 0, 0);
    if (moving && moved_at == 0 && n >= chars / 2) {
      moved_at = now_ms();
      probe.move_mouse(true);
    }
    if (moved_at > 0 && now_ms() - moved_at > kMovingMs) probe.move_mouse(false);
    while (next <= 10 && n >= chars * next / 10) {
      double t = now_ms();
      r.tenths.push_back(t - last);
      last = t;
      ++next;
    }
  };
  auto whole = [&] { return !box.handing_over(); };
  run_until(&probe, whole, sample);
  r.whole = now_ms() - t0;
  sample();
  take_last_wait(probe);
  r.longest_wait = probe.longest();
  r.longest_wait_moving = probe.longest_while_moving();
  probe.move_mouse(false);
  return r;
}

// A bare edit control laid over the emptied page editor with its style, client size, font,
// margins and word breaks.
HWND bare_edit_like_page_editor() {
  editor().set_text("");
  HWND box = editor_window();
  HWND parent = GetParent(box);
  RECT outer, client;
  GetWindowRect(box, &outer);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&outer), 2);
  GetClientRect(box, &client);
  HWND h = CreateWindowExW(static_cast<DWORD>(GetWindowLongW(box, GWL_EXSTYLE)), L"EDIT", L"",
                           static_cast<DWORD>(GetWindowLongW(box, GWL_STYLE)), outer.left, outer.top, client.right,
                           client.bottom, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(h, WM_SETFONT, static_cast<WPARAM>(SendMessageW(box, WM_GETFONT, 0, 0)), FALSE);
  SendMessageW(h, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, SendMessageW(box, EM_GETMARGINS, 0, 0));
  SendMessageW(h, EM_SETLIMITTEXT, 0, 0);
  SendMessageW(h, EM_SETWORDBREAKPROC, 0, reinterpret_cast<LPARAM>(rt::page_word_break));
  return h;
}

// One WM_SETTEXT of the text into a bare edit control laid over the page editor with its style,
// client size, font, margins and word breaks.
double floor_ms(const std::wstring& text) {
  HWND h = bare_edit_like_page_editor();
  SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  idle();
  double t0 = now_ms();
  SetWindowTextW(h, text.c_str());
  UpdateWindow(h);
  double ms = now_ms() - t0;
  DestroyWindow(h);
  idle();
  return ms;
}

double notepad_ms(const std::wstring& text, int mb) {
  std::string bytes = "\xFF\xFE";
  bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  std::string path = bench::write_temp("velmora_feed_" + std::to_string(mb) + ".txt", bytes);
  double ms = bench::notepad_open(path, static_cast<int>(text.size()));
  DeleteFileA(path.c_str());
  return ms;
}

std::string tenths_text(const std::vector<double>& tenths) {
  std::string s;
  for (double t : tenths) s += (s.empty() ? "" : " ") + std::to_string(static_cast<long>(t + 0.5));
  return s;
}

struct Replacement {
  const char* name;
  int marks;  // markers in the page besides its own words
  std::string what, with;
};

// Replace all through the find window, until the page is whole in the page editor again.
void replace_row(const std::string& text, const Replacement& r, int mb, double floor) {
  rt::EditBox& box = editor();
  box.set_text(text);
  run_until(nullptr, [&] { return !box.handing_over(); });
  idle();
  FindWindowForm& f = find_window();
  f.编辑框_查找文字.set_text(r.what);
  f.编辑框_替换文字.set_text(r.with);
  check_button_state(f.超级按钮_区分大小写, ButtonOp::Set, 1);
  int hits = rt::count_text(text, r.what);
  std::string expected = rt::replace_text(text, r.what, r.with);
  Probe probe;
  double t0 = now_ms();
  replace_all();
  double blocked = now_ms() - t0;
  run_until(&probe, [&] { return !box.handing_over(); });
  UpdateWindow(static_cast<HWND>(main_window().handle()));
  double whole = now_ms() - t0;
  take_last_wait(probe);
  bool exact = box.text() == expected;
  // Beside the floor of the new text when it differs much from the old.
  long long grown = static_cast<long long>(expected.size()) - static_cast<long long>(text.size());
  if (std::llabs(grown) > static_cast<long long>(text.size() / 100)) floor = floor_ms(rt::to_wide(expected));
  std::printf("| %d MB | %s | %d | %.0f | %.0f | %.0f | %.2f | %s |\n", mb, r.name, hits, blocked, whole,
              probe.longest(), floor > 0 ? whole / floor : 0.0, exact ? "exact" : "WRONG");
  std::fflush(stdout);
}


// Where the time of an appended piece goes in a bare edit control of the page editor's shape
// holding `wide`: the control's own cost of any change there (a character appended at the end),
// the same with a block that has room for more, a piece of kPieceChars characters, and the walks
// the change makes (one EM_LINEFROMCHAR of the end walks all lines once; a wcslen of the text).
void cost_row(const std::wstring& wide, int mb) {
  HWND h = bare_edit_like_page_editor();
  double t0 = now_ms();
  SetWindowTextW(h, wide.c_str());
  double set = now_ms() - t0;
  auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  auto append = [&](const std::wstring& piece) {
    LRESULT n = SendMessageW(h, WM_GETTEXTLENGTH, 0, 0);
    double a = now_ms();
    SendMessageW(h, EM_SETSEL, n, n);
    SendMessageW(h, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(piece.c_str()));
    return now_ms() - a;
  };
  std::vector<double> one, walk, len;
  for (int i = 0; i < 5; ++i) one.push_back(append(L"\x5B57"));
  for (int i = 0; i < 5; ++i) {
    LRESULT n = SendMessageW(h, WM_GETTEXTLENGTH, 0, 0);
    double a = now_ms();
    SendMessageW(h, EM_LINEFROMCHAR, n, 0);
    walk.push_back(now_ms() - a);
    a = now_ms();
    volatile size_t k = wcslen(wide.c_str());
    (void)k;
    len.push_back(now_ms() - a);
  }
  std::wstring piece = wide.substr(0, 32768);
  std::vector<double> pieces;
  for (int i = 0; i < 3; ++i) pieces.push_back(append(piece));
  // A block with room for a megabyte more.
  LRESULT n = SendMessageW(h, WM_GETTEXTLENGTH, 0, 0);
  HLOCAL old = reinterpret_cast<HLOCAL>(SendMessageW(h, EM_GETHANDLE, 0, 0));
  HLOCAL block = LocalAlloc(LMEM_MOVEABLE, (static_cast<size_t>(n) + (1u << 20)) * sizeof(wchar_t));
  auto* p = static_cast<wchar_t*>(LocalLock(block));
  auto* q = static_cast<const wchar_t*>(LocalLock(old));
  std::copy_n(q, n + 1, p);
  LocalUnlock(old);
  LocalUnlock(block);
  t0 = now_ms();
  SendMessageW(h, EM_SETHANDLE, reinterpret_cast<WPARAM>(block), 0);
  double sethandle = now_ms() - t0;
  LocalFree(old);
  std::vector<double> roomy, roomy_pieces;
  for (int i = 0; i < 5; ++i) roomy.push_back(append(L"\x5B57"));
  for (int i = 0; i < 3; ++i) roomy_pieces.push_back(append(piece));
  std::printf("| %d MB | %ld | %.0f | %.0f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f |\n", mb,
              static_cast<long>(SendMessageW(h, EM_GETLINECOUNT, 0, 0)), set, sethandle, median(one), median(roomy),
              median(pieces), median(roomy_pieces), median(walk), median(len));
  std::fflush(stdout);
  DestroyWindow(h);
  idle();
}

}  // namespace

int main(int argc, char** argv) {
  bool replace_only = argc > 1 && std::string(argv[1]) == "--replace";
  bool feed_only = argc > 1 && std::string(argv[1]) == "--feed";
  bool cost_only = argc > 1 && std::string(argv[1]) == "--cost";
  if (!bench::start_program()) return 1;
  idle(1000);
  RECT r;
  GetClientRect(editor_window(), &r);
  std::printf("page editor: %ld x %ld pixels, %s\n", r.right, r.bottom,
              editor().scroll_bars() & 1 ? "lines not wrapped" : "lines wrapped");
  // Sizes named after the switch replace the usual ones.
  std::vector<int> sizes = {1, 10, 25, 50};
  if (argc > 2) sizes.clear();
  for (int i = 2; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  std::map<int, double> floors;
  if (cost_only) {
    std::printf(
        "| page | lines | WM_SETTEXT | EM_SETHANDLE | one character appended | the same, with room | 32768 characters "
        "appended | the same, with room | one walk of the lines | wcslen |\n|---|---|---|---|---|---|---|---|---|---|\n");
    for (int mb : sizes) cost_row(rt::to_wide(bench::chinese_page(static_cast<size_t>(mb) << 20)), mb);
    main_window().destroy();
    return 0;
  }
  if (!replace_only) {
    std::printf(
        "| page | first screen | whole page | longest message wait | one WM_SETTEXT | whole / WM_SETTEXT | notepad | "
        "each tenth |\n|---|---|---|---|---|---|---|---|\n");
    // Once before the figures: something at the program's start asks the control for a caret
    // position, which takes the rest of the first page being fed at once.
    {
      std::string text = bench::chinese_page(1u << 20);
      feed(text, rt::char_count(text));
    }
    for (int mb : sizes) {
      std::string text = bench::chinese_page(static_cast<size_t>(mb) << 20);
      std::wstring wide = rt::to_wide(text);
      int chars = static_cast<int>(wide.size());
      Fed fed = feed(text, chars);
      double floor = floor_ms(wide);
      floors[mb] = floor;
      double notepad = notepad_ms(wide, mb);
      std::printf("| %d MB | %.0f | %.0f | %.0f | %.0f | %.2f | %.0f | %s |\n", mb, fed.first, fed.whole,
                  fed.longest_wait, floor, fed.whole / floor, notepad, tenths_text(fed.tenths).c_str());
      std::fflush(stdout);
    }
    std::printf("(milliseconds)\n\n");
    std::printf(
        "| page, the mouse moving for %.0f s from the middle on | whole page | longest message wait | longest while "
        "the mouse moves |\n|---|---|---|---|\n",
        kMovingMs / 1000);
    for (int mb : sizes) {
      if (mb < 10) continue;
      std::string text = bench::chinese_page(static_cast<size_t>(mb) << 20);
      Fed fed = feed(text, rt::char_count(text), true);
      std::printf("| %d MB | %.0f | %.0f | %.0f |\n", mb, fed.whole, fed.longest_wait, fed.longest_wait_moving);
      std::fflush(stdout);
    }
    std::printf("(milliseconds)\n\n");
  }
  if (!feed_only) {
    open_find_window();
    idle(1000);
    const Replacement replacements[] = {
        {"20 hits, as long", 20, "【查找的地方】", "【替换的地方】"},
        {"20 hits, longer", 20, "【查找的地方】", "【查找并替换的地方】"},
        {"200 hits, longer", 200, "【查找的地方】", "【查找并替换的地方】"},
        {"many hits, as long", 20, "Velmora", "VELMORA"},
        {"many hits, longer", 20, "Velmora", "Velmora编辑器"},
    };
    std::printf(
        "| page | replace all | hits | until it returned | until the page is whole | longest message wait | whole / "
        "WM_SETTEXT of the result | text |\n|---|---|---|---|---|---|---|---|\n");
    for (int mb : sizes) {
      if (mb < 10) continue;
      double floor = 0;
      for (const Replacement& rep : replacements) {
        std::string text = bench::chinese_page(static_cast<size_t>(mb) << 20, "【查找的地方】", rep.marks);
        if (floor == 0) floor = floors.count(mb) ? floors[mb] : floor_ms(rt::to_wide(text));
        replace_row(text, rep, mb, floor);
      }
    }
    std::printf("(milliseconds)\n");
  }
  main_window().destroy();
  return 0;
}
