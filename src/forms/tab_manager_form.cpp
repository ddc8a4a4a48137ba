#include "forms/tab_manager_form.h"

#include "common/menu_art.h"
#include "common/skin.h"
#include "common/skin_art.h"
#include "forms/main_window_form.h"

namespace {

constexpr int W = 600, H = 403;
constexpr int kListTop = 54;
constexpr int kSavedListHeight = 210;

}  // namespace

TabManagerForm::TabManagerForm() : rt::Window("VelmoraTabManager", "Velmora_标签管理", {200, 200, W, H}) {}

TabManagerForm& tab_manager_window() {
  static TabManagerForm form;
  return form;
}

void TabManagerForm::build() {
  set_back_color(kSkinBodyColor);
  // Units created first lie on top: the buttons on the title strip come before its labels.
  图形按钮_关闭小.create(*this, {W - 23, 2, 21, 20});
  图形按钮_程序图标.create(*this, {4, 4, 16, 16});

  高级选择夹_标签管理.create(*this, {6, 28, W - 12, 24});
  高级选择夹_标签管理.insert("打开标签管理");
  高级选择夹_标签管理.set_tooltip(0, "<color=16711680>对当前打开的标签进行管理<Backcolor=16048819><bordercolor=9795920>");
  高级选择夹_标签管理.insert("保存标签管理");
  高级选择夹_标签管理.set_tooltip(1, "<color=16711680>对保存标签进行管理<Backcolor=16048819><bordercolor=9795920>");
  高级选择夹_标签管理.set_colors(kSkinBodyColor, 0xFFFFFF, kSkinBodyColor, 0x5A3A20, 0xFF0000, 0x5A3A20);

  超级列表框_打开的文件.create(*this, {6, kListTop, W - 12, H - kListTop - 6});
  struct Column {
    const char* caption;
    int width;
  };
  for (const Column& c : {Column{"文件名称", 130}, Column{"文件大小", 76}, Column{"只读", 40}, Column{"隐藏", 40},
                          Column{"系统", 40}, Column{"存档", 40}, Column{"文件路径", 216}})
    超级列表框_打开的文件.add_column(c.caption, c.width);

  超级列表框_保存标签.create(*this, {6, kListTop, W - 12, kSavedListHeight});
  for (const Column& c : {Column{"文件名称", 150}, Column{"文件大小", 80}, Column{"文件路径", 352}})
    超级列表框_保存标签.add_column(c.caption, c.width);
  编辑框_类容摘要.create(*this, {6, kListTop + kSavedListHeight + 6, W - 12, H - kListTop - kSavedListHeight - 12},
                        {.read_only = true});
  // The saved tab's units show when that tab is chosen.
  超级列表框_保存标签.set_visible(false);
  编辑框_类容摘要.set_visible(false);

  create_tool_window_frame(*this, frame_labels(), "   对当前打开的标签进行管理……");

  超级菜单.create(*this);
  // The main window's image list: the items show the images its menus show.
  for (int index : menu_image_indexes()) 超级菜单.set_image(index, main_window().超级菜单.image(index));

  set_dialog_keys({.cancel = &图形按钮_关闭小});

  bind_tab_manager(*this);
}

std::vector<rt::Window::Overlap> TabManagerForm::intended_overlaps() {
  return {title_strip_buttons(frame_labels(), {&图形按钮_关闭小, &图形按钮_程序图标})};
}
