#include "runtime/clipboard.h"

#include <windows.h>

#include <cstring>

#include "runtime/strings.h"

namespace rt {

bool clipboard_has_text() { return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT); }

std::string clipboard_text() {
  if (!OpenClipboard(nullptr)) return {};
  std::string out;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* w = static_cast<const wchar_t*>(GlobalLock(h))) {
      out = to_gbk(w);
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return out;
}

bool set_clipboard_text(std::string_view text) {
  std::wstring w = to_wide(text);
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (w.size() + 1) * sizeof(wchar_t));
  if (!mem) return false;
  std::memcpy(GlobalLock(mem), w.c_str(), (w.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(mem);
  if (!OpenClipboard(nullptr)) {
    GlobalFree(mem);
    return false;
  }
  EmptyClipboard();
  bool ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
  CloseClipboard();
  if (!ok) GlobalFree(mem);
  return ok;
}

}  // namespace rt
