#pragma once
// Edge auto-hide: the main window slides out at a screen edge and back.

// Brings a window slid out at a screen edge back, before the tray, the boss key or another
// program shows it.
void leave_edge_hide();
