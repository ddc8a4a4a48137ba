#pragma once
// The custom open window "Velmora_打开文件": its units and their layout.
#include <vector>

#include "common/skin.h"
#include "runtime/graphic_button.h"
#include "runtime/label.h"
#include "runtime/window.h"

class CustomOpenWindowForm : public rt::Window {
 public:
  CustomOpenWindowForm();

  rt::GraphicButton 图形按钮_程序图标;
  rt::GraphicButton 图形按钮_关闭小;
  // The three ways of opening: the multi-select dialog, a folder's ".txt" files, a folder's
  // files that match a rule.
  rt::GraphicButton 图形按钮_选择性打开, 图形按钮_打开文件夹, 图形按钮_搜索打开;
  // 标签_上中 is the title strip ("   自定打开文件").
  rt::Label 标签_左上, 标签_上中, 标签_右上, 标签_左中, 标签_右中, 标签_左下, 标签_下中, 标签_右下;
  SkinLabels frame_labels() {
    return {&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下};
  }

  std::vector<Overlap> intended_overlaps() override;

 protected:
  void build() override;
};

CustomOpenWindowForm& custom_open_window();

// Binds the window's events to the routines of documents/custom_open.cpp; build() ends with it.
void bind_custom_open_window(CustomOpenWindowForm& f);
