#include "runtime/dialogs.h"

#include <windows.h>
// after windows.h
#include <commdlg.h>
#include <shlobj.h>

#include "runtime/hooks.h"
#include "runtime/seams.h"
#include "runtime/strings.h"

namespace rt {
namespace {

// A test's look at a real dialog: the dialog's loop dispatches a thread timer, whose tick finds
// the dialog of this thread once it shows and its owner has been told the dialog is idle (the
// dialog then waits for the user), runs the test's function there once and cancels the dialog.
class RealDialogWatch {
 public:
  RealDialogWatch(WindowHandle owner, std::function<void(void*)> look) : owner_(static_cast<HWND>(owner)), look_(std::move(look)) {
    current_ = this;
    if (owner_)
      hook_ = add_hook(owner_, [this](Message& m) {
        intptr_t r = m.next();
        if (m.msg == WM_ENTERIDLE && m.wparam == MSGF_DIALOGBOX) idle_ = reinterpret_cast<HWND>(m.lparam);
        return r;
      });
    timer_ = SetTimer(nullptr, 0, 50, tick);
  }
  ~RealDialogWatch() {
    KillTimer(nullptr, timer_);
    if (owner_) remove_hook(owner_, hook_);
    current_ = nullptr;
  }
  RealDialogWatch(const RealDialogWatch&) = delete;
  RealDialogWatch& operator=(const RealDialogWatch&) = delete;

 private:
  static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    RealDialogWatch* w = current_;
    if (!w || w->done_) return;
    HWND dialog = w->shown_dialog();
    if (!dialog || (w->owner_ && w->idle_ != dialog)) return;
    w->done_ = true;
    w->look_(dialog);
    if (IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  }
  struct Search {
    HWND owner, found;
  };
  static BOOL CALLBACK find_shown(HWND h, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    wchar_t cls[16] = {};
    GetClassNameW(h, cls, 16);
    if (IsWindowVisible(h) && wcscmp(cls, L"#32770") == 0 && (!s->owner || GetWindow(h, GW_OWNER) == s->owner)) {
      s->found = h;
      return FALSE;
    }
    return TRUE;
  }
  HWND shown_dialog() const {
    Search s{owner_, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), find_shown, reinterpret_cast<LPARAM>(&s));
    return s.found;
  }

  static inline RealDialogWatch* current_ = nullptr;
  HWND owner_;
  std::function<void(void*)> look_;
  HookId hook_ = 0;
  UINT_PTR timer_ = 0;
  HWND idle_ = nullptr;
  bool done_ = false;
};

// The test's answer for a dialog of this kind, recorded as asked; none outside tests. An
// unscripted dialog in a test is a cancel: a test never waits for a person.
std::optional<seams::DialogAnswer> test_answer(seams::DialogKind kind, const std::string& title,
                                               const std::string& folder, const std::string& file_name) {
  if (!seams::test_mode()) return std::nullopt;
  seams::dialog_requests().push_back({kind, title, folder, file_name});
  auto a = seams::take_dialog_answer(kind);
  if (!a) return seams::DialogAnswer{kind, false, {}, 0};
  return a;
}

// "a|b|c|d|" becomes the dialog's "a\0b\0c\0d\0\0".
std::wstring dialog_filter(const std::string& filter) {
  std::wstring w = to_wide(filter);
  for (wchar_t& c : w)
    if (c == L'|') c = L'\0';
  w.push_back(L'\0');
  w.push_back(L'\0');
  return w;
}

// The answer a test gives instead of the user, or none when the real dialog is shown (outside
// tests, or when the test looks at the real one: then the watch is armed).
std::optional<seams::DialogAnswer> scripted(std::optional<seams::DialogAnswer> a, WindowHandle owner,
                                            std::optional<RealDialogWatch>& watch) {
  if (a && a->while_shown) {
    watch.emplace(owner, a->while_shown);
    return std::nullopt;
  }
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
  std::optional<RealDialogWatch> watch;
  if (auto a = scripted(test_answer(seams::DialogKind::Open, r.title, r.folder, r.file_name), r.owner, watch))
    return a->accepted ? a->paths : std::vector<std::string>{};
  std::wstring filter = dialog_filter(r.filter);
  std::wstring title = to_wide(r.title), folder = wide_path(r.folder);
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
    out.push_back(path_from_wide(parts[0]));
  } else if (!parts.empty()) {
    std::wstring dir = parts[0];
    if (dir.back() != L'\\') dir += L'\\';
    for (size_t i = 1; i < parts.size(); ++i) out.push_back(path_from_wide(dir + parts[i]));
  }
  return out;
}

std::string save_file_dialog(const FileDialogRequest& r) {
  std::optional<RealDialogWatch> watch;
  if (auto a = scripted(test_answer(seams::DialogKind::Save, r.title, r.folder, r.file_name), r.owner, watch))
    return a->accepted && !a->paths.empty() ? a->paths[0] : std::string();
  std::wstring filter = dialog_filter(r.filter);
  std::wstring title = to_wide(r.title), folder = wide_path(r.folder), ext = bare_extension(r.default_extension);
  std::wstring buffer(4096, L'\0');
  std::wstring name = wide_path(r.file_name);
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
  return path_from_wide(buffer.c_str());
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
  std::optional<RealDialogWatch> watch;
  if (auto a = scripted(test_answer(seams::DialogKind::Color, {}, {}, {}), owner, watch)) {
    if (a->accepted) return a->color & 0xFFFFFF;
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
  std::optional<RealDialogWatch> watch;
  if (auto a = scripted(test_answer(seams::DialogKind::Folder, r.title, r.start_folder, {}), r.owner, watch))
    return a->accepted && !a->paths.empty() ? a->paths[0] : std::string();
  std::wstring title = to_wide(r.title), start = wide_path(r.start_folder);
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
    if (SHGetPathFromIDListW(item, path)) out = path_from_wide(path);
    CoTaskMemFree(item);
  }
  if (SUCCEEDED(init)) CoUninitialize();
  return out;
}

}  // namespace rt
