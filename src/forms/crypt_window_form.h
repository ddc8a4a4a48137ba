#pragma once
// The encryption window "Velmora_加密解密": its units and their layout.
#include <vector>

#include "common/skin.h"
#include "runtime/combo_box.h"
#include "runtime/edit_box.h"
#include "runtime/graphic_button.h"
#include "runtime/label.h"
#include "runtime/window.h"

class CryptWindowForm : public rt::Window {
 public:
  CryptWindowForm();

  rt::GraphicButton 图形按钮_程序图标;
  rt::GraphicButton 图形按钮_关闭小;
  // The password's caption ("加密密码：" or "解密密码：").
  rt::Label 透明标签_说明;
  rt::Label 透明标签_选择页面;
  rt::EditBox 编辑框_密码;
  // Radio pair: DES (algorithm 1) and RC4 (algorithm 2).
  rt::GraphicButton 超级按钮_DES算法, 超级按钮_RC4算法;
  rt::ComboBox 组合框_打开文件_加密解密;
  // The picked page's text, or a decrypted text.
  rt::EditBox 编辑框_内容摘要;
  // Checks: decrypt mode, and the decrypted text shown here instead of in a new page.
  rt::GraphicButton 超级按钮_解密文件, 超级按钮_解密后显示在这里;
  rt::GraphicButton 图形按钮_加密解密;
  // 标签_上中 is the title strip ("   加密文件" or "   解密文件").
  rt::Label 标签_左上, 标签_上中, 标签_右上, 标签_左中, 标签_右中, 标签_左下, 标签_下中, 标签_右下;
  SkinLabels frame_labels() {
    return {&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下};
  }

  std::vector<Overlap> intended_overlaps() override;

 protected:
  void build() override;
};

CryptWindowForm& crypt_window();

// Binds the window's events to the routines of texttools/crypt_window.cpp; build() ends with it.
void bind_crypt_window(CryptWindowForm& f);
