#include "forms/grabber_window_form.h"

#include "common/skin_art.h"

namespace {
constexpr int W = 420, H = 392;
constexpr unsigned kCaptionColor = 0x5A3A20;
}  // namespace

GrabberWindowForm::GrabberWindowForm() : rt::Window("VelmoraGrabber", "取窗口组件内容", {200, 200, W, H}) {}

GrabberWindowForm& grabber_window() {
  static GrabberWindowForm form;
  return form;
}

void GrabberWindowForm::build() {
  set_back_color(kSkinBodyColor);
  // Units created first lie on top: the buttons on the title strip come before its labels.
  图形按钮_关闭小.create(*this, {W - 23, 2, 21, 20});
  图形按钮_程序图标.create(*this, {4, 4, 16, 16});

  图片框_获取.create(*this, {12, 34, 32, 32});
  标签_说明.create(*this, {54, 30, W - 66, 50},
                   "  按住这个光标，然后移动到要获取其内容的窗口中，程序会自动获取窗口中的文本内容。本工具支持探测编辑框、"
                   "标签、组合框、列表框、树形框、菜单、IE窗口和状态条。");
  标签_说明.set_transparent(true);
  标签_说明.set_word_wrap(true);
  标签_说明.set_text_color(kCaptionColor);
  编辑框_句柄.create(*this, {12, 86, W - 24, 22}, {.multiline = false});
  超级编辑框.create(*this, {12, 116, W - 24, H - 116 - 16}, {.vertical_scroll = true, .horizontal_scroll = true});
  // Along the bottom edge, between the frame's corners.
  标签_底.create(*this, {4, H - 14, W - 8, 12});
  标签_底.set_transparent(true);

  create_tool_window_frame(*this, frame_labels(), "   取窗口组件的文本内容");

  超级菜单.create(*this);
  超级菜单.add_menu("右键菜单");
  时钟_闪烁边框.create(*this);

  set_dialog_keys({.cancel = &图形按钮_关闭小});

  bind_grabber_window(*this);
}

std::vector<rt::Window::Overlap> GrabberWindowForm::intended_overlaps() {
  return {title_strip_buttons(frame_labels(), {&图形按钮_关闭小, &图形按钮_程序图标})};
}
