#pragma once
// Test seams: they replace the user and the outside world, never the program's own paths.
// A test selects them at run time; the program is built the same way for tests and users.
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rt {
class Unit;
class Window;
class PopupMenu;
}  // namespace rt

namespace rt::seams {

void enable_test_mode();
bool test_mode();

// Modal loops: the hook runs once inside every modal loop of the runtime, after its window
// is shown, so a test can press a real button, type, or close the window there.
using ModalHook = std::function<void(Window& modal)>;
void set_modal_hook(ModalHook hook);
// The modal windows open now, innermost last.
const std::vector<Window*>& open_modal_windows();
void enter_modal_loop(Window& w);
void leave_modal_loop(Window& w);
void run_modal_hook(Window& w);

// Popup menus: the hook runs once inside the loop of every popup menu, when the menu is shown
// and waits for the user, so a test can read the open menu, press keys, pick an item or close it
// there (the menu takes the keys once the hook has returned).
using MenuHook = std::function<void(PopupMenu& menu)>;
void set_menu_hook(MenuHook hook);
void run_menu_hook(PopupMenu& menu);

// Common dialogs: a scripted answer is used (and consumed) instead of showing the dialog.
enum class DialogKind { Open, Save, Folder, Color, Print };
struct DialogAnswer {
  DialogKind kind;
  bool accepted = true;
  std::vector<std::string> paths;  // open: the chosen files; save and folder: one path
  unsigned color = 0;
  // print: the device that stands in for the chosen printer, a DC the test made (a memory DC,
  // say; none: the runtime makes a memory DC), and its printable page in device pixels (0: the
  // DC's own size). What is printed on it is recorded in printed_documents().
  void* device_context = nullptr;
  int page_width = 0, page_height = 0;
  // What goes on while the dialog is open, before it is answered: a real dialog's modal loop
  // runs the program's timers and workers' results, which may add or close pages.
  std::function<void()> while_open;
  // open, save, folder and colour: when set, the system's own dialog is shown instead. Once it
  // shows and its loop has waited for the user (its owner has heard that it is idle), this runs
  // there once with the dialog's window handle; then the dialog is cancelled.
  std::function<void(void* dialog)> while_shown;
};
void script_dialog(DialogAnswer answer);
std::optional<DialogAnswer> take_dialog_answer(DialogKind kind);
// What the program asked of the dialogs it did not show (title and start folder), in order.
struct DialogRequest {
  DialogKind kind;
  std::string title, folder, file_name;
};
std::vector<DialogRequest>& dialog_requests();

// What the printer unit sent to the printer a test chose, document by document.
struct PrintedLine {
  int x = 0, y = 0;  // where the line's top-left corner lies on the page, in device pixels
  std::string text;  // GBK
};
struct PrintedDocument {
  std::string name;
  int line_height = 0;
  std::vector<std::vector<PrintedLine>> pages;
  bool ended = false;  // ended as a document (not abandoned)
};
std::vector<PrintedDocument>& printed_documents();

// Program launches and shell opening, recorded instead of run while launches are recorded.
struct Launch {
  std::string verb, file, parameters, directory;
};
void record_launches(bool on);
bool launches_recorded();
std::vector<Launch>& launches();
// What a recorded launch reports: started (the default) or, to stand for a program that is
// missing, not started.
void set_recorded_launch_result(bool started);
bool recorded_launch_result();

// The tab controls refuse every new tab while set, as a control that can take no more does:
// inserting gives -1.
void refuse_tab_insertions(bool on);
bool tab_insertions_refused();

// Commands to the media control interface (playing a sound file), recorded instead of sent while
// they are recorded.
void record_media_commands(bool on);
bool media_commands_recorded();
std::vector<std::string>& media_commands();

// Drops as a user's drag ends them: what a drag source offers, handed to the drop target the
// unit's window registered (runtime/drop_target.h); false when it has none or refuses the data.
// A browser's link offers its address as text and as a web address; a selection of a page
// offers text and HTML.
struct DropOffer {
  std::vector<std::string> files;
  std::optional<std::string> text, html, url;  // GBK
};
bool drop(Unit& unit, const DropOffer& offer);
bool drop_text(Unit& unit, std::string_view text);
bool drop_files(Unit& unit, const std::vector<std::string>& paths);
// A real drag through the system's drag-and-drop loop: it starts where the pointer is, the mouse
// moves to the screen point (x, y), and once the left button is up (at once when it is up
// already) the drop goes to the drop target of the window there or of its nearest parent that
// has one. True when a target took the drop.
bool drag_and_drop(const DropOffer& offer, int x, int y);

// The texts the runtime error box showed, oldest first; in test mode the box is recorded here
// instead of shown (from any thread).
void record_runtime_error(std::string text);
std::vector<std::string> runtime_error_texts();
void clear_runtime_error_texts();

// Other processes: a test can tell what the system would answer about the size of a process's
// pointers (64 for a 64-bit program) in place of the system. The blocks allocated in processes'
// memory and the writes made there through the runtime's services are counted.
void tell_process_bits(uint32_t process_id, int bits);
void forget_told_process_bits();
std::optional<int> told_process_bits(uint32_t process_id);
void count_process_memory_request();
int process_memory_requests();

// The end of the process, taken by a test instead of ending it.
std::function<void(int code)>& end_process_hook();

// Worker threads: while held, a started worker waits (in start order) instead of running, so a
// test decides when the outside world answers. Releasing starts the oldest one; switching the
// hold off starts every waiting worker.
void hold_workers(bool on);
bool workers_held();
void hold_worker(std::function<void()> work);
int held_worker_count();
bool release_held_worker();

// The command line a test starts the program with (in test mode the test program's own
// arguments are never taken for files).
void set_command_line(std::vector<std::string> arguments);
const std::vector<std::string>& command_line();

}  // namespace rt::seams
