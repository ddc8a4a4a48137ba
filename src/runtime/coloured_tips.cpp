// Tip controls that draw the runs of their text in their colours (runtime/tip_markup.h): the
// control is given the text without its tags, broken into the lines the painting draws, and its
// painting is ours.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <map>

#include "runtime/hooks.h"
#include "runtime/internal.h"
#include "runtime/strings.h"
#include "runtime/tooltip.h"

namespace rt {
namespace {

HWND hw(WindowHandle h) { return static_cast<HWND>(h); }

// What each tip drew the last time it showed, by the window whose tip it was.
std::map<HWND, std::vector<DrawnTipRun>>& drawn() {
  static std::map<HWND, std::vector<DrawnTipRun>> d;
  return d;
}

int max_width(HWND tip) {
  const int w = static_cast<int>(SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0));
  return w > 0 ? w : 0x7FFF;
}

// Measures in the tip's font.
class TipDc {
 public:
  explicit TipDc(HWND tip) : tip_(tip), dc_(GetDC(tip)) {
    font_ = reinterpret_cast<HFONT>(SendMessageW(tip, WM_GETFONT, 0, 0));
    if (font_) old_ = SelectObject(dc_, font_);
  }
  ~TipDc() {
    if (font_) SelectObject(dc_, old_);
    ReleaseDC(tip_, dc_);
  }
  int width(std::string_view gbk) const {
    std::wstring w = to_wide(gbk);
    SIZE s{};
    GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &s);
    return s.cx;
  }

 private:
  HWND tip_;
  HDC dc_;
  HFONT font_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

// Where the control itself puts its text: as it tells (TTM_ADJUSTRECT), or, where it does not,
// inside its margins and the two pixels its own painting leaves.
RECT text_area(HWND tip, const RECT& client) {
  RECT area{};
  GetWindowRect(tip, &area);
  if (SendMessageW(tip, TTM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area))) {
    MapWindowPoints(nullptr, tip, reinterpret_cast<POINT*>(&area), 2);
    return area;
  }
  RECT margin{};
  SendMessageW(tip, TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
  constexpr int kTextMargin = 2;
  return {client.left + kTextMargin + margin.left, client.top + kTextMargin + margin.top,
          client.right - kTextMargin - margin.right, client.bottom - kTextMargin - margin.bottom};
}

void paint(HWND tip, const TipMarkup& markup, HWND owner) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(tip, &ps);
  RECT client{};
  GetClientRect(tip, &client);
  const COLORREF back = markup.back_color.value_or(static_cast<COLORREF>(SendMessageW(tip, TTM_GETTIPBKCOLOR, 0, 0)));
  const COLORREF text = markup.text_color.value_or(static_cast<COLORREF>(SendMessageW(tip, TTM_GETTIPTEXTCOLOR, 0, 0)));
  HBRUSH fill = CreateSolidBrush(back);
  FillRect(dc, &client, fill);
  DeleteObject(fill);
  if (markup.border_color) {
    HBRUSH frame = CreateSolidBrush(*markup.border_color);
    FrameRect(dc, &client, frame);
    DeleteObject(frame);
  }
  const RECT area = text_area(tip, client);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(tip, WM_GETFONT, 0, 0));
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SetBkMode(dc, TRANSPARENT);
  std::vector<DrawnTipRun> record;
  TipDc measure(tip);
  const TipLines lines =
      break_tip_lines(markup, max_width(tip), [&measure](std::string_view s) { return measure.width(s); });
  int y = area.top;
  for (const std::vector<TipRun>& line : lines) {
    int x = area.left;
    for (const TipRun& run : line) {
      const COLORREF c = run.color.value_or(text);
      const std::wstring w = to_wide(run.text);
      SIZE s{};
      GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &s);
      SetTextColor(dc, c);
      TextOutW(dc, x, y, w.c_str(), static_cast<int>(w.size()));
      record.push_back({run.text, static_cast<unsigned>(c), {x, y, s.cx, static_cast<int>(tm.tmHeight)}});
      x += s.cx;
    }
    y += tm.tmHeight;
  }
  if (old) SelectObject(dc, old);
  EndPaint(tip, &ps);
  drawn()[owner] = std::move(record);
}

}  // namespace

std::wstring detail::tip_control_text(HWND tip, const TipMarkup& markup) {
  TipDc measure(tip);
  return to_wide(tip_lines_text(
      break_tip_lines(markup, max_width(tip), [&measure](std::string_view s) { return measure.width(s); })));
}

void detail::paint_tips_in_colour(HWND tip, std::function<const TipMarkup*(HWND* owner)> current) {
  add_hook(tip, [current](Message& m) -> intptr_t {
    if (m.msg == WM_ERASEBKGND) return 1;  // the painting fills it
    if (m.msg != WM_PAINT) return m.next();
    HWND owner = nullptr;
    const TipMarkup* markup = current(&owner);
    if (!markup) return m.next();
    paint(hw(m.window), *markup, owner);
    return 0;
  });
}

void detail::forget_drawn_tip(HWND owner) { drawn().erase(owner); }

std::vector<DrawnTipRun> drawn_tooltip(const Unit& unit) {
  auto it = drawn().find(hw(unit.handle()));
  return it == drawn().end() ? std::vector<DrawnTipRun>{} : it->second;
}

}  // namespace rt
