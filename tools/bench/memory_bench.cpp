// Prints what large pages cost the 32-bit process under Wine: the address space it starts with,
// and for pages of growing size the time from the open command to the page shown, the memory
// committed once it is shown, the address space left (in one piece and in all), and the time to
// read the page back as a save does; then what a file over the open limit costs. Figures only:
// nothing here passes or fails.
#include <windows.h>
// after windows.h
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "documents/open_files.h"
#include "documents/open_limits.h"
#include "forms/main_window_form.h"
#include "common/message_box_form.h"
#include "options/option_values.h"
#include "pages/page_model.h"
#include "runtime/app.h"
#include "runtime/seams.h"

using bench::now_ms;
using bench::write_temp;

namespace {

double mb(unsigned long long bytes) { return static_cast<double>(bytes) / (1 << 20); }

// The address space that can still be reserved: the largest piece, and all pieces together.
struct Room {
  unsigned long long largest = 0, total = 0;
};
Room room() {
  Room r;
  std::vector<void*> held;
  for (size_t piece = 1024u << 20; piece >= (1u << 20);) {
    if (void* p = VirtualAlloc(nullptr, piece, MEM_RESERVE, PAGE_NOACCESS)) {
      held.push_back(p);
      if (r.largest == 0) r.largest = piece;
      r.total += piece;
    } else {
      piece -= piece > (64u << 20) ? (16u << 20) : (1u << 20);
    }
  }
  for (void* p : held) VirtualFree(p, 0, MEM_RELEASE);
  return r;
}

unsigned long long committed() {
  PROCESS_MEMORY_COUNTERS c{};
  GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof c);
  return c.PagefileUsage;
}

// Lines of ASCII text (each byte a UTF-16 unit in the edit box, the dearest case) or GBK text.
std::string text_of(size_t bytes, bool ascii) {
  const std::string line = ascii ? "Velmora large page line: the quick brown fox jumps over the lazy dog 0123\r\n"
                                 : "Velmora 大文件的一行：中文和English混排，一个汉字两个字节。\r\n";
  std::string s;
  s.reserve(bytes + line.size());
  while (s.size() + line.size() <= bytes) s += line;
  return s;
}

void close_all_pages() {
  MainWindowForm& w = main_window();
  while (w.高级选择夹_标签.count() > 1) close_page_at(w.高级选择夹_标签.count() - 1);
  close_page_at(0);
}

void print_room(const char* when) {
  Room r = room();
  std::printf("%-34s committed %6.0f MB, room %5.0f MB in one piece, %5.0f MB in all\n", when, mb(committed()),
              mb(r.largest), mb(r.total));
  std::fflush(stdout);
}

}  // namespace

int main() {
  if (!bench::start_program()) return 1;
  MainWindowForm& w = main_window();
  set_option(&OptionValues::open_in_thread, 1);
  // A refusal's box is closed at once.
  rt::seams::set_modal_hook([](rt::Window& box) {
    if (&box == &message_box_form()) box.post_close();
  });
  print_room("started:");
  for (bool ascii : {true, false}) {
    for (int size : {16, 64, 128}) {
      std::string text = text_of(static_cast<size_t>(size) << 20, ascii);
      std::string path = write_temp("velmora_memory_bench.txt", text);
      text.clear();
      text.shrink_to_fit();
      close_all_pages();
      set_open_queue({path});
      double t0 = now_ms();
      open_files();
      rt::pump_until([] { return !open_busy(); }, 600000);
      double opened = now_ms() - t0;
      int current = w.高级选择夹_标签.current();
      bool shown = w.编辑框_文本类容.text_length() > 0;
      std::printf("%3d MB %-5s page: shown %-3s in %7.0f ms\n", size, ascii ? "ASCII" : "GBK", shown ? "yes" : "no",
                  opened);
      print_room("       once shown:");
      // Read back as a save reads it.
      set_page_text_in_editor(current, true);
      t0 = now_ms();
      size_t bytes = page_content(current).size();
      std::printf("       read back %zu bytes in %.0f ms\n", bytes, now_ms() - t0);
      DeleteFileA(path.c_str());
    }
  }
  close_all_pages();
  // One byte over the limit: refused before it is read.
  std::string path = write_temp("velmora_memory_bench_over.txt", "");
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = kLargestOpenedFile + 1;
  SetFilePointerEx(h, end, nullptr, FILE_BEGIN);
  SetEndOfFile(h);
  CloseHandle(h);
  set_open_queue({path});
  double t0 = now_ms();
  open_files();
  rt::pump_until([] { return !open_busy(); }, 60000);
  std::printf("a file one byte over the limit: refused in %.0f ms, %d page(s)\n", now_ms() - t0,
              w.高级选择夹_标签.count());
  DeleteFileA(path.c_str());
  print_room("at the end:");
  main_window().destroy();
  return 0;
}
