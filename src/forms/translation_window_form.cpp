#include "forms/translation_window_form.h"

#include "common/skin.h"
#include "common/skin_art.h"
#include "common/web_art.h"

namespace {
constexpr int W = 600, H = 440;
constexpr unsigned kCaptionColor = 0x5A3A20;
}  // namespace

TranslationWindowForm::TranslationWindowForm()
    : rt::Window("VelmoraTranslation", "Velmora_谷歌翻译", {200, 160, W, H}) {}

TranslationWindowForm& translation_window() {
  static TranslationWindowForm form;
  return form;
}

void TranslationWindowForm::build() {
  set_back_color(kSkinBodyColor);
  // Units created first lie on top: the buttons on the title strip come before its labels,
  // the waiting picture before the boxes it lies over.
  图形按钮_关闭小.create(*this, {W - 23, 2, 21, 20});
  图形按钮_程序图标.create(*this, {4, 4, 16, 16});
  图片框_等待.create(*this, {230, 157, 180, 8});
  图片框_等待.set_picture(web_waiting_picture());

  struct Caption {
    rt::Label& label;
    rt::Rect place;
    const char* text;
  };
  const Caption captions[] = {
      {标签4, {10, 32, 56, 22}, "已打开："},
      {标签1, {10, 200, 56, 22}, "源语言："},
      {标签2, {262, 200, 68, 22}, "目标语言："},
      {标签3, {10, 176, 580, 22}, "正在收集必要的信息，请稍等……"},
      {标签8, {10, 176, 580, 22}, "收集信息失败，请确定是否连接到互联网！"},
  };
  for (const Caption& c : captions) {
    c.label.create(*this, c.place, c.text);
    c.label.set_transparent(true);
    c.label.set_text_color(kCaptionColor);
  }
  for (rt::Label* note : {&标签3, &标签8}) note->set_align(rt::Label::Align::Centre);
  标签8.set_text_color(0xFF);

  组合框_打开的文件.create(*this, {66, 32, 424, 22});
  编辑框_翻译内容.create(*this, {10, 62, 580, 130}, {});
  组合框_源语言.create(*this, {66, 200, 146, 22}, {.list_height = 320});
  组合框_目标语言.create(*this, {330, 200, 160, 22}, {.list_height = 320});
  编辑框_翻译结果.create(*this, {10, 256, 580, 138}, {});

  const auto& look = message_box_button_pictures();
  struct Command {
    rt::GraphicButton& button;
    rt::Rect place;
    const char* caption;
  };
  const Command commands[] = {
      {图形按钮_从文件打开, {498, 31, 92, 24}, "从文件打开"},
      {图形按钮_互转语言, {216, 199, 42, 24}, "互转"},
      {图形按钮_翻译, {498, 199, 92, 24}, "翻译"},
      {图形按钮_朗读_翻译类容, {10, 404, 92, 26}, "朗读原文"},
      {图形按钮_朗读_翻译结果, {108, 404, 92, 26}, "朗读译文"},
  };
  for (const Command& c : commands) {
    c.button.create(*this, c.place, c.caption);
    c.button.set_text_color(kButtonCaptionColor);
    c.button.set_pictures(look[0], look[1], look[2]);
    c.button.set_disabled_picture(look[3]);
  }
  struct Option {
    rt::GraphicButton& button;
    rt::Rect place;
    const char* caption;
  };
  // The checks start without pictures: their state is set when the window is created.
  const Option options[] = {
      {超级按钮_将原语言标在翻译语句后面, {10, 230, 196, 20}, "将原意思标在翻译语句后面"},
      {超级按钮_显示对应的拉丁字符的拼音, {214, 230, 196, 20}, "显示对应的拉丁字符的拼音"},
      {超级按钮_同时在网页中显示, {418, 230, 150, 20}, "同时在网页中显示"},
  };
  for (const Option& o : options) {
    o.button.create(*this, o.place, o.caption);
    o.button.set_check_style(true);
    o.button.set_text_color(kCaptionColor);
    o.button.set_pictures({}, {}, {});
    o.button.set_disabled_picture({});
  }

  // Shown once the languages are read.
  for (rt::Unit* u : std::initializer_list<rt::Unit*>{
           &标签1, &标签2, &标签4, &标签8, &组合框_打开的文件, &图形按钮_从文件打开, &编辑框_翻译内容, &组合框_源语言,
           &组合框_目标语言, &图形按钮_互转语言, &图形按钮_翻译, &超级按钮_将原语言标在翻译语句后面,
           &超级按钮_显示对应的拉丁字符的拼音, &超级按钮_同时在网页中显示, &编辑框_翻译结果, &图形按钮_朗读_翻译类容,
           &图形按钮_朗读_翻译结果})
    u->set_visible(false);

  create_tool_window_frame(*this, {&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下},
      "   谷歌翻译");

  set_dialog_keys({.cancel = &图形按钮_关闭小, .defaults = {&图形按钮_翻译}});

  bind_translation_window(*this);
}

std::vector<rt::Window::Overlap> TranslationWindowForm::intended_overlaps() {
  return {title_strip_buttons({&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下},
                              {&图形按钮_关闭小, &图形按钮_程序图标})};
}
