#pragma once
// One instance of the program at a time. The running instance owns a named event and shows a
// hidden edit box (编辑框_进程通信) whose window handle the configuration file keeps under
// "进程通信钥匙"; a second start writes its files, or a request to come forward, into that
// box and ends. The running instance polls the box (时钟_监视程序, 500 ms).
#include <string>
#include <vector>

#include "runtime/app.h"

inline constexpr const char kInstanceEventName[] = "Velmora_Kestrune呕心之作";
// The period of the box's poll.
inline constexpr int kHandOverPollMs = 500;

// 1 when the named event exists, else 0 (the handle is not kept).
int open_instance_event(const std::string& name);
// Creates the named event (auto-reset, not signalled) and returns its handle.
void* create_instance_event(const std::string& name);
// This process becomes the running instance: it holds the named event.
void hold_instance_event();
// The event that tells that an instance runs; null while this process is not the running one.
void* instance_event();
// Closes the held event; the next start of the program becomes the running instance.
void release_instance_event();

// The sender side of the start: when an instance runs, hands it the paths (none: asks it to
// come forward) and returns true; the caller then ends the process. The running instance's
// box is looked for again and again for about 5 s while that instance is still starting; when
// none turns up, nothing is sent (and true is still returned).
bool hand_over_to_running_instance(const std::vector<std::string>& paths);

// The hand-over box of a running instance in another process: a top-level window of class
// "Velmora" whose tab control has lost its "<" arrow and that has an "Edit" child showing the
// idle text. Null when there is none.
rt::WindowHandle find_running_instance_box();

// The tick of 时钟_监视程序: takes a request out of the box (leaving the idle text) and opens
// the listed files or brings the window forward. While an open run is busy the box is left
// unread for a later tick.
void poll_ipc_box();

