#include "common/toolbar_art.h"

#include "common/canvas.h"

namespace {

using art::argb;
using art::Canvas;

const uint32_t kInk = argb(52, 84, 110), kPaper = argb(255, 255, 255), kAccent = argb(58, 140, 200),
               kGreen = argb(60, 150, 80), kRed = argb(200, 60, 50), kGold = argb(226, 170, 60);

void page(Canvas& c) {
  c.fill(3, 1, 12, 14, kPaper);
  c.rect(3, 1, 12, 14, kInk);
}

void lines(Canvas& c, int x0, int x1, const int* ys, int n, uint32_t ink) {
  for (int i = 0; i < n; ++i) c.hline(x0, x1, ys[i], ink);
}

}  // namespace

rt::Picture toolbar_picture(int index) {
  Canvas c(16, 16, 0x00000000);
  static const int rows4[] = {4, 7, 10, 13};
  switch (index) {
    case 1:  // new
      page(c);
      c.fill(10, 10, 14, 14, kGreen);
      c.hline(11, 13, 12, kPaper);
      c.vline(12, 11, 13, kPaper);
      break;
    case 2:  // open
      c.fill(1, 4, 7, 6, kGold);
      c.fill(1, 6, 14, 13, kGold);
      c.rect(1, 6, 14, 13, argb(160, 110, 30));
      break;
    case 3:  // save
      c.fill(2, 2, 13, 13, kAccent);
      c.fill(4, 2, 11, 6, kPaper);
      c.fill(5, 9, 10, 13, argb(220, 230, 240));
      c.rect(2, 2, 13, 13, kInk);
      break;
    case 5:  // cut
      c.line(4, 2, 10, 10, kInk);
      c.line(11, 2, 5, 10, kInk);
      c.rect(2, 10, 5, 13, kRed);
      c.rect(9, 10, 12, 13, kRed);
      break;
    case 6:  // copy
      c.fill(1, 1, 9, 10, kPaper);
      c.rect(1, 1, 9, 10, kInk);
      c.fill(5, 5, 14, 14, kPaper);
      c.rect(5, 5, 14, 14, kInk);
      break;
    case 7:  // paste
      c.fill(2, 3, 12, 14, kGold);
      c.rect(2, 3, 12, 14, argb(160, 110, 30));
      c.fill(5, 1, 9, 4, kInk);
      c.fill(7, 7, 14, 15, kPaper);
      c.rect(7, 7, 14, 15, kInk);
      break;
    case 8:  // undo
      c.line(5, 4, 2, 7, kAccent);
      c.line(2, 7, 5, 10, kAccent);
      c.line(3, 7, 10, 7, kAccent);
      c.line(10, 7, 13, 10, kAccent);
      c.line(13, 10, 13, 13, kAccent);
      break;
    case 9:  // print
      c.fill(4, 1, 11, 5, kPaper);
      c.rect(4, 1, 11, 5, kInk);
      c.fill(1, 5, 14, 11, argb(180, 190, 200));
      c.rect(1, 5, 14, 11, kInk);
      c.fill(4, 9, 11, 14, kPaper);
      c.rect(4, 9, 11, 14, kInk);
      break;
    case 11:  // options: a gear
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
          double dx = x - 7.5, dy = y - 7.5, d = std::sqrt(dx * dx + dy * dy);
          double a = std::atan2(dy, dx);
          double outer = 6.5 + (std::cos(a * 8) > 0.3 ? 1.0 : -0.5);
          if (d <= outer && d >= 2.5) c.set(x, y, kInk);
        }
      break;
    case 12:
    case 13:
    case 14: {  // align left, centre, right
      static const int widths[] = {12, 8, 12, 6};
      for (int i = 0; i < 4; ++i) {
        int w = widths[i], y = 3 + 3 * i;
        int x0 = index == 12 ? 2 : index == 13 ? 8 - w / 2 : 14 - w;
        c.hline(x0, x0 + w - 1, y, kInk);
        c.hline(x0, x0 + w - 1, y + 1, kInk);
      }
      break;
    }
    case 16:  // close page
      page(c);
      lines(c, 5, 10, rows4, 3, argb(170, 180, 190));
      c.line(8, 8, 14, 14, kRed);
      c.line(14, 8, 8, 14, kRed);
      break;
    case 17:    // five tabs back
    case 18: {  // five tabs forward
      bool back = index == 17;
      for (int k = 0; k < 2; ++k) {
        int x = back ? 9 - 5 * k : 4 + 5 * k;
        c.line(x + (back ? 4 : 0), 3, x + (back ? 0 : 4), 8, kAccent);
        c.line(x + (back ? 0 : 4), 8, x + (back ? 4 : 0), 13, kAccent);
      }
      break;
    }
    case 20:  // help
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
          double dx = x - 7.5, dy = y - 7.5;
          if (dx * dx + dy * dy <= 7.2 * 7.2) c.set(x, y, kAccent);
        }
      c.line(5, 5, 7, 3, kPaper);
      c.line(7, 3, 10, 4, kPaper);
      c.line(10, 4, 10, 6, kPaper);
      c.line(10, 6, 7, 8, kPaper);
      c.vline(7, 8, 9, kPaper);
      c.fill(7, 11, 8, 12, kPaper);
      break;
    case 21:  // about
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
          double dx = x - 7.5, dy = y - 7.5;
          if (dx * dx + dy * dy <= 7.2 * 7.2) c.set(x, y, kGreen);
        }
      c.fill(7, 3, 8, 4, kPaper);
      c.fill(7, 6, 8, 12, kPaper);
      break;
    default:
      break;
  }
  return c.picture();
}
