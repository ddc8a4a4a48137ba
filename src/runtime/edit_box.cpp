#include "runtime/edit_box.h"

#include "runtime/internal.h"
#include "runtime/strings.h"
#include "runtime/window.h"

namespace rt {
namespace {
HWND hw(WindowHandle h) { return static_cast<HWND>(h); }
}  // namespace

void EditBox::create(Window& parent, Rect r, Style s, std::string_view text) {
  DWORD style = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
  if (s.multiline) {
    style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_NOHIDESEL;
    if (s.vertical_scroll) style |= WS_VSCROLL;
    if (s.horizontal_scroll)
      style |= WS_HSCROLL;
    else
      style &= ~ES_AUTOHSCROLL;
  }
  if (s.read_only) style |= ES_READONLY;
  if (s.password) style |= ES_PASSWORD;
  if (s.align == 1) style |= ES_CENTER;
  if (s.align == 2) style |= ES_RIGHT;
  if (s.border) style |= WS_BORDER;
  text_color_ = GetSysColor(COLOR_WINDOWTEXT);
  back_color_ = GetSysColor(COLOR_WINDOW);
  create_control(parent, L"EDIT", style, 0, r);
  if (!handle_) return;
  // Without this the control stops at 32K characters.
  SendMessageW(hw(handle_), EM_SETLIMITTEXT, 0, 0);
  if (!text.empty()) set_text(text);
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
  return to_gbk(w);
}

int EditBox::text_length() const { return handle_ ? GetWindowTextLengthW(hw(handle_)) : 0; }

void EditBox::raise_changed() {
  if (on_changed) on_changed();
}

void EditBox::set_text(std::string_view text) {
  if (!handle_) return;
  ++suppress_change_;
  SetWindowTextW(hw(handle_), to_wide(text).c_str());
  --suppress_change_;
  raise_changed();
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
  return to_gbk(std::wstring_view(w).substr(static_cast<size_t>(start), static_cast<size_t>(len)));
}

void EditBox::replace_selection(std::string_view text) {
  if (!handle_) return;
  ++suppress_change_;
  SendMessageW(hw(handle_), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(to_wide(text).c_str()));
  --suppress_change_;
  raise_changed();
}

bool EditBox::read_only() const { return handle_ && (GetWindowLongW(hw(handle_), GWL_STYLE) & ES_READONLY); }
void EditBox::set_read_only(bool on) {
  if (handle_) SendMessageW(hw(handle_), EM_SETREADONLY, on, 0);
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
