#include "runtime/edit_box.h"

#include <new>
#include <optional>
#include <stdexcept>
#include <vector>

#include "runtime/app.h"
#include "runtime/internal.h"
#include "runtime/strings.h"
#include "runtime/window.h"

namespace rt {
namespace {
HWND hw(WindowHandle h) { return static_cast<HWND>(h); }

// The style bits a control takes only when it is made.
constexpr DWORD kShapeBits = ES_CENTER | ES_RIGHT | ES_AUTOHSCROLL | WS_HSCROLL | WS_VSCROLL;

DWORD shape_bits(const EditBox::Style& s) {
  DWORD bits = 0;
  if (s.multiline) {
    if (s.vertical_scroll) bits |= WS_VSCROLL;
    // Without automatic horizontal scrolling a multi-line control wraps its lines.
    if (s.horizontal_scroll) bits |= WS_HSCROLL | ES_AUTOHSCROLL;
  } else {
    bits |= ES_AUTOHSCROLL;
  }
  if (s.align == 1) bits |= ES_CENTER;
  if (s.align == 2) bits |= ES_RIGHT;
  return bits;
}

// Whether the control can take a text of `units` UTF-16 units with room to spare. It keeps the
// text in one block and lays out every line beside it, and the system's text layout does not
// survive running out of memory halfway (under Wine the process ends): so the room is made sure
// of before, by reserving (and giving back) the block once and a half in one piece and twice
// the block more. Texts under a million units are always taken.
bool room_for_text(size_t units) {
  constexpr size_t kAlwaysTaken = 1u << 20, kSmallestPiece = 16u << 20;
  if (units < kAlwaysTaken) return true;
  const size_t block = units * sizeof(wchar_t);
  std::vector<void*> pieces;
  auto reserve = [&pieces](size_t size) {
    void* p = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS);
    if (p) pieces.push_back(p);
    return p != nullptr;
  };
  bool room = reserve(block + block / 2);
  for (size_t more = 0, piece = block; room && more < 2 * block;) {
    if (reserve(piece))
      more += piece;
    else if ((piece /= 2) < kSmallestPiece)
      room = false;
  }
  for (void* p : pieces) VirtualFree(p, 0, MEM_RELEASE);
  return room;
}

// The text as the control takes it, or nothing when there is no room for it (reported).
std::optional<std::wstring> control_text(std::string_view text, size_t units_beside) {
  std::wstring wide;
  try {
    wide = to_wide(text);
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  if ((wide.empty() && !text.empty()) || !room_for_text(wide.size() + units_beside)) {
    report_out_of_memory();
    return std::nullopt;
  }
  return wide;
}

}  // namespace

void EditBox::create(Window& parent, Rect r, Style s, std::string_view text) {
  DWORD style = WS_VISIBLE | WS_TABSTOP | shape_bits(s);
  if (s.multiline) style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_NOHIDESEL;
  if (s.read_only) style |= ES_READONLY;
  if (s.password) style |= ES_PASSWORD;
  if (s.border) style |= WS_BORDER;
  style_ = s;
  text_color_ = GetSysColor(COLOR_WINDOWTEXT);
  back_color_ = GetSysColor(COLOR_WINDOW);
  create_control(parent, L"EDIT", style, 0, r);
  if (!handle_) return;
  // Without this the control stops at 32K characters.
  SendMessageW(hw(handle_), EM_SETLIMITTEXT, 0, 0);
  if (!text.empty()) set_text(text);
}

int EditBox::scroll_bars() const {
  if (!exists()) return 0;
  return (style_.horizontal_scroll ? 1 : 0) | (style_.vertical_scroll ? 2 : 0);
}

void EditBox::set_alignment(int align) {
  if (!handle_ || align < 0 || align > 2 || align == style_.align) return;
  Style s = style_;
  s.align = align;
  rebuild(s);
}

void EditBox::set_scroll_bars(int bars) {
  if (!handle_ || bars < 0 || bars > 3 || bars == scroll_bars()) return;
  Style s = style_;
  s.horizontal_scroll = (bars & 1) != 0;
  s.vertical_scroll = (bars & 2) != 0;
  rebuild(s);
}

void EditBox::rebuild(const Style& s) {
  HWND old = hw(handle_);
  if (shape_bits(s) == shape_bits(style_)) {
    style_ = s;
    return;
  }
  auto send = [](HWND w, UINT msg, WPARAM wparam = 0, LPARAM lparam = 0) {
    return SendMessageW(w, msg, wparam, lparam);
  };
  // The new control takes the whole text (through a copy) while the old one still holds it:
  // without room for that the box keeps its shape.
  if (!room_for_text(static_cast<size_t>(GetWindowTextLengthW(old)))) {
    report_out_of_memory();
    return;
  }
  // Everything but the shape comes from the control as it is now (read-only, disabled, ...).
  DWORD style = (static_cast<DWORD>(GetWindowLongW(old, GWL_STYLE)) & ~kShapeBits) | shape_bits(s);
  DWORD ex_style = static_cast<DWORD>(GetWindowLongW(old, GWL_EXSTYLE));
  HWND parent = GetParent(old);
  RECT r;
  GetWindowRect(old, &r);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  // Made hidden and without the unit: filling it raises nothing and shows nothing.
  HWND h = CreateWindowExW(ex_style, L"EDIT", L"", style & ~WS_VISIBLE, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, parent, nullptr, detail::instance(), nullptr);
  if (!h) return;
  send(h, EM_SETLIMITTEXT, static_cast<WPARAM>(send(old, EM_GETLIMITTEXT)));
  send(h, WM_SETFONT, static_cast<WPARAM>(send(old, WM_GETFONT)), FALSE);
  send(h, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, send(old, EM_GETMARGINS));
  if (int n = GetWindowTextLengthW(old); n > 0) {
    std::wstring w(static_cast<size_t>(n) + 1, L'\0');
    w.resize(static_cast<size_t>(GetWindowTextW(old, w.data(), n + 1)));
    SetWindowTextW(h, w.c_str());
  }
  DWORD start = 0, end = 0;
  send(old, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  send(h, EM_SETSEL, start, end);
  send(h, EM_SETMODIFY, static_cast<WPARAM>(send(old, EM_GETMODIFY)));
  // The first visible line, by the character it starts with: the wrapping may change.
  LRESULT top_char = send(old, EM_LINEINDEX, static_cast<WPARAM>(send(old, EM_GETFIRSTVISIBLELINE)));
  bool focused = GetFocus() == old;

  // The old control leaves the unit first: what it says while it goes raises no event.
  if (detail::Entry* e = detail::entry_of(old)) e->unit = nullptr;
  SetWindowPos(h, old, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | ((style & WS_VISIBLE) ? SWP_SHOWWINDOW : 0));
  if (focused) SetFocus(h);
  handle_ = h;
  style_ = s;
  swallow_char_ = false;
  detail::attach(h, this, nullptr);
  detail::move_hooks(old, h);
  if (top_char >= 0) {
    LRESULT line = send(h, EM_LINEFROMCHAR, static_cast<WPARAM>(top_char));
    send(h, EM_LINESCROLL, 0, line - send(h, EM_GETFIRSTVISIBLELINE));
  }
  DestroyWindow(old);
}

int EditBox::line_count() const {
  return handle_ ? static_cast<int>(SendMessageW(hw(handle_), EM_GETLINECOUNT, 0, 0)) : 0;
}

int EditBox::line_length(int line) const {
  if (!handle_ || line < 0) return 0;
  LRESULT start = SendMessageW(hw(handle_), EM_LINEINDEX, static_cast<WPARAM>(line), 0);
  if (start < 0) return 0;
  return static_cast<int>(SendMessageW(hw(handle_), EM_LINELENGTH, static_cast<WPARAM>(start), 0));
}

int EditBox::first_visible_line() const {
  return handle_ ? static_cast<int>(SendMessageW(hw(handle_), EM_GETFIRSTVISIBLELINE, 0, 0)) : 0;
}

void EditBox::unbind_handle() {
  Unit::unbind_handle();
  if (back_brush_) DeleteObject(static_cast<HBRUSH>(back_brush_));
  back_brush_ = nullptr;
}

std::string EditBox::text() const {
  if (!handle_) return {};
  int n = GetWindowTextLengthW(hw(handle_));
  if (n <= 0) return {};
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  int got = GetWindowTextW(hw(handle_), w.data(), n + 1);
  w.resize(static_cast<size_t>(got));
  bool lossless = true;
  std::string text = to_gbk(w, &lossless);
  lost_characters_ = lost_characters_ || !lossless;
  return text;
}

bool EditBox::take_lost_characters() {
  bool lost = lost_characters_;
  lost_characters_ = false;
  return lost;
}

int EditBox::text_length() const { return handle_ ? GetWindowTextLengthW(hw(handle_)) : 0; }

void EditBox::raise_changed() {
  if (on_changed) on_changed();
}

bool EditBox::set_text(std::string_view text) {
  if (!handle_) return false;
  std::optional<std::wstring> wide = control_text(text, 0);
  if (!wide) return false;
  ++suppress_change_;
  BOOL taken = SetWindowTextW(hw(handle_), wide->c_str());
  --suppress_change_;
  raise_changed();
  return taken != FALSE;
}

int EditBox::selection_start() const {
  if (!handle_) return 0;
  DWORD start = 0, end = 0;
  SendMessageW(hw(handle_), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

int EditBox::selection_length() const {
  if (!handle_) return 0;
  DWORD start = 0, end = 0;
  SendMessageW(hw(handle_), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void EditBox::select(int start, int length) {
  if (!handle_) return;
  if (start < 0) start = 0;
  if (length < 0) length = 0;
  SendMessageW(hw(handle_), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + length));
}

void EditBox::set_selection_start(int start) { select(start, 0); }
void EditBox::set_selection_length(int length) { select(selection_start(), length); }

std::string EditBox::selected_text() const {
  if (!handle_) return {};
  int start = selection_start(), len = selection_length();
  if (len <= 0) return {};
  // Only the selection is converted, but the control hands out its whole buffer.
  int n = GetWindowTextLengthW(hw(handle_));
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  GetWindowTextW(hw(handle_), w.data(), n + 1);
  if (start > n) return {};
  bool lossless = true;
  std::string text =
      to_gbk(std::wstring_view(w).substr(static_cast<size_t>(start), static_cast<size_t>(len)), &lossless);
  lost_characters_ = lost_characters_ || !lossless;
  return text;
}

bool EditBox::replace_selection(std::string_view text) {
  if (!handle_) return false;
  std::optional<std::wstring> wide = control_text(text, static_cast<size_t>(text_length()));
  if (!wide) return false;
  ++suppress_change_;
  SendMessageW(hw(handle_), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide->c_str()));
  --suppress_change_;
  raise_changed();
  return true;
}

bool EditBox::read_only() const { return handle_ && (GetWindowLongW(hw(handle_), GWL_STYLE) & ES_READONLY); }
void EditBox::set_read_only(bool on) {
  if (handle_) SendMessageW(hw(handle_), EM_SETREADONLY, on, 0);
}

int EditBox::max_length() const {
  if (!handle_) return 0;
  auto limit = static_cast<unsigned long>(SendMessageW(hw(handle_), EM_GETLIMITTEXT, 0, 0));
  // What "no limit" sets differs between single- and multi-line controls.
  return limit >= 0x7FFFFFFEul ? 0 : static_cast<int>(limit);
}

void EditBox::set_max_length(int characters) {
  if (handle_) SendMessageW(hw(handle_), EM_SETLIMITTEXT, static_cast<WPARAM>(characters > 0 ? characters : 0), 0);
}

bool EditBox::digits_only() const { return handle_ && (GetWindowLongW(hw(handle_), GWL_STYLE) & ES_NUMBER); }
void EditBox::set_digits_only(bool on) {
  if (!handle_) return;
  LONG style = GetWindowLongW(hw(handle_), GWL_STYLE);
  SetWindowLongW(hw(handle_), GWL_STYLE, on ? style | ES_NUMBER : style & ~ES_NUMBER);
}

void EditBox::set_text_color(unsigned rgb) {
  text_color_ = rgb;
  if (handle_) InvalidateRect(hw(handle_), nullptr, TRUE);
}

void EditBox::set_back_color(unsigned rgb) {
  back_color_ = rgb;
  if (back_brush_) DeleteObject(static_cast<HBRUSH>(back_brush_));
  back_brush_ = nullptr;
  if (handle_) InvalidateRect(hw(handle_), nullptr, TRUE);
}

bool EditBox::can_undo() const { return handle_ && SendMessageW(hw(handle_), EM_CANUNDO, 0, 0) != 0; }
void EditBox::undo() {
  if (handle_) SendMessageW(hw(handle_), EM_UNDO, 0, 0);
}
void EditBox::cut() {
  if (handle_) SendMessageW(hw(handle_), WM_CUT, 0, 0);
}
void EditBox::copy() {
  if (handle_) SendMessageW(hw(handle_), WM_COPY, 0, 0);
}
void EditBox::paste() {
  if (handle_) SendMessageW(hw(handle_), WM_PASTE, 0, 0);
}
void EditBox::clear_selection() {
  if (handle_) SendMessageW(hw(handle_), WM_CLEAR, 0, 0);
}

void EditBox::scroll_to_caret() {
  if (handle_) SendMessageW(hw(handle_), EM_SCROLLCARET, 0, 0);
}

std::optional<intptr_t> EditBox::handle_notification(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  if (msg == WM_COMMAND && HIWORD(wparam) == EN_CHANGE) {
    if (suppress_change_ == 0) raise_changed();
    return 0;
  }
  if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORSTATIC) {
    HDC dc = reinterpret_cast<HDC>(wparam);
    SetTextColor(dc, text_color_);
    SetBkColor(dc, back_color_);
    if (!back_brush_) back_brush_ = CreateSolidBrush(back_color_);
    return reinterpret_cast<intptr_t>(back_brush_);
  }
  return std::nullopt;
}

}  // namespace rt
