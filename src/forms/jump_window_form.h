#pragma once
// The jump-to-page window "Velmora_跳转页面": its units and their layout.
#include <vector>

#include "common/skin.h"
#include "runtime/edit_box.h"
#include "runtime/graphic_button.h"
#include "runtime/label.h"
#include "runtime/window.h"

class JumpWindowForm : public rt::Window {
 public:
  JumpWindowForm();

  rt::GraphicButton 图形按钮_程序图标;
  rt::GraphicButton 图形按钮_关闭小;
  // The mode radio pair and the exit check: graphic buttons whose pictures carry the state.
  rt::GraphicButton 超级按钮_按照页面跳转, 超级按钮_按照页面名称跳转;
  rt::GraphicButton 超级按钮_按跳转完毕后退出;
  rt::Label 透明标签_说明;
  rt::EditBox 编辑框_标识;
  rt::GraphicButton 图形按钮_跳转;
  // 标签_上中 is the title strip ("   跳转页面—按照页面页数跳转！").
  rt::Label 标签_左上, 标签_上中, 标签_右上, 标签_左中, 标签_右中, 标签_左下, 标签_下中, 标签_右下;
  SkinLabels frame_labels() {
    return {&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下};
  }

  std::vector<Overlap> intended_overlaps() override;

 protected:
  void build() override;
};

JumpWindowForm& jump_window();

// Binds the window's events to the routines of pages/jump_to_page.cpp; build() ends with it.
void bind_jump_window(JumpWindowForm& f);
