#pragma once
// Whether the main window is slid out at a screen edge (app/edge_hide.h slides it), for the
// windows that must not show over it meanwhile.

// The main window slid out at a screen edge, and its left and top before it slid.
bool edge_hidden();
int edge_hide_left();
int edge_hide_top();
// The window slid out from its place at left, top; back (its place kept).
void note_edge_hidden(int left, int top);
void note_edge_shown();
// Nothing slid out, no place kept.
void reset_edge_state();
