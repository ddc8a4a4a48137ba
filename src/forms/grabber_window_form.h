#pragma once
// The reader window "取窗口组件内容": its units and their layout.
#include <vector>

#include "common/skin.h"
#include "runtime/edit_box.h"
#include "runtime/graphic_button.h"
#include "runtime/label.h"
#include "runtime/popup_menu.h"
#include "runtime/timer.h"
#include "runtime/window.h"

class GrabberWindowForm : public rt::Window {
 public:
  GrabberWindowForm();

  rt::GraphicButton 图形按钮_程序图标;
  rt::GraphicButton 图形按钮_关闭小;
  // The finder: a press here starts a pick, its release ends it.
  rt::PictureBox 图片框_获取;
  rt::Label 标签_说明;
  // The picked window's handle in decimal; Enter reads the handle typed here.
  rt::EditBox 编辑框_句柄;
  // What was read; F5 writes it into the window of 编辑框_句柄.
  rt::EditBox 超级编辑框;
  rt::Label 标签_底;
  // 标签_上中 is the title strip ("   取窗口组件的文本内容").
  rt::Label 标签_左上, 标签_上中, 标签_右上, 标签_左中, 标签_右中, 标签_左下, 标签_下中, 标签_右下;
  SkinLabels frame_labels() {
    return {&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下};
  }
  // Holds the text box's edit menu 右键菜单.
  rt::PopupMenu 超级菜单;
  // Outlines the picked window while a pick is under way.
  rt::Timer 时钟_闪烁边框;

  std::vector<Overlap> intended_overlaps() override;

 protected:
  void build() override;
};

GrabberWindowForm& grabber_window();

// Binds the window's events to the routines of foreign/grabber_window.cpp; build() ends with it.
void bind_grabber_window(GrabberWindowForm& f);
