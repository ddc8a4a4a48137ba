#include "forms/font_window_form.h"

#include "common/skin.h"
#include "common/skin_art.h"
#include "texttools/font_choices.h"

namespace {
constexpr int W = 440, H = 346;
constexpr unsigned kCaptionColor = 0x5A3A20;
}  // namespace

FontWindowForm::FontWindowForm() : rt::Window("VelmoraFontSettings", "Velmora_字体设置", {200, 200, W, H}) {}

FontWindowForm& font_window() {
  static FontWindowForm form;
  return form;
}

void FontWindowForm::build() {
  set_back_color(kSkinBodyColor);
  // Units created first lie on top: the buttons on the title strip come before its labels.
  图形按钮_关闭小.create(*this, {W - 23, 2, 21, 20});
  图形按钮_程序图标.create(*this, {4, 4, 16, 16});

  struct Caption {
    rt::Label& label;
    rt::Rect place;
    const char* text;
  };
  const Caption captions[] = {
      {透明标签_字体, {12, 30, 60, 18}, "字体："},         {透明标签_字形, {232, 30, 60, 18}, "字形："},
      {透明标签_大小, {336, 30, 60, 18}, "大小："},        {透明标签_字体颜色, {232, 166, 64, 22}, "文本颜色："},
      {透明标签_背景色, {232, 194, 64, 22}, "背景颜色："}, {透明标签_预览, {12, 222, 60, 18}, "预览："},
  };
  for (const Caption& c : captions) {
    c.label.create(*this, c.place, c.text);
    c.label.set_transparent(true);
    c.label.set_text_color(kCaptionColor);
  }

  组合框_字体列表.create(*this, {12, 50, 208, 22}, {.list_height = 300});
  列表框_字体列表.create(*this, {12, 78, 208, 138});
  组合框_字形.create(*this, {232, 50, 92, 22});
  for (const char* name : kFontStyleNames) 组合框_字形.add_item(name);
  组合框_字体大小.create(*this, {336, 50, 92, 22}, {.text_field = true, .text_read_only = true, .list_height = 300});
  for (const FontSizeEntry& e : kFontSizeEntries) 组合框_字体大小.add_item(e.text);

  struct Option {
    rt::GraphicButton& button;
    rt::Rect place;
    const char* caption;
  };
  const Option options[] = {
      {超级按钮_常规, {232, 80, 92, 20}, "常规"},
      {超级按钮_斜体, {232, 102, 92, 20}, "斜体"},
      {超级按钮_粗体, {232, 124, 92, 20}, "粗体"},
      {超级按钮_粗斜体, {232, 146, 92, 20}, "粗斜体"},
      {超级按钮_删除线, {336, 80, 92, 20}, "删除线"},
      {超级按钮_下划线, {336, 102, 92, 20}, "下划线"},
      {超级按钮_设置为默认的字体, {12, 316, 180, 20}, "设置为默认的字体"},
  };
  for (const Option& o : options) {
    o.button.create(*this, o.place, o.caption);
    o.button.set_check_style(true);
    o.button.set_text_color(kCaptionColor);
  }

  颜色选择器_字体颜色.create(*this, {300, 166, 128, 22});
  颜色选择器_背景色.create(*this, {300, 194, 128, 22});

  编辑框_预览.create(*this, {12, 242, 416, 66}, {.multiline = true, .vertical_scroll = false},
                     "Velmora 字体预览\r\nAaBbCcXxYyZz 0123456789\r\n中文字体效果示例");

  const auto& look = message_box_button_pictures();
  struct Command {
    rt::GraphicButton& button;
    rt::Rect place;
    const char* caption;
  };
  const Command commands[] = {
      {图形按钮_确定设置, {276, 314, 72, 24}, "确定"},
      {图形按钮_取消设置, {356, 314, 72, 24}, "取消"},
  };
  for (const Command& c : commands) {
    c.button.create(*this, c.place, c.caption);
    c.button.set_pictures(look[0], look[1], look[2]);
    c.button.set_disabled_picture(look[3]);
    c.button.set_text_color(kButtonCaptionColor);
  }

  create_tool_window_frame(*this, frame_labels(), "   字体设置");

  set_dialog_keys({.cancel = &图形按钮_取消设置, .defaults = {&图形按钮_确定设置}});

  bind_font_window(*this);
}

std::vector<rt::Window::Overlap> FontWindowForm::intended_overlaps() {
  return {title_strip_buttons(frame_labels(), {&图形按钮_关闭小, &图形按钮_程序图标})};
}
