#pragma once
// The program's shortcuts, read from the edit box's key-down event, and the toolbar (its
// buttons' indexes are the toolbar pictures', common/toolbar_art.h).
#include "common/toolbar_art.h"

// Returns false for a key it handles (the edit box does not see it), true to pass it on.
bool dispatch_shortcut(int key, int modifiers);
void on_toolbar_button(int index);
