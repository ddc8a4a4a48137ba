#include "forms/main_window_form.h"

MainWindowForm::MainWindowForm() : rt::Window("Velmora", "Velmora", {120, 80, 788, 597}) {}

MainWindowForm& main_window() {
  static MainWindowForm form;
  return form;
}

void MainWindowForm::build() {
  标签_上中.create(*this, {0, 0, 788, 26}, "   Velmora");
  高级选择夹_标签.create(*this, {4, 30, 780, 24});
  高级选择夹_标签.insert("新建文档 1");
  编辑框_文本类容.create(*this, {4, 54, 780, 500}, {.multiline = true, .vertical_scroll = true});
  透明标签_文件路径.create(*this, {4, 558, 400, 18});
  透明标签_文件标题.create(*this, {408, 558, 200, 18});
  透明标签_标签状态.create(*this, {612, 558, 172, 18});
  编辑框_进程通信.create(*this, {0, 0, 10, 10}, {.multiline = false});
  编辑框_进程通信.set_visible(false);
  时钟_监视程序.create(*this);
}
