#include "runtime/shell.h"

#include <windows.h>
// after windows.h
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "runtime/seams.h"
#include "runtime/strings.h"

namespace rt {

bool shell_execute(std::string_view verb, std::string_view file, std::string_view parameters,
                   std::string_view directory, bool hidden) {
  if (seams::launches_recorded()) {
    seams::launches().push_back(
        {std::string(verb), std::string(file), std::string(parameters), std::string(directory)});
    return seams::recorded_launch_result();
  }
  std::wstring v = to_wide(verb), f = wide_path(file), p = wide_path(parameters), d = wide_path(directory);
  HINSTANCE r = ShellExecuteW(nullptr, v.empty() ? nullptr : v.c_str(), f.c_str(), p.empty() ? nullptr : p.c_str(),
                              d.empty() ? nullptr : d.c_str(), hidden ? SW_HIDE : SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(r) > 32;
}

bool show_properties_dialog(std::string_view path, void* owner) {
  if (seams::launches_recorded()) {
    seams::launches().push_back({"properties", std::string(path), {}, {}});
    return true;
  }
  std::wstring file = wide_path(path);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.hwnd = static_cast<HWND>(owner);
  info.lpVerb = L"properties";
  info.lpFile = file.c_str();
  info.nShow = SW_HIDE;
  bool shown = ShellExecuteExW(&info) != 0;
  // The dialog runs in the shell; the process handle asked for is ours to give back.
  if (info.hProcess) CloseHandle(info.hProcess);
  return shown;
}

namespace {
bool start_process(std::string_view command_line, bool hidden, DWORD flags, PROCESS_INFORMATION& pi) {
  // A command line holds paths.
  std::wstring cmd = wide_path(command_line);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = hidden ? SW_HIDE : SW_SHOWNORMAL;
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &si, &pi)) return false;
  CloseHandle(pi.hThread);
  return true;
}
}  // namespace

bool run_program(std::string_view command_line, bool hidden) {
  if (seams::launches_recorded()) {
    seams::launches().push_back({"run", std::string(command_line), {}, {}});
    return seams::recorded_launch_result();
  }
  PROCESS_INFORMATION pi{};
  if (!start_process(command_line, hidden, 0, pi)) return false;
  CloseHandle(pi.hProcess);
  return true;
}

bool run_hidden_and_wait(std::string_view command_line) {
  if (seams::launches_recorded()) {
    seams::launches().push_back({"run-wait", std::string(command_line), {}, {}});
    return seams::recorded_launch_result();
  }
  PROCESS_INFORMATION pi{};
  if (!start_process(command_line, true, CREATE_NO_WINDOW, pi)) return false;
  // Messages keep flowing while the command runs: the program's windows stay painted.
  while (MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        WaitForSingleObject(pi.hProcess, INFINITE);
        CloseHandle(pi.hProcess);
        return true;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  CloseHandle(pi.hProcess);
  return true;
}

bool recycle_file(std::string_view path) {
  // The list of paths ends with two zeros; the operation wants a full path to offer undo.
  wchar_t full[MAX_PATH * 2] = {};
  std::wstring wide = wide_path(path);
  DWORD n = GetFullPathNameW(wide.c_str(), MAX_PATH * 2 - 2, full, nullptr);
  if (n == 0 || n >= MAX_PATH * 2 - 2) return false;
  std::wstring from(full, n);
  from.push_back(L'\0');
  from.push_back(L'\0');
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  int r = SHFileOperationW(&op);
  return r == 0 && !op.fAnyOperationsAborted && GetFileAttributesW(full) == INVALID_FILE_ATTRIBUTES;
}

std::string shortcut_target(std::string_view lnk_path) {
  HRESULT init = CoInitialize(nullptr);
  std::string target;
  IShellLinkW* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      std::wstring path = wide_path(lnk_path);
      if (SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
        wchar_t buf[MAX_PATH * 2] = {};
        if (SUCCEEDED(link->GetPath(buf, MAX_PATH * 2, nullptr, 0))) target = path_from_wide(buf);
      }
      file->Release();
    }
    link->Release();
  }
  if (SUCCEEDED(init)) CoUninitialize();
  return target;
}

void end_process(int code) {
  if (auto& hook = seams::end_process_hook()) {
    hook(code);
    return;
  }
  ExitProcess(static_cast<UINT>(code));
}

}  // namespace rt
