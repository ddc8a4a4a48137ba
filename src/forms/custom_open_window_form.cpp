#include "forms/custom_open_window_form.h"

#include "common/custom_open_art.h"
#include "common/skin.h"
#include "common/skin_art.h"

namespace {
constexpr int W = 260, H = 180;
constexpr int kButtonLeft = 12, kFirstButtonTop = 34, kButtonGap = 8;
}  // namespace

CustomOpenWindowForm::CustomOpenWindowForm() : rt::Window("VelmoraCustomOpen", "Velmora_打开文件", {200, 200, W, H}) {}

CustomOpenWindowForm& custom_open_window() {
  static CustomOpenWindowForm form;
  return form;
}

void CustomOpenWindowForm::build() {
  set_back_color(kSkinBodyColor);
  // Units created first lie on top: the buttons on the title strip come before its labels.
  图形按钮_关闭小.create(*this, {W - 23, 2, 21, 20});
  图形按钮_程序图标.create(*this, {4, 4, 16, 16});

  struct Way {
    rt::GraphicButton& button;
    OpenWay way;
    const char* caption;
  };
  const Way ways[] = {
      {图形按钮_选择性打开, OpenWay::kChosenFiles, "正常打开"},
      {图形按钮_打开文件夹, OpenWay::kFolder, "打开文件夹"},
      {图形按钮_搜索打开, OpenWay::kSearch, "搜索打开"},
  };
  int top = kFirstButtonTop;
  for (const Way& w : ways) {
    w.button.create(*this, {kButtonLeft, top, kOpenWayButtonWidth, kOpenWayButtonHeight}, w.caption);
    const auto& look = open_way_button_pictures(w.way);
    w.button.set_pictures(look[0], look[1], look[2]);
    w.button.set_disabled_picture(look[3]);
    w.button.set_text_color(kButtonCaptionColor);
    top += kOpenWayButtonHeight + kButtonGap;
  }

  create_tool_window_frame(*this, frame_labels(), "   自定打开文件");

  set_dialog_keys({.cancel = &图形按钮_关闭小});

  bind_custom_open_window(*this);
}

std::vector<rt::Window::Overlap> CustomOpenWindowForm::intended_overlaps() {
  return {title_strip_buttons(frame_labels(), {&图形按钮_关闭小, &图形按钮_程序图标})};
}
