#pragma once
// The message box window "Velmora_信息框": its units and their layout. The one form outside
// forms/: the own message box is common/'s, which the forms' layer lies above.
#include <vector>

#include "common/skin.h"
#include "runtime/edit_box.h"
#include "runtime/graphic_button.h"
#include "runtime/label.h"
#include "runtime/timer.h"
#include "runtime/window.h"

class MessageBoxForm : public rt::Window {
 public:
  MessageBoxForm();

  rt::GraphicButton 图形按钮_确定_信息框;  // tag 0
  rt::GraphicButton 图形按钮_取消_信息框;  // 1
  rt::GraphicButton 图形按钮_终止_信息框;  // 2
  rt::GraphicButton 图形按钮_重试_信息框;  // 3
  rt::GraphicButton 图形按钮_忽略_信息框;  // 4
  rt::GraphicButton 图形按钮_是_信息框;    // 5
  rt::GraphicButton 图形按钮_否_信息框;    // 6
  rt::GraphicButton 图形按钮_关闭_信息框;
  rt::GraphicButton 图形按钮_图标_信息框;
  rt::Label 透明标签_提示类容;
  rt::EditBox 编辑框_输入类容;
  rt::Label 透明标签_标识宽度_信息框;  // invisible: the guide of the button slots
  rt::Label 透明标签_倒计时;
  rt::Label 标签_左上, 标签_上中, 标签_右上, 标签_左中, 标签_右中, 标签_左下, 标签_下中, 标签_右下;
  SkinLabels frame_labels() {
    return {&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下};
  }
  rt::Timer 时钟_倒计时;
  rt::Timer 时钟_定时关闭;

  // The seven answer buttons in the order of their codes.
  rt::GraphicButton* answer_button(int code);

  std::vector<Overlap> intended_overlaps() override;

 protected:
  void build() override;
};

MessageBoxForm& message_box_form();

// Binds the window's events to the routines of common/message_box.cpp; build() ends with it.
void bind_message_box(MessageBoxForm& f);
