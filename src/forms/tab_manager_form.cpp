#include "forms/tab_manager_form.h"

#include "common/menu_art.h"
#include "common/skin.h"
#include "common/skin_art.h"
#include "documents/open_files.h"
#include "forms/main_window_form.h"
#include "pages/tab_manager.h"
#include "pages/tab_manager_rows.h"

namespace {

using rt::MenuItem;

constexpr int W = 600, H = 403;
constexpr int kListTop = 54;
constexpr int kSavedListHeight = 210;

MenuItem sep() { return MenuItem::separator(); }

void select_every_row(rt::ListView& list) { list.set_all_selected(true); }

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
  rt::ListView& open_list = 超级列表框_打开的文件;
  rt::ListView& saved_list = 超级列表框_保存标签;
  超级菜单.add_menu(MenuItem("打开标签_右键菜单", -1,
                             {MenuItem("打开文件(&O)    Ctrl+O", kImageOpen, open_files), sep(),
                              MenuItem("文件复制到(&C)", kImageCopy, copy_selected_pages_to_folder), sep(),
                              MenuItem("保存到标签(&B)", kImageSave, add_selected_pages_to_saved_set), sep(),
                              MenuItem("刷新显示(&F5)    F5", -1, refresh_tab_manager_list), sep(),
                              MenuItem("全部选中(&A)    Ctrl+A", kImageSelectAll,
                                       [&open_list] { select_every_row(open_list); }),
                              sep(),
                              MenuItem("反向选择(&F)    Ctrl+F", -1,
                                       [&open_list] { invert_selection(open_list); }),
                              sep(), MenuItem("关闭标签(&D)    Del", kImageClosePage, close_selected_pages), sep(),
                              MenuItem("全部关闭(&Q)", -1, close_all_pages_from_tab_manager), sep(),
                              MenuItem("文件属性(&P)", -1, show_selected_pages_properties)}));
  超级菜单.add_menu(MenuItem("保存标签_右键菜单", -1,
                             {MenuItem("加入文件(&O)    Ctrl+O", kImageOpen, add_files_to_saved_list), sep(),
                              MenuItem("打开到程序(&B)", -1, open_saved_rows), sep(),
                              MenuItem("保存标签(&S)    Ctrl+S", kImageSave, save_tab_set_file), sep(),
                              MenuItem("刷新显示(&F5)    F5", -1, reload_tab_set_file), sep(),
                              MenuItem("全部选中(&A)    Ctrl+A", kImageSelectAll,
                                       [&saved_list] { select_every_row(saved_list); }),
                              sep(),
                              MenuItem("反向选择(&F)    Ctrl+F", -1,
                                       [&saved_list] { invert_selection(saved_list); }),
                              sep(), MenuItem("删除选中(&D)    Del", kImageDelete, delete_selected_rows), sep(),
                              MenuItem("全部删除(&Q)", -1, clear_saved_list)}));

  set_dialog_keys({.cancel = &图形按钮_关闭小});

  on_created = on_tab_manager_created;
  on_first_activation = on_tab_manager_first_activation;
  on_may_close = may_close_tab_manager;
  图形按钮_关闭小.on_click = close_tab_manager;
  // A press on the tabs drags the window; the strip then takes the press as a click.
  高级选择夹_标签管理.on_left_down = [](int, int, int) {
    move_tab_manager_by_title();
    return true;
  };
  高级选择夹_标签管理.on_changed = on_tab_manager_tab_changed;
  auto drag = [](int, int, int) {
    move_tab_manager_by_title();
    return true;
  };
  for (rt::Label* l : frame_labels()) l->on_left_down = drag;

  open_list.on_key_down = on_open_pages_key_down;
  open_list.on_item_double_clicked = on_open_pages_double_click;
  open_list.on_item_right_clicked = [](int, int x, int y) { show_open_pages_menu(x, y); };
  saved_list.on_current_changed = [](int) { preview_saved_file(); };
  saved_list.on_key_down = on_saved_list_key_down;
  saved_list.on_item_double_clicked = [](int) { open_saved_rows(); };
  saved_list.on_item_right_clicked = [](int, int x, int y) { show_saved_list_menu(x, y); };
  拖放对象.on_files = add_dropped_files_to_saved_list;
  拖放对象.on_text = add_dropped_text_to_saved_list;
}

std::vector<rt::Window::Overlap> TabManagerForm::intended_overlaps() {
  return {title_strip_buttons(frame_labels(), {&图形按钮_关闭小, &图形按钮_程序图标})};
}
