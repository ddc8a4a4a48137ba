#include "app/edge_hide.h"

// The main window does not slide out at the screen edges yet, so it is never away from its
// place when something shows it.
void leave_edge_hide() {}
