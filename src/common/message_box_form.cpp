#include "common/message_box_form.h"

#include "common/skin_art.h"

MessageBoxForm::MessageBoxForm() : rt::Window("VelmoraMessageBox", "Velmora_信息框", {50, 50, 295, 175}) {}

MessageBoxForm& message_box_form() {
  static MessageBoxForm form;
  return form;
}

rt::GraphicButton* MessageBoxForm::answer_button(int code) {
  rt::GraphicButton* buttons[] = {&图形按钮_确定_信息框, &图形按钮_取消_信息框, &图形按钮_终止_信息框,
                                  &图形按钮_重试_信息框, &图形按钮_忽略_信息框, &图形按钮_是_信息框,
                                  &图形按钮_否_信息框};
  return code >= 0 && code < 7 ? buttons[code] : nullptr;
}

void MessageBoxForm::build() {
  set_back_color(kSkinBodyColor);
  // Units created first lie on top: the buttons on the title strip and over the body come
  // before the labels they overlap.
  图形按钮_关闭_信息框.create(*this, {272, 2, 21, 20});
  图形按钮_图标_信息框.create(*this, {3, 3, 20, 20});
  透明标签_倒计时.create(*this, {8, -2, 264, 24});
  透明标签_倒计时.set_transparent(true);
  透明标签_倒计时.set_align(rt::Label::Align::Right);
  透明标签_倒计时.set_visible(false);

  struct Answer {
    rt::GraphicButton& button;
    rt::Rect place;
    const char* caption;
  };
  const Answer answers[] = {
      {图形按钮_确定_信息框, {225, 151, 47, 23}, "确定"}, {图形按钮_取消_信息框, {104, 144, 47, 23}, "取消"},
      {图形按钮_终止_信息框, {8, 106, 47, 23}, "终止"},   {图形按钮_重试_信息框, {200, 144, 47, 23}, "重试"},
      {图形按钮_忽略_信息框, {152, 144, 47, 23}, "忽略"}, {图形按钮_是_信息框, {56, 144, 47, 23}, "是"},
      {图形按钮_否_信息框, {0, 120, 47, 23}, "否"},
  };
  const auto& look = message_box_button_pictures();
  int code = 0;
  for (const Answer& a : answers) {
    a.button.create(*this, a.place, a.caption);
    a.button.tag = std::to_string(code++);
    a.button.set_pictures(look[0], look[1], look[2]);
    a.button.set_disabled_picture(look[3]);
    a.button.set_text_color(kButtonCaptionColor);
    a.button.set_visible(false);
  }

  编辑框_输入类容.create(*this, {22, 72, 250, 32}, {.multiline = false});
  编辑框_输入类容.set_visible(false);
  透明标签_提示类容.create(*this, {22, 30, 250, 119});
  透明标签_提示类容.set_transparent(true);
  透明标签_标识宽度_信息框.create(*this, {22, 140, 250, 5});
  透明标签_标识宽度_信息框.set_transparent(true);
  透明标签_标识宽度_信息框.set_visible(false);

  create_tool_window_frame(*this, frame_labels(), "");

  时钟_倒计时.create(*this);
  时钟_定时关闭.create(*this);

  // Enter follows the box's own rules (its key handlers); a focused button takes it itself.
  set_dialog_keys({.cancel = &图形按钮_关闭_信息框});

  bind_message_box(*this);
}

std::vector<rt::Window::Overlap> MessageBoxForm::intended_overlaps() {
  SkinLabels frame = frame_labels();
  return {title_strip_buttons(frame, {&图形按钮_关闭_信息框, &图形按钮_图标_信息框}),
          // The countdown counts on the title strip, beside its buttons.
          {{&图形按钮_关闭_信息框, &图形按钮_图标_信息框}, {&透明标签_倒计时}},
          {{&透明标签_倒计时}, {frame[0], frame[1], frame[2]}},
          // A prompt's message starts at 21, 3 pixels over the strip's lower edge and beside the
          // icon's lower corner.
          {{&透明标签_提示类容}, {frame[1]}},
          {{&图形按钮_图标_信息框}, {&透明标签_提示类容}}};
}
