#pragma once
// Tray icon unit: one icon of a window in the notification area, with its tip and the mouse
// events the program acts on. The icon belongs to its window: it goes when the window goes, and
// comes back by itself when the shell's taskbar is made anew.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "runtime/picture.h"

namespace rt {

class Window;

class TrayIcon {
 public:
  // What the user did on the icon; other mouse traffic over it raises nothing.
  enum Event { kLeftUp = 1, kDoubleClick = 2, kRightUp = 3 };
  // The longest tip, in bytes.
  static constexpr int kTipBytes = 62;

  TrayIcon() = default;
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Attaches the unit to its owner window (the icon's messages come through the owner's hooks);
  // id tells the window's icons apart.
  void create(Window& owner, unsigned id = 100);
  // Shows the icon with the picture and the tip (GBK, cut at the last whole character within
  // kTipBytes); an icon already shown takes the new picture and tip. Returns whether the shell
  // took it.
  bool add(const Picture& icon, std::string_view tip);
  // Takes the icon away; returns whether the shell had it.
  bool remove();
  bool shown() const { return shown_; }
  unsigned id() const { return id_; }
  // The tip as the shell got it.
  const std::string& tip() const { return tip_; }
  // The message the shell sends the owner about the icon: wparam the id, lparam the mouse
  // message.
  static unsigned callback_message();

  std::function<void(int event)> on_event;

 private:
  bool notify(unsigned what);
  intptr_t owner_message(unsigned msg, uintptr_t wparam, intptr_t lparam, bool& handled);
  void release_icon();

  Window* owner_ = nullptr;
  void* owner_handle_ = nullptr;
  int hook_id_ = 0;
  unsigned id_ = 100;
  bool shown_ = false;
  std::string tip_;
  void* icon_ = nullptr;  // HICON
};

}  // namespace rt
