#include <unordered_map>

#include "runtime/app.h"
#include "runtime/internal.h"
#include "runtime/unit.h"

namespace rt::detail {

std::unordered_map<HWND, std::unique_ptr<Entry>>& entries() {
  static std::unordered_map<HWND, std::unique_ptr<Entry>> map;
  return map;
}

namespace {

HookId g_next_hook_id = 1;

// A window of our own classes with neither frame nor scroll bars has nothing outside its client
// area: the system's frame painting (themed, about a millisecond a window under Wine) is skipped
// for it.
bool frameless(HWND window) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  const LONG_PTR ex_style = GetWindowLongPtrW(window, GWL_EXSTYLE);
  return !(style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_VSCROLL | WS_HSCROLL)) &&
         !(ex_style & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME));
}

LRESULT inner(HWND window, Entry& e, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (e.unit) {
    if (auto r = e.unit->route_message(msg, wparam, lparam)) return *r;
  }
  if (msg == WM_NCPAINT && (!e.original || e.original == DefWindowProcW) && frameless(window)) return 0;
  return CallWindowProcW(e.original ? e.original : DefWindowProcW, window, msg, wparam, lparam);
}

LRESULT dispatch(HWND window, Entry& e, size_t level, UINT msg, WPARAM wparam, LPARAM lparam) {
  while (level > 0) {
    --level;
    if (e.hooks[level].removed) continue;
    std::shared_ptr<Hook> fn = e.hooks[level].fn;
    Message m{window, msg, wparam, lparam, nullptr};
    m.next = [window, &e, level, &m]() { return dispatch(window, e, level, m.msg, m.wparam, m.lparam); };
    return (*fn)(m);
  }
  return inner(window, e, msg, wparam, lparam);
}

void compact(Entry& e) {
  std::erase_if(e.hooks, [](const HookSlot& s) { return s.removed; });
}

}  // namespace

Entry& attach(HWND window, Unit* unit, WNDPROC original) {
  auto& slot = entries()[window];
  if (!slot) {
    slot = std::make_unique<Entry>();
    WNDPROC current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (current != runtime_proc) {
      slot->original = current;
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(runtime_proc));
    } else {
      slot->original = original ? original : DefWindowProcW;
    }
  }
  if (unit) slot->unit = unit;
  return *slot;
}

void move_hooks(HWND from, HWND to) {
  Entry* source = entry_of(from);
  if (!source) return;
  Entry& target = attach(to, nullptr, nullptr);
  // Marked rather than erased: a dispatch on the old window may still be walking its layers.
  for (HookSlot& s : source->hooks) {
    if (s.removed) continue;
    target.hooks.push_back(s);
    s.removed = true;
  }
  if (source->depth == 0) compact(*source);
  SendMessageW(to, handle_replaced_message(), reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(to));
}

Entry* entry_of(HWND window) {
  auto it = entries().find(window);
  return it == entries().end() ? nullptr : it->second.get();
}

std::unordered_map<HWND, Unit*>& notifiers() {
  static std::unordered_map<HWND, Unit*> map;
  return map;
}

void set_notifier(HWND from, Unit* unit) {
  if (unit)
    notifiers()[from] = unit;
  else
    notifiers().erase(from);
}

Unit* notifier_of(HWND from) {
  auto it = notifiers().find(from);
  return it == notifiers().end() ? nullptr : it->second;
}

Unit* unit_of(HWND window) {
  Entry* e = entry_of(window);
  return e ? e->unit : nullptr;
}

LRESULT CALLBACK runtime_proc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  Entry* e = entry_of(window);
  if (!e) {
    // Our own classes meet their record at creation: the unit comes with CREATESTRUCT.
    if (msg == WM_NCCREATE) {
      auto* cs = reinterpret_cast<CREATESTRUCTW*>(lparam);
      e = &attach(window, static_cast<Unit*>(cs->lpCreateParams), DefWindowProcW);
      if (e->unit) e->unit->bind_handle(window);
    } else {
      return DefWindowProcW(window, msg, wparam, lparam);
    }
  }
  ++e->depth;
  LRESULT r = 0;
  // An exception must not unwind through the system's frames: it is reported here, and the
  // message counts as handled.
  try {
    r = dispatch(window, *e, e->hooks.size(), msg, wparam, lparam);
  } catch (...) {
    report_current_exception();
  }
  --e->depth;
  if (msg == WM_NCDESTROY) {
    if (e->unit) e->unit->unbind_handle();
    e->unit = nullptr;
    if (e->original && e->original != DefWindowProcW)
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(e->original));
    for (auto& h : e->hooks) h.removed = true;
    e->dead = true;
  }
  if (e->depth == 0) {
    if (e->dead)
      entries().erase(window);
    else
      compact(*e);
  }
  return r;
}

}  // namespace rt::detail

namespace rt {

HookId add_hook(WindowHandle window, Hook hook) {
  HWND h = static_cast<HWND>(window);
  if (!IsWindow(h)) return 0;
  auto& e = detail::attach(h, nullptr, nullptr);
  HookId id = detail::g_next_hook_id++;
  e.hooks.push_back({id, std::make_shared<Hook>(std::move(hook)), false});
  return id;
}

void remove_hook(WindowHandle window, HookId id) {
  auto remove_from = [id](detail::Entry& e) {
    bool found = false;
    for (auto& s : e.hooks)
      if (s.id == id && !s.removed) {
        s.removed = true;
        found = true;
      }
    if (e.depth == 0) detail::compact(e);
    return found;
  };
  detail::Entry* e = detail::entry_of(static_cast<HWND>(window));
  if (e && remove_from(*e)) return;
  // Ids are unique: a layer that moved with its re-created window is still found.
  for (auto& [h, other] : detail::entries())
    if (other.get() != e && remove_from(*other)) return;
}

unsigned handle_replaced_message() {
  static const UINT msg = RegisterWindowMessageW(L"VelmoraHandleReplaced");
  return msg;
}

}  // namespace rt
