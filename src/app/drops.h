#pragma once
// Drops on the main window (its drop target 拖放对象 on the window and on the edit box): files
// become pages, except that a single Internet shortcut is fetched and a single shell link shown
// in Explorer; texts go to the end of the edit box; HTML fills an empty page or becomes a page
// of its own. Web addresses: web/dropped_url.h.
#include <string>
#include <vector>

// Makes the window and its edit box take drops.
void attach_main_window_drops();

// Files, HTML and web addresses are taken only while drops are accepted: not before start-up,
// in mini mode, or while an open run is busy.
bool drops_accepted();
void accept_drops(bool on);

void on_files_dropped(const std::vector<std::string>& paths);
// A dragged link comes as a web address too and is fetched as such, not appended.
void on_text_dropped(const std::string& text);
// The text at the end of the edit box, the caret after it (also the long texts dropped on the
// mini-mode bar, which takes no web addresses).
void append_dropped_text(const std::string& text);
void on_html_dropped(const std::string& html);
// The web-address event of the drop target: fetched into a page while drops are taken.
void on_url_dropped(const std::string& address);
