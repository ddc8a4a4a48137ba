#include "layout_check.h"

#include <windows.h>

#include <algorithm>
#include <set>
#include <utility>

#include "runtime/gbk_text.h"
#include "runtime/strings.h"
#include "ui_test.h"

namespace ui_test {
namespace {

HWND hw(rt::WindowHandle h) { return static_cast<HWND>(h); }

// A visible unit and its rectangle in its parent's client area.
struct Shown {
  HWND window;
  rt::Unit* unit;
  RECT place;
};

RECT placed(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool shares_pixels(const RECT& a, const RECT& b) {
  RECT common;
  return IntersectRect(&common, &a, &b) != FALSE;
}

bool holds(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

std::string size_text(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }

std::string rect_text(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
         size_text(r.right - r.left, r.bottom - r.top) + ")";
}

std::string name_of(HWND h, const RECT& r) {
  std::string text = window_text(h);
  if (text.size() > 40) text = rt::cut_on_char_boundary(text, 40) + "...";
  return class_name(h) + " \"" + text + "\" " + rect_text(r);
}

bool is_group_box(HWND h) { return class_name(h) == "VelmoraGroupBox"; }
bool is_transparent(HWND h) { return (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0; }

// The visible units among the children of parent, the top one first.
std::vector<Shown> shown_units(HWND parent) {
  std::vector<Shown> out;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!(GetWindowLongW(c, GWL_STYLE) & WS_VISIBLE)) continue;
    if (rt::Unit* u = rt::Unit::of_handle(c)) out.push_back({c, u, placed(c)});
  }
  return out;
}

int text_width(HWND h, void* font, const std::wstring& text) {
  if (text.empty()) return 0;
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, static_cast<HFONT>(font));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  return size.cx;
}

using Pairs = std::set<std::pair<HWND, HWND>>;  // (above, beneath)

// Where the unit's text shows in its parent, and whether all of it fits its box.
void check_text(const Shown& s, const std::vector<Shown>& siblings, size_t index, std::vector<std::string>& faults) {
  std::optional<rt::Unit::DrawnText> t = s.unit->drawn_text();
  if (!t || t->text.empty()) return;
  const UINT cutting = DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS;
  HDC dc = GetDC(s.window);
  HGDIOBJ old = SelectObject(dc, static_cast<HFONT>(t->font));
  RECT need{0, 0, t->box.width, 0};
  DrawTextW(dc, t->text.c_str(), static_cast<int>(t->text.size()), &need,
            (t->format & ~(cutting | DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(s.window, dc);
  int width = need.right - need.left, height = need.bottom - need.top;
  bool cuts_on_purpose = (t->format & cutting) != 0;
  if ((width > t->box.width && !cuts_on_purpose) || height > t->box.height)
    faults.push_back(name_of(s.window, s.place) + ": its text needs " + size_text(width, height) + ", its box is " +
                     size_text(t->box.width, t->box.height));

  // The part of the text that shows, in the parent's coordinates.
  width = std::min(width, t->box.width);
  height = std::min(height, t->box.height);
  int x = t->box.left, y = t->box.top;
  if (t->format & DT_CENTER) x += (t->box.width - width) / 2;
  if (t->format & DT_RIGHT) x += t->box.width - width;
  if ((t->format & DT_SINGLELINE) && (t->format & DT_VCENTER)) y += (t->box.height - height) / 2;
  // The blanks a text starts with show nothing: on a single line they and the ending blanks
  // are left out, on wrapped lines the first line's leading ones.
  const wchar_t* blanks = L" \t\x3000";
  size_t first = t->text.find_first_not_of(blanks);
  if (first == std::wstring::npos) return;
  int lead = text_width(s.window, t->font, t->text.substr(0, first)), trail = 0, line = height;
  if (t->format & DT_SINGLELINE) {
    trail = text_width(s.window, t->font, t->text.substr(t->text.find_last_not_of(blanks) + 1));
  } else {
    HDC dc = GetDC(s.window);
    HGDIOBJ old = SelectObject(dc, static_cast<HFONT>(t->font));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(s.window, dc);
    line = std::min(static_cast<int>(metrics.tmHeight), height);
  }
  const int left = s.place.left + x, top = s.place.top + y;
  // The first line from its first character on, and the lines after it.
  const RECT parts[] = {{left + lead, top, left + std::max(width - trail, lead), top + line},
                        {left, top + line, left + width, top + height}};
  for (size_t k = 0; k < index; ++k) {
    const Shown& above = siblings[k];
    if (is_transparent(above.window)) continue;
    for (const RECT& part : parts) {
      if (!shares_pixels(part, above.place)) continue;
      faults.push_back(name_of(s.window, s.place) + ": its text " + rect_text(part) + " lies under " +
                       name_of(above.window, above.place));
      break;
    }
  }
}

// A box that wraps its lines: the last character of every line ends inside the box.
void check_wrapped_lines(const Shown& s, std::vector<std::string>& faults) {
  const std::string cls = class_name(s.window);
  const bool rich = cls == "RichEdit20W";
  if (!rich && cls != "Edit") return;
  LONG style = GetWindowLongW(s.window, GWL_STYLE);
  if (!(style & ES_MULTILINE) || (style & (WS_HSCROLL | ES_AUTOHSCROLL))) return;
  auto x_of = [&](int index, int* y) {
    if (rich) {
      POINTL p{-1, -1};
      SendMessageW(s.window, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), index);
      *y = p.y;
      return static_cast<int>(p.x);
    }
    LRESULT r = SendMessageW(s.window, EM_POSFROMCHAR, index, 0);
    if (r == -1) {
      *y = -1;
      return -1;
    }
    *y = static_cast<short>(HIWORD(r));
    return static_cast<int>(static_cast<short>(LOWORD(r)));
  };
  RECT format{};
  SendMessageW(s.window, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  int lines = static_cast<int>(SendMessageW(s.window, EM_GETLINECOUNT, 0, 0));
  for (int line = 0; line < std::min(lines, 400); ++line) {
    int start = static_cast<int>(SendMessageW(s.window, EM_LINEINDEX, line, 0));
    int length = static_cast<int>(SendMessageW(s.window, EM_LINELENGTH, start, 0));
    if (start < 0 || length <= 0) continue;
    std::wstring text(static_cast<size_t>(length) + 2, L'\0');
    *reinterpret_cast<WORD*>(text.data()) = static_cast<WORD>(length + 1);
    int got = static_cast<int>(SendMessageW(s.window, EM_GETLINE, line, reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<size_t>(std::max(got, 0)));
    // Blanks at a line's end are where it broke, not what it shows.
    size_t last = text.find_last_not_of(L" \t\r\n\x3000");
    if (last == std::wstring::npos) continue;
    int at = start + static_cast<int>(last), y = 0, next_y = 0, before_y = 0;
    int x = x_of(at, &y);
    int next_x = x_of(at + 1, &next_y);
    // The character ends where the next one on its line starts, or one character's width on.
    int right = x;
    if (next_x > x && next_y == y) {
      right = next_x;
    } else if (last > 0) {
      int before_x = x_of(at - 1, &before_y);
      if (before_y == y && before_x < x) right = x + (x - before_x);
    }
    if (right > format.right)
      faults.push_back(name_of(s.window, s.place) + ": line " + std::to_string(line + 1) + " \"" +
                       rt::cut_on_char_boundary(rt::to_gbk(text), 24) + "...\" ends at " + std::to_string(right) +
                       ", past the box's right edge at " + std::to_string(format.right));
  }
}

void check_children(HWND parent, const Pairs& intended, std::vector<std::string>& faults) {
  RECT client{};
  GetClientRect(parent, &client);
  std::vector<Shown> units = shown_units(parent);
  for (size_t i = 0; i < units.size(); ++i) {
    const Shown& u = units[i];
    // A unit the form lets run past its parent's edge names the parent as what it lies over.
    if (!holds(client, u.place) && !intended.contains({u.window, parent}))
      faults.push_back(name_of(u.window, u.place) + ": lies outside its parent " +
                       name_of(parent, RECT{0, 0, client.right, client.bottom}));
    for (size_t j = i + 1; j < units.size(); ++j) {
      const Shown& below = units[j];
      if (!shares_pixels(u.place, below.place)) continue;
      if (is_group_box(below.window) && holds(below.place, u.place)) continue;
      if (intended.contains({u.window, below.window})) continue;
      if (intended.contains({below.window, u.window}))
        faults.push_back(name_of(below.window, below.place) + ": lies beneath " + name_of(u.window, u.place) +
                         ", which it is meant to lie over");
      else
        faults.push_back(name_of(u.window, u.place) + ": overlaps " + name_of(below.window, below.place));
    }
    check_text(u, units, i, faults);
    check_wrapped_lines(u, faults);
    check_children(u.window, intended, faults);
  }
}

}  // namespace

std::vector<std::string> layout_faults(rt::Window& window) {
  std::vector<std::string> faults;
  HWND h = hw(window.handle());
  if (!h || !IsWindowVisible(h)) return {"the window is not shown"};
  RECT r{}, screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
  screen.right = screen.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
  screen.bottom = screen.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
  GetWindowRect(h, &r);
  if (!holds(screen, r)) faults.push_back("the window " + rect_text(r) + " lies off the screen " + rect_text(screen));
  Pairs intended;
  for (const rt::Window::Overlap& o : window.intended_overlaps())
    for (const rt::Unit* over : o.over)
      for (const rt::Unit* under : o.under) intended.insert({hw(over->handle()), hw(under->handle())});
  check_children(h, intended, faults);
  return faults;
}

::testing::AssertionResult layout_is_sound(rt::Window& window) {
  std::vector<std::string> faults = layout_faults(window);
  if (faults.empty()) return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure();
  failure << "the layout of \"" << window.caption() << "\" at " << window.width() << "x" << window.height() << ":";
  for (const std::string& f : faults) failure << "\n  " << f;
  return failure;
}

}  // namespace ui_test
