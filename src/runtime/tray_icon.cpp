#include "runtime/tray_icon.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstring>

#include "runtime/gbk_text.h"
#include "runtime/hooks.h"
#include "runtime/window.h"

namespace rt {

namespace {

HWND hw(void* h) { return static_cast<HWND>(h); }

// The shell announces a new taskbar (after it restarted) with this message; icons are added again.
UINT taskbar_created_message() {
  static const UINT msg = RegisterWindowMessageW(L"TaskbarCreated");
  return msg;
}

}  // namespace

unsigned TrayIcon::callback_message() {
  static const UINT msg = RegisterWindowMessageW(L"VelmoraTrayIcon");
  return msg;
}

TrayIcon::~TrayIcon() {
  // A window that is gone took its hooks and its icon with it.
  if (owner_ && owner_->handle() && owner_->handle() == owner_handle_) {
    if (shown_) remove();
    if (hook_id_) remove_hook(owner_handle_, hook_id_);
  }
  release_icon();
}

void TrayIcon::create(Window& owner, unsigned id) {
  if (hook_id_ && owner_handle_ && owner_ && owner_->handle() == owner_handle_) remove_hook(owner_handle_, hook_id_);
  owner_ = &owner;
  owner_handle_ = owner.handle();
  id_ = id;
  shown_ = false;
  tip_.clear();
  release_icon();
  hook_id_ = add_hook(owner_handle_, [this](Message& m) -> intptr_t {
    bool handled = false;
    intptr_t r = owner_message(m.msg, m.wparam, m.lparam, handled);
    return handled ? r : m.next();
  });
}

void TrayIcon::release_icon() {
  if (icon_) DestroyIcon(static_cast<HICON>(icon_));
  icon_ = nullptr;
}

bool TrayIcon::notify(unsigned what) {
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = hw(owner_handle_);
  data.uID = id_;
  if (what != NIM_DELETE) {
    data.uFlags = NIF_MESSAGE | NIF_TIP | (icon_ ? NIF_ICON : 0);
    data.uCallbackMessage = callback_message();
    data.hIcon = static_cast<HICON>(icon_);
    std::memcpy(data.szTip, tip_.data(), tip_.size());
  }
  return Shell_NotifyIconA(what, &data) != FALSE;
}

bool TrayIcon::add(const Picture& icon, std::string_view tip) {
  if (!owner_handle_ || !IsWindow(hw(owner_handle_))) return false;
  tip_ = cut_on_char_boundary(tip, kTipBytes);
  release_icon();
  if (!icon.empty()) {
    // Every pixel shows: the picture carries its own background.
    HBITMAP mask = CreateBitmap(icon.width(), icon.height(), 1, 1, nullptr);
    ICONINFO info{TRUE, 0, 0, mask, static_cast<HBITMAP>(icon.bitmap())};
    icon_ = CreateIconIndirect(&info);
    DeleteObject(mask);
  }
  // The shell may hold the icon already (a unit made again) or have lost it (a new taskbar).
  shown_ = shown_ ? notify(NIM_MODIFY) || notify(NIM_ADD) : notify(NIM_ADD) || notify(NIM_MODIFY);
  return shown_;
}

bool TrayIcon::remove() {
  if (!owner_handle_) return false;
  bool ok = notify(NIM_DELETE);
  shown_ = false;
  return ok;
}

intptr_t TrayIcon::owner_message(unsigned msg, uintptr_t wparam, intptr_t lparam, bool& handled) {
  if (msg == callback_message() && wparam == id_) {
    handled = true;
    int event = 0;
    switch (static_cast<UINT>(lparam)) {
      case WM_LBUTTONUP:
        event = kLeftUp;
        break;
      case WM_LBUTTONDBLCLK:
        event = kDoubleClick;
        break;
      case WM_RBUTTONUP:
        event = kRightUp;
        break;
      default:
        break;
    }
    if (event && on_event) on_event(event);
    return 0;
  }
  // A new taskbar has lost the icons of the old one (one that still has it takes it again).
  if (msg == taskbar_created_message() && shown_) shown_ = notify(NIM_ADD) || notify(NIM_MODIFY);
  if (msg == WM_DESTROY && shown_) {
    notify(NIM_DELETE);
    shown_ = false;
  }
  return 0;
}

}  // namespace rt
