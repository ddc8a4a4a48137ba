#include "forms/typing_window_form.h"

#include "common/skin.h"
#include "common/skin_art.h"
#include "common/speech_art.h"

namespace {
constexpr int W = 300, H = 96;
constexpr unsigned kCaptionColor = 0x5A3A20;
// The delay the bar starts at, and its longest.
constexpr int kStartDelayMs = 100, kLongestDelayMs = 500;
}  // namespace

TypingWindowForm::TypingWindowForm() : rt::Window("VelmoraTypingOutput", "Velmora_屏幕输出效果", {200, 200, W, H}) {}

TypingWindowForm& typing_window() {
  static TypingWindowForm form;
  return form;
}

void TypingWindowForm::build() {
  set_back_color(kSkinBodyColor);
  // Units created first lie on top: the buttons on the title strip come before its labels.
  图形按钮_关闭小.create(*this, {W - 23, 2, 21, 20});
  图形按钮_程序图标.create(*this, {4, 4, 16, 16});

  多功能条_打写速度.create(*this, {8, 32, 196, 26}, 0, kLongestDelayMs);
  多功能条_打写速度.set_position(kStartDelayMs);
  // The check starts without pictures: its state is set when the window is created.
  超级按钮_忽略空格.create(*this, {12, 64, 100, 20}, "忽略空格");
  超级按钮_忽略空格.set_check_style(true);
  超级按钮_忽略空格.set_text_color(kCaptionColor);
  超级按钮_忽略空格.set_pictures({}, {}, {});
  超级按钮_忽略空格.set_disabled_picture({});
  const auto& look = typing_button_pictures();
  for (rt::GraphicButton* b : {&图形按钮_开始输出, &图形按钮_停止输出}) {
    b->create(*this, {W - 90, 34, 80, 26}, b == &图形按钮_开始输出 ? "开始输出" : "停止输出");
    b->set_pictures(look[0], look[1], look[2]);
    b->set_disabled_picture(look[3]);
    b->set_text_color(kButtonCaptionColor);
  }
  图形按钮_停止输出.set_visible(false);
  时钟_屏幕输出.create(*this);

  create_tool_window_frame(*this, {&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下},
      " 屏幕输出效果");

  // Enter starts the output, or stops it while it runs.
  set_dialog_keys({.cancel = &图形按钮_关闭小, .defaults = {&图形按钮_开始输出, &图形按钮_停止输出}});

  bind_typing_window(*this);
}

std::vector<rt::Window::Overlap> TypingWindowForm::intended_overlaps() {
  return {title_strip_buttons({&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下},
                              {&图形按钮_关闭小, &图形按钮_程序图标})};
}
