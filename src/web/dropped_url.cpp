#include "web/dropped_url.h"

#include "documents/open_files.h"
#include "forms/main_window_form.h"
#include "pages/closing.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "runtime/app.h"
#include "runtime/internet.h"
#include "runtime/window_jobs.h"
#include "web/dropped_page.h"

namespace {

// The fetches of the main window; one started for an earlier main window is dropped.
rt::WindowJobs g_fetches;

// The picture in the middle of the window, its note under it; shown while any fetch runs.
void show_fetch_busy(bool on) {
  MainWindowForm& w = main_window();
  rt::PictureBox& picture = w.图片框_读取网页;
  rt::Label& note = w.透明标签_说明;
  if (!on) {
    picture.set_visible(false);
    note.set_visible(false);
    return;
  }
  int left = static_cast<int>(w.width() / 2.0 - picture.width() / 2.0);
  int top = static_cast<int>(w.height() / 2.0 - picture.height() / 2.0);
  picture.move(left, top, picture.width(), picture.height());
  note.move(left - 5, top + picture.height(), note.width(), note.height());
  picture.bring_to_front();
  note.bring_to_front();
  picture.set_visible(true);
  note.set_visible(true);
}

// A fetch has ended; the busy picture goes with the last one. False for a fetch of an earlier
// main window, whose result is dropped.
bool end_fetch(int generation) {
  if (!g_fetches.end(generation)) return false;
  if (!g_fetches.busy()) show_fetch_busy(false);
  return true;
}

// On the UI thread, once the worker has the page: not while an open run is adding pages, which
// may still fill the current page the new page would then be.
bool may_take_fetched_page() { return !main_window().loaded() || (!open_busy() && !bulk_close_running()); }

void take_fetched_page(int generation, const std::string& text, const std::string& title) {
  if (!end_fetch(generation)) return;
  if (!main_window().loaded() || text.empty()) return;  // a result for a window that is gone is dropped
  std::string name = title;
  int i = create_page(name);
  if (!page_exists(i)) return;
  set_page_content(i, text);
  set_page_modified(i, 1);
  show_current_page();
}

}  // namespace

void fetch_url_into_page_thread(const std::string& address) {
  const int generation = g_fetches.begin();
  show_fetch_busy(true);
  // Each fetch has its own address: a later drop does not change what a running fetch gets.
  rt::start_thread(
      [address, generation] {
        // A reply cut short gives no text, and so no page.
        std::string text = dropped_page_text(rt::http_get(address));
        std::string title = text.empty() ? std::string() : dropped_page_title(text);
        for (;;) {
          bool ran = false, done = false;
          rt::invoke([&] {
            ran = true;
            // Taken once: a failure while the page is made does not make it again.
            if (!may_take_fetched_page()) return;
            done = true;
            take_fetched_page(generation, text, title);
          });
          if (!ran || done) return;
          rt::delay_with_messages(100);  // this thread has no messages: a plain wait
        }
      },
      [generation] { end_fetch(generation); });
}

int running_url_fetches() { return g_fetches.running(); }

void reset_dropped_url() { g_fetches.restart(); }
