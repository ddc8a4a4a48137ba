#include "forms/main_window_form.h"

#include "app/startup.h"
#include "pages/page_display.h"

MainWindowForm::MainWindowForm() : rt::Window("Velmora", "Velmora", {120, 80, 788, 597}) {}

MainWindowForm& main_window() {
  static MainWindowForm form;
  return form;
}

void MainWindowForm::build() {
  标签_上中.create(*this, {0, 0, 788, 26}, "   Velmora");
  高级选择夹_标签.create(*this, {4, 30, 780, 24});
  高级选择夹_标签.insert("新建文档 1");
  高级选择夹_标签.set_tooltip(0, "<color=16711680>新建文档 1<Backcolor=16048819><bordercolor=9795920>");
  编辑框_文本类容.create(*this, {4, 54, 780, 500}, {.multiline = true, .vertical_scroll = true});
  透明标签_文件路径.create(*this, {4, 558, 400, 18});
  透明标签_文件标题.create(*this, {408, 558, 200, 18});
  透明标签_标签状态.create(*this, {612, 558, 172, 18});
  编辑框_进程通信.create(*this, {0, 0, 10, 10}, {.multiline = false}, "｛[(进程通信编辑框_Kestrune)]｝");
  编辑框_进程通信.set_visible(false);
  时钟_监视程序.create(*this);
  时钟_滚动标签.create(*this);

  on_created = on_main_window_created;
  on_first_activation = on_main_window_first_activation;
  高级选择夹_标签.on_changing = on_tab_changing;
  高级选择夹_标签.on_changed = show_current_page;
  编辑框_文本类容.on_changed = on_editor_changed;
}
