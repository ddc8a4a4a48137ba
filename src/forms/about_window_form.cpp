#include "forms/about_window_form.h"

#include "common/skin.h"
#include "common/skin_art.h"

namespace {
constexpr int W = 380, H = 300;
}  // namespace

AboutWindowForm::AboutWindowForm() : rt::Window("VelmoraAbout", "Velmora_检测更新", {200, 200, W, H}) {}

AboutWindowForm& about_window() {
  static AboutWindowForm form;
  return form;
}

void AboutWindowForm::build() {
  set_back_color(kSkinBodyColor);
  // Units created first lie on top: the buttons on the title strip come before its labels.
  图形按钮_关闭小.create(*this, {W - 23, 2, 21, 20});
  图形按钮_程序图标.create(*this, {4, 4, 16, 16});

  超级编辑框_说明.create(*this, {10, 32, 360, 220});
  超级链接框_软件主页.create(*this, {14, 266, 40, 20}, "Home");
  超级链接框_软件主页.set_transparent(true);
  超级链接框_软件主页.set_text_color(0xFF0000);
  超级链接框_软件主页.set_font({0, false, false, false, true, 9, "宋体"});

  const auto& look = message_box_button_pictures();
  struct Command {
    rt::GraphicButton& button;
    rt::Rect place;
    const char* caption;
  };
  const Command commands[] = {
      {图形按钮_更新, {220, 262, 72, 26}, "检查更新"},
      {图形按钮_确定, {298, 262, 72, 26}, "确定"},
  };
  for (const Command& c : commands) {
    c.button.create(*this, c.place, c.caption);
    c.button.set_text_color(kButtonCaptionColor);
    c.button.set_pictures(look[0], look[1], look[2]);
    c.button.set_disabled_picture(look[3]);
  }

  create_tool_window_frame(*this, {&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下},
      "  关于");

  set_dialog_keys({.cancel = &图形按钮_关闭小, .defaults = {&图形按钮_确定}});

  bind_about_window(*this);
}

std::vector<rt::Window::Overlap> AboutWindowForm::intended_overlaps() {
  return {title_strip_buttons({&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下},
                              {&图形按钮_关闭小, &图形按钮_程序图标})};
}
