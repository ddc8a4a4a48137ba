#pragma once
// The toolbar's pictures (16 x 16), drawn by code, by toolbar button index (1..21).
#include "runtime/picture.h"

rt::Picture toolbar_picture(int index);

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
