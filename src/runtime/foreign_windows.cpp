#include "runtime/foreign_windows.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "runtime/seams.h"
#include "runtime/strings.h"

namespace rt {
namespace {
HWND hw(WindowHandle h) { return static_cast<HWND>(h); }
HANDLE hp(ProcessHandle p) { return static_cast<HANDLE>(p); }
}  // namespace

std::optional<intptr_t> send_foreign_message(WindowHandle window, unsigned msg, uintptr_t wparam, intptr_t lparam) {
  if (!window) return std::nullopt;
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(hw(window), msg, wparam, lparam, SMTO_ABORTIFHUNG | SMTO_BLOCK, kForeignMessageTimeoutMs,
                           &answer))
    return std::nullopt;
  return static_cast<intptr_t>(answer);
}

intptr_t foreign_message(WindowHandle window, unsigned msg, uintptr_t wparam, intptr_t lparam) {
  return send_foreign_message(window, msg, wparam, lparam).value_or(0);
}

std::optional<intptr_t> send_foreign_message_native(WindowHandle window, unsigned msg, uintptr_t wparam,
                                                    intptr_t lparam) {
  if (!window) return std::nullopt;
  if (!IsWindowUnicode(hw(window))) return send_foreign_message(window, msg, wparam, lparam);
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(hw(window), msg, wparam, lparam, SMTO_ABORTIFHUNG | SMTO_BLOCK, kForeignMessageTimeoutMs,
                           &answer))
    return std::nullopt;
  return static_cast<intptr_t>(answer);
}

std::optional<intptr_t> send_foreign_text(WindowHandle window, unsigned msg, uintptr_t wparam, std::string_view text) {
  if (!window) return std::nullopt;
  if (!IsWindowUnicode(hw(window))) {
    std::string t(text);
    return send_foreign_message(window, msg, wparam, reinterpret_cast<intptr_t>(t.c_str()));
  }
  std::wstring t = to_wide(text);
  return send_foreign_message_native(window, msg, wparam, reinterpret_cast<intptr_t>(t.c_str()));
}

namespace {
// One text request on a buffer of characters C (char or wchar_t).
template <typename C>
std::optional<TextReply> text_request(HWND window, unsigned msg, uintptr_t wparam, size_t capacity, TextEnd end,
                                      std::optional<uint16_t> size_word) {
  constexpr size_t kWordUnits = sizeof(uint16_t) / sizeof(C);
  std::basic_string<C> buffer(std::max(capacity, kWordUnits) + 1, C(' '));
  buffer.back() = C(0);
  if (size_word) std::memcpy(buffer.data(), &*size_word, sizeof(uint16_t));
  const std::basic_string<C> before = buffer;
  DWORD_PTR answer = 0;
  BOOL sent = sizeof(C) == 1 ? SendMessageTimeoutA(window, msg, wparam, reinterpret_cast<LPARAM>(buffer.data()),
                                                   SMTO_ABORTIFHUNG | SMTO_BLOCK, kForeignMessageTimeoutMs, &answer)
                             : SendMessageTimeoutW(window, msg, wparam, reinterpret_cast<LPARAM>(buffer.data()),
                                                   SMTO_ABORTIFHUNG | SMTO_BLOCK, kForeignMessageTimeoutMs, &answer);
  if (!sent) return std::nullopt;
  TextReply reply;
  reply.answer = static_cast<intptr_t>(answer);
  reply.untouched = buffer == before;
  size_t n = 0;
  if (end == TextEnd::AnswerCount)
    n = std::min(static_cast<size_t>(std::max<intptr_t>(reply.answer, 0)), capacity);
  else
    while (n < capacity && buffer[n] != C(0)) ++n;
  if constexpr (sizeof(C) == 1)
    reply.text.assign(buffer.data(), n);
  else
    reply.text = to_gbk(std::wstring_view(buffer.data(), n));
  return reply;
}
}  // namespace

std::optional<TextReply> send_foreign_text_message(WindowHandle window, unsigned msg, uintptr_t wparam, size_t capacity,
                                                   TextEnd end, std::optional<uint16_t> size_word) {
  if (!window) return std::nullopt;
  if (IsWindowUnicode(hw(window))) return text_request<wchar_t>(hw(window), msg, wparam, capacity, end, size_word);
  return text_request<char>(hw(window), msg, wparam, capacity, end, size_word);
}

bool post_foreign_message(WindowHandle window, unsigned msg, uintptr_t wparam, intptr_t lparam) {
  return PostMessageA(hw(window), msg, wparam, lparam) != 0;
}

unsigned register_window_message(const std::string& name) { return RegisterWindowMessageA(name.c_str()); }

std::string foreign_class_name(WindowHandle window, int capacity) {
  if (capacity <= 0) return {};
  std::string buf(static_cast<size_t>(capacity), '\0');
  int n = window ? GetClassNameA(hw(window), buf.data(), capacity) : 0;
  buf.resize(static_cast<size_t>(n > 0 ? n : 0));
  return buf;
}

bool is_window(WindowHandle window) { return window && IsWindow(hw(window)); }

bool is_unicode_window(WindowHandle window) { return window && IsWindowUnicode(hw(window)); }

WindowHandle parent_window(WindowHandle window) { return window ? GetParent(hw(window)) : nullptr; }

uint32_t window_style(WindowHandle window) {
  return window ? static_cast<uint32_t>(GetWindowLongA(hw(window), GWL_STYLE)) : 0;
}

void set_window_style(WindowHandle window, uint32_t style) {
  if (window) SetWindowLongA(hw(window), GWL_STYLE, static_cast<LONG>(style));
}

ScreenPoint cursor_screen_position() {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

ScreenRect window_screen_rect(WindowHandle window) {
  RECT r{};
  if (window) GetWindowRect(hw(window), &r);
  return {r.left, r.top, r.right, r.bottom};
}

WindowHandle window_from_point(ScreenPoint point) { return WindowFromPoint(POINT{point.x, point.y}); }

WindowHandle top_level_ancestor(WindowHandle window) { return window ? GetAncestor(hw(window), GA_ROOT) : nullptr; }

void draw_inverted_screen_frame(ScreenRect rect, unsigned color, int width) {
  HWND desktop = GetDesktopWindow();
  HDC dc = GetWindowDC(desktop);
  if (!dc) return;
  int old_mode = SetROP2(dc, R2_NOTXORPEN);
  HPEN pen = CreatePen(PS_SOLID, width, color);
  HGDIOBJ old_pen = SelectObject(dc, pen);
  // The stock white brush the context starts with leaves the inside unchanged in this mode.
  Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
  SetROP2(dc, old_mode);
  SelectObject(dc, old_pen);
  DeleteObject(pen);
  ReleaseDC(desktop, dc);
}

MenuHandle window_menu(WindowHandle window) { return window ? GetMenu(hw(window)) : nullptr; }

int menu_item_count(MenuHandle menu) { return menu ? GetMenuItemCount(static_cast<HMENU>(menu)) : -1; }

std::string menu_item_text(MenuHandle menu, int position, int capacity) {
  if (!menu || capacity <= 0) return {};
  std::string buf(static_cast<size_t>(capacity), '\0');
  int n = GetMenuStringA(static_cast<HMENU>(menu), static_cast<UINT>(position), buf.data(), capacity, MF_BYPOSITION);
  buf.resize(static_cast<size_t>(std::clamp(n, 0, capacity - 1)));
  return buf;
}

MenuHandle sub_menu(MenuHandle menu, int position) { return menu ? GetSubMenu(static_cast<HMENU>(menu), position) : nullptr; }

uint32_t window_process_id(WindowHandle window) {
  DWORD id = 0;
  if (window) GetWindowThreadProcessId(hw(window), &id);
  return id;
}

namespace {

// The size of a process's pointers in bits: 64 for a native process of a 64-bit system.
int process_bits(uint32_t process_id, HANDLE process) {
  if (std::optional<int> told = seams::told_process_bits(process_id)) return *told;
  // A 32-bit process on a 64-bit system runs under WOW64: ours does exactly there. Systems
  // older than 64-bit Windows lack the call, and every process of theirs is 32-bit.
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, BOOL*);
  static const auto is_wow64 = reinterpret_cast<IsWow64ProcessFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process")));
  BOOL we_emulated = FALSE, they_emulated = FALSE;
  constexpr bool kWe64 = sizeof(void*) == 8;  // then the system is 64-bit too
  if (!is_wow64 || (!kWe64 && (!is_wow64(GetCurrentProcess(), &we_emulated) || !we_emulated))) return 32;
  if (!is_wow64(process, &they_emulated)) return 8 * static_cast<int>(sizeof(void*));
  return they_emulated ? 32 : 64;
}

}  // namespace

bool window_process_not_32_bit(WindowHandle window) {
  uint32_t id = window_process_id(window);
  if (!id) return false;
  constexpr DWORD kQueryLimitedInformation = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION
  HANDLE process = OpenProcess(kQueryLimitedInformation, FALSE, id);
  if (!process) process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, id);  // older systems
  if (!process) return false;
  int bits = process_bits(id, process);
  CloseHandle(process);
  return bits != 32;
}

ProcessHandle open_process(uint32_t process_id, uint32_t access) {
  if (!process_id) return nullptr;
  return OpenProcess(access, FALSE, process_id);
}

bool close_handle(void* handle) { return handle && CloseHandle(static_cast<HANDLE>(handle)); }

uintptr_t alloc_process_memory(ProcessHandle process, size_t size) {
  if (!process || size == 0) return 0;
  seams::count_process_memory_request();
  return reinterpret_cast<uintptr_t>(VirtualAllocEx(hp(process), nullptr, size, MEM_COMMIT, PAGE_READWRITE));
}

bool free_process_memory(ProcessHandle process, uintptr_t address) {
  if (!process || !address) return false;
  return VirtualFreeEx(hp(process), reinterpret_cast<void*>(address), 0, MEM_RELEASE) != 0;
}

bool write_process_memory(ProcessHandle process, uintptr_t address, const void* data, size_t size) {
  if (!process || !address) return false;
  seams::count_process_memory_request();
  SIZE_T done = 0;
  return WriteProcessMemory(hp(process), reinterpret_cast<void*>(address), data, size, &done) && done == size;
}

bool read_process_memory(ProcessHandle process, uintptr_t address, void* out, size_t size) {
  if (!process || !address) return false;
  SIZE_T done = 0;
  return ReadProcessMemory(hp(process), reinterpret_cast<const void*>(address), out, size, &done) && done == size;
}

SharedView create_shared_view(size_t size) {
  HANDLE mapping =
      CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(size), nullptr);
  if (!mapping) return {};
  void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
  return {mapping, reinterpret_cast<uintptr_t>(view)};
}

bool unmap_shared_view(uintptr_t address) { return address && UnmapViewOfFile(reinterpret_cast<void*>(address)); }

int os_kind() {
  OSVERSIONINFOA v{};
  v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&v)) return 3;
#pragma GCC diagnostic pop
  switch (v.dwPlatformId) {
    case VER_PLATFORM_WIN32s:
      return 1;
    case VER_PLATFORM_WIN32_WINDOWS:
      return 2;
    default:
      return 3;
  }
}

RemoteBlock::RemoteBlock(ProcessHandle process, size_t size)
    : process_(process), address_(alloc_process_memory(process, size)) {}

RemoteBlock::~RemoteBlock() {
  if (address_) free_process_memory(process_, address_);
}

bool RemoteBlock::write(const void* data, size_t size, size_t offset) const {
  return size == 0 || write_process_memory(process_, address_ + offset, data, size);
}

bool RemoteBlock::read(void* out, size_t size, size_t offset) const {
  return size == 0 || read_process_memory(process_, address_ + offset, out, size);
}

OpenedProcess::OpenedProcess(WindowHandle window, uint32_t access)
    : handle_(open_process(window_process_id(window), access)) {}

OpenedProcess::~OpenedProcess() { close_handle(handle_); }

}  // namespace rt
