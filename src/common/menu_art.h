#pragma once
// The pictures of the menus, drawn by code: the images of the popup-menu unit by index, and
// the buttons of the graphic menu bar.
#include <array>
#include <vector>

#include "runtime/picture.h"

// Image indexes of the main window's menus. The program's routines name some of them by
// number: the tick, alignment, scroll bars, read-only and the window and option items; the
// tool windows show the image of the item that opens them as their icon.
enum MenuImage : int {
  kImageTrimOff = 2,
  kImageMaximize = 3,
  kImageRestore = 4,
  kImageOptions = 5,
  kImageTick = 6,
  kImageFont = 12,
  kImageAbout = 14,
  kImageAlignLeft = 15,
  kImageAlignCenter = 16,
  kImageAlignRight = 17,
  kImageReadAloud = 19,
  kImageCrypt = 20,
  kImageCustomOpen = 22,
  kImageSimpTrad = 27,
  kImageTabManager = 28,
  kImageJump = 34,
  kImageMiniMode = 46,
  kImageFind = 51,
  kImageTranslate = 54,
  kImageScrollHorizontal = 55,
  kImageScrollVertical = 56,
  kImageScrollBoth = 57,
  kImageReadOnly = 72,
  kImageTyping = 76,
  kImageBossKey = 77,
  // The program's own further images.
  kImageNew = 80,
  kImageOpen,
  kImageSave,
  kImageSaveAs,
  kImageSaveAll,
  kImagePrint,
  kImageClosePage,
  kImageExit,
  kImageUndo,
  kImageCut,
  kImageCopy,
  kImagePaste,
  kImageDelete,
  kImageSelectAll,
  kImageDate,
  kImageTime,
  kImageColors,
  kImageHelp,
  kImageMinimize,
  kImageHome,
  kImageUpdate,
};

// Every index that has a picture, and the picture (16 x 16, transparent around the glyph).
const std::vector<int>& menu_image_indexes();
rt::Picture menu_image(int index);
// The picture of an index laid on a background colour (Windows RGB), as tool windows show the
// image of their menu item as their icon.
rt::Picture menu_image_on(int index, unsigned background);

// The menu bar's buttons (47 x 23): normal, hover and pressed, without caption (the button
// draws it in kMenuBarCaptionColor).
const std::array<rt::Picture, 3>& menu_bar_button_pictures();
constexpr unsigned kMenuBarCaptionColor = 0x603C1E;
