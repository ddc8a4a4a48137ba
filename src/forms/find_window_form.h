#pragma once
// The find and replace window "Velmora_寻找替换": its units and their layout.
#include <vector>

#include "common/skin.h"
#include "runtime/edit_box.h"
#include "runtime/graphic_button.h"
#include "runtime/label.h"
#include "runtime/window.h"

class FindWindowForm : public rt::Window {
 public:
  FindWindowForm();

  rt::GraphicButton 图形按钮_程序图标;
  rt::GraphicButton 图形按钮_关闭小;
  rt::Label 透明标签_查找内容, 透明标签_替换为;
  rt::EditBox 编辑框_查找文字;
  rt::EditBox 编辑框_替换文字;
  rt::GraphicButton 图形按钮_寻找, 图形按钮_替换, 图形按钮_全部替换;
  // Check buttons and the direction radio pair: graphic buttons whose pictures carry the state.
  rt::GraphicButton 超级按钮_区分大小写;
  rt::GraphicButton 超级按钮_向上, 超级按钮_向下;
  rt::GraphicButton 超级按钮_全部替换完毕后退出;
  // 标签_上中 is the title strip ("   寻找替换").
  rt::Label 标签_左上, 标签_上中, 标签_右上, 标签_左中, 标签_右中, 标签_左下, 标签_下中, 标签_右下;
  SkinLabels frame_labels() {
    return {&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下};
  }

  std::vector<Overlap> intended_overlaps() override;

 protected:
  void build() override;
};

FindWindowForm& find_window();

// Binds the window's events to the routines of texttools/find_replace.cpp; build() ends with it.
void bind_find_window(FindWindowForm& f);
