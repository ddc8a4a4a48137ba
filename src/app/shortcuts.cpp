#include "app/shortcuts.h"

#include "app/commands.h"
#include "runtime/app.h"
#include "runtime/unit.h"
#include "texttools/edit_commands.h"

bool dispatch_shortcut(int key, int modifiers) {
  Command id = command_of_key(key, modifiers);
  if (id != Command::None) {
    run_command(id, Source::Key);
    return false;
  }
  // However a key moves the selection (Shift with Home, End, the arrows or the page keys, a
  // typed character that replaces it), cut and copy follow once the edit box has moved it.
  rt::post(update_selection_commands);
  return true;
}

void on_toolbar_button(int index) {
  Command id = command_of_toolbar_button(index);
  if (id != Command::None) run_command(id, Source::Toolbar);
}
