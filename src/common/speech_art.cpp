#include "common/speech_art.h"

#include <functional>

#include "common/canvas.h"
#include "common/menu_art.h"
#include "common/skin_art.h"
#include "common/tool_art.h"

namespace {

using art::argb;

constexpr uint32_t kGreen = argb(40, 150, 60);
constexpr uint32_t kRed = argb(200, 50, 40);
constexpr uint32_t kGold = argb(230, 175, 50);
constexpr uint32_t kGrey = argb(165, 165, 165);

uint32_t pixel_of(unsigned rgb) { return argb(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

// A menu image (transparent around its glyph) laid over the body colour.
rt::Picture on_body(const rt::Picture& image) {
  const uint32_t back = pixel_of(kSkinBodyColor);
  std::vector<uint32_t> px = image.pixels();
  for (uint32_t& p : px) p = art::mix(back, p | 0xFF000000u, (p >> 24) / 255.0);
  return rt::Picture::from_pixels(image.width(), image.height(), px);
}

// A triangle pointing right, its left edge at x from top to bottom.
void play_glyph(art::Canvas& c, int x, int top, int bottom, uint32_t colour) {
  int half = (bottom - top) / 2;
  for (int y = top; y <= bottom; ++y) {
    int reach = half - (y < top + half ? top + half - y : y - top - half);
    c.hline(x, x + reach, y, colour);
  }
}

// Glyph painters get the canvas, the offset of a pressed button and whether it is disabled.
using Glyph = std::function<void(art::Canvas&, int shift, bool grey)>;

rt::Picture glyph_button(int state, const Glyph& glyph) {
  art::Canvas c = tool_button_face(kSpeechButtonWidth, kSpeechButtonHeight, state);
  glyph(c, state == 2 ? 1 : 0, state == 3);
  return c.picture();
}

std::array<rt::Picture, 4> one_state(const Glyph& glyph) {
  return {glyph_button(0, glyph), glyph_button(1, glyph), glyph_button(2, glyph), glyph_button(3, glyph)};
}

std::array<rt::Picture, 7> two_states(const Glyph& first, const Glyph& second) {
  return {glyph_button(0, first),  glyph_button(1, first),  glyph_button(2, first), glyph_button(0, second),
          glyph_button(1, second), glyph_button(2, second), glyph_button(3, first)};
}

const int kMidX = kSpeechButtonWidth / 2, kMidY = kSpeechButtonHeight / 2;

void play(art::Canvas& c, int s, bool grey) {
  play_glyph(c, kMidX - 4 + s, kMidY - 7 + s, kMidY + 7 + s, grey ? kGrey : kGreen);
}

void stop(art::Canvas& c, int s, bool grey) {
  c.fill(kMidX - 6 + s, kMidY - 6 + s, kMidX + 5 + s, kMidY + 5 + s, grey ? kGrey : kRed);
}

void pause(art::Canvas& c, int s, bool grey) {
  uint32_t ink = grey ? kGrey : art::kGlyph;
  c.fill(kMidX - 6 + s, kMidY - 7 + s, kMidX - 3 + s, kMidY + 6 + s, ink);
  c.fill(kMidX + 2 + s, kMidY - 7 + s, kMidX + 5 + s, kMidY + 6 + s, ink);
}

void audio_file(art::Canvas& c, int s, bool grey) {
  uint32_t ink = grey ? kGrey : art::kGlyph, wave = grey ? kGrey : argb(40, 110, 190);
  // A page with its corner folded, a sound wave on it.
  int x0 = kMidX - 7 + s, y0 = kMidY - 9 + s, x1 = x0 + 13, y1 = y0 + 17;
  c.fill(x0, y0, x1, y1, argb(255, 255, 255));
  c.rect(x0, y0, x1, y1, ink);
  for (int i = 0; i < 4; ++i) c.hline(x1 - 3 + i, x1, y0 + i, pixel_of(kSkinBodyColor));
  c.line(x1 - 4, y0, x1, y0 + 4, ink);
  const int heights[] = {2, 5, 8, 4, 6, 2};
  for (int i = 0; i < 6; ++i) c.vline(x0 + 2 + 2 * i, y0 + 10 - heights[i] / 2, y0 + 10 + heights[i] / 2, wave);
}

void folder(art::Canvas& c, int s, bool grey) {
  uint32_t body = grey ? kGrey : kGold, edge = grey ? argb(140, 140, 140) : argb(170, 120, 30);
  int x0 = kMidX - 8 + s, y0 = kMidY - 6 + s;
  c.fill(x0, y0, x0 + 6, y0 + 2, body);
  c.fill(x0, y0 + 2, x0 + 16, y0 + 12, body);
  c.rect(x0, y0 + 2, x0 + 16, y0 + 12, edge);
}

void down_to_tray(art::Canvas& c, int s, bool grey) {
  uint32_t ink = grey ? kGrey : art::kGlyph;
  c.fill(kMidX - 7 + s, kMidY + 6 + s, kMidX + 7 + s, kMidY + 7 + s, ink);
  c.fill(kMidX - 1 + s, kMidY - 8 + s, kMidX + s, kMidY + s, ink);
  for (int i = 0; i <= 4; ++i) c.hline(kMidX - 5 + i + s, kMidX + 4 - i + s, kMidY - 1 + i + s, ink);
}

}  // namespace

const rt::Picture& read_aloud_window_icon_picture() {
  static const rt::Picture icon = on_body(menu_image(kImageReadAloud));
  return icon;
}

const rt::Picture& typing_window_icon_picture() {
  static const rt::Picture icon = on_body(menu_image(kImageTyping));
  return icon;
}

const std::array<rt::Picture, 7>& read_control_button_strip() {
  static const std::array<rt::Picture, 7> strip = two_states(play, stop);
  return strip;
}

const std::array<rt::Picture, 7>& pause_button_strip() {
  static const std::array<rt::Picture, 7> strip = two_states(pause, play);
  return strip;
}

const std::array<rt::Picture, 4>& speak_to_file_button_pictures() {
  static const std::array<rt::Picture, 4> pictures = one_state(audio_file);
  return pictures;
}

const std::array<rt::Picture, 4>& open_text_button_pictures() {
  static const std::array<rt::Picture, 4> pictures = one_state(folder);
  return pictures;
}

const std::array<rt::Picture, 4>& hide_to_tray_button_pictures() {
  static const std::array<rt::Picture, 4> pictures = one_state(down_to_tray);
  return pictures;
}

const std::array<rt::Picture, 4>& typing_button_pictures() {
  static const std::array<rt::Picture, 4> pictures{
      tool_button_face(80, 26, 0).picture(), tool_button_face(80, 26, 1).picture(),
      tool_button_face(80, 26, 2).picture(), tool_button_face(80, 26, 3).picture()};
  return pictures;
}
