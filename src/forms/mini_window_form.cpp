#include "forms/mini_window_form.h"

#include "app/commands.h"
#include "app/mini_mode.h"
#include "common/frame_art.h"
#include "common/mini_art.h"
#include "common/skin_art.h"
#include "web/web_search.h"

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

bool toggle_form(int, int, int) {
  toggle_mini_compact();
  return true;
}

// Swallowed: a button must not take the mouse the move loop has already let go.
bool move_by_title(int, int, int) {
  move_mini_window_by_title();
  return false;
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
  rt::MenuItem& engines = 超级菜单.add_menu("搜索引擎选择");
  engines.add("百度", 0, choose_engine_baidu);
  engines.add("搜搜", 1, choose_engine_soso);
  engines.add("搜狗", 2, choose_engine_sogou);
  engines.add("谷歌", 3, choose_engine_google);
  时钟_显示时间.create(*this);
  时钟_显示时间_小.create(*this, 1000);

  create_tool_window_frame(*this, frame_labels(), "  Velmora迷你模式");

  on_created = on_mini_created;
  on_first_activation = on_mini_first_activation;
  on_moved = on_mini_moved;
  on_resized = reskin_mini_window;
  on_may_close = may_close_mini_window;
  on_destroying = on_mini_destroying;
  on_double_click = toggle_form;
  on_right_up = toggle_form;
  标签_上中.on_double_click = toggle_form;
  标签_上中.on_right_up = toggle_form;
  标签_上中.on_left_down = move_by_title;
  // The clocks lie on the title strip or fill the compact form: they act as the title does.
  for (const MiniWindowForm::ClockUnits& clock : {big_clock(), small_clock()})
    for (rt::GraphicButton* u : clock) {
      u->on_left_down = move_by_title;
      u->on_double_click = toggle_form;
      u->on_right_up = toggle_form;
    }
  超级菜单.on_closed = restore_mini_caption;
  超级菜单.on_highlighted = show_engine_menu_hint;
  图形按钮_正常模式.on_click = [] { run_command(Command::LeaveMiniMode, Source::Button); };
  图形按钮_关闭.on_click = [] { run_command(Command::ExitFromMiniMode, Source::Button); };
  图形按钮_最前.on_click = toggle_mini_topmost;
  图形按钮_搜索.on_click = start_web_search;
  图形按钮_搜索引擎.on_click = pop_up_engine_menu;
  图形按钮_下拉.on_click = pop_up_engine_menu;
  auto engine_menu_on_release = [](int, int, int) {
    pop_up_engine_menu();
    return true;
  };
  图形按钮_搜索引擎.on_right_up = engine_menu_on_release;
  图形按钮_下拉.on_right_up = engine_menu_on_release;
  // A press on the field or the hint is a press into the box.
  auto into_box = [this](int, int, int) {
    编辑框_关键词.set_focus();
    return true;
  };
  图形按钮_输入框.on_left_down = into_box;
  标签_提示搜索引擎.on_left_down = into_box;
  编辑框_关键词.on_changed = on_search_keyword_changed;
  编辑框_关键词.on_key_down = on_search_keyword_key;
  编辑框_关键词.on_focus = on_keyword_focus_got;
  编辑框_关键词.on_blur = on_keyword_focus_lost;
  编辑框_关键词.on_left_up = [](int, int, int) {
    select_keyword_once();
    return true;
  };
  拖放对象.on_text = on_mini_text_dropped;
  拖放对象.on_files = on_mini_files_dropped;
  时钟_显示时间.on_tick = update_mini_big_clock;
  时钟_显示时间_小.on_tick = update_mini_small_clock;
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
