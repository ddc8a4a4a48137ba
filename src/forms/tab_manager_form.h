#pragma once
// The tab manager "Velmora_标签管理": its units and their layout; its two menus
// come with the binding of its events.
#include <vector>

#include "common/skin.h"
#include "runtime/drop_target.h"
#include "runtime/edit_box.h"
#include "runtime/graphic_button.h"
#include "runtime/label.h"
#include "runtime/list_view.h"
#include "runtime/popup_menu.h"
#include "runtime/tab_control.h"
#include "runtime/window.h"

class TabManagerForm : public rt::Window {
 public:
  TabManagerForm();

  rt::GraphicButton 图形按钮_程序图标;
  // Disabled while the window is busy: then it refuses to close.
  rt::GraphicButton 图形按钮_关闭小;
  // "打开标签管理" and "保存标签管理".
  rt::TabControl 高级选择夹_标签管理;
  // The open pages: 文件名称, 文件大小, 只读, 隐藏, 系统, 存档, 文件路径.
  rt::ListView 超级列表框_打开的文件;
  // The saved tab set: 文件名称, 文件大小, 文件路径; files dropped on it are added.
  rt::ListView 超级列表框_保存标签;
  // The first bytes of the saved row's file.
  rt::EditBox 编辑框_类容摘要;
  // The two menus "打开标签_右键菜单" and "保存标签_右键菜单", with the main window's images.
  rt::PopupMenu 超级菜单;
  rt::DropTarget 拖放对象;
  // 标签_上中 is the title strip.
  rt::Label 标签_左上, 标签_上中, 标签_右上, 标签_左中, 标签_右中, 标签_左下, 标签_下中, 标签_右下;
  SkinLabels frame_labels() {
    return {&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下};
  }

  rt::MenuItem* open_pages_menu() { return 超级菜单.menu("打开标签_右键菜单"); }
  rt::MenuItem* saved_list_menu() { return 超级菜单.menu("保存标签_右键菜单"); }

  std::vector<Overlap> intended_overlaps() override;

 protected:
  void build() override;
};

TabManagerForm& tab_manager_window();

// Binds the window's events to the routines of pages/tab_manager.cpp; build() ends with it.
void bind_tab_manager(TabManagerForm& f);
