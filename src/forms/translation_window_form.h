#pragma once
// The translation window "Velmora_谷歌翻译": a text, from typing, a file, a drop or an open page,
// translated by the translation site, and either text read aloud by its speech service.
#include <vector>

#include "runtime/combo_box.h"
#include "runtime/drop_target.h"
#include "runtime/edit_box.h"
#include "runtime/graphic_button.h"
#include "runtime/label.h"
#include "runtime/window.h"

class TranslationWindowForm : public rt::Window {
 public:
  TranslationWindowForm();

  rt::GraphicButton 图形按钮_程序图标;
  rt::GraphicButton 图形按钮_关闭小;
  // "源语言：", "目标语言：", "已打开：".
  rt::Label 标签1, 标签2, 标签4;
  // While the languages are read, and when that failed.
  rt::Label 标签3, 标签8;
  rt::PictureBox 图片框_等待;
  // The open pages; choosing one puts its text into the source box.
  rt::ComboBox 组合框_打开的文件;
  rt::GraphicButton 图形按钮_从文件打开;
  rt::EditBox 编辑框_翻译内容;
  // "自动检测" and the site's languages; the target has the languages only.
  rt::ComboBox 组合框_源语言, 组合框_目标语言;
  rt::GraphicButton 图形按钮_互转语言, 图形按钮_翻译;
  // Checks: source sentences after the translated ones, the romanization, also in the browser.
  rt::GraphicButton 超级按钮_将原语言标在翻译语句后面, 超级按钮_显示对应的拉丁字符的拼音, 超级按钮_同时在网页中显示;
  rt::EditBox 编辑框_翻译结果;
  // Reading the source and the result aloud.
  rt::GraphicButton 图形按钮_朗读_翻译类容, 图形按钮_朗读_翻译结果;
  // Texts and files dropped on the source box.
  rt::DropTarget 拖放对象;
  // 标签_上中 is the title strip and the status line.
  rt::Label 标签_左上, 标签_上中, 标签_右上, 标签_左中, 标签_右中, 标签_左下, 标签_下中, 标签_右下;

  std::vector<Overlap> intended_overlaps() override;

 protected:
  void build() override;
};

TranslationWindowForm& translation_window();

// Binds the window's events to the routines of web/translation_window.cpp; build() ends with it.
void bind_translation_window(TranslationWindowForm& f);
