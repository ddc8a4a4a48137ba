#pragma once
// The typing-output window "Velmora_屏幕输出效果": its units and their layout.
#include <vector>

#include "runtime/graphic_button.h"
#include "runtime/label.h"
#include "runtime/slider.h"
#include "runtime/timer.h"
#include "runtime/window.h"

class TypingWindowForm : public rt::Window {
 public:
  TypingWindowForm();

  rt::GraphicButton 图形按钮_程序图标;
  rt::GraphicButton 图形按钮_关闭小;
  // The delay before each character, in milliseconds.
  rt::Slider 多功能条_打写速度;
  rt::GraphicButton 超级按钮_忽略空格;
  // One of the two is visible: start while idle, stop while a replay runs.
  rt::GraphicButton 图形按钮_开始输出, 图形按钮_停止输出;
  // Appends the replay's next character after the delay.
  rt::Timer 时钟_屏幕输出;
  // 标签_上中 is the title strip, which shows the delay.
  rt::Label 标签_左上, 标签_上中, 标签_右上, 标签_左中, 标签_右中, 标签_左下, 标签_下中, 标签_右下;

  std::vector<Overlap> intended_overlaps() override;

 protected:
  void build() override;
};

TypingWindowForm& typing_window();

// Binds the window's events to the routines of texttools/typing_output.cpp; build() ends with it.
void bind_typing_window(TypingWindowForm& f);
