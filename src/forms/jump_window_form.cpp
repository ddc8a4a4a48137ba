#include "forms/jump_window_form.h"

#include "common/skin.h"
#include "common/skin_art.h"
#include "pages/jump_to_page.h"

namespace {
constexpr int W = 300, H = 136;
constexpr unsigned kCaptionColor = 0x5A3A20;
}  // namespace

JumpWindowForm::JumpWindowForm() : rt::Window("VelmoraJumpToPage", "Velmora_跳转页面", {200, 200, W, H}) {}

JumpWindowForm& jump_window() {
  static JumpWindowForm form;
  return form;
}

void JumpWindowForm::build() {
  set_back_color(kSkinBodyColor);
  // Units created first lie on top: the buttons on the title strip come before its labels.
  图形按钮_关闭小.create(*this, {W - 23, 2, 21, 20});
  图形按钮_程序图标.create(*this, {4, 4, 16, 16});

  struct Option {
    rt::GraphicButton& button;
    rt::Rect place;
    const char* caption;
  };
  const Option options[] = {
      {超级按钮_按照页面跳转, {12, 32, 120, 20}, "按照页面跳转"},
      {超级按钮_按照页面名称跳转, {140, 32, 148, 20}, "按照页面名称跳转"},
      {超级按钮_按跳转完毕后退出, {12, 108, 160, 20}, "跳转完毕后退出"},
  };
  for (const Option& o : options) {
    o.button.create(*this, o.place, o.caption);
    o.button.set_check_style(true);
    o.button.set_text_color(kCaptionColor);
  }

  透明标签_说明.create(*this, {12, 58, W - 24, 18}, "请输入要跳转的页面：");
  透明标签_说明.set_transparent(true);
  透明标签_说明.set_text_color(kCaptionColor);
  编辑框_标识.create(*this, {12, 80, 196, 22}, {.multiline = false});
  编辑框_标识.set_digits_only(true);

  const auto& look = message_box_button_pictures();
  图形按钮_跳转.create(*this, {216, 79, 72, 24}, "跳转");
  图形按钮_跳转.set_pictures(look[0], look[1], look[2]);
  图形按钮_跳转.set_disabled_picture(look[3]);
  图形按钮_跳转.set_text_color(kButtonCaptionColor);
  // Nothing to jump to while the input box is empty.
  图形按钮_跳转.set_disabled(true);

  create_tool_window_frame(*this, frame_labels(), "   跳转页面—按照页面页数跳转！");

  set_dialog_keys({.cancel = &图形按钮_关闭小, .defaults = {&图形按钮_跳转}});

  on_created = on_jump_window_created;
  on_first_activation = on_jump_window_first_activation;
  on_may_close = [] {
    fade_out_jump_window();
    return true;
  };
  图形按钮_关闭小.on_click = close_jump_window;
  超级按钮_按照页面跳转.on_click = switch_jump_to_number_mode;
  超级按钮_按照页面名称跳转.on_click = switch_jump_to_name_mode;
  超级按钮_按跳转完毕后退出.on_click = on_jump_exit_check_click;
  图形按钮_跳转.on_click = jump_to_page;
  编辑框_标识.on_changed = on_jump_text_changed;
  编辑框_标识.on_key_down = on_jump_box_key_down;
  编辑框_标识.on_mouse_move = [](int, int, int) {
    show_jump_text_tip();
    return true;
  };
  编辑框_标识.on_left_up = [](int, int, int) {
    select_jump_text_on_first_click();
    return true;
  };
  编辑框_标识.on_blur = forget_jump_first_click;
  auto drag = [](int, int, int) {
    move_jump_window_by_frame();
    return true;
  };
  for (rt::Label* l : frame_labels()) l->on_left_down = drag;
  透明标签_说明.on_left_down = drag;
}

std::vector<rt::Window::Overlap> JumpWindowForm::intended_overlaps() {
  return {title_strip_buttons(frame_labels(), {&图形按钮_关闭小, &图形按钮_程序图标})};
}
