#include "app/single_instance.h"

#include <cstdint>
#include <optional>
#include <string>

#include "app/edge_hide.h"
#include "app/hand_over_rules.h"
#include "documents/open_files.h"
#include "foreign/edit_control.h"
#include "foreign/text_reader.h"
#include "forms/main_window_form.h"
#include "options/config.h"
#include "pages/page_store.h"
#include "runtime/foreign_windows.h"
#include "runtime/gbk_text.h"
#include "runtime/system.h"
#include "runtime/window_services.h"

namespace {

// The event that tells that an instance runs; null while this process is not the running one.
void* g_instance_event = nullptr;

constexpr unsigned kGetTextLength = 0x0E;
// A running instance that is still starting gets this long to show its box.
constexpr uint32_t kSearchTimeMs = 5000;
constexpr int kSearchPauseMs = 100;

// The handle stored under the key, 0 when it holds no number.
rt::WindowHandle stored_box_handle() {
  double n = rt::text_to_number(config_read("程序设置", "进程通信钥匙"));
  if (!(n > 0 && n <= 4294967295.0)) return nullptr;
  return reinterpret_cast<rt::WindowHandle>(static_cast<uintptr_t>(static_cast<uint32_t>(n)));
}

// A stored handle is trusted only as what it was written for: an edit box inside a window of
// the program, in another process. A handle left by a crash may name anything by now.
bool is_instance_box(rt::WindowHandle h) {
  if (!rt::is_window(h) || rt::to_lower_ascii(rt::foreign_class_name(h)) != "edit") return false;
  rt::WindowHandle top = rt::top_level_ancestor(h);
  return top && rt::foreign_class_name(top) == "Velmora" && rt::window_process_id(h) != rt::current_process_id();
}

bool time_is_up(uint32_t start) { return rt::tick_count() - start >= kSearchTimeMs; }

// The search for the box; with a start time it stops asking once the search time is up (each
// question to a hung instance can take the whole bound of a message).
rt::WindowHandle search_box(const uint32_t* start) {
  const uint32_t own = rt::current_process_id();
  const size_t idle_size = std::char_traits<char>::length(kHandOverIdleText);
  for (rt::WindowHandle w : rt::find_child_windows(nullptr, "Velmora")) {
    if (rt::window_process_id(w) == own) continue;
    std::vector<rt::WindowHandle> tabs = rt::find_child_windows(w, "VelmoraPageControl");
    if (tabs.empty() || !rt::find_child_windows(tabs.front(), "VelmoraTabArrow", "<").empty()) continue;
    for (rt::WindowHandle edit : rt::find_child_windows(w, "Edit")) {
      if (start && time_is_up(*start)) return nullptr;
      // The idle text is short: a box holding more (the document itself) is not read at all.
      std::optional<intptr_t> length = rt::send_foreign_message_native(edit, kGetTextLength, 0, 0);
      if (!length || *length <= 0 || static_cast<size_t>(*length) > idle_size) continue;
      if (read_window_text_by_class(edit) == kHandOverIdleText) return edit;
    }
  }
  return nullptr;
}

// The box once, the way the key leads to it or by the search; null when neither finds one.
// text is the box's text (the idle text when the search found it).
rt::WindowHandle locate_box(uint32_t start, std::string& text) {
  rt::WindowHandle h = stored_box_handle();
  text.clear();
  if (is_instance_box(h)) text = read_edit_control_text(h);
  if (!text.empty()) return h;
  h = search_box(&start);
  if (h) text = kHandOverIdleText;
  return h;
}

}  // namespace

int open_instance_event(const std::string& name) { return rt::named_event_exists(name) ? 1 : 0; }

void* create_instance_event(const std::string& name) { return rt::create_named_event(name); }

void hold_instance_event() { g_instance_event = create_instance_event(kInstanceEventName); }

void* instance_event() { return g_instance_event; }

void release_instance_event() {
  rt::close_named_event(g_instance_event);
  g_instance_event = nullptr;
}

rt::WindowHandle find_running_instance_box() { return search_box(nullptr); }

bool hand_over_to_running_instance(const std::vector<std::string>& paths) {
  if (!open_instance_event(kInstanceEventName)) return false;
  const std::string list = hand_over_list(paths);
  const uint32_t start = rt::tick_count();
  std::string text;
  rt::WindowHandle box = locate_box(start, text);
  while (!box && !time_is_up(start)) {
    rt::sleep_ms(kSearchPauseMs);
    box = locate_box(start, text);
  }
  if (!box) return true;
  if (std::optional<std::string> message = hand_over_message(text, list))
    ForeignEditControl().set_edit_text(box, *message);
  return true;
}

void poll_ipc_box() {
  MainWindowForm& w = main_window();
  // The open run owns the queue until it ends; the request waits in the box.
  if (open_busy()) return;
  rt::EditBox& box = w.编辑框_进程通信;
  // Taken and set idle in one step: no message is handled in between, so a request written
  // by another instance lands either before (and is taken) or after (and waits).
  std::string text = box.text();
  if (text == kHandOverIdleText) return;
  box.set_text(kHandOverIdleText);
  // A window slid out at an edge comes back first, and stays for the pause.
  leave_edge_hide();
  HandOverRequest request = parse_hand_over_text(text);
  if (request.kind == HandOverRequest::Files) {
    set_open_queue(std::move(request.paths));
    if (!open_queue().empty()) start_open_run();
  }
  bring_main_window_forward();
}

