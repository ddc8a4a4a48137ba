#include "forms/crypt_window_form.h"

#include "common/skin_art.h"

namespace {
constexpr int W = 420, H = 306;
constexpr unsigned kCaptionColor = 0x5A3A20;
}  // namespace

CryptWindowForm::CryptWindowForm() : rt::Window("VelmoraCrypt", "Velmora_加密解密", {200, 200, W, H}) {}

CryptWindowForm& crypt_window() {
  static CryptWindowForm form;
  return form;
}

void CryptWindowForm::build() {
  set_back_color(kSkinBodyColor);
  // Units created first lie on top: the buttons on the title strip come before its labels.
  图形按钮_关闭小.create(*this, {W - 23, 2, 21, 20});
  图形按钮_程序图标.create(*this, {4, 4, 16, 16});

  透明标签_说明.create(*this, {10, 32, 66, 22}, "加密密码：");
  透明标签_选择页面.create(*this, {10, 62, 66, 22}, "选择页面：");
  for (rt::Label* l : {&透明标签_说明, &透明标签_选择页面}) {
    l->set_transparent(true);
    l->set_text_color(kCaptionColor);
  }
  编辑框_密码.create(*this, {78, 32, 150, 22}, {.multiline = false, .password = true});
  组合框_打开文件_加密解密.create(*this, {78, 62, 332, 22});
  编辑框_内容摘要.create(*this, {10, 92, 400, 168}, {});

  struct Option {
    rt::GraphicButton& button;
    rt::Rect place;
    const char* caption;
  };
  // The checks start without pictures: their state is set when the window is created.
  const Option options[] = {
      {超级按钮_DES算法, {244, 33, 78, 20}, "DES算法"},
      {超级按钮_RC4算法, {328, 33, 78, 20}, "RC4算法"},
      {超级按钮_解密文件, {10, 275, 86, 20}, "解密文件"},
      {超级按钮_解密后显示在这里, {102, 275, 150, 20}, "解密后显示在这里"},
  };
  for (const Option& o : options) {
    o.button.create(*this, o.place, o.caption);
    o.button.set_check_style(true);
    o.button.set_text_color(kCaptionColor);
    o.button.set_pictures({}, {}, {});
    o.button.set_disabled_picture({});
  }
  图形按钮_加密解密.create(*this, {310, 270, 100, 26});
  图形按钮_加密解密.set_text_color(kButtonCaptionColor);

  create_tool_window_frame(*this, frame_labels(), "");

  set_dialog_keys({.cancel = &图形按钮_关闭小, .defaults = {&图形按钮_加密解密}});

  bind_crypt_window(*this);
}

std::vector<rt::Window::Overlap> CryptWindowForm::intended_overlaps() {
  return {title_strip_buttons(frame_labels(), {&图形按钮_关闭小, &图形按钮_程序图标})};
}
