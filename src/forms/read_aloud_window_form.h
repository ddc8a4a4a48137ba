#pragma once
// The read-aloud window "Velmora_语音朗读": its units and their layout.
#include <vector>

#include "runtime/combo_box.h"
#include "runtime/drop_target.h"
#include "runtime/edit_box.h"
#include "runtime/graphic_button.h"
#include "runtime/label.h"
#include "runtime/slider.h"
#include "runtime/window.h"

class ReadAloudWindowForm : public rt::Window {
 public:
  ReadAloudWindowForm();

  rt::GraphicButton 图形按钮_程序图标;
  rt::GraphicButton 图形按钮_关闭小;
  rt::Label 透明标签_语音库, 透明标签_选择页面, 透明标签_朗读速度, 透明标签_声音大小;
  // The installed voices, then "下载TTS语音引擎".
  rt::ComboBox 组合框_语音库;
  // The open pages; choosing one puts its text into the text box.
  rt::ComboBox 组合框_打开文件;
  // The text to read.
  rt::EditBox 编辑框_朗读内容;
  // The rate (position - 10) and the volume, with their value labels.
  rt::Slider 多功能条_朗读速度, 多功能条_声音大小;
  rt::Label 标签11, 标签10;
  rt::GraphicButton 超级按钮_朗读完毕后退出, 超级按钮_输出后不提示;
  // Start/stop and pause/resume: two states each, told by their pictures.
  rt::GraphicButton 图形按钮_朗读控制, 图形按钮_暂停朗读;
  rt::GraphicButton 图形按钮_输出, 图形按钮_从文件打开, 图形按钮_隐藏;
  // Texts and files dropped on the text box.
  rt::DropTarget 拖放对象;
  // 标签_上中 is the title strip, which shows what the voice is doing.
  rt::Label 标签_左上, 标签_上中, 标签_右上, 标签_左中, 标签_右中, 标签_左下, 标签_下中, 标签_右下;

  std::vector<Overlap> intended_overlaps() override;

 protected:
  void build() override;
};

ReadAloudWindowForm& read_aloud_window();

// Binds the window's events to the routines of texttools/read_aloud.cpp; build() ends with it.
void bind_read_aloud_window(ReadAloudWindowForm& f);
