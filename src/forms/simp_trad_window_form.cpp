#include "forms/simp_trad_window_form.h"

#include "common/skin_art.h"

namespace {
constexpr int W = 420, H = 314;
constexpr unsigned kCaptionColor = 0x5A3A20;
}  // namespace

SimpTradWindowForm::SimpTradWindowForm() : rt::Window("VelmoraSimpTrad", "Velmora_简繁转换", {200, 200, W, H}) {}

SimpTradWindowForm& simp_trad_window() {
  static SimpTradWindowForm form;
  return form;
}

void SimpTradWindowForm::build() {
  set_back_color(kSkinBodyColor);
  // Units created first lie on top: the buttons on the title strip come before its labels.
  图形按钮_关闭小.create(*this, {W - 23, 2, 21, 20});
  图形按钮_程序图标.create(*this, {4, 4, 16, 16});

  struct Caption {
    rt::Label& label;
    rt::Rect place;
    const char* text;
  };
  const Caption captions[] = {
      {透明标签_选择页面, {10, 32, 62, 22}, "选择页面："},
      {透明标签_操作类容, {10, 246, 58, 24}, "编辑框："},
      {透明标签_当前页, {10, 278, 58, 24}, "当前页："},
  };
  for (const Caption& c : captions) {
    c.label.create(*this, c.place, c.text);
    c.label.set_transparent(true);
    c.label.set_text_color(kCaptionColor);
  }
  组合框_打开文件_简繁转换.create(*this, {74, 32, 336, 22});
  编辑框_操作类容.create(*this, {10, 62, 400, 176}, {});

  const auto& look = message_box_button_pictures();
  struct Command {
    rt::GraphicButton& button;
    rt::Rect place;
    const char* caption;
  };
  const Command commands[] = {
      {图形按钮_转为简体, {70, 246, 72, 24}, "转为简体"},
      {图形按钮_转为繁体, {148, 246, 72, 24}, "转为繁体"},
      {图形按钮_复制所有, {226, 246, 72, 24}, "复制所有"},
      {图形按钮_清空类容, {304, 246, 72, 24}, "清空内容"},
      {图形按钮_转为简体_当前页, {70, 278, 72, 24}, "转为简体"},
      {图形按钮_转为繁体_当前页, {148, 278, 72, 24}, "转为繁体"},
      {图形按钮_复制所有_当前页, {226, 278, 72, 24}, "复制所有"},
  };
  for (const Command& c : commands) {
    c.button.create(*this, c.place, c.caption);
    c.button.set_text_color(kButtonCaptionColor);
  }
  // The work-box buttons wear the skin's button pictures; the page buttons take their twins'
  // when the window is created.
  for (rt::GraphicButton* b : {&图形按钮_转为简体, &图形按钮_转为繁体, &图形按钮_复制所有, &图形按钮_清空类容}) {
    b->set_pictures(look[0], look[1], look[2]);
    b->set_disabled_picture(look[3]);
  }

  create_tool_window_frame(*this, frame_labels(), "   文本简繁互转");

  set_dialog_keys({.cancel = &图形按钮_关闭小});

  bind_simp_trad_window(*this);
}

std::vector<rt::Window::Overlap> SimpTradWindowForm::intended_overlaps() {
  return {title_strip_buttons(frame_labels(), {&图形按钮_关闭小, &图形按钮_程序图标})};
}
