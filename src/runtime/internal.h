#pragma once
// Inside the runtime only: the per-window record every runtime window is dispatched through.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/hooks.h"
#include "runtime/tip_markup.h"

namespace rt {
class Unit;
}

namespace rt::detail {

struct HookSlot {
  HookId id;
  std::shared_ptr<Hook> fn;
  bool removed = false;
};

struct Entry {
  WNDPROC original = nullptr;
  std::vector<HookSlot> hooks;
  Unit* unit = nullptr;
  int depth = 0;
  bool dead = false;  // the window is gone; dropped when its last dispatch returns
};

// Subclasses the window once (idempotent) so that hooks and the unit see its messages.
Entry& attach(HWND window, Unit* unit, WNDPROC original);
Entry* entry_of(HWND window);
// Moves the hook layers of from on top of to's, then tells them (handle_replaced_message).
void move_hooks(HWND from, HWND to);
Unit* unit_of(HWND window);
// The tips of the top-level window put away and kept away (held), or allowed again: an open
// menu of the window has nothing over it.
void hold_tooltips(HWND top, bool held);
// Coloured tips (runtime/coloured_tips.cpp). The text a tip control takes for the markup: its
// runs without the tags, broken into the lines the painting draws (in the tip's font and width).
std::wstring tip_control_text(HWND tip, const TipMarkup& markup);
// The tip control paints the markup current gives for the tool it shows (nothing: its own
// painting), and notes what it drew under the window current names (drawn_tooltip).
void paint_tips_in_colour(HWND tip, std::function<const TipMarkup*(HWND* owner)> current);
// What a window's tip drew is forgotten (the window goes).
void forget_drawn_tip(HWND owner);
// A window (a control's own tooltip) whose notifications belong to a unit other than itself.
void set_notifier(HWND from, Unit* unit);
Unit* notifier_of(HWND from);

// The window procedure of the runtime's own classes and of every subclassed control.
LRESULT CALLBACK runtime_proc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam);

HINSTANCE instance();
// Registers a window class of ours with runtime_proc (once per name).
void register_class(const std::wstring& name, UINT style, HBRUSH background);

// The top-level window count for the message loop's end.
void top_level_created();
void top_level_destroyed();

}  // namespace rt::detail
