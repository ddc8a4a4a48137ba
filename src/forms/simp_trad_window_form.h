#pragma once
// The Simplified/Traditional window "Velmora_简繁转换": its units and their layout.
#include <vector>

#include "common/skin.h"
#include "runtime/combo_box.h"
#include "runtime/drop_target.h"
#include "runtime/edit_box.h"
#include "runtime/graphic_button.h"
#include "runtime/label.h"
#include "runtime/window.h"

class SimpTradWindowForm : public rt::Window {
 public:
  SimpTradWindowForm();

  rt::GraphicButton 图形按钮_程序图标;
  rt::GraphicButton 图形按钮_关闭小;
  rt::Label 透明标签_选择页面, 透明标签_操作类容, 透明标签_当前页;
  // The open pages; choosing one puts its text into the work box.
  rt::ComboBox 组合框_打开文件_简繁转换;
  // The work box.
  rt::EditBox 编辑框_操作类容;
  rt::GraphicButton 图形按钮_转为简体, 图形按钮_转为繁体, 图形按钮_复制所有, 图形按钮_清空类容;
  // The same commands on the current page (the main edit box).
  rt::GraphicButton 图形按钮_转为简体_当前页, 图形按钮_转为繁体_当前页, 图形按钮_复制所有_当前页;
  // Texts and files dropped on the work box.
  rt::DropTarget 拖放对象;
  rt::Label 标签_左上, 标签_上中, 标签_右上, 标签_左中, 标签_右中, 标签_左下, 标签_下中, 标签_右下;
  SkinLabels frame_labels() {
    return {&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下};
  }

  std::vector<Overlap> intended_overlaps() override;

 protected:
  void build() override;
};

SimpTradWindowForm& simp_trad_window();

// Binds the window's events to the routines of texttools/simp_trad_window.cpp; build() ends with it.
void bind_simp_trad_window(SimpTradWindowForm& f);
