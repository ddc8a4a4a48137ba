#include "runtime/media.h"

#include <windows.h>
// after windows.h
#include <mmsystem.h>

#include <string>

#include "runtime/seams.h"
#include "runtime/strings.h"
#include "runtime/system_library.h"

namespace rt {

bool send_media_command(std::string_view command) {
  if (seams::media_commands_recorded()) {
    seams::media_commands().emplace_back(command);
    return true;
  }
  // A command names its file ("play \"path\""): in UTF-16, so that any name reaches the system.
  // The media library loads with the first command, not with the program.
  static const auto send = RT_SYSTEM_FUNCTION(L"winmm.dll", mciSendStringW);
  return send(wide_path(command).c_str(), nullptr, 0, nullptr) == 0;
}

bool system_download_dialog(std::string_view address) {
  if (address.empty()) return false;
  // The dialog takes UTF-16 text of at most 1023 characters.
  constexpr int kCapacity = 1024;
  wchar_t wide[kCapacity] = {};
  std::string a(address);
  int n = MultiByteToWideChar(CP_OEMCP, MB_COMPOSITE, a.data(), static_cast<int>(a.size()), wide, kCapacity - 1);
  if (n <= 0) return false;
  wide[n] = L'\0';
  if (seams::launches_recorded()) {
    seams::launches().push_back({"download", a, {}, {}});
    return true;
  }
  HMODULE shdocvw = LoadLibraryW(L"shdocvw.dll");
  if (!shdocvw) return false;
  using DoFileDownloadProc = BOOL(WINAPI*)(LPCWSTR);
  auto download = reinterpret_cast<DoFileDownloadProc>(
      reinterpret_cast<void*>(GetProcAddress(shdocvw, "DoFileDownload")));
  bool shown = download && download(wide);
  // The dialog runs on in its own thread of the library: it stays loaded.
  return shown;
}

}  // namespace rt
