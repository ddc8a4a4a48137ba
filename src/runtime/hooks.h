#pragma once
// Message hooks: each window has one chain of them. A hook sees a message before the window's
// own handling and decides whether to pass it on (next()), so any number of layers can watch
// or consume messages, and any layer can be removed on its own, in any order.
#include <cstdint>
#include <functional>

#include "runtime/app.h"

namespace rt {

struct Message {
  WindowHandle window;
  unsigned msg;
  uintptr_t wparam;
  intptr_t lparam;
  // Passes the message to the layers below and the window's own handling; returns their result.
  std::function<intptr_t()> next;
};

using Hook = std::function<intptr_t(Message&)>;
using HookId = int;

// Adds a layer on top of the window's chain; works on any window of this process.
HookId add_hook(WindowHandle window, Hook hook);
// Removes one layer; the others keep working. Removing an unknown id does nothing. A layer
// that moved to a re-created window (below) is found by its id.
void remove_hook(WindowHandle window, HookId id);

// When a unit re-creates its window (an edit box changing its alignment), the layers move to
// the new window, and this message goes through them once: wparam the old handle, still
// existing but about to go, lparam the new one. A layer that keeps anything by the window's
// handle (a set of windows, a tool of a tooltip, a registered drop target) moves it to the
// new handle, then passes the message on.
unsigned handle_replaced_message();

}  // namespace rt
