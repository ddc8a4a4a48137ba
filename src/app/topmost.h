#pragma once
// The main window kept above every other window, and its tool windows with it: the caption's
// topmost button.

void toggle_topmost();
// The topmost button's tip names what a click does now: "窗口最前", or "取消最前" while on.
void set_topmost_button_tip();
