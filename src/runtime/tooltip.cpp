#include "runtime/tooltip.h"

#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <map>

#include "runtime/hooks.h"
#include "runtime/internal.h"
#include "runtime/strings.h"
#include "runtime/tip_markup.h"

namespace rt {
namespace {

HWND hw(WindowHandle h) { return static_cast<HWND>(h); }
// One tooltip control per top-level window, kept as a property of that window.
constexpr wchar_t kTipProperty[] = L"VelmoraTooltip";
// Marks a unit whose mouse messages are already relayed to the tooltip.
constexpr wchar_t kRelayProperty[] = L"VelmoraTooltipRelay";
// Marks a top-level window whose tips are held (while its tooltip control is still to be made).
constexpr wchar_t kHeldProperty[] = L"VelmoraTooltipsHeld";

// Each unit's tip text as given, read into its runs.
std::map<HWND, TipMarkup>& markups() {
  static std::map<HWND, TipMarkup> m;
  return m;
}

// The runs of the tool the tip shows now, and its unit.
const TipMarkup* current_markup(HWND tip, HWND* owner) {
  TOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  if (!SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&ti))) return nullptr;
  auto it = markups().find(reinterpret_cast<HWND>(ti.uId));
  if (it == markups().end()) return nullptr;
  *owner = it->first;
  return &it->second;
}

HWND tip_of(HWND top, bool create) {
  HWND tip = static_cast<HWND>(GetPropW(top, kTipProperty));
  if (tip && IsWindow(tip)) return tip;
  if (!create) return nullptr;
  // Owned by the top-level window, so it goes with it.
  tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, top, nullptr, detail::instance(), nullptr);
  if (!tip) return nullptr;
  // Long texts wrap, and line breaks in a text start new lines.
  SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 360);
  detail::paint_tips_in_colour(tip, [tip](HWND* owner) { return current_markup(tip, owner); });
  SetPropW(top, kTipProperty, tip);
  add_hook(top, [](Message& m) {
    if (m.msg == WM_NCDESTROY) RemovePropW(hw(m.window), kTipProperty);
    return m.next();
  });
  return tip;
}

TOOLINFOW tool_of(HWND unit) {
  TOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_IDISHWND;
  ti.hwnd = GetParent(unit) ? GetParent(unit) : unit;
  ti.uId = reinterpret_cast<UINT_PTR>(unit);
  return ti;
}

// The unit's tool in the tip control, added or given its text anew.
void put_tool(HWND tip, HWND unit, const TipMarkup& markup) {
  TOOLINFOW ti = tool_of(unit);
  bool known = SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
  ti = tool_of(unit);
  std::wstring w = detail::tip_control_text(tip, markup);
  ti.lpszText = w.data();
  SendMessageW(tip, known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

// The top-level window's tip control, made with the tools of its units when the mouse first
// comes over one of them: a window's start does not wait for a control (a window of its own)
// that only a resting mouse shows.
HWND tip_for_mouse(HWND top) {
  HWND tip = tip_of(top, false);
  if (tip) return tip;
  for (const auto& [unit, markup] : markups()) {
    if (GetAncestor(unit, GA_ROOT) != top) continue;
    if (!tip && !(tip = tip_of(top, true))) return nullptr;
    put_tool(tip, unit, markup);
  }
  if (tip && GetPropW(top, kHeldProperty)) SendMessageW(tip, TTM_ACTIVATE, FALSE, 0);
  return tip;
}

// A re-created unit window keeps its tooltip: the tool goes over to the new handle.
void move_tool(HWND from, HWND to) {
  RemovePropW(from, kRelayProperty);
  if (auto it = markups().find(from); it != markups().end()) {
    markups()[to] = it->second;
    markups().erase(from);
  }
  detail::forget_drawn_tip(from);
  SetPropW(to, kRelayProperty, reinterpret_cast<HANDLE>(1));
  HWND tip = tip_of(GetAncestor(to, GA_ROOT), false);
  if (!tip) return;
  TOOLINFOW ti = tool_of(from);
  if (!SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti))) return;
  wchar_t text[1024] = {};
  ti = tool_of(from);
  ti.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, sizeof text / sizeof text[0], reinterpret_cast<LPARAM>(&ti));
  SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  ti = tool_of(to);
  ti.lpszText = text;
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

// The tooltip sees the mouse through a hook layer rather than by replacing the unit's window
// procedure, so the unit's other layers stay independent of it.
void relay_mouse(HWND unit) {
  if (GetPropW(unit, kRelayProperty)) return;
  SetPropW(unit, kRelayProperty, reinterpret_cast<HANDLE>(1));
  add_hook(unit, [](Message& m) {
    if (m.msg == WM_NCDESTROY) {
      RemovePropW(hw(m.window), kRelayProperty);
      markups().erase(hw(m.window));
      detail::forget_drawn_tip(hw(m.window));
    }
    if (m.msg == handle_replaced_message())
      move_tool(reinterpret_cast<HWND>(m.wparam), reinterpret_cast<HWND>(m.lparam));
    if (m.msg >= WM_MOUSEFIRST && m.msg <= WM_MOUSELAST) {
      if (HWND tip = tip_for_mouse(GetAncestor(hw(m.window), GA_ROOT))) {
        MSG msg{hw(m.window), m.msg, m.wparam, m.lparam, static_cast<DWORD>(GetMessageTime()), {}};
        GetCursorPos(&msg.pt);
        SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
      }
    }
    return m.next();
  });
}

}  // namespace

void set_tooltip(Unit& unit, std::string_view text) {
  HWND h = hw(unit.handle());
  if (!h) return;
  HWND tip = tip_of(GetAncestor(h, GA_ROOT), false);
  if (text.empty()) {
    TOOLINFOW ti = tool_of(h);
    if (tip && SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti))) {
      ti = tool_of(h);
      SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    markups().erase(h);
    return;
  }
  TipMarkup& markup = markups()[h] = parse_tip_markup(text);
  // Without a tip control yet, the tool comes with the control.
  if (tip) put_tool(tip, h, markup);
  relay_mouse(h);
}

std::string tooltip_text(const Unit& unit) {
  HWND h = hw(unit.handle());
  if (!h) return {};
  if (auto it = markups().find(h); it != markups().end()) return it->second.plain();
  HWND tip = tip_of(GetAncestor(h, GA_ROOT), false);
  if (!tip) return {};
  TOOLINFOW ti = tool_of(h);
  if (!SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti))) return {};
  wchar_t buf[1024] = {};
  ti = tool_of(h);
  ti.lpszText = buf;
  SendMessageW(tip, TTM_GETTEXTW, sizeof buf / sizeof buf[0], reinterpret_cast<LPARAM>(&ti));
  return to_gbk(buf);
}

void detail::hold_tooltips(HWND top, bool held) {
  if (!top) return;
  if (held)
    SetPropW(top, kHeldProperty, reinterpret_cast<HANDLE>(1));
  else
    RemovePropW(top, kHeldProperty);
  HWND tip = tip_of(top, false);
  if (!tip) return;
  if (held) SendMessageW(tip, TTM_POP, 0, 0);
  SendMessageW(tip, TTM_ACTIVATE, held ? FALSE : TRUE, 0);
}

bool tooltip_showing(const Unit& unit) {
  HWND h = hw(unit.handle());
  HWND tip = h ? tip_of(GetAncestor(h, GA_ROOT), false) : nullptr;
  if (!tip || !IsWindowVisible(tip)) return false;
  TOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  return SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&ti)) && ti.uId == reinterpret_cast<UINT_PTR>(h);
}

}  // namespace rt
