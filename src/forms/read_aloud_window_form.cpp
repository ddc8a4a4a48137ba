#include "forms/read_aloud_window_form.h"

#include "common/skin.h"
#include "common/skin_art.h"
#include "common/speech_art.h"

namespace {
constexpr int W = 440, H = 340;
constexpr unsigned kCaptionColor = 0x5A3A20;
constexpr int kButtonTop = 302;
}  // namespace

ReadAloudWindowForm::ReadAloudWindowForm() : rt::Window("VelmoraReadAloud", "Velmora_语音朗读", {200, 200, W, H}) {}

ReadAloudWindowForm& read_aloud_window() {
  static ReadAloudWindowForm form;
  return form;
}

void ReadAloudWindowForm::build() {
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
      {透明标签_语音库, {10, 32, 52, 22}, "语音库："},
      {透明标签_选择页面, {224, 32, 66, 22}, "选择页面："},
      {透明标签_朗读速度, {10, 244, 66, 22}, "朗读速度："},
      {透明标签_声音大小, {240, 244, 66, 22}, "声音大小："},
      // The speaking rate and volume until a bar moves.
      {标签11, {204, 244, 30, 22}, "-1"},
      {标签10, {404, 244, 30, 22}, "50"},
  };
  for (const Caption& c : captions) {
    c.label.create(*this, c.place, c.text);
    c.label.set_transparent(true);
    c.label.set_text_color(kCaptionColor);
  }
  组合框_语音库.create(*this, {64, 32, 152, 22});
  组合框_打开文件.create(*this, {292, 32, 138, 22});
  编辑框_朗读内容.create(*this, {10, 62, 420, 172}, {});
  多功能条_朗读速度.create(*this, {76, 242, 126, 26}, 0, 20);
  多功能条_朗读速度.set_position(9);
  多功能条_声音大小.create(*this, {306, 242, 96, 26}, 0, 100);
  多功能条_声音大小.set_position(50);

  struct Option {
    rt::GraphicButton& button;
    rt::Rect place;
    const char* caption;
  };
  // The checks start without pictures: their state is set when the window is created.
  const Option options[] = {
      {超级按钮_朗读完毕后退出, {10, 276, 130, 20}, "朗读完毕后退出"},
      {超级按钮_输出后不提示, {150, 276, 130, 20}, "输出后不提示"},
  };
  for (const Option& o : options) {
    o.button.create(*this, o.place, o.caption);
    o.button.set_check_style(true);
    o.button.set_text_color(kCaptionColor);
    o.button.set_pictures({}, {}, {});
    o.button.set_disabled_picture({});
  }
  const int bw = kSpeechButtonWidth, bh = kSpeechButtonHeight;
  图形按钮_从文件打开.create(*this, {10, kButtonTop, bw, bh});
  图形按钮_输出.create(*this, {10 + bw + 6, kButtonTop, bw, bh});
  图形按钮_隐藏.create(*this, {10 + 2 * (bw + 6), kButtonTop, bw, bh});
  图形按钮_暂停朗读.create(*this, {W - 10 - 2 * bw - 6, kButtonTop, bw, bh});
  图形按钮_朗读控制.create(*this, {W - 10 - bw, kButtonTop, bw, bh});
  struct Pictured {
    rt::GraphicButton& button;
    const std::array<rt::Picture, 4>& pictures;
  };
  for (const Pictured& p : {Pictured{图形按钮_从文件打开, open_text_button_pictures()},
                            Pictured{图形按钮_输出, speak_to_file_button_pictures()},
                            Pictured{图形按钮_隐藏, hide_to_tray_button_pictures()}}) {
    p.button.set_pictures(p.pictures[0], p.pictures[1], p.pictures[2]);
    p.button.set_disabled_picture(p.pictures[3]);
  }

  create_tool_window_frame(*this, {&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下},
      "   语音朗读文本");

  set_dialog_keys({.cancel = &图形按钮_关闭小, .defaults = {&图形按钮_朗读控制}});

  bind_read_aloud_window(*this);
}

std::vector<rt::Window::Overlap> ReadAloudWindowForm::intended_overlaps() {
  return {title_strip_buttons({&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下},
                              {&图形按钮_关闭小, &图形按钮_程序图标})};
}
