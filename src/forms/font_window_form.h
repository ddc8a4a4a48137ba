#pragma once
// The font window "Velmora_字体设置": its units and their layout.
#include <vector>

#include "common/skin.h"
#include "runtime/color_picker.h"
#include "runtime/combo_box.h"
#include "runtime/edit_box.h"
#include "runtime/graphic_button.h"
#include "runtime/label.h"
#include "runtime/list_box.h"
#include "runtime/window.h"

class FontWindowForm : public rt::Window {
 public:
  FontWindowForm();

  rt::GraphicButton 图形按钮_程序图标;
  rt::GraphicButton 图形按钮_关闭小;
  rt::Label 透明标签_字体, 透明标签_字形, 透明标签_大小, 透明标签_字体颜色, 透明标签_背景色, 透明标签_预览;
  // The installed fonts twice, kept on the same entry.
  rt::ComboBox 组合框_字体列表;
  rt::ListBox 列表框_字体列表;
  rt::ComboBox 组合框_字形;
  // Its text field shows a size that none of the entries has.
  rt::ComboBox 组合框_字体大小;
  // The four styles as a group of radio buttons, and the check buttons: graphic buttons whose
  // pictures carry the state.
  rt::GraphicButton 超级按钮_常规, 超级按钮_斜体, 超级按钮_粗体, 超级按钮_粗斜体;
  rt::GraphicButton 超级按钮_删除线, 超级按钮_下划线;
  rt::ColorPicker 颜色选择器_字体颜色, 颜色选择器_背景色;
  // Its font and colours are the working copy that 确定 applies.
  rt::EditBox 编辑框_预览;
  rt::GraphicButton 超级按钮_设置为默认的字体;
  rt::GraphicButton 图形按钮_确定设置, 图形按钮_取消设置;
  // 标签_上中 is the title strip ("   字体设置").
  rt::Label 标签_左上, 标签_上中, 标签_右上, 标签_左中, 标签_右中, 标签_左下, 标签_下中, 标签_右下;
  SkinLabels frame_labels() {
    return {&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下};
  }

  std::vector<Overlap> intended_overlaps() override;

 protected:
  void build() override;
};

FontWindowForm& font_window();

// Binds the window's events to the routines of texttools/font_window.cpp; build() ends with it.
void bind_font_window(FontWindowForm& f);
