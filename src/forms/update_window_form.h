#pragma once
// The update window "Velmora_检测更新": what the update page publishes, compared with the
// program, and the ways to get the new version.
#include <vector>

#include "runtime/edit_box.h"
#include "runtime/graphic_button.h"
#include "runtime/label.h"
#include "runtime/timer.h"
#include "runtime/window.h"

class UpdateWindowForm : public rt::Window {
 public:
  UpdateWindowForm();

  rt::GraphicButton 图形按钮_程序图标;
  rt::GraphicButton 图形按钮_关闭小;
  // The captions of the results: "软件名称：", "软件大小：", "软件版本：", "更新时间：",
  // "更新日志：" (also "正在更新：" while downloading).
  rt::Label 标签, 标签1, 标签2, 标签3, 标签4;
  // The results, hidden until a check has succeeded.
  rt::Label 标签_软件名称, 标签_软件大小, 标签_软件版本, 标签_更新时间;
  rt::Label 标签_更新说明;
  rt::EditBox 编辑框_更新日志;
  // Shown when the check found no network.
  rt::Label 标签5;
  // The waiting picture and its words, while the page is fetched.
  rt::PictureBox 图片框_等待;
  rt::GraphicButton 图形按钮_等待;
  // Downloading the package here or with the system's download dialog; the published homepage.
  rt::GraphicButton 超级按钮_本程序下载, 超级按钮_调用IE下载, 超级按钮_软件主页;
  // Hands the download's result to the message box, once.
  rt::Timer 时钟_提示信息;
  // 标签_上中 is the title strip and the headline of the check.
  rt::Label 标签_左上, 标签_上中, 标签_右上, 标签_左中, 标签_右中, 标签_左下, 标签_下中, 标签_右下;

  std::vector<Overlap> intended_overlaps() override;

 protected:
  void build() override;
};

UpdateWindowForm& update_window();

// Binds the window's events to the routines of web/update_check.cpp; build() ends with it.
void bind_update_window(UpdateWindowForm& f);
