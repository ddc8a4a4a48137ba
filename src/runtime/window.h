#pragma once
// A top-level window built from its form description. Each form is a subclass whose members are
// its units and whose build() creates them and has their events bound.
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/picture.h"
#include "runtime/unit.h"

namespace rt {

class Timer;
class GraphicButton;

// The keys of a dialog (Window::set_dialog_keys).
struct DialogKeys {
  // Esc presses it, as the user's click would (nothing while it is hidden or disabled).
  GraphicButton* cancel = nullptr;
  // Enter presses the first of them that is shown and enabled, unless the focused unit keeps
  // Enter for itself.
  std::vector<GraphicButton*> defaults;
  // The walk of Tab when given; else every unit that is a tab stop, in reading order
  // (runtime/reading_order.h), a frame's units together.
  std::vector<Unit*> order;
};

class Window : public Unit {
 public:
  // class_name: the Win32 class other programs may look for; design: the form's rectangle.
  Window(std::string class_name, std::string caption, Rect design);
  ~Window() override;

  // Loads the window modeless (owner may be null) and shows it; raises created before showing.
  // Loading a window that is already loaded does nothing. Returns whether it exists afterwards.
  bool load(Window* owner = nullptr, bool show = true);
  // Loads the window modal over its owner and returns when it is gone, with its modal result.
  int load_modal(Window* owner);
  bool loaded() const { return exists(); }
  bool is_modal() const { return modal_; }
  void set_modal_result(int v) { modal_result_ = v; }
  int modal_result() const { return modal_result_; }

  // As the user's close: may-close decides, then the window is destroyed.
  void close();
  // Destroys the window without asking.
  void destroy();
  // Asks the window to close once the messages before it are handled.
  void post_close();

  std::string caption() const;
  void set_caption(std::string_view text);
  int alpha() const { return alpha_; }
  void set_alpha(int value);  // 0..255, layered window
  bool topmost() const;
  void set_topmost(bool on);
  // Rounded-rectangle region; radius 0 removes the region.
  void set_round_region(int radius);
  unsigned back_color() const { return back_color_; }
  void set_back_color(unsigned rgb);
  // The icon of the task bar and of the window switcher.
  void set_icon(const Picture& picture);
  bool minimized() const;
  // Back from the task bar to the state it had before minimizing; nothing otherwise.
  void restore_if_minimized();
  void minimize();
  void maximize();
  // Back to the normal state from minimized or maximized.
  void restore();
  bool maximized() const;
  // Makes it the foreground window and flashes its task-bar button once when it was not.
  void bring_forward();
  bool is_foreground() const;
  // The active window of the program's thread (the one that gets the keyboard).
  bool is_active() const;

  // The keyboard as in a dialog: Tab and Shift+Tab move the focus through the tab stops that
  // are shown, enabled and inside the window, around at the ends; Esc and Enter press the
  // cancel and the default button. A key a unit's own key handler swallows never comes here.
  // Windows without them (the main window) leave these keys to their controls.
  void set_dialog_keys(DialogKeys keys);
  bool has_dialog_keys() const { return dialog_keys_set_; }
  const DialogKeys& dialog_keys() const { return dialog_keys_; }
  // The units Tab walks now, in its order.
  std::vector<Unit*> tab_order() const;
  // Runtime side: a key down that reached a unit of the window unused; true when it was used.
  bool use_dialog_key(int key, int modifiers);

  // Font the form gives controls that set none.
  void* default_font();

  // The windows of the program that are loaded now, in the order they were loaded.
  static const std::vector<Window*>& loaded_windows();
  // A loaded window by its caption, or null.
  static Window* find_loaded(std::string_view caption);
  // Whether a modal window of the runtime is open over this window.
  bool has_modal_child() const;

  // Units the form lays over others on purpose: each unit of `over` may cover each unit of
  // `under`, and lies above it; with the window itself (or the unit that is its parent) as
  // `under`, it may run past that one's edge. Any other two units that share pixels, or a unit
  // that does not lie inside its parent, are faults of the layout (checks of the layout read
  // this list).
  struct Overlap {
    std::vector<const Unit*> over, under;
  };
  virtual std::vector<Overlap> intended_overlaps() { return {}; }

  // Events of the window.
  std::function<void()> on_created, on_first_activation, on_activated, on_deactivated;
  std::function<void()> on_moved, on_resized, on_shown, on_hidden, on_destroying;
  std::function<bool()> on_may_close;  // false keeps the window open

  // Runtime side.
  void add_timer(Timer* t, unsigned id) { timers_[id] = t; }
  void remove_timer(unsigned id) { timers_.erase(id); }
  unsigned next_timer_id() { return ++last_timer_id_; }
  void unbind_handle() override;

 protected:
  // The form description: creates the units and has their events bound.
  virtual void build() = 0;
  std::optional<intptr_t> handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) override;

  std::string class_name_;
  std::string design_caption_;
  Rect design_;
  unsigned style_;  // WS_POPUP-based: the program draws its own frames
  unsigned ex_style_ = 0;

 private:
  bool modal_ = false;
  int modal_result_ = -1;
  WindowHandle modal_owner_ = nullptr;
  bool owner_was_enabled_ = false;
  bool first_activated_ = false;
  // The unit window that had the keyboard when the window lost the activation or was minimized:
  // it has it again when the window comes back (from another program, from the taskbar), as a
  // dialog gives it back.
  void* focus_when_left_ = nullptr;
  bool was_minimized_ = false;
  void note_focus();
  void give_focus_back();
  bool creating_ = false, activated_while_creating_ = false;
  int owned_order_checks_ = 0;
  int alpha_ = 255;
  bool topmost_ = false;
  unsigned back_color_;
  void* back_brush_ = nullptr;
  void* icon_ = nullptr;
  void* default_font_ = nullptr;
  bool dialog_keys_set_ = false;
  DialogKeys dialog_keys_;
  unsigned last_timer_id_ = 0;
  std::map<unsigned, Timer*> timers_;
};

}  // namespace rt
