#pragma once
// The main window "Velmora": its units and their event bindings.
#include "runtime/edit_box.h"
#include "runtime/label.h"
#include "runtime/tab_control.h"
#include "runtime/timer.h"
#include "runtime/window.h"

class MainWindowForm : public rt::Window {
 public:
  MainWindowForm();

  rt::TabControl 高级选择夹_标签;
  rt::EditBox 编辑框_文本类容;
  // Hidden: a second instance writes its request here.
  rt::EditBox 编辑框_进程通信;
  rt::Label 标签_上中;
  rt::Label 透明标签_文件路径;
  rt::Label 透明标签_文件标题;
  rt::Label 透明标签_标签状态;
  rt::Timer 时钟_监视程序;
  // Tab-scroll animation at 500 ms, otherwise the auto-save period.
  rt::Timer 时钟_滚动标签;

 protected:
  void build() override;
};

MainWindowForm& main_window();
