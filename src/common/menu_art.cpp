#include "common/menu_art.h"

#include "common/canvas.h"
#include "common/toolbar_art.h"

namespace {

using art::argb;
using art::Canvas;
using art::kBorder;

const uint32_t kInk = argb(52, 84, 110), kPaper = argb(255, 255, 255), kAccent = argb(58, 140, 200),
               kGreen = argb(60, 150, 80), kRed = argb(200, 60, 50), kGold = argb(226, 170, 60);

void disc(Canvas& c, double cx, double cy, double r, uint32_t colour) {
  for (int y = 0; y < c.h; ++y)
    for (int x = 0; x < c.w; ++x)
      if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r) c.set(x, y, colour);
}

void ring(Canvas& c, double cx, double cy, double r, uint32_t colour) {
  for (int y = 0; y < c.h; ++y)
    for (int x = 0; x < c.w; ++x) {
      double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
      if (d2 <= r * r && d2 >= (r - 1.5) * (r - 1.5)) c.set(x, y, colour);
    }
}

void window_glyph(Canvas& c, int x0, int y0, int x1, int y1) {
  c.fill(x0, y0, x1, y1, kPaper);
  c.rect(x0, y0, x1, y1, kInk);
  c.hline(x0, x1, y0 + 1, kInk);
}

void disk(Canvas& c, int x0, int y0, int size) {
  c.fill(x0, y0, x0 + size, y0 + size, kAccent);
  c.fill(x0 + 2, y0, x0 + size - 2, y0 + size / 3, kPaper);
  c.rect(x0, y0, x0 + size, y0 + size, kInk);
}

rt::Picture draw(int index) {
  // The toolbar's own pictures serve the items that share its commands.
  switch (index) {
    case kImageNew:
      return toolbar_picture(1);
    case kImageOpen:
      return toolbar_picture(2);
    case kImageSave:
      return toolbar_picture(3);
    case kImageCut:
      return toolbar_picture(5);
    case kImageCopy:
      return toolbar_picture(6);
    case kImagePaste:
      return toolbar_picture(7);
    case kImageUndo:
      return toolbar_picture(8);
    case kImagePrint:
      return toolbar_picture(9);
    case kImageOptions:
      return toolbar_picture(11);
    case kImageAlignLeft:
      return toolbar_picture(12);
    case kImageAlignCenter:
      return toolbar_picture(13);
    case kImageAlignRight:
      return toolbar_picture(14);
    case kImageClosePage:
      return toolbar_picture(16);
    case kImageHelp:
      return toolbar_picture(20);
    case kImageAbout:
      return toolbar_picture(21);
    default:
      break;
  }
  Canvas c(16, 16, 0x00000000);
  switch (index) {
    case kImageTick:
      c.line(3, 8, 6, 11, kGreen);
      c.line(6, 11, 12, 4, kGreen);
      break;
    case kImageTrimOff:  // a memory chip
      c.fill(3, 4, 12, 11, kInk);
      for (int x = 4; x <= 11; x += 2) {
        c.vline(x, 2, 3, kInk);
        c.vline(x, 12, 13, kInk);
      }
      c.fill(5, 6, 10, 9, argb(120, 150, 175));
      break;
    case kImageMaximize:
      window_glyph(c, 2, 2, 13, 13);
      break;
    case kImageRestore:
      window_glyph(c, 5, 2, 13, 9);
      window_glyph(c, 2, 6, 10, 13);
      break;
    case kImageMinimize:
      c.fill(3, 11, 12, 12, kInk);
      break;
    case kImageSaveAs:
      disk(c, 1, 1, 11);
      c.line(9, 14, 14, 9, kGold);
      c.set(8, 15, kInk);
      break;
    case kImageSaveAll:
      disk(c, 4, 1, 10);
      disk(c, 1, 4, 10);
      break;
    case kImageExit:  // the power sign
      ring(c, 7.5, 8.5, 6, kRed);
      c.fill(6, 0, 9, 6, 0x00000000);
      c.fill(7, 1, 8, 8, kRed);
      break;
    case kImageDelete:
      c.line(3, 3, 11, 11, kRed);
      c.line(11, 3, 3, 11, kRed);
      break;
    case kImageSelectAll:
      for (int i = 1; i <= 14; i += 2) {
        c.set(i, 1, kInk);
        c.set(i, 14, kInk);
        c.set(1, i, kInk);
        c.set(14, i, kInk);
      }
      c.fill(4, 4, 11, 11, argb(150, 190, 225));
      break;
    case kImageFind:  // a magnifier
      ring(c, 6, 6, 5, kInk);
      disc(c, 6, 6, 3.5, argb(200, 225, 245));
      c.line(9, 9, 13, 13, kGold);
      break;
    case kImageDate:  // a calendar leaf
      c.fill(1, 2, 14, 14, kPaper);
      c.rect(1, 2, 14, 14, kInk);
      c.fill(1, 2, 14, 5, kRed);
      for (int y = 7; y <= 12; y += 3)
        for (int x = 3; x <= 12; x += 3) c.fill(x, y, x + 1, y + 1, kInk);
      break;
    case kImageTime:  // a clock face
      disc(c, 7.5, 7.5, 7, kPaper);
      ring(c, 7.5, 7.5, 7, kInk);
      c.vline(7, 3, 8, kInk);
      c.hline(7, 11, 8, kInk);
      break;
    case kImageFont:  // a letter A
      c.line(2, 14, 7, 2, kInk);
      c.line(7, 2, 12, 14, kInk);
      c.hline(5, 10, 10, kInk);
      break;
    case kImageColors:
      c.fill(1, 1, 7, 7, kRed);
      c.fill(8, 1, 14, 7, kGreen);
      c.fill(1, 8, 7, 14, kAccent);
      c.fill(8, 8, 14, 14, kGold);
      break;
    case kImageHome:  // a house
      for (int i = 0; i <= 6; ++i) c.hline(7 - i, 8 + i, 1 + i, kRed);
      c.fill(3, 8, 12, 14, kPaper);
      c.rect(3, 8, 12, 14, kInk);
      c.fill(7, 10, 9, 14, kGold);
      break;
    case kImageUpdate:  // a green arrow down onto a line
      c.fill(6, 1, 9, 8, kGreen);
      for (int i = 0; i <= 4; ++i) c.hline(3 + i, 12 - i, 8 + i, kGreen);
      c.hline(2, 13, 14, kInk);
      break;
    case kImageScrollHorizontal:
    case kImageScrollVertical:
    case kImageScrollBoth: {
      c.fill(1, 1, 14, 14, kPaper);
      c.rect(1, 1, 14, 14, kInk);
      bool horizontal = index != kImageScrollVertical, vertical = index != kImageScrollHorizontal;
      if (horizontal) {
        c.fill(2, 11, 13, 13, argb(200, 210, 220));
        c.fill(4, 11, 8, 13, kAccent);
      }
      if (vertical) {
        c.fill(11, 2, 13, 13, argb(200, 210, 220));
        c.fill(11, 4, 13, 8, kAccent);
      }
      break;
    }
    case kImageReadOnly:  // a padlock
      ring(c, 7.5, 6, 4.5, kInk);
      c.fill(2, 6, 13, 14, kGold);
      c.rect(2, 6, 13, 14, argb(160, 110, 30));
      c.fill(7, 9, 8, 11, kInk);
      break;
    case kImageReadAloud:  // a loudspeaker
      c.fill(2, 5, 5, 10, kInk);
      for (int i = 0; i <= 4; ++i) c.vline(5 + i, 5 - i, 10 + i, kInk);
      c.vline(12, 5, 10, kAccent);
      c.vline(14, 3, 12, kAccent);
      break;
    case kImageCrypt:  // a shield
      for (int y = 1; y <= 14; ++y) {
        int half = y < 9 ? 6 : 6 - (y - 8);
        c.hline(8 - half, 7 + half, y, y < 8 ? kAccent : kGreen);
      }
      c.line(5, 7, 7, 9, kPaper);
      c.line(7, 9, 11, 5, kPaper);
      break;
    case kImageSimpTrad:  // two pages and the arrows between them
      c.fill(1, 1, 8, 10, kPaper);
      c.rect(1, 1, 8, 10, kInk);
      c.fill(7, 5, 14, 14, kPaper);
      c.rect(7, 5, 14, 14, kRed);
      c.hline(3, 6, 4, kInk);
      c.hline(9, 12, 10, kRed);
      break;
    case kImageTabManager:  // tabs over a page
      c.fill(1, 2, 5, 5, kAccent);
      c.fill(6, 2, 10, 5, argb(150, 190, 225));
      c.fill(1, 5, 14, 14, kPaper);
      c.rect(1, 5, 14, 14, kInk);
      c.hline(3, 12, 8, kInk);
      c.hline(3, 10, 11, kInk);
      break;
    case kImageJump:  // an arrow onto a page
      c.fill(7, 1, 14, 14, kPaper);
      c.rect(7, 1, 14, 14, kInk);
      c.line(1, 8, 9, 8, kGreen);
      c.line(6, 5, 9, 8, kGreen);
      c.line(6, 11, 9, 8, kGreen);
      break;
    case kImageMiniMode:  // a small window
      c.fill(1, 4, 14, 11, kPaper);
      c.rect(1, 4, 14, 11, kInk);
      c.fill(2, 5, 13, 6, kAccent);
      c.fill(9, 8, 12, 9, kInk);
      break;
    case kImageTranslate:  // a globe
      disc(c, 7.5, 7.5, 7, argb(120, 180, 230));
      ring(c, 7.5, 7.5, 7, kInk);
      c.vline(7, 1, 14, kInk);
      c.hline(1, 14, 7, kInk);
      break;
    case kImageTyping:  // a keyboard
      c.fill(0, 4, 15, 12, argb(200, 210, 220));
      c.rect(0, 4, 15, 12, kInk);
      for (int x = 2; x <= 12; x += 3) {
        c.fill(x, 6, x + 1, 7, kInk);
        c.fill(x, 9, x + 1, 10, kInk);
      }
      break;
    case kImageCustomOpen:  // an open folder with a page coming out of it
      c.fill(1, 3, 6, 4, kGold);
      c.fill(1, 4, 13, 13, argb(240, 200, 100));
      c.rect(1, 4, 13, 13, argb(160, 110, 30));
      c.fill(5, 1, 12, 9, kPaper);
      c.rect(5, 1, 12, 9, kInk);
      c.hline(7, 10, 4, kInk);
      c.hline(7, 10, 6, kInk);
      for (int i = 0; i <= 5; ++i) c.hline(3 + i, 14, 8 + i, kGold);
      c.line(3, 8, 8, 13, argb(160, 110, 30));
      c.hline(3, 14, 8, argb(160, 110, 30));
      break;
    case kImageBossKey:  // a key
      ring(c, 4.5, 7.5, 4, kGold);
      c.hline(8, 14, 7, kGold);
      c.hline(8, 14, 8, kGold);
      c.vline(12, 9, 11, kGold);
      c.vline(14, 9, 11, kGold);
      break;
    default:
      return rt::Picture();
  }
  return c.picture();
}

}  // namespace

const std::vector<int>& menu_image_indexes() {
  static const std::vector<int> indexes = {kImageTrimOff,
                                           kImageMaximize,
                                           kImageRestore,
                                           kImageOptions,
                                           kImageTick,
                                           kImageFont,
                                           kImageAbout,
                                           kImageAlignLeft,
                                           kImageAlignCenter,
                                           kImageAlignRight,
                                           kImageReadAloud,
                                           kImageCrypt,
                                           kImageCustomOpen,
                                           kImageSimpTrad,
                                           kImageTabManager,
                                           kImageJump,
                                           kImageMiniMode,
                                           kImageTranslate,
                                           kImageTyping,
                                           kImageNew,
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
                                           kImageFind,
                                           kImageDate,
                                           kImageTime,
                                           kImageColors,
                                           kImageHelp,
                                           kImageMinimize,
                                           kImageHome,
                                           kImageUpdate,
                                           kImageScrollHorizontal,
                                           kImageScrollVertical,
                                           kImageScrollBoth,
                                           kImageReadOnly,
                                           kImageBossKey};
  return indexes;
}

rt::Picture menu_image(int index) { return draw(index); }

rt::Picture menu_image_on(int index, unsigned background) {
  const rt::Picture glyph = draw(index);
  Canvas c(16, 16, argb(background & 0xFF, (background >> 8) & 0xFF, (background >> 16) & 0xFF));
  if (glyph.empty()) return c.picture();
  const auto& px = glyph.pixels();
  for (int y = 0; y < glyph.height() && y < 16; ++y)
    for (int x = 0; x < glyph.width() && x < 16; ++x) {
      uint32_t p = px[static_cast<size_t>(y) * glyph.width() + x];
      double alpha = (p >> 24) / 255.0;
      if (alpha > 0) c.set(x, y, art::mix(c.px[static_cast<size_t>(y) * 16 + x], p | 0xFF000000u, alpha));
    }
  return c.picture();
}

const std::array<rt::Picture, 3>& menu_bar_button_pictures() {
  static const std::array<rt::Picture, 3> pictures = [] {
    constexpr int w = 47, h = 23;
    const uint32_t back = argb(217, 228, 238);  // the main window's body
    std::array<rt::Picture, 3> p;
    for (int state = 0; state < 3; ++state) {
      Canvas c(w, h, back);
      if (state > 0) {
        uint32_t top = state == 1 ? argb(255, 255, 255) : argb(170, 204, 230);
        uint32_t bottom = state == 1 ? argb(196, 220, 238) : argb(214, 232, 246);
        Canvas box(w - 2, h - 2, 0);
        box.vertical_gradient(top, bottom);
        for (int y = 0; y < h - 2; ++y)
          for (int x = 0; x < w - 2; ++x) c.set(x + 1, y + 1, box.px[static_cast<size_t>(y) * (w - 2) + x]);
        // Rounded corners: the frame leaves its corner pixels to the body.
        c.hline(2, w - 3, 0, kBorder);
        c.hline(2, w - 3, h - 1, kBorder);
        c.vline(0, 2, h - 3, kBorder);
        c.vline(w - 1, 2, h - 3, kBorder);
        for (auto [x, y] : {std::pair{1, 1}, {w - 2, 1}, {1, h - 2}, {w - 2, h - 2}}) c.set(x, y, kBorder);
      }
      p[static_cast<size_t>(state)] = c.picture();
    }
    return p;
  }();
  return pictures;
}
