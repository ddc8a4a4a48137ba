#pragma once
// The main window "Velmora": its units and their layout.
#include <vector>

#include "runtime/dialogs.h"
#include "runtime/drop_target.h"
#include "runtime/edit_box.h"
#include "runtime/graphic_button.h"
#include "runtime/label.h"
#include "runtime/printer.h"
#include "runtime/popup_menu.h"
#include "runtime/progress_bar.h"
#include "runtime/tab_control.h"
#include "runtime/timer.h"
#include "runtime/toolbar.h"
#include "runtime/tray_icon.h"
#include "runtime/window.h"

class MainWindowForm : public rt::Window {
 public:
  MainWindowForm();

  // The frame: corner and edge labels with the skin, thin strips over the edges for sizing.
  rt::Label 标签_左上, 标签_上中, 标签_右上, 标签_左中, 标签_右中, 标签_左下, 标签_下中, 标签_右下;
  rt::Label 透明标签_上, 透明标签_下, 透明标签_左, 透明标签_右;
  // The caption buttons, right to left, and the grip near the bottom-right corner.
  rt::GraphicButton 图形按钮_关闭, 图形按钮_最大化, 图形按钮_最小化, 图形按钮_最前, 图形按钮_迷你模式;
  rt::GraphicButton 图形按钮_移动, 图形按钮_程序图标;
  // The clock in the caption, left to right: hours, colon, minutes, colon, seconds (the units
  // whose names end in 个位 show the left digit).
  rt::GraphicButton 图形按钮_时_个位, 图形按钮_时_十位, 图形按钮_时到分_分隔, 图形按钮_分_个位, 图形按钮_分_十位;
  rt::GraphicButton 图形按钮_分到秒_分隔, 图形按钮_秒_个位, 图形按钮_秒_十位;

  // The menu bar under the caption: one picture button per menu.
  rt::GraphicButton 图形按钮_文件_菜单, 图形按钮_编辑_菜单, 图形按钮_附加_菜单, 图形按钮_设置_菜单, 图形按钮_帮助_菜单;
  // Every menu of the window: the bar's five, the program menu and the tray menu.
  rt::PopupMenu 超级菜单;
  // The icon in the notification area.
  rt::TrayIcon 托盘图标;

  rt::Toolbar 工具条_工具栏;
  rt::TabControl 高级选择夹_标签;
  rt::GraphicButton 图形按钮_向左, 图形按钮_向右;
  // Lies over the current tab.
  rt::GraphicButton 图形按钮_关闭本页;
  rt::EditBox 编辑框_文本类容;
  rt::ProgressBar 进度条;
  rt::Label 透明标签_标签状态, 透明标签_文件标题, 透明标签_文件路径;
  rt::Label 标签_底;
  // Hidden: a second instance writes its request here.
  rt::EditBox 编辑框_进程通信;
  // Hidden, wrapping as the edit box does: holds separator units to measure an editor line.
  rt::EditBox 编辑框_测试用;
  // The busy picture of a web fetch, with its note under it; hidden otherwise. The picture's tag
  // remembers the tab whose menu is open (decimal text).
  rt::PictureBox 图片框_读取网页;
  rt::Label 透明标签_说明;
  // Drops on the window and on the edit box: texts, HTML, web addresses and files.
  rt::DropTarget 拖放对象;

  // Every save-style dialog of the program: each command sets only some of its properties.
  rt::CommonDialog 通用对话框;
  rt::Printer 打印机;

  rt::Timer 时钟_监视程序;
  // Tab-scroll animation at 500 ms, otherwise the auto-save period.
  rt::Timer 时钟_滚动标签;
  // The edge auto-hide cursor poll, its one-shot hide (or show) delay, and the pause after the
  // window was brought back from an edge.
  rt::Timer 时钟_显示出来;
  rt::Timer 时钟_真正显示;
  rt::Timer 时钟_延迟执行任务;
  // Follows the pointer along the menu bar while one of its menus is open.
  rt::Timer 时钟_菜单显示;
  // One shot: the start-up update check hands its result to the update prompt.
  rt::Timer 时钟_信息框;
  // The caption clock's second.
  rt::Timer 时钟_显示时间;
  // Trims the working set while that is on.
  rt::Timer 时钟_内存优化;

  std::vector<Overlap> intended_overlaps() override;

 protected:
  void build() override;
};

MainWindowForm& main_window();

// Binds the window's events to the routines of the subsystems (app/main_window_events.cpp);
// build() ends with it.
void bind_main_window(MainWindowForm& f);
