#pragma once
// The file information window "Velmora_文件信息": its units and their layout.
#include <vector>

#include "common/skin.h"
#include "runtime/edit_box.h"
#include "runtime/graphic_button.h"
#include "runtime/label.h"
#include "runtime/window.h"

class FileInfoWindowForm : public rt::Window {
 public:
  FileInfoWindowForm();

  rt::GraphicButton 图形按钮_程序图标;
  rt::GraphicButton 图形按钮_关闭小;
  rt::Label 透明标签_文件名称, 透明标签_文件后缀名, 透明标签_文件路径, 透明标签_文件大小;
  rt::Label 透明标签_创建时间, 透明标签_修改时间, 透明标签_访问时间, 透明标签_文件属性;
  rt::Label 透明标签_页面总数, 透明标签_当前页面, 透明标签_修改状态, 透明标签_文本颜色, 透明标签_背景颜色;
  rt::Label 透明标签_字体名称;
  rt::EditBox 编辑框_文件名称, 编辑框_文件后缀名, 编辑框_文件路径, 编辑框_文件大小;
  // Enter writes the time typed here to the file.
  rt::EditBox 编辑框_创建时间, 编辑框_修改时间, 编辑框_访问时间;
  // Check buttons for the attribute bits 1, 2, 4 and 32: graphic buttons whose pictures carry
  // the state.
  rt::GraphicButton 超级按钮_只读文件, 超级按钮_隐藏文件, 超级按钮_系统文件属性, 超级按钮_存档文件属性;
  rt::Label 标签_页面总数, 标签_当前页面, 标签_修改状态, 标签_文本颜色, 标签_背景颜色, 标签_字体名称;
  rt::GraphicButton 图形按钮_确定;
  // 标签_上中 is the title strip ("   文件信息").
  rt::Label 标签_左上, 标签_上中, 标签_右上, 标签_左中, 标签_右中, 标签_左下, 标签_下中, 标签_右下;
  SkinLabels frame_labels() {
    return {&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下};
  }

  std::vector<Overlap> intended_overlaps() override;

 protected:
  void build() override;
};

FileInfoWindowForm& file_info_window();

// Binds the window's events to the routines of documents/file_info.cpp; build() ends with it.
void bind_file_info_window(FileInfoWindowForm& f);
