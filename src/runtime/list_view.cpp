#include "runtime/list_view.h"

#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "runtime/strings.h"
#include "runtime/window.h"

namespace rt {
namespace {
HWND hw(WindowHandle h) { return static_cast<HWND>(h); }
}  // namespace

void ListView::create(Window& parent, Rect r) {
  create_control(parent, WC_LISTVIEWW, WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE, r);
  if (handle_) SendMessageW(hw(handle_), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
}

int ListView::add_column(std::string_view caption, int width) {
  if (!handle_) return -1;
  std::wstring text = to_wide(caption);
  LVCOLUMNW c{};
  c.mask = LVCF_TEXT | LVCF_WIDTH;
  c.cx = width;
  c.pszText = text.data();
  return static_cast<int>(
      SendMessageW(hw(handle_), LVM_INSERTCOLUMNW, static_cast<WPARAM>(column_count()), reinterpret_cast<LPARAM>(&c)));
}

int ListView::column_count() const {
  if (!handle_) return 0;
  HWND header = reinterpret_cast<HWND>(SendMessageW(hw(handle_), LVM_GETHEADER, 0, 0));
  return header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string ListView::column_caption(int index) const {
  if (!handle_ || index < 0 || index >= column_count()) return {};
  wchar_t text[256] = {};
  LVCOLUMNW c{};
  c.mask = LVCF_TEXT;
  c.pszText = text;
  c.cchTextMax = 255;
  if (!SendMessageW(hw(handle_), LVM_GETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&c))) return {};
  return to_gbk(text);
}

int ListView::row_count() const {
  return handle_ ? static_cast<int>(SendMessageW(hw(handle_), LVM_GETITEMCOUNT, 0, 0)) : 0;
}

}  // namespace rt
