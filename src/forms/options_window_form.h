#pragma once
// The options window "Velmora_程序设置": its units on four pages of one tab
// control.
#include <array>
#include <vector>

#include "common/skin.h"
#include "runtime/color_picker.h"
#include "runtime/combo_box.h"
#include "runtime/drop_target.h"
#include "runtime/edit_box.h"
#include "runtime/graphic_button.h"
#include "runtime/group_box.h"
#include "runtime/label.h"
#include "runtime/list_view.h"
#include "runtime/popup_menu.h"
#include "runtime/progress_bar.h"
#include "runtime/slider.h"
#include "runtime/tab_control.h"
#include "runtime/window.h"

class OptionsWindowForm : public rt::Window {
 public:
  OptionsWindowForm();

  // The pages of 高级选择夹_功能.
  enum Page { kProgramPage = 0, kExtendedPage = 1, kConversionPage = 2, kFilePage = 3 };

  rt::GraphicButton 图形按钮_程序图标;
  rt::GraphicButton 图形按钮_关闭小;
  // 标签_上中 is the title strip, 标签_下中 the bottom strip with the version.
  rt::Label 标签_左上, 标签_上中, 标签_右上, 标签_左中, 标签_右中, 标签_左下, 标签_下中, 标签_右下;
  SkinLabels frame_labels() {
    return {&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下};
  }
  rt::TabControl 高级选择夹_功能;
  // The right-click menus of the two file lists, "文件操作_右键菜单" and "编码转换_右键菜单".
  rt::PopupMenu 超级菜单;

  // ---- Page "程序设置" ----
  rt::GroupBox 分组框_页面设置, 分组框_程序设置, 分组框_页面跳转设置, 分组框_云输入法设置, 分组框_迷你模式设置,
      分组框_谷歌翻译设置, 分组框_其他设置;
  rt::Label 标签_页面设置, 标签_程序设置, 标签_页面跳转设置, 标签_云输入法设置, 标签_迷你模式设置, 标签_谷歌翻译设置,
      标签_其他设置;
  // 页面设置
  rt::Label 标签_文本颜色, 标签_背景颜色, 标签_定时保存;
  rt::ColorPicker 颜色选择器_文本颜色, 颜色选择器_背景色;
  rt::GraphicButton 超级按钮_使用不同字体, 超级按钮_使用不同前景和背景, 超级按钮_开启自动定时保存;
  rt::ComboBox 组合框_定时保存时间;
  // 程序设置
  rt::GraphicButton 超级按钮_程序默认最前, 超级按钮_关闭内存优化, 超级按钮_关闭淡入淡出效果;
  rt::ComboBox 组合框_淡进淡出速度;
  rt::GraphicButton 超级按钮_纪录窗口位置, 超级按钮_设置为默认的记事本, 超级按钮_主界面不显示时间,
      超级按钮_不使用线程打开文件, 超级按钮_吸附效果, 超级按钮_子窗口不随主窗口移动, 超级按钮_启动时不检测软件更新;
  // 页面跳转设置
  rt::GraphicButton 超级按钮_默认按照页面名称跳转, 超级按钮_页面跳转完毕后退出;
  // 云输入法设置
  rt::GraphicButton 超级按钮_程序启动时自动打开云输入法;
  rt::ComboBox 组合框_默认云输入法;
  // 迷你模式设置
  rt::Label 标签_默认启用搜索;
  rt::ComboBox 组合框_搜索引擎;
  rt::GraphicButton 超级按钮_取消纪录窗口位置_Mini, 超级按钮_自动进入时间模式;
  // 谷歌翻译设置
  rt::GraphicButton 超级按钮_名称;
  rt::Label 标签12;
  rt::EditBox 编辑框_谷歌临时文件目录;
  rt::GraphicButton 图形按钮_选择谷歌临时目录;
  rt::GraphicButton 超级按钮_将原语言标在翻译语句后面, 超级按钮_显示对应的拉丁字符的拼音;
  // 其他设置
  rt::GraphicButton 超级按钮_不删除到回收站, 超级按钮_强制淡进淡出, 超级按钮_不在主界面显示工具栏,
      超级按钮_开启靠边自动隐藏;
  rt::ComboBox 组合框_自动隐藏时间;
  // 程序透明度
  rt::Label 标签_程序透明度;
  rt::Slider 多功能条_透明度;

  // ---- Page "扩展设置" ----
  rt::GroupBox 分组框_程序增强, 分组框_编辑设置, 分组框_老板键设置;
  rt::Label 标签_程序增强, 标签_编辑设置, 标签_老板键设置;
  rt::GraphicButton 超级按钮_使用内容的第一行为新文件的标题, 超级按钮_标签页上显示关闭按钮,
      超级按钮_打开文件后自动跳到该页面, 超级按钮_防止文件被重复打开, 超级按钮_编码转换为ANSI;
  rt::Label 标签_自定义分隔符;
  rt::ComboBox 组合框_分隔符;
  rt::Label 标签_预览;
  rt::GraphicButton 超级按钮_开启老板键;
  rt::EditBox 编辑框_老板键;
  rt::GraphicButton 图形按钮_确定;

  // ---- Page "编码转换" ----
  rt::ListView 超级列表框_操作文件;
  rt::ComboBox 组合框_转换类型;
  rt::GraphicButton 超级按钮_打开文件, 超级按钮_开始转换, 超级按钮_停止转换;
  rt::ProgressBar 进度条_转换进度;

  // ---- Page "文件操作" ----
  rt::ListView 超级列表框_处理的文件;
  rt::GroupBox 分组框_操作选择, 分组框_文件命名规范;
  rt::Label 标签_操作选择, 标签_文件命名规范;
  rt::Label 标签_操作目录, 标签_目标目录;
  rt::EditBox 编辑框_操作目录, 编辑框_目标目录;
  rt::GraphicButton 图形按钮_选择目录, 图形按钮_目标目录;
  rt::GraphicButton 超级按钮_只读文件, 超级按钮_隐藏文件, 超级按钮_系统文件属性, 超级按钮_存档文件属性;
  rt::ComboBox 组合框_操作类型;
  rt::GraphicButton 超级按钮_搜索, 超级按钮_开始执行;
  rt::Label 标签_搜索规则, 标签_过滤替换, 标签_改后缀名, 标签_文件前面加, 标签_文件后面加, 标签_完全自定义文件名称;
  rt::EditBox 编辑框_搜索规则, 编辑框_过滤替换, 编辑框_改后缀名, 编辑框_文件前面加, 编辑框_文件后面加,
      编辑框_完全自定义文件名称;
  rt::EditBox 编辑框_日志;
  rt::Label 透明标签_日志;
  rt::ProgressBar 进度条_文件执行进度;
  // Both lists take dropped files.
  rt::DropTarget batch_list_drop, conversion_list_drop;

  // The units of each page, shown while their page is current.
  const std::vector<rt::Unit*>& page_units(int page) const { return pages_[static_cast<size_t>(page)]; }
  // Every check button of the window (the 超级按钮_ units that keep a state in their pictures).
  const std::vector<rt::GraphicButton*>& check_buttons() const { return checks_; }

  std::vector<Overlap> intended_overlaps() override;

 protected:
  void build() override;

 private:
  std::array<std::vector<rt::Unit*>, 4> pages_;
  std::vector<rt::GraphicButton*> checks_;
  // Each group's title interrupts its frame's top line.
  std::vector<Overlap> titled_groups_;
};

OptionsWindowForm& options_window();

// Binds the window's events to the routines of options/options_window.cpp; build() ends with it.
void bind_options_window(OptionsWindowForm& f);
