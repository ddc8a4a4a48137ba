#pragma once
// The open-pages popup "Velmora_打开文件列表": the captions of the open pages (a modified one
// marked with "*") along the main window's right edge, between its caption strip and its status
// line; a double click switches to a page. It opens on a right click of the main window's bottom
// label or its mini-mode button and closes as soon as it loses the activation.

// Loads the popup anew, owned by the main window.
void open_open_pages_popup();
// Its events.
void on_open_pages_popup_created();
void on_open_pages_popup_first_activation();
void on_open_pages_popup_resized();
// Deactivated: the popup closes (fading out) once the activation has moved on.
void close_open_pages_popup();
void fade_out_open_pages_popup();
// Double click in the list: the page of the chosen entry becomes current; nothing without one.
void switch_to_popup_page();
// The list as the tabs are now: one entry per page ("caption..." or "*caption..."), tab 0 left
// out while it is a placeholder, the current page chosen.
void fill_open_pages_popup();
