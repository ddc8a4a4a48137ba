#include "forms/mini_window_form.h"

#include "common/frame_art.h"
#include "common/mini_art.h"
#include "common/skin_art.h"

namespace {
constexpr int W = MiniWindowForm::kFullWidth, H = MiniWindowForm::kFullHeight;
constexpr unsigned kHintColor = 0xA0A0A0;
// The search row under the title strip: the keyword box ends where the bar's bottom edge begins,
// so that the suggestions hang from the bar.
constexpr int kRowTop = kTitleStripHeight + 3, kRowHeight = 20;
constexpr int kFieldWidth = 232;

// Eight clock units side by side from x: digits of the given width, colons of theirs.
void create_clock(MiniWindowForm& w, const MiniWindowForm::ClockUnits& units, int x, int y, int digit, int colon,
                  int height) {
  for (rt::GraphicButton* u : units) {
    bool is_colon = u == units[2] || u == units[5];
    int width = is_colon ? colon : digit;
    u->create(w, {x, y, width, height});
    x += width;
  }
}

}  // namespace

MiniWindowForm::MiniWindowForm() : rt::Window("VelmoraMiniMode", "Velmora_迷你模式", {0, 0, W, H}) {}

MiniWindowForm& mini_window() {
  static MiniWindowForm form;
  return form;
}

void MiniWindowForm::build() {
  set_back_color(kSkinBodyColor);
  // Units created first lie on top: the big clock over everything (it fills the compact form),
  // the title strip's buttons and the small clock before the strip, the search row's units
  // before their field, the frame last.
  create_clock(*this, big_clock(), 2, 2, kMiniBigDigitWidth, kMiniBigColonWidth, kMiniBigClockHeight);
  图形按钮_关闭.create(*this, {W - 23, 2, 21, 20});
  图形按钮_正常模式.create(*this, {W - 44, 2, 21, 20});
  图形按钮_最前.create(*this, {W - 65, 2, 21, 20});
  图形按钮_程序图标.create(*this, {4, 4, 16, 16});
  const int clock_width = 6 * kClockDigitWidth + 2 * kClockSeparatorWidth;
  create_clock(*this, small_clock(), W - 65 - 4 - clock_width, kMiniSmallClockTop, kClockDigitWidth,
               kClockSeparatorWidth, kClockHeight);

  标签_提示搜索引擎.create(*this, {37, kRowTop + 3, 80, 16}, "百度");
  标签_提示搜索引擎.set_back_color(kKeywordFieldColor);
  标签_提示搜索引擎.set_text_color(kHintColor);
  图形按钮_搜索引擎.create(*this, {7, kRowTop + 2, 16, 16});
  图形按钮_下拉.create(*this, {23, kRowTop + 1, 9, 18});
  const auto& arrow = dropdown_arrow_pictures();
  图形按钮_下拉.set_pictures(arrow[0], arrow[1], arrow[2]);
  编辑框_关键词.create(*this, {35, kRowTop + 3, kFieldWidth - 35, 16}, {.multiline = false});
  编辑框_关键词.set_back_color(kKeywordFieldColor);
  图形按钮_输入框.create(*this, {4, kRowTop, kFieldWidth, kRowHeight});
  const rt::Picture field = keyword_field_picture(kFieldWidth, kRowHeight);
  图形按钮_输入框.set_pictures(field, field, field);
  图形按钮_搜索.create(*this, {kFieldWidth + 8, kRowTop - 2, W - kFieldWidth - 12, kRowHeight + 2}, "搜索");
  const auto& button = message_box_button_pictures();
  图形按钮_搜索.set_pictures(button[0], button[1], button[2]);
  图形按钮_搜索.set_text_color(kButtonCaptionColor);

  超级菜单.create(*this);
  for (int i = 0; i < 4; ++i) 超级菜单.set_image(i, search_engine_icon(i));
  时钟_显示时间.create(*this);
  时钟_显示时间_小.create(*this, 1000);

  create_tool_window_frame(*this, frame_labels(), "  Velmora迷你模式");

  bind_mini_window(*this);
}

std::vector<rt::Window::Overlap> MiniWindowForm::intended_overlaps() {
  SkinLabels frame = frame_labels();
  std::vector<const rt::Unit*> strip_units = {&图形按钮_关闭, &图形按钮_正常模式, &图形按钮_最前, &图形按钮_程序图标};
  for (rt::GraphicButton* u : small_clock()) strip_units.push_back(u);
  std::vector<const rt::Unit*> big(big_clock().begin(), big_clock().end());
  std::vector<const rt::Unit*> all_frame(frame.begin(), frame.end());
  return {title_strip_buttons(frame, strip_units),
          // The search row: the engine's icon, its arrow, the keyword box and the hint lie in the
          // field's picture; the hint over the empty box.
          {{&标签_提示搜索引擎, &图形按钮_搜索引擎, &图形按钮_下拉, &编辑框_关键词}, {&图形按钮_输入框}},
          {{&标签_提示搜索引擎}, {&编辑框_关键词}},
          // The field and the search button end on the bottom edge's inner row, which their lower
          // border takes.
          {{&图形按钮_输入框, &图形按钮_搜索}, {frame[6]}},
          // The big clock fills the compact form, over its frame.
          {big, all_frame}};
}
