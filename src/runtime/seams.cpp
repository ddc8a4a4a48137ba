#include "runtime/seams.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>
#include <thread>

namespace rt::seams {
namespace {
bool g_test_mode = false;
ModalHook g_modal_hook;
MenuHook g_menu_hook;
std::vector<Window*> g_modal_windows;
std::deque<DialogAnswer> g_dialog_answers;
std::vector<DialogRequest> g_dialog_requests;
std::vector<PrintedDocument> g_printed_documents;
bool g_record_launches = false;
std::vector<Launch> g_launches;
bool g_launch_result = true;
std::vector<std::string> g_command_line;
bool g_hold_workers = false;
std::deque<std::function<void()>> g_held_workers;
bool g_record_media = false;
bool g_refuse_tabs = false;
std::vector<std::string> g_media_commands;
std::map<uint32_t, int> g_told_process_bits;
std::atomic<int> g_process_memory_requests{0};
std::mutex g_runtime_errors_lock;
std::vector<std::string> g_runtime_errors;
}  // namespace

void enable_test_mode() { g_test_mode = true; }
bool test_mode() { return g_test_mode; }

void set_modal_hook(ModalHook hook) { g_modal_hook = std::move(hook); }
const std::vector<Window*>& open_modal_windows() { return g_modal_windows; }
void enter_modal_loop(Window& w) { g_modal_windows.push_back(&w); }
void leave_modal_loop(Window& w) { std::erase(g_modal_windows, &w); }

void run_modal_hook(Window& w) {
  if (g_modal_hook) {
    // Copy: the hook may replace itself.
    ModalHook hook = g_modal_hook;
    hook(w);
  }
}

void set_menu_hook(MenuHook hook) { g_menu_hook = std::move(hook); }

void run_menu_hook(PopupMenu& menu) {
  if (g_menu_hook) {
    MenuHook hook = g_menu_hook;
    hook(menu);
  }
}

void script_dialog(DialogAnswer answer) { g_dialog_answers.push_back(std::move(answer)); }

std::optional<DialogAnswer> take_dialog_answer(DialogKind kind) {
  auto it = std::find_if(g_dialog_answers.begin(), g_dialog_answers.end(),
                         [kind](const DialogAnswer& a) { return a.kind == kind; });
  if (it == g_dialog_answers.end()) return std::nullopt;
  DialogAnswer a = std::move(*it);
  g_dialog_answers.erase(it);
  if (a.while_open) a.while_open();
  return a;
}

std::vector<DialogRequest>& dialog_requests() { return g_dialog_requests; }

std::vector<PrintedDocument>& printed_documents() { return g_printed_documents; }

void record_launches(bool on) { g_record_launches = on; }
bool launches_recorded() { return g_record_launches; }
std::vector<Launch>& launches() { return g_launches; }
void set_recorded_launch_result(bool started) { g_launch_result = started; }
bool recorded_launch_result() { return g_launch_result; }

void refuse_tab_insertions(bool on) { g_refuse_tabs = on; }
bool tab_insertions_refused() { return g_refuse_tabs; }

void record_media_commands(bool on) { g_record_media = on; }
bool media_commands_recorded() { return g_record_media; }
std::vector<std::string>& media_commands() { return g_media_commands; }

void tell_process_bits(uint32_t process_id, int bits) { g_told_process_bits[process_id] = bits; }
void forget_told_process_bits() { g_told_process_bits.clear(); }
std::optional<int> told_process_bits(uint32_t process_id) {
  auto it = g_told_process_bits.find(process_id);
  if (it == g_told_process_bits.end()) return std::nullopt;
  return it->second;
}
void count_process_memory_request() { ++g_process_memory_requests; }
int process_memory_requests() { return g_process_memory_requests; }

void record_runtime_error(std::string text) {
  std::lock_guard<std::mutex> lock(g_runtime_errors_lock);
  g_runtime_errors.push_back(std::move(text));
}

std::vector<std::string> runtime_error_texts() {
  std::lock_guard<std::mutex> lock(g_runtime_errors_lock);
  return g_runtime_errors;
}

void clear_runtime_error_texts() {
  std::lock_guard<std::mutex> lock(g_runtime_errors_lock);
  g_runtime_errors.clear();
}

std::function<void(int)>& end_process_hook() {
  static std::function<void(int)> hook;
  return hook;
}

void hold_workers(bool on) {
  g_hold_workers = on;
  if (!on)
    while (release_held_worker()) {
    }
}
bool workers_held() { return g_hold_workers; }
void hold_worker(std::function<void()> work) { g_held_workers.push_back(std::move(work)); }
int held_worker_count() { return static_cast<int>(g_held_workers.size()); }
bool release_held_worker() {
  if (g_held_workers.empty()) return false;
  std::thread(std::move(g_held_workers.front())).detach();
  g_held_workers.pop_front();
  return true;
}

void set_command_line(std::vector<std::string> arguments) { g_command_line = std::move(arguments); }
const std::vector<std::string>& command_line() { return g_command_line; }

}  // namespace rt::seams
