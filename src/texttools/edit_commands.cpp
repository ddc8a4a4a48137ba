#include "texttools/edit_commands.h"

#include "app/command_items.h"
#include "common/toolbar_art.h"
#include "forms/main_window_form.h"
#include "pages/closing.h"
#include "pages/page_store.h"
#include "runtime/clipboard.h"

namespace {

rt::EditBox& editor() { return main_window().编辑框_文本类容; }

void enable(int button, bool on) {
  rt::Toolbar& bar = main_window().工具条_工具栏;
  on ? bar.remove_state(button, rt::Toolbar::kDisabled) : bar.add_state(button, rt::Toolbar::kDisabled);
}

}  // namespace

void undo_edit() { editor().undo(); }
void cut_selection() { editor().cut(); }
void copy_selection() { editor().copy(); }

void paste_clipboard() {
  editor().paste();
  enable(kButtonCut, false);
  enable(kButtonCopy, false);
}

// The selection goes, and nothing when there is none (a simulated Backspace would take the
// character before the caret).
void delete_selection() { editor().clear_selection(); }

void select_all_text() {
  editor().select(0, editor().text_length());
  update_command_states();
}

void update_selection_commands() {
  if (bulk_close_running()) return;
  bool selected = editor().selection_length() != 0;
  rt::Toolbar& bar = main_window().工具条_工具栏;
  // Only a change redraws the buttons: this runs after every key.
  for (int button : {kButtonCut, kButtonCopy})
    if (((bar.state(button) & rt::Toolbar::kDisabled) == 0) != selected) enable(button, selected);
}

void update_command_states() {
  if (bulk_close_running()) return;
  MainWindowForm& w = main_window();
  enable(kButtonPaste, rt::clipboard_has_text());
  bool has_text = editor().text_length() > 0;
  enable(kButtonPrint, has_text);
  set_command_disabled(Command::Print, !has_text);
  update_selection_commands();
  int i = w.高级选择夹_标签.current();
  bool modified = i >= 0 && i < page_count() && pages()[i].modified;
  enable(kButtonSave, modified);
  set_command_disabled(Command::Save, !modified);
  w.标签_上中.set_text_color(modified ? 0xFF : 0xFF0000);
}
