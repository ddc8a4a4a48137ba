#pragma once
// A unit: one control (or window) of a form, with the properties and events every kind shares.
// A unit whose window is gone is inert: writes do nothing, reads give empty values.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "runtime/app.h"

namespace rt {

class Window;

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
};

struct Font {
  int angle = 0;
  bool bold = false, italic = false, strikeout = false, underline = false;
  int size = 9;  // points
  std::string face = "宋体";
  bool operator==(const Font&) const = default;
};

// Modifier bits of key events.
enum Modifiers : int { kCtrl = 1, kShift = 2, kAlt = 4 };

using CursorHandle = void*;

class Unit {
 public:
  Unit();
  virtual ~Unit();
  Unit(const Unit&) = delete;
  Unit& operator=(const Unit&) = delete;

  WindowHandle handle() const { return handle_; }
  bool exists() const { return handle_ != nullptr; }
  Window* window() const { return window_; }
  // The unit a window of the runtime belongs to; null for any other window (another program's,
  // a part of a control).
  static Unit* of_handle(WindowHandle h);

  // Common properties: position and size relative to the parent's client area.
  int left() const;
  int top() const;
  int width() const;
  int height() const;
  void set_left(int v);
  void set_top(int v);
  void set_width(int v);
  void set_height(int v);
  void move(int left, int top, int width, int height);
  Rect rect() const;

  std::string tag;

  bool visible() const;
  void set_visible(bool v);
  bool disabled() const;
  void set_disabled(bool v);
  // Shown over the unit; at once when the pointer is over it now or the unit holds the mouse.
  void set_mouse_pointer(CursorHandle cursor);

  Font font() const { return font_; }
  void set_font(const Font& f);

  // A text the unit paints itself, as it paints it: the characters, the box of its client area
  // they are drawn into, the DrawText format and the font. What checks of the layout measure.
  struct DrawnText {
    std::wstring text;
    Rect box;
    unsigned format = 0;
    void* font = nullptr;
  };
  virtual std::optional<DrawnText> drawn_text() const { return std::nullopt; }

  // Above its sibling controls.
  void bring_to_front();
  void set_focus();
  bool has_focus() const;

  // The keyboard of a window with dialog keys (Window::set_dialog_keys). Whether Tab stops at
  // the unit: by its kind unless set (boxes, lists, sliders, colour pickers and the graphic
  // buttons that do something on a click do; labels, frames and pictures do not).
  bool tab_stop() const { return tab_stop_.value_or(tab_stop_by_kind()); }
  void set_tab_stop(bool on) { tab_stop_ = on; }
  // Whether the focused unit uses the key (VK_TAB, VK_ESCAPE, VK_RETURN) itself instead of
  // leaving it to its window: Enter in a multi-line box or on a button, Esc in an open list.
  virtual bool keeps_key(int key) const { return false; }
  // The focus arrives by Tab (a box then selects its text).
  virtual void focus_by_tab() { set_focus(); }
  // A frame: Tab walks the units inside it one after another.
  virtual bool frames_units() const { return false; }

  // Common events. A mouse or key handler that returns false swallows the message.
  std::function<bool(int x, int y, int keys)> on_left_down, on_left_up, on_double_click;
  std::function<bool(int x, int y, int keys)> on_right_down, on_right_up, on_mouse_move;
  std::function<void()> on_focus, on_blur;
  std::function<bool(int key, int modifiers)> on_key_down, on_key_up;
  std::function<bool(int ch)> on_char;
  std::function<bool(int delta, int modifiers)> on_wheel;  // modifiers as for keys

  // Runtime side: the window's messages after the hook layers, and notifications its
  // parent received on its behalf. nullopt leaves the message to the control.
  std::optional<intptr_t> route_message(unsigned msg, uintptr_t wparam, intptr_t lparam);
  virtual std::optional<intptr_t> handle_notification(unsigned msg, uintptr_t wparam, intptr_t lparam) {
    return std::nullopt;
  }
  void bind_handle(WindowHandle h) { handle_ = h; }
  virtual void unbind_handle();

 protected:
  virtual std::optional<intptr_t> handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) {
    return std::nullopt;
  }
  // The control's own handling of a message, for a handle_message that works before or after it.
  intptr_t call_control(unsigned msg, uintptr_t wparam, intptr_t lparam);
  // Creates a child control of a standard class and attaches it to the runtime.
  void create_control(Window& parent, const wchar_t* cls, unsigned style, unsigned ex_style, Rect r,
                      std::string_view text = {});
  // Creates a child window of one of our own classes; parent_handle defaults to the form's window.
  void create_own(Window& parent, const wchar_t* cls, unsigned style, unsigned ex_style, Rect r,
                  WindowHandle parent_handle = nullptr);
  void apply_font();
  virtual bool tab_stop_by_kind() const { return false; }
  // A key down that nothing of the unit swallowed: the window's dialog keys may use it (its
  // character then goes with it). Also for a control's own child window (a combo box's text
  // field), whose flag swallow_char is.
  bool offer_dialog_key(int key, bool& swallow_char);

  WindowHandle handle_ = nullptr;
  Window* window_ = nullptr;
  Font font_;
  bool font_set_ = false;
  void* hfont_ = nullptr;
  CursorHandle cursor_ = nullptr;
  bool swallow_char_ = false;  // the character of a swallowed key goes with it
  std::optional<bool> tab_stop_;
};

}  // namespace rt
