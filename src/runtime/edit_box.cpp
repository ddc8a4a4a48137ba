#include "runtime/edit_box.h"

#include <usp10.h>

#include <algorithm>
#include <new>
#include <optional>
#include <string_view>
#include <stdexcept>
#include <vector>

#include "runtime/app.h"
#include "runtime/hooks.h"
#include "runtime/internal.h"
#include "runtime/strings.h"
#include "runtime/text_pieces.h"
#include "runtime/window.h"
#include "runtime/word_breaks.h"

namespace rt {
namespace {
HWND hw(WindowHandle h) { return static_cast<HWND>(h); }

// The style bits a control takes only when it is made.
constexpr DWORD kShapeBits = ES_CENTER | ES_RIGHT | ES_AUTOHSCROLL | WS_HSCROLL | WS_VSCROLL;

// Large-text boxes: the first piece of a text fills the largest screen several times over. For
// every piece appended, however short, the control walks all its lines several times and counts
// its whole text (under Wine about 40 ms at the end of a 50 MB page), besides laying out the
// piece's lines (1.3 ms for every thousand characters), so later pieces grow with what the
// control holds: a kPieceShare-th of it, up to what takes kLongestPieceMs, which keeps that cost a
// small share of the whole and the time about linear in the text's length. While the user is at
// work in the program (input within kAtWorkMs) the pieces are kPieceAtWork, so that the next input
// waits little. A turn of the timer appends pieces for kTurnMs unless a message waits.
constexpr size_t kFirstPiece = 32768;
constexpr size_t kPiece = 32768;
constexpr size_t kPieceAtWork = 8192;
constexpr size_t kPieceShare = 32;
constexpr double kLongestPieceMs = 500;
constexpr DWORD kTurnMs = 40;
constexpr DWORD kAtWorkMs = 1000;
constexpr DWORD kBarsFollowMs = 250;
constexpr UINT_PTR kPieceTimer = 0x7E51;

std::wstring window_text(HWND h) {
  int n = GetWindowTextLengthW(h);
  if (n <= 0) return {};
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  w.resize(static_cast<size_t>(GetWindowTextW(h, w.data(), n + 1)));
  return w;
}

DWORD shape_bits(const EditBox::Style& s) {
  DWORD bits = 0;
  if (s.multiline) {
    // A large-text box's vertical bar is its own, not the control's.
    if (s.vertical_scroll && !s.large_text) bits |= WS_VSCROLL;
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

bool user_at_work() {
  if (HIWORD(GetQueueStatus(QS_INPUT)) != 0) return true;
  LASTINPUTINFO last{sizeof last, 0};
  return GetLastInputInfo(&last) && GetTickCount() - last.dwTime < kAtWorkMs;
}

// How many characters the next piece appended holds when the control holds `loaded` and the last
// piece cost ms_per_char (0: none yet).
size_t piece_length(size_t loaded, bool at_work, double ms_per_char) {
  if (at_work) return kPieceAtWork;
  size_t n = std::max(kPiece, loaded / kPieceShare);
  if (ms_per_char > 0) n = std::min(n, std::max(kPiece, static_cast<size_t>(kLongestPieceMs / ms_per_char)));
  return n;
}

double now_ms() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// Whether a message waits that a turn of pieces would keep waiting.
bool messages_wait() { return HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE)) != 0; }

// Gives the multi-line control the first `first` characters of text in a block with room for all
// of it, as WM_SETTEXT would leave the control otherwise (selection, view, no undo, the modified
// mark off): the control grows its block to the exact length for every piece appended, copying
// all it holds each time. False, with nothing changed, when there is no such block.
bool give_with_room(HWND h, const std::wstring& text, size_t first) {
  HLOCAL block = LocalAlloc(LMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  auto* p = block ? static_cast<wchar_t*>(LocalLock(block)) : nullptr;
  if (!p) {
    if (block) LocalFree(block);
    return false;
  }
  std::copy_n(text.data(), first, p);
  p[first] = L'\0';
  LocalUnlock(block);
  // The block becomes the control's; the one it gives up is ours to free.
  HLOCAL old = reinterpret_cast<HLOCAL>(SendMessageW(h, EM_GETHANDLE, 0, 0));
  if (!old) {
    LocalFree(block);
    return false;
  }
  SendMessageW(h, EM_SETHANDLE, reinterpret_cast<WPARAM>(block), 0);
  LocalFree(old);
  return true;
}

// The large-text box whose control is at work on this thread (its messages pass through the
// unit's layer), for the word-break procedure, which is told nothing of its control.
thread_local HWND t_box_at_work = nullptr;

// How many of the first `length` characters of `text` fit the format width of the control at
// work, in its font, as the control measures a line; npos when that cannot be told here (no
// such control, a tab, which the control measures by its tab stops).
size_t fitting_length(const wchar_t* text, size_t length) {
  HWND h = t_box_at_work;
  if (!h || length == 0 || std::wstring_view(text, length).find(L'\t') != std::wstring_view::npos)
    return std::wstring_view::npos;
  // Asked of the control's own procedure: the unit's layers are not entered while it lays out.
  auto control = reinterpret_cast<WNDPROC>(GetClassLongPtrW(h, GCLP_WNDPROC));
  RECT format{};
  CallWindowProcW(control, h, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  auto font = reinterpret_cast<HFONT>(CallWindowProcW(control, h, WM_GETFONT, 0, 0));
  thread_local HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return std::wstring_view::npos;
  HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
  // Measured as the control measures a line (a script string with fallback fonts), not by GDI's
  // extents, which under Wine come out wider for some characters.
  const int n = static_cast<int>(length);
  SCRIPT_STRING_ANALYSIS ssa = nullptr;
  HRESULT hr = ScriptStringAnalyse(dc, text, n, n * 3 / 2 + 16, -1, SSA_LINK | SSA_FALLBACK | SSA_GLYPHS, -1,
                                   nullptr, nullptr, nullptr, nullptr, nullptr, &ssa);
  size_t fit = std::wstring_view::npos;
  if (SUCCEEDED(hr) && ssa) {
    std::vector<int> widths(length);
    if (SUCCEEDED(ScriptStringGetLogicalWidths(ssa, widths.data()))) {
      const LONG room = std::max<LONG>(0, format.right - format.left);
      LONG sum = 0;
      fit = 0;
      while (fit < length && sum + widths[fit] <= room) sum += widths[fit++];
    }
    ScriptStringFree(&ssa);
  }
  SelectObject(dc, old);
  return fit;
}

}  // namespace

int CALLBACK page_word_break(LPWSTR text, int index, int count, int action) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  std::u16string_view line;
  if (text && count > 0) line = {reinterpret_cast<const char16_t*>(text), static_cast<size_t>(count)};
  size_t at = index > 0 ? static_cast<size_t>(index) : 0;
  switch (action) {
    case WB_ISDELIMITER:
      return at < line.size() && is_word_delimiter(line[at]);
    case WB_LEFT: {
      // Laying out a line too wide for it, the control asks for the break before its guess and
      // measures the line up to there, again and again one break further back until it fits:
      // with a break after every CJK character, a dozen measurings of a whole line. Where the
      // part up to the guess does not fit, the last break within what fits is the one it will
      // end on, and it is answered at once (never a break after the one asked for). A line that
      // fits, as in word moves and double clicks, gets the plain answer.
      size_t left = break_left(line, at);
      size_t asked = std::min(line.size(), at + 1);
      size_t fit = left > 0 ? fitting_length(text, asked) : std::wstring_view::npos;
      if (fit < asked) left = std::min(left, break_left(line, fit + 1));
      return static_cast<int>(left);
    }
    case WB_RIGHT:
      return static_cast<int>(break_right(line, at));
    default:
      return 0;
  }
}

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
  if (style_.large_text) take_large_text_shape();
  if (!text.empty()) set_text(text);
}

void EditBox::take_large_text_shape() {
  SendMessageW(hw(handle_), EM_SETWORDBREAKPROC, 0, reinterpret_cast<LPARAM>(page_word_break));
  // The layer moves with the unit's hooks when the control is made anew.
  if (!work_layer_) {
    work_layer_ = true;
    add_hook(handle_, [](Message& m) -> intptr_t {
      HWND before = t_box_at_work;
      t_box_at_work = hw(m.window);
      intptr_t r = m.next();
      t_box_at_work = before;
      return r;
    });
  }
  show_own_bars(true);
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
    if (style_.large_text) show_own_bars(false);
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
  // A large text still being handed over is all here; the new control takes it piece by piece.
  std::wstring text;
  if (rest_.empty()) {
    text = window_text(old);
  } else {
    text.swap(rest_);
    rest_at_ = 0;
    KillTimer(old, kPieceTimer);
  }
  if (!s.large_text) SetWindowTextW(h, text.c_str());
  DWORD start = 0, end = 0;
  send(old, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  LRESULT modified = send(old, EM_GETMODIFY);
  if (!s.large_text) {
    send(h, EM_SETSEL, start, end);
    send(h, EM_SETMODIFY, static_cast<WPARAM>(modified));
  }
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
  if (s.large_text) {
    take_large_text_shape();
    ++suppress_change_;
    hand_over(std::move(text), std::max<size_t>(end, top_char > 0 ? static_cast<size_t>(top_char) : 0));
    --suppress_change_;
    ++internal_;  // what these ask lies in the first piece
    send(h, EM_SETSEL, start, end);
    send(h, EM_SETMODIFY, static_cast<WPARAM>(modified));
  }
  if (top_char >= 0) {
    LRESULT line = send(h, EM_LINEFROMCHAR, static_cast<WPARAM>(top_char));
    send(h, EM_LINESCROLL, 0, line - send(h, EM_GETFIRSTVISIBLELINE));
  }
  if (s.large_text) {
    --internal_;
    sync_own_bars();
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
  rest_.clear();
  rest_at_ = 0;
  for (OwnBar* bar : {&vbar_, &hbar_}) {
    if (!bar->window) continue;
    detail::set_notifier(hw(bar->window), nullptr);
    if (IsWindow(hw(bar->window))) DestroyWindow(hw(bar->window));
    *bar = {};
  }
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

ShownText EditBox::shown_text() const {
  if (!handle_) return {};
  std::wstring w = window_text(hw(handle_));
  bool lossless = true;
  ShownText shown = units_to_shown_text<wchar_t>(w, &lossless);
  lost_characters_ = lost_characters_ || !lossless;
  return shown;
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
  // The control ends its text at a zero character, as it would take the text whole: cut on the
  // bytes, which is cheap (only a zero byte gives a zero unit).
  text = text.substr(0, text.find('\0'));
  std::optional<std::wstring> wide = control_text(text, 0);
  if (!wide) return false;
  ++suppress_change_;
  BOOL taken = TRUE;
  if (style_.large_text)
    hand_over(std::move(*wide), 0);
  else
    taken = SetWindowTextW(hw(handle_), wide->c_str());
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

bool EditBox::keeps_key(int key) const {
  if (!handle_ || key != VK_RETURN) return false;
  LONG style = GetWindowLongW(hw(handle_), GWL_STYLE);
  return (style & ES_MULTILINE) && !(style & ES_READONLY);
}

void EditBox::focus_by_tab() {
  set_focus();
  if (handle_ && !style_.large_text) SendMessageW(hw(handle_), EM_SETSEL, 0, -1);
}

bool EditBox::replace_ranges(const std::vector<Range>& ranges, std::string_view with) {
  if (!handle_) return false;
  HWND h = hw(handle_);
  take_rest();
  std::optional<std::wstring> wide = control_text(with, 0);
  if (!wide) return false;
  long long length = text_length();
  for (const Range& r : ranges) length += static_cast<long long>(wide->size()) - r.length;
  if (length > 0 && !room_for_text(static_cast<size_t>(length))) {
    report_out_of_memory();
    return false;
  }
  auto send = [h](UINT msg, WPARAM wparam = 0, LPARAM lparam = 0) { return SendMessageW(h, msg, wparam, lparam); };
  ++internal_;
  ++suppress_change_;
  // Not drawn until all are in (see append_pieces).
  DefWindowProcW(h, WM_SETREDRAW, FALSE, 0);
  LRESULT limit = send(EM_GETLIMITTEXT);
  send(EM_SETLIMITTEXT, 0);
  // From the last: the ranges before stay where they are.
  for (auto r = ranges.rbegin(); r != ranges.rend(); ++r) {
    send(EM_SETSEL, static_cast<WPARAM>(r->start), r->start + r->length);
    send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide->c_str()));
  }
  send(EM_SETLIMITTEXT, static_cast<WPARAM>(limit));
  send(EM_SETSEL, 0, 0);
  send(EM_EMPTYUNDOBUFFER);
  send(EM_SETMODIFY, FALSE);
  DefWindowProcW(h, WM_SETREDRAW, TRUE, 0);
  --suppress_change_;
  --internal_;
  InvalidateRect(h, nullptr, TRUE);
  place_own_bars();
  sync_own_bars();
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
  if ((msg == WM_VSCROLL || msg == WM_HSCROLL) && lparam) {
    void* from = reinterpret_cast<void*>(lparam);
    if (from == vbar_.window || from == hbar_.window) {
      scroll_by_own_bar(from == vbar_.window, LOWORD(wparam));
      return 0;
    }
  }
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

// ---- Large-text boxes ----

void EditBox::show_own_bars(bool new_control) {
  HWND h = hw(handle_);
  if (!h) return;
  bool changed = new_control;
  auto want = [&](OwnBar& bar, bool on, DWORD kind) {
    if (on == (bar.window != nullptr)) return;
    changed = true;
    if (on) {
      bar.window = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_CLIPSIBLINGS | kind, 0, 0, 0, 0, GetParent(h),
                                   nullptr, detail::instance(), nullptr);
      if (bar.window) detail::set_notifier(hw(bar.window), this);
    } else {
      detail::set_notifier(hw(bar.window), nullptr);
      DestroyWindow(hw(bar.window));
      bar.window = nullptr;
    }
  };
  bool multi = style_.large_text && style_.multiline;
  want(vbar_, multi && style_.vertical_scroll, SBS_VERT);
  want(hbar_, multi && style_.horizontal_scroll && !system_hbar_, SBS_HORZ);
  if (hbar_.window && new_control) {
    // The control keeps its horizontal range and position without showing its own bar; a
    // range it never fills in tells that it does not (see sync_own_bars).
    ++internal_;
    SetWindowLongW(h, GWL_STYLE, GetWindowLongW(h, GWL_STYLE) & ~WS_HSCROLL);
    SCROLLINFO none{sizeof none, SIF_ALL, 0, 0, 0, 0, 0};
    SetScrollInfo(h, SB_HORZ, &none, FALSE);
    --internal_;
  }
  if (!changed) return;
  vbar_ = {vbar_.window};
  hbar_ = {hbar_.window};
  // The strips at the edges come or go (or a new control takes them): the control lays its
  // lines out again.
  SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  place_own_bars();
  sync_own_bars();
}

void EditBox::place_own_bars() {
  HWND h = hw(handle_);
  if (!h || (!vbar_.window && !hbar_.window)) return;
  HWND parent = GetParent(h);
  RECT outer, client;
  GetWindowRect(h, &outer);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&outer), 2);
  GetClientRect(h, &client);
  MapWindowPoints(h, parent, reinterpret_cast<POINT*>(&client), 2);
  bool shown = (GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE) != 0;
  bool enabled = IsWindowEnabled(h) != FALSE;
  HWND above = GetWindow(h, GW_HWNDPREV);
  auto place = [&](OwnBar& bar, RECT r) {
    if (!bar.window) return;
    // The box's outermost pixel line stays its own, as it does over a system bar (a frame
    // drawn on the box's edge shows there).
    r.left = std::max(r.left, outer.left + 1);
    r.top = std::max(r.top, outer.top + 1);
    r.right = std::min(r.right, outer.right - 1);
    r.bottom = std::min(r.bottom, outer.bottom - 1);
    HWND w = hw(bar.window);
    // While the unit appends a piece the control draws nothing and seems hidden: the bars stay.
    UINT flags = SWP_NOACTIVATE | (internal_ ? 0 : shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    if (above == w) flags |= SWP_NOZORDER;
    SetWindowPos(w, above && above != w ? above : HWND_TOP, r.left, r.top, std::max<LONG>(0, r.right - r.left),
                 std::max<LONG>(0, r.bottom - r.top), flags);
    EnableWindow(w, enabled);
    above = w;
  };
  place(vbar_, {client.right, client.top, client.right + GetSystemMetrics(SM_CXVSCROLL), client.bottom});
  place(hbar_, {client.left, client.bottom, client.right, client.bottom + GetSystemMetrics(SM_CYHSCROLL)});
}

void EditBox::sync_own_bars() {
  HWND h = hw(handle_);
  if (!h) return;
  auto show = [](OwnBar& bar, int range, int page, int pos) {
    if (bar.tracking || (range == bar.range && page == bar.page && pos == bar.pos)) return;
    bar.range = range;
    bar.page = page;
    bar.pos = pos;
    // As the system bar of an edit control shows it: disabled while everything is in view.
    SCROLLINFO si{
        sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, range, static_cast<UINT>(page), pos, 0};
    SetScrollInfo(hw(bar.window), SB_CTL, &si, TRUE);
  };
  ++internal_;
  if (vbar_.window) {
    int lines = static_cast<int>(SendMessageW(h, EM_GETLINECOUNT, 0, 0));
    int first = static_cast<int>(SendMessageW(h, EM_GETFIRSTVISIBLELINE, 0, 0));
    show(vbar_, lines - 1, visible_lines(), first);
  }
  bool fall_back = false;
  if (hbar_.window) {
    SCROLLINFO si{sizeof si, SIF_ALL};
    bool known = GetScrollInfo(h, SB_HORZ, &si) && si.nPage > 0;
    if (known)
      show(hbar_, si.nMax, static_cast<int>(si.nPage), si.nPos);
    else
      fall_back = GetWindowTextLengthW(h) > 0;
  }
  --internal_;
  if (fall_back) {
    // A control that keeps no horizontal range without its bar keeps its bar.
    system_hbar_ = true;
    SetWindowLongW(h, GWL_STYLE, GetWindowLongW(h, GWL_STYLE) | WS_HSCROLL);
    show_own_bars(false);
  }
}

int EditBox::visible_lines() {
  HWND h = hw(handle_);
  ++internal_;
  void* font = reinterpret_cast<void*>(SendMessageW(h, WM_GETFONT, 0, 0));
  RECT format{};
  SendMessageW(h, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  --internal_;
  // The control's line height is its font's.
  if (font != line_height_font_ || line_height_ <= 0) {
    HDC dc = GetDC(h);
    HGDIOBJ kept = SelectObject(dc, font ? static_cast<HFONT>(font) : GetStockObject(SYSTEM_FONT));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, kept);
    ReleaseDC(h, dc);
    line_height_ = std::max<int>(1, tm.tmHeight);
    line_height_font_ = font;
  }
  return std::max<int>(1, (format.bottom - format.top) / line_height_);
}

void EditBox::scroll_by_own_bar(bool vertical, int code) {
  HWND h = hw(handle_);
  if (!h) return;
  OwnBar& bar = vertical ? vbar_ : hbar_;
  SCROLLINFO si{sizeof si, SIF_TRACKPOS};
  GetScrollInfo(hw(bar.window), SB_CTL, &si);
  bar.tracking = code == SB_THUMBTRACK;
  if (!vertical) {
    // The control scrolls itself sideways as its own bar would ask it.
    SendMessageW(h, WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(si.nTrackPos)), 0);
  } else {
    auto first = [h] { return static_cast<int>(SendMessageW(h, EM_GETFIRSTVISIBLELINE, 0, 0)); };
    switch (code) {
      case SB_LINEUP:
      case SB_LINEDOWN:
      case SB_PAGEUP:
      case SB_PAGEDOWN:
        SendMessageW(h, EM_SCROLL, static_cast<WPARAM>(code), 0);
        break;
      case SB_TOP:
        SendMessageW(h, EM_LINESCROLL, 0, -first());
        break;
      case SB_BOTTOM:
        SendMessageW(h, EM_LINESCROLL, 0, SendMessageW(h, EM_GETLINECOUNT, 0, 0));
        break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION:
        // The bar's own position counts all lines; the message's 16 bits would not.
        SendMessageW(h, EM_LINESCROLL, 0, si.nTrackPos - first());
        break;
      default:
        break;
    }
  }
  sync_own_bars();
}

void EditBox::hand_over(std::wstring text, size_t at_least) {
  HWND h = hw(handle_);
  drop_rest();
  std::u16string_view all(reinterpret_cast<const char16_t*>(text.data()), text.size());
  size_t first = piece_end(all, 0, at_least + kFirstPiece);
  ++internal_;
  if (first >= text.size()) {
    SetWindowTextW(h, text.c_str());
  } else {
    if (!give_with_room(h, text, first)) SetWindowTextW(h, text.substr(0, first).c_str());
    rest_ = std::move(text);
    rest_at_ = first;
    SetTimer(h, kPieceTimer, 1, nullptr);
  }
  --internal_;
  sync_own_bars();
}

void EditBox::append_pieces(unsigned budget_ms, size_t until) {
  HWND h = hw(handle_);
  if (!h || rest_.empty()) return;
  auto send = [h](UINT msg, WPARAM wparam = 0, LPARAM lparam = 0) { return SendMessageW(h, msg, wparam, lparam); };
  DWORD t0 = GetTickCount();
  ++internal_;
  ++suppress_change_;
  // The user's view, selection and the control's state stay as they are: the control shows
  // nothing of the appending, and what it would scroll to is undone.
  DWORD start = 0, end = 0;
  send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  int first_line = static_cast<int>(send(EM_GETFIRSTVISIBLELINE));
  int lines_before = static_cast<int>(send(EM_GETLINECOUNT));
  int page = visible_lines();
  LRESULT first_char = send(EM_LINEINDEX, static_cast<WPARAM>(first_line));
  short first_x = static_cast<short>(LOWORD(send(EM_POSFROMCHAR, static_cast<WPARAM>(first_char))));
  LRESULT modified = send(EM_GETMODIFY);
  LRESULT limit = send(EM_GETLIMITTEXT);
  bool dirty = GetUpdateRect(h, nullptr, FALSE) != 0;
  // Not drawn meanwhile, as the system marks a window for WM_SETREDRAW (the control of the common
  // controls 6 takes that message and does nothing): it scrolls and repaints nothing of this.
  DefWindowProcW(h, WM_SETREDRAW, FALSE, 0);
  send(EM_SETLIMITTEXT, 0);  // a piece of text written by code may exceed what the user may type
  std::u16string_view all(reinterpret_cast<const char16_t*>(rest_.data()), rest_.size());
  bool at_work = budget_ms > 0 && user_at_work();
  // Every piece leaves the caret after itself, where the next one goes.
  send(EM_SETSEL, rest_at_, rest_at_);
  do {
    size_t piece = budget_ms > 0 ? piece_end(all, rest_at_, piece_length(rest_at_, at_work, piece_ms_per_char_))
                   : until >= rest_.size() ? rest_.size()
                                           : piece_end(all, rest_at_, until > rest_at_ ? until - rest_at_ : 0);
    double a = now_ms();
    send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(rest_.substr(rest_at_, piece - rest_at_).c_str()));
    if (budget_ms > 0 && !at_work) piece_ms_per_char_ = (now_ms() - a) / static_cast<double>(piece - rest_at_);
    rest_at_ = piece;
  } while (rest_at_ < rest_.size() && GetTickCount() - t0 < budget_ms && !messages_wait());
  send(EM_SETLIMITTEXT, static_cast<WPARAM>(limit));
  send(EM_SETSEL, start, end);
  send(EM_LINESCROLL, 0, first_line - send(EM_GETFIRSTVISIBLELINE));
  if (style_.horizontal_scroll) {
    short x = static_cast<short>(LOWORD(send(EM_POSFROMCHAR, static_cast<WPARAM>(first_char))));
    if (x != first_x) {
      RECT format{};
      send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
      send(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, std::max<int>(0, format.left - first_x)));
      send(WM_HSCROLL, SB_ENDSCROLL);
    }
  }
  send(EM_SETMODIFY, static_cast<WPARAM>(modified));
  DefWindowProcW(h, WM_SETREDRAW, TRUE, 0);
  --suppress_change_;
  --internal_;
  if (rest_at_ >= rest_.size()) drop_rest();
  place_own_bars();
  // While pieces still come the bars follow a few times a second: redrawing one costs as much as
  // laying out a few thousand characters.
  if (rest_.empty() || GetTickCount() - bars_synced_at_ >= kBarsFollowMs) {
    sync_own_bars();
    bars_synced_at_ = GetTickCount();
  }
  // Only what lay below the old end is new on the screen.
  if (dirty || first_line + page >= lines_before - 1) InvalidateRect(h, nullptr, TRUE);
  if (GetFocus() == h) {
    // The unit's own question (the selection lies in what the control holds): it takes nothing.
    ++internal_;
    LRESULT caret = send(EM_POSFROMCHAR, end);
    --internal_;
    if (caret != -1) SetCaretPos(static_cast<short>(LOWORD(caret)), static_cast<short>(HIWORD(caret)));
  }
}

void EditBox::take_rest() { append_pieces(0, std::wstring::npos); }

void EditBox::drop_rest() {
  if (rest_.empty()) return;
  rest_.clear();
  rest_at_ = 0;
  piece_ms_per_char_ = 0;
  if (handle_) KillTimer(hw(handle_), kPieceTimer);
}

bool EditBox::needs_whole_text(unsigned msg, uintptr_t wparam, intptr_t lparam) const {
  switch (msg) {
    // Changes, and what depends on all lines: the user's edits wait for the rest.
    case WM_CHAR:
    case WM_UNICHAR:
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_IME_CHAR:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case EM_REPLACESEL:
    case WM_CONTEXTMENU:
    case WM_GETTEXT:
    case EM_GETHANDLE:
    case EM_SETHANDLE:
    case EM_FMTLINES:
    case EM_GETLINE:
    case EM_GETLINECOUNT:
    case EM_LINEINDEX:
    case EM_LINELENGTH:
    case EM_LINEFROMCHAR:
    case EM_POSFROMCHAR:
    case EM_CHARFROMPOS:
      return true;
    case WM_KEYDOWN:
      switch (wparam) {
        // Moving about in what is there already, and the modifiers alone.
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_SHIFT:
        case VK_CONTROL:
        case VK_MENU:
          return false;
        case VK_END:
          return GetKeyState(VK_CONTROL) < 0;
        default:
          return true;
      }
    default:
      return false;
  }
}

std::optional<intptr_t> EditBox::handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  if (!style_.large_text) return std::nullopt;
  HWND h = hw(handle_);
  // The bars' strips and places, also while the unit speaks to the control itself.
  switch (msg) {
    case WM_NCCALCSIZE: {
      if (!vbar_.window && !hbar_.window) break;
      intptr_t r = call_control(msg, wparam, lparam);
      RECT& client = wparam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lparam)->rgrc[0] : *reinterpret_cast<RECT*>(lparam);
      if (vbar_.window) client.right = std::max(client.left, client.right - GetSystemMetrics(SM_CXVSCROLL));
      if (hbar_.window) client.bottom = std::max(client.top, client.bottom - GetSystemMetrics(SM_CYHSCROLL));
      return r;
    }
    case WM_NCPAINT: {
      if (!vbar_.window && !hbar_.window) break;
      intptr_t r = call_control(msg, wparam, lparam);
      // The strips around the bars, and the corner between them.
      RECT outer, client;
      GetWindowRect(h, &outer);
      GetClientRect(h, &client);
      MapWindowPoints(h, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
      HDC dc = GetWindowDC(h);
      for (const OwnBar* bar : {&vbar_, &hbar_}) {
        RECT b;
        if (bar->window && GetWindowRect(hw(bar->window), &b))
          ExcludeClipRect(dc, b.left - outer.left, b.top - outer.top, b.right - outer.left, b.bottom - outer.top);
      }
      RECT right{client.right - outer.left, 0, outer.right - outer.left, outer.bottom - outer.top};
      RECT bottom{0, client.bottom - outer.top, outer.right - outer.left, outer.bottom - outer.top};
      if (vbar_.window) FillRect(dc, &right, GetSysColorBrush(COLOR_BTNFACE));
      if (hbar_.window) FillRect(dc, &bottom, GetSysColorBrush(COLOR_BTNFACE));
      ReleaseDC(h, dc);
      return r;
    }
    case WM_WINDOWPOSCHANGING:
      // The system shows the control's own horizontal bar again when its range changes.
      if (hbar_.window && (reinterpret_cast<WINDOWPOS*>(lparam)->flags & SWP_FRAMECHANGED) &&
          (GetWindowLongW(h, GWL_STYLE) & WS_HSCROLL)) {
        ++internal_;
        SetWindowLongW(h, GWL_STYLE, GetWindowLongW(h, GWL_STYLE) & ~WS_HSCROLL);
        --internal_;
      }
      break;
    case WM_ENABLE:
      for (const OwnBar* bar : {&vbar_, &hbar_})
        if (bar->window) EnableWindow(hw(bar->window), wparam != 0);
      break;
    case WM_WINDOWPOSCHANGED:
      if (!internal_) break;
      {
        intptr_t r = call_control(msg, wparam, lparam);
        place_own_bars();
        return r;
      }
    default:
      break;
  }
  if (internal_) return std::nullopt;
  switch (msg) {
    case WM_TIMER:
      if (wparam != kPieceTimer) break;
      append_pieces(kTurnMs);
      return 0;
    case WM_GETTEXTLENGTH:
      if (!rest_.empty()) return static_cast<intptr_t>(rest_.size());
      break;
    case WM_SETTEXT:
      drop_rest();
      break;
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_GETTEXT:
    case WM_DESTROY:
    case WM_NCDESTROY:
      if (msg == WM_GETTEXT && !rest_.empty()) take_rest();
      return std::nullopt;
    default:
      break;
  }
  if (!rest_.empty() && msg == EM_SETSEL) {
    // A selection past the pieces there are takes the text up to it and a screen more at once.
    int a = static_cast<int>(wparam), b = static_cast<int>(lparam);
    if (a != -1 && b < 0) {
      take_rest();
    } else if (a != -1 && static_cast<size_t>(std::max(a, b)) > rest_at_) {
      append_pieces(0, static_cast<size_t>(std::max(a, b)) + kFirstPiece);
    }
  } else if (!rest_.empty() && needs_whole_text(msg, wparam, lparam)) {
    take_rest();
  }
  if (!vbar_.window && !hbar_.window) return std::nullopt;
  intptr_t r = call_control(msg, wparam, lparam);
  if (msg == WM_WINDOWPOSCHANGED) place_own_bars();
  // Whatever the message did to the lines or the view, the bars show it.
  sync_own_bars();
  return r;
}

}  // namespace rt
