#pragma once
// The about window (caption "Velmora_检测更新", title strip "  关于"): the program's version, a
// formatted description, the update check and the homepage.
#include <vector>

#include "runtime/graphic_button.h"
#include "runtime/label.h"
#include "runtime/rich_edit_box.h"
#include "runtime/window.h"

class AboutWindowForm : public rt::Window {
 public:
  AboutWindowForm();

  rt::GraphicButton 图形按钮_程序图标;
  rt::GraphicButton 图形按钮_关闭小;
  rt::RichEditBox 超级编辑框_说明;
  // "Home": opens the homepage.
  rt::Label 超级链接框_软件主页;
  rt::GraphicButton 图形按钮_更新, 图形按钮_确定;
  // 标签_上中 is the title strip.
  rt::Label 标签_左上, 标签_上中, 标签_右上, 标签_左中, 标签_右中, 标签_左下, 标签_下中, 标签_右下;

  std::vector<Overlap> intended_overlaps() override;

 protected:
  void build() override;
};

AboutWindowForm& about_window();

// Binds the window's events to the routines of web/about_window.cpp; build() ends with it.
void bind_about_window(AboutWindowForm& f);
