#include "forms/update_window_form.h"

#include "common/skin.h"
#include "common/skin_art.h"
#include "common/web_art.h"

namespace {
constexpr int W = 420, H = 336;
constexpr unsigned kCaptionColor = 0x5A3A20;
constexpr unsigned kResultColor = 0x8B4513;
}  // namespace

UpdateWindowForm::UpdateWindowForm() : rt::Window("VelmoraUpdate", "Velmora_检测更新", {200, 200, W, H}) {}

UpdateWindowForm& update_window() {
  static UpdateWindowForm form;
  return form;
}

void UpdateWindowForm::build() {
  set_back_color(kSkinBodyColor);
  // Units created first lie on top: the buttons on the title strip come before its labels.
  图形按钮_关闭小.create(*this, {W - 23, 2, 21, 20});
  图形按钮_程序图标.create(*this, {4, 4, 16, 16});

  图片框_等待.create(*this, {121, 88, 180, 8});
  图片框_等待.set_picture(web_waiting_picture());
  图形按钮_等待.create(*this, {116, 97, 190, 24}, "正在连接更新服务器……");
  图形按钮_等待.set_text_color(kCaptionColor);

  标签_更新说明.create(*this, {10, 30, 400, 20});
  struct Row {
    rt::Label &caption, &result;
    int top;
    const char* text;
  };
  const Row rows[] = {
      {标签, 标签_软件名称, 54, "软件名称："},
      {标签1, 标签_软件大小, 76, "软件大小："},
      {标签2, 标签_软件版本, 98, "软件版本："},
      {标签3, 标签_更新时间, 120, "更新时间："},
  };
  for (const Row& r : rows) {
    r.caption.create(*this, {10, r.top, 70, 20}, r.text);
    r.result.create(*this, {80, r.top, 330, 20});
    r.result.set_text_color(kResultColor);
  }
  标签4.create(*this, {10, 144, 70, 20}, "更新日志：");
  编辑框_更新日志.create(*this, {10, 166, 400, 124}, {.read_only = true});
  标签5.create(*this, {10, 140, 400, 44}, "未成功检测到更新情况\r\n请确认你是否联网！");
  标签5.set_align(rt::Label::Align::Centre);
  标签5.set_vertical_centre(false);
  标签5.set_text_color(0xFF);
  for (rt::Label* l : {&标签, &标签1, &标签2, &标签3, &标签4, &标签_软件名称, &标签_软件大小, &标签_软件版本,
                       &标签_更新时间, &标签_更新说明, &标签5}) {
    l->set_transparent(true);
    if (l->text_color() == 0) l->set_text_color(kCaptionColor);
  }

  const auto& look = message_box_button_pictures();
  struct Command {
    rt::GraphicButton& button;
    rt::Rect place;
    const char* caption;
  };
  const Command commands[] = {
      {超级按钮_本程序下载, {10, 300, 100, 26}, "本程序下载"},
      {超级按钮_调用IE下载, {116, 300, 100, 26}, "调用IE下载"},
      {超级按钮_软件主页, {310, 300, 100, 26}, "软件主页"},
  };
  for (const Command& c : commands) {
    c.button.create(*this, c.place, c.caption);
    c.button.set_text_color(kButtonCaptionColor);
    c.button.set_pictures(look[0], look[1], look[2]);
    c.button.set_disabled_picture(look[3]);
  }

  // Hidden until a check has an answer.
  for (rt::Unit* u : std::initializer_list<rt::Unit*>{
           &标签, &标签1, &标签2, &标签3, &标签4, &标签_软件名称, &标签_软件大小, &标签_软件版本, &标签_更新时间,
           &标签_更新说明, &编辑框_更新日志, &标签5, &超级按钮_本程序下载, &超级按钮_调用IE下载, &超级按钮_软件主页})
    u->set_visible(false);

  时钟_提示信息.create(*this);

  create_tool_window_frame(*this, {&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下},
      "  正在努力检测程序更新，请稍等……");

  set_dialog_keys({.cancel = &图形按钮_关闭小});

  bind_update_window(*this);
}

std::vector<rt::Window::Overlap> UpdateWindowForm::intended_overlaps() {
  return {title_strip_buttons({&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下},
                              {&图形按钮_关闭小, &图形按钮_程序图标})};
}
