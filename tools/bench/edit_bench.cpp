// Prints what a large page costs in each edit box the page editor could be: the system's edit
// control as it comes, the same with the page editor's word breaks, the page editor itself
// (rt::EditBox with the large-text style: its word breaks, its own vertical bar, the text handed
// over piece by piece) and the rich edit control 5.0 in plain-text mode, for 1 MB and 10 MB of
// Chinese GBK text, with lines wrapped and not. Every action goes through the message loop until
// the control is idle and its window repainted. Figures only: nothing here passes or fails.
#include <windows.h>
// after windows.h
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/app.h"
#include "runtime/clipboard.h"
#include "runtime/edit_box.h"
#include "runtime/gbk_text.h"
#include "runtime/strings.h"
#include "runtime/text_pieces.h"
#include "runtime/window.h"
#include "bench_support.h"

using bench::now_ms;

namespace {

const char kMarker[] = "【查找的地方】";

// Chinese lines of 40 to 80 characters with some Latin words, the marker for the find in the
// middle line.
std::string page_text(size_t bytes) { return bench::chinese_page(bytes, kMarker); }

HFONT page_font() {
  HDC dc = GetDC(nullptr);
  int height = -MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(nullptr, dc);
  static HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"宋体");
  return font;
}

class Host : public rt::Window {
 public:
  Host() : rt::Window("VelmoraEditBench", "编辑框测量", {0, 0, 1000, 720}) {}
  rt::EditBox page;  // made by the page editor's candidate

 protected:
  void build() override {}
};

Host& host() {
  static Host h;
  return h;
}

// Everything queued, then the paint, until nothing is left.
void run_until_idle() {
  MSG m;
  for (;;) {
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    UpdateWindow(static_cast<HWND>(host().handle()));
    if (!PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE)) return;
  }
}

// Appends the text at the control's end in pieces of 32 768 characters, as the page editor hands
// a page over; `first` becomes the time from t0 to the first piece's screen. length: the control's
// length as it counts it; idle: the messages are handled between the pieces.
void feed_in_pieces(HWND h, const std::wstring& w, double t0, double& first, LRESULT (*length)(HWND), bool idle) {
  std::u16string_view all(reinterpret_cast<const char16_t*>(w.data()), w.size());
  for (size_t at = 0; at < w.size();) {
    size_t end = rt::piece_end(all, at, 32768);
    LRESULT n = length(h);
    SendMessageW(h, EM_SETSEL, static_cast<WPARAM>(n), n);
    SendMessageW(h, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(w.substr(at, end - at).c_str()));
    if (at == 0) {
      SendMessageW(h, EM_SETSEL, 0, 0);
      UpdateWindow(h);
      first = now_ms() - t0;
    }
    if (idle) run_until_idle();
    at = end;
  }
}

RECT client_area() {
  RECT r;
  GetClientRect(static_cast<HWND>(host().handle()), &r);
  return r;
}

DWORD multiline_style(bool wrap) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL | ES_WANTRETURN;
  if (!wrap) style |= WS_HSCROLL | ES_AUTOHSCROLL;
  return style;
}

class Candidate {
 public:
  virtual ~Candidate() = default;
  virtual const char* name() const = 0;
  virtual bool available() const { return true; }
  // Makes the control with the text; the time until its first screen is painted and until it
  // holds the whole text.
  virtual void open(const std::string& text, bool wrap, double& first, double& whole) = 0;
  virtual HWND window() = 0;
  virtual std::string read() = 0;
  // Positions as the program counts them: a CR LF is two characters.
  virtual void select(const std::string& text, int start, int length) {
    SendMessageW(window(), EM_SETSEL, static_cast<WPARAM>(start), start + length);
  }
  virtual void close() { DestroyWindow(window()); }
  // Actions that took more than 5 s on the small page are not tried on the large one.
  std::vector<std::string> too_slow;
};

std::string window_text(HWND h) {
  int n = GetWindowTextLengthW(h);
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  w.resize(static_cast<size_t>(GetWindowTextW(h, w.data(), n + 1)));
  return rt::to_gbk(w);
}

class SystemEdit : public Candidate {
 public:
  // pieces: the text goes in as the page editor hands it over, in pieces with the messages
  // handled between them, which leaves the control's list of lines as the page editor's is.
  explicit SystemEdit(bool own_breaks, bool pieces = false) : own_breaks_(own_breaks), pieces_(pieces) {}
  const char* name() const override {
    return pieces_ ? "EDIT, the page editor's word breaks, in pieces"
           : own_breaks_ ? "EDIT, the page editor's word breaks"
                         : "EDIT as it comes";
  }
  void open(const std::string& text, bool wrap, double& first, double& whole) override {
    RECT r = client_area();
    h_ = CreateWindowExW(0, L"EDIT", L"", multiline_style(wrap), 0, 0, r.right, r.bottom,
                         static_cast<HWND>(host().handle()), nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(h_, WM_SETFONT, reinterpret_cast<WPARAM>(page_font()), FALSE);
    SendMessageW(h_, EM_SETLIMITTEXT, 0, 0);
    if (own_breaks_) SendMessageW(h_, EM_SETWORDBREAKPROC, 0, reinterpret_cast<LPARAM>(rt::page_word_break));
    SetFocus(h_);
    run_until_idle();
    double t0 = now_ms();
    if (!pieces_) {
      SetWindowTextW(h_, rt::to_wide(text).c_str());
      UpdateWindow(h_);
      first = whole = now_ms() - t0;
      return;
    }
    feed_in_pieces(h_, rt::to_wide(text), t0, first, [](HWND h) -> LRESULT { return GetWindowTextLengthW(h); }, true);
    SendMessageW(h_, EM_SETSEL, 0, 0);
    whole = now_ms() - t0;
  }
  HWND window() override { return h_; }
  std::string read() override { return window_text(h_); }

 private:
  bool own_breaks_, pieces_;
  HWND h_ = nullptr;
};

class PageEditor : public Candidate {
 public:
  const char* name() const override { return "the page editor"; }
  void open(const std::string& text, bool wrap, double& first, double& whole) override {
    RECT r = client_area();
    rt::EditBox& box = host().page;
    box.create(host(), {0, 0, r.right, r.bottom},
               {.multiline = true, .vertical_scroll = true, .horizontal_scroll = !wrap, .large_text = true});
    box.set_font({0, false, false, false, false, 9, "宋体"});
    box.set_focus();
    run_until_idle();
    double t0 = now_ms();
    box.set_text(text);
    UpdateWindow(static_cast<HWND>(host().handle()));
    first = now_ms() - t0;
    rt::pump_until([&] { return !box.handing_over(); }, 600000);
    whole = now_ms() - t0;
  }
  HWND window() override { return static_cast<HWND>(host().page.handle()); }
  std::string read() override { return host().page.text(); }
  void select(const std::string&, int start, int length) override { host().page.select(start, length); }
};

class RichEdit : public Candidate {
 public:
  explicit RichEdit(bool pieces) : pieces_(pieces) {}
  const char* name() const override {
    return pieces_ ? "RichEdit 5.0 plain text, in pieces" : "RichEdit 5.0 plain text";
  }
  bool available() const override { return cls() != nullptr; }
  void open(const std::string& text, bool wrap, double& first, double& whole) override {
    RECT r = client_area();
    h_ = CreateWindowExW(0, cls(), L"", multiline_style(wrap) | ES_NOOLEDRAGDROP, 0, 0, r.right, r.bottom,
                         static_cast<HWND>(host().handle()), nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(h_, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO | TM_MULTICODEPAGE, 0);
    SendMessageW(h_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    SendMessageW(h_, EM_SETUNDOLIMIT, 100, 0);
    SendMessageW(h_, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_UPDATE);
    SendMessageW(h_, WM_SETFONT, reinterpret_cast<WPARAM>(page_font()), FALSE);
    if (!wrap) SendMessageW(h_, EM_SETTARGETDEVICE, 0, 1);
    SetFocus(h_);
    run_until_idle();
    double t0 = now_ms();
    std::wstring w = rt::to_wide(text);
    if (!pieces_) {
      SetWindowTextW(h_, w.c_str());
      UpdateWindow(h_);
      first = whole = now_ms() - t0;
      return;
    }
    feed_in_pieces(
        h_, w, t0, first,
        [](HWND h) {
          GETTEXTLENGTHEX how{GTL_NUMCHARS, 1200};
          return SendMessageW(h, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0);
        },
        false);
    whole = now_ms() - t0;
  }
  HWND window() override { return h_; }
  // The control gives CR LF for its paragraph ends when asked for the window text.
  std::string read() override { return window_text(h_); }
  // Its positions count a paragraph end once.
  void select(const std::string& text, int start, int length) override {
    auto control_index = [&](int index) {
      int byte = rt::char_index_to_byte_pos(text, index) - 1;
      int breaks = 0;
      for (size_t at = text.find("\r\n"); at != std::string::npos && static_cast<int>(at) < byte;
           at = text.find("\r\n", at + 2))
        ++breaks;
      return index - breaks;
    };
    int from = control_index(start);
    SendMessageW(h_, EM_SETSEL, static_cast<WPARAM>(from), control_index(start + length));
  }

 private:
  static const wchar_t* cls() {
    static const wchar_t* name = LoadLibraryW(L"msftedit.dll")   ? MSFTEDIT_CLASS
                                 : LoadLibraryW(L"riched20.dll") ? RICHEDIT_CLASSW
                                                                 : nullptr;
    return name;
  }
  bool pieces_;
  HWND h_ = nullptr;
};

// One action through the message loop, timed until idle; the median of several.
template <typename Act>
double timed(int times, Act act) {
  std::vector<double> v;
  for (int i = 0; i < times; ++i) {
    double t0 = now_ms();
    act();
    run_until_idle();
    v.push_back(now_ms() - t0);
  }
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void caret_at(HWND h, LRESULT index) {
  SendMessageW(h, EM_SETSEL, static_cast<WPARAM>(index), index);
  SendMessageW(h, EM_SCROLLCARET, 0, 0);
  run_until_idle();
}

void key(HWND h, WPARAM vk) {
  PostMessageW(h, WM_KEYDOWN, vk, 1);
  PostMessageW(h, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001));
}

LRESULT control_length(HWND h) { return SendMessageW(h, WM_GETTEXTLENGTH, 0, 0); }

std::string figure(double ms) {
  char out[32];
  std::snprintf(out, sizeof out, ms < 100 ? "%.1f" : "%.0f", ms);
  return out;
}

void measure(Candidate& c, const char* size, const std::string& text, bool wrap, bool large) {
  double first = 0, whole = 0;
  c.open(text, wrap, first, whole);
  run_until_idle();
  HWND h = c.window();
  std::string row = std::string("| ") + c.name() + " | " + size + " | " + (wrap ? "wrapped" : "not wrapped") + " | " +
                    figure(first) + " | " + figure(whole);
  auto column = [&](const char* name, int times, const std::function<void()>& act) {
    std::string key = std::string(name) + (wrap ? " wrapped" : "");
    if (large && std::find(c.too_slow.begin(), c.too_slow.end(), key) != c.too_slow.end()) {
      row += " | (not tried)";
      return;
    }
    double ms = timed(times, act);
    if (ms > 5000) c.too_slow.push_back(key);
    row += " | " + figure(ms);
  };
  // The control's own positions for the start, middle and end.
  LRESULT n = control_length(h);
  for (LRESULT at : {LRESULT{0}, n / 2, LRESULT{-1}}) {
    caret_at(h, at < 0 ? control_length(h) : at);
    column("key", 7, [&] { PostMessageW(h, WM_CHAR, L'字', 1); });
  }
  caret_at(h, n / 2);
  column("Enter", 7, [&] { key(h, VK_RETURN); });
  column("Backspace", 7, [&] { key(h, VK_BACK); });
  std::string kilobyte;
  while (kilobyte.size() < 1024) kilobyte += "粘贴进来的一行文字，1 KB。\r\n";
  rt::set_clipboard_text(kilobyte);
  column("paste", 1, [&] { PostMessageW(h, WM_PASTE, 0, 0); });
  column("undo", 1, [&] { PostMessageW(h, WM_UNDO, 0, 0); });
  // Where the user writes on: the end of the page.
  caret_at(h, control_length(h));
  column("Enter at end", 7, [&] { key(h, VK_RETURN); });
  column("Backspace at end", 7, [&] { key(h, VK_BACK); });
  column("paste at end", 1, [&] { PostMessageW(h, WM_PASTE, 0, 0); });
  column("read", 3, [&] { c.read(); });
  column("find", 3, [&] {
    std::string t = c.read();
    int index = rt::byte_pos_to_char_index(t, rt::find_text(t, kMarker));
    c.select(t, index, rt::char_count(kMarker));
    SendMessageW(h, EM_SCROLLCARET, 0, 0);
  });
  column("page down", 5, [&] { key(h, VK_NEXT); });
  std::printf("%s |\n", row.c_str());
  std::fflush(stdout);
  c.close();
  run_until_idle();
}

}  // namespace

int main(int argc, char** argv) {
  // --typing: the wrapped 10 MB page alone, in the system's edit control (its text in one
  // piece and in pieces) and the page editor.
  const bool typing_only = argc > 1 && std::string(argv[1]) == "--typing";
  rt::initialize();
  if (!host().load()) return 1;
  run_until_idle();
  std::vector<std::unique_ptr<Candidate>> candidates;
  candidates.push_back(std::make_unique<SystemEdit>(false));
  candidates.push_back(std::make_unique<SystemEdit>(true));
  if (typing_only) candidates.push_back(std::make_unique<SystemEdit>(true, true));
  candidates.push_back(std::make_unique<PageEditor>());
  if (!typing_only) {
    candidates.push_back(std::make_unique<RichEdit>(false));
    candidates.push_back(std::make_unique<RichEdit>(true));
  }
  std::printf(
      "| edit box | page | lines | first screen | whole text | key at start | key in middle | key at end | Enter | "
      "Backspace | paste 1 KB | undo | Enter at end | Backspace at end | paste at end | read text | find and select | "
      "page down |\n");
  std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
  for (int mb : {1, 10}) {
    if (typing_only && mb != 10) continue;
    std::string text = page_text(static_cast<size_t>(mb) << 20);
    std::string size = std::to_string(mb) + " MB";
    for (bool wrap : {true, false})
      for (auto& c : candidates)
        if (c->available() && (wrap || !typing_only)) measure(*c, size.c_str(), text, wrap, mb > 1);
  }
  std::printf("(milliseconds)\n");
  host().destroy();
  return 0;
}
