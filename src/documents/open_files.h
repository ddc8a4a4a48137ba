#pragma once
// The open queue and the open routine: every way of opening files ends here.
#include <string>
#include <vector>

// The Open command: fills an empty queue from the multi-select dialog, asks before 500 or more
// files, then opens them (on a worker thread unless that option is off).
void open_files();
// Opens the queued paths at once, without dialog or question (hand-over, saved lists).
void start_open_run();
// The paths of the files of one folder (not of its subfolders) whose names match a wildcard
// pattern. Reads only the disk: a worker may call it.
std::vector<std::string> folder_files(const std::string& folder, const std::string& pattern);
// Appends the paths to the open queue and opens them. False, with nothing queued, when there
// are none or an open run is busy (a run started now would leave them to the busy run's end,
// which empties the queue).
bool open_found_files(const std::vector<std::string>& paths);
// Queues the files of a folder that match a pattern and opens them; false when none matched.
bool open_folder_files(const std::string& folder, const std::string& pattern);
// The busy state of bulk page work (an open run, saving all, removing all): the commands that
// create, close, re-queue or re-order pages or replace the current page's text do nothing
// meanwhile. Nested calls count: the outer work's end ends it.
void set_open_busy(bool on);
bool open_busy();
// What the rest of the main window does as the busy state begins (true) and ends: set once, by
// the main window's binding.
void set_open_busy_reaction(void (*react)(bool busy));
// A fresh start: nothing is busy, no folder waits for its files to be opened.
void reset_open_busy();
