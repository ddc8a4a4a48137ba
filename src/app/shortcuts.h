#pragma once
// The program's shortcuts, read from the edit box's key-down event, and the toolbar.

// Returns false for a key it handles (the edit box does not see it), true to pass it on.
bool dispatch_shortcut(int key, int modifiers);
void on_toolbar_button(int index);
// Toolbar buttons by index.
enum ToolbarButton : int {
  kButtonNew = 1,
  kButtonOpen = 2,
  kButtonSave = 3,
  kButtonCut = 5,
  kButtonCopy = 6,
  kButtonPaste = 7,
  kButtonUndo = 8,
  kButtonPrint = 9,
  kButtonOptions = 11,
  kButtonAlignLeft = 12,
  kButtonAlignCenter = 13,
  kButtonAlignRight = 14,
  kButtonClosePage = 16,
  kButtonBack5 = 17,
  kButtonForward5 = 18,
  kButtonOnlineHelp = 20,
  kButtonAbout = 21
};
