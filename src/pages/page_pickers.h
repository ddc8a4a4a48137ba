#pragma once
// The page pickers of the tool windows: a combo box with one entry per open page (tab 0 left
// out while it is a placeholder), filled from the tab control and the page store. Choosing an entry
// loads that page's text into the window; the window's own choice routine does that.
//
// Fills are started on a worker thread, whose work is handed to the UI thread: the combo, the
// pages and the tabs are touched there only. While fills of a window are running its close
// button is disabled and the window refuses to close; a refresh asked for meanwhile runs once
// after the running one. A fill that finds its window closed does nothing.
#include <string>

#include "runtime/combo_box.h"
#include "runtime/graphic_button.h"
#include "runtime/window.h"
#include "runtime/window_jobs.h"

class PagePicker {
 public:
  // order: the window's place when all loaded pickers are refreshed (read aloud 1,
  // Simplified/Traditional 2, encryption 3, translation 4). thread_entry is the window's
  // worker entry; it only calls fill(). choice is the window's choice routine.
  PagePicker(int order, rt::Window& window, rt::ComboBox& combo, rt::GraphicButton& close_button,
             void (*thread_entry)(), void (*choice)());
  PagePicker(const PagePicker&) = delete;
  PagePicker& operator=(const PagePicker&) = delete;

  // Clears the combo, adds one entry per page, selects the current page's entry, runs the
  // choice routine. Called on a worker, it waits for the UI thread to do it.
  void fill();
  // Starts the thread entry on a worker thread (UI thread only).
  void start_refresh();
  // The window was created: fills of an earlier window of this picker no longer count.
  void window_created();
  // Fills are running or waiting.
  bool busy() const { return jobs_.busy(); }
  // The page the selected entry stands for; -1 when no entry is selected or no such page is
  // left.
  int selected_page() const;
  // The balloon over the picker (no icon).
  void show_balloon(const std::string& text);

  // Keeping the entries in step with the pages, without raising anything: the new page's
  // entry appended; every entry again with the current page's selected.
  void add_entry(const std::string& name);
  void relist();
  // The entry of page index takes the page's name as its tab now shows it.
  void rename_entry(int index);

  int order() const { return order_; }
  bool loaded() const { return window_.loaded(); }

 private:
  void list_pages();
  void launch(int generation);
  void refresh_ended(int generation);
  void set_busy_look();

  int order_;
  rt::Window& window_;
  rt::ComboBox& combo_;
  rt::GraphicButton& close_button_;
  void (*thread_entry_)();
  void (*choice_)();
  // The fills of the window loaded now (a fill of an earlier window counts no more).
  rt::WindowJobs jobs_;
  bool again_ = false;
};

// Entry k stands for page k + this offset: 1 while tab 0 is a placeholder, else 0.
int page_picker_offset();

// create_page: the new page's name becomes the last entry of every loaded picker.
void add_page_to_pickers(const std::string& name);
// close_page_at: every loaded picker lists the pages again with the current page's entry
// selected; nothing is loaded into the windows.
void relist_page_pickers();
// A save that gave page index its file (save as, the first save, a renamed or moved file): its
// entry in every loaded picker takes the page's name.
void rename_page_in_pickers(int index);
// The open routine and the removal of all pages: the refresh of every loaded picker, in the
// windows' order.
void refresh_loaded_page_pickers();
// A page list that is no combo (the tab manager's, order 5) joins those refreshes: when
// loaded() holds, start_refresh() runs in its order among the pickers'. Joining twice changes
// nothing.
void join_page_picker_refresh(int order, bool (*loaded)(), void (*start_refresh)());
