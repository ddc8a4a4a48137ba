// Prints how long Velmora takes from the open command to the page's first screen and until the
// edit box holds the whole page, per file size and encoding, and the time Wine's notepad takes
// until its edit box holds the same text; then, in a 10 MB page, a keystroke, a new alignment,
// the program's own find of the last line and a save (beside a plain write of the same bytes over
// the file). Figures only: nothing here passes or fails.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "documents/open_files.h"
#include "documents/save_files.h"
#include "forms/main_window_form.h"
#include "options/config.h"
#include "options/option_values.h"
#include "pages/page_model.h"
#include "runtime/app.h"
#include "runtime/encoding.h"
#include "runtime/gbk_text.h"
#include "runtime/seams.h"
#include "runtime/strings.h"
#include "texttools/find_replace.h"

using bench::now_ms;
using bench::write_temp;

namespace {

// Lines of Chinese and ASCII text, as a user's file has them.
std::string gbk_text(size_t bytes) {
  const std::string line = "Velmora 第一行的文字，包括中文和English混排。The quick brown fox 跳过懒狗。\r\n";
  std::string s;
  s.reserve(bytes + line.size());
  while (s.size() < bytes) s += line;
  s.resize(bytes - bytes % 2);
  // Never end in the middle of a character.
  while (!s.empty() && rt::convert_encoding(s, "GBK", "UTF-8").empty()) s.pop_back();
  return s;
}

// Writes the bytes over the file in place, as an editor without safe saving does.
void write_in_place(const std::string& path, const std::string& bytes, bool flush) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD n = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
  if (flush) FlushFileBuffers(h);
  CloseHandle(h);
}

int expected_chars(const std::string& gbk) { return static_cast<int>(rt::to_wide(gbk).size()); }

struct Opened {
  double first_screen, whole;
};

// As the message loop runs, the condition looked at after every message: a large page's pieces
// keep coming while the user already sees its first screen.
void run_until(const std::function<bool()>& done) {
  double t0 = now_ms();
  while (!done() && now_ms() - t0 < 120000) {
    MSG m;
    if (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
}

Opened velmora_open(const std::string& path, int chars) {
  MainWindowForm& w = main_window();
  while (w.高级选择夹_标签.count() > 1) close_page_at(w.高级选择夹_标签.count() - 1);
  close_page_at(0);
  set_open_queue({path});
  double t0 = now_ms();
  open_files();
  run_until([&] { return w.编辑框_文本类容.text_length() == chars && !open_busy(); });
  UpdateWindow(static_cast<HWND>(w.handle()));
  double first = now_ms() - t0;
  run_until([&] { return !w.编辑框_文本类容.handing_over(); });
  return {first, now_ms() - t0};
}

double keystroke_ms(int count) {
  MainWindowForm& w = main_window();
  HWND edit = static_cast<HWND>(w.编辑框_文本类容.handle());
  SendMessageW(edit, EM_SETSEL, 1000, 1000);
  double t0 = now_ms();
  for (int i = 0; i < count; ++i) {
    SendMessageW(edit, WM_CHAR, L'a' + (i % 26), 1);
    rt::pump_until(nullptr, 0);
  }
  return (now_ms() - t0) / count;
}

// Saving the current page, then the same bytes written in place without and with a flush.
void print_save_figures() {
  int tab = main_window().高级选择夹_标签.current();
  std::string bytes = page_content(tab), path = pages()[tab].path;
  double t0 = now_ms();
  save_page(tab);
  double saved = now_ms() - t0;
  t0 = now_ms();
  write_in_place(path, bytes, false);
  double plain = now_ms() - t0;
  t0 = now_ms();
  write_in_place(path, bytes, true);
  double flushed = now_ms() - t0;
  std::printf("saving a 10 MB page: %.0f ms (the same bytes written in place: %.0f ms, and flushed: %.0f ms)\n", saved,
              plain, flushed);
}

// Until the re-created control shows the page again, and until it holds all of it.
Opened realign_ms() {
  rt::EditBox& box = main_window().编辑框_文本类容;
  double t0 = now_ms();
  box.set_alignment(box.alignment() == 0 ? 1 : 0);
  UpdateWindow(static_cast<HWND>(main_window().handle()));
  double first = now_ms() - t0;
  run_until([&] { return !box.handing_over(); });
  return {first, now_ms() - t0};
}

double find_last_line_ms(const std::string& what) {
  set_search_text(what);
  set_search_pos(1);
  set_search_forward(1);
  double t0 = now_ms();
  find_next();
  rt::pump_until(nullptr, 0);
  return now_ms() - t0;
}

}  // namespace

int main() {
  if (!bench::start_program()) return 1;
  std::printf("%-28s %14s %12s %12s %8s\n", "file", "first screen", "whole page", "notepad", "ratio");
  for (int mb : {1, 10, 50}) {
    std::string text = gbk_text(static_cast<size_t>(mb) << 20);
    int chars = expected_chars(text);
    struct Variant {
      const char* name;
      std::string bytes;
      bool decode;
    };
    std::vector<Variant> variants = {
        {"GBK", text, false},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + rt::convert_encoding(text, "GBK", "UTF-8"), true},
        {"UTF-16LE with mark", "\xFF\xFE" + rt::convert_encoding(text, "GBK", "UTF-16LE"), true},
    };
    for (const Variant& v : variants) {
      std::string path = write_temp("velmora_bench_" + std::to_string(mb) + ".txt", v.bytes);
      set_option(&OptionValues::detect_encoding, v.decode);
      Opened ours = velmora_open(path, chars);
      double theirs = bench::notepad_open(path, chars);
      std::printf("%3d MB %-21s %14.0f %12.0f %12.0f %8.2f\n", mb, v.name, ours.first_screen, ours.whole, theirs,
                  theirs > 0 ? ours.whole / theirs : 0.0);
      std::fflush(stdout);
      DeleteFileA(path.c_str());
    }
    if (mb == 10) {
      const std::string last = "最后一行的标记";
      velmora_open(write_temp("velmora_bench_keys.txt", text + last), chars + rt::char_count(last));
      std::printf("keystroke in a 10 MB page: %.2f ms (first), %.2f ms (next 50)\n", keystroke_ms(1), keystroke_ms(50));
      Opened realigned = realign_ms();
      std::printf(
          "new alignment of a 10 MB page (the control made again): %.0f ms to the screen, %.0f ms to all of it\n",
          realigned.first_screen, realigned.whole);
      std::printf("find of the last line of a 10 MB page: %.0f ms\n", find_last_line_ms(last));
      print_save_figures();
    }
  }
  // Reading, decoding and building the page, before the edit control: 10 MB UTF-8.
  std::string text = gbk_text(10u << 20);
  std::string utf8 = "\xEF\xBB\xBF" + rt::convert_encoding(text, "GBK", "UTF-8");
  double t0 = now_ms();
  std::string page = rt::decode_file_bytes(utf8);
  std::printf("decoding 10 MB UTF-8 to the page text: %.1f ms\n", now_ms() - t0);
  main_window().destroy();
  return 0;
}
