#include "ui_test.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "common/message_box_form.h"
#include "runtime/hooks.h"
#include "runtime/seams.h"
#include "runtime/strings.h"
#include "runtime/tray_icon.h"
#include "runtime/window.h"

namespace ui_test {
namespace {
HWND hw(rt::WindowHandle h) { return static_cast<HWND>(h); }

// Key state as the program reads it (GetKeyState) while a synthetic key is handled.
void set_modifier_state(int modifiers, bool down) {
  BYTE keys[256];
  GetKeyboardState(keys);
  auto put = [&](int vk, bool on) { keys[vk] = on && down ? 0x80 : 0; };
  put(VK_CONTROL, modifiers & rt::kCtrl);
  put(VK_SHIFT, modifiers & rt::kShift);
  put(VK_MENU, modifiers & rt::kAlt);
  SetKeyboardState(keys);
}

void mouse_at(POINT p, DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  // The smallest coordinate of the 65536 steps that the system takes back to this pixel.
  const LONG cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  in.mi.dx = (p.x * 65536 + cx - 1) / cx;
  in.mi.dy = (p.y * 65536 + cy - 1) / cy;
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
  SendInput(1, &in, sizeof in);
}
}  // namespace

bool wait_for(const std::function<bool()>& done, int timeout_ms) {
  bool ok = rt::pump_until(done, timeout_ms);
  EXPECT_TRUE(ok) << "condition not reached within " << timeout_ms << " ms";
  return ok;
}

void settle(int ms) { rt::delay_with_messages(ms); }

void click(rt::Unit& unit, int x, int y) {
  HWND h = hw(unit.handle());
  if (!h) return;
  LPARAM at = MAKELPARAM(x, y);
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
  if (IsWindow(h)) SendMessageW(h, WM_LBUTTONUP, 0, at);
}

void double_click(rt::Unit& unit, int x, int y, int modifiers) {
  HWND h = hw(unit.handle());
  if (!h) return;
  LPARAM at = MAKELPARAM(x, y);
  WPARAM keys = ((modifiers & rt::kCtrl) ? MK_CONTROL : 0) | ((modifiers & rt::kShift) ? MK_SHIFT : 0);
  set_modifier_state(modifiers, true);
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
  if (IsWindow(h)) SendMessageW(h, WM_LBUTTONUP, keys, at);
  if (IsWindow(h)) SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON | keys, at);
  if (IsWindow(h)) SendMessageW(h, WM_LBUTTONUP, keys, at);
  set_modifier_state(modifiers, false);
}

void right_click(rt::Unit& unit, int x, int y) {
  HWND h = hw(unit.handle());
  if (!h) return;
  LPARAM at = MAKELPARAM(x, y);
  SendMessageW(h, WM_RBUTTONDOWN, MK_RBUTTON, at);
  if (IsWindow(h)) SendMessageW(h, WM_RBUTTONUP, 0, at);
}

void right_click_queued(rt::Unit& unit, int x, int y) {
  HWND h = hw(unit.handle());
  if (!h) return;
  LPARAM at = MAKELPARAM(x, y);
  PostMessageW(h, WM_RBUTTONUP, 0, at);
  SendMessageW(h, WM_RBUTTONDOWN, MK_RBUTTON, at);
  settle(10);
}

void press_key(rt::Unit& unit, int vk, int modifiers) {
  HWND h = hw(unit.handle());
  if (!h) return;
  SetFocus(h);
  set_modifier_state(modifiers, true);
  UINT down = (modifiers & rt::kAlt) ? WM_SYSKEYDOWN : WM_KEYDOWN;
  UINT up = (modifiers & rt::kAlt) ? WM_SYSKEYUP : WM_KEYUP;
  // Through the queue, as a real key comes: TranslateMessage makes its characters.
  PostMessageW(h, down, static_cast<WPARAM>(vk), 1);
  settle(10);
  PostMessageW(h, up, static_cast<WPARAM>(vk), static_cast<LPARAM>(0xC0000001));
  settle(10);
  set_modifier_state(modifiers, false);
}

void queue_key_from_keyboard(int vk, int modifiers) {
  std::vector<INPUT> keys;
  auto key = [&](int code, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = static_cast<WORD>(code);
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(code, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    keys.push_back(in);
  };
  const int held[] = {(modifiers & rt::kCtrl) ? VK_CONTROL : 0, (modifiers & rt::kShift) ? VK_SHIFT : 0,
                      (modifiers & rt::kAlt) ? VK_MENU : 0};
  for (int m : held)
    if (m) key(m, false);
  key(vk, false);
  key(vk, true);
  for (int i = 2; i >= 0; --i)
    if (held[i]) key(held[i], true);
  SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

void key_from_keyboard(int vk, int modifiers) {
  queue_key_from_keyboard(vk, modifiers);
  settle(60);
}

void type_from_keyboard(const std::string& text) {
  for (char c : text) {
    SHORT k = VkKeyScanA(c);
    key_from_keyboard(LOBYTE(k), (HIBYTE(k) & 1) ? rt::kShift : 0);
  }
}

void type_text(rt::Unit& unit, const std::string& text) {
  HWND h = hw(unit.handle());
  if (!h) return;
  std::wstring w = rt::to_wide(text);
  for (wchar_t c : w) SendMessageW(h, WM_CHAR, c, 1);
}

void move_pointer(int x, int y) {
  // Under Wine a pointer warped a moment ago can still come back from the display and undo the
  // move: it is made again until the pointer stays there.
  for (int tries = 0; tries < 20; ++tries) {
    mouse_at({x, y}, 0);
    settle(50);
    POINT p{};
    GetCursorPos(&p);
    if (p.x != x || p.y != y) continue;
    settle(100);
    GetCursorPos(&p);
    if (p.x == x && p.y == y) return;
  }
  ADD_FAILURE() << "the pointer does not stay at " << x << "," << y;
}

rt::Point point_on(rt::Unit& unit) {
  HWND h = hw(unit.handle());
  RECT r{};
  GetWindowRect(h, &r);
  for (int y = r.top + (r.bottom - r.top) / 2; y < r.bottom; ++y)
    for (int x = r.left + (r.right - r.left) / 2; x < r.right; ++x)
      if (WindowFromPoint({x, y}) == h) return {x, y};
  ADD_FAILURE() << "the unit shows nowhere";
  return {r.left, r.top};
}

unsigned drawn_pixel(rt::Unit& unit, int x, int y) {
  HWND h = hw(unit.handle());
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetDC(h);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(h, dc);
  return static_cast<unsigned>(c);
}

void click_with_pointer(rt::Unit& unit) {
  const rt::Point at = point_on(unit);
  move_pointer(at.x, at.y);
  mouse_at({at.x, at.y}, MOUSEEVENTF_LEFTDOWN);
  mouse_at({at.x, at.y}, MOUSEEVENTF_LEFTUP);
  settle(150);
}

void right_click_with_pointer(rt::Unit& unit) {
  const rt::Point at = point_on(unit);
  move_pointer(at.x, at.y);
  mouse_at({at.x, at.y}, MOUSEEVENTF_RIGHTDOWN);
  mouse_at({at.x, at.y}, MOUSEEVENTF_RIGHTUP);
  settle(150);
}

void drag(rt::Unit& unit, int dx, int dy, int steps) {
  // A window that is not the active one would take the press as its activation.
  HWND top = GetAncestor(hw(unit.handle()), GA_ROOT);
  SetForegroundWindow(top);
  wait_for([top] { return GetForegroundWindow() == top && GetActiveWindow() == top; });
  drag_from(unit, point_on(unit), dx, dy, steps);
}

void drag_from(rt::Unit& unit, rt::Point at, int dx, int dy, int steps) {
  HWND top = GetAncestor(hw(unit.handle()), GA_ROOT);
  SetForegroundWindow(top);
  wait_for([top] { return GetForegroundWindow() == top && GetActiveWindow() == top; });
  const POINT from{at.x, at.y};
  std::atomic<bool> looping{false}, ended{false};
  rt::HookId watch = rt::add_hook(top, [&](rt::Message& m) {
    if (m.msg == WM_ENTERSIZEMOVE) looping = true;
    if (m.msg == WM_EXITSIZEMOVE) ended = true;
    return m.next();
  });
  mouse_at(from, 0);
  // A press soon after the last one on a unit that moved with its window counts as a double
  // click (the place is compared in the unit's own coordinates).
  static DWORD last_press = 0;
  while (GetTickCount() - last_press < GetDoubleClickTime() + 100) settle(20);
  settle(50);
  last_press = GetTickCount();
  std::thread user([&] {
    mouse_at(from, MOUSEEVENTF_LEFTDOWN);
    for (int waited = 0; !looping && waited < 3000; waited += 10) Sleep(10);
    for (int i = 1; i <= steps; ++i) {
      mouse_at({from.x + dx * i / steps, from.y + dy * i / steps}, 0);
      Sleep(30);
    }
    Sleep(50);
    mouse_at({from.x + dx, from.y + dy}, MOUSEEVENTF_LEFTUP);
  });
  wait_for([&] { return ended.load(); }, 10000);
  user.join();
  rt::remove_hook(top, watch);
  settle(50);
}

std::string class_name(rt::WindowHandle h) {
  wchar_t buf[256] = {};
  GetClassNameW(hw(h), buf, 256);
  return rt::to_gbk(buf);
}

std::string window_text(rt::WindowHandle h) {
  int n = GetWindowTextLengthW(hw(h));
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  GetWindowTextW(hw(h), w.data(), n + 1);
  w.resize(static_cast<size_t>(n));
  return rt::to_gbk(w);
}

std::vector<rt::WindowHandle> children_of_class(rt::WindowHandle h, const std::string& cls) {
  std::vector<rt::WindowHandle> out;
  std::wstring wcls = rt::to_wide(cls);
  for (HWND c = FindWindowExW(hw(h), nullptr, wcls.c_str(), nullptr); c;
       c = FindWindowExW(hw(h), c, wcls.c_str(), nullptr))
    out.push_back(c);
  return out;
}

void answer_message_boxes(std::vector<int> codes, int* shown) {
  if (codes.empty() && !shown) {
    rt::seams::set_modal_hook(nullptr);
    return;
  }
  auto queue = std::make_shared<std::vector<int>>(std::move(codes));
  auto next = std::make_shared<size_t>(0);
  rt::seams::set_modal_hook([queue, next, shown](rt::Window& box) {
    if (&box != &message_box_form()) return;
    if (shown) ++*shown;
    int code = *next < queue->size() ? (*queue)[(*next)++] : -1;
    rt::GraphicButton* button = code >= 0 ? message_box_form().answer_button(code) : nullptr;
    if (button && button->visible() && !button->disabled()) {
      click(*button);
      return;
    }
    click(message_box_form().图形按钮_关闭_信息框);
  });
}

void screenshot(const std::string& name) {
  char folder[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("VELMORA_SHOTS", folder, MAX_PATH)) return;
  settle(300);  // let every window paint
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
  GdiFlush();
  DWORD row = static_cast<DWORD>((w * 3 + 3) & ~3), size = row * static_cast<DWORD>(h);
  BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader) + size, 0, 0,
                      static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader)};
  std::string path = std::string(folder) + "\\" + name + ".bmp";
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written;
  WriteFile(f, &fh, sizeof fh, &written, nullptr);
  WriteFile(f, &bi.bmiHeader, sizeof bi.bmiHeader, &written, nullptr);
  WriteFile(f, bits, size, &written, nullptr);
  CloseHandle(f);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
}

rt::Point find_tray_icon(rt::Window& owner) {
  rt::Point found{-1, -1};
  HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (!tray) return found;
  bool heard = false;
  rt::HookId hook = rt::add_hook(owner.handle(), [&heard](rt::Message& m) {
    if (m.msg == rt::TrayIcon::callback_message() && m.lparam == WM_MOUSEMOVE) heard = true;
    return m.next();
  });
  RECT r;
  GetClientRect(tray, &r);
  const int cx = GetSystemMetrics(SM_CXSMICON) + 4, cy = GetSystemMetrics(SM_CYSMICON) + 4;
  for (int k = 0; k < 16 && found.x < 0; ++k) {
    rt::Point p{r.right - k * cx - cx / 2, cy / 2};
    heard = false;
    PostMessageW(tray, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    if (rt::pump_until([&] { return heard; }, 300)) found = p;
  }
  rt::remove_hook(owner.handle(), hook);
  return found;
}

void mouse_on_tray_icon(rt::Point icon, unsigned message) {
  PostMessageW(FindWindowW(L"Shell_TrayWnd", nullptr), message, 0, MAKELPARAM(icon.x, icon.y));
  settle(150);
}

std::vector<rt::PopupMenu::ShownItem> tray_icon_menu(rt::PopupMenu& menus, rt::Point icon,
                                                     const std::function<void(rt::PopupMenu&)>& then) {
  std::vector<rt::PopupMenu::ShownItem> items;
  int opened = 0;
  rt::seams::set_menu_hook([&](rt::PopupMenu& m) {
    ++opened;
    items = m.shown_items();
    if (then)
      then(m);
    else
      m.press_key(VK_ESCAPE);
  });
  mouse_on_tray_icon(icon, WM_RBUTTONUP);
  wait_for([&] { return opened == 1 && !menus.is_open(); });
  rt::seams::set_menu_hook(nullptr);
  return items;
}

}  // namespace ui_test
