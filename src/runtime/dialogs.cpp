#include "runtime/dialogs.h"

#include <windows.h>
// after windows.h
#include <commdlg.h>
#include <shlobj.h>

#include "runtime/seams.h"
#include "runtime/strings.h"

namespace rt {
namespace {

// "a|b|c|d|" becomes the dialog's "a\0b\0c\0d\0\0".
std::wstring dialog_filter(const std::string& filter) {
  std::wstring w = to_wide(filter);
  for (wchar_t& c : w)
    if (c == L'|') c = L'\0';
  w.push_back(L'\0');
  w.push_back(L'\0');
  return w;
}

std::optional<seams::DialogAnswer> scripted(seams::DialogKind kind, const FileDialogRequest& r) {
  if (!seams::test_mode()) return std::nullopt;
  seams::dialog_requests().push_back({kind, r.title, r.folder, r.file_name});
  auto a = seams::take_dialog_answer(kind);
  // An unscripted dialog in a test is a cancel: a test never waits for a person.
  if (!a) return seams::DialogAnswer{kind, false, {}, 0};
  return a;
}

// The forms write the default extension as a pattern ("*.WAV"); the dialog wants it bare.
std::wstring bare_extension(const std::string& extension) {
  std::string_view e = extension;
  if (e.substr(0, 2) == "*.") e.remove_prefix(2);
  return to_wide(e);
}

int CALLBACK folder_browse_callback(HWND window, UINT msg, LPARAM, LPARAM data) {
  // The dialog opens at the start folder.
  if (msg == BFFM_INITIALIZED && data) SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

}  // namespace

std::vector<std::string> open_files_dialog(const FileDialogRequest& r) {
  if (auto a = scripted(seams::DialogKind::Open, r)) return a->accepted ? a->paths : std::vector<std::string>{};
  std::wstring filter = dialog_filter(r.filter);
  std::wstring title = to_wide(r.title), folder = to_wide(r.folder);
  std::wstring buffer(65536, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = static_cast<HWND>(r.owner);
  ofn.lpstrFilter = r.filter.empty() ? nullptr : filter.c_str();
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&ofn)) return {};
  // One path, or a folder followed by names, each ended by a zero.
  std::vector<std::wstring> parts;
  for (const wchar_t* p = buffer.c_str(); *p; p += wcslen(p) + 1) parts.emplace_back(p);
  std::vector<std::string> out;
  if (parts.size() == 1) {
    out.push_back(to_gbk(parts[0]));
  } else if (!parts.empty()) {
    std::wstring dir = parts[0];
    if (dir.back() != L'\\') dir += L'\\';
    for (size_t i = 1; i < parts.size(); ++i) out.push_back(to_gbk(dir + parts[i]));
  }
  return out;
}

std::string save_file_dialog(const FileDialogRequest& r) {
  if (auto a = scripted(seams::DialogKind::Save, r))
    return a->accepted && !a->paths.empty() ? a->paths[0] : std::string();
  std::wstring filter = dialog_filter(r.filter);
  std::wstring title = to_wide(r.title), folder = to_wide(r.folder), ext = bare_extension(r.default_extension);
  std::wstring buffer(4096, L'\0');
  std::wstring name = to_wide(r.file_name);
  name.copy(buffer.data(), std::min(name.size(), buffer.size() - 1));
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = static_cast<HWND>(r.owner);
  ofn.lpstrFilter = r.filter.empty() ? nullptr : filter.c_str();
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
  if (!GetSaveFileNameW(&ofn)) return {};
  return to_gbk(buffer.c_str());
}

bool CommonDialog::run() {
  FileDialogRequest r{owner, title, filter, folder, file_name, default_extension};
  if (kind == Kind::Save) {
    std::string chosen = save_file_dialog(r);
    if (chosen.empty()) return false;
    file_name = chosen;
    return true;
  }
  auto chosen = open_files_dialog(r);
  if (chosen.empty()) return false;
  file_name = chosen[0];
  return true;
}

std::optional<unsigned> choose_color_dialog(WindowHandle owner) {
  if (seams::test_mode()) {
    seams::dialog_requests().push_back({seams::DialogKind::Color, {}, {}, {}});
    auto a = seams::take_dialog_answer(seams::DialogKind::Color);
    if (a && a->accepted) return a->color & 0xFFFFFF;
    return std::nullopt;
  }
  // The custom colours start as the same dark grey every time: nothing is kept between uses.
  COLORREF custom[16];
  for (COLORREF& c : custom) c = RGB(0x20, 0x20, 0x20);
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = static_cast<HWND>(owner);
  cc.hInstance = owner ? reinterpret_cast<HWND>(GetWindowLongPtrW(static_cast<HWND>(owner), GWLP_HINSTANCE)) : nullptr;
  cc.rgbResult = 0;
  cc.lpCustColors = custom;
  cc.Flags = 0;
  if (!ChooseColorW(&cc)) return std::nullopt;
  return static_cast<unsigned>(cc.rgbResult) & 0xFFFFFF;
}

std::string choose_folder_dialog(const FolderDialogRequest& r) {
  if (seams::test_mode()) {
    seams::dialog_requests().push_back({seams::DialogKind::Folder, r.title, r.start_folder, {}});
    auto a = seams::take_dialog_answer(seams::DialogKind::Folder);
    return a && a->accepted && !a->paths.empty() ? a->paths[0] : std::string();
  }
  std::wstring title = to_wide(r.title), start = to_wide(r.start_folder);
  wchar_t display[512] = {};
  BROWSEINFOW bi{};
  bi.hwndOwner = static_cast<HWND>(r.owner);
  bi.pszDisplayName = display;
  bi.lpszTitle = title.c_str();
  bi.ulFlags = (r.edit_box ? BIF_EDITBOX : 0) | (r.new_style ? BIF_NEWDIALOGSTYLE : 0) |
               (r.include_files ? BIF_BROWSEINCLUDEFILES : 0);
  bi.lpfn = folder_browse_callback;
  bi.lParam = reinterpret_cast<LPARAM>(start.c_str());
  HRESULT init = CoInitialize(nullptr);
  LPITEMIDLIST item = SHBrowseForFolderW(&bi);
  std::string out;
  if (item) {
    wchar_t path[MAX_PATH * 2] = {};
    if (SHGetPathFromIDListW(item, path)) out = to_gbk(path);
    CoTaskMemFree(item);
  }
  if (SUCCEEDED(init)) CoUninitialize();
  return out;
}

}  // namespace rt
