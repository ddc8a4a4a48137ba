#pragma once
// The cloud input window "Velmora_云输入法": a pinyin box at the editor's caret, the candidates
// the chosen web input method finds for it, and the settings of the QQ service beside them.
#include <vector>

#include "runtime/combo_box.h"
#include "runtime/edit_box.h"
#include "runtime/graphic_button.h"
#include "runtime/group_box.h"
#include "runtime/label.h"
#include "runtime/list_box.h"
#include "runtime/window.h"

class CloudInputWindowForm : public rt::Window {
 public:
  CloudInputWindowForm();

  // The window's width with its settings closed and open.
  static constexpr int kNarrowWidth = 234, kWideWidth = 456;

  // The engine's icon, and the close button.
  rt::GraphicButton 图形按钮_程序图标;
  rt::GraphicButton 图形按钮_关闭小;
  // "QQ拼音云输入法", "百度云输入法", and "搜狗云输入法" once its key is fetched.
  rt::ComboBox 组合框_云输入法;
  // Opens and closes the settings.
  rt::GraphicButton 超级按钮_设置;
  rt::EditBox 编辑框_拼音;
  // Previous and next page of candidates.
  rt::GraphicButton 超级按钮_向上, 超级按钮_向下;
  rt::ListBox 列表框_云服务器取到的数据;
  // The settings; 标签1 is the group's title.
  rt::GroupBox 分组框_设置;
  rt::Label 标签1;
  rt::ComboBox 组合框_输入方式, 组合框_输出模式切换, 组合框_拼音模式, 组合框_双拼风格;
  rt::GraphicButton 超级按钮_开启模糊音, 超级按钮_调用引擎搜索, 超级按钮_顺便写到配置文件;
  // 标签_上中 is the title strip.
  rt::Label 标签_左上, 标签_上中, 标签_右上, 标签_左中, 标签_右中, 标签_左下, 标签_下中, 标签_右下;

  std::vector<Overlap> intended_overlaps() override;

 protected:
  void build() override;
};

CloudInputWindowForm& cloud_input_window();

// Binds the window's events to the routines of web/cloud_input.cpp; build() ends with it.
void bind_cloud_input_window(CloudInputWindowForm& f);
