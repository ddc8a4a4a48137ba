#include "texttools/font_window.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "common/balloon_tip.h"
#include "common/control_routines.h"
#include "common/font_art.h"
#include "common/messages.h"
#include "common/skin.h"
#include "common/skin_art.h"
#include "common/tool_window.h"
#include "common/window_fade.h"
#include "forms/font_window_form.h"
#include "forms/main_window_form.h"
#include "options/config.h"
#include "options/option_values.h"
#include "pages/page_display.h"
#include "pages/page_store.h"
#include "runtime/app.h"
#include "runtime/fonts.h"
#include "runtime/gbk_text.h"
#include "runtime/window_jobs.h"
#include "runtime/window_services.h"
#include "texttools/font_choices.h"

namespace {

// The preview's last accepted text colour and background colour: a refused choice returns to
// them.
unsigned g_font_window_colors[2] = {0, 0};

constexpr unsigned kRed = 0xFF;
constexpr unsigned kBorderColor = 0x9D7B45;
constexpr unsigned kDefaultTextColor = 0x8000, kDefaultBackColor = 0xCFE8CC;
constexpr const char* kTextColorRefused =
    "  文本颜色不能和背景颜色相同！这个不是我规定的，是眼睛规定的！为了保护你的眼睛，请使用默认的颜色配置方案！";
constexpr const char* kBackColorRefused =
    "  背景颜色不能和文本颜色相同！这个不是我规定的，是眼睛规定的！为了保护你的眼睛，请使用默认的颜色配置方案！";

// The workers filling the current window; a result for a window that has gone is dropped.
rt::WindowJobs g_jobs;

rt::EditBox& editor() { return main_window().编辑框_文本类容; }
rt::EditBox& preview() { return font_window().编辑框_预览; }

void set_preview_font(const rt::Font& f) { preview().set_font(f); }

template <typename Change>
void change_preview_font(Change change) {
  rt::Font f = preview().font();
  change(f);
  set_preview_font(f);
}

// While the window is filled nothing that closes it works.
void show_busy() {
  FontWindowForm& f = font_window();
  bool busy = g_jobs.busy();
  for (rt::GraphicButton* b : {&f.图形按钮_关闭小, &f.图形按钮_确定设置, &f.图形按钮_取消设置}) b->set_disabled(busy);
}

// The generation the worker carries back.
int worker_started() {
  const int generation = g_jobs.begin();
  show_busy();
  return generation;
}

void worker_ended(int generation) {
  g_jobs.end(generation);
  show_busy();
}

rt::GraphicButton* style_radio(int style) {
  FontWindowForm& f = font_window();
  rt::GraphicButton* radios[] = {&f.超级按钮_常规, &f.超级按钮_斜体, &f.超级按钮_粗体, &f.超级按钮_粗斜体};
  return style >= 0 && style < 4 ? radios[style] : nullptr;
}

}  // namespace

unsigned font_window_color(int index) { return index == 0 || index == 1 ? g_font_window_colors[index] : 0; }

void reset_font_window() {
  g_font_window_colors[0] = g_font_window_colors[1] = 0;
  g_jobs.restart();
}

bool font_window_busy() { return font_window().loaded() && g_jobs.busy(); }

void open_font_window() { open_tool_window(font_window()); }

void on_font_window_created() {
  FontWindowForm& f = font_window();
  g_jobs.restart();
  dress_tool_window(f, f.frame_labels(), f.图形按钮_程序图标, font_window_icon_picture(), f.图形按钮_关闭小);
  list_font_names();
  rt::Unit* pointed[] = {&f,
                         &f.图形按钮_关闭小,
                         &f.组合框_字体列表,
                         &f.列表框_字体列表,
                         &f.组合框_字形,
                         &f.组合框_字体大小,
                         &f.超级按钮_常规,
                         &f.超级按钮_斜体,
                         &f.超级按钮_粗体,
                         &f.超级按钮_粗斜体,
                         &f.超级按钮_删除线,
                         &f.超级按钮_下划线,
                         &f.颜色选择器_字体颜色,
                         &f.颜色选择器_背景色,
                         &f.编辑框_预览,
                         &f.超级按钮_设置为默认的字体,
                         &f.图形按钮_确定设置,
                         &f.图形按钮_取消设置};
  for (rt::Unit* u : pointed) u->set_mouse_pointer(program_pointer_cursor().handle());
  for (int style = 0; style < 4; ++style) radio_button_state(*style_radio(style), ButtonOp::Set, style == 0 ? 1 : 0);
  f.组合框_字形.set_current(0);
  for (rt::GraphicButton* b : {&f.超级按钮_删除线, &f.超级按钮_下划线, &f.超级按钮_设置为默认的字体})
    check_button_state(*b, ButtonOp::Set, 0);
  change_preview_font([](rt::Font& p) { p.strikeout = p.underline = false; });
  install_colored_border(f.编辑框_预览.handle(), kBorderColor);
  install_colored_border(f.列表框_字体列表.handle(), kBorderColor);
  set_balloon_tip(f.图形按钮_确定设置, "确定修改字体");
  set_balloon_tip(f.图形按钮_取消设置, "取消修改字体");
  set_balloon_tip(f.图形按钮_关闭小, "<font color=red>关闭字体设置窗口");
  set_balloon_tip(f.编辑框_预览, f.编辑框_预览.text());
}

void on_font_window_first_activation() { fade_in_after_first_activation(font_window()); }

void list_font_names() {
  const int generation = worker_started();
  rt::start_thread(
      [generation] {
        auto names = std::make_shared<std::vector<std::string>>(rt::installed_font_names());
        rt::post([generation, names] {
          FontWindowForm& f = font_window();
          if (!g_jobs.current(generation) || !f.loaded()) return;
          f.组合框_字体列表.add_items(*names);
          f.列表框_字体列表.add_items(*names);
          select_current_font();
          worker_ended(generation);
        });
      },
      [generation] {
        if (g_jobs.current(generation) && font_window().loaded()) worker_ended(generation);
      });
}

void select_current_font() {
  FontWindowForm& f = font_window();
  rt::EditBox& box = editor();
  rt::Font font = box.font();
  // The preview starts as the edit box's font: a face or size that no entry has stays as it is.
  set_preview_font(font);
  // Face: with duplicates the last entry of that name wins.
  int face = -1;
  for (int i = 0, n = f.组合框_字体列表.count(); i < n; ++i)
    if (f.组合框_字体列表.item(i) == font.face) face = i;
  f.组合框_字体列表.set_current(face);
  f.列表框_字体列表.set_current(face);
  int size = font_size_entry_of(font.size);
  if (size >= 0)
    f.组合框_字体大小.set_current(size);
  else
    f.组合框_字体大小.set_text(std::to_string(font.size));
  // Both pickers first: each colour is checked against the other's.
  g_font_window_colors[0] = box.text_color();
  g_font_window_colors[1] = box.back_color();
  f.颜色选择器_字体颜色.set_color(box.text_color());
  f.颜色选择器_背景色.set_color(box.back_color());
  on_font_text_colour_chosen();
  on_font_back_colour_chosen();
  g_font_window_colors[0] = preview().text_color();
  g_font_window_colors[1] = preview().back_color();
  f.组合框_字形.set_current(font_style_index(font.bold, font.italic));
  check_button_state(f.超级按钮_删除线, ButtonOp::Set, font.strikeout ? 1 : 0);
  check_button_state(f.超级按钮_下划线, ButtonOp::Set, font.underline ? 1 : 0);
  on_font_style_chosen();
  if (face >= 0) {
    on_font_list_chosen();
    on_font_combo_chosen();
  }
}

void on_font_list_chosen() {
  FontWindowForm& f = font_window();
  int i = f.列表框_字体列表.current();
  f.组合框_字体列表.set_current(i);
  if (i < 0) return;
  std::string name = f.列表框_字体列表.item(i);
  change_preview_font([&](rt::Font& p) { p.face = name; });
  set_balloon_tip(f.列表框_字体列表, name);
}

void on_font_combo_chosen() {
  FontWindowForm& f = font_window();
  int i = f.组合框_字体列表.current();
  f.列表框_字体列表.set_current(i);
  if (i < 0) return;
  std::string name = f.组合框_字体列表.item(i);
  change_preview_font([&](rt::Font& p) { p.face = name; });
  set_balloon_tip(f.组合框_字体列表, name);
}

void on_font_size_chosen() {
  FontWindowForm& f = font_window();
  int i = f.组合框_字体大小.current();
  if (i < 0 || i >= static_cast<int>(kFontSizeEntries.size())) return;
  int points = kFontSizeEntries[i].points;
  change_preview_font([&](rt::Font& p) { p.size = points; });
  set_balloon_tip(f.组合框_字体大小, "字体大小：" + std::to_string(points));
}

void on_font_style_chosen() {
  FontWindowForm& f = font_window();
  int style = f.组合框_字形.current();
  if (style < 0 || style > 3) return;
  for (int i = 0; i < 4; ++i) radio_button_state(*style_radio(i), ButtonOp::Set, i == style ? 1 : 0);
  change_preview_font([&](rt::Font& p) {
    p.bold = font_style_bold(style);
    p.italic = font_style_italic(style);
  });
  set_balloon_tip(f.组合框_字形, kFontStyleNames[style]);
}

void on_font_style_radio_click(int style) {
  rt::GraphicButton* radio = style_radio(style);
  if (!radio || radio_button_state(*radio, ButtonOp::Query)) return;
  font_window().组合框_字形.set_current(style);
  on_font_style_chosen();
}

void on_strikeout_click() {
  bool on = check_button_state(font_window().超级按钮_删除线) != 0;
  change_preview_font([&](rt::Font& p) { p.strikeout = on; });
}

void on_underline_click() {
  bool on = check_button_state(font_window().超级按钮_下划线) != 0;
  change_preview_font([&](rt::Font& p) { p.underline = on; });
}

void on_default_font_click() { check_button_state(font_window().超级按钮_设置为默认的字体); }

void on_font_text_colour_chosen() {
  FontWindowForm& f = font_window();
  unsigned c = f.颜色选择器_字体颜色.color();
  if (c == f.颜色选择器_背景色.color()) {
    f.颜色选择器_字体颜色.set_color(g_font_window_colors[0]);
    tell_user(0, 16, "颜色值错误！", kRed, kTextColorRefused, kRed, nullptr, &f);
    return;
  }
  preview().set_text_color(c);
  set_balloon_tip(f.颜色选择器_字体颜色, "文本颜色：" + std::to_string(c) + "\r\n右击恢复默认颜色");
  g_font_window_colors[0] = preview().text_color();
}

void on_font_back_colour_chosen() {
  FontWindowForm& f = font_window();
  unsigned c = f.颜色选择器_背景色.color();
  if (c == f.颜色选择器_字体颜色.color()) {
    f.颜色选择器_背景色.set_color(g_font_window_colors[1]);
    tell_user(0, 16, "颜色值错误！", kRed, kBackColorRefused, kRed, nullptr, &f);
    return;
  }
  preview().set_back_color(c);
  set_balloon_tip(f.颜色选择器_背景色, "背景颜色：" + std::to_string(c) + "\r\n右击恢复默认颜色");
  g_font_window_colors[1] = preview().back_color();
}

void on_text_colour_picker_right_up() {
  FontWindowForm& f = font_window();
  if (f.颜色选择器_背景色.color() == kDefaultTextColor) return;
  f.颜色选择器_字体颜色.set_color(kDefaultTextColor);
  on_font_text_colour_chosen();
}

void on_back_colour_picker_right_up() {
  FontWindowForm& f = font_window();
  if (f.颜色选择器_字体颜色.color() == kDefaultBackColor) return;
  f.颜色选择器_背景色.set_color(kDefaultBackColor);
  on_font_back_colour_chosen();
}

void on_preview_changed() { set_balloon_tip(preview(), preview().text()); }

void on_preview_wheel() {
  rt::EditBox& p = preview();
  p.set_selection_start(std::max(0, p.selection_start() - 1));
}

void apply_font_settings() {
  FontWindowForm& f = font_window();
  if (!f.loaded() || font_window_busy()) return;
  rt::EditBox& box = editor();
  rt::Font font = preview().font();
  // A size below 1 point is no size.
  if (font.size < 1) font.size = box.font().size >= 1 ? box.font().size : 1;
  unsigned text = preview().text_color(), back = preview().back_color();
  box.set_font(font);
  box.set_text_color(text);
  box.set_back_color(back);
  int i = main_window().高级选择夹_标签.current();
  if (page_exists(i)) {
    if (options().per_page_colors) {
      set_page_text_color(i, text);
      set_page_back_color(i, back);
    }
    if (options().per_page_font)
      set_page_font(
          i, FontRecord{font.angle, font.bold, font.italic, font.strikeout, font.underline, font.size, font.face});
  }
  if (check_button_state(f.超级按钮_设置为默认的字体, ButtonOp::Query)) {
    config_set_text(cfg::页面设置::默认字体名称, font.face);
    config_set_int(cfg::页面设置::默认字体大小, font.size);
    config_set_flag(cfg::页面设置::默认字体是否加粗, font.bold);
    config_set_flag(cfg::页面设置::默认字体是否倾斜, font.italic);
    config_set_flag(cfg::页面设置::默认字体是否有下划线, font.underline);
    config_set_flag(cfg::页面设置::默认字体是否有删除线, font.strikeout);
  }
  if (!options().per_page_colors) apply_page_colors();
  show_current_page();
  f.close();
}

void cancel_font_window() {
  if (!font_window_busy()) font_window().close();
}

void fade_out_font_window() {
  FontWindowForm& f = font_window();
  if (f.loaded()) show_window_faded(f, false);
}

bool on_font_window_may_close() {
  if (font_window_busy()) return false;
  fade_out_font_window();
  return true;
}

void move_font_window_by_title() { move_window_by_title(font_window()); }

void bind_font_window(FontWindowForm& f) {
  f.on_created = on_font_window_created;
  f.on_first_activation = on_font_window_first_activation;
  f.on_may_close = on_font_window_may_close;
  f.图形按钮_关闭小.on_click = cancel_font_window;
  f.图形按钮_取消设置.on_click = cancel_font_window;
  f.图形按钮_确定设置.on_click = apply_font_settings;
  f.标签_上中.on_left_down = [](int, int, int) {
    move_font_window_by_title();
    return true;
  };
  f.列表框_字体列表.on_changed = on_font_list_chosen;
  f.组合框_字体列表.on_changed = on_font_combo_chosen;
  f.组合框_字体大小.on_changed = on_font_size_chosen;
  f.组合框_字形.on_changed = on_font_style_chosen;
  f.超级按钮_常规.on_click = [] { on_font_style_radio_click(0); };
  f.超级按钮_斜体.on_click = [] { on_font_style_radio_click(1); };
  f.超级按钮_粗体.on_click = [] { on_font_style_radio_click(2); };
  f.超级按钮_粗斜体.on_click = [] { on_font_style_radio_click(3); };
  f.超级按钮_删除线.on_click = on_strikeout_click;
  f.超级按钮_下划线.on_click = on_underline_click;
  f.超级按钮_设置为默认的字体.on_click = on_default_font_click;
  f.颜色选择器_字体颜色.on_changed = on_font_text_colour_chosen;
  f.颜色选择器_背景色.on_changed = on_font_back_colour_chosen;
  f.颜色选择器_字体颜色.on_right_up = [](int, int, int) {
    on_text_colour_picker_right_up();
    return true;
  };
  f.颜色选择器_背景色.on_right_up = [](int, int, int) {
    on_back_colour_picker_right_up();
    return true;
  };
  f.编辑框_预览.on_changed = on_preview_changed;
  f.编辑框_预览.on_wheel = [](int, int) {
    on_preview_wheel();
    return false;
  };
}
