#pragma once
// Speaking to windows of any process, other programs' included, and to their memory.
//
// Every message goes through the ANSI functions (the other program sees GBK text), but for the
// texts the system copies to and from a Unicode window, which go in UTF-16 converted here; each is
// bounded: a window that hangs or does not answer within kForeignMessageTimeoutMs gives no
// answer instead of blocking the program. Messages whose pointer the system copies between
// processes (texts of WM_GETTEXT, LB_GETTEXT, CB_GETLBTEXT, EM_GETLINE, ...) take a local
// buffer; the others need a block inside the window's process (RemoteBlock).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/app.h"

namespace rt {

constexpr int kForeignMessageTimeoutMs = 1000;

// SendMessageTimeoutA with SMTO_ABORTIFHUNG | SMTO_BLOCK: the answer, or nothing when the
// window is gone, reported hung or did not answer in time.
std::optional<intptr_t> send_foreign_message(WindowHandle window, unsigned msg, uintptr_t wparam, intptr_t lparam);
// The same, with no answer counted as 0.
intptr_t foreign_message(WindowHandle window, unsigned msg, uintptr_t wparam = 0, intptr_t lparam = 0);
// The same in the window's own character set: the W message to a Unicode window, else the A
// one. For the messages whose answer counts characters (WM_GETTEXTLENGTH, LB_GETTEXTLEN, ...),
// paired with send_foreign_text_message.
std::optional<intptr_t> send_foreign_message_native(WindowHandle window, unsigned msg, uintptr_t wparam,
                                                    intptr_t lparam);

// A message that fills a text buffer of the sender, which the system copies between processes
// (WM_GETTEXT, LB_GETTEXT, CB_GETLBTEXT, EM_GETLINE): the buffer holds `capacity` blanks and a
// zero, its first 16 bits the size word when given. A Unicode window is asked in UTF-16 and
// its text converted to GBK here (the system's own conversion is not trusted across processes);
// capacity then counts UTF-16 units. Nothing when no answer came.
struct TextReply {
  intptr_t answer = 0;
  std::string text;        // GBK: the characters before the first zero, or the answer's count
  bool untouched = false;  // the buffer was left as it was
};
enum class TextEnd { Zero, AnswerCount };
std::optional<TextReply> send_foreign_text_message(WindowHandle window, unsigned msg, uintptr_t wparam, size_t capacity,
                                                   TextEnd end = TextEnd::Zero,
                                                   std::optional<uint16_t> size_word = std::nullopt);

// A message that hands the window a text of the sender's (WM_SETTEXT), which the system copies
// between processes: a Unicode window gets it in UTF-16, converted here, so that a character
// code page 936 lacks (the name of a file handed over) arrives as itself; any other window gets
// GBK. The answer, or nothing when none came.
std::optional<intptr_t> send_foreign_text(WindowHandle window, unsigned msg, uintptr_t wparam, std::string_view text);

// PostMessageA; whether the message was queued.
bool post_foreign_message(WindowHandle window, unsigned msg, uintptr_t wparam, intptr_t lparam);
// RegisterWindowMessageA.
unsigned register_window_message(const std::string& name);

// GetClassNameA into a buffer of `capacity` bytes (at most capacity - 1 characters).
std::string foreign_class_name(WindowHandle window, int capacity = 259);
bool is_window(WindowHandle window);
// Whether the window's procedure takes Unicode messages (its texts then count UTF-16 units).
bool is_unicode_window(WindowHandle window);
WindowHandle parent_window(WindowHandle window);
// GetWindowLongA / SetWindowLongA with GWL_STYLE.
uint32_t window_style(WindowHandle window);
void set_window_style(WindowHandle window, uint32_t style);
// The pointer's screen position and a window's rectangle on the screen.
struct ScreenPoint {
  int x = 0, y = 0;
};
ScreenPoint cursor_screen_position();
struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};
ScreenRect window_screen_rect(WindowHandle window);
// The window under a point of the screen (WindowFromPoint), of any process; null for none.
WindowHandle window_from_point(ScreenPoint point);
// The top-level window a window belongs to (GetAncestor, GA_ROOT); null for no window.
WindowHandle top_level_ancestor(WindowHandle window);
// One rectangle outline on the screen, drawn over every window through the desktop window's
// device context with R2_NOTXORPEN: drawing the same outline again erases it. A solid pen of
// the colour (Windows RGB) and width; the inside is left as it is.
void draw_inverted_screen_frame(ScreenRect rect, unsigned color, int width);

// Menus of windows. A menu belongs to the process that made it; some systems (Wine) answer
// nothing for another process's menus.
using MenuHandle = void*;
// GetMenu: the window's menu bar, null for none.
MenuHandle window_menu(WindowHandle window);
// GetMenuItemCount: the number of items, -1 for no menu.
int menu_item_count(MenuHandle menu);
// GetMenuStringA by position into a buffer of `capacity` bytes (at most capacity - 1 bytes).
std::string menu_item_text(MenuHandle menu, int position, int capacity);
// GetSubMenu by position: the item's submenu, null for none.
MenuHandle sub_menu(MenuHandle menu, int position);

// Processes and their memory. A process handle is owned by whoever opened it.
using ProcessHandle = void*;
constexpr uint32_t kProcessVmAccess = 0x38;       // PROCESS_VM_OPERATION | _READ | _WRITE
constexpr uint32_t kProcessAllAccess = 0x1F0FFF;  // PROCESS_ALL_ACCESS as older systems define it
// GetWindowThreadProcessId: the window's process id, 0 for no window.
uint32_t window_process_id(WindowHandle window);
// Whether the window belongs to a process whose pointers are not 32 bits: a 64-bit program on
// a 64-bit system. The records handed to other processes are 32-bit layouts (this program is
// 32-bit; its 64-bit build for test machines keeps them); such a process reads them as other
// records, and what comes back is garbage. False when it cannot be told (the process refuses
// to be asked) and for a window of no process.
bool window_process_not_32_bit(WindowHandle window);
// OpenProcess without inheritance; nullptr on failure.
ProcessHandle open_process(uint32_t process_id, uint32_t access);
// CloseHandle; false for nullptr or a failure.
bool close_handle(void* handle);
// VirtualAllocEx (MEM_COMMIT, PAGE_READWRITE, no preferred address): the block's address in
// that process, 0 on failure. A fresh block holds zeros.
uintptr_t alloc_process_memory(ProcessHandle process, size_t size);
// VirtualFreeEx(size 0, MEM_RELEASE).
bool free_process_memory(ProcessHandle process, uintptr_t address);
bool write_process_memory(ProcessHandle process, uintptr_t address, const void* data, size_t size);
// Copies what can be read; false when not every byte was read.
bool read_process_memory(ProcessHandle process, uintptr_t address, void* out, size_t size);

// A view of an unnamed mapping backed by the paging file, which the systems without
// VirtualAllocEx place at one address in every process.
struct SharedView {
  void* mapping = nullptr;
  uintptr_t address = 0;
};
SharedView create_shared_view(size_t size);
bool unmap_shared_view(uintptr_t address);

// The operating-system kind: 1 Win32s, 2 Windows 9x, 3 the NT family.
int os_kind();

// A block of memory inside another process for the length of one request: allocated on
// construction, released on destruction. When a message that carried its address got no
// answer, abandon() it: the other program may still answer later and write into it, so it
// is left allocated there rather than freed under its feet.
class RemoteBlock {
 public:
  RemoteBlock(ProcessHandle process, size_t size);
  ~RemoteBlock();
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;
  bool ok() const { return address_ != 0; }
  uintptr_t address() const { return address_; }
  intptr_t lparam() const { return static_cast<intptr_t>(address_); }
  bool write(const void* data, size_t size, size_t offset = 0) const;
  bool read(void* out, size_t size, size_t offset = 0) const;
  void abandon() { address_ = 0; }

 private:
  ProcessHandle process_;
  uintptr_t address_ = 0;
};

// A process handle closed on destruction.
class OpenedProcess {
 public:
  OpenedProcess(WindowHandle window, uint32_t access);
  ~OpenedProcess();
  OpenedProcess(const OpenedProcess&) = delete;
  OpenedProcess& operator=(const OpenedProcess&) = delete;
  ProcessHandle handle() const { return handle_; }
  bool ok() const { return handle_ != nullptr; }

 private:
  ProcessHandle handle_ = nullptr;
};

}  // namespace rt
