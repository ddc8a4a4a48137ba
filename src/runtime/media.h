#pragma once
// Sounds and the system's download dialog. While a test records them (runtime/seams.h) the
// commands are recorded instead of carried out.
#include <string_view>

namespace rt {

// Sends one command string to the media control interface (mciSendStringA, no answer wanted,
// no window told); true when the command was accepted.
bool send_media_command(std::string_view command);

// The system's download dialog (DoFileDownload of shdocvw) for an address of at most 1023
// characters; false when the address cannot be converted or the dialog is not available.
bool system_download_dialog(std::string_view address);

}  // namespace rt
