#include "runtime/rich_edit_box.h"

#include <windows.h>
// after windows.h
#include <richedit.h>

#include "runtime/strings.h"
#include "runtime/window.h"

namespace rt {
namespace {

HWND hw(WindowHandle h) { return static_cast<HWND>(h); }

// The control's class lives in its library, loaded once for the process.
const wchar_t* rich_edit_class() {
  static HMODULE library = LoadLibraryW(L"riched20.dll");
  return library ? RICHEDIT_CLASSW : nullptr;
}

}  // namespace

void RichEditBox::create(Window& parent, Rect r, bool read_only) {
  const wchar_t* cls = rich_edit_class();
  if (!cls) return;
  DWORD style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
  if (read_only) style |= ES_READONLY;
  create_control(parent, cls, style, 0, r);
  if (!handle_) return;
  SendMessageW(hw(handle_), EM_SETBKGNDCOLOR, 0, back_color_);
}

bool RichEditBox::keeps_key(int key) const {
  // The control keeps its read-only state in its options rather than its style alone.
  return handle_ && key == VK_RETURN &&
         !(SendMessageW(hw(handle_), EM_GETOPTIONS, 0, 0) & ECO_READONLY);
}

std::string RichEditBox::text() const {
  if (!handle_) return {};
  GETTEXTLENGTHEX length{GTL_DEFAULT | GTL_NUMCHARS, 1200};
  int n = static_cast<int>(SendMessageW(hw(handle_), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  GETTEXTEX get{static_cast<DWORD>((n + 1) * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
  int got = static_cast<int>(
      SendMessageW(hw(handle_), EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(w.data())));
  w.resize(static_cast<size_t>(got > 0 ? got : 0));
  return to_gbk(w);
}

int RichEditBox::text_length() const {
  if (!handle_) return 0;
  GETTEXTLENGTHEX length{GTL_DEFAULT | GTL_NUMCHARS, 1200};
  return static_cast<int>(SendMessageW(hw(handle_), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
}

void RichEditBox::append_run(std::string_view text, std::string_view face, int size, unsigned rgb) {
  if (!handle_) return;
  HWND h = hw(handle_);
  // The caret at the end, where the run goes: no character of the text before it is replaced.
  int end = text_length();
  SendMessageW(h, EM_SETSEL, static_cast<WPARAM>(end), end);
  CHARFORMAT2W f{};
  f.cbSize = sizeof f;
  f.dwMask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_OFFSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT |
             CFM_CHARSET;
  f.yHeight = size * 20;
  f.crTextColor = rgb;
  f.bCharSet = GB2312_CHARSET;
  std::wstring w = to_wide(face);
  lstrcpynW(f.szFaceName, w.c_str(), LF_FACESIZE);
  SendMessageW(h, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&f));
  // A read-only control takes no replacement: the run goes in while it is writable.
  bool read_only = (GetWindowLongW(h, GWL_STYLE) & ES_READONLY) != 0;
  if (read_only) SendMessageW(h, EM_SETREADONLY, FALSE, 0);
  std::wstring run = to_wide(text);
  SendMessageW(h, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(run.c_str()));
  if (read_only) SendMessageW(h, EM_SETREADONLY, TRUE, 0);
}

void RichEditBox::set_caret(int index) {
  if (!handle_) return;
  SendMessageW(hw(handle_), EM_SETSEL, static_cast<WPARAM>(index), index);
  SendMessageW(hw(handle_), EM_SCROLLCARET, 0, 0);
}

int RichEditBox::caret() const {
  if (!handle_) return 0;
  CHARRANGE range{};
  SendMessageW(hw(handle_), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range.cpMin;
}

RichEditBox::RunFormat RichEditBox::format_at(int index) const {
  RunFormat out;
  if (!handle_) return out;
  HWND h = hw(handle_);
  CHARRANGE kept{};
  SendMessageW(h, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&kept));
  CHARRANGE one{index, index + 1};
  SendMessageW(h, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
  CHARFORMAT2W f{};
  f.cbSize = sizeof f;
  SendMessageW(h, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&f));
  SendMessageW(h, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&kept));
  out.face = to_gbk(f.szFaceName);
  out.size = static_cast<int>(f.yHeight / 20);
  out.color = f.crTextColor;
  out.bold = (f.dwEffects & CFE_BOLD) != 0;
  out.italic = (f.dwEffects & CFE_ITALIC) != 0;
  out.underline = (f.dwEffects & CFE_UNDERLINE) != 0;
  out.strikeout = (f.dwEffects & CFE_STRIKEOUT) != 0;
  return out;
}

void RichEditBox::set_back_color(unsigned rgb) {
  back_color_ = rgb;
  if (handle_) SendMessageW(hw(handle_), EM_SETBKGNDCOLOR, 0, rgb);
}

}  // namespace rt
