#pragma once
// The mini-mode bar "Velmora_迷你模式": in its full form a title strip with a small clock and a
// web search row (engine button, keyword box, search button); in its compact form a big
// digital clock alone.
#include <array>
#include <vector>

#include "common/skin.h"
#include "runtime/drop_target.h"
#include "runtime/edit_box.h"
#include "runtime/graphic_button.h"
#include "runtime/label.h"
#include "runtime/popup_menu.h"
#include "runtime/timer.h"
#include "runtime/window.h"

class MiniWindowForm : public rt::Window {
 public:
  MiniWindowForm();

  static constexpr int kFullWidth = 305, kFullHeight = 48, kCompactWidth = 100, kCompactHeight = 21;
  // The form is the full one exactly when it is this wide.
  bool full_form() const { return width() == kFullWidth; }

  // 标签_上中 is the title strip.
  rt::Label 标签_左上, 标签_上中, 标签_右上, 标签_左中, 标签_右中, 标签_左下, 标签_下中, 标签_右下;
  rt::GraphicButton 图形按钮_程序图标, 图形按钮_正常模式, 图形按钮_关闭, 图形按钮_最前;
  // The search row: the field 图形按钮_输入框 holds the engine's icon, the arrow of its menu and
  // the keyword box; the hint over the empty box names the engine.
  rt::GraphicButton 图形按钮_输入框, 图形按钮_搜索引擎, 图形按钮_下拉, 图形按钮_搜索;
  rt::EditBox 编辑框_关键词;
  rt::Label 标签_提示搜索引擎;
  // The menu "搜索引擎选择"; its images are the engines' icons 0 to 3.
  rt::PopupMenu 超级菜单;
  rt::DropTarget 拖放对象;

  // The big clock of the compact form and the small one of the full form, left to right: hours,
  // colon, minutes, colon, seconds (the units whose names end in 个位 show the left digit).
  rt::GraphicButton 图形按钮_时_个位, 图形按钮_时_十位, 图形按钮_时到分_分隔, 图形按钮_分_个位, 图形按钮_分_十位;
  rt::GraphicButton 图形按钮_分到秒_分隔, 图形按钮_秒_个位, 图形按钮_秒_十位;
  rt::Timer 时钟_显示时间;
  rt::GraphicButton 图形按钮_时_个位1, 图形按钮_时_十位1, 图形按钮_时到分_分隔1, 图形按钮_分_个位1, 图形按钮_分_十位1;
  rt::GraphicButton 图形按钮_分到秒_分隔1, 图形按钮_秒_个位1, 图形按钮_秒_十位1;
  rt::Timer 时钟_显示时间_小;

  using ClockUnits = std::array<rt::GraphicButton*, 8>;
  ClockUnits big_clock() {
    return {&图形按钮_时_个位, &图形按钮_时_十位,     &图形按钮_时到分_分隔, &图形按钮_分_个位,
            &图形按钮_分_十位, &图形按钮_分到秒_分隔, &图形按钮_秒_个位,     &图形按钮_秒_十位};
  }
  ClockUnits small_clock() {
    return {&图形按钮_时_个位1, &图形按钮_时_十位1,     &图形按钮_时到分_分隔1, &图形按钮_分_个位1,
            &图形按钮_分_十位1, &图形按钮_分到秒_分隔1, &图形按钮_秒_个位1,     &图形按钮_秒_十位1};
  }
  // The buttons only the full form shows.
  std::array<rt::GraphicButton*, 8> full_form_buttons() {
    return {&图形按钮_程序图标, &图形按钮_正常模式, &图形按钮_搜索,   &图形按钮_下拉,
            &图形按钮_关闭,     &图形按钮_最前,     &图形按钮_输入框, &图形按钮_搜索引擎};
  }
  SkinLabels frame_labels() {
    return {&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下};
  }

  std::vector<Overlap> intended_overlaps() override;

 protected:
  void build() override;
};

MiniWindowForm& mini_window();

// Binds the window's events to the routines of app/mini_mode.cpp; build() ends with it.
void bind_mini_window(MiniWindowForm& f);
